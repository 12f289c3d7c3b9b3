#!/usr/bin/env python3
"""Writes the mini-game levels (mode 3) and their definitions:
content-src/game/content/levels/level_EE_LL.xml and content-src/game/content/tables/mini_games.xml.

Campaign levels: level 11 of episode 1 (the bonus level) and level 4 of episodes 2 to 5,
together using all eight kinds of phase. Test levels: episode 8, level k + 1 holds one small
phase of kind k alone (they are not on the map; kview level:8:1 shows the first).

The hero is worker type 5: its base is the waypoint of subclass 6, and its sheets are
anim_params' Worker rows of type 5.
    python3 content-src/art/generated/minigame_levels.py
"""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
GAME = os.path.join(HERE, "..", "..", "game", "content")
HERO_TYPE = 5
HERO_BASE = (0, -250)


class Level:
    def __init__(self):
        self.objects = []
        self.next_id = 10

    def add(self, **a):
        ident = a.pop("id", None) or self.new_id()
        attrs = [f'id="{ident}"']
        for key in ("tex", "cls", "subclass", "flags", "pos", "size", "rot", "links", "obj_link",
                    "respawn", "tex_speed", "sprite", "animtime"):
            if key in a and a[key] is not None:
                name = "class" if key == "cls" else key
                attrs.append(f'{name}="{a[key]}"')
        self.objects.append("  <object " + " ".join(attrs) + "/>")
        return ident

    def new_id(self):
        self.next_id += 1
        return self.next_id


def pos(p):
    return f"{p[0]},{p[1]}"


def hero_base(lv):
    return lv.add(cls=3, subclass=HERO_TYPE + 1, pos=pos(HERO_BASE), size="18,14")


def attackers(lv, length=6):
    for p in ((-420, 120), (0, 220), (420, 120)):
        bandit = lv.new_id()
        lv.add(cls=3, subclass=13, pos=pos(p), size="34,40", obj_link=bandit, respawn="14,10")
        lv.add(id=bandit, tex="mg_bandit", cls=0, flags="i", pos=pos(p), size="24,28",
               sprite="2,1,300,0,2,0")
    return (f'<Phase type="0" length="{length}" message="mg_goal_attackers" sound="mg_bonk" '
            f'effect="mg_stars" sound2="mg_growl" effect2="mg_dust"/>')


def targets(lv, spots, length=6):
    for i, p in enumerate(spots):
        gopher = lv.new_id()
        lv.add(cls=3, subclass=0, pos=pos(p), size="30,28", obj_link=gopher, respawn="8,20",
               tex_speed=f"{4 + 5 * i},20")
        lv.add(id=gopher, tex="mg_gopher", cls=0, flags="i", pos=pos(p), size="24,22")
    return (f'<Phase type="1" length="{length}" speed="14" message="mg_goal_targets" '
            f'sound="mg_bonk" effect="mg_stars" sound2="mg_pop" effect2="mg_dust"/>')


def enemies(lv, base, length=5):
    for start, mid in (((-560, 120), (-300, -120)), ((560, 120), (300, -120)),
                       ((0, 300), (-120, 60))):
        m = lv.add(cls=3, pos=pos(mid), size="10,10", links=f"{base},0,0")
        wolf = lv.new_id()
        lv.add(cls=3, subclass=1, pos=pos(start), size="12,12", links=f"{m},0,0", obj_link=wolf,
               respawn="25,20", tex_speed="10,20")
        lv.add(id=wolf, tex="mg_wolf", cls=0, flags="i", pos=pos(start), size="28,20",
               sprite="2,1,200,0,2,0")
    return (f'<Phase type="2" length="{length}" speed="6" message="mg_goal_enemies" '
            f'sound="mg_bonk" effect="mg_stars" sound2="mg_growl" effect2="mg_dust"/>')


def crates(lv, base, spots, length=4):
    # A waypoint keeps three links back to it: the fourth spot hangs on the first.
    first = None
    for i, p in enumerate(spots):
        crate = lv.new_id()
        spot = lv.add(cls=3, subclass=9, pos=pos(p), size="26,28",
                      links=f"{base if i < 3 else first},0,0", obj_link=crate)
        first = first or spot
        lv.add(id=crate, tex="mg_crate", cls=1, subclass=80, pos=pos((p[0], p[1] + 12)),
               size="20,20")
    return f'<Phase type="3" length="{length}" message="mg_goal_crates"/>'


