"""The castle screen: its 45 parts in building order, the backdrop they stand on, and the
part table "castle_parts" that places them.

Run after a change:   python3 content-src/art/generated/castle.py

Writes
  atlases/castle/castle_part_NN.svg   one sprite per part (NN = 01..45, building order)
  wide/castle_back.svg                the sky, the hill and the faint plan of the castle
  ../game/content/castle_parts.xml    name, x, y (top-left corner on the 1280 x 768 canvas,
                                      y down), effect offset (from the part's centre, y up)

The castle grows from the ground up: foundations, tower bases and walls, then the upper
storeys, battlements, roofs, flags and ornaments, and last the golden sun on the keep.
"""
import math
import os

from artlib import ART, OUTLINE, Doc, circle, ellipse, f, path, poly

STONE = [(0, "#f1e6cf"), (0.55, "#d6c6a4"), (1, "#a8946c")]
STONE_DARK = [(0, "#d9ccb0"), (0.55, "#b9a682"), (1, "#8a7550")]
ROOF_RED = [(0, "#f08a62"), (0.5, "#c9482c"), (1, "#862a18")]
ROOF_BLUE = [(0, "#7fb2ec"), (0.5, "#3d6fb8"), (1, "#22427a")]
WOOD = [(0, "#c98c4e"), (0.6, "#94582a"), (1, "#5e3414")]
GOLD = [(0, "#fff2a0"), (0.5, "#f2c23a"), (1, "#b07a10")]
LEAVES = [(0, "#9be06a"), (0.5, "#5aa83a"), (1, "#2f6e22")]
W = 1.6  # outline width


def wall(doc, w, h, ident="stone", stops=STONE, courses=None, inset=1.0):
    """A block of dressed stone: gradient lit from the upper left, staggered joints."""
    g = doc.linear(ident, stops, 0, 0, 1, 1)
    out = [path(f"M{f(inset)} {f(inset)} H{f(w - inset)} V{f(h - inset)} H{f(inset)} Z", g,
                OUTLINE, W)]
    n = courses or max(1, round(h / 18))
    step = (h - 2 * inset) / n
    joints = []
    for i in range(1, n):
        y = inset + i * step
        joints.append(f"M{f(inset + 1)} {f(y)} H{f(w - inset - 1)}")
    for i in range(n):
        y0, y1 = inset + i * step, inset + (i + 1) * step
        x = 14 if i % 2 else 28
        while x < w - 8:
            joints.append(f"M{f(x)} {f(y0 + 1)} V{f(y1 - 1)}")
            x += 30
    out.append(path(" ".join(joints), stroke="#7a6444", width=0.9, extra=' opacity="0.55"'))
    # Light along the upper edge, shade along the right.
    out.append(path(f"M{f(inset + 2)} {f(inset + 2)} H{f(w - inset - 2)}", stroke="#fffaf0",
                    width=1.4, extra=' opacity="0.6"'))
    out.append(path(f"M{f(w - inset - 2)} {f(inset + 3)} V{f(h - inset - 2)}",
                    stroke="#5e4a2c", width=2.2, extra=' opacity="0.35"'))
    return out


def window(x, y, w, h, lit=False):
    """An arched window, dark or lit from within."""
    r = w / 2
    fill = "#ffd86a" if lit else "#3a2a1e"
    d = f"M{f(x)} {f(y + h)} V{f(y + r)} A{f(r)} {f(r)} 0 0 1 {f(x + w)} {f(y + r)} V{f(y + h)} Z"
    return path(d, fill, OUTLINE, 1.2)


def battlements(doc, w, h, ident, stops=STONE):
    """A row of merlons over a narrow band."""
    g = doc.linear(ident, stops, 0, 0, 1, 1)
    band = h * 0.45
    out = [path(f"M1 {f(h - band)} H{f(w - 1)} V{f(h - 1)} H1 Z", g, OUTLINE, W)]
    n = max(3, round(w / 22))
    mw = (w - 2) / (2 * n - 1)
    for i in range(n):
        x = 1 + 2 * i * mw
        out.append(path(f"M{f(x)} {f(h - band)} V1 H{f(x + mw)} V{f(h - band)}", g, OUTLINE, W))
    return out


