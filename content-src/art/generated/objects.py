#!/usr/bin/env python3
"""Writes the SVG sources of the level objects (world/*.svg, textures of their own): obstacles, resource
sites, the products of buildings and the scenery. Each picture has the size at which the
levels draw it (twice the object's half size). Run it again after changing a drawing:
    python3 content-src/art/generated/objects.py
"""
import math

from artlib import (OUTLINE, LEAF, LEAF_DARK, Doc, berries, canopy, circle, contact_shadow,
                    dress_touch, ellipse, f, group, leaf_tufts, log, path, plank, poly, rock, trunk)

FOLDER = "world"


def fallen_tree():
    d = Doc(116, 52, "A fallen trunk across the way, with its broken crown.")
    d.add(contact_shadow(d, 60, 42, 54, 8))
    # Root plate on the left
    d.add(path("M6 14 C2 22 4 36 10 42 L20 40 C16 34 15 22 18 14 Z", d.linear(
        "roots", [(0, "#8a6a48"), (1, "#5a3a20")]), OUTLINE, 1.5))
    d.add(path("M4 18 l-3 -4 M6 38 l-4 3 M10 12 l-2 -5", stroke=OUTLINE, width=1.6))
    d.add(log(d, 14, 28, 88, 32, 10, ident="trunkLog", end=False))
    # Broken crown: branches and a few leaves on the right
    d.add(path("M86 30 L102 16 M88 34 L104 40 M92 30 L106 27", stroke="#6a4020", width=4))
    d.add(path("M86 30 L102 16 M88 34 L104 40 M92 30 L106 27", stroke="#8a5a30", width=2))
    d.add(canopy(d, "crown", [(102, 14, 7), (106, 27, 6), (104, 40, 6), (96, 21, 5)],
                 stops=[(0, "#b9d870"), (0.5, "#8ab04a"), (1, "#5e7e2a")]))
    d.add(ellipse(14, 28, 4.5, 10, d.radial("cut", [(0, "#f3d7a0"), (1, "#b98a50")], 0.5, 0.5, 0.5),
                  OUTLINE, 1.4))
    d.add(path("M40 20 l3 -6 l2 5 M62 21 l2 -5", stroke=OUTLINE, width=1.5))
    d.save(FOLDER, "fallen_tree")


