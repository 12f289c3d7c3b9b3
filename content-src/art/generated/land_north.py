#!/usr/bin/env python3
"""The snowy north (episode 4): its own workable things and its levels.

Paints the land's obstacles and resource sites (world/north_*.svg), writes their descriptors,
work sounds, names and effects as one block at the end of each shared table, and writes the
levels 1-3 and 5-11 of episode 4 from the episode 1 templates, dressed in the north's things
instead of the meadow's, with their grounds, speeches and level messages.
    python3 content-src/art/generated/land_north.py
Needs build/bin/kcontent (or $KCONTENT) for fitting the waypoints, like later_levels.py. With it,
the script also sets first medal times and developers' scores from the bot's runs; the
campaign's rule sets them afterwards, twice (the bot's score counts against the medal times):
    build/bin/kcontent campaign tune content-src/game/content/levels/level_04_{0[1235-9],1?}.xml --write
"""
import json
import math
import os
import re
import xml.etree.ElementTree as ET

import later_levels as ll
from artlib import OUTLINE, Doc, canopy, circle, contact_shadow, ellipse, f, log, path, poly, rock
from land_common import TABLES, Land

BLOCK = "<!-- snowy north (episode 4) -->"
BLOCK_END = "<!-- end of the snowy north -->"
LAND = Land("north", 4, BLOCK, BLOCK_END, "land_north.py")

ICE = [(0, "#ffffff"), (0.45, "#cfe8f8"), (1, "#7aa6c8")]
SNOW = [(0, "#ffffff"), (0.6, "#e8f0f8"), (1, "#b4c8dc")]


# ---------------------------------------------------------------- pictures

def snow_cap(d, pts, width=1.4):
    """A soft cap of snow along the points (left to right), bulging upwards."""
    top = " ".join(f"L{f(x)} {f(y)}" for x, y in pts[1:])
    back = " ".join(f"L{f(x)} {f(y + 4)}" for x, y in reversed(pts[1:-1]))
    g = d.linear("capSnow", SNOW)
    return path(f"M{f(pts[0][0])} {f(pts[0][1])} {top} {back} Z", g, "#8aa0b8", width)


def cloudberry():
    d = Doc(60, 48, "Low cloudberry plants in the snow, with orange berries.")
    d.add(contact_shadow(d, 30, 42, 26, 5))
    d.add(ellipse(30, 38, 26, 8, d.linear("bed", SNOW), "#8aa0b8", 1.2))
    leaf = [(0, "#b8d880"), (0.5, "#6a9a3a"), (1, "#2e5a22")]
    d.add(canopy(d, "cbLeaves", [(16, 32, 9), (30, 28, 10), (44, 32, 9), (23, 36, 7), (38, 36, 7)], stops=leaf))
    for x, y in [(14, 26), (28, 20), (42, 25), (22, 33), (36, 31), (48, 31)]:
        d.add(circle(x, y, 3.6, d.radial("cbBerry", [(0, "#fff0a0"), (0.5, "#f8a030"), (1, "#b85a10")],
                                        0.35, 0.3, 0.7), OUTLINE, 1))
        d.add(circle(x - 1, y - 1.2, 0.9, "#ffffff"))
    d.add(snow_cap(d, [(8, 34), (14, 31), (20, 34)]))
    d.save("world", "north_cloudberry")


def ice_hole():
    d = Doc(80, 60, "A fishing hole cut in the frozen lake, a rod and a basket of fish beside it.")
    d.add(contact_shadow(d, 40, 50, 36, 7))
    d.add(ellipse(40, 36, 37, 19, d.radial("lakeIce", ICE, 0.35, 0.3, 0.8), "#5a7a98", 1.6))
    d.add(path("M10 34 l12 4 l8 -3 M52 44 l10 -4 l8 2", stroke="#ffffff", width=1.2))
    d.add(ellipse(38, 36, 13, 6.5, d.linear("water", [(0, "#1e3e5e"), (1, "#3a6a90")]), OUTLINE, 1.6))
    d.add(path("M28 35 q10 -4 20 0", stroke="#7ab0d8", width=1))
    # the rod leaning over the hole
    d.add(path("M64 50 L30 14", stroke=OUTLINE, width=3.2))
    d.add(path("M64 50 L30 14", stroke="#a8743e", width=1.6))
    d.add(path("M30 14 Q33 26 36 36", stroke="#2a2a2a", width=0.7))
    # the basket with fish
    d.add(path("M56 30 h16 l-2 10 h-12 Z", d.linear("basket", [(0, "#e0b070"), (1, "#8a5a28")]), OUTLINE, 1.4))
    for x in (60, 66):
        d.add(ellipse(x, 29, 5, 2.2, d.linear("fish", [(0, "#e8f0f8"), (1, "#7890a8")]), OUTLINE, 0.9,
                      extra=f' transform="rotate(-20 {x} 29)"'))
    d.save("world", "north_ice_hole")


def driftwood():
    d = Doc(68, 44, "Grey wind-dried branches gathered on the snow.")
    d.add(contact_shadow(d, 34, 38, 30, 5))
    grey = [(0, "#e8e0d4"), (0.5, "#b0a494"), (1, "#6a5e50")]
    for k, (x1, y1, x2, y2) in enumerate([(6, 34, 58, 30), (12, 26, 60, 22), (18, 16, 50, 24)]):
        g = d.linear(f"drift{k}", grey, 0, 0, 0, 1)
        d.add(path(f"M{x1} {y1} L{x2} {y2}", stroke=OUTLINE, width=8.5))
        d.add(path(f"M{x1} {y1} L{x2} {y2}", stroke=g, width=6))
        d.add(path(f"M{(x1 + x2) / 2} {(y1 + y2) / 2 - 1} l6 -7", stroke=OUTLINE, width=3))
    d.add(snow_cap(d, [(14, 14), (24, 12), (34, 16)]))
    d.add(snow_cap(d, [(40, 20), (50, 19), (58, 21)]))
    d.save("world", "north_driftwood")


