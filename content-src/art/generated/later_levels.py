#!/usr/bin/env python3
"""Writes the first three levels of episodes 2 to 5 (game/content/levels/level_0E_0L.xml) and
their grounds (wide/bg_eE_*.svg). Each level takes the workings of an episode 1 level the
player already knows (a farm to build, regrowth, a gate, thickets, fog, thieves, lost things)
and lays them out anew: mirrored left to right and/or turned upside down, so the camp, the
roads and the goals stand elsewhere. Turned upside down, every object keeps its place beside
the waypoint (or site, or camp) it belongs to, so it still stands on its waypoint. Each
episode has its own land: the coast, the autumn wood, the snowy north and the red desert.
    python3 content-src/art/generated/later_levels.py
Run backgrounds.py's helpers only through this script; the level files it writes are kept in
the repository like the pictures. The waypoints' quads (the clickable areas of what stands at
them) are sized by the level library's rule through `kcontent level fit`, so kcontent has to be
built first (build/bin/kcontent, or the path in $KCONTENT).
"""
import math
import os
import random
import subprocess
import sys
import xml.etree.ElementTree as ET

from artlib import ART, OUTLINE, Doc, canopy, circle, contact_shadow, ellipse, f, path, poly, rock, trunk
from backgrounds import Ground, dry_wall, far_from, level_layout, screen, stream

LEVELS = os.path.join(os.path.dirname(ART), "game", "content", "levels")
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
KCONTENT = os.environ.get("KCONTENT", os.path.join(ROOT, "build", "bin", "kcontent"))
W, H = 1280, 768

COAST = {"top": "#d8c890", "bottom": "#b8c070", "light": "#f4e8b8", "dark": "#8aa85a", "tuft": "#6a8a3a"}
AUTUMN = {"top": "#b8a050", "bottom": "#9a8a40", "light": "#e0c070", "dark": "#7a6a2a", "tuft": "#8a5a1a"}
SNOW = {"top": "#eef4fa", "bottom": "#d4e2ee", "light": "#ffffff", "dark": "#b0c4d8", "tuft": "#7a8a98"}
DESERT = {"top": "#e0b070", "bottom": "#c8904e", "light": "#f4d49a", "dark": "#a86a38", "tuft": "#8a6a2a"}

# (episode, level, template level of episode 1, transform, ground name, palette, what it is)
LEVEL_PLAN = [
    (2, 1, 2, "x", "dunes", COAST, "the dune farm: a farm, a second house and a warehouse behind the dunes"),
    (2, 2, 5, "x", "saltmarsh", COAST, "the salt marsh: bees, mushrooms and berries grow back; the obelisk of growth speeds them"),
    (2, 3, 4, "x", "seawall", COAST, "the sea wall: force the old gate and mend the drawbridge over the creek"),
    (3, 1, 8, "x", "copper_wood", AUTUMN, "the copper wood: thickets close the ways; the forester clears them"),
    (3, 2, 6, "x", "misty_heath", AUTUMN, "the misty heath: light the beacons and the fog lifts"),
    (3, 3, 7, "x", "harvest_hamlet", AUTUMN, "the harvest hamlet: enlarge the house, build the warehouse and the farm, mind the thief"),
    (5, 1, 6, "y", "red_mesa", DESERT, "the red mesa: dust banks hide the east until the beacons burn"),
    (5, 2, 4, "xy", "oasis_gate", DESERT, "the oasis gate: the old gate and the drawbridge over the oasis stream"),
    (5, 3, 10, "y", "caravan_fair", DESERT, "the caravan fair: three lost bells and a fair behind the gate"),
]


# What each level brings that the campaign has not shown before (the campaign table's column).
NEW = {
    (2, 1): "the coast (buildings as on the meadow)",
    (2, 2): "nothing (things grow back, as on the meadow)",
    (2, 3): "nothing (the old gate and the drawbridge again)",
    (3, 1): "the autumn wood (the forester and the thickets again)",
    (3, 2): "nothing (fog and beacons again)",
    (3, 3): "the thief",
    (5, 1): "the red desert (dust banks and beacons)",
    (5, 2): "nothing (the old gate and the drawbridge again)",
    (5, 3): "nothing (lost bells and a fair gate again)",
}


# Later episodes ask for more: the goal's resources grow by this share per episode after the
# first, and the north and the desert have thieves where the template had none.
QUEST_GROWTH = 0.1
THIEVES_FROM_EPISODE = 4
THIEF_PERIOD_MS = 40000

