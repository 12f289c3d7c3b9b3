"""The interface atlas of the control types (atlases/gui/): buttons in four frames, the
check box, slider, progress bar, stepped and round progress, nine- and three-slice frames
and bars, the list box selection, the input line and the hint background.

Each sheet follows the layout its control type reads: a button's frames are a 2 x 2 grid
(normal, highlight, pressed, disabled), a check box holds its two states side by side, a
slider its track in the top 30/64 and its thumb below, a progress bar the empty bar over the
full one, a stepped round progress nine frames in a 3 x 3 grid read row by row, and the
nine-slice pictures are cut at a third from each edge (every corner is a third of the sheet
and is drawn unstretched, so the ornaments sit in the corners and the edges repeat).
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(HERE), "atlases", "gui")

OUTLINE = "#4a2a12"


def svg(name, w, h, title, defs, body):
    text = (f'<?xml version="1.0" encoding="UTF-8"?>\n<!-- {title} (written by '
            f'generated/gui_atlas.py) -->\n<svg xmlns="http://www.w3.org/2000/svg" '
            f'width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n<defs>\n{defs}\n</defs>\n'
            f'{body}\n</svg>\n')
    with open(os.path.join(OUT, name + ".svg"), "w", encoding="utf-8") as out:
        out.write(text)


def vgrad(ident, top, bottom, mid=None):
    stops = f'<stop offset="0" stop-color="{top}"/>'
    if mid:
        stops += f'<stop offset="0.5" stop-color="{mid}"/>'
    stops += f'<stop offset="1" stop-color="{bottom}"/>'
    return f'<linearGradient id="{ident}" x1="0" y1="0" x2="0" y2="1">{stops}</linearGradient>'


def rrect(x, y, w, h, r, fill, stroke=OUTLINE, sw=2.5, extra=""):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}" '
            f'stroke="{stroke}" stroke-width="{sw}" {extra}/>')


# Button faces per frame: (top, bottom, rim, dy of the face, text shade).
BUTTON_FRAMES = [
    ("#f4c46a", "#c9812f", "#fff1c9", 0),    # normal
    ("#ffe08f", "#e39c3f", "#ffffff", 0),    # highlight
    ("#c7822f", "#e6a44c", "#b06a22", 2),    # pressed
    ("#c9c2b6", "#8f877b", "#e6e1d8", 0),    # disabled
]


def button(name, fw, fh, radius, title):
    defs, body = [], []
    for k, (top, bottom, rim, dy) in enumerate(BUTTON_FRAMES):
        ox, oy = (k % 2) * fw, (k // 2) * fh
        gid = f"face{k}"
        defs.append(vgrad(gid, top, bottom))
        body.append(rrect(ox + 3, oy + 5, fw - 6, fh - 7, radius, "#3a1e08", "none", 0,
                          'opacity="0.35"'))
        body.append(rrect(ox + 3, oy + 2 + dy, fw - 6, fh - 7, radius, f"url(#{gid})"))
        body.append(f'<path d="M{ox + 3 + radius} {oy + 5 + dy} H{ox + fw - 3 - radius}" '
                    f'stroke="{rim}" stroke-width="2" stroke-linecap="round" opacity="0.8"/>')
    svg(name, fw * 2, fh * 2, title, "\n".join(defs), "\n".join(body))


def round_button(name, size, title):
    defs, body = [], []
    r = size / 2 - 4
    for k, (top, bottom, rim, dy) in enumerate(BUTTON_FRAMES):
        cx, cy = (k % 2) * size + size / 2, (k // 2) * size + size / 2
        gid = f"disc{k}"
        defs.append(vgrad(gid, top, bottom))
        body.append(f'<circle cx="{cx}" cy="{cy + 2}" r="{r}" fill="#3a1e08" opacity="0.35"/>')
        body.append(f'<circle cx="{cx}" cy="{cy + dy - 1}" r="{r}" fill="url(#{gid})" '
                    f'stroke="{OUTLINE}" stroke-width="2.5"/>')
        body.append(f'<path d="M{cx - r * 0.6} {cy - r * 0.55 + dy} A{r * 0.8} {r * 0.8} 0 0 1 '
                    f'{cx + r * 0.6} {cy - r * 0.55 + dy}" stroke="{rim}" stroke-width="2" '
                    f'fill="none" opacity="0.8"/>')
    svg(name, size * 2, size * 2, title, "\n".join(defs), "\n".join(body))


def check_box():
    s = 40
    defs = vgrad("box", "#fff6df", "#e8d3a6")
    body = []
    for k in range(2):
        ox = k * s
        body.append(rrect(ox + 4, 4, s - 8, s - 8, 6, "url(#box)"))
        if k == 1:
            body.append(f'<path d="M{ox + 11} {21} L{ox + 18} {28} L{ox + 31} {11}" fill="none" '
                        f'stroke="#2f7a2a" stroke-width="5" stroke-linecap="round" '
                        f'stroke-linejoin="round"/>')
    svg("gui_checkbox", s * 2, s, "Check box: unchecked, checked", defs, "\n".join(body))


def slider():
    # 64 x 64: the track in the top 30 rows (caps 16 wide each side), the thumb in the
    # 34 x 34 square at x 15..49, y 30..64.
    defs = vgrad("groove", "#6b3f1c", "#a66a34") + vgrad("knob", "#ffe7a8", "#d08a35")
    body = [
        rrect(3, 8, 58, 14, 7, "url(#groove)", OUTLINE, 2),
        f'<path d="M10 11 H54" stroke="#3a1e08" stroke-width="2" opacity="0.5"/>',
        f'<circle cx="32" cy="48" r="14" fill="url(#knob)" stroke="{OUTLINE}" stroke-width="2.5"/>',
        f'<circle cx="28" cy="44" r="4" fill="#fffbe8" opacity="0.8"/>',
    ]
    svg("gui_slider", 64, 64, "Slider: track with caps above, thumb below", defs, "\n".join(body))


def progress():
    # 256 x 48: the empty bar in the top half, the full bar in the bottom half.
    defs = vgrad("empty", "#5a3818", "#8a5a2c") + vgrad("full", "#b8f07a", "#3f9a2a", "#7fd04f")
    body = [
        rrect(2, 2, 252, 20, 10, "url(#empty)", OUTLINE, 2),
        rrect(2, 26, 252, 20, 10, "url(#full)", "#23561a", 2),
        '<path d="M12 31 H244" stroke="#eaffd0" stroke-width="3" stroke-linecap="round" '
        'opacity="0.7"/>',
    ]
    svg("gui_progress", 256, 48, "Progress bar: empty half above, full half below", defs,
        "\n".join(body))


def round_steps():
    # Nine 48 x 48 frames read row by row: a ring filling in ninths.
    s, body = 48, []
    for k in range(9):
        cx, cy = (k % 3) * s + s / 2, (k // 3) * s + s / 2
        body.append(f'<circle cx="{cx}" cy="{cy}" r="18" fill="#5a3818" stroke="{OUTLINE}" '
                    f'stroke-width="2"/>')
        if k:
            a1 = -math.pi / 2 + 2 * math.pi * k / 8 if k < 9 else 0
            if k >= 8:
                body.append(f'<circle cx="{cx}" cy="{cy}" r="14" fill="#f0b53a"/>')
            else:
                x1, y1 = cx + 14 * math.cos(a1), cy + 14 * math.sin(a1)
                large = 1 if k > 4 else 0
                body.append(f'<path d="M{cx} {cy} L{cx} {cy - 14} A14 14 0 {large} 1 '
                            f'{x1:.2f} {y1:.2f} Z" fill="#f0b53a"/>')
        body.append(f'<circle cx="{cx}" cy="{cy}" r="5" fill="#fff1c9" stroke="{OUTLINE}"/>')
    svg("gui_round_steps", s * 3, s * 3, "Stepped round progress: nine frames, row by row", "",
        "\n".join(body))


def round_wipe():
    defs = ('<radialGradient id="sun" cx="0.4" cy="0.35" r="0.7"><stop offset="0" '
            'stop-color="#fff4c2"/><stop offset="1" stop-color="#e0902c"/></radialGradient>')
    body = [f'<circle cx="48" cy="48" r="44" fill="url(#sun)" stroke="{OUTLINE}" '
            f'stroke-width="3"/>',
            '<circle cx="48" cy="48" r="30" fill="none" stroke="#fff1c9" stroke-width="3" '
            'opacity="0.6"/>']
    svg("gui_round", 96, 96, "Round progress: the disc the wipe uncovers", defs, "\n".join(body))


def nine_slice(name, size, fill_top, fill_bottom, border, rivet, title, radius=14, alpha=1.0):
    defs = vgrad("fill", fill_top, fill_bottom)
    c = size / 3
    body = [rrect(3, 3, size - 6, size - 6, radius, "url(#fill)", border, 4,
                  f'fill-opacity="{alpha}"'),
            rrect(9, 9, size - 18, size - 18, radius - 5, "none", "#fff1c9", 1.5,
                  'opacity="0.5"')]
    if rivet:
        # One rivet per corner, at the centre of the corner's third.
        for cx in (c / 2, size - c / 2):
            for cy in (c / 2, size - c / 2):
                body.append(f'<circle cx="{cx}" cy="{cy}" r="{c / 5:.2f}" fill="{rivet}" '
                            f'stroke="{OUTLINE}" stroke-width="1.2"/>')
    svg(name, size, size, title, defs, "\n".join(body))


def three_slice(name, w, h, vertical, title):
    defs = (f'<linearGradient id="bar" x1="0" y1="0" x2="{1 if vertical else 0}" '
            f'y2="{0 if vertical else 1}"><stop offset="0" stop-color="#9fd3ef"/>'
            f'<stop offset="1" stop-color="#2f6f9a"/></linearGradient>')
    r = (w if vertical else h) / 2 - 3
    body = [rrect(3, 3, w - 6, h - 6, r, "url(#bar)", "#1d3f5a", 3)]
    if vertical:
        body.append(f'<path d="M{w / 2 - 5} 14 V{h - 14}" stroke="#e8f6ff" stroke-width="3" '
                    f'opacity="0.6" stroke-linecap="round"/>')
    else:
        body.append(f'<path d="M14 {h / 2 - 5} H{w - 14}" stroke="#e8f6ff" stroke-width="3" '
                    f'opacity="0.6" stroke-linecap="round"/>')
    svg(name, w, h, title, defs, "\n".join(body))


def list_selection():
    defs = vgrad("sel", "#ffe08f", "#f0b53a")
    body = [rrect(2, 2, 236, 32, 10, "url(#sel)", "#b06a22", 2, 'fill-opacity="0.85"')]
    svg("gui_list_sel", 240, 36, "List box selection", defs, "\n".join(body))


def main():
    os.makedirs(OUT, exist_ok=True)
    button("gui_button", 200, 56, 16, "Wide button: normal, highlight, pressed, disabled")
    round_button("gui_button_round", 64, "Round button: normal, highlight, pressed, disabled")
    check_box()
    slider()
    progress()
    round_steps()
    round_wipe()
    nine_slice("gui_frame", 96, "#fbecc8", "#e9cf98", "#7a4a20", "#f0b53a",
               "Nine-slice panel: rivets in the corners")
    nine_slice("gui_input", 48, "#fffaf0", "#f3e6c8", "#7a4a20", None, "Input line background",
               radius=8)
    nine_slice("hintback", 48, "#fffaf0", "#f1ddb2", "#7a4a20", None,
               "Hint background: light paper for dark text, slightly transparent", radius=10,
               alpha=0.94)
    three_slice("gui_bar", 96, 32, False, "Three-slice bar, horizontal")
    three_slice("gui_bar_v", 32, 96, True, "Three-slice bar, vertical")
    list_selection()


if __name__ == "__main__":
    main()
