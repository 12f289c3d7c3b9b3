#!/usr/bin/env python3
"""Writes the eastern part of the episode map and the map level itself:
- wide/map_panel_04..07.svg: one 1280×768 panel per episode 2 to 5, each its own land (the
  coast, the autumn wood, the snowy north, the red desert), blended into each other and into
  the green land of episode 1 at the seams, with the road that joins the episode's levels
  painted on the ground;
- world/wonder_0E_01..10.svg: the wonders of episodes 2 to 5, stage by stage;
- game/content/levels/level_00_00.xml: the map level, with episode 1's panels and markers as
  they were and the markers of episodes 2 to 5 (levels 1-11, stories, puzzles, trophies,
  wonders and the decorations a wonder brings stage by stage).
Marker parameters are the objects' respawn values (first, second).
    python3 content-src/art/generated/episode_map_east.py
"""
import math
import os
import random

from artlib import ART, OUTLINE, Doc, canopy, circle, contact_shadow, ellipse, f, path, poly, rock, trunk

from later_levels import cactus  # noqa: E402  (the desert's cactus, drawn the same on the map)

W, H = 1280, 768
FIRST_PANEL = 4  # panels 1-3 belong to episode 1 (episode_map.py)
LEVELS = os.path.join(os.path.dirname(ART), "game", "content", "levels")


def panel_centre(panel):
    return (panel - 2) * W


def to_world(episode, lx, ly):
    """Map coordinates (x right, y up) of a point given in the episode's panel (centre 0)."""
    return panel_centre(episode + 2) + lx, ly


# Per episode: the level road (levels 1..10, panel coordinates, y up), the bonus level, the
# story, the puzzle, the wonder and its decorations (texture, x, y, half size, stage), and
# the trophies (achievement number, x, y).
EPISODES = {
    2: dict(
        road=[(-560, -210), (-440, -120), (-330, -200), (-220, -90), (-120, 20), (-10, -60),
              (110, 20), (210, 70), (330, -10), (450, 80)],
        bonus=(300, -240), story=(-600, -60), puzzle=(-150, 170),
        wonder=(300, 250), deco=[("flag_banner", 185, 300, 20, 32, 3), ("festival_tent", 440, 200, 30, 26, 6),
                                 ("flag_banner", 420, 320, 20, 32, 10)],
        trophies=[(5, -480, 60), (6, -300, 250), (7, 20, 250), (8, 40, -210), (9, 470, -50)]),
    3: dict(
        road=[(-560, 150), (-450, 60), (-350, 140), (-240, 40), (-150, -70), (-40, -10),
              (70, -110), (190, -40), (300, -140), (420, -70)],
        bonus=(-260, -260), story=(-630, 275), puzzle=(60, 170),
        wonder=(500, 170), deco=[("deco_flowers", 430, 90, 22, 12, 3), ("wayside_shrine", 590, 70, 22, 28, 6),
                                 ("maypole", 612, 240, 24, 44, 10)],
        trophies=[(10, -470, -140), (11, -110, 260), (12, 220, 140), (13, 560, -230), (14, 110, -250)]),
    4: dict(
        road=[(-560, -120), (-460, -30), (-350, -110), (-250, -10), (-150, 80), (-30, 20),
              (80, 110), (200, 30), (310, 120), (430, 40)],
        bonus=(120, -260), story=(-600, -230), puzzle=(-380, 180),
        wonder=(520, 190), deco=[("deco_tree_big", 450, 290, 26, 38, 3), ("watchtower", 600, 100, 24, 40, 6),
                                 ("flag_banner", 440, 110, 20, 32, 10)],
        trophies=[(15, -200, 250), (16, -60, -200), (17, 330, -140), (18, 560, -260)]),
    5: dict(
        road=[(-560, 80), (-450, -20), (-340, 60), (-230, -40), (-120, -130), (-10, -50),
              (100, -140), (210, -60), (320, -150), (420, -50)],
        bonus=(560, -250), story=(-600, 220), puzzle=(-250, 190),
        wonder=(460, 170), deco=[("standing_stones", 560, 80, 30, 25, 3), ("campfire", 370, 260, 24, 24, 6),
                                 ("flag_banner", 560, 260, 20, 32, 10)],
        trophies=[(19, -470, -200), (20, -40, 200), (21, 180, 130), (22, 250, -260)]),
}
# Decorations that are animation sheets play them (columns, rows, frame ms, start, count, loop).
DECO_SPRITES = {"flag_banner": "3,2,120,0,6,0", "campfire": "3,2,100,0,6,0"}
LAST_STORY = (6, 5, 560, -120)  # the closing story stands at the end of episode 5's road

