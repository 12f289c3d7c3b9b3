// Bitmap fonts on the recording device: loading (including hostile font files), the markup
// as drawn and as measured, line layout, icons and placeholders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "RecordingRenderer.h"
#include "TextTestSupport.h"
#include "data/StringTable.h"
#include "graphics/FontManager.h"

namespace {

using texttest::FontXml;
using texttest::GlyphsFor;
using texttest::GlyphSpec;

const std::u16string kCharset =
    u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ?^\\%.";

class FontTest : public RecordingRendererTest {
 protected:
  void SetUp() override {
    Start();
    resources.pages = {"font1_0", "font2_0", "font3_0", "font4_0"};
  }

  void WriteStandardFont(const std::string& name = "font1") {
    dir.Write(name + ".fnt", FontXml(GlyphsFor(kCharset), name + "_0.png"));
  }

  // Mounts what was written and loads the fonts.
  void Load() {
    files.Mount(dir.Content());
    fonts = std::make_unique<FontManager>(files, *renderer, resources, &strings);
    fonts->Load();
  }

  // The glyph quads of one DrawText call (texts without drawable icons).
  std::vector<Vertex> Draw(std::u16string_view text, uint32_t colour = 0x80FFFFFF, float x = 0.0f,
                           float y = 0.0f) {
    device->ClearLog();
    fonts->BeginText();
    fonts->DrawText(x, y, 20.0f, text, colour);
    const int count = fonts->PendingVertices();
    fonts->EndText();
    renderer->Flush();
    const auto draws = device->CallsOf(Op::DrawQuads);
    if (count == 0) {
      EXPECT_TRUE(draws.empty());
      return {};
    }
    EXPECT_EQ(draws.size(), 1u);
    if (draws.size() != 1) return {};
    EXPECT_EQ(draws[0].a, count);
    EXPECT_EQ(draws[0].b, count / 2 * 3);
    return device->lastVertices;
  }

  texttest::TempDir dir;
  FileSystem files;
  StringTable strings{files};
  texttest::FakeResources resources;
  std::unique_ptr<FontManager> fonts;
};

// --- Loading

TEST_F(FontTest, LoadingKeepsTheFontsThatLoadAndShiftsTheRest) {
  WriteStandardFont("font1");
  // font2 missing; font3 loads and becomes index 1; font4 has no page texture; font5 has no
  // glyph count; font6 is not XML.
  dir.Write("font3.fnt", FontXml({{'a', 10, 20, 30}}, "font3_0.png"));
  dir.Write("font4.fnt", FontXml({{'a'}}, "font9_0.png"));
  dir.Write("font5.fnt", FontXml({{'a'}}, "font1_0.png", "lineHeight=\"20\"", 0));
  dir.Write("font6.fnt", "<font><pages>");
  Load();
  ASSERT_EQ(fonts->FontCount(), 2u);
  EXPECT_EQ(fonts->FontAt(0)->name, "font1");
  EXPECT_EQ(fonts->FontAt(1)->name, "font3");
  EXPECT_EQ(fonts->CurrentIndex(), 0);

  fonts->SelectFont(1);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"a", 20, false), 30.0f);
  fonts->SelectFont(2);  // beyond the loaded fonts
  EXPECT_EQ(fonts->CurrentIndex(), 0);
  fonts->SelectFont(1);
  fonts->SelectFont(-1);  // a bad "ft_" value
  EXPECT_EQ(fonts->CurrentIndex(), 0);
}

TEST_F(FontTest, ColourFileSetsValidIdsOnlyWithComponentsModulo256) {
  WriteStandardFont();
  dir.Write("font_colors.xml",
            "<FontColors><Color id=\"0\" r=\"255\" g=\"0\" b=\"16\"/>"
            "<Color id=\"9\" r=\"257\" g=\"-1\" b=\"3\"/>"
            "<Color id=\"10\" r=\"1\" g=\"1\" b=\"1\"/><Color id=\"-1\" r=\"1\"/></FontColors>");
  Load();
  EXPECT_EQ(fonts->Colour(0), 0xFFFF0010u);
  EXPECT_EQ(fonts->Colour(9), 0xFF01FF03u);
  for (int i = 1; i < 9; ++i) EXPECT_EQ(fonts->Colour(i), 0u) << i;
  EXPECT_EQ(fonts->Colour(10), 0u);
}

