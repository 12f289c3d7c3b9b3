#!/usr/bin/env python3
"""The autumn wood (episode 3): its own workable things and its levels.

Paints the wood's obstacles and resource sites (world/autumn_*.svg), writes their descriptors,
work sounds, names and effects as one block at the end of each shared table, and writes the
levels 1-3 and 5-11 of episode 3 from the episode 1 templates, dressed in the wood's things
instead of the meadow's, with their grounds, speeches and level messages.
    python3 content-src/art/generated/land_autumn.py
Needs build/bin/kcontent (or $KCONTENT) for fitting the waypoints, like later_levels.py. The
medal times and the developers' scores come afterwards from the bot's runs, twice (the bot's
score counts against the level's medal times, so the second run scores against the new ones):
    build/bin/kcontent campaign tune content-src/game/content/levels/level_03_{0[1235-9],1?}.xml --write
"""
import math
import os
import xml.etree.ElementTree as ET

import later_levels as ll
from artlib import OUTLINE, Doc, canopy, circle, contact_shadow, ellipse, f, log, path, poly, rock
from land_common import Land
from backgrounds import Ground, level_layout
from land_north import quiet_spot

BLOCK = "<!-- the autumn wood (episode 3) -->"
BLOCK_END = "<!-- end of the autumn wood -->"
LAND = Land("autumn", 3, BLOCK, BLOCK_END, "land_autumn.py")
EPISODE = 3

LITTER = [(0, "#e8b870"), (0.55, "#b8783a"), (1, "#7a4a1e")]
MUD = [(0, "#8a6a44"), (0.6, "#5a4028"), (1, "#3a2814")]
MOSS_ROCK = ("#c8c8b8", "#8a8a7a", "#4a4a40")
LEAF_COLOURS = ("#e07a2a", "#c84a1a", "#f0b030", "#a86a1a", "#d85a20")


# ---------------------------------------------------------------- pictures

def leaf(x, y, angle, colour, s=1.0):
    """One fallen leaf with its midrib."""
    t = f' transform="rotate({angle} {f(x)} {f(y)})"'
    return (ellipse(x, y, 4.2 * s, 2.2 * s, colour, "#5a2a0a", 0.6, extra=t)
            + path(f"M{f(x - 3.6 * s)} {f(y)} h{f(7.2 * s)}", stroke="#6a3a10", width=0.5, extra=t))


def litter_bed(d, cx, cy, rx, ry, ident="litterBed", seed=0):
    """A bed of brown leaf litter the thing sits in, dotted with fallen leaves, so it stands out
    from the golden grass around it."""
    out = ellipse(cx, cy, rx, ry, d.linear(ident, LITTER), "#6a3a14", 1.2)
    for k in range(int(rx / 4)):
        a = (k * 2.399 + seed) % (2 * math.pi)
        r = 0.3 + 0.6 * ((k * 0.618 + seed) % 1)
        out += leaf(cx + math.cos(a) * rx * r, cy + math.sin(a) * ry * r, k * 47 % 180,
                    LEAF_COLOURS[k % len(LEAF_COLOURS)], 0.8)
    return out


def moss(x, y, rx, ry):
    return (ellipse(x, y, rx, ry, "#5a8a2a", "#2e4a12", 0.9)
            + ellipse(x - rx * 0.25, y - ry * 0.3, rx * 0.5, ry * 0.4, "#8ab84a"))


def mushroom(d, x, y, s, red=True):
    """A toadstool or a brown cap mushroom standing at x, y (its foot)."""
    out = path(f"M{f(x - 2.2 * s)} {f(y)} L{f(x - 1.6 * s)} {f(y - 8 * s)} L{f(x + 1.6 * s)} {f(y - 8 * s)} "
               f"L{f(x + 2.2 * s)} {f(y)} Z", "#f4ecd8", OUTLINE, 0.9)
    cap = d.radial("capRed" if red else "capBrown",
                   [(0, "#ff7a5a"), (0.6, "#d8261a"), (1, "#8a1010")] if red else
                   [(0, "#e8b070"), (0.6, "#a8642a"), (1, "#5e3414")])
    out += path(f"M{f(x - 7 * s)} {f(y - 7 * s)} Q{f(x)} {f(y - 19 * s)} {f(x + 7 * s)} {f(y - 7 * s)} Z",
                cap, OUTLINE, 1.1)
    if red:
        for dx, dy in ((-3.4, -9), (0.5, -12), (3.6, -9.4)):
            out += circle(x + dx * s, y + dy * s, 1.1 * s, "#ffffff")
    return out


def mushroom_patch():
    d = Doc(60, 48, "A mossy stump among the leaves, toadstools and brown mushrooms growing round it.")
    d.add(contact_shadow(d, 30, 42, 26, 5))
    d.add(litter_bed(d, 30, 39, 27, 7, "mpBed", 0.3))
    d.add(path("M20 38 L21 22 Q30 18 39 22 L40 38 Z", d.linear("mpStump", [(0, "#a8703e"), (1, "#5e3519")], 0, 0, 1, 0),
               OUTLINE, 1.4))
    d.add(ellipse(30, 22, 9.5, 3.6, "#e0b880", OUTLINE, 1.2))
    d.add(ellipse(30, 22, 5, 1.8, "none", "#a8703e", 0.8))
    d.add(moss(24, 33, 5, 3) + moss(37, 30, 4, 2.6))
    for x, y, s, red in [(12, 40, 1.0, True), (18, 43, 0.7, False), (44, 41, 0.9, False), (50, 39, 0.75, True),
                         (34, 44, 0.6, True), (8, 37, 0.6, False)]:
        d.add(mushroom(d, x, y, s, red))
    d.save("world", "autumn_mushroom_patch")


def apple_basket():
    d = Doc(80, 60, "A wild apple tree heavy with red apples, a wicker basket full of them under it.")
    d.add(contact_shadow(d, 40, 54, 36, 6))
    d.add(litter_bed(d, 40, 50, 36, 8, "abBed", 1.1))
    d.add(path("M26 52 C26 40 24 30 22 22 M24 36 Q16 30 12 24 M23 30 Q30 24 34 18", stroke=OUTLINE, width=5.6))
    d.add(path("M26 52 C26 40 24 30 22 22 M24 36 Q16 30 12 24 M23 30 Q30 24 34 18", stroke="#7a5030", width=3.4))
    d.add(canopy(d, "abCrown", [(14, 19, 11), (28, 15, 12), (38, 21, 9), (20, 27, 8)],
                 stops=[(0, "#d8d870"), (0.5, "#8a9a32"), (1, "#4a5a18")]))
    apple = d.radial("abApple", [(0, "#ffb090"), (0.5, "#e0281a"), (1, "#8a0a0a")])
    for x, y in [(10, 21), (18, 14), (27, 21), (33, 12), (38, 23), (22, 29), (14, 29)]:
        d.add(circle(x, y, 2.8, apple, OUTLINE, 0.8))
    d.add(path("M46 40 H74 L70 54 H50 Z", d.linear("abBasket", [(0, "#e8c070"), (1, "#8a5a28")]), OUTLINE, 1.4))
    d.add(path("M48 45 H72 M49 50 H71", stroke="#8a5a28", width=0.9))
    d.add(path("M50 41 Q60 26 70 41", stroke=OUTLINE, width=2.8))
    d.add(path("M50 41 Q60 26 70 41", stroke="#c8955a", width=1.4))
    for x, y in [(51, 39), (57, 38), (63, 38), (69, 39), (54, 35), (60, 34.5), (66, 35.5)]:
        d.add(circle(x, y, 3.2, apple, OUTLINE, 0.8))
    d.add(circle(40, 53, 3, apple, OUTLINE, 0.8))
    d.add(path("M40 50 l1 -2", stroke="#5a3a10", width=0.9))
    d.save("world", "autumn_apple_basket")


