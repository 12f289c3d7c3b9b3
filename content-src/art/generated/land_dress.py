#!/usr/bin/env python3
"""Dresses the camp, the building sites and the buildings of the meadow for each later land:
the coast (whitewashed walls, blue-grey and reed roofs, nets, shells and lifebuoys), the autumn
wood (dark timber, russet and moss roofs, creeper and fallen leaves), the snowy north (log walls,
snow on roofs and ground, icicles) and the red desert (adobe and sandstone, domes, palm-frond
shades, red sand). The meadow's own generators draw each picture again with the land's colours
and touches (artlib.DRESS), on the same canvas and with the same frames, and write it as
world/PREFIX_NAME.svg. The dresses are listed in the game's table land_dress.xml, through which
the game finds what a dressed picture shares with the meadow's (animation, selector, particles,
briefing, product).
    python3 content-src/art/generated/land_dress.py            # the pictures and the table
    python3 content-src/art/generated/land_dress.py --levels   # episodes 2-5 wear the dress
The --levels step only changes the tex attributes of the camp, sites and buildings in the level
files of episodes 2 to 5 (run it again after a level was rewritten); nothing else in them.
"""
import glob
import math
import os
import re
import sys

import animations
import artlib
import buildings
import episode1_cast
import objects
from artlib import OUTLINE, circle, ellipse, f, path, poly

GAME = os.path.join(os.path.dirname(artlib.ART), "game", "content")
LEVELS = os.path.join(GAME, "levels")
TABLE = os.path.join(GAME, "tables", "land_dress.xml")


def _sheet(module, name, title, columns, rows, fw, fh, draw):
    return lambda: module.sheet(name, title, columns, rows, fw, fh, draw)


# Every dressed picture of the meadow and how to paint it; the "_a" sheets are what the gates
# show while they are worked on (the game finds them by adding "_a" to the level's name).
PICTURES = {
    "workers_house": buildings.workers_house,
    "workers_house_big": episode1_cast.workers_house_big,
    "campfire": _sheet(animations, "campfire", "A crackling campfire.", 3, 2, 48, 48, animations.campfire),
    "building_site": objects.building_site,
    "scaffold": episode1_cast.scaffold,
    "farm": buildings.farm,
    "farm_field": objects.farm_field,
    "sawmill": buildings.sawmill,
    "gold_mine": buildings.gold_mine,
    "warehouse": buildings.warehouse,
    "watchtower": buildings.watchtower,
    "scarecrow": buildings.scarecrow,
    "obelisk_speed": buildings.obelisk_speed,
    "obelisk_growth": episode1_cast.obelisk_growth,
    "obelisk_toil": buildings.obelisk_toil,
    "stonemason_lodge": buildings.stonemason_lodge,
    "forester_lodge": episode1_cast.forester_lodge,
    "gate_old": _sheet(episode1_cast, "gate_old", "The old gate swinging open (8 frames, closed to open).",
                       4, 2, 112, 96, lambda d, i, n: episode1_cast.gate_frame(d, i, n)),
    "gate_old_a": _sheet(episode1_cast, "gate_old_a", "The old gate while it is forced: ropes and a crowbar "
                         "(8 frames).", 4, 2, 112, 96,
                         lambda d, i, n: episode1_cast.gate_frame(d, i, n, worked=True)),
    "drawbridge": _sheet(episode1_cast, "drawbridge", "A drawbridge lowering over a stream (8 frames, raised "
                         "to lowered).", 4, 2, 128, 80, lambda d, i, n: episode1_cast.drawbridge_frame(d, i, n)),
    "drawbridge_a": _sheet(episode1_cast, "drawbridge_a", "The drawbridge while its chains are mended "
                           "(8 frames).", 4, 2, 128, 80,
                           lambda d, i, n: episode1_cast.drawbridge_frame(d, i, n, worked=True)),
    "broken_bridge": objects.broken_bridge,
    # What a level's briefing shows for a building site.
    "briefing_site": buildings.briefing_site,
}
# What a level names (the "_a" sheets come with their gate, the briefing's site with the site).
LEVEL_NAMES = tuple(n for n in PICTURES if not n.endswith("_a") and n != "briefing_site")


def rnd(k):
    """A repeatable number in [0, 1) for k: the same picture comes out byte for byte each run."""
    return (math.sin(k * 12.9898 + 78.233) * 43758.5453) % 1.0