def oak(name, w, h, title, apples=False, old=False, crown=0.36, trunk_w=(0.11, 0.2)):
    d = Doc(w, h, title)
    cx = w / 2
    base = h - 10
    d.add(contact_shadow(d, cx, base + 2, w * 0.32, 6))
    d.add(trunk(d, cx, h * (crown + 0.12), base, w * trunk_w[0], w * trunk_w[1]))
    top = h * crown
    r = w * 0.2
    # Branches into the crown
    d.add(path(f"M{f(cx)} {f(top + r * 1.2)} L{f(cx - w * 0.2)} {f(top + r * 0.3)} M{f(cx)} "
               f"{f(top + r * 1.1)} L{f(cx + w * 0.22)} {f(top + r * 0.2)}", stroke="#6a4020",
               width=5 if old else 4))
    if old:
        # Bare branches of an old tree reaching out of the crown.
        d.add(path(f"M{f(cx - w * 0.28)} {f(top + r * 0.4)} L{f(cx - w * 0.45)} {f(top - r * 0.2)} "
                   f"l{f(-w * 0.03)} {f(-r * 0.3)} M{f(cx - w * 0.4)} {f(top)} l{f(w * 0.02)} "
                   f"{f(-r * 0.45)}", stroke=OUTLINE, width=4))
        d.add(path(f"M{f(cx - w * 0.28)} {f(top + r * 0.4)} L{f(cx - w * 0.45)} {f(top - r * 0.2)} "
                   f"l{f(-w * 0.03)} {f(-r * 0.3)} M{f(cx - w * 0.4)} {f(top)} l{f(w * 0.02)} "
                   f"{f(-r * 0.45)}", stroke="#8a5a30", width=2))
        blobs = [(cx - w * 0.2, top + r * 0.35, r * 0.9), (cx + w * 0.24, top + r * 0.3, r),
                 (cx + w * 0.02, top - r * 0.35, r * 1.2), (cx - w * 0.08, top + r * 0.7, r * 0.85),
                 (cx + w * 0.16, top + r * 0.75, r * 0.8), (cx + w * 0.28, top - r * 0.5, r * 0.75),
                 (cx - w * 0.18, top - r * 0.6, r * 0.7)]
        stops = [(0, "#a8c860"), (0.45, "#5e8a34"), (1, "#2c4e1a")]
    else:
        blobs = [(cx - w * 0.26, top + r * 0.3, r * 0.95), (cx + w * 0.26, top + r * 0.25, r),
                 (cx, top - r * 0.45, r * 1.25), (cx - w * 0.14, top + r * 0.6, r * 0.9),
                 (cx + w * 0.13, top + r * 0.65, r * 0.95), (cx - w * 0.2, top - r * 0.55, r * 0.8),
                 (cx + w * 0.2, top - r * 0.6, r * 0.85)]
        stops = LEAF
    d.add(canopy(d, "crown", blobs, stops=stops))
    d.add(leaf_tufts([(cx - w * 0.2, top + r * 0.2, 4), (cx + w * 0.15, top - r * 0.3, 4),
                      (cx + w * 0.28, top + r * 0.5, 3.5), (cx - w * 0.05, top + r * 0.9, 4),
                      (cx - w * 0.3, top - r * 0.5, 3), (cx + w * 0.05, top - r * 1.1, 3.5)]))
    if old:
        # A hollow in the trunk.
        d.add(ellipse(cx + w * 0.02, h * 0.78, w * 0.035, h * 0.035, "#3a2210", OUTLINE, 1.2))
    if apples:
        d.add(berries([(cx - w * 0.22, top + r * 0.5), (cx + w * 0.1, top - r * 0.2),
                       (cx + w * 0.3, top + r * 0.4), (cx - w * 0.05, top + r * 0.95),
                       (cx - w * 0.12, top - r * 0.8), (cx + w * 0.2, top - r * 0.9),
                       (cx - w * 0.33, top - r * 0.1)], doc=d, ident="apple", r=w * 0.045,
                      colour=("#ffb0a0", "#e2322a", "#8a1410")))
    d.save(FOLDER, name)


def stone(name, w, h, title, moss=False, seed=0.0):
    d = Doc(w, h, title)
    d.add(contact_shadow(d, w / 2, h - 7, w * 0.45, h * 0.14))
    d.add(rock(d, "rock", w / 2, h / 2 + 2, w * 0.42, h * 0.36, seed=seed))
    if moss:
        d.add(path(f"M{f(w * 0.2)} {f(h * 0.35)} C{f(w * 0.3)} {f(h * 0.18)} {f(w * 0.55)} "
                   f"{f(h * 0.14)} {f(w * 0.66)} {f(h * 0.26)} C{f(w * 0.56)} {f(h * 0.3)} "
                   f"{f(w * 0.4)} {f(h * 0.26)} {f(w * 0.2)} {f(h * 0.35)} Z",
                   d.linear("moss", [(0, "#9ccc5a"), (1, "#5e8e2e")]), OUTLINE, 1.2))
        d.add(rock(d, "rock2", w * 0.8, h * 0.72, w * 0.14, h * 0.15, seed=seed + 1))
    d.save(FOLDER, name)


def thorn_bush():
    d = Doc(68, 48, "A thorny bramble.")
    d.add(contact_shadow(d, 34, 42, 30, 5))
    dark = [(0, "#8aa24a"), (0.5, "#56702a"), (1, "#2e4216")]
    d.add(canopy(d, "bramble", [(18, 28, 12), (34, 22, 15), (50, 28, 12), (28, 34, 10),
                                (42, 34, 10)], stops=dark, light="#d8f0a0"))
    thorns = []
    for x, y, a in [(8, 24, 200), (14, 14, 240), (30, 8, 270), (46, 10, 300), (60, 22, 330),
                    (62, 34, 10), (22, 40, 150), (50, 40, 40)]:
        r = math.radians(a)
        thorns.append(path(f"M{f(x)} {f(y)} l{f(6 * math.cos(r))} {f(6 * math.sin(r))}",
                           stroke="#6a3a1a", width=1.6))
    d.add("".join(thorns))
    d.add(path("M12 30 C22 18 40 14 56 26 M20 36 C30 26 44 26 52 34", stroke="#5a3818",
               width=1.4, extra=' opacity="0.8"'))
    d.add(berries([(26, 20), (44, 24), (36, 32)], doc=d, ident="sloe",
                  colour=("#c8b0f0", "#5a3a9a", "#2a1a4a"), r=2.4))
    d.save(FOLDER, "thorn_bush")


