"""The level screen's atlas (atlases/hud/): the HUD panels and bars, the floating items over
the world (work timer, command marks, idle-worker face, arrows) and the pictures of the
result and difficulty dialogs.

Sheets follow what their control types read: a horizontal progress bar holds the empty bar
over the full one, a vertical bar the empty one left of the full one (it fills from the
bottom up); three-slice rails are cut at a third of their length, the nine-slice plate at a
third from each edge, so their ornaments sit in the unstretched ends and corners.
"""
import math

from artlib import OUTLINE, Doc, circle, ellipse, f, path, poly

FOLDER = "atlases/hud"

WOOD = [(0, "#b07a44"), (0.5, "#8a5a2c"), (1, "#5e3a18")]
PARCHMENT = [(0, "#fff6dc"), (1, "#ecd3a0")]
EMPTY = [(0, "#3a2410"), (1, "#6b4422")]


def rrect(x, y, w, h, r, fill, stroke=OUTLINE, width=2.5, extra=""):
    s = f' stroke="{stroke}" stroke-width="{f(width)}"' if stroke else ""
    return (f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="{f(r)}" '
            f'fill="{fill}"{s}{extra}/>')


def gloss_h(x0, x1, y, colour="#fff1c9", width=2.5, opacity=0.7):
    return path(f"M{f(x0)} {f(y)} H{f(x1)}", stroke=colour, width=width,
                extra=f' opacity="{f(opacity)}"')


def gloss_v(x, y0, y1, colour="#fff1c9", width=2.5, opacity=0.7):
    return path(f"M{f(x)} {f(y0)} V{f(y1)}", stroke=colour, width=width,
                extra=f' opacity="{f(opacity)}"')


# --- Panels


def plate():
    # Nine-slice wooden plate, 72 x 72: the corners carry brass nails.
    d = Doc(72, 72, "HUD plate: a wooden board with brass nails (written by "
                    "generated/hud_atlas.py)")
    wood = d.linear("wood", WOOD)
    d.add(rrect(3, 4, 66, 66, 12, "#2a1606", None, 0, ' opacity="0.35"'),
          rrect(3, 2, 66, 65, 12, wood),
          rrect(8, 7, 56, 55, 8, "none", "#f3d29a", 1.5, ' opacity="0.45"'),
          path("M14 26 C30 23 44 29 58 25 M14 46 C28 43 40 49 58 45", stroke="#4e2e10",
               width=1.2, extra=' opacity="0.45"'))
    nail = d.radial("nail", [(0, "#fff4c0"), (0.6, "#e0a83a"), (1, "#8a5a14")])
    for cx in (12, 60):
        for cy in (12, 58):
            d.add(circle(cx, cy, 3.2, nail, OUTLINE, 1))
    d.save(FOLDER, "hud_plate")


def scroll():
    # Three-slice parchment scroll, 144 x 56: rolled ends in the outer thirds.
    d = Doc(144, 56, "Objective scroll: parchment between two rolled ends (written by "
                     "generated/hud_atlas.py)")
    paper = d.linear("paper", PARCHMENT)
    roll = d.linear("roll", [(0, "#f6e2b4"), (0.5, "#d8b57a"), (1, "#9a7444")], 0, 0, 1, 0)
    d.add(rrect(10, 8, 124, 44, 6, "#2a1606", None, 0, ' opacity="0.3"'),
          rrect(10, 5, 124, 44, 6, paper, OUTLINE, 2.2),
          gloss_h(18, 126, 10, "#ffffff", 2, 0.6))
    for x in (4, 128):
        d.add(rrect(x, 2, 12, 50, 6, roll, OUTLINE, 2),
              ellipse(x + 6, 4, 5, 2.5, "#fff1c9", OUTLINE, 1.2))
    d.save(FOLDER, "hud_scroll")


def flash():
    d = Doc(96, 40, "Shortage flash: a red glow behind a resource count (written by "
                    "generated/hud_atlas.py)")
    glow = d.radial("glow", [(0, "#ff5040", 0.95), (0.55, "#e02418", 0.6), (1, "#c01010", 0)],
                    0.5, 0.5, 0.5)
    d.add(ellipse(48, 20, 47, 19, glow))
    d.save(FOLDER, "hud_flash")


