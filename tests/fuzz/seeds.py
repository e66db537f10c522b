#!/usr/bin/env python3
"""seeds.py TARGET DIR: writes the seed inputs of one fuzz target into DIR.

The seeds are the cases of the native tests (the switch forms, the "List"
data at the buffer's edges, the stored numbers at their bounds), laid out
as each target reads its input (see the comment at the top of its source).
"""
import struct
import sys
from pathlib import Path

INT_MIN, INT_MAX = -(2**31), 2**31 - 1


def command_line():
    # The argument texts of the mode table, alone and after a program name.
    args = ["/c", "-c", "/C", "-C", "/s", "-s", "/S", "-S", "/p 1234", "-p 1234", "/P 1234", "-P 1234",
            "", "hello", "/x /y", "/s -c", "/p 1234 /c", "/p 99 /s", "abc-cdef", "--screensaver-shot",
            "x-p", "/c 1234", "/c:1234", "x /p 1234", "/p", "/p 0", "/p abc", "/p  \t42xyz", "/p+77",
            "/p 3000000000", "/p -1", "/p 99999999999999999999"]
    lines = [a.encode("latin-1") for a in args]
    lines += [b'"C:\\Program Files\\Orbel.scr" ' + a.encode("latin-1") for a in args[:12]]
    lines += [b'"C:\\Program Files\\Orbel.scr" /p 123', b"C:\\WINDOWS\\Orbel.scr /s", b"Orbel.scr\t\t/c",
              b"Orbel.scr", b'"unterminated', "光陰 /s".encode("cp932")]
    # ContainsText's cases: the text, a zero byte, the pattern.
    lines += [b"abc/pdef\0/p", b"/p\0/p", b"/P\0/p", b"/\0/p", b"//p\0/p", b"\0/p", b"abc\0", b"\x81\x2fs\0/s"]
    return lines


def text_list():
    def header(flags=1, speed=3, font=48, screen=(1024, 768), window=(1024, 768), widest=48, ticks=20,
               fail=0, seed=1):
        return struct.pack("<BiiHHHHHBII", flags, speed, font, *screen, *window, widest, ticks, fail, seed)

    def value(data, count=None, capacity=260):
        count = len(data) if count is None else count
        return struct.pack("<HI", capacity, count) + data[:min(count, capacity)]

    texts = ["Tutte le strade portano a Roma.", "The Eyes of Truth.", "少年老い易く、学成り難し", "光陰矢の如し",
             "汝自身を知れ", "one", "x", "WWW", "iii", "Hello", "ABCD", "WiW"]
    every = b"".join(value(t.encode("cp932")) for t in texts[:8])
    pairs = "あ".encode("cp932") * 130
    seeds = [
        header() + every,
        header(flags=0) + every,
        # The data at the buffer's edges: a zero inside, 259 and 260 bytes,
        # a two-byte character across the cut, a lead byte at the end.
        header() + value(b"ab\0cd") + value(b"\0abc") + value(b"x" * 258) + value(b"x" * 259),
        header() + value(b"x" * 260) + value(b"x" * 258 + "あ".encode("cp932")) + value(pairs),
        header() + value(b"x" * 257 + "あ".encode("cp932") + b"y") + value(b"a\x82\x82\x82\xa0b"),
        header() + value(b"\x82") + value(b"abc\x81") + value(b"", 0) + value(b"x" * 300, 300),
        header() + value(b"abc", 3, 0) + value(b"abcd", 4, 1) + value(b"abcde", 5, 5) + value(b"x" * 33, 33, 32),
    ]
    # Speeds and font sizes at their bounds, stored and unclamped.
    for speed, font in [(INT_MIN, INT_MIN), (-3, -1), (0, 0), (1, 5), (5, 6), (6, 400), (9, 401),
                        (INT_MAX, INT_MAX)]:
        seeds.append(header(flags=3, speed=speed, font=font, ticks=64) + value(b"ABCD") + value(b"x"))
    # Preview windows, tiny and empty screens, failing allocations.
    seeds.append(header(window=(152, 112), ticks=64) + value(b"Hello") + value("光陰".encode("cp932")))
    seeds.append(header(screen=(0, 0), window=(0, 0), widest=0) + value(b"iii"))
    for fail in [1, 2, 4, 8, 0x10, 0x2A, 0xFFFFFFFF]:
        seeds.append(header(fail=fail, ticks=3) + value(b"one") + value(b"two") + value(b"three"))
    return seeds


