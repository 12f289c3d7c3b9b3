#!/usr/bin/env python3
"""Writes the animation sheets of the workers (world/*.svg, textures of their own):
walking, carrying, cheering and working, for the ordinary workers, the stonemason, the
forester and the thief.

Each figure is a small jointed puppet posed in 3-D and projected the way the level is seen
(from the front and a little above), so that one description of a movement gives all eight
facing directions. Sheets hold the directions in rows in the game's order: 0 towards the
viewer, 1 down-right, 2 right, 3 up-right, 4 away, 5 up-left, 6 left, 7 down-left; each row
holds the eight frames of the movement. Cheering sheets hold eight frames towards the viewer.
    python3 content-src/art/generated/workers.py
"""
import math

from artlib import OUTLINE, Doc, f

TILT = math.radians(28)  # how far the camera looks down


class Style:
    def __init__(self, shirt, shirt_dark, trousers, skin="#f2c59a", hat="straw", scale=1.0,
                 shoes="#5a3418", belt="#5a3418", apron=None, hair="#7a4a22"):
        self.shirt, self.shirt_dark, self.trousers = shirt, shirt_dark, trousers
        self.skin, self.hat, self.scale, self.shoes = skin, hat, scale, shoes
        self.belt, self.apron, self.hair = belt, apron, hair


WORKER = Style("#5a9ad8", "#3a6aa0", "#8a5a30")
MASON = Style("#b0a090", "#7a6a5a", "#5e5a54", hat="band", scale=1.08, apron="#8a5a30",
              hair="#4a3a2a")
FORESTER = Style("#5aa040", "#3a7028", "#6a4a28", hat="feather", scale=1.0)
THIEF = Style("#5a4a6a", "#3a2e46", "#3a3440", skin="#e8b890", hat="hood", scale=0.95,
              shoes="#2a2228", belt="#2a2228", hair="#2a2228")


def project(p):
    """World (x right, y up, z towards the viewer) to screen offsets (x right, y down) and depth."""
    x, y, z = p
    return (x, -y * math.cos(TILT) + z * math.sin(TILT), z * math.cos(TILT) + y * math.sin(TILT))


class Frame:
    """One drawn frame: parts with a depth, painted from far to near."""

    def __init__(self, facing):
        a = math.radians(facing * 45)
        self.fwd = (math.sin(a), 0.0, math.cos(a))
        self.right = (-math.cos(a), 0.0, math.sin(a))
        self.parts = []

    def world(self, lf, lr, lu):
        F, R = self.fwd, self.right
        return (lf * F[0] + lr * R[0], lu, lf * F[2] + lr * R[2])

    def add(self, depth, svg):
        self.parts.append((depth, len(self.parts), svg))

    def svg(self):
        return "".join(s for _, _, s in sorted(self.parts))


def limb(points, colour, width):
    d = "M" + " L".join(f"{f(x)} {f(y)}" for x, y in points)
    return (f'<path d="{d}" fill="none" stroke="{OUTLINE}" stroke-width="{f(width + 1.4)}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>'
            f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{f(width)}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')


def dot(x, y, r, colour):
    return f'<circle cx="{f(x)}" cy="{f(y)}" r="{f(r)}" fill="{colour}" stroke="{OUTLINE}" stroke-width="0.8"/>'


def hull(points):
    pts = sorted(set((round(x, 3), round(y, 3)) for x, y in points))
    if len(pts) < 3:
        return pts

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])
    lower, upper = [], []
    for p in pts:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def shape(points, fill, width=1.2):
    d = "M" + " L".join(f"{f(x)} {f(y)}" for x, y in points) + " Z"
    return (f'<path d="{d}" fill="{fill}" stroke="{OUTLINE}" stroke-width="{f(width)}" '
            f'stroke-linejoin="round"/>')


class Pose:
    """A posture in the figure's own frame (forward, right, up), in pixels."""

    def __init__(self):
        self.hip = 12.5          # hip height
        self.lean = 0.0          # upper body bent forward, degrees
        self.feet = [(0.0, 0.0), (0.0, 0.0)]  # left, right foot: (forward, lift)
        self.stance = 2.6        # feet apart sideways
        self.arms = [(10.0, 20.0), (10.0, 20.0)]  # left, right: (shoulder angle, elbow bend)
        self.hands_in = [0.0, 0.0]  # hands pulled towards the middle (two-handed grips)
        self.tool = None         # ("hammer" | "axe" | "pick" | "shovel" | "mallet", hand)
        self.tool_angle = None   # tool direction in the forward-up plane, degrees from down
        self.carry = None        # "sack" | "logs" | "loot"
        self.basket = False
        self.head_tilt = 0.0


