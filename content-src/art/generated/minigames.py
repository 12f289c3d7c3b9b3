#!/usr/bin/env python3
"""Writes the pictures of the mini-game levels (world/*.svg): the hero's sheets, attackers
with their attack sheets, pop-up targets, walking wolves, the eagle with its nest, perch and
lightning, the bells that ring when cued, objects the hero fetches, crates it breaks, and the
pipe tiles (straight and corner, each with its "_fill" overlay) with the rolling ball.
    python3 content-src/art/generated/minigames.py
"""
import math
import os

from artlib import OUTLINE, Doc, circle, contact_shadow, ellipse, f, path, poly
from workers import SWING_OVERHEAD, Style, sheet, walk, work_swing

HERO = Style("#c8402a", "#8a2a1a", "#4a3a5a", hat="band", scale=1.05, belt="#d8a830",
             hair="#3a2418")


def frames(name, fw, fh, count, draw, title):
    """A strip of count frames, each drawn by draw(doc, i, x0)."""
    d = Doc(fw * count, fh, title)
    for i in range(count):
        draw(d, i, i * fw)
    d.save("world", name)


def bandit(d, i, x0, attack=False):
    """A masked bandit with a club; attack frames raise and bring the club down."""
    cx, base = x0 + 24, 52
    d.add(contact_shadow(d, cx, base, 14, 3.5))
    bob = 1.5 * math.sin(i * math.pi) if not attack else 0
    top = base - 44 - bob
    body = d.linear("band_cloak", [(0, "#6a5a78"), (1, "#3a2e48")])
    d.add(path(f"M{f(cx - 11)},{f(base - 2)} L{f(cx - 8)},{f(top + 16)} Q{f(cx)},{f(top + 10)} "
               f"{f(cx + 8)},{f(top + 16)} L{f(cx + 11)},{f(base - 2)} Z", body, OUTLINE, 1.4))
    d.add(circle(cx, top + 9, 8, "#e8b890", OUTLINE, 1.3))
    d.add(path(f"M{f(cx - 8)},{f(top + 8)} L{f(cx + 8)},{f(top + 8)} L{f(cx + 8)},{f(top + 11)} "
               f"L{f(cx - 8)},{f(top + 11)} Z", "#2a2228"))
    d.add(circle(cx - 3, top + 9.5, 1.1, "#fff"), circle(cx + 3, top + 9.5, 1.1, "#fff"))
    d.add(path(f"M{f(cx - 9)},{f(top + 4)} Q{f(cx)},{f(top - 4)} {f(cx + 9)},{f(top + 4)} Z",
               "#8a2a1a", OUTLINE, 1.2))
    angle = [-40, -95, -150, 20][i] if attack else -40 + 6 * bob
    a = math.radians(angle)
    hx, hy = cx + 9, top + 22
    ex, ey = hx + 20 * math.cos(a), hy + 20 * math.sin(a)
    d.add(path(f"M{f(hx)},{f(hy)} L{f(ex)},{f(ey)}", stroke="#5a3418", width=4.5))
    d.add(circle(ex, ey, 4.5, "#7a4a22", OUTLINE, 1.2))
    if attack and i == 3:
        for k in range(5):
            b = math.radians(k * 72 + 10)
            d.add(path(f"M{f(ex + 6 * math.cos(b))},{f(ey + 6 * math.sin(b))} "
                       f"L{f(ex + 11 * math.cos(b))},{f(ey + 11 * math.sin(b))}",
                       stroke="#ffd84a", width=2))


def gopher(d, _i, x0):
    cx, base = x0 + 24, 40
    d.add(ellipse(cx, base - 3, 18, 6, "#4a3018", OUTLINE, 1.2))
    fur = d.radial("gopher_fur", [(0, "#d8a060"), (1, "#8a5a28")])
    d.add(path(f"M{f(cx - 11)},{f(base - 3)} Q{f(cx - 13)},{f(base - 30)} {f(cx)},{f(base - 32)} "
               f"Q{f(cx + 13)},{f(base - 30)} {f(cx + 11)},{f(base - 3)} Z", fur, OUTLINE, 1.4))
    d.add(circle(cx - 9, base - 29, 3.5, "#b07840", OUTLINE, 1), circle(cx + 9, base - 29, 3.5, "#b07840", OUTLINE, 1))
    d.add(circle(cx - 4, base - 22, 2, "#1a1208"), circle(cx + 4, base - 22, 2, "#1a1208"))
    d.add(ellipse(cx, base - 17, 3, 2, "#5a2a1a"))
    d.add(path(f"M{f(cx - 2)},{f(base - 15)} L{f(cx - 2)},{f(base - 12)} L{f(cx + 2)},{f(base - 12)} "
               f"L{f(cx + 2)},{f(base - 15)}", "#fff", OUTLINE, 0.8))


