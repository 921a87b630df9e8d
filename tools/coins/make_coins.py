#!/usr/bin/env python3
"""Draws the six coins of これ、いくら？ as SVG files, assets/coins/coinN.svg.

Each coin is drawn upright, at its real diameter on one scale (the 500-yen
coin, the largest, nearly fills the 83 x 83 picture), in its metal, with its
rim, its edge (smooth or reeded) and its hole, showing the face a player
counts it by: the numeral side of the 1, 10, 50, 100 and 500-yen coins, and
the rice-ear side of the 5-yen coin, which carries no Arabic numeral at all.
The game turns the one drawing by quarter turns.

    python3 tools/coins/make_coins.py [output folder]

The output folder defaults to assets/coins of this repository. The game's
build does not run this: the SVG files it writes are committed.
"""

import math
import os
import sys

SIZE = 83
C = SIZE / 2            # the centre of the picture
PX_PER_MM = 39.5 / 13.25  # the 500-yen coin's radius, 13.25 mm, is 39.5 px

YEAR = "令和五年"        # the year on the numeral sides


def radius(diameter_mm):
    return diameter_mm / 2 * PX_PER_MM


# --- Lettering -----------------------------------------------------------------
# Strokes in a box 10 units a side, y downwards; each stroke a path.

KANJI = {
    "五": ["M1.5,1.2 H8.5", "M4.6,1.2 L3.8,8.9", "M2.4,4.9 H7.4 V8.9", "M0.8,8.9 H9.2"],
    "円": ["M1.6,9.6 V1.3 H8.4 V8.6 Q8.4,9.5 7.3,9.5", "M5,1.3 V5.4", "M1.6,5.4 H8.4"],
    "令": ["M5,0.6 L0.8,4.2", "M5,0.6 L9.2,4.2", "M3.6,4.4 H6.4", "M2.2,6 H7.6 L6.2,7.6", "M4.9,6.8 V9.8"],
    "和": ["M4.2,0.9 L1.0,1.9", "M0.6,3.6 H4.6", "M2.6,1.6 V9.7", "M2.6,3.9 L0.6,7.6",
           "M2.8,4.6 L4.4,6.4", "M5.6,3.4 H9.2 V8.6 H5.6 Z"],
    "年": ["M3.2,0.6 L1.2,3.6", "M2.4,2.3 H8.8", "M2.6,4.8 H7.9", "M2.6,4.8 V7.0", "M0.6,7.0 H9.4",
           "M5.4,2.3 V9.9"],
}

# Numerals in a box one unit high: (width, strokes as lists of commands).
DIGITS = {
    "1": (0.62, [("M", 0.12, 0.24), ("L", 0.5, 0.0), ("L", 0.5, 1.0)]),
    "0": (0.72, [("E",)]),
    "5": (0.62, [("M", 0.56, 0.0), ("L", 0.11, 0.0), ("L", 0.06, 0.43),
                 ("C", 0.21, 0.33, 0.60, 0.33, 0.60, 0.68), ("C", 0.60, 1.04, 0.18, 1.08, 0.0, 0.86)]),
}
DIGIT_GAP = 0.16


def f(value):
    return f"{value:.2f}"


def transform_path(path, x, y, scale):
    """A stroke of the 10-unit lettering box, placed at (x, y) at scale px a unit."""
    out = []
    tokens = path.replace(",", " ").split()
    mode = None
    pending = []
    for token in tokens:
        if token[0].isalpha():
            mode = token[0]
            token = token[1:]
            out.append(mode)
            if not token:
                continue
        value = float(token)
        if mode == "H":
            out.append(f(x + value * scale))
        elif mode == "V":
            out.append(f(y + value * scale))
        elif mode == "Z":
            continue
        else:
            pending.append(value)
            if len(pending) == 2:
                out.append(f"{f(x + pending[0] * scale)} {f(y + pending[1] * scale)}")
                pending = []
    return " ".join(out)


def kanji(text, left, top, size):
    """Path data of text set in a row, each character size px, from (left, top)."""
    strokes = []
    for i, character in enumerate(text):
        for stroke in KANJI[character]:
            strokes.append(transform_path(stroke, left + i * size * 1.08, top, size / 10))
    return " ".join(strokes)


