#!/usr/bin/env python3
"""Writes the six comics: every picture as its own layer (textures/com<N>_*.svg: the panels'
scenes and the figures acting in them), the page behind them (comics_page, comics_backdrop,
comics_band), each comic's description with its time line (game/content/comics/
com_<N>_desc.xml), the title and subtitles in four languages (game/locale/LANG/comics_text.xml)
and a wordless murmur for every line (sounds/voices/comics_<NN>_<K>.ksy, which ksynth turns
into content/sounds/vo/comics_<NN>_<K>.ogg).
    python3 content-src/art/generated/comics.py

A page is 1000 × 700 units; the comic screen puts its top left corner at the top left of
layout "comics"'s control 10. A layer's pos is where its picture's lower left corner lies:
right of and below the page's corner. Every panel fades and slides into place, its figures
follow, walk, turn up in size or jump; a line of subtitles and its murmur go with each panel.
"""
import math
import os
import random
import re

from artlib import ART, OUTLINE, Doc, canopy, circle, ellipse, f, group, path, poly, rock, trunk

ROOT = os.path.dirname(ART)  # content-src
PAGE_W, PAGE_H = 1000, 700
PANEL_TOP, PANEL_BOTTOM = 14, 616  # the subtitle band sits below
LANGS = ("en", "de", "ru", "pl")

# ---------------------------------------------------------------- scene pieces


def sky(d, w, h, top, bottom, ident):
    g = d.linear(ident, [(0, top), (1, bottom)])
    return f'<rect x="0" y="0" width="{w}" height="{h}" fill="{g}"/>'


def sun(d, x, y, r, colour="#ffe27a"):
    glow = d.radial("sunglow", [(0, "#fff6c8", 0.9), (0.5, colour, 0.35), (1, colour, 0)],
                    cx=0.5, cy=0.5, r=0.5)
    return ellipse(x, y, r * 2.6, r * 2.6, glow) + circle(x, y, r, colour, "#e8a23a", 2)


def cloud(x, y, s, colour="#ffffff", opacity=0.95):
    parts = [circle(x + dx * s, y + dy * s, r * s, colour) for dx, dy, r in
             ((0, 0, 18), (20, -8, 22), (42, 0, 17), (22, 6, 18))]
    return group(parts, f' opacity="{f(opacity)}"')


def hills(d, w, h, y, colours, ident, seed=1):
    """Rolling hills from the back (first colour) to the front."""
    rnd = random.Random(seed)
    out = []
    n = len(colours)
    for i, (c1, c2) in enumerate(colours):
        base = y + i * (h - y) / (n + 0.5)
        pts = []
        steps = 6
        for k in range(steps + 1):
            pts.append((w * k / steps, base - rnd.uniform(8, 34)))
        dd = f"M0 {f(h)} L0 {f(pts[0][1])}"
        for k in range(1, len(pts)):
            (x0, y0), (x1, y1) = pts[k - 1], pts[k]
            dd += f" C{f(x0 + (x1 - x0) * 0.5)} {f(y0)} {f(x0 + (x1 - x0) * 0.5)} {f(y1)} {f(x1)} {f(y1)}"
        dd += f" L{f(w)} {f(h)} Z"
        g = d.linear(f"{ident}{i}", [(0, c1), (1, c2)])
        out.append(path(dd, g, OUTLINE, 2))
    return "".join(out)


def ground(d, w, h, y, top, bottom, ident):
    g = d.linear(ident, [(0, top), (1, bottom)])
    return path(f"M0 {f(y)} Q{f(w * 0.5)} {f(y - 14)} {f(w)} {f(y)} L{f(w)} {f(h)} L0 {f(h)} Z",
                g, OUTLINE, 2)


def tree(d, x, y, s, kind="green", ident="t"):
    """A tree standing at (x, y): green, autumn or a pine (with snow when kind is 'snow')."""
    if kind in ("pine", "snow"):
        out = [trunk(d, x, y - 14 * s, y, 5 * s, 7 * s, ident + "tr", roots=False)]
        g = d.linear(ident + "pn", [(0, "#4f9a48"), (1, "#1f5222")])
        for k in range(3):
            top = y - (70 - k * 18) * s
            half = (16 + k * 9) * s
            out.append(poly([(x, top), (x + half, top + 30 * s), (x - half, top + 30 * s)], g,
                            OUTLINE, 1.6))
            if kind == "snow":
                out.append(path(f"M{f(x - half * 0.7)} {f(top + 22 * s)} Q{f(x)} {f(top + 12 * s)} "
                                f"{f(x + half * 0.7)} {f(top + 22 * s)} L{f(x)} {f(top + 4 * s)} Z",
                                "#f6fbff", OUTLINE, 1))
        return "".join(out)
    stops = {"green": [(0, "#9be06a"), (0.45, "#5aa83a"), (1, "#2f6e22")],
             "autumn": [(0, "#ffd56a"), (0.45, "#e8862a"), (1, "#a0361a")],
             "red": [(0, "#ffb08a"), (0.5, "#d84a2a"), (1, "#7a1a10")]}[kind]
    light = {"green": "#c8f29a", "autumn": "#fff0a0", "red": "#ffd0b0"}[kind]
    out = [trunk(d, x, y - 34 * s, y, 7 * s, 10 * s, ident + "tr")]
    out.append(canopy(d, ident + "cn", [(x - 14 * s, y - 44 * s, 17 * s), (x + 13 * s, y - 46 * s, 18 * s),
                                        (x, y - 62 * s, 20 * s)], stops, light))
    return "".join(out)


