// The demo fonts as kfont bakes them: every description bakes, the result reads back as a
// game font, and every character of the demo texts in all four languages has its own glyph.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "data/Utf8.h"
#include "data/XmlDocument.h"
#include "graphics/Font.h"
#include "kfont/FontBaker.h"

namespace {

namespace fs = std::filesystem;

const char* kFaceDir = "/usr/share/fonts/truetype/dejavu";

fs::path SourceDir() {
  const char* source = std::getenv("KALODRUS_SOURCE_DIR");
  return source ? fs::path(source) : fs::current_path();
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every character the demo texts use (the whole files; markup characters are ASCII).
std::set<char16_t> DemoCharacters() {
  std::set<char16_t> chars;
  for (const auto& entry :
       fs::recursive_directory_iterator(SourceDir() / "content-src/game/locale"))
    if (entry.path().extension() == ".xml")
      for (char16_t c : DecodeUtf8(ReadAll(entry.path())))
        if (c >= 32) chars.insert(c);
  return chars;
}

TEST(FontBake, DemoFontsCoverEveryDemoText) {
  const std::set<char16_t> demo = DemoCharacters();
  ASSERT_GT(demo.size(), 100u);  // Latin, German, Polish and Cyrillic letters at least
  int descriptions = 0;
  for (const auto& entry : fs::directory_iterator(SourceDir() / "content-src/fonts")) {
    if (entry.path().extension() != ".xml") continue;
    ++descriptions;
    SCOPED_TRACE(entry.path().filename().string());
    kfont::BakeSettings settings;
    std::string error;
    ASSERT_TRUE(kfont::ReadDescription(ReadAll(entry.path()), kFaceDir, settings, error)) << error;
    kfont::BakedFont baked;
    ASSERT_TRUE(kfont::Bake(settings, baked, error)) << error;
    EXPECT_TRUE(baked.missing.empty()) << baked.missing.size() << " characters missing";

    XmlDocument doc;
    ASSERT_TRUE(doc.Parse(kfont::FntXml(settings, baked, settings.name + "_0.png")));
    Font font;
    ASSERT_TRUE(font.Parse(doc));
    EXPECT_EQ(font.pageName, settings.name + "_0");
    EXPECT_EQ(font.advanceMod, 1.0f);
    EXPECT_EQ(font.scaleW, float(settings.page));
    for (char16_t c : demo) {
      ASSERT_LT(size_t(c), font.lookup.size()) << "U+" << std::hex << int(c);
      EXPECT_NE(font.lookup[c], Font::kNoGlyph) << "U+" << std::hex << int(c);
    }
    // Glyph rectangles stay on the page.
    for (const Glyph& g : font.glyphs) {
      EXPECT_GE(g.u, 0.0f);
      EXPECT_LE(g.u + g.w, 1.0f);
      EXPECT_LE(g.v + g.h, 1.0f);
    }
  }
  EXPECT_GE(descriptions, 5);
}

TEST(FontBake, DescriptionsOutOfRangeAreRefused) {
  kfont::BakeSettings s;
  std::string error;
  EXPECT_FALSE(kfont::ReadDescription("<FontBake face=\"DejaVuSans.ttf\"/>", kFaceDir, s, error));
  EXPECT_FALSE(kfont::ReadDescription("<Other/>", kFaceDir, s, error));
  EXPECT_FALSE(kfont::ReadDescription("<FontBake name=\"f\" face=\"x.ttf\" size=\"100000\"/>",
                                      kFaceDir, s, error));
  EXPECT_FALSE(kfont::ReadDescription("<FontBake name=\"f\" face=\"x.ttf\" outline=\"-2\"/>",
                                      kFaceDir, s, error));
  ASSERT_TRUE(kfont::ReadDescription(
      "<FontBake name=\"f\" face=\"DejaVuSans.ttf\" shadow=\"2,-3\" outlineColour=\"FF8000\"/>",
      kFaceDir, s, error));
  EXPECT_EQ(s.face, std::string(kFaceDir) + "/DejaVuSans.ttf");
  EXPECT_EQ(s.shadowX, 2);
  EXPECT_EQ(s.shadowY, -3);
  EXPECT_EQ(s.outlineColour, 0xFF8000u);
  // A page too small for the glyphs and a face that does not exist fail with a message.
  s.page = 64;
  kfont::BakedFont baked;
  EXPECT_FALSE(kfont::Bake(s, baked, error));
  EXPECT_NE(error.find("fit"), std::string::npos);
  s.face = "/nonexistent.ttf";
  EXPECT_FALSE(kfont::Bake(s, baked, error));
}

TEST(FontBake, OutlineAndShadowDarkenAroundAWhiteGlyph) {
  kfont::BakeSettings s;
  s.face = std::string(kFaceDir) + "/DejaVuSans-Bold.ttf";
  s.size = 30;
  s.outline = 2;
  s.shadowX = 2;
  s.shadowY = 2;
  s.codes = {'I'};
  kfont::BakedFont baked;
  std::string error;
  ASSERT_TRUE(kfont::Bake(s, baked, error)) << error;
  ASSERT_EQ(baked.glyphs.size(), 1u);
  const kfont::BakedGlyph& g = baked.glyphs[0];
  auto px = [&](int x, int y) {
    return &baked.rgba[(size_t(g.y + y) * baked.pageWidth + g.x + x) * 4];
  };
  // The middle of the bar is opaque white; a pixel left of the ink is opaque dark outline.
  int whiteRows = 0, darkRows = 0;
  for (int y = 0; y < g.height; ++y) {
    bool white = false, dark = false;
    for (int x = 0; x < g.width; ++x) {
      const uint8_t* p = px(x, y);
      white |= p[3] == 255 && p[0] == 255 && p[1] == 255 && p[2] == 255;
      dark |= p[3] == 255 && p[0] < 64;
    }
    whiteRows += white;
    darkRows += dark;
  }
  EXPECT_GT(whiteRows, 15);
  EXPECT_GT(darkRows, whiteRows);
  // Without effects nothing is dark.
  s.outline = s.shadowX = s.shadowY = 0;
  ASSERT_TRUE(kfont::Bake(s, baked, error));
  const kfont::BakedGlyph& plain = baked.glyphs[0];
  for (int y = 0; y < plain.height; ++y)
    for (int x = 0; x < plain.width; ++x) {
      const uint8_t* p = &baked.rgba[(size_t(plain.y + y) * baked.pageWidth + plain.x + x) * 4];
      if (p[3] > 0) {
        EXPECT_EQ(p[0], 255);
      }
    }
}

}  // namespace
