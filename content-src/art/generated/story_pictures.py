#!/usr/bin/env python3
"""Writes the pictures of the level messages that tell episode 1's story
(atlases/dialogs/msg_EE_LL.svg, 260 x 150): the morning clearing of level 1, the river
crossing of level 5 and the festival of level 10.
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


if __name__ == "__main__":
    clearing()
    river()
    festival()