class Dress:
    """A land's dress: its prefix, the meadow colours it replaces (exact #rrggbb, lower case) and
    its touches. A touch it does not have adds nothing."""
    prefix = ""
    colours = {}

    def recolour(self, text):
        return re.sub(r"#[0-9a-fA-F]{6}\b", lambda m: self.colours.get(m.group(0).lower(), m.group(0)), text)

    def touch(self, kind, doc, *where):
        return getattr(self, kind, lambda *_: "")(doc, *where)

    # Helpers the touches share.
    @staticmethod
    def around(cx, y, rx, ry, count, seed, front=True):
        """Spots on the ground ellipse, mostly along its front half."""
        out = []
        for k in range(count):
            a = (k + 0.5) / count
            x = cx - rx * 0.9 + rx * 1.8 * a + (rnd(seed + k) - 0.5) * rx * 0.12
            dy = ry * (0.15 + 0.55 * rnd(seed + k * 7 + 3)) * (1 if front else -1)
            out.append((x, y + dy * math.sqrt(max(0.0, 1 - ((x - cx) / rx) ** 2))))
        return out

    @staticmethod
    def strip(x0, y0, x1, y1, count, seed):
        return [(x0 + (x1 - x0) * (k + 0.2 + 0.6 * rnd(seed * 31 + k)) / count,
                 y0 + (y1 - y0) * rnd(seed * 17 + k * 5 + 1)) for k in range(count)]


# ------------------------------------------------------------------ the coast

def shell(x, y, s, k):
    """A scallop shell (k even) or a starfish (k odd)."""
    if k % 3 == 1:
        pts = []
        for i in range(10):
            a = -math.pi / 2 + i * math.pi / 5
            r = s * (1.15 if i % 2 == 0 else 0.45)
            pts.append((x + r * math.cos(a), y + r * math.sin(a) * 0.8))
        return poly(pts, "#f0884a", "#8a3a1a", 0.8)
    fill = ("#fff2ea", "#f8c8c0", "#f4e4c8")[k % 3]
    return (path(f"M{f(x)} {f(y + s * 0.5)} L{f(x - s)} {f(y - s * 0.2)} Q{f(x)} {f(y - s * 1.3)} "
                 f"{f(x + s)} {f(y - s * 0.2)} Z", fill, "#8a6a5a", 0.8) +
            path(f"M{f(x)} {f(y + s * 0.4)} L{f(x - s * 0.5)} {f(y - s * 0.5)} M{f(x)} {f(y + s * 0.4)} "
                 f"L{f(x)} {f(y - s * 0.7)} M{f(x)} {f(y + s * 0.4)} L{f(x + s * 0.5)} {f(y - s * 0.5)}",
                 stroke="#b08878", width=0.6))


def mesh(x0, y0, x1, y1, step, colour, width):
    """A net's diamond mesh filling the box."""
    out = []
    w, h = x1 - x0, y1 - y0
    c = -h
    while c < w:
        # Lines x = x0 + c + t and x = x1 - c - t for t in [0, h], clipped to the box.
        for sign in (1, -1):
            pts = []
            for t in (0, h):
                x = x0 + c + t if sign > 0 else x1 - c - t
                pts.append((x, y1 - t))
            (ax, ay), (bx, by) = pts
            if sign > 0:
                if ax < x0:
                    ay -= x0 - ax
                    ax = x0
                if bx > x1:
                    by += bx - x1
                    bx = x1
            else:
                if ax > x1:
                    ay -= ax - x1
                    ax = x1
                if bx < x0:
                    by += x0 - bx
                    bx = x0
            if ay > by:
                out.append(path(f"M{f(ax)} {f(ay)} L{f(bx)} {f(by)}", stroke=colour, width=width))
        c += step
    return "".join(out)