TEST_F(FontTest, ReloadFreesThePagesAndLeavesNoDanglingFont) {
  WriteStandardFont();
  Load();
  ASSERT_NE(fonts->CurrentFont(), nullptr);
  // The new language has no fonts at all.
  resources.pages.clear();
  fonts->Reload();
  EXPECT_EQ(fonts->FontCount(), 0u);
  EXPECT_EQ(fonts->CurrentFont(), nullptr);
  EXPECT_TRUE(std::count(resources.deleted.begin(), resources.deleted.end(), "font1_0"));
  EXPECT_TRUE(std::count(resources.deleted.begin(), resources.deleted.end(), "font9_0"));
  EXPECT_EQ(fonts->MeasureText(u"abc", 20, false), 0.0f);
  EXPECT_EQ(fonts->TextHeight(u"abc", 20), 0.0f);
  fonts->BeginText();
  fonts->DrawText(0, 0, 20, u"abc", kWhite);
  EXPECT_EQ(fonts->PendingVertices(), 0);
  fonts->EndText();
  std::vector<std::u16string> lines;
  fonts->LayoutLines(u"ab cd", lines, 20, 5, true);
  EXPECT_FALSE(lines.empty());
}

TEST_F(FontTest, HostileGlyphIdsAndCountsAreBounded) {
  std::vector<GlyphSpec> glyphs = {
      {-5, 10, 20, 50}, {70000, 10, 20, 60}, {'a', 10, 20, 10}, {65535, 10, 20, 40}};
  dir.Write("font1.fnt",
            FontXml(glyphs, "font1_0.png",
                    "lineHeight=\"20\" advanceMod=\"1\" scaleW=\"100\" scaleH=\"100\"", 0xFFFFF));
  Load();
  ASSERT_EQ(fonts->FontCount(), 1u);
  const Font* f = fonts->FontAt(0);
  EXPECT_EQ(f->glyphs.size(), size_t(Font::kMaxGlyphs));
  EXPECT_LE(f->lookup.size(), 65536u);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"a", 20, false), 10.0f);
  EXPECT_FLOAT_EQ(fonts->MeasureText(std::u16string(1, char16_t(65535)), 20, false), 40.0f);
  // 70000 wraps to no code unit: code 70000 - 65536 has no glyph of its own; the padding
  // glyphs all have id 0, so code 0 finds one of them (all zero, advancing nothing).
  EXPECT_FLOAT_EQ(fonts->MeasureText(std::u16string(1, char16_t(70000 - 65536)), 20, false), 0.0f);
}

TEST_F(FontTest, NonPositiveSizesFallBackToTheDefaults) {
  dir.Write("font1.fnt", FontXml({{'a', 64, 64, 64}}, "font1_0.png",
                                 "lineHeight=\"0\" advanceMod=\"1\" scaleW=\"-4\" scaleH=\"nan\""));
  Load();
  ASSERT_EQ(fonts->FontCount(), 1u);
  const Font* f = fonts->FontAt(0);
  EXPECT_EQ(f->lineHeight, 64.0f);
  EXPECT_EQ(f->scaleW, 1024.0f);
  EXPECT_EQ(f->scaleH, 1024.0f);
  // 64 px advance at line height 64 drawn at size 20 is 20 wide.
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"a", 20, false), 20.0f);
  EXPECT_TRUE(std::isfinite(fonts->TextHeight(u"a", 20)));
}

