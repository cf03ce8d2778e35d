#!/usr/bin/env python3
"""Adds up test cases: GoogleTest cases from each executable's XML report, and one case for every
ctest entry that wrote no report (corpus replayers) or died before writing one. Prints a line per
tree and the closing "tests: N passed, M failed"; exits non-zero on any failure, or when the Wine
tree ran no test case at all."""
import os
import sys
import xml.etree.ElementTree as ET


def count_tree(reports):
    passed = failed = 0
    junit = os.path.join(reports, "ctest.junit")
    if not os.path.exists(junit):
        return 0, 1
    for case in ET.parse(junit).getroot().iter("testcase"):
        name = case.get("name")
        ctest_ok = case.get("status") == "run" and case.find("failure") is None
        report = os.path.join(reports, name + ".xml")
        if os.path.exists(report):
            p = f = 0
            for gcase in ET.parse(report).getroot().iter("testcase"):
                if gcase.find("skipped") is not None or gcase.get("result") == "skipped":
                    continue
                if gcase.find("failure") is not None:
                    f += 1
                else:
                    p += 1
            if not ctest_ok and f == 0:
                f = 1  # the executable failed after its cases passed (a crash at exit, a leak check)
            passed += p
            failed += f
        elif ctest_ok:
            passed += 1
        else:
            failed += 1
    return passed, failed


def main():
    native, wine = sys.argv[1], sys.argv[2]
    np, nf = count_tree(native)
    wp, wf = count_tree(wine)
    print(f"native: {np} passed, {nf} failed")
    print(f"wine: {wp} passed, {wf} failed")
    if wp + wf == 0:
        print("wine: no test case ran")
        wf = 1
    print(f"tests: {np + wp} passed, {nf + wf} failed")
    return 1 if nf + wf else 0


if __name__ == "__main__":
    sys.exit(main())