# Episode 1's part of the map, as it was drawn by hand.
EPISODE1 = """  <!-- The painted map -->
  <object id="1" tex="map_panel_01" class="0" subclass="0" pos="-1280,0" size="640.00,384.00"/>
  <object id="2" tex="map_panel_02" class="0" subclass="0" pos="0,0" size="640.00,384.00"/>
  <object id="3" tex="map_panel_03" class="0" subclass="0" pos="1280,0" size="640.00,384.00"/>
  <object id="4" tex="map_road" class="0" subclass="0" pos="-1120,-80" size="260.00,90.00"/>
  <object id="5" class="4" subclass="3" pos="-820,240" size="16.00,16.00"/>
  <!-- Markers: story 1, levels 1..11 of episode 1, trophy 1, puzzle 1, wonder of episode 1 -->
  <object id="10" tex="map_comic" class="1" subclass="1" pos="-1500,-60" size="40.00,40.00" respawn="0,1"/>
  <object id="11" tex="level_unfinished" class="1" subclass="0" pos="-1320,-140" size="34.00,44.00" respawn="1,1"/>
  <object id="12" tex="level_unfinished" class="1" subclass="0" pos="-1140,-30" size="34.00,44.00" respawn="1,2"/>
  <object id="13" tex="level_unfinished" class="1" subclass="0" pos="-950,-160" size="34.00,44.00" respawn="1,3"/>
  <object id="30" tex="level_unfinished" class="1" subclass="0" pos="-780,-40" size="34.00,44.00" respawn="1,4"/>
  <object id="31" tex="level_unfinished" class="1" subclass="0" pos="-560,-140" size="34.00,44.00" respawn="1,5"/>
  <object id="32" tex="level_unfinished" class="1" subclass="0" pos="-430,-290" size="34.00,44.00" respawn="1,6"/>
  <object id="33" tex="level_unfinished" class="1" subclass="0" pos="-300,-200" size="34.00,44.00" respawn="1,7"/>
  <object id="34" tex="level_unfinished" class="1" subclass="0" pos="-140,-270" size="34.00,44.00" respawn="1,8"/>
  <object id="35" tex="level_unfinished" class="1" subclass="0" pos="60,-150" size="34.00,44.00" respawn="1,9"/>
  <object id="36" tex="level_unfinished" class="1" subclass="0" pos="220,-60" size="34.00,44.00" respawn="1,10"/>
  <object id="37" tex="level_bonus" class="1" subclass="0" pos="-1010,180" size="34.00,44.00" respawn="1,11"/>
  <object id="20" tex="map_trophy" class="1" subclass="2" pos="-700,200" size="30.00,36.00" respawn="1,0"/>
  <object id="21" tex="map_puzzle" class="1" subclass="3" pos="-620,-250" size="34.00,34.00" respawn="0,1"/>
  <object id="22" tex="wonder_01_01" class="1" subclass="4" pos="300,180" size="90.00,110.00" respawn="1,0"/>
  <!-- What the lighthouse brings around it, stage by stage -->
  <object id="26" tex="deco_flowers" class="0" subclass="0" pos="200,250" size="22.00,12.00" respawn="3,0" obj_link="22"/>
  <object id="27" tex="flag_banner" class="0" subclass="0" pos="400,110" size="20.00,32.00" respawn="6,0" obj_link="22" sprite="3,2,120,0,6,0"/>
  <object id="28" tex="maypole" class="0" subclass="0" pos="410,260" size="24.00,44.00" respawn="10,0" obj_link="22"/>
  <!-- Trophies on the mountain pass between episodes 1 and 2 -->
  <object id="23" tex="map_trophy" class="1" subclass="2" pos="700,-260" size="30.00,36.00" respawn="2,0"/>
  <object id="24" tex="map_trophy" class="1" subclass="2" pos="1180,-300" size="30.00,36.00" respawn="3,0"/>
  <object id="25" tex="map_trophy" class="1" subclass="2" pos="1650,-150" size="30.00,36.00" respawn="4,0"/>
"""

# Roads of episode 1's pass: from level 10 of episode 1 over the pass to episode 2.
PASS_ROAD = [(220, -60), (520, -160), (900, -200), (1300, -230), (1700, -250), (1920, -230)]


def smooth(points):
    """An SVG path through the points (Catmull-Rom turned into cubic Béziers)."""
    d = f"M{f(points[0][0])} {f(points[0][1])}"
    for i in range(len(points) - 1):
        p0 = points[max(i - 1, 0)]
        p1, p2 = points[i], points[i + 1]
        p3 = points[min(i + 2, len(points) - 1)]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d += f" C{f(c1[0])} {f(c1[1])} {f(c2[0])} {f(c2[1])} {f(p2[0])} {f(p2[1])}"
    return d


