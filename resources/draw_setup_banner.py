#!/usr/bin/env python3
"""Draws setup_banner.bmp, the picture on the left of every setup page: 47 x 205 pixels in 16
colours, stored run-length encoded (BI_RLE4). Run it again after changing the drawing:
    python3 resources/draw_setup_banner.py resources/setup_banner.bmp
"""
import struct
import sys

W, H = 47, 205

PALETTE = [
    (0, 0, 0), (16, 24, 64), (24, 40, 96), (32, 64, 136),           # 0-3 black, night blues
    (48, 96, 176), (96, 144, 208), (168, 200, 232), (255, 255, 225),  # 4-7 blues, tooltip
    (232, 216, 160), (128, 128, 128), (192, 192, 192), (255, 255, 255),  # 8-11
    (64, 64, 64), (240, 144, 32), (32, 128, 128), (16, 80, 96),       # 12-15
]
BLACK, TOOLTIP, TIP_SHADE, GRAY, SILVER, WHITE, DARK, ORANGE = 0, 7, 8, 9, 10, 11, 12, 13

SMALL = {  # 3 x 5
    'C': ["###", "#..", "#..", "#..", "###"], 'T': ["###", ".#.", ".#.", ".#.", ".#."],
    'R': ["##.", "#.#", "##.", "#.#", "#.#"], 'L': ["#..", "#..", "#..", "#..", "###"],
    'A': [".#.", "#.#", "###", "#.#", "#.#"], 'F': ["###", "#..", "##.", "#..", "#.."],
    '1': [".#.", "##.", ".#.", ".#.", "###"], 'S': ["###", "#..", "###", "..#", "###"],
    '+': ["...", ".#.", "###", ".#.", "..."], '<': ["..#", ".#.", "#..", ".#.", "..#"],
    '>': ["#..", ".#.", "..#", ".#.", "#.."],
}
LARGE = {  # 5 x 7
    'H': ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'i': ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    'n': [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    't': [".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."],
    'r': [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    'a': [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    'l': [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
}
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]

px = [[0] * W for _ in range(H)]


def put(x, y, c):
    if 0 <= x < W and 0 <= y < H:
        px[y][x] = c


def rect(x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(x, y, c)


def text_small(x, y, s, c):
    for ch in s:
        for gy, row in enumerate(SMALL[ch]):
            for gx, bit in enumerate(row):
                if bit == '#':
                    put(x + gx, y + gy, c)
        x += 4


def keycap(x0, y0, x1, y1, label):
    rect(x0, y0, x1, y1, BLACK)
    rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, SILVER)
    rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1, WHITE)
    rect(x0 + 1, y0 + 1, x0 + 1, y1 - 1, WHITE)
    rect(x0 + 1, y1 - 2, x1 - 1, y1 - 1, GRAY)
    rect(x1 - 2, y0 + 2, x1 - 1, y1 - 1, GRAY)
    width = len(label) * 4 - 1
    text_small((x0 + x1 - width) // 2 + 1, y0 + 4, label, DARK)


# Night-blue sky that lightens downwards, dithered between the four blues.
for y in range(H):
    level = 1 + 3.0 * y / (H - 1)
    for x in range(W):
        base = int(level)
        frac = level - base
        px[y][x] = min(4, base + (1 if frac * 16 > BAYER[y % 4][x % 4] else 0))

# The bar itself: a strip in tooltip colours showing one learned shortcut.
rect(3, 12, 43, 26, BLACK)
rect(4, 13, 42, 25, TOOLTIP)
rect(4, 24, 42, 25, TIP_SHADE)
text_small(6, 16, "S<", DARK)
text_small(14, 16, "CTRL", BLACK)
text_small(30, 16, "+S>", DARK)
rect(4, 13, 6, 13, ORANGE)

# Keys that the bar reads from menus.
keycap(8, 40, 38, 56, "CTRL")
keycap(8, 62, 38, 78, "ALT")
keycap(12, 84, 34, 100, "F1")

# The product's name, reading upwards, at twice the glyph size.
name = "Hintrail"
x0, y0, scale = 17, 198, 2


def draw_letter(k, ch, shift, colour):
    for gy, row in enumerate(LARGE[ch]):
        for gx, bit in enumerate(row):
            if bit != '#':
                continue
            u, v = k * 6 + gx, gy
            for dx in range(scale):
                for dy in range(scale):
                    put(x0 + v * scale + dx + shift, y0 - u * scale - dy + shift, colour)


for k, ch in enumerate(name):
    draw_letter(k, ch, 1, BLACK)  # shadow
    draw_letter(k, ch, 0, WHITE)


def rle4(rows):
    out = bytearray()
    for row in rows:  # bottom-up
        x = 0
        while x < W:
            c = row[x]
            n = 1
            while x + n < W and row[x + n] == c and n < 255:
                n += 1
            out += bytes([n, (c << 4) | c])
            x += n
        out += b"\x00\x00"  # end of line
    out[-2:] = b"\x00\x01"  # end of bitmap
    return bytes(out)


bits = rle4(list(reversed(px)))
palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 4, 2, len(bits), 2835, 2835, 16, 16)
offset = 14 + len(info) + len(palette)
header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
with open(sys.argv[1] if len(sys.argv) > 1 else "setup_banner.bmp", "wb") as f:
    f.write(header + info + palette + bits)