class Coast(Dress):
    prefix = "coast"
    colours = {
        # Sand instead of grass, sandy site and field.
        "#9ad468": "#f4e2aa", "#78b84c": "#dcc080", "#d8bc88": "#f2e2b4", "#b0925e": "#cbb183",
        "#b07a44": "#c09a68", "#7a5028": "#8e7048",
        # Blue-grey roofs, reed thatch, the watchtower's blue cap.
        "#f07a5a": "#a6c0d6", "#d04a30": "#6a8cab", "#8e2a1a": "#3a526c", "#7a2418": "#2c4058",
        "#f2d27a": "#e8dfb4", "#d8a848": "#beaa76", "#9a7020": "#7a6a42",
        "#9ccc5a": "#e2d8a8", "#5e8a34": "#b29e68", "#2c4e1a": "#6e6040",
        "#b04a30": "#5a80a2", "#e07050": "#a8c6de",
        "#b88a5a": "#9aa6ac", "#8a5e34": "#68767e", "#5a3a1e": "#3c474e",
        # Driftwood planks.
        "#e8c08a": "#e2dccc", "#c4925a": "#b8ae98", "#8e5e30": "#847866", "#e0b47a": "#d4ccb8",
        "#a0703e": "#8e8472",
        # Whitewash, blue-painted beams and boathouse boards, pale stone.
        "#fbf0d8": "#ffffff", "#e8d3aa": "#dbe4ea", "#fff4c8": "#fdfdf8", "#ecd89a": "#d6e0e4",
        "#7a4a22": "#4c6c88", "#c8743e": "#7ea2ba", "#94461e": "#4e6e8a",
        "#d8a468": "#c8c2b2", "#9a6232": "#8a8474",
        "#d8d2c4": "#efece4", "#a49c8c": "#bdb9b0", "#e4dfd2": "#f4f2ec", "#bcb6a6": "#cfcbc2",
        "#c89058": "#c8bca6", "#a06a36": "#9a8c76", "#6a3e1a": "#5a4c3c",
        # Sandy banks and ways through the gates, driftwood posts.
        "#b09060": "#f0dcaa", "#7a5a34": "#c8ae7e", "#c8a86a": "#f6e8c0", "#e0c48a": "#fff4d8",
        "#c08850": "#cfc6b4", "#a8743c": "#a09a88",
        # Pale beach pebbles round the fire; the gold mine's sea cliff.
        "#a8a296": "#ece4d2",
        "#b8ac98": "#d6ccb4", "#8e8270": "#a89c84", "#6a5e4e": "#766a58",
        # A fisherman's smock on the scarecrow.
        "#6a8c4a": "#4a78a8", "#3e5a2c": "#2a4a70",
    }

    def roof(self, doc, x0, x1, eave, ridge, inset):
        # A net hung over the right of the roof to dry, corks along its top.
        nx0, nx1 = x1 - (x1 - x0) * 0.34, x1 - 10
        ny0, ny1 = eave - (eave - ridge) * 0.6, eave - 2
        out = [mesh(nx0, ny0, nx1, ny1, 6, "#2e4a5e", 0.9)]
        out.append(path(f"M{f(nx0)} {f(ny0)} L{f(nx1)} {f(ny0)}", stroke="#d8c090", width=1.6))
        x = nx0 + 3
        while x < nx1 - 1:
            out.append(circle(x, ny0, 1.7, "#f08a3a", OUTLINE, 0.6))
            x += 8
        return "".join(out)

    def door(self, doc, x, y, w, h):
        # A lifebuoy on the wall beside the door.
        cx, cy = x - 7.5, y + h * 0.42
        return (circle(cx, cy, 5.5, "none", OUTLINE, 4.6) + circle(cx, cy, 5.5, "none", "#ffffff", 3) +
                circle(cx, cy, 5.5, "none", "#e2402a", 3,
                       extra=' stroke-dasharray="4.3 4.3" transform="rotate(20 ' + f(cx) + " " + f(cy) + ')"'))

    def base(self, doc, cx, y, rx, ry):
        out = []
        for k, (x, yy) in enumerate(self.around(cx, y, rx, ry, max(3, int(rx / 12)), int(cx + y))):
            out.append(shell(x, yy, 2.4 + rnd(k + cx) * 1.2, k))
        if rx > 40:  # a coil of rope at the side
            x = cx + rx * 0.72
            out.append(ellipse(x, y - 1, 7, 3, "none", "#5a3a1a", 3.4))
            out.append(ellipse(x, y - 1, 7, 3, "none", "#e0c88a", 2))
            out.append(ellipse(x, y - 1, 3.5, 1.5, "none", "#e0c88a", 1.4))
        return "".join(out)

    def flowers(self, doc, points):
        return "".join(shell(x, y, 2.8, k) for k, (x, y) in enumerate(points))

    def scatter(self, doc, x0, y0, x1, y1, seed):
        return "".join(shell(x, y, 2.4, k + seed) for k, (x, y) in
                       enumerate(self.strip(x0, y0, x1, y1, max(2, int((x1 - x0) / 22)), seed)))


