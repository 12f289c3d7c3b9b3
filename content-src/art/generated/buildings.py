#!/usr/bin/env python3
"""Writes the SVG sources of the buildings (world/*.svg, textures of their own), seen from the front and
a little from above like everything on the level map. Sizes are the drawn sizes of the
levels (twice the half sizes). Run it again after changing a drawing:
    python3 content-src/art/generated/buildings.py
"""
import math

from artlib import (OUTLINE, Doc, canopy, circle, contact_shadow, dress_touch, ellipse, f, log,
                    path, plank, poly, rock)
import artlib

FOLDER = "world"

ROOF_RED = [(0, "#f07a5a"), (0.5, "#d04a30"), (1, "#8e2a1a")]
ROOF_BROWN = [(0, "#b88a5a"), (0.5, "#8a5e34"), (1, "#5a3a1e")]
ROOF_SLATE = [(0, "#8a9ab0"), (0.5, "#5e6e88"), (1, "#3a4458")]
ROOF_THATCH = [(0, "#f2d27a"), (0.5, "#d8a848"), (1, "#9a7020")]


def rect(x, y, w, h, fill, stroke=OUTLINE, width=1.6, rx=0, extra=""):
    return (f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="{f(rx)}" '
            f'fill="{fill}" stroke="{stroke}" stroke-width="{f(width)}"{extra}/>')


def roof(d, ident, stops, x0, x1, eave, ridge, inset, tiles="tiles", line="#7a2418"):
    """A hipped roof seen from the front and above: the front slope from the eave up to the
    ridge, a sliver of the back slope above it, and rows of tiles."""
    g = d.linear(ident, stops, user=(0, ridge, 0, eave))
    back = d.linear(ident + "Back", [(0, stops[-1][1]), (1, stops[1][1])], user=(0, ridge - 8, 0, ridge))
    out = [poly([(x0 + inset + 4, ridge), (x1 - inset - 4, ridge), (x1 - inset, ridge - 7),
                 (x0 + inset, ridge - 7)], back, OUTLINE, 1.6),
           poly([(x0, eave), (x1, eave), (x1 - inset, ridge), (x0 + inset, ridge)], g, OUTLINE, 1.8)]
    rows = max(2, int((eave - ridge) / 7))
    for i in range(1, rows):
        t = i / rows
        y = eave - (eave - ridge) * t
        xa, xb = x0 + inset * t, x1 - inset * t
        out.append(path(f"M{f(xa + 1)} {f(y)} L{f(xb - 1)} {f(y)}", stroke=line, width=1,
                        extra=' opacity="0.55"'))
        if tiles == "tiles":
            step = 9
            x = xa + (step / 2 if i % 2 else 0) + 4
            while x < xb - 3:
                out.append(path(f"M{f(x)} {f(y)} l0 {f((eave - ridge) / rows)}", stroke=line,
                                width=0.8, extra=' opacity="0.45"'))
                x += step
    # Light along the eave
    out.append(path(f"M{f(x0 + 3)} {f(eave - 2)} L{f(x1 - 3)} {f(eave - 2)}", stroke="#ffffff",
                    width=1.2, extra=' opacity="0.3"'))
    out.append(dress_touch("roof", d, x0, x1, eave, ridge, inset))
    return "".join(out)


def window(x, y, w, h, box=True):
    out = [rect(x, y, w, h, "#8fcbe8", width=1.4),
           path(f"M{f(x + w / 2)} {f(y)} v{f(h)} M{f(x)} {f(y + h / 2)} h{f(w)}", stroke=OUTLINE,
                width=1.2),
           path(f"M{f(x + 2)} {f(y + h / 2 - 2)} l{f(w / 2 - 4)} {f(-h / 2 + 4)}", stroke="#ffffff",
                width=1.2, extra=' opacity="0.7"')]
    if box:
        out.append(rect(x - 2, y + h, w + 4, 4, "#8a5428", width=1.2))
        for i in range(4):
            out.append(circle(x + 1 + i * (w - 2) / 3, y + h - 1, 2, ("#ff6f8a", "#ffd04a")[i % 2],
                              OUTLINE, 0.6))
    return "".join(out)


