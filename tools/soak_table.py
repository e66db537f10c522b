#!/usr/bin/env python3
"""Reads the soak output of the frame-timing harness (one file per build,
named after it) and prints one table: saver, setting, build, ticks, private
bytes and live GDI objects after the warm-up and at the end, the verdict.
Then each run's samples (tick:private KB/GDI objects). Exits 1 when a run
failed or is missing its line."""
import os
import re
import sys

LINE = re.compile(r"^soak (\S+) \| (.*?) \| ticks (\d+) \| private bytes (\d+) -> (\d+) \((.*?)\) \| "
                  r"GDI objects (\d+) -> (\d+) \(most (\d+)\) \| (.*)$")
TRAIL = re.compile(r"^soak-trail (\S+) \| (.*?) \|(.*)$")


def main(paths):
    rows, trails, bad = [], [], False
    for path in paths:
        build = os.path.splitext(os.path.basename(path))[0]
        text = open(path, encoding="utf-8", errors="replace").read()
        for line in text.splitlines():
            m = LINE.match(line)
            if m:
                saver, setting, ticks, b0, b1, _, g0, g1, _, verdict = m.groups()
                rows.append((saver, setting, build, ticks, f"{int(b0):,}", f"{int(b1):,}",
                             f"{(int(b1) - int(b0)) // 1024:+,} KB", g0, g1, verdict))
                bad |= verdict != "flat"
            elif line.startswith("soak ") and "FAIL" in line:
                rows.append((line, "", build, "", "", "", "", "", "", "FAIL"))
                bad = True
            t = TRAIL.match(line)
            if t:
                trails.append(f"{t.group(1)} | {t.group(2)} | {build} |{t.group(3)}")
        if not any(r[2] == build for r in rows):
            print(f"{path}: no soak results", file=sys.stderr)
            print(text[-2000:], file=sys.stderr)
            bad = True
    head = ("saver", "setting", "build", "ticks", "private bytes start", "end", "growth", "GDI objects start",
            "end", "verdict")
    widths = [max(len(str(r[i])) for r in rows + [head]) for i in range(len(head))]
    for r in [head, tuple("-" * w for w in widths)] + rows:
        print(" | ".join(str(c).ljust(w) for c, w in zip(r, widths)).rstrip())
    print()
    print("samples after the warm-up (tick:private KB/GDI objects):")
    for t in trails:
        print(t)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