TEST_F(FontTest, MutatedFontFilesNeverBreakLoadingOrDrawing) {
  const std::string base = FontXml(GlyphsFor(kCharset), "font1_0.png");
  std::mt19937 rng(20261209);
  const std::string junk = "<>\"=/ -0123456789999999999e";
  for (int round = 0; round < 60; ++round) {
    std::string text = base;
    const int edits = 1 + int(rng() % 12);
    for (int e = 0; e < edits; ++e) {
      const size_t at = rng() % text.size();
      switch (rng() % 3) {
        case 0:
          text[at] = junk[rng() % junk.size()];
          break;
        case 1:
          text.erase(at, 1 + rng() % 20);
          break;
        default:
          text.insert(at, std::string(1 + rng() % 3, junk[rng() % junk.size()]));
      }
    }
    texttest::TempDir d;
    d.Write("font1.fnt", text);
    FileSystem fs;
    fs.Mount(d.Content());
    FontManager fm(fs, *renderer, resources);
    fm.Load();
    fm.BeginText();
    fm.DrawText(0, 0, 20, u"^s^3Abc \1^\\x?^", kWhite);
    fm.EndText();
    std::vector<std::u16string> lines;
    fm.LayoutLines(u"Abc def ghi\\jkl", lines, 20, 25, true);
    EXPECT_FALSE(lines.empty());
    EXPECT_TRUE(std::isfinite(fm.MeasureText(u"Abc^s def", 20, true)));
  }
}

// --- Glyph lookup

TEST_F(FontTest, UnknownCharactersBecomeQuestionMarkOnlyWithALargeEnoughTable) {
  // font1: has "?" (table of 64 entries); font2: no "?", large table; font3: table under 64.
  dir.Write("font1.fnt", FontXml({{'a'}, {'?', 10, 20, 30}}, "font1_0.png"));
  dir.Write("font2.fnt", FontXml({{'a'}, {'z'}}, "font2_0.png"));
  dir.Write("font3.fnt", FontXml({{'+'}, {'1', 10, 20, 20}}, "font3_0.png"));
  Load();
  ASSERT_EQ(fonts->FontCount(), 3u);
  fonts->SelectFont(0);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"a\u0416b", 20, false), 10.0f + 30.0f + 30.0f);
  fonts->SelectFont(1);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"a\u0416?", 20, false), 10.0f);
  EXPECT_EQ(Draw(u"a\u0416?").size(), 4u);
  fonts->SelectFont(2);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"1a+", 20, false), 30.0f);
}

// --- Drawing

TEST_F(FontTest, GlyphQuadsFollowTheMetrics) {
  WriteStandardFont();
  Load();
  const std::vector<Vertex> v = Draw(u"ab", 0xFF112233, 100.0f, 50.0f);
  ASSERT_EQ(v.size(), 8u);
  // First glyph from the pen (100) 10 wide; top at y + size / 2, 20 high.
  EXPECT_FLOAT_EQ(v[0].x, 100.0f);
  EXPECT_FLOAT_EQ(v[1].x, 110.0f);
  EXPECT_FLOAT_EQ(v[0].y, 60.0f);
  EXPECT_FLOAT_EQ(v[2].y, 40.0f);
  EXPECT_FLOAT_EQ(v[4].x, 110.0f);
  EXPECT_EQ(v[0].z, 1.0f);
  for (const Vertex& x : v) EXPECT_EQ(x.colour, 0xFF112233u);
  // Texture rectangle of glyph "a" (the first in the page grid, id order: ' ' first).
  EXPECT_FLOAT_EQ(v[2].u - v[0].u, 0.1f);
  EXPECT_FLOAT_EQ(v[2].v - v[0].v, 0.2f);
}

TEST_F(FontTest, ColourMarkupKeepsTheCallersAlpha) {
  WriteStandardFont();
  dir.Write("font_colors.xml",
            "<FontColors><Color id=\"5\" r=\"10\" g=\"20\" b=\"30\"/>"
            "<Color id=\"8\" r=\"200\" g=\"100\" b=\"0\"/></FontColors>");
  Load();
  const std::vector<Vertex> v = Draw(u"a^5word", 0x80FFFFFF);
  ASSERT_EQ(v.size(), 5u * 4u);  // "^5" draws nothing
  EXPECT_EQ(v[0].colour, 0x80FFFFFFu);
  for (size_t i = 4; i < v.size(); ++i) EXPECT_EQ(v[i].colour, 0x800A141Eu);
}

