"""The five puzzle pictures, one per episode, and their cut into ten pieces.

Each picture is painted once (520 x 320, in picture coordinates with y down) and cut by one
set of edges into five columns and two rows. From that one cut the script writes
  - the piece sprites: atlases/puzzleN/pzN_01.svg ... pzN_10.svg, the picture clipped to the
    piece's outline, the piece's cell centred in the sprite;
  - "puzzle_set_N.xml": the ten pieces (controls 11-20) where they lie in the finished picture;
  - "puzzle_poly_N.xml": each piece's neighbours and its outline, relative to its centre, y up.
So an outline is exactly the edge its sprite is clipped to, and two neighbours share one edge.

Every tab narrows away from its base, so that every piece is star-shaped about the mean of
its outline points: the game tests a click in the triangles from that point to each edge.
The script checks this and stops when a cut breaks it.

    python3 content-src/art/generated/puzzles.py
"""
import math
import os
import random

from artlib import ART, f

GAME = os.path.join(os.path.dirname(ART), "game", "content", "puzzles")

W, H = 520, 320          # the finished picture
COLS, ROWS = 5, 2
CW, CH = W // COLS, H // ROWS   # one cell: 104 x 160
TAB_H = 18               # how far a tab reaches over the edge
TAB_A = 17               # half the width of a tab's base
TAB_LEAN = 6             # how far a tab's wall leans in
TAB_CAP = 6              # how flat a tab's tip is
MARGIN = TAB_H + 4       # around the cell in the sprite
SW, SH = CW + 2 * MARGIN, CH + 2 * MARGIN
# Where the finished picture's centre lies on the board (virtual units, y up).
PICTURE_X, PICTURE_Y = -25, 55
TAB_STEPS = 7


def piece_number(col, row):
    return row * COLS + col + 1


# ---------------------------------------------------------------- the cut

def tab_points(a, b, side, shift):
    """The points of an edge from a to b (picture coordinates) with a tab in its middle
    (moved along the edge by shift), bulging to the left of a->b for side 1, to the right for
    side -1. a and b themselves are not included."""
    ax, ay = a
    bx, by = b
    length = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / length, (by - ay) / length
    nx, ny = uy * side, -ux * side   # left of a->b in y-down coordinates for side 1
    mid = length / 2 + shift
    # Local (along, across) points: a straight wall leaning in from the base, then a curve
    # that turns from the wall's direction to level at the tip (so it never turns back).
    b, c = TAB_A - TAB_LEAN, TAB_H - 2 * TAB_LEAN
    p0, p1, p2, p3 = (-b, c), (-b + TAB_LEAN * 0.5, c + c * 0.5), (-TAB_CAP, TAB_H), (0, TAB_H)
    left = [(-TAB_A + (TAB_A - b) * i / 3, c * i / 3) for i in range(3)]
    for i in range(TAB_STEPS + 1):
        t = i / TAB_STEPS
        k0, k1, k2, k3 = (1 - t) ** 3, 3 * t * (1 - t) ** 2, 3 * t * t * (1 - t), t ** 3
        left.append((k0 * p0[0] + k1 * p1[0] + k2 * p2[0] + k3 * p3[0],
                     k0 * p0[1] + k1 * p1[1] + k2 * p2[1] + k3 * p3[1]))
    local = left + [(-x, y) for x, y in reversed(left[:-1])]
    out = []
    for along, across in local:
        s = mid + along
        out.append((ax + ux * s + nx * across, ay + uy * s + ny * across))
    return out


def make_cut(seed):
    """For every internal edge, its tab side and shift."""
    rnd = random.Random(seed)
    vertical = {}    # (col, row): the edge between col-1 and col in row
    horizontal = {}  # (col, row): the edge between row-1 and row in col
    for row in range(ROWS):
        for col in range(1, COLS):
            vertical[(col, row)] = (rnd.choice((1, -1)), rnd.uniform(-9, 9))
    for row in range(1, ROWS):
        for col in range(COLS):
            horizontal[(col, row)] = (rnd.choice((1, -1)), rnd.uniform(-12, 12))
    return vertical, horizontal


STRAIGHT_STEP = 4.0      # straight stretches get points this far apart, like the tabs'


