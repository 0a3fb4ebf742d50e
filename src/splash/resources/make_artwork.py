#!/usr/bin/env python3
"""Draws the splash window's artwork and its two button icons, with no library beyond
Python's own: a dusk landscape with the product's emblem and name (splash.bmp, 593 x 262,
24 bits) and the icons of the "Info &Sys" and "&OK" buttons (info.ico, ok.ico, 32 x 32).

    python3 make_artwork.py [OUTPUT_FOLDER]

The output is the same on every run; the files in this folder are its output.
"""
import math
import os
import struct
import sys

WIDTH, HEIGHT = 593, 262


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def smooth(t):
    t = max(0.0, min(1.0, t))
    return t * t * (3 - 2 * t)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    cx, cy = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(cx * cx + cy * cy)


# Capital letters as strokes on a grid 4 wide and 6 high.
LETTERS = {
    "T": [[(0, 0), (4, 0)], [(2, 0), (2, 6)]],
    "E": [[(4, 0), (0, 0), (0, 6), (4, 6)], [(0, 3), (3, 3)]],
    "S": [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 2), (1, 3), (3, 3), (4, 4), (4, 5), (3, 6),
           (1, 6), (0, 5)]],
    "M": [[(0, 6), (0, 0), (2, 3.5), (4, 0), (4, 6)]],
    "A": [[(0, 6), (2, 0), (4, 6)], [(0.8, 4), (3.2, 4)]],
    "R": [[(0, 6), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)], [(2, 3), (4, 6)]],
}


def word_strokes(word, left, top, scale, spacing):
    segments = []
    x = left
    for letter in word:
        for line in LETTERS[letter]:
            for (ax, ay), (bx, by) in zip(line, line[1:]):
                segments.append((x + ax * scale, top + ay * scale, x + bx * scale,
                                 top + by * scale))
        x += (4 + spacing) * scale
    return segments


def stroke_cover(px, py, segments, half_width):
    nearest = min(segment_distance(px + 0.5, py + 0.5, *s) for s in segments)
    return max(0.0, min(1.0, half_width + 0.5 - nearest))


def ridge(x, base, parts):
    return base + sum(a * math.sin(x * f + p) for a, f, p in parts)


def landscape():
    sky_top, sky_mid, horizon = (14, 30, 78), (70, 70, 140), (246, 170, 96)
    sun_x, sun_y, sun_r = 455.0, 150.0, 26.0
    far = [(9, 0.021, 0.4), (5, 0.057, 1.9), (2, 0.13, 0.2)]
    middle = [(13, 0.013, 2.2), (6, 0.041, 0.7), (2.5, 0.11, 1.3)]
    near = [(10, 0.009, 4.0), (5, 0.033, 2.5), (2, 0.09, 0.9)]
    water_top = 214
    pixels = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            # Sky: deep blue at the top to a warm horizon, with the sun's glow.
            t = y / 175.0
            colour = mix(sky_top, sky_mid, smooth(t * 1.6)) if t < 0.62 else \
                mix(sky_mid, horizon, smooth((t - 0.62) / 0.38))
            d = math.hypot(x - sun_x, y - sun_y)
            glow = math.exp(-d / 70.0) * 0.55
            colour = mix(colour, (255, 214, 140), glow)
            if d < sun_r:
                colour = mix(colour, (255, 236, 190), min(1.0, (sun_r - d) / 1.5))
            # Three ranges of hills, paler with distance.
            for parts, base, shade in ((far, 150, (96, 86, 140)), (middle, 175, (58, 50, 104)),
                                       (near, 196, (30, 26, 62))):
                top = ridge(x, base, parts)
                if y >= top - 0.5:
                    cover = min(1.0, y - top + 0.5)
                    colour = mix(colour, mix(shade, (0, 0, 0), (y - top) / 220.0), cover)
            # A still lake that mirrors the sky, with ripples.
            if y >= water_top:
                mirrored = 2 * water_top - y
                t = mirrored / 175.0
                reflection = mix(sky_mid, horizon, smooth((t - 0.62) / 0.38))
                ripple = 0.5 + 0.5 * math.sin(y * 1.7 + math.sin(x * 0.05) * 2.0)
                colour = mix(reflection, (20, 22, 60), 0.45 + 0.25 * ripple +
                             (y - water_top) / 120.0)
                if abs(x - sun_x) < 30 - (y - water_top) * 0.4 and ripple > 0.55:
                    colour = mix(colour, (255, 220, 150), 0.55)
            row.append(colour)
        pixels.append(row)
    return pixels