def road(d, pts, colours=("#a07a48", "#d9b883", "#8a6a40")):
    curve = smooth(pts)
    d.add(path(curve, stroke=colours[0], width=24, extra=' opacity="0.6"'))
    d.add(path(curve, stroke=colours[1], width=17))
    d.add(path(curve, stroke=colours[2], width=3, extra=' stroke-dasharray="2 14" opacity="0.8"'))


# Land of each episode: base gradient, light and dark patches, road colours.
LANDS = {
    2: dict(top="#d9cf8c", bottom="#a8c468", light="#f4eab8", dark="#7aa84e",
            road=("#9a8a5a", "#f0e2b0", "#a08a58")),
    3: dict(top="#c8a44a", bottom="#a07a34", light="#ecc878", dark="#7a5a22",
            road=("#6a4a22", "#d8b078", "#6a4a22")),
    4: dict(top="#f4f8fc", bottom="#cfdeea", light="#ffffff", dark="#a8bed2",
            road=("#8a96a4", "#c8b08a", "#7a6a50")),
    5: dict(top="#e8b470", bottom="#c98a48", light="#f8d8a0", dark="#a8643a",
            road=("#8a4a22", "#f0c890", "#8a5a30")),
}
GREEN = dict(top="#9ccf62", bottom="#76b24a")


def east_world():
    """Panels 4..7 as one picture, 5120×768, x from the left edge of panel 4, y down."""
    rng = random.Random(11)
    n = len(EPISODES)
    d = Doc(W * n, H, "")
    # The green of episode 1 at the left seam, then each land fading in over the one before.
    g = d.linear("eastGreen", [(0, GREEN["top"]), (1, GREEN["bottom"])])
    d.add(f'<rect x="0" y="0" width="{W * n}" height="{H}" fill="{g}"/>')
    for e, land in LANDS.items():
        x0 = (e - 2) * W
        start = x0 - 220 if e > 2 else x0 + 60
        base = d.linear(f"land{e}", [(0, land["top"]), (1, land["bottom"])])
        fade = d.linear(f"fade{e}", [(0, "#ffffff", 0), (1, "#ffffff", 1)], 0, 0, 1, 0)
        d.define(f"seam{e}", f'<mask id="seam{e}" maskUnits="userSpaceOnUse" x="{start}" y="0" '
                             f'width="{W * n - start}" height="{H}"><rect x="{start}" y="0" width="300" '
                             f'height="{H}" fill="{fade}"/><rect x="{start + 299}" y="0" '
                             f'width="{W * n - start - 299}" height="{H}" fill="#ffffff"/></mask>')
        d.add(f'<rect x="{start}" y="0" width="{W * n - start}" height="{H}" fill="{base}" '
              f'mask="url(#seam{e})"/>')
        light = d.radial(f"eLight{e}", [(0, land["light"], 0.6), (1, land["light"], 0)], 0.5, 0.5, 0.5)
        dark = d.radial(f"eDark{e}", [(0, land["dark"], 0.45), (1, land["dark"], 0)], 0.5, 0.5, 0.5)
        for k in range(18):
            d.add(ellipse(rng.uniform(x0 + 140, x0 + W - 60), rng.uniform(0, H), rng.uniform(120, 240),
                          rng.uniform(60, 130), light if k % 2 else dark))
    coast(d, rng, 0)
    autumn(d, rng, W)
    north(d, rng, 2 * W)
    desert(d, rng, 3 * W)
    # Roads: the pass road arrives at the left edge; each episode's road joins its levels and
    # runs on to the next episode.
    for e, ep in EPISODES.items():
        x0 = (e - 2) * W + W / 2
        pts = [(x0 + x, H / 2 - y) for x, y in ep["road"]]
        prev = (e - 3) * W + W / 2 + EPISODES[e - 1]["road"][-1][0] if e > 2 else None
        if e > 2:
            py = H / 2 - EPISODES[e - 1]["road"][-1][1]
            pts = [(prev, py), ((prev + pts[0][0]) / 2, (py + pts[0][1]) / 2 + 30)] + pts
        else:
            pts = [(0, H / 2 - PASS_ROAD[-1][1]), (40, H / 2 - PASS_ROAD[-1][1] + 10)] + pts
        road(d, pts, LANDS[e]["road"])
        bx, by = ep["bonus"]
        near = min(ep["road"], key=lambda p: math.hypot(p[0] - bx, p[1] - by))
        spur = [(x0 + near[0], H / 2 - near[1]), (x0 + (near[0] + bx) / 2 + 20, H / 2 - (near[1] + by) / 2),
                (x0 + bx, H / 2 - by)]
        road(d, spur, LANDS[e]["road"])
    return d


