#!/usr/bin/env python3
"""Writes the ground pictures of the episode 1 levels (wide/bg_e1_*.svg, 1280×768), the
canopy drawn over the riverside level (masks/bg_e1_riverside_mask.svg, a wide picture with
transparency) and the river band (textures/river.svg). The paths are painted along the waypoint links of each
level file, so the roads on the ground are the roads the workers walk; grass, flowers,
pebbles and trees are scattered with a fixed seed, away from the level's objects.
    python3 content-src/art/generated/backgrounds.py
"""
import math
import os
import random
import xml.etree.ElementTree as ET

from artlib import (ART, LEAF_DARK, OUTLINE, Doc, canopy, circle, ellipse, f, leaf_tufts, path, poly,
                    rock, trunk)

LEVELS = os.path.join(os.path.dirname(ART), "game", "content", "levels")
W, H = 1280, 768


def level_layout(name):
    """Waypoints (id -> screen point), links and the positions of the other objects."""
    root = ET.parse(os.path.join(LEVELS, name)).getroot()
    points, links, objects = {}, [], []
    for o in root.iter("object"):
        x, y = (float(v) for v in o.get("pos").split(","))
        sx, sy = x + W / 2, H / 2 - y
        if o.get("class") == "3":
            points[o.get("id")] = (sx, sy)
            for target in (o.get("links") or "").split(","):
                if target.strip():
                    links.append((o.get("id"), target.strip()))
        elif o.get("tex", "").startswith("bg_") or o.get("tex") == "river" or o.get("class") == "5":
            continue
        else:
            w, h = (float(v) for v in o.get("size", "20,20").split(","))
            objects.append((sx, sy, max(w, h)))
    links = [(points[a], points[b]) for a, b in links if a in points and b in points]
    return points, links, objects


def far_from(x, y, things, margin):
    return all(math.hypot(x - ox, y - oy) > r + margin for ox, oy, r in things)


