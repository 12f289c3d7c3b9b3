#!/usr/bin/env python3
"""Writes the pictures of the level messages that tell episode 1's story
(atlases/dialogs/msg_EE_LL.svg, 260 x 150): the morning clearing of level 1, the river
crossing of level 5 and the festival of level 10; and the first level of each later
episode: the coast, the autumn wood, the snowy north and the red desert.
    python3 content-src/art/generated/story_pictures.py
"""
from artlib import OUTLINE, Doc, canopy, circle, ellipse, f, path, poly, rock, trunk

FOLDER = "atlases/dialogs"
W, H = 260, 150


def frame(d, sky, ground):
    d.add(f'<rect x="2" y="2" width="{W - 4}" height="{H - 4}" rx="10" fill="{d.linear("sky", sky)}"/>')
    d.add(path(f"M2 {H * 0.62} Q{W * 0.3} {H * 0.5} {W * 0.55} {H * 0.6} T{W - 2} {H * 0.56} "
               f"L{W - 2} {H - 12} Q{W - 2} {H - 2} {W - 12} {H - 2} L12 {H - 2} Q2 {H - 2} 2 {H - 12} Z",
               d.linear("ground", ground)))


def border(d):
    d.add(f'<rect x="2" y="2" width="{W - 4}" height="{H - 4}" rx="10" fill="none" '
          f'stroke="{OUTLINE}" stroke-width="3"/>')


def tree(d, x, y, s, ident):
    d.add(trunk(d, x, y - 30 * s, y, 5 * s, 7 * s, ident=ident + "t", roots=False))
    d.add(canopy(d, ident, [(x, y - 42 * s, 20 * s), (x - 13 * s, y - 32 * s, 14 * s),
                            (x + 13 * s, y - 32 * s, 14 * s)]))


def hut(d, x, y, ident):
    d.add(poly([(x - 22, y), (x - 22, y - 22), (x + 22, y - 22), (x + 22, y)],
               d.linear(ident + "w", [(0, "#f0d6a8"), (1, "#c49a62")]), OUTLINE, 2))
    d.add(poly([(x - 28, y - 20), (x, y - 42), (x + 28, y - 20)],
               d.linear(ident + "r", [(0, "#e0704a"), (1, "#9a3a22")]), OUTLINE, 2))
    d.add(f'<rect x="{f(x - 6)}" y="{f(y - 14)}" width="12" height="14" fill="#6a4020" '
          f'stroke="{OUTLINE}" stroke-width="1.5"/>')


def clearing():
    d = Doc(W, H, "Story: the morning clearing (written by generated/story_pictures.py)")
    frame(d, [(0, "#ffd9a0"), (1, "#fff4dc")], [(0, "#9ccf62"), (1, "#4f8a2c")])
    d.add(circle(200, 48, 18, d.radial("sun", [(0, "#fffbe0"), (1, "#ffc23a")]), OUTLINE, 1.5))
    for i, (x, y, s) in enumerate([(34, 118, 1.1), (70, 104, 0.8), (226, 126, 1.2)]):
        tree(d, x, y, s, f"tr{i}")
    d.add(rock(d, "rk", 150, 120, 16, 10))
    d.add(path("M96 128 L128 112", stroke="#8a5a2a", width=7) + path("M96 128 L128 112", stroke="#c4925a", width=4))
    border(d)
    d.save(FOLDER, "msg_01_01")


def river():
    d = Doc(W, H, "Story: the river crossing (written by generated/story_pictures.py)")
    frame(d, [(0, "#a8d8ff"), (1, "#eaf6ff")], [(0, "#9ccf62"), (1, "#4f8a2c")])
    d.add(path(f"M60 {H - 2} C90 110 150 100 170 84 S230 70 {W - 2} 72 L{W - 2} 96 "
               f"C220 100 190 112 160 124 S110 140 100 {H - 2} Z",
               d.linear("water", [(0, "#6ec0f0"), (1, "#2a78b8")]), OUTLINE, 2))
    for x in (120, 136, 152):
        d.add(f'<rect x="{x}" y="100" width="14" height="28" rx="3" fill="#c4925a" '
              f'stroke="{OUTLINE}" stroke-width="1.5" transform="rotate(-30 {x + 7} 114)"/>')
    tree(d, 40, 112, 1.0, "rt0")
    hut(d, 220, 120, "h")
    border(d)
    d.save(FOLDER, "msg_01_05")


def festival():
    d = Doc(W, H, "Story: the festival (written by generated/story_pictures.py)")
    frame(d, [(0, "#2a2a6a"), (1, "#a86a9a")], [(0, "#6a9a4a"), (1, "#2f5a1c")])
    for i, (x, y) in enumerate([(40, 30), (90, 22), (150, 36), (210, 26), (240, 50)]):
        d.add(circle(x, y, 2.2, "#fff4b0"))
    d.add(path("M20 70 Q130 40 240 70", stroke="#4a2a12", width=1.5))
    for i, x in enumerate(range(36, 236, 25)):
        colour = ["#ff5a4a", "#ffd23a", "#5ad0ff", "#8aff6a"][i % 4]
        y = 70 - 28 * (1 - ((x - 130) / 110) ** 2)
        d.add(poly([(x - 6, y), (x + 6, y), (x, y + 12)], colour, OUTLINE, 1))
    hut(d, 70, 122, "fa")
    hut(d, 196, 124, "fb")
    d.add(ellipse(132, 124, 16, 5, "#5a3a1a", OUTLINE, 1.5))
    d.add(path("M122 122 Q126 96 132 108 Q136 90 142 122 Z",
               d.linear("fire", [(0, "#fff4a0"), (1, "#ff6a1a")]), OUTLINE, 1.5))
    border(d)
    d.save(FOLDER, "msg_01_10")