def forest(d, rng, cx, cy, n, spread, kind):
    trees = sorted(((cx + rng.uniform(-spread, spread), cy + rng.uniform(-spread * 0.5, spread * 0.5),
                     rng.uniform(0.5, 0.8)) for _ in range(n)), key=lambda t: t[1])
    for k, (x, y, s) in enumerate(trees):
        d.add(ellipse(x + 8 * s, y + 3 * s, 26 * s, 8 * s, "#1e2a10", extra=' opacity="0.25"'))
        if kind == "pine":
            d.add(trunk(d, x, y - 14 * s, y, 5 * s, 7 * s, roots=False))
            green = d.linear("mapPine", [(0, "#5a9a6a"), (1, "#1e4a32")])
            for j, (w, top) in enumerate(((26, 60), (20, 44), (14, 30))):
                yb = y - 8 * s - j * 14 * s
                d.add(poly([(x - w * s, yb), (x, y - top * s - 8 * s), (x + w * s, yb)], green, OUTLINE, 1.4))
                d.add(path(f"M{f(x - w * s * 0.6)} {f(yb - 5 * s)} Q{f(x)} {f(yb - 12 * s)} "
                           f"{f(x + w * s * 0.6)} {f(yb - 5 * s)}", stroke="#ffffff", width=3.4 * s))
        elif kind == "palm":
            d.add(path(f"M{f(x)} {f(y)} Q{f(x + 8 * s)} {f(y - 30 * s)} {f(x + 3 * s)} {f(y - 60 * s)}",
                       stroke="#8a5a2a", width=6 * s))
            for a in (-150, -110, -60, -20, 200):
                ex = x + 3 * s + math.cos(math.radians(a)) * 30 * s
                ey = y - 60 * s + math.sin(math.radians(a)) * 16 * s + 10 * s
                d.add(path(f"M{f(x + 3 * s)} {f(y - 60 * s)} Q{f(x + 3 * s + (ex - x) / 2)} {f(y - 74 * s)} "
                           f"{f(ex)} {f(ey)}", stroke="#3a7a2a", width=5 * s))
        else:
            stops = [(0, "#ffd060"), (0.45, "#e08a2a"), (1, "#9a3a12")] if k % 3 else \
                [(0, "#ffe890"), (0.45, "#d8a030"), (1, "#7a4a10")]
            d.add(trunk(d, x, y - 22 * s, y, 6 * s, 9 * s, roots=False))
            d.add(canopy(d, f"mapAutumn{int(cx)}_{k}", [(x - 12 * s, y - 34 * s, 16 * s),
                                                       (x + 12 * s, y - 34 * s, 16 * s),
                                                       (x, y - 48 * s, 19 * s)], stops=stops,
                         light="#fff0b0", width=1.6))


def mountains(d, rng, xs, y0, colours, snow="#ffffff"):
    for k, x in enumerate(xs):
        y = y0 + (k % 3) * 40 + rng.uniform(-15, 15)
        s = rng.uniform(0.8, 1.25)
        d.add(poly([(x - 90 * s, y + 60 * s), (x, y - 70 * s), (x + 90 * s, y + 60 * s)],
                   d.linear(f"mnt{colours[0][1:]}", [(0, colours[0]), (1, colours[1])], 0, 0, 1, 0), OUTLINE, 2))
        d.add(poly([(x - 26 * s, y - 40 * s), (x, y - 70 * s), (x + 26 * s, y - 40 * s), (x + 10 * s, y - 34 * s),
                    (x - 4 * s, y - 44 * s), (x - 14 * s, y - 34 * s)], snow, OUTLINE, 1.2))