def lost_tag():
    # 76 x 28: hangs under a resource stock and carries what the storage limit cut off.
    d = Doc(76, 28, "Lost resources: a red tag hanging under a stock (written by "
                    "generated/hud_atlas.py)")
    red = d.linear("lostRed", [(0, "#d8503a"), (0.5, "#a82418"), (1, "#6e120a")])
    d.add(rrect(3, 4, 70, 23, 8, "#2a1606", None, 0, ' opacity="0.35"'),
          rrect(3, 2, 70, 22, 8, red, OUTLINE, 2),
          gloss_h(12, 64, 6, "#ffc8b0", 1.6, 0.6),
          circle(9, 13, 2.2, "#ffe0c0", OUTLINE, 0.8),
          circle(67, 13, 2.2, "#ffe0c0", OUTLINE, 0.8))
    d.save(FOLDER, "hud_lost")


def rail(name, w, h, vertical, title):
    # A wooden rail that holds a bar: three-slice, rounded ends.
    d = Doc(w, h, f"{title} (written by generated/hud_atlas.py)")
    wood = d.linear("rail", WOOD, 0, 0, 1 if vertical else 0, 0 if vertical else 1)
    r = (w if vertical else h) / 2 - 3
    d.add(rrect(3, 3, w - 6, h - 6, r, wood, OUTLINE, 2.5))
    if vertical:
        d.add(gloss_v(10, 14, h - 14, "#f3d29a", 2, 0.55),
              rrect(10, 10, w - 20, h - 20, 6, "#2a1606", None, 0, ' opacity="0.55"'))
    else:
        d.add(gloss_h(14, w - 14, 10, "#f3d29a", 2, 0.55),
              rrect(10, 10, w - 20, h - 20, 6, "#2a1606", None, 0, ' opacity="0.55"'))
    d.save(FOLDER, name)


# --- Bars


def bar_sheet(name, w, h, vertical, full, title, rim="#23561a"):
    """A bar sheet: vertical ones hold empty | full side by side, horizontal ones empty over
    full."""
    d = Doc(w, h, f"{title} (written by generated/hud_atlas.py)")
    empty = d.linear("empty", EMPTY, 0, 0, 1 if vertical else 0, 0 if vertical else 1)
    fill = d.linear("full", full, 0, 0, 1 if vertical else 0, 0 if vertical else 1)
    if vertical:
        bw = w / 2
        r = bw / 2 - 2
        d.add(rrect(2, 2, bw - 4, h - 4, r, empty, OUTLINE, 2),
              rrect(bw + 2, 2, bw - 4, h - 4, r, fill, rim, 2),
              gloss_v(bw + bw * 0.35, 10, h - 10, "#ffffff", 2.5, 0.55))
    else:
        bh = h / 2
        r = bh / 2 - 2
        d.add(rrect(2, 2, w - 4, bh - 4, r, empty, OUTLINE, 2),
              rrect(2, bh + 2, w - 4, bh - 4, r, fill, rim, 2),
              gloss_h(10, w - 10, bh + bh * 0.35, "#ffffff", 2.5, 0.55))
    d.save(FOLDER, name)


def divider():
    # The gold-medal mark across the time bar: a gold notch with a point at each side.
    d = Doc(48, 16, "Gold time mark across the time bar (written by generated/hud_atlas.py)")
    gold = d.linear("gold", [(0, "#fff4b0"), (0.5, "#f2c030"), (1, "#b0700c")])
    d.add(poly([(1, 8), (8, 2), (40, 2), (47, 8), (40, 14), (8, 14)], gold, OUTLINE, 1.6),
          gloss_h(9, 39, 5.5, "#ffffff", 1.5, 0.8))
    d.save(FOLDER, "level_time_divider")


# --- Icons drawn over round buttons


