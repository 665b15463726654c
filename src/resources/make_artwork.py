#!/usr/bin/env python3
"""Draws Quenmark Search's artwork: program icon, logo, link icon, cursor, panel
banner and panel background. Plain Python, no imaging library: shapes are drawn
as distance functions, supersampled, and written as ICO, CUR and BMP files."""
import math
import os
import struct
import sys

BLUE = (30, 110, 200)
DARK = (20, 40, 90)
WHITE = (255, 255, 255)
GOLD = (250, 200, 40)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def rounded_box(px, py, x0, y0, x1, y1, r):
    cx, cy = min(max(px, x0 + r), x1 - r), min(max(py, y0 + r), y1 - r)
    return math.hypot(px - cx, py - cy) - r


def ring(px, py, cx, cy, radius, width):
    return abs(math.hypot(px - cx, py - cy) - radius) - width / 2


def segment(px, py, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy) - width / 2


def magnifier(u, v):
    """The program's mark in unit coordinates: (rgb, alpha) layers, back to front."""
    layers = []
    if rounded_box(u, v, 0.02, 0.02, 0.98, 0.98, 0.2) <= 0:
        layers.append((mix(BLUE, DARK, v), 1.0))
    if math.hypot(u - 0.42, v - 0.42) <= 0.2:
        layers.append((mix(WHITE, BLUE, 0.25), 1.0))
    if ring(u, v, 0.42, 0.42, 0.22, 0.09) <= 0:
        layers.append((WHITE, 1.0))
    if segment(u, v, 0.58, 0.58, 0.82, 0.82, 0.13) <= 0:
        layers.append((GOLD, 1.0))
    return layers


def render(size, shape, samples=4):
    """RGBA rows, top row first."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) / size
                    v = (y + (sy + 0.5) / samples) / size
                    color, alpha = (0, 0, 0), 0.0
                    for c, a in shape(u, v):
                        color, alpha = c, a
                    for i in range(3):
                        acc[i] += color[i] * alpha
                    acc[3] += alpha
            n = samples * samples
            a = acc[3] / n
            rgb = tuple(round(acc[i] / acc[3]) if acc[3] else 0 for i in range(3))
            row.append(rgb + (round(a * 255),))
        rows.append(row)
    return rows


def dib_entry(rows):
    """A 32-bit icon/cursor image: header, BGRA bottom-up pixels, AND mask."""
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def icon_file(images, kind=1, hotspot=(0, 0)):
    """kind 1 = icon, 2 = cursor (the planes/bit-count fields hold the hotspot)."""
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for rows in images:
        blob = dib_entry(rows)
        size = len(rows)
        f1, f2 = (1, 32) if kind == 1 else hotspot
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, f1, f2, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b''.join(blobs)


def bmp24(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + 40 + len(data), 0, 0, 54) + header + bytes(data)


def bmp8(rows, palette):
    """8-bit palette bitmap; rows hold palette indices."""
    height, width = len(rows), len(rows[0])
    stride = (width + 3) & ~3
    data = b''.join(bytes(row) + bytes(stride - width) for row in reversed(rows))
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    off = 14 + 40 + len(pal)
    return b'BM' + struct.pack('<IHHI', off + len(data), 0, 0, off) + header + pal + data


def bmp8_rle(rows, palette):
    """8-bit palette bitmap compressed with BI_RLE8 (runs only): the gradient
    background shrinks from 170 KB to 2 KB."""
    height, width = len(rows), len(rows[0])
    data = bytearray()
    for row in reversed(rows):
        x = 0
        while x < width:
            run = 1
            while x + run < width and run < 255 and row[x + run] == row[x]:
                run += 1
            data += bytes((run, row[x]))
            x += run
        data += b'\x00\x00'
    data[-2:] = b'\x00\x01'
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 1, len(data), 2835, 2835, 256, 0)
    off = 14 + 40 + len(pal)
    return b'BM' + struct.pack('<IHHI', off + len(data), 0, 0, off) + header + pal + bytes(data)


def flatten(rows, background):
    return [[mix(background, (r, g, b), a / 255) for r, g, b, a in row] for row in rows]


def arrow_cursor(u, v):
    """A pointing hand's stand-in: a gold arrow with a dark edge."""
    layers = []
    inside = v >= 0.02 and u >= 0.02 and (u - 0.02) <= (v - 0.02) * 0.62 and v <= 0.78
    stem = segment(u, v, 0.2, 0.45, 0.42, 0.92, 0.12) <= 0
    if inside or stem:
        layers.append((DARK, 1.0))
    inner = v >= 0.08 and u >= 0.05 and (u - 0.05) <= (v - 0.08) * 0.5 and v <= 0.7
    if inner or segment(u, v, 0.2, 0.45, 0.4, 0.88, 0.05) <= 0:
        layers.append((GOLD, 1.0))
    return layers


def link_icon(u, v):
    layers = []
    if math.hypot(u - 0.5, v - 0.5) <= 0.47:
        layers.append((BLUE, 1.0))
    if segment(u, v, 0.3, 0.5, 0.7, 0.5, 0.1) <= 0 or segment(u, v, 0.5, 0.3, 0.5, 0.7, 0.1) <= 0:
        layers.append((WHITE, 1.0))
    return layers


def banner(width=221, height=48):
    """Indices into a 64-step blue ramp with a light wave through it."""
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            wave = 0.5 + 0.5 * math.sin(x / 18.0 + y / 9.0)
            t = 0.55 * (y / height) + 0.3 * wave * (1 - x / width)
            row.append(min(63, int(t * 64)))
        rows.append(row)
    return rows, [mix(BLUE, DARK, i / 63) for i in range(64)]


def background(width=483, height=354):
    """A grey gradient, top light to bottom darker."""
    palette = [mix((236, 236, 236), (176, 176, 184), i / 63) for i in range(64)]
    rows = [[min(63, (y * 64) // height)] * width for y in range(height)]
    return rows, palette


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)

    def write(name, data):
        with open(os.path.join(out_dir, name), 'wb') as f:
            f.write(data)

    write('quenmark.ico', icon_file([render(s, magnifier) for s in (16, 32, 48)]))
    write('link.ico', icon_file([render(16, link_icon)]))
    write('pointer.cur', icon_file([render(32, arrow_cursor)], kind=2, hotspot=(1, 1)))
    write('logo.bmp', bmp24(flatten(render(64, magnifier), (240, 240, 240))))
    write('banner.bmp', bmp8(*banner()))
    write('background.bmp', bmp8_rle(*background()))


if __name__ == '__main__':
    main(sys.argv[1])