def small_pine(d, x, y, s, ident):
    d.add(path(f"M{f(x)} {f(y)} V{f(y - 14 * s)}", stroke=OUTLINE, width=5 * s))
    d.add(path(f"M{f(x)} {f(y)} V{f(y - 14 * s)}", stroke="#7a4a22", width=3 * s))
    g = d.linear(ident, [(0, "#5a9a6a"), (1, "#1a3e2a")])
    for k, w in enumerate((18, 14, 9)):
        yb = y - 10 * s - k * 11 * s
        d.add(poly([(x - w * s, yb), (x, yb - 20 * s), (x + w * s, yb)], g, OUTLINE, 1.4))
        d.add(path(f"M{f(x - w * s * 0.6)} {f(yb - 4 * s)} Q{f(x)} {f(yb - 10 * s)} {f(x + w * s * 0.6)} "
                   f"{f(yb - 4 * s)}", stroke="#ffffff", width=3 * s))


def young_pines():
    d = Doc(80, 80, "A stand of young snowy pines, ready for the axe.")
    d.add(contact_shadow(d, 40, 72, 34, 6))
    small_pine(d, 24, 70, 1.0, "ypA")
    small_pine(d, 56, 72, 1.1, "ypB")
    small_pine(d, 40, 76, 1.3, "ypC")
    d.save("world", "north_young_pines")


def frost_gold():
    d = Doc(80, 60, "A frosted rock split by a vein of gold, icicles hanging from its lip.")
    d.add(contact_shadow(d, 40, 52, 36, 6))
    d.add(rock(d, "fgRock", 40, 32, 34, 24, tone=("#c8d4e0", "#8494a8", "#4a5468"), seed=2.1))
    gold = d.linear("fgGold", [(0, "#fff3a0"), (0.5, "#f5c02a"), (1, "#b07810")])
    d.add(path("M12 36 L26 28 L34 34 L46 22 L58 30 L68 24", stroke=OUTLINE, width=5))
    d.add(path("M12 36 L26 28 L34 34 L46 22 L58 30 L68 24", stroke=gold, width=3))
    for x, y, s in [(26, 28, 4.5), (46, 22, 5.5), (58, 30, 4)]:
        d.add(poly([(x - s, y), (x, y - s), (x + s, y), (x, y + s)], gold, OUTLINE, 1.1))
    d.add(snow_cap(d, [(14, 16), (28, 9), (44, 8), (60, 12), (68, 18)]))
    for x in (20, 30, 52, 62):
        d.add(poly([(x - 2.4, 14 + (x % 3)), (x, 26 + (x % 5)), (x + 2.4, 14 + (x % 3))],
                   d.linear("fgIcicle", ICE), "#5a7a98", 0.9))
    d.add(path("M46 16 v8 M42 20 h8", stroke="#ffffff", width=1.2))
    d.save("world", "north_frost_gold")


def snowdrift():
    d = Doc(80, 48, "A deep snowdrift blown across the way.")
    d.add(contact_shadow(d, 40, 42, 36, 5))
    g = d.radial("drift", SNOW, 0.35, 0.25, 0.8)
    d.add(path("M4 42 C6 26 20 20 30 24 C36 8 58 8 64 22 C72 22 78 32 76 42 Z", g, "#7a90aa", 1.8))
    d.add(path("M18 30 C28 26 34 28 40 34 M48 20 C56 18 62 24 64 30", stroke="#b8cce0", width=2))
    d.add(path("M30 24 C36 14 50 12 58 16", stroke="#ffffff", width=2.5))
    d.add(path("M8 41 C20 36 40 38 56 40 C64 40 72 38 75 40", stroke="#9ab0c8", width=3, extra=' opacity="0.7"'))
    # a marker pole stuck in the drift, with a red rag, so the drift reads on the white ground
    d.add(path("M62 36 L66 4", stroke=OUTLINE, width=3.6))
    d.add(path("M62 36 L66 4", stroke="#a8743e", width=1.8))
    d.add(poly([(66, 5), (76, 8), (65.4, 13)], "#d83a2a", OUTLINE, 1.1))
    d.save("world", "north_snowdrift")


def frozen_log():
    d = Doc(116, 52, "A pine trunk frozen across the way, crusted with ice and snow.")
    d.add(contact_shadow(d, 60, 42, 54, 8))
    d.add(log(d, 12, 30, 100, 28, 11, ident="fzLog"))
    d.add(snow_cap(d, [(14, 20), (30, 16), (50, 17), (72, 15), (96, 17)], 1.2))
    for x in (26, 44, 62, 80):
        d.add(poly([(x - 2.5, 38), (x, 49 - (x % 4)), (x + 2.5, 38)], d.linear("fzIcicle", ICE),
                   "#5a7a98", 0.9))
    d.add(path("M100 22 L110 12 M100 32 L112 36", stroke=OUTLINE, width=3.5))
    d.add(path("M100 22 L110 12 M100 32 L112 36", stroke="#6a4a2a", width=1.8))
    d.save("world", "north_frozen_log")