def wheel(cx, cy, r, broken=False):
    out = [ellipse(cx, cy, r * 0.55, r, "none", OUTLINE, 4.2),
           ellipse(cx, cy, r * 0.55, r, "none", "#a06a36", 2.2)]
    spokes = range(0, 360, 60) if not broken else (0, 60, 180, 240)
    for a in spokes:
        rad = math.radians(a)
        out.append(path(f"M{f(cx)} {f(cy)} l{f(r * 0.5 * math.cos(rad))} {f(r * 0.92 * math.sin(rad))}",
                        stroke="#7a4a22", width=1.6))
    out.append(circle(cx, cy, 2.2, "#5a3418", OUTLINE, 1))
    return "".join(out)


def broken_cart():
    d = Doc(100, 64, "An old cart with a broken wheel, tipped over.")
    d.add(contact_shadow(d, 50, 56, 44, 7))
    wood = d.linear("cartWood", [(0, "#d49a5a"), (0.5, "#b07038"), (1, "#7a4a22")])
    side = d.linear("cartSide", [(0, "#a86a34"), (1, "#6a3e1a")])
    # Loose wheel lying flat on the right
    d.add(ellipse(84, 50, 13, 6, "none", OUTLINE, 4))
    d.add(ellipse(84, 50, 13, 6, "none", "#a06a36", 2))
    d.add(path("M72 50 L96 50 M84 44 L84 56", stroke="#7a4a22", width=1.5))
    # Tilted box
    d.add(poly([(10, 22), (66, 14), (72, 38), (16, 48)], side, OUTLINE, 1.6))
    d.add(poly([(10, 22), (66, 14), (60, 8), (6, 15)], wood, OUTLINE, 1.6))
    for t in (0.33, 0.66):
        d.add(path(f"M{f(10 + 56 * t)} {f(22 - 8 * t)} L{f(16 + 56 * t)} {f(48 - 10 * t)}",
                   stroke="#5a3216", width=1.2))
    d.add(path("M13 30 L69 22 M14 39 L70 31", stroke="#5a3216", width=0.9, extra=' opacity="0.6"'))
    # Broken board sticking out
    d.add(poly([(66, 14), (80, 6), (82, 10), (70, 19)], wood, OUTLINE, 1.3))
    # Shaft
    d.add(path("M12 40 L4 58", stroke=OUTLINE, width=5))
    d.add(path("M12 40 L5.5 55", stroke="#a06a36", width=3))
    # Remaining wheel
    d.add(wheel(24, 46, 12))
    # A sack spilled
    d.add(path("M40 44 C36 36 48 32 54 38 C60 44 54 52 46 52 C40 52 40 48 40 44 Z",
               d.linear("sack", [(0, "#efe0b8"), (1, "#c4aa78")]), OUTLINE, 1.4))
    d.add(path("M44 38 l4 -3 l3 3", stroke="#8a6a3a", width=1.2))
    d.save(FOLDER, "broken_cart")


