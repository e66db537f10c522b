#!/usr/bin/env python3
"""Runs the native benchmarks (build/bench) and the frame-timing harness under
wine (build/win64/bench, runs listed in tests/harness/runs.txt) and prints one
table of what they measured."""
import glob
import json
import os
import re
import subprocess
import sys

build = sys.argv[1] if len(sys.argv) > 1 else "build"
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
rows = []


def native():
    for exe in sorted(glob.glob(os.path.join(build, "bench", "**", "*_bench"), recursive=True)):
        if not os.access(exe, os.X_OK):
            continue
        out = subprocess.run([exe, "--benchmark_format=json", "--benchmark_min_time=0.2"],
                             capture_output=True, text=True)
        if out.returncode != 0:
            rows.append(("native", os.path.basename(exe), "", "failed", ""))
            continue
        for b in json.loads(out.stdout)["benchmarks"]:
            extra = ", ".join(f"{k} {v:.3g}" for k, v in b.items()
                              if k not in ("name", "run_name", "run_type", "repetitions", "repetition_index",
                                           "threads", "iterations", "real_time", "cpu_time", "time_unit",
                                           "family_index", "per_family_instance_index", "aggregate_name",
                                           "label") and isinstance(v, (int, float)))
            rows.append(("native", b["name"], f"{b['cpu_time']:.1f} {b['time_unit']}", "", extra))


def harness():
    runs = os.path.join(root, "tests", "harness", "runs.txt")
    for line in open(runs, encoding="utf-8"):
        line = line.split("#", 1)[0].split()
        if not line:
            continue
        exe = os.path.join(build, "win64", "bench", line[0] + ".exe")
        if not os.path.exists(exe):
            continue
        out = subprocess.run([os.path.join(root, "tools", "wine-run"), exe, *line[1:]],
                             capture_output=True, text=True)
        for m in re.finditer(r"^frame (.*?) \| (.*?) \| (.*?) \| frames \d+ \| median (\d+) us \| p95 (\d+) us",
                             out.stdout, re.M):
            rows.append(("wine " + m.group(3), f"{m.group(1)} DrawFrame", f"{m.group(4)} us",
                         f"{m.group(5)} us", m.group(2)))
        if out.returncode != 0:
            rows.append(("wine", line[0], "", "failed", " ".join(line[1:])))


native()
harness()
head = ("where", "what", "median/cpu", "p95", "setting / counters")
widths = [max(len(str(r[i])) for r in rows + [head]) for i in range(5)]
for r in [head, tuple("-" * w for w in widths)] + rows:
    print(" | ".join(str(c).ljust(w) for c, w in zip(r, widths)))
