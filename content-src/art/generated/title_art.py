"""The main menu's pictures: the painted title picture (wide/menu_back.svg) and, for every
language, the game's logo and the loading sign (locale/LANG/game_logo.svg and
locale/LANG/loading_sign.svg), whose words are in that language.

    python3 content-src/art/generated/title_art.py
"""
import math
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.dirname(HERE)
OUTLINE = "#4a2a12"

# Per language: the subtitle under the name and the loading sign's word.
LANGUAGES = {
    "en": ("Valley of Builders", "Loading"),
    "de": ("Tal der Baumeister", "Laden"),
    "pl": ("Dolina Budowniczych", "Ładowanie"),
    "ru": ("Долина строителей", "Загрузка"),
}


def write(rel, text):
    path = os.path.join(ART, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)


def f(v):
    s = f"{v:.1f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def hill(points_y, width, base, fill, step=40):
    d = f"M0 {base} L0 {f(points_y(0))} "
    for x in range(step, width + step, step):
        d += f"L{x} {f(points_y(x))} "
    d += f"L{width} {base} Z"
    return f'<path d="{d}" fill="{fill}"/>'


def tree(x, y, s, dark="#2f6b2a", light="#5da043"):
    return (
        f'<rect x="{f(x - 3 * s)}" y="{f(y - 14 * s)}" width="{f(6 * s)}" height="{f(16 * s)}" '
        f'fill="#6b4020"/>'
        f'<ellipse cx="{f(x)}" cy="{f(y - 26 * s)}" rx="{f(16 * s)}" ry="{f(20 * s)}" fill="{dark}"/>'
        f'<ellipse cx="{f(x - 4 * s)}" cy="{f(y - 31 * s)}" rx="{f(10 * s)}" ry="{f(12 * s)}" '
        f'fill="{light}" opacity="0.8"/>'
    )


def pine(x, y, s):
    return (
        f'<rect x="{f(x - 2 * s)}" y="{f(y - 8 * s)}" width="{f(4 * s)}" height="{f(9 * s)}" fill="#5a3418"/>'
        f'<path d="M{f(x)} {f(y - 48 * s)} L{f(x + 14 * s)} {f(y - 8 * s)} L{f(x - 14 * s)} {f(y - 8 * s)} Z" '
        f'fill="#2b5a34"/>'
        f'<path d="M{f(x)} {f(y - 48 * s)} L{f(x - 14 * s)} {f(y - 8 * s)} L{f(x - 3 * s)} {f(y - 8 * s)} Z" '
        f'fill="#3f7a46"/>'
    )


def cottage(x, y, s, roof="#b5452b"):
    return (
        f'<rect x="{f(x - 16 * s)}" y="{f(y - 22 * s)}" width="{f(32 * s)}" height="{f(22 * s)}" '
        f'fill="#f1dcb0" stroke="{OUTLINE}" stroke-width="{f(1.5 * s)}"/>'
        f'<path d="M{f(x - 21 * s)} {f(y - 20 * s)} L{f(x)} {f(y - 40 * s)} L{f(x + 21 * s)} {f(y - 20 * s)} Z" '
        f'fill="{roof}" stroke="{OUTLINE}" stroke-width="{f(1.5 * s)}"/>'
        f'<rect x="{f(x - 4 * s)}" y="{f(y - 12 * s)}" width="{f(8 * s)}" height="{f(12 * s)}" fill="#6b4020"/>'
        f'<rect x="{f(x + 7 * s)}" y="{f(y - 17 * s)}" width="{f(6 * s)}" height="{f(6 * s)}" fill="#ffd76a"/>'
    )


def castle(x, y):
    parts = []
    stone, shade = "#d9cbb0", "#b3a285"
    # Walls, two towers and the keep on the hill top.
    parts.append(f'<rect x="{x - 90}" y="{y - 60}" width="180" height="60" fill="{stone}" '
                 f'stroke="{OUTLINE}" stroke-width="2"/>')
    for i in range(9):
        parts.append(f'<rect x="{x - 90 + i * 20}" y="{y - 70}" width="12" height="12" fill="{stone}" '
                     f'stroke="{OUTLINE}" stroke-width="1.5"/>')
    for tx in (x - 100, x + 80):
        parts.append(f'<rect x="{tx}" y="{y - 110}" width="22" height="110" fill="{shade}" '
                     f'stroke="{OUTLINE}" stroke-width="2"/>')
        parts.append(f'<path d="M{tx - 6} {y - 110} L{tx + 11} {y - 150} L{tx + 28} {y - 110} Z" '
                     f'fill="#3d5fa8" stroke="{OUTLINE}" stroke-width="2"/>')
        parts.append(f'<path d="M{tx + 11} {y - 150} L{tx + 11} {y - 170} L{tx + 30} {y - 164} '
                     f'L{tx + 11} {y - 158}" fill="#e8483a" stroke="{OUTLINE}" stroke-width="1.2"/>')
    parts.append(f'<rect x="{x - 30}" y="{y - 140}" width="60" height="140" fill="{stone}" '
                 f'stroke="{OUTLINE}" stroke-width="2"/>')
    parts.append(f'<path d="M{x - 38} {y - 140} L{x} {y - 196} L{x + 38} {y - 140} Z" fill="#2f4f94" '
                 f'stroke="{OUTLINE}" stroke-width="2"/>')
    parts.append(f'<path d="M{x - 14} {y} L{x - 14} {y - 26} Q{x} {y - 42} {x + 14} {y - 26} L{x + 14} {y} Z" '
                 f'fill="#5a3418"/>')
    for wx, wy in ((x - 10, y - 110), (x + 4, y - 110), (x - 3, y - 80)):
        parts.append(f'<rect x="{wx}" y="{wy}" width="7" height="12" rx="3" fill="#ffd76a"/>')
    return "".join(parts)