def house(d, x, y, s, roof="#c8452a", wall="#f3e2b8", ruined=False, ident="h"):
    """A cottage whose door sits at (x, y)."""
    wg = d.linear(ident + "w", [(0, wall), (1, "#c8b088")], 0, 0, 1, 0)
    out = [f'<rect x="{f(x - 30 * s)}" y="{f(y - 40 * s)}" width="{f(60 * s)}" height="{f(40 * s)}" '
           f'fill="{wg}" stroke="{OUTLINE}" stroke-width="2"/>']
    if ruined:
        out.append(poly([(x - 36 * s, y - 38 * s), (x - 8 * s, y - 66 * s), (x + 6 * s, y - 52 * s),
                         (x + 20 * s, y - 60 * s), (x + 30 * s, y - 40 * s)], "#6a4a30", OUTLINE, 2))
        out.append(path(f"M{f(x - 20 * s)} {f(y - 40 * s)} l{f(14 * s)} {f(-22 * s)} M{f(x + 4 * s)} "
                        f"{f(y - 44 * s)} l{f(10 * s)} {f(-12 * s)}", stroke=OUTLINE, width=2.5))
    else:
        rg = d.linear(ident + "r", [(0, roof), (1, "#6a1e10")])
        out.append(poly([(x - 38 * s, y - 38 * s), (x, y - 72 * s), (x + 38 * s, y - 38 * s)], rg,
                        OUTLINE, 2))
        out.append(f'<rect x="{f(x + 12 * s)}" y="{f(y - 30 * s)}" width="{f(12 * s)}" height="{f(11 * s)}" '
                   f'fill="#ffe9a0" stroke="{OUTLINE}" stroke-width="1.5"/>')
    out.append(f'<rect x="{f(x - 8 * s)}" y="{f(y - 22 * s)}" width="{f(16 * s)}" height="{f(22 * s)}" '
               f'rx="{f(6 * s)}" fill="#7a4a24" stroke="{OUTLINE}" stroke-width="1.5"/>')
    return "".join(out)


def sea(d, w, h, y, ident, colour=("#7ad0ee", "#1f6aa8")):
    g = d.linear(ident, [(0, colour[0]), (1, colour[1])])
    out = [f'<rect x="0" y="{f(y)}" width="{w}" height="{f(h - y)}" fill="{g}"/>']
    for k in range(5):
        yy = y + 10 + k * (h - y) / 5
        for i in range(0, w, 60):
            xx = i + (k % 2) * 30
            out.append(path(f"M{f(xx)} {f(yy)} q10 -6 20 0 q10 6 20 0", stroke="#e8f8ff", width=2,
                            extra=' opacity="0.55"'))
    return "".join(out)


def rain(w, h, seed=3, colour="#cfe0f0"):
    rnd = random.Random(seed)
    return "".join(path(f"M{f(x)} {f(y)} l-6 18", stroke=colour, width=1.6, extra=' opacity="0.7"')
                   for x, y in ((rnd.uniform(0, w + 40), rnd.uniform(-10, h)) for _ in range(90)))


def snowflakes(w, h, seed=5):
    rnd = random.Random(seed)
    return "".join(circle(rnd.uniform(0, w), rnd.uniform(0, h), rnd.uniform(1.5, 3.5), "#ffffff",
                          extra=' opacity="0.9"') for _ in range(70))


def lightning(x, y):
    return poly([(x, y), (x + 26, y + 60), (x + 10, y + 62), (x + 34, y + 130), (x - 6, y + 54),
                 (x + 10, y + 52), (x - 10, y)], "#fff7b0", "#e8b030", 2)


def cart(d, x, y, s=1.0):
    g = d.linear("cartwood", [(0, "#d8a060"), (1, "#8a5428")])
    out = [f'<rect x="{f(x - 46 * s)}" y="{f(y - 44 * s)}" width="{f(92 * s)}" height="{f(26 * s)}" '
           f'fill="{g}" stroke="{OUTLINE}" stroke-width="2"/>']
    out.append(path(f"M{f(x - 40 * s)} {f(y - 44 * s)} q{f(20 * s)} {f(-26 * s)} {f(40 * s)} {f(-6 * s)} "
                    f"q{f(20 * s)} {f(-22 * s)} {f(40 * s)} {f(6 * s)}", "#e8d8a8", OUTLINE, 2))
    out.append(path(f"M{f(x + 46 * s)} {f(y - 30 * s)} l{f(40 * s)} {f(-6 * s)}", stroke=OUTLINE, width=3))
    for wx in (x - 26 * s, x + 26 * s):
        out.append(circle(wx, y - 12 * s, 14 * s, "#7a4a24", OUTLINE, 2))
        out.append(circle(wx, y - 12 * s, 4 * s, "#d8a060", OUTLINE, 1.5))
    return "".join(out)


def boat(d, x, y, s=1.0):
    g = d.linear("hull", [(0, "#c87a3a"), (1, "#6a3a18")])
    out = [path(f"M{f(x - 60 * s)} {f(y - 20 * s)} L{f(x + 60 * s)} {f(y - 20 * s)} L{f(x + 44 * s)} {f(y)} "
                f"L{f(x - 44 * s)} {f(y)} Z", g, OUTLINE, 2)]
    out.append(path(f"M{f(x)} {f(y - 20 * s)} L{f(x)} {f(y - 100 * s)}", stroke=OUTLINE, width=3))
    out.append(poly([(x + 4 * s, y - 96 * s), (x + 50 * s, y - 30 * s), (x + 4 * s, y - 30 * s)],
                    "#fff8e8", OUTLINE, 2))
    out.append(poly([(x - 4 * s, y - 90 * s), (x - 40 * s, y - 32 * s), (x - 4 * s, y - 32 * s)],
                    "#e86a4a", OUTLINE, 2))
    return "".join(out)