TEST_F(FontTest, LargerMarkupWithColourDrawsTheArgumentTwoUnitsLarger) {
  WriteStandardFont();
  dir.Write("font_colors.xml",
            "<FontColors><Color id=\"8\" r=\"200\" g=\"100\" b=\"0\"/></FontColors>");
  Load();
  // The level screen formats "^s^8%s" with its number.
  const std::vector<Vertex> v = Draw(u"^s^812", 0xFF000000, 0.0f, 0.0f);
  ASSERT_EQ(v.size(), 8u);
  EXPECT_EQ(v[0].colour, 0xFFC86400u);
  // Size 22 instead of 20: glyph 11 × 22, pen pulled back by 0.1 × size, top raised by 4.
  EXPECT_FLOAT_EQ(v[1].x - v[0].x, 11.0f);
  EXPECT_FLOAT_EQ(v[0].y - v[2].y, 22.0f);
  EXPECT_FLOAT_EQ(v[0].y, 14.0f);
  EXPECT_FLOAT_EQ(v[0].x, -2.0f);
  EXPECT_FLOAT_EQ(v[4].x - v[0].x, 11.0f);
  // Measuring grows by one unit per "^s" (10.5 per glyph), not by two.
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"^s^812", 20, false), 21.0f);
}

TEST_F(FontTest, CaretWithALetterIsDrawnButNotMeasured) {
  WriteStandardFont();
  Load();
  EXPECT_EQ(Draw(u"^ab").size(), 12u);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"^ab", 20, false), 10.0f);
  // An unterminated caret at the end is an ordinary character both ways.
  EXPECT_EQ(Draw(u"ab^").size(), 12u);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"ab^", 20, false), 30.0f);
  EXPECT_EQ(Draw(u"^").size(), 4u);
}

TEST_F(FontTest, ColourCodesNeedACaretGlyph) {
  // No "^" and no "?" (table over 64 entries): "^5" is no colour code; the caret is skipped
  // and the digit drawn in the caller's colour.
  dir.Write("font1.fnt", FontXml({{'a'}, {'5'}, {'z'}}, "font1_0.png"));
  dir.Write("font_colors.xml",
            "<FontColors><Color id=\"5\" r=\"1\" g=\"2\" b=\"3\"/></FontColors>");
  Load();
  const std::vector<Vertex> v = Draw(u"^5a", 0xFF808080);
  ASSERT_EQ(v.size(), 8u);
  for (const Vertex& x : v) EXPECT_EQ(x.colour, 0xFF808080u);
}

TEST_F(FontTest, IconCodesReserveTheirPlaceAndDrawAfterTheText) {
  WriteStandardFont();
  Load();
  fonts->RegisterIcon(3, "gold");
  // Code 3 has a registered name but no sprite: a gap of size units, nothing drawn.
  std::vector<Vertex> v = Draw(u"a\3b");
  ASSERT_EQ(v.size(), 8u);
  EXPECT_FLOAT_EQ(v[4].x - v[0].x, 10.0f + 20.0f);
  EXPECT_EQ(device->Count(Op::DrawQuads), 1);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"a\3b", 20, false), 40.0f);
  // Code 4 with a sprite, in colour 2 with the caller's alpha.
  Texture iconTexture;
  resources.icons["icon_food"] = {&iconTexture, {0.25f, 0.5f, 0.75f, 1.0f}};
  fonts->RegisterIcon(4, "food");
  fonts->SetColour(2, 0xFF00FF00);
  device->ClearLog();
  fonts->BeginText();
  fonts->DrawText(0, 0, 20, u"a^2\4", 0x40FFFFFF);
  fonts->EndText();
  renderer->Flush();
  const auto draws = device->CallsOf(Op::DrawQuads);
  ASSERT_EQ(draws.size(), 2u);  // the text, then the icon
  EXPECT_EQ(draws[0].a, 4);
  EXPECT_EQ(draws[1].a, 4);
  const std::vector<Vertex>& icon = device->lastVertices;
  EXPECT_FLOAT_EQ(icon[0].x, 10.0f);
  EXPECT_FLOAT_EQ(icon[0].y, 10.0f + 0.2f);
  EXPECT_FLOAT_EQ(icon[2].x, 30.0f);
  EXPECT_FLOAT_EQ(icon[2].y, 10.2f - 20.0f);
  EXPECT_EQ(icon[0].colour, 0x40FFFFFFu) << "the icon keeps its colours, the text's alpha";
  EXPECT_FLOAT_EQ(icon[0].u, 0.25f);
}

