#!/usr/bin/env python3
"""Makes a 32x32, 16-colour .ico from a text picture.

The picture is 32 lines of 32 characters. A hex digit 0-f picks a colour of
the standard 16-colour palette (0 black, 1 maroon, 2 green, 3 olive, 4 navy,
5 purple, 6 teal, 7 silver, 8 grey, 9 red, a lime, b yellow, c blue,
d fuchsia, e aqua, f white); '.' is transparent.

    tools/make_icon.py picture.txt out.ico
"""
import struct
import sys

PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
SIZE = 32


def read_picture(path):
    with open(path, encoding="ascii") as f:
        rows = [line.rstrip("\n") for line in f if line.strip()]
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        sys.exit(f"{path}: need {SIZE} lines of {SIZE} characters")
    for r in rows:
        for ch in r:
            if ch != "." and ch not in "0123456789abcdef":
                sys.exit(f"{path}: unknown character {ch!r}")
    return rows


def icon_bytes(rows):
    # Rows are stored bottom-up: 4 bits a pixel, then the 1-bit AND mask.
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        idx = [0 if ch == "." else int(ch, 16) for ch in row]
        for x in range(0, SIZE, 2):
            xor.append(idx[x] << 4 | idx[x + 1])
        bits = 0
        for ch in row:
            bits = bits << 1 | (ch == ".")
        mask += bits.to_bytes(SIZE // 8, "big")
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[2], "wb") as f:
        f.write(icon_bytes(read_picture(sys.argv[1])))


if __name__ == "__main__":
    main()