def numeral_width(text, height):
    return (sum(DIGITS[d][0] for d in text) + DIGIT_GAP * (len(text) - 1)) * height


def numeral(text, centre_x, top, height):
    """Path data of an Arabic numeral, centred on centre_x."""
    x = centre_x - numeral_width(text, height) / 2
    parts = []
    for digit in text:
        width, strokes = DIGITS[digit]
        for stroke in strokes:
            if stroke[0] == "E":
                rx, ry = width * height / 2, height / 2
                cx, cy = x + rx, top + ry
                parts.append(f"M {f(cx)} {f(top)} A {f(rx)} {f(ry)} 0 1 1 {f(cx)} {f(top + height)} "
                             f"A {f(rx)} {f(ry)} 0 1 1 {f(cx)} {f(top)}")
                continue
            command, *values = stroke
            points = [f"{f(x + values[j] * height)} {f(top + values[j + 1] * height)}"
                      for j in range(0, len(values), 2)]
            parts.append(f"{command} " + " ".join(points))
        x += (width + DIGIT_GAP) * height
    return " ".join(parts)


def embossed(d, width, dark, light):
    """A raised stroke: a light edge below and right, the stroke itself on it."""
    style = f'fill="none" stroke-width="{width}" stroke-linecap="round" stroke-linejoin="round"'
    return (f'<path d="{d}" {style} stroke="{light}" transform="translate(0.6 0.6)"/>\n'
            f'<path d="{d}" {style} stroke="{dark}"/>\n')


# --- Coins -------------------------------------------------------------------------

def disc(r, hole):
    if not hole:
        return f"M {f(C - r)} {f(C)} A {f(r)} {f(r)} 0 1 0 {f(C + r)} {f(C)} A {f(r)} {f(r)} 0 1 0 {f(C - r)} {f(C)} Z"
    return (disc(r, 0) + f" M {f(C - hole)} {f(C)} A {f(hole)} {f(hole)} 0 1 1 {f(C + hole)} {f(C)} "
            f"A {f(hole)} {f(hole)} 0 1 1 {f(C - hole)} {f(C)} Z")


def coin(comment, r, metal, hole=0.0, reeded=False, body=""):
    top, bottom, rim, ink, light = metal
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           f"<!-- {comment} Drawn upright; the game turns the one drawing by quarter turns. "
           "Made by tools/coins/make_coins.py. -->",
           f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" width="{SIZE}" '
           f'height="{SIZE}" viewBox="0 0 {SIZE} {SIZE}">',
           "<defs>",
           f'<radialGradient id="face" cx="{f(C - 0.35 * r)}" cy="{f(C - 0.4 * r)}" r="{f(1.5 * r)}" '
           'gradientUnits="userSpaceOnUse">',
           f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>',
           "</radialGradient>",
           "</defs>",
           f'<path d="{disc(r, hole)}" fill="url(#face)" fill-rule="evenodd"/>']
    # The raised rim, and inside it the edge of the field.
    out.append(f'<circle cx="{C}" cy="{C}" r="{f(r - 1.2)}" fill="none" stroke="{rim}" stroke-width="2.4"/>')
    if reeded:
        # The reeding shows on the rim as fine light ticks.
        circumference = 2 * math.pi * (r - 1.2)
        tick = circumference / round(circumference / 1.7) / 2
        out.append(f'<circle cx="{C}" cy="{C}" r="{f(r - 1.2)}" fill="none" stroke="{light}" stroke-width="2.4" '
                   f'stroke-dasharray="{tick:.3f} {tick:.3f}"/>')
    out.append(f'<circle cx="{C}" cy="{C}" r="{f(r - 2.6)}" fill="none" stroke="{ink}" stroke-width="0.6" '
               'stroke-opacity="0.55"/>')
    if hole:
        out.append(f'<circle cx="{C}" cy="{C}" r="{f(hole + 0.5)}" fill="none" stroke="{ink}" stroke-width="1"/>')
    out.append(body)
    out.append("</svg>")
    return "\n".join(out) + "\n"