def eagles(lv, base, length=3):
    # The eagles' target (base list 3) stands before the hero; three ways out, two waypoints
    # each, so that the eagle can be hit between the first and the second.
    target = lv.add(cls=3, subclass=4, pos="0,-150", size="10,10")
    firsts = []
    for a, b in (((-330, 250), (-300, 40)), ((0, 170), (60, -20)), ((330, 250), (300, 40))):
        second = lv.add(cls=3, pos=pos(b), size="10,10", links=f"{target},0,0")
        firsts.append(lv.add(cls=3, pos=pos(a), size="10,10",
                             links=f"{second},0,0"))
    nest, perch, eagle, bolt = (lv.new_id() for _ in range(4))
    lv.add(cls=3, subclass=13, pos="0,300", size="12,12", links=",".join(map(str, firsts)),
           obj_link=nest)
    lv.add(id=nest, tex="mg_nest", cls=0, pos="0,300", size="24,22", obj_link=perch)
    lv.add(id=perch, tex="mg_perch", cls=0, flags="i", pos="0,300", size="24,22", obj_link=eagle)
    lv.add(id=eagle, tex="mg_eagle", cls=0, flags="i", pos="0,300", size="32,20", obj_link=bolt,
           sprite="2,1,150,0,2,0")
    lv.add(id=bolt, tex="mg_lightning", cls=0, flags="i", pos="0,300", size="14,60")
    return (f'<Phase type="4" length="{length}" speed="22" message="mg_goal_eagles" '
            f'sound="mg_bonk" effect="mg_stars"/>')


def fetch(lv, base, length=3):
    for n, (tex, kind, p) in enumerate((("mg_jug", 81, (-320, -60)), ("mg_lamp", 82, (0, 60)),
                                        ("mg_scroll", 83, (320, -60))), start=1):
        thing = lv.new_id()
        lv.add(cls=3, subclass=9, pos=pos(p), size="24,26", links=f"{base},0,0",
               obj_link=thing)
        lv.add(id=thing, tex=tex, cls=1, subclass=kind, pos=pos((p[0], p[1] + 10)), size="18,18",
               respawn=f"{n},0")
    return (f'<Phase type="5" length="{length}" speed="3" message="mg_goal_fetch" '
            f'sound2="mg_cue"/>')


def bells(lv, spots, length=5):
    for n, p in enumerate(spots, start=1):
        bell = lv.new_id()
        lv.add(cls=3, subclass=3, pos=pos(p), size="24,28", obj_link=bell)
        lv.add(id=bell, tex="mg_bell", cls=0, pos=pos(p), size="20,24", respawn=f"{n},0",
               sprite="2,1,200,0,2,0", animtime="-1,0,0")
    return (f'<Phase type="6" length="{length}" speed="{len(spots)}" message="mg_goal_bells" '
            f'sound="mg_ding" effect="mg_stars" sound2="mg_wrong" effect2="mg_dust"/>')


# The pipe grid: 4 x 3 tiles; the way runs right, down, down, right, right out of cell 11.
GRID_ROUTE = {0: ("s", 0), 1: ("c", 0), 5: ("s", 1), 9: ("c", 2), 10: ("s", 0), 11: ("s", 0)}


def grid(lv, seed, origin=(-96, 64)):
    rng = random.Random(seed)
    ids = []
    ball = lv.new_id()
    for cell in range(12):
        r, c = divmod(cell, 4)
        kind, need = GRID_ROUTE.get(cell, (rng.choice("sc"), rng.randrange(4)))
        turn = need if cell == 0 else (need + 1 + rng.randrange(3)) % 4
        tex = "mg_pipe1" if kind == "s" else "mg_pipe_c"
        ids.append(lv.add(tex=tex, cls=8, pos=pos((origin[0] + 64 * c, origin[1] - 64 * r)),
                          size="32,32", rot=str(turn * 90), obj_link=ball if cell == 0 else None))
    lv.add(id=ball, tex="mg_ball", cls=0, pos=pos((origin[0] - 32, origin[1])), size="10,10")
    params = "4,3," + ",".join(map(str, ids))
    return (f'<Phase type="7" length="{len(GRID_ROUTE)}" speed="7" message="mg_goal_pipes" '
            f'params="{params}"/>')