# Medal times (gold, silver, easy in seconds) and the developers' score per level, tuned from
# `kcontent level play --bot` runs: gold = the expert bot's time x1.12 rounded up to 10 s,
# silver = gold x1.6, easy = silver x1.3; developers = the best bot score x1.08.
TUNING = {
    (2, 1): (180, 290, 380, 11900),
    (2, 2): (270, 440, 580, 11900),
    (2, 3): (230, 370, 490, 12000),
    (3, 1): (280, 450, 590, 12100),
    (3, 2): (210, 340, 450, 12000),
    (3, 3): (250, 400, 520, 12100),
    (5, 1): (210, 340, 450, 12000),
    (5, 2): (290, 470, 620, 12000),
    (5, 3): (380, 610, 800, 12000),
}


# Each land has its own big tree in place of episode 1's shady oak (scenery only).
DECO_TREES = {2: "deco_palm", 3: "deco_tree_autumn", 4: "deco_pine_snow", 5: "deco_cactus"}


def num(v):
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def pos_of(o):
    x, y = (float(v) for v in o.get("pos").split(","))
    return x, y


def anchors(objects):
    """Object id -> id of the waypoint it stands on (directly, through a site, or as a camp
    house), for the objects that belong to one."""
    by_id = {o.get("id"): o for o in objects}
    owner = {}
    for o in objects:
        if o.get("class") == "3" and o.get("obj_link"):
            owner.setdefault(o.get("obj_link"), o.get("id"))
        if o.get("class") == "3" and o.get("subclass") == "1" and o.get("respawn"):
            owner.setdefault(o.get("respawn").split(",")[0], o.get("id"))
    for o in objects:  # a site raises its building where the site stands, camp or not
        if o.get("class") != "3" and o.get("obj_link") in by_id:
            target = by_id[o.get("obj_link")]
            if target.get("class") != "3" and o.get("id") in owner:
                owner[target.get("id")] = owner[o.get("id")]
    return owner


def transform_level(template, episode, level, how, ground, note):
    tree = ET.parse(os.path.join(LEVELS, f"level_01_{template:02d}.xml"))
    root = tree.getroot()
    root.set("episode", str(episode))
    root.set("level", str(level))
    root.set("music", str(episode))  # the land's own track
    root.attrib.pop("dialog", None)
    growth = 1 + QUEST_GROWTH * (episode - 1)
    quest = [int(math.ceil(int(v) * growth)) for v in root.get("quest_res").split(",")]
    root.set("quest_res", ",".join(str(v) for v in quest))
    if episode >= THIEVES_FROM_EPISODE and root.get("thief_per", "0") == "0":
        root.set("thief_per", str(THIEF_PERIOD_MS))
    if (episode, level) in TUNING:
        gold, silver, easy, _ = TUNING[(episode, level)]
        root.set("time_hard", str(gold))
        root.set("time_norm", str(silver))
        root.set("time_easy", str(easy))
    objects = list(root.iter("object"))
    old = {o.get("id"): pos_of(o) for o in objects}
    new = {}
    for o in objects:  # mirror left to right: every position
        x, y = old[o.get("id")]
        new[o.get("id")] = (-x if "x" in how else x, y)
    if "y" in how:
        owner = anchors(objects)
        base = dict(new)
        for o in objects:
            i = o.get("id")
            a = owner.get(i)
            if a and a in base and a != i:
                ax, ay = base[a]
                x, y = base[i]
                new[i] = (x, y - 2 * ay)  # keeps its offset from the flipped waypoint
            else:
                x, y = base[i]
                new[i] = (x, -y)
    for o in objects:
        o.attrib.pop("dialog", None)
        if o.get("tex", "").startswith("bg_"):
            o.set("tex", f"bg_e{episode}_{ground}")
            continue
        x, y = new[o.get("id")]
        o.set("pos", f"{num(x)},{num(y)}")
        if o.get("class") == "0" and o.get("tex") == "deco_tree_big":
            o.set("tex", DECO_TREES[episode])
    out = os.path.join(LEVELS, f"level_{episode:02d}_{level:02d}.xml")
    body = ET.tostring(root, encoding="unicode")
    with open(out, "w", encoding="utf-8") as fh:
        fh.write('<?xml version="1.0" encoding="utf-8"?>\n')
        fh.write(f"<!-- Episode {episode}, level {level}: {note}. Written by "
                 "art/generated/later_levels.py. -->\n")
        fh.write(f"<!-- new: {NEW[(episode, level)]} -->\n")
        lines = [ln for ln in body.replace(" />", "/>").splitlines() if ln.strip()]
        fh.write("\n".join(lines) + "\n")
    fit_waypoints(out)


