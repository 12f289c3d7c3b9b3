"""Shared drawing helpers for the generated SVG sources.

Everything is drawn in one style: a dark brown outline, soft gradients lit from the upper
left, a faint contact shadow on the ground (the game adds the cast shadow itself). Sizes are
in logical pixels (the standard content); the build rasterises at twice the size for HD.
"""
import math
import os

OUTLINE = "#4a2a12"
HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.dirname(HERE)
# The land whose dress the drawings wear (land_dress.py puts one here while it paints): its
# colours replace the meadow's, its touches (snow on a roof, leaves at the foot of a wall ...)
# are added where the drawings ask for them, and its prefix goes before the saved name. None
# paints the meadow's own pictures.
DRESS = None


def dress_touch(kind, doc, *where):
    """What the land being dressed adds to a part of a picture (see land_dress.py for the kinds
    and their places); nothing in the meadow."""
    return DRESS.touch(kind, doc, *where) if DRESS else ""


def f(v):
    """A number as short SVG text."""
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


class Doc:
    """One SVG document: gradients are added on demand and written into <defs>."""

    def __init__(self, w, h, title):
        self.w, self.h, self.title = w, h, title
        self.defs = []
        self.body = []
        self.ids = set()

    def add(self, *parts):
        self.body.extend(parts)

    def touch(self, kind, *where):
        """Adds what the land being dressed puts there (dress_touch); nothing in the meadow."""
        t = dress_touch(kind, self, *where)
        if t:
            self.body.append(t)

    def define(self, ident, text):
        if ident not in self.ids:
            self.ids.add(ident)
            self.defs.append(text)
        return f"url(#{ident})"

    def linear(self, ident, stops, x1=0, y1=0, x2=0, y2=1, user=None):
        """Linear gradient; stops are (offset, colour) or (offset, colour, opacity)."""
        units = ""
        if user:
            x1, y1, x2, y2 = user
            units = ' gradientUnits="userSpaceOnUse"'
        s = "".join(self._stop(st) for st in stops)
        return self.define(ident, f'<linearGradient id="{ident}" x1="{f(x1)}" y1="{f(y1)}" '
                                  f'x2="{f(x2)}" y2="{f(y2)}"{units}>{s}</linearGradient>')

    def radial(self, ident, stops, cx=0.4, cy=0.35, r=0.7, user=False):
        units = ' gradientUnits="userSpaceOnUse"' if user else ""
        s = "".join(self._stop(st) for st in stops)
        return self.define(ident, f'<radialGradient id="{ident}" cx="{f(cx)}" cy="{f(cy)}" '
                                  f'r="{f(r)}"{units}>{s}</radialGradient>')

    @staticmethod
    def _stop(st):
        op = f' stop-opacity="{f(st[2])}"' if len(st) > 2 else ""
        return f'<stop offset="{f(st[0])}" stop-color="{st[1]}"{op}/>'

    def text(self):
        return (f'<?xml version="1.0" encoding="UTF-8"?>\n<!-- {self.title} -->\n'
                f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.w}" height="{self.h}" '
                f'viewBox="0 0 {self.w} {self.h}">\n<defs>\n' + "\n".join(self.defs) +
                "\n</defs>\n" + "\n".join(self.body) + "\n</svg>\n")

    def save(self, folder, name):
        text = self.text()
        if DRESS:
            name, text = f"{DRESS.prefix}_{name}", DRESS.recolour(text)
        path = os.path.join(ART, folder, name + ".svg")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)


def path(d, fill="none", stroke=None, width=None, extra=""):
    s = f' stroke="{stroke}" stroke-width="{f(width)}" stroke-linejoin="round" stroke-linecap="round"' \
        if stroke else ""
    return f'<path d="{d}" fill="{fill}"{s}{extra}/>'


def circle(cx, cy, r, fill, stroke=None, width=None, extra=""):
    s = f' stroke="{stroke}" stroke-width="{f(width)}"' if stroke else ""
    return f'<circle cx="{f(cx)}" cy="{f(cy)}" r="{f(r)}" fill="{fill}"{s}{extra}/>'


def ellipse(cx, cy, rx, ry, fill, stroke=None, width=None, extra=""):
    s = f' stroke="{stroke}" stroke-width="{f(width)}"' if stroke else ""
    return (f'<ellipse cx="{f(cx)}" cy="{f(cy)}" rx="{f(rx)}" ry="{f(ry)}" fill="{fill}"{s}'
            f'{extra}/>')


def poly(points, fill, stroke=None, width=None, extra=""):
    d = "M" + " L".join(f"{f(x)} {f(y)}" for x, y in points) + " Z"
    return path(d, fill, stroke, width, extra)