def buried_sled():
    d = Doc(88, 56, "An old sled buried in snow, its load of planks sticking out.")
    d.add(contact_shadow(d, 44, 48, 40, 6))
    wood = d.linear("sledWood", [(0, "#e0b070"), (0.5, "#b07a40"), (1, "#6a4020")])
    d.add(path("M10 40 Q6 30 14 28 L74 28 L80 40 Z", wood, OUTLINE, 1.6))
    d.add(path("M6 46 H78 Q86 46 84 38", stroke=OUTLINE, width=4))
    d.add(path("M6 46 H78 Q86 46 84 38", stroke="#9aa4ae", width=2))
    for k, x in enumerate((20, 34, 48)):
        d.add(poly([(x, 28), (x + 6, 8 + k * 3), (x + 14, 10 + k * 3), (x + 10, 28)], wood, OUTLINE, 1.3))
    g = d.radial("sledSnow", SNOW, 0.35, 0.25, 0.8)
    d.add(path("M2 50 C6 36 20 34 30 40 C40 30 58 34 62 42 C72 36 84 40 86 50 Z", g, "#7a90aa", 1.6))
    d.save("world", "north_buried_sled")


def frost_boulder():
    d = Doc(64, 48, "A boulder frozen to the ground under a shell of ice.")
    d.add(contact_shadow(d, 32, 42, 28, 5))
    d.add(rock(d, "fbRock", 32, 28, 26, 17, tone=("#d0dae4", "#98a6b6", "#5a6474"), seed=0.7))
    d.add(path("M10 32 C12 18 24 12 34 12 C46 12 54 20 56 30", stroke="#e8f6ff", width=3,
               extra=' opacity="0.8"'))
    d.add(snow_cap(d, [(16, 14), (30, 9), (46, 12)]))
    d.save("world", "north_frost_boulder")


def ice_wall():
    d = Doc(100, 72, "A wall of blue ice blocks: only the stonemason can cut through it.")
    d.add(contact_shadow(d, 50, 64, 46, 7))
    g = d.linear("iceBlock", ICE)
    blocks = [(6, 40, 30, 24), (36, 42, 30, 22), (66, 40, 28, 24), (14, 18, 26, 22), (42, 16, 28, 26),
              (70, 20, 22, 20)]
    for x, y, w, h in blocks:
        d.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="3" fill="{g}" stroke="#3a5a7a" '
              f'stroke-width="1.6"/>')
        d.add(path(f"M{x + 4} {y + 5} l{w * 0.4:.1f} 0", stroke="#ffffff", width=1.6))
    d.add(snow_cap(d, [(14, 18), (30, 13), (56, 14), (80, 18), (92, 22)]))
    d.save("world", "north_ice_wall")


def frozen_thicket():
    d = Doc(100, 76, "Bare thorny brush frozen into one block: only the forester can clear it.")
    d.add(contact_shadow(d, 50, 68, 46, 7))
    d.add(ellipse(50, 48, 46, 24, d.radial("ftIce", ICE, 0.35, 0.3, 0.8), "#5a7a98", 1.6,
                  extra=' opacity="0.85"'))
    for k in range(9):
        a = math.radians(200 + k * 17)
        x2, y2 = 50 + math.cos(a) * 44, 64 + math.sin(a) * 56
        d.add(path(f"M50 64 Q{f((50 + x2) / 2 + 6)} {f((64 + y2) / 2)} {f(x2)} {f(y2)}",
                   stroke=OUTLINE, width=3.2))
        d.add(path(f"M50 64 Q{f((50 + x2) / 2 + 6)} {f((64 + y2) / 2)} {f(x2)} {f(y2)}",
                   stroke="#6a4a3a", width=1.6))
        d.add(circle(x2, y2, 2.2, "#ffffff", "#8aa0b8", 0.8))
    d.add(snow_cap(d, [(14, 40), (32, 30), (54, 26), (76, 30), (88, 40)]))
    d.save("world", "north_frozen_thicket")


# ---------------------------------------------------------------- the things

