#!/usr/bin/env python3
"""The red desert (episode 5): its own workable things and its levels.

Paints the desert's obstacles and resource sites (world/desert_*.svg), writes their descriptors,
work sounds, names and effects as one block at the end of each shared table, and writes the
levels 1-3 and 5-11 of episode 5 from the episode 1 templates, dressed in the desert's things
instead of the meadow's, with their grounds, speeches and level messages. Level 4 is the
episode's mini-game and is left alone.
    python3 content-src/art/generated/land_desert.py
Needs build/bin/kcontent (or $KCONTENT) for fitting the waypoints, like later_levels.py. The
medal times and the developers' scores come afterwards from the bot's runs, twice (the bot's
score counts against the level's medal times, so the second run scores against the new ones):
    build/bin/kcontent campaign tune content-src/game/content/levels/level_05_{0[1235-9],1?}.xml --write
"""
import math
import os
import xml.etree.ElementTree as ET

import later_levels as ll
from artlib import OUTLINE, Doc, canopy, circle, contact_shadow, ellipse, f, log, path, poly, rock
from land_common import Land
from land_north import quiet_spot

BLOCK = "<!-- the red desert (episode 5) -->"
BLOCK_END = "<!-- end of the red desert -->"
LAND = Land("desert", 5, BLOCK, BLOCK_END, "land_desert.py")
EPISODE = 5

# Pale sand the things sit in, lighter than the desert's ochre ground so they stand out on it.
SAND = [(0, "#fff0d4"), (0.55, "#f0c890"), (1, "#c88a52")]
SANDSTONE = ("#ffc8a0", "#d0683a", "#6a2a14")
BLEACHED = [(0, "#fbf4e4"), (0.5, "#d8c8a8"), (1, "#8a7a5e")]
DRY_WOOD = [(0, "#c8a47a"), (0.5, "#8a6642"), (1, "#4a3018")]


# ---------------------------------------------------------------- pictures

def sand_bed(d, cx, cy, rx, ry, ident="sandBed"):
    """A low heap of pale sand the thing sits in, so it stands out from the darker ground."""
    return ellipse(cx, cy, rx, ry, d.linear(ident, SAND), "#a8683a", 1.2)


def date_bunch(d, x, y, s=1.0):
    """A bunch of ripe dates hanging under a palm's crown."""
    g = d.radial("dates", [(0, "#f0a050"), (0.6, "#a85020"), (1, "#5a2410")])
    out = path(f"M{f(x)} {f(y - 2 * s)} v{f(4 * s)}", stroke="#c89a40", width=1.4 * s)
    for dx, dy in ((-2.6, 3), (0, 4.2), (2.6, 3), (-1.4, 6.2), (1.4, 6.2), (0, 8.2)):
        out += ellipse(x + dx * s, y + dy * s, 1.8 * s, 2.3 * s, g, OUTLINE, 0.6)
    return out


def date_palm(d, x, y, s):
    """A date palm: a scaly trunk and a dense round crown of stiff grey-green fronds."""
    d.add(path(f"M{f(x)} {f(y)} Q{f(x + 6 * s)} {f(y - 40 * s)} {f(x + 2 * s)} {f(y - 78 * s)}",
               stroke=OUTLINE, width=10 * s))
    d.add(path(f"M{f(x)} {f(y)} Q{f(x + 6 * s)} {f(y - 40 * s)} {f(x + 2 * s)} {f(y - 78 * s)}",
               stroke="#9a6a3a", width=7 * s))
    for k in range(1, 8):  # the stubs of cut fronds make the trunk scaly
        ty = y - k * 10 * s
        tx = x + 6 * s * math.sin(math.pi * k / 8)
        d.add(path(f"M{f(tx - 3.5 * s)} {f(ty)} l{f(3.5 * s)} {f(-3 * s)} l{f(3.5 * s)} {f(3 * s)}",
                   stroke="#5a3a1a", width=1.1))
    tx, ty = x + 2 * s, y - 78 * s
    for a in (-170, -140, -110, -80, -50, -20, 10, 190):
        ex = tx + math.cos(math.radians(a)) * 36 * s
        ey = ty + math.sin(math.radians(a)) * 20 * s + 12 * s
        d.add(path(f"M{f(tx)} {f(ty)} Q{f((tx + ex) / 2)} {f(ty - 14 * s)} {f(ex)} {f(ey)}",
                   stroke="#2e4a22", width=7 * s))
        d.add(path(f"M{f(tx)} {f(ty)} Q{f((tx + ex) / 2)} {f(ty - 14 * s)} {f(ex)} {f(ey)}",
                   stroke="#7a9a5a", width=3.4 * s))
    for dx in (-7, 0, 7):
        d.add(date_bunch(d, tx + dx * s, ty + 6 * s, s * 1.3))


def date_palms():
    d = Doc(80, 80, "Two date palms heavy with ripe dates, standing in a patch of pale sand.")
    d.add(contact_shadow(d, 40, 74, 34, 6))
    d.add(sand_bed(d, 40, 72, 34, 7, "dpSand"))
    date_palm(d, 25, 72, 0.6)
    date_palm(d, 52, 75, 0.7)
    d.add(path("M10 74 q4 -6 8 0 M62 76 q4 -5 8 0", stroke="#6a8a3a", width=1.6))
    d.save("world", "desert_date_palms")


def goat(d, x, y, flip, coat):
    s = -1 if flip else 1
    d.add(path(f"M{f(x - 6 * s)} {f(y + 4)} v6 M{f(x + 5 * s)} {f(y + 4)} v6", stroke=OUTLINE, width=2))
    d.add(ellipse(x, y, 9, 5.4, coat, OUTLINE, 1.2))
    d.add(ellipse(x + 10 * s, y - 4, 4.2, 3.2, coat, OUTLINE, 1.1))  # the head
    d.add(path(f"M{f(x + 9 * s)} {f(y - 7)} q{f(-3 * s)} -5 {f(-6 * s)} -3", stroke="#3a2a1a", width=1.6))  # a horn
    d.add(path(f"M{f(x + 13 * s)} {f(y - 1)} l{f(1 * s)} 4", stroke="#6a5a4a", width=1.2))  # the beard
    d.add(circle(x + 11 * s, y - 5, 0.8, OUTLINE))


