#!/usr/bin/env python3
"""Writes the speakers of the level dialogs (atlases/characters/*.svg): for each, a standing
figure ("<name>_figure", shown at the screen's bottom edge) and a head ("<name>_head", shown
in the message circle). Figures face right; the game mirrors them for the right side.
    python3 content-src/art/generated/characters.py
"""
from artlib import OUTLINE, Doc, circle, ellipse, f, path, poly

FOLDER = "atlases/characters"


class Person:
    def __init__(self, name, skin, shirt, shirt_dark, trousers, hair, hat, beard=None,
                 apron=None, coat=None, prop=None):
        self.name, self.skin, self.shirt, self.shirt_dark = name, skin, shirt, shirt_dark
        self.trousers, self.hair, self.hat, self.beard = trousers, hair, hat, beard
        self.apron, self.coat, self.prop = apron, coat, prop


CHIEF = Person("chief", "#f2c8a0", "#e8e0c8", "#b8ac90", "#6a4a30", "#e8e8e8", "cap",
               beard="#f4f4f4", coat=("#4a8a3a", "#2e6024"), prop="staff")
WORKER = Person("worker", "#f2c59a", "#5a9ad8", "#3a6aa0", "#8a5a30", "#7a4a22", "straw")
MASON = Person("mason", "#e8b888", "#b0a090", "#7a6a5a", "#5e5a54", "#4a3a2a", "band",
               beard="#4a3a2a", apron="#8a5a30", prop="mallet")