# ------------------------------------------------------------------ the autumn wood

LEAF_COLOURS = ("#e8782a", "#c8402a", "#f0b83a", "#a8521e", "#d89a30")


def fallen_leaf(x, y, s, k):
    a = rnd(k * 3.7) * 360
    c = LEAF_COLOURS[k % len(LEAF_COLOURS)]
    return path(f"M{f(x - s)} {f(y)} Q{f(x)} {f(y - s * 0.9)} {f(x + s)} {f(y)} Q{f(x)} {f(y + s * 0.9)} "
                f"{f(x - s)} {f(y)} Z M{f(x - s)} {f(y)} L{f(x + s * 0.8)} {f(y)}", c, "#6a2a10", 0.6,
                extra=f' transform="rotate({f(a)} {f(x)} {f(y)})"')


class Autumn(Dress):
    prefix = "autumn"
    colours = {
        # Leaf litter instead of grass, dark earth.
        "#9ad468": "#d8a456", "#78b84c": "#ae7a36", "#d8bc88": "#c69a64", "#b0925e": "#8e6a40",
        "#b07a44": "#7e5432", "#7a5028": "#52341c",
        "#fff0a0": "#ffe09a", "#f0c850": "#e8a040",
        # Russet roofs, moss on the thatch and the slate.
        "#f07a5a": "#e0944c", "#d04a30": "#b05a26", "#8e2a1a": "#6a3214", "#7a2418": "#5a2a10",
        "#f2d27a": "#b8b45c", "#d8a848": "#8a8a3a", "#9a7020": "#525a24",
        "#8a9ab0": "#8aa08a", "#5e6e88": "#5a7260", "#3a4458": "#34443a",
        "#b04a30": "#a45a2a", "#e07050": "#d69050",
        "#b88a5a": "#a0683e", "#8a5e34": "#744424", "#5a3a1e": "#482a14",
        "#e8c08a": "#c89a62", "#c4925a": "#9a6a3a", "#8e5e30": "#6a4220", "#e0b47a": "#b8864e",
        # Ochre plaster, dark timber and boards.
        "#fbf0d8": "#f4e0b8", "#e8d3aa": "#d4b482", "#fff4c8": "#f2dcae", "#ecd89a": "#c8a46c",
        "#7a4a22": "#3a2212", "#c8743e": "#8a5232", "#94461e": "#5a3018",
        "#d8a468": "#a8784a", "#9a6232": "#6a4020",
        "#d8d2c4": "#c8c2a8", "#a49c8c": "#8e8670",
        "#c89058": "#9a6a40", "#a06a36": "#74482a", "#6a3e1a": "#4a2a14",
        "#b8ac98": "#a89a7a", "#8e8270": "#7e7058", "#6a5e4e": "#52483a", "#a8a296": "#8e9470",
        # Leafy banks and ways, dark posts.
        "#b09060": "#c88440", "#7a5a34": "#7e4a22", "#c8a86a": "#c47e3c", "#e0c48a": "#d89a48",
        "#c08850": "#8a5a34", "#a8743c": "#7a4a26",
        # A brown coat on the scarecrow.
        "#6a8c4a": "#8a5a2a", "#3e5a2c": "#5a3418",
    }

    def roof(self, doc, x0, x1, eave, ridge, inset):
        out = []
        for k in range(7):
            t = 0.2 + 0.75 * rnd(x0 + k * 11)
            y = eave - (eave - ridge) * t
            xa, xb = x0 + inset * t + 6, x1 - inset * t - 6
            out.append(fallen_leaf(xa + (xb - xa) * rnd(x1 + k * 5), y, 3.2, k))
        return "".join(out)

    def wall(self, doc, x, y, w, h):
        # Red creeper climbing the left corner.
        g = doc.radial("creeper", [(0, "#f0783a"), (0.6, "#c0301e"), (1, "#7a1a10")], 0.4, 0.35, 0.7)
        out = []
        for k in range(5):
            cx = x + 3 + 4 * rnd(k + x) + (k % 2) * 3
            cy = y + h - 4 - k * h / 6
            r = 4.5 - k * 0.5
            out.append(circle(cx, cy, r, g, "#5a1a0a", 0.9))
        return "".join(out)

    def door(self, doc, x, y, w, h):
        g = doc.radial("doorPumpkin", [(0, "#ffc070"), (0.6, "#f08a20"), (1, "#a04a10")])
        return (ellipse(x - 6, y + h - 3, 5.5, 4, g, OUTLINE, 1) +
                path(f"M{f(x - 6)} {f(y + h - 7)} l1 -3", stroke="#3f6f26", width=1.8))

    def base(self, doc, cx, y, rx, ry):
        pts = self.around(cx, y, rx, ry, max(4, int(rx / 7)), int(cx * 3 + y))
        pts += self.around(cx, y, rx * 0.9, ry, max(2, int(rx / 16)), int(cx + y * 2), front=False)
        return "".join(fallen_leaf(x, yy, 3 + rnd(k + cx) * 1.5, k) for k, (x, yy) in enumerate(pts))

    def flowers(self, doc, points):
        return "".join(fallen_leaf(x, y, 3.4, k) for k, (x, y) in enumerate(points))

    def scatter(self, doc, x0, y0, x1, y1, seed):
        return "".join(fallen_leaf(x, y, 3, k + seed) for k, (x, y) in
                       enumerate(self.strip(x0, y0, x1, y1, max(3, int((x1 - x0) / 12)), seed)))

    def peak(self, doc, points):
        return "".join(fallen_leaf(x + 2, y - 1, 2.8, k) for k, (x, y) in enumerate(points[1:-1] or points[:1]))