def wolf(d, i, x0):
    cx, base = x0 + 28, 36
    d.add(contact_shadow(d, cx, base, 20, 3))
    fur = d.linear("wolf_fur", [(0, "#9a9aa8"), (1, "#5a5a68")])
    step = 4 if i == 0 else -4
    for lx, s in ((cx - 12, step), (cx - 6, -step), (cx + 8, -step), (cx + 14, step)):
        d.add(path(f"M{f(lx)},{f(base - 12)} L{f(lx + s)},{f(base - 1)}", stroke="#4a4a58", width=3.5))
    d.add(ellipse(cx, base - 16, 17, 8, fur, OUTLINE, 1.4))
    d.add(path(f"M{f(cx - 16)},{f(base - 18)} Q{f(cx - 26)},{f(base - 22)} {f(cx - 27)},{f(base - 12)}",
               stroke="#6a6a78", width=4))
    d.add(path(f"M{f(cx + 12)},{f(base - 20)} L{f(cx + 20)},{f(base - 30)} L{f(cx + 23)},{f(base - 24)} "
               f"L{f(cx + 29)},{f(base - 19)} L{f(cx + 22)},{f(base - 14)} Z", fur, OUTLINE, 1.3))
    d.add(circle(cx + 21, base - 23, 1.3, "#ffd84a"))


def eagle(d, i, x0):
    cx, cy = x0 + 32, 22
    up = -10 if i == 0 else 8
    wing = d.linear("eagle_wing", [(0, "#8a5a30"), (1, "#4a2a14")])
    for s in (-1, 1):
        d.add(path(f"M{f(cx)},{f(cy)} Q{f(cx + s * 16)},{f(cy + up - 6)} {f(cx + s * 30)},{f(cy + up)} "
                   f"Q{f(cx + s * 16)},{f(cy + 4)} {f(cx)},{f(cy + 4)} Z", wing, OUTLINE, 1.2))
    d.add(ellipse(cx, cy + 2, 6, 10, "#6a4020", OUTLINE, 1.2))
    d.add(circle(cx, cy - 8, 5, "#f4f0e8", OUTLINE, 1.2))
    d.add(poly([(cx - 2, cy - 6), (cx + 2, cy - 6), (cx, cy - 1)], "#f0b020", OUTLINE, 0.8))


def nest(d, x0, with_eagle):
    cx, base = x0 + 24, 42
    if with_eagle:
        d.add(ellipse(cx, base - 20, 9, 12, "#6a4020", OUTLINE, 1.2))
        d.add(circle(cx, base - 32, 6, "#f4f0e8", OUTLINE, 1.2))
        d.add(poly([(cx + 4, base - 33), (cx + 10, base - 31), (cx + 4, base - 29)], "#f0b020", OUTLINE, 0.8))
        d.add(circle(cx + 1, base - 33, 1.1, "#1a1208"))
    twigs = d.linear("nest_twigs", [(0, "#b08a50"), (1, "#6a4a22")])
    d.add(ellipse(cx, base - 8, 22, 8, twigs, OUTLINE, 1.4))
    for k in range(6):
        x = cx - 18 + k * 7
        d.add(path(f"M{f(x)},{f(base - 12)} L{f(x + 8)},{f(base - 4)}", stroke="#5a3a18", width=1.2))


def lightning(d, _i, x0):
    pts = [(x0 + 14, 0), (x0 + 6, 44), (x0 + 14, 44), (x0 + 4, 90), (x0 + 12, 90), (x0 + 8, 120),
           (x0 + 22, 78), (x0 + 14, 78), (x0 + 22, 36), (x0 + 14, 36), (x0 + 20, 0)]
    glow = d.linear("bolt", [(0, "#fffbd0"), (1, "#ffd84a")])
    d.add(poly(pts, glow, "#c89a10", 1.4))


def bell(d, i, x0):
    cx, top = x0 + 20, 6
    d.add(path(f"M{f(cx - 14)},{f(top)} L{f(cx + 14)},{f(top)}", stroke="#5a3418", width=4))
    swing = [-12, 12][i]
    metal = d.linear("bell_metal", [(0, "#ffe48a"), (0.6, "#d8a830"), (1, "#8a6a10")], 0, 0, 1, 0)
    d.add(f'<g transform="rotate({swing} {f(cx)} {f(top + 2)})">' +
          path(f"M{f(cx - 4)},{f(top + 6)} Q{f(cx - 11)},{f(top + 10)} {f(cx - 12)},{f(top + 30)} "
               f"L{f(cx + 12)},{f(top + 30)} Q{f(cx + 11)},{f(top + 10)} {f(cx + 4)},{f(top + 6)} Z",
               metal, OUTLINE, 1.4) + circle(cx, top + 33, 3.5, "#8a6a10", OUTLINE, 1) + "</g>")