def fit_waypoints(level_file):
    """Sizes the waypoints' quads so that they take the clicks on the pictures they serve (the
    rule of src/level/WaypointArea.h, applied by kcontent)."""
    if not os.access(KCONTENT, os.X_OK):
        sys.exit(f"later_levels.py: {KCONTENT} is missing; build kcontent first (make build)")
    subprocess.run([KCONTENT, "level", "fit", level_file], check=True, stdout=subprocess.DEVNULL)


# ---------------------------------------------------------------- grounds

def pine(d, x, y, s, snow=True):
    d.add(ellipse(x + 8 * s, y + 3 * s, 26 * s, 8 * s, "#2a3440", extra=' opacity="0.25"'))
    d.add(trunk(d, x, y - 14 * s, y, 6 * s, 8 * s, roots=False))
    green = d.linear("pineGreen", [(0, "#4a8a5a"), (1, "#1e4a32")])
    for k, (w, top) in enumerate(((30, 70), (24, 52), (17, 34))):
        yb = y - 10 * s - k * 16 * s
        d.add(poly([(x - w * s, yb), (x, y - top * s - 10 * s), (x + w * s, yb)], green, OUTLINE, 1.6))
        if snow:
            d.add(path(f"M{f(x - w * s * 0.7)} {f(yb - 6 * s)} Q{f(x)} {f(yb - 14 * s)} {f(x + w * s * 0.7)} "
                       f"{f(yb - 6 * s)}", stroke="#ffffff", width=4 * s))


def autumn_tree(d, i, x, y, s):
    d.add(ellipse(x + 10 * s, y + 4 * s, 40 * s, 14 * s, "#3a2a10", extra=' opacity="0.25"'))
    d.add(trunk(d, x, y - 30 * s, y, 8 * s, 12 * s, roots=False))
    r = 22 * s
    stops = [(0, "#ffd060"), (0.45, "#e08a2a"), (1, "#9a3a12")] if i % 2 else \
        [(0, "#ffe080"), (0.45, "#d8a030"), (1, "#8a5a10")]
    d.add(canopy(d, f"autumnCrown{i}", [(x - r * 0.8, y - 44 * s, r * 0.9), (x + r * 0.8, y - 46 * s, r),
                                        (x, y - 62 * s, r * 1.15)], stops=stops, light="#fff0b0"))


def palm(d, x, y, s):
    d.add(ellipse(x + 10 * s, y + 3 * s, 30 * s, 9 * s, "#3a2a10", extra=' opacity="0.25"'))
    d.add(path(f"M{f(x)} {f(y)} Q{f(x + 10 * s)} {f(y - 40 * s)} {f(x + 4 * s)} {f(y - 80 * s)}",
               stroke=OUTLINE, width=9 * s))
    d.add(path(f"M{f(x)} {f(y)} Q{f(x + 10 * s)} {f(y - 40 * s)} {f(x + 4 * s)} {f(y - 80 * s)}",
               stroke="#a8743e", width=6 * s))
    tx, ty = x + 4 * s, y - 80 * s
    for a in (-160, -120, -60, -20, 20, 200):
        ex = tx + math.cos(math.radians(a)) * 42 * s
        ey = ty + math.sin(math.radians(a)) * 22 * s + 14 * s
        d.add(path(f"M{f(tx)} {f(ty)} Q{f((tx + ex) / 2)} {f(ty - 18 * s)} {f(ex)} {f(ey)}",
                   stroke="#2e6a22", width=8 * s))
        d.add(path(f"M{f(tx)} {f(ty)} Q{f((tx + ex) / 2)} {f(ty - 18 * s)} {f(ex)} {f(ey)}",
                   stroke="#6ab84a", width=4 * s))


def cactus(d, x, y, s):
    g = d.linear("cactus", [(0, "#8ac86a"), (1, "#3a7a3a")], 0, 0, 1, 0)
    d.add(ellipse(x + 6 * s, y + 2 * s, 18 * s, 6 * s, "#3a2a10", extra=' opacity="0.25"'))
    d.add(f'<rect x="{f(x - 7 * s)}" y="{f(y - 50 * s)}" width="{f(14 * s)}" height="{f(50 * s)}" '
          f'rx="{f(7 * s)}" fill="{g}" stroke="{OUTLINE}" stroke-width="1.6"/>')
    d.add(path(f"M{f(x - 6 * s)} {f(y - 24 * s)} H{f(x - 16 * s)} V{f(y - 40 * s)}", stroke=OUTLINE, width=8 * s))
    d.add(path(f"M{f(x - 6 * s)} {f(y - 24 * s)} H{f(x - 16 * s)} V{f(y - 40 * s)}", stroke="#6aa84a", width=5 * s))
    d.add(path(f"M{f(x + 6 * s)} {f(y - 30 * s)} H{f(x + 15 * s)} V{f(y - 44 * s)}", stroke=OUTLINE, width=8 * s))
    d.add(path(f"M{f(x + 6 * s)} {f(y - 30 * s)} H{f(x + 15 * s)} V{f(y - 44 * s)}", stroke="#6aa84a", width=5 * s))


