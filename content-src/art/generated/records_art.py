"""The record tables' and the credits' pictures.

Run after a change:   python3 content-src/art/generated/records_art.py

Writes
  atlases/records/rat_arrow_left.svg, rat_arrow_right.svg   round arrow buttons (normal,
                                        highlight, pressed, disabled in a 2 x 2 grid)
  atlases/records/rat_tab.svg           a tab button in the same four states
  atlases/records/rat_laurel.svg        the laurel over the record table
  atlases/records/credits_crest.svg     the crest the credits open with
  atlases/records/credits_heart.svg     the heart of the thanks to the players
  wide/credits_back.svg                 the evening sky the credits scroll over
"""
import math
import os
import random

from artlib import ART, OUTLINE, Doc, circle, ellipse, f, path, poly
from gui_atlas import BUTTON_FRAMES, vgrad

GOLD = [(0, "#fff2a0"), (0.5, "#f2c23a"), (1, "#b07a10")]
LEAVES = [(0, "#b8e88a"), (0.5, "#6ab04a"), (1, "#2f6e22")]


def save(name, w, h, title, defs, body, folder="atlases/records"):
    text = (f'<?xml version="1.0" encoding="UTF-8"?>\n<!-- {title} (written by '
            f'generated/records_art.py) -->\n<svg xmlns="http://www.w3.org/2000/svg" '
            f'width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n<defs>\n{defs}\n</defs>\n'
            f'{body}\n</svg>\n')
    target = os.path.join(ART, folder, name + ".svg")
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "w", encoding="utf-8") as out:
        out.write(text)