def even_points(points):
    """The closed outline with points added along long straight stretches, so that the mean
    of the points lies near the middle of the piece, not pulled towards its tabs."""
    out = []
    for i, (x0, y0) in enumerate(points):
        x1, y1 = points[(i + 1) % len(points)]
        out.append((x0, y0))
        n = int(math.hypot(x1 - x0, y1 - y0) // STRAIGHT_STEP)
        for k in range(1, n):
            out.append((x0 + (x1 - x0) * k / n, y0 + (y1 - y0) * k / n))
    return out


def piece_outline(col, row, cut):
    return even_points(raw_outline(col, row, cut))


def raw_outline(col, row, cut):
    """The outline of a piece in picture coordinates, clockwise on the screen (y down)."""
    vertical, horizontal = cut
    x0, y0 = col * CW, row * CH
    x1, y1 = x0 + CW, y0 + CH
    pts = [(x0, y0)]
    # Top edge, left to right.
    if (col, row) in horizontal:
        side, shift = horizontal[(col, row)]
        pts += tab_points((x0, y0), (x1, y0), side, shift)
    pts.append((x1, y0))
    # Right edge, top to bottom.
    if (col + 1, row) in vertical:
        side, shift = vertical[(col + 1, row)]
        pts += tab_points((x1, y0), (x1, y1), side, shift)
    pts.append((x1, y1))
    # Bottom edge, right to left: the same edge as the top of the piece below, reversed.
    if (col, row + 1) in horizontal:
        side, shift = horizontal[(col, row + 1)]
        pts += list(reversed(tab_points((x0, y1), (x1, y1), side, shift)))
    pts.append((x0, y1))
    # Left edge, bottom to top.
    if (col, row) in vertical:
        side, shift = vertical[(col, row)]
        pts += list(reversed(tab_points((x0, y0), (x0, y1), side, shift)))
    return pts


def neighbours(col, row):
    out = []
    for dc, dr in ((0, -1), (1, 0), (0, 1), (-1, 0)):
        c, r = col + dc, row + dr
        if 0 <= c < COLS and 0 <= r < ROWS:
            out.append(piece_number(c, r))
    return out


def check_star(points, name):
    """Every edge must turn the same way about the mean of the points."""
    cx = sum(p[0] for p in points) / len(points)
    cy = sum(p[1] for p in points) / len(points)
    signs = set()
    for i, (x0, y0) in enumerate(points):
        x1, y1 = points[(i + 1) % len(points)]
        cross = (x0 - cx) * (y1 - cy) - (y0 - cy) * (x1 - cx)
        if abs(cross) > 1e-6:
            signs.add(cross > 0)
    if len(signs) != 1:
        raise SystemExit(f"{name}: the outline is not star-shaped about its mean point "
                         f"({f(cx)}, {f(cy)})")


# ---------------------------------------------------------------- painting helpers

def P(d, fill="none", stroke=None, width=None, extra=""):
    s = (f' stroke="{stroke}" stroke-width="{f(width)}" stroke-linejoin="round" '
         f'stroke-linecap="round"') if stroke else ""
    return f'<path d="{d}" fill="{fill}"{s}{extra}/>'


def C(x, y, r, fill, extra=""):
    return f'<circle cx="{f(x)}" cy="{f(y)}" r="{f(r)}" fill="{fill}"{extra}/>'


def poly_d(points, closed=True):
    return "M" + " L".join(f"{f(x)} {f(y)}" for x, y in points) + (" Z" if closed else "")


def smooth_d(points, closed=True):
    """A smooth closed (or open) curve through the points (Catmull-Rom as cubic Beziers)."""
    n = len(points)
    d = f"M{f(points[0][0])} {f(points[0][1])}"
    last = n if closed else n - 1
    for i in range(last):
        p0 = points[(i - 1) % n] if closed or i > 0 else points[i]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[(i + 1) % n]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d += f" C{f(c1[0])} {f(c1[1])} {f(c2[0])} {f(c2[1])} {f(p2[0])} {f(p2[1])}"
    return d + (" Z" if closed else "")


def blob(rnd, cx, cy, rx, ry, n=11, wobble=0.22):
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        k = 1 + rnd.uniform(-wobble, wobble)
        pts.append((cx + math.cos(a) * rx * k, cy + math.sin(a) * ry * k))
    return pts


def star(x, y, r, points=5, inner=0.45, rot=-90):
    pts = []
    for i in range(points * 2):
        a = math.radians(rot + 180 * i / points)
        rr = r if i % 2 == 0 else r * inner
        pts.append((x + math.cos(a) * rr, y + math.sin(a) * rr))
    return pts


def compass_rose(x, y, r, dark, light, accent):
    parts = [C(x, y, r * 1.08, "none", f' stroke="{dark}" stroke-width="1.2"'),
             C(x, y, r * 0.95, "none", f' stroke="{dark}" stroke-width="0.6"')]
    for i in range(8):
        a = math.radians(i * 45 - 90)
        rr = r if i % 2 == 0 else r * 0.62
        w = r * 0.16
        tip = (x + math.cos(a) * rr, y + math.sin(a) * rr)
        l = (x + math.cos(a - math.pi / 2) * w, y + math.sin(a - math.pi / 2) * w)
        rt = (x + math.cos(a + math.pi / 2) * w, y + math.sin(a + math.pi / 2) * w)
        parts.append(P(poly_d([(x, y), l, tip]), dark))
        parts.append(P(poly_d([(x, y), rt, tip]), light, dark, 0.6))
    parts.append(C(x, y, r * 0.12, accent, f' stroke="{dark}" stroke-width="0.8"'))
    return "".join(parts)


# ---------------------------------------------------------------- the pictures

def paper(defs, ident, stops, rnd, stains=6, stain="#8a5a2a"):
    defs.append(f'<radialGradient id="{ident}" cx="0.5" cy="0.45" r="0.75">' +
                "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops) +
                "</radialGradient>")
    body = [f'<rect x="-30" y="-30" width="{W + 60}" height="{H + 60}" fill="url(#{ident})"/>']
    for _ in range(stains):
        x, y = rnd.uniform(0, W), rnd.uniform(0, H)
        body.append(P(smooth_d(blob(rnd, x, y, rnd.uniform(14, 40), rnd.uniform(10, 30))),
                      stain, extra=f' opacity="{f(rnd.uniform(0.05, 0.12))}"'))
    return body


def old_map(rnd):
    """Puzzle 1, the old map: a hand-drawn land with a river, hills, woods, a castle, a
    dotted road to a cross, the sea with waves and a ship, and a compass rose."""
    defs, ink = [], "#5a3614"
    body = paper(defs, "pz1paper", [(0, "#f6e6bf"), (0.7, "#e8cf98"), (1, "#c9a366")], rnd)
    # The sea on the right and at the bottom.
    sea = [(330, -30), (560, -30), (560, 360), (120, 360), (150, 300), (205, 280), (250, 292),
           (300, 250), (320, 200), (352, 170), (338, 120), (368, 80), (350, 30)]
    body.append(P(smooth_d(sea), "#9ec6c4", ink, 1.6, ' opacity="0.9"'))
    for k in range(1, 4):
        off = [(x + 9 * k, y + 7 * k) for x, y in sea[4:]]
        body.append(P(smooth_d(off, False), "none", "#4f8a8c", 0.8, f' opacity="{0.6 / k}"'))
    for _ in range(26):
        x, y = rnd.uniform(380, 510), rnd.uniform(20, 300)
        if x < 400 and y > 200:
            continue
        body.append(P(f"M{f(x)} {f(y)} q4 -4 8 0 q4 4 8 0", "none", "#3f7478", 1))
    # An island.
    isl = blob(rnd, 455, 80, 30, 18)
    body.append(P(smooth_d(isl), "#e7d3a0", ink, 1.4))
    body.append(P("M445 78 l6 -10 l6 10 M456 82 l5 -8 l5 8", "none", ink, 1.2))
    # The river from the hills to the sea.
    river = [(60, 20), (95, 70), (90, 120), (140, 160), (200, 170), (250, 210), (300, 250)]
    body.append(P(smooth_d(river, False), "none", "#7fb0b2", 7))
    body.append(P(smooth_d(river, False), "none", ink, 1, ' stroke-dasharray="2 5" opacity="0.5"'))
    # Hills (top left) with hatching.
    for hx, hy, s in ((40, 70, 1.1), (85, 45, 1.3), (130, 70, 0.9), (175, 40, 1.0),
                      (25, 120, 0.8), (215, 75, 0.8)):
        body.append(P(f"M{f(hx - 22 * s)} {f(hy)} Q{f(hx)} {f(hy - 34 * s)} {f(hx + 22 * s)} {f(hy)}",
                      "#d8bb84", ink, 1.5))
        for k in range(3):
            body.append(P(f"M{f(hx + 4 + k * 5)} {f(hy - 18 * s + k * 6)} l5 6", "none", ink, 0.8))
    # Woods: little round trees.
    for _ in range(34):
        x, y = rnd.uniform(20, 230), rnd.uniform(170, 300)
        if 150 < x and y > 265:
            continue
        body.append(P(f"M{f(x)} {f(y)} l0 7", "none", ink, 1.2))
        body.append(C(x, y - 2, rnd.uniform(5, 7), rnd.choice(("#7d9a4a", "#6a8a3c", "#8aa656")),
                      f' stroke="{ink}" stroke-width="1"'))
    # The castle on the river.
    cx, cy = 195, 135
    body.append(P(f"M{cx - 24} {cy} h48 v-26 h-6 v6 h-6 v-6 h-6 v6 h-6 v-6 h-6 v6 h-6 v-6 h-6 v6 "
                  f"h-6 v-6 h-6 z", "#d9c3a0", ink, 1.4))
    body.append(P(f"M{cx - 8} {cy - 26} v-18 h16 v18", "#d9c3a0", ink, 1.4))
    body.append(P(f"M{cx - 10} {cy - 44} l10 -12 l10 12 z", "#b5532e", ink, 1.2))
    body.append(P(f"M{cx} {cy - 56} v-10 l9 3 l-9 3", "#c8302a", ink, 1))
    body.append(P(f"M{cx - 5} {cy} v-10 a5 5 0 0 1 10 0 v10", "#6b4a2a", ink, 1))
    # The dotted road from the castle to the cross near the coast.
    road = [(cx + 10, cy + 8), (235, 150), (265, 130), (290, 100), (300, 60), (318, 40)]
    body.append(P(smooth_d(road, False), "none", "#a03a20", 2.2, ' stroke-dasharray="6 5"'))
    body.append(P("M306 28 l18 18 M324 28 l-18 18", "none", "#b02a1a", 4))
    # A ship with a sail.
    sx, sy = 430, 230
    body.append(P(f"M{sx - 26} {sy} h52 l-10 12 h-32 z", "#8a5a30", ink, 1.3))
    body.append(P(f"M{sx} {sy} v-44", "none", ink, 1.6))
    body.append(P(f"M{sx + 2} {sy - 40} q18 14 0 34 z", "#f2ead6", ink, 1.2))
    body.append(P(f"M{sx - 2} {sy - 36} q-16 12 0 28 z", "#efe4cc", ink, 1.2))
    body.append(P(f"M{sx} {sy - 44} l10 3 l-10 3", "#c8302a"))
    # A sea creature's coils.
    for i, (x, y) in enumerate(((390, 290), (410, 286), (430, 290))):
        body.append(P(f"M{x - 8} {y + 4} q8 -16 16 0", "#5e8f6a", ink, 1.3))
    body.append(P("M436 292 q8 -14 14 -6 l-4 4", "#5e8f6a", ink, 1.3))
    body.append(compass_rose(470, 170, 34, ink, "#f3e2b8", "#c8302a"))
    # A border.
    body.append(f'<rect x="6" y="6" width="{W - 12}" height="{H - 12}" fill="none" '
                f'stroke="{ink}" stroke-width="2.5"/>')
    body.append(f'<rect x="11" y="11" width="{W - 22}" height="{H - 22}" fill="none" '
                f'stroke="{ink}" stroke-width="0.8"/>')
    return defs, body


def captains_chart(rnd):
    """Puzzle 2, the captain's chart: a sea chart with depth lines, rhumb lines from two
    roses, a coast with a harbour and lighthouse, islands, an anchor and a ship's course."""
    defs, ink = [], "#1f3a5a"
    defs.append('<linearGradient id="pz2sea" x1="0" y1="0" x2="1" y2="1">'
                '<stop offset="0" stop-color="#cfe4ea"/><stop offset="1" stop-color="#a8cbd8"/>'
                '</linearGradient>')
    body = [f'<rect x="-30" y="-30" width="{W + 60}" height="{H + 60}" fill="url(#pz2sea)"/>']
    # Rhumb lines from two roses.
    for ox, oy in ((150, 170), (400, 110)):
        for i in range(16):
            a = math.radians(i * 22.5)
            col = "#b03a2a" if i % 4 == 0 else "#3d6a80"
            body.append(P(f"M{ox} {oy} L{f(ox + math.cos(a) * 700)} {f(oy + math.sin(a) * 700)}",
                          "none", col, 0.6, ' opacity="0.55"'))
    # The coast along the left and bottom, with depth lines off it.
    coast = [(-30, -30), (70, -30), (95, 30), (80, 80), (110, 120), (95, 170), (130, 220),
             (210, 250), (260, 290), (330, 300), (360, 360), (-30, 360)]
    for k, op in ((28, 0.25), (18, 0.35), (9, 0.5)):
        grown = [(x + k, y - k * 0.6) for x, y in coast[1:-1]]
        body.append(P(smooth_d(grown, False), "none", "#2f6f8f", 1.1,
                      f' stroke-dasharray="3 3" opacity="{op}"'))
    body.append(P(smooth_d(coast), "#e9dcae", ink, 1.8))
    body.append(P(smooth_d([(x - 6, y + 4) for x, y in coast[1:-1]], False), "none", "#c7b47a", 5,
                  ' opacity="0.6"'))
    # Fields and a town on the coast.
    for _ in range(20):
        x, y = rnd.uniform(0, 80), rnd.uniform(10, 300)
        body.append(P(f"M{f(x)} {f(y)} h6 v-5 l-3 -3 l-3 3 z", "#c9573a", ink, 0.6))
    # The lighthouse on the point.
    lx, ly = 112, 118
    body.append(P(f"M{lx - 6} {ly} l3 -32 h6 l3 32 z", "#f4f1e6", ink, 1.2))
    body.append(P(f"M{lx - 4} {ly - 20} h8 M{lx - 5} {ly - 10} h10", "none", "#c8302a", 3))
    body.append(P(f"M{lx - 5} {ly - 32} h10 v-6 h-10 z", "#ffd65a", ink, 1))
    body.append(P(f"M{lx + 6} {ly - 35} l30 -10 v20 z", "#fff3a0", extra=' opacity="0.55"'))
    # Islands.
    for cx, cy, rx, ry in ((300, 60, 34, 18), (450, 240, 40, 22), (360, 180, 14, 9), (480, 40, 18, 10)):
        isl = blob(rnd, cx, cy, rx, ry, 10, 0.25)
        body.append(P(smooth_d([(x + 7, y + 5) for x, y in isl]), "none", "#2f6f8f", 1,
                      ' stroke-dasharray="2 3" opacity="0.5"'))
        body.append(P(smooth_d(isl), "#e9dcae", ink, 1.4))
        body.append(C(cx - rx * 0.2, cy - ry * 0.1, min(rx, ry) * 0.45, "#8fae62",
                      f' stroke="{ink}" stroke-width="0.6"'))
    # Depth soundings.
    for _ in range(40):
        x, y = rnd.uniform(150, 510), rnd.uniform(15, 300)
        body.append(f'<text x="{f(x)}" y="{f(y)}" font-family="DejaVu Serif" font-size="7" '
                    f'fill="{ink}" opacity="0.7">{rnd.randint(3, 40)}</text>')
    # The ship's course, dashed, with the ship.
    course = [(150, 230), (230, 190), (300, 140), (380, 120), (440, 150), (470, 200)]
    body.append(P(smooth_d(course, False), "none", "#b03a2a", 2, ' stroke-dasharray="8 5"'))
    sx, sy = 300, 132
    body.append(P(f"M{sx - 18} {sy} h36 l-8 9 h-20 z", "#6b4226", ink, 1.1))
    body.append(P(f"M{sx} {sy} v-30 M{sx - 10} {sy} v-22", "none", ink, 1.3))
    body.append(P(f"M{sx + 1} {sy - 28} q12 10 0 24 z M{sx - 9} {sy - 21} q10 8 0 18 z",
                  "#fbf6e8", ink, 1))
    # An anchor.
    ax, ay = 210, 60
    body.append(P(f"M{ax} {ay - 22} v40 M{ax - 10} {ay - 14} h20 M{ax - 18} {ay + 6} "
                  f"q2 14 18 14 q16 0 18 -14", "none", ink, 3))
    body.append(C(ax, ay - 26, 4, "none", f' stroke="{ink}" stroke-width="2.4"'))
    body.append(compass_rose(150, 170, 40, ink, "#f2f6f8", "#c8302a"))
    body.append(compass_rose(400, 110, 22, ink, "#f2f6f8", "#c8302a"))
    # The scale bar and the frame with degree marks.
    body.append(P("M380 300 h100", "none", ink, 3))
    for i in range(6):
        body.append(P(f"M{380 + i * 20} 296 v8", "none", ink, 1.2))
    body.append(f'<rect x="5" y="5" width="{W - 10}" height="{H - 10}" fill="none" '
                f'stroke="{ink}" stroke-width="5"/>')
    for i in range(27):
        x = 5 + i * (W - 10) / 26
        body.append(P(f"M{f(x)} 5 v5 M{f(x)} {H - 5} v-5", "none",
                      "#f4f1e6" if i % 2 else ink, 3))
    return defs, body


def foresters_sketch(rnd):
    """Puzzle 3, the forester's sketch: an ink and watercolour sketch of a woodland clearing
    with a log cabin, pines and broad-leaved trees, a deer, a stream and a woodpile."""
    defs, ink = [], "#3a2a1a"
    body = paper(defs, "pz3paper", [(0, "#fbf4e2"), (0.8, "#efe2c0"), (1, "#dcc89a")], rnd, 4,
                 "#7a6a3a")
    # Watercolour washes: sky, hills, the clearing.
    body.append(P("M-30 -30 H550 V120 Q400 90 260 120 Q120 80 -30 110 Z", "#bcd6e0",
                  extra=' opacity="0.55"'))
    body.append(P("M-30 140 Q90 70 210 120 Q330 60 550 120 V200 H-30 Z", "#9fbf8a",
                  extra=' opacity="0.6"'))
    body.append(P("M-30 220 Q160 180 300 210 Q430 180 550 215 V360 H-30 Z", "#c9d79a",
                  extra=' opacity="0.7"'))
    # A low sun.
    body.append(C(410, 55, 26, "#f7d98a", ' opacity="0.6"'))
    # Birds.
    for x, y in ((300, 40), (320, 52), (335, 35)):
        body.append(P(f"M{x} {y} q5 -5 10 0 q5 -5 10 0", "none", ink, 1))
    # Pines at the back and sides.
    for _ in range(18):
        x = rnd.choice((rnd.uniform(-10, 170), rnd.uniform(350, 530)))
        y = rnd.uniform(150, 200)
        s = rnd.uniform(0.7, 1.3)
        pts = [(x, y - 70 * s)]
        for k in range(4):
            yy = y - 70 * s + (k + 1) * 16 * s
            pts = [(x - (6 + k * 6) * s, yy)] + pts + [(x + (6 + k * 6) * s, yy)]
        body.append(P(poly_d(pts), rnd.choice(("#4f7a4a", "#5c8a54", "#3f6a40")), ink, 1.1,
                      ' opacity="0.92"'))
        body.append(P(f"M{f(x)} {f(y - 6 * s)} v{f(12 * s)}", "none", ink, 2))
    # Broad-leaved trees.
    for x, y, r in ((60, 230, 34), (470, 238, 38), (140, 205, 24)):
        body.append(P(f"M{x} {y} v{r * 1.3}", "none", "#6b4a2a", 7))
        body.append(P(smooth_d(blob(rnd, x, y - r * 0.3, r, r * 0.85, 12, 0.18)), "#7aa05a",
                      ink, 1.3, ' opacity="0.95"'))
        for _ in range(7):
            lx, ly = x + rnd.uniform(-r * 0.7, r * 0.7), y - r * 0.3 + rnd.uniform(-r * 0.6, r * 0.5)
            body.append(P(f"M{f(lx)} {f(ly)} q4 -4 8 0", "none", ink, 0.8, ' opacity="0.7"'))
    # The cabin.
    hx, hy = 270, 205
    body.append(P(f"M{hx - 50} {hy} v-42 h100 v42 z", "#b8875a", ink, 1.6))
    for k in range(6):
        body.append(P(f"M{hx - 50} {hy - 6 - k * 7} h100", "none", ink, 0.8))
        body.append(C(hx - 50, hy - 6 - k * 7, 3, "#d8b088", f' stroke="{ink}" stroke-width="0.6"'))
        body.append(C(hx + 50, hy - 6 - k * 7, 3, "#d8b088", f' stroke="{ink}" stroke-width="0.6"'))
    body.append(P(f"M{hx - 60} {hy - 40} L{hx} {hy - 78} L{hx + 60} {hy - 40} z", "#8a5a3a", ink, 1.6))
    for k in range(5):
        body.append(P(f"M{hx - 48 + k * 6} {hy - 48 - k * 4} h{f(96 - k * 12)}", "none", ink, 0.6))
    body.append(P(f"M{hx + 25} {hy - 70} v-20 h12 v28", "#9a8f86", ink, 1.2))
    body.append(P(f"M{hx + 31} {hy - 94} q-6 -10 4 -18 q-8 -8 2 -16", "none", "#8a8a8a", 2.5,
                  ' opacity="0.6"'))
    body.append(P(f"M{hx - 10} {hy} v-26 h20 v26", "#6b4226", ink, 1.2))
    body.append(P(f"M{hx - 40} {hy - 30} h18 v14 h-18 z M{hx + 22} {hy - 30} h18 v14 h-18 z",
                  "#f3d67a", ink, 1.1))
    # A woodpile and an axe in a stump.
    for i in range(3):
        for j in range(3 - i):
            body.append(C(hx + 70 + j * 11 + i * 5.5, hy - 5 - i * 10, 5.5, "#d2a06a",
                          f' stroke="{ink}" stroke-width="1"'))
    body.append(P(f"M{hx - 90} {hy + 4} v-12 h18 v12 z", "#a8784a", ink, 1.2))
    body.append(P(f"M{hx - 84} {hy - 8} l10 -18 M{hx - 76} {hy - 24} l8 -2 l-3 9 z", "#c0c4c8", ink, 1.3))
    # The stream.
    stream = [(560, 250), (430, 270), (330, 262), (250, 285), (140, 300), (40, 290), (-40, 320)]
    body.append(P(smooth_d(stream, False), "none", "#8fbcd0", 12, ' opacity="0.8"'))
    body.append(P(smooth_d(stream, False), "none", ink, 0.7, ' stroke-dasharray="9 7" opacity="0.6"'))
    # A deer by the stream.
    dx, dy = 380, 248
    body.append(P(f"M{dx - 20} {dy - 18} q18 -8 34 0 q6 -10 8 -18 l6 0 q2 10 -4 22 q-6 6 -10 4 "
                  f"l0 22 h-4 l0 -18 h-18 l-2 18 h-4 l0 -22 q-8 -2 -6 -8 z", "#b77a48", ink, 1.3))
    body.append(P(f"M{dx + 22} {dy - 38} l-4 -10 M{dx + 22} {dy - 38} l6 -9 M{dx + 19} {dy - 44} l-6 -2 "
                  f"M{dx + 26} {dy - 43} l6 -1", "none", ink, 1.4))
    # Grass strokes.
    for _ in range(60):
        x, y = rnd.uniform(0, W), rnd.uniform(215, 315)
        body.append(P(f"M{f(x)} {f(y)} l{f(rnd.uniform(-3, 3))} -7", "none", "#5a7a3a", 1,
                      ' opacity="0.7"'))
    return defs, body


def frozen_letter(rnd):
    """Puzzle 4, the frozen letter: a letter on a blue-white ground, its lines of hand-
    writing and a red wax seal, a quill, frost creeping in from the corners and snow."""
    defs, ink = [], "#24365a"
    defs.append('<radialGradient id="pz4ice" cx="0.5" cy="0.5" r="0.75">'
                '<stop offset="0.3" stop-color="#dfeef8"/><stop offset="1" stop-color="#8fb4d8"/>'
                '</radialGradient>')
    defs.append('<linearGradient id="pz4paper" x1="0" y1="0" x2="1" y2="1">'
                '<stop offset="0" stop-color="#fffdf6"/><stop offset="1" stop-color="#e9e4d6"/>'
                '</linearGradient>')
    body = [f'<rect x="-30" y="-30" width="{W + 60}" height="{H + 60}" fill="url(#pz4ice)"/>']
    # The sheet, slightly turned, with its shadow.
    sheet = [(70, 26), (452, 14), (464, 296), (80, 306)]
    body.append(P(poly_d([(x + 6, y + 7) for x, y in sheet]), "#51708f", extra=' opacity="0.35"'))
    body.append(P(poly_d(sheet), "url(#pz4paper)", "#a49a84", 1.2))
    # Writing: wavy lines of ink in a clear hand (no real words).
    for row in range(11):
        y0 = 60 + row * 20
        x = 100 + (24 if row == 0 else 0)
        end = 420 - (90 if row == 10 else rnd.uniform(0, 30))
        d = f"M{f(x)} {f(y0)}"
        while x < end:
            step = rnd.uniform(10, 22)
            d += f" q{f(step / 4)} {f(-rnd.uniform(4, 8))} {f(step / 2)} 0 t{f(step / 2)} 0"
            x += step
            if rnd.random() < 0.18:
                x += 7
                d += f" m7 0"
        body.append(P(d, "none", ink, 1.3, ' opacity="0.85"'))
    # The signature and the seal.
    body.append(P("M300 282 q10 -20 22 -4 t24 -6 q10 -14 18 2 l30 -10", "none", ink, 1.8))
    body.append(P(smooth_d(blob(rnd, 140, 268, 22, 20, 12, 0.12)), "#b4232a", "#6e1016", 1.5))
    body.append(C(140, 268, 13, "none", ' stroke="#e8646a" stroke-width="2" opacity="0.7"'))
    body.append(P(poly_d(star(140, 268, 9)), "#7e141c"))
    # A quill across the corner.
    body.append(P("M470 40 Q420 110 360 150", "none", "#5a4a3a", 2))
    body.append(P("M470 40 Q448 52 430 80 Q404 110 372 140 Q392 104 420 74 Q444 48 470 40 Z",
                  "#f4f4f0", "#8a8a8a", 1))
    # Frost from the corners: branching crystals.
    strokes = {}

    def frost(x, y, a, length, depth):
        if depth == 0 or length < 4:
            return
        x2, y2 = x + math.cos(a) * length, y + math.sin(a) * length
        strokes.setdefault(depth, []).append(f"M{f(x)} {f(y)}L{f(x2)} {f(y2)}")
        for k in (0.35, 0.65):
            bx, by = x + (x2 - x) * k, y + (y2 - y) * k
            for s in (-1, 1):
                frost(bx, by, a + s * math.radians(55), length * 0.42, depth - 1)
        frost(x2, y2, a + rnd.uniform(-0.3, 0.3), length * 0.7, depth - 1)
    for cx, cy, a in ((0, 0, 0.7), (W, 0, 2.4), (0, H, -0.7), (W, H, -2.4), (260, 320, -1.57),
                      (0, 160, 0), (520, 170, 3.14)):
        for k in range(3):
            frost(cx, cy, a + (k - 1) * 0.45, rnd.uniform(40, 60), 4)
    for depth, segments in sorted(strokes.items()):
        body.append(P("".join(segments), "none", "#ffffff", max(0.6, depth * 0.55),
                      ' opacity="0.85"'))
    # Snowflakes.
    for _ in range(18):
        x, y, r = rnd.uniform(0, W), rnd.uniform(0, H), rnd.uniform(3, 7)
        d = ""
        for k in range(3):
            a = math.radians(k * 60)
            d += (f"M{f(x - math.cos(a) * r)} {f(y - math.sin(a) * r)} "
                  f"L{f(x + math.cos(a) * r)} {f(y + math.sin(a) * r)} ")
        body.append(P(d, "none", "#ffffff", 1.4, ' opacity="0.9"'))
    # A frosted veil over the edges.
    defs.append('<radialGradient id="pz4veil" cx="0.5" cy="0.5" r="0.72">'
                '<stop offset="0.62" stop-color="#ffffff" stop-opacity="0"/>'
                '<stop offset="1" stop-color="#ffffff" stop-opacity="0.75"/></radialGradient>')
    body.append(f'<rect x="-30" y="-30" width="{W + 60}" height="{H + 60}" fill="url(#pz4veil)"/>')
    return defs, body


def star_map(rnd):
    """Puzzle 5, the star map: the night sky on a dark blue chart, a ring of degrees, the
    moon, a comet, constellations joined by lines and a field of small stars."""
    defs, gold = [], "#f0c75e"
    defs.append('<radialGradient id="pz5sky" cx="0.45" cy="0.45" r="0.8">'
                '<stop offset="0" stop-color="#2c3d7a"/><stop offset="0.7" stop-color="#141d48"/>'
                '<stop offset="1" stop-color="#0a0f2a"/></radialGradient>')
    body = [f'<rect x="-30" y="-30" width="{W + 60}" height="{H + 60}" fill="url(#pz5sky)"/>']
    # The milky way.
    band = [(-30, 260), (100, 200), (250, 150), (400, 90), (560, 40)]
    body.append(P(smooth_d(band, False), "none", "#8a9ad8", 60, ' opacity="0.16"'))
    body.append(P(smooth_d(band, False), "none", "#b8c4f0", 24, ' opacity="0.12"'))
    # The degree ring and grid.
    cx, cy = 260, 160
    body.append(C(cx, cy, 150, "none", f' stroke="{gold}" stroke-width="1.4" opacity="0.7"'))
    body.append(C(cx, cy, 140, "none", f' stroke="{gold}" stroke-width="0.7" opacity="0.6"'))
    for i in range(72):
        a = math.radians(i * 5)
        r0 = 140 if i % 6 else 132
        body.append(P(f"M{f(cx + math.cos(a) * r0)} {f(cy + math.sin(a) * r0)} "
                      f"L{f(cx + math.cos(a) * 150)} {f(cy + math.sin(a) * 150)}",
                      "none", gold, 0.8, ' opacity="0.7"'))
    for r in (45, 90):
        body.append(C(cx, cy, r, "none", ' stroke="#6f83c8" stroke-width="0.6" opacity="0.5" '
                                         'stroke-dasharray="3 4"'))
    for i in range(6):
        a = math.radians(i * 30)
        body.append(P(f"M{f(cx - math.cos(a) * 140)} {f(cy - math.sin(a) * 140)} "
                      f"L{f(cx + math.cos(a) * 140)} {f(cy + math.sin(a) * 140)}",
                      "none", "#6f83c8", 0.5, ' opacity="0.45"'))
    # Small stars.
    for _ in range(170):
        x, y = rnd.uniform(-10, W + 10), rnd.uniform(-10, H + 10)
        body.append(C(x, y, rnd.uniform(0.4, 1.3), "#ffffff", f' opacity="{f(rnd.uniform(0.4, 0.95))}"'))
    # Constellations.
    figures = [
        [(70, 70), (100, 50), (135, 60), (160, 40), (190, 62), (175, 95), (135, 60)],
        [(300, 60), (330, 80), (360, 70), (385, 95), (370, 130), (330, 80)],
        [(90, 200), (120, 230), (160, 225), (190, 255), (150, 280), (120, 230)],
        [(330, 210), (360, 190), (400, 205), (430, 180), (460, 200), (440, 240), (400, 205)],
        [(230, 120), (250, 150), (240, 185), (275, 200), (290, 165), (250, 150)],
        [(440, 60), (470, 90), (495, 70), (480, 130)],
    ]
    for fig in figures:
        body.append(P(poly_d(fig, False), "none", "#9fb4ff", 1, ' opacity="0.75"'))
        for x, y in set(fig):
            body.append(C(x, y, 5, "#ffffff", ' opacity="0.18"'))
            body.append(P(poly_d(star(x, y, 4.5, 4, 0.3, 0)), "#fff6d8"))
    # The moon with its dark side and craters.
    mx, my = 455, 250
    defs.append(f'<mask id="pz5moon"><rect x="{mx - 40}" y="{my - 40}" width="80" height="80" '
                f'fill="#fff"/><circle cx="{mx + 13}" cy="{my - 8}" r="30" fill="#000"/></mask>')
    body.append(C(mx, my, 40, "#fbf1c8", ' opacity="0.12" mask="url(#pz5moon)"'))
    body.append(C(mx, my, 32, "#fbf1c8", ' mask="url(#pz5moon)"'))
    body.append(C(mx - 16, my + 6, 4, "#e3d6a4"))
    body.append(C(mx - 8, my + 18, 3, "#e3d6a4"))
    body.append(C(mx - 20, my - 10, 2.5, "#e3d6a4"))
    # A comet.
    body.append(P("M40 300 Q120 250 205 130", "none", "#cfe2ff", 6, ' opacity="0.25"'))
    body.append(P("M40 300 Q120 250 205 130", "none", "#ffffff", 1.5, ' opacity="0.6"'))
    body.append(C(205, 130, 5, "#ffffff"))
    # Gold corners.
    for x, y, sx, sy in ((8, 8, 1, 1), (W - 8, 8, -1, 1), (8, H - 8, 1, -1), (W - 8, H - 8, -1, -1)):
        body.append(P(f"M{x} {y + sy * 40} V{y} H{x + sx * 40} M{x + sx * 8} {y + sy * 26} "
                      f"q{sx * 4} {sy * -14} {sx * 18} {sy * -18}", "none", gold, 2.2))
    return defs, body


PICTURES = [old_map, captains_chart, foresters_sketch, frozen_letter, star_map]


# ---------------------------------------------------------------- writing

def write_puzzle(number, painter):
    rnd = random.Random(1000 + number)
    defs, body = painter(rnd)
    cut = make_cut(7 * number + 3)
    art = os.path.join(ART, "atlases", f"puzzle{number}")
    os.makedirs(art, exist_ok=True)
    set_lines, poly_lines = [], []
    for row in range(ROWS):
        for col in range(COLS):
            n = piece_number(col, row)
            name = f"pz{number}_{n:02d}"
            outline = piece_outline(col, row, cut)
            check_star(outline, name)
            ox, oy = MARGIN - col * CW, MARGIN - row * CH
            local = [(x + ox, y + oy) for x, y in outline]
            d = poly_d(local)
            clip = f'<clipPath id="cut"><path d="{d}"/></clipPath>'
            svg = (f'<?xml version="1.0" encoding="UTF-8"?>\n'
                   f'<!-- Piece {n} of puzzle {number}. Written by generated/puzzles.py. -->\n'
                   f'<svg xmlns="http://www.w3.org/2000/svg" width="{SW}" height="{SH}" '
                   f'viewBox="0 0 {SW} {SH}">\n<defs>\n' + "\n".join(defs + [clip]) +
                   "\n</defs>\n"
                   # A soft shadow to the lower right, under the half-opaque limit the
                   # outline check draws the edge at.
                   f'<path d="{d}" fill="#1a0c04" opacity="0.28" transform="translate(2 3)"/>\n'
                   f'<g clip-path="url(#cut)">\n<g transform="translate({ox} {oy})">\n' +
                   "\n".join(body) + "\n</g>\n"
                   # A thin edge: dark inside the cut, a light rim along the upper left.
                   f'<path d="{d}" fill="none" stroke="#2a1a0a" stroke-width="2.4" '
                   f'stroke-opacity="0.75" stroke-linejoin="round"/>\n'
                   f'<path d="{d}" fill="none" stroke="#ffffff" stroke-width="1.2" '
                   f'stroke-opacity="0.35" stroke-linejoin="round" '
                   f'transform="translate(1 1)"/>\n'
                   "</g>\n</svg>\n")
            with open(os.path.join(art, name + ".svg"), "w", encoding="utf-8") as out:
                out.write(svg)
            # The piece's centre in the game (y up) and its outline about that centre.
            cx = PICTURE_X - W / 2 + col * CW + CW / 2
            cy = PICTURE_Y + H / 2 - row * CH - CH / 2
            set_lines.append(f'  <pic id="{10 + n}" spr="{name}" cx="{f(cx)}" cy="{f(cy)}"/>')
            mid_x, mid_y = col * CW + CW / 2, row * CH + CH / 2
            points = "".join(f'<point x="{f(x - mid_x)}" y="{f(mid_y - y)}"/>' for x, y in outline)
            links = ",".join(str(k) for k in neighbours(col, row))
            poly_lines.append(f'  <piece links="{links}">{points}</piece>')
    os.makedirs(GAME, exist_ok=True)
    head = (f'<?xml version="1.0" encoding="utf-8"?>\n<!-- Puzzle {number}: written by '
            f'art/generated/puzzles.py from the same cut as its piece sprites. -->\n')
    with open(os.path.join(GAME, f"puzzle_set_{number}.xml"), "w", encoding="utf-8") as out:
        out.write(head + "<controls>\n" + "\n".join(set_lines) + "\n</controls>\n")
    with open(os.path.join(GAME, f"puzzle_poly_{number}.xml"), "w", encoding="utf-8") as out:
        out.write(head + "<pieces>\n" + "\n".join(poly_lines) + "\n</pieces>\n")


def write_preview(number, painter):
    """The whole picture, for looking at it (not built into the game)."""
    rnd = random.Random(1000 + number)
    defs, body = painter(rnd)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" '
            f'viewBox="0 0 {W} {H}"><defs>' + "".join(defs) + "</defs>" + "".join(body) + "</svg>")