def cone(doc, w, h, ident, stops):
    """A pointed roof with shingle rows."""
    g = doc.linear(ident, stops, 0, 0, 1, 1)
    out = [poly([(w / 2, 1), (w - 2, h - 6), (2, h - 6)], g, OUTLINE, W)]
    rows = []
    for i in range(1, 5):
        t = i / 5
        y = 1 + t * (h - 7)
        half = t * (w / 2 - 2)
        rows.append(f"M{f(w / 2 - half + 2)} {f(y)} Q{f(w / 2)} {f(y + 5)} {f(w / 2 + half - 2)} {f(y)}")
    out.append(path(" ".join(rows), stroke="#5a1c10", width=1.0, extra=' opacity="0.45"'))
    eave = doc.linear(ident + "_eave", [(0, "#8a6a40"), (1, "#5a4020")])
    out.append(path(f"M0.8 {f(h - 7)} H{f(w - 0.8)} V{f(h - 1)} H0.8 Z", eave, OUTLINE, W))
    return out


def flag(doc, w, h, colour, ident):
    """A pole with a swallow-tailed pennant."""
    g = doc.linear(ident, [(0, colour[0]), (1, colour[1])], 0, 0, 1, 0)
    px = 4
    out = [path(f"M{f(px)} {f(h - 1)} V3", stroke=OUTLINE, width=3),
           path(f"M{f(px)} {f(h - 1)} V3", stroke="#c8b08a", width=1.4),
           circle(px, 3, 2.5, "#f2c23a", OUTLINE, 1)]
    top, bottom = 5, h * 0.55
    out.append(path(f"M{f(px + 1)} {f(top)} C{f(w * 0.5)} {f(top - 4)} {f(w * 0.7)} {f(top + 6)} "
                    f"{f(w - 1)} {f(top + 2)} L{f(w * 0.72)} {f((top + bottom) / 2)} "
                    f"L{f(w - 2)} {f(bottom)} C{f(w * 0.6)} {f(bottom + 4)} {f(w * 0.4)} "
                    f"{f(bottom - 5)} {f(px + 1)} {f(bottom)} Z", g, OUTLINE, 1.3))
    return out


def gate_doors(doc, w, h):
    g = doc.linear("door", WOOD, 0, 0, 1, 0)
    r = w / 2
    d = f"M2 {f(h - 1)} V{f(r)} A{f(r - 2)} {f(r - 2)} 0 0 1 {f(w - 2)} {f(r)} V{f(h - 1)} Z"
    out = [path(d, g, OUTLINE, W),
           path(f"M{f(w / 2)} {f(4)} V{f(h - 1)}", stroke=OUTLINE, width=1.4)]
    for y in (h * 0.45, h * 0.75):
        out.append(path(f"M4 {f(y)} H{f(w - 4)}", stroke="#3a2410", width=2.4))
    for x in (w / 2 - 7, w / 2 + 7):
        out.append(circle(x, h * 0.6, 2.2, "#f2c23a", OUTLINE, 0.8))
    return out


def tower(doc, w, h, ident, windows=1, lit=False, stops=STONE):
    out = wall(doc, w, h, ident, stops)
    ww = min(16, w / 5)
    for i in range(windows):
        x = w * (i + 1) / (windows + 1) - ww / 2
        out.append(window(x, h * 0.3, ww, h * 0.42, lit))
    return out


def gatehouse_lower(doc, w, h):
    out = wall(doc, w, h, "gate_stone", STONE_DARK)
    r = 40
    x0 = w / 2 - r
    out.append(path(f"M{f(x0)} {f(h - 1)} V{f(h - 70)} A{f(r)} {f(r)} 0 0 1 {f(x0 + 2 * r)} "
                    f"{f(h - 70)} V{f(h - 1)} Z", "#2a1c12", OUTLINE, W))
    # Voussoirs round the arch.
    for i in range(9):
        a = math.pi * (i / 8)
        cx, cy = w / 2 - math.cos(a) * (r + 6), h - 70 - math.sin(a) * (r + 6)
        out.append(circle(cx, cy, 4, "#efe2c4", OUTLINE, 0.8))
    return out


