#!/usr/bin/env python3
"""Writes the episode map: three 1280×768 panels of one painted land, side by side
(wide/map_panel_0N.svg), and the map's markers (world/*.svg): the level pin, the
story book, the trophy, the puzzle piece, the wonder of episode 1 and the road piece that
joins the first levels.
    python3 content-src/art/generated/episode_map.py
"""
import math
import random

from artlib import OUTLINE, Doc, canopy, circle, contact_shadow, ellipse, f, path, poly, rock, trunk

W, H = 1280, 768
PANELS = 3


def world():
    """The whole land, 3840×768, in map coordinates (x from 0, y down)."""
    rng = random.Random(7)
    d = Doc(W, H, "")  # only used to collect defs and parts
    g = d.linear("land", [(0, "#9ccf62"), (1, "#76b24a")])
    d.add(f'<rect x="0" y="0" width="{W * PANELS}" height="{H}" fill="{g}"/>')
    light = d.radial("mapLight", [(0, "#c8ea88", 0.6), (1, "#c8ea88", 0)], 0.5, 0.5, 0.5)
    dark = d.radial("mapDark", [(0, "#4f8f30", 0.45), (1, "#4f8f30", 0)], 0.5, 0.5, 0.5)
    for k in range(70):
        d.add(ellipse(rng.uniform(0, W * PANELS), rng.uniform(0, H), rng.uniform(120, 260),
                      rng.uniform(60, 140), light if k % 2 else dark))
    # Sea along the top of the first panel, a lake in the second.
    sea = d.linear("sea", [(0, "#3a86c0"), (1, "#7cc4e8")])
    d.add(path("M0 0 L900 0 C820 40 700 70 560 60 C420 50 300 100 160 90 C90 86 40 110 0 120 Z",
               sea, "#e8d8a0", 6))
    d.add(path("M1700 300 C1760 240 1900 240 1960 300 C2020 360 1960 430 1860 430 C1760 430 1650 360 1700 300 Z",
               sea, "#e8d8a0", 6))
    # River from the lake down to the bottom edge.
    d.add(path("M1860 430 C1840 520 1960 560 1920 640 S1860 740 1900 768", stroke="#e8d8a0", width=30))
    d.add(path("M1860 430 C1840 520 1960 560 1920 640 S1860 740 1900 768", stroke="#4a9ac8", width=20))
    # The road from the last level of episode 1 over the pass below the mountains, on to the
    # lands of the later episodes (episode_map_east.py paints them and keeps the road's end).
    from episode_map_east import PASS_ROAD, smooth
    pass_road = smooth([(x + W * PANELS / 2, H / 2 - y) for x, y in PASS_ROAD])
    d.add(path(pass_road, stroke="#a07a48", width=24, extra=' opacity="0.6"'))
    d.add(path(pass_road, stroke="#d9b883", width=17))
    d.add(path(pass_road, stroke="#8a6a40", width=3, extra=' stroke-dasharray="2 14" opacity="0.8"'))
    # Mountains in the third panel.
    for k in range(9):
        x = 2700 + k * 120 + rng.uniform(-30, 30)
        y = 200 + (k % 3) * 90 + rng.uniform(-20, 20)
        s = rng.uniform(0.8, 1.3)
        d.add(poly([(x - 90 * s, y + 60 * s), (x, y - 70 * s), (x + 90 * s, y + 60 * s)],
                   d.linear("mount", [(0, "#c8c0b0"), (1, "#8a8070")], 0, 0, 1, 0), OUTLINE, 2))
        d.add(poly([(x - 26 * s, y - 40 * s), (x, y - 70 * s), (x + 26 * s, y - 40 * s), (x + 10 * s, y - 34 * s),
                    (x - 4 * s, y - 44 * s), (x - 14 * s, y - 34 * s)], "#ffffff", OUTLINE, 1.2))
    # Forests: clusters of round trees.
    clusters = [(300, 620, 9), (1050, 160, 8), (1500, 620, 10), (2580, 180, 9), (2450, 600, 8),
                (3500, 640, 9), (3650, 200, 6), (120, 300, 6)]
    for cx, cy, n in clusters:
        for k in range(n):
            x, y = cx + rng.uniform(-110, 110), cy + rng.uniform(-60, 60)
            s = rng.uniform(0.5, 0.8)
            d.add(ellipse(x + 8 * s, y + 3 * s, 26 * s, 8 * s, "#1e3a10", extra=' opacity="0.25"'))
            d.add(trunk(d, x, y - 22 * s, y, 6 * s, 9 * s, roots=False))
            d.add(canopy(d, f"mapTree{cx}_{k}", [(x - 12 * s, y - 34 * s, 16 * s), (x + 12 * s, y - 34 * s, 16 * s),
                                                  (x, y - 48 * s, 19 * s)], width=1.6))
    # Villages: clusters of little houses.
    for vx, vy in ((200, 450), (2100, 520), (3150, 560)):
        for k in range(4):
            x, y = vx + (k % 2) * 44 - 20, vy + (k // 2) * 30
            d.add(f'<rect x="{f(x - 14)}" y="{f(y - 14)}" width="28" height="16" fill="#f4e3c1" stroke="{OUTLINE}" stroke-width="1.6"/>')
            d.add(poly([(x - 18, y - 12), (x, y - 28), (x + 18, y - 12)], "#c9452c", OUTLINE, 1.6))
    return d


def panels():
    d = world()
    for i in range(PANELS):
        p = Doc(W, H, f"Episode map, panel {i + 1} of {PANELS}: one painted land across the panels.")
        p.defs = d.defs
        p.add(f'<g transform="translate({-i * W} 0)">' + "".join(d.body) + "</g>")
        p.save("wide", f"map_panel_{i + 1:02d}")


FOLDER = "world"


# The level markers: one sign on a post, its board coloured and marked by the level's state.
LEVEL_SIGNS = {
    "level_unfinished": ("A level on the map that is not finished yet: a wooden sign on a post.",
                         ("#ffe070", "#f5c02a", "#c88a10"), "clock"),
    "level_current": ("The next level to play: a green sign with a play arrow.",
                      ("#b8f08a", "#5cc03a", "#2e8a1a"), "play"),
    "level_bronze": ("A level finished with one star: a bronze sign.",
                     ("#f0c090", "#c8783a", "#8a4a1a"), 1),
    "level_silver": ("A level finished with two stars: a silver sign.",
                     ("#ffffff", "#c8d0d8", "#8a949e"), 2),
    "level_gold": ("A level finished with three stars: a golden sign.",
                   ("#fff6a0", "#ffc830", "#c88a10"), 3),
    "level_relax": ("A level finished at ease, without stars: a blue sign with a tick.",
                    ("#c0e8ff", "#6ab8e8", "#2a78b0"), "tick"),
    "level_bonus": ("The bonus level of an episode: a purple sign with a star.",
                    ("#e8c0ff", "#a060d8", "#6a2a9a"), "star"),
}


def star(cx, cy, r):
    pts = []
    for k in range(10):
        a = -math.pi / 2 + k * math.pi / 5
        rr = r if k % 2 == 0 else r * 0.45
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return pts


def level_sign(name):
    note, colours, mark = LEVEL_SIGNS[name]
    d = Doc(68, 88, note)
    d.add(contact_shadow(d, 34, 82, 18, 5))
    d.add(path("M34 84 V40", stroke=OUTLINE, width=6))
    d.add(path("M34 84 V40", stroke="#a06a36", width=4))
    board = d.linear(name + "Board", [(0, colours[0]), (0.5, colours[1]), (1, colours[2])])
    d.add(path("M8 12 Q34 2 60 12 L56 46 Q34 54 12 46 Z", board, OUTLINE, 2))
    d.add(path("M16 16 Q34 9 52 16", stroke="#ffffff", width=2, extra=' opacity="0.6"'))
    if mark == "clock":
        d.add(circle(34, 30, 11, "#fff6d8", OUTLINE, 1.6))
        d.add(path("M34 23 V30 L39 33", stroke=OUTLINE, width=2.2))
    elif mark == "play":
        d.add(circle(34, 30, 12, "#fff6d8", OUTLINE, 1.6))
        d.add(poly([(30, 23), (42, 30), (30, 37)], "#2e8a1a", OUTLINE, 1.4))
    elif mark == "tick":
        d.add(circle(34, 30, 12, "#fff6d8", OUTLINE, 1.6))
        d.add(path("M27 30 L32 36 L42 24", stroke="#2a78b0", width=3.4))
    elif mark == "star":
        d.add(poly(star(34, 30, 13), "#fff3a0", OUTLINE, 1.4))
    else:
        xs = {1: (34,), 2: (25, 43), 3: (19, 34, 49)}[mark]
        for x in xs:
            d.add(poly(star(x, 30 if len(xs) < 3 or x == 34 else 33, 9), "#fff3a0", OUTLINE, 1.2))
    d.save(FOLDER, name)


def level_pin():
    for name in LEVEL_SIGNS:
        level_sign(name)


def map_comic():
    d = Doc(80, 80, "A story to read: an open book.")
    d.add(contact_shadow(d, 40, 70, 30, 6))
    page = d.linear("page", [(0, "#fffaf0"), (1, "#e8dcc0")])
    cover = d.linear("cover", [(0, "#d05a3a"), (1, "#8e2a1a")])
    d.add(path("M6 22 Q40 14 40 24 Q40 14 74 22 L74 64 Q40 58 40 66 Q40 58 6 64 Z", cover, OUTLINE, 2))
    d.add(path("M10 20 Q30 14 40 22 L40 60 Q30 54 10 58 Z", page, OUTLINE, 1.6))
    d.add(path("M70 20 Q50 14 40 22 L40 60 Q50 54 70 58 Z", page, OUTLINE, 1.6))
    for y in (28, 34, 40, 46):
        d.add(path(f"M15 {y} Q27 {y - 4} 36 {y}", stroke="#b8a888", width=1.4))
        d.add(path(f"M44 {y} Q53 {y - 4} 65 {y}", stroke="#b8a888", width=1.4))
    d.add(poly([(56, 14), (62, 14), (62, 30), (59, 27), (56, 30)], "#3a8a2a", OUTLINE, 1.2))
    d.save(FOLDER, "map_comic")


def map_trophy():
    d = Doc(60, 72, "A trophy to win: a golden cup.")
    d.add(contact_shadow(d, 30, 68, 18, 4))
    gold = d.linear("cup", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")], 0, 0, 1, 0)
    d.add(path("M14 12 Q6 12 6 22 Q6 32 18 34 M46 12 Q54 12 54 22 Q54 32 42 34", stroke=OUTLINE, width=5))
    d.add(path("M14 12 Q6 12 6 22 Q6 32 18 34 M46 12 Q54 12 54 22 Q54 32 42 34", stroke="#f5c02a", width=3))
    d.add(path("M12 8 L48 8 Q48 38 30 42 Q12 38 12 8 Z", gold, OUTLINE, 2))
    d.add(path("M26 42 L34 42 L36 54 L24 54 Z", gold, OUTLINE, 1.6))
    d.add(f'<rect x="16" y="54" width="28" height="10" rx="2" fill="#8a5428" stroke="{OUTLINE}" stroke-width="1.8"/>')
    d.add(path("M18 12 Q18 28 26 34", stroke="#ffffff", width=2.4, extra=' opacity="0.6"'))
    d.save(FOLDER, "map_trophy")


def map_puzzle():
    d = Doc(68, 68, "A puzzle to solve: a jigsaw piece.")
    d.add(contact_shadow(d, 34, 62, 22, 5))
    g = d.linear("piece", [(0, "#8ad8ff"), (1, "#2a88c8")])
    d.add(path("M12 16 H26 C24 10 26 6 31 6 C36 6 38 10 36 16 H52 V30 C58 28 62 30 62 35 C62 40 58 42 52 40 "
               "V56 H36 C38 50 36 46 31 46 C26 46 24 50 26 56 H12 Z", g, OUTLINE, 2))
    d.add(path("M16 22 Q18 19 22 19", stroke="#ffffff", width=2.2, extra=' opacity="0.7"'))
    d.save(FOLDER, "map_puzzle")


def wonder(stage=10):
    """Stage 1..10 of the lighthouse: the tower rises with every stage under its scaffold,
    the lamp and the flame come with the last."""
    note = ("The wonder of episode 1: a tall lighthouse of white stone with a golden flame."
            if stage >= 10 else f"The wonder of episode 1 being built: stage {stage} of 10.")
    d = Doc(180, 220, note)
    d.add(contact_shadow(d, 90, 206, 70, 12))
    base = d.linear("wonderBase", [(0, "#e8e2d4"), (1, "#a8a292")])
    d.add(poly([(20, 208), (160, 208), (148, 180), (32, 180)], base, OUTLINE, 2))
    top = 180 - 116 * stage / 10 if stage < 10 else 64
    d.add(f'<clipPath id="built"><rect x="0" y="{top:.1f}" width="180" height="220"/></clipPath>')
    d.add('<g clip-path="url(#built)">')
    tower = d.linear("wonderTower", [(0, "#ffffff"), (0.5, "#e8e2d4"), (1, "#b0aa9a")], 0, 0, 1, 0)
    d.add(poly([(52, 180), (128, 180), (112, 64), (68, 64)], tower, OUTLINE, 2))
    for y, c in ((150, "#d05a3a"), (110, "#d05a3a")):
        t = (180 - y) / 116
        x0, x1 = 52 + 16 * t, 128 - 16 * t
        d.add(poly([(x0, y), (x1, y), (x1 - 3, y - 14), (x0 + 3, y - 14)], c, OUTLINE, 1.5))
    d.add(f'<rect x="80" y="160" width="20" height="20" rx="8" fill="#8a5428" stroke="{OUTLINE}" stroke-width="1.6"/>')
    d.add('</g>')
    if stage < 10:
        # The scaffold around the part still to build.
        for x in (48, 132):
            d.add(path(f"M{x} 182 V{max(top - 24, 40):.1f}", stroke="#8a5a2a", width=4))
        y = 176.0
        while y > top - 20:
            d.add(path(f"M46 {y:.1f} H134", stroke="#8a5a2a", width=3))
            y -= 22
        d.save(FOLDER, f"wonder_01_{stage:02d}")
        return
    d.add(f'<rect x="60" y="48" width="60" height="16" fill="#8a9ab0" stroke="{OUTLINE}" stroke-width="2"/>')
    glow = d.radial("flameGlow", [(0, "#fff6a0", 1), (0.5, "#ffc030", 0.6), (1, "#ffc030", 0)], 0.5, 0.5, 0.5)
    d.add(circle(90, 34, 32, glow))
    d.add(path("M78 48 C74 34 86 28 90 12 C96 26 106 34 102 48 Z",
               d.linear("wonderFlame", [(0, "#fff6a0"), (1, "#f08a20")]), "#b83a10", 1.5))
    d.add(path("M56 48 L90 30 L124 48", stroke=OUTLINE, width=3))
    d.save(FOLDER, "wonder_01_10")


def map_road():
    d = Doc(520, 180, "The road that joins the first levels on the map.")
    curve = "M60 150 C120 150 170 40 240 40 S380 170 430 170 S490 150 510 140"
    d.add(path(curve, stroke="#a07a48", width=26, extra=' opacity="0.6"'))
    d.add(path(curve, stroke="#d9b883", width=19))
    d.add(path(curve, stroke="#8a6a40", width=3, extra=' stroke-dasharray="2 14" opacity="0.8"'))
    d.save(FOLDER, "map_road")


def main():
    panels()
    level_pin()
    map_comic()
    map_trophy()
    map_puzzle()
    for stage in range(1, 11):
        wonder(stage)
    map_road()


if __name__ == "__main__":
    main()