def door(d, x, y, w, h, arch=True):
    g = d.linear("door", [(0, "#a86a34"), (1, "#6a3e1a")])
    top = f"Q{f(x + w / 2)} {f(y - w * 0.45)} {f(x + w)} {f(y)}" if arch else f"L{f(x + w)} {f(y)}"
    return (path(f"M{f(x)} {f(y + h)} L{f(x)} {f(y)} {top} L{f(x + w)} {f(y + h)} Z", g, OUTLINE, 1.6) +
            path(f"M{f(x + w / 3)} {f(y + 1)} v{f(h - 2)} M{f(x + 2 * w / 3)} {f(y + 1)} v{f(h - 2)}",
                 stroke="#4a2a12", width=0.9, extra=' opacity="0.6"') +
            circle(x + w * 0.78, y + h * 0.55, 1.4, "#f5c02a", OUTLINE, 0.6) +
            dress_touch("door", d, x, y, w, h))


def chimney(x, y, w, h):
    return (rect(x, y, w, h, "#b0a494", width=1.5) + rect(x - 2, y - 3, w + 4, 4, "#8a8070", width=1.4) +
            path(f"M{f(x + 2)} {f(y + h * 0.4)} h{f(w - 4)} M{f(x + 2)} {f(y + h * 0.75)} h{f(w - 4)}",
                 stroke="#7a7064", width=0.8) + dress_touch("chimney", None, x, y, w, h))


def plaster_wall(d, x, y, w, h, ident="plaster", tone=("#fbf0d8", "#e8d3aa")):
    g = d.linear(ident, [(0, tone[0]), (1, tone[1])])
    return rect(x, y, w, h, g) + dress_touch("wall", d, x, y, w, h)


def timber(x, y, w, h, posts):
    out = [path(f"M{f(x)} {f(y + 3)} h{f(w)} M{f(x)} {f(y + h - 3)} h{f(w)}", stroke="#7a4a22", width=3.5)]
    for px in posts:
        out.append(path(f"M{f(px)} {f(y)} v{f(h)}", stroke="#7a4a22", width=3.5))
    return "".join(out)


def stone_wall(d, x, y, w, h, ident="stoneWall"):
    g = d.linear(ident, [(0, "#d8d2c4"), (1, "#a49c8c")])
    out = [rect(x, y, w, h, g)]
    row = 0
    yy = y + 2
    while yy < y + h - 4:
        xx = x + 2 + (6 if row % 2 else 0)
        while xx < x + w - 6:
            bw = min(13, x + w - 2 - xx)
            out.append(rect(xx, yy, bw, 7, "none", "#7a7266", 0.9, rx=1.5))
            xx += 14
        yy += 8
        row += 1
    return "".join(out)


def board_wall(d, x, y, w, h, ident="boards", tone=("#d8a468", "#a06a36")):
    g = d.linear(ident, [(0, tone[0]), (1, tone[1])], 0, 0, 1, 0)
    out = [rect(x, y, w, h, g)]
    xx = x + 8
    while xx < x + w - 2:
        out.append(path(f"M{f(xx)} {f(y + 1)} v{f(h - 2)}", stroke="#6a3e1a", width=1,
                        extra=' opacity="0.7"'))
        xx += 8
    return "".join(out)


def barrel(d, x, y, r):
    g = d.linear("barrel", [(0, "#c88a4a"), (0.5, "#a06a36"), (1, "#6a3e1a")], 0, 0, 1, 0)
    return (path(f"M{f(x - r)} {f(y)} Q{f(x - r * 1.2)} {f(y - r * 1.3)} {f(x - r)} {f(y - r * 2.6)} "
                 f"L{f(x + r)} {f(y - r * 2.6)} Q{f(x + r * 1.2)} {f(y - r * 1.3)} {f(x + r)} {f(y)} Z",
                 g, OUTLINE, 1.4) +
            ellipse(x, y - r * 2.6, r, r * 0.35, "#c8945a", OUTLINE, 1.2) +
            path(f"M{f(x - r * 1.1)} {f(y - r * 0.7)} h{f(r * 2.2)} M{f(x - r * 1.1)} {f(y - r * 1.9)} h{f(r * 2.2)}",
                 stroke="#5a5a5a", width=1.4))


def crate(d, x, y, s):
    g = d.linear("crate", [(0, "#e8c08a"), (1, "#b07a44")])
    return (rect(x, y - s, s, s, g, width=1.4) +
            path(f"M{f(x + 2)} {f(y - 2)} L{f(x + s - 2)} {f(y - s + 2)} M{f(x + 2)} {f(y - s + 2)} "
                 f"L{f(x + s - 2)} {f(y - 2)}", stroke="#8a5a2c", width=1.2))