def write_board():
    """The puzzle board: a table of warm planks with a sunken felt tray where the finished
    picture lies (centred on the picture's place; the screen's centre is the picture's
    middle of 1280 x 768)."""
    rnd = random.Random(77)
    bw, bh = 1280, 768
    tx, ty = bw / 2 + PICTURE_X - W / 2, bh / 2 - PICTURE_Y - H / 2
    parts = [
        '<linearGradient id="plank" x1="0" y1="0" x2="0" y2="1"><stop offset="0" '
        'stop-color="#b27a46"/><stop offset="0.5" stop-color="#9a6436"/><stop offset="1" '
        'stop-color="#84532c"/></linearGradient>',
        '<radialGradient id="light" cx="0.5" cy="0.42" r="0.75"><stop offset="0" '
        'stop-color="#fff2d0" stop-opacity="0.28"/><stop offset="0.7" stop-color="#fff2d0" '
        'stop-opacity="0"/><stop offset="1" stop-color="#1a0c04" stop-opacity="0.5"/>'
        '</radialGradient>',
        '<linearGradient id="felt" x1="0" y1="0" x2="0" y2="1"><stop offset="0" '
        'stop-color="#2f4a3a"/><stop offset="1" stop-color="#3c5c48"/></linearGradient>',
    ]
    body = []
    plank_h = 96
    for i in range(bh // plank_h + 1):
        y = i * plank_h
        body.append(f'<rect x="0" y="{y}" width="{bw}" height="{plank_h}" fill="url(#plank)"/>')
        for _ in range(7):
            gy = y + rnd.uniform(8, plank_h - 8)
            x0 = rnd.uniform(-100, bw)
            body.append(P(f"M{f(x0)} {f(gy)} q{f(rnd.uniform(80, 160))} {f(rnd.uniform(-6, 6))} "
                          f"{f(rnd.uniform(240, 420))} {f(rnd.uniform(-3, 3))}", "none",
                          "#6a3e1e", rnd.uniform(0.8, 1.8), f' opacity="{f(rnd.uniform(0.2, 0.4))}"'))
        if rnd.random() < 0.8:
            kx, ky = rnd.uniform(40, bw - 40), y + rnd.uniform(25, plank_h - 25)
            body.append(f'<ellipse cx="{f(kx)}" cy="{f(ky)}" rx="11" ry="5" fill="#6a3e1e" '
                        f'opacity="0.45"/>')
        body.append(P(f"M0 {y + plank_h - 1} H{bw}", "none", "#4a2a12", 2.5, ' opacity="0.7"'))
        body.append(P(f"M0 {y + 1.5} H{bw}", "none", "#e0b07a", 1, ' opacity="0.5"'))
    # The tray: a carved frame with a sunken felt floor and a faint grid of the cut.
    pad = 16
    body.append(f'<rect x="{f(tx - pad - 6)}" y="{f(ty - pad - 2)}" width="{f(W + 2 * pad + 12)}" '
                f'height="{f(H + 2 * pad + 12)}" rx="10" fill="#1a0c04" opacity="0.35"/>')
    body.append(f'<rect x="{f(tx - pad)}" y="{f(ty - pad)}" width="{f(W + 2 * pad)}" '
                f'height="{f(H + 2 * pad)}" rx="8" fill="#6b3f1c" stroke="#3a1e0a" '
                f'stroke-width="3"/>')
    body.append(f'<rect x="{f(tx - pad + 4)}" y="{f(ty - pad + 4)}" width="{f(W + 2 * pad - 8)}" '
                f'height="{f(H + 2 * pad - 8)}" rx="6" fill="none" stroke="#c8915a" '
                f'stroke-width="1.5" opacity="0.7"/>')
    body.append(f'<rect x="{f(tx)}" y="{f(ty)}" width="{W}" height="{H}" fill="url(#felt)" '
                f'stroke="#1c2c22" stroke-width="2"/>')
    for col in range(1, COLS):
        body.append(P(f"M{f(tx + col * CW)} {f(ty + 6)} V{f(ty + H - 6)}", "none", "#5e8a6c", 1,
                      ' opacity="0.5" stroke-dasharray="4 6"'))
    body.append(P(f"M{f(tx + 6)} {f(ty + CH)} H{f(tx + W - 6)}", "none", "#5e8a6c", 1,
                  ' opacity="0.5" stroke-dasharray="4 6"'))
    body.append(f'<rect x="0" y="0" width="{bw}" height="{bh}" fill="url(#light)"/>')
    svg = (f'<?xml version="1.0" encoding="UTF-8"?>\n<!-- The puzzle board: planks and the tray '
           f'of the finished picture. Written by generated/puzzles.py. 1280x768. -->\n'
           f'<svg xmlns="http://www.w3.org/2000/svg" width="{bw}" height="{bh}" '
           f'viewBox="0 0 {bw} {bh}">\n<defs>\n' + "\n".join(parts) + "\n</defs>\n" +
           "\n".join(body) + "\n</svg>\n")
    with open(os.path.join(ART, "wide", "puzzle_board.svg"), "w", encoding="utf-8") as out:
        out.write(svg)


def write_world_piece():
    """The puzzle piece as it lies hidden in a level: a small golden jigsaw piece with a
    glow, tilted, that the player clicks to collect (world texture "puzzle_piece")."""
    size = 48
    # A square with round knobs out at the top and the right and one in at the left.
    cell = 26
    x0, y0 = (size - cell) / 2 - 2, (size - cell) / 2 + 3
    x1, y1 = x0 + cell, y0 + cell
    mx, my = (x0 + x1) / 2, (y0 + y1) / 2
    d = (f"M{f(x0)} {f(y0)} H{f(mx - 4)} a5.5 5.5 0 1 1 8 0 H{f(x1)} V{f(my - 4)} "
         f"a5.5 5.5 0 1 1 0 8 V{f(y1)} H{f(x0)} V{f(my + 4)} a5.5 5.5 0 1 0 0 -8 Z")
    c = size / 2
    svg = (f'<?xml version="1.0" encoding="UTF-8"?>\n<!-- A puzzle piece hidden in a level. Written '
           f'by generated/puzzles.py. -->\n<svg xmlns="http://www.w3.org/2000/svg" width="{size}" '
           f'height="{size}" viewBox="0 0 {size} {size}">\n<defs>\n'
           f'<radialGradient id="glow" cx="0.5" cy="0.5" r="0.5"><stop offset="0" '
           f'stop-color="#fff6c0" stop-opacity="0.9"/><stop offset="0.55" stop-color="#ffd860" '
           f'stop-opacity="0.35"/><stop offset="1" stop-color="#ffd860" stop-opacity="0"/>'
           f'</radialGradient>\n<linearGradient id="gold" x1="0" y1="0" x2="1" y2="1"><stop '
           f'offset="0" stop-color="#fff1a8"/><stop offset="0.45" stop-color="#f2c24a"/><stop '
           f'offset="1" stop-color="#b0761a"/></linearGradient>\n</defs>\n'
           f'<circle cx="{c}" cy="{c}" r="{c}" fill="url(#glow)"/>\n'
           f'<g transform="rotate(-14 {c} {c})">\n'
           f'<path d="{d}" fill="url(#gold)" stroke="#6a3e0a" stroke-width="1.6" '
           f'stroke-linejoin="round"/>\n'
           f'<path d="M{f(x0 + 4)} {f(y0 + 9)} q6 -6 14 -4" fill="none" stroke="#ffffff" '
           f'stroke-width="1.6" stroke-linecap="round" opacity="0.7"/>\n</g>\n</svg>\n')
    with open(os.path.join(ART, "world", "puzzle_piece.svg"), "w", encoding="utf-8") as out:
        out.write(svg)


PIECE_ID = 900
PIECE_HALF = 20


def place_level_pieces():
    """Puts the episode's puzzle piece (object 900, class 6, world texture "puzzle_piece")
    into every level file 1-10 of episodes 1-5 (a puzzle has ten pieces; the bonus level 11
    it opens has none), at the spot of the visible play area farthest from every other
    object, clear of the HUD's corners, so that it never takes a click meant for something
    else. Run it again after later_levels.py or minigame_levels.py rewrote levels."""
    import re
    import xml.etree.ElementTree as ET
    levels = os.path.join(os.path.dirname(ART), "game", "content", "levels")
    for name in sorted(os.listdir(levels)):
        m = re.fullmatch(r"level_0([1-5])_(\d\d)\.xml", name)
        if not m or not 1 <= int(m.group(2)) <= 10:
            continue
        file = os.path.join(levels, name)
        with open(file, encoding="utf-8") as fh:
            text = fh.read()
        text = re.sub(r'  <!-- The puzzle piece hidden in this level -->\n  <object id="900"[^\n]*\n',
                      "", text)
        boxes = []
        for o in ET.fromstring(text.split("\n", 1)[1]).iter("object"):
            if o.get("tex", "").startswith("bg_"):
                continue
            x, y = (float(v) for v in o.get("pos", "0,0").split(","))
            w, h = (abs(float(v)) for v in o.get("size", "0,0").split(","))
            boxes.append((x - w, y - h, x + w, y + h))
        best, where = -1.0, None
        for gx in range(-430, 400, 10):
            for gy in range(-220, 230, 10):
                # The corners the HUD covers: the bonus meter, the trophy note.
                if (gx > 300 and gy < -120) or (gx < -330 and gy < -150):
                    continue
                clear = min((max(b[0] - (gx + PIECE_HALF), (gx - PIECE_HALF) - b[2],
                                 b[1] - (gy + PIECE_HALF), (gy - PIECE_HALF) - b[3])
                             for b in boxes), default=999)
                # Nearer the middle wins a tie.
                score = clear - 0.001 * math.hypot(gx, gy)
                if score > best:
                    best, where = score, (gx, gy)
        line = (f'  <!-- The puzzle piece hidden in this level -->\n  <object id="{PIECE_ID}" '
                f'tex="puzzle_piece" class="6" subclass="0" pos="{where[0]},{where[1]}" '
                f'size="{PIECE_HALF}.00,{PIECE_HALF}.00"/>\n')
        last = text.rfind("<object ")
        end = text.index("\n", last) + 1
        text = text[:end] + line + text[end:]
        with open(file, "w", encoding="utf-8") as fh:
            fh.write(text)
        print(f"{name}: piece at {where}, {best:.0f} units clear")


if __name__ == "__main__":
    import sys
    if len(sys.argv) > 1 and sys.argv[1] == "--levels":
        place_level_pieces()
    elif len(sys.argv) > 2 and sys.argv[1] == "--preview":
        k = int(sys.argv[2])
        sys.stdout.write(write_preview(k, PICTURES[k - 1]))
    else:
        for i, painter in enumerate(PICTURES, start=1):
            write_puzzle(i, painter)
        write_board()
        write_world_piece()