def head(d, p, cx, cy, r):
    """The head of a person, centred at (cx, cy) with radius r, looking slightly right."""
    out = []
    skin = d.radial(f"skin_{p.name}", [(0, "#fff0e0"), (0.6, p.skin), (1, "#c88a5a")],
                    cx - r * 0.3, cy - r * 0.35, r * 1.3, user=True)
    if p.hat == "band" or p.hat == "straw":
        out.append(path(f"M{f(cx - r * 0.95)} {f(cy)} C{f(cx - r)} {f(cy - r * 1.2)} {f(cx + r)} {f(cy - r * 1.2)} "
                        f"{f(cx + r * 0.95)} {f(cy)} Z", p.hair, OUTLINE, r * 0.05))
    # Ears
    out.append(ellipse(cx - r * 0.92, cy + r * 0.1, r * 0.18, r * 0.26, p.skin, OUTLINE, r * 0.045))
    out.append(ellipse(cx + r * 0.92, cy + r * 0.1, r * 0.18, r * 0.26, p.skin, OUTLINE, r * 0.045))
    out.append(circle(cx, cy, r, skin, OUTLINE, r * 0.06))
    if p.beard:
        out.append(path(f"M{f(cx - r * 0.9)} {f(cy + r * 0.05)} C{f(cx - r * 0.9)} {f(cy + r * 1.25)} "
                        f"{f(cx + r * 0.95)} {f(cy + r * 1.25)} {f(cx + r * 0.9)} {f(cy + r * 0.05)} "
                        f"C{f(cx + r * 0.6)} {f(cy + r * 0.5)} {f(cx - r * 0.5)} {f(cy + r * 0.5)} Z",
                        p.beard, OUTLINE, r * 0.05))
    # Eyes looking right
    for ex in (cx - r * 0.28, cx + r * 0.38):
        out.append(ellipse(ex, cy - r * 0.05, r * 0.16, r * 0.21, "#ffffff", OUTLINE, r * 0.035))
        out.append(circle(ex + r * 0.05, cy - r * 0.02, r * 0.1, "#3a2a1a"))
        out.append(circle(ex + r * 0.09, cy - r * 0.07, r * 0.035, "#ffffff"))
    brow = p.hair if p.hair != "#e8e8e8" else "#c8c8c8"
    out.append(path(f"M{f(cx - r * 0.45)} {f(cy - r * 0.35)} q{f(r * 0.17)} {f(-r * 0.1)} {f(r * 0.33)} 0 "
                    f"M{f(cx + r * 0.22)} {f(cy - r * 0.35)} q{f(r * 0.17)} {f(-r * 0.1)} {f(r * 0.33)} 0",
                    stroke=brow, width=r * 0.09))
    out.append(path(f"M{f(cx + r * 0.08)} {f(cy + r * 0.08)} q{f(r * 0.14)} {f(r * 0.16)} {f(-r * 0.02)} {f(r * 0.22)}",
                    stroke="#b07050", width=r * 0.06))
    out.append(ellipse(cx - r * 0.5, cy + r * 0.3, r * 0.16, r * 0.1, "#ff8a8a", extra=' opacity="0.45"'))
    out.append(ellipse(cx + r * 0.62, cy + r * 0.3, r * 0.14, r * 0.1, "#ff8a8a", extra=' opacity="0.45"'))
    if p.beard:
        out.append(path(f"M{f(cx - r * 0.35)} {f(cy + r * 0.42)} q{f(r * 0.38)} {f(-r * 0.22)} {f(r * 0.8)} 0",
                        p.beard, OUTLINE, r * 0.05))
        out.append(path(f"M{f(cx - r * 0.05)} {f(cy + r * 0.55)} q{f(r * 0.15)} {f(r * 0.12)} {f(r * 0.3)} 0",
                        stroke="#8a3a2a", width=r * 0.06))
    else:
        out.append(path(f"M{f(cx - r * 0.18)} {f(cy + r * 0.45)} q{f(r * 0.28)} {f(r * 0.25)} {f(r * 0.56)} 0",
                        stroke="#8a3a2a", width=r * 0.07))
    if p.hat == "straw":
        out.append(ellipse(cx, cy - r * 0.7, r * 1.55, r * 0.42, "#f0c850", OUTLINE, r * 0.05))
        out.append(path(f"M{f(cx - r * 0.8)} {f(cy - r * 0.72)} C{f(cx - r * 0.75)} {f(cy - r * 1.6)} "
                        f"{f(cx + r * 0.75)} {f(cy - r * 1.6)} {f(cx + r * 0.8)} {f(cy - r * 0.72)} Z",
                        "#f6d872", OUTLINE, r * 0.05))
        out.append(path(f"M{f(cx - r * 0.8)} {f(cy - r * 0.82)} C{f(cx - r * 0.3)} {f(cy - r * 0.7)} "
                        f"{f(cx + r * 0.3)} {f(cy - r * 0.7)} {f(cx + r * 0.8)} {f(cy - r * 0.82)}",
                        stroke="#c84a30", width=r * 0.12))
    elif p.hat == "cap":
        out.append(path(f"M{f(cx - r * 0.95)} {f(cy - r * 0.35)} C{f(cx - r * 0.9)} {f(cy - r * 1.5)} "
                        f"{f(cx + r * 0.9)} {f(cy - r * 1.5)} {f(cx + r * 0.95)} {f(cy - r * 0.35)} Z",
                        "#6a4a8a", OUTLINE, r * 0.05))
        out.append(path(f"M{f(cx - r)} {f(cy - r * 0.4)} h{f(r * 2)}", stroke="#e0b030", width=r * 0.18))
        out.append(path(f"M{f(cx + r * 0.3)} {f(cy - r * 1.1)} q{f(r * 0.5)} {f(-r * 0.5)} {f(r * 0.9)} {f(-r * 0.4)}",
                        stroke="#e04a3a", width=r * 0.12))
    elif p.hat == "band":
        out.append(path(f"M{f(cx - r * 0.98)} {f(cy - r * 0.42)} C{f(cx - r * 0.4)} {f(cy - r * 0.6)} "
                        f"{f(cx + r * 0.4)} {f(cy - r * 0.6)} {f(cx + r * 0.98)} {f(cy - r * 0.42)}",
                        stroke="#c84a30", width=r * 0.2))
        out.append(path(f"M{f(cx - r * 0.98)} {f(cy - r * 0.42)} l{f(-r * 0.3)} {f(r * 0.2)} m{f(r * 0.3)} {f(-r * 0.2)} "
                        f"l{f(-r * 0.25)} {f(r * 0.4)}", stroke="#c84a30", width=r * 0.12))
    return "".join(out)


def limb(x1, y1, x2, y2, colour, w):
    return (path(f"M{f(x1)} {f(y1)} L{f(x2)} {f(y2)}", stroke=OUTLINE, width=w + 4) +
            path(f"M{f(x1)} {f(y1)} L{f(x2)} {f(y2)}", stroke=colour, width=w))