class Ground:
    def __init__(self, title, palette, seed):
        self.d = Doc(W, H, title)
        self.p = palette
        self.rng = random.Random(seed)

    def base(self):
        d, p = self.d, self.p
        g = d.linear("ground", [(0, p["top"]), (1, p["bottom"])])
        d.add(f'<rect width="{W}" height="{H}" fill="{g}"/>')
        # Soft patches of lighter and darker grass.
        light = d.radial("patchLight", [(0, p["light"], 0.55), (1, p["light"], 0)], 0.5, 0.5, 0.5)
        dark = d.radial("patchDark", [(0, p["dark"], 0.45), (1, p["dark"], 0)], 0.5, 0.5, 0.5)
        for k in range(26):
            x, y = self.rng.uniform(0, W), self.rng.uniform(0, H)
            rx, ry = self.rng.uniform(90, 220), self.rng.uniform(50, 120)
            d.add(ellipse(x, y, rx, ry, light if k % 2 else dark))

    def roads(self, links, points, camp=None):
        d = self.d
        curves = []
        for (ax, ay), (bx, by) in links:
            mx, my = (ax + bx) / 2, (ay + by) / 2
            dx, dy = bx - ax, by - ay
            n = math.hypot(dx, dy) or 1
            bend = self.rng.uniform(-0.12, 0.12) * n
            cx, cy = mx - dy / n * bend, my + dx / n * bend
            curves.append(f"M{f(ax)} {f(ay)} Q{f(cx)} {f(cy)} {f(bx)} {f(by)}")
        edge = "#a07a48"
        if camp:
            d.add(ellipse(camp[0], camp[1], 70, 40, "#c8a26a", extra=' opacity="0.9"'))
        for c in curves:
            d.add(path(c, stroke=edge, width=30, extra=' opacity="0.55"'))
        for c in curves:
            d.add(path(c, stroke="#d9b883", width=23))
        for c in curves:
            d.add(path(c, stroke="#ead0a0", width=9, extra=' opacity="0.6"'))
        for x, y in points.values():
            d.add(ellipse(x, y, 18, 11, "#d9b883"))
        # Pebbles along the roads.
        for c_index, ((ax, ay), (bx, by)) in enumerate(links):
            for k in range(4):
                t = self.rng.uniform(0.1, 0.9)
                x = ax + (bx - ax) * t + self.rng.uniform(-9, 9)
                y = ay + (by - ay) * t + self.rng.uniform(-6, 6)
                d.add(ellipse(x, y, 2.2, 1.5, "#b89868", "#8a6a40", 0.6))

    def scatter(self, avoid, count=260, flowers=True):
        d, p = self.d, self.p
        colours = ["#ffffff", "#ffe066", "#ff8fa8", "#c8b8ff"]
        for k in range(count):
            x, y = self.rng.uniform(8, W - 8), self.rng.uniform(8, H - 8)
            if not far_from(x, y, avoid, 14):
                continue
            kind = self.rng.random()
            if kind < 0.6:
                s = self.rng.uniform(3, 6)
                d.add(path(f"M{f(x - s)} {f(y)} l{f(s * 0.4)} {f(-s * 1.4)} l{f(s * 0.4)} {f(s * 1.2)} "
                           f"l{f(s * 0.5)} {f(-s * 1.6)} l{f(s * 0.4)} {f(s * 1.8)}", stroke=p["tuft"], width=1.3))
            elif kind < 0.85 and flowers:
                c = colours[k % len(colours)]
                d.add(circle(x, y, 2.6, c, "#6a5a3a", 0.5))
                d.add(circle(x, y, 1, "#f0a020"))
            else:
                d.add(ellipse(x, y, 3.5, 2.4, "#b8b2a4", "#7a7468", 0.7))

    def trees(self, spots, avoid):
        d = self.d
        for i, (x, y, s) in enumerate(spots):
            if not (far_from(x, y, avoid, 40 * s) and far_from(x, y - 50 * s, avoid, 45 * s)):
                continue
            shade = d.radial("treeShade", [(0, "#1e3a10", 0.35), (1, "#1e3a10", 0)], 0.5, 0.5, 0.5)
            d.add(ellipse(x + 10 * s, y + 4 * s, 40 * s, 14 * s, shade))
            d.add(trunk(d, x, y - 30 * s, y, 8 * s, 12 * s, roots=False))
            r = 22 * s
            d.add(canopy(d, f"bgCrown{i}", [(x - r * 0.8, y - 44 * s, r * 0.9), (x + r * 0.8, y - 46 * s, r),
                                            (x, y - 62 * s, r * 1.15), (x - r * 0.2, y - 38 * s, r * 0.8)]))

    def field(self, x, y, w, h, colour, rows):
        d = self.d
        d.add(f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="6" fill="{colour}" '
              f'stroke="#8a6a3a" stroke-width="2" opacity="0.95"/>')
        for k in range(1, rows):
            yy = y + h * k / rows
            d.add(path(f"M{f(x + 4)} {f(yy)} h{f(w - 8)}", stroke="#7a5a2a", width=1.4, extra=' opacity="0.5"'))

    def save(self, name):
        self.d.save("wide", name)


MEADOW = {"top": "#8cc95a", "bottom": "#6fb048", "light": "#b8e680", "dark": "#4f8f30", "tuft": "#3f7f26"}
FARMLAND = {"top": "#9ccb5e", "bottom": "#7bb24a", "light": "#d8e890", "dark": "#5e9434", "tuft": "#4a8a2a"}
HILLS = {"top": "#7fba58", "bottom": "#5e9a3e", "light": "#a8d878", "dark": "#3e7a28", "tuft": "#35702a"}


def meadow():
    points, links, objects = level_layout("level_01_01.xml")
    g = Ground("Level ground: a morning meadow with paths between the waypoints.", MEADOW, 11)
    g.base()
    camp = points.get("100")
    g.roads(links, points, camp)
    avoid = objects + [(x, y, 20) for x, y in points.values()]
    g.scatter(avoid)
    g.trees([(40, 150, 1.1), (100, 110, 0.9), (1230, 720, 1.2), (1190, 620, 0.9), (30, 740, 1.0),
             (1240, 130, 1.0), (960, 740, 0.9)], avoid)
    g.save("bg_e1_meadow")