def draw_figure(style, facing, pose, cx, base):
    fr = Frame(facing)
    s = style.scale

    def P(lf, lr, lu):
        w = fr.world(lf * s, lr * s, lu * s)
        x, y, z = project(w)
        return (cx + x, base + y, z)

    lean = math.radians(pose.lean)

    def upper(lf, lr, lu):
        """A point of the upper body, given relative to the hip, bent by the lean."""
        return (lf * math.cos(lean) + lu * math.sin(lean), lr,
                pose.hip + lu * math.cos(lean) - lf * math.sin(lean))

    # Legs
    for side, sign in ((0, -1), (1, 1)):
        ff, lift = pose.feet[side]
        hip = (0.0, sign * 2.6, pose.hip)
        foot = (ff, sign * pose.stance, lift)
        knee = ((hip[0] + foot[0]) / 2 + 1.6 + (12.5 - pose.hip) * 0.6, sign * 2.7,
                (hip[2] + foot[2]) / 2)
        pts = [P(*hip), P(*knee), P(*foot)]
        depth = sum(p[2] for p in pts) / 3
        svg = limb([p[:2] for p in pts], style.trousers, 3.4 * s)
        toe = P(foot[0] + 1.5, foot[1], foot[2] + 0.6)
        svg += limb([pts[2][:2], toe[:2]], style.shoes, 2.8 * s)
        fr.add(depth - 0.5, svg)

    # Body: the hull of a box from the hips to the shoulders
    corners = []
    for lu, half, depth_half in ((0, 3.8, 2.9), (10.5, 5.2, 3.1)):
        for lr in (-half, half):
            for lf in (-depth_half, depth_half):
                corners.append(P(*upper(lf, lr, lu)))
    body_depth = sum(c[2] for c in corners) / len(corners)
    body = shape(hull([c[:2] for c in corners]), style.shirt)
    # Belt and shading line
    b1, b2 = P(*upper(2.3, -3.8, 2.2)), P(*upper(2.3, 3.8, 2.2))
    front = fr.fwd[2] > -0.3
    if front:
        body += limb([b1[:2], b2[:2]], style.belt, 1.2)
    if style.apron and fr.fwd[2] > -0.2:
        a = [P(*upper(2.5, -3, 8.5)), P(*upper(2.5, 3, 8.5)), P(*upper(3.5, 3.4, -5)),
             P(*upper(3.5, -3.4, -5))]
        body += shape([p[:2] for p in a], style.apron, 1)
    fr.add(body_depth, body)

    # Carried load on the back or shoulder
    if pose.carry:
        c = P(*upper(-1.2, 5.6, 12.2)) if pose.carry != "logs" else P(*upper(0, 0, 15.5))
        if pose.carry == "logs":
            svg = ""
            for k, off in enumerate((-1.5, 1.5)):
                a = P(*upper(-1 + off, -7, 14.5 + k * 2))
                b = P(*upper(-1 + off, 7, 14.5 + k * 2))
                svg += limb([a[:2], b[:2]], "#a06a36", 3.6)
            fr.add(c[2] + 1.5, svg)
        else:
            colour = "#d8c08a" if pose.carry == "sack" else "#8a6ab0"
            svg = (f'<ellipse cx="{f(c[0])}" cy="{f(c[1])}" rx="{f(5.5 * s)}" ry="{f(5 * s)}" '
                   f'fill="{colour}" stroke="{OUTLINE}" stroke-width="1.1"/>')
            if pose.carry == "loot":
                svg += dot(c[0] + 1, c[1] - 3, 1.6, "#f5c02a")
            fr.add(c[2] + 0.5, svg)

    # Arms
    hands = []
    for side, sign in ((0, -1), (1, 1)):
        angle, bend = pose.arms[side]
        a = math.radians(angle)
        sh = (0.0, sign * 5.0, 10.0)
        inward = pose.hands_in[side]
        e_angle = a - math.radians(bend) * 0.5
        elbow = (sh[0] + 5.2 * math.sin(e_angle), sign * (5.2 - inward * 0.4),
                 sh[2] - 5.2 * math.cos(e_angle))
        hand = (elbow[0] + 5.0 * math.sin(a + math.radians(bend) * 0.5),
                sign * (5.2 - inward),
                elbow[2] - 5.0 * math.cos(a + math.radians(bend) * 0.5))
        pts = [P(*upper(*sh)), P(*upper(*elbow)), P(*upper(*hand))]
        depth = (pts[0][2] + pts[1][2] + pts[2][2]) / 3 + 0.3
        svg = limb([p[:2] for p in pts], style.shirt_dark if depth < body_depth else style.shirt, 2.6 * s)
        svg += dot(pts[2][0], pts[2][1], 1.5 * s, style.skin)
        hands.append((pts[2], upper(*hand), depth))
        fr.add(depth, svg)

    # Tool in a hand, pointing along tool_angle
    if pose.tool:
        kind, side = pose.tool
        grip_screen, grip_local, depth = hands[side]
        t = math.radians(pose.tool_angle)
        length = {"hammer": 8, "axe": 11, "pick": 12, "shovel": 7, "mallet": 9}[kind]
        back = {"hammer": 1, "axe": 3, "pick": 3, "shovel": 6, "mallet": 1}[kind]
        lf, lr, lu = grip_local
        dirv = (math.sin(t), 0.0, -math.cos(t))
        start = P(lf - dirv[0] * back, lr * 0.3, lu - dirv[2] * back)
        end = P(lf + dirv[0] * length, lr * 0.3, lu + dirv[2] * length)
        svg = limb([start[:2], end[:2]], "#c08850", 1.6)
        ex, ey = end[0] - start[0], end[1] - start[1]
        n = math.hypot(ex, ey) or 1
        ux, uy = ex / n, ey / n          # along the handle (screen)
        px, py = -uy, ux                 # across it
        X, Y = end[0], end[1]
        if kind in ("hammer", "mallet"):
            w = 3.2 if kind == "hammer" else 4.2
            h = 2.0 if kind == "hammer" else 3.0
            head = [(X + px * w + ux * h, Y + py * w + uy * h), (X - px * w + ux * h, Y - py * w + uy * h),
                    (X - px * w - ux * h * 0.4, Y - py * w - uy * h * 0.4),
                    (X + px * w - ux * h * 0.4, Y + py * w - uy * h * 0.4)]
            svg += shape(head, "#8a949e" if kind == "hammer" else "#a06a36", 1)
        elif kind == "axe":
            head = [(X - ux * 3, Y - uy * 3), (X - ux * 3 + px * 4.5, Y - uy * 3 + py * 4.5),
                    (X + ux * 1 + px * 5.5, Y + uy * 1 + py * 5.5), (X + ux * 0.5, Y + uy * 0.5)]
            svg += shape(head, "#c8d0d8", 1)
        elif kind == "pick":
            head = [(X - px * 6 - ux * 1.5, Y - py * 6 - uy * 1.5), (X + px * 6 - ux * 1.5, Y + py * 6 - uy * 1.5)]
            mid = (X + ux * 1.2, Y + uy * 1.2)
            svg += (f'<path d="M{f(head[0][0])} {f(head[0][1])} Q{f(mid[0])} {f(mid[1])} '
                    f'{f(head[1][0])} {f(head[1][1])}" fill="none" stroke="{OUTLINE}" stroke-width="3" '
                    f'stroke-linecap="round"/><path d="M{f(head[0][0])} {f(head[0][1])} Q{f(mid[0])} '
                    f'{f(mid[1])} {f(head[1][0])} {f(head[1][1])}" fill="none" stroke="#9aa4b0" '
                    f'stroke-width="1.6" stroke-linecap="round"/>')
        elif kind == "shovel":
            blade = [(X - px * 2.6, Y - py * 2.6), (X + px * 2.6, Y + py * 2.6),
                     (X + px * 2.2 + ux * 5, Y + py * 2.2 + uy * 5), (X + ux * 6.5, Y + uy * 6.5),
                     (X - px * 2.2 + ux * 5, Y - py * 2.2 + uy * 5)]
            svg += shape(blade, "#9aa4b0", 1)
        fr.add(depth + 0.2, svg)

    if pose.basket:
        b = P(3.5, 6.5, 2.2)
        svg = (f'<path d="M{f(b[0] - 4)} {f(b[1] - 2)} L{f(b[0] + 4)} {f(b[1] - 2)} L{f(b[0] + 3)} '
               f'{f(b[1] + 3)} L{f(b[0] - 3)} {f(b[1] + 3)} Z" fill="#d8a458" stroke="{OUTLINE}" '
               f'stroke-width="1"/>' + dot(b[0] - 1.5, b[1] - 2.5, 1.3, "#d8262a") +
               dot(b[0] + 1.2, b[1] - 2.8, 1.3, "#d8262a"))
        fr.add(b[2], svg)

    # Head
    hc = P(*upper(0.3, 0, 15.8))
    r = 5.3 * s
    head = dot(hc[0], hc[1], r, style.skin)
    fz, fx = fr.fwd[2], fr.fwd[0]
    if style.hat == "hood":
        head = dot(hc[0], hc[1], r + 0.6, style.shirt_dark)
        if fz > -0.3:
            head += (f'<ellipse cx="{f(hc[0] + fx * 1.8)}" cy="{f(hc[1] + 0.6)}" rx="{f(3.2 - abs(fx) * 1.2)}" '
                     f'ry="3" fill="{style.skin}" stroke="{OUTLINE}" stroke-width="0.7"/>')
            head += (f'<rect x="{f(hc[0] + fx * 1.8 - 3)}" y="{f(hc[1] - 0.8)}" width="6" height="1.8" '
                     f'fill="#1a1420"/>')
    else:
        if fz < 0.2:  # back of the head: hair
            head += (f'<path d="M{f(hc[0] - r * 0.9)} {f(hc[1])} A{f(r)} {f(r)} 0 0 1 {f(hc[0] + r * 0.9)} '
                     f'{f(hc[1])} Q{f(hc[0])} {f(hc[1] + r * (0.9 - fz))} {f(hc[0] - r * 0.9)} {f(hc[1])} Z" '
                     f'fill="{style.hair}"/>')
        if fz > -0.3:  # face
            ex = hc[0] + fx * 2.2
            ey = hc[1] + 0.6
            sep = 1.7 * (1 - abs(fx) * 0.5)
            head += dot(ex - sep, ey, 0.55, OUTLINE) if abs(fx) < 0.9 else ""
            head += dot(ex + sep, ey, 0.55, OUTLINE)
            head += (f'<path d="M{f(ex - 1.2)} {f(ey + 2)} q1.2 1 2.4 0" fill="none" stroke="{OUTLINE}" '
                     f'stroke-width="0.7" stroke-linecap="round"/>')
        if style.hat == "straw":
            brim = hc[1] - r * 0.72
            head += (f'<ellipse cx="{f(hc[0])}" cy="{f(brim)}" rx="{f(r * 1.45)}" ry="{f(r * 0.55)}" '
                     f'fill="#f0c850" stroke="{OUTLINE}" stroke-width="0.9"/>'
                     f'<path d="M{f(hc[0] - r * 0.75)} {f(brim)} Q{f(hc[0] - r * 0.7)} {f(brim - r * 0.8)} '
                     f'{f(hc[0])} {f(brim - r * 0.8)} Q{f(hc[0] + r * 0.7)} {f(brim - r * 0.8)} '
                     f'{f(hc[0] + r * 0.75)} {f(brim)} Z" fill="#f6d872" stroke="{OUTLINE}" '
                     f'stroke-width="0.9"/><path d="M{f(hc[0] - r * 0.75)} {f(brim - 0.6)} '
                     f'h{f(r * 1.5)}" stroke="#c84a30" stroke-width="1"/>')
        elif style.hat == "feather":
            brim = hc[1] - r * 0.5
            head += (f'<path d="M{f(hc[0] - r * 1.2)} {f(brim)} Q{f(hc[0])} {f(brim - r * 1.8)} '
                     f'{f(hc[0] + r * 1.2)} {f(brim)} Z" fill="#3a7028" stroke="{OUTLINE}" '
                     f'stroke-width="0.9"/>'
                     f'<path d="M{f(hc[0] + r * 0.3)} {f(brim - r * 0.6)} q{f(r * 1.2)} {f(-r * 0.6)} '
                     f'{f(r * 1.6)} {f(-r * 1.4)}" stroke="#d8262a" stroke-width="1.3" fill="none" '
                     f'stroke-linecap="round"/>')
        elif style.hat == "band":
            head += (f'<path d="M{f(hc[0] - r * 0.95)} {f(hc[1] - r * 0.35)} A{f(r)} {f(r)} 0 0 1 '
                     f'{f(hc[0] + r * 0.95)} {f(hc[1] - r * 0.35)}" fill="{style.hair}" stroke="{OUTLINE}" '
                     f'stroke-width="0.8"/><path d="M{f(hc[0] - r * 0.98)} {f(hc[1] - r * 0.3)} '
                     f'h{f(r * 1.96)}" stroke="#c84a30" stroke-width="1.4"/>')
    fr.add(hc[2] + 5, head)
    return fr.svg()