def group(parts, extra=""):
    return f"<g{extra}>" + "".join(parts) + "</g>"


def contact_shadow(doc, cx, cy, rx, ry, opacity=0.3):
    g = doc.radial("contact", [(0, "#1e1408", 1), (0.6, "#1e1408", 0.6), (1, "#1e1408", 0)],
                   cx=0.5, cy=0.5, r=0.5)
    return ellipse(cx, cy, rx, ry, g, extra=f' opacity="{f(opacity)}"')


LEAF = [(0, "#9be06a"), (0.45, "#5aa83a"), (1, "#2f6e22")]
LEAF_DARK = [(0, "#6fbf4a"), (0.5, "#3f8a2e"), (1, "#234f18")]


def canopy(doc, ident, blobs, stops=LEAF, light=None, outline=OUTLINE, width=2.0):
    """A leafy mass made of overlapping circles (cx, cy, r) with one outline around all of
    them and one gradient across the whole mass, lit from the upper left."""
    xs = [b[0] - b[2] for b in blobs] + [b[0] + b[2] for b in blobs]
    ys = [b[1] - b[2] for b in blobs] + [b[1] + b[2] for b in blobs]
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    g = doc.radial(ident, stops, cx=x0 + (x1 - x0) * 0.35, cy=y0 + (y1 - y0) * 0.3,
                   r=max(x1 - x0, y1 - y0) * 0.75, user=True)
    parts = [circle(x, y, r, outline, outline, width * 2) for x, y, r in blobs]
    parts += [circle(x, y, r, g) for x, y, r in blobs]
    # Soft light on the upper left of each blob, shade under it.
    for x, y, r in blobs:
        parts.append(circle(x - r * 0.28, y - r * 0.3, r * 0.45, light or "#c8f29a",
                            extra=' opacity="0.28"'))
    return group(parts)


def leaf_tufts(points, colour="#2a5e1c", opacity=0.45):
    """Little leaf strokes that give a canopy texture."""
    out = []
    for x, y, s in points:
        out.append(path(f"M{f(x - s)} {f(y)} q{f(s)} {f(-s * 0.9)} {f(2 * s)} 0", stroke=colour,
                        width=max(0.8, s * 0.35), extra=f' opacity="{f(opacity)}"'))
    return "".join(out)


def trunk(doc, x, y_top, y_bottom, w_top, w_bottom, ident="trunk", roots=True):
    g = doc.linear(ident, [(0, "#a8703e"), (0.5, "#8a5428"), (1, "#5e3519")], 0, 0, 1, 0)
    d = (f"M{f(x - w_bottom / 2)} {f(y_bottom)} C{f(x - w_bottom / 2)} {f(y_bottom - 6)} "
         f"{f(x - w_top / 2)} {f((y_top + y_bottom) / 2)} {f(x - w_top / 2)} {f(y_top)} "
         f"L{f(x + w_top / 2)} {f(y_top)} C{f(x + w_top / 2)} {f((y_top + y_bottom) / 2)} "
         f"{f(x + w_bottom / 2)} {f(y_bottom - 6)} {f(x + w_bottom / 2)} {f(y_bottom)}")
    if roots:
        d += (f" L{f(x + w_bottom / 2 + 5)} {f(y_bottom + 2)} L{f(x + w_bottom / 4)} "
              f"{f(y_bottom + 1)} L{f(x)} {f(y_bottom + 3)} L{f(x - w_bottom / 4)} "
              f"{f(y_bottom + 1)} L{f(x - w_bottom / 2 - 5)} {f(y_bottom + 2)}")
    d += " Z"
    bark = "".join(path(f"M{f(x + dx)} {f(y_bottom - 3)} q{f(dx * 0.3)} {f(-(y_bottom - y_top) * 0.4)} "
                        f"{f(-dx * 0.2)} {f(-(y_bottom - y_top) * 0.7)}", stroke="#5a3216",
                        width=1, extra=' opacity="0.55"')
                   for dx in (-w_bottom * 0.2, w_bottom * 0.15))
    return path(d, g, OUTLINE, 1.6) + bark