def fallen_branches():
    d = Doc(68, 44, "Dry branches blown down by the autumn gales, lying in the leaves.")
    d.add(contact_shadow(d, 34, 38, 30, 5))
    d.add(litter_bed(d, 34, 36, 31, 7, "fbBed", 2.2))
    bark = [(0, "#a8784a"), (0.5, "#7a5030"), (1, "#3e2814")]
    for k, (x1, y1, x2, y2) in enumerate([(6, 36, 60, 28), (12, 24, 58, 34), (18, 16, 52, 24)]):
        g = d.linear(f"fb{k}", bark, 0, 0, 0, 1)
        d.add(path(f"M{x1} {y1} Q{(x1 + x2) / 2} {(y1 + y2) / 2 - 3} {x2} {y2}", stroke=OUTLINE, width=6.5))
        d.add(path(f"M{x1} {y1} Q{(x1 + x2) / 2} {(y1 + y2) / 2 - 3} {x2} {y2}", stroke=g, width=4.4))
    for x, y, dx, dy in [(20, 32, -4, -9), (40, 28, 3, -10), (30, 20, -5, -8), (50, 30, 6, -7), (14, 24, -5, -6)]:
        d.add(path(f"M{x} {y} l{dx} {dy}", stroke=OUTLINE, width=3))
        d.add(path(f"M{x} {y} l{dx} {dy}", stroke="#7a5030", width=1.6))
    for k, (x, y) in enumerate([(16, 15), (44, 18), (55, 22), (27, 12), (36, 24)]):
        d.add(leaf(x, y, k * 50, LEAF_COLOURS[k], 1.1))
    d.save("world", "autumn_fallen_branches")


def birch(d, x, y, s, k):
    """A young birch in yellow leaf standing at x, y."""
    d.add(f'<rect x="{f(x - 3 * s)}" y="{f(y - 60 * s)}" width="{f(6 * s)}" height="{f(60 * s)}" rx="{f(2 * s)}" '
          f'fill="#f4f0e4" stroke="{OUTLINE}" stroke-width="1.2"/>')
    for j in range(5):
        yy = y - (8 + j * 11) * s
        d.add(path(f"M{f(x - 3 * s)} {f(yy)} h{f((3 + j % 2 * 2) * s)}", stroke="#2a2620", width=1.6 * s))
    d.add(canopy(d, f"birchCrown{k}", [(x - 9 * s, y - 62 * s, 10 * s), (x + 8 * s, y - 64 * s, 11 * s),
                                        (x, y - 76 * s, 12 * s)],
                 stops=[(0, "#fff0a0"), (0.5, "#f0c030"), (1, "#a87810")]))


def birch_copse():
    d = Doc(80, 80, "A copse of young birches in yellow leaf, ready for the axe.")
    d.add(contact_shadow(d, 40, 74, 34, 6))
    d.add(litter_bed(d, 40, 72, 34, 7, "bcBed", 0.7))
    for k, (x, y, s) in enumerate([(22, 72, 0.74), (56, 70, 0.76), (38, 77, 0.84)]):
        birch(d, x, y, s, k)
    d.save("world", "autumn_birch_copse")


