#!/usr/bin/env python3
"""Writes the SVG sources of the level's indicators (world/ind_*.svg, textures of their own:
respawn clocks, selectors, the queue and objective markers) and of the inline symbols and
bonus buttons (atlases/indicators/*.svg: the resource and time symbols used in texts). Animated indicators are
sheets of equal frames, left to right and top to bottom, each frame with a transparent
margin so that neighbouring frames never bleed into each other.
    python3 content-src/art/generated/indicators.py
"""
import math

from artlib import OUTLINE, Doc, canopy, circle, ellipse, f, log, path, poly

FOLDER = "atlases/indicators"
WORLD = "world"  # indicators are drawn with the level, from textures of their own


def frames(doc, columns, rows, fw, fh, draw):
    """Calls draw(doc, index, x, y) for every frame, (x, y) the frame's top-left corner."""
    for i in range(columns * rows):
        x, y = (i % columns) * fw, (i // columns) * fh
        doc.add(f'<g transform="translate({x} {y})">' + draw(doc, i) + "</g>")


def respawn_clock(name, colour, title):
    fw = fh = 20
    d = Doc(fw * 3, fh * 3, title)
    face = d.radial("face", [(0, "#ffffff"), (1, "#dfe8ee")], 0.4, 0.35, 0.7)

    def draw(doc, i):
        t = i / 8
        cx = cy = 10
        r = 7.6
        out = [circle(cx, cy, r + 1, OUTLINE), circle(cx, cy, r, face)]
        if t >= 1:
            out.append(circle(cx, cy, r - 1, colour))
        elif t > 0:
            a = -math.pi / 2 + 2 * math.pi * t
            large = 1 if t > 0.5 else 0
            out.append(path(f"M{cx} {cy} L{cx} {f(cy - r + 1)} A{f(r - 1)} {f(r - 1)} 0 {large} 1 "
                            f"{f(cx + (r - 1) * math.cos(a))} {f(cy + (r - 1) * math.sin(a))} Z", colour))
        out.append(path(f"M{cx} {cy} L{cx} {f(cy - 5)}", stroke=OUTLINE, width=1.3))
        a = -math.pi / 2 + 2 * math.pi * t
        out.append(path(f"M{cx} {cy} L{f(cx + 4.5 * math.cos(a))} {f(cy + 4.5 * math.sin(a))}",
                        stroke=OUTLINE, width=1.3))
        out.append(circle(cx, cy, 1.2, OUTLINE))
        return "".join(out)

    frames(d, 3, 3, fw, fh, draw)
    d.save(WORLD, name)


def selector(name, fw, fh, colour, light, title):
    """A ring on the ground under the hovered object with four bright beads running round."""
    d = Doc(fw * 4, fh * 2, title)
    bead = d.radial("bead", [(0, "#ffffff"), (0.5, light), (1, colour)], 0.4, 0.4, 0.6)

    def draw(doc, i):
        cx, cy = fw / 2, fh / 2
        rx, ry = fw * 0.38, fh * 0.34
        out = [ellipse(cx, cy, rx, ry, "none", OUTLINE, 4.2),
               ellipse(cx, cy, rx, ry, "none", colour, 2.4),
               ellipse(cx, cy - 0.6, rx, ry, "none", light, 0.9, extra=' opacity="0.8"')]
        for k in range(4):
            a = 2 * math.pi * (k / 4 + i / 32)
            out.append(circle(cx + rx * math.cos(a), cy + ry * math.sin(a), fh * 0.09, bead,
                              OUTLINE, 0.8))
        return "".join(out)

    frames(d, 4, 2, fw, fh, draw)
    d.save(WORLD, name)


def objective_marker():
    # The level turns the marker and lets it swell and fade, so it is round: a golden star
    # in a ring, with a glint that runs round the ring from frame to frame.
    fw = fh = 28
    d = Doc(fw * 4, fh * 2, "The objective marker: a golden star in a ring over an objective.")
    g = d.radial("starGold", [(0, "#fff8c0"), (0.55, "#f5c02a"), (1, "#c87010")], 0.45, 0.4, 0.7)
    ring = d.linear("ringGold", [(0, "#fff3a0"), (0.5, "#e8a820"), (1, "#a86010")])

    def draw(doc, i):
        cx = cy = 14
        pts = []
        for k in range(16):
            a = -math.pi / 2 + k * math.pi / 8
            r = 8.5 if k % 2 == 0 else 3.6
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        a = 2 * math.pi * i / 8
        return (circle(cx, cy, 11.5, "none", OUTLINE, 3.4) + circle(cx, cy, 11.5, "none", ring, 2) +
                poly(pts, g, OUTLINE, 1.2) + circle(cx, cy, 1.8, "#ffffff", extra=' opacity="0.8"') +
                circle(cx + 11.5 * math.cos(a), cy + 11.5 * math.sin(a), 1.8, "#ffffff",
                       extra=' opacity="0.9"'))

    frames(d, 4, 2, fw, fh, draw)
    d.save(WORLD, "ind_objective")


def queue_marker():
    d = Doc(24, 24, "A queued command: a little flag on the spot.")
    d.add(ellipse(8, 21, 5, 2, "#1e1408", extra=' opacity="0.3"'))
    d.add(path("M8 21 V3", stroke=OUTLINE, width=2.6))
    d.add(path("M8 21 V3", stroke="#c08850", width=1.2))
    d.add(path("M9 3 C13 1 16 6 21 4 L21 12 C16 14 13 9 9 11 Z",
               d.linear("flag", [(0, "#ff8a6a"), (1, "#d03a22")]), OUTLINE, 1.3))
    d.save(WORLD, "ind_queue")


def symbol_doc(name, title, size=32):
    return Doc(size, size, title)


def icon_food():
    d = symbol_doc("icon_food", "Food: a red apple.")
    g = d.radial("apple", [(0, "#ffb0a0"), (0.5, "#e2322a"), (1, "#8a1410")], 0.35, 0.35, 0.75)
    d.add(path("M16 9 C10 5 3 9 4 17 C5 25 10 30 16 28 C22 30 27 25 28 17 C29 9 22 5 16 9 Z",
               g, OUTLINE, 1.8))
    d.add(path("M16 9 C16 6 17 4 19 2", stroke=OUTLINE, width=2))
    d.add(path("M18 6 C21 2 26 3 27 5 C24 8 20 8 18 6 Z", "#6cc04a", OUTLINE, 1.2))
    d.add(ellipse(10, 14, 2.5, 4, "#ffffff", extra=' opacity="0.6" transform="rotate(25 10 14)"'))
    d.save(FOLDER, "icon_food")


def icon_wood():
    d = symbol_doc("icon_wood", "Wood: two logs.")
    d.add(log(d, 3, 22, 24, 19, 5, ident="iconLog"))
    d.add(log(d, 7, 12, 28, 10, 5, ident="iconLog"))
    d.save(FOLDER, "icon_wood")


def icon_gold():
    d = symbol_doc("icon_gold", "Gold: a stack of coins.")
    g = d.linear("coin", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")])
    for i, y in enumerate((25, 20, 15, 10)):
        x = 16 + (1 if i % 2 else -1)
        d.add(path(f"M{x - 11} {y} v3 a11 4 0 0 0 22 0 v-3", g, OUTLINE, 1.5))
        d.add(ellipse(x, y, 11, 4, g, OUTLINE, 1.5))
    d.add(ellipse(17, 10, 6, 2, "none", "#b07810", 1))
    d.add(path("M24 4 v5 M21.5 6.5 h5", stroke="#ffffff", width=1.3))
    d.save(FOLDER, "icon_gold")


def icon_goal(name, done, title):
    # The objective panel's marks: an empty box for a goal still open, a ticked one when done.
    d = symbol_doc(name, title)
    face = d.linear("box", [(0, "#fffaf0"), (1, "#e8d4a8")])
    d.add(path("M5 7 H25 V27 H5 Z", face, OUTLINE, 2))
    if done:
        d.add(path("M8 16 L14 23 L29 4", stroke="#ffffff", width=6.5))
        d.add(path("M8 16 L14 23 L29 4", stroke="#2f9a2a", width=3.6))
    d.save(FOLDER, name)


def icon_time():
    d = symbol_doc("icon_time", "Time: a small clock.")
    g = d.radial("clock", [(0, "#ffffff"), (1, "#dfe8ee")], 0.4, 0.35, 0.7)
    d.add(circle(16, 17, 13, d.linear("rim", [(0, "#8fd0ff"), (1, "#2a78c0")]), OUTLINE, 1.8))
    d.add(circle(16, 17, 9.5, g, OUTLINE, 1.2))
    for k in range(12):
        a = 2 * math.pi * k / 12
        d.add(path(f"M{f(16 + 7.5 * math.cos(a))} {f(17 + 7.5 * math.sin(a))} "
                   f"L{f(16 + 8.6 * math.cos(a))} {f(17 + 8.6 * math.sin(a))}", stroke=OUTLINE, width=1))
    d.add(path("M16 17 L16 10 M16 17 L21 19", stroke=OUTLINE, width=1.8))
    d.add(path("M12 3 h8 M16 3 v2", stroke=OUTLINE, width=2.4))
    d.save(FOLDER, "icon_time")


def icon_worker():
    d = symbol_doc("icon_worker", "Workers: a head with a straw hat.")
    skin = d.radial("skin", [(0, "#ffe0c0"), (1, "#e0a070")], 0.4, 0.35, 0.7)
    d.add(path("M6 31 C6 23 11 20 16 20 C21 20 26 23 26 31 Z",
               d.linear("shirt", [(0, "#7ab8e8"), (1, "#3a78b0")]), OUTLINE, 1.6))
    d.add(circle(16, 14, 7, skin, OUTLINE, 1.6))
    d.add(ellipse(16, 9, 11, 3, "#f0c850", OUTLINE, 1.4))
    d.add(path("M10 9 C10 3 22 3 22 9 Z", "#f0c850", OUTLINE, 1.4))
    d.add(path("M10 8 h12", stroke="#c84a30", width=1.6))
    d.add(circle(13.5, 14, 0.9, OUTLINE))
    d.add(circle(18.5, 14, 0.9, OUTLINE))
    d.add(path("M13.5 17 q2.5 2 5 0", stroke=OUTLINE, width=1))
    d.save(FOLDER, "icon_worker")


def star_points(cx, cy, r1, r2, n=5, rot=-90):
    pts = []
    for k in range(2 * n):
        r = r1 if k % 2 == 0 else r2
        a = math.radians(rot + 180 * k / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def star(name="star"):
    d = symbol_doc(name, "A golden star.")
    g = d.radial("starGold", [(0, "#fff8c0"), (0.5, "#ffd030"), (1, "#e08a10")], 0.45, 0.4, 0.7)
    d.add(poly(star_points(16, 17, 14, 6.2), g, OUTLINE, 1.6))
    d.add(path("M12 12 L15 8", stroke="#ffffff", width=1.6, extra=' opacity="0.8"'))
    d.save(FOLDER, name)


def bonus(name, title, colour, motif):
    d = Doc(64, 64, title)
    ring = d.linear("ring", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")])
    face = d.radial("face", [(0, colour[0]), (0.7, colour[1]), (1, colour[2])], 0.4, 0.35, 0.75)
    d.add(circle(33, 34, 29, "#1e1408", extra=' opacity="0.3"'))
    d.add(circle(32, 32, 29, ring, OUTLINE, 2))
    d.add(circle(32, 32, 23, face, OUTLINE, 1.5))
    d.add(path("M14 24 A20 20 0 0 1 40 11", stroke="#ffffff", width=2.5, extra=' opacity="0.45"'))
    d.add(motif(d))
    d.save(FOLDER, name)


def motif_walk(d):
    boot = d.linear("boot", [(0, "#c88a4a"), (1, "#7a4a22")])
    return (path("M24 18 L36 18 L36 34 L46 38 C49 40 48 46 44 46 L24 46 Z", boot, OUTLINE, 1.6) +
            path("M20 24 h-8 M22 31 h-10 M20 38 h-6", stroke="#ffffff", width=2.6) +
            path("M36 22 C42 16 48 18 50 22 C46 22 42 24 36 28 Z", "#ffffff", OUTLINE, 1.2))


def motif_work(d):
    head = d.linear("hammer", [(0, "#d0d8e0"), (1, "#6a7480")])
    return (path("M20 46 L38 26", stroke=OUTLINE, width=6) + path("M20 46 L38 26", stroke="#d49a5a", width=3.6) +
            poly([(30, 18), (42, 14), (50, 26), (40, 32)], head, OUTLINE, 1.6) +
            path("M46 40 l4 -2 M48 46 l5 0 M42 46 l2 4", stroke="#fff3a0", width=2))


def motif_yield(d):
    g = d.radial("bonusApple", [(0, "#ffb0a0"), (0.5, "#e2322a"), (1, "#8a1410")], 0.35, 0.35, 0.75)
    return (path("M32 22 C26 18 18 22 19 30 C20 38 26 44 32 42 C38 44 44 38 45 30 C46 22 38 18 32 22 Z",
                 g, OUTLINE, 1.6) + path("M32 22 C32 18 34 16 36 14", stroke=OUTLINE, width=2) +
            path("M44 14 h8 M48 10 v8", stroke="#ffffff", width=3) +
            path("M44 14 h8 M48 10 v8", stroke="#2a7a22", width=1.4))


def motif_worker(d):
    skin = d.radial("bskin", [(0, "#ffe0c0"), (1, "#e0a070")], 0.4, 0.35, 0.7)
    return (path("M20 48 C20 38 26 34 32 34 C38 34 44 38 44 48 Z", "#3a78b0", OUTLINE, 1.6) +
            circle(32, 26, 8, skin, OUTLINE, 1.6) + ellipse(32, 20, 12, 3.2, "#f0c850", OUTLINE, 1.4) +
            path("M25 20 C25 13 39 13 39 20 Z", "#f0c850", OUTLINE, 1.4) +
            path("M44 22 h8 M48 18 v8", stroke="#ffffff", width=3))


def motif_gift(d):
    box = d.linear("gift", [(0, "#ff8ad0"), (1, "#c02a80")])
    return (poly([(18, 28), (46, 28), (46, 46), (18, 46)], box, OUTLINE, 1.6) +
            poly([(16, 22), (48, 22), (48, 29), (16, 29)], box, OUTLINE, 1.6) +
            path("M32 22 v24", stroke="#fff07a", width=4) +
            path("M32 22 C26 12 18 16 24 22 M32 22 C38 12 46 16 40 22", stroke="#fff07a", width=2.6))


def motif_time(d):
    g = d.radial("hour", [(0, "#ffffff"), (1, "#dfe8ee")], 0.4, 0.35, 0.7)
    return (circle(32, 33, 14, g, OUTLINE, 1.8) + path("M32 33 V24 M32 33 L39 36", stroke=OUTLINE, width=2.2) +
            path("M18 16 h28", stroke="#9adfff", width=3) + path("M20 52 h24", stroke="#9adfff", width=3))


def main():
    respawn_clock("ind_respawn", "#6cc04a", "Respawn clock: fills up until the site grows back.")
    respawn_clock("ind_respawn_linked", "#4aa8e8", "Respawn clock of a site that belongs to a building.")
    selector("ind_selector", 48, 24, "#ffe070", "#ffffff", "Selector under a clickable object.")
    selector("ind_selector_bld", 64, 32, "#7ad8ff", "#ffffff", "Selector under a building.")
    selector("ind_selector_mason", 48, 24, "#c8c0b0", "#ffffff",
             "Selector under an object only the stonemason can work.")
    selector("ind_selector_forester", 48, 24, "#8ae060", "#ffffff",
             "Selector under an object only the forester can work.")
    objective_marker()
    queue_marker()
    icon_food()
    icon_wood()
    icon_gold()
    icon_time()
    icon_worker()
    icon_goal("icon_incm", False, "An objective still open: an empty box.")
    icon_goal("icon_comp", True, "An objective met: a ticked box.")
    star()
    star("icon_star")  # the star as an inline symbol of texts
    bonus("bonus_walk", "Bonus: faster walking.", ("#b8f0ff", "#4ab0e8", "#1a6aa0"), motif_walk)
    bonus("bonus_work", "Bonus: faster work.", ("#ffe0b0", "#f09a40", "#a85a10"), motif_work)
    bonus("bonus_yield", "Bonus: bigger harvests.", ("#d8ffb0", "#7ad04a", "#3a8a1a"), motif_yield)
    bonus("bonus_worker", "Bonus: an extra worker.", ("#fff0b0", "#f0c040", "#a87a10"), motif_worker)
    bonus("bonus_gift", "Bonus: a gift of resources.", ("#ffd0f0", "#e870c0", "#a02a7a"), motif_gift)
    bonus("bonus_time", "Bonus: time stands still.", ("#e0e0ff", "#8a8af0", "#3a3aa8"), motif_time)


if __name__ == "__main__":
    main()
