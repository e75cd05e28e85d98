#!/usr/bin/env python3
"""Turns the number benchmarks' JSON into a table of throughput ratios.

Throughput is items per second of CPU time, the median of the repetitions.
Exit status 0 whatever the outcome; each row says whether its target is met.
"""
import json
import sys

FORMAT_TARGET = 2.0  # the program's writer against snprintf("%.6g")
TO_CHARS_TARGET = 1.0  # formatReal against std::to_chars(general, 6), where present
READ_TARGET = 2.0  # the program's reader against strtod


def medians(path):
    with open(path) as source:
        report = json.load(source)
    rates = {}
    for entry in report["benchmarks"]:
        if entry.get("aggregate_name", "median") == "median":
            rates[entry["run_name"]] = entry["items_per_second"]
    return rates


def mega(rate):
    return f"{rate / 1e6:.1f} M/s"


def verdict(ratio, target):
    return "met" if ratio >= target else "MISSED"


def main(path):
    rates = medians(path)
    print("## Numbers (median of repetitions, items per CPU second)")
    print()
    print("| values | formatReal | writeReal (ostream) | snprintf %.6g "
          "| formatReal ratio | writeReal ratio | target | result |")
    print("|---|---|---|---|---|---|---|---|")
    for values in ("random_bits", "student_values", "integers"):
        own = rates[f"formatReal/{values}"]
        line = rates[f"writeReal/{values}"]
        libc = rates[f"snprintfG6/{values}"]
        worst = min(own, line) / libc
        print(f"| {values} | {mega(own)} | {mega(line)} | {mega(libc)} "
              f"| {own / libc:.2f} | {line / libc:.2f} | >= {FORMAT_TARGET:g} "
              f"| {verdict(worst, FORMAT_TARGET)} |")
    if "toCharsG6/integers" in rates:
        print()
        print("| values | formatReal | to_chars general 6 | ratio | target | result |")
        print("|---|---|---|---|---|---|")
        for values in ("random_bits", "student_values", "integers"):
            own, std = rates[f"formatReal/{values}"], rates[f"toCharsG6/{values}"]
            print(f"| {values} | {mega(own)} | {mega(std)} | {own / std:.2f} "
                  f"| >= {TO_CHARS_TARGET:g} | {verdict(own / std, TO_CHARS_TARGET)} |")
    print()
    own, libc = rates["readReal"], rates["strtodFields"]
    print("| fields | readReal (istringstream) | strtod | ratio | target | result |")
    print("|---|---|---|---|---|---|")
    print(f"| 1 to 17 digits, exponents -307 to 307 | {mega(own)} | {mega(libc)} "
          f"| {own / libc:.2f} | >= {READ_TARGET:g} | {verdict(own / libc, READ_TARGET)} |")


if __name__ == "__main__":
    main(sys.argv[1])