# ------------------------------------------------------------------ the snowy north

SNOW, SNOW_EDGE, ICE, ICE_EDGE = "#fbfdff", "#8ea8c4", "#d6effc", "#6f9cc0"


def snow_along(points, thick=4.5):
    d = "M" + " L".join(f"{f(x)} {f(y - 1.5)}" for x, y in points)
    return path(d, stroke=SNOW_EDGE, width=thick + 2) + path(d, stroke=SNOW, width=thick)


def icicles(x0, x1, y, seed, step=7):
    out = []
    x = x0 + 3
    k = 0
    while x < x1 - 2:
        n = 4 + 7 * rnd(seed + k)
        out.append(poly([(x - 2, y), (x + 2, y), (x, y + n)], ICE, ICE_EDGE, 0.8))
        x += step * (0.7 + 0.6 * rnd(seed + k * 3))
        k += 1
    return "".join(out)


def snow_lump(x, y, s):
    return (ellipse(x, y, s * 1.6, s * 0.8, SNOW, SNOW_EDGE, 0.9) +
            ellipse(x - s * 0.4, y - s * 0.25, s * 0.6, s * 0.25, "#ffffff", extra=' opacity="0.9"'))


class North(Dress):
    prefix = "north"
    colours = {
        # Snow instead of grass, a snowy site, frozen earth.
        "#9ad468": "#ffffff", "#78b84c": "#dde9f6", "#d8bc88": "#eef3f8", "#b0925e": "#b8c6d6",
        "#b07a44": "#8a6a52", "#7a5028": "#5a4434",
        # Dark red and tarred roofs (under the snow), log walls of the plaster houses.
        "#f07a5a": "#b0604a", "#d04a30": "#8a3a2a", "#8e2a1a": "#5a2218", "#7a2418": "#4a1a12",
        "#f2d27a": "#c8b07a", "#d8a848": "#a08450", "#9a7020": "#6a5430",
        "#b04a30": "#8a3a2a", "#e07050": "#b86a50",
        "#fbf0d8": "#c8925e", "#e8d3aa": "#8a5a32", "#fff4c8": "#c8925e", "#ecd89a": "#8a5a32",
        "#7a4a22": "#5a3418", "#c8743e": "#9a5a32", "#94461e": "#6a3618",
        "#d8d2c4": "#d6dce6", "#a49c8c": "#98a2b2", "#7a7266": "#6a7484",
        "#b8ac98": "#b8bcc8", "#8e8270": "#8a90a0", "#6a5e4e": "#5a6070", "#9ccc5a": "#e8f0f8",
        "#a8a296": "#aab6c8",
        # Snowy banks and ways, weathered dark wood.
        "#b09060": "#f4f8fc", "#7a5a34": "#b4c4d6", "#c8a86a": "#e6eef8", "#e0c48a": "#ffffff",
        "#c08850": "#8a6448", "#c89058": "#9a6a48", "#a06a36": "#744a30", "#a8743c": "#7a5034",
        # A red coat on the scarecrow.
        "#6a8c4a": "#c04a3a", "#3e5a2c": "#7a2a20",
    }

    def roof(self, doc, x0, x1, eave, ridge, inset):
        # Snow lies over the ridge and the upper slope, heaped along the eave; icicles hang below.
        low = ridge + (eave - ridge) * 0.5
        t = (low - ridge) / (eave - ridge)
        la, lb = x0 + inset * (1 - t), x1 - inset * (1 - t)
        d = f"M{f(x0 + inset - 1)} {f(ridge - 8)} L{f(x1 - inset + 1)} {f(ridge - 8)} L{f(lb + 1)} {f(low)}"
        n = max(3, int((lb - la) / 16))
        for k in range(n):
            xa = lb - (lb - la) * k / n
            xb = lb - (lb - la) * (k + 1) / n
            d += f" Q{f((xa + xb) / 2)} {f(low + 5 + 3 * rnd(k + x0))} {f(xb)} {f(low)}"
        d += " Z"
        out = [path(d, SNOW, SNOW_EDGE, 1.3),
               path(f"M{f(x0 + inset + 6)} {f(ridge - 5)} L{f(x1 - inset - 6)} {f(ridge - 5)}",
                    stroke="#ffffff", width=2)]
        out.append(snow_along([(x0 + 1, eave - 1), (x1 - 1, eave - 1)], 4))
        out.append(icicles(x0 + 4, x1 - 4, eave + 1, x0 + eave))
        return "".join(out)

    def chimney(self, doc, x, y, w, h):
        return path(f"M{f(x - 3)} {f(y - 2)} Q{f(x + w / 2)} {f(y - 9)} {f(x + w + 3)} {f(y - 2)} Z",
                    SNOW, SNOW_EDGE, 1)

    def wall(self, doc, x, y, w, h):
        # The plaster houses are log houses up here: courses of logs, their ends at the corners.
        out = []
        yy = y + 6
        while yy < y + h - 2:
            out.append(path(f"M{f(x + 1)} {f(yy)} h{f(w - 2)}", stroke="#4a2810", width=1.1,
                            extra=' opacity="0.75"'))
            for xx in (x, x + w):
                out.append(circle(xx, yy - 3, 3, "#e8c890", OUTLINE, 0.8))
            yy += 7
        return "".join(out)

    def base(self, doc, cx, y, rx, ry):
        out = []
        for side in (-1, 1):
            out.append(snow_lump(cx + side * rx * 0.78, y - 1, max(4, rx * 0.09)))
        for k, (x, yy) in enumerate(self.around(cx, y, rx, ry, max(2, int(rx / 24)), int(cx + y))):
            out.append(snow_lump(x, yy, 2.5 + rnd(k) * 1.5))
        return "".join(out)

    def flowers(self, doc, points):
        return "".join(snow_lump(x, y, 2.6) for x, y in points)

    def scatter(self, doc, x0, y0, x1, y1, seed):
        return "".join(snow_lump(x, y, 2.6 + rnd(seed + k)) for k, (x, y) in
                       enumerate(self.strip(x0, y0, x1, y1, max(2, int((x1 - x0) / 16)), seed)))

    def peak(self, doc, points):
        return snow_along(points)

    def icicles(self, doc, x0, x1, y):
        return icicles(x0, x1, y, x0 + y, step=6)