def emblem(pixels):
    # A round badge on the left: a ring, an orbit and the initial T.
    cx, cy, outer, inner = 112.0, 100.0, 74.0, 62.0
    t_strokes = [(cx - 26, cy - 26, cx + 26, cy - 26), (cx, cy - 26, cx, cy + 32)]
    for y in range(int(cy - outer - 2), int(cy + outer + 3)):
        for x in range(int(cx - outer - 2), int(cx + outer + 3)):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            colour = pixels[y][x]
            # The badge's face: a dark glass disc, lighter towards its top.
            face = max(0.0, min(1.0, inner + 0.5 - d))
            colour = mix(colour, mix((40, 70, 150), (10, 20, 60), (y - cy + inner) / (2 * inner)),
                         face * 0.85)
            # The ring: gold, lit from the top left.
            ring = max(0.0, min(1.0, min(d - inner + 0.5, outer + 0.5 - d)))
            light = 0.5 + 0.5 * ((cx - x) + (cy - y)) / (outer * 1.5)
            colour = mix(colour, mix((150, 100, 30), (255, 220, 120), light), ring)
            # An orbit round the initial, tilted, with a bright moon on it.
            ex, ey = (x + 0.5 - cx), (y + 0.5 - cy)
            a, b, tilt = 46.0, 16.0, -0.45
            rx = ex * math.cos(tilt) - ey * math.sin(tilt)
            ry = ex * math.sin(tilt) + ey * math.cos(tilt)
            on_orbit = abs(math.hypot(rx / a, ry / b) - 1.0) * 16.0
            if d < inner:
                colour = mix(colour, (140, 200, 255), max(0.0, 1.0 - on_orbit) * 0.8)
                moon = math.hypot(x + 0.5 - (cx + 40), y + 0.5 - (cy - 26))
                colour = mix(colour, (255, 250, 230), max(0.0, min(1.0, 5.5 - moon)))
                cover = stroke_cover(x, y, t_strokes, 6.0)
                colour = mix(colour, (250, 244, 225), cover)
            pixels[y][x] = colour


def wordmark(pixels):
    scale, spacing, half = 4.2, 1.6, 1.6
    word = "TESMARA"
    width = (len(word) * (4 + spacing) - spacing) * scale
    left = 112.0 - width / 2
    top = 196.0
    segments = word_strokes(word, left, top, scale, spacing)
    shadow = [(ax + 1.5, ay + 1.5, bx + 1.5, by + 1.5) for ax, ay, bx, by in segments]
    for y in range(int(top - 4), int(top + 6 * scale + 6)):
        for x in range(int(left - 4), int(left + width + 6)):
            colour = mix(pixels[y][x], (5, 5, 20), stroke_cover(x, y, shadow, half) * 0.7)
            pixels[y][x] = mix(colour, (255, 238, 200), stroke_cover(x, y, segments, half))


def bmp_bytes(pixels):
    width, height = len(pixels[0]), len(pixels)
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((round(b), round(g), round(r)))
        body += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + body


def icon_bytes(draw):
    """A 32 x 32 icon with an alpha channel, drawn by draw(x, y) -> (r, g, b, a)."""
    size = 32
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            r, g, b, a = draw(x + 0.5, y + 0.5)
            xor += bytes((round(b), round(g), round(r), round(a * 255)))
            bits = (bits << 1) | (1 if a == 0 else 0)
        mask += bits.to_bytes(4, "big")
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                       0, 0)
    image = info + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def badge(x, y, top, bottom):
    d = math.hypot(x - 16, y - 16)
    a = max(0.0, min(1.0, 15.0 - d))
    colour = mix(top, bottom, y / 32.0)
    rim = max(0.0, min(1.0, d - 13.0))
    colour = mix(colour, mix(bottom, (0, 0, 0), 0.3), rim)
    return colour, a


def info_icon(x, y):
    colour, a = badge(x, y, (110, 170, 255), (20, 60, 170))
    dot = max(0.0, min(1.0, 3.0 - math.hypot(x - 16, y - 9.5)))
    stem = max(0.0, min(1.0, 2.6 - segment_distance(x, y, 16, 14.5, 16, 24)))
    colour = mix(colour, (255, 255, 255), max(dot, stem))
    return (*colour, a)


def ok_icon(x, y):
    colour, a = badge(x, y, (120, 220, 120), (20, 120, 40))
    tick = min(segment_distance(x, y, 9, 16.5, 14, 22), segment_distance(x, y, 14, 22, 23.5, 10))
    colour = mix(colour, (255, 255, 255), max(0.0, min(1.0, 2.8 - tick)))
    return (*colour, a)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    pixels = landscape()
    emblem(pixels)
    wordmark(pixels)
    outputs = {"splash.bmp": bmp_bytes(pixels), "info.ico": icon_bytes(info_icon),
               "ok.ico": icon_bytes(ok_icon)}
    for name, data in outputs.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
