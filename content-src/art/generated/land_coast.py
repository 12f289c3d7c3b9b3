#!/usr/bin/env python3
"""The coast (episode 2): its own workable things and its levels.

Paints the coast's obstacles and resource sites (world/coast_*.svg), writes their descriptors,
work sounds, names and effects as one block at the end of each shared table, and writes the
levels 1-3 and 5-11 of episode 2 from the episode 1 templates, dressed in the coast's things
instead of the meadow's, with their grounds, speeches and level messages.
    python3 content-src/art/generated/land_coast.py
Needs build/bin/kcontent (or $KCONTENT) for fitting the waypoints, like later_levels.py. The
medal times and the developers' scores come afterwards from the bot's runs, twice (the bot's
score counts against the level's medal times, so the second run scores against the new ones):
    build/bin/kcontent campaign tune content-src/game/content/levels/level_02_{0[1235-9],1?}.xml --write
"""
import math
import os
import xml.etree.ElementTree as ET

import later_levels as ll
from artlib import OUTLINE, Doc, canopy, circle, contact_shadow, ellipse, f, log, path, poly, rock
from land_common import Land
from land_north import quiet_spot

BLOCK = "<!-- the coast (episode 2) -->"
BLOCK_END = "<!-- end of the coast -->"
LAND = Land("coast", 2, BLOCK, BLOCK_END, "land_coast.py")
EPISODE = 2

SAND = [(0, "#fff4d0"), (0.55, "#ecd49a"), (1, "#b89a5a")]
SEA = [(0, "#9ad8f0"), (0.5, "#4aa0d0"), (1, "#1e5a8a")]
WET_ROCK = ("#a8a49a", "#6e6a62", "#3a3834")


# ---------------------------------------------------------------- pictures

def sand_bed(d, cx, cy, rx, ry, ident="sandBed"):
    """A low heap of light sand the thing sits in, so it stands out from the darker ground."""
    return ellipse(cx, cy, rx, ry, d.linear(ident, SAND), "#a88a4a", 1.2)


def mussel(d, x, y, angle, s=1.0):
    shell = d.linear("mussel", [(0, "#6a78a8"), (0.5, "#2a3058"), (1, "#12142a")])
    return (ellipse(x, y, 5.2 * s, 2.6 * s, shell, OUTLINE, 1, extra=f' transform="rotate({angle} {f(x)} {f(y)})"')
            + path(f"M{f(x - 3 * s)} {f(y - 0.8 * s)} l{f(4 * s)} {f(-0.6 * s)}", stroke="#b8c8f0", width=0.9))


def mussel_rock():
    d = Doc(60, 48, "A wet rock in the shallows, crusted with blue mussels.")
    d.add(contact_shadow(d, 30, 42, 26, 5))
    d.add(ellipse(30, 39, 27, 7, d.linear("tidePool", SEA), "#1e5a8a", 1.2))
    d.add(path("M8 38 q6 -3 12 0 M36 41 q6 -3 12 0", stroke="#e8f8ff", width=1.1))
    d.add(rock(d, "mrRock", 30, 26, 22, 15, tone=WET_ROCK, seed=1.3))
    for x, y, a in [(16, 26, -30), (22, 20, 10), (30, 17, -60), (38, 21, 25), (44, 28, -20), (26, 30, 40),
                    (35, 29, -40), (19, 33, 15), (41, 34, 60)]:
        d.add(mussel(d, x, y, a))
    for x, y in [(12, 31), (48, 23), (32, 24)]:  # barnacles
        d.add(circle(x, y, 1.8, "#f0ece0", "#8a8478", 0.8))
        d.add(circle(x, y, 0.6, "#5a564e"))
    d.save("world", "coast_mussel_rock")


def fishing_net():
    d = Doc(80, 60, "A fishing net hung out to dry between two poles, a basket of fish beside it.")
    d.add(contact_shadow(d, 40, 54, 36, 6))
    d.add(sand_bed(d, 40, 50, 36, 8, "fnSand"))
    for x in (12, 62):
        d.add(path(f"M{x} 52 L{x + 2} 6", stroke=OUTLINE, width=4.4))
        d.add(path(f"M{x} 52 L{x + 2} 6", stroke="#a8743e", width=2.6))
    d.add(path("M14 10 Q39 20 64 10 L63 40 Q38 48 13 40 Z", "#e8dcb8", extra=' opacity="0.25"'))
    for k in range(1, 8):  # the mesh
        x = 14 + k * 6.2
        d.add(path(f"M{f(x)} {f(10 + 10 * math.sin(math.pi * k / 8))} L{f(x - 1)} {f(40 + 7 * math.sin(math.pi * k / 8))}",
                   stroke="#5a4a30", width=0.8))
    for k in range(5):
        y = 10 + k * 7.5
        d.add(path(f"M14 {f(y)} Q39 {f(y + 10 - k * 0.4)} 64 {f(y)}", stroke="#5a4a30", width=0.8))
    d.add(path("M14 10 Q39 20 64 10", stroke=OUTLINE, width=1.6))
    for x, c in [(22, "#e83a2a"), (39, "#ffffff"), (56, "#e83a2a")]:  # floats on the head rope
        d.add(ellipse(x, 14 + (4 if x == 39 else 2), 3.4, 2.6, c, OUTLINE, 1))
    d.add(path("M48 42 h22 l-3 12 h-16 Z", d.linear("fnBasket", [(0, "#e0b070"), (1, "#8a5a28")]), OUTLINE, 1.4))
    d.add(path("M50 47 h18 M51 51 h16", stroke="#8a5a28", width=0.8))
    for x, a in ((54, -25), (61, -10), (66, -35)):
        d.add(ellipse(x, 41, 5.4, 2.3, d.linear("fnFish", [(0, "#e8f4fc"), (1, "#6a88a8")]), OUTLINE, 0.9,
                      extra=f' transform="rotate({a} {x} 41)"'))
    d.save("world", "coast_fishing_net")