# id, texture, half size, descriptor attributes (after class/offs), names and descriptions
THINGS = [
    (180, "north_cloudberry", (30, 24), 'offs="40" time="20" ani="4" ret="1" income="2,0,0" snd="33" coll="3" '
     'scaleTime="200" scalePercent="6"', cloudberry,
     {"en": ("Cloudberries", "Orange berries under the snow. They ripen again after a while."),
      "de": ("Moltebeeren", "Orange Beeren unter dem Schnee. Nach einer Weile reifen sie wieder."),
      "ru": ("Морошка", "Оранжевые ягоды под снегом. Через время созревают снова."),
      "pl": ("Moroszka", "Pomarańczowe jagody pod śniegiem. Po pewnym czasie znów dojrzewają.")}),
    (181, "north_ice_hole", (40, 30), 'offs="60" time="30" ani="4" ret="1" income="3,0,0" snd="33" coll="3" '
     'scaleTime="300" scalePercent="3"', ice_hole,
     {"en": ("Fishing hole", "A hole in the lake ice. The fish bite again after a while."),
      "de": ("Eisloch", "Ein Loch im Eis des Sees. Nach einer Weile beißen die Fische wieder."),
      "ru": ("Прорубь", "Лунка во льду озера. Через время рыба снова клюёт."),
      "pl": ("Przerębel", "Otwór w lodzie jeziora. Po pewnym czasie ryby znów biorą.")}),
    (182, "north_driftwood", (34, 22), 'offs="40" time="25" ani="4" ret="1" income="0,2,0" snd="32" coll="1" '
     'scaleTime="250" scalePercent="5"', driftwood,
     {"en": ("Dry branches", "Wind-dried branches. The storms bring new ones."),
      "de": ("Dürre Äste", "Vom Wind getrocknete Äste. Die Stürme bringen neue."),
      "ru": ("Сухие ветви", "Высушенные ветром ветви. Бури приносят новые."),
      "pl": ("Suche gałęzie", "Gałęzie wysuszone wiatrem. Burze przynoszą nowe.")}),
    (183, "north_young_pines", (40, 40), 'offs="60" time="35" ani="1" ret="1" income="0,3,0" snd="32" coll="1" '
     'scaleTime="300" scalePercent="4"', young_pines,
     {"en": ("Young pines", "A stand of young pines. Felled, they grow back in time."),
      "de": ("Junge Kiefern", "Ein Stand junger Kiefern. Gefällt wachsen sie mit der Zeit nach."),
      "ru": ("Молодые сосны", "Рощица молодых сосен. Срубленные, со временем отрастают."),
      "pl": ("Młode sosny", "Kępa młodych sosen. Ścięte z czasem odrastają.")}),
    (184, "north_frost_gold", (40, 30), 'offs="50" time="40" ani="6" ret="1" cost="1,0,0" income="0,0,2" snd="30" '
     'coll="5" scaleTime="300" scalePercent="4"', frost_gold,
     {"en": ("Frosted gold", "Gold in a frozen rock. Mining it costs some food."),
      "de": ("Frostgold", "Gold in einem gefrorenen Fels. Der Abbau kostet etwas Nahrung."),
      "ru": ("Золото во льду", "Золото в промёрзшей скале. Добыча стоит немного еды."),
      "pl": ("Złoto w lodzie", "Złoto w zamarzniętej skale. Wydobycie kosztuje trochę jedzenia.")}),
    (185, "north_snowdrift", (40, 24), 'offs="40" time="30" ani="5" cost="1,0,0" snd="31" coll="2" '
     'scaleTime="250" scalePercent="5"', snowdrift,
     {"en": ("Snowdrift", "A deep drift across the way. Shovelling it costs some food."),
      "de": ("Schneewehe", "Eine tiefe Wehe quer über dem Weg. Das Schaufeln kostet etwas Nahrung."),
      "ru": ("Сугроб", "Глубокий сугроб поперёк дороги. Расчистка стоит немного еды."),
      "pl": ("Zaspa", "Głęboka zaspa w poprzek drogi. Odśnieżanie kosztuje trochę jedzenia.")}),
    (186, "north_frozen_log", (58, 26), 'offs="50" time="30" ani="1" ret="1" income="0,2,0" snd="32" coll="1" '
     'draw="0" scaleTime="300" scalePercent="4"', frozen_log,
     {"en": ("Frozen trunk", "A pine trunk frozen across the way. Cleared, it gives wood."),
      "de": ("Gefrorener Stamm", "Ein Kiefernstamm, quer über dem Weg festgefroren. Geräumt gibt er Holz."),
      "ru": ("Мёрзлый ствол", "Сосновый ствол, вмёрзший поперёк дороги. Убранный, даёт дерево."),
      "pl": ("Zamarznięty pień", "Sosnowy pień przymarznięty w poprzek drogi. Usunięty daje drewno.")}),
    (187, "north_buried_sled", (44, 28), 'offs="50" time="40" ani="0" ret="1" cost="1,0,0" income="0,3,0" snd="31" '
     'coll="1" scaleTime="300" scalePercent="4"', buried_sled,
     {"en": ("Buried sled", "An old sled under the snow. Dug out, its planks give wood."),
      "de": ("Verschütteter Schlitten", "Ein alter Schlitten unter dem Schnee. Ausgegraben geben seine Bretter Holz."),
      "ru": ("Занесённые сани", "Старые сани под снегом. Откопанные, их доски дают дерево."),
      "pl": ("Zasypane sanie", "Stare sanie pod śniegiem. Odkopane, ich deski dają drewno.")}),
    (188, "north_frost_boulder", (32, 24), 'offs="40" time="40" ani="5" cost="1,0,0" snd="30" coll="2" '
     'scaleTime="250" scalePercent="5"', frost_boulder,
     {"en": ("Frozen boulder", "A boulder frozen to the ground. Breaking it costs some food."),
      "de": ("Vereister Felsbrocken", "Ein am Boden festgefrorener Brocken. Ihn zu brechen kostet etwas Nahrung."),
      "ru": ("Обледенелый валун", "Валун, примёрзший к земле. Разбить его стоит немного еды."),
      "pl": ("Oblodzony głaz", "Głaz przymarznięty do ziemi. Rozbicie go kosztuje trochę jedzenia.")}),
    (189, "north_ice_wall", (50, 36), 'offs="70" time="50" ani="0" work="1" cost="2,0,0" snd="30" coll="2" '
     'scaleTime="300" scalePercent="4"', ice_wall,
     {"en": ("Ice wall", "A wall of ice blocks. Only the stonemason can cut through it."),
      "de": ("Eiswand", "Eine Wand aus Eisblöcken. Nur der Steinmetz kann sie durchschlagen."),
      "ru": ("Ледяная стена", "Стена из ледяных глыб. Прорубить её может только каменотёс."),
      "pl": ("Lodowa ściana", "Ściana z bloków lodu. Tylko kamieniarz może ją przebić.")}),
    (190, "north_frozen_thicket", (50, 38), 'offs="60" time="45" ani="0" work="2" ret="1" income="0,3,0" snd="32" '
     'coll="1" scaleTime="300" scalePercent="3"', frozen_thicket,
     {"en": ("Frozen thicket", "Thorny brush frozen solid. Only the forester can clear it."),
      "de": ("Vereistes Dickicht", "Dorniges Gestrüpp, steif gefroren. Nur der Förster kann es räumen."),
      "ru": ("Мёрзлая чаща", "Колючие кусты, скованные льдом. Расчистить их может только лесник."),
      "pl": ("Zamarznięte zarośla", "Ciernie skute lodem. Tylko leśnik może je usunąć.")}),
]

