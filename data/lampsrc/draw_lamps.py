#!/usr/bin/env python3
"""Draws the shipped lamp pictures as 1-bit BMPs (lampNN_16x16.bmp, lampNN_32x32.bmp).

The BMPs in this directory are the sources the build converts; this script drew the first set
and can redraw it (python3 draw_lamps.py [--ascii] [DIR]). Each picture is drawn on a 16-unit
grid and sampled at pixel centres, so a unit is one dot in the 16-dot lamp and two in the
32-dot one. Left half: the lamp's off state; right half: its on state. Drawn dots are black
(colour index 0, a dark dot on the panel), the rest white (index 1).
"""
import math
import os
import struct
import sys


def seg_dist(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    l2 = dx * dx + dy * dy
    t = 0.0 if l2 == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / l2))
    return math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))


def inside_poly(px, py, pts):
    c = False
    n = len(pts)
    for i in range(n):
        x0, y0 = pts[i]
        x1, y1 = pts[(i + 1) % n]
        if (y0 > py) != (y1 > py):
            if px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
                c = not c
    return c


# Shapes are predicates on a point in units (x right, y down, 0..16); ops combine them.
def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) <= r


def ring(cx, cy, r, w=1.0):
    return lambda x, y: r - w <= math.hypot(x - cx, y - cy) <= r


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def frame(x0, y0, x1, y1, w=1.0):
    return lambda x, y: box(x0, y0, x1, y1)(x, y) and not box(x0 + w, y0 + w, x1 - w, y1 - w)(x, y)


def line(x0, y0, x1, y1, w=1.0):
    return lambda x, y: seg_dist(x, y, x0, y0, x1, y1) <= w / 2


def poly(*pts):
    return lambda x, y: inside_poly(x, y, pts)


def outline(*pts, w=1.0):
    segs = [line(*pts[i], *pts[(i + 1) % len(pts)], w=w) for i in range(len(pts))]
    return lambda x, y: any(s(x, y) for s in segs)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def rotate(points, deg, cx=8, cy=8):
    a = math.radians(deg)
    return [(cx + (x - cx) * math.cos(a) - (y - cy) * math.sin(a),
             cy + (x - cx) * math.sin(a) + (y - cy) * math.cos(a)) for x, y in points]


ARROW = [(8, 1.5), (14.5, 8), (10.5, 8), (10.5, 14.5), (5.5, 14.5), (5.5, 8), (1.5, 8)]


def arrow(deg, filled):
    pts = rotate(ARROW, deg)
    return poly(*pts) if filled else outline(*pts)


def letter_m(w=1.0):
    return union(line(5, 11, 5, 5, w), line(5, 5, 8, 8.5, w), line(8, 8.5, 11, 5, w),
                 line(11, 5, 11, 11, w))


def blades(deg):
    shapes = []
    for k in range(3):
        pts = rotate([(8, 8), (6.5, 3), (9.5, 3)], deg + 120 * k)
        shapes.append(poly(*pts))
    return union(*shapes)


VALVE = [(1.5, 4.5), (8, 8), (1.5, 11.5)], [(14.5, 4.5), (8, 8), (14.5, 11.5)]


def valve(filled, stem=False):
    parts = []
    for tri in VALVE:
        parts.append(poly(*tri) if filled else outline(*tri))
    if stem:
        parts += [line(8, 8, 8, 3), line(5, 2.5, 11, 2.5)]
    return union(*parts)


def bulb(lit):
    glass = ring(8, 6.5, 4.5)
    base = union(box(6, 10.5, 10, 12), box(6.5, 12.5, 9.5, 13.5), box(7.5, 14, 8.5, 15))
    if not lit:
        return union(glass, base)
    rays = union(line(8, 0, 8, 0.8), line(1, 6.5, 1.8, 6.5), line(14.2, 6.5, 15, 6.5),
                 line(3, 1.5, 3.6, 2.1), line(13, 1.5, 12.4, 2.1))
    return union(disc(8, 6.5, 4.5), base, rays)


def bell(ringing):
    body = union(poly((4, 11), (5, 6), (6.5, 3.5), (9.5, 3.5), (11, 6), (12, 11)),
                 box(3, 11, 13, 12.5), disc(8, 13.5, 1.5), box(7.25, 2, 8.75, 3.5))
    if not ringing:
        return minus(body, union(poly((5.2, 10.8), (6.1, 6.3), (7.2, 4.6), (8.8, 4.6),
                                      (9.9, 6.3), (10.8, 10.8))))
    waves = union(minus(ring(8, 7.5, 7.5), box(2, 0, 14, 16)))
    return union(body, waves)


def power(on):
    sym = union(minus(ring(8, 8.5, 5.5, 1.2), poly((8, 8.5), (5.5, 1), (10.5, 1))),
                line(8, 2, 8, 8, 1.2))
    if on:
        return minus(disc(8, 8, 7.5), sym)
    return sym