TEST_F(FontTest, TextBeyondOneBatchIsCutOff) {
  WriteStandardFont();
  Load();
  fonts->BeginText();
  fonts->DrawText(0, 0, 20, std::u16string(600, u'a'), kWhite);
  EXPECT_EQ(fonts->PendingVertices(), 2048);
  fonts->DrawText(0, 30, 20, u"more", kWhite);
  EXPECT_EQ(fonts->PendingVertices(), 2048);
  fonts->EndText();
  renderer->Flush();
  ASSERT_EQ(device->Count(Op::DrawQuads), 1);
  EXPECT_EQ(device->Last(Op::DrawQuads)->a, 2048);
  EXPECT_EQ(device->Last(Op::DrawQuads)->b, 3072);
}

TEST_F(FontTest, DrawingWithoutABatchOrAFontDoesNothing) {
  WriteStandardFont();
  Load();
  fonts->DrawText(0, 0, 20, u"abc", kWhite);  // no BeginText
  EXPECT_EQ(fonts->PendingVertices(), 0);
  fonts->EndText();
  renderer->Flush();
  EXPECT_EQ(device->Count(Op::DrawQuads), 0);
}

// --- Measuring

TEST_F(FontTest, MeasuringWithAndWithoutMultiline) {
  dir.Write("font1.fnt",
            FontXml({{'a'}, {'b'}, {'\\', 10, 20, 4}, {'?'}, {'F', 10, 30, 10}}, "font1_0.png"));
  Load();
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"aaa\\bb", 20, true), 30.0f);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"aa\\bbb", 20, true), 30.0f);
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"aaa\\bb", 20, false), 54.0f);
  // A line break also resets the "^s" growth.
  EXPECT_FLOAT_EQ(fonts->MeasureText(u"^saa\\aa", 20, true), 21.0f);
  // Height: a cap ("F", 30 px at line height 20 → 30 units at size 20) per line and half a
  // cap between lines.
  EXPECT_FLOAT_EQ(fonts->TextHeight(u"a", 20), 30.0f);
  EXPECT_FLOAT_EQ(fonts->TextHeight(u"a\\b\\c", 20), 30.0f * 4.0f);
}

TEST_F(FontTest, TextHeightWithoutAnFUsesTheQuestionMarkOrIsZero) {
  dir.Write("font1.fnt", FontXml({{'a'}, {'?', 10, 40, 10}}, "font1_0.png"));
  dir.Write("font2.fnt", FontXml({{'a'}}, "font2_0.png"));
  Load();
  EXPECT_FLOAT_EQ(fonts->TextHeight(u"a", 20), 40.0f);
  fonts->SelectFont(1);
  EXPECT_FLOAT_EQ(fonts->TextHeight(u"a", 20), 0.0f);
}

// --- Line layout

class LayoutTest : public FontTest {
 protected:
  void SetUp() override {
    FontTest::SetUp();
    std::vector<GlyphSpec> glyphs = GlyphsFor(kCharset);
    for (char16_t c : std::u16string(u"\u65E5\u672C\u8A9E\u3002"))
      glyphs.push_back({c, 20, 20, 20});
    dir.Write("font1.fnt", FontXml(glyphs, "font1_0.png"));
    Load();
  }
  std::vector<std::u16string> Lines(std::u16string_view text, float width, bool wrap = true) {
    std::vector<std::u16string> lines = {u"stale"};
    fonts->LayoutLines(text, lines, 20, width, wrap);
    return lines;
  }
};