def arrow_button(name, size, direction):
    """A round button with an arrow pointing left (-1) or right (1)."""
    defs, body = [], []
    r = size / 2 - 4
    for k, (top, bottom, rim, dy) in enumerate(BUTTON_FRAMES):
        cx, cy = (k % 2) * size + size / 2, (k // 2) * size + size / 2
        gid = f"disc{k}"
        defs.append(vgrad(gid, top, bottom))
        body.append(f'<circle cx="{f(cx)}" cy="{f(cy + 2)}" r="{f(r)}" fill="#3a1e08" opacity="0.35"/>')
        body.append(f'<circle cx="{f(cx)}" cy="{f(cy + dy - 1)}" r="{f(r)}" fill="url(#{gid})" '
                    f'stroke="{OUTLINE}" stroke-width="2.5"/>')
        s = r * 0.5
        pts = [(cx - direction * s * 0.7, cy + dy - 1 - s), (cx + direction * s, cy + dy - 1),
               (cx - direction * s * 0.7, cy + dy - 1 + s)]
        arrow_fill = "#fff6dc" if k != 3 else "#ece8e0"
        body.append(poly(pts, arrow_fill, OUTLINE, 2.5))
    save(name, size * 2, size * 2, f"Arrow button ({'left' if direction < 0 else 'right'}): "
         "normal, highlight, pressed, disabled", "\n".join(defs), "\n".join(body))


# The tab's faces: the disabled frame is the current tab, drawn as the brightest, lifted.
TAB_FRAMES = [
    ("#e6c58e", "#b98a4a", 3),   # normal: a tab behind
    ("#f4d8a4", "#cc9a56", 3),   # highlight
    ("#c7822f", "#e6a44c", 5),   # pressed
    ("#fff6e0", "#f1dcb4", 0),   # disabled: the current tab, in front
]


def tab(name, fw, fh):
    defs, body = [], []
    rr = 14
    for k, (top, bottom, dy) in enumerate(TAB_FRAMES):
        ox, oy = (k % 2) * fw, (k // 2) * fh
        gid = f"tab{k}"
        defs.append(vgrad(gid, top, bottom))
        x0, x1, y0, y1 = ox + 3, ox + fw - 3, oy + 2 + dy, oy + fh - 2
        d = (f"M{f(x0)} {f(y1)} V{f(y0 + rr)} Q{f(x0)} {f(y0)} {f(x0 + rr)} {f(y0)} "
             f"H{f(x1 - rr)} Q{f(x1)} {f(y0)} {f(x1)} {f(y0 + rr)} V{f(y1)}")
        body.append(path(d + " Z", f"url(#{gid})", OUTLINE, 2.5))
        body.append(path(f"M{f(x0 + rr)} {f(y0 + 3)} H{f(x1 - rr)}", stroke="#fffaf0", width=2,
                         extra=' opacity="0.7"'))
    save(name, fw * 2, fh * 2, "Tab: behind, highlight, pressed, and the current tab in front",
         "\n".join(defs), "\n".join(body))


def laurel():
    """Two laurel branches bowing round a golden star."""
    doc = Doc(220, 90, "Laurel over the record table")
    g = doc.linear("leaf", LEAVES, 0, 0, 1, 1)
    star = doc.radial("star", GOLD, 0.45, 0.4, 0.6)
    for side in (-1, 1):
        stem = []
        for i in range(8):
            t = i / 7
            a = math.pi * (0.95 - 0.6 * t)
            x = 110 + side * math.cos(a) * 92 * -1
            y = 84 - math.sin(a) * 70
            stem.append((x, y))
        doc.add(path("M" + " L".join(f"{f(x)} {f(y)}" for x, y in stem), stroke=OUTLINE, width=2.4))
        for i, (x, y) in enumerate(stem[:-1]):
            for tilt in (-1, 1):
                ang = math.atan2(stem[i + 1][1] - y, stem[i + 1][0] - x) + tilt * 0.9
                lx, ly = x + math.cos(ang) * 12, y + math.sin(ang) * 12
                deg = math.degrees(ang)
                doc.add(ellipse(0, 0, 9, 4.2, g, OUTLINE, 1.1,
                                extra=f' transform="translate({f(lx)} {f(ly)}) rotate({f(deg)})"'))
    pts = []
    for i in range(10):
        r = 26 if i % 2 == 0 else 11
        a = -math.pi / 2 + i * math.pi / 5
        pts.append((110 + math.cos(a) * r, 44 + math.sin(a) * r))
    doc.add(poly(pts, star, OUTLINE, 2))
    doc.save("atlases/records", "rat_laurel")


def crest():
    """A shield with a small castle and a golden sun: the game's crest."""
    doc = Doc(200, 220, "Crest at the start of the credits")
    shield = doc.linear("shield", [(0, "#7fb2ec"), (0.6, "#3d6fb8"), (1, "#22427a")], 0, 0, 1, 1)
    rim = doc.linear("rim", GOLD, 0, 0, 1, 1)
    d = "M100 8 C140 20 170 18 190 14 C192 90 178 160 100 212 C22 160 8 90 10 14 C30 18 60 20 100 8 Z"
    doc.add(path(d, rim, OUTLINE, 2.5))
    d2 = "M100 22 C134 32 160 31 176 28 C176 92 164 150 100 196 C36 150 24 92 24 28 C40 31 66 32 100 22 Z"
    doc.add(path(d2, shield, OUTLINE, 1.8))
    stone = doc.linear("stone", [(0, "#fff8e8"), (1, "#c9b890")], 0, 0, 1, 1)
    towers = [(56, 96, 26, 70), (118, 96, 26, 70), (84, 76, 32, 90)]
    for x, y, w, h in towers:
        doc.add(path(f"M{x} {y} h{w} v{h} h{-w} Z", stone, OUTLINE, 1.6))
        for m in range(3):
            mx = x + m * (w / 3) + 1
            doc.add(path(f"M{f(mx)} {f(y)} v-7 h{f(w / 3 - 3)} v7", stone, OUTLINE, 1.4))
    doc.add(path("M92 166 v-22 a8 8 0 0 1 16 0 v22 Z", "#5e3414", OUTLINE, 1.4))
    sun = doc.radial("sun", GOLD, 0.45, 0.4, 0.6)
    doc.add(circle(100, 52, 13, sun, OUTLINE, 1.6))
    for i in range(12):
        a = i * math.pi / 6
        doc.add(path(f"M{f(100 + math.cos(a) * 16)} {f(52 + math.sin(a) * 16)} "
                     f"L{f(100 + math.cos(a) * 22)} {f(52 + math.sin(a) * 22)}",
                     stroke="#f2c23a", width=2.4))
    doc.save("atlases/records", "credits_crest")


def heart():
    doc = Doc(96, 88, "Heart of the thanks to the players")
    g = doc.radial("heart", [(0, "#ffb0b8"), (0.5, "#e8485a"), (1, "#9a1426")], 0.35, 0.3, 0.8)
    d = "M48 84 C20 62 4 46 4 28 C4 14 15 4 28 4 C38 4 45 10 48 18 C51 10 58 4 68 4 C81 4 92 14 92 28 C92 46 76 62 48 84 Z"
    doc.add(path(d, g, OUTLINE, 2.5))
    doc.add(ellipse(28, 24, 10, 6, "#ffffff", extra=' opacity="0.55" transform="rotate(-30 28 24)"'))
    doc.save("atlases/records", "credits_heart")


def credits_back():
    """An evening sky over a dark hill with the castle's silhouette far away."""
    doc = Doc(1280, 768, "The credits' background: an evening sky with the castle far away")
    sky = doc.linear("sky", [(0, "#0e1838"), (0.55, "#2a2f62"), (0.85, "#6a4a78"), (1, "#c07a68")])
    doc.add(path("M0 0 H1280 V768 H0 Z", sky))
    rnd = random.Random(36)
    stars = []
    for _ in range(140):
        x, y = rnd.uniform(0, 1280), rnd.uniform(0, 520)
        r = rnd.choice((0.7, 0.9, 1.2, 1.6))
        stars.append(circle(x, y, r, "#fff8e0", extra=f' opacity="{f(rnd.uniform(0.4, 0.95))}"'))
    doc.add(*stars)
    moon = doc.radial("moon", [(0, "#fffbe8"), (1, "#f0dca0")], 0.4, 0.4, 0.7)
    doc.add(circle(1090, 130, 46, moon), circle(1110, 116, 42, "#18224a", extra=' opacity="0.0"'))
    hill = doc.linear("hill", [(0, "#1e2a3a"), (1, "#0c121c")])
    doc.add(path("M0 640 C220 600 420 624 640 612 C860 600 1060 618 1280 604 V768 H0 Z", hill))
    # The castle far away on the hill: a dark silhouette with a few lit windows.
    sil = []
    for x, w, h in ((140, 30, 60), (170, 60, 36), (230, 26, 74), (256, 44, 50), (300, 28, 58)):
        sil.append(f"M{x} 632 v{-h} h{w} v{h} Z")
    doc.add(path(" ".join(sil), "#141c2a"))
    doc.add(poly([(226, 558), (243, 528), (260, 558)], "#141c2a"))
    for x, y in ((150, 596), (240, 580), (244, 600), (310, 600)):
        doc.add(path(f"M{x} {y} h5 v8 h-5 Z", "#ffd86a", extra=' opacity="0.85"'))
    doc.save("wide", "credits_back")


def main():
    arrow_button("rat_arrow_left", 64, -1)
    arrow_button("rat_arrow_right", 64, 1)
    tab("rat_tab", 220, 56)
    laurel()
    crest()
    heart()
    credits_back()


if __name__ == "__main__":
    main()