# --- movements: each returns the pose of frame i (0..7)

def walk(i, carry=None, sneak=False):
    p = Pose()
    a = 2 * math.pi * i / 8
    stride = 4.2 if not sneak else 3.4
    p.feet = [(stride * math.sin(a), 1.8 * max(0.0, math.cos(a))),
              (-stride * math.sin(a), 1.8 * max(0.0, -math.cos(a)))]
    p.hip = 12.5 + 0.7 * abs(math.cos(a)) - (1.5 if sneak else 0)
    p.lean = 6 if not sneak else 16
    swing = 30 * math.sin(a)
    p.arms = [(12 - swing, 20), (12 + swing, 20)]
    if carry == "sack" or carry == "loot":
        p.arms = [(12 - swing, 20), (165, 95)]
        p.lean = 10
    elif carry == "logs":
        p.arms = [(165, 40), (165, 40)]
    p.carry = carry
    return p


def cheer(i):
    p = Pose()
    a = 2 * math.pi * i / 8
    jump = 3.5 * max(0.0, math.sin(a))
    p.hip = 12.5 + jump
    p.feet = [(0, jump), (0, jump)]
    p.stance = 3.2
    wave = 20 * math.sin(2 * a)
    p.arms = [(165 + wave, 10), (165 - wave, 10)]
    return p