def jug(d, _i, x0):
    cx, base = x0 + 18, 34
    clay = d.radial("jug_clay", [(0, "#f0a070"), (1, "#a04a20")])
    d.add(path(f"M{f(cx - 5)},{f(base - 30)} L{f(cx + 5)},{f(base - 30)} L{f(cx + 4)},{f(base - 24)} "
               f"Q{f(cx + 13)},{f(base - 18)} {f(cx + 10)},{f(base - 4)} L{f(cx - 10)},{f(base - 4)} "
               f"Q{f(cx - 13)},{f(base - 18)} {f(cx - 4)},{f(base - 24)} Z", clay, OUTLINE, 1.4))
    d.add(path(f"M{f(cx + 4)},{f(base - 26)} Q{f(cx + 14)},{f(base - 26)} {f(cx + 9)},{f(base - 15)}",
               stroke=OUTLINE, width=1.6))


def lamp(d, _i, x0):
    cx, base = x0 + 18, 32
    brass = d.linear("lamp_brass", [(0, "#ffe48a"), (1, "#a07810")])
    d.add(path(f"M{f(cx - 13)},{f(base - 8)} Q{f(cx)},{f(base - 20)} {f(cx + 10)},{f(base - 10)} "
               f"L{f(cx + 16)},{f(base - 14)} L{f(cx + 12)},{f(base - 6)} Q{f(cx)},{f(base)} "
               f"{f(cx - 13)},{f(base - 8)} Z", brass, OUTLINE, 1.4))
    d.add(ellipse(cx + 16, base - 17, 2, 4, "#ff8a20"))


def scroll(d, _i, x0):
    cx, base = x0 + 18, 32
    paper = d.linear("scroll_paper", [(0, "#fff4d8"), (1, "#d8c090")])
    d.add(path(f"M{f(cx - 12)},{f(base - 24)} L{f(cx + 12)},{f(base - 24)} L{f(cx + 12)},{f(base - 6)} "
               f"L{f(cx - 12)},{f(base - 6)} Z", paper, OUTLINE, 1.3))
    for y in (base - 24, base - 6):
        d.add(ellipse(cx - 12, y, 3, 3, "#a0522d", OUTLINE, 1), ellipse(cx + 12, y, 3, 3, "#a0522d", OUTLINE, 1))
    d.add(circle(cx, base - 15, 4, "#c8402a", OUTLINE, 1))


def crate(d, _i, x0):
    cx, base = x0 + 20, 38
    d.add(contact_shadow(d, cx, base - 2, 17, 3))
    wood = d.linear("crate_wood", [(0, "#e8c08a"), (1, "#9a6a38")])
    d.add(path(f"M{f(cx - 16)},{f(base - 30)} L{f(cx + 16)},{f(base - 30)} L{f(cx + 16)},{f(base - 3)} "
               f"L{f(cx - 16)},{f(base - 3)} Z", wood, OUTLINE, 1.5))
    d.add(path(f"M{f(cx - 16)},{f(base - 30)} L{f(cx + 16)},{f(base - 3)} M{f(cx + 16)},{f(base - 30)} "
               f"L{f(cx - 16)},{f(base - 3)}", stroke="#8a5a28", width=2))


def pipe_tile(name, corner, fill):
    """A 64 x 64 tile: a stone slab with a channel; straight left-right, or a corner from the
    left edge to the bottom edge. The fill overlay is the water in the channel alone."""
    d = Doc(64, 64, f"Pipe tile {name}.")
    if not fill:
        slab = d.linear("slab", [(0, "#c8c0a8"), (1, "#8a8270")])
        d.add(path("M2,2 L62,2 L62,62 L2,62 Z", slab, OUTLINE, 2))
        d.add(path("M6,6 L58,6", stroke="#e8e2d0", width=1.5))
    colour = "#4aa8e8" if fill else "#5a5244"
    width = 14 if fill else 20
    if corner:
        channel = "M0,32 Q32,32 32,64"
    else:
        channel = "M0,32 L64,32"
    if not fill:
        d.add(path(channel, stroke=OUTLINE, width=width + 4))
    d.add(path(channel, stroke=colour, width=width))
    if fill:
        d.add(path(channel, stroke="#bfe6ff", width=3, extra=' opacity="0.8"'))
    d.save("world", name)