# ------------------------------------------------------------------ the red desert

def cactus(x, y, s):
    body = f"M{f(x - s * 0.35)} {f(y)} V{f(y - s * 1.6)} Q{f(x)} {f(y - s * 2.1)} {f(x + s * 0.35)} {f(y - s * 1.6)} V{f(y)} Z"
    arms = (f"M{f(x - s * 0.3)} {f(y - s * 0.8)} h{f(-s * 0.5)} v{f(-s * 0.6)} "
            f"M{f(x + s * 0.3)} {f(y - s * 1.1)} h{f(s * 0.5)} v{f(-s * 0.5)}")
    return (path(arms, stroke=OUTLINE, width=s * 0.5 + 1.2) + path(arms, stroke="#6aa04a", width=s * 0.5) +
            path(body, "#6aa04a", OUTLINE, 0.9))


def pebble(x, y, s, k):
    return ellipse(x, y, s * 1.3, s * 0.8, ("#c8784a", "#e8b080", "#a85a34")[k % 3], OUTLINE, 0.7)


def ripples(x0, x1, y, seed):
    out = []
    for k in range(2):
        xa = x0 + (x1 - x0) * (0.05 + 0.5 * rnd(seed + k))
        w = (x1 - x0) * 0.3
        out.append(path(f"M{f(xa)} {f(y + k * 3)} q{f(w / 4)} -2 {f(w / 2)} 0 t{f(w / 2)} 0", stroke="#b06a3a",
                        width=1, extra=' opacity="0.7"'))
    return "".join(out)


