#!/usr/bin/env python3
"""Runs the native benchmarks (build/bench) and the frame-timing harness under
wine for both Windows builds (build/win32/bench first, then build/win64/bench;
runs listed in tests/harness/runs.txt) and prints what they measured: one
table of the native benchmarks, one of the frames with the two builds side by
side."""
import glob
import json
import os
import re
import subprocess
import sys

build = sys.argv[1] if len(sys.argv) > 1 else "build"
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILDS = ("win32", "win64")


def table(head, rows):
    widths = [max(len(str(r[i])) for r in rows + [head]) for i in range(len(head))]
    for r in [head, tuple("-" * w for w in widths)] + rows:
        print(" | ".join(str(c).ljust(w) for c, w in zip(r, widths)).rstrip())


def native():
    rows = []
    for exe in sorted(glob.glob(os.path.join(build, "bench", "**", "*_bench"), recursive=True)):
        if not os.access(exe, os.X_OK):
            continue
        out = subprocess.run([exe, "--benchmark_format=json", "--benchmark_min_time=0.2"],
                             capture_output=True, text=True)
        if out.returncode != 0:
            rows.append((os.path.basename(exe), "failed", ""))
            continue
        for b in json.loads(out.stdout)["benchmarks"]:
            extra = ", ".join(f"{k} {v:.3g}" for k, v in b.items()
                              if k not in ("name", "run_name", "run_type", "repetitions", "repetition_index",
                                           "threads", "iterations", "real_time", "cpu_time", "time_unit",
                                           "family_index", "per_family_instance_index", "aggregate_name",
                                           "label") and isinstance(v, (int, float)))
            rows.append((b["name"], f"{b['cpu_time']:.3g} {b['time_unit']}", extra))
    return rows


FRAME = re.compile(r"^frame (.*?) \| (.*?) \| (.*?) \| frames \d+ \| median (\d+) us \| p95 (\d+) us", re.M)


def harness():
    """{(program, setting, surface): {build: (median, p95)}} in run order; the
    builds that cannot run here go into skipped."""
    found = {}
    runs = os.path.join(root, "tests", "harness", "runs.txt")
    for line in open(runs, encoding="utf-8"):
        line = line.split("#", 1)[0].split()
        if not line:
            continue
        for b in BUILDS:
            exe = os.path.join(build, b, "bench", line[0] + ".exe")
            if not os.path.exists(exe):
                continue
            out = subprocess.run([os.path.join(root, "tools", "wine-run"), exe, *line[1:]],
                                 capture_output=True, text=True)
            if out.returncode == 77:  # a 32-bit program on a kernel that runs none
                skipped.add(b)
                continue
            for m in FRAME.finditer(out.stdout):
                found.setdefault(m.group(1, 2, 3), {})[b] = (int(m.group(4)), int(m.group(5)))
            if out.returncode != 0:
                found.setdefault((line[0], " ".join(line[1:]), "failed"), {})[b] = None
    return found


def cell(v):
    return "failed" if v is None else f"{v[0]} / {v[1]} us"


skipped = set()


n = native()
if n:
    print("native benchmarks (build/bench)")
    table(("what", "cpu", "counters"), n)
    print()
def drawing_share(found, key, b):
    """How much of the window frame is wine's drawing: 1 - (no DC) / window."""
    window = found.get(key, {}).get(b)
    bare = found.get((key[0], key[1], "no DC"), {}).get(b)
    if not window or not bare or window[0] <= 0:
        return "-"
    return f"{max(0.0, 1 - bare[0] / window[0]):.0%}"


rows = []
found = harness()
for key, by in found.items():
    ratio = ""
    if by.get("win32") and by.get("win64") and by["win64"][0] > 0:
        ratio = f"{by['win32'][0] / by['win64'][0]:.2f}"
    share = ""
    if key[2] == "window":
        share = " / ".join(drawing_share(found, key, b) for b in BUILDS)
    rows.append((*key, *(cell(by[b]) if b in by else "skipped" if b in skipped else "-" for b in BUILDS),
                 ratio, share))
print("DrawFrame under wine, median / p95 ('no DC': every drawing call refused, the savers' own work)")
table(("saver", "setting", "surface", "32-bit (shipped)", "64-bit", "32/64", "drawing share 32 / 64"), rows)
if skipped:
    print(f"({', '.join(sorted(skipped))}: skipped, this kernel runs no 32-bit programs)")