def scatter_land(g, avoid, episode, count=240):
    d, rng = g.d, g.rng
    for k in range(count):
        x, y = rng.uniform(8, W - 8), rng.uniform(8, H - 8)
        if not far_from(x, y, avoid, 14):
            continue
        kind = rng.random()
        if episode == 2:  # marram grass, shells and pebbles
            if kind < 0.55:
                d.add(path(f"M{f(x)} {f(y)} l-3 -9 M{f(x)} {f(y)} l1 -11 M{f(x)} {f(y)} l4 -8",
                           stroke="#7a9a4a", width=1.3))
            elif kind < 0.8:
                d.add(path(f"M{f(x - 4)} {f(y)} Q{f(x)} {f(y - 7)} {f(x + 4)} {f(y)} Z", "#fbe8dc", "#b08a7a", 0.8))
            else:
                d.add(ellipse(x, y, 3.5, 2.4, "#c8c0b0", "#8a8478", 0.7))
        elif episode == 3:  # fallen leaves and tufts
            if kind < 0.6:
                c = ("#e07a2a", "#c84a1a", "#f0b030", "#a86a1a")[k % 4]
                d.add(ellipse(x, y, 4, 2.2, c, "#6a3a10", 0.5, extra=f' transform="rotate({k * 37 % 180} {f(x)} {f(y)})"'))
            else:
                d.add(path(f"M{f(x - 4)} {f(y)} l2 -6 l2 5 l2 -7 l2 8", stroke="#7a6a2a", width=1.3))
        elif episode == 4:  # snow drifts, twigs, stones peeking out
            if kind < 0.5:
                d.add(ellipse(x, y, rng.uniform(8, 16), rng.uniform(3, 5), "#ffffff", extra=' opacity="0.8"'))
            elif kind < 0.8:
                d.add(path(f"M{f(x - 5)} {f(y)} l5 -8 l5 8 M{f(x)} {f(y - 8)} v-4", stroke="#6a5a4a", width=1.1))
            else:
                d.add(ellipse(x, y, 3.5, 2.4, "#9aa4ae", "#6a7480", 0.7))
        else:  # dry tufts, pebbles, cracks
            if kind < 0.45:
                d.add(path(f"M{f(x - 4)} {f(y)} l2 -7 l2 6 l2 -8 l2 9", stroke="#9a7a3a", width=1.2))
            elif kind < 0.8:
                d.add(ellipse(x, y, 3.5, 2.4, "#c88a5a", "#8a5a32", 0.7))
            else:
                d.add(path(f"M{f(x)} {f(y)} l6 3 l4 -2 l7 4", stroke="#9a6a3a", width=1, extra=' opacity="0.6"'))


def land_feature(g, episode, avoid):
    """The big shapes of each land, drawn where nothing of the level stands."""
    d, rng = g.d, g.rng
    if episode == 2:  # a strip of sea with surf along the top or bottom edge
        sea = d.linear("coastSea", [(0, "#3a86c0"), (1, "#7cc4e8")])
        top = sum(1 for _, y, _ in avoid if y < 90) <= sum(1 for _, y, _ in avoid if y > H - 90)
        if top:
            d.add(path(f"M0 0 H{W} V40 C1000 70 800 30 600 55 S200 40 0 60 Z", sea, "#f4ecd0", 5))
        else:
            d.add(path(f"M0 {H} H{W} V{H - 40} C1000 {H - 70} 800 {H - 30} 600 {H - 55} S200 {H - 40} 0 {H - 60} Z",
                       sea, "#f4ecd0", 5))
    elif episode == 3:
        for y, a in ((160, 0.16), (420, 0.12), (660, 0.14)):
            d.add(path(f"M0 {y} C300 {y - 40} 600 {y + 40} 900 {y - 20} S1200 {y + 30} 1280 {y}",
                       stroke="#7a5a1a", width=24, extra=f' opacity="{a}"'))
    elif episode == 4:
        ice = d.radial("pond", [(0, "#e8f6ff"), (1, "#a8cce8")], 0.4, 0.35, 0.7)
        for _ in range(20):
            x, y = rng.uniform(120, W - 120), rng.uniform(80, H - 80)
            if far_from(x, y, avoid, 90):
                d.add(ellipse(x, y, 80, 38, ice, "#7a9ab8", 2))
                d.add(path(f"M{f(x - 40)} {f(y - 8)} l30 10 l20 -6", stroke="#ffffff", width=1.5))
                break
    else:
        for _ in range(40):
            x, y = rng.uniform(80, W - 80), rng.uniform(60, H - 60)
            if far_from(x, y, avoid, 70):
                d.add(rock(d, "mesaRock", x, y, 40, 26, tone=("#e89a6a", "#c0683a", "#7a3a1a"), seed=x * 0.01))
                avoid.append((x, y, 50))
                if len([a for a in avoid if a[2] == 50]) >= 3:
                    break


