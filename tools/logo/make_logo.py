#!/usr/bin/env python3
"""Draws the Halcyon tray icon and writes it as a Windows .ico file.

The drawing: a dark round badge holding a light-blue mouse with its button
split and scroll wheel, and a small amber "halcyon" spark at the top right.
Each size is rendered with 4x4 supersampling and stored as a 32-bit BGRA
bitmap entry (with its AND mask), the form every .ico reader understands.

Usage: make_logo.py OUTPUT.ico
"""
import struct
import sys

SIZES = (16, 24, 32, 48, 64)
SUPER = 4


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


def over(dst, src):
    sa = src[3]
    da = dst[3]
    out_a = sa + da * (1 - sa)
    if out_a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    rgb = [(src[i] * sa + dst[i] * da * (1 - sa)) / out_a for i in range(3)]
    return (rgb[0], rgb[1], rgb[2], out_a)


def in_rounded_rect(x, y, cx, cy, hw, hh, r):
    dx = max(abs(x - cx) - (hw - r), 0.0)
    dy = max(abs(y - cy) - (hh - r), 0.0)
    return dx * dx + dy * dy <= r * r


def shade(u, v):
    """Colour of the unit-square point (u, v), 0..1 both, y down."""
    colour = (0.0, 0.0, 0.0, 0.0)
    # Badge: dark navy disc with a slightly lighter rim.
    d2 = (u - 0.5) ** 2 + (v - 0.5) ** 2
    if d2 <= 0.48 ** 2:
        colour = over(colour, (0.13, 0.19, 0.27, 1.0))
        if d2 >= 0.43 ** 2:
            colour = over(colour, (0.25, 0.36, 0.48, 1.0))
    # Mouse body: a tall capsule, light blue fading to deeper blue.
    if in_rounded_rect(u, v, 0.47, 0.54, 0.19, 0.28, 0.19):
        t = min(max((v - 0.26) / 0.56, 0.0), 1.0)
        colour = over(colour, mix((0.55, 0.86, 0.97, 1.0), (0.13, 0.55, 0.85, 1.0), t))
        # Button split: a short line from the top down to the wheel.
        if abs(u - 0.47) < 0.018 and v < 0.50:
            colour = over(colour, (0.10, 0.22, 0.36, 1.0))
        # Line under the buttons.
        if abs(v - 0.50) < 0.016:
            colour = over(colour, (0.10, 0.22, 0.36, 0.8))
    # Scroll wheel.
    if in_rounded_rect(u, v, 0.47, 0.39, 0.035, 0.065, 0.035):
        colour = over(colour, (0.97, 0.98, 1.0, 1.0))
    # Spark: a small amber four-point star.
    sx, sy = abs(u - 0.77), abs(v - 0.24)
    if sx + sy < 0.09 and (sx < 0.02 or sy < 0.02 or sx + sy < 0.05):
        colour = over(colour, (1.0, 0.72, 0.20, 1.0))
    return colour


def render(size):
    pixels = []
    n = SUPER * SUPER
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    u = (x + (sx + 0.5) / SUPER) / size
                    v = (y + (sy + 0.5) / SUPER) / size
                    c = shade(u, v)
                    acc[0] += c[0] * c[3]
                    acc[1] += c[1] * c[3]
                    acc[2] += c[2] * c[3]
                    acc[3] += c[3]
            a = acc[3] / n
            if a > 0:
                rgb = [acc[i] / acc[3] for i in range(3)]
            else:
                rgb = [0.0, 0.0, 0.0]
            row.append(tuple(int(round(min(max(c, 0.0), 1.0) * 255)) for c in (rgb[0], rgb[1], rgb[2], a)))
        pixels.append(row)
    return pixels


def bitmap_entry(size, pixels):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        for r, g, b, a in pixels[y]:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(pixels[y]):
            if a == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(xor) + bytes(mask)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    entries = [(s, bitmap_entry(s, render(s))) for s in SIZES]
    out = bytearray(struct.pack('<HHH', 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in entries:
        out += data
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