def coast(d, rng, x0):
    sea = d.linear("eastSea", [(0, "#7cc4e8"), (1, "#2a76b0")])
    d.add(path(f"M{x0 + 120} {H} C{x0 + 260} 700 {x0 + 420} 720 {x0 + 560} 690 C{x0 + 760} 650 {x0 + 820} 700 "
               f"{x0 + 1000} 680 C{x0 + 1120} 668 {x0 + 1200} 700 {x0 + 1300} 720 L{x0 + 1300} {H} Z",
               sea, "#f4ecd0", 8))
    # A little island out at sea holds the bonus level's harbour light, and the bay in the north.
    d.add(path(f"M{x0 + 700} 0 C{x0 + 760} 40 {x0 + 900} 50 {x0 + 980} 30 C{x0 + 1040} 16 {x0 + 1080} 6 {x0 + 1100} 0 Z",
               sea, "#f4ecd0", 6))
    for k in range(10):
        x = x0 + rng.uniform(300, 1200)
        d.add(path(f"M{f(x)} {f(735 + k % 3 * 10)} q8 -5 16 0 q8 5 16 0", stroke="#e8f6ff", width=1.6,
                   extra=' opacity="0.7"'))
    for cx, cy, n in ((x0 + 260, 420, 6), (x0 + 1200, 580, 5), (x0 + 600, 90, 5)):
        forest(d, rng, cx, cy, n, 70, "palm")
    for vx, vy in ((x0 + 820, 620),):
        village(d, vx, vy, "#f8f0e0", "#3a7ab8")


def autumn(d, rng, x0):
    river = f"M{x0 + 820} 0 C{x0 + 780} 180 {x0 + 900} 260 {x0 + 860} 420 S{x0 + 760} 640 {x0 + 820} {H}"
    d.add(path(river, stroke="#e8d8a0", width=30))
    d.add(path(river, stroke="#4a8ab8", width=20))
    for cx, cy, n in ((x0 + 200, 140, 9), (x0 + 520, 700, 9), (x0 + 1150, 650, 7), (x0 + 1000, 80, 8),
                      (x0 + 420, 330, 5)):
        forest(d, rng, cx, cy, n, 100, "autumn")
    village(d, x0 + 640, 560, "#f4e3c1", "#b8582c")


def north(d, rng, x0):
    mountains(d, rng, [x0 + 160 + k * 130 for k in range(9)], 40, ("#e8eef6", "#8a9ab0"))
    lake = d.radial("frozen", [(0, "#f0faff"), (1, "#9ac4e0")], 0.45, 0.4, 0.7)
    d.add(ellipse(x0 + 300, 640, 170, 70, lake, "#6a8aa8", 3))
    d.add(path(f"M{x0 + 200} 630 l60 14 l40 -10 l70 12", stroke="#ffffff", width=2))
    for cx, cy, n in ((x0 + 620, 700, 9), (x0 + 1100, 560, 8), (x0 + 80, 420, 6), (x0 + 880, 300, 5)):
        forest(d, rng, cx, cy, n, 90, "pine")
    village(d, x0 + 980, 700, "#e8d8c0", "#5a6a8a")


def desert(d, rng, x0):
    for k in range(6):
        x = x0 + 150 + k * 200 + rng.uniform(-40, 40)
        y = 80 + (k % 2) * 560 + rng.uniform(-20, 20)
        w = rng.uniform(90, 140)
        # A flat-topped red rock: the lit top, the steep front face with its layers, a shadow.
        top = d.linear("mesaTop", [(0, "#f4b080"), (1, "#d8885a")])
        face = d.linear("mesaFace", [(0, "#c0602e"), (1, "#7a3418")])
        d.add(ellipse(x + 14, y + 62, w * 1.05, 12, "#5a2a10", extra=' opacity="0.25"'))
        d.add(path(f"M{f(x - w)} {f(y + 58)} L{f(x - w * 0.82)} {f(y + 14)} H{f(x + w * 0.82)} L{f(x + w)} {f(y + 58)} Z",
                   face, OUTLINE, 2))
        d.add(path(f"M{f(x - w * 0.82)} {f(y + 14)} L{f(x - w * 0.7)} {f(y)} H{f(x + w * 0.7)} L{f(x + w * 0.82)} {f(y + 14)} Z",
                   top, OUTLINE, 2))
        for k2 in (26, 40):
            d.add(path(f"M{f(x - w * 0.86)} {f(y + k2)} H{f(x + w * 0.86)}", stroke="#5a2410", width=1.6,
                       extra=' opacity="0.45"'))
    oasis = d.linear("oasis", [(0, "#6ac8d8"), (1, "#2a8ab0")])
    d.add(ellipse(x0 + 760, 380, 90, 44, oasis, "#e8d8a0", 6))
    forest(d, rng, x0 + 760, 330, 5, 80, "palm")
    for k in range(14):
        x, y = x0 + rng.uniform(80, 1200), rng.uniform(200, 560)
        d.add(path(f"M{f(x - 30)} {f(y)} Q{f(x)} {f(y - 14)} {f(x + 30)} {f(y)}", stroke="#b87a40", width=2,
                   extra=' opacity="0.45"'))
    for x, y in ((x0 + 90, 420), (x0 + 420, 150), (x0 + 560, 640), (x0 + 980, 200), (x0 + 1230, 420)):
        for k in range(3):
            cactus(d, x + k * 26 - 26 + rng.uniform(-6, 6), y + (k % 2) * 14, rng.uniform(0.55, 0.8))
    village(d, x0 + 1080, 520, "#f0d8b0", "#c0603a")