# Work sounds: id, name, loop, frame, ksynth description
SOUNDS_NORTH = [
    (30, "north_work_ice", 2, 6, """# A pick on hard ice: a glassy ring and a spray of chips.
gain 0.7
instrument ring
  fm 5.1 1.6 0.05
  env 0.0005 0.18 0 0.1
end
instrument chips
  osc noise 1
  env 0.001 0.02 0 0.02
  filter highpass 3500
  gain 0.6
end
note ring 0 E7 0.04
seq chips 0.02 0.025 C4 C4@0.8 C4@0.6 . C4@0.4
"""),
    (31, "north_work_snow", 2, 3, """# A shovel bites into packed snow and throws it aside.
gain 0.7
instrument crunch
  osc noise 1
  env 0.005 0.09 0.2 0.06
  filter bandpass 900 1.5
  sweep -400 0.1
end
instrument thud
  osc sine 1
  pitch 5 0.03
  env 0.002 0.08 0 0.05
end
note crunch 0 C4 0.12
note thud 0.02 A2 0.05
note crunch 0.2 C4 0.06 0.5
"""),
    (32, "north_work_frozen_wood", 2, 5, """# An axe into frozen wood: a hard crack with a little ring.
gain 0.7
instrument crack
  osc noise 1
  env 0.0005 0.04 0 0.04
  filter bandpass 2200 2.5
end
instrument knock
  osc triangle 1
  pitch 9 0.015
  env 0.001 0.1 0 0.06
end
instrument frost
  fm 2.9 1 0.04
  env 0.001 0.1 0 0.08
  gain 0.25
end
note crack 0 C4 0.03
note knock 0 A2 0.05
note frost 0.01 B6 0.03
"""),
    (33, "north_work_gather", 0, 0, """# Hands brush snow off and gather: soft swishes and a crisp bite.
gain 0.6
instrument swish
  osc noise 1
  env 0.03 0.1 0 0.08
  filter bandpass 1800 1
  sweep 800 0.15
end
instrument bite
  osc noise 1
  env 0.001 0.02 0 0.02
  filter highpass 4000
  gain 0.5
end
note swish 0 C4 0.15
note swish 0.3 C4 0.15 0.7
seq bite 0.6 0.05 C4 C4@0.6 C4@0.4
"""),
]

PARTICLES = [("north_frost_gold", "north_frost_glint", 0, 10)]
# The frosted gold glints gold and ice-blue, and a flake or two drifts off it.
FROST_GLINT = """  <emitter name="glints" loop="1" duration="1">
    <layer name="glints" texture="star" blend="add" max="12" rate="0:4" life="0.5 0.9" area="ellipse 40 20" spin="-40 40" angle="0 45" size="0:2 0.5:16 1:2" sizevar="0.3" color="0:FFFFF8D0 0.5:FFFFD860 1:00FFB020"/>
    <layer name="ice" texture="spark" blend="add" max="8" rate="0:3" life="0.4 0.7" area="ellipse 36 18" size="0:2 0.5:10 1:2" sizevar="0.3" color="0:FFFFFFFF 0.5:FFB8E0FF 1:0080C0FF"/>
    <layer name="flakes" texture="flake" blend="alpha" max="6" rate="0:1.5" life="1.2 1.8" speed="6 16" direction="180" spread="60" area="ellipse 30 10" gravity="0 12" spin="-60 60" angle="0 360" size="0:5 1:4" color="0:00FFFFFF 0.2:E0FFFFFF 1:00E8F4FF"/>
  </emitter>
"""


write_block = LAND.write_block


def tables():
    LAND.tables(THINGS, SOUNDS_NORTH, PARTICLES, "north_frost_glint",
                "Frosted gold glinting gold and ice-blue, a flake drifting off it now and then (written by art/generated/land_north.py).",
                FROST_GLINT)


# ---------------------------------------------------------------- levels

dressed = LAND.dressed


# The meadow's workable things and what stands in their place in the north; where a list
# has two, they take turns in the level.
SWAP = {"20": [180], "24": [180], "23": [181], "35": [181], "21": [183, 182], "22": [184],
        "10": [186, 188, 185], "11": [187], "12": [188, 185], "14": [185, 188], "15": [187, 186], "17": [185],
        "13": [189], "36": [190]}
TURNS = {}
# Where a level needs other things than the turns give it (level: {meadow subclass: the north's
# ids for that level's objects of the kind, in turn}): the frozen log stands in for the buried
# sled in the reindeer camp and the frost boulder for the small wood in the way at the frozen
# lake, so that each stands in three levels; the northern lights keep their driftwood and young
# pines where the turns put them before the thickets and ice walls came to those two levels.
KEEP = {7: {"11": (186,)}, 8: {"21": (182, 183)}, 9: {"17": (188,)}}
BY_ID = {i: (tex, size) for i, tex, size, _, _, _ in THINGS}

