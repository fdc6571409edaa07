#!/usr/bin/env python3
"""Turns icon.txt into quorvel.ico: one 32 x 32 image at 16 bits per pixel.

icon.txt is drawn on a 16 x 16 grid; each character becomes a 2 x 2 block.
The output depends on icon.txt alone, so the committed .ico can be rebuilt
byte for byte. Run from anywhere: python3 resources/make_icon.py
With --check it writes nothing and fails if quorvel.ico is not up to date.
"""
import pathlib
import struct
import sys

HERE = pathlib.Path(__file__).resolve().parent
GRID = 16
SIZE = 32
SCALE = SIZE // GRID
BITS_PER_PIXEL = 16
TRANSPARENT = "."
PALETTE = {  # red, green, blue; 16 bits keep the top 5 bits of each
    "K": (40, 48, 64),
    "Y": (248, 200, 72),
    "o": (176, 112, 16),
    "y": (224, 168, 40),
    "W": (255, 255, 255),
    "B": (72, 120, 176),
}


def rgb555(red, green, blue):
    return (red >> 3) << 10 | (green >> 3) << 5 | (blue >> 3)


def read_grid():
    lines = (HERE / "icon.txt").read_text().splitlines()
    rows = [line for line in lines if line and not line.startswith("#")]
    assert len(rows) == GRID and all(len(row) == GRID for row in rows), f"icon.txt must be {GRID} rows of {GRID}"
    unknown = set("".join(rows)) - set(PALETTE) - {TRANSPARENT}
    assert not unknown, f"icon.txt uses characters with no colour: {sorted(unknown)}"
    return rows


def scaled(rows):
    return ["".join(c * SCALE for c in row) for row in rows for _ in range(SCALE)]


def icon_image(rows):
    """A DIB as icons hold it: header, colour pixels, then the AND mask."""
    colour, mask = bytearray(), bytearray()
    for row in reversed(rows):  # DIBs run bottom-up
        colour += b"".join(struct.pack("<H", 0 if c == TRANSPARENT else rgb555(*PALETTE[c])) for c in row)
        # Mask bit 1 lets the background through; the colour under it stays 0.
        bits = int("".join("1" if c == TRANSPARENT else "0" for c in row), 2)
        mask += bits.to_bytes(SIZE // 8, "big")  # 32 pixels: a 4-byte row, already aligned
    # Height counts the colour and mask halves together.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, BITS_PER_PIXEL, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def icon_file(image):
    directory = struct.pack("<HHH", 0, 1, 1)  # reserved, type icon, one image
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, BITS_PER_PIXEL, len(image), len(directory) + 16)
    return directory + entry + image


def main():
    icon = icon_file(icon_image(scaled(read_grid())))
    target = HERE / "quorvel.ico"
    if "--check" in sys.argv[1:]:
        if target.read_bytes() != icon:
            sys.exit(f"{target} is not what icon.txt gives: run {pathlib.Path(__file__).name}")
        print(f"{target} matches icon.txt")
        return
    target.write_bytes(icon)


if __name__ == "__main__":
    main()