def icon_menu():
    d = Doc(40, 40, "Menu symbol: three cream bars (written by generated/hud_atlas.py)")
    for y in (11, 20, 29):
        d.add(path(f"M10 {y} H30", stroke=OUTLINE, width=7),
              path(f"M10 {y} H30", stroke="#fff1c9", width=4))
    d.save(FOLDER, "hud_icon_menu")


def icon_brief():
    d = Doc(40, 40, "Briefing symbol: a rolled letter (written by generated/hud_atlas.py)")
    paper = d.linear("paper", PARCHMENT)
    d.add(rrect(9, 6, 22, 28, 3, paper, OUTLINE, 2),
          rrect(6, 4, 28, 6, 3, "#d8b57a", OUTLINE, 1.8),
          rrect(6, 30, 28, 6, 3, "#d8b57a", OUTLINE, 1.8))
    for y in (15, 20, 25):
        d.add(path(f"M13 {y} H27", stroke="#8a5a2c", width=1.6))
    d.save(FOLDER, "hud_icon_brief")


def icon_fill():
    d = Doc(40, 40, "Meter top-up symbol: a plus in a green drop (written by "
                    "generated/hud_atlas.py)")
    drop = d.radial("drop", [(0, "#d8ffb0"), (0.6, "#6cc04a"), (1, "#2f7a2a")])
    d.add(path("M20 3 C28 14 33 20 33 26 C33 33 27 37 20 37 C13 37 7 33 7 26 C7 20 12 14 20 3 Z",
               drop, OUTLINE, 2),
          path("M20 19 V33 M13 26 H27", stroke="#ffffff", width=3.5))
    d.save(FOLDER, "hud_icon_fill")


# --- Items over the world


def work_timer():
    # 100 x 28: the work timer above an obstacle being worked on, empty above full.
    bar_sheet("progress", 100, 28, False,
              [(0, "#d8ffa0"), (0.5, "#7fd04f"), (1, "#3f9a2a")],
              "Work timer: empty bar above, full bar below")


def command_mark(name, accepted):
    title = ("Accepted command: a green tick" if accepted else
             "Refused command: a red cross")
    d = Doc(48, 48, f"{title} (written by generated/hud_atlas.py)")
    if accepted:
        g = d.linear("tick", [(0, "#c8ff90"), (0.5, "#5cc03a"), (1, "#2a7a1a")])
        shape = "M6 26 L14 18 L21 25 L38 6 L45 14 L21 40 Z"
    else:
        g = d.linear("cross", [(0, "#ffb0a0"), (0.5, "#e2322a"), (1, "#8a1410")])
        shape = ("M6 14 L14 6 L24 16 L34 6 L42 14 L32 24 L42 34 L34 42 L24 32 L14 42 L6 34 "
                 "L16 24 Z")
    d.add(path(shape, "#1e1408", extra=' opacity="0.3" transform="translate(1.5 2.5)"'),
          path(shape, g, OUTLINE, 2.2),
          path("M10 16 L14 12" if not accepted else "M9 26 L14 21", stroke="#ffffff", width=2,
               extra=' opacity="0.8"'))
    d.save(FOLDER, name)


def queue_badge():
    # 32 x 32: the dark disc behind a queued command's number.
    d = Doc(32, 32, "Queue number badge: a dark wooden disc with a light rim (written by "
                    "generated/hud_atlas.py)")
    wood = d.radial("badgeWood", [(0, "#7a4a22"), (0.7, "#4e2c10"), (1, "#2e1806")])
    d.add(circle(16.5, 17.5, 14, "#1e1408", extra=' opacity="0.35"'),
          circle(16, 16, 14, wood, "#fff1c9", 2.2),
          circle(16, 16, 14.8, "none", OUTLINE, 1),
          path("M7 11 A10 10 0 0 1 14 5", stroke="#fff1c9", width=1.6, extra=' opacity="0.6"'))
    d.save(FOLDER, "queue_badge")