def goat_pen():
    d = Doc(80, 60, "A pen of woven thorn branches with two goats and a trough of water.")
    d.add(contact_shadow(d, 40, 54, 36, 6))
    d.add(sand_bed(d, 40, 48, 36, 10, "gpSand"))
    d.add(path("M12 50 Q40 60 68 50", stroke=OUTLINE, width=4.4))  # the pen's front rail
    d.add(path("M8 40 Q40 30 72 40", stroke=OUTLINE, width=3.6))   # the back rail
    d.add(path("M8 40 Q40 30 72 40", stroke="#a07848", width=2))
    for x in (8, 26, 40, 54, 72):
        d.add(path(f"M{x} 52 V28", stroke=OUTLINE, width=3.6))
        d.add(path(f"M{x} 52 V28", stroke="#8a5a30", width=1.9))
    d.add(poly([(46, 40), (62, 40), (60, 46), (48, 46)], "#7a5a3a", OUTLINE, 1.1))  # the trough
    d.add(ellipse(54, 40.5, 7, 1.4, "#6ab8e0"))
    goat(d, 28, 38, False, d.linear("goatW", [(0, "#fff8ec"), (1, "#c8b8a0")]))
    goat(d, 50, 30, True, d.linear("goatB", [(0, "#a0704a"), (1, "#4a2a18")]))
    d.add(path("M12 50 Q40 60 68 50", stroke="#b08850", width=2.4))
    d.add(path("M14 46 L24 54 M30 48 L38 56 M46 56 L54 48 M60 54 L66 46", stroke="#6a4a2a", width=1))
    d.save("world", "desert_goat_pen")


def tamarisk():
    d = Doc(68, 48, "Dry tamarisk shrubs with pink feathery tips, good for firewood.")
    d.add(contact_shadow(d, 34, 42, 30, 5))
    d.add(sand_bed(d, 34, 41, 31, 6, "tmSand"))
    for k, (x, h, lean) in enumerate([(14, 26, -6), (26, 36, -2), (38, 32, 3), (50, 28, 7), (58, 20, 9)]):
        for dx in (-4, 0, 4):  # thin grey stems fanning out
            d.add(path(f"M{x} 42 q{f(dx * 0.5 + lean * 0.3)} {-h / 2} {dx + lean} {-h}", stroke=OUTLINE, width=2.6))
            d.add(path(f"M{x} 42 q{f(dx * 0.5 + lean * 0.3)} {-h / 2} {dx + lean} {-h}", stroke="#8a7a6a", width=1.3))
            d.add(ellipse(x + dx + lean, 42 - h + 2, 1.7, 6, "#e4b0c0", "#9a6a7a", 0.6,
                          extra=f' transform="rotate({dx * 4 + lean * 2} {f(x + dx + lean)} {f(44 - h)})"'))
        d.add(path(f"M{x - 5} {42 - h * 0.55} q5 -2 10 0", stroke="#9aa88a", width=2.2, extra=' opacity="0.8"'))
    d.add(log(d, 8, 40, 24, 37, 2.6, ident="tmCut"))  # a cut stem lying ready
    d.save("world", "desert_tamarisk")


def dead_acacia():
    d = Doc(80, 80, "A dead acacia, grey and leafless, its flat crown of bare branches ready for the axe.")
    d.add(contact_shadow(d, 40, 74, 32, 6))
    d.add(sand_bed(d, 40, 72, 32, 7, "daSand"))
    wood = d.linear("daWood", BLEACHED, 0, 0, 1, 0)
    d.add(path("M36 74 C36 60 40 50 38 38 L44 38 C44 50 46 60 46 74 Z", wood, OUTLINE, 1.6))
    branches = [("M40 40 C34 30 24 26 10 22", 4.4), ("M41 40 C44 30 56 26 70 20", 4.4),
                ("M40 44 C30 40 22 40 14 36", 3), ("M42 42 C52 36 60 36 68 32", 3),
                ("M24 27 L20 14", 2.2), ("M56 26 L62 12", 2.2), ("M40 40 L40 22", 3), ("M40 26 L32 16", 1.8),
                ("M16 24 L8 16", 1.8), ("M64 22 L74 16", 1.8)]
    for dd, w in branches:
        d.add(path(dd, stroke=OUTLINE, width=w + 2.2))
    for dd, w in branches:
        d.add(path(dd, stroke="#c8b89a", width=w))
    for x, y in [(12, 21), (70, 19), (30, 27), (58, 24)]:  # thorns on the twigs
        d.add(path(f"M{x} {y} l-2 -3 M{x + 3} {y} l2 -3", stroke="#5a4a3a", width=0.9))
    d.add(path("M39 70 q2 -10 0 -22", stroke="#8a7a5e", width=1, extra=' opacity="0.7"'))
    d.add(log(d, 50, 70, 70, 66, 3.2, ident="daLog"))
    d.save("world", "desert_dead_acacia")


