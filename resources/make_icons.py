#!/usr/bin/env python3
"""Draws the program's four 16-colour icons and writes them as .ico files beside this script.

icon0 32x32: computer, blue cable, pink pen-shaped probe, magenta "2" (About box)
icon1 16x16: red thermometer and "°C" (window class icon)
icon2 32x32: computer and logger joined by a two-way arrow, red no-entry sign (disconnected)
icon3 32x32: the same scene, green disc with a white tick (connected)
"""
import os
import struct

# One 16-entry palette for all four icons (index: name).
PALETTE = [
    (0, 0, 0),        # 0 black
    (128, 0, 0),      # 1 maroon
    (0, 128, 0),      # 2 green
    (128, 128, 0),    # 3 olive
    (0, 0, 128),      # 4 navy
    (255, 128, 192),  # 5 pink
    (0, 128, 128),    # 6 teal
    (192, 192, 192),  # 7 silver
    (128, 128, 128),  # 8 grey
    (255, 0, 0),      # 9 red
    (0, 200, 0),      # 10 bright green
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 magenta
    (0, 255, 255),    # 14 cyan
    (255, 255, 255),  # 15 white
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PINK, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, \
    MAGENTA, CYAN, WHITE = range(16)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[None] * size for _ in range(size)]  # None is transparent

    def set(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for dx in range(width):
                for dy in range(width):
                    self.set(x + dx, y + dy, c)

    def disc(self, cx, cy, r, c):
        for y in range(self.size):
            for x in range(self.size):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def glyph(self, x0, y0, rows, c, scale=1):
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch == '#':
                    self.rect(x0 + x * scale, y0 + y * scale,
                              x0 + x * scale + scale - 1, y0 + y * scale + scale - 1, c)


TWO = [
    ".###.",
    "#...#",
    "....#",
    "...#.",
    "..#..",
    ".#...",
    "#####",
]


def computer(cv, x, y):
    """A small monitor on a stand, 14 x 14 pixels from (x, y)."""
    cv.rect(x, y, x + 13, y + 9, SILVER)
    cv.frame(x, y, x + 13, y + 9, BLACK)
    cv.rect(x + 2, y + 2, x + 11, y + 7, NAVY)
    cv.line(x + 3, y + 3, x + 6, y + 3, CYAN)
    cv.rect(x + 5, y + 10, x + 8, y + 11, GREY)
    cv.rect(x + 2, y + 12, x + 11, y + 13, SILVER)
    cv.frame(x + 2, y + 12, x + 11, y + 13, BLACK)


def logger_box(cv, x, y):
    """The logger: a small box with a display slot, 9 x 8 pixels."""
    cv.rect(x, y, x + 8, y + 7, OLIVE)
    cv.frame(x, y, x + 8, y + 7, BLACK)
    cv.rect(x + 2, y + 2, x + 6, y + 3, YELLOW)


def link_scene(cv):
    computer(cv, 0, 2)
    logger_box(cv, 23, 5)
    # two-way arrow between them
    cv.line(15, 9, 21, 9, BLACK)
    cv.line(15, 9, 17, 7, BLACK)
    cv.line(15, 9, 17, 11, BLACK)
    cv.line(21, 9, 19, 7, BLACK)
    cv.line(21, 9, 19, 11, BLACK)


def icon0():
    cv = Canvas(32)
    computer(cv, 0, 0)
    # blue cable from the computer down and across to the probe
    cv.line(7, 14, 7, 24, BLUE, 2)
    cv.line(7, 24, 16, 24, BLUE, 2)
    # pink pen-shaped probe lying to the right, tip at the far end
    cv.rect(17, 23, 27, 26, PINK)
    cv.frame(17, 23, 27, 26, MAROON)
    cv.line(28, 24, 30, 24, GREY)
    cv.line(28, 25, 31, 25, GREY)
    # large magenta 2
    cv.glyph(18, 1, TWO, MAGENTA, scale=2)
    return cv


def icon1():
    cv = Canvas(16)
    # thermometer: tube with a red column and a round bulb
    cv.rect(2, 1, 5, 11, WHITE)
    cv.frame(2, 0, 5, 11, GREY)
    cv.rect(3, 4, 4, 12, RED)
    cv.disc(3.5, 12.5, 2.6, RED)
    for y in (3, 5, 7, 9):
        cv.set(6, y, BLACK)
    # "°C"
    cv.glyph(8, 2, [".#.", "#.#", ".#."], BLACK)
    cv.glyph(10, 5, [".###", "#...", "#...", "#...", "#...", ".###"], BLACK)
    return cv


def icon2():
    cv = Canvas(32)
    link_scene(cv)
    # red no-entry sign: a red disc with a white bar
    cv.disc(22.5, 23.5, 7.6, RED)
    cv.rect(17, 22, 28, 25, WHITE)
    return cv


def icon3():
    cv = Canvas(32)
    link_scene(cv)
    # green disc with a white tick
    cv.disc(22.5, 23.5, 7.6, LIME)
    cv.line(18, 23, 21, 26, WHITE, 2)
    cv.line(21, 26, 26, 19, WHITE, 2)
    return cv


def ico_bytes(cv):
    """A single-image 4-bit .ico: header, directory entry, DIB with its AND mask."""
    n = cv.size
    xor_stride = ((n * 4 + 31) // 32) * 4
    and_stride = ((n + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(n - 1, -1, -1):  # bottom-up rows
        row = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x in range(n):
            c = cv.px[y][x]
            index = 0 if c is None else c
            row[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += row
        mask += bits
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', n, n, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in (('icon0', icon0), ('icon1', icon1), ('icon2', icon2), ('icon3', icon3)):
        with open(os.path.join(here, name + '.ico'), 'wb') as f:
            f.write(ico_bytes(draw()))


if __name__ == '__main__':
    main()