def dunes(d, w, h, y, ident):
    out = []
    cols = [("#f4c27a", "#d88a3a"), ("#e8a45a", "#b8642a"), ("#d8843a", "#8a3a1a")]
    for i, (c1, c2) in enumerate(cols):
        base = y + i * (h - y) / 3.2
        g = d.linear(f"{ident}{i}", [(0, c1), (1, c2)])
        out.append(path(f"M0 {f(h)} L0 {f(base + 10)} C{f(w * 0.25)} {f(base - 40)} {f(w * 0.45)} "
                        f"{f(base + 30)} {f(w * 0.7)} {f(base - 10)} S{f(w * 0.95)} {f(base + 6)} "
                        f"{f(w)} {f(base - 4)} L{f(w)} {f(h)} Z", g, OUTLINE, 2))
    return "".join(out)


def cactus(x, y, s=1.0):
    g = "#5a9a3a"
    return (path(f"M{f(x - 7 * s)} {f(y)} L{f(x - 7 * s)} {f(y - 60 * s)} Q{f(x)} {f(y - 70 * s)} "
                 f"{f(x + 7 * s)} {f(y - 60 * s)} L{f(x + 7 * s)} {f(y)} Z", g, OUTLINE, 2) +
            path(f"M{f(x - 7 * s)} {f(y - 30 * s)} L{f(x - 20 * s)} {f(y - 30 * s)} L{f(x - 20 * s)} "
                 f"{f(y - 48 * s)}", stroke=OUTLINE, width=9 * s) +
            path(f"M{f(x - 7 * s)} {f(y - 30 * s)} L{f(x - 20 * s)} {f(y - 30 * s)} L{f(x - 20 * s)} "
                 f"{f(y - 48 * s)}", stroke=g, width=6 * s))


def lantern_string(w, y):
    out = [path(f"M0 {f(y)} Q{f(w / 2)} {f(y + 40)} {f(w)} {f(y)}", stroke=OUTLINE, width=1.5)]
    cols = ("#ff6a4a", "#ffd23a", "#6ad0ff", "#9aee6a")
    for i in range(1, 9):
        t = i / 9
        x = w * t
        yy = y + 40 * 4 * t * (1 - t) * 0.5 * 2
        out.append(ellipse(x, yy + 8, 7, 9, cols[i % 4], OUTLINE, 1.5))
    return "".join(out)


def firework(x, y, r, colour):
    out = []
    for k in range(14):
        a = 2 * math.pi * k / 14
        out.append(path(f"M{f(x + math.cos(a) * r * 0.3)} {f(y + math.sin(a) * r * 0.3)} "
                        f"L{f(x + math.cos(a) * r)} {f(y + math.sin(a) * r)}", stroke=colour, width=3))
        out.append(circle(x + math.cos(a) * r, y + math.sin(a) * r, 3, "#ffffff"))
    return "".join(out)