def farmland():
    points, links, objects = level_layout("level_01_02.xml")
    g = Ground("Level ground: farmland with ploughed strips, hedges and paths.", FARMLAND, 22)
    g.base()
    avoid = objects + [(x, y, 20) for x, y in points.values()]
    # Fields in the corners that stay free of objects.
    fields = []
    for x, y, w, h, c in ((900, 40, 220, 90, "#c8a060"), (40, 600, 180, 110, "#d8c070"),
                          (1080, 560, 170, 120, "#b89050")):
        if far_from(x + w / 2, y + h / 2, avoid, 10):
            g.field(x, y, w, h, c, 6)
            fields.append((x + w / 2, y + h / 2, max(w, h) / 2 + 8))
    g.roads(links, points, points.get("100"))
    g.scatter(avoid + fields, count=220)
    g.trees([(50, 120, 1.0), (1240, 300, 1.0), (640, 740, 0.8), (20, 380, 0.9)], avoid)
    g.save("bg_e1_farmland")


def hills():
    points, links, objects = level_layout("level_01_03.xml")
    g = Ground("Level ground: green hills split by a river.", HILLS, 33)
    g.base()
    d = g.d
    # Contour shading of the slopes.
    for k, (y, a) in enumerate(((120, 0.18), (300, 0.14), (520, 0.16), (690, 0.12))):
        d.add(path(f"M0 {y} C300 {y - 50} 600 {y + 40} 900 {y - 20} S1200 {y + 30} 1280 {y}",
                   stroke="#3e7a28", width=26, extra=f' opacity="{a}"'))
    # River bed under the river band (x = 770, 80 wide): muddy banks.
    bank = d.linear("bank", [(0, "#8a7048"), (0.5, "#6a5434"), (1, "#8a7048")], 0, 0, 1, 0)
    d.add(f'<rect x="720" y="0" width="100" height="{H}" fill="{bank}"/>')
    d.add(f'<rect x="726" y="0" width="88" height="{H}" fill="#3a6a8a"/>')
    g.roads(links, points, points.get("100"))
    avoid = objects + [(x, y, 20) for x, y in points.values()] + [(770, y, 60) for y in range(0, H, 40)]
    for x, y, r in ((300, 680, 16), (1000, 90, 20), (560, 60, 14), (1180, 460, 18)):
        if far_from(x, y, avoid, 10):
            d.add(rock(d, "hillRock", x, y, r * 1.3, r, seed=x * 0.01))
    g.scatter(avoid, count=240)
    g.trees([(40, 130, 1.1), (100, 720, 1.0), (1240, 720, 1.1), (1000, 740, 0.8), (1250, 300, 0.9)], avoid)
    g.save("bg_e1_hills")


GATEHOUSE = {"top": "#92c85c", "bottom": "#74ae48", "light": "#c0e688", "dark": "#528e32", "tuft": "#42802a"}
ORCHARD = {"top": "#9ad062", "bottom": "#7cb84c", "light": "#d0f098", "dark": "#5a9a38", "tuft": "#468a2c"}
MOOR = {"top": "#9aa868", "bottom": "#7c8c52", "light": "#c8c890", "dark": "#5e6a3e", "tuft": "#5a6a34"}
VILLAGE = {"top": "#8cc458", "bottom": "#70aa46", "light": "#b8e084", "dark": "#4e8a30", "tuft": "#3f7f26"}
WOODLAND = {"top": "#6aa648", "bottom": "#548a38", "light": "#98c870", "dark": "#3a6a26", "tuft": "#2e5e1e"}
RIVERSIDE = {"top": "#88c45a", "bottom": "#6cab46", "light": "#b4e080", "dark": "#4c8a30", "tuft": "#3c7a26"}
FESTIVAL = {"top": "#98d262", "bottom": "#7abc4c", "light": "#d8f49c", "dark": "#589c38", "tuft": "#44882c"}


def layout(name):
    points, links, objects = level_layout(name)
    return points, links, objects, objects + [(x, y, 20) for x, y in points.values()]


def screen(x, y):
    return x + W / 2, H / 2 - y