# Work swings: (shoulder angle, tool angle) per frame, raise slowly, strike fast.
SWING_OVERHEAD = [(95, 120), (125, 160), (150, 195), (170, 215), (165, 210), (110, 140), (60, 85), (75, 100)]
SWING_HAMMER = [(60, 80), (90, 120), (125, 165), (150, 200), (140, 185), (85, 110), (45, 60), (55, 75)]


def work_swing(i, tool, table, lean=10, two_hands=True):
    p = Pose()
    arm, tool_angle = table[i]
    p.lean = lean + (8 if arm < 80 else 0)
    p.feet = [(2.5, 0), (-1.5, 0)]
    p.stance = 3.0
    if two_hands:
        p.arms = [(arm - 6, 30), (arm, 30)]
        p.hands_in = [3.5, 3.5]
    else:
        p.arms = [(25, 30), (arm, 30)]
    p.tool = (tool, 1)
    p.tool_angle = tool_angle
    return p


def dig(i):
    p = Pose()
    push = [0, 0.3, 0.7, 1, 1, 0.8, 0.4, 0.1][i]
    p.lean = 18 + 10 * push
    p.hip = 12.5 - 1.5 * push
    p.feet = [(3, 0), (-2, 0.8 * push)]
    p.arms = [(55 - 15 * push, 40), (75 - 20 * push, 30)]
    p.hands_in = [3, 3]
    p.tool = ("shovel", 1)
    p.tool_angle = 25 - 15 * push
    return p