def edge_plants(g, episode, avoid):
    d = g.d
    spots = [(40, 140, 1.0), (110, 720, 1.0), (1240, 710, 1.1), (1230, 120, 1.0), (640, 748, 0.8),
             (20, 420, 0.9), (1260, 420, 0.9), (900, 30, 0.8), (380, 30, 0.8)]
    for i, (x, y, s) in enumerate(spots):
        if not (far_from(x, y, avoid, 40 * s) and far_from(x, y - 50 * s, avoid, 45 * s)):
            continue
        if episode == 2:
            palm(d, x, y, s)
        elif episode == 3:
            autumn_tree(d, i, x, y, s)
        elif episode == 4:
            pine(d, x, y, s)
        else:
            cactus(d, x, y, s)


def ground(episode, level, template, how, name, palette, note):
    file = f"level_{episode:02d}_{level:02d}.xml"
    points, links, objects = level_layout(file)
    g = Ground(f"Level ground of episode {episode}, level {level}: {note}.", palette, episode * 100 + level)
    g.base()
    avoid = objects + [(x, y, 20) for x, y in points.values()]
    land_feature(g, episode, avoid)
    root = ET.parse(os.path.join(LEVELS, file)).getroot()
    if template == 4:  # the wall with the gate, the stream under the drawbridge
        gate = next(o for o in root.iter("object") if o.get("tex") == "gate_old")
        bridge = next(o for o in root.iter("object") if o.get("tex") == "drawbridge")
        wall_x, gate_y = screen(*pos_of(gate))
        stream_x, _ = screen(*pos_of(bridge))
        stream(g.d, stream_x, 70, ident="creek", seed=episode)
        dry_wall(g.d, wall_x, gate_y - 52, gate_y + 52)
        avoid += [(wall_x, y, 26) for y in range(0, H, 30)] + [(stream_x, y, 50) for y in range(0, H, 30)]
    g.roads(links, points, points.get("100"))
    scatter_land(g, avoid, episode)
    edge_plants(g, episode, avoid)
    g.save(f"bg_e{episode}_{name}")


def deco_trees():
    """The big trees of the four lands, 140×200 like the oak they stand in for."""
    notes = {2: "A palm of the coast for decoration.", 3: "A tree in autumn colours for decoration.",
             4: "A snowy pine of the north for decoration.", 5: "A desert cactus for decoration."}
    for episode, name in DECO_TREES.items():
        d = Doc(140, 200, notes[episode])
        d.add(contact_shadow(d, 70, 192, 44, 6))
        if episode == 2:
            palm(d, 64, 192, 1.5)
        elif episode == 3:
            autumn_tree(d, 1, 70, 190, 1.7)
        elif episode == 4:
            pine(d, 70, 192, 2.2)
        else:
            cactus(d, 70, 192, 2.8)
        d.save("world", name)


def dev_records():
    """Adds (or renews) the developers' scores of these levels in tables/dev_records.xml."""
    table = os.path.join(os.path.dirname(LEVELS), "tables", "dev_records.xml")
    with open(table, encoding="utf-8") as fh:
        lines = fh.read().splitlines()
    keys = {e * 100 + l: dev for (e, l), (_, _, _, dev) in TUNING.items()}
    kept = [ln for ln in lines if not any(f'level="{k}"' in ln for k in keys)]
    end = kept.index("</Records>")
    new = [f'  <Record level="{k}" score="{v}"/>' for k, v in sorted(keys.items())]
    with open(table, "w", encoding="utf-8") as fh:
        fh.write("\n".join(kept[:end] + new + kept[end:]) + "\n")


def main():
    # The levels of episodes 2 to 5 belong to their lands' scripts now (land_coast.py,
    # land_autumn.py, land_north.py, land_desert.py), which use the helpers above; writing the
    # first plan again would put the meadow's things back into them. Only the decoration trees
    # are this script's own.
    deco_trees()


if __name__ == "__main__":
    main()