def stream(d, cx, width, ident="stream", wobble=14, seed=0):
    """A stream running from the top to the bottom of the picture around x = cx."""
    rng = random.Random(seed)
    left, right = [], []
    for k in range(13):
        y = k * H / 12
        off = wobble * math.sin(k * 0.9 + seed)
        left.append((cx - width / 2 + off + rng.uniform(-3, 3), y))
        right.append((cx + width / 2 + off + rng.uniform(-3, 3), y))
    bank = d.linear(ident + "Bank", [(0, "#8a7048"), (1, "#6a5434")], 0, 0, 1, 0)
    water = d.linear(ident + "Water", [(0, "#2f6f9a"), (0.5, "#4a9ac8"), (1, "#2f6f9a")], 0, 0, 1, 0)
    outer = [(x - 8, y) for x, y in left] + [(x + 8, y) for x, y in reversed(right)]
    inner = left + list(reversed(right))
    d.add(poly(outer, bank))
    d.add(poly(inner, water))
    for k in range(30):
        i = rng.randrange(12)
        x = left[i][0] + rng.uniform(6, width - 6)
        y = left[i][1] + rng.uniform(0, H / 12)
        d.add(path(f"M{f(x)} {f(y)} q3 10 0 20", stroke="#d8f0ff", width=1.4, extra=' opacity="0.5"'))
    return left, right


def dry_wall(d, sx, gap_from, gap_to, width=22):
    """A dry-stone wall from top to bottom at x = sx, open between gap_from and gap_to."""
    g = d.linear("dryWall", [(0, "#dcd6c8"), (1, "#a49c8c")], 0, 0, 1, 0)
    rng = random.Random(int(sx))
    for y0, y1 in ((0, gap_from), (gap_to, H)):
        if y1 - y0 < 4:
            continue
        d.add(f'<rect x="{f(sx - width / 2 + 3)}" y="{f(y0)}" width="{f(width)}" height="{f(y1 - y0)}" '
              f'fill="#2a2418" opacity="0.25"/>')
        d.add(f'<rect x="{f(sx - width / 2)}" y="{f(y0)}" width="{f(width)}" height="{f(y1 - y0)}" '
              f'fill="{g}" stroke="{OUTLINE}" stroke-width="1.6"/>')
        y = y0 + 3
        while y < y1 - 6:
            x = sx - width / 2 + 2
            while x < sx + width / 2 - 3:
                bw = rng.uniform(6, 10)
                d.add(ellipse(x + bw / 2, y + 3, bw / 2, 3, "none", "#7a7266", 0.8))
                x += bw + 1
            y += 7
        d.add(canopy(d, "wallIvy", [(sx - 6, y0 + 40, 6), (sx + 4, y1 - 50, 5)], stops=LEAF_DARK))


def heather(d, rng, avoid, count):
    for k in range(count):
        x, y = rng.uniform(10, W - 10), rng.uniform(10, H - 10)
        if not far_from(x, y, avoid, 16):
            continue
        c = ("#9a5aa8", "#b878c0", "#7a4a88")[k % 3]
        for j in range(4):
            d.add(circle(x + rng.uniform(-6, 6), y + rng.uniform(-3, 3), rng.uniform(2, 3.4), c,
                         extra=' opacity="0.85"'))


def cobbles(d, cx, cy, rx, ry, seed):
    rng = random.Random(seed)
    g = d.radial("square", [(0, "#d8ccb4"), (0.8, "#c4b69a"), (1, "#c4b69a", 0)], 0.5, 0.5, 0.5)
    d.add(ellipse(cx, cy, rx, ry, g))
    for k in range(int(rx * ry / 60)):
        a = rng.uniform(0, 2 * math.pi)
        r = math.sqrt(rng.uniform(0, 1)) * 0.9
        x, y = cx + rx * r * math.cos(a), cy + ry * r * math.sin(a)
        d.add(ellipse(x, y, rng.uniform(4, 7), rng.uniform(3, 4.5), "#b8aa8e", "#8e8068", 0.7))