# (level, template, transform, ground, what it is, new thing). The frozen thickets stand in three
# levels made from the woodland (5, 7, 10) and the ice walls in three made from the stony meadow
# (6, 9, 11), each laid out another way.
PLAN = [
    (1, 2, "y", "snowfield", "the snowfield: a farm for the winter and a warehouse",
     "the north's berries, dry branches, frozen trunks and frosted gold"),
    (2, 5, "y", "frozen_orchard", "the frozen lake: fish and cloudberries come back under the snow",
     "the fishing holes on the lake"),
    (3, 10, "x", "winter_fair", "the winter fair: find the three lost bells, then the fair gate opens",
     "the lost bells of the fair"),
    (5, 8, "y", "pine_hollow", "pine hollow: frozen thickets close the wood; the forester clears them",
     "the frozen thickets and the forester"),
    (6, 3, "y", "frosty_pass", "the frosty pass: walls of ice close the ways; the stonemason cuts through them",
     "the ice walls and the stonemason"),
    (7, 8, "xy", "reindeer_camp", "the reindeer camp: frozen thickets ring the herders' camp; the forester clears them",
     "nothing (the frozen thickets and the forester again)"),
    (8, 6, "x", "northern_lights", "northern lights: blizzard fog hides the east until the beacons burn",
     "fog and beacons"),
    (9, 3, "xy", "frozen_lake", "the frozen lake: walls of pack ice close the shore; the stonemason cuts through them",
     "nothing (the ice walls and the stonemason again)"),
    (10, 8, "x", "midwinter_feast", "the midwinter feast: the forester clears the frozen wood for the feast",
     "nothing"),
    (11, 3, "x", "crystal_cave", "the crystal cave: walls of ice before the last and largest harvest of the north",
     "nothing"),
]
# The goals grow through the episode: each level asks this share more than the template's
# (on top of the share later_levels.py adds for the episode).
GOAL_STEP = 0.04


def quiet_spot(root, piece):
    """The place on a grid over the level that lies farthest from every other object, where
    the puzzle piece hides without covering anything."""
    others = [ll.pos_of(o) for o in root.iter("object")
              if o is not piece and o.get("pos") and not o.get("tex", "").startswith("bg_")]
    best, spot = -1.0, (0.0, 0.0)
    for gx in range(-500, 501, 20):  # clear of the screen edges and the HUD
        for gy in range(-260, 261, 20):
            d = min((math.hypot(gx - x, gy - y) for x, y in others), default=1e9)
            if d > best:
                best, spot = d, (gx, gy)
    return f"{spot[0]},{spot[1]}"


def dress_level(level, new, note):
    file = os.path.join(ll.LEVELS, f"level_04_{level:02d}.xml")
    keep = {}
    if os.path.exists(file):  # the puzzle piece stays where the level had it
        for o in ET.parse(file).getroot().iter("object"):
            if o.get("subclass") == "900" or o.get("tex") == "puzzle_piece":
                keep["piece"] = o.get("pos")
    return file, keep


def write_level(level, template, how, name, note, new):
    file, keep = dress_level(level, new, note)
    ll.NEW[(4, level)] = new
    ll.transform_level(template, 4, level, how, name, note)
    tree = ET.parse(file)
    root = tree.getroot()
    root.set("music", "4")
    root.set("dialog", f"{4000 + level * 10},1,4,0,0,0,0")
    more = 1 + GOAL_STEP * (level - 1)
    root.set("quest_res", ",".join(str(int(math.ceil(int(v) * more))) for v in root.get("quest_res").split(",")))
    turn = TURNS  # the turns run on through the episode, so each of a pair shows in several levels
    nth = {}  # the level's objects of each kind so far
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
            k = turn.get(sub, 0)
            turn[sub] = k + 1
            n = nth.get(sub, 0)
            nth[sub] = n + 1
            kept = KEEP.get(level, {}).get(sub)
            ident = SWAP[sub][k % len(SWAP[sub])] if kept is None else kept[n % len(kept)]
            tex, (hw, hh) = BY_ID[ident]
            o.set("tex", tex)
            o.set("subclass", str(ident))
            o.set("size", f"{hw:.2f},{hh:.2f}")
            o.attrib.pop("sprite", None)
        elif o.get("tex") == "deco_flowers":  # no flowers bloom in the snow
            o.set("tex", "deco_rock")
        elif o.get("tex") and not o.get("tex").startswith(("bg_", "north_")) and o.get("tex") != "puzzle_piece":
            o.set("tex", dressed(o.get("tex")))
    body = ET.tostring(root, encoding="unicode")
    lines = [ln for ln in body.replace(" />", "/>").splitlines() if ln.strip()]
    with open(file, "w", encoding="utf-8") as fh:
        fh.write('<?xml version="1.0" encoding="utf-8"?>\n')
        fh.write(f"<!-- Episode 4, level {level}: {note}. Written by art/generated/land_north.py. -->\n")
        fh.write(f"<!-- new: {new} -->\n")
        fh.write("\n".join(lines) + "\n")
    fit_or_warn(file)
    ll.ground(4, level, template, how, name, ll.SNOW, note)


def bot(file, difficulty):
    """The bot's run of a level: its JSON result and the number of its clicks."""
    record = file + ".clicks"
    out = ll.subprocess.run([ll.KCONTENT, "level", "play", file, "--bot", "--difficulty", str(difficulty),
                             "--record", record], check=True, capture_output=True, text=True).stdout
    with open(record, encoding="utf-8") as fh:
        clicks = sum(1 for ln in fh if ln.strip())
    os.remove(record)
    return json.loads(out.strip().splitlines()[-1]), clicks


def set_attr(file, name, value):
    with open(file, encoding="utf-8") as fh:
        text = fh.read()
    text = re.sub(rf'(<level [^>]*\b{name}=")[^"]*"', rf'\g<1>{value}"', text, count=1)
    with open(file, "w", encoding="utf-8") as fh:
        fh.write(text)