def gatehouse_upper(doc, w, h):
    out = wall(doc, w, h, "gate_upper", STONE)
    for x in (w * 0.25 - 8, w * 0.75 - 8):
        out.append(window(x, h * 0.25, 16, h * 0.45, True))
    out += [path(f"M{f(w / 2 - 20)} {f(h * 0.2)} H{f(w / 2 + 20)} V{f(h * 0.75)} L{f(w / 2)} "
                 f"{f(h * 0.9)} L{f(w / 2 - 20)} {f(h * 0.75)} Z",
                 doc.linear("shield", [(0, "#7fb2ec"), (1, "#22427a")]), OUTLINE, W),
            circle(w / 2, h * 0.5, 7, doc.radial("shield_sun", GOLD), OUTLINE, 1)]
    return out


def keep(doc, w, h, ident, round_window=False):
    out = wall(doc, w, h, ident, STONE)
    if round_window:
        rose = doc.radial("rose", [(0, "#fff6c0"), (0.4, "#f2a03a"), (1, "#b0401a")])
        out.append(circle(w / 2, h / 2, min(w, h) * 0.26, rose, OUTLINE, W))
        for i in range(8):
            a = i * math.pi / 4
            r = min(w, h) * 0.26
            out.append(path(f"M{f(w / 2)} {f(h / 2)} L{f(w / 2 + math.cos(a) * r)} "
                            f"{f(h / 2 + math.sin(a) * r)}", stroke=OUTLINE, width=1))
    else:
        for x in (w * 0.3 - 7, w * 0.7 - 7):
            out.append(window(x, h * 0.3, 14, h * 0.45, True))
    return out


def spire(doc, w, h):
    out = cone(doc, w, h, "spire", ROOF_BLUE)
    out.append(circle(w / 2, h * 0.55, 6, doc.radial("spire_dot", GOLD), OUTLINE, 1))
    return out


def steps(doc, w, h):
    g = doc.linear("steps", STONE_DARK, 0, 0, 0, 1)
    out = []
    n = 3
    for i in range(n):
        inset = (n - 1 - i) * 10
        y0 = i * h / n
        out.append(path(f"M{f(inset + 1)} {f(y0 + 1)} H{f(w - inset - 1)} V{f(y0 + h / n)} "
                        f"H{f(inset + 1)} Z", g, OUTLINE, W))
    return out


def garden(doc, w, h, ident, mirror=False):
    g = doc.linear(ident, LEAVES, 0, 0, 1, 1)
    out = [ellipse(w / 2, h - 10, w / 2 - 2, 9, "#5a8a2a", OUTLINE, 1.2)]
    bushes = [(0.2, 0.55, 0.18), (0.45, 0.45, 0.22), (0.72, 0.55, 0.19), (0.9, 0.7, 0.1)]
    for bx, by, br in bushes:
        x = (1 - bx) if mirror else bx
        out.append(circle(w * x, h * by, min(w, h) * br * 1.6, g, OUTLINE, W))
    flowers = [(0.15, 0.8, "#ff7a9a"), (0.35, 0.85, "#ffe05a"), (0.55, 0.82, "#ff7a9a"),
               (0.8, 0.86, "#ffffff"), (0.62, 0.4, "#ffe05a"), (0.3, 0.45, "#ffffff")]
    for fx, fy, c in flowers:
        x = (1 - fx) if mirror else fx
        out.append(circle(w * x, h * fy, 3.2, c, OUTLINE, 0.8))
    return out


def bridge(doc, w, h):
    water = doc.linear("water", [(0, "#9fd8f2"), (1, "#3d86b8")])
    out = [ellipse(w / 2, h * 0.6, w / 2 - 2, h * 0.38, water, OUTLINE, W)]
    for i in range(3):
        y = h * (0.45 + 0.12 * i)
        out.append(path(f"M{f(w * 0.12)} {f(y)} q12 -4 24 0 t24 0", stroke="#e8f8ff", width=1.2,
                        extra=' opacity="0.8"'))
    plank = doc.linear("bridge", WOOD, 0, 0, 0, 1)
    out.append(path(f"M{f(w * 0.36)} 1 H{f(w * 0.64)} L{f(w * 0.66)} {f(h - 2)} H{f(w * 0.34)} Z",
                    plank, OUTLINE, W))
    for i in range(1, 6):
        y = i * (h - 2) / 6
        out.append(path(f"M{f(w * 0.35)} {f(y)} H{f(w * 0.65)}", stroke="#3a2410", width=1))
    return out


