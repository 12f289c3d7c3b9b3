#!/usr/bin/env python3
"""Writes the animated scenery, birds and flying pests (world/*.svg, textures of their own): sheets of
equal frames, left to right and top to bottom, as the texture animations of the descriptor
tables describe them (columns × rows, frame size). Birds and the bat face right.
    python3 content-src/art/generated/animations.py
"""
import math

from artlib import (OUTLINE, Doc, canopy, circle, contact_shadow, dress_touch, ellipse, f, log, path,
                    poly)

FOLDER = "world"


def sheet(name, title, columns, rows, fw, fh, draw, frames=None):
    d = Doc(fw * columns, fh * rows, title)
    d.define("cell", f'<clipPath id="cell"><rect x="0" y="0" width="{fw}" height="{fh}"/></clipPath>')
    count = frames or columns * rows
    for i in range(columns * rows):
        x, y = (i % columns) * fw, (i // columns) * fh
        d.add(f'<g transform="translate({x} {y})"><g clip-path="url(#cell)">' +
              draw(d, i % count, count) + "</g></g>")
    d.save(FOLDER, name)


def windmill(d, i, n):
    out = [contact_shadow(d, 48, 120, 34, 6)]
    tower = d.linear("tower", [(0, "#fbf0d8"), (0.6, "#e8d3aa"), (1, "#b8a078")], 0, 0, 1, 0)
    out.append(poly([(30, 122), (66, 122), (58, 46), (38, 46)], tower, OUTLINE, 1.6))
    out.append(path("M36 70 h24 M34 94 h28", stroke="#b8a078", width=1))
    out.append(path("M42 122 v-16 q6 -6 12 0 v16 Z", "#8a5428", OUTLINE, 1.3))
    out.append(f'<rect x="44" y="74" width="8" height="9" fill="#8fcbe8" stroke="{OUTLINE}" stroke-width="1.2"/>')
    roof = d.linear("millRoof", [(0, "#f07a5a"), (1, "#9e3021")])
    out.append(path("M34 48 Q48 22 62 48 Z", roof, OUTLINE, 1.6))
    # Sails turning about the hub: four sails, a quarter turn per loop.
    cx, cy = 48, 42
    sail = d.linear("sail", [(0, "#fffaf0"), (1, "#e0d4b8")])
    base = 360 / 4 * i / n
    for k in range(4):
        a = math.radians(base + 90 * k)
        ux, uy = math.cos(a), math.sin(a)
        px, py = -uy, ux
        out.append(path(f"M{f(cx)} {f(cy)} L{f(cx + ux * 40)} {f(cy + uy * 40)}", stroke=OUTLINE, width=3.2))
        out.append(path(f"M{f(cx)} {f(cy)} L{f(cx + ux * 40)} {f(cy + uy * 40)}", stroke="#a06a36", width=1.6))
        pts = [(cx + ux * 10 + px * 1, cy + uy * 10 + py * 1), (cx + ux * 39 + px * 1, cy + uy * 39 + py * 1),
               (cx + ux * 39 + px * 10, cy + uy * 39 + py * 10), (cx + ux * 12 + px * 9, cy + uy * 12 + py * 9)]
        out.append(poly(pts, sail, OUTLINE, 1.1))
        out.append(path(f"M{f(pts[0][0] + px * 4.5)} {f(pts[0][1] + py * 4.5)} L{f(pts[1][0] + px * 4.5)} "
                        f"{f(pts[1][1] + py * 4.5)}", stroke="#b8a078", width=0.8))
    out.append(circle(cx, cy, 3.5, "#7a4a22", OUTLINE, 1.2))
    return "".join(out)


def campfire(d, i, n):
    out = [contact_shadow(d, 24, 40, 18, 4)]
    glow = d.radial("fireGlow", [(0, "#ffd060", 0.55), (1, "#ff8020", 0)], 0.5, 0.5, 0.5)
    out.append(ellipse(24, 30, 20 + (i % 2), 14, glow))
    out.append(dress_touch("base", d, 24, 43, 23, 4))
    for x, y in ((7, 39), (13, 42.5), (24, 44), (35, 42.5), (41, 39)):
        out.append(circle(x, y, 3.4, "#a8a296", OUTLINE, 1))
    out.append(log(d, 10, 40, 36, 34, 3.5, ident="fireLog"))
    out.append(log(d, 38, 40, 12, 34, 3.5, ident="fireLog"))
    flames = [(0, "#fff6a0"), (0.4, "#ffc030"), (1, "#e84a10")]
    g = d.linear("flame", flames, 0, 0, 0, 1)
    t = 2 * math.pi * i / n
    for k, (x, h, w) in enumerate(((24, 26, 8), (18, 17, 5.5), (30, 19, 5.5))):
        sway = 2.2 * math.sin(t + k * 2.1)
        hh = h + 3 * math.sin(t * 2 + k)
        out.append(path(f"M{f(x - w)} 36 C{f(x - w)} {f(36 - hh * 0.5)} {f(x + sway - 1)} {f(36 - hh * 0.7)} "
                        f"{f(x + sway)} {f(36 - hh)} C{f(x + sway + 1)} {f(36 - hh * 0.6)} {f(x + w)} "
                        f"{f(36 - hh * 0.45)} {f(x + w)} 36 Z", g, "#b83a10", 1))
    out.append(path(f"M{f(22 + math.sin(t))} 35 q2 -9 2 -12 q2 5 2 12 Z", "#ffffff", extra=' opacity="0.7"'))
    for k in range(2):
        sy = 14 - ((i + k * 3) % n) * 2.2
        out.append(circle(22 + k * 6 + math.sin(t + k) * 2, sy, 1.1, "#ffd060"))
    return "".join(out)


def flag_banner(d, i, n):
    out = [contact_shadow(d, 12, 60, 8, 2.5)]
    out.append(path("M12 60 V6", stroke=OUTLINE, width=3.6))
    out.append(path("M12 60 V6", stroke="#c08850", width=1.8))
    out.append(circle(12, 5, 2.6, "#f5c02a", OUTLINE, 1))
    t = 2 * math.pi * i / n
    top, bottom = [], []
    for k in range(9):
        x = 13 + k * 3.2
        amp = k * 0.75
        top.append((x, 9 + amp * math.sin(t - k * 0.9)))
        bottom.append((x, 29 + amp * math.sin(t - k * 0.9 - 0.4)))
    pts = top + list(reversed(bottom))
    g = d.linear("flagRed", [(0, "#ff7a5a"), (1, "#c0301c")])
    out.append(poly(pts, g, OUTLINE, 1.2))
    mid = [(x, (a[1] + b[1]) / 2) for (x, _), a, b in zip(top, top, bottom)]
    cx, cy = mid[4]
    out.append(circle(cx, cy, 4, "#fff07a", OUTLINE, 0.9))
    return "".join(out)


def level_select(d, i, n):
    """The marker of a playable level on the episode map: a bobbing pin over a glowing spot."""
    out = []
    t = 2 * math.pi * i / n
    glow = d.radial("spot", [(0, "#fff6a0", 0.9), (1, "#ffd040", 0)], 0.5, 0.5, 0.5)
    out.append(ellipse(28, 64, 16 + 3 * math.sin(t), 5 + math.sin(t), glow))
    bob = 4 * math.sin(t)
    pin = d.radial("pin", [(0, "#ffb070"), (0.6, "#f06a2a"), (1, "#a83a10")], 0.35, 0.3, 0.75)
    y = 30 + bob
    out.append(path(f"M28 {f(y + 28)} C22 {f(y + 14)} 12 {f(y + 6)} 12 {f(y - 6)} A16 16 0 1 1 44 {f(y - 6)} "
                    f"C44 {f(y + 6)} 34 {f(y + 14)} 28 {f(y + 28)} Z", pin, OUTLINE, 1.8))
    out.append(circle(28, y - 6, 8, "#fff6d8", OUTLINE, 1.4))
    out.append(path(f"M24 {f(y - 6)} l3 3 l6 -7", stroke="#3a8a2a", width=2.2))
    out.append(path(f"M17 {f(y - 12)} A12 12 0 0 1 26 {f(y - 19)}", stroke="#ffffff", width=1.8,
                    extra=' opacity="0.6"'))
    return "".join(out)


def bird(d, i, n, w, h, body, belly, beak, wing):
    out = []
    t = 2 * math.pi * i / n
    cx, cy = w * 0.5, h * 0.55
    flap = math.sin(t)
    s = w / 28
    out.append(path(f"M{f(cx - 12 * s)} {f(cy)} L{f(cx - 15 * s)} {f(cy - 3 * s)} L{f(cx - 15 * s)} {f(cy + 3 * s)} Z",
                    body, OUTLINE, 1))
    out.append(ellipse(cx, cy, 9 * s, 5 * s, body, OUTLINE, 1.2))
    out.append(ellipse(cx + 1 * s, cy + 1.8 * s, 5 * s, 2.6 * s, belly))
    out.append(circle(cx + 8 * s, cy - 2.5 * s, 3.8 * s, body, OUTLINE, 1.1))
    out.append(poly([(cx + 11 * s, cy - 3.2 * s), (cx + 15 * s, cy - 2 * s), (cx + 11 * s, cy - 1 * s)], beak, OUTLINE, 0.8))
    out.append(circle(cx + 9 * s, cy - 3.4 * s, 0.9 * s, "#ffffff"))
    out.append(circle(cx + 9.3 * s, cy - 3.4 * s, 0.5 * s, "#000000"))
    tip_y = cy - 9 * s * flap
    out.append(path(f"M{f(cx - 3 * s)} {f(cy - 1 * s)} Q{f(cx - 2 * s)} {f(tip_y - 2 * s)} {f(cx - 9 * s)} {f(tip_y)} "
                    f"Q{f(cx + 1 * s)} {f((tip_y + cy) / 2)} {f(cx + 4 * s)} {f(cy - 1 * s)} Z", wing, OUTLINE, 1))
    return "".join(out)


def crow(d, i, n):
    return bird(d, i, n, 28, 24, "#3a3a48", "#5a5a6a", "#e8b030", "#2a2a36")


def finch(d, i, n):
    return bird(d, i, n, 20, 18, "#c87a3a", "#f8d8a0", "#f0a020", "#8a5028")


def bat(d, i, n):
    """Four frames of flapping gliding down, then four climbing with the wings working harder."""
    out = []
    climbing = i >= 4
    t = 2 * math.pi * (i % 4) / 4
    cx, cy = 24, 16 + (1.5 * math.sin(t) if not climbing else -1)
    flap = math.sin(t) * (1.3 if climbing else 0.8)
    wing = d.linear("batWing", [(0, "#6a4a7a"), (1, "#3a2a48")])
    for side in (-1, 1):
        tip_y = cy - 12 * flap
        out.append(path(f"M{f(cx)} {f(cy - 2)} Q{f(cx + side * 8)} {f(tip_y - 4)} {f(cx + side * 20)} {f(tip_y)} "
                        f"Q{f(cx + side * 16)} {f(cy + 2)} {f(cx + side * 13)} {f(cy + 3 - 6 * flap * 0.5)} "
                        f"Q{f(cx + side * 9)} {f(cy + 1)} {f(cx + side * 6)} {f(cy + 4)} Q{f(cx + side * 3)} "
                        f"{f(cy + 2)} {f(cx)} {f(cy + 3)} Z", wing, OUTLINE, 1.1))
    out.append(ellipse(cx, cy + 1, 5, 6, "#4a3458", OUTLINE, 1.2))
    out.append(poly([(cx - 4, cy - 3), (cx - 3, cy - 9), (cx - 1, cy - 4)], "#4a3458", OUTLINE, 1))
    out.append(poly([(cx + 4, cy - 3), (cx + 3, cy - 9), (cx + 1, cy - 4)], "#4a3458", OUTLINE, 1))
    out.append(circle(cx + 1.8, cy - 1, 1.2, "#ffe060"))
    out.append(circle(cx - 1.8, cy - 1, 1.2, "#ffe060"))
    out.append(path(f"M{f(cx - 1.5)} {f(cy + 2.5)} l1 1.5 l1 -1.5", "#ffffff", OUTLINE, 0.5))
    return "".join(out)


def wasps(d, i, n):
    out = []
    t = 2 * math.pi * i / n
    body = d.linear("wasp", [(0, "#ffe040"), (1, "#e0a010")])
    swarm = [(14, 16, 0.0), (34, 12, 1.3), (26, 28, 2.6), (44, 30, 3.9), (18, 36, 5.2)]
    for k, (x, y, ph) in enumerate(swarm):
        x += 3 * math.sin(t + ph)
        y += 2.5 * math.cos(t * 2 + ph)
        wing_up = (i + k) % 2 == 0
        out.append(ellipse(x - 1, y - (4 if wing_up else 2.5), 2.6, 3.6 if wing_up else 2, "#e8f6ff", OUTLINE, 0.6,
                           extra=' opacity="0.85"'))
        out.append(ellipse(x + 1.5, y - (4 if wing_up else 2.5), 2.6, 3.6 if wing_up else 2, "#e8f6ff", OUTLINE, 0.6,
                           extra=' opacity="0.85"'))
        out.append(ellipse(x, y, 4.6, 2.8, body, OUTLINE, 0.9))
        out.append(path(f"M{f(x - 1.5)} {f(y - 2.6)} v5.2 M{f(x + 1)} {f(y - 2.7)} v5.4", stroke="#2a2218", width=1.1))
        out.append(circle(x + 4.4, y - 0.5, 1.8, "#2a2218"))
        out.append(path(f"M{f(x - 4.6)} {f(y)} l-2 0.6", stroke="#2a2218", width=1))
    return "".join(out)


def main():
    sheet("windmill", "A windmill with turning sails.", 4, 2, 96, 128, windmill)
    sheet("campfire", "A crackling campfire.", 3, 2, 48, 48, campfire)
    sheet("flag_banner", "A red banner waving on its pole.", 3, 2, 40, 64, flag_banner)
    sheet("level_select", "The episode map's marker of a playable level.", 4, 2, 56, 72, level_select)
    sheet("bird_crow", "A crow flying.", 3, 2, 28, 24, crow)
    sheet("bird_finch", "A finch flying.", 3, 2, 20, 18, finch)
    sheet("fly_bat", "A bat: four frames gliding down, four climbing.", 4, 2, 48, 32, bat)
    sheet("fly_wasps", "A small swarm of wasps.", 3, 2, 56, 48, wasps)


if __name__ == "__main__":
    main()
