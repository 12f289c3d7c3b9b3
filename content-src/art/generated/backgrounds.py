#!/usr/bin/env python3
"""Writes the ground pictures of the episode 1 levels (wide/bg_e1_*.svg, 1280×768) and the
river band (textures/river.svg). The paths are painted along the waypoint links of each
level file, so the roads on the ground are the roads the workers walk; grass, flowers,
pebbles and trees are scattered with a fixed seed, away from the level's objects.
    python3 content-src/art/generated/backgrounds.py
"""
import math
import os
import random
import xml.etree.ElementTree as ET

from artlib import ART, OUTLINE, Doc, canopy, circle, ellipse, f, path, rock, trunk

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
        elif o.get("tex", "").startswith("bg_") or o.get("tex") == "river":
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
    river()


if __name__ == "__main__":
    main()