def menu_back():
    rnd = random.Random(7)
    w, h = 1280, 768
    out = [f'<?xml version="1.0" encoding="UTF-8"?>\n'
           f'<!-- The main menu\'s painted title picture: an evening valley with a river, a village '
           f'and a castle on the hill. Written by generated/title_art.py. 1280×768; the menu\'s '
           f'buttons stand in the middle, so the middle is kept calm. -->\n'
           f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n']
    out.append("""<defs>
<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
 <stop offset="0" stop-color="#2c4a86"/><stop offset="0.35" stop-color="#6f78b8"/>
 <stop offset="0.62" stop-color="#f2a77a"/><stop offset="0.78" stop-color="#ffd59a"/></linearGradient>
<radialGradient id="sun" cx="0.5" cy="0.5" r="0.5">
 <stop offset="0" stop-color="#fff6d0"/><stop offset="0.3" stop-color="#ffe39a" stop-opacity="0.85"/>
 <stop offset="1" stop-color="#ffb36a" stop-opacity="0"/></radialGradient>
<linearGradient id="far" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8a7fae"/>
 <stop offset="1" stop-color="#b79fae"/></linearGradient>
<linearGradient id="mid" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#6e9a5a"/>
 <stop offset="1" stop-color="#4d7a3e"/></linearGradient>
<linearGradient id="near" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#5a8a3a"/>
 <stop offset="1" stop-color="#2f5a24"/></linearGradient>
<linearGradient id="river" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ffd9a0"/>
 <stop offset="0.4" stop-color="#8fb8d8"/><stop offset="1" stop-color="#3e6f9e"/></linearGradient>
<radialGradient id="vignette" cx="0.5" cy="0.45" r="0.75">
 <stop offset="0.6" stop-color="#000" stop-opacity="0"/><stop offset="1" stop-color="#120818" stop-opacity="0.55"/></radialGradient>
</defs>
""")
    out.append(f'<rect width="{w}" height="{h}" fill="url(#sky)"/>')
    out.append('<circle cx="640" cy="420" r="260" fill="url(#sun)"/>')
    # Stars in the upper sky.
    for _ in range(70):
        x, y = rnd.uniform(0, w), rnd.uniform(0, 200)
        out.append(f'<circle cx="{f(x)}" cy="{f(y)}" r="{f(rnd.uniform(0.6, 1.8))}" fill="#fff8e0" '
                   f'opacity="{f(rnd.uniform(0.3, 0.9))}"/>')
    # Soft clouds.
    for cx, cy, s in ((180, 210, 1.2), (1080, 180, 1.0), (900, 300, 0.7), (330, 330, 0.6)):
        for dx, dy, r in ((0, 0, 40), (40, 8, 32), (-42, 10, 28), (80, 16, 22)):
            out.append(f'<ellipse cx="{f(cx + dx * s)}" cy="{f(cy + dy * s)}" rx="{f(r * 1.6 * s)}" '
                       f'ry="{f(r * 0.7 * s)}" fill="#ffe2c4" opacity="0.55"/>')
    out.append(hill(lambda x: 430 - 60 * math.sin(x / 170.0) - 30 * math.sin(x / 61.0 + 1), w, h,
                    "url(#far)"))
    out.append(hill(lambda x: 500 - 45 * math.sin(x / 210.0 + 2) - 14 * math.sin(x / 43.0), w, h,
                    "url(#mid)"))
    # The castle on the right hill, small with distance.
    out.append(f'<g transform="translate(1040 470) scale(0.6) translate(-1040 -470)">{castle(1040, 470)}</g>')
    # The river winding from the sun down to the front.
    out.append('<path d="M636 492 C590 540 700 590 640 630 C560 680 480 700 380 768 L900 768 '
               'C780 720 760 690 820 650 C880 610 690 560 644 492 Z" fill="url(#river)" opacity="0.95"/>')
    out.append(hill(lambda x: 640 - 40 * math.sin(x / 150.0 + 0.5) - 12 * math.sin(x / 37.0), w, h,
                    "url(#near)"))
    # The village on the left bank.
    for x, y, s, roof in ((170, 600, 1.2, "#b5452b"), (240, 615, 1.0, "#9c3f2a"), (110, 630, 1.1, "#c0682e"),
                          (300, 640, 0.9, "#b5452b")):
        out.append(cottage(x, y, s, roof))
    # Trees along the edges; the middle stays free for the menu.
    for x in list(range(10, 380, 46)) + list(range(930, 1290, 44)):
        y = 700 + rnd.uniform(-20, 30)
        s = rnd.uniform(1.3, 1.9)
        out.append(pine(x, y, s) if rnd.random() < 0.5 else tree(x, y, s))
    # Fireflies.
    for _ in range(40):
        x, y = rnd.uniform(0, w), rnd.uniform(520, 760)
        out.append(f'<circle cx="{f(x)}" cy="{f(y)}" r="{f(rnd.uniform(1.2, 2.6))}" fill="#fff3a0" '
                   f'opacity="{f(rnd.uniform(0.4, 0.9))}"/>')
    out.append(f'<rect width="{w}" height="{h}" fill="url(#vignette)"/>')
    out.append('</svg>\n')
    write("wide/menu_back.svg", "\n".join(out))


def game_logo(lang, subtitle):
    w, h = 600, 220
    size = 26 if len(subtitle) < 20 else 23
    text = f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- The game's logo for the main menu, language "{lang}": the name on a golden banner with the
     subtitle in that language. Written by generated/title_art.py. -->
<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">
<defs>
 <linearGradient id="gold" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fff1b0"/>
  <stop offset="0.5" stop-color="#f2b62c"/><stop offset="1" stop-color="#b96d12"/></linearGradient>
 <linearGradient id="ribbon" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#d4463a"/>
  <stop offset="1" stop-color="#8e2119"/></linearGradient>
 <filter id="shadow" x="-10%" y="-10%" width="120%" height="140%"><feGaussianBlur stdDeviation="4"/></filter>
</defs>
<text x="300" y="118" text-anchor="middle" font-family="DejaVu Serif" font-weight="bold" font-size="96"
      fill="#2a1206" opacity="0.55" filter="url(#shadow)">Kalodrus</text>
<text x="300" y="112" text-anchor="middle" font-family="DejaVu Serif" font-weight="bold" font-size="96"
      fill="url(#gold)" stroke="#5a2a08" stroke-width="4" paint-order="stroke">Kalodrus</text>
<circle cx="560" cy="50" r="34" fill="url(#ribbon)" stroke="#5a2a08" stroke-width="4"/>
<text x="560" y="70" text-anchor="middle" font-family="DejaVu Serif" font-weight="bold" font-size="54"
      fill="url(#gold)" stroke="#5a2a08" stroke-width="2.5" paint-order="stroke">3</text>
<path d="M40 150 L80 140 L520 140 L560 150 L540 168 L560 186 L520 196 L80 196 L40 186 L60 168 Z"
      fill="url(#ribbon)" stroke="#5a2a08" stroke-width="3"/>
<text x="300" y="177" text-anchor="middle" font-family="DejaVu Serif" font-style="italic" font-weight="bold"
      font-size="{size}" fill="#fff3d6">{subtitle}</text>
</svg>
"""
    write(f"locale/{lang}/game_logo.svg", text)


def loading_sign(lang, word):
    size = 13 if len(word) <= 8 else 11
    text = f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- Shown while a screen loads, language "{lang}": an hourglass on a wooden medallion with the
     word for loading under it. Written by generated/title_art.py. -->
<svg xmlns="http://www.w3.org/2000/svg" width="96" height="96" viewBox="0 0 96 96">
<defs>
 <radialGradient id="wood" cx="0.4" cy="0.35" r="0.7"><stop offset="0" stop-color="#e2a865"/>
  <stop offset="1" stop-color="#a8652e"/></radialGradient>
 <linearGradient id="sand" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ffe3a0"/>
  <stop offset="1" stop-color="#e0a64a"/></linearGradient>
</defs>
<circle cx="48" cy="46" r="42" fill="url(#wood)" stroke="{OUTLINE}" stroke-width="3"/>
<rect x="30" y="14" width="36" height="6" rx="2" fill="#6b3a16"/>
<rect x="30" y="58" width="36" height="6" rx="2" fill="#6b3a16"/>
<path d="M34 20 L62 20 Q60 34 50 39 Q60 44 62 58 L34 58 Q36 44 46 39 Q36 34 34 20 Z" fill="#e8f6fc"
      stroke="{OUTLINE}" stroke-width="2"/>
<path d="M38 24 L58 24 Q55 32 48 36 Q41 32 38 24 Z" fill="url(#sand)"/>
<path d="M48 42 L48 50 M38 56 Q48 46 58 56 Z" fill="url(#sand)" stroke="#e0a64a" stroke-width="1.5"/>
<rect x="8" y="68" width="80" height="20" rx="6" fill="#5a2f10" stroke="{OUTLINE}" stroke-width="1.5"/>
<text x="48" y="{82 if size == 13 else 81}" text-anchor="middle" font-family="DejaVu Sans" font-weight="bold"
      font-size="{size}" fill="#fff1c9">{word}</text>
</svg>
"""
    write(f"locale/{lang}/loading_sign.svg", text)


def main():
    menu_back()
    for lang, (subtitle, word) in LANGUAGES.items():
        game_logo(lang, subtitle)
        loading_sign(lang, word)


if __name__ == "__main__":
    main()