def figure(p):
    d = Doc(260, 400, f"The {p.name} in the level dialogs: the whole figure, facing right.")
    cx = 130
    out = []
    shadow = d.radial("floor", [(0, "#1e1408", 0.35), (1, "#1e1408", 0)], 0.5, 0.5, 0.5)
    out.append(ellipse(cx, 388, 80, 12, shadow))
    # Staff behind the body
    if p.prop == "staff":
        out.append(limb(200, 60, 190, 392, "#a06a36", 9))
        out.append(circle(200, 58, 12, "#7a4a22", OUTLINE, 2.5))
    # Legs and shoes
    out.append(f'<rect x="{cx - 40}" y="270" width="34" height="110" rx="14" fill="{p.trousers}" stroke="{OUTLINE}" stroke-width="4"/>')
    out.append(f'<rect x="{cx + 6}" y="270" width="34" height="110" rx="14" fill="{p.trousers}" stroke="{OUTLINE}" stroke-width="4"/>')
    out.append(ellipse(cx - 22, 384, 24, 12, "#5a3418", OUTLINE, 3.5))
    out.append(ellipse(cx + 30, 384, 26, 12, "#5a3418", OUTLINE, 3.5))
    # Body
    shirt = d.linear(f"shirt_{p.name}", [(0, p.shirt), (1, p.shirt_dark)], 0, 0, 1, 0)
    out.append(path(f"M{cx - 58} 300 C{cx - 64} 240 {cx - 60} 180 {cx - 40} 164 L{cx + 40} 164 "
                    f"C{cx + 60} 180 {cx + 64} 240 {cx + 58} 300 Z", shirt, OUTLINE, 4))
    if p.coat:
        coat = d.linear(f"coat_{p.name}", [(0, p.coat[0]), (1, p.coat[1])], 0, 0, 1, 0)
        out.append(path(f"M{cx - 60} 310 C{cx - 66} 240 {cx - 62} 180 {cx - 40} 164 L{cx - 10} 164 "
                        f"L{cx - 14} 310 Z", coat, OUTLINE, 4))
        out.append(path(f"M{cx + 60} 310 C{cx + 66} 240 {cx + 62} 180 {cx + 40} 164 L{cx + 14} 164 "
                        f"L{cx + 18} 310 Z", coat, OUTLINE, 4))
        for y in (200, 235, 270):
            out.append(circle(cx - 18, y, 4, "#f5c02a", OUTLINE, 1.5))
    if p.apron:
        out.append(path(f"M{cx - 36} 210 L{cx + 36} 210 L{cx + 44} 318 L{cx - 44} 318 Z", p.apron, OUTLINE, 4))
        out.append(path(f"M{cx - 36} 210 L{cx - 30} 166 M{cx + 36} 210 L{cx + 30} 166", stroke=OUTLINE, width=4))
        out.append(f'<rect x="{cx - 16}" y="240" width="32" height="26" rx="4" fill="none" stroke="#5a3418" stroke-width="3"/>')
    out.append(path(f"M{cx - 56} 282 H{cx + 56}", stroke="#5a3418", width=10))
    out.append(f'<rect x="{cx - 9}" y="276" width="18" height="13" rx="2" fill="#f5c02a" stroke="{OUTLINE}" stroke-width="2"/>')
    # Arms: left hangs, right gestures (raised)
    sleeve = p.coat[1] if p.coat else p.shirt_dark
    out.append(limb(cx - 50, 182, cx - 70, 280, sleeve, 24))
    out.append(circle(cx - 70, 288, 15, p.skin, OUTLINE, 3.5))
    if p.prop == "mallet":
        out.append(limb(cx + 50, 182, cx + 86, 132, p.shirt, 24))
        out.append(limb(cx + 92, 124, cx + 40, 40, "#a06a36", 9))
        out.append(poly([(cx + 10, 50), (cx + 60, 14), (cx + 80, 40), (cx + 30, 76)], "#8a5428", OUTLINE, 4))
        out.append(circle(cx + 90, 124, 15, p.skin, OUTLINE, 3.5))
    elif p.prop == "staff":
        out.append(limb(cx + 50, 182, cx + 66, 250, sleeve, 24))
        out.append(circle(cx + 62, 256, 15, p.skin, OUTLINE, 3.5))
    else:
        out.append(limb(cx + 50, 182, cx + 92, 120, p.shirt, 24))
        out.append(circle(cx + 96, 110, 16, p.skin, OUTLINE, 3.5))
        out.append(path(f"M{cx + 84} 98 l-4 -14 M{cx + 94} 94 l0 -16 M{cx + 104} 96 l4 -14", stroke=OUTLINE, width=3))
    d.add("".join(out))
    d.add(head(d, p, cx, 112, 62))
    d.save(FOLDER, f"{p.name}_figure")


def head_only(p):
    d = Doc(96, 96, f"The {p.name}'s head for the message circle.")
    d.add(head(d, p, 48, 54, 30))
    d.save(FOLDER, f"{p.name}_head")


def main():
    for p in (CHIEF, WORKER, MASON):
        figure(p)
        head_only(p)


if __name__ == "__main__":
    main()