def medal_times(level):
    """Sets the medal times from the expert bot's run (gold a little over its time, silver and
    easy as loose as the episode's place in the game allows) and returns the developers' score
    (the best bot score of the casual and the expert run, 8% over)."""
    file = os.path.join(ll.LEVELS, f"level_04_{level:02d}.xml")
    expert, _ = bot(file, 2)
    e = expert["game_ms"] / 1000
    r = 0.52 + 0.005 * ((4 - 1) * 11 + (level - 1))
    gold = math.ceil(e * 1.12)
    silver = math.ceil(e / r)
    set_attr(file, "time_hard", gold)
    set_attr(file, "time_norm", silver)
    set_attr(file, "time_easy", math.ceil(silver * 1.3))
    runs = [bot(file, d) for d in (1, 2)]
    for result, clicks in runs:
        print(f"level 4:{level}: won {result['won']}, {result['game_ms'] / 1000:.1f} s, "
              f"score {result['score']}, {clicks} clicks")
    return math.ceil(max(res["score"] for res, _ in runs) * 1.08)


# The chief's opening line of each level (dialog_4LL0) and, for a level that brings something
# new, the level message shown before it starts with its picture: (world pictures, where).
SPEECH = {
    1: {"en": "The north is white and still. Clear the drifts and trunks; the cloudberries and the frosted gold will carry us.",
        "de": "Der Norden ist weiß und still. Räumt die Wehen und Stämme; Moltebeeren und Frostgold bringen uns durch.",
        "ru": "Север бел и тих. Расчистите сугробы и стволы — морошка и золото во льду нас прокормят.",
        "pl": "Północ jest biała i cicha. Usuńcie zaspy i pnie; moroszka i złoto w lodzie nas wyżywią."},
    2: {"en": "Cut holes in the lake ice. The fish come back, and so do the berries.",
        "de": "Schlagt Löcher ins Eis des Sees. Die Fische kommen wieder, die Beeren auch.",
        "ru": "Прорубите лунки во льду озера. Рыба вернётся, и ягоды тоже.",
        "pl": "Wytnijcie przeręble w lodzie jeziora. Ryby wrócą, jagody też."},
    3: {"en": "The fair's bells are lost in the snow. Find all three and the gate opens.",
        "de": "Die Glocken des Marktes liegen im Schnee. Findet alle drei, dann öffnet sich das Tor.",
        "ru": "Колокола ярмарки потерялись в снегу. Найдите все три, и ворота откроются.",
        "pl": "Dzwony jarmarku zginęły w śniegu. Znajdźcie wszystkie trzy, a brama się otworzy."},
    6: {"en": "Walls of ice bar the frosty pass. Build the stonemason's lodge: only the mason cuts through them.",
        "de": "Eiswände versperren den frostigen Pass. Baut die Steinmetzhütte: nur der Steinmetz kommt durch.",
        "ru": "Ледяные стены преграждают морозный перевал. Постройте мастерскую каменотёса: только он их прорубит.",
        "pl": "Lodowe ściany zamykają mroźną przełęcz. Zbudujcie chatę kamieniarza: tylko on je przebije."},
    9: {"en": "The storms have piled the lake's ice into walls along the shore. Let the stonemason cut through them to the gold.",
        "de": "Die Stürme haben das Eis des Sees zu Wänden am Ufer aufgetürmt. Lasst den Steinmetz sich zum Gold durchschlagen.",
        "ru": "Бури нагромоздили лёд озера стенами вдоль берега. Пусть каменотёс прорубит путь к золоту.",
        "pl": "Burze spiętrzyły lód jeziora w ściany wzdłuż brzegu. Niech kamieniarz przebije się do złota."},
    8: {"en": "Under the northern lights a blizzard hides the east. Light the two beacons and the white fog will lift.",
        "de": "Unter dem Nordlicht verbirgt ein Schneesturm den Osten. Entzündet die zwei Leuchtfeuer, dann hebt sich der weiße Nebel.",
        "ru": "Под северным сиянием метель скрывает восток. Зажгите два сигнальных огня, и белая мгла рассеется.",
        "pl": "Pod zorzą polarną zamieć skrywa wschód. Zapalcie dwa ogniska sygnałowe, a biała mgła opadnie."},
    7: {"en": "Frozen thickets ring the reindeer camp and the herds cannot reach the moss. Let the forester clear the way.",
        "de": "Vereistes Dickicht umschließt das Rentierlager, und die Herden kommen nicht ans Moos. Lasst den Förster den Weg räumen.",
        "ru": "Мёрзлая чаща окружила стойбище, и олени не могут добраться до мха. Пусть лесник расчистит путь.",
        "pl": "Zamarznięte zarośla otoczyły obóz pasterzy i renifery nie mogą dotrzeć do mchu. Niech leśnik oczyści drogę."},
    5: {"en": "Frost has bound the thickets into ice. Build the forester's lodge: the forester clears them.",
        "de": "Der Frost hat das Dickicht zu Eis gebunden. Baut die Försterhütte: der Förster räumt es.",
        "ru": "Мороз сковал чащу льдом. Постройте сторожку лесника: лесник её расчистит.",
        "pl": "Mróz skuł zarośla lodem. Zbudujcie leśniczówkę: leśnik je usunie."},
    10: {"en": "Midwinter is near. Let the forester clear the frozen wood and fill the stores for the feast.",
         "de": "Mittwinter naht. Lasst den Förster den gefrorenen Wald räumen und füllt die Vorräte für das Fest.",
         "ru": "Близится середина зимы. Пусть лесник расчистит мёрзлый лес, а вы наполните запасы к празднику.",
         "pl": "Zbliża się środek zimy. Niech leśnik oczyści zamarznięty las, a wy napełnijcie zapasy na ucztę."},
    11: {"en": "The crystal cave glitters behind walls of ice. Cut through them: one last harvest, the largest of all, and the north is ours.",
         "de": "Hinter Wänden aus Eis glitzert die Kristallhöhle. Schlagt euch durch: eine letzte Ernte, die größte von allen, und der Norden ist unser.",
         "ru": "За ледяными стенами сверкает хрустальная пещера. Прорубитесь к ней: последний урожай, самый большой, и север наш.",
         "pl": "Za lodowymi ścianami lśni kryształowa jaskinia. Przebijcie się: ostatnie żniwa, największe ze wszystkich, i północ jest nasza."},
}
MESSAGES = {
    2: ({"en": "Under the lake ice the fish are waiting. A fishing hole gives food again and again.",
         "de": "Unter dem Eis des Sees warten die Fische. Ein Eisloch gibt immer wieder Nahrung.",
         "ru": "Подо льдом озера ждёт рыба. Прорубь снова и снова даёт еду.",
         "pl": "Pod lodem jeziora czekają ryby. Przerębel raz po raz daje jedzenie."},
        [("north_ice_hole", 130, 80, 1.4), ("north_cloudberry", 215, 110, 1.0)]),
    3: ({"en": "The winter fair cannot begin: its three bells are lost somewhere in the snow.",
         "de": "Der Wintermarkt kann nicht beginnen: seine drei Glocken liegen irgendwo im Schnee.",
         "ru": "Зимняя ярмарка не может начаться: три её колокола потерялись где-то в снегу.",
         "pl": "Zimowy jarmark nie może się zacząć: jego trzy dzwony zginęły gdzieś w śniegu."},
        [("lost_bell", 80, 100, 1.3), ("lost_bell", 130, 90, 1.3), ("lost_bell", 180, 100, 1.3)]),
    6: ({"en": "Walls of blue ice close the pass. Only the stonemason can cut through them.",
         "de": "Wände aus blauem Eis schließen den Pass. Nur der Steinmetz kann sie durchschlagen.",
         "ru": "Стены синего льда закрывают перевал. Прорубить их может только каменотёс.",
         "pl": "Ściany niebieskiego lodu zamykają przełęcz. Tylko kamieniarz może je przebić."},
        [("north_ice_wall", 150, 85, 1.3), ("stonemason_lodge", 70, 80, 0.5)]),
    8: ({"en": "A white blizzard hides half the land. Light the beacons and it lifts.",
         "de": "Ein weißer Schneesturm verbirgt das halbe Land. Entzündet die Leuchtfeuer, dann hebt er sich.",
         "ru": "Белая метель скрывает полземли. Зажгите сигнальные огни, и она рассеется.",
         "pl": "Biała zamieć skrywa pół krainy. Zapalcie ogniska sygnałowe, a opadnie."},
        [("fog_bank", 180, 85, 0.55), ("beacon_fire", 75, 80, 1.2)]),
    5: ({"en": "Frozen thickets close the pine hollow. The forester from the lodge clears them.",
         "de": "Vereistes Dickicht schließt die Kiefernsenke. Der Förster aus der Hütte räumt es.",
         "ru": "Мёрзлая чаща закрывает сосновую лощину. Лесник из сторожки расчистит её.",
         "pl": "Zamarznięte zarośla zamykają sosnową kotlinę. Leśnik z leśniczówki je usunie."},
        [("north_frozen_thicket", 160, 85, 1.2), ("forester_lodge", 70, 80, 0.5)]),
}