def write_level(episode, number, ground, title, build, health=6, times=(300, 200, 120)):
    lv = Level()
    lv.add(id=1, tex=ground, cls=0, pos="0,0", size="640.00,384.00")
    base = hero_base(lv)
    phases = build(lv, base)
    text = (f'<?xml version="1.0" encoding="utf-8"?>\n'
            f'<!-- Episode {episode}, level {number}: {title} Written by '
            f'art/generated/minigame_levels.py. -->\n'
            + (f'<!-- new: mini-game: {title.rstrip(".")} -->\n' if episode <= 5 else '') +
            f'<level episode="{episode}" level="{number}" mode="3" music="{episode if episode <= 5 else 1}" '
            f'time_easy="{times[0]}" time_norm="{times[1]}" time_hard="{times[2]}" '
            f'run_speed="25" state="0">\n' + "\n".join(lv.objects) + "\n</level>\n")
    path = os.path.join(GAME, "levels", f"level_{episode:02d}_{number:02d}.xml")
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)
    return (f'  <MiniGame episode="{episode}" level="{number}" health="{health}" '
            f'hero="{HERO_TYPE}">\n    ' + "\n    ".join(phases) + "\n  </MiniGame>")


RING = [(-450, -40), (-300, 150), (300, 150), (450, -40), (0, 230)]
BELLS = [(-360, 60), (-120, 140), (120, 140), (360, 60)]


def main():
    games = []
    games.append(write_level(1, 11, "bg_e1_meadow", "the hero's holiday: gophers, then the pipes.",
                             lambda lv, b: [targets(lv, RING, 6), grid(lv, 111)]))
    games.append(write_level(2, 4, "bg_e2_dunes", "bandits at the gates, then wolves.",
                             lambda lv, b: [attackers(lv, 8), enemies(lv, b, 5)]))
    games.append(write_level(3, 4, "bg_e3_copper_wood", "crates to break, then the eagle.",
                             lambda lv, b: [crates(lv, b, [(-420, -200), (-200, -120), (200, -120),
                                                            (420, -200)]), eagles(lv, b, 3)]))
    games.append(write_level(4, 4, "bg_e4_snowfield", "errands for the village, then the bells.",
                             lambda lv, b: [fetch(lv, b, 4), bells(lv, BELLS, 5)]))
    games.append(write_level(5, 4, "bg_e5_caravan_fair", "the bells, the bandits and the pipes.",
                             lambda lv, b: [bells(lv, BELLS, 4), attackers(lv, 6), grid(lv, 541)]))
    tests = [
        ("attackers at three gates", lambda lv, b: [attackers(lv, 4)]),
        ("gophers popping up", lambda lv, b: [targets(lv, RING[:3], 4)]),
        ("wolves walking to the hero", lambda lv, b: [enemies(lv, b, 3)]),
        ("crates to break", lambda lv, b: [crates(lv, b, [(-300, -150), (300, -150)], 2)]),
        ("the eagle", lambda lv, b: [eagles(lv, b, 2)]),
        ("fetching what the picture shows", lambda lv, b: [fetch(lv, b, 2)]),
        ("the shaking bells", lambda lv, b: [bells(lv, BELLS[:2], 3)]),
        ("the pipes", lambda lv, b: [grid(lv, 97)]),
    ]
    for k, (title, build) in enumerate(tests):
        games.append(write_level(8, k + 1, "bg_e1_meadow", f"test level of phase kind {k}: {title}.",
                                 build, health=5))
    with open(os.path.join(GAME, "tables", "mini_games.xml"), "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="utf-8"?>\n'
                  '<!-- The mini-game levels: their hero (worker type 5, base: subclass 6), the\n'
                  '     hits it can take and the phases in order. Episode 8 holds one test level\n'
                  '     per phase kind. Written by art/generated/minigame_levels.py. -->\n'
                  '<MiniGames>\n' + "\n".join(games) + "\n</MiniGames>\n")


if __name__ == "__main__":
    main()