ALUMINIUM = ("#f8f9fb", "#d9dce0", "#c3c7cd", "#8f959d", "#ffffff")
CUPRONICKEL = ("#e9ebee", "#a3a9b1", "#8e949d", "#5f656e", "#f2f4f6")
BRASS = ("#f3d47a", "#c29230", "#a57b24", "#7d5a14", "#f7de90")
BRONZE = ("#dc9a5e", "#9e5828", "#7d4420", "#5e3012", "#e4aa78")
NICKEL_BRASS = ("#f1e5b2", "#b59e52", "#9a843f", "#6f5e22", "#f7eec6")


def year(centre_y, size, metal):
    width = size * (1.08 * len(YEAR) - 0.08)
    return (f'<path d="{kanji(YEAR, C - width / 2, centre_y - size / 2, size)}" fill="none" stroke="{metal[3]}" '
            f'stroke-width="{f(size * 0.13)}" stroke-linecap="round" stroke-linejoin="round"/>\n')


def one_yen():
    r = radius(20.0)
    metal = ALUMINIUM
    body = f'<circle cx="{C}" cy="{C}" r="15.5" fill="none" stroke="{metal[3]}" stroke-width="1.1"/>\n'
    body += embossed(numeral("1", C + 0.8, C - 9.5, 18), 3.4, metal[3], metal[4])
    body += year(C + 20.5, 4.0, metal)
    return coin("1 yen: aluminium, 20.0 mm, smooth edge; the numeral side, a ring round the 1, the year below.",
                r, metal, body=body)


def gear(inner, outer, teeth):
    points = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4) - math.pi / 2
        rr = outer if i % 4 in (1, 2) else inner
        points.append(f"{f(C + rr * math.cos(a))} {f(C + rr * math.sin(a))}")
    return "M " + " L ".join(points) + " Z"