def lanterns(doc, w, h):
    out = []
    glow = doc.radial("lantern_glow", [(0, "#fff6c0", 0.9), (1, "#ffd060", 0)], 0.5, 0.5, 0.5)
    for x in (12, w - 12):
        out += [circle(x, h / 2, 11, glow),
                path(f"M{f(x - 6)} {f(h / 2 - 8)} H{f(x + 6)} L{f(x + 4)} {f(h / 2 + 8)} "
                     f"H{f(x - 4)} Z", "#ffd86a", OUTLINE, 1.2),
                path(f"M{f(x - 7)} {f(h / 2 - 8)} H{f(x + 7)}", stroke=OUTLINE, width=2.2)]
    return out


def hangings(doc, w, h):
    out = []
    for i, c in enumerate((("#d84a3a", "#8a1e14"), ("#3d6fb8", "#22427a"),
                           ("#d84a3a", "#8a1e14"))):
        g = doc.linear(f"hanging{i}", [(0, c[0]), (1, c[1])], 0, 0, 1, 0)
        x = 6 + i * (w - 12) / 3
        bw = (w - 12) / 3 - 10
        out += [path(f"M{f(x)} 2 H{f(x + bw)} V{f(h - 12)} L{f(x + bw / 2)} {f(h - 2)} L{f(x)} "
                     f"{f(h - 12)} Z", g, OUTLINE, 1.3),
                circle(x + bw / 2, h * 0.4, bw * 0.22, "#f2c23a", OUTLINE, 1)]
    out.append(path(f"M2 2 H{f(w - 2)}", stroke=OUTLINE, width=3))
    return out


def doves(doc, w, h):
    """Two white doves gliding by."""
    out = []
    for cx, cy, s in ((w * 0.3, h * 0.55, 1.0), (w * 0.75, h * 0.35, 0.8)):
        body = (f"M{f(cx - 16 * s)} {f(cy)} Q{f(cx - 6 * s)} {f(cy - 14 * s)} {f(cx)} {f(cy - 2 * s)} "
                f"Q{f(cx + 6 * s)} {f(cy - 14 * s)} {f(cx + 16 * s)} {f(cy)} "
                f"Q{f(cx + 6 * s)} {f(cy - 5 * s)} {f(cx)} {f(cy + 5 * s)} "
                f"Q{f(cx - 6 * s)} {f(cy - 5 * s)} {f(cx - 16 * s)} {f(cy)} Z")
        out.append(path(body, "#ffffff", OUTLINE, 1.2))
    return out


def sun(doc, w, h):
    g = doc.radial("sun", GOLD, 0.45, 0.4, 0.6)
    cx, cy, r = w / 2, h / 2, min(w, h) * 0.26
    rays = []
    for i in range(16):
        a = i * math.pi / 8
        r1 = r * (1.9 if i % 2 == 0 else 1.5)
        a0, a1 = a - 0.13, a + 0.13
        rays.append(poly([(cx + math.cos(a0) * r * 0.9, cy + math.sin(a0) * r * 0.9),
                          (cx + math.cos(a) * r1, cy + math.sin(a) * r1),
                          (cx + math.cos(a1) * r * 0.9, cy + math.sin(a1) * r * 0.9)],
                         g, OUTLINE, 1.2))
    return rays + [circle(cx, cy, r, g, OUTLINE, W),
                   circle(cx - r * 0.3, cy - r * 0.3, r * 0.25, "#fffbe0", extra=' opacity="0.7"')]


FLAG_RED = ("#f25a4a", "#a01e14")
FLAG_BLUE = ("#6aa8ff", "#22427a")