def rock(doc, ident, cx, cy, rx, ry, tone=("#d4d0c4", "#a9a496", "#6f6a5e"), seed=0):
    """A rounded rock: an irregular outline, a lit top face and a darker base."""
    pts = []
    n = 11
    for i in range(n):
        a = 2 * math.pi * i / n + seed
        k = 1 + 0.09 * math.sin(3 * a + seed * 2) + 0.06 * math.cos(5 * a + seed)
        pts.append((cx + rx * k * math.cos(a), cy + ry * k * math.sin(a) * (0.85 if math.sin(a) < 0 else 1)))
    g = doc.radial(ident, [(0, tone[0]), (0.55, tone[1]), (1, tone[2])], cx=cx - rx * 0.35,
                   cy=cy - ry * 0.45, r=max(rx, ry) * 1.35, user=True)
    d = "M" + " ".join(
        f"Q{f(p[0])} {f(p[1])} {f((p[0] + q[0]) / 2)} {f((p[1] + q[1]) / 2)}" if i else
        f"{f((p[0] + q[0]) / 2)} {f((p[1] + q[1]) / 2)}"
        for i, (p, q) in enumerate(zip(pts, pts[1:] + pts[:1])))
    # Close through the first control point.
    p, q = pts[0], pts[1]
    d += f" Q{f(p[0])} {f(p[1])} {f((p[0] + q[0]) / 2)} {f((p[1] + q[1]) / 2)} Z"
    crack = path(f"M{f(cx - rx * 0.1)} {f(cy - ry * 0.55)} l{f(rx * 0.12)} {f(ry * 0.35)} "
                 f"l{f(-rx * 0.08)} {f(ry * 0.3)}", stroke=tone[2], width=1.2,
                 extra=' opacity="0.7"')
    shine = ellipse(cx - rx * 0.35, cy - ry * 0.4, rx * 0.28, ry * 0.16, "#ffffff",
                    extra=f' opacity="0.35" transform="rotate(-18 {f(cx - rx * 0.35)} {f(cy - ry * 0.4)})"')
    return path(d, g, OUTLINE, 1.8) + crack + shine


def log(doc, x1, y1, x2, y2, r, ident="log", end=True):
    """A log lying from (x1, y1) to (x2, y2) seen slightly from above, its cut end at x2."""
    a = math.atan2(y2 - y1, x2 - x1)
    nx, ny = -math.sin(a), math.cos(a)
    g = doc.linear(ident, [(0, "#c08850"), (0.45, "#9a6232"), (1, "#5e3519")],
                   user=(x1 + nx * -r, y1 + ny * -r, x1 + nx * r, y1 + ny * r))
    body = poly([(x1 - nx * r, y1 - ny * r), (x2 - nx * r, y2 - ny * r),
                 (x2 + nx * r, y2 + ny * r), (x1 + nx * r, y1 + ny * r)], g, OUTLINE, 1.6)
    back = ellipse(x1, y1, r * 0.45, r, "#7a4a24", OUTLINE, 1.6,
                   extra=f' transform="rotate({f(math.degrees(a))} {f(x1)} {f(y1)})"')
    parts = [back, body]
    if end:
        ring = doc.radial("logend", [(0, "#f3d7a0"), (0.7, "#e0b878"), (1, "#b98a50")],
                          cx=0.5, cy=0.5, r=0.5)
        rot = f' transform="rotate({f(math.degrees(a))} {f(x2)} {f(y2)})"'
        parts.append(ellipse(x2, y2, r * 0.45, r, ring, OUTLINE, 1.6, extra=rot))
        parts.append(ellipse(x2, y2, r * 0.22, r * 0.5, "none", "#a87a44", 0.9, extra=rot))
    parts.append(path(f"M{f(x1 + (x2 - x1) * 0.2 - nx * r * 0.3)} {f(y1 + (y2 - y1) * 0.2 - ny * r * 0.3)} "
                      f"L{f(x1 + (x2 - x1) * 0.75 - nx * r * 0.3)} {f(y1 + (y2 - y1) * 0.75 - ny * r * 0.3)}",
                      stroke="#d9a66a", width=1.2, extra=' opacity="0.6"'))
    return "".join(parts)


def plank(doc, x, y, w, h, ident="plank", tone=("#e8c08a", "#c4925a", "#8e5e30")):
    g = doc.linear(ident, [(0, tone[0]), (0.5, tone[1]), (1, tone[2])])
    return (f'<rect x="{f(x)}" y="{f(y)}" width="{f(w)}" height="{f(h)}" rx="1.2" fill="{g}" '
            f'stroke="{OUTLINE}" stroke-width="1.3"/>' +
            path(f"M{f(x + 3)} {f(y + h * 0.45)} h{f(w * 0.5)}", stroke=tone[2], width=0.8,
                 extra=' opacity="0.6"'))


def berries(points, colour=("#ff9a8a", "#d8262a", "#7a1010"), doc=None, ident="berry", r=3):
    g = doc.radial(ident, [(0, colour[0]), (0.55, colour[1]), (1, colour[2])], 0.35, 0.35, 0.7)
    out = []
    for x, y in points:
        out.append(circle(x, y, r, g, OUTLINE, 0.9))
        out.append(circle(x - r * 0.35, y - r * 0.35, r * 0.3, "#ffffff", extra=' opacity="0.8"'))
    return "".join(out)