def gather(i):
    p = Pose()
    a = 2 * math.pi * i / 8
    p.hip = 9.5
    p.lean = 42
    p.feet = [(3.5, 0), (-2.5, 0)]
    p.stance = 3.4
    p.arms = [(45 + 25 * math.sin(a), 15), (45 - 25 * math.sin(a), 15)]
    p.basket = True
    return p


def sheet(name, style, fw, fh, movement, directions=8, title=""):
    columns = 8 if directions == 8 else 4
    rows = 8 if directions == 8 else 2
    d = Doc(fw * columns, fh * rows, title)
    d.define("cell", f'<clipPath id="cell"><rect x="0" y="0" width="{fw}" height="{fh}"/></clipPath>')
    shadow = d.radial("ground", [(0, "#1e1408", 0.45), (1, "#1e1408", 0)], 0.5, 0.5, 0.5)
    for r in range(rows):
        for c in range(columns):
            if directions == 8:
                facing, i = r, c
            else:
                facing, i = 0, r * columns + c
            body = draw_figure(style, facing, movement(i), fw / 2, fh - 5)
            d.add(f'<g transform="translate({c * fw} {r * fh})"><g clip-path="url(#cell)">'
                  f'<ellipse cx="{f(fw / 2)}" cy="{f(fh - 5)}" rx="{f(fw * 0.28)}" ry="3" fill="{shadow}"/>'
                  f'{body}</g></g>')
    d.save(name[0], name[1])