# (x, y, w, h, drawing, effect offset) in building order; x, y the top-left corner on the
# canvas (y down).
PARTS = [
    # Foundations and the way in.
    (240, 612, 270, 44, lambda d, w, h: wall(d, w, h, "found_l", STONE_DARK, 2)),
    (510, 612, 260, 44, lambda d, w, h: wall(d, w, h, "found_m", STONE_DARK, 2)),
    (770, 612, 270, 44, lambda d, w, h: wall(d, w, h, "found_r", STONE_DARK, 2)),
    (580, 656, 120, 36, steps),
    # The ground floor.
    (270, 500, 130, 114, lambda d, w, h: tower(d, w, h, "otl1")),
    (880, 500, 130, 114, lambda d, w, h: tower(d, w, h, "otr1")),
    (398, 530, 86, 84, lambda d, w, h: wall(d, w, h, "wall_l")),
    (796, 530, 86, 84, lambda d, w, h: wall(d, w, h, "wall_r")),
    (560, 488, 160, 126, lambda d, w, h: gatehouse_lower(d, w, h)),
    (482, 480, 80, 134, lambda d, w, h: tower(d, w, h, "itl1")),
    (718, 480, 80, 134, lambda d, w, h: tower(d, w, h, "itr1")),
    (604, 536, 72, 78, gate_doors),
    # The first floor.
    (270, 394, 130, 108, lambda d, w, h: tower(d, w, h, "otl2", 2, True)),
    (880, 394, 130, 108, lambda d, w, h: tower(d, w, h, "otr2", 2, True)),
    (398, 504, 86, 28, lambda d, w, h: battlements(d, w, h, "wall_l_top")),
    (796, 504, 86, 28, lambda d, w, h: battlements(d, w, h, "wall_r_top")),
    (482, 376, 80, 106, lambda d, w, h: tower(d, w, h, "itl2", 1, True)),
    (718, 376, 80, 106, lambda d, w, h: tower(d, w, h, "itr2", 1, True)),
    (560, 404, 160, 86, lambda d, w, h: gatehouse_upper(d, w, h)),
    (580, 306, 120, 100, lambda d, w, h: keep(d, w, h, "keep1")),
    # Battlements and the upper storeys.
    (262, 364, 146, 32, lambda d, w, h: battlements(d, w, h, "otl_top")),
    (872, 364, 146, 32, lambda d, w, h: battlements(d, w, h, "otr_top")),
    (482, 286, 80, 92, lambda d, w, h: tower(d, w, h, "itl3")),
    (718, 286, 80, 92, lambda d, w, h: tower(d, w, h, "itr3")),
    (580, 214, 120, 94, lambda d, w, h: keep(d, w, h, "keep2", True)),
    # Roofs.
    (258, 262, 154, 104, lambda d, w, h: cone(d, w, h, "roof_otl", ROOF_RED)),
    (868, 262, 154, 104, lambda d, w, h: cone(d, w, h, "roof_otr", ROOF_RED)),
    (474, 260, 96, 28, lambda d, w, h: battlements(d, w, h, "itl_top")),
    (710, 260, 96, 28, lambda d, w, h: battlements(d, w, h, "itr_top")),
    (572, 186, 136, 30, lambda d, w, h: battlements(d, w, h, "keep_top")),
    (470, 158, 104, 104, lambda d, w, h: cone(d, w, h, "roof_itl", ROOF_BLUE)),
    (706, 158, 104, 104, lambda d, w, h: cone(d, w, h, "roof_itr", ROOF_BLUE)),
    (586, 70, 108, 118, spire),
    # Flags and ornaments.
    (333, 214, 48, 50, lambda d, w, h: flag(d, w, h, FLAG_RED, "flag_otl")),
    (943, 214, 48, 50, lambda d, w, h: flag(d, w, h, FLAG_RED, "flag_otr")),
    (520, 112, 44, 48, lambda d, w, h: flag(d, w, h, FLAG_BLUE, "flag_itl")),
    (756, 112, 44, 48, lambda d, w, h: flag(d, w, h, FLAG_BLUE, "flag_itr")),
    (1060, 226, 96, 48, doves),
    (556, 536, 168, 40, lambda d, w, h: lanterns(d, w, h)),
    (408, 540, 66, 56, lambda d, w, h: hangings(d, w, h)),
    (130, 590, 140, 84, lambda d, w, h: garden(d, w, h, "garden_l")),
    (1010, 590, 140, 84, lambda d, w, h: garden(d, w, h, "garden_r", True)),
    (520, 690, 240, 70, bridge),
    (806, 540, 66, 56, lambda d, w, h: hangings(d, w, h)),
    # The wonder: a golden sun over the keep.
    (604, 0, 72, 72, sun),
]
# Where each part's effect bursts, from its centre (y up); parts at the ground raise it a
# little, the sun spreads from its middle.
OFFSETS = {3: (0, 10), 40: (0, 20), 41: (0, 20), 42: (0, 10)}
ROOFS = {25, 26, 30, 31, 32}
ORNAMENTS = set(range(33, 45))
EFFECTS = {33: "castle_flag", 34: "castle_flag", 35: "castle_flag", 36: "castle_flag",
           44: "castle_wonder"}