class Desert(Dress):
    prefix = "desert"
    colours = {
        # Red sand instead of grass.
        "#9ad468": "#f4c088", "#78b84c": "#d68c56", "#d8bc88": "#ec9c68", "#b0925e": "#b8663a",
        "#b07a44": "#c8844c", "#7a5028": "#9a5a30", "#fff0a0": "#fff4c0", "#f0c850": "#e8c070",
        # Sandstone and clay-tile roofs, palm thatch.
        "#f07a5a": "#f4d4a0", "#d04a30": "#d8a064", "#8e2a1a": "#9a6030", "#7a2418": "#8a5428",
        "#f2d27a": "#e0cc78", "#d8a848": "#b8a048", "#9a7020": "#7a6a28",
        "#8a9ab0": "#e8c090", "#5e6e88": "#c08a58", "#3a4458": "#8a5a34", "#2a3040": "#7a4a28",
        "#9ccc5a": "#d8c070", "#5e8a34": "#a89040", "#2c4e1a": "#6a5a20",
        "#b04a30": "#c8a050", "#e07050": "#ead088",
        "#b88a5a": "#ecc890", "#8a5e34": "#c4925a", "#5a3a1e": "#8a5a30",
        # Sun-bleached planks and beams.
        "#e8c08a": "#f6e0b4", "#c4925a": "#dab47e", "#8e5e30": "#aa824c", "#e0b47a": "#f0d4a0",
        "#a0703e": "#b88a56", "#9a6232": "#b88050", "#5e3519": "#7a5030",
        # Adobe walls, palm-wood beams, sun-bleached boards, sandstone.
        "#fbf0d8": "#f4d0a0", "#e8d3aa": "#d89a66", "#fff4c8": "#f6d6a8", "#ecd89a": "#dca070",
        "#7a4a22": "#c4885a", "#c8743e": "#dcb486", "#94461e": "#a87848",
        "#d8d2c4": "#f0c898", "#a49c8c": "#c88a5a", "#7a7266": "#9a6a40",
        "#e4dfd2": "#f8dcb0", "#bcb6a6": "#d8a878", "#7e786a": "#9a6a44", "#9c968a": "#b88458",
        "#b8ac98": "#e0906a", "#8e8270": "#b8643e", "#6a5e4e": "#804028", "#a8a296": "#d88a5a",
        # Red sand banks and ways, pale palm-wood posts.
        "#b09060": "#e88a58", "#7a5a34": "#a8502c", "#c8a86a": "#e89060", "#e0c48a": "#f4b078",
        "#c08850": "#e6c08a", "#a8743c": "#d8a870",
        # A striped robe on the scarecrow.
        "#6a8c4a": "#e0c070", "#3e5a2c": "#a86a28",
    }

    def roof(self, doc, x0, x1, eave, ridge, inset):
        out = []
        # A dome on the ridge where there is room above it.
        r = min(20.0, (x1 - x0) * 0.13)
        h = min(r * 0.85, ridge - 10)
        if h >= 8:
            cx = (x0 + x1) / 2
            g = doc.linear("dome", [(0, "#fff4e0"), (0.55, "#f0d0a0"), (1, "#c89060")], 0, 0, 1, 0)
            base = ridge - 5
            out.append(path(f"M{f(cx - r)} {f(base)} C{f(cx - r)} {f(base - h * 1.2)} {f(cx + r)} "
                            f"{f(base - h * 1.2)} {f(cx + r)} {f(base)} Z", g, OUTLINE, 1.5))
            out.append(path(f"M{f(cx)} {f(base - h * 0.9)} v-5", stroke=OUTLINE, width=1.5))
            out.append(circle(cx, base - h * 0.9 - 6, 1.8, "#f5c02a", OUTLINE, 0.7))
            out.append(path(f"M{f(cx - r * 0.55)} {f(base - 2)} Q{f(cx - r * 0.55)} {f(base - h * 0.8)} "
                            f"{f(cx - r * 0.1)} {f(base - h * 0.9)}", stroke="#ffffff", width=1.4,
                            extra=' opacity="0.7"'))
        # Roof beams sticking out under the eave.
        x = x0 + 12
        while x < x1 - 12:
            out.append(f'<rect x="{f(x)}" y="{f(eave - 1)}" width="4" height="5" fill="#8a5a30" '
                       f'stroke="{OUTLINE}" stroke-width="0.8"/>')
            x += 18
        return "".join(out)

    def door(self, doc, x, y, w, h):
        # A palm-frond shade over the door on two poles.
        top, low = y - 10, y - 2
        out = [path(f"M{f(x - 6)} {f(top + 14)} V{f(top)} M{f(x + w + 6)} {f(top + 14)} V{f(top)}",
                    stroke=OUTLINE, width=2.2),
               poly([(x - 10, top), (x + w + 10, top), (x + w + 13, low), (x - 13, low)], "#c8b058", OUTLINE, 1.2)]
        xx = x - 10
        while xx <= x + w + 11:
            out.append(path(f"M{f(xx)} {f(top)} l{f(-1.5)} {f(low - top + 3)}", stroke="#6a7a2a", width=1))
            xx += 3.5
        return "".join(out)

    def base(self, doc, cx, y, rx, ry):
        out = [ripples(cx - rx * 0.9, cx + rx * 0.9, y + ry * 0.35, int(cx + y))]
        for k, (x, yy) in enumerate(self.around(cx, y, rx, ry, max(2, int(rx / 18)), int(cx * 2 + y))):
            out.append(pebble(x, yy, 1.6 + rnd(k) * 1.2, k))
        if rx > 40:
            out.append(cactus(cx - rx * 0.82, y + 2, 5))
        return "".join(out)

    def flowers(self, doc, points):
        return "".join(cactus(x, y + 2, 3.5) if k % 2 == 0 else pebble(x, y, 2, k)
                       for k, (x, y) in enumerate(points))

    def scatter(self, doc, x0, y0, x1, y1, seed):
        out = [ripples(x0, x1, (y0 + y1) / 2, seed)]
        out += [pebble(x, y, 1.8, k + seed) for k, (x, y) in
                enumerate(self.strip(x0, y0, x1, y1, max(2, int((x1 - x0) / 20)), seed))]
        return "".join(out)