def flowers(points):
    if artlib.DRESS:  # the land's own small things at the foot of the walls
        return dress_touch("flowers", None, points)
    out = []
    for i, (x, y) in enumerate(points):
        out.append(circle(x, y, 2.3, ("#ff6f8a", "#fff07a", "#ffffff", "#b8a8ff")[i % 4], OUTLINE, 0.6))
    return "".join(out)


def grass_base(d, cx, y, rx, ry):
    g = d.radial("lawn", [(0, "#9ad468"), (0.7, "#78b84c", 0.8), (1, "#78b84c", 0)], 0.5, 0.5, 0.5)
    return ellipse(cx, y, rx, ry, g) + dress_touch("base", d, cx, y, rx, ry)


def workers_house():
    d = Doc(168, 152, "The workers' house: a timber-framed cottage with a smoking chimney.")
    d.add(contact_shadow(d, 84, 140, 78, 10))
    d.add(grass_base(d, 84, 136, 80, 14))
    d.add(plaster_wall(d, 22, 70, 124, 66))
    d.add(timber(22, 70, 124, 66, [22, 58, 110, 146]))
    d.add(path("M22 104 h124", stroke="#7a4a22", width=3))
    d.add(roof(d, "roofRed", ROOF_RED, 8, 160, 74, 22, 26))
    d.add(chimney(105, 10, 14, 26))
    d.add(door(d, 74, 106, 20, 30))
    d.add(window(34, 82, 16, 16))
    d.add(window(118, 82, 16, 16))
    d.add(window(78, 78, 12, 12, box=False))
    d.add(window(34, 112, 14, 14))
    d.add(window(120, 112, 14, 14))
    d.add(rect(66, 134, 36, 4, "#b0a494", width=1.2))
    # Bench and a basket
    d.add(rect(104, 126, 14, 3, "#a06a36", width=1.1))
    d.add(path("M106 129 v6 M116 129 v6", stroke=OUTLINE, width=1.6))
    d.add(path("M50 136 q-2 -10 8 -10 q10 0 8 10 Z", d.linear("basket", [(0, "#e8c080"), (1, "#b0803a")]),
               OUTLINE, 1.2))
    d.add(flowers([(12, 134), (18, 130), (150, 132), (156, 136), (26, 138)]))
    d.save(FOLDER, "workers_house")


def warehouse():
    d = Doc(160, 144, "The warehouse: a big barn with wide doors, barrels and crates.")
    d.add(contact_shadow(d, 80, 132, 76, 10))
    d.add(grass_base(d, 80, 128, 78, 13))
    d.add(board_wall(d, 18, 62, 124, 66, ident="barnBoards", tone=("#c8743e", "#94461e")))
    d.add(roof(d, "roofBrown", ROOF_BROWN, 6, 154, 66, 14, 22, line="#4a2a12"))
    # Wide doors with cross braces
    dg = d.linear("barnDoor", [(0, "#e0a060"), (1, "#a86a34")])
    d.add(rect(52, 78, 56, 50, "#4a2a12"))
    d.add(rect(54, 80, 25, 48, dg, width=1.4))
    d.add(rect(81, 80, 25, 48, dg, width=1.4))
    for x in (54, 81):
        d.add(path(f"M{x + 2} 82 L{x + 23} 126 M{x + 23} 82 L{x + 2} 126", stroke="#f4e0c0", width=2))
    d.add(path("M22 72 h28 M110 72 h28", stroke="#f4e0c0", width=2))
    d.add(window(28, 84, 14, 12, box=False))
    d.add(window(118, 84, 14, 12, box=False))
    d.add(crate(d, 14, 130, 16))
    d.add(crate(d, 24, 118, 12))
    d.add(barrel(d, 128, 132, 7))
    d.add(barrel(d, 144, 134, 6))
    # Sack
    d.add(path("M112 132 C108 122 120 118 124 126 C126 132 120 134 112 132 Z",
               d.linear("sack", [(0, "#efe0b8"), (1, "#c4aa78")]), OUTLINE, 1.2))
    d.save(FOLDER, "warehouse")


