#!/usr/bin/env python3
"""The ratio script pairs each benchmark with its reference and reads both on the right clock."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
import ratios  # noqa: E402


def bench(name, real, cpu, unit="ms", **extra):
    b = {"name": name, "run_type": "iteration", "real_time": real, "cpu_time": cpu, "time_unit": unit}
    b.update(extra)
    return b


class RatiosTest(unittest.TestCase):
    def ratio(self, measured, ref):
        pairs, refs = ratios.pair_up([measured, ref])
        self.assertEqual(len(pairs), 1)
        key = next(iter(pairs))
        clock = ratios.clock_of(pairs[key], refs[key])
        return ratios.seconds(pairs[key], clock) / ratios.seconds(refs[key], clock)

    def test_real_time_benchmarks_compare_wall_clock(self):
        # A run that waits on a writer thread: little CPU, much wall time.
        self.assertAlmostEqual(self.ratio(bench("BM_Save/real_time", 30, 1), bench("BM_Save_Ref/real_time", 10, 9)), 3.0)

    def test_cpu_benchmarks_compare_cpu_time(self):
        self.assertAlmostEqual(self.ratio(bench("BM_Sharpen/8", 50, 4), bench("BM_Sharpen_Ref/8", 5, 2)), 2.0)

    def test_arguments_and_options_pair_up(self):
        self.assertAlmostEqual(
            self.ratio(bench("BM_X/12/iterations:3/manual_time", 2, 8, "us"), bench("BM_X_Ref/12/iterations:3", 1000, 4, "ns")),
            2.0)
        self.assertEqual(ratios.split_name("BM_X_Ref/4096/3/real_time"), ("BM_X", "/4096/3", True, "real_time"))

    def test_aggregates_are_left_out(self):
        pairs, refs = ratios.pair_up([bench("BM_A/real_time", 1, 1, run_type="aggregate"), bench("BM_A_Ref", 1, 1)])
        self.assertEqual(pairs, {})
        self.assertEqual(len(refs), 1)


if __name__ == "__main__":
    unittest.main()
