#!/usr/bin/python3
# sympy's SOPform on the maps the reduction benchmark uses, for comparison:
# every map of 0 and 1 is too slow for it, so a fixed sample of them (every
# 16th) and the fixed sample with don't-cares, cut to the same size. Prints
# "NAME ns_per_map" lines.
#   bench/sympy_sop.py [STRIDE]
import sys
import time

from sympy import symbols
from sympy.logic import SOPform

A, B, C, D = symbols("A B C D")
VARIABLES = [A, B, C, D]
stride = int(sys.argv[1]) if len(sys.argv) > 1 else 16


def bits(m):
    return [(m >> 3) & 1, (m >> 2) & 1, (m >> 1) & 1, m & 1]


def time_maps(maps):
    start = time.perf_counter()
    for ones, dont_cares in maps:
        SOPform(VARIABLES, [bits(m) for m in range(16) if ones >> m & 1],
                [bits(m) for m in range(16) if dont_cares >> m & 1])
    return (time.perf_counter() - start) / len(maps) * 1e9


def dont_care_sample(count):
    # The same generator as bench/reduction_bench.cpp's sample.
    maps, state = [], 12345
    for _ in range(count):
        ones = dont_cares = 0
        for m in range(16):
            state = (state * 1664525 + 1013904223) & 0xFFFFFFFF
            roll = (state >> 16) % 3
            ones |= (roll == 1) << m
            dont_cares |= (roll == 2) << m
        maps.append((ones, dont_cares))
    return maps


zeros_and_ones = [(b, 0) for b in range(0, 65536, stride)]
print("every_map_of_zeros_and_ones %.0f" % time_maps(zeros_and_ones))
print("sample_with_dont_cares %.0f" % time_maps(dont_care_sample(len(zeros_and_ones))))
