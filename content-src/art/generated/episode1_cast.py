#!/usr/bin/env python3
"""Writes the new cast of episode 1, levels 4 to 10 (world/*.svg, textures of their own):
the gates and bridges that open by playing their change (sheets of 8 frames, closed to
open, with "_a" variants while they are worked on), beehives, beacons and the ferry winch,
the fog banks, the building stages (scaffold, the big workers' house), the forester's lodge,
the obelisk of growth, and the scenery and quest objects of the festival.
    python3 content-src/art/generated/episode1_cast.py
"""
import math

from artlib import (LEAF, LEAF_DARK, OUTLINE, Doc, berries, canopy, circle, contact_shadow,
                    dress_touch, ellipse, f, leaf_tufts, log, path, plank, poly, rock, trunk)
from buildings import (ROOF_BROWN, ROOF_RED, ROOF_SLATE, board_wall, chimney, crate, door,
                       flowers, grass_base, obelisk_needle, plaster_wall, rect, roof, stone_wall,
                       timber, window)

FOLDER = "world"


def sheet(name, title, columns, rows, fw, fh, draw, frames=None):
    """Frames left to right, top to bottom; draw(doc, i, n) draws frame i of n."""
    d = Doc(fw * columns, fh * rows, title)
    d.define("cell", f'<clipPath id="cell"><rect x="0" y="0" width="{fw}" height="{fh}"/></clipPath>')
    count = frames or columns * rows
    for i in range(columns * rows):
        x, y = (i % columns) * fw, (i // columns) * fh
        d.add(f'<g transform="translate({x} {y})"><g clip-path="url(#cell)">' +
              draw(d, min(i, count - 1), count) + "</g></g>")
    d.save(FOLDER, name)


def ease(t):
    return 0.5 - 0.5 * math.cos(math.pi * min(max(t, 0.0), 1.0))


def rope(points, width=1.6):
    d = "M" + " L".join(f"{f(x)} {f(y)}" for x, y in points)
    return path(d, stroke="#5a3a1a", width=width + 1.2) + path(d, stroke="#d8b878", width=width)


def tools_on_ground(d, x, y):
    """A crowbar and a coil of rope: something is being worked on here."""
    out = [ellipse(x + 12, y, 8, 3.5, "none", "#5a3a1a", 3.2), ellipse(x + 12, y, 8, 3.5, "none", "#d8b878", 1.8),
           path(f"M{f(x - 6)} {f(y + 2)} L{f(x + 2)} {f(y - 14)}", stroke=OUTLINE, width=3.4),
           path(f"M{f(x - 6)} {f(y + 2)} L{f(x + 2)} {f(y - 14)}", stroke="#8a94a0", width=1.8)]
    return "".join(out)


# ------------------------------------------------------------------ gates (state sprites)

def leaf(d, hinge_x, top, bottom, width, angle, side, tone, ident, festive=False):
    """A door leaf hinged at hinge_x, swinging away from the viewer by angle (radians):
    its free edge comes nearer the hinge and rises a little (seen from above)."""
    free_x = hinge_x + side * width * math.cos(angle)
    lift = 9 * math.sin(angle)
    g = d.linear(ident, [(0, tone[0]), (0.55, tone[1]), (1, tone[2])], 0, 0, 1, 0)
    pts = [(hinge_x, top), (free_x, top - lift), (free_x, bottom - lift * 0.6), (hinge_x, bottom)]
    out = [poly(pts, g, OUTLINE, 1.6)]
    if abs(free_x - hinge_x) > 4:
        # Planks, a cross brace and iron bands.
        for k in (1, 2, 3):
            t = k / 4
            x = hinge_x + (free_x - hinge_x) * t
            out.append(path(f"M{f(x)} {f(top - lift * t + 1)} L{f(x)} {f(bottom - lift * 0.6 * t - 1)}",
                            stroke=tone[3], width=0.9, extra=' opacity="0.7"'))
        if festive:
            for k, c in enumerate(("#ff6f8a", "#ffd04a", "#7ad8ff")):
                y = top + (bottom - top) * (0.25 + 0.25 * k)
                out.append(path(f"M{f(hinge_x)} {f(y)} L{f(free_x)} {f(y - lift * 0.8)}", stroke=c, width=3))
        else:
            for y0 in (top + 8, bottom - 10):
                out.append(path(f"M{f(hinge_x)} {f(y0)} L{f(free_x)} {f(y0 - lift * 0.85)}",
                                stroke="#3a3a44", width=2.4))
            out.append(path(f"M{f(hinge_x)} {f(bottom - 12)} L{f(free_x)} {f(top + 10 - lift)}",
                            stroke=tone[3], width=2.2))
    return "".join(out)


def gate_frame(d, i, n, worked=False):
    """The old gate in its bit of wall: closed in frame 0, open in the last."""
    w, h = 112, 96
    out = [contact_shadow(d, w / 2, h - 6, w * 0.48, 6)]
    # The way through: sandy ground behind the leaves.
    out.append(path("M30 86 L36 40 L76 40 L82 86 Z", d.linear("gateWay", [(0, "#c8a86a"), (1, "#e0c48a")]),
                    extra=' opacity="0.95"'))
    wall = d.linear("gateWall", [(0, "#d8d2c4"), (1, "#a49c8c")])
    for x0, x1 in ((0, 20), (92, 112)):
        out.append(rect(x0, 44, x1 - x0, 44, wall, width=1.4))
        for yy in (54, 66, 78):
            out.append(path(f"M{x0 + 1} {yy} h{x1 - x0 - 2}", stroke="#7a7266", width=0.8))
    t = ease(i / (n - 1))
    angle = math.radians(82) * t
    tone = ("#c89058", "#a06a36", "#6a3e1a", "#4a2a12")
    out.append(leaf(d, 26, 30, 86, 30, angle, 1, tone, "gateLeafL"))
    out.append(leaf(d, 86, 30, 86, 30, angle, -1, tone, "gateLeafR"))
    # Pillars with caps, moss and a little arch.
    pillar = d.linear("gatePillar", [(0, "#e4dfd2"), (0.5, "#bcb6a6"), (1, "#7e786a")], 0, 0, 1, 0)
    for x in (16, 86):
        out.append(rect(x, 18, 12, 72, pillar, width=1.6))
        out.append(rect(x - 3, 12, 18, 8, "#9c968a", width=1.4))
        out.append(path(f"M{x + 1} 30 q4 -4 9 0", stroke="#6e9a3e", width=2.4))
    out.append(path("M22 14 Q56 -2 92 14", stroke=OUTLINE, width=5))
    out.append(path("M22 14 Q56 -2 92 14", stroke="#9c968a", width=3))
    out.append(canopy(d, "gateIvy", [(20, 40, 5), (24, 50, 4), (94, 44, 4.5)], stops=LEAF_DARK))
    out.append(dress_touch("peak", d, [(0, 44), (20, 44)]))
    out.append(dress_touch("peak", d, [(92, 44), (112, 44)]))
    out.append(dress_touch("peak", d, [(13, 12), (31, 12)]))
    out.append(dress_touch("peak", d, [(83, 12), (101, 12)]))
    out.append(dress_touch("scatter", d, 2, 84, 110, 94, 1))
    if worked:
        out.append(rope([(28, 40), (40, 60), (24, 88)]))
        out.append(rope([(84, 40), (72, 60), (88, 88)]))
        out.append(tools_on_ground(d, 44, 90))
    return "".join(out)


def festival_gate_frame(d, i, n):
    """The festival gate: a garlanded arch whose painted doors swing open."""
    w, h = 128, 112
    out = [contact_shadow(d, w / 2, h - 6, w * 0.46, 6)]
    out.append(path("M34 104 L42 50 L86 50 L94 104 Z", d.linear("festWay", [(0, "#b8d87a"), (1, "#d8e890")])))
    t = ease(i / (n - 1))
    angle = math.radians(80) * t
    tone = ("#f2e4c0", "#e0c890", "#b09060", "#8a6a3a")
    out.append(leaf(d, 30, 40, 104, 34, angle, 1, tone, "festLeafL", festive=True))
    out.append(leaf(d, 98, 40, 104, 34, angle, -1, tone, "festLeafR", festive=True))
    pole = d.linear("festPole", [(0, "#f0c88a"), (1, "#a06a36")], 0, 0, 1, 0)
    for x in (20, 98):
        out.append(rect(x, 22, 10, 86, pole, width=1.6))
        for k in range(5):
            out.append(path(f"M{x} {30 + k * 16} l10 -6", stroke="#ff6f8a", width=2.2))
    # The arch: a garland with flowers and a banner.
    out.append(path("M22 26 Q64 -4 106 26", stroke=OUTLINE, width=9))
    out.append(path("M22 26 Q64 -4 106 26", stroke="#5aa83a", width=7))
    for k in range(9):
        a = k / 8
        x = 22 + 84 * a
        y = 26 - 30 * 4 * a * (1 - a) * 0.92
        out.append(circle(x, y, 3.2, ("#ff6f8a", "#fff07a", "#ffffff", "#b8a8ff")[k % 4], OUTLINE, 0.7))
    out.append(path("M40 28 Q64 40 88 28 L86 36 Q64 48 42 36 Z", "#d03a5a", OUTLINE, 1.4))
    for k in range(3):
        out.append(circle(54 + k * 10, 36, 1.8, "#fff07a"))
    return "".join(out)


def drawbridge_frame(d, i, n, worked=False):
    """A drawbridge over a stream: raised (frame 0) to lowered onto the far bank."""
    w, h = 128, 80
    out = []
    post = d.linear("bridgePost", [(0, "#c08850"), (1, "#6a3e1a")], 0, 0, 1, 0)
    # Near bank: a post with a winch; far bank: a low post with a notch.
    out.append(path("M0 56 L22 52 L26 76 L0 78 Z", d.linear("bank", [(0, "#b09060"), (1, "#7a5a34")]), OUTLINE, 1.4))
    out.append(path("M128 56 L108 52 L104 76 L128 78 Z", d.linear("bank", [(0, "#b09060"), (1, "#7a5a34")]), OUTLINE, 1.4))
    out.append(rect(8, 10, 9, 50, post, width=1.5))
    out.append(rect(110, 42, 9, 20, post, width=1.5))
    out.append(dress_touch("peak", d, [(0, 56), (22, 52)]))
    out.append(dress_touch("peak", d, [(108, 52), (128, 56)]))
    out.append(dress_touch("scatter", d, 0, 68, 24, 76, 2))
    out.append(dress_touch("scatter", d, 106, 68, 128, 76, 3))
    out.append(circle(12.5, 26, 6, "#8a5a30", OUTLINE, 1.4))
    out.append(path("M12.5 20 v12 M6.5 26 h12", stroke="#4a2a12", width=1.4))
    t = ease(i / (n - 1))
    a = math.radians(84) * (1 - t)
    length = 90
    hx, hy = 22, 56
    ex, ey = hx + length * math.cos(a), hy - length * math.sin(a) * 0.8
    depth = 8
    deck = d.linear("deck", [(0, "#e8c08a"), (1, "#a8743c")])
    pts = [(hx, hy - depth), (ex, ey - depth), (ex, ey + depth * 0.6), (hx, hy + depth * 0.6)]
    out.append(poly(pts, deck, OUTLINE, 1.6))
    for k in range(1, 9):
        u = k / 9
        x = hx + (ex - hx) * u
        y = hy + (ey - hy) * u
        out.append(path(f"M{f(x)} {f(y - depth)} L{f(x)} {f(y + depth * 0.6)}", stroke="#7a4a22", width=0.9))
    # Chains from the post's top to the deck's end.
    out.append(path(f"M12.5 12 L{f(ex)} {f(ey - depth)}", stroke="#3a3a44", width=2))
    out.append(path(f"M12.5 12 L{f(ex)} {f(ey - depth)}", stroke="#9aa4b0", width=1, extra=' stroke-dasharray="2 2"'))
    if worked:
        out.append(rope([(2, 50), (14, 30), (24, 62)]))
        out.append(crate(d, 0, 78, 10))
    return "".join(out)


def ferry_winch_frame(d, i, n, worked=False):
    """The ferry winch: a drum on a frame, its handles turning as it hauls the raft."""
    w, h = 64, 72
    out = [contact_shadow(d, 32, 66, 26, 5)]
    post = d.linear("winchPost", [(0, "#c08850"), (1, "#6a3e1a")], 0, 0, 1, 0)
    out.append(path("M8 68 L14 20 M56 68 L50 20", stroke=OUTLINE, width=7))
    out.append(path("M8 68 L14 20 M56 68 L50 20", stroke="#a06a36", width=5))
    out.append(rect(6, 62, 52, 6, post, width=1.3))
    drum = d.linear("drum", [(0, "#e8c08a"), (0.5, "#c08850"), (1, "#7a4a22")])
    out.append(rect(16, 26, 32, 18, drum, width=1.5, rx=4))
    turn = 2 * math.pi * i / n
    # Rope wound on the drum, more of it as the raft comes.
    for k in range(3 + i // 2):
        x = 19 + k * 3.2
        out.append(path(f"M{f(x)} 27 l2 16", stroke="#d8b878", width=1.6))
    out.append(path("M48 36 C60 40 62 54 64 60", stroke="#5a3a1a", width=2.6))
    out.append(path("M48 36 C60 40 62 54 64 60", stroke="#d8b878", width=1.4))
    # The wheel with four handles at the side.
    cx, cy = 32, 35
    out.append(circle(cx, cy, 14, "none", OUTLINE, 4))
    out.append(circle(cx, cy, 14, "none", "#a06a36", 2.2))
    for k in range(4):
        a = turn + k * math.pi / 2
        x, y = cx + 17 * math.cos(a), cy + 17 * math.sin(a)
        out.append(path(f"M{cx} {cy} L{f(x)} {f(y)}", stroke=OUTLINE, width=3.6))
        out.append(path(f"M{cx} {cy} L{f(x)} {f(y)}", stroke="#c89058", width=1.8))
        out.append(circle(x, y, 2.4, "#8a5a30", OUTLINE, 1))
    out.append(circle(cx, cy, 3, "#4a2a12", OUTLINE, 1))
    if worked:
        out.append(tools_on_ground(d, 2, 68))
    return "".join(out)


# ------------------------------------------------------------------ animated resources

def beehive_frame(d, i, n, smoked=False):
    """A straw skep on a stand, bees flying round it (smoked: puffs and fewer bees)."""
    w, h = 48, 56
    out = [contact_shadow(d, 24, 52, 18, 3.5)]
    stand = d.linear("stand", [(0, "#c08850"), (1, "#7a4a22")])
    out.append(rect(10, 42, 28, 4, stand, width=1.2))
    out.append(path("M14 46 v8 M34 46 v8", stroke=OUTLINE, width=2.6))
    straw = d.linear("skep", [(0, "#fbe39a"), (0.5, "#e0b450"), (1, "#a8782a")])
    out.append(path("M8 43 C6 26 14 12 24 12 C34 12 42 26 40 43 Z", straw, OUTLINE, 1.6))
    for k, y in enumerate((20, 26, 32, 38)):
        half = 10 + k * 3.5
        out.append(path(f"M{f(24 - half)} {y} Q24 {y + 3} {f(24 + half)} {y}", stroke="#a8782a", width=1.1))
    out.append(path("M20 43 Q24 37 28 43 Z", "#3a2410", OUTLINE, 1))
    out.append(path("M18 16 q3 -3 6 -3", stroke="#ffffff", width=1.4, extra=' opacity="0.55"'))
    t = 2 * math.pi * i / n
    bees = 3 if smoked else 6
    for k in range(bees):
        a = t + k * 2 * math.pi / bees
        x = 24 + 17 * math.cos(a) + 2 * math.sin(3 * a)
        y = 24 + 9 * math.sin(a * 1.3 + k)
        out.append(ellipse(x, y - 2, 1.8, 1.2, "#e8f6ff", extra=' opacity="0.85"'))
        out.append(ellipse(x, y, 2.2, 1.5, "#f5c02a", OUTLINE, 0.6))
    if smoked:
        puff = d.radial("puff", [(0, "#ffffff", 0.9), (1, "#c8c8c8", 0)], 0.5, 0.5, 0.5)
        for k in range(3):
            r = 6 + ((i + k * 2) % n) * 1.3
            out.append(circle(10 + k * 12 + 2 * math.sin(t + k), 14 - ((i + k) % n) * 1.5, r, puff))
    return "".join(out)


def beacon_base(d, out):
    out.append(contact_shadow(d, 28, 74, 24, 5))
    for x, y, r in ((12, 70, 8), (28, 72, 9), (44, 70, 8), (18, 62, 7), (38, 62, 7), (28, 58, 7)):
        out.append(rock(d, "cairn", x, y, r * 1.2, r * 0.8, tone=("#d0ccc0", "#9c978a", "#66615a"), seed=x * 0.13))


def beacon_cold():
    d = Doc(56, 80, "An unlit beacon: a cairn with a stack of dry wood on top.")
    out = []
    beacon_base(d, out)
    for x, y in ((14, 52), (30, 54), (20, 44), (34, 44), (24, 36)):
        out.append(log(d, x, y, x + 14, y - 1, 4, ident="beaconLog"))
    out.append(path("M22 30 l6 -10 l6 10", stroke="#8a5a30", width=2))
    d.add("".join(out))
    d.save(FOLDER, "beacon_cold")


def beacon_fire_frame(d, i, n):
    """The lit beacon: tall flames and sparks over the cairn."""
    out = []
    glow = d.radial("beaconGlow", [(0, "#ffd060", 0.6), (1, "#ff8020", 0)], 0.5, 0.5, 0.5)
    out.append(ellipse(28, 40, 26 + (i % 2) * 2, 34, glow))
    beacon_base(d, out)
    for x, y in ((14, 52), (30, 54), (20, 46), (34, 46)):
        out.append(log(d, x, y, x + 14, y - 1, 4, ident="beaconLog"))
    g = d.linear("beaconFlame", [(0, "#fff6a0"), (0.4, "#ffc030"), (1, "#e84a10")], 0, 0, 0, 1)
    t = 2 * math.pi * i / n
    for k, (x, hh, w) in enumerate(((28, 38, 10), (19, 26, 7), (37, 28, 7), (28, 20, 5))):
        sway = 3 * math.sin(t + k * 1.9)
        hh += 4 * math.sin(t * 2 + k)
        out.append(path(f"M{f(x - w)} 50 C{f(x - w)} {f(50 - hh * 0.5)} {f(x + sway - 2)} {f(50 - hh * 0.7)} "
                        f"{f(x + sway)} {f(50 - hh)} C{f(x + sway + 2)} {f(50 - hh * 0.6)} {f(x + w)} "
                        f"{f(50 - hh * 0.45)} {f(x + w)} 50 Z", g, "#b83a10", 1))
    for k in range(3):
        sy = 14 - ((i + k * 2) % n) * 2.4
        out.append(circle(22 + k * 7 + 2 * math.sin(t + k), sy, 1.2, "#ffd060"))
    return "".join(out)


# ------------------------------------------------------------------ static objects

def mushrooms():
    d = Doc(60, 40, "A ring of brown and red mushrooms; they come up again after rain.")
    d.add(contact_shadow(d, 30, 34, 26, 4))
    caps = [(14, 28, 8, "#c8743e"), (28, 22, 10, "#d83a2a"), (44, 28, 8, "#c8743e"),
            (22, 33, 6, "#b86a34"), (38, 34, 6, "#d83a2a")]
    for k, (x, y, r, c) in enumerate(caps):
        stem = d.linear("stem", [(0, "#fff8e8"), (1, "#d8ccb0")], 0, 0, 1, 0)
        d.add(rect(x - r * 0.3, y - 2, r * 0.6, r * 0.9, stem, width=1))
        g = d.radial(f"cap{k}", [(0, "#ffffff" if c == "#d83a2a" else "#f0b070"), (0.5, c), (1, "#5a2a12")],
                     0.4, 0.3, 0.8)
        d.add(path(f"M{f(x - r)} {f(y)} Q{f(x - r)} {f(y - r * 1.1)} {f(x)} {f(y - r * 1.1)} "
                   f"Q{f(x + r)} {f(y - r * 1.1)} {f(x + r)} {f(y)} Z", g, OUTLINE, 1.2))
        if c == "#d83a2a":
            for dx, dy in ((-r * 0.4, -r * 0.6), (r * 0.3, -r * 0.7), (0, -r * 0.3)):
                d.add(circle(x + dx, y + dy, r * 0.13, "#ffffff"))
    d.add(leaf_tufts([(8, 36, 3), (50, 36, 3), (30, 38, 2.5)]))
    d.save(FOLDER, "mushrooms")


def thicket():
    d = Doc(100, 76, "A dense thicket of young trees and brambles: only the forester gets through.")
    d.add(contact_shadow(d, 50, 68, 46, 7))
    for x, h in ((20, 40), (44, 52), (68, 46), (84, 36), (32, 30)):
        d.add(trunk(d, x, 70 - h, 70, 3, 5, ident="thicketStem", roots=False))
    d.add(canopy(d, "thicketBack", [(22, 30, 14), (46, 20, 17), (70, 26, 15), (86, 36, 12)], stops=LEAF_DARK))
    d.add(canopy(d, "thicketFront", [(14, 46, 12), (34, 44, 14), (56, 46, 13), (76, 48, 12), (92, 52, 8)],
                 stops=[(0, "#8ab04a"), (0.5, "#56702a"), (1, "#2e4216")], light="#d8f0a0"))
    thorns = []
    for x, y, a in ((6, 50, 200), (28, 58, 150), (50, 60, 100), (72, 58, 60), (94, 50, 340), (40, 30, 250)):
        r = math.radians(a)
        thorns.append(path(f"M{f(x)} {f(y)} l{f(7 * math.cos(r))} {f(7 * math.sin(r))}", stroke="#6a3a1a", width=1.6))
    d.add("".join(thorns))
    d.add(path("M8 56 C30 40 60 64 94 44", stroke="#5a3818", width=1.6, extra=' opacity="0.8"'))
    d.add(berries([(30, 50), (60, 40), (80, 54)], doc=d, ident="sloe", colour=("#c8b0f0", "#5a3a9a", "#2a1a4a"), r=2.4))
    d.save(FOLDER, "thicket")


def lost_bell():
    d = Doc(40, 44, "A lost festival bell with its red ribbon, half hidden in the grass.")
    d.add(contact_shadow(d, 20, 38, 15, 3.5))
    bronze = d.linear("bell", [(0, "#ffe8a0"), (0.45, "#e0a83a"), (1, "#8a5a10")], 0, 0, 1, 0)
    d.add(path("M8 34 C9 26 11 12 20 10 C29 12 31 26 32 34 Z", bronze, OUTLINE, 1.6))
    d.add(ellipse(20, 34, 12, 3.5, "#c08a2a", OUTLINE, 1.4))
    d.add(circle(22, 36, 2.6, "#6a4a10", OUTLINE, 1))
    d.add(path("M14 16 q2 -3 5 -4", stroke="#ffffff", width=1.6, extra=' opacity="0.7"'))
    d.add(path("M20 10 C14 4 10 6 12 10 C14 12 18 10 20 10 C22 10 26 12 28 10 C30 6 26 4 20 10 Z",
               "#d8263a", OUTLINE, 1.1))
    for x in range(4, 38, 4):
        d.add(path(f"M{x} 40 q1 -6 {(x % 3) - 1} -9", stroke="#4f9a32", width=1.4))
    d.save(FOLDER, "lost_bell")


def raft():
    d = Doc(88, 48, "A log raft with a rope: the ferry.")
    d.add(ellipse(44, 40, 42, 7, "#1e3a5a", extra=' opacity="0.3"'))
    for k in range(6):
        y = 12 + k * 5
        d.add(log(d, 6, y + 2, 78, y, 4.2, ident="raftLog"))
    d.add(path("M10 10 L12 40 M74 8 L76 38", stroke="#5a3a1a", width=2.2))
    d.add(rope([(76, 20), (86, 16)]))
    d.add(crate(d, 30, 26, 12))
    d.save(FOLDER, "raft")


def dock():
    d = Doc(64, 48, "A little wooden jetty on posts.")
    for x in (8, 30, 52):
        d.add(path(f"M{x} 14 v30", stroke=OUTLINE, width=5))
        d.add(path(f"M{x} 14 v30", stroke="#8a5a30", width=3))
    for k in range(6):
        d.add(plank(d, 2 + k * 10, 10, 9, 20, ident="dockPlank"))
    d.add(path("M2 30 h60", stroke="#5a3a1a", width=1.2, extra=' opacity="0.5"'))
    d.save(FOLDER, "dock")


def fog_bank():
    """A bank of morning fog: soft overlapping clouds, fading out at the edges. Drawn at half
    the size the levels show it; it is blurry anyway."""
    w, h = 340, 190
    d = Doc(w, h, "A bank of morning fog hiding part of the land.")
    g = d.radial("fog", [(0, "#f4f6f8", 0.92), (0.55, "#e4e8ee", 0.75), (1, "#dde2ea", 0)], 0.5, 0.5, 0.5)
    blobs = [(70, 70, 70, 50), (150, 60, 90, 55), (250, 70, 80, 55), (110, 120, 90, 55),
             (210, 125, 95, 55), (290, 120, 50, 45), (50, 125, 50, 40), (170, 95, 110, 70)]
    for x, y, rx, ry in blobs:
        d.add(ellipse(x, y, rx, ry, g))
    light = d.radial("fogLight", [(0, "#ffffff", 0.5), (1, "#ffffff", 0)], 0.5, 0.5, 0.5)
    for x, y, r in ((120, 55, 40), (230, 60, 35), (180, 110, 45)):
        d.add(circle(x, y, r, light))
    d.save(FOLDER, "fog_bank")


def wayside_shrine():
    d = Doc(48, 76, "A small wayside shrine with a candle and flowers.")
    d.add(contact_shadow(d, 24, 70, 16, 4))
    d.add(path("M24 72 V40", stroke=OUTLINE, width=6))
    d.add(path("M24 72 V40", stroke="#a06a36", width=4))
    box = d.linear("shrineBox", [(0, "#e8c08a"), (1, "#a8743c")])
    d.add(rect(10, 22, 28, 22, box, width=1.5))
    d.add(rect(15, 26, 18, 14, "#5a3a2a", width=1.2))
    d.add(path("M6 24 L24 8 L42 24 Z", d.linear("shrineRoof", ROOF_RED), OUTLINE, 1.5))
    d.add(rect(22, 32, 4, 7, "#fff8e8", width=0.8))
    d.add(path("M24 32 q-2 -3 0 -5 q2 2 0 5", "#ffc030", "#b83a10", 0.6))
    d.add(flowers([(14, 44), (34, 44), (18, 70), (30, 70)]))
    d.save(FOLDER, "wayside_shrine")


def maypole():
    d = Doc(72, 150, "The maypole of the harvest festival, with its crown and ribbons.")
    d.add(contact_shadow(d, 36, 144, 30, 5))
    pole = d.linear("maypole", [(0, "#fff4e0"), (0.5, "#e0c8a0"), (1, "#a88860")], 0, 0, 1, 0)
    d.add(rect(32, 20, 8, 124, pole, width=1.5))
    for k in range(8):
        d.add(path(f"M32 {28 + k * 14} l8 -6", stroke=("#d8263a", "#2a7ad8")[k % 2], width=2.6))
    d.add(canopy(d, "mayCrown", [(24, 22, 9), (36, 16, 10), (48, 22, 9)]))
    d.add(flowers([(22, 18), (34, 12), (46, 18), (30, 26), (42, 26)]))
    colours = ("#d8263a", "#f5c02a", "#2a7ad8", "#3aa84a")
    for k, c in enumerate(colours):
        x_end = 6 + k * 20
        d.add(path(f"M36 30 Q{f((36 + x_end) / 2)} {70 + k * 4} {f(x_end)} 136", stroke=c, width=2.2))
    d.add(circle(36, 8, 3, "#f5c02a", OUTLINE, 1))
    d.save(FOLDER, "maypole")


def festival_tent():
    d = Doc(132, 110, "A striped festival tent with pennants.")
    d.add(contact_shadow(d, 66, 100, 60, 7))
    stripes = []
    for k in range(7):
        x0 = 12 + k * 16
        c = "#f4f0e6" if k % 2 else "#d8263a"
        stripes.append(poly([(66, 14), (x0, 98), (x0 + 16, 98)], c))
    d.add("".join(stripes))
    d.add(poly([(66, 14), (12, 98), (124, 98)], "none", OUTLINE, 1.8))
    d.add(path("M54 98 L66 62 L78 98 Z", "#5a2a1a", OUTLINE, 1.4))
    d.add(path("M66 14 V4", stroke=OUTLINE, width=2.5))
    d.add(poly([(66, 4), (84, 8), (66, 12)], "#f5c02a", OUTLINE, 1))
    for k in range(6):
        x = 14 + k * 20
        d.add(poly([(x, 98), (x + 10, 98), (x + 5, 106)], ("#f5c02a", "#2a7ad8", "#3aa84a")[k % 3], OUTLINE, 0.8))
    d.save(FOLDER, "festival_tent")


# ------------------------------------------------------------------ buildings and stages

def scaffold():
    d = Doc(200, 180, "Scaffolding round a house being enlarged: poles, planks and new walls.")
    d.add(contact_shadow(d, 100, 168, 94, 11))
    d.add(grass_base(d, 100, 164, 96, 15))
    d.add(stone_wall(d, 22, 96, 156, 68, ident="newWall"))
    d.add(plaster_wall(d, 40, 70, 120, 30, ident="upperWall"))
    d.add(path("M40 70 L100 40 L160 70", "none", "#7a4a22", 4))
    beam = "#c08850"
    for x in (16, 60, 100, 140, 184):
        d.add(path(f"M{x} 168 V30", stroke=OUTLINE, width=5))
        d.add(path(f"M{x} 168 V30", stroke=beam, width=3))
    for y in (62, 100, 136):
        d.add(plank(d, 10, y, 180, 6, ident="scaffoldPlank"))
    d.add(path("M16 62 L60 100 M140 62 L184 100 M60 100 L100 136", stroke="#a06a36", width=2))
    d.add(crate(d, 4, 176, 14))
    d.add(path("M164 176 l6 -26 M180 176 l-6 -26 M166 166 h12 M167 158 h10", stroke="#8a5a30", width=2.2))
    d.touch("peak", [(40, 70), (100, 40), (160, 70)])
    for y in (62, 100, 136):
        d.touch("peak", [(10, y), (190, y)])
    for x in (70, 92, 114):
        d.add(rock(d, "newStone", x, 172, 8, 5, seed=x * 0.05))
    d.save(FOLDER, "scaffold")


def workers_house_big():
    d = Doc(200, 180, "The big workers' house: two storeys, dormers and a second chimney.")
    d.add(contact_shadow(d, 100, 168, 94, 11))
    d.add(grass_base(d, 100, 164, 96, 15))
    d.add(stone_wall(d, 22, 112, 156, 52, ident="bigGround"))
    d.add(plaster_wall(d, 22, 72, 156, 42, ident="bigUpper"))
    d.add(timber(22, 72, 156, 42, [22, 62, 100, 138, 178]))
    d.add(roof(d, "bigRoof", ROOF_RED, 6, 194, 76, 22, 28))
    d.add(chimney(48, 10, 14, 26))
    d.add(chimney(140, 14, 14, 24))
    for x in (66, 120):
        d.add(path(f"M{x} 52 L{x + 7} 42 L{x + 14} 52 Z", "#d04a30", OUTLINE, 1.2))
        d.add(window(x + 2, 52, 10, 10, box=False))
    d.add(door(d, 90, 132, 22, 32))
    for x in (34, 146):
        d.add(window(x, 84, 18, 18))
        d.add(window(x, 128, 18, 18, box=False))
    d.add(window(74, 84, 14, 14))
    d.add(window(112, 84, 14, 14))
    d.add(rect(82, 162, 38, 4, "#b0a494", width=1.2))
    d.add(flowers([(12, 160), (20, 156), (180, 158), (188, 162)]))
    d.save(FOLDER, "workers_house_big")


def forester_lodge():
    d = Doc(168, 152, "The forester's lodge: a log cabin with a mossy roof and a pile of logs.")
    d.add(contact_shadow(d, 84, 140, 78, 10))
    d.add(grass_base(d, 84, 136, 80, 14))
    logs = d.linear("cabinLog", [(0, "#c08850"), (0.5, "#9a6232"), (1, "#6a3e1a")])
    d.add(rect(22, 70, 124, 66, logs))
    for y in range(74, 134, 8):
        d.add(path(f"M22 {y} h124", stroke="#5a3216", width=1.2))
        for x in (22, 146):
            d.add(circle(x, y + 4, 3.6, "#e8c890", OUTLINE, 0.9))
    d.add(roof(d, "mossRoof", [(0, "#9ccc5a"), (0.5, "#5e8a34"), (1, "#2c4e1a")], 8, 160, 74, 24, 26,
               tiles="moss", line="#2c4e1a"))
    d.add(chimney(108, 14, 14, 24))
    d.add(door(d, 74, 104, 20, 32, arch=False))
    d.add(window(36, 86, 16, 16))
    d.add(window(116, 86, 16, 16))
    # Antlers over the door, an axe in a stump, logs and saplings.
    d.add(path("M78 98 q-6 -6 -4 -12 M78 98 q-2 -8 2 -10 M90 98 q6 -6 4 -12 M90 98 q2 -8 -2 -10",
               stroke="#e8dcc0", width=2))
    d.add(ellipse(150, 138, 9, 4, "#e8c890", OUTLINE, 1.2))
    d.add(path("M150 136 l-6 -14", stroke=OUTLINE, width=3))
    d.add(path("M143 120 l-4 4 l6 3 Z", "#8a94a0", OUTLINE, 1))
    for x, y in ((2, 148), (14, 148), (8, 140)):
        d.add(log(d, x, y, x + 20, y - 1, 5, ident="lodgeLog"))
    for x in (40, 132):
        d.add(canopy(d, "sapling", [(x, 128, 6), (x - 3, 124, 4)]))
    d.save(FOLDER, "forester_lodge")


def obelisk_growth():
    d = Doc(64, 180, "The obelisk of growth: a stone needle with a glowing rune of leaves.")
    obelisk_needle(d, ("#e4dfd2", "#bcb6a6", "#7e786a"), ("#f0ffe0", "#8ae04a"))
    d.add(path("M32 96 V66", stroke="#3a8a2a", width=2.4))
    d.add(path("M32 84 C24 82 20 76 20 68 C28 70 31 76 32 84 Z M32 76 C40 74 44 68 44 60 C36 62 33 68 32 76 Z",
               "#6ad04a", "#2a6a1a", 1.2))
    d.add(path("M24 104 h16 M27 110 h10", stroke="#6ad04a", width=2.2))
    d.add(path("M32 8 L36 14 L32 18 L28 14 Z", "#9ae06a", OUTLINE, 1))
    d.add(canopy(d, "ivy", [(16, 150, 5), (20, 142, 4), (46, 152, 4.5)], stops=LEAF_DARK))
    d.touch("peak", [(22, 22), (32, 8), (42, 22)])
    d.touch("base", 32, 170, 30, 5)
    d.save(FOLDER, "obelisk_growth")


def main():
    sheet("gate_old", "The old gate swinging open (8 frames, closed to open).", 4, 2, 112, 96,
          lambda d, i, n: gate_frame(d, i, n))
    sheet("gate_old_a", "The old gate while it is forced: ropes and a crowbar (8 frames).", 4, 2, 112, 96,
          lambda d, i, n: gate_frame(d, i, n, worked=True))
    sheet("festival_gate", "The festival gate opening (8 frames, closed to open).", 4, 2, 128, 112,
          festival_gate_frame)
    sheet("drawbridge", "A drawbridge lowering over a stream (8 frames, raised to lowered).", 4, 2, 128, 80,
          lambda d, i, n: drawbridge_frame(d, i, n))
    sheet("drawbridge_a", "The drawbridge while its chains are mended (8 frames).", 4, 2, 128, 80,
          lambda d, i, n: drawbridge_frame(d, i, n, worked=True))
    sheet("ferry_winch", "The ferry winch turning as it hauls the raft over (8 frames).", 4, 2, 64, 72,
          lambda d, i, n: ferry_winch_frame(d, i, n))
    sheet("ferry_winch_a", "The ferry winch while it is mended (8 frames).", 4, 2, 64, 72,
          lambda d, i, n: ferry_winch_frame(d, i, n, worked=True))
    sheet("beehive", "A beehive with its bees flying round.", 3, 2, 48, 56,
          lambda d, i, n: beehive_frame(d, i, n))
    sheet("beehive_a", "A beehive smoked for its honey.", 3, 2, 48, 56,
          lambda d, i, n: beehive_frame(d, i, n, smoked=True))
    sheet("beacon_fire", "A lit beacon burning on its cairn.", 3, 2, 56, 80, beacon_fire_frame)
    beacon_cold()
    mushrooms()
    thicket()
    lost_bell()
    raft()
    dock()
    fog_bank()
    wayside_shrine()
    maypole()
    festival_tent()
    scaffold()
    workers_house_big()
    forester_lodge()
    obelisk_growth()


if __name__ == "__main__":
    main()
