#!/usr/bin/env python3
"""Which tick of Orbel's run a screenshot shows.

Reads the white pixels of a 1024 x 768 screenshot (ImageMagick's txt: format
on stdin), replays the saver from the generator's first state (300 points,
one-pixel dots) and prints the first tick whose dots are exactly those white
pixels, or "none". The arithmetic is the saver's, in the same order, so the
replay is exact.
"""
import math
import sys

WIDTH, HEIGHT, COUNT, MAX_TICKS = 1024, 768, 300, 200


def white_pixels(lines):
    seen = set()
    for line in lines:
        if line.startswith("#") or "#FFFFFF" not in line.upper():
            continue
        x, y = line.split(":")[0].split(",")
        seen.add((int(x), int(y)))
    return seen


def opening_layout():
    state = 1
    def draw():
        nonlocal state
        state = (state * 214013 + 2531011) % 2**32
        return (state >> 16) & 0x7FFF
    points = []
    for _ in range(COUNT):
        x = int(draw() / 32767.0 * (WIDTH * 0.8) + WIDTH * 0.1)
        y = int(draw() / 32767.0 * (HEIGHT * 0.8) + HEIGHT * 0.1)
        points.append([x, y, 0.0, 0.0])
    return points


def step(points):
    n = len(points)
    for i in range(n):
        pi = points[i]
        for j in range(i + 1, n):
            pj = points[j]
            dx = pj[0] - pi[0]
            dy = pj[1] - pi[1]
            d2 = dx * dx + dy * dy
            if d2 <= 4000:
                continue
            t = float(d2)
            r3 = math.sqrt(t) * t
            a = 100.0 / r3
            pi[2] += dx * a
            pi[3] += dy * a
            pj[2] -= dx * a
            pj[3] -= dy * a
        pi[0] += int(pi[2])
        pi[1] += int(pi[3])


def dots(points):
    return {(x, y) for x, y, _, _ in points if 0 <= x < WIDTH and 0 <= y < HEIGHT}


def main():
    shown = white_pixels(sys.stdin)
    points = opening_layout()
    for tick in range(MAX_TICKS + 1):
        if tick > 0 and dots(points) == shown:
            print(tick)
            return
        step(points)
    print("none")


if __name__ == "__main__":
    main()