def five_yen():
    r = radius(22.0)
    hole = 5.0 / 2 * PX_PER_MM
    metal = BRASS
    ink, light = metal[3], metal[4]
    body = ""
    # The gear round the hole: industry.
    ring = gear(hole + 2.4, hole + 4.6, 14) + " " + disc(hole + 0.5, 0)
    body += (f'<path d="{ring}" fill="{metal[2]}" fill-opacity="0.45" fill-rule="evenodd" stroke="{ink}" '
             'stroke-width="0.8" stroke-linejoin="round"/>\n')
    # The water below the hole: level lines, broken where 五円 stands on them.
    lines = []
    for i, dy in enumerate((13.0, 16.2, 19.4, 22.6, 25.8)):
        half = math.sqrt(max(0.0, (r - 4.2) ** 2 - dy ** 2))
        if half < 3:
            continue
        gap = 12.2 if 14.0 < dy < 25.5 else 0.0
        if gap:
            lines.append(f"M {f(C - half)} {f(C + dy)} H {f(C - gap)} M {f(C + gap)} {f(C + dy)} H {f(C + half)}")
        else:
            lines.append(f"M {f(C - half)} {f(C + dy)} H {f(C + half)}")
    body += (f'<path d="{" ".join(lines)}" fill="none" stroke="{ink}" stroke-width="1.0" '
             'stroke-linecap="round"/>\n')
    # 五円, in gothic, on the water.
    body += embossed(kanji("五円", C - 10.3, C + 14.0, 9.6), 1.7, ink, light)
    # The rice plant: agriculture. The stalk rises from the water at the left,
    # round the gear, and its heavy ear bows over the top to the right.
    stalk = (f"M {f(C - 13)} {f(C + 12)} C {f(C - 21)} {f(C + 2)} {f(C - 21)} {f(C - 14)} {f(C - 9)} {f(C - 20)} "
             f"C {f(C + 1)} {f(C - 25)} {f(C + 13)} {f(C - 22)} {f(C + 19)} {f(C - 10)}")
    body += embossed(stalk, 1.5, ink, light)
    leaf = (f"M {f(C - 13)} {f(C + 12)} C {f(C - 27)} {f(C + 4)} {f(C - 27)} {f(C - 6)} {f(C - 24)} {f(C - 13)} "
            f"C {f(C - 23)} {f(C - 4)} {f(C - 20)} {f(C + 4)} {f(C - 13)} {f(C + 12)} Z")
    body += f'<path d="{leaf}" fill="{metal[2]}" stroke="{ink}" stroke-width="0.8" stroke-linejoin="round"/>\n'
    leaf2 = (f"M {f(C - 12)} {f(C + 12)} C {f(C - 8)} {f(C + 2)} {f(C - 13)} {f(C - 6)} {f(C - 15)} {f(C - 9)} "
             f"C {f(C - 16)} {f(C - 2)} {f(C - 15)} {f(C + 5)} {f(C - 12)} {f(C + 12)} Z")
    body += f'<path d="{leaf2}" fill="{metal[2]}" stroke="{ink}" stroke-width="0.7" stroke-linejoin="round"/>\n'
    # The grains along the ear, on both sides of it.
    grains = []
    for i in range(9):
        t = i / 8
        # Along the second curve of the stalk.
        p0, p1, p2, p3 = (C - 9, C - 20), (C + 1, C - 25), (C + 13, C - 22), (C + 19, C - 10)
        x = (1 - t) ** 3 * p0[0] + 3 * (1 - t) ** 2 * t * p1[0] + 3 * (1 - t) * t ** 2 * p2[0] + t ** 3 * p3[0]
        y = (1 - t) ** 3 * p0[1] + 3 * (1 - t) ** 2 * t * p1[1] + 3 * (1 - t) * t ** 2 * p2[1] + t ** 3 * p3[1]
        dx = 3 * (1 - t) ** 2 * (p1[0] - p0[0]) + 6 * (1 - t) * t * (p2[0] - p1[0]) + 3 * t ** 2 * (p3[0] - p2[0])
        dy = 3 * (1 - t) ** 2 * (p1[1] - p0[1]) + 6 * (1 - t) * t * (p2[1] - p1[1]) + 3 * t ** 2 * (p3[1] - p2[1])
        length = math.hypot(dx, dy)
        nx, ny = -dy / length, dx / length
        angle = math.degrees(math.atan2(dy, dx))
        for side in (-1, 1):
            gx, gy = x + side * 2.3 * nx, y + side * 2.3 * ny
            grains.append(f'<ellipse cx="{f(gx)}" cy="{f(gy)}" rx="2.0" ry="1.15" '
                          f'transform="rotate({f(angle + side * 35)} {f(gx)} {f(gy)})"/>')
    body += f'<g fill="{metal[2]}" stroke="{ink}" stroke-width="0.6">\n' + "\n".join(grains) + "\n</g>\n"
    return coin("5 yen: brass, 22.0 mm, a 5 mm hole, smooth edge; the side of the rice ear, the gear round "
                "the hole and the water with 五円 on it (no Arabic numeral on either side).",
                r, metal, hole=hole, body=body)


def ten_yen():
    r = radius(23.5)
    metal = BRONZE
    ink, light = metal[3], metal[4]
    body = ""
    # The evergreen branches round the value, tied at the bottom.
    leaves = []
    for side in (-1, 1):
        for i in range(8):
            a = math.radians(112 - i * 21.5)  # from the bottom round to near the top
            rr = 24.0
            x = C + side * rr * math.sin(a)
            y = C - rr * math.cos(a)
            tangent = math.degrees(math.atan2(math.sin(a), side * math.cos(a)))
            for lean in (-1, 1):
                lx = x + lean * 1.9 * math.cos(a) * side
                ly = y + lean * 1.9 * math.sin(a)
                leaves.append(f'<ellipse cx="{f(lx)}" cy="{f(ly)}" rx="2.5" ry="1.1" '
                              f'transform="rotate({f(tangent + lean * side * 40)} {f(lx)} {f(ly)})"/>')
    branch_l = f"M {f(C - 2)} {f(C + 24)} A 24 24 0 0 1 {f(C - 15)} {f(C - 19)}"
    branch_r = f"M {f(C + 2)} {f(C + 24)} A 24 24 0 0 0 {f(C + 15)} {f(C - 19)}"
    body += (f'<path d="{branch_l} {branch_r}" fill="none" stroke="{ink}" stroke-width="0.9" '
             'stroke-linecap="round"/>\n')
    body += f'<g fill="{metal[2]}" stroke="{ink}" stroke-width="0.6">\n' + "\n".join(leaves) + "\n</g>\n"
    body += embossed(numeral("10", C, C - 13, 18), 3.4, ink, light)
    body += year(C + 12.5, 3.6, metal)
    return coin("10 yen: bronze, 23.5 mm, smooth edge; the numeral side, evergreen branches round the 10, "
                "the year below.", r, metal, body=body)