def village(d, vx, vy, wall, roof):
    for k in range(4):
        x, y = vx + (k % 2) * 44 - 20, vy + (k // 2) * 30
        d.add(f'<rect x="{f(x - 14)}" y="{f(y - 14)}" width="28" height="16" fill="{wall}" stroke="{OUTLINE}" stroke-width="1.6"/>')
        d.add(poly([(x - 18, y - 12), (x, y - 28), (x + 18, y - 12)], roof, OUTLINE, 1.6))


def panels():
    d = east_world()
    for i in range(len(EPISODES)):
        p = Doc(W, H, f"Episode map, panel {FIRST_PANEL + i}: the land of episode {i + 2}.")
        p.defs = d.defs
        p.add(f'<g transform="translate({-i * W} 0)">' + "".join(d.body) + "</g>")
        p.save("wide", f"map_panel_{FIRST_PANEL + i:02d}")


# ---------------------------------------------------------------- wonders

def rising(d, episode, stage, body, top, finish, base_y=180):
    """Stage 1..10: the body is shown from the ground up to its share of the height under a
    scaffold; the last stage adds the finish and takes the scaffold away."""
    cut = base_y - (base_y - top) * stage / 10 if stage < 10 else 0
    d.add(f'<clipPath id="built"><rect x="0" y="{cut:.1f}" width="180" height="220"/></clipPath>')
    d.add('<g clip-path="url(#built)">')
    body(d)
    d.add("</g>")
    if stage < 10:
        for x in (40, 140):
            d.add(path(f"M{x} 196 V{max(cut - 24, 30):.1f}", stroke="#8a5a2a", width=4))
        y = 190.0
        while y > cut - 20:
            d.add(path(f"M38 {y:.1f} H142", stroke="#8a5a2a", width=3))
            y -= 22
    else:
        finish(d)


def arch_body(d):
    stone = d.linear("archStone", [(0, "#fff2d0"), (0.5, "#e8cc90"), (1, "#b89858")], 0, 0, 1, 0)
    d.add(path("M30 200 V80 H150 V200 H112 V140 Q90 108 68 140 V200 Z", stone, OUTLINE, 2.2))
    d.add(f'<rect x="24" y="66" width="132" height="18" fill="#d8b870" stroke="{OUTLINE}" stroke-width="2"/>')
    for y in (110, 140, 170):
        d.add(path(f"M32 {y} H66 M114 {y} H148", stroke="#a88848", width=1.4))
    d.add(f'<rect x="40" y="92" width="16" height="30" rx="3" fill="#3a7ab8" stroke="{OUTLINE}" stroke-width="1.5"/>')
    d.add(f'<rect x="124" y="92" width="16" height="30" rx="3" fill="#3a7ab8" stroke="{OUTLINE}" stroke-width="1.5"/>')


def arch_finish(d):
    hull = d.linear("shipGold", [(0, "#fff6a0"), (1, "#d09a20")])
    d.add(path("M58 54 H122 L112 66 H68 Z", hull, OUTLINE, 1.8))
    d.add(path("M90 54 V18", stroke=OUTLINE, width=3))
    d.add(poly([(92, 20), (118, 44), (92, 46)], "#ffffff", OUTLINE, 1.5))
    d.add(poly([(88, 24), (66, 46), (88, 46)], "#f0f6ff", OUTLINE, 1.5))
    for x in (34, 146):
        d.add(path(f"M{x} 66 V40", stroke=OUTLINE, width=2.5))
        d.add(poly([(x, 40), (x + 18, 46), (x, 52)], "#3a7ab8", OUTLINE, 1.2))


def bell_body(d):
    brick = d.linear("brick", [(0, "#e88a5a"), (0.5, "#c0603a"), (1, "#8a3a1a")], 0, 0, 1, 0)
    d.add(f'<rect x="60" y="60" width="60" height="140" fill="{brick}" stroke="{OUTLINE}" stroke-width="2.2"/>')
    for y in range(80, 200, 16):
        d.add(path(f"M62 {y} H118", stroke="#7a3010", width=1, extra=' opacity="0.5"'))
    d.add(path("M78 200 V176 Q90 164 102 176 V200 Z", "#5a3418", OUTLINE, 1.6))
    d.add(path("M74 96 V80 Q90 66 106 80 V96 Z", "#2a1a10", OUTLINE, 1.6))
    d.add(path("M82 94 Q82 80 90 80 Q98 80 98 94 Z", "#f0c030", OUTLINE, 1.4))
    d.add(circle(90, 130, 12, "#fff6d8", OUTLINE, 1.6))
    d.add(path("M90 122 V130 L96 134", stroke=OUTLINE, width=1.8))


def bell_finish(d):
    roof = d.linear("copper", [(0, "#9ae0c0"), (1, "#3a9a80")], 0, 0, 1, 0)
    d.add(poly([(52, 62), (90, 6), (128, 62)], roof, OUTLINE, 2.2))
    d.add(path("M90 6 V-4", stroke=OUTLINE, width=2))
    d.add(circle(90, 8, 4, "#f0c030", OUTLINE, 1.2))
    for x in (40, 140):
        d.add(canopy(d, f"bellTree{x}", [(x, 170, 16), (x - 10, 180, 12), (x + 10, 180, 12)],
                     stops=[(0, "#ffd060"), (0.5, "#e08a2a"), (1, "#9a3a12")], light="#fff0b0"))


def keep_body(d):
    ice = d.linear("keepStone", [(0, "#ffffff"), (0.5, "#d8e4f0"), (1, "#98a8bc")], 0, 0, 1, 0)
    d.add(f'<rect x="56" y="70" width="68" height="130" fill="{ice}" stroke="{OUTLINE}" stroke-width="2.2"/>')
    for x in (30, 126):
        d.add(f'<rect x="{x}" y="100" width="24" height="100" fill="{ice}" stroke="{OUTLINE}" stroke-width="2"/>')
    for x in range(56, 124, 12):
        d.add(f'<rect x="{x}" y="62" width="8" height="10" fill="{ice}" stroke="{OUTLINE}" stroke-width="1.4"/>')
    d.add(path("M80 200 V170 Q90 158 100 170 V200 Z", "#4a5a7a", OUTLINE, 1.6))
    for x, y in ((72, 110), (100, 110), (86, 140)):
        d.add(f'<rect x="{x}" y="{y}" width="8" height="14" rx="4" fill="#ffd860" stroke="{OUTLINE}" stroke-width="1.2"/>')


def keep_finish(d):
    roof = d.linear("keepRoof", [(0, "#8ac0f0"), (1, "#2a5aa8")], 0, 0, 1, 0)
    for x, w, y in ((42, 16, 100), (138, 16, 100)):
        d.add(poly([(x - w, y), (x, y - 40), (x + w, y)], roof, OUTLINE, 1.8))
        d.add(path(f"M{x - w * 0.6} {y - 10} L{x} {y - 40} L{x + w * 0.6} {y - 10}", stroke="#ffffff", width=3))
    d.add(poly([(60, 62), (90, 8), (120, 62)], roof, OUTLINE, 2))
    d.add(path("M90 8 V-2", stroke=OUTLINE, width=2))
    d.add(poly([(90, -2), (106, 3), (90, 8)], "#d03a2a", OUTLINE, 1))


def pyramid_body(d):
    sand = d.linear("pyr", [(0, "#fff0c0"), (0.5, "#e8c07a"), (1, "#b08040")], 0, 0, 1, 0)
    for k in range(6):
        y = 200 - (k + 1) * 22
        w = 76 - k * 11
        d.add(f'<rect x="{90 - w}" y="{y}" width="{2 * w}" height="22" fill="{sand}" stroke="{OUTLINE}" stroke-width="1.8"/>')
    d.add(path("M82 200 V66 H98 V200", "#d8a868", OUTLINE, 1.4))
    d.add(path("M80 200 V184 Q90 176 100 184 V200 Z", "#5a3418", OUTLINE, 1.4))


def pyramid_finish(d):
    glow = d.radial("sunGlow", [(0, "#fff6a0", 1), (0.5, "#ffc030", 0.6), (1, "#ffc030", 0)], 0.5, 0.5, 0.5)
    d.add(circle(90, 40, 34, glow))
    d.add(f'<rect x="70" y="56" width="40" height="12" fill="#e8c07a" stroke="{OUTLINE}" stroke-width="1.8"/>')
    d.add(circle(90, 38, 16, "#ffd030", "#b07010", 2))
    for k in range(8):
        a = k * math.pi / 4
        d.add(path(f"M{f(90 + 20 * math.cos(a))} {f(38 + 20 * math.sin(a))} L{f(90 + 27 * math.cos(a))} "
                   f"{f(38 + 27 * math.sin(a))}", stroke="#f0a020", width=3))


WONDERS = {
    2: ("the harbour arch: a sandstone arch with a golden ship on top", arch_body, 66, arch_finish),
    3: ("the bell tower: a brick tower with a copper roof", bell_body, 60, bell_finish),
    4: ("the winter keep: white towers with blue roofs", keep_body, 62, keep_finish),
    5: ("the sun pyramid: stepped sandstone under a golden sun", pyramid_body, 68, pyramid_finish),
}


def wonder(episode, stage):
    note, body, top, finish = WONDERS[episode]
    text = (f"The wonder of episode {episode}, {note}." if stage >= 10 else
            f"The wonder of episode {episode} being built ({note}): stage {stage} of 10.")
    d = Doc(180, 220, text)
    d.add(contact_shadow(d, 90, 206, 76, 12))
    ground = d.linear("wonderGround", [(0, "#e8e2d4"), (1, "#a8a292")])
    d.add(poly([(14, 212), (166, 212), (156, 196), (24, 196)], ground, OUTLINE, 2))
    rising(d, episode, stage, body, top, finish, base_y=200)
    d.save("world", f"wonder_{episode:02d}_{stage:02d}")


# ---------------------------------------------------------------- the map level

def marker(i, tex, sub, x, y, size, first, second, extra=""):
    return (f'  <object id="{i}" tex="{tex}" class="1" subclass="{sub}" pos="{f(x)},{f(y)}" '
            f'size="{size}" respawn="{first},{second}"{extra}/>')


def sprite_of(tex):
    return f' sprite="{DECO_SPRITES[tex]}"' if tex in DECO_SPRITES else ""


def map_level():
    lines = ['<?xml version="1.0" encoding="utf-8"?>',
             "<!-- The episode map: seven painted panels, one land per episode from west to east, with "
             "the markers of the five episodes (levels, stories, trophies, puzzles, wonders). Marker "
             "parameters are the respawn values. Written by art/generated/episode_map_east.py. -->",
             '<level episode="0" level="0" mode="2" music="0" time_easy="0" time_norm="0" time_hard="0" '
             'state="0">']
    lines.append(EPISODE1.rstrip("\n"))
    sign, trophy = "34.00,44.00", "30.00,36.00"
    for e, ep in EPISODES.items():
        base = 100 * e
        panel = FIRST_PANEL + e - 2
        lines.append(f"  <!-- Episode {e} -->")
        lines.append(f'  <object id="{base}" tex="map_panel_{panel:02d}" class="0" subclass="0" '
                     f'pos="{panel_centre(panel)},0" size="640.00,384.00"/>')
        sx, sy = to_world(e, *ep["story"])
        lines.append(marker(base + 1, "map_comic", 1, sx, sy, "40.00,40.00", 0, e))
        for k, (x, y) in enumerate(ep["road"]):
            wx, wy = to_world(e, x, y)
            lines.append(marker(base + 10 + k, "level_unfinished", 0, wx, wy, sign, e, k + 1))
        bx, by = to_world(e, *ep["bonus"])
        lines.append(marker(base + 20, "level_bonus", 0, bx, by, sign, e, 11))
        px, py = to_world(e, *ep["puzzle"])
        lines.append(marker(base + 2, "map_puzzle", 3, px, py, "34.00,34.00", 0, e))
        for k, (n, x, y) in enumerate(ep["trophies"]):
            tx, ty = to_world(e, x, y)
            lines.append(marker(base + 30 + k, "map_trophy", 2, tx, ty, trophy, n, 0))
        wx, wy = to_world(e, *ep["wonder"])
        lines.append(marker(base + 3, f"wonder_{e:02d}_01", 4, wx, wy, "90.00,110.00", e, 0))
        for k, (tex, x, y, hw, hh, stage) in enumerate(ep["deco"]):
            dx, dy = to_world(e, x, y)
            lines.append(f'  <object id="{base + 40 + k}" tex="{tex}" class="0" subclass="0" '
                         f'pos="{f(dx)},{f(dy)}" size="{hw:.2f},{hh:.2f}" respawn="{stage},0" '
                         f'obj_link="{base + 3}"{sprite_of(tex)}/>')
    number, e, x, y = LAST_STORY
    sx, sy = to_world(e, x, y)
    lines.append("  <!-- The closing story at the end of the road -->")
    lines.append(marker(600, "map_comic", 1, sx, sy, "40.00,40.00", 0, number))
    lines.append("</level>")
    with open(os.path.join(LEVELS, "level_00_00.xml"), "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


def main():
    panels()
    for e in WONDERS:
        for stage in range(1, 11):
            wonder(e, stage)
    map_level()


if __name__ == "__main__":
    main()