def backdrop():
    """The screen behind the parts: sky, clouds, hills, the castle hill and a faint plan of
    the whole castle on the ground, so that the player sees where it is going."""
    doc = Doc(1280, 768, "The castle screen: sky, hills and the plan of the castle")
    sky = doc.linear("sky", [(0, "#7fb8ea"), (0.55, "#cfe8f6"), (1, "#f6f0d8")])
    doc.add(path("M0 0 H1280 V768 H0 Z", sky))
    cloud = "#ffffff"
    for cx, cy, s in ((170, 120, 1.0), (1090, 90, 1.2), (420, 60, 0.7), (880, 180, 0.8)):
        doc.add(ellipse(cx, cy, 70 * s, 22 * s, cloud, extra=' opacity="0.85"'),
                ellipse(cx - 30 * s, cy - 12 * s, 38 * s, 20 * s, cloud, extra=' opacity="0.85"'),
                ellipse(cx + 28 * s, cy - 16 * s, 42 * s, 24 * s, cloud, extra=' opacity="0.85"'))
    far = doc.linear("far", [(0, "#a6c8a0"), (1, "#7fa880")])
    doc.add(path("M0 470 C160 400 300 430 430 455 C560 400 700 395 820 440 C960 380 1120 410 1280 "
                 "450 V768 H0 Z", far))
    near = doc.linear("near", [(0, "#8fd060"), (0.5, "#5aa83a"), (1, "#3f8a2e")])
    doc.add(path("M0 600 C200 560 380 590 520 598 C700 585 900 580 1060 596 C1160 604 1230 590 "
                 "1280 584 V768 H0 Z", near, OUTLINE, 2))
    # The plan: dashed outlines of the building on the ground (roofs as their triangles; the
    # flags, ornaments, gardens and the sun are not drawn in it).
    plan = []
    for i, (x, y, w, h, draw) in enumerate(PARTS):
        if i in ORNAMENTS:
            continue
        if i in ROOFS:
            plan.append(f"M{f(x + w / 2)} {f(y + 2)} L{f(x + w - 3)} {f(y + h - 3)} H{f(x + 3)} Z")
        else:
            plan.append(f"M{f(x + 2)} {f(y + 2)} h{f(w - 4)} v{f(h - 4)} h{f(-(w - 4))} Z")
    doc.add(path(" ".join(plan), stroke="#ffffff", width=1.4,
                 extra=' stroke-dasharray="6 5" opacity="0.35"'))
    # Grass tufts along the hill.
    tufts = []
    for i in range(40):
        x = 15 + i * 32 + (i * 37) % 11
        y = 640 + (i * 53) % 110
        tufts.append(f"M{x} {y} l-4 -9 M{x} {y} l1 -11 M{x} {y} l5 -8")
    doc.add(path(" ".join(tufts), stroke="#2f6e22", width=1.6, extra=' opacity="0.6"'))
    doc.save("wide", "castle_back")


def main():
    rows = []
    for i, (x, y, w, h, draw) in enumerate(PARTS, start=1):
        name = f"castle_part_{i:02d}"
        doc = Doc(w, h, f"Castle part {i} of 45")
        doc.add(*draw(doc, w, h))
        doc.save("atlases/castle", name)
        ox, oy = OFFSETS.get(i - 1, (0, 0))
        attrs = f'name="{name}" x="{x}" y="{y}" w="0" h="0"'
        if (ox, oy) != (0, 0):
            attrs += f' offset="{ox},{oy}"'
        if i - 1 in EFFECTS:
            attrs += f' effect="{EFFECTS[i - 1]}"'
        rows.append(f"  <part {attrs}/>")
    backdrop()
    table = os.path.join(os.path.dirname(ART), "game", "content", "castle_parts.xml")
    with open(table, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="utf-8"?>\n'
                  "<!-- The castle's 45 parts in building order (written by "
                  "content-src/art/generated/castle.py): the sprite, its top-left corner on the "
                  "1280 x 768 canvas (y down), its size (0: the sprite's), where its effect "
                  "bursts from its centre (y up) and the effect (default castle_part). -->\n"
                  "<PartTable>\n" + "\n".join(rows) + "\n</PartTable>\n")


if __name__ == "__main__":
    main()