def fifty_yen():
    r = radius(21.0)
    hole = 4.0 / 2 * PX_PER_MM
    metal = CUPRONICKEL
    body = embossed(numeral("50", C, C - 23.0, 11.5), 2.6, metal[3], metal[4])
    body += year(C + 14.0, 4.0, metal)
    return coin("50 yen: cupronickel, 21.0 mm, a 4 mm hole, reeded edge; the numeral side, 50 above the "
                "hole, the year below.", r, metal, hole=hole, reeded=True, body=body)


def hundred_yen():
    r = radius(22.6)
    metal = CUPRONICKEL
    body = embossed(numeral("100", C, C - 11.0, 17), 3.2, metal[3], metal[4])
    body += year(C + 15.0, 4.0, metal)
    return coin("100 yen: cupronickel, 22.6 mm, reeded edge; the numeral side, 100 and the year below "
                "(the cherry blossoms are on the other side).", r, metal, reeded=True, body=body)


def five_hundred_yen():
    r = radius(26.5)
    metal = NICKEL_BRASS
    ink, light = metal[3], metal[4]
    body = ""
    # Bamboo leaves above the value, left and right, and below it, round
    # the year, sprigs of tachibana with their fruit.
    leaves = []

    def leaf(bx, by, angle, length, width):
        a = math.radians(angle)
        tip_x, tip_y = bx + length * math.cos(a), by + length * math.sin(a)
        mx, my = (bx + tip_x) / 2, (by + tip_y) / 2
        nx, ny = -math.sin(a) * width, math.cos(a) * width
        leaves.append(f"M {f(bx)} {f(by)} Q {f(mx + nx)} {f(my + ny)} {f(tip_x)} {f(tip_y)} "
                      f"Q {f(mx - nx)} {f(my - ny)} {f(bx)} {f(by)} Z")

    for side in (-1, 1):
        for angle, length in ((-70, 10.0), (-42, 11.5), (-15, 9.5)):
            leaf(C + side * 6.0, C - 18.0, angle if side > 0 else 180 - angle, length, 1.5)
        for angle in (200, 250):
            leaf(C + side * 17.5, C + 20.5, angle if side < 0 else 180 - angle, 6.5, 1.8)
    body += (f'<path d="{" ".join(leaves)}" fill="{metal[2]}" stroke="{ink}" stroke-width="0.7" '
             'stroke-linejoin="round"/>\n')
    for dx in (-17.5, 17.5):
        body += (f'<circle cx="{f(C + dx)}" cy="{f(C + 22.0)}" r="2.7" fill="{metal[2]}" stroke="{ink}" '
                 'stroke-width="0.7"/>\n')
    body += embossed(numeral("500", C, C - 10.5, 19), 3.6, ink, light)
    body += year(C + 15.0, 3.8, metal)
    return coin("500 yen: nickel-brass, 26.5 mm, reeded edge; the numeral side, bamboo above the 500, "
                "tachibana and the year below.", r, metal, reeded=True, body=body)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "assets", "coins")
    os.makedirs(folder, exist_ok=True)
    for value, make in ((1, one_yen), (5, five_yen), (10, ten_yen), (50, fifty_yen), (100, hundred_yen),
                        (500, five_hundred_yen)):
        with open(os.path.join(folder, f"coin{value}.svg"), "w", encoding="utf-8") as out:
            out.write(make())


if __name__ == "__main__":
    main()