def saver_settings():
    def orbel(count=300, screen=(1024, 768), window=(1024, 768), ticks=8):
        return struct.pack("<iiiiiB", count, *screen, *window, ticks)

    def worms(type_=0, count=100, length=10, area=(640, 480), ticks=20, budget=0):
        return struct.pack("<iiiiiBB", type_, count, length, *area, ticks, budget)

    seeds = []
    counts = [INT_MIN, -5, 0, 1, 300, 1000, 1001, INT_MAX]
    types = [0, 1, 2, 3, -1, INT_MIN, INT_MAX]
    worms_counts = [INT_MIN, -2, 0, 1, 100, 1999, 2000, 2001, INT_MAX]
    lengths = [INT_MIN, -2, 0, 1, 10, 999, 1000, 1001, INT_MAX]
    # The drawn side: Run, the classic preview, exact halves, no window,
    # a window larger than the screen.
    views = [((1024, 768), (1024, 768)), ((1024, 768), (152, 112)), ((1024, 768), (512, 384)),
             ((1920, 1080), (152, 112)), ((1280, 1024), (152, 112)), ((1024, 768), (0, 0)),
             ((1024, 768), (0, 112)), ((1024, 768), (-8, -8)), ((1024, 768), (2048, 1536))]
    for i in range(max(len(counts), len(types), len(worms_counts), len(views))):
        screen, window = views[i % len(views)]
        seeds.append(struct.pack("<I", i + 1) + orbel(counts[i % len(counts)], screen, window) +
                     worms(types[i % len(types)], worms_counts[i % len(worms_counts)], lengths[i % len(lengths)],
                           screen))
    # Allocations running out at each step of a small crowd's build.
    for budget in [1, 2, 3, 4, 5, 6]:
        seeds.append(struct.pack("<I", 1) + orbel() + worms(count=2, length=7, budget=budget))
    # Points and worms at the edges of the largest and the smallest area.
    seeds.append(struct.pack("<I", 3) + orbel(screen=(2**27 - 1, 2**27 - 1), window=(1, 1), ticks=16) +
                 worms(type_=2, area=(2**27 - 1, 2**27 - 1), ticks=64))
    seeds.append(struct.pack("<I", 5) + orbel(screen=(0, 0), window=(0, 0)) + worms(area=(0, 0), length=1))
    return seeds


def hack_options():
    def case(args=(), config=b"", strings=b"", fail=0):
        return (struct.pack("<BH", fail, len(config)) + config + struct.pack("<H", len(strings)) + strings +
                b"".join(a.encode() + b"\0" for a in args))

    # The native tests' files: a byte-order mark, Japanese, an empty line,
    # bytes that are not UTF-8, CR LF, lines at and past 259 characters
    # (a pair of surrogates across the cut), forms UTF-8 forbids.
    strings = [b"\xef\xbb\xbf" + "光陰矢の如し".encode() + b"\n\n\xff\xfenot text\nlast\r\n",
               b"x" * 300 + b"\n" + "あ".encode() * 300 + b"\n" + b"y" * 258 + "😀".encode() + b"\n",
               b"a\0b\n\xed\xa0\x80\n\xc0\x80\n\xf4\x90\x80\x80\n\xe3\x81\nend"]
    configs = [b"", b"speed = 9\nbold = yes\n", b"# a comment\n\n  font-size=2  \nfps = true\ndelay = 20000\n",
               b"colour = red\n", b"just words\n", b"italic = maybe\n"]
    args = [[], ["--speed", "9", "--font-size=2", "--font", "IPAGothic", "--bold", "--no-italic"],
            ["--fps=true", "--delay", "-5", "--window-id", "0x2a", "--root", "--frames", "3"], ["--help"],
            ["stray"], ["--frobnicate"], ["--speed"], ["--fps=maybe"], ["--delay", "20000000"], ["--strings", "x"]]
    seeds = [case(args[i % len(args)], configs[i % len(configs)], strings[i % len(strings)]) for i in range(10)]
    # Memory running out at each step of a small file.
    seeds += [case(strings=strings[0], fail=n) for n in range(1, 8)]
    return seeds


TARGETS = {"fuzz_command_line": command_line, "fuzz_glyra2_text": text_list, "fuzz_glyra_text": text_list,
           "fuzz_saver_settings": saver_settings, "fuzz_hack_options": hack_options}

if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in TARGETS:
        sys.exit(f"usage: seeds.py {{{'|'.join(TARGETS)}}} DIR")
    out = Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    for n, seed in enumerate(TARGETS[sys.argv[1]]()):
        (out / f"seed-{n:03d}").write_bytes(seed)
