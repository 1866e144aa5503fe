#!/usr/bin/env python3
"""Runs every benchmark executable of a build folder and prints each measured figure as a
ratio to its reference: BM_X/args is paired with BM_X_Ref/args. Times are CPU times, except
for benchmarks measured on the wall clock (registered with UseRealTime or UseManualTime), whose
pairs are compared in real time.

usage: bench/ratios.py BUILD_DIR [--filter REGEX] [--min-time SECONDS]
"""
import argparse
import json
import os
import re
import subprocess
import sys


def find_benchmarks(build_dir):
    found = []
    for root, _dirs, files in os.walk(build_dir):
        for name in files:
            path = os.path.join(root, name)
            if name.endswith("_bench") and os.access(path, os.X_OK) and os.path.isfile(path):
                found.append(path)
    return sorted(found)


def run(path, bench_filter, min_time):
    cmd = [path, "--benchmark_format=json", "--benchmark_min_time=%s" % min_time]
    if bench_filter:
        cmd.append("--benchmark_filter=" + bench_filter)
    proc = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if proc.returncode != 0:
        print("%s: exit %d: %s" % (os.path.basename(path), proc.returncode, proc.stderr.strip()[-300:]))
        return []
    try:
        return json.loads(proc.stdout).get("benchmarks", [])
    except json.JSONDecodeError as e:
        print("%s: unreadable output (%s)" % (os.path.basename(path), e))
        return []


# Name parts Google Benchmark appends for a benchmark measured on the wall clock
# (UseRealTime, UseManualTime); its figure is then the "real_time" column.
WALL_CLOCK_PARTS = ("real_time", "manual_time")


def split_name(name):
    """'BM_X_Ref/4096/3/real_time' -> ('BM_X', '/4096/3', True, 'real_time')."""
    parts = name.split("/")
    base, clock, args = parts[0], "cpu_time", ""
    for part in parts[1:]:
        if part in WALL_CLOCK_PARTS:
            clock = "real_time"
        else:
            args += "/" + part
    if base.endswith("_Ref"):
        return base[: -len("_Ref")], args, True, clock
    return base, args, False, clock


def clock_of(*benchmarks):
    """The column a figure (or a pair) is read from: the wall clock when any of them was
    measured on it, since a ratio of two different clocks means nothing; else CPU time, the
    steadier clock on a shared machine."""
    return "real_time" if any(b["_clock"] == "real_time" for b in benchmarks) else "cpu_time"


def seconds(b, clock):
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b.get("time_unit", "ns")]
    return b[clock] * unit


def throughput(b):
    if "bytes_per_second" in b:
        return b["bytes_per_second"] / 1e9, "GB/s"
    if "items_per_second" in b:
        return b["items_per_second"] / 1e6, "M/s"
    return None, ""


def pair_up(benchmarks):
    measured, refs = {}, {}
    for b in benchmarks:
        if b.get("run_type") == "aggregate":
            continue
        base, args, is_ref, clock = split_name(b["name"])
        b["_clock"] = clock
        (refs if is_ref else measured)[(base, args)] = b
    return measured, refs


def describe(b, clock):
    tp, unit = throughput(b)
    text = "%.3f ms%s" % (seconds(b, clock) * 1e3, " real" if clock == "real_time" else "")
    if tp is not None:
        text += ", %.2f %s" % (tp, unit)
    return text


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("build_dir")
    ap.add_argument("--filter", default="")
    ap.add_argument("--min-time", default="0.2")
    opts = ap.parse_args()
    executables = find_benchmarks(opts.build_dir)
    if not executables:
        print("no *_bench executables under %s" % opts.build_dir)
        return 1
    for exe in executables:
        benchmarks = run(exe, opts.filter, opts.min_time)
        measured, refs = pair_up(benchmarks)
        print("== %s" % os.path.basename(exe))
        for key in sorted(measured):
            b = measured[key]
            name = key[0] + key[1]
            ref = refs.get(key)
            if ref is None:
                print("%-40s %s (no reference)" % (name, describe(b, clock_of(b))))
                continue
            clock = clock_of(b, ref)
            tp, _ = throughput(b)
            rtp, _ = throughput(ref)
            time_ratio = seconds(b, clock) / seconds(ref, clock) if seconds(ref, clock) > 0 else float("inf")
            if b["_clock"] != ref["_clock"]:
                # Throughput follows each benchmark's own clock: only the time ratio compares.
                tp_text = "throughput n/a (clocks differ)"
            else:
                tp_text = "throughput x%.2f" % (tp / rtp) if tp and rtp else "throughput n/a"
            print("%-40s %s, time x%.2f | %s | ref %s"
                  % (name, tp_text, time_ratio, describe(b, clock), describe(ref, clock)))
        for key in sorted(set(refs) - set(measured)):
            print("%-40s reference without a measured benchmark" % (key[0] + "_Ref" + key[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
