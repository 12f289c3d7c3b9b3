#!/usr/bin/env python3
"""The manual page generator on the real README and on READMEs it must refuse.

  test_manpage.py make-manpage.py README.md

The switches are read from the README here by a plain scan of its tables, and the page is
rendered with groff, so a switch lost, mangled by escaping or hidden by bad markup fails.
"""

import os
import subprocess
import sys
import tempfile
import unittest

GENERATOR = ""
README = ""


def run_generator(readme_text):
    """(exit code, standard error, page or None) for a README with this text."""
    with tempfile.TemporaryDirectory() as folder:
        readme = os.path.join(folder, "README.md")
        page = os.path.join(folder, "out.6")
        with open(readme, "w", encoding="utf-8") as f:
            f.write(readme_text)
        run = subprocess.run([sys.executable, GENERATOR, readme, page, "--version", "9.9"],
                             capture_output=True, text=True)
        text = None
        if os.path.exists(page):
            with open(page, encoding="utf-8") as f:
                text = f.read()
        return run.returncode, run.stderr, text


def render(page):
    """The page as plain text lines (no hyphenation, long lines), and groff's warnings."""
    run = subprocess.run(["groff", "-man", "-Tutf8", "-ww", "-rLL=250n", "-rHY=0", "-P-cbou"],
                         input=page, capture_output=True, text=True)
    return [line.strip() for line in run.stdout.splitlines()], run.stderr


def switches_in(readme_text):
    """The first cells of the table rows below headings that contain "switch"."""
    found = []
    in_section = False
    level = 0
    fenced = False
    lines = readme_text.splitlines()
    for i, line in enumerate(lines):
        if line.startswith("```"):
            fenced = not fenced
            continue
        if fenced:
            continue
        if line.startswith("#"):
            depth = len(line) - len(line.lstrip("#"))
            if in_section and depth > level:
                continue
            in_section = "switch" in line.lower()
            level = depth
            continue
        if not in_section or not line.startswith("|"):
            continue
        following = lines[i + 1] if i + 1 < len(lines) else ""
        if set(line.replace("|", "").strip()) <= set("-: "):
            continue  # the separator
        if following.startswith("|") and set(following.replace("|", "").strip()) <= set("-: "):
            continue  # the header above the separator
        first = line.strip("|").split("|")[0].strip().strip("`")
        found.append(first)
    return found


class RealReadme(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(README, encoding="utf-8") as f:
            cls.readme = f.read()
        cls.code, cls.errors, cls.page = run_generator(cls.readme)

    def test_the_page_is_written_without_groff_warnings(self):
        self.assertEqual(self.code, 0, self.errors)
        self.assertIn('.TH KALODRUS3 6 ', self.page)
        lines, warnings = render(self.page)
        self.assertEqual(warnings, "")
        for section in ("NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "ENVIRONMENT", "FILES"):
            self.assertIn(section, lines)

    def test_every_switch_of_the_tables_is_an_entry_of_the_page(self):
        switches = switches_in(self.readme)
        self.assertGreaterEqual(len(switches), 10, "the README's switch tables were not found")
        self.assertIn("/wn", switches)
        self.assertIn("--frames N", switches)
        lines, _ = render(self.page)
        options = lines[lines.index("OPTIONS"):lines.index("ENVIRONMENT")]
        for switch in switches:
            # A tag line starts with the switch and its argument, as the README writes them.
            entries = [l for l in options if l == switch or l.startswith(switch + " ")]
            self.assertTrue(entries, "%s is not an entry of the manual page" % switch)


class RefusedAndChosen(unittest.TestCase):
    def test_a_readme_without_a_switch_heading_fails_loudly(self):
        code, errors, page = run_generator(
            "# Game\n\n## Options\n\n| option | effect |\n|---|---|\n| `--x` | x |\n"
            "```\n## Switches\n```\n")
        self.assertNotEqual(code, 0)
        self.assertIn("switch", errors)
        self.assertIsNone(page)

    def test_a_switch_section_without_a_table_fails_loudly(self):
        for body in ("Switches are described elsewhere.\n",
                     "```\n| switch | effect |\n|---|---|\n| `/fs` | fullscreen |\n```\n",
                     "| switch | effect |\n|---|---|\n\n## Next\n"):
            code, errors, page = run_generator("# Game\n\n## Command-line SWITCHES\n\n" + body)
            self.assertNotEqual(code, 0, body)
            self.assertIn("make-manpage", errors)
            self.assertIsNone(page)

    def test_only_tables_below_switch_headings_are_read(self):
        code, errors, page = run_generator(
            "# Game\n\n## Switches\n\nIntro with `C:\\x`.\n\n| switch | effect |\n|:--|--|\n"
            "| `--lang en\\|de` | language, 1280 \u00d7 720 |\n| `/wn` | windowed |\n"
            "| `/sd` | .sd pictures |\n\n"
            "### More switches\n\n| option | effect |\n|---|---|\n| `--frames N` | stop |\n\n"
            "## Tools\n\n| tool | effect |\n|---|---|\n| `--omega` | not a switch |\n")
        self.assertEqual(code, 0, errors)
        lines, warnings = render(page)
        self.assertEqual(warnings, "")
        # The escaped bar stays in the cell; a wide tag puts its text on the next line.
        tag = lines.index("--lang en|de")
        self.assertEqual(lines[tag + 1], "language, 1280 \u00d7 720")
        self.assertIn("/wn windowed", [" ".join(l.split()) for l in lines])
        self.assertTrue(any(l.startswith("--frames N") for l in lines))
        self.assertIn("/sd .sd pictures", [" ".join(l.split()) for l in lines])
        self.assertIn("Intro with C:\\x.", lines)
        self.assertFalse(any("--omega" in l for l in lines))


if __name__ == "__main__":
    GENERATOR, README = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