nested = LAND.nested


def message_picture(level, pictures):
    d = Doc(260, 150, f"Level message of the snowy north, level {level} (written by generated/land_north.py)")
    d.add(f'<rect width="260" height="150" fill="{d.linear("msgSky", [(0, "#6a8ab8"), (1, "#d8e6f4")])}"/>')
    for x, h in ((20, 40), (60, 55), (200, 50), (240, 38)):
        d.add(poly([(x - 22, 70), (x, 70 - h), (x + 22, 70)], "#9ab4cc", "#7a94b0", 1))
        d.add(poly([(x - 7, 70 - h + 14), (x, 70 - h), (x + 7, 70 - h + 14)], "#ffffff"))
    d.add(path("M0 70 C60 60 120 76 180 66 S240 64 260 68 V150 H0 Z", d.linear("msgSnow", SNOW), "#8aa0b8", 1.2))
    for k, (name, x, y, scale) in enumerate(pictures):
        d.add(nested(name, x, y, scale, k))
    d.add(f'<rect x="1" y="1" width="258" height="148" fill="none" stroke="{OUTLINE}" stroke-width="2"/>')
    d.save(os.path.join("atlases", "dialogs"), f"msg_04_{level:02d}")


def texts():
    LAND.texts(SPEECH, MESSAGES, message_picture)


def dev_records(scores):
    table = os.path.join(TABLES, "dev_records.xml")
    with open(table, encoding="utf-8") as fh:
        lines = fh.read().splitlines()
    keys = {400 + lvl: dev for lvl, dev in scores.items()}
    kept = [ln for ln in lines if not any(f'level="{k}"' in ln for k in keys)]
    with open(table, "w", encoding="utf-8") as fh:
        fh.write("\n".join(kept) + "\n")
    write_block(table, [f'<Record level="{k}" score="{v}"/>' for k, v in sorted(keys.items())], "</Records>")


fit_or_warn = LAND.fit_or_warn


def main():
    ll.fit_waypoints = fit_or_warn
    for _, _, _, _, paint, _ in THINGS:
        paint()
    tables()
    texts()
    for level, template, how, name, note, new in PLAN:
        write_level(level, template, how, name, note, new)
    if os.access(ll.KCONTENT, os.X_OK):
        dev_records({level: medal_times(level) for level, *_ in PLAN})


if __name__ == "__main__":
    main()