TEST_F(LayoutTest, WithoutWrappingEveryBackslashEndsALine) {
  using L = std::vector<std::u16string>;
  EXPECT_EQ(Lines(u"ab\\\\cd\\", 5, false), (L{u"ab", u"", u"cd", u""}));
  EXPECT_EQ(Lines(u"", 5, false), (L{u""}));
}

TEST_F(LayoutTest, GreedyWrappingBreaksAtSpaces) {
  using L = std::vector<std::u16string>;
  // Two three-letter words in a box just wider than one word.
  EXPECT_EQ(Lines(u"abc def", 31), (L{u"abc", u"def"}));
  // Both fit on one line.
  EXPECT_EQ(Lines(u"abc def", 70), (L{u"abc def"}));
  // The later words are looked at again after a break.
  EXPECT_EQ(Lines(u"aaa bbb ccc ddd", 75), (L{u"aaa bbb", u"ccc ddd"}));
  EXPECT_EQ(Lines(u"aaa bbb ccc", 35), (L{u"aaa", u"bbb", u"ccc"}));
  // A backslash always ends a line.
  EXPECT_EQ(Lines(u"ab\\cd ef", 200), (L{u"ab", u"cd ef"}));
  EXPECT_EQ(Lines(u"abc def\\gh", 31), (L{u"abc", u"def", u"gh"}));
}

TEST_F(LayoutTest, AWordWiderThanTheBoxStaysWhole) {
  using L = std::vector<std::u16string>;
  EXPECT_EQ(Lines(u"abcdefghij", 25), (L{u"abcdefghij"}));
  EXPECT_EQ(Lines(u"abcdefghij kl", 25), (L{u"abcdefghij", u"kl"}));
  EXPECT_EQ(Lines(u"ab cdefghij", 25), (L{u"ab", u"cdefghij"}));
}

TEST_F(LayoutTest, EastAsianTextBreaksBetweenAnyCharacters) {
  using L = std::vector<std::u16string>;
  // 20 units per character, a box for two.
  EXPECT_EQ(Lines(u"\u65E5\u672C\u8A9E\u3002\u65E5", 45),
            (L{u"\u65E5\u672C", u"\u8A9E\u3002", u"\u65E5"}));
  // Latin text before the first East Asian character still breaks at spaces only.
  EXPECT_EQ(Lines(u"abcd \u65E5\u672C\u8A9E", 45), (L{u"abcd", u"\u65E5\u672C", u"\u8A9E"}));
}

TEST_F(LayoutTest, RandomTextsAndBoxesAlwaysFinishAndKeepEveryCharacter) {
  std::mt19937 rng(5);
  const std::u16string alphabet = u"ab  \\\u65E5x^s\1";
  for (int round = 0; round < 400; ++round) {
    std::u16string text;
    const int n = int(rng() % 24);
    for (int i = 0; i < n; ++i) text += alphabet[rng() % alphabet.size()];
    const float width = float(int(rng() % 80) - 10);
    const std::vector<std::u16string> lines = Lines(text, width);
    ASSERT_FALSE(lines.empty());
    ASSERT_LE(lines.size(), text.size() + 1) << round;
    // Only separators (spaces and backslashes) may disappear between lines.
    size_t kept = 0;
    for (const auto& line : lines) kept += line.size();
    const size_t separators = size_t(std::count(text.begin(), text.end(), u' ') +
                                     std::count(text.begin(), text.end(), u'\\'));
    EXPECT_GE(kept + separators, text.size()) << round;
    EXPECT_LE(kept, text.size()) << round;
  }
}

