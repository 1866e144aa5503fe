#!/usr/bin/env python3
"""Runs every benchmark executable of a build folder and prints each measured figure as a
ratio to its reference: BM_X/args is paired with BM_X_Ref/args.

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


def split_name(name):
    """'BM_X_Ref/4096/3' -> ('BM_X', '/4096/3', True)."""
    base, sep, args = name.partition("/")
    args = sep + args
    if base.endswith("_Ref"):
        return base[: -len("_Ref")], args, True
    return base, args, False


def seconds(b):
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b.get("time_unit", "ns")]
    # A benchmark that times itself (UseManualTime) reports its figure as real time.
    if b["name"].endswith("/manual_time"):
        return b["real_time"] * unit
    # CPU time: the same clock the throughput figures come from, steadier on a shared machine.
    return b["cpu_time"] * unit


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
        base, args, is_ref = split_name(b["name"])
        (refs if is_ref else measured)[(base, args)] = b
    return measured, refs


def describe(b):
    tp, unit = throughput(b)
    text = "%.3f ms" % (seconds(b) * 1e3)
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
                print("%-40s %s (no reference)" % (name, describe(b)))
                continue
            tp, _ = throughput(b)
            rtp, _ = throughput(ref)
            time_ratio = seconds(b) / seconds(ref) if seconds(ref) > 0 else float("inf")
            tp_text = "throughput x%.2f" % (tp / rtp) if tp and rtp else "throughput n/a"
            print("%-40s %s, time x%.2f | %s | ref %s" % (name, tp_text, time_ratio, describe(b), describe(ref)))
        for key in sorted(set(refs) - set(measured)):
            print("%-40s reference without a measured benchmark" % (key[0] + "_Ref" + key[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