def mossy_gold():
    d = Doc(80, 60, "A grey rock with moss on its back, split by a vein of gold, ferns at its foot.")
    d.add(contact_shadow(d, 40, 52, 36, 6))
    d.add(rock(d, "mgRock", 40, 31, 34, 23, tone=MOSS_ROCK, seed=2.1))
    d.add(path("M12 22 C20 10 36 8 46 10 C56 8 66 14 68 22 C58 16 48 18 40 16 C30 16 20 18 12 22 Z",
               "#5a8a2a", "#2e4a12", 1.2))  # the moss on its back
    for x, y in [(22, 15), (36, 12), (52, 13), (62, 18)]:
        d.add(ellipse(x, y, 4, 1.8, "#8ab84a"))
    gold = d.linear("mgGold", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")])
    d.add(path("M14 36 L26 30 L36 36 L46 26 L56 32 L66 26", stroke=OUTLINE, width=5))
    d.add(path("M14 36 L26 30 L36 36 L46 26 L56 32 L66 26", stroke=gold, width=3))
    for x, y, s in [(26, 30, 4.5), (46, 26, 5.5), (56, 32, 4)]:
        d.add(poly([(x - s, y), (x, y - s), (x + s, y), (x, y + s)], gold, OUTLINE, 1.1))
    d.add(path("M46 20 v8 M42 24 h8", stroke="#ffffff", width=1.2))
    for x, a in ((8, -1), (72, 1)):  # ferns, turning brown
        for j in range(4):
            d.add(path(f"M{x} 52 q{a * (4 + j * 3)} -{8 + j * 3} {a * (10 + j * 2)} -{12 + j * 4}",
                       stroke="#a86a1a" if j % 2 else "#6a8a2a", width=2))
    for k, (x, y) in enumerate([(24, 50), (52, 51), (38, 53)]):
        d.add(leaf(x, y, k * 60, LEAF_COLOURS[k + 1]))
    d.save("world", "autumn_mossy_gold")


def leaf_heap():
    d = Doc(80, 48, "A heap of fallen leaves blown across the way, a hedgehog asleep in it.")
    d.add(contact_shadow(d, 40, 42, 36, 5))
    g = d.radial("lhHeap", [(0, "#f0b040"), (0.55, "#d0621a"), (1, "#7a2a0a")], 0.4, 0.3, 0.8)
    d.add(path("M4 42 C6 28 18 22 28 26 C34 12 54 10 60 22 C70 22 78 32 76 42 Z", g, OUTLINE, 1.8))
    for k in range(26):
        x = 10 + (k * 23) % 60
        y = 38 - ((k * 13) % 22) * (1 - abs(x - 42) / 60)
        d.add(leaf(x, y, k * 41 % 180, LEAF_COLOURS[k % len(LEAF_COLOURS)], 1.2))
    d.add(path("M6 41 C20 37 40 39 56 40 C64 40 72 38 75 40", stroke="#3a1a08", width=2, extra=' opacity="0.5"'))
    # a hedgehog curled up on top, so the heap reads as the wood's
    d.add(path("M40 18 C40 8 60 6 62 16 Z", "#6a4a2a", OUTLINE, 1.2))
    for j in range(7):
        x = 42 + j * 3
        d.add(path(f"M{x} {16 - (j % 3)} l-2 -5", stroke="#3a2414", width=1.4))
    d.add(path("M60 16 q6 0 7 3 q-4 2 -8 0 Z", "#d8b888", OUTLINE, 0.9))
    d.add(circle(67, 19, 1.1, OUTLINE))
    d.add(circle(62.5, 16.5, 0.8, OUTLINE))
    d.save("world", "autumn_leaf_heap")


def fallen_oak():
    d = Doc(116, 52, "An old oak thrown across the way by the gale, brown leaves and acorns still on its crown.")
    d.add(contact_shadow(d, 60, 42, 54, 8))
    d.add(log(d, 8, 36, 78, 30, 9, ident="foTrunk", end=True))
    for x in range(16, 72, 9):  # the oak's furrowed bark
        y = 36 - (x - 8) * 6 / 66
        d.add(path(f"M{f(x)} {f(y - 7)} q3 4 1 9 q-2 3 1 5", stroke="#4a2e14", width=1.1))
    for x1, y1, x2, y2 in [(70, 28, 96, 12), (74, 32, 104, 34), (66, 26, 80, 8), (76, 30, 94, 44)]:
        d.add(path(f"M{x1} {y1} L{x2} {y2}", stroke=OUTLINE, width=5))
        d.add(path(f"M{x1} {y1} L{x2} {y2}", stroke="#7a5030", width=3))
    d.add(canopy(d, "foLeaves", [(92, 14, 11), (104, 30, 11), (82, 10, 8), (96, 42, 8)],
                 stops=[(0, "#e8b060"), (0.5, "#a8602a"), (1, "#5a2e10")]))
    for x, y in [(88, 20), (100, 24), (106, 36), (92, 38)]:
        d.add(ellipse(x, y, 2, 2.6, "#a8783a", OUTLINE, 0.7))
        d.add(path(f"M{x - 2.2} {y - 1.8} h4.4", stroke="#5a3a14", width=1.6))
    d.save("world", "autumn_fallen_oak")


def muddy_pool():
    d = Doc(80, 48, "A muddy pool the autumn rain left across the way, leaves floating on it.")
    d.add(contact_shadow(d, 40, 42, 36, 5))
    d.add(path("M4 36 C4 22 22 14 40 16 C60 14 78 22 76 34 C76 44 56 46 40 45 C20 46 4 44 4 36 Z",
               d.linear("mpMud", MUD), "#2a1a0a", 1.6))
    d.add(ellipse(40, 31, 28, 9.5, d.linear("mpWater", [(0, "#9a9a80"), (0.6, "#6a6a4a"), (1, "#4a4a30")]),
                  "#3a2a14", 1.2))
    d.add(path("M22 28 q10 -3 20 0 M44 34 q8 -2 14 0", stroke="#d8d8c0", width=1.1))  # the sky in the water
    for k, (x, y) in enumerate([(28, 32), (50, 29), (40, 36)]):
        d.add(leaf(x, y, k * 70, LEAF_COLOURS[k], 1.2))
    for x, y in [(10, 38), (14, 41), (66, 20), (70, 23)]:  # boot prints in the mud
        d.add(ellipse(x, y, 2.4, 1.4, "#3a2814"))
    for x in (64, 68, 72):  # rushes at the edge
        d.add(path(f"M{x} 38 q-1 -12 {x % 3 - 1} -22", stroke="#3a4a1a", width=2.4))
        d.add(path(f"M{x} 38 q-1 -12 {x % 3 - 1} -22", stroke="#8a8a3a", width=1.2))
    d.add(ellipse(66, 17, 1.6, 4, "#6a3a14", OUTLINE, 0.7))  # a bulrush head
    d.save("world", "autumn_muddy_pool")


def bramble_tangle():
    d = Doc(88, 56, "A tangle of brambles grown across the way, red leaves and the last blackberries on it.")
    d.add(contact_shadow(d, 44, 48, 40, 6))
    d.add(litter_bed(d, 44, 47, 40, 7, "btBed", 1.7))
    canes = ["M6 48 Q20 6 44 20 Q60 30 70 48", "M16 48 Q34 10 56 14 Q74 20 82 46",
             "M26 48 Q22 24 40 16", "M4 40 Q24 26 44 34 Q62 40 84 30", "M60 48 Q54 20 72 12"]
    for c in canes:
        d.add(path(c, stroke=OUTLINE, width=4))
        d.add(path(c, stroke="#8a2a3a", width=2.2))
    for k in range(16):  # thorns along the canes
        x, y = 10 + k * 4.6, 22 + 10 * math.sin(k * 1.3)
        d.add(path(f"M{f(x)} {f(y)} l-1.6 -2.6 l3 1 Z", "#e8d8c0", OUTLINE, 0.5))
    leafc = ["#c8281a", "#e0602a", "#8a3a1a", "#a8a02a"]
    for k, (x, y) in enumerate([(14, 30), (30, 18), (48, 18), (64, 22), (76, 36), (38, 32), (56, 36), (22, 40)]):
        d.add(ellipse(x, y, 5, 3, leafc[k % 4], OUTLINE, 0.8, extra=f' transform="rotate({k * 40} {x} {y})"'))
    berry = d.radial("btBerry", [(0, "#8a6aa8"), (0.5, "#2a1a3a"), (1, "#0a0410")])
    for x, y in [(24, 24), (42, 26), (58, 28), (70, 30), (34, 38), (50, 42)]:
        for dx, dy in ((0, 0), (1.8, 1.2), (-1.6, 1.4), (0.2, 2.6)):
            d.add(circle(x + dx, y + dy, 1.5, berry, OUTLINE, 0.4))
    d.save("world", "autumn_bramble_tangle")


def stone_wall():
    d = Doc(100, 72, "An old stone wall grown over with moss and ivy across the way: only the stonemason can break it.")
    d.add(contact_shadow(d, 50, 64, 46, 7))
    d.add(litter_bed(d, 50, 62, 46, 8, "swBed", 0.4))
    rows = [(52, [(10, 12), (30, 13), (52, 12), (74, 13), (92, 9)]),
            (36, [(18, 12), (40, 12), (62, 12), (84, 11)]),
            (22, [(26, 11), (48, 12), (70, 11)])]
    k = 0
    for y, stones in rows:
        for x, rx in stones:
            d.add(rock(d, f"swStone{k}", x, y, rx, 8, tone=MOSS_ROCK, seed=k * 1.3 + 0.2))
            k += 1
    d.add(moss(36, 16, 10, 4) + moss(64, 15, 8, 3.4) + moss(14, 30, 6, 3) + moss(86, 28, 6, 3))
    ivy = "M6 56 Q16 40 12 26 Q20 14 34 14 M94 58 Q84 44 90 30 Q80 16 66 16"
    d.add(path(ivy, stroke="#2a3a12", width=2.4))
    for x, y in [(9, 48), (14, 36), (13, 26), (22, 16), (30, 14), (90, 50), (87, 38), (86, 26), (76, 18), (70, 16)]:
        d.add(path(f"M{x} {y} l-3 -3 l3 -2 l3 2 Z", "#c84a1a" if (x + y) % 3 else "#5a7a2a", OUTLINE, 0.6))
    d.save("world", "autumn_stone_wall")


def blackthorn():
    d = Doc(100, 76, "A blackthorn thicket full of thorns and blue sloes: only the forester can clear it.")
    d.add(contact_shadow(d, 50, 68, 46, 7))
    d.add(litter_bed(d, 50, 64, 46, 9, "btkBed", 2.9))
    for k in range(9):  # the dark, crooked stems
        x0 = 12 + k * 9.5
        stem = f"M{f(x0)} 66 L{f(x0 + 3)} 52 L{f(x0 - 2)} 40 L{f(50 + (x0 - 50) * 0.5)} 30"
        d.add(path(stem, stroke=OUTLINE, width=4))
        d.add(path(stem, stroke="#3a2a2a", width=2.2))
    leaves = [(0, "#a8a050"), (0.5, "#5a5a22"), (1, "#2a2a10")]
    d.add(canopy(d, "btkLeaves", [(24, 28, 16), (44, 20, 18), (66, 22, 17), (80, 34, 12), (34, 38, 12),
                                   (58, 38, 13)], stops=leaves))
    for k in range(22):  # long thorns sticking out of the thicket
        a = k * 2.1
        x, y = 50 + math.cos(a) * 36, 32 + math.sin(a) * 16
        c, s = math.cos(a), math.sin(a)
        d.add(poly([(x - s * 1.4, y + c * 1.4), (x + c * 7, y + s * 5), (x + s * 1.4, y - c * 1.4)], "#3a2418",
                   OUTLINE, 0.5))
    sloe = d.radial("btkSloe", [(0, "#b8c8f0"), (0.5, "#3a4a8a"), (1, "#141a3a")])
    for x, y in [(22, 24), (34, 16), (48, 14), (60, 20), (72, 18), (80, 30), (30, 34), (52, 30), (64, 36), (42, 38)]:
        d.add(circle(x, y, 2.8, sloe, OUTLINE, 0.7))
    d.save("world", "autumn_blackthorn")


# ---------------------------------------------------------------- the things

# id, texture, half size, descriptor attributes (after class/offs), painter, names and descriptions
THINGS = [
    (220, "autumn_mushroom_patch", (30, 24), 'offs="40" time="20" ani="4" ret="1" income="2,0,0" snd="41" coll="3" '
     'scaleTime="200" scalePercent="6"', mushroom_patch,
     {"en": ("Mushroom patch", "Mushrooms round a mossy stump. After rain new ones come up."),
      "de": ("Pilzplatz", "Pilze rund um einen bemoosten Stumpf. Nach dem Regen kommen neue."),
      "ru": ("Грибное место", "Грибы вокруг замшелого пня. После дождя вырастают новые."),
      "pl": ("Grzybowisko", "Grzyby wokół omszałego pnia. Po deszczu wyrastają nowe.")}),
    (221, "autumn_apple_basket", (40, 30), 'offs="60" time="30" ani="4" ret="1" income="3,0,0" snd="41" coll="3" '
     'scaleTime="300" scalePercent="3"', apple_basket,
     {"en": ("Wild apple tree", "A wild apple tree and a basket. After a while it drops more apples."),
      "de": ("Wildapfelbaum", "Ein wilder Apfelbaum und ein Korb. Nach einer Weile fallen neue Äpfel."),
      "ru": ("Дикая яблоня", "Дикая яблоня и корзина. Через время падают новые яблоки."),
      "pl": ("Dzika jabłoń", "Dzika jabłoń i kosz. Po pewnym czasie spadają nowe jabłka.")}),
    (222, "autumn_fallen_branches", (34, 22), 'offs="40" time="25" ani="4" ret="1" income="0,2,0" snd="39" coll="1" '
     'scaleTime="250" scalePercent="5"', fallen_branches,
     {"en": ("Fallen branches", "Dry branches blown down by the wind. The gales bring more."),
      "de": ("Abgebrochene Äste", "Vom Wind heruntergewehte trockene Äste. Die Stürme bringen mehr."),
      "ru": ("Упавшие ветви", "Сухие ветви, сорванные ветром. Бури приносят ещё."),
      "pl": ("Opadłe gałęzie", "Suche gałęzie strącone przez wiatr. Wichury przynoszą więcej.")}),
    (223, "autumn_birch_copse", (40, 40), 'offs="60" time="35" ani="1" ret="1" income="0,3,0" snd="39" coll="1" '
     'scaleTime="300" scalePercent="4"', birch_copse,
     {"en": ("Birch copse", "Young birches in yellow leaf. Felled, they grow back in time."),
      "de": ("Birkenwäldchen", "Junge Birken in gelbem Laub. Gefällt wachsen sie mit der Zeit nach."),
      "ru": ("Березняк", "Молодые берёзы в жёлтой листве. Срубленные, со временем отрастают."),
      "pl": ("Brzezina", "Młode brzozy w żółtych liściach. Ścięte z czasem odrastają.")}),
    (224, "autumn_mossy_gold", (40, 30), 'offs="50" time="40" ani="6" ret="1" cost="1,0,0" income="0,0,2" snd="40" '
     'coll="5" scaleTime="300" scalePercent="4"', mossy_gold,
     {"en": ("Gold in the mossy rock", "A vein of gold in a mossy rock. Mining it costs some food."),
      "de": ("Gold im Moosfels", "Eine Goldader in einem bemoosten Fels. Der Abbau kostet etwas Nahrung."),
      "ru": ("Золото в замшелом камне", "Золотая жила в замшелом камне. Добыча стоит немного еды."),
      "pl": ("Złoto w omszałej skale", "Żyła złota w omszałej skale. Wydobycie kosztuje trochę jedzenia.")}),
    (225, "autumn_leaf_heap", (40, 24), 'offs="40" time="25" ani="5" snd="38" coll="2" '
     'scaleTime="250" scalePercent="5"', leaf_heap,
     {"en": ("Leaf heap", "Fallen leaves blown across the way. Rake them aside."),
      "de": ("Laubhaufen", "Herabgefallenes Laub quer über dem Weg. Recht es beiseite."),
      "ru": ("Куча листьев", "Опавшие листья, наметённые поперёк дороги. Сгребите их в сторону."),
      "pl": ("Sterta liści", "Opadłe liście nawiane w poprzek drogi. Zgrabcie je na bok.")}),
    (226, "autumn_fallen_oak", (58, 26), 'offs="50" time="30" ani="1" ret="1" income="0,2,0" snd="39" coll="1" '
     'draw="0" scaleTime="300" scalePercent="4"', fallen_oak,
     {"en": ("Fallen oak", "An old oak thrown across the way by the gale. Cleared, it gives wood."),
      "de": ("Umgestürzte Eiche", "Eine alte Eiche, vom Sturm quer über den Weg geworfen. Geräumt gibt sie Holz."),
      "ru": ("Упавший дуб", "Старый дуб, поваленный бурей поперёк дороги. Убранный, даёт дерево."),
      "pl": ("Powalony dąb", "Stary dąb powalony przez wichurę w poprzek drogi. Usunięty daje drewno.")}),
    (227, "autumn_muddy_pool", (40, 24), 'offs="40" time="30" ani="5" cost="1,0,0" snd="38" coll="2" '
     'scaleTime="250" scalePercent="5"', muddy_pool,
     {"en": ("Muddy pool", "Rain water and mud across the way. Draining it costs some food."),
      "de": ("Schlammpfütze", "Regenwasser und Schlamm quer über dem Weg. Das Trockenlegen kostet etwas Nahrung."),
      "ru": ("Грязная лужа", "Дождевая вода и грязь поперёк дороги. Осушить её стоит немного еды."),
      "pl": ("Błotnista kałuża", "Deszczówka i błoto w poprzek drogi. Osuszenie kosztuje trochę jedzenia.")}),
    (228, "autumn_bramble_tangle", (44, 28), 'offs="50" time="40" ani="0" ret="1" cost="1,0,0" income="0,3,0" '
     'snd="39" coll="1" scaleTime="300" scalePercent="4"', bramble_tangle,
     {"en": ("Bramble tangle", "Thorny brambles across the way. Cut back, their dry canes give wood."),
      "de": ("Brombeergestrüpp", "Dornige Brombeeren quer über dem Weg. Zurückgeschnitten geben die trockenen Ranken Holz."),
      "ru": ("Заросли ежевики", "Колючая ежевика поперёк дороги. Срезанные сухие плети дают дерево."),
      "pl": ("Gąszcz jeżyn", "Kolczaste jeżyny w poprzek drogi. Wycięte suche pędy dają drewno.")}),
    (229, "autumn_stone_wall", (50, 36), 'offs="70" time="50" ani="0" work="1" cost="2,0,0" snd="40" coll="2" '
     'scaleTime="300" scalePercent="4"', stone_wall,
     {"en": ("Mossy stone wall", "An old wall grown over with moss. Only the stonemason can break it."),
      "de": ("Bemooste Steinmauer", "Eine alte, bemooste Mauer. Nur der Steinmetz kann sie abtragen."),
      "ru": ("Замшелая стена", "Старая стена, поросшая мхом. Разобрать её может только каменотёс."),
      "pl": ("Omszały mur", "Stary mur porośnięty mchem. Tylko kamieniarz może go rozebrać.")}),
    (230, "autumn_blackthorn", (50, 38), 'offs="60" time="45" ani="0" work="2" ret="1" income="0,3,0" snd="39" '
     'coll="1" scaleTime="300" scalePercent="3"', blackthorn,
     {"en": ("Blackthorn thicket", "Blackthorn full of long thorns. Only the forester can clear it."),
      "de": ("Schlehendickicht", "Schlehdorn voller langer Dornen. Nur der Förster kann es räumen."),
      "ru": ("Терновник", "Тёрн, полный длинных колючек. Расчистить его может только лесник."),
      "pl": ("Gąszcz tarniny", "Tarnina pełna długich kolców. Tylko leśnik może ją usunąć.")}),
]

# Work sounds: id, name, loop, frame, ksynth description
SOUNDS_AUTUMN = [
    (38, "autumn_work_leaves", 2, 3, """# A rake and a spade in wet leaves and mud: a dry rustle, a squelch.
gain 0.7
instrument rustle
  osc noise 1
  env 0.01 0.12 0.2 0.08
  filter bandpass 2600 0.9
  sweep -900 0.14
end
instrument squelch
  osc noise 1
  env 0.003 0.06 0 0.05
  filter lowpass 700
  sweep 300 0.06
end
note rustle 0 C4 0.16
note squelch 0.2 C4 0.06 0.7
"""),
    (39, "autumn_work_wood", 2, 5, """# An axe into seasoned oak and birch: a bright knock and a crack.
gain 0.7
instrument knock
  osc triangle 1
  pitch 6 0.02
  env 0.001 0.1 0 0.06
end
instrument crack
  osc noise 1
  env 0.0006 0.04 0 0.03
  filter bandpass 1800 1.6
end
note knock 0 A2 0.05
note crack 0 C4 0.03
note crack 0.07 C4 0.02 0.5
"""),
    (40, "autumn_work_stone", 2, 6, """# A pick on old field stones: a hard clink, a second ring and grit falling into the leaves.
gain 0.7
instrument clink
  fm 3.1 1.4 0.05
  env 0.0005 0.14 0 0.08
end
instrument grit
  osc noise 1
  env 0.001 0.03 0 0.03
  filter highpass 2200
  gain 0.5
end
note clink 0 B5 0.05
note clink 0.11 E5 0.04 0.5
seq grit 0.03 0.03 C4 C4@0.7 C4@0.4
"""),
    (41, "autumn_work_gather", 0, 0, """# Picking in the wood: leaves rustling, a twig snapping, fruit dropping into a basket.
gain 0.6
instrument rustle
  osc noise 1
  env 0.02 0.16 0 0.1
  filter bandpass 3000 0.8
end
instrument snap
  osc noise 1
  env 0.0005 0.02 0 0.02
  filter bandpass 2200 2
end
instrument drop
  osc sine 1
  pitch 8 0.04
  env 0.001 0.08 0 0.05
  gain 0.5
end
note rustle 0 C4 0.2
note snap 0.22 C4 0.02
seq drop 0.4 0.12 G3 D3@0.8 A3@0.6
"""),
]

PARTICLES = [("autumn_mossy_gold", "autumn_gold_glint", 0, 10)]
# The gold in the mossy rock glints in the low autumn sun, and now and then a leaf drifts down past it.
GOLD_GLINT = """  <emitter name="glints" loop="1" duration="1">
    <layer name="glints" texture="star" blend="add" max="12" rate="0:4" life="0.5 0.9" area="ellipse 40 18" spin="-40 40" angle="0 45" size="0:2 0.5:16 1:2" sizevar="0.3" color="0:FFFFF0C0 0.5:FFFFC850 1:00F09020"/>
    <layer name="sun" texture="spark" blend="add" max="6" rate="0:2" life="0.4 0.7" area="ellipse 34 16" size="0:2 0.5:9 1:2" sizevar="0.3" color="0:FFFFF8E0 0.5:FFFFD890 1:00FFB050"/>
    <layer name="leaves" texture="leaf" blend="alpha" max="4" rate="0:0.8" life="1.4 2.2" speed="6 14" direction="180" spread="40" area="ellipse 36 6" gravity="8 18" spin="-90 90" angle="0 360" size="0:7 1:6" color="0:00E07A2A 0.15:FFE07A2A 0.8:FFC84A1A 1:00A86A1A"/>
  </emitter>
"""


write_block = LAND.write_block


def tables():
    LAND.tables(THINGS, SOUNDS_AUTUMN, PARTICLES, "autumn_gold_glint",
                "Gold in the mossy rock glinting in the low sun, a leaf drifting down past it now and then (written by art/generated/land_autumn.py).",
                GOLD_GLINT)


# ---------------------------------------------------------------- levels

dressed = LAND.dressed


# The meadow's workable things and what stands in their place in the autumn wood; where a list
# has more than one, they take turns through the episode.
SWAP = {"20": [220], "24": [220], "23": [221], "35": [221], "21": [223, 222], "22": [224],
        "10": [226, 227, 225], "11": [228], "12": [227, 225], "14": [225, 227], "15": [228, 226], "17": [225],
        "13": [229], "36": [230]}
TURNS = {}
# Where a level has a single source of a kind, the turn may not give it the weaker one: the one
# wood source of the lantern night and of the levels behind stone walls is the birch copse
# (three wood a felling), or their wood goal takes twice as long as the rest of the level.
# The fallen oak and the muddy pool stand where the bramble and the leaf heap would (each in three
# levels at least), but not behind the stone walls, where food runs short and the walls wait.
KEEP = {5: {"21": 223}, 6: {"11": 226}, 7: {"21": 223}, 8: {"11": 226}, 10: {"21": 223, "12": 227},
        11: {"21": 223}}
BY_ID = {i: (tex, size) for i, tex, size, _, _, _ in THINGS}

# (level, template, transform, ground, what it is, new thing). The blackthorn stands in three
# levels made from the woodland (1, 6, 8) and the stone walls in three made from the stony
# meadow (5, 7, 11), each laid out another way.
PLAN = [
    (1, 8, "x", "copper_wood", "the copper wood: blackthorn thickets close the ways; the forester clears them",
     "the autumn wood's own things: mushrooms, wild apples, birches, fallen branches, oaks, brambles and mossy gold"),
    (2, 6, "x", "misty_heath", "the misty heath: light the beacons and the fog lifts",
     "nothing (fog and beacons again)"),
    (3, 7, "x", "harvest_hamlet", "the harvest hamlet: enlarge the house, build the warehouse and the farm, mind the thief",
     "the thief"),
    (5, 3, "y", "chestnut_mill", "the chestnut mill: moss-grown stone walls close the ways; the stonemason breaks them",
     "the mossy stone walls and the stonemason"),
    (6, 8, "y", "falling_leaves", "falling leaves: blackthorn closes the wood again; the forester clears it",
     "nothing (the blackthorn and the forester again)"),
    (7, 3, "x", "hunters_lodge", "the hunter's lodge: stone walls round the lodge, the sawmill and the gold behind them",
     "nothing (the stone walls and the stonemason again)"),
    (8, 8, "xy", "amber_creek", "amber creek: the forester opens the blackthorn along the creek",
     "nothing"),
    (9, 5, "y", "cider_press", "the old cider press: apples and mushrooms grow back; the obelisk of growth speeds them",
     "nothing (things grow back; the obelisk of growth)"),
    (10, 10, "x", "lantern_night", "the lantern night: find the three lost bells, then the festival gate opens",
     "nothing (lost bells and a festival gate again)"),
    (11, 3, "xy", "golden_crown", "the golden crown: the stonemason breaks the last walls before the largest harvest",
     "nothing"),
]
# The goals grow through the episode: each level asks this share more than the template's
# (on top of the share later_levels.py adds for the episode).
GOAL_STEP = 0.04


def segment_distance(x, y, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    k = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / max(dx * dx + dy * dy, 1e-9)))
    return math.hypot(x - ax - k * dx, y - ay - k * dy)


