#!/usr/bin/env python3
"""Writes the game's manual page (section 6) from the README's tables of command-line switches.

The README's sections whose heading contains "switch" (any case) are read up to the next
heading of the same or a higher level. Their markdown tables become the OPTIONS of the page
(one entry per row: the first cell's switch in bold with its argument in italics, the other
cells as its description); the paragraphs between the tables become text around them. Fenced
code blocks are left out: they show commands run in a build tree. A README without such a
section, or whose sections hold no table, stops the build: the page would otherwise ship
without its switches.

  make-manpage.py README.md OUT.6 [--version V] [--date YYYY-MM-DD]
"""

import argparse
import re
import sys

PROGRAM = "kalodrus3"

NAME_LINE = "casual time-management game"

DESCRIPTION = """\
Kalodrus 3 is a single-player casual time-management game. On painted level maps you send a
small crew of workers out from their lodges: they clear obstacles, gather food, wood and gold,
build and upgrade buildings, and meet each level's goals before the clock runs out. Up to four
local players keep their own progress.
"""

ENVIRONMENT = [
    ("KALODRUS3_DATA", "The folder of the settings, players, progress and records, instead "
                       "of the per-user data folder."),
    ("KALODRUS3_LOG", "Set to 1 to report missing or unreadable content on standard error, "
                      "as \\fB--log\\fR does."),
    ("XDG_DATA_HOME", "The per-user data folder lies below it (default \\fI~/.local/share\\fR)."),
]

FILES = [
    ("$XDG_DATA_HOME/Brask/Kalodrus3/", "Settings, player profiles, progress, record tables "
                                        "and the interrupted level, with their last good copies."),
    ("/usr/share/games/kalodrus3/", "The game's content archives (below the installation's "
                                    "prefix; the program first looks beside itself, then "
                                    "at \\fI../share/games/kalodrus3\\fR relative to itself)."),
]


class ManPageError(Exception):
    pass


def roff_escape(text):
    """Plain text as roff: backslashes, hyphens and characters outside ASCII escaped."""
    out = []
    for ch in text:
        if ch == "\\":
            out.append("\\e")
        elif ch == "-":
            out.append("\\-")
        elif ord(ch) > 127:
            out.append("\\[u%04X]" % ord(ch))
        else:
            out.append(ch)
    return "".join(out)


def line_safe(text):
    """A text line must not start with a control character ('.' or an apostrophe)."""
    return "\\&" + text if text[:1] in (".", "'") else text


def inline(text):
    """Markdown inline markup as roff: `code` and **strong** bold, *emphasis* italic."""
    out = []
    pos = 0
    pattern = re.compile(r"`([^`]+)`|\*\*([^*]+)\*\*|\*([^*\s][^*]*)\*")
    for m in pattern.finditer(text):
        out.append(roff_escape(text[pos:m.start()]))
        if m.group(1) is not None:
            out.append("\\fB" + roff_escape(m.group(1)) + "\\fR")
        elif m.group(2) is not None:
            out.append("\\fB" + roff_escape(m.group(2)) + "\\fR")
        else:
            out.append("\\fI" + roff_escape(m.group(3)) + "\\fR")
        pos = m.end()
    out.append(roff_escape(text[pos:]))
    return "".join(out)


def split_row(line):
    """The cells of a markdown table row; a backslash keeps a '|' inside a cell."""
    body = line.strip()
    if body.startswith("|"):
        body = body[1:]
    if body.endswith("|") and not body.endswith("\\|"):
        body = body[:-1]
    cells, cell, i = [], [], 0
    while i < len(body):
        if body[i] == "\\" and i + 1 < len(body) and body[i + 1] == "|":
            cell.append("|")
            i += 2
            continue
        if body[i] == "|":
            cells.append("".join(cell).strip())
            cell = []
        else:
            cell.append(body[i])
        i += 1
    cells.append("".join(cell).strip())
    return cells


def is_separator(line):
    cells = split_row(line)
    return bool(cells) and all(re.fullmatch(r":?-+:?", c) for c in cells)


def heading(line):
    """(level, title) of a markdown heading line, or None."""
    m = re.match(r"^(#{1,6})\s+(.*?)\s*#*\s*$", line)
    return (len(m.group(1)), m.group(2)) if m else None