def bunting(d, x0, y0, x1, y1, sag, seed):
    rng = random.Random(seed)
    d.add(path(f"M{f(x0)} {f(y0)} Q{f((x0 + x1) / 2)} {f((y0 + y1) / 2 + sag)} {f(x1)} {f(y1)}",
               stroke="#6a4a2a", width=1.6))
    n = int(math.hypot(x1 - x0, y1 - y0) / 26)
    for k in range(1, n):
        t = k / n
        x = (1 - t) ** 2 * x0 + 2 * (1 - t) * t * (x0 + x1) / 2 + t * t * x1
        y = (1 - t) ** 2 * y0 + 2 * (1 - t) * t * ((y0 + y1) / 2 + sag) + t * t * y1
        c = ("#d8263a", "#f5c02a", "#2a7ad8", "#3aa84a", "#ffffff")[(k + seed) % 5]
        d.add(poly([(x - 7, y), (x + 7, y), (x + rng.uniform(-1, 1), y + 14)], c, OUTLINE, 0.8))


def ferns(d, rng, avoid, count):
    for k in range(count):
        x, y = rng.uniform(10, W - 10), rng.uniform(10, H - 10)
        if not far_from(x, y, avoid, 18):
            continue
        for a in (-50, -25, 0, 25, 50):
            r = math.radians(a - 90)
            d.add(path(f"M{f(x)} {f(y)} q{f(6 * math.cos(r) - 3)} {f(6 * math.sin(r))} "
                       f"{f(12 * math.cos(r))} {f(12 * math.sin(r))}", stroke="#3a7a28", width=2,
                       extra=' opacity="0.8"'))


def gatehouse():
    points, links, objects, avoid = layout("level_01_04.xml")
    g = Ground("Level ground: a meadow crossed by a dry-stone wall, a stream beyond it.", GATEHOUSE, 44)
    g.base()
    g.roads(links, points, points.get("100"))
    wall_x, _ = screen(60, 0)
    _, gate_y = screen(0, -40)
    stream_x, _ = screen(430, 0)
    stream(g.d, stream_x, 70, seed=4)
    dry_wall(g.d, wall_x, gate_y - 52, gate_y + 52)
    avoid += [(wall_x, y, 26) for y in range(0, H, 30)] + [(stream_x, y, 50) for y in range(0, H, 30)]
    g.scatter(avoid, count=260)
    g.trees([(40, 130, 1.0), (1240, 700, 1.1), (880, 40, 0.9), (1250, 380, 0.9), (420, 740, 0.8)], avoid)
    g.save("bg_e1_gatehouse")


def orchard():
    points, links, objects, avoid = layout("level_01_05.xml")
    g = Ground("Level ground: an orchard meadow full of flowers, with rows of fruit trees.", ORCHARD, 55)
    g.base()
    g.roads(links, points, points.get("100"))
    g.scatter(avoid, count=340)
    rows = [(x, y, 0.7) for y in (60, 380, 720) for x in range(60, 1240, 150)]
    g.trees(rows, avoid)
    g.save("bg_e1_orchard")


def moor():
    points, links, objects, avoid = layout("level_01_06.xml")
    g = Ground("Level ground: a misty moor with heather, grey rocks and a beacon hill.", MOOR, 66)
    g.base()
    d = g.d
    for y, a in ((160, 0.16), (420, 0.12), (640, 0.14)):
        d.add(path(f"M0 {y} C320 {y - 40} 640 {y + 30} 960 {y - 20} S1200 {y + 20} 1280 {y}",
                   stroke="#5e6a3e", width=30, extra=f' opacity="{a}"'))
    g.roads(links, points, points.get("100"))
    rng = random.Random(67)
    heather(d, rng, avoid, 220)
    for x, y, r in ((240, 80, 16), (1000, 700, 18), (860, 120, 14), (1180, 520, 20), (560, 730, 15)):
        if far_from(x, y, avoid, 10):
            d.add(rock(d, "moorRock", x, y, r * 1.3, r, seed=x * 0.01))
    g.scatter(avoid, count=160, flowers=False)
    g.trees([(1240, 60, 0.8), (30, 720, 0.9)], avoid)
    g.save("bg_e1_moor")