def farm():
    d = Doc(180, 160, "The farm: a farmhouse with a thatched roof, a haystack and a fence.")
    d.add(contact_shadow(d, 90, 146, 84, 11))
    d.add(grass_base(d, 90, 142, 86, 15))
    # Haystack behind on the right
    hay = d.linear("hay", [(0, "#fff0a0"), (0.5, "#f0c850"), (1, "#b88a28")])
    d.add(path("M128 140 C126 110 140 92 152 92 C164 92 176 110 174 140 Z", hay, OUTLINE, 1.6))
    d.add(path("M134 120 q18 -8 34 0 M132 132 q20 -8 40 0", stroke="#b08a30", width=1.2))
    d.add(plaster_wall(d, 18, 78, 110, 62, ident="farmWall", tone=("#fff4c8", "#ecd89a")))
    d.add(timber(18, 78, 110, 62, [18, 128]))
    d.add(roof(d, "thatch", ROOF_THATCH, 4, 142, 82, 30, 24, tiles="thatch", line="#9a7020"))
    d.add(path("M10 82 q6 5 12 0 q6 5 12 0 q6 5 12 0 q6 5 12 0 q6 5 12 0 q6 5 12 0 q6 5 12 0 "
               "q6 5 12 0 q6 5 12 0 q6 5 12 0 q6 5 12 0", "none", "#9a7020", 1.2))
    d.add(door(d, 62, 108, 20, 32))
    d.add(window(30, 94, 16, 16))
    d.add(window(98, 94, 16, 16))
    # Fence and a pumpkin patch
    for x in range(6, 60, 12):
        d.add(path(f"M{x} 156 v-14", stroke=OUTLINE, width=3.5))
        d.add(path(f"M{x} 156 v-14", stroke="#d8a468", width=1.8))
    d.add(path("M4 146 h54 M4 152 h54", stroke="#b8844a", width=2))
    pg = d.radial("pumpkin", [(0, "#ffc070"), (0.6, "#f08a20"), (1, "#a04a10")])
    for x, y in [(100, 150), (116, 152)]:
        d.add(ellipse(x, y, 7, 5, pg, OUTLINE, 1.2))
        d.add(path(f"M{x} {y - 5} l1 -3", stroke="#3f7f26", width=2))
    d.save(FOLDER, "farm")


def sawmill():
    d = Doc(180, 160, "The sawmill: an open shed with a big saw blade and a pile of logs.")
    d.add(contact_shadow(d, 90, 146, 84, 11))
    d.add(grass_base(d, 90, 142, 86, 15))
    d.add(board_wall(d, 24, 70, 132, 70, ident="millBoards", tone=("#d8a468", "#9a6232")))
    d.add(roof(d, "millRoof", ROOF_BROWN, 10, 170, 74, 20, 24, line="#4a2a12"))
    # Open front: dark inside with the saw
    d.add(rect(58, 88, 64, 52, "#3e2614", width=1.6))
    blade = d.radial("blade", [(0, "#ffffff"), (0.6, "#c8d0d8"), (1, "#7a8490")], 0.4, 0.4, 0.6)
    teeth = []
    for i in range(24):
        a = 2 * math.pi * i / 24
        r1, r2 = 19, 23
        teeth.append((90 + r2 * math.cos(a), 112 + r2 * math.sin(a)))
        b = a + math.pi / 24
        teeth.append((90 + r1 * math.cos(b), 112 + r1 * math.sin(b)))
    d.add(poly(teeth, blade, OUTLINE, 1.2))
    d.add(circle(90, 112, 4, "#5e6e88", OUTLINE, 1))
    d.add(rect(56, 124, 68, 8, "#a06a36", width=1.4))
    d.add(log(d, 40, 128, 78, 124, 6, ident="sawLog"))
    # Logs waiting on the left, planks on the right
    for x, y in [(4, 146), (16, 146), (10, 136)]:
        d.add(log(d, x, y, x + 22, y - 1, 6, ident="pileLog"))
    for i in range(3):
        d.add(plank(d, 134 + i, 146 - i * 5, 40, 5, ident="millPlank"))
    d.add(window(32, 90, 14, 14, box=False))
    d.add(window(134, 90, 14, 14, box=False))
    d.save(FOLDER, "sawmill")