def broken_bridge():
    d = Doc(120, 48, "A footbridge with missing planks.")
    d.add(contact_shadow(d, 60, 42, 56, 6, opacity=0.25))
    # Beams underneath
    beam = d.linear("beam", [(0, "#9a6232"), (1, "#5e3519")])
    d.add(poly([(4, 30), (116, 30), (116, 35), (4, 35)], beam, OUTLINE, 1.4))
    # Planks across (some missing, one tilted)
    for i, x in enumerate(range(8, 112, 12)):
        if i in (4, 5):
            continue
        if i == 3:
            d.add(poly([(x, 16), (x + 10, 20), (x + 8, 36), (x - 2, 32)],
                       d.linear("plankTilt", [(0, "#e0b47a"), (1, "#a0703e")]), OUTLINE, 1.3))
            continue
        d.add(plank(d, x, 14, 10, 20, ident="bridgePlank"))
    # Posts and a broken rail
    for x in (6, 112):
        d.add(f'<rect x="{x - 3}" y="4" width="6" height="30" rx="1" fill="{beam}" stroke="{OUTLINE}" stroke-width="1.4"/>')
    d.add(path("M6 8 L44 10", stroke=OUTLINE, width=4.5))
    d.add(path("M6 8 L44 10", stroke="#b07a44", width=2.5))
    d.add(path("M112 8 L80 6 L74 12", stroke=OUTLINE, width=4.5))
    d.add(path("M112 8 L80 6 L74 12", stroke="#b07a44", width=2.5))
    # Water glint through the gap
    d.add(path("M58 24 h10 M62 29 h8", stroke="#bfe6ff", width=1.5, extra=' opacity="0.9"'))
    d.touch("peak", [(3, 4), (9, 4)])
    d.touch("peak", [(109, 4), (115, 4)])
    d.touch("icicles", 6, 46, 35)
    d.touch("icicles", 78, 114, 35)
    d.touch("scatter", 12, 18, 108, 30, 6)
    d.save(FOLDER, "broken_bridge")


def tree_stump():
    d = Doc(56, 36, "A tree stump with its roots.")
    d.add(contact_shadow(d, 28, 30, 24, 5))
    bark = d.linear("stumpBark", [(0, "#a8703e"), (0.5, "#8a5428"), (1, "#5e3519")], 0, 0, 1, 0)
    d.add(path("M12 14 L12 26 C8 28 4 30 2 32 L14 31 L20 30 L28 33 L36 30 L42 31 L54 32 C52 30 "
               "48 28 44 26 L44 14 Z", bark, OUTLINE, 1.5))
    d.add(ellipse(28, 14, 16, 6.5, d.radial("stumpTop", [(0, "#f6dca8"), (0.7, "#e2b878"),
                                                         (1, "#b98a50")], 0.5, 0.5, 0.5),
                  OUTLINE, 1.5))
    d.add(ellipse(28, 14, 10, 4, "none", "#b8884e", 0.9))
    d.add(ellipse(28, 14, 5, 2, "none", "#b8884e", 0.9))
    d.add(path("M20 18 v8 M34 18 v9", stroke="#5a3216", width=1, extra=' opacity="0.5"'))
    d.add(canopy(d, "sprout", [(44, 9, 3), (47, 6, 2.5)]))
    d.save(FOLDER, "tree_stump")


def berry_bush():
    d = Doc(60, 48, "A bush full of ripe red berries.")
    d.add(contact_shadow(d, 30, 42, 26, 5))
    d.add(canopy(d, "bush", [(16, 28, 12), (30, 20, 14), (44, 28, 12), (24, 34, 10), (38, 34, 10)]))
    d.add(leaf_tufts([(20, 22, 3), (36, 16, 3), (44, 30, 3), (26, 34, 3)]))
    d.add(berries([(14, 26), (22, 18), (30, 28), (38, 20), (46, 26), (26, 36), (40, 34), (33, 13)],
                  doc=d, r=3.2))
    d.save(FOLDER, "berry_bush")


def wood_pile():
    d = Doc(68, 44, "Stacked logs, ready to carry.")
    d.add(contact_shadow(d, 34, 38, 30, 5))
    for x, y in [(8, 30), (24, 31), (40, 30), (16, 20), (32, 20), (24, 11)]:
        d.add(log(d, x, y + 2, x + 22, y, 6.5, ident="pileLog"))
    d.save(FOLDER, "wood_pile")