def village():
    points, links, objects, avoid = layout("level_01_07.xml")
    g = Ground("Level ground: a village green with a cobbled square and garden plots.", VILLAGE, 77)
    g.base()
    d = g.d
    cx, cy = screen(60, 160)
    cobbles(d, cx, cy + 30, 150, 80, 78)
    g.roads(links, points, points.get("100"))
    fields = []
    for x, y, w, h, c in ((980, 40, 200, 80, "#b89050"), (40, 20, 160, 70, "#c8a060"), (1080, 640, 170, 110, "#d8c070")):
        if far_from(x + w / 2, y + h / 2, avoid, 10):
            g.field(x, y, w, h, c, 5)
            fields.append((x + w / 2, y + h / 2, max(w, h) / 2 + 8))
    g.scatter(avoid + fields + [(cx, cy + 30, 150)], count=220)
    g.trees([(1240, 380, 0.9), (30, 420, 0.9), (700, 740, 0.8)], avoid)
    g.save("bg_e1_village")


def woodland():
    points, links, objects, avoid = layout("level_01_08.xml")
    g = Ground("Level ground: the edge of a wood, ferns and fallen leaves under old trees.", WOODLAND, 88)
    g.base()
    d = g.d
    g.roads(links, points, points.get("100"))
    rng = random.Random(89)
    for k in range(200):
        x, y = rng.uniform(0, W), rng.uniform(0, H)
        if far_from(x, y, avoid, 8):
            d.add(ellipse(x, y, 3, 1.8, ("#c8882a", "#a85a20", "#d8a838")[k % 3],
                          extra=f' opacity="0.8" transform="rotate({rng.randrange(180)} {f(x)} {f(y)})"'))
    ferns(d, rng, avoid, 90)
    g.scatter(avoid, count=150)
    spots = [(x, y, rng.uniform(0.8, 1.2)) for x, y in
             ((60, 40), (200, 60), (1100, 90), (1240, 220), (900, 40), (700, 60), (1240, 560),
              (40, 560), (160, 740), (520, 740), (860, 740), (1000, 620), (380, 40))]
    g.trees(spots, avoid)
    g.save("bg_e1_woodland")


def riverside():
    points, links, objects, avoid = layout("level_01_09.xml")
    g = Ground("Level ground: both banks of a wide river, reeds along the water.", RIVERSIDE, 99)
    g.base()
    d = g.d
    g.roads(links, points, points.get("100"))
    river_x, _ = screen(100, 0)
    bank = d.linear("riverBank", [(0, "#8a7048"), (0.5, "#6a5434"), (1, "#8a7048")], 0, 0, 1, 0)
    d.add(f'<rect x="{f(river_x - 72)}" y="0" width="144" height="{H}" fill="{bank}"/>')
    d.add(f'<rect x="{f(river_x - 62)}" y="0" width="124" height="{H}" fill="#3a6a8a"/>')
    rng = random.Random(98)
    for side in (-1, 1):
        for k in range(40):
            x = river_x + side * rng.uniform(66, 90)
            y = rng.uniform(0, H)
            if not far_from(x, y, avoid, 6):
                continue
            for j in range(3):
                d.add(path(f"M{f(x + j * 3)} {f(y)} q{f(side * 2)} -10 {f(side * 1)} -18", stroke="#4a7a2a", width=1.6))
            d.add(ellipse(x + 3, y - 18, 1.8, 5, "#7a4a22"))
    avoid += [(river_x, y, 90) for y in range(0, H, 30)]
    g.scatter(avoid, count=240)
    g.trees([(1240, 120, 1.0), (1100, 60, 0.8), (40, 120, 1.0)], avoid)
    g.save("bg_e1_riverside")
    riverside_canopy(points)