def gold_seam():
    d = Doc(80, 60, "A block of red sandstone split by a seam of gold, with a pick left against it.")
    d.add(contact_shadow(d, 40, 52, 36, 6))
    d.add(sand_bed(d, 40, 50, 37, 7, "gsSand"))
    d.add(rock(d, "gsRock", 40, 30, 34, 22, tone=SANDSTONE, seed=2.1))
    d.add(path("M10 22 C24 18 54 18 70 22 M8 32 C28 28 50 30 72 32 M12 41 C30 38 52 40 68 41",
               stroke="#8a3a1a", width=1.1, extra=' opacity="0.6"'))  # the sandstone's layers
    gold = d.linear("gsGold", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")])
    seam = "M12 36 L22 30 L32 34 L42 22 L52 30 L66 24"
    d.add(path(seam, stroke=OUTLINE, width=5))
    d.add(path(seam, stroke=gold, width=3))
    for x, y, s in [(22, 30, 4.5), (42, 22, 5.5), (52, 30, 4)]:
        d.add(poly([(x - s, y), (x, y - s), (x + s, y), (x, y + s)], gold, OUTLINE, 1.1))
    d.add(path("M42 16 v8 M38 20 h8", stroke="#ffffff", width=1.2))
    d.add(path("M64 50 L72 30", stroke=OUTLINE, width=3.4))  # the pick's handle and head
    d.add(path("M64 50 L72 30", stroke="#c8955a", width=1.8))
    d.add(path("M66 30 Q72 26 78 32", stroke=OUTLINE, width=3.6))
    d.add(path("M66 30 Q72 26 78 32", stroke="#9aa0a8", width=2))
    d.save("world", "desert_gold_seam")


def tumbleweed(d, x, y, r, k):
    out = circle(x, y, r, "#c8a060", extra=' opacity="0.35"')
    for j in range(7):  # the tangle of dry twigs
        a = j * 0.9 + k
        out += path(f"M{f(x + r * math.cos(a))} {f(y + r * math.sin(a))} "
                    f"Q{f(x + r * 0.2 * math.cos(a + 2))} {f(y + r * 0.2 * math.sin(a + 2))} "
                    f"{f(x + r * math.cos(a + 2.6))} {f(y + r * math.sin(a + 2.6))}", stroke="#6a4a22", width=1.6)
        out += path(f"M{f(x + r * 0.9 * math.cos(a + 1))} {f(y + r * 0.9 * math.sin(a + 1))} "
                    f"Q{f(x)} {f(y)} {f(x + r * 0.9 * math.cos(a + 3.8))} {f(y + r * 0.9 * math.sin(a + 3.8))}",
                    stroke="#d8b070", width=1.1)
    return out + circle(x, y, r, "none", OUTLINE, 1.4)


def tumbleweed_heap():
    d = Doc(80, 48, "Tumbleweeds blown together across the way, caught on a half-buried stake.")
    d.add(contact_shadow(d, 40, 42, 36, 5))
    d.add(path("M4 43 C16 37 60 37 76 43 Z", d.linear("twSand", SAND), "#a8683a", 1))
    d.add(path("M60 44 V12", stroke=OUTLINE, width=4))
    d.add(path("M60 44 V12", stroke="#8a5a30", width=2.2))
    for k, (x, y, r) in enumerate([(16, 32, 11), (34, 30, 13), (52, 33, 10), (26, 16, 10), (44, 14, 11),
                                   (66, 34, 8)]):
        d.add(tumbleweed(d, x, y, r, k))
    d.save("world", "desert_tumbleweed")


def wagon_wreck():
    d = Doc(96, 56, "A wagon left behind by a caravan, its planks bleached by the sun, a wheel broken off.")
    d.add(contact_shadow(d, 48, 48, 44, 6))
    d.add(sand_bed(d, 48, 47, 44, 7, "wwSand"))
    wood = d.linear("wwWood", BLEACHED)
    d.add(poly([(10, 22), (76, 18), (80, 38), (14, 42)], wood, OUTLINE, 1.8))  # the wagon bed, tilted
    for k in range(1, 4):
        d.add(path(f"M{10 + k * 1.2} {22 + k * 5} L{76 + k * 1} {18 + k * 5}", stroke="#8a7a5e", width=1))
    d.add(poly([(34, 26), (46, 25), (44, 34), (36, 35)], "#3a2a1a", OUTLINE, 1))  # a gap of missing planks
    for cx, cy, r in ((24, 42, 10), (70, 40, 10)):  # one wheel still on, one broken
        d.add(circle(cx, cy, r, "none", OUTLINE, 4))
        d.add(circle(cx, cy, r, "none", "#c8b08a", 2.2))
        for a in range(0, 180, 45):
            dx, dy = r * math.cos(math.radians(a)), r * math.sin(math.radians(a))
            d.add(path(f"M{f(cx - dx)} {f(cy - dy)} L{f(cx + dx)} {f(cy + dy)}", stroke="#8a7a5e", width=1.4))
        d.add(circle(cx, cy, 2.2, "#6a5a44", OUTLINE, 0.8))
    d.add(ellipse(88, 46, 4, 9, "none", OUTLINE, 3.6, extra=' transform="rotate(70 88 46)"'))  # the broken wheel
    d.add(ellipse(88, 46, 4, 9, "none", "#c8b08a", 2, extra=' transform="rotate(70 88 46)"'))
    d.add(path("M10 24 L2 8", stroke=OUTLINE, width=3.6))  # the shaft sticking up
    d.add(path("M10 24 L2 8", stroke="#d8c8a8", width=1.8))
    d.save("world", "desert_wagon_wreck")


def rock_slab():
    d = Doc(88, 52, "A slab of red rock fallen from the cliffs across the way, broken in two.")
    d.add(contact_shadow(d, 44, 46, 40, 6))
    d.add(path("M4 46 C20 40 70 40 84 46 Z", d.linear("rsSand", SAND), "#a8683a", 1))
    slab = d.linear("rsSlab", [(0, "#f4a878"), (0.5, "#c8603a"), (1, "#6a2a14")])
    d.add(poly([(6, 40), (12, 20), (44, 14), (46, 44)], slab, OUTLINE, 1.8))
    d.add(poly([(48, 44), (50, 18), (80, 22), (84, 42)], slab, OUTLINE, 1.8))
    d.add(poly([(12, 20), (44, 14), (46, 20), (16, 25)], "#ffd0a8", OUTLINE, 1, extra=' opacity="0.9"'))  # lit top edge
    d.add(poly([(50, 18), (80, 22), (80, 27), (50, 23)], "#ffd0a8", OUTLINE, 1, extra=' opacity="0.9"'))
    d.add(path("M10 32 L44 28 M12 38 L44 36 M50 32 L82 34", stroke="#8a3a1a", width=1.1, extra=' opacity="0.7"'))
    for x, y, r in [(46, 46, 3.5), (30, 46, 2.6), (64, 47, 3), (86, 44, 2.2)]:  # chips
        d.add(rock(d, f"rsChip{x}", x, y, r, r * 0.7, tone=SANDSTONE, seed=x * 0.1))
    d.save("world", "desert_rock_slab")


def sand_drift():
    d = Doc(80, 48, "A drift of red sand blown across the way, rippled by the wind.")
    d.add(contact_shadow(d, 40, 42, 36, 5))
    g = d.radial("drSand", [(0, "#ffe4b8"), (0.55, "#e8a060"), (1, "#b0602e")], 0.35, 0.25, 0.8)
    d.add(path("M4 42 C10 30 22 24 34 24 C44 10 60 12 66 24 C72 26 78 34 76 42 Z", g, "#7a3a18", 1.8))
    d.add(path("M34 24 C46 26 54 34 58 42", stroke="#b0602e", width=2, extra=' opacity="0.7"'))  # the lee side
    for k in range(4):  # wind ripples
        y = 30 + k * 3
        d.add(path(f"M{12 + k * 3} {y} q5 -3 10 0 t10 0", stroke="#c07040", width=1.1))
    d.add(path("M44 16 q6 -2 10 2 M48 20 q5 -2 9 2", stroke="#fff0d0", width=1.2))
    # a half-buried water jar, so the drift reads as one on the red ground
    d.add(ellipse(62, 34, 6, 7, d.linear("drJar", [(0, "#e0a070"), (1, "#8a4a22")]), OUTLINE, 1.2))
    d.add(path("M58 28 h8", stroke=OUTLINE, width=2.6))
    d.add(path("M56 40 C60 36 66 36 70 40", d.radial("drSand2", [(0, "#ffe4b8"), (1, "#e8a060")]), "#7a3a18", 1))
    d.save("world", "desert_sand_drift")


def pillar_wall():
    d = Doc(100, 72, "A wall of weathered red sandstone pillars across the way: only the stonemason can cut through it.")
    d.add(contact_shadow(d, 50, 64, 46, 7))
    d.add(sand_bed(d, 50, 62, 46, 8, "pwSand"))
    pillars = [(14, 58, 12, 40), (32, 62, 14, 52), (52, 60, 13, 46), (70, 62, 14, 54), (88, 58, 11, 38)]
    for k, (x, base, w, h) in enumerate(pillars):
        g = d.linear(f"pwStone{k}", [(0, "#ffb888"), (0.5, "#d0683a"), (1, "#7a2e14")], 0, 0, 1, 0)
        top = base - h
        d.add(path(f"M{x - w / 2} {base} L{x - w / 2 + 1.5} {top + 5} Q{x} {top - 3} {x + w / 2 - 1} {top + 4} "
                   f"L{x + w / 2} {base} Z", g, OUTLINE, 1.8))
        for j in range(1, 4):  # the layers worn by the wind
            y = top + h * j / 4
            d.add(path(f"M{x - w / 2 + 1} {f(y)} q{w / 2} {2 if j % 2 else -1.5} {w - 2} 0", stroke="#7a2e14",
                       width=1.2, extra=' opacity="0.65"'))
        d.add(path(f"M{x - w / 2 + 3} {top + 8} V{base - 4}", stroke="#ffd8b8", width=1.4, extra=' opacity="0.55"'))
    for x, y in [(23, 52), (42, 50), (61, 52), (80, 50)]:  # boulders wedged between the pillars
        d.add(rock(d, f"pwRock{x}", x, y, 7, 5, tone=SANDSTONE, seed=x * 0.07))
    d.save("world", "desert_pillar_wall")


def acacia_thicket():
    d = Doc(100, 76, "A thicket of thorny acacias with flat green crowns: only the forester can clear it.")
    d.add(contact_shadow(d, 50, 68, 46, 7))
    d.add(sand_bed(d, 50, 66, 46, 8, "atSand"))
    for x, lean in [(22, -6), (50, 0), (76, 6), (36, -2), (64, 3)]:
        d.add(path(f"M{x} 68 Q{x + lean * 0.4} 52 {x + lean} 40", stroke=OUTLINE, width=5.2))
        d.add(path(f"M{x} 68 Q{x + lean * 0.4} 52 {x + lean} 40", stroke="#6a4a2e", width=3))
        d.add(path(f"M{x + lean} 42 l-8 -6 M{x + lean} 42 l8 -6", stroke="#6a4a2e", width=2))
    for x, y in [(18, 58), (30, 52), (44, 60), (58, 54), (72, 58), (84, 52)]:  # long white thorns
        d.add(path(f"M{x} {y} l-5 -3 M{x} {y} l5 -3 M{x} {y + 5} l-4 2 M{x} {y + 5} l4 2", stroke="#f4ecd8", width=1.2))
    leaf = [(0, "#c8dc80"), (0.5, "#6a8a32"), (1, "#2e4a18")]
    for k, (cx, cy, rx) in enumerate([(20, 34, 17), (50, 26, 22), (80, 34, 17), (36, 40, 13), (64, 40, 13)]):
        d.add(canopy(d, f"atCrown{k}", [(cx - rx * 0.5, cy, rx * 0.55), (cx + rx * 0.5, cy, rx * 0.55),
                                         (cx, cy - rx * 0.15, rx * 0.6)], stops=leaf))
        d.add(ellipse(cx, cy + rx * 0.35, rx, 3, "#2e4a18", extra=' opacity="0.45"'))  # the flat underside
    for x, y in [(40, 24), (58, 22), (24, 32), (78, 32)]:  # yellow blossom
        d.add(circle(x, y, 1.8, "#ffe040", "#a88a10", 0.6))
    d.save("world", "desert_acacia_thicket")


# ---------------------------------------------------------------- the things

# id, texture, half size, descriptor attributes (after class/offs), painter, names and descriptions
THINGS = [
    (240, "desert_date_palms", (40, 40), 'offs="60" time="25" ani="4" ret="1" income="2,0,0" snd="45" coll="1" '
     'scaleTime="250" scalePercent="5"', date_palms,
     {"en": ("Date palms", "Palms heavy with dates. Picked, they ripen again in time."),
      "de": ("Dattelpalmen", "Palmen voller Datteln. Gepflückt reifen mit der Zeit neue."),
      "ru": ("Финиковые пальмы", "Пальмы, усыпанные финиками. Собранные, со временем созревают снова."),
      "pl": ("Palmy daktylowe", "Palmy obwieszone daktylami. Zebrane z czasem dojrzewają znowu.")}),
    (241, "desert_goat_pen", (40, 30), 'offs="60" time="30" ani="4" ret="1" income="3,0,0" snd="45" coll="3" '
     'scaleTime="300" scalePercent="3"', goat_pen,
     {"en": ("Goat pen", "Goats in a thorn pen. They give milk and cheese again after a while."),
      "de": ("Ziegenpferch", "Ziegen in einem Dornenpferch. Nach einer Weile geben sie wieder Milch und Käse."),
      "ru": ("Загон для коз", "Козы в загоне из колючек. Через время снова дают молоко и сыр."),
      "pl": ("Zagroda kóz", "Kozy w cierniowej zagrodzie. Po pewnym czasie znów dają mleko i ser.")}),
    (242, "desert_tamarisk", (34, 24), 'offs="40" time="25" ani="1" ret="1" income="0,2,0" snd="43" coll="1" '
     'scaleTime="250" scalePercent="5"', tamarisk,
     {"en": ("Tamarisk shrubs", "Dry tamarisks for firewood. Cut, they sprout again."),
      "de": ("Tamariskenbüsche", "Trockene Tamarisken als Brennholz. Geschnitten treiben sie wieder aus."),
      "ru": ("Кусты тамариска", "Сухой тамариск на дрова. Срезанный, он снова отрастает."),
      "pl": ("Krzewy tamaryszku", "Suchy tamaryszek na opał. Ścięty odrasta znowu.")}),
    (243, "desert_dead_acacia", (40, 40), 'offs="60" time="35" ani="1" ret="1" income="0,3,0" snd="43" coll="1" '
     'scaleTime="300" scalePercent="4"', dead_acacia,
     {"en": ("Dead acacia", "A dry acacia, hard as bone. Felled, a young one grows in its place."),
      "de": ("Tote Akazie", "Eine trockene Akazie, hart wie Knochen. Gefällt wächst eine junge nach."),
      "ru": ("Сухая акация", "Засохшая акация, твёрдая как кость. Срубленная, на её месте растёт молодая."),
      "pl": ("Martwa akacja", "Sucha akacja, twarda jak kość. Ścięta, na jej miejscu rośnie młoda.")}),
    (244, "desert_gold_seam", (40, 30), 'offs="50" time="40" ani="6" ret="1" cost="1,0,0" income="0,0,2" snd="44" '
     'coll="5" scaleTime="300" scalePercent="4"', gold_seam,
     {"en": ("Sandstone gold", "A seam of gold in red sandstone. Mining it costs some food."),
      "de": ("Sandsteingold", "Eine Goldader im roten Sandstein. Der Abbau kostet etwas Nahrung."),
      "ru": ("Золото песчаника", "Золотая жила в красном песчанике. Добыча стоит немного еды."),
      "pl": ("Złoto z piaskowca", "Żyła złota w czerwonym piaskowcu. Wydobycie kosztuje trochę jedzenia.")}),
    (245, "desert_tumbleweed", (40, 24), 'offs="40" time="25" ani="5" snd="42" coll="2" '
     'scaleTime="250" scalePercent="5"', tumbleweed_heap,
     {"en": ("Tumbleweeds", "Dry tumbleweeds blown across the way. Rake them aside."),
      "de": ("Steppenläufer", "Trockene Steppenläufer quer über dem Weg. Recht sie beiseite."),
      "ru": ("Перекати-поле", "Сухое перекати-поле поперёк дороги. Сгребите его в сторону."),
      "pl": ("Biegacze stepowe", "Suche biegacze nawiane w poprzek drogi. Zgrabcie je na bok.")}),
    (246, "desert_wagon_wreck", (48, 28), 'offs="50" time="35" ani="1" ret="1" cost="1,0,0" income="0,3,0" snd="43" '
     'coll="1" scaleTime="300" scalePercent="4"', wagon_wreck,
     {"en": ("Wagon wreck", "A caravan's broken wagon. Taken apart, its planks give wood."),
      "de": ("Wagenwrack", "Ein kaputter Wagen einer Karawane. Zerlegt geben seine Bretter Holz."),
      "ru": ("Обломки повозки", "Сломанная повозка каравана. Разобранная, её доски дают дерево."),
      "pl": ("Wrak wozu", "Połamany wóz karawany. Rozebrany, jego deski dają drewno.")}),
    (247, "desert_rock_slab", (44, 26), 'offs="50" time="35" ani="6" snd="44" coll="2" '
     'scaleTime="300" scalePercent="4"', rock_slab,
     {"en": ("Fallen rock slab", "A slab of rock fallen across the way. Break it up and clear it."),
      "de": ("Gestürzte Felsplatte", "Eine quer über den Weg gestürzte Felsplatte. Zerschlagt und räumt sie."),
      "ru": ("Упавшая плита", "Каменная плита упала поперёк дороги. Разбейте её и уберите."),
      "pl": ("Zwalona płyta skalna", "Płyta skalna zwaliła się w poprzek drogi. Rozbijcie ją i usuńcie.")}),
    (248, "desert_sand_drift", (40, 24), 'offs="40" time="30" ani="5" cost="1,0,0" snd="42" coll="2" '
     'scaleTime="250" scalePercent="5"', sand_drift,
     {"en": ("Sand drift", "Red sand blown across the way. Digging it away costs some food."),
      "de": ("Sandverwehung", "Roter Sand quer über dem Weg. Das Wegschaufeln kostet etwas Nahrung."),
      "ru": ("Песчаный занос", "Красный песок, наметённый поперёк дороги. Раскопать его стоит немного еды."),
      "pl": ("Zaspa piasku", "Czerwony piasek nawiany w poprzek drogi. Odkopanie go kosztuje trochę jedzenia.")}),
    (249, "desert_pillar_wall", (50, 36), 'offs="70" time="50" ani="0" work="1" cost="2,0,0" snd="44" coll="2" '
     'scaleTime="300" scalePercent="4"', pillar_wall,
     {"en": ("Sandstone pillars", "A wall of red sandstone pillars. Only the stonemason can cut through it."),
      "de": ("Sandsteinsäulen", "Eine Wand aus roten Sandsteinsäulen. Nur der Steinmetz kann sie durchschlagen."),
      "ru": ("Столбы песчаника", "Стена из столбов красного песчаника. Пробить её может только каменотёс."),
      "pl": ("Filary z piaskowca", "Ściana z filarów czerwonego piaskowca. Tylko kamieniarz może ją przebić.")}),
    (250, "desert_acacia_thicket", (50, 38), 'offs="60" time="45" ani="0" work="2" ret="1" income="0,3,0" snd="43" '
     'coll="1" scaleTime="300" scalePercent="3"', acacia_thicket,
     {"en": ("Acacia thicket", "Thorny acacias grown close together. Only the forester can clear them."),
      "de": ("Akaziendickicht", "Dicht gewachsene dornige Akazien. Nur der Förster kann sie räumen."),
      "ru": ("Акациевая чаща", "Колючие акации, растущие вплотную. Расчистить их может только лесник."),
      "pl": ("Gąszcz akacji", "Gęsto rosnące cierniste akacje. Tylko leśnik może je usunąć.")}),
]

# Work sounds: id, name, loop, frame, ksynth description
SOUNDS_DESERT = [
    (42, "desert_work_sand", 2, 3, """# A shovel into dry, loose sand: a hiss, a trickle running off the blade.
gain 0.7
instrument hiss
  osc noise 1
  env 0.006 0.12 0.1 0.08
  filter bandpass 2200 0.9
  sweep -900 0.12
end
instrument trickle
  osc noise 1
  env 0.001 0.02 0 0.02
  filter highpass 3200
  gain 0.4
end
instrument thump
  osc sine 1
  pitch 3 0.03
  env 0.002 0.07 0 0.04
  gain 0.6
end
note thump 0 A2 0.04
note hiss 0.01 C4 0.14
seq trickle 0.18 0.04 C4 C4@0.7 C4@0.5 C4@0.3
"""),
    (43, "desert_work_wood", 2, 5, """# An axe into sun-dried wood: a hard, bright crack and a splinter.
gain 0.7
instrument crack
  osc triangle 1
  pitch 9 0.015
  env 0.0005 0.08 0 0.05
end
instrument splinter
  osc noise 1
  env 0.0005 0.04 0 0.03
  filter bandpass 2400 2.2
end
note crack 0 C3 0.05
note splinter 0 C4 0.03
note splinter 0.07 C4 0.025 0.5
"""),
    (44, "desert_work_rock", 2, 6, """# A pick on sandstone: a dull chock, the stone crumbling into grit.
gain 0.7
instrument chock
  fm 2.3 1.6 0.03
  env 0.0005 0.09 0 0.06
end
instrument crumble
  osc noise 1
  env 0.002 0.05 0 0.05
  filter bandpass 1600 1.1
  gain 0.5
end
note chock 0 G4 0.04
seq crumble 0.03 0.04 C4 C4@0.6 C4@0.4
"""),
    (45, "desert_work_gather", 0, 0, """# Picking dates and milking goats: a rustle of dry fronds, a bleat and dates dropping into a basket.
gain 0.6
instrument rustle
  osc noise 1
  env 0.02 0.12 0.1 0.1
  filter bandpass 3000 1.2
  gain 0.5
end
instrument bleat
  osc saw 1
  vibrato 7 0.04
  env 0.03 0.2 0.4 0.1
  filter lowpass 1800
  gain 0.3
end
instrument drop
  osc sine 1
  pitch 8 0.03
  env 0.001 0.05 0 0.04
  gain 0.4
end
note rustle 0 C4 0.2
note bleat 0.28 E4 0.25
seq drop 0.65 0.07 A4 F4@0.8 G4@0.6
"""),
]

PARTICLES = [("desert_gold_seam", "desert_gold_glint", 0, 10)]
# The sandstone gold glints hot in the desert sun, and a wisp of red dust now and then blows off it.
GOLD_GLINT = """  <emitter name="glints" loop="1" duration="1">
    <layer name="glints" texture="star" blend="add" max="12" rate="0:4" life="0.5 0.9" area="ellipse 40 18" spin="-40 40" angle="0 45" size="0:2 0.5:16 1:2" sizevar="0.3" color="0:FFFFF0C0 0.5:FFFFD040 1:00FF9810"/>
    <layer name="sun" texture="spark" blend="add" max="6" rate="0:2" life="0.4 0.7" area="ellipse 34 16" size="0:2 0.5:9 1:2" sizevar="0.3" color="0:FFFFFFE0 0.5:FFFFE090 1:00FFB040"/>
    <layer name="dust" texture="smoke" blend="alpha" max="5" rate="0:1" life="1.0 1.6" speed="8 18" direction="-20" spread="30" area="ellipse 30 8" gravity="6 -4" size="0:6 1:18" color="0:00D88A50 0.3:60D88A50 1:00C87840"/>
  </emitter>
"""


write_block = LAND.write_block


def tables():
    LAND.tables(THINGS, SOUNDS_DESERT, PARTICLES, "desert_gold_glint",
                "Sandstone gold glinting in the desert sun, a wisp of red dust blowing off it now and then (written by art/generated/land_desert.py).",
                GOLD_GLINT)


# ---------------------------------------------------------------- levels

# The meadow's workable things and what stands in their place in the desert; where a list
# has more than one, they take turns through the episode.
SWAP = {"20": [240], "24": [240], "23": [241], "35": [241], "21": [243, 242], "22": [244],
        "10": [247, 248, 245], "11": [246], "12": [248, 245], "14": [245, 248], "15": [247, 246], "17": [248, 245, 247],
        "13": [249], "36": [250]}
TURNS = {}
# Where a level has a single source of a kind, the turn may not give it the weaker one
# (level: {meadow subclass: desert id}): the canyon's and the stronghold's one wood source is
# the dead acacia (three wood a felling), or their wood goals take twice as long as the rest.
KEEP = {}
BY_ID = {i: (tex, size) for i, tex, size, _, _, _ in THINGS}

# (level, template, transform, ground, what it is, new thing)
PLAN = [
    (1, 6, "y", "red_mesa", "the red mesa: dust banks hide the east until the beacons burn",
     "the desert's own things: date palms, goat pens, tamarisks, dead acacias, sandstone gold, tumbleweeds, "
     "wagon wrecks, rock slabs and sand drifts"),
    (2, 4, "xy", "oasis_gate", "the oasis gate: the old gate and the drawbridge over the oasis stream",
     "nothing (the old gate and the drawbridge again)"),
    # the caravans' camp before the fair: the fair's own ground is the mini-game's (level 4)
    (3, 10, "y", "caravan_camp", "the caravan fair: three lost bells and a fair behind the gate",
     "nothing (lost bells and a fair gate again)"),
    (5, 3, "y", "canyon_road", "the canyon road: sandstone pillars close the ways; the stonemason cuts through them",
     "the sandstone pillars and the stonemason"),
    (6, 8, "y", "sandstorm", "the sandstorm: acacia thickets hold the blown sand; the forester clears them",
     "the acacia thickets and the forester"),
    (7, 8, "x", "salt_flats", "the salt flats: acacias ring the flats; the forester opens the way to the salt",
     "nothing"),
    (8, 3, "x", "well_of_stars", "the well of stars: the stonemason cuts through the pillars round the old well",
     "nothing"),
    (9, 7, "x", "sun_temple", "the sun temple: enlarge the house, then build the warehouse and the farm",
     "the enlarged workers' house"),
    (10, 3, "xy", "last_stronghold", "the last stronghold: pillar walls guard the gold behind the stronghold",
     "nothing"),
    (11, 8, "xy", "mirage", "the mirage: the forester clears the acacias before the last and largest harvest",
     "nothing"),
]
# The goals grow through the episode: each level asks this share more than the template's
# (on top of the share later_levels.py adds for the episode).
GOAL_STEP = 0.04
# Behind the sandstone pillars the desert has one wood source and the thief takes from the
# store, so the mason's levels ask less wood (food, wood, gold shares of the grown goal): with
# the full share the wood alone keeps them going four times as long as the rest.
GOALS = {5: (1, 0.65, 1), 8: (1, 0.65, 1), 10: (1, 0.65, 1)}


def dress_level(level):
    file = os.path.join(ll.LEVELS, f"level_{EPISODE:02d}_{level:02d}.xml")
    keep = {}
    if os.path.exists(file):  # the puzzle piece stays where the level had it
        for o in ET.parse(file).getroot().iter("object"):
            if o.get("tex") == "puzzle_piece":
                keep["piece"] = o.get("pos")
    return file, keep


def write_level(level, template, how, name, note, new):
    file, keep = dress_level(level)
    ll.NEW[(EPISODE, level)] = new
    ll.transform_level(template, EPISODE, level, how, name, note)
    tree = ET.parse(file)
    root = tree.getroot()
    root.set("music", str(EPISODE))
    root.set("dialog", f"{EPISODE * 1000 + level * 10},1,4,0,0,0,0")
    more = 1 + GOAL_STEP * (level - 1)
    shares = GOALS.get(level, (1, 1, 1))
    root.set("quest_res", ",".join(str(int(math.ceil(int(v) * more * k)))
                                   for v, k in zip(root.get("quest_res").split(","), shares)))
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
    body = ET.tostring(root, encoding="unicode")
    lines = [ln for ln in body.replace(" />", "/>").splitlines() if ln.strip()]
    with open(file, "w", encoding="utf-8") as fh:
        fh.write('<?xml version="1.0" encoding="utf-8"?>\n')
        fh.write(f"<!-- Episode {EPISODE}, level {level}: {note}. Written by art/generated/land_desert.py. -->\n")
        fh.write(f"<!-- new: {new} -->\n")
        fh.write("\n".join(lines) + "\n")
    fit_or_warn(file)
    ll.ground(EPISODE, level, template, how, name, ll.DESERT, note)


# The chief's opening line of each level (dialog_5LL0) and, for a level that brings something
# new, the level message shown before it starts with its picture: (world pictures, where).
SPEECH = {
    1: {"en": "Red rock and hot wind. Clear the fallen rocks and the sand drifts; the date palms and the sandstone gold will carry us.",
        "de": "Roter Fels und heißer Wind. Räumt die gestürzten Felsen und die Sandverwehungen weg; Dattelpalmen und Sandsteingold bringen uns durch.",
        "ru": "Красные скалы и горячий ветер. Уберите упавшие камни и песчаные заносы — финики и золото песчаника нас прокормят.",
        "pl": "Czerwone skały i gorący wiatr. Usuńcie zwalone skały i zaspy piasku; palmy daktylowe i złoto z piaskowca nas wyżywią."},
    2: {"en": "The oasis gate is stuck and the bridge over its stream is broken. Open both; the goats are thirsty.",
        "de": "Das Oasentor klemmt und die Brücke über den Bach ist kaputt. Öffnet beides; die Ziegen haben Durst.",
        "ru": "Ворота оазиса заклинило, а мост через ручей сломан. Откройте путь: козы хотят пить.",
        "pl": "Brama oazy się zacięła, a most nad strumieniem jest zepsuty. Otwórzcie oba; kozy są spragnione."},
    3: {"en": "The caravan fair cannot open: its three bells were lost in the sand. Find them before the caravans move on.",
        "de": "Der Karawanenmarkt kann nicht öffnen: seine drei Glocken liegen im Sand. Findet sie, bevor die Karawanen weiterziehen.",
        "ru": "Ярмарка караванов не может открыться: три её колокола потерялись в песке. Найдите их, пока караваны не ушли.",
        "pl": "Jarmark karawan nie może się zacząć: jego trzy dzwony zginęły w piasku. Znajdźcie je, zanim karawany odjadą."},
    5: {"en": "Sandstone pillars wall in the canyon road. Build the stonemason's lodge: only the mason cuts through them.",
        "de": "Sandsteinsäulen versperren die Schluchtstraße. Baut die Steinmetzhütte: nur der Steinmetz schlägt sie durch.",
        "ru": "Столбы песчаника перегородили дорогу через каньон. Постройте мастерскую каменотёса: только он их пробьёт.",
        "pl": "Filary z piaskowca zagrodziły drogę przez kanion. Zbudujcie chatę kamieniarza: tylko kamieniarz je przebije."},
    6: {"en": "The sandstorm has passed, but the acacia thickets hold the sand on every path. Build the forester's lodge: the forester clears them.",
        "de": "Der Sandsturm ist vorbei, doch Akaziendickicht hält den Sand auf jedem Pfad. Baut die Försterhütte: der Förster räumt es.",
        "ru": "Песчаная буря прошла, но акациевые чащи держат песок на каждой тропе. Постройте сторожку лесника: лесник их расчистит.",
        "pl": "Burza piaskowa minęła, ale gąszcze akacji trzymają piasek na każdej ścieżce. Zbudujcie leśniczówkę: leśnik je usunie."},
    7: {"en": "Beyond the acacias the salt flats shine white. Let the forester open the way; salt buys bread in any town.",
        "de": "Hinter den Akazien glänzen die Salzebenen weiß. Lasst den Förster den Weg öffnen; Salz kauft in jeder Stadt Brot.",
        "ru": "За акациями белеют солончаки. Пусть лесник откроет путь: за соль в любом городе дадут хлеб.",
        "pl": "Za akacjami lśnią białe solniska. Niech leśnik otworzy drogę; za sól w każdym mieście dostaniecie chleb."},
    8: {"en": "The well of stars lies behind a ring of pillars. Cut through to it: its water is the coolest in the desert.",
        "de": "Der Sternenbrunnen liegt hinter einem Ring aus Säulen. Schlagt euch durch: sein Wasser ist das kühlste der Wüste.",
        "ru": "Звёздный колодец скрыт за кольцом столбов. Пробейтесь к нему: его вода — самая прохладная в пустыне.",
        "pl": "Gwiezdna studnia kryje się za kręgiem filarów. Przebijcie się do niej: jej woda jest najchłodniejsza na pustyni."},
    9: {"en": "The sun temple needs many hands. Enlarge the workers' house: a big house brings one more worker.",
        "de": "Der Sonnentempel braucht viele Hände. Vergrößert das Arbeiterhaus: ein großes Haus bringt einen Arbeiter mehr.",
        "ru": "Храму солнца нужно много рук. Расширьте дом рабочих: большой дом даёт ещё одного рабочего.",
        "pl": "Świątynia słońca potrzebuje wielu rąk. Rozbudujcie dom robotników: duży dom daje jednego robotnika więcej."},
    10: {"en": "The last stronghold hides behind walls of sandstone. Break through: the gold of the desert lies behind them.",
         "de": "Die letzte Festung verbirgt sich hinter Mauern aus Sandstein. Brecht durch: dahinter liegt das Gold der Wüste.",
         "ru": "Последняя крепость скрыта за стенами из песчаника. Пробейтесь: за ними лежит золото пустыни.",
         "pl": "Ostatnia twierdza kryje się za murami z piaskowca. Przebijcie się: za nimi leży złoto pustyni."},
    11: {"en": "Is that water shimmering behind the acacias, or a mirage? One last harvest, the largest of all, and the desert is ours.",
         "de": "Schimmert dort Wasser hinter den Akazien, oder ist es eine Fata Morgana? Eine letzte Ernte, die größte von allen, und die Wüste ist unser.",
         "ru": "Это вода блестит за акациями или мираж? Последний урожай, самый большой, и пустыня наша.",
         "pl": "Czy to woda lśni za akacjami, czy miraż? Ostatnie żniwa, największe ze wszystkich, i pustynia jest nasza."},
}
MESSAGES = {
    5: ({"en": "Walls of sandstone pillars close the canyon road. Only the stonemason can cut through them.",
         "de": "Wände aus Sandsteinsäulen versperren die Schluchtstraße. Nur der Steinmetz kann sie durchschlagen.",
         "ru": "Стены из столбов песчаника закрывают дорогу через каньон. Пробить их может только каменотёс.",
         "pl": "Ściany z filarów piaskowca zamykają drogę przez kanion. Tylko kamieniarz może je przebić."},
        [("desert_pillar_wall", 160, 88, 1.3), ("stonemason_lodge", 70, 82, 0.5)]),
    6: ({"en": "Thorny acacia thickets close the paths. The forester from the lodge clears them.",
         "de": "Dornige Akaziendickichte versperren die Pfade. Der Förster aus der Hütte räumt sie.",
         "ru": "Колючие акациевые чащи закрывают тропы. Лесник из сторожки их расчистит.",
         "pl": "Cierniste gąszcze akacji zamykają ścieżki. Leśnik z leśniczówki je usunie."},
        [("desert_acacia_thicket", 160, 86, 1.2), ("forester_lodge", 70, 82, 0.5)]),
    9: ({"en": "Work on the workers' house and it grows: the big house gives one more worker.",
         "de": "Arbeitet am Arbeiterhaus, und es wächst: das große Haus gibt einen Arbeiter mehr.",
         "ru": "Поработайте над домом рабочих, и он вырастет: большой дом даёт ещё одного рабочего.",
         "pl": "Pracujcie nad domem robotników, a urośnie: duży dom daje jednego robotnika więcej."},
        [("workers_house_big", 130, 82, 0.55)]),
}




nested = LAND.nested


def message_picture(level, pictures):
    d = Doc(260, 150, f"Level message of the red desert, level {level} (written by generated/land_desert.py)")
    d.add(f'<rect width="260" height="150" fill="{d.linear("msgSky", [(0, "#f0a060"), (0.6, "#ffd8a0"), (1, "#fff0d0")])}"/>')
    d.add(circle(214, 30, 14, "#fff4c0", extra=' opacity="0.9"'))  # the sun
    mesa = d.linear("msgMesa", [(0, "#e07a4a"), (1, "#8a3a1e")])
    d.add(path("M0 66 V48 L14 40 H52 L62 52 V66 Z M150 66 V44 L160 34 H204 L214 44 V50 L228 50 L236 66 Z", mesa,
               "#5a2412", 1.2))
    d.add(path("M14 46 H52 M160 40 H204", stroke="#f0a070", width=1.2, extra=' opacity="0.7"'))
    d.add(path("M0 70 C60 60 120 76 180 66 S240 64 260 68 V150 H0 Z", d.linear("msgSand", SAND), "#a8683a", 1.2))
    d.add(path("M20 110 q20 -6 40 0 M180 124 q24 -6 48 0 M96 134 q18 -5 36 0", stroke="#c88a52", width=1.2))
    ll.cactus(d, 20, 104, 0.6)
    ll.cactus(d, 244, 108, 0.55)
    for k, (name, x, y, scale) in enumerate(pictures):
        d.add(nested(name, x, y, scale, k))
    d.add(f'<rect x="1" y="1" width="258" height="148" fill="none" stroke="{OUTLINE}" stroke-width="2"/>')
    # with the coast's level messages in their own atlas: the dialogs' atlas is full at double size
    d.save(os.path.join("atlases", "messages"), f"msg_{EPISODE:02d}_{level:02d}")


# The grounds' names in the level editor's palette (the red mesa's and the oasis gate's were there before).
GROUND_NAMES = {
    "caravan_camp": {"en": "caravan camp", "de": "Karawanenlager", "ru": "стоянка караванов", "pl": "obóz karawan"},
    "canyon_road": {"en": "canyon road", "de": "Schluchtstraße", "ru": "дорога через каньон", "pl": "droga przez kanion"},
    "sandstorm": {"en": "sandstorm", "de": "Sandsturm", "ru": "песчаная буря", "pl": "burza piaskowa"},
    "salt_flats": {"en": "salt flats", "de": "Salzebene", "ru": "солончаки", "pl": "solniska"},
    "well_of_stars": {"en": "well of stars", "de": "Sternenbrunnen", "ru": "звёздный колодец", "pl": "gwiezdna studnia"},
    "sun_temple": {"en": "sun temple", "de": "Sonnentempel", "ru": "храм солнца", "pl": "świątynia słońca"},
    "last_stronghold": {"en": "last stronghold", "de": "letzte Festung", "ru": "последняя крепость",
                        "pl": "ostatnia twierdza"},
    "mirage": {"en": "mirage", "de": "Fata Morgana", "ru": "мираж", "pl": "miraż"},
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