def strip(name, style, fw, fh, movement, facing, zoom, title=""):
    """One row of the eight frames of a movement in one direction, drawn zoom times larger."""
    d = Doc(fw * zoom * 8, fh * zoom, title)
    d.define("cell", f'<clipPath id="cell"><rect x="0" y="0" width="{fw}" height="{fh}"/></clipPath>')
    shadow = d.radial("ground", [(0, "#1e1408", 0.45), (1, "#1e1408", 0)], 0.5, 0.5, 0.5)
    for c in range(8):
        body = draw_figure(style, facing, movement(c), fw / 2, fh - 5)
        d.add(f'<g transform="translate({c * fw * zoom} 0) scale({zoom})"><g clip-path="url(#cell)">'
              f'<ellipse cx="{f(fw / 2)}" cy="{f(fh - 5)}" rx="{f(fw * 0.28)}" ry="3" fill="{shadow}"/>'
              f'{body}</g></g>')
    d.save(name[0], name[1])


def main():
    strip(("atlases/interface", "loading_runner"), WORKER, 36, 44, lambda i: walk(i, "sack"), 2, 2,
          title="Runner of the loading screen: a worker hurrying right with a sack, eight frames.")
    W = "world"
    sheet((W, "worker_walk"), WORKER, 36, 44, walk, title="Worker walking, eight directions.")
    sheet((W, "worker_carry"), WORKER, 36, 44, lambda i: walk(i, "sack"),
          title="Worker carrying a sack home.")
    sheet((W, "worker_cheer"), WORKER, 36, 44, cheer, directions=1, title="Worker cheering.")
    sheet((W, "worker_build"), WORKER, 40, 46,
          lambda i: work_swing(i, "hammer", SWING_HAMMER, two_hands=False),
          title="Worker building with a hammer.")
    sheet((W, "worker_chop"), WORKER, 40, 46, lambda i: work_swing(i, "axe", SWING_OVERHEAD),
          title="Worker chopping with an axe.")
    W2 = "world"
    sheet((W2, "worker_gather"), WORKER, 38, 44, gather, title="Worker gathering into a basket.")
    sheet((W2, "worker_dig"), WORKER, 40, 46, dig, title="Worker digging with a shovel.")
    sheet((W2, "worker_mine"), WORKER, 40, 46, lambda i: work_swing(i, "pick", SWING_OVERHEAD),
          title="Worker breaking stone with a pickaxe.")
    S = "world"
    sheet((S, "mason_walk"), MASON, 40, 48, walk, title="Stonemason walking.")
    sheet((S, "mason_cheer"), MASON, 40, 48, cheer, directions=1, title="Stonemason cheering.")
    sheet((S, "mason_work"), MASON, 44, 50, lambda i: work_swing(i, "mallet", SWING_OVERHEAD),
          title="Stonemason breaking rock with a big mallet.")
    sheet((S, "forester_walk"), FORESTER, 36, 46, walk, title="Forester walking.")
    sheet((S, "forester_work"), FORESTER, 40, 48, lambda i: work_swing(i, "axe", SWING_OVERHEAD),
          title="Forester felling with an axe.")
    T = "world"
    sheet((T, "thief_walk"), THIEF, 34, 42, lambda i: walk(i, sneak=True), title="Thief sneaking.")
    sheet((T, "thief_carry"), THIEF, 34, 42, lambda i: walk(i, "loot", sneak=True),
          title="Thief running off with a bag of loot.")


if __name__ == "__main__":
    main()