def coast():
    d = Doc(W, H, "Story: the coast beyond the mountains (written by generated/story_pictures.py)")
    frame(d, [(0, "#8ad0ff"), (1, "#eaf8ff")], [(0, "#f0e2a8"), (1, "#c8b070")])
    d.add(path(f"M2 70 Q130 64 {W - 2} 74 L{W - 2} 96 Q160 88 90 96 T2 92 Z",
               d.linear("sea", [(0, "#5ab0e8"), (1, "#2a78b8")]), OUTLINE, 1.5))
    d.add(path("M150 66 L170 48 L176 66 Z", "#ffffff", OUTLINE, 1.2))
    d.add(path("M146 68 H182 L176 74 H152 Z", "#a86a3a", OUTLINE, 1.2))
    hut(d, 70, 126, "ch")
    d.add(circle(216, 36, 15, d.radial("sun", [(0, "#fffbe0"), (1, "#ffc23a")]), OUTLINE, 1.5))
    border(d)
    d.save(FOLDER, "msg_02_01")


def autumn_wood():
    d = Doc(W, H, "Story: the autumn wood (written by generated/story_pictures.py)")
    frame(d, [(0, "#ffc890"), (1, "#fff0d8")], [(0, "#c8a04a"), (1, "#7a5a22")])
    warm = [(0, "#ffd060"), (0.45, "#e08a2a"), (1, "#9a3a12")]
    for i, (x, y, s) in enumerate([(30, 120, 1.1), (80, 110, 0.9), (190, 118, 1.0), (236, 128, 1.2)]):
        d.add(trunk(d, x, y - 30 * s, y, 5 * s, 7 * s, ident=f"aw{i}t", roots=False))
        d.add(canopy(d, f"aw{i}", [(x, y - 42 * s, 20 * s), (x - 13 * s, y - 32 * s, 14 * s),
                                   (x + 13 * s, y - 32 * s, 14 * s)], stops=warm, light="#fff0b0"))
    for k in range(7):
        x = 112 + k * 9
        d.add(path(f"M{x} 130 q4 -22 10 -30", stroke="#5a3a1a", width=2))
    border(d)
    d.save(FOLDER, "msg_03_01")


def snowy_north():
    d = Doc(W, H, "Story: the snowy north (written by generated/story_pictures.py)")
    frame(d, [(0, "#b8d0f0"), (1, "#f4f8ff")], [(0, "#ffffff"), (1, "#c8d8ea")])
    for x, y in ((60, 84), (120, 70), (190, 86)):
        d.add(poly([(x - 46, y + 10), (x, y - 40), (x + 46, y + 10)], "#9aaac0", OUTLINE, 1.5))
        d.add(poly([(x - 14, y - 26), (x, y - 40), (x + 14, y - 26)], "#ffffff", OUTLINE, 1))
    for x, s in ((36, 1.0), (226, 1.1)):
        d.add(poly([(x - 16 * s, 128), (x, 86), (x + 16 * s, 128)], "#2e6a4a", OUTLINE, 1.5))
    hut(d, 140, 130, "sn")
    d.add(path("M112 92 Q140 80 168 92", stroke="#ffffff", width=5))
    for k in range(14):
        d.add(circle(14 + k * 17, 20 + (k * 37) % 60, 1.8, "#ffffff"))
    border(d)
    d.save(FOLDER, "msg_04_01")


def red_desert():
    d = Doc(W, H, "Story: the red desert (written by generated/story_pictures.py)")
    frame(d, [(0, "#ffb870"), (1, "#fff0c8")], [(0, "#e8a860"), (1, "#b0683a")])
    d.add(path("M150 92 L166 62 H222 L238 92 Z", "#c0683a", OUTLINE, 1.8))
    d.add(path("M20 96 L34 74 H70 L82 96 Z", "#d07a48", OUTLINE, 1.5))
    glow = d.radial("beacon", [(0, "#fff4a0", 1), (1, "#ff8a1a", 0)], 0.5, 0.5, 0.5)
    d.add(circle(120, 96, 26, glow))
    d.add(path("M110 124 L116 100 H124 L130 124 Z", "#8a6a4a", OUTLINE, 1.5))
    d.add(path("M112 100 Q116 80 120 90 Q124 74 128 100 Z",
               d.linear("flame", [(0, "#fff4a0"), (1, "#ff6a1a")]), OUTLINE, 1.2))
    border(d)
    d.save(FOLDER, "msg_05_01")


if __name__ == "__main__":
    clearing()
    river()
    festival()
    coast()
    autumn_wood()
    snowy_north()
    red_desert()