def ball(d, _i, x0):
    shine = d.radial("ball_shine", [(0, "#ffffff"), (0.3, "#ffd84a"), (1, "#c87a10")])
    d.add(circle(x0 + 10, 10, 8.5, shine, OUTLINE, 1.4))


# The words of the fetching hint in each language: what the hero is asked, and each thing's
# name as the sentence needs it.
HINT_WORDS = {
    "en": ("Bring me", {"jug": "the jug", "lamp": "the lamp", "scroll": "the scroll"}),
    "de": ("Bring mir", {"jug": "den Krug", "lamp": "die Lampe", "scroll": "die Schriftrolle"}),
    "ru": ("Принеси", {"jug": "кувшин", "lamp": "лампу", "scroll": "свиток"}),
    "pl": ("Przynieś", {"jug": "dzbanek", "lamp": "lampę", "scroll": "zwój"}),
}
HINT_THINGS = {"jug": jug, "lamp": lamp, "scroll": scroll}


def hint_card(lang, thing):
    """The card the fetching hint shows (mg_hint_THING, 120 x 110, per language): the words
    above and below the thing drawn twice its size on a parchment card."""
    ask, names = HINT_WORDS[lang]
    d = Doc(120, 110, f"Fetching hint ({lang}): {ask} {names[thing]}")
    paper = d.linear("hint_paper", [(0, "#fffaf0"), (1, "#f0dcae")])
    d.add(f'<rect x="2" y="2" width="116" height="106" rx="10" fill="{paper}" stroke="{OUTLINE}" '
          f'stroke-width="2"/>')
    font = 'font-family="DejaVu Sans" font-weight="bold" text-anchor="middle"'
    d.add(f'<text x="60" y="20" {font} font-size="13" fill="{OUTLINE}">{ask}</text>')
    d.add('<g transform="translate(24,20) scale(2)">')
    HINT_THINGS[thing](d, 0, 0)
    d.add("</g>")
    size = 13 if len(names[thing]) <= 12 else 11
    d.add(f'<text x="60" y="101" {font} font-size="{size}" fill="#7a2a10">{names[thing]}</text>')
    d.save(os.path.join("locale", lang), f"mg_hint_{thing}")


def main():
    W = "world"
    sheet((W, "hero_walk"), HERO, 40, 48, walk, title="The hero of the mini-games walking.")
    sheet((W, "hero_stand"), HERO, 40, 48, lambda i: walk(0), title="The hero standing.")
    sheet((W, "hero_ready"), HERO, 44, 50, lambda i: work_swing(0, "mallet", SWING_OVERHEAD),
          title="The hero ready, club raised.")
    sheet((W, "hero_strike"), HERO, 44, 50, lambda i: work_swing(i, "mallet", SWING_OVERHEAD),
          title="The hero striking with the club.")
    sheet((W, "hero_work"), HERO, 44, 50, lambda i: work_swing(i, "axe", SWING_OVERHEAD),
          title="The hero breaking a crate.")
    frames("mg_bandit", 48, 56, 2, bandit, "Bandit at an exit, two frames of waiting.")
    frames("mg_bandit_a", 48, 56, 4, lambda d, i, x: bandit(d, i, x, True),
           "Bandit attacking: the club comes down on the last frame.")
    frames("mg_gopher", 48, 44, 1, gopher, "A gopher popping out of its hole.")
    frames("mg_wolf", 56, 40, 2, wolf, "A wolf trotting, two frames.")
    frames("mg_eagle", 64, 40, 2, eagle, "The eagle flying, two frames.")
    frames("mg_nest", 48, 44, 1, lambda d, i, x: nest(d, x, False), "The empty nest.")
    frames("mg_perch", 48, 44, 1, lambda d, i, x: nest(d, x, True), "The eagle in its nest.")
    frames("mg_lightning", 28, 120, 1, lightning, "The eagle's lightning.")
    frames("mg_bell", 40, 48, 2, bell, "A bell swinging, two frames.")
    frames("mg_jug", 36, 36, 1, jug, "A clay jug to fetch.")
    frames("mg_lamp", 36, 36, 1, lamp, "An oil lamp to fetch.")
    frames("mg_scroll", 36, 36, 1, scroll, "A scroll to fetch.")
    frames("mg_crate", 40, 40, 1, crate, "A crate the hero breaks.")
    frames("mg_ball", 20, 20, 1, ball, "The ball rolling through the pipes.")
    pipe_tile("mg_pipe1", False, False)
    pipe_tile("mg_pipe1_fill", False, True)
    pipe_tile("mg_pipe_c", True, False)
    pipe_tile("mg_pipe_c_fill", True, True)
    for lang in HINT_WORDS:
        for thing in HINT_THINGS:
            hint_card(lang, thing)


if __name__ == "__main__":
    main()