TEST_F(LayoutTest, LiteralTextShowsItsMarkupCharactersAsTyped) {
  using L = std::vector<std::u16string>;
  const std::u16string typed = u"a^sb\\c^5";
  const std::u16string shown = FontManager::Literal(typed + u"\1");
  EXPECT_EQ(shown, u"a^^sb^\\c^^5");  // the icon code is left out
  // Every typed character is one glyph of 10 units: no larger text, no colour, no break.
  EXPECT_FLOAT_EQ(fonts->MeasureText(shown, 20, true), 10.0f * float(typed.size()));
  EXPECT_FLOAT_EQ(fonts->TextHeight(shown, 20), fonts->TextHeight(u"x", 20));
  EXPECT_EQ(Lines(shown, 500, false), (L{shown}));
  EXPECT_EQ(Lines(shown, 500, true), (L{shown}));
  const std::vector<Vertex> v = Draw(shown, 0xFF102030);
  ASSERT_EQ(v.size(), 4 * typed.size());
  for (size_t i = 0; i < v.size(); ++i) {
    EXPECT_EQ(v[i].colour, 0xFF102030u) << i;
    EXPECT_FLOAT_EQ(v[i].y, v[i % 4].y) << "every glyph at the size asked for";
  }
  // An escaped backslash is no break when wrapping either, even where everything breaks.
  EXPECT_EQ(Lines(u"ab^\\cd ef", 45), (L{u"ab^\\cd", u"ef"}));
  EXPECT_EQ(Lines(u"\u65E5^^\u65E5", 25), (L{u"\u65E5", u"^^", u"\u65E5"}));
}

// --- Icons and placeholders

TEST_F(FontTest, PlaceholdersTurnIntoIconCodes) {
  WriteStandardFont();
  Load();
  fonts->RegisterIcon(1, "food");
  fonts->RegisterIcon(2, "Gold_Bar");
  fonts->RegisterIcon(32, "wood");  // beyond the drawable icon codes
  fonts->RegisterIcon(0, "none");
  EXPECT_EQ(FontManager::Placeholder("Gold_Bar"), u"%GOLD_BAR%");
  EXPECT_EQ(fonts->IconCode("food"), u'\1');
  EXPECT_EQ(fonts->IconCode("gold_bar"), u'\2');
  EXPECT_EQ(fonts->IconCode("wood"), u' ');
  EXPECT_EQ(fonts->IconCode(""), u' ');
  EXPECT_EQ(fonts->IconCodeOf(u"%FOOD%"), u'\1');
  EXPECT_EQ(fonts->IconCodeOf(u"%food%"), u' ');
  std::u16string text = u"%FOOD% 5, %GOLD_BAR%%FOOD% %WOOD% %NONE%";
  fonts->ReplacePlaceholders(text);
  EXPECT_EQ(text, u"\1 5, \2\1 %WOOD% %NONE%");
  EXPECT_FALSE(fonts->Icon(32).has_value());
  EXPECT_FALSE(fonts->Icon(1).has_value());
  EXPECT_EQ(resources.iconLookups.back(), "icon_food");
}

TEST_F(FontTest, StringsLoadedAfterRegistrationGetTheirIconCodes) {
  WriteStandardFont();
  dir.Write("before.xml", "<StringTable><String name=\"k\" value=\"%FOOD% x\"/></StringTable>");
  dir.Write("after.xml", "<StringTable><String name=\"k2\" value=\"%FOOD% x\"/></StringTable>");
  Load();
  ASSERT_TRUE(strings.Load("before"));
  fonts->RegisterIcon(1, "food");
  ASSERT_TRUE(strings.Load("after"));
  EXPECT_EQ(strings.Get("k"), u"%FOOD% x");
  EXPECT_EQ(strings.Get("k2"), u"\1 x");
  fonts.reset();  // the hook goes with the font manager
  dir.Write("late.xml", "<StringTable><String name=\"k3\" value=\"%FOOD%\"/></StringTable>");
  ASSERT_TRUE(strings.Load(dir.Content() + "/late.xml"));
  EXPECT_EQ(strings.Get("k3"), u"%FOOD%");
}

}  // namespace