def gold_vein():
    d = Doc(80, 60, "A rock with a glittering vein of gold.")
    d.add(contact_shadow(d, 40, 52, 36, 6))
    d.add(rock(d, "veinRock", 40, 32, 34, 24, tone=("#c8bca8", "#958a78", "#5e5446"), seed=1.3))
    gold = d.linear("gold", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")])
    d.add(path("M14 30 C24 26 30 36 40 30 C48 25 56 32 66 26", stroke=OUTLINE, width=5))
    d.add(path("M14 30 C24 26 30 36 40 30 C48 25 56 32 66 26", stroke=gold, width=3))
    for x, y, s in [(24, 28, 5), (44, 29, 6), (58, 27, 4.5), (34, 40, 4), (52, 40, 3.5)]:
        d.add(poly([(x - s, y), (x - s * 0.3, y - s * 0.8), (x + s * 0.7, y - s * 0.6),
                    (x + s, y + s * 0.2), (x + s * 0.2, y + s * 0.8), (x - s * 0.7, y + s * 0.5)],
                   gold, OUTLINE, 1.2))
    for x, y in [(46, 24), (26, 24), (60, 22)]:
        d.add(path(f"M{x} {y - 4} v8 M{x - 4} {y} h8", stroke="#ffffff", width=1.2))
    d.save(FOLDER, "gold_vein")


def gold_ore():
    d = Doc(68, 44, "A heap of gold ore from the mine.")
    d.add(contact_shadow(d, 34, 38, 30, 5))
    d.add(path("M6 38 C10 24 22 14 34 14 C46 14 58 24 62 38 Z",
               d.linear("heap", [(0, "#a89884"), (1, "#6a5c4a")]), OUTLINE, 1.6))
    gold = d.linear("ore", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")])
    for x, y, s in [(22, 28, 5), (34, 20, 6), (46, 28, 5), (30, 33, 4), (42, 34, 4), (16, 34, 3.5),
                    (52, 35, 3.5)]:
        d.add(poly([(x - s, y), (x - s * 0.3, y - s * 0.8), (x + s * 0.7, y - s * 0.6),
                    (x + s, y + s * 0.2), (x + s * 0.2, y + s * 0.8), (x - s * 0.7, y + s * 0.5)],
                   gold, OUTLINE, 1.2))
    d.add(path("M34 12 v6 M31 15 h6", stroke="#ffffff", width=1.2))
    d.save(FOLDER, "gold_ore")


def plank_stack():
    d = Doc(68, 44, "Sawn planks from the sawmill, stacked crosswise.")
    d.add(contact_shadow(d, 34, 38, 30, 5))
    for i, y in enumerate((28, 20, 12)):
        d.add(plank(d, 6 + i * 2, y, 54 - i * 4, 8, ident="stackPlank"))
        d.add(f'<rect x="{12 + i * 2}" y="{y + 7}" width="6" height="3" fill="#7a4a22"/>')
        d.add(f'<rect x="{48 - i * 2}" y="{y + 7}" width="6" height="3" fill="#7a4a22"/>')
    d.save(FOLDER, "plank_stack")


def farm_field():
    d = Doc(140, 60, "A field of ripe wheat.")
    soil = d.linear("soil", [(0, "#b07a44"), (1, "#7a5028")])
    d.add(path("M10 14 L130 14 L138 54 L2 54 Z", soil, OUTLINE, 1.6))
    wheat = d.linear("wheat", [(0, "#fff0a0"), (0.5, "#f0c850"), (1, "#c08a28")])
    for row, y in enumerate((20, 29, 38, 47)):
        inset = 8 - row * 2
        x = 10 + inset
        while x < 130 - inset:
            d.add(path(f"M{f(x)} {f(y + 6)} q1 -6 -1 -11", stroke="#8a6a20", width=1))
            d.add(ellipse(x - 1, y - 5, 2, 4.5, wheat, "#8a6a20", 0.7))
            x += 7
    d.add(path("M4 54 L136 54", stroke="#5a3a1a", width=1))
    d.touch("scatter", 4, 50, 136, 57, 4)
    d.save(FOLDER, "farm_field")


def building_site():
    d = Doc(120, 80, "A cleared building site: foundation stones, stakes and a stack of boards.")
    d.add(contact_shadow(d, 60, 68, 54, 9, opacity=0.22))
    d.add(path("M14 44 L96 40 L112 64 L8 70 Z", d.linear("ground", [(0, "#d8bc88"), (1, "#b0925e")]),
               OUTLINE, 1.4))
    for x, y in [(16, 46), (34, 45), (52, 44), (70, 43), (88, 42), (104, 62), (82, 65), (58, 66),
                 (34, 67), (12, 68)]:
        d.add(rock(d, "siteStone", x, y, 7, 5, tone=("#e0dcd0", "#b0aa9c", "#77716a"), seed=x * 0.1))
    for x, y in [(18, 30), (98, 26), (108, 52), (8, 56)]:
        d.add(path(f"M{x} {y} v20", stroke=OUTLINE, width=4))
        d.add(path(f"M{x} {y} v20", stroke="#c89058", width=2))
    d.add(path("M18 32 L98 28 L108 54", stroke="#e8dcc0", width=1.2))
    for i in range(3):
        d.add(plank(d, 44 + i, 50 - i * 5, 34, 5, ident="sitePlank"))
    d.touch("scatter", 12, 56, 100, 68, 5)
    d.touch("peak", [(44, 40), (80, 40)])
    d.save(FOLDER, "building_site")


def deco_flowers():
    d = Doc(80, 40, "A patch of meadow flowers.")
    grass = "#4f9a32"
    for x in range(6, 76, 5):
        d.add(path(f"M{x} 36 q{(x % 3) - 1} -8 {((x * 7) % 5) - 2} -14", stroke=grass, width=1.5))
    colours = [("#fff7fb", "#ffc93c"), ("#ffd6e8", "#ff9a3c"), ("#fff08a", "#e07a1a"),
               ("#c8b8ff", "#ffe060")]
    for i, (x, y) in enumerate([(10, 20), (22, 14), (34, 22), (46, 12), (58, 20), (70, 16),
                                (28, 30), (52, 28), (64, 30), (16, 30)]):
        petal, middle = colours[i % 4]
        for a in range(0, 360, 72):
            r = math.radians(a + i * 10)
            d.add(circle(x + 3 * math.cos(r), y + 3 * math.sin(r), 2.6, petal, OUTLINE, 0.6))
        d.add(circle(x, y, 1.8, middle))
    d.save(FOLDER, "deco_flowers")


def deco_fence():
    d = Doc(180, 32, "A low wooden fence.")
    wood = d.linear("fence", [(0, "#d8a468"), (1, "#94602e")])
    d.add(path("M4 12 L176 10 M4 22 L176 20", stroke=OUTLINE, width=5))
    d.add(path("M4 12 L176 10 M4 22 L176 20", stroke="#b8844a", width=3))
    for x in range(8, 176, 20):
        d.add(path(f"M{x - 3} 30 L{x - 3} 6 L{x} 2 L{x + 3} 6 L{x + 3} 30 Z", wood, OUTLINE, 1.3))
    d.save(FOLDER, "deco_fence")


def old_well():
    d = Doc(72, 80, "An old stone well with a little roof.")
    d.add(contact_shadow(d, 36, 72, 30, 6))
    stone = d.linear("wellStone", [(0, "#d8d2c4"), (1, "#8e887a")])
    d.add(path("M12 50 L12 66 C12 74 60 74 60 66 L60 50 Z", stone, OUTLINE, 1.6))
    for y in (56, 62, 68):
        d.add(path(f"M13 {y} C24 {y + 4} 48 {y + 4} 59 {y}", stroke="#7a7468", width=0.9))
    d.add(ellipse(36, 50, 24, 7, "#3a3a44", OUTLINE, 1.6))
    d.add(ellipse(36, 51, 20, 5, "#1e2a36"))
    for x in (14, 58):
        d.add(path(f"M{x} 50 L{x} 22", stroke=OUTLINE, width=5))
        d.add(path(f"M{x} 50 L{x} 22", stroke="#a06a36", width=3))
    d.add(path("M6 26 L36 6 L66 26 Z", d.linear("wellRoof", [(0, "#e0684a"), (1, "#9e3021")]),
               OUTLINE, 1.6))
    d.add(path("M12 22 L36 8 M22 24 L36 14 M60 22 L36 8", stroke="#7a2418", width=0.9))
    d.add(path("M14 32 L58 32", stroke=OUTLINE, width=3))
    d.add(path("M36 32 L36 44", stroke="#8a7a5a", width=1))
    d.add(f'<rect x="31" y="42" width="10" height="8" rx="1" fill="#a06a36" stroke="{OUTLINE}" stroke-width="1.2"/>')
    d.save(FOLDER, "old_well")


def village_sign():
    d = Doc(48, 80, "A signpost pointing the way to the village.")
    d.add(contact_shadow(d, 24, 74, 14, 4))
    d.add(path("M24 76 L24 12", stroke=OUTLINE, width=6))
    d.add(path("M24 76 L24 12", stroke="#a06a36", width=4))
    board = d.linear("board", [(0, "#f0c88a"), (1, "#b8844a")])
    d.add(poly([(4, 14), (38, 12), (46, 20), (38, 28), (4, 28)], board, OUTLINE, 1.5))
    d.add(poly([(44, 34), (10, 32), (2, 40), (10, 48), (44, 48)], board, OUTLINE, 1.5))
    # A house and a tree painted on the boards instead of words
    d.add(path("M14 25 L14 19 L19 15 L24 19 L24 25 Z", "#c9452c", OUTLINE, 0.9))
    d.add(circle(31, 40, 4, "#4b8f33", OUTLINE, 0.9))
    d.add(path("M31 44 v3", stroke=OUTLINE, width=1.4))
    d.add(path("M18 40 h-6 m3 -3 l-3 3 l3 3", stroke=OUTLINE, width=1.2))
    d.save(FOLDER, "village_sign")


def standing_stones():
    d = Doc(120, 100, "An old ring of standing stones.")
    d.add(contact_shadow(d, 60, 86, 54, 11, opacity=0.25))
    tone = ("#d0ccc0", "#9c978a", "#66615a")
    grad = d.linear("menhir", [(0, tone[0]), (0.5, tone[1]), (1, tone[2])], 0, 0, 1, 0)
    for x, y, w, h, lean in [(30, 64, 18, 46, -4), (60, 58, 22, 56, 0), (90, 64, 18, 44, 5),
                             (16, 84, 14, 30, -6), (104, 84, 14, 32, 6)]:
        d.add(path(f"M{f(x - w / 2)} {f(y + h * 0.4)} L{f(x - w / 2 + 2 + lean)} {f(y - h / 2 + 6)} "
                   f"Q{f(x + lean)} {f(y - h / 2 - 4)} {f(x + w / 2 - 2 + lean)} {f(y - h / 2 + 6)} "
                   f"L{f(x + w / 2)} {f(y + h * 0.4)} Z", grad, OUTLINE, 1.6))
        d.add(path(f"M{f(x - w / 2 + 4)} {f(y + h * 0.3)} q{f(2 + lean * 0.3)} {f(-h * 0.3)} "
                   f"{f(1 + lean * 0.6)} {f(-h * 0.55)}", stroke="#ffffff", width=1.5,
                   extra=' opacity="0.35"'))
    d.add(path("M54 44 l6 -6 l6 6 l-6 6 Z", "#8ad0ff", OUTLINE, 1, extra=' opacity="0.85"'))
    d.save(FOLDER, "standing_stones")


def main():
    fallen_tree()
    oak("old_oak", 120, 180, "A gnarled old oak that blocks the way.", old=True, crown=0.42,
        trunk_w=(0.16, 0.3))
    oak("apple_tree", 112, 140, "An apple tree; its apples grow back.", apples=True)
    oak("deco_tree_big", 140, 200, "A big shady tree for decoration.", crown=0.38,
        trunk_w=(0.12, 0.2))
    stone("stone", 60, 44, "A stone to break up.", seed=0.4)
    stone("boulder", 100, 80, "A mossy boulder only the mason can move.", moss=True, seed=2.1)
    stone("deco_rock", 60, 44, "A rock for decoration.", seed=3.3)
    thorn_bush()
    broken_cart()
    broken_bridge()
    tree_stump()
    berry_bush()
    wood_pile()
    gold_vein()
    gold_ore()
    plank_stack()
    farm_field()
    building_site()
    deco_flowers()
    deco_fence()
    old_well()
    village_sign()
    standing_stones()


if __name__ == "__main__":
    main()