def riverside_canopy(points):
    """The trees of the south bank, their crowns hanging over the way: drawn over the level
    (workers walk under them). Transparent except for the crowns."""
    d = Doc(W, H, "The crowns of the trees along the south bank, drawn over the riverside level.")
    crowns = [(-30, 760, 90), (90, 730, 70), (200, 770, 80), (330, 740, 66), (450, 775, 74),
              (560, 750, 58), (1240, 770, 84), (1130, 760, 60)]
    for i, (x, y, r) in enumerate(crowns):
        blobs = [(x - r * 0.5, y - r * 0.2, r * 0.7), (x + r * 0.45, y - r * 0.25, r * 0.75),
                 (x, y - r * 0.6, r * 0.8), (x - r * 0.1, y + r * 0.1, r * 0.8)]
        d.add(canopy(d, f"bankCrown{i}", blobs, stops=LEAF_DARK))
        d.add(leaf_tufts([(x - r * 0.4, y - r * 0.5, 6), (x + r * 0.3, y - r * 0.7, 6),
                          (x + r * 0.5, y - r * 0.1, 5), (x - r * 0.1, y - r * 0.2, 6)]))
    d.save("masks", "bg_e1_riverside_mask")


def festival():
    points, links, objects, avoid = layout("level_01_10.xml")
    g = Ground("Level ground: the festival green, bunting between the trees and a trodden ring "
               "where the maypole stands.", FESTIVAL, 111)
    g.base()
    d = g.d
    mx, my = screen(430, 200)
    ring = d.radial("ring", [(0, "#d8c890"), (0.7, "#c8b478", 0.8), (1, "#c8b478", 0)], 0.5, 0.5, 0.5)
    d.add(ellipse(mx, my + 60, 150, 70, ring))
    g.roads(links, points, points.get("100"))
    g.scatter(avoid + [(mx, my + 60, 140)], count=320)
    g.trees([(40, 140, 1.0), (1240, 700, 1.1), (860, 40, 0.9), (1250, 420, 0.9), (30, 730, 0.9)], avoid)
    bunting(d, 640, 20, 1270, 60, 40, 1)
    bunting(d, 700, 130, 1270, 110, 30, 2)
    bunting(d, 0, 40, 520, 20, 36, 3)
    g.save("bg_e1_festival")


def river():
    """The river band: drawn for an 80×768 area, stored squeezed into 64×512 (the game
    stretches it back); repeats from top to bottom so it can scroll."""
    d = Doc(64, 512, "River water flowing down; repeats vertically.")
    d.w, d.h = 64, 512
    water = d.linear("water", [(0, "#2f6f9a"), (0.5, "#4a9ac8"), (1, "#2f6f9a")], 0, 0, 1, 0)
    body = [f'<rect x="0" y="0" width="80" height="768" fill="{water}"/>']
    rng = random.Random(44)
    for k in range(36):
        x = rng.uniform(10, 70)
        y = rng.uniform(0, 768)
        ln = rng.uniform(14, 34)
        for dy in (-768, 0, 768):
            body.append(path(f"M{f(x)} {f(y + dy)} q3 {f(ln / 2)} 0 {f(ln)}", stroke="#d8f0ff",
                             width=1.6, extra=' opacity="0.55"'))
    for k in range(14):
        x = rng.uniform(14, 66)
        y = rng.uniform(0, 768)
        for dy in (-768, 0, 768):
            body.append(ellipse(x, y + dy, 2.2, 5, "#ffffff", extra=' opacity="0.35"'))
    # Banks: darker water at the edges.
    edge = d.linear("edge", [(0, "#1e4a6a", 0.8), (0.2, "#1e4a6a", 0), (0.8, "#1e4a6a", 0),
                             (1, "#1e4a6a", 0.8)], 0, 0, 1, 0)
    body.append(f'<rect x="0" y="0" width="80" height="768" fill="{edge}"/>')
    text = d.text().replace(
        'viewBox="0 0 64 512">',
        'viewBox="0 0 80 768" preserveAspectRatio="none">')
    text = text.replace("</defs>\n", "</defs>\n" + "".join(body), 1)
    os.makedirs(os.path.join(ART, "textures"), exist_ok=True)
    with open(os.path.join(ART, "textures", "river.svg"), "w", encoding="utf-8") as out:
        out.write(text)


def main():
    meadow()
    farmland()
    hills()
    gatehouse()
    orchard()
    moor()
    village()
    woodland()
    riverside()
    festival()
    river()


if __name__ == "__main__":
    main()