def table(d, x, y, w):
    g = d.linear("table", [(0, "#c88a4a"), (1, "#7a4a24")])
    out = [f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="12" fill="{g}" stroke="{OUTLINE}" stroke-width="2"/>']
    for lx in (x + 10, x + w - 18):
        out.append(f'<rect x="{f(lx)}" y="{f(y + 12)}" width="8" height="30" fill="#7a4a24" stroke="{OUTLINE}" stroke-width="1.5"/>')
    for i, c in enumerate(("#e8452a", "#f4c23a", "#8ad04a", "#e8862a", "#c84a8a")):
        cx = x + 24 + i * (w - 48) / 4
        out.append(ellipse(cx, y - 6, 14, 8, c, OUTLINE, 1.5))
    return "".join(out)


def frame(w, h):
    """The panel's border, drawn last."""
    return (f'<rect x="2" y="2" width="{w - 4}" height="{h - 4}" rx="6" fill="none" '
            f'stroke="#2a180a" stroke-width="4"/>'
            f'<rect x="6" y="6" width="{w - 12}" height="{h - 12}" rx="3" fill="none" '
            f'stroke="#ffffff" stroke-width="1.5" opacity="0.35"/>')


def clip_panel(d, w, h, body):
    d.define("panelclip", f'<clipPath id="panelclip"><rect x="0" y="0" width="{w}" height="{h}" rx="6"/></clipPath>')
    return f'<g clip-path="url(#panelclip)">{body}</g>' + frame(w, h)


# ---------------------------------------------------------------- scenes, by name

def scene(name, d, w, h):
    """The background of a panel; name picks what it shows."""
    out = []
    if name == "valley":
        out += [sky(d, w, h, "#6ab8f0", "#d8f0ff", "sky"), sun(d, w * 0.82, h * 0.2, 22),
                cloud(w * 0.15, h * 0.18, 1.0), cloud(w * 0.5, h * 0.12, 0.8),
                hills(d, w, h, h * 0.5, [("#a8d880", "#6aa84a"), ("#8ac860", "#4a8a30")], "hl"),
                house(d, w * 0.3, h * 0.8, 1.1, ident="h1"), house(d, w * 0.55, h * 0.76, 0.9, "#3a6ac8", ident="h2"),
                tree(d, w * 0.12, h * 0.86, 1.2, ident="t1"), tree(d, w * 0.78, h * 0.84, 1.4, ident="t2")]
    elif name == "storm":
        out += [sky(d, w, h, "#2a2e48", "#6a6a88", "sky"), cloud(w * 0.1, h * 0.15, 1.6, "#4a4a62"),
                cloud(w * 0.5, h * 0.1, 1.8, "#3a3a52"), lightning(w * 0.62, h * 0.12),
                hills(d, w, h, h * 0.55, [("#4a6a4a", "#2a4a2a"), ("#3a5a3a", "#1e3a1e")], "hl"),
                house(d, w * 0.35, h * 0.84, 1.1, ruined=True, ident="h1"),
                tree(d, w * 0.8, h * 0.86, 1.2, ident="t1"), rain(w, h)]
    elif name == "fallen":
        out += [sky(d, w, h, "#8aa8c8", "#d8e0e8", "sky"),
                hills(d, w, h, h * 0.48, [("#9ac078", "#5a8a40")], "hl"),
                ground(d, w, h, h * 0.72, "#c8a870", "#8a6a40", "road"),
                trunk(d, w * 0.62, h * 0.74, h * 0.76, 10, 12, "st", roots=False),
                path(f"M{f(w * 0.18)} {f(h * 0.8)} L{f(w * 0.7)} {f(h * 0.7)}", stroke=OUTLINE, width=26),
                path(f"M{f(w * 0.18)} {f(h * 0.8)} L{f(w * 0.7)} {f(h * 0.7)}", stroke="#9a6232", width=22),
                canopy(d, "fc", [(w * 0.16, h * 0.74, 30), (w * 0.22, h * 0.66, 26), (w * 0.1, h * 0.7, 24)]),
                rock(d, "r1", w * 0.85, h * 0.86, 26, 16)]
    elif name == "road_east":
        out += [sky(d, w, h, "#f8b070", "#ffe8b0", "sky"), sun(d, w * 0.8, h * 0.42, 26, "#ffd060"),
                hills(d, w, h, h * 0.5, [("#b8c880", "#7a9a50"), ("#98b860", "#5a8a38")], "hl"),
                path(f"M{f(w * 0.1)} {f(h)} Q{f(w * 0.45)} {f(h * 0.7)} {f(w * 0.8)} {f(h * 0.52)}",
                     stroke="#c8a870", width=26),
                tree(d, w * 0.18, h * 0.7, 1.0, ident="t1")]
    elif name == "village_rebuilt":
        out += [sky(d, w, h, "#7ac0f0", "#e0f4ff", "sky"), cloud(w * 0.7, h * 0.16, 1.0),
                hills(d, w, h, h * 0.5, [("#a8d880", "#6aa84a")], "hl"),
                house(d, w * 0.22, h * 0.8, 1.1, ident="h1"), house(d, w * 0.5, h * 0.78, 1.2, "#e8a02a", ident="h2"),
                house(d, w * 0.78, h * 0.82, 1.0, "#3a6ac8", ident="h3"),
                ground(d, w, h, h * 0.86, "#8ac860", "#4a8a30", "gr")]
    elif name == "sea":
        out += [sky(d, w, h, "#5ab0f0", "#e0f6ff", "sky"), sun(d, w * 0.2, h * 0.2, 20),
                cloud(w * 0.6, h * 0.14, 0.9), sea(d, w, h, h * 0.5, "sea"),
                boat(d, w * 0.68, h * 0.62, 0.8),
                path(f"M0 {f(h * 0.9)} Q{f(w * 0.4)} {f(h * 0.74)} {f(w * 0.6)} {f(h)} L0 {f(h)} Z", "#f0d898", OUTLINE, 2)]
    elif name == "harbour":
        out += [sky(d, w, h, "#70b8f0", "#f0f8ff", "sky"), sea(d, w, h, h * 0.55, "sea"),
                boat(d, w * 0.3, h * 0.7, 0.9), boat(d, w * 0.75, h * 0.66, 0.6),
                f'<rect x="{f(w * 0.45)}" y="{f(h * 0.72)}" width="{f(w * 0.6)}" height="14" fill="#a8743a" stroke="{OUTLINE}" stroke-width="2"/>',
                house(d, w * 0.85, h * 0.55, 0.9, "#3a6ac8", ident="h1")]
    elif name == "autumn":
        out += [sky(d, w, h, "#f0b878", "#fff0d0", "sky"),
                hills(d, w, h, h * 0.55, [("#d8a050", "#a06a30"), ("#c88a40", "#7a4a20")], "hl"),
                tree(d, w * 0.15, h * 0.86, 1.5, "autumn", "t1"), tree(d, w * 0.42, h * 0.8, 1.2, "red", "t2"),
                tree(d, w * 0.7, h * 0.88, 1.6, "autumn", "t3"), tree(d, w * 0.92, h * 0.8, 1.1, "red", "t4")]
        rnd = random.Random(9)
        out += [ellipse(rnd.uniform(0, w), rnd.uniform(h * 0.2, h), 4, 2.5, rnd.choice(("#e8862a", "#c83a1a", "#f4c23a")),
                        extra=f' transform="rotate({rnd.randint(0, 180)})"' if False else "") for _ in range(30)]
    elif name == "snow":
        out += [sky(d, w, h, "#a8c0e0", "#eef4fc", "sky"),
                hills(d, w, h, h * 0.5, [("#ffffff", "#d0e0f0"), ("#f4f8ff", "#c0d4e8")], "hl"),
                tree(d, w * 0.15, h * 0.86, 1.4, "snow", "t1"), tree(d, w * 0.3, h * 0.8, 1.0, "snow", "t2"),
                tree(d, w * 0.85, h * 0.88, 1.5, "snow", "t3"), snowflakes(w, h)]
    elif name == "north_lake":
        out += [sky(d, w, h, "#5a6aa8", "#c8d0f0", "sky"), circle(w * 0.75, h * 0.2, 18, "#f8f8e8", "#c8c8b8", 2),
                hills(d, w, h, h * 0.45, [("#e8f0ff", "#b8c8e0")], "hl"),
                ellipse(w * 0.5, h * 0.8, w * 0.42, h * 0.12, "#b8e0f4", OUTLINE, 2),
                tree(d, w * 0.1, h * 0.9, 1.2, "snow", "t1"), snowflakes(w, h, 8)]
    elif name == "desert":
        out += [sky(d, w, h, "#f8a060", "#ffe0a0", "sky"), sun(d, w * 0.75, h * 0.22, 30, "#fff0a0"),
                dunes(d, w, h, h * 0.5, "dn"), cactus(w * 0.15, h * 0.85, 1.1), cactus(w * 0.88, h * 0.8, 0.8)]
    elif name == "oasis":
        out += [sky(d, w, h, "#f0b070", "#fff0c8", "sky"), dunes(d, w, h, h * 0.55, "dn"),
                ellipse(w * 0.5, h * 0.8, w * 0.26, h * 0.07, "#5ac0e0", OUTLINE, 2),
                tree(d, w * 0.3, h * 0.78, 1.2, "green", "t1"), tree(d, w * 0.7, h * 0.76, 1.0, "green", "t2")]
    elif name == "feast":
        out += [sky(d, w, h, "#1a2450", "#5a4a8a", "sky"), firework(w * 0.25, h * 0.2, 34, "#ffd23a"),
                firework(w * 0.7, h * 0.16, 40, "#ff6a8a"), firework(w * 0.5, h * 0.3, 24, "#6ad0ff"),
                hills(d, w, h, h * 0.6, [("#3a5a3a", "#1e3a1e")], "hl"), lantern_string(w, h * 0.42),
                house(d, w * 0.15, h * 0.76, 0.9, ident="h1"), table(d, w * 0.35, h * 0.8, w * 0.34)]
    elif name == "map":
        g = d.linear("parch", [(0, "#f4e2b0"), (1, "#d8b878")])
        out += [f'<rect x="0" y="0" width="{w}" height="{h}" fill="{g}"/>']
        pts = [(0.12, 0.7), (0.3, 0.55), (0.46, 0.66), (0.62, 0.4), (0.78, 0.55), (0.9, 0.3)]
        dd = "M" + " L".join(f"{f(x * w)} {f(y * h)}" for x, y in pts)
        out.append(path(dd, stroke="#8a3a1a", width=3, extra=' stroke-dasharray="10 8"'))
        cols = ("#6aa84a", "#4a9ad8", "#e8862a", "#e8f0ff", "#d8843a", "#c84a2a")
        for (x, y), c in zip(pts, cols):
            out.append(circle(x * w, y * h, 14, c, OUTLINE, 2.5))
        out.append(path(f"M{f(w * 0.86)} {f(h * 0.2)} l18 18 m0 -18 l-18 18", stroke="#a0201a", width=5))
    else:
        raise ValueError(name)
    return clip_panel(d, w, h, "".join(out))


# ---------------------------------------------------------------- figures

FIGURES = {}


def figure_svg(who):
    """The inner drawing of a dialog speaker's figure (260 × 400)."""
    if who not in FIGURES:
        with open(os.path.join(ART, "atlases", "characters", who + "_figure.svg"), encoding="utf-8") as src:
            text = src.read()
        inner = text[text.index(">", text.index("<svg")) + 1:text.rindex("</svg>")]
        FIGURES[who] = inner
    return FIGURES[who]


def write_figure(name, who, scale, mirror=False):
    w, h = round(260 * scale), round(400 * scale)
    d = Doc(w, h, f"A comic's {who}, {'facing left' if mirror else 'facing right'}.")
    t = f"translate({w} 0) scale(-1 1) " if mirror else ""
    d.add(f'<g transform="{t}scale({f(scale)})">{figure_svg(who)}</g>')
    d.save("textures", name)
    return w, h


# ---------------------------------------------------------------- the comics


def panel_rects(count):
    top, bottom = PANEL_TOP, PANEL_BOTTOM
    gap = 14
    rows = [3, 2] if count == 5 else ([2, 2] if count == 4 else [3, 3])
    rh = (bottom - top - gap) / 2
    out = []
    for r, n in enumerate(rows):
        pw = (PAGE_W - 2 * 14 - (n - 1) * gap) / n
        for i in range(n):
            out.append((14 + i * (pw + gap), top + r * (rh + gap), pw, rh))
    return [(round(x), round(y), round(w), round(h)) for x, y, w, h in out]


# Each comic: its panels (scene, figures: (who, x share of the panel, facing left, action)),
# and per panel one subtitle in each language. Actions: "walk" (walks in from the side),
# "pop" (grows into place), "jump" (a small hop), "still" (fades in).
COMICS = {
    1: {
        "panels": [
            ("valley", [("chief", 0.62, True, "pop")]),
            ("storm", []),
            ("fallen", [("worker", 0.78, True, "walk")]),
            ("village_rebuilt", [("chief", 0.2, False, "walk"), ("mason", 0.7, True, "pop")]),
            ("road_east", [("worker", 0.3, False, "jump"), ("chief", 0.52, False, "walk")]),
        ],
        "shake": 1,
        "lines": {
            "en": ["Once our valley was green and quiet.",
                   "Then came the storm of the long night.",
                   "Roads were blocked, trees lay across every path.",
                   "\u201cWe will build it all again,\u201d said the old chief.",
                   "\u201cAnd then we go east, to find the sea!\u201d"],
            "de": ["Einst war unser Tal grün und still.",
                   "Dann kam der Sturm der langen Nacht.",
                   "Die Wege waren versperrt, Bäume lagen quer.",
                   "\u201eWir bauen alles wieder auf\u201c, sagte der alte Häuptling.",
                   "\u201eUnd dann ziehen wir nach Osten, ans Meer!\u201c"],
            "ru": ["Когда-то наша долина была зелёной и тихой.",
                   "Потом пришла буря долгой ночи.",
                   "Дороги завалило, деревья легли поперёк троп.",
                   "\u00abМы всё отстроим заново\u00bb, \u2014 сказал старый вождь.",
                   "\u00abА потом пойдём на восток, к морю!\u00bb"],
            "pl": ["Kiedyś nasza dolina była zielona i cicha.",
                   "Potem przyszła burza długiej nocy.",
                   "Drogi zasypane, drzewa leżały w poprzek ścieżek.",
                   "\u201eOdbudujemy wszystko\u201d \u2014 rzekł stary wódz.",
                   "\u201eA potem ruszymy na wschód, nad morze!\u201d"],
        },
    },
    2: {
        "panels": [
            ("village_rebuilt", [("chief", 0.5, False, "pop")]),
            ("map", []),
            ("road_east", [("worker", 0.22, False, "walk"), ("mason", 0.45, False, "walk")]),
            ("sea", [("worker", 0.25, False, "jump")]),
        ],
        "lines": {
            "en": ["The valley stands again, proud and busy.",
                   "The old map shows the way over the hills.",
                   "Carts are packed, and the crew sets out.",
                   "At last: the sea! But the harbour lies in ruins."],
            "de": ["Das Tal steht wieder, stolz und fleißig.",
                   "Die alte Karte zeigt den Weg über die Hügel.",
                   "Die Karren sind gepackt, die Mannschaft bricht auf.",
                   "Endlich: das Meer! Doch der Hafen liegt in Trümmern."],
            "ru": ["Долина снова стоит, гордая и деятельная.",
                   "Старая карта ведёт через холмы.",
                   "Телеги нагружены, отряд отправляется в путь.",
                   "Наконец-то море! Но гавань лежит в руинах."],
            "pl": ["Dolina znów stoi, dumna i pracowita.",
                   "Stara mapa wskazuje drogę przez wzgórza.",
                   "Wozy spakowane, drużyna rusza w drogę.",
                   "Wreszcie morze! Ale port leży w gruzach."],
        },
    },
    3: {
        "panels": [
            ("harbour", [("mason", 0.35, False, "pop")]),
            ("sea", [("chief", 0.3, False, "still")]),
            ("autumn", [("worker", 0.3, False, "walk"), ("chief", 0.6, True, "pop")]),
            ("autumn", [("mason", 0.55, True, "jump")]),
            ("map", []),
        ],
        "shake": 3,
        "lines": {
            "en": ["Ships sail again from the mended harbour.",
                   "A sailor tells of a wood that glows like fire.",
                   "The autumn wood: red, gold and full of work.",
                   "A falling oak! Everyone jumps aside.",
                   "The road leads on, deeper into the trees."],
            "de": ["Vom reparierten Hafen segeln wieder Schiffe.",
                   "Ein Seemann erzählt von einem Wald, der wie Feuer glüht.",
                   "Der Herbstwald: rot, golden und voller Arbeit.",
                   "Eine Eiche stürzt! Alle springen zur Seite.",
                   "Der Weg führt weiter, tiefer zwischen die Bäume."],
            "ru": ["Из починенной гавани снова уходят корабли.",
                   "Моряк рассказывает о лесе, что горит как пламя.",
                   "Осенний лес: красный, золотой и полный работы.",
                   "Падает дуб! Все отскакивают в сторону.",
                   "Дорога ведёт дальше, в глубь леса."],
            "pl": ["Z naprawionego portu znów wypływają statki.",
                   "Żeglarz opowiada o lesie, który płonie jak ogień.",
                   "Jesienny las: czerwony, złoty i pełen pracy.",
                   "Dąb się wali! Wszyscy odskakują na bok.",
                   "Droga prowadzi dalej, w głąb lasu."],
        },
    },
    4: {
        "panels": [
            ("autumn", [("chief", 0.5, False, "pop")]),
            ("snow", [("worker", 0.25, False, "walk")]),
            ("north_lake", [("mason", 0.4, False, "still"), ("worker", 0.65, True, "jump")]),
            ("snow", [("chief", 0.6, True, "walk")]),
        ],
        "lines": {
            "en": ["The wood is tamed, the barns are full of nuts.",
                   "But the first snow falls. The road turns north.",
                   "The lake is frozen hard: a road of ice!",
                   "\u201cWarm coats, everyone. We build through the winter.\u201d"],
            "de": ["Der Wald ist gezähmt, die Scheunen voller Nüsse.",
                   "Doch der erste Schnee fällt. Der Weg führt nach Norden.",
                   "Der See ist hart gefroren: eine Straße aus Eis!",
                   "\u201eWarme Mäntel für alle. Wir bauen durch den Winter.\u201c"],
            "ru": ["Лес покорён, амбары полны орехов.",
                   "Но падает первый снег. Дорога уходит на север.",
                   "Озеро крепко замёрзло: дорога изо льда!",
                   "\u00abВсем тёплые шубы. Будем строить всю зиму.\u00bb"],
            "pl": ["Las ujarzmiony, stodoły pełne orzechów.",
                   "Ale pada pierwszy śnieg. Droga skręca na północ.",
                   "Jezioro zamarzło na kość: droga z lodu!",
                   "\u201eCiepłe płaszcze dla wszystkich. Budujemy przez zimę.\u201d"],
        },
    },
    5: {
        "panels": [
            ("north_lake", [("worker", 0.5, False, "jump")]),
            ("map", []),
            ("desert", [("chief", 0.3, False, "walk"), ("mason", 0.55, False, "walk")]),
            ("desert", [("worker", 0.4, True, "still")]),
            ("oasis", [("chief", 0.5, False, "pop")]),
        ],
        "shake": 3,
        "lines": {
            "en": ["Spring comes to the north, the ice sings and cracks.",
                   "One land is left on the map: the red desert.",
                   "Hot sand, long days and not a drop of water.",
                   "A sandstorm! Hold on to your hats!",
                   "Behind the dunes, an oasis waits to be built."],
            "de": ["Der Frühling kommt in den Norden, das Eis singt und kracht.",
                   "Ein Land bleibt auf der Karte: die rote Wüste.",
                   "Heißer Sand, lange Tage und kein Tropfen Wasser.",
                   "Ein Sandsturm! Haltet eure Hüte fest!",
                   "Hinter den Dünen wartet eine Oase darauf, gebaut zu werden."],
            "ru": ["На север приходит весна, лёд поёт и трещит.",
                   "На карте осталась одна земля: красная пустыня.",
                   "Горячий песок, долгие дни и ни капли воды.",
                   "Песчаная буря! Держите шляпы!",
                   "За дюнами ждёт оазис, который надо построить."],
            "pl": ["Na północ przychodzi wiosna, lód śpiewa i pęka.",
                   "Na mapie została jedna kraina: czerwona pustynia.",
                   "Gorący piasek, długie dni i ani kropli wody.",
                   "Burza piaskowa! Trzymajcie kapelusze!",
                   "Za wydmami czeka oaza, którą trzeba zbudować."],
        },
    },
    6: {
        "panels": [
            ("oasis", [("mason", 0.5, False, "pop")]),
            ("road_east", [("chief", 0.3, False, "walk"), ("worker", 0.5, False, "walk")]),
            ("valley", [("worker", 0.35, False, "jump"), ("mason", 0.65, True, "jump")]),
            ("feast", [("chief", 0.5, False, "pop")]),
        ],
        "shake": 3,
        "lines": {
            "en": ["The oasis blooms. Every land on the map is mended.",
                   "The long road leads home at last.",
                   "The valley welcomes its builders back.",
                   "A feast under the fireworks! Thank you for playing."],
            "de": ["Die Oase blüht. Jedes Land auf der Karte ist heil.",
                   "Der lange Weg führt endlich nach Hause.",
                   "Das Tal empfängt seine Baumeister.",
                   "Ein Fest unter dem Feuerwerk! Danke fürs Spielen."],
            "ru": ["Оазис цветёт. Каждая земля на карте восстановлена.",
                   "Долгая дорога наконец ведёт домой.",
                   "Долина встречает своих строителей.",
                   "Праздник под фейерверком! Спасибо за игру."],
            "pl": ["Oaza kwitnie. Każda kraina na mapie jest naprawiona.",
                   "Długa droga wreszcie prowadzi do domu.",
                   "Dolina wita swoich budowniczych.",
                   "Uczta pod fajerwerkami! Dziękujemy za grę."],
        },
    },
}

SKIP = {"en": "Skip", "de": "Weiter", "ru": "Пропустить", "pl": "Pomiń"}

PANEL_MS = 7000   # each panel's share of the time line
LEAD_MS = 600     # the first panel starts after the screen's fade
END_MS = 2500     # after the last panel


def write_page():
    d = Doc(1280, 800, "The comic screen's backdrop: a dark wooden table.")
    g = d.radial("table", [(0, "#5a3a22"), (0.7, "#3a2212"), (1, "#1e1008")], cx=0.5, cy=0.5, r=0.75)
    d.add(f'<rect width="1280" height="800" fill="{g}"/>')
    for y in range(0, 800, 64):
        d.add(path(f"M0 {y} L1280 {y}", stroke="#1e1008", width=2, extra=' opacity="0.5"'))
    d.save("textures", "comics_backdrop")
    d = Doc(PAGE_W, PAGE_H, "The comic page: paper the panels lie on.")
    g = d.linear("paper", [(0, "#fbf3de"), (1, "#eadcb8")])
    d.add(f'<rect x="1" y="1" width="{PAGE_W - 2}" height="{PAGE_H - 2}" rx="8" fill="{g}" '
          f'stroke="#2a180a" stroke-width="2"/>')
    d.save("textures", "comics_page")
    d = Doc(PAGE_W, 66, "The band under the panels that holds the title and the subtitles.")
    g = d.linear("band", [(0, "#3a2212"), (1, "#24140a")])
    d.add(f'<rect x="14" y="2" width="{PAGE_W - 28}" height="60" rx="10" fill="{g}" opacity="0.92"/>')
    d.save("textures", "comics_band")


def write_comic(n, story):
    panels = story["panels"]
    rects = panel_rects(len(panels))
    layers, events = [], []
    total = LEAD_MS + PANEL_MS * len(panels) + END_MS
    for k, ((name, cast), (px, py, pw, ph)) in enumerate(zip(panels, rects), start=1):
        t0 = LEAD_MS + (k - 1) * PANEL_MS
        tex = f"com{n}_p{k}"
        d = Doc(pw, ph, f"Comic {n}, panel {k}: {name.replace('_', ' ')}.")
        d.add(scene(name, d, pw, ph))
        d.save("textures", tex)
        # The panel slides 30 units up into place while it fades in.
        layers.append((tex, px, py + ph + 30, 0.0, 100))
        events.append((t0, tex, "alpha", {"alpha": "1", "duration": "700"}))
        events.append((t0, tex, "pos", {"pos": "0,-30", "duration": "900", "ease": "sqrt"}))
        events.append((t0 + 300, "", "text", {}))
        events.append((t0 + 500, "", "voice", {}))
        # Every figure of the panel in a group, so that they fade in together.
        group_name = f"cast{k}"
        members = []
        for j, (who, share, mirror, action) in enumerate(cast):
            ftex = f"com{n}_p{k}_{who}"
            scale = min(0.42, (ph - 40) / 400 * 0.78)
            fw, fh = write_figure(ftex, who, scale, mirror)
            fx = px + pw * share - fw / 2
            foot = py + ph - 10
            shift = 0
            if action == "walk":
                shift = -60 if not mirror else 60
            fx = max(px + 8, min(px + pw - fw - 8, fx))
            # A walk starts inside the panel too.
            start_x = max(px + 8, min(px + pw - fw - 8, fx + shift))
            shift = round(start_x - fx)
            layers.append((ftex, round(start_x), foot, 0.0, 80 if action == "pop" else 100))
            members.append(ftex)
            tf = t0 + 700 + j * 300
            if action == "walk":
                events.append((tf, ftex, "pos", {"pos": f"{-shift},0", "duration": "2600"}))
            elif action == "pop":
                events.append((tf, ftex, "scale", {"scale": "100", "duration": "700", "ease": "sqrt"}))
            elif action == "jump":
                events.append((tf + 1200, ftex, "pos", {"pos": "0,-26", "duration": "250", "ease": "sqrt"}))
                events.append((tf + 1450, ftex, "pos", {"pos": "0,26", "duration": "250", "ease": "sqr"}))
        if members:
            events.append((t0 + 700, group_name, "alpha", {"alpha": "1", "duration": "600"}))
            story.setdefault("tags", []).append((group_name, members))
        if story.get("shake") == k:
            events.append((t0 + 1200, "", "shake", {"scale": "150", "duration": "900"}))
    events.append((total, "", "finish", {}))
    events.sort(key=lambda e: e[0])

    out = [f'<?xml version="1.0" encoding="utf-8"?>',
           f'<!-- Comic {n}, written by content-src/art/generated/comics.py. Layer pos: the',
           f'     picture\'s lower left corner, right of and below the page\'s top left corner. -->',
           f'<ComicsDesc start="0">']
    for tex, x, y, alpha, scale in layers:
        extra = f' scale="{scale}"' if scale != 100 else ""
        out.append(f'  <Layer tex="{tex}" pos="{round(x)},{round(y)}" alpha="{f(alpha)}"{extra}/>')
    for name, members in story.get("tags", []):
        out.append(f'  <Tag name="{name}">' + "".join(f'<Layer tex="{m}"/>' for m in members) + "</Tag>")
    for t, layer, kind, attrs in events:
        a = "".join(f' {k}="{v}"' for k, v in attrs.items())
        lay = f' layer="{layer}"' if layer else ""
        out.append(f'  <Event time="{t}"{lay} type="{kind}"{a}/>')
    out.append("</ComicsDesc>")
    path_out = os.path.join(ROOT, "game", "content", "comics", f"com_{n}_desc.xml")
    os.makedirs(os.path.dirname(path_out), exist_ok=True)
    with open(path_out, "w", encoding="utf-8") as o:
        o.write("\n".join(out) + "\n")
    for k, line in enumerate(story["lines"]["en"], start=1):
        write_murmur(n, k, line, seed=n * 100 + k)


# ---------------------------------------------------------------- voices

VOWELS = {  # two formants per vowel sound
    "a": (760, 1250), "o": (520, 900), "e": (480, 1850), "i": (320, 2250), "u": (360, 780)}
SPEAKERS = {"chief": 105, "worker": 150, "mason": 125, "narrator": 130}


def write_murmur(n, k, line, seed):
    """A wordless murmur that follows the line's rhythm: a syllable for every vowel group of
    the English line, pitched by who speaks it, falling at the end of a sentence."""
    rnd = random.Random(seed)
    speaker = "chief" if "\u201c" in line else "narrator"
    base = SPEAKERS[speaker]
    words = re.findall(r"[A-Za-z']+|[.,!?:;]", line)
    lines = ["# A murmured line of comic %d (%s), written by content-src/art/generated/comics.py." % (n, speaker),
             "rate 22050", "channels 1", "tempo 60", "gain 0.7", f"seed {seed}"]
    for v, (f1, f2) in VOWELS.items():
        for i, fq in enumerate((f1, f2)):
            lines += [f"instrument {v}{i + 1}", "  osc saw 1", "  osc pulse 0.4 0 0 0.3",
                      "  env 0.02 0.05 0.8 0.06", f"  filter bandpass {fq} {4 if i == 0 else 6}",
                      "  vibrato 5.5 0.15", f"  gain {1.0 if i == 0 else 0.55}", "end"]
    lines += ["instrument breath", "  osc noise 1", "  env 0.01 0.04 0.3 0.04", "  filter highpass 2500",
              "  gain 0.25", "end"]
    t = 0.15
    count = len([w for w in words if w[0].isalpha()])
    said = 0
    for w in words:
        if not w[0].isalpha():
            t += 0.28 if w in ".!?" else 0.14
            continue
        said += 1
        groups = re.findall(r"[aeiouy]+", w.lower()) or ["a"]
        for gi, g in enumerate(groups):
            v = {"y": "i"}.get(g[0], g[0])
            length = rnd.uniform(0.1, 0.17) + (0.05 if gi == len(groups) - 1 else 0)
            rise = 1.0 + 0.08 * math.sin(said * 1.7 + gi)
            fall = 1.0 - 0.18 * (said / max(1, count)) ** 2
            pitch = base * rise * fall * (1.1 if line.rstrip().endswith("!") and said == count else 1)
            if gi == 0 and rnd.random() < 0.5:
                lines.append(f"note breath {f(t)} {f(pitch * 8)}hz 0.04 0.5")
            for i in (1, 2):
                lines.append(f"note {v}{i} {f(t + 0.02)} {f(pitch)}hz {f(length)} 0.9")
            t += length + 0.03
        t += 0.07
    lines.insert(5, f"length {f(t + 0.3)}")
    out = os.path.join(ROOT, "sounds", "voices", f"comics_{n:02d}_{k}.ksy")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "w", encoding="utf-8") as o:
        o.write("\n".join(lines) + "\n")


def xml_text(s):
    return s.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;")


def write_strings():
    for lang in LANGS:
        out = ['<?xml version="1.0" encoding="utf-8"?>',
               "<!-- The comics' skip button and subtitles (comics_subtitle_NN_K: comic NN, line K),",
               "     written by content-src/art/generated/comics.py. The comics' titles are in strings.xml. -->",
               "<StringTable>", f'  <String name="comics_skip" value="{xml_text(SKIP[lang])}"/>']
        for n, story in COMICS.items():
            for k, line in enumerate(story["lines"][lang], start=1):
                out.append(f'  <String name="comics_subtitle_{n:02d}_{k}" value="{xml_text(line)}"/>')
        out.append("</StringTable>")
        path_out = os.path.join(ROOT, "game", "locale", lang, "comics_text.xml")
        with open(path_out, "w", encoding="utf-8") as o:
            o.write("\n".join(out) + "\n")


def main():
    write_page()
    for n, story in COMICS.items():
        write_comic(n, story)
    write_strings()


if __name__ == "__main__":
    main()