def tank(full):
    shell = frame(3, 1.5, 13, 14.5)
    if full:
        return union(shell, box(4, 6, 12, 13.5))
    return union(shell, box(4, 12, 12, 13.5))


def selector(deg):
    knob = ring(8, 8, 6.5)
    pointer = line(*rotate([(8, 8), (8, 2.5)], deg)[0], *rotate([(8, 8), (8, 2.5)], deg)[1], w=2)
    return union(knob, pointer, disc(8, 8, 1.5))


def toggle(on):
    plate = frame(1.5, 5, 14.5, 11)
    knob = disc(11, 8, 2.2) if on else disc(5, 8, 2.2)
    return union(plate, knob)


def knife(closed):
    posts = union(disc(3, 11, 1.5), disc(13, 11, 1.5), line(3, 11, 3, 15), line(13, 11, 13, 15))
    blade = line(3, 11, 13, 11, 1.5) if closed else line(3, 11, 11, 3.5, 1.5)
    return union(posts, blade, line(1, 15, 5, 15), line(11, 15, 15, 15))


# Number -> (name, off drawing, on drawing)
LAMPS = {
    1: ("round indicator", ring(8, 8, 7), disc(8, 8, 7)),
    2: ("square indicator", frame(1, 1, 15, 15), box(1, 1, 15, 15)),
    3: ("ringed round indicator", union(ring(8, 8, 7.5), ring(8, 8, 4.5)),
        union(ring(8, 8, 7.5), disc(8, 8, 4.5))),
    4: ("check box", frame(2, 2, 14, 14),
        union(frame(2, 2, 14, 14), line(4.5, 8, 7, 11, 1.5), line(7, 11, 12, 4.5, 1.5))),
    5: ("toggle switch", toggle(False), toggle(True)),
    6: ("push button", union(frame(1.5, 3, 14.5, 13), frame(3.5, 5, 12.5, 11)),
        union(frame(1.5, 3, 14.5, 13), box(3.5, 5, 12.5, 11))),
    7: ("selector switch", selector(-45), selector(45)),
    8: ("knife switch", knife(False), knife(True)),
    9: ("arrow up", arrow(0, False), arrow(0, True)),
    10: ("arrow down", arrow(180, False), arrow(180, True)),
    11: ("arrow left", arrow(-90, False), arrow(-90, True)),
    12: ("arrow right", arrow(90, False), arrow(90, True)),
    13: ("motor", union(ring(8, 8, 7.5), letter_m()), minus(disc(8, 8, 7.5), letter_m(1.2))),
    14: ("fan", union(ring(8, 8, 7.5), blades(0)), minus(disc(8, 8, 7.5), blades(60))),
    15: ("valve", valve(False), valve(True)),
    16: ("actuated valve", valve(False, True), valve(True, True)),
    17: ("light bulb", bulb(False), bulb(True)),
    18: ("alarm bell", bell(False), bell(True)),
    19: ("power", power(False), power(True)),
    20: ("tank level", tank(False), tank(True)),
    21: ("diamond indicator", outline((8, 1), (15, 8), (8, 15), (1, 8)),
         poly((8, 0.5), (15.5, 8), (8, 15.5), (0.5, 8))),
    22: ("pump", union(ring(8, 8, 7), poly((4.5, 11), (8, 4), (11.5, 11))),
         minus(disc(8, 8, 7), poly((4.5, 11), (8, 4), (11.5, 11)))),
}


def render(shape, size):
    scale = 16.0 / size
    return [[shape((x + 0.5) * scale, (y + 0.5) * scale) for x in range(size)] for y in range(size)]


def bmp_bytes(rows):
    """rows: list of lists of booleans, top first; True = black (index 0)."""
    height, width = len(rows), len(rows[0])
    stride = (width + 31) // 32 * 4
    data = bytearray()
    for row in reversed(rows):
        line_bytes = bytearray(stride)
        for x, black in enumerate(row):
            if not black:
                line_bytes[x // 8] |= 0x80 >> (x % 8)
        data += line_bytes
    off = 14 + 40 + 8
    header = b"BM" + struct.pack("<IHHI", off + len(data), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(data), 2835, 2835, 0, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    return header + info + palette + bytes(data)


def main():
    args = sys.argv[1:]
    ascii_art = "--ascii" in args
    args = [a for a in args if a != "--ascii"]
    out = args[0] if args else os.path.dirname(os.path.abspath(__file__))
    for number, (name, off, on) in sorted(LAMPS.items()):
        for size in (16, 32):
            left, right = render(off, size), render(on, size)
            rows = [l + r for l, r in zip(left, right)]
            if ascii_art:
                print(f"lamp{number:02d} {name} {size}")
                for row in rows:
                    print("".join("#" if b else "." for b in row))
            with open(os.path.join(out, f"lamp{number:02d}_{size}x{size}.bmp"), "wb") as f:
                f.write(bmp_bytes(rows))


if __name__ == "__main__":
    main()
