#!/usr/bin/env python3
"""Turns icon.txt into quorvel.ico: one 32 x 32 image at 16 bits per pixel.

Run from anywhere: python3 resources/make_icon.py
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
SIZE = 32
PALETTE = {  # red, green, blue
    "K": (40, 48, 64),
    "Y": (250, 200, 70),
    "y": (226, 168, 40),
    "W": (255, 255, 255),
    "B": (74, 120, 180),
}


def rgb555(red, green, blue):
    return (red >> 3) << 10 | (green >> 3) << 5 | (blue >> 3)


def main():
    rows = [line for line in (HERE / "icon.txt").read_text().splitlines() if line and not line.startswith("#")]
    assert len(rows) == SIZE and all(len(row) == SIZE for row in rows), "icon.txt must be 32 rows of 32"

    colour, mask = bytearray(), bytearray()
    for row in reversed(rows):  # DIBs run bottom-up
        colour += b"".join(struct.pack("<H", rgb555(*PALETTE[c]) if c != "." else 0) for c in row)
        bits = int("".join("1" if c == "." else "0" for c in row), 2)
        mask += bits.to_bytes(4, "big")  # 32 pixels: a 4-byte row, already aligned

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 16, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 16, len(image), 6 + 16)
    (HERE / "quorvel.ico").write_bytes(directory + image)


if __name__ == "__main__":
    main()