def gold_mine():
    d = Doc(180, 160, "The gold mine: a timbered tunnel in a rocky hill with a cart of ore.")
    d.add(contact_shadow(d, 90, 146, 84, 11))
    hill = d.linear("hill", [(0, "#b8ac98"), (0.6, "#8e8270"), (1, "#6a5e4e")])
    d.add(path("M4 146 C8 96 40 40 92 34 C140 30 172 90 176 146 Z", hill, OUTLINE, 1.8))
    d.add(path("M40 60 C60 44 80 40 100 42 C86 50 60 56 40 60 Z", "#9ccc5a", OUTLINE, 1.2))
    d.touch("peak", [(14, 100), (26, 76), (44, 54), (66, 40), (92, 35), (118, 38),
                                  (140, 52), (156, 72), (166, 96)])
    for x, y, r in [(30, 120, 9), (150, 112, 10), (128, 64, 7), (46, 86, 6)]:
        d.add(rock(d, "mineRock", x, y, r * 1.3, r, tone=("#d0c8b8", "#a09684", "#6a5e4e"), seed=x * 0.07))
    # Tunnel mouth with timbers
    d.add(path("M64 146 L64 96 Q90 78 116 96 L116 146 Z", "#24160c", OUTLINE, 1.6))
    beam = d.linear("mineBeam", [(0, "#c08850"), (1, "#7a4a22")], 0, 0, 1, 0)
    d.add(rect(58, 92, 10, 54, beam, width=1.5))
    d.add(rect(112, 92, 10, 54, beam, width=1.5))
    d.add(rect(52, 84, 76, 11, d.linear("mineTop", [(0, "#c08850"), (1, "#7a4a22")]), width=1.5))
    d.add(path("M90 84 v-10", stroke=OUTLINE, width=1.2))
    d.add(circle(90, 72, 4, "#ffd04a", OUTLINE, 1.2))
    # Rails and a cart with gold
    d.add(path("M74 146 L80 118 M106 146 L100 118", stroke="#7a7468", width=2.2))
    for y in (142, 134, 126):
        d.add(path(f"M{75 + (146 - y) * 0.2} {y} h{30 - (146 - y) * 0.4}", stroke="#8a5a30", width=2))
    cart = d.linear("mineCart", [(0, "#8a9ab0"), (1, "#4a5468")])
    d.add(poly([(126, 130), (160, 130), (156, 146), (130, 146)], cart, OUTLINE, 1.5))
    gold = d.linear("gold", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")])
    for x, y, s in [(134, 129, 4), (143, 126, 5), (152, 129, 4)]:
        d.add(poly([(x - s, y), (x - s * 0.3, y - s * 0.8), (x + s * 0.7, y - s * 0.6),
                    (x + s, y + s * 0.2), (x + s * 0.2, y + s * 0.8), (x - s * 0.7, y + s * 0.5)],
                   gold, OUTLINE, 1))
    d.add(circle(134, 147, 3.5, "#3a3a44", OUTLINE, 1))
    d.add(circle(152, 147, 3.5, "#3a3a44", OUTLINE, 1))
    d.add(path("M24 146 l6 -26 M36 146 l-6 -26", stroke="#7a4a22", width=2.2))
    d.add(path("M24 128 l8 -4", stroke="#9aa4b0", width=3))
    d.save(FOLDER, "gold_mine")


def stonemason_lodge():
    d = Doc(160, 144, "The stonemason's lodge: a stone house with a slate roof and a block of stone.")
    d.add(contact_shadow(d, 80, 132, 76, 10))
    d.add(grass_base(d, 80, 128, 78, 13))
    d.add(stone_wall(d, 20, 66, 120, 62))
    d.add(roof(d, "roofSlate", ROOF_SLATE, 6, 154, 70, 20, 24, line="#2a3040"))
    d.add(chimney(40, 8, 13, 24))
    d.add(door(d, 70, 98, 20, 30))
    d.add(window(34, 82, 16, 16, box=False))
    d.add(window(110, 82, 16, 16, box=False))
    # Block of stone with a hammer and chisel
    d.add(poly([(118, 138), (150, 138), (152, 122), (144, 114), (120, 116)],
               d.linear("block", [(0, "#ece8dc"), (1, "#a8a292")]), OUTLINE, 1.5))
    d.add(path("M120 116 L144 114 L152 122", stroke="#ffffff", width=1.2, extra=' opacity="0.5"'))
    d.add(path("M126 112 l10 -12", stroke=OUTLINE, width=3.5))
    d.add(path("M126 112 l10 -12", stroke="#c08850", width=1.8))
    d.add(rect(131, 94, 12, 6, "#7a8490", width=1.2, extra=' transform="rotate(-50 137 97)"'))
    d.add(rock(d, "chip", 12, 132, 6, 4, seed=1))
    d.add(rock(d, "chip", 26, 136, 4, 3, seed=2))
    d.save(FOLDER, "stonemason_lodge")


def obelisk_needle(d, needle, rune):
    """What every obelisk shares: its shadow, the plinth, the stone needle in the three shades
    of `needle` with its highlight, and the glow of its rune (light and colour of `rune`)."""
    d.add(contact_shadow(d, 32, 170, 28, 6))
    base = d.linear("plinth", [(0, "#d8d2c4"), (1, "#8e887a")])
    d.add(poly([(6, 172), (58, 172), (54, 156), (10, 156)], base, OUTLINE, 1.6))
    d.add(rect(12, 148, 40, 9, base, width=1.5))
    body = d.linear("needle", [(0, needle[0]), (0.45, needle[1]), (1, needle[2])], 0, 0, 1, 0)
    d.add(poly([(16, 148), (48, 148), (42, 22), (32, 8), (22, 22)], body, OUTLINE, 1.8))
    d.add(path("M22 146 L27 24", stroke="#ffffff", width=1.5, extra=' opacity="0.4"'))
    glow = d.radial("runeGlow", [(0, rune[0], 1), (0.5, rune[1], 0.6), (1, rune[1], 0)],
                    0.5, 0.5, 0.5)
    d.add(circle(32, 80, 20, glow))
    d.touch("peak", [(22, 22), (32, 8), (42, 22)])
    d.touch("base", 32, 170, 30, 5)


def obelisk_speed():
    d = Doc(64, 180, "The obelisk of speed: a tall stone needle with a glowing rune of wings.")
    obelisk_needle(d, ("#e4dfd2", "#bcb6a6", "#7e786a"), ("#e8fbff", "#7ad8ff"))
    d.add(path("M32 92 C24 88 20 80 18 70 C24 74 28 76 32 80 C36 76 40 74 46 70 C44 80 40 88 32 92 Z",
               "#4ac0f0", "#1a5a80", 1.2))
    d.add(path("M24 100 h16 M27 106 h10", stroke="#4ac0f0", width=2.2))
    d.add(path("M32 8 L36 14 L32 18 L28 14 Z", "#7ad8ff", OUTLINE, 1))
    d.save(FOLDER, "obelisk_speed")


def obelisk_toil():
    d = Doc(64, 180, "The obelisk of toil: a stone needle with a glowing rune of a hammer.")
    obelisk_needle(d, ("#e2d8c8", "#b8ac98", "#7a6e5e"), ("#fff4d8", "#ffb040"))
    # The hammer: a head across the top of a slanted handle
    d.add(path("M26 96 L36 72", stroke="#7a3a10", width=5))
    d.add(path("M26 96 L36 72", stroke="#f09a30", width=3))
    d.add(poly([(24, 70), (44, 78), (47, 71), (27, 63)], "#f0a040", "#7a3a10", 1.2))
    d.add(path("M24 104 h16 M27 110 h10", stroke="#f0a040", width=2.2))
    d.add(path("M32 8 L36 14 L32 18 L28 14 Z", "#ffc060", OUTLINE, 1))
    d.save(FOLDER, "obelisk_toil")


def scarecrow():
    d = Doc(96, 150, "The scarecrow: a straw man on a pole with a hat and a patched coat; "
                     "no flying creature comes near it.")
    d.add(contact_shadow(d, 48, 142, 24, 5))
    pole = "#a06a36"
    d.add(path("M48 144 V40", stroke=OUTLINE, width=6))
    d.add(path("M48 144 V40", stroke=pole, width=3.5))
    d.add(path("M10 62 H86", stroke=OUTLINE, width=5.5))
    d.add(path("M10 62 H86", stroke=pole, width=3))
    coat = d.linear("coat", [(0, "#6a8c4a"), (1, "#3e5a2c")])
    d.add(poly([(22, 58), (74, 58), (68, 112), (28, 112)], coat, OUTLINE, 1.6))
    d.add(rect(40, 80, 12, 10, "#b8663a", width=1.2))
    d.add(path("M14 60 l-6 10 M16 62 l-2 12 M82 60 l6 10 M80 62 l2 12",
               stroke="#e8c860", width=2))
    d.add(path("M32 112 l-4 12 M44 112 l-2 14 M56 112 l2 14 M64 112 l4 12",
               stroke="#e8c860", width=2))
    d.add(circle(48, 42, 14, "#f0d890", OUTLINE, 1.5))
    d.add(path("M42 40 h3 M51 40 h3 M42 48 Q48 52 54 48", stroke=OUTLINE, width=1.6))
    d.add(ellipse(48, 30, 24, 5, "#8a5a2a", OUTLINE, 1.5))
    d.add(poly([(36, 30), (60, 30), (56, 12), (40, 12)], "#9a6a34", OUTLINE, 1.5))
    d.add(path("M38 26 H58", stroke="#c04030", width=3))
    d.touch("base", 48, 142, 28, 5)
    d.save(FOLDER, "scarecrow")


def watchtower():
    d = Doc(80, 170, "The watchtower: a wooden lookout on four legs with a lantern; no thief "
                     "dares to come while it stands.")
    d.add(contact_shadow(d, 40, 162, 30, 6))
    wood = "#a06a36"
    for x0, x1 in ((14, 24), (66, 56)):
        d.add(path(f"M{x0} 164 L{x1} 60", stroke=OUTLINE, width=6))
        d.add(path(f"M{x0} 164 L{x1} 60", stroke=wood, width=3.5))
    d.add(path("M20 130 L60 100 M60 130 L20 100", stroke="#7a4a22", width=2.5))
    floor = d.linear("towerFloor", [(0, "#d8a468"), (1, "#8a5a2a")])
    d.add(rect(12, 52, 56, 12, floor, width=1.6))
    d.add(rect(16, 30, 48, 22, "#c89058", width=1.4))
    d.add(rect(22, 34, 14, 12, "#40302a", width=1.0))
    d.add(rect(44, 34, 14, 12, "#40302a", width=1.0))
    glow = d.radial("lanternGlow", [(0, "#fff6c0", 1), (0.6, "#ffd050", 0.5), (1, "#ffd050", 0)],
                    0.5, 0.5, 0.5)
    d.add(circle(29, 40, 8, glow))
    d.add(poly([(6, 32), (74, 32), (40, 6)], "#b04a30", OUTLINE, 1.6))
    d.add(path("M14 30 L40 10 L66 30", stroke="#e07050", width=1.5, extra=' opacity="0.6"'))
    d.touch("peak", [(6, 32), (40, 6), (74, 32)])
    d.touch("base", 40, 162, 32, 6)
    d.save(FOLDER, "watchtower")


def briefing_site():
    d = Doc(96, 80, "A house being built: the briefing's picture of a building site.")
    d.add(contact_shadow(d, 48, 72, 44, 6))
    d.add(stone_wall(d, 14, 44, 68, 28, ident="siteWall"))
    beam = "#c08850"
    for x in (16, 48, 80):
        d.add(path(f"M{x} 72 V14", stroke=OUTLINE, width=4.5))
        d.add(path(f"M{x} 72 V14", stroke=beam, width=2.5))
    d.add(path("M16 14 L48 4 L80 14", stroke=OUTLINE, width=4.5))
    d.add(path("M16 14 L48 4 L80 14", stroke=beam, width=2.5))
    d.add(path("M10 36 H86", stroke=OUTLINE, width=4))
    d.add(path("M10 36 H86", stroke="#e0b47a", width=2.2))
    d.add(path("M16 40 L48 16 M80 40 L48 16", stroke="#a06a36", width=1.6))
    d.add(crate(d, 4, 76, 12))
    d.add(plank(d, 62, 70, 30, 5, ident="briefPlank"))
    d.touch("scatter", 20, 72, 60, 78, 7)
    d.touch("peak", [(16, 14), (48, 4), (80, 14)])
    d.save(FOLDER, "briefing_site")


def main():
    workers_house()
    warehouse()
    farm()
    sawmill()
    gold_mine()
    stonemason_lodge()
    obelisk_speed()
    obelisk_toil()
    scarecrow()
    watchtower()
    briefing_site()


if __name__ == "__main__":
    main()
