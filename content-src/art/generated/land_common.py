"""What the lands' scripts (land_north.py, land_coast.py, land_autumn.py, land_desert.py) share:
the folders they write into, the land's block in each shared table, the tables and texts those
blocks hold, the land's dress of the meadow's pictures, pictures nested into a level message and
the fitting of waypoints.
"""
import os
import re

import later_levels as ll
from artlib import ART, f

GAME = os.path.join(os.path.dirname(ART), "game")
TABLES = os.path.join(GAME, "content", "tables")
LOCALE = os.path.join(GAME, "locale")
SOUNDS = os.path.join(os.path.dirname(ART), "sounds", "effects")
EFFECTS_SRC = os.path.join(os.path.dirname(ART), "effects", "src")
LANGS = ("en", "de", "ru", "pl")
# The particle textures every effect file declares.
TEXTURES = ("soft", "spark", "star", "ring", "smoke", "drop", "flake", "leaf", "feather")
# Sheets nested into a message picture show their first frame only.
FRAMES = {"beacon_fire": (56, 80), "gate_old": (112, 96), "drawbridge": (128, 80)}
GROUND_WORD = {"en": "Ground", "de": "Boden", "ru": "Земля", "pl": "Teren"}


class Land:
    """One land: its prefix (of pictures, sounds and effects), its episode, the markers of its
    block in the shared tables and the script that writes it."""

    def __init__(self, prefix, episode, block, block_end, script):
        self.prefix = prefix
        self.episode = episode
        self.block = block
        self.block_end = block_end
        self.script = script

    def write_block(self, file, rows, closing):
        """Puts the rows as the land's block into the table: where the block an earlier run wrote
        stands, so that running one land's script again leaves the other lands' blocks and the
        order of all of them as they were, else at the end (before the table's closing tag)."""
        with open(file, encoding="utf-8") as fh:
            text = fh.read()
        block = ("  " + self.block + "\n" + "".join("  " + r + "\n" for r in rows) + "  " +
                 self.block_end + "\n")
        if self.block in text:
            start = text.index(self.block)
            end = text.index(self.block_end) + len(self.block_end)
            text = text[:start].rstrip(" ") + block + text[end:].lstrip("\n")
        else:
            at = text.rindex(closing)
            text = text[:at] + block + text[at:]
        with open(file, "w", encoding="utf-8") as fh:
            fh.write(text)

    def tables(self, things, sounds, particles, glint, glint_comment, glint_body):
        """The descriptors, work sounds and particles of the land's things, the glint's effect
        file, the sounds' ksynth descriptions and the things' names in every language."""
        self.write_block(os.path.join(TABLES, "objects_params.xml"),
                         [f'<Object id="{i}" class="0" {attrs}/>' for i, _, _, attrs, _, _ in things],
                         "</DescTable>")
        self.write_block(os.path.join(TABLES, "sounds_table.xml"),
                         [f'<Sound id="{i}" name="{n}" loop="{lp}"' + (f' frame="{fr}"' if lp == 2 else "")
                          + "/>" for i, n, lp, fr, _ in sounds], "</SoundsTable>")
        self.write_block(os.path.join(TABLES, "objects_particles.xml"),
                         [f'<Object spr="{s}" par="{p}" x="{x}" y="{y}"/>' for s, p, x, y in particles],
                         "</Particles>")
        with open(os.path.join(EFFECTS_SRC, f"{glint}.xml"), "w", encoding="utf-8") as fh:
            fh.write(f'<?xml version="1.0" encoding="utf-8"?>\n<!-- {glint_comment} -->\n<effect>\n')
            for t in TEXTURES:
                fh.write(f'  <texture name="{t}" file="../textures/{t}.png"/>\n')
            fh.write('  <texture name="butterfly" file="../textures/butterfly.png" frames="2"/>\n')
            fh.write(glint_body + "</effect>\n")
        for i, n, _, _, text in sounds:
            with open(os.path.join(SOUNDS, f"{n}.ksy"), "w", encoding="utf-8") as fh:
                fh.write(text)
        for lang in LANGS:
            rows = []
            for i, _, _, _, _, names in things:
                name, desc = names[lang]
                rows.append(f'<String name="obj_name_{i:03d}" value="{name}"/>')
                rows.append(f'<String name="obj_desc_{i:03d}" value="{desc}"/>')
            self.write_block(os.path.join(LOCALE, lang, "objects_names.xml"), rows, "</StringTable>")

    def texts(self, speech, messages, message_picture, ground_names=None):
        """The grounds' names in the editor's palette (when given), the chief's opening lines and
        the level messages in every language, and the messages' pictures."""
        if ground_names is not None:
            for lang in LANGS:
                self.write_block(os.path.join(LOCALE, lang, "editor.xml"),
                                 [f'<String name="editor_tex_bg_e{self.episode}_{g}" '
                                  f'value="{GROUND_WORD[lang]}: {n[lang]}"/>' for g, n in ground_names.items()],
                                 "</StringTable>")
        for lang in LANGS:
            rows = []
            for level, lines in speech.items():
                rows.append(f'<String name="dialog_{self.episode * 1000 + level * 10}" value="{lines[lang]}"/>')
            for level, (words, _) in messages.items():
                rows.append(f'<String name="level_message_{self.episode:02d}_{level:02d}" '
                            f'value="{words[lang]}"/>')
            self.write_block(os.path.join(LOCALE, lang, "strings.xml"), rows, "</StringTable>")
        for level, (_, pictures) in messages.items():
            message_picture(level, pictures)

    def dressed(self, tex):
        """The land's own dress of a building, site, gate or anything else of the meadow once it
        is painted (world/PREFIX_TEX.svg), else the meadow's picture."""
        own = f"{self.prefix}_{tex}"
        return own if os.path.exists(os.path.join(ART, "world", f"{own}.svg")) else tex

    def nested(self, name, x, y, scale, k):
        """A world picture drawn into another picture, centred at x, y and scaled (its ids kept
        apart)."""
        shown = name if name.startswith(self.prefix + "_") else self.dressed(name)
        with open(os.path.join(ART, "world", f"{shown}.svg"), encoding="utf-8") as fh:
            t = fh.read()
        t = re.sub(r"<\?xml[^>]*>|<!--.*?-->", "", t, flags=re.S)
        t = re.sub(r'id="([^"]*)"', lambda m: f'id="m{k}{m.group(1)}"', t)
        t = re.sub(r"url\(#([^)]*)\)", lambda m: f"url(#m{k}{m.group(1)})", t)
        t = re.sub(r'href="#([^"]*)"', lambda m: f'href="#m{k}{m.group(1)}"', t)
        w = float(re.search(r'<svg[^>]*\bwidth="([\d.]+)"', t).group(1))
        h = float(re.search(r'<svg[^>]*\bheight="([\d.]+)"', t).group(1))
        if name in FRAMES:  # a sheet: only its first frame
            w, h = FRAMES[name]
            t = re.sub(r"<svg([^>]*?)\bwidth=\"[^\"]*\"\s+height=\"[^\"]*\"\s+viewBox=\"[^\"]*\"",
                       f'<svg\\1width="{w}" height="{h}" viewBox="0 0 {w} {h}"', t, count=1)
        return (f'<g transform="translate({f(x - w * scale / 2)} {f(y - h * scale / 2)}) scale({f(scale)})">'
                + t.strip() + "</g>")

    def fit_or_warn(self, level_file):
        """Fits the waypoints with kcontent, or says that it could not (the level still loads)."""
        if os.access(ll.KCONTENT, os.X_OK):
            ll.subprocess.run([ll.KCONTENT, "level", "fit", level_file], check=True,
                              stdout=ll.subprocess.DEVNULL)
        else:
            print(f"{self.script}: {ll.KCONTENT} is missing; run again after building it to fit {level_file}")