def clearance(x, y, layout):
    """How far a point of the ground lies from every road, waypoint, object and edge tree."""
    points, links, objects = layout
    things = objects + [(px, py, 20) for px, py in points.values()] + EDGE_TREES
    near = min((math.hypot(x - ox, y - oy) - r for ox, oy, r in things), default=1e9)
    return min([near] + [segment_distance(x, y, a, b) - 14 for a, b in links])


# The edge trees later_levels.py plants where there is room (x, y, reach).
EDGE_TREES = [(40, 120, 60), (110, 700, 60), (1240, 690, 60), (1230, 100, 60), (640, 730, 50),
              (20, 400, 55), (1260, 400, 55), (900, 14, 50), (380, 14, 50)]


def amber_creek(d, file):
    """The creek the level is named after: it runs in from the nearest edge of the ground to a
    pool in the quietest corner, amber with fallen leaves, with rushes on its banks. Neither
    crosses a road nor covers anything of the level."""
    layout = level_layout(file)
    best, spot = -1.0, None
    for gx in range(100, ll.W - 99, 20):
        for gy in range(80, ll.H - 79, 20):
            c = clearance(gx, gy, layout)
            if c > best:
                best, spot = c, (gx, gy)
    if best < 40:
        return
    x, y = spot
    rx = min(120.0, best - 10)
    ry = rx * 0.42
    water = d.linear("amberWater", [(0, "#f8e0a0"), (0.45, "#d8a448"), (1, "#8a5a20")])
    # the creek: from the pool to an edge of the ground, the longest way that keeps clear of
    # the roads and of everything standing on the ground
    steps = 32
    ways = []
    for side, edge in (("x", 0), ("x", ll.W), ("y", 0), ("y", ll.H)):
        course = []
        for k in range(steps + 1):
            s = k / steps
            if side == "x":
                course.append((x + (edge - x) * s, y + 18 * math.sin(s * 9)))
            else:
                course.append((x + 18 * math.sin(s * 9), y + (edge - y) * s))
        if all(clearance(cx, cy, layout) > 16 for cx, cy in course[steps // 5:]):
            ways.append((abs(edge - (x if side == "x" else y)), course))
    if ways:
        line = "M" + " L".join(f"{f(cx)} {f(cy)}" for cx, cy in max(ways)[1])
        d.add(path(line, stroke="#6a4a1a", width=30))
        d.add(path(line, stroke=water, width=24))
        d.add(path(line, stroke="#fff0c0", width=2, extra=' opacity="0.7" stroke-dasharray="10 18"'))
    d.add(ellipse(x, y, rx + 6, ry + 5, "#8a6a2a", extra=' opacity="0.6"'))
    d.add(ellipse(x, y, rx, ry, water, "#5a3a10", 2))
    d.add(path(f"M{f(x - rx * 0.5)} {f(y - ry * 0.3)} q{f(rx * 0.25)} -6 {f(rx * 0.5)} 0 "
               f"M{f(x)} {f(y + ry * 0.3)} q{f(rx * 0.2)} -5 {f(rx * 0.4)} 0", stroke="#fff0c0", width=2))
    for k in range(8):  # leaves floating on the pool
        a = k * 2.4
        d.add(leaf(x + math.cos(a) * rx * 0.6, y + math.sin(a) * ry * 0.55, k * 40, LEAF_COLOURS[k % 5], 1.4))
    for k in range(5):  # rushes on the far bank
        bx = x - rx * 0.7 + k * rx * 0.12
        by = y - ry * 0.85 + abs(k - 2) * 3
        d.add(path(f"M{f(bx)} {f(by)} q-2 -14 {k % 3 - 1} -26", stroke="#3a4a1a", width=3))
        d.add(path(f"M{f(bx)} {f(by)} q-2 -14 {k % 3 - 1} -26", stroke="#9a9a3a", width=1.5))
        d.add(ellipse(bx + k % 3 - 1, by - 24, 2, 5, "#6a3a14", OUTLINE, 0.8))


# Grounds that get a landmark of their own, painted over the land before the ground is saved.
LANDMARKS = {"amber_creek": amber_creek}


def dress_level(level):
    file = os.path.join(ll.LEVELS, f"level_{EPISODE:02d}_{level:02d}.xml")
    keep = {}
    if os.path.exists(file):  # the puzzle piece stays where the level had it
        for o in ET.parse(file).getroot().iter("object"):
            if o.get("tex") == "puzzle_piece":
                keep["piece"] = o.get("pos")
    return file, keep


_PLAIN_SAVE = Ground.save


def with_landmark(name, file):
    """Lets the next ground saved get its landmark (None: grounds are saved as they are)."""
    paint = LANDMARKS.get(name)

    def save(g, ground_name):
        if paint:
            paint(g.d, file)
        _PLAIN_SAVE(g, ground_name)
    Ground.save = save if paint else _PLAIN_SAVE


def write_level(level, template, how, name, note, new):
    file, keep = dress_level(level)
    ll.NEW[(EPISODE, level)] = new
    ll.transform_level(template, EPISODE, level, how, name, note)
    tree = ET.parse(file)
    root = tree.getroot()
    root.set("music", str(EPISODE))
    root.set("dialog", f"{EPISODE * 1000 + level * 10},1,4,0,0,0,0")
    more = 1 + GOAL_STEP * (level - 1)
    root.set("quest_res", ",".join(str(int(math.ceil(int(v) * more))) for v in root.get("quest_res").split(",")))
    if level == 11:  # the last level holds no puzzle piece
        for parent in root.iter():
            for o in [c for c in parent if c.tag == "object" and c.get("tex") == "puzzle_piece"]:
                parent.remove(o)
    for o in root.iter("object"):
        sub = o.get("subclass")
        if o.get("tex") == "puzzle_piece" and level <= 3 and "piece" in keep:
            o.set("pos", keep["piece"])
        elif o.get("tex") == "puzzle_piece":
            o.set("pos", quiet_spot(root, o))
        elif sub in SWAP and o.get("class") == "1":
            k = TURNS.get(sub, 0)  # the turns run on through the episode
            TURNS[sub] = k + 1
            ident = KEEP.get(level, {}).get(sub, SWAP[sub][k % len(SWAP[sub])])
            tex, (hw, hh) = BY_ID[ident]
            o.set("tex", tex)
            o.set("subclass", str(ident))
            o.set("size", f"{hw:.2f},{hh:.2f}")
            o.attrib.pop("sprite", None)
        elif o.get("tex") and not o.get("tex").startswith(("bg_", "autumn_")) and o.get("tex") != "puzzle_piece":
            o.set("tex", dressed(o.get("tex")))
    body = ET.tostring(root, encoding="unicode")
    lines = [ln for ln in body.replace(" />", "/>").splitlines() if ln.strip()]
    with open(file, "w", encoding="utf-8") as fh:
        fh.write('<?xml version="1.0" encoding="utf-8"?>\n')
        fh.write(f"<!-- Episode {EPISODE}, level {level}: {note}. Written by art/generated/land_autumn.py. -->\n")
        fh.write(f"<!-- new: {new} -->\n")
        fh.write("\n".join(lines) + "\n")
    fit_or_warn(file)
    with_landmark(name, os.path.basename(file))
    ll.ground(EPISODE, level, template, how, name, ll.AUTUMN, note)
    with_landmark(None, None)


# The chief's opening line of each level (dialog_3LL0) and, for a level that brings something
# new, the level message shown before it starts with its picture: (world pictures, where).
SPEECH = {
    1: {"en": "The leaves are turning. Blackthorn closes the wood; the mushrooms, the wild apples and the gold in the mossy rock will carry us.",
        "de": "Das Laub verfärbt sich. Schlehdorn versperrt den Wald; Pilze, Wildäpfel und das Gold im Moosfels bringen uns durch.",
        "ru": "Листья желтеют. Терновник закрыл лес; грибы, дикие яблоки и золото в замшелом камне нас прокормят.",
        "pl": "Liście żółkną. Tarnina zamyka las; grzyby, dzikie jabłka i złoto w omszałej skale nas wyżywią."},
    2: {"en": "Autumn mist lies on the heath. Light the two beacons and it will lift.",
        "de": "Herbstnebel liegt auf der Heide. Entzündet die zwei Leuchtfeuer, dann hebt er sich.",
        "ru": "Осенний туман лёг на пустошь. Зажгите два сигнальных огня, и он рассеется.",
        "pl": "Jesienna mgła leży na wrzosowisku. Zapalcie dwa ogniska sygnałowe, a opadnie."},
    3: {"en": "The hamlet brings in its harvest. Enlarge the house, build the warehouse and the farm, and watch out for the thief.",
        "de": "Der Weiler bringt die Ernte ein. Vergrößert das Haus, baut Lager und Hof und passt auf den Dieb auf.",
        "ru": "Деревушка собирает урожай. Расширьте дом, постройте склад и ферму и берегитесь вора.",
        "pl": "Osada zbiera plony. Rozbudujcie dom, postawcie magazyn i farmę i uważajcie na złodzieja."},
    5: {"en": "Old stone walls close the way to the chestnut mill. Build the stonemason's lodge: only the mason breaks them.",
        "de": "Alte Steinmauern versperren den Weg zur Kastanienmühle. Baut die Steinmetzhütte: nur der Steinmetz trägt sie ab.",
        "ru": "Старые каменные стены закрыли путь к каштановой мельнице. Постройте мастерскую каменотёса: только он их разберёт.",
        "pl": "Stare kamienne mury zamykają drogę do kasztanowego młyna. Zbudujcie chatę kamieniarza: tylko kamieniarz je rozbierze."},
    6: {"en": "The leaves are falling and the blackthorn grows thick. Build the forester's lodge: the forester clears it.",
        "de": "Die Blätter fallen und der Schlehdorn wird dicht. Baut die Försterhütte: der Förster räumt ihn.",
        "ru": "Листья опадают, а терновник густеет. Постройте сторожку лесника: лесник его расчистит.",
        "pl": "Liście opadają, a tarnina gęstnieje. Zbudujcie leśniczówkę: leśnik ją usunie."},
    7: {"en": "The hunter's lodge lies behind old walls. Break through them: the sawmill and the gold wait beyond.",
        "de": "Die Jagdhütte liegt hinter alten Mauern. Brecht hindurch: dahinter warten Sägewerk und Gold.",
        "ru": "Охотничий домик скрыт за старыми стенами. Пробейтесь сквозь них: за ними ждут лесопилка и золото.",
        "pl": "Domek myśliwski stoi za starymi murami. Przebijcie się: za nimi czekają tartak i złoto."},
    8: {"en": "Amber creek glows in the evening sun, but blackthorn chokes its banks. Let the forester open the way.",
        "de": "Der Bernsteinbach leuchtet in der Abendsonne, doch Schlehdorn überwuchert seine Ufer. Lasst den Förster den Weg öffnen.",
        "ru": "Янтарный ручей сияет в вечернем солнце, но терновник душит его берега. Пусть лесник откроет путь.",
        "pl": "Bursztynowy potok lśni w wieczornym słońcu, ale tarnina dusi jego brzegi. Niech leśnik otworzy drogę."},
    9: {"en": "The old cider press needs apples, lots of them. The trees give again and again; raise the obelisk of growth and they give faster.",
        "de": "Die alte Mostpresse braucht Äpfel, viele Äpfel. Die Bäume tragen immer wieder; stellt den Obelisken des Wachstums auf, dann schneller.",
        "ru": "Старому сидровому прессу нужны яблоки, много яблок. Деревья плодоносят снова и снова; поставьте обелиск роста, и быстрее.",
        "pl": "Stara prasa do cydru potrzebuje jabłek, mnóstwa jabłek. Drzewa rodzą raz po raz; postawcie obelisk wzrostu, a szybciej."},
    10: {"en": "The lantern night cannot begin: its three bells are lost in the wood. Find them.",
         "de": "Die Laternennacht kann nicht beginnen: ihre drei Glocken sind im Wald verloren. Findet sie.",
         "ru": "Ночь фонарей не может начаться: три её колокола потерялись в лесу. Найдите их.",
         "pl": "Noc latarni nie może się zacząć: jej trzy dzwony zginęły w lesie. Znajdźcie je."},
    11: {"en": "The wood wears its golden crown. Break the last walls, bring in the largest harvest of all, and the autumn wood is ours.",
         "de": "Der Wald trägt seine goldene Krone. Tragt die letzten Mauern ab, bringt die größte Ernte ein, und der Herbstwald ist unser.",
         "ru": "Лес надел золотую корону. Разберите последние стены, соберите самый большой урожай, и осенний лес наш.",
         "pl": "Las włożył złotą koronę. Rozbierzcie ostatnie mury, zbierzcie największe plony, a jesienny las będzie nasz."},
}
MESSAGES = {
    5: ({"en": "Old walls grown over with moss close the ways. Only the stonemason can break them.",
         "de": "Alte, bemooste Mauern versperren die Wege. Nur der Steinmetz kann sie abtragen.",
         "ru": "Старые замшелые стены закрывают дороги. Разобрать их может только каменотёс.",
         "pl": "Stare omszałe mury zamykają drogi. Tylko kamieniarz może je rozebrać."},
        [("autumn_stone_wall", 160, 88, 1.3), ("stonemason_lodge", 70, 82, 0.5)]),
    6: ({"en": "Blackthorn thickets close the wood. The forester from the lodge clears them.",
         "de": "Schlehendickicht versperrt den Wald. Der Förster aus der Hütte räumt es.",
         "ru": "Заросли терновника закрывают лес. Лесник из сторожки их расчистит.",
         "pl": "Gąszcz tarniny zamyka las. Leśnik z leśniczówki go usunie."},
        [("autumn_blackthorn", 160, 86, 1.2), ("forester_lodge", 70, 82, 0.5)]),
    9: ({"en": "Wild apples and mushrooms grow back after a while. Near the obelisk of growth they grow back faster.",
         "de": "Wildäpfel und Pilze wachsen nach einer Weile nach. Beim Obelisken des Wachstums wachsen sie schneller.",
         "ru": "Дикие яблоки и грибы со временем вырастают снова. У обелиска роста они растут быстрее.",
         "pl": "Dzikie jabłka i grzyby po pewnym czasie odrastają. Przy obelisku wzrostu odrastają szybciej."},
        [("autumn_apple_basket", 96, 86, 1.3), ("autumn_mushroom_patch", 190, 108, 1.2), ("obelisk_growth", 160, 70, 0.45)]),
    10: ({"en": "The lantern night cannot begin: its three bells are lost somewhere in the wood.",
          "de": "Die Laternennacht kann nicht beginnen: ihre drei Glocken liegen irgendwo im Wald.",
          "ru": "Ночь фонарей не может начаться: три её колокола потерялись где-то в лесу.",
          "pl": "Noc latarni nie może się zacząć: jej trzy dzwony zginęły gdzieś w lesie."},
         [("lost_bell", 80, 102, 1.3), ("lost_bell", 130, 92, 1.3), ("lost_bell", 180, 102, 1.3)]),
}




nested = LAND.nested


def message_picture(level, pictures):
    d = Doc(260, 150, f"Level message of the autumn wood, level {level} (written by generated/land_autumn.py)")
    d.add(f'<rect width="260" height="150" fill="{d.linear("msgSky", [(0, "#f0b070"), (1, "#fff0d0")])}"/>')
    d.add(path("M0 60 C40 40 80 50 120 44 S200 36 260 50 V90 H0 Z",
               d.linear("msgHills", [(0, "#c87a3a"), (1, "#8a5a2a")]), "#6a3a1a", 1))
    d.add(path("M0 74 C60 66 120 82 180 72 S240 70 260 74 V150 H0 Z",
               d.linear("msgGrass", [(0, "#e0c070"), (0.6, "#b8a050"), (1, "#8a7a30")]), "#7a6a2a", 1.2))
    for k in range(18):  # fallen leaves on the grass
        x, y = 8 + (k * 53) % 246, 90 + (k * 29) % 54
        d.add(leaf(x, y, k * 37 % 180, LEAF_COLOURS[k % len(LEAF_COLOURS)], 0.9))
    ll.autumn_tree(d, 0, 20, 96, 0.7)
    ll.autumn_tree(d, 1, 242, 100, 0.62)
    for k, (name, x, y, scale) in enumerate(pictures):
        d.add(nested(name, x, y, scale, k))
    d.add(f'<rect x="1" y="1" width="258" height="148" fill="none" stroke="{OUTLINE}" stroke-width="2"/>')
    # in the messages' own atlas, like the coast's: the dialogs' atlas is full at double size
    d.save(os.path.join("atlases", "messages"), f"msg_{EPISODE:02d}_{level:02d}")


# The grounds' names in the level editor's palette.
GROUND_NAMES = {
    "chestnut_mill": {"en": "chestnut mill", "de": "Kastanienmühle", "ru": "каштановая мельница",
                      "pl": "kasztanowy młyn"},
    "falling_leaves": {"en": "falling leaves", "de": "fallendes Laub", "ru": "листопад", "pl": "spadające liście"},
    "hunters_lodge": {"en": "hunter's lodge", "de": "Jagdhütte", "ru": "охотничий домик", "pl": "domek myśliwski"},
    "amber_creek": {"en": "amber creek", "de": "Bernsteinbach", "ru": "янтарный ручей", "pl": "bursztynowy potok"},
    "cider_press": {"en": "old cider press", "de": "alte Mostpresse", "ru": "старый сидровый пресс",
                    "pl": "stara prasa do cydru"},
    "lantern_night": {"en": "lantern night", "de": "Laternennacht", "ru": "ночь фонарей", "pl": "noc latarni"},
    "golden_crown": {"en": "golden crown", "de": "goldene Krone", "ru": "золотая корона", "pl": "złota korona"},
}


def texts():
    LAND.texts(SPEECH, MESSAGES, message_picture, GROUND_NAMES)


fit_or_warn = LAND.fit_or_warn


def main():
    ll.fit_waypoints = fit_or_warn
    for _, _, _, _, paint, _ in THINGS:
        paint()
    tables()
    texts()
    for level, template, how, name, note, new in PLAN:
        write_level(level, template, how, name, note, new)


if __name__ == "__main__":
    main()