def driftwood():
    d = Doc(68, 44, "Sun-bleached driftwood washed up on the sand, with strands of seaweed.")
    d.add(contact_shadow(d, 34, 38, 30, 5))
    d.add(sand_bed(d, 34, 36, 31, 7, "dwSand"))
    pale = [(0, "#f4ece0"), (0.5, "#c8b8a0"), (1, "#7a6a58")]
    for k, (x1, y1, x2, y2) in enumerate([(6, 34, 60, 30), (10, 24, 58, 26), (20, 14, 52, 22)]):
        g = d.linear(f"dw{k}", pale, 0, 0, 0, 1)
        d.add(path(f"M{x1} {y1} Q{(x1 + x2) / 2} {(y1 + y2) / 2 - 4} {x2} {y2}", stroke=OUTLINE, width=8.5))
        d.add(path(f"M{x1} {y1} Q{(x1 + x2) / 2} {(y1 + y2) / 2 - 4} {x2} {y2}", stroke=g, width=6))
        d.add(path(f"M{x1 + 8} {y1 - 2} l14 -1", stroke="#9a8a74", width=0.9))
    d.add(path("M26 28 q4 6 10 2 q4 -4 8 2", stroke="#4a6a2a", width=2.2))
    d.add(path("M48 24 q2 5 6 4", stroke="#4a6a2a", width=2))
    d.add(path("M10 38 Q13 33 16 38 Z", "#fbe0d0", "#b08070", 0.8))
    d.save("world", "coast_driftwood")


def palm_grove():
    d = Doc(80, 80, "A grove of young coconut palms, ready for the axe.")
    d.add(contact_shadow(d, 40, 74, 34, 6))
    d.add(sand_bed(d, 40, 72, 34, 7, "pgSand"))
    for x, y, s in [(22, 72, 0.5), (54, 70, 0.5), (38, 77, 0.66)]:
        ll.palm(d, x, y, s)
        tx, ty = x + 4 * s, y - 80 * s
        for dx, dy in ((-3, 5), (2, 6), (5, 3)):
            d.add(circle(tx + dx * s * 1.3, ty + dy * s * 1.3, 3.2 * s + 0.8,
                         d.radial("coconut", [(0, "#b88a4a"), (1, "#5a3a1a")]), OUTLINE, 0.9))
    d.save("world", "coast_palm_grove")