def free_worker():
    # 64 x 64: a worker's face in a straw hat, idle, with a small "z" above.
    d = Doc(64, 64, "Idle worker: a face in a straw hat with a sleepy z (written by "
                    "generated/hud_atlas.py)")
    disc = d.radial("disc", [(0, "#fffbe8"), (1, "#f0d9a8")])
    skin = d.radial("skin", [(0, "#ffe2c0"), (0.7, "#f0b888"), (1, "#c88858")])
    straw = d.linear("straw", [(0, "#fff0a0"), (1, "#d8a838")])
    d.add(circle(30, 36, 25, disc, OUTLINE, 2.5),
          circle(30, 40, 14, skin, OUTLINE, 2),
          ellipse(30, 29, 21, 5, straw, OUTLINE, 2),
          path("M19 29 C19 17 41 17 41 29 Z", straw, OUTLINE, 2),
          path("M20 26 H40", stroke="#c0382a", width=3),
          path("M23 40 Q25.5 42 28 40 M32 40 Q34.5 42 37 40", stroke=OUTLINE, width=1.8),
          path("M26 47 Q30 49 34 47", stroke=OUTLINE, width=1.6),
          path("M46 6 H56 L46 16 H56", stroke="#ffffff", width=5.5),
          path("M46 6 H56 L46 16 H56", stroke="#3a6ab0", width=2.8))
    d.save(FOLDER, "free_worker")


def arrow(name, angle, title):
    # 64 x 64: a fat arrow drawn pointing up and turned by angle degrees (clockwise).
    d = Doc(64, 64, f"{title} (written by generated/hud_atlas.py)")
    g = d.linear("arrow", [(0, "#fff4b0"), (0.45, "#ffc23a"), (1, "#d0701a")], 0, 0, 1, 0)
    shape = [(32, 3), (57, 30), (42, 30), (42, 60), (22, 60), (22, 30), (7, 30)]
    turn = f' transform="rotate({f(angle)} 32 32)"'
    pts = "M" + " L".join(f"{f(x)} {f(y)}" for x, y in shape) + " Z"
    d.add(f'<g{turn}>' + path(pts, "#1e1408", extra=' opacity="0.3" '
                              'transform="translate(2 3)"') +
          path(pts, g, OUTLINE, 2.5) +
          path("M30 9 L14 26", stroke="#ffffff", width=2.5, extra=' opacity="0.7"') + "</g>")
    d.save(FOLDER, name)


# --- Result and difficulty pictures