LANDS = (Coast(), Autumn(), North(), Desert())


def paint(land):
    """Writes the land's dress of every picture, then leaves the drawings to the meadow again."""
    artlib.DRESS = land
    try:
        for draw in PICTURES.values():
            draw()
    finally:
        artlib.DRESS = None


def write_table():
    rows = []
    for land in LANDS:
        for name in PICTURES:
            rows.append(f'  <Dress tex="{land.prefix}_{name}" of="{name}"/>\n')
    with open(TABLE, "w", encoding="utf-8") as fh:
        fh.write('<?xml version="1.0" encoding="utf-8"?>\n'
                 "<!-- The lands' dress of the meadow's camp, sites and buildings (written by "
                 "land_dress.py): a dressed picture\n     plays the animation, carries the particles, "
                 "the selector and the briefing placement of the picture it dresses. -->\n"
                 "<LandDress>\n" + "".join(rows) + "</LandDress>\n")


TEX = re.compile(r'(<object\b[^>]*?\btex=")([^"]+)(")')


def dress_levels():
    """Episodes 2 to 5 wear their land's dress: only the tex attributes of their objects change."""
    lands = {2: LANDS[0], 3: LANDS[1], 4: LANDS[2], 5: LANDS[3]}
    changed = 0
    for episode, land in lands.items():
        for file in sorted(glob.glob(os.path.join(LEVELS, f"level_{episode:02d}_*.xml"))):
            with open(file, encoding="utf-8") as fh:
                text = fh.read()

            def dressed(m):
                name = m.group(2)
                own = f"{land.prefix}_{name}"
                if name in LEVEL_NAMES and os.path.exists(os.path.join(artlib.ART, "world", own + ".svg")):
                    return m.group(1) + own + m.group(3)
                return m.group(0)

            new = TEX.sub(dressed, text)
            if new != text:
                changed += 1
                with open(file, "w", encoding="utf-8") as fh:
                    fh.write(new)
    print(f"land_dress.py: {changed} level files dressed")


def main():
    if "--levels" in sys.argv[1:]:
        dress_levels()
        return
    for land in LANDS:
        paint(land)
    write_table()


if __name__ == "__main__":
    main()