def cliff_gold():
    d = Doc(80, 60, "A sandstone rock at the cliff foot, split by a seam of gold, kelp at its base.")
    d.add(contact_shadow(d, 40, 52, 36, 6))
    d.add(rock(d, "cgRock", 40, 31, 34, 23, tone=("#f0d0a0", "#c08a58", "#6a4428"), seed=3.3))
    d.add(path("M10 24 C24 20 54 20 70 24 M12 36 C28 32 50 34 68 36", stroke="#8a5a30", width=1.1,
               extra=' opacity="0.6"'))  # the sandstone's layers
    gold = d.linear("cgGold", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")])
    d.add(path("M12 34 L24 28 L34 32 L44 20 L56 28 L68 22", stroke=OUTLINE, width=5))
    d.add(path("M12 34 L24 28 L34 32 L44 20 L56 28 L68 22", stroke=gold, width=3))
    for x, y, s in [(24, 28, 4.5), (44, 20, 5.5), (56, 28, 4)]:
        d.add(poly([(x - s, y), (x, y - s), (x + s, y), (x, y + s)], gold, OUTLINE, 1.1))
    d.add(path("M44 14 v8 M40 18 h8", stroke="#ffffff", width=1.2))
    for x, h in ((14, 12), (22, 16), (30, 10), (52, 14), (62, 11)):  # kelp hanging at the waterline
        d.add(path(f"M{x} 44 q-3 {h / 2} 1 {h}", stroke="#3a5a1a", width=3))
        d.add(path(f"M{x} 44 q-3 {h / 2} 1 {h}", stroke="#6a8a2a", width=1.4))
    for x, y in [(18, 42), (36, 45), (58, 43), (66, 40)]:
        d.add(circle(x, y, 1.8, "#f0ece0", "#8a8478", 0.8))
    d.save("world", "coast_cliff_gold")


def seaweed_heap():
    d = Doc(80, 48, "A heap of seaweed cast up by the storm across the way, a crab on top.")
    d.add(contact_shadow(d, 40, 42, 36, 5))
    g = d.radial("swHeap", [(0, "#9aa84a"), (0.55, "#5a6a22"), (1, "#2e3a12")], 0.4, 0.3, 0.8)
    d.add(path("M4 42 C6 28 18 22 28 26 C34 12 54 10 60 22 C70 22 78 32 76 42 Z", g, OUTLINE, 1.8))
    for k, (x, y) in enumerate([(12, 36), (22, 28), (34, 20), (48, 18), (60, 26), (70, 34), (40, 32)]):
        d.add(path(f"M{x} {y} q{6 + k % 3} -3 {10 + k % 2 * 3} 3 q4 4 9 1", stroke="#c0b858", width=1.6))
    for x, y in [(18, 33), (30, 24), (52, 22), (64, 32), (44, 36)]:  # the bladders
        d.add(ellipse(x, y, 2.6, 1.8, "#8a7a2a", OUTLINE, 0.8))
    d.add(path("M6 41 C20 37 40 39 56 40 C64 40 72 38 75 40", stroke="#1e2a0a", width=2, extra=' opacity="0.5"'))
    # a red crab on the heap, so it reads as the seashore's
    d.add(path("M44 12 l-5 -4 M56 12 l5 -4 M45 15 l-6 2 M55 15 l6 2", stroke=OUTLINE, width=1.6))
    d.add(ellipse(50, 13, 7, 4.2, d.radial("crab", [(0, "#ff8a60"), (1, "#c02a1a")]), OUTLINE, 1.1))
    d.add(circle(47.5, 9, 1.3, "#ffffff", OUTLINE, 0.6))
    d.add(circle(52.5, 9, 1.3, "#ffffff", OUTLINE, 0.6))
    d.save("world", "coast_seaweed_heap")


def fallen_palm():
    d = Doc(116, 52, "A palm thrown across the way by the storm, its crown of fronds still green.")
    d.add(contact_shadow(d, 60, 42, 54, 8))
    d.add(log(d, 8, 36, 78, 30, 8, ident="fpTrunk", end=False))
    for x in range(16, 72, 7):  # the rings of the palm's trunk
        y = 36 - (x - 8) * 6 / 66
        d.add(path(f"M{f(x)} {f(y - 7)} q-2 7 0 14", stroke="#6a4a2a", width=1.1))
    tx, ty = 84, 28
    for a in (-170, -130, -90, -50, -10, 30, 60):
        ex = tx + math.cos(math.radians(a)) * 24
        ey = ty + math.sin(math.radians(a)) * 16 + 8
        d.add(path(f"M{tx} {ty} Q{f((tx + ex) / 2)} {f(ty - 12)} {f(ex)} {f(ey)}", stroke="#2e6a22", width=6))
        d.add(path(f"M{tx} {ty} Q{f((tx + ex) / 2)} {f(ty - 12)} {f(ex)} {f(ey)}", stroke="#6ab84a", width=3))
    for dx, dy in ((-2, 4), (3, 6)):
        d.add(circle(tx + dx, ty + dy, 3.6, d.radial("fpNut", [(0, "#b88a4a"), (1, "#5a3a1a")]), OUTLINE, 0.9))
    d.save("world", "coast_fallen_palm")


def stranded_boat():
    d = Doc(88, 56, "An old rowing boat stranded in the sand, holed, an oar beside it.")
    d.add(contact_shadow(d, 44, 48, 40, 6))
    d.add(sand_bed(d, 44, 47, 40, 7, "sbSand"))
    wood = d.linear("sbWood", [(0, "#e0b070"), (0.5, "#b07a40"), (1, "#6a4020")])
    d.add(path("M6 22 Q10 46 40 48 Q72 48 84 26 Z", wood, OUTLINE, 1.8))
    d.add(path("M6 22 H84", stroke=OUTLINE, width=4))
    d.add(path("M6 22 H84", stroke="#3a7ab0", width=2.2))  # the painted gunwale
    for y in (30, 38):
        d.add(path(f"M{10 if y == 30 else 18} {y} Q44 {y + 6} {80 if y == 30 else 72} {y - 2}", stroke="#6a4020",
                   width=1.1))
    d.add(poly([(34, 34), (42, 31), (46, 38), (38, 42)], "#2a1a0a", OUTLINE, 1))  # the hole
    d.add(path("M20 52 L70 8", stroke=OUTLINE, width=3.6))
    d.add(path("M20 52 L70 8", stroke="#c8955a", width=1.8))
    d.add(ellipse(71, 7, 3, 6, "#c8955a", OUTLINE, 1.1, extra=' transform="rotate(48 71 7)"'))
    d.save("world", "coast_stranded_boat")


def sand_dune():
    d = Doc(80, 48, "A dune of drifting sand blown across the way, marram grass on its crest.")
    d.add(contact_shadow(d, 40, 42, 36, 5))
    g = d.radial("duneSand", SAND, 0.35, 0.25, 0.8)
    d.add(path("M4 42 C8 28 22 22 32 24 C38 10 58 10 64 22 C72 22 78 32 76 42 Z", g, "#8a6a32", 1.8))
    d.add(path("M16 32 C26 28 34 30 40 36 M48 20 C56 18 62 24 64 30", stroke="#c8a460", width=1.8))
    d.add(path("M8 41 C20 36 40 38 56 40 C64 40 72 38 75 40", stroke="#a8884a", width=3, extra=' opacity="0.7"'))
    for x, y in [(30, 24), (40, 16), (52, 15), (60, 20), (22, 28)]:  # marram grass
        d.add(path(f"M{x} {y} l-4 -11 M{x} {y} l1 -13 M{x} {y} l5 -10", stroke="#4a6a2a", width=2.2))
        d.add(path(f"M{x} {y} l-4 -11 M{x} {y} l1 -13 M{x} {y} l5 -10", stroke="#8aaa4a", width=1.1))
    # a half-buried fence of stakes, so the dune reads on the sandy ground
    for k, x in enumerate((10, 17, 24)):
        d.add(path(f"M{x} {40 - k} V{28 - k * 2}", stroke=OUTLINE, width=3.6))
        d.add(path(f"M{x} {40 - k} V{28 - k * 2}", stroke="#8a5a2a", width=1.8))
    d.add(path("M8 32 L26 28", stroke="#6a4020", width=1.2))
    d.save("world", "coast_sand_dune")


def coral_reef():
    d = Doc(100, 72, "A wall of coral rock grown over the way: only the stonemason can break through it.")
    d.add(contact_shadow(d, 50, 64, 46, 7))
    d.add(ellipse(50, 60, 46, 9, d.linear("crWater", SEA), "#1e5a8a", 1.4))
    blocks = [(20, 46, 16, 12), (50, 48, 17, 11), (80, 46, 15, 12), (28, 28, 14, 12), (56, 26, 16, 14),
              (80, 30, 12, 11)]
    for k, (x, y, rx, ry) in enumerate(blocks):
        d.add(rock(d, f"crRock{k}", x, y, rx, ry, tone=("#ffe0d0", "#e89484", "#8a3a3a"), seed=k * 1.7 + 0.4))
        for j in range(3):  # the pores of the coral rock
            d.add(circle(x - rx * 0.5 + j * rx * 0.5, y + ry * (0.1 + 0.25 * (j % 2)), 1.3, "#a85050"))
    branch = "#f07a98"
    for colour, width in ((OUTLINE, 4.6), (branch, 2.8)):  # branching coral on top, outlines first
        for x, y, s in [(28, 20, 1.0), (56, 16, 1.2), (82, 22, 0.9)]:
            for dx, h in ((-6, 10), (0, 15), (6, 11)):
                d.add(path(f"M{x} {y} Q{f(x + dx * s)} {f(y - h * s * 0.5)} {f(x + dx * s * 1.3)} {f(y - h * s)}",
                           stroke=colour, width=width * s))
    d.add(circle(22, 50, 3.4, "#f8a030", OUTLINE, 1))  # a starfish's middle and arms
    d.add(path("M22 44 V56 M16 48 L28 52 M17 54 L27 46", stroke="#f8a030", width=2.4))
    d.save("world", "coast_coral_reef")


def mangrove():
    d = Doc(100, 76, "A mangrove thicket on arching roots in the brackish water: only the forester can clear it.")
    d.add(contact_shadow(d, 50, 68, 46, 7))
    d.add(ellipse(50, 64, 46, 10, d.linear("mgWater", [(0, "#8ab8a8"), (1, "#3a6a5a")]), "#2a4a3a", 1.4))
    for k in range(9):  # the stilt roots, arching into the water
        x0 = 12 + k * 9.5
        d.add(path(f"M{f(x0)} 66 Q{f(x0 + 3)} 42 {f(50 + (x0 - 50) * 0.3)} 36", stroke=OUTLINE, width=3.6))
        d.add(path(f"M{f(x0)} 66 Q{f(x0 + 3)} 42 {f(50 + (x0 - 50) * 0.3)} 36", stroke="#8a6a4a", width=1.9))
    leaf = [(0, "#b8e070"), (0.5, "#4a8a2a"), (1, "#1e4a18")]
    d.add(canopy(d, "mgLeaves", [(24, 28, 16), (44, 20, 18), (66, 22, 17), (80, 32, 12), (34, 36, 12),
                                  (58, 36, 13)], stops=leaf))
    for x, y in [(30, 42), (62, 44), (46, 40)]:  # hanging seedlings
        d.add(path(f"M{x} {y} v9", stroke="#6a8a2a", width=2))
    d.save("world", "coast_mangrove")


# ---------------------------------------------------------------- the things

# id, texture, half size, descriptor attributes (after class/offs), painter, names and descriptions
THINGS = [
    (200, "coast_mussel_rock", (30, 24), 'offs="40" time="20" ani="4" ret="1" income="2,0,0" snd="37" coll="3" '
     'scaleTime="200" scalePercent="6"', mussel_rock,
     {"en": ("Mussel rock", "A rock crusted with mussels. New ones grow with the tides."),
      "de": ("Muschelfels", "Ein Fels voller Muscheln. Mit den Gezeiten wachsen neue."),
      "ru": ("Скала с мидиями", "Скала, облепленная мидиями. С приливами нарастают новые."),
      "pl": ("Skała z małżami", "Skała obrośnięta małżami. Z przypływami wyrastają nowe.")}),
    (201, "coast_fishing_net", (40, 30), 'offs="60" time="30" ani="4" ret="1" income="3,0,0" snd="37" coll="3" '
     'scaleTime="300" scalePercent="3"', fishing_net,
     {"en": ("Fishing net", "A net on the shore. Cast again, it brings fish after a while."),
      "de": ("Fischernetz", "Ein Netz am Ufer. Wieder ausgeworfen bringt es nach einer Weile Fisch."),
      "ru": ("Рыболовная сеть", "Сеть на берегу. Заброшенная снова, через время приносит рыбу."),
      "pl": ("Sieć rybacka", "Sieć na brzegu. Zarzucona znowu, po pewnym czasie daje ryby.")}),
    (202, "coast_driftwood", (34, 22), 'offs="40" time="25" ani="4" ret="1" income="0,2,0" snd="35" coll="1" '
     'scaleTime="250" scalePercent="5"', driftwood,
     {"en": ("Driftwood", "Wood washed up by the sea. The waves bring more."),
      "de": ("Treibholz", "Vom Meer angespültes Holz. Die Wellen bringen mehr."),
      "ru": ("Плавник", "Дерево, выброшенное морем. Волны приносят ещё."),
      "pl": ("Drewno z morza", "Drewno wyrzucone przez morze. Fale przynoszą więcej.")}),
    (203, "coast_palm_grove", (40, 40), 'offs="60" time="35" ani="1" ret="1" income="0,3,0" snd="35" coll="1" '
     'scaleTime="300" scalePercent="4"', palm_grove,
     {"en": ("Palm grove", "Young coconut palms. Felled, they grow back in time."),
      "de": ("Palmenhain", "Junge Kokospalmen. Gefällt wachsen sie mit der Zeit nach."),
      "ru": ("Пальмовая роща", "Молодые кокосовые пальмы. Срубленные, со временем отрастают."),
      "pl": ("Gaj palmowy", "Młode palmy kokosowe. Ścięte z czasem odrastają.")}),
    (204, "coast_cliff_gold", (40, 30), 'offs="50" time="40" ani="6" ret="1" cost="1,0,0" income="0,0,2" snd="36" '
     'coll="5" scaleTime="300" scalePercent="4"', cliff_gold,
     {"en": ("Cliff gold", "A seam of gold in the cliff rock. Mining it costs some food."),
      "de": ("Klippengold", "Eine Goldader im Klippenfels. Der Abbau kostet etwas Nahrung."),
      "ru": ("Золото утёса", "Золотая жила в скале утёса. Добыча стоит немного еды."),
      "pl": ("Złoto z klifu", "Żyła złota w skale klifu. Wydobycie kosztuje trochę jedzenia.")}),
    (205, "coast_seaweed_heap", (40, 24), 'offs="40" time="25" ani="5" snd="34" coll="2" '
     'scaleTime="250" scalePercent="5"', seaweed_heap,
     {"en": ("Seaweed heap", "Seaweed cast up across the way. Rake it aside."),
      "de": ("Tanghaufen", "Angespülter Tang quer über dem Weg. Recht ihn beiseite."),
      "ru": ("Куча водорослей", "Выброшенные водоросли поперёк дороги. Сгребите их в сторону."),
      "pl": ("Sterta wodorostów", "Wodorosty wyrzucone w poprzek drogi. Zgrabcie je na bok.")}),
    (206, "coast_fallen_palm", (58, 26), 'offs="50" time="30" ani="1" ret="1" income="0,2,0" snd="35" coll="1" '
     'draw="0" scaleTime="300" scalePercent="4"', fallen_palm,
     {"en": ("Fallen palm", "A palm thrown across the way by the storm. Cleared, it gives wood."),
      "de": ("Umgestürzte Palme", "Eine vom Sturm quer über den Weg geworfene Palme. Geräumt gibt sie Holz."),
      "ru": ("Упавшая пальма", "Пальма, поваленная бурей поперёк дороги. Убранная, даёт дерево."),
      "pl": ("Powalona palma", "Palma powalona przez burzę w poprzek drogi. Usunięta daje drewno.")}),
    (207, "coast_stranded_boat", (44, 28), 'offs="50" time="40" ani="0" ret="1" cost="1,0,0" income="0,3,0" '
     'snd="35" coll="1" scaleTime="300" scalePercent="4"', stranded_boat,
     {"en": ("Stranded boat", "An old boat stuck in the sand. Taken apart, its planks give wood."),
      "de": ("Gestrandetes Boot", "Ein altes Boot im Sand. Zerlegt geben seine Planken Holz."),
      "ru": ("Севшая на мель лодка", "Старая лодка, увязшая в песке. Разобранная, её доски дают дерево."),
      "pl": ("Osiadła łódź", "Stara łódź ugrzęzła w piasku. Rozebrana, jej deski dają drewno.")}),
    (208, "coast_sand_dune", (40, 24), 'offs="40" time="30" ani="5" cost="1,0,0" snd="34" coll="2" '
     'scaleTime="250" scalePercent="5"', sand_dune,
     {"en": ("Sand dune", "Drifting sand blown across the way. Digging it away costs some food."),
      "de": ("Sanddüne", "Wehender Sand quer über dem Weg. Das Abtragen kostet etwas Nahrung."),
      "ru": ("Песчаная дюна", "Песок, наметённый поперёк дороги. Раскопать его стоит немного еды."),
      "pl": ("Wydma", "Piasek nawiany w poprzek drogi. Odkopanie go kosztuje trochę jedzenia.")}),
    (209, "coast_coral_reef", (50, 36), 'offs="70" time="50" ani="0" work="1" cost="2,0,0" snd="36" coll="2" '
     'scaleTime="300" scalePercent="4"', coral_reef,
     {"en": ("Coral reef", "A wall of coral rock. Only the stonemason can break through it."),
      "de": ("Korallenriff", "Eine Wand aus Korallenfels. Nur der Steinmetz kann sie durchbrechen."),
      "ru": ("Коралловый риф", "Стена из кораллового камня. Пробить её может только каменотёс."),
      "pl": ("Rafa koralowa", "Ściana z koralowej skały. Tylko kamieniarz może ją przebić.")}),
    (210, "coast_mangrove", (50, 38), 'offs="60" time="45" ani="0" work="2" ret="1" income="0,3,0" snd="35" '
     'coll="1" scaleTime="300" scalePercent="3"', mangrove,
     {"en": ("Mangrove thicket", "Mangroves on tangled roots. Only the forester can clear them."),
      "de": ("Mangrovendickicht", "Mangroven auf verschlungenen Wurzeln. Nur der Förster kann sie räumen."),
      "ru": ("Мангровая чаща", "Мангры на переплетённых корнях. Расчистить их может только лесник."),
      "pl": ("Gąszcz namorzynów", "Namorzyny na splątanych korzeniach. Tylko leśnik może je usunąć.")}),
]

# Work sounds: id, name, loop, frame, ksynth description
SOUNDS_COAST = [
    (34, "coast_work_sand", 2, 3, """# A spade into wet sand and seaweed: a soft, heavy crunch and a slap.
gain 0.7
instrument crunch
  osc noise 1
  env 0.004 0.1 0.2 0.06
  filter bandpass 650 1.2
  sweep -300 0.1
end
instrument slap
  osc noise 1
  env 0.001 0.03 0 0.03
  filter lowpass 1400
  gain 0.6
end
instrument thud
  osc sine 1
  pitch 4 0.03
  env 0.002 0.09 0 0.05
end
note crunch 0 C4 0.12
note thud 0.02 G2 0.05
note slap 0.22 C4 0.04 0.6
"""),
    (35, "coast_work_wood", 2, 5, """# An axe into wet, salt-soaked wood: a dull knock and a short split.
gain 0.7
instrument knock
  osc triangle 1
  pitch 7 0.02
  env 0.001 0.12 0 0.07
end
instrument split
  osc noise 1
  env 0.0008 0.05 0 0.04
  filter bandpass 1300 1.8
end
note knock 0 G2 0.06
note split 0 C4 0.04
note split 0.09 C4 0.03 0.4
"""),
    (36, "coast_work_rock", 2, 6, """# A pick on coral and cliff rock: a dry clink, grit falling and a drip of water.
gain 0.7
instrument clink
  fm 3.7 1.2 0.04
  env 0.0005 0.12 0 0.08
end
instrument grit
  osc noise 1
  env 0.001 0.03 0 0.03
  filter highpass 2500
  gain 0.5
end
instrument drip
  osc sine 1
  pitch 12 0.04
  env 0.001 0.06 0 0.04
  gain 0.35
end
note clink 0 C6 0.04
seq grit 0.02 0.03 C4 C4@0.7 C4@0.5 C4@0.3
note drip 0.3 E5 0.04
"""),
    (37, "coast_work_gather", 0, 0, """# Hands in the shallows: a splash, a wet swish and shells clicking into a basket.
gain 0.6
instrument splash
  osc noise 1
  env 0.01 0.14 0 0.1
  filter bandpass 1200 0.8
  sweep 900 0.2
end
instrument plop
  osc sine 1
  pitch 10 0.05
  env 0.001 0.07 0 0.05
  gain 0.4
end
instrument shell
  fm 4.3 0.8 0.02
  env 0.0005 0.03 0 0.02
  gain 0.4
end
note splash 0 C4 0.18
note plop 0.12 A4 0.05
note splash 0.35 C4 0.12 0.6
seq shell 0.6 0.06 E6 G6@0.7 D6@0.5
"""),
]

PARTICLES = [("coast_cliff_gold", "coast_gold_glint", 0, 10)]
# The cliff gold glints warm in the sun, and now and then a drop of sea spray falls off it.
GOLD_GLINT = """  <emitter name="glints" loop="1" duration="1">
    <layer name="glints" texture="star" blend="add" max="12" rate="0:4" life="0.5 0.9" area="ellipse 40 18" spin="-40 40" angle="0 45" size="0:2 0.5:16 1:2" sizevar="0.3" color="0:FFFFF8D0 0.5:FFFFD860 1:00FFB020"/>
    <layer name="sun" texture="spark" blend="add" max="6" rate="0:2" life="0.4 0.7" area="ellipse 34 16" size="0:2 0.5:9 1:2" sizevar="0.3" color="0:FFFFFFF0 0.5:FFFFE8A0 1:00FFC860"/>
    <layer name="spray" texture="drop" blend="alpha" max="6" rate="0:1.5" life="0.6 1.0" speed="10 24" direction="0" spread="50" area="ellipse 30 8" gravity="0 60" size="0:4 1:3" color="0:00E8F8FF 0.2:D0E8F8FF 1:0090C8F0"/>
  </emitter>
"""


write_block = LAND.write_block


def tables():
    LAND.tables(THINGS, SOUNDS_COAST, PARTICLES, "coast_gold_glint",
                "Cliff gold glinting in the sun, a drop of sea spray falling off it now and then (written by art/generated/land_coast.py).",
                GOLD_GLINT)


# ---------------------------------------------------------------- levels

dressed = LAND.dressed


# The meadow's workable things and what stands in their place on the coast; where a list
# has more than one, they take turns through the episode.
SWAP = {"20": [200], "24": [200], "23": [201], "35": [201], "21": [203, 202], "22": [204],
        "10": [206, 208, 205], "11": [207], "12": [208, 205], "14": [205, 208], "15": [207, 206], "17": [205],
        "13": [209], "36": [210]}
TURNS = {}
# Where a level has a single source of a kind, the turn may not give it the weaker one: the one
# wood source of the tide festival and of the levels behind coral reefs is the palm grove (three
# wood a felling), or their wood goal takes twice as long as the rest of the level. The fallen
# palm stands in for the small wood in the way at lighthouse hill and for the stranded boat in the
# harbour town, so that it stands in three levels, and the tide festival's two things in the way
# are sand dunes, as the turns gave them before the reefs and mangroves came to those two levels.
KEEP = {7: {"21": 203, "17": 206}, 8: {"21": 203}, 9: {"11": 206}, 10: {"21": 203, "12": 208, "10": 208}}
BY_ID = {i: (tex, size) for i, tex, size, _, _, _ in THINGS}

# (level, template, transform, ground, what it is, new thing). The coral reefs stand in three
# levels made from the stony meadow (5, 7, 8) and the mangroves in three made from the woodland
# (6, 9, 11), each laid out another way.
PLAN = [
    (1, 2, "x", "dunes", "the dune farm: a farm, a second house and a warehouse behind the dunes",
     "the coast's own things: mussels, palms, driftwood, fallen palms, stranded boats and cliff gold"),
    (2, 5, "x", "saltmarsh", "the salt marsh: fish and mussels come back with the tides; the obelisk of growth speeds them",
     "the fishing nets"),
    (3, 4, "x", "seawall", "the sea wall: force the old gate and mend the drawbridge over the creek",
     "nothing (the old gate and the drawbridge again)"),
    (5, 3, "y", "cliff_path", "the cliff path: coral reefs close the ways; the stonemason breaks through them",
     "the coral reefs and the stonemason"),
    (6, 8, "y", "driftwood_beach", "driftwood beach: mangrove thickets close the shore; the forester clears them",
     "the mangrove thickets and the forester"),
    (7, 3, "xy", "lighthouse_hill", "lighthouse hill: coral reefs close the ways round the lighthouse; the "
     "stonemason breaks through them", "nothing (the coral reefs and the stonemason again)"),
    (8, 3, "x", "gull_rocks", "gull rocks: coral reefs among the rocks, and gold behind them",
     "nothing"),
    (9, 8, "xy", "harbour_town", "the harbour town: mangroves have overgrown the quays; the forester clears them",
     "nothing (the mangroves and the forester again)"),
    (10, 10, "y", "tide_festival", "the tide festival: find the three lost bells, then the festival gate opens",
     "the lost bells of the festival"),
    (11, 8, "x", "pearl_beach", "the pearl beach: the forester clears the mangroves before the last and largest harvest",
     "nothing"),
]
# The goals grow through the episode: each level asks this share more than the template's
# (on top of the share later_levels.py adds for the episode).
GOAL_STEP = 0.04


def dress_level(level):
    file = os.path.join(ll.LEVELS, f"level_{EPISODE:02d}_{level:02d}.xml")
    keep = {}
    if os.path.exists(file):  # the puzzle piece stays where the level had it
        for o in ET.parse(file).getroot().iter("object"):
            if o.get("tex") == "puzzle_piece":
                keep["piece"] = o.get("pos")
    return file, keep


def write_level(level, template, how, name, note, new):
    file, keep = dress_level(level)
    ll.NEW[(EPISODE, level)] = new
    ll.transform_level(template, EPISODE, level, how, name, note)
    tree = ET.parse(file)
    root = tree.getroot()
    root.set("music", str(EPISODE))
    root.set("dialog", f"{EPISODE * 1000 + level * 10},1,4,0,0,0,0")
    more = 1 + GOAL_STEP * (level - 1)
    root.set("quest_res", ",".join(str(int(math.ceil(int(v) * more))) for v in root.get("quest_res").split(",")))
    if level == 11:  # the last level holds no puzzle piece
        for parent in root.iter():
            for o in [c for c in parent if c.tag == "object" and c.get("tex") == "puzzle_piece"]:
                parent.remove(o)
    for o in root.iter("object"):
        sub = o.get("subclass")
        if o.get("tex") == "puzzle_piece" and level <= 3 and "piece" in keep:
            o.set("pos", keep["piece"])
        elif o.get("tex") == "puzzle_piece":
            o.set("pos", quiet_spot(root, o))
        elif sub in SWAP and o.get("class") == "1":
            k = TURNS.get(sub, 0)  # the turns run on through the episode
            TURNS[sub] = k + 1
            ident = KEEP.get(level, {}).get(sub, SWAP[sub][k % len(SWAP[sub])])
            tex, (hw, hh) = BY_ID[ident]
            o.set("tex", tex)
            o.set("subclass", str(ident))
            o.set("size", f"{hw:.2f},{hh:.2f}")
            o.attrib.pop("sprite", None)
        elif o.get("tex") and not o.get("tex").startswith(("bg_", "coast_")) and o.get("tex") != "puzzle_piece":
            o.set("tex", dressed(o.get("tex")))
    body = ET.tostring(root, encoding="unicode")
    lines = [ln for ln in body.replace(" />", "/>").splitlines() if ln.strip()]
    with open(file, "w", encoding="utf-8") as fh:
        fh.write('<?xml version="1.0" encoding="utf-8"?>\n')
        fh.write(f"<!-- Episode {EPISODE}, level {level}: {note}. Written by art/generated/land_coast.py. -->\n")
        fh.write(f"<!-- new: {new} -->\n")
        fh.write("\n".join(lines) + "\n")
    fit_or_warn(file)
    ll.ground(EPISODE, level, template, how, name, ll.COAST, note)


# The chief's opening line of each level (dialog_2LL0) and, for a level that brings something
# new, the level message shown before it starts with its picture: (world pictures, where).
SPEECH = {
    1: {"en": "Sand, salt and sea wind. Clear the seaweed and the fallen palms; the mussels and the cliff gold will carry us.",
        "de": "Sand, Salz und Seewind. Räumt den Tang und die umgestürzten Palmen; Muscheln und Klippengold bringen uns durch.",
        "ru": "Песок, соль и морской ветер. Уберите водоросли и упавшие пальмы — мидии и золото утёса нас прокормят.",
        "pl": "Piasek, sól i morski wiatr. Usuńcie wodorosty i powalone palmy; małże i złoto z klifu nas wyżywią."},
    2: {"en": "Hang the nets in the marsh creeks. The fish come back with every tide, and so do the mussels.",
        "de": "Hängt die Netze in die Priele der Salzwiese. Mit jeder Flut kommen die Fische wieder, die Muscheln auch.",
        "ru": "Расставьте сети в протоках болот. Рыба возвращается с каждым приливом, и мидии тоже.",
        "pl": "Rozwieście sieci w kanałach mokradeł. Ryby wracają z każdym przypływem, małże też."},
    3: {"en": "The sea wall holds back the tide, but its gate is stuck and the creek's bridge is broken. Open both.",
        "de": "Der Deich hält die Flut zurück, doch sein Tor klemmt und die Brücke über den Priel ist kaputt. Öffnet beides.",
        "ru": "Морская стена сдерживает прилив, но ворота заклинило, а мост через протоку сломан. Откройте путь.",
        "pl": "Wał powstrzymuje przypływ, ale brama się zacięła, a most nad kanałem jest zepsuty. Otwórzcie oba."},
    5: {"en": "Coral reefs have grown over the cliff path. Build the stonemason's lodge: only the mason breaks through them.",
        "de": "Korallenriffe haben den Klippenpfad überwuchert. Baut die Steinmetzhütte: nur der Steinmetz bricht sie auf.",
        "ru": "Коралловые рифы заросли тропу над обрывом. Постройте мастерскую каменотёса: только он их пробьёт.",
        "pl": "Rafy koralowe zarosły ścieżkę na klifie. Zbudujcie chatę kamieniarza: tylko kamieniarz je przebije."},
    6: {"en": "Mangroves choke the driftwood beach. Build the forester's lodge: the forester clears them.",
        "de": "Mangroven überwuchern den Treibholzstrand. Baut die Försterhütte: der Förster räumt sie.",
        "ru": "Мангры душат пляж с плавником. Постройте сторожку лесника: лесник их расчистит.",
        "pl": "Namorzyny zarosły plażę. Zbudujcie leśniczówkę: leśnik je usunie."},
    7: {"en": "The lighthouse warns the ships of the reefs, and the reefs have grown up the hill. Let the stonemason break through them.",
        "de": "Der Leuchtturm warnt die Schiffe vor den Riffen, und die Riffe sind den Hügel hinaufgewachsen. Lasst den Steinmetz sie durchbrechen.",
        "ru": "Маяк предупреждает корабли о рифах, а рифы доросли до самого холма. Пусть каменотёс пробьётся сквозь них.",
        "pl": "Latarnia ostrzega statki przed rafami, a rafy wyrosły aż na wzgórze. Niech kamieniarz się przez nie przebije."},
    8: {"en": "The gulls nest among coral and rock. Break through the reefs: the gold lies behind them.",
        "de": "Die Möwen nisten zwischen Korallen und Fels. Brecht durch die Riffe: dahinter liegt das Gold.",
        "ru": "Чайки гнездятся среди кораллов и камней. Пробейтесь сквозь рифы: за ними лежит золото.",
        "pl": "Mewy gnieżdżą się wśród koralowców i skał. Przebijcie się przez rafy: za nimi leży złoto."},
    9: {"en": "Mangroves have overgrown the harbour's quays. Build the forester's lodge and clear them, so the boats can land again.",
        "de": "Mangroven haben die Kais des Hafens überwuchert. Baut die Försterhütte und räumt sie, damit die Boote wieder anlegen können.",
        "ru": "Мангры заросли причалы гавани. Постройте сторожку лесника и расчистите их, чтобы лодки снова могли причаливать.",
        "pl": "Namorzyny zarosły nabrzeża portu. Zbudujcie leśniczówkę i usuńcie je, żeby łodzie znów mogły przybijać."},
    10: {"en": "The tide festival cannot ring in the high tide: its three bells are lost on the beach. Find them.",
         "de": "Das Gezeitenfest kann die Flut nicht einläuten: seine drei Glocken liegen irgendwo am Strand. Findet sie.",
         "ru": "Праздник прилива не может начаться: три его колокола потерялись на пляже. Найдите их.",
         "pl": "Święto przypływu nie może się zacząć: jego trzy dzwony zginęły na plaży. Znajdźcie je."},
    11: {"en": "Pearls glimmer in the shallows behind the mangroves. One last harvest, the largest of all, and the coast is ours.",
         "de": "Hinter den Mangroven schimmern Perlen im flachen Wasser. Eine letzte Ernte, die größte von allen, und die Küste ist unser.",
         "ru": "За манграми на мелководье мерцает жемчуг. Последний урожай, самый большой, и побережье наше.",
         "pl": "Za namorzynami na płyciźnie lśnią perły. Ostatnie żniwa, największe ze wszystkich, i wybrzeże jest nasze."},
}
MESSAGES = {
    2: ({"en": "In the creeks of the salt marsh the fish are waiting. A fishing net gives food again and again.",
         "de": "In den Prielen der Salzwiese warten die Fische. Ein Fischernetz gibt immer wieder Nahrung.",
         "ru": "В протоках солёных болот ждёт рыба. Рыболовная сеть снова и снова даёт еду.",
         "pl": "W kanałach słonych mokradeł czekają ryby. Sieć rybacka raz po raz daje jedzenie."},
        [("coast_fishing_net", 130, 82, 1.4), ("coast_mussel_rock", 212, 112, 1.1)]),
    5: ({"en": "Walls of coral rock close the cliff path. Only the stonemason can break through them.",
         "de": "Wände aus Korallenfels versperren den Klippenpfad. Nur der Steinmetz kann sie durchbrechen.",
         "ru": "Стены кораллового камня закрывают тропу. Пробить их может только каменотёс.",
         "pl": "Ściany z koralowej skały zamykają ścieżkę. Tylko kamieniarz może je przebić."},
        [("coast_coral_reef", 160, 88, 1.3), ("stonemason_lodge", 70, 82, 0.5)]),
    6: ({"en": "Mangrove thickets close the beach. The forester from the lodge clears them.",
         "de": "Mangrovendickicht versperrt den Strand. Der Förster aus der Hütte räumt es.",
         "ru": "Мангровая чаща закрывает пляж. Лесник из сторожки её расчистит.",
         "pl": "Gąszcz namorzynów zamyka plażę. Leśnik z leśniczówki go usunie."},
        [("coast_mangrove", 160, 86, 1.2), ("forester_lodge", 70, 82, 0.5)]),
    10: ({"en": "The tide festival cannot begin: its three bells are lost somewhere on the beach.",
          "de": "Das Gezeitenfest kann nicht beginnen: seine drei Glocken liegen irgendwo am Strand.",
          "ru": "Праздник прилива не может начаться: три его колокола потерялись где-то на пляже.",
          "pl": "Święto przypływu nie może się zacząć: jego trzy dzwony zginęły gdzieś na plaży."},
         [("lost_bell", 80, 102, 1.3), ("lost_bell", 130, 92, 1.3), ("lost_bell", 180, 102, 1.3)]),
}




nested = LAND.nested


def message_picture(level, pictures):
    d = Doc(260, 150, f"Level message of the coast, level {level} (written by generated/land_coast.py)")
    d.add(f'<rect width="260" height="150" fill="{d.linear("msgSky", [(0, "#7ac4f0"), (1, "#e4f6ff")])}"/>')
    d.add(path("M0 54 C60 50 120 58 180 52 S240 52 260 54 V80 H0 Z", d.linear("msgSea", SEA), "#1e5a8a", 1))
    d.add(path("M0 62 q15 -4 30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0 t30 0", stroke="#e8f8ff", width=1.2))
    d.add(path("M0 74 C60 66 120 82 180 72 S240 70 260 74 V150 H0 Z", d.linear("msgSand", SAND), "#a88a4a", 1.2))
    ll.palm(d, 18, 92, 0.5)
    ll.palm(d, 244, 96, 0.45)
    for k, (name, x, y, scale) in enumerate(pictures):
        d.add(nested(name, x, y, scale, k))
    d.add(f'<rect x="1" y="1" width="258" height="148" fill="none" stroke="{OUTLINE}" stroke-width="2"/>')
    # an atlas of their own: the dialogs' atlas is full at double size
    d.save(os.path.join("atlases", "messages"), f"msg_{EPISODE:02d}_{level:02d}")


# The grounds' names in the level editor's palette.
GROUND_NAMES = {
    "cliff_path": {"en": "cliff path", "de": "Klippenpfad", "ru": "тропа над обрывом", "pl": "ścieżka na klifie"},
    "driftwood_beach": {"en": "driftwood beach", "de": "Treibholzstrand", "ru": "пляж с плавником",
                        "pl": "plaża z drewnem"},
    "lighthouse_hill": {"en": "lighthouse hill", "de": "Leuchtturmhügel", "ru": "маячный холм",
                        "pl": "wzgórze latarni"},
    "gull_rocks": {"en": "gull rocks", "de": "Möwenfelsen", "ru": "чаячьи скалы", "pl": "skały mew"},
    "harbour_town": {"en": "harbour town", "de": "Hafenstadt", "ru": "портовый город", "pl": "miasto portowe"},
    "tide_festival": {"en": "tide festival", "de": "Gezeitenfest", "ru": "праздник прилива",
                      "pl": "święto przypływu"},
    "pearl_beach": {"en": "pearl beach", "de": "Perlenstrand", "ru": "жемчужный пляж", "pl": "perłowa plaża"},
}


def texts():
    LAND.texts(SPEECH, MESSAGES, message_picture, GROUND_NAMES)


fit_or_warn = LAND.fit_or_warn


def main():
    ll.fit_waypoints = fit_or_warn
    for _, _, _, _, paint, _ in THINGS:
        paint()
    tables()
    texts()
    for level, template, how, name, note, new in PLAN:
        write_level(level, template, how, name, note, new)


if __name__ == "__main__":
    main()