def star_points(cx, cy, r1, r2, n=5, rot=-90):
    pts = []
    for k in range(2 * n):
        r = r1 if k % 2 == 0 else r2
        a = math.radians(rot + k * 180 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def medal_star(name, stops, title):
    d = Doc(64, 64, f"{title} (written by generated/hud_atlas.py)")
    g = d.radial("star", stops, 0.45, 0.4, 0.7)
    d.add(poly(star_points(33, 35, 29, 12.5), "#1e1408", extra=' opacity="0.3"'),
          poly(star_points(32, 33, 29, 12.5), g, OUTLINE, 2.4),
          poly(star_points(32, 33, 14, 6), "#ffffff", extra=' opacity="0.25"'),
          path("M26 22 L29.5 16.5", stroke="#ffffff", width=2.4, extra=' opacity="0.85"'))
    d.save(FOLDER, name)


def medallion(name, rim, face, motif, title):
    d = Doc(96, 96, f"{title} (written by generated/hud_atlas.py)")
    ring = d.radial("ring", [(0, "#fff4c0"), (0.6, rim[0]), (1, rim[1])])
    inner = d.radial("face", face)
    d.add(circle(49, 51, 44, "#1e1408", extra=' opacity="0.3"'),
          circle(48, 48, 44, ring, OUTLINE, 3),
          circle(48, 48, 34, inner, OUTLINE, 2),
          path("M24 30 A30 30 0 0 1 48 18", stroke="#ffffff", width=3, extra=' opacity="0.6"'))
    d.add(*motif(d))
    d.save(FOLDER, name)


def motif_leaf(d):
    g = d.linear("leaf", [(0, "#c8f090"), (1, "#3f8a2e")])
    return [path("M30 66 C30 40 48 28 68 28 C68 50 56 66 30 66 Z", g, OUTLINE, 2.2),
            path("M32 64 C42 52 52 42 62 34", stroke=OUTLINE, width=1.8)]


def motif_hammer(d):
    head = d.linear("head", [(0, "#e8e4dc"), (1, "#8a8478")])
    handle = d.linear("handle", [(0, "#e8c08a"), (1, "#8e5e30")])
    return [path("M34 70 L56 42", stroke=OUTLINE, width=9),
            path("M34 70 L56 42", stroke=handle, width=5.5),
            f'<g transform="rotate(-38 56 38)">'
            + rrect(42, 30, 30, 14, 3, head, OUTLINE, 2.2) + "</g>"]


def motif_flame(d):
    outer = d.linear("flame", [(0, "#fff09a"), (0.5, "#ff9a2a"), (1, "#c8281a")])
    return [path("M48 22 C60 36 66 46 62 58 C59 68 52 72 48 72 C40 72 32 66 33 56 "
                 "C34 48 40 46 42 38 C46 44 48 46 50 44 C52 38 50 30 48 22 Z",
                 outer, OUTLINE, 2.2),
            path("M48 70 C42 70 40 64 42 58 C44 54 47 54 48 50 C52 56 55 60 54 64 "
                 "C53 68 51 70 48 70 Z", "#fff6c0")]


def motif_cup(d):
    g = d.linear("cup", [(0, "#fff4b0"), (0.5, "#f0b830"), (1, "#a86a10")])
    return [path("M32 26 H64 C64 46 58 56 48 58 C38 56 32 46 32 26 Z", g, OUTLINE, 2.2),
            path("M32 30 C22 30 22 44 34 46 M64 30 C74 30 74 44 62 46", stroke=OUTLINE,
                 width=2.4),
            path("M44 58 H52 V64 H44 Z", g, OUTLINE, 1.8),
            rrect(36, 64, 24, 8, 2, g, OUTLINE, 1.8)]


def motif_star(d):
    g = d.radial("mstar", [(0, "#fff8c0"), (0.6, "#ffd030"), (1, "#c07a10")])
    return [poly(star_points(48, 50, 24, 10), g, OUTLINE, 2.2)]


TROPHY_RIMS = [("#ffd890", "#b07020"), ("#c8ccd4", "#5a6274"), ("#ffa890", "#a02818"),
               ("#b8e890", "#4a8a2a"), ("#a8d8ff", "#2a5aa8"), ("#e0b8ff", "#6a2aa8")]
TROPHY_FACES = [[(0, "#fff8e8"), (1, "#f0d8a8")], [(0, "#f4f8ff"), (1, "#c8d8ec")],
                [(0, "#fff0e8"), (1, "#f0c8b0")]]
TROPHY_MOTIFS = [motif_cup, motif_star, motif_leaf, motif_hammer, motif_flame]


def trophies():
    # The 22 achievement pictures "ach_01".."ach_22": a medallion each, told apart by its
    # rim colour and its motif (the pair differs for every number).
    for n in range(22):
        medallion(f"ach_{n + 1:02d}", TROPHY_RIMS[n % 6], TROPHY_FACES[n % 3],
                  TROPHY_MOTIFS[n % 5], f"Achievement {n + 1}")


def dev_badge():
    # A rosette for beating the developer's score.
    d = Doc(80, 80, "Rosette for a score above the developer's (written by "
                    "generated/hud_atlas.py)")
    red = d.linear("ribbon", [(0, "#ff7a6a"), (1, "#a01a12")])
    gold = d.radial("rosette", [(0, "#fff8c0"), (0.55, "#ffd030"), (1, "#c07a10")])
    d.add(poly([(26, 44), (18, 76), (28, 70), (34, 78), (38, 48)], red, OUTLINE, 2),
          poly([(54, 44), (62, 76), (52, 70), (46, 78), (42, 48)], red, OUTLINE, 2),
          poly(star_points(40, 34, 31, 25, 12, -90), gold, OUTLINE, 2.2),
          circle(40, 34, 18, "#fff1c9", OUTLINE, 1.8),
          poly(star_points(40, 34, 11, 4.6), "#e0a020", OUTLINE, 1.4))
    d.save(FOLDER, "dev_badge")


# Bonus buttons: four frames in a 2 x 2 grid (normal, highlight, pressed, disabled), a tab
# that points at the bonus meter: to the right on the wide screens (the meter stands at the
# right edge), upwards on the 4:3 one (the meter lies above the buttons).
TAB_FRAMES = [
    ("#f4c46a", "#c9812f", 0),
    ("#ffe08f", "#e39c3f", 0),
    ("#c7822f", "#e6a44c", 2),
    ("#c9c2b6", "#8f877b", 0),
]


def bonus_tab(name, fw, fh, upright, title):
    d = Doc(fw * 2, fh * 2, f"{title} (written by generated/hud_atlas.py)")
    for k, (top, bottom, dy) in enumerate(TAB_FRAMES):
        ox, oy = (k % 2) * fw, (k // 2) * fh
        g = d.linear(f"tab{k}", [(0, top), (1, bottom)])
        if upright:
            pts = [(ox + 4, oy + 16), (ox + fw / 2, oy + 3), (ox + fw - 4, oy + 16),
                   (ox + fw - 4, oy + fh - 5), (ox + 4, oy + fh - 5)]
        else:
            pts = [(ox + 3, oy + 4), (ox + fw - 16, oy + 4), (ox + fw - 3, oy + fh / 2),
                   (ox + fw - 16, oy + fh - 4), (ox + 3, oy + fh - 4)]
        shifted = [(x, y + dy) for x, y in pts]
        d.add(poly([(x, y + 2) for x, y in pts], "#3a1e08", extra=' opacity="0.35"'),
              poly(shifted, g, OUTLINE, 2.5))
    d.save(FOLDER, name)


# --- Speech widgets: the message frame and its head circle, the bubble, its two tails and the
# rectangular text button of "continue" and "skip".


def speech_panel(name, size, fill, border, radius, title):
    # Nine-slice, cut in thirds: light paper for the dark speech text.
    d = Doc(size, size, f"{title} (written by generated/hud_atlas.py)")
    g = d.linear("paper", fill)
    d.add(rrect(3, 5, size - 6, size - 7, radius, "#2a1606", None, 0, ' opacity="0.3"'),
          rrect(3, 3, size - 6, size - 7, radius, g, border, 3),
          rrect(8, 8, size - 16, size - 17, radius - 4, "none", "#ffffff", 1.5,
                ' opacity="0.6"'))
    d.save(FOLDER, name)


def head_circle():
    d = Doc(96, 96, "Round frame around a speaker's head (written by generated/hud_atlas.py)")
    ring = d.linear("ring", WOOD, 0, 0, 1, 1)
    inner = d.radial("inner", [(0, "#fffaf0"), (1, "#ead3a2")])
    d.add(circle(49, 50, 45, "#1e1408", extra=' opacity="0.3"'),
          circle(48, 48, 45, ring, OUTLINE, 2.5),
          circle(48, 48, 36, inner, OUTLINE, 2),
          path("M20 30 A32 32 0 0 1 44 12", stroke="#f3d29a", width=3, extra=' opacity="0.7"'))
    d.save(FOLDER, "frame_head")


def bubble_tail(name, mirror):
    # 48 x 48: the tail hangs from the bubble's lower edge towards the speaker below it.
    d = Doc(48, 48, f"Speech bubble tail towards the {'right' if mirror else 'left'} (written by "
                    "generated/hud_atlas.py)")
    g = d.linear("paper", [(0, "#fffdf6"), (1, "#f6ead0")])
    pts = [(14, 0), (40, 0), (6, 46)]
    if mirror:
        pts = [(48 - x, y) for x, y in pts]
    d.add(poly(pts, g),
          path(f"M{f(pts[0][0])} 1 L{f(pts[2][0])} 46 L{f(pts[1][0])} 1", stroke="#7a4a20",
               width=3))
    d.save(FOLDER, name)


def text_button():
    # Four frames of 220 x 72 in a 2 x 2 grid: normal, highlight, pressed, disabled.
    fw, fh = 220, 72
    d = Doc(fw * 2, fh * 2, "Rectangular text button: normal, highlight, pressed, disabled "
                            "(written by generated/hud_atlas.py)")
    for k, (top, bottom, dy) in enumerate(TAB_FRAMES):
        ox, oy = (k % 2) * fw, (k // 2) * fh
        g = d.linear(f"face{k}", [(0, top), (1, bottom)])
        d.add(rrect(ox + 4, oy + 8, fw - 8, fh - 12, 12, "#3a1e08", None, 0, ' opacity="0.35"'),
              rrect(ox + 4, oy + 4 + dy, fw - 8, fh - 12, 12, g, OUTLINE, 2.5),
              gloss_h(ox + 18, ox + fw - 18, oy + 10 + dy, "#fff1c9", 2, 0.8))
    d.save(FOLDER, "btn_rct_text")


def main():
    plate()
    scroll()
    flash()
    lost_tag()
    rail("hud_rail_v", 48, 144, True, "Vertical wooden rail holding a bar")
    rail("hud_rail_h", 144, 48, False, "Horizontal wooden rail holding a bar")
    bar_sheet("hud_timebar", 56, 240, True,
              [(0, "#fff1b0"), (0.5, "#f2c04a"), (1, "#c07a1c")],
              "Level time bar: empty left, full right (falling sand)", "#7a4a10")
    bar_sheet("hud_meter_v", 48, 240, True,
              [(0, "#d0f6ff"), (0.5, "#5cb8e8"), (1, "#2a6aa8")],
              "Bonus meter, upright: empty left, full right", "#1d3f5a")
    bar_sheet("hud_meter", 240, 48, False,
              [(0, "#d0f6ff"), (0.5, "#5cb8e8"), (1, "#2a6aa8")],
              "Bonus meter, lying: empty above, full below", "#1d3f5a")
    bar_sheet("hud_counter", 200, 40, False,
              [(0, "#ffd0a0"), (0.5, "#f08a3a"), (1, "#b04a14")],
              "Counter bar of the special levels: empty above, full below", "#6a2a08")
    divider()
    icon_menu()
    icon_brief()
    icon_fill()
    work_timer()
    command_mark("cmd_ok", True)
    command_mark("cmd_no", False)
    free_worker()
    queue_badge()
    arrow("hintobj", 135, "Object arrow, pointing down to the right")
    arrow("hintarrow", 225, "HUD arrow, pointing down to the left (the speech arrow mirrors it)")
    medal_star("star_bronze", [(0, "#ffe0c0"), (0.5, "#d08a4a"), (1, "#7a4018")],
               "Bronze star")
    medal_star("star_silver", [(0, "#ffffff"), (0.5, "#c8ccd4"), (1, "#70788a")],
               "Silver star")
    medal_star("star_gold", [(0, "#fff8c0"), (0.5, "#ffd030"), (1, "#e08a10")], "Gold star")
    medallion("diff_relaxed", ("#b8e890", "#4a8a2a"), [(0, "#f4ffe8"), (1, "#cfe8b0")],
              motif_leaf, "Relaxed difficulty: a leaf")
    medallion("diff_casual", ("#ffd890", "#b07020"), [(0, "#fff8e8"), (1, "#f0d8a8")],
              motif_hammer, "Casual difficulty: a hammer")
    medallion("diff_expert", ("#ffa890", "#a02818"), [(0, "#fff0e8"), (1, "#f0c8b0")],
              motif_flame, "Expert difficulty: a flame")
    dev_badge()
    trophies()
    bonus_tab("btn_bonus", 64, 56, False, "Bonus button of the wide screens, pointing right")
    bonus_tab("btn_bonus_v", 56, 64, True, "Bonus button of the 4:3 screen, pointing up")
    speech_panel("dialog_frame", 72, [(0, "#fffaf0"), (1, "#f1ddb2")], "#7a4a20", 14,
                 "Frame of the short speech messages")
    speech_panel("dialog_bubble", 96, [(0, "#fffdf6"), (1, "#f6ead0")], "#7a4a20", 28,
                 "Speech bubble")
    head_circle()
    bubble_tail("dialog_tail_l", False)
    bubble_tail("dialog_tail_r", True)
    text_button()


if __name__ == "__main__":
    main()