def switch_sections(lines):
    """The lines of every section whose heading names switches, code fences respected."""
    sections = []
    current = None
    level = 0
    fenced = False
    for line in lines:
        if line.lstrip().startswith("```"):
            fenced = not fenced
        h = None if fenced else heading(line)
        if h and current is not None and h[0] <= level:
            sections.append(current)
            current = None
        if h and current is None and "switch" in h[1].lower():
            current, level = (h[1], []), h[0]
            continue
        if current is not None:
            current[1].append(line)
    if current is not None:
        sections.append(current)
    return sections


def blocks(lines):
    """A section's lines as ('table', header, rows), ('code', lines), ('text', text) and
    ('heading', title) blocks."""
    result = []
    i = 0
    paragraph = []

    def flush():
        if paragraph:
            result.append(("text", " ".join(s.strip() for s in paragraph)))
            paragraph.clear()

    while i < len(lines):
        line = lines[i]
        if line.lstrip().startswith("```"):
            flush()
            code = []
            i += 1
            while i < len(lines) and not lines[i].lstrip().startswith("```"):
                code.append(lines[i])
                i += 1
            result.append(("code", code))
        elif line.lstrip().startswith("|") and i + 1 < len(lines) and is_separator(lines[i + 1]):
            flush()
            header = split_row(line)
            rows = []
            i += 2
            while i < len(lines) and lines[i].lstrip().startswith("|"):
                rows.append(split_row(lines[i]))
                i += 1
            result.append(("table", header, rows))
            continue
        elif heading(line):
            flush()
            result.append(("heading", heading(line)[1]))
        elif not line.strip():
            flush()
        else:
            paragraph.append(line)
        i += 1
    flush()
    return result


def switch_entry(cell):
    """'`--level E:L`' -> (bold name, italic argument) as roff."""
    m = re.fullmatch(r"`([^`]+)`(.*)", cell.strip())
    if not m:
        return "\\fB" + inline(cell) + "\\fR" if "`" not in cell else inline(cell)
    name, _, argument = m.group(1).partition(" ")
    text = "\\fB" + roff_escape(name) + "\\fR"
    if argument:
        text += " \\fI" + roff_escape(argument) + "\\fR"
    return text + inline(m.group(2))


def options(sections):
    out = []
    tables = 0
    for title, lines in sections:
        for block in blocks(lines):
            kind = block[0]
            if kind == "heading":
                out += [".SS " + roff_escape(block[1])]
            elif kind == "text":
                out += [".PP", line_safe(inline(block[1]))]
            elif kind == "code":
                continue
            else:
                _, header, rows = block
                if not rows:
                    raise ManPageError("the table under \"%s\" has no rows" % title)
                tables += 1
                for row in rows:
                    description = "; ".join(inline(c) for c in row[1:] if c)
                    out += [".TP", switch_entry(row[0]), line_safe(description)]
    if tables == 0:
        raise ManPageError("no table of switches below the heading(s) %s"
                           % ", ".join('"%s"' % t for t, _ in sections))
    return out


def man_page(readme_text, version, date):
    sections = switch_sections(readme_text.splitlines())
    if not sections:
        raise ManPageError("no heading containing \"switch\" found")
    page = [
        '.TH %s 6 "%s" "%s %s" "Games"' % (PROGRAM.upper(), date, PROGRAM, version),
        ".SH NAME",
        "%s \\- %s" % (PROGRAM, roff_escape(NAME_LINE)),
        ".SH SYNOPSIS",
        ".B %s" % PROGRAM,
        "[\\fISWITCH\\fR ...]",
        ".SH DESCRIPTION",
        roff_escape(DESCRIPTION.replace("\n", " ").strip()),
        ".SH OPTIONS",
    ]
    page += options(sections)
    page += [".SH ENVIRONMENT"]
    for name, text in ENVIRONMENT:
        page += [".TP", ".B " + name, text]
    page += [".SH FILES"]
    for name, text in FILES:
        page += [".TP", ".I " + name, text]
    return "\n".join(page) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("readme")
    parser.add_argument("output")
    parser.add_argument("--version", default="")
    parser.add_argument("--date", default="")
    args = parser.parse_args()
    with open(args.readme, encoding="utf-8") as f:
        text = f.read()
    try:
        page = man_page(text, args.version, args.date)
    except ManPageError as e:
        sys.stderr.write("make-manpage: %s: %s\n" % (args.readme, e))
        return 1
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(page)
    return 0


if __name__ == "__main__":
    sys.exit(main())
