// kcontent atlas: placement, the copied pixels and their margins, the atlas file as the game
// reads it, and the command's answers to bad input.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "data/TestSupport.h"
#include "data/XmlDocument.h"
#include "kcontent/AtlasPacker.h"
#include "kcontent/RgbaImage.h"

using namespace kcontent;
using testsupport::TempDir;

namespace {

int RunTool(const std::string& args, std::string* output = nullptr) {
  const std::string log = std::filesystem::temp_directory_path() /
                          ("kcontent-atlas-test-" + std::to_string(getpid()) + ".log");
  const std::string command =
      std::string("'" KCONTENT_EXE "' ") + args + " >'" + log + "' 2>&1";
  const int status = std::system(command.c_str());
  if (output) {
    const testsupport::Bytes text = testsupport::ReadBytes(log);
    output->assign(text.begin(), text.end());
  }
  std::filesystem::remove(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

// A picture whose pixels are unique to its seed and position.
RgbaImage Picture(int w, int h, int seed) {
  RgbaImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = image.At(x, y);
      p[0] = uint8_t(seed * 37 + x), p[1] = uint8_t(seed * 11 + y), p[2] = uint8_t(x ^ y);
      p[3] = uint8_t(128 + (x + y + seed) % 128);
    }
  }
  return image;
}

// Sprites of assorted sizes from a fixed pseudo-random sequence.
std::vector<AtlasSprite> Assorted(int count) {
  std::vector<AtlasSprite> sprites;
  uint32_t state = 12345;
  const auto next = [&state](int limit) {
    state = state * 1103515245u + 12345u;
    return int((state >> 16) % uint32_t(limit));
  };
  for (int i = 0; i < count; ++i) {
    const int w = 4 + next(90), h = 4 + next(70);
    sprites.push_back({"sprite_" + std::to_string(100 + i), Picture(w, h, i)});
  }
  return sprites;
}

struct Parsed {
  std::string name;
  bool half = false;
  std::map<std::string, std::vector<int>> rects;
};

// Reads an atlas file with the game's XML reader, as the sprite manager does.
Parsed ReadAtlas(const std::string& xml) {
  Parsed parsed;
  XmlDocument doc;
  EXPECT_TRUE(doc.Parse(xml));
  const XmlElement root = doc.FirstChild(XmlElement(), "Atlas");
  EXPECT_TRUE(root);
  if (!root) return parsed;
  parsed.name = root.Text("name");
  parsed.half = root.Bool("half", false);
  for (XmlElement t = root.FirstChild("Tex"); t; t = t.NextSibling("Tex")) {
    parsed.rects[t.Text("name")] = t.Ints("rect", 4);
  }
  return parsed;
}

bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

}  // namespace

TEST(KcontentAtlas, RectanglesAreDisjointInsideAndHoldTheirPictures) {
  const std::vector<AtlasSprite> sprites = Assorted(60);
  AtlasOptions options;
  options.padding = 3;
  PackedAtlas atlas;
  std::string error;
  ASSERT_TRUE(PackAtlas(sprites, options, atlas, error)) << error;

  const RgbaImage& tex = atlas.texture;
  EXPECT_TRUE(IsPowerOfTwo(tex.width) && IsPowerOfTwo(tex.height))
      << tex.width << "x" << tex.height;
  ASSERT_EQ(atlas.rects.size(), sprites.size());
  EXPECT_TRUE(
      std::is_sorted(atlas.rects.begin(), atlas.rects.end(),
                     [](const AtlasRect& a, const AtlasRect& b) { return a.name < b.name; }));

  long long used = 0;
  for (size_t i = 0; i < atlas.rects.size(); ++i) {
    const AtlasRect& r = atlas.rects[i];
    const auto source = std::find_if(sprites.begin(), sprites.end(),
                                     [&](const AtlasSprite& s) { return s.name == r.name; });
    ASSERT_NE(source, sprites.end()) << r.name;
    EXPECT_EQ(r.w, source->image.width) << r.name;
    EXPECT_EQ(r.h, source->image.height) << r.name;
    // The margin lies inside the texture too.
    ASSERT_GE(r.x, options.padding) << r.name;
    ASSERT_GE(r.y, options.padding) << r.name;
    ASSERT_LE(r.x + r.w + options.padding, tex.width) << r.name;
    ASSERT_LE(r.y + r.h + options.padding, tex.height) << r.name;
    used += (long long)(r.w + 2 * options.padding) * (r.h + 2 * options.padding);
    // Cells (rectangle plus margin) never overlap: sprites are 2 × padding apart.
    for (size_t j = i + 1; j < atlas.rects.size(); ++j) {
      const AtlasRect& o = atlas.rects[j];
      const int p = options.padding;
      const bool apart = r.x + r.w + 2 * p <= o.x || o.x + o.w + 2 * p <= r.x ||
                         r.y + r.h + 2 * p <= o.y || o.y + o.h + 2 * p <= r.y;
      EXPECT_TRUE(apart) << r.name << " and " << o.name;
    }
    // Pixels copied exactly; margins repeat the nearest edge pixel.
    bool same = true;
    for (int y = -options.padding; y < r.h + options.padding && same; ++y) {
      for (int x = -options.padding; x < r.w + options.padding && same; ++x) {
        const uint8_t* t = tex.At(r.x + x, r.y + y);
        const uint8_t* s = source->image.At(std::clamp(x, 0, r.w - 1), std::clamp(y, 0, r.h - 1));
        same = std::equal(t, t + 4, s);
        EXPECT_TRUE(same) << r.name << " at " << x << "," << y;
      }
    }
  }
  // No bigger than needed: a power-of-two texture of half the area could not hold the cells.
  EXPECT_GT(double(used) / (double(tex.width) * tex.height), 0.5);
}

TEST(KcontentAtlas, SameSpritesInAnyOrderGiveTheSameAtlas) {
  std::vector<AtlasSprite> sprites = Assorted(40);
  // Several pictures of one size, so that ties have to be broken by name.
  for (int i = 0; i < 6; ++i) sprites.push_back({"same_" + std::to_string(i), Picture(16, 16, i)});
  PackedAtlas first, second;
  std::string error;
  ASSERT_TRUE(PackAtlas(sprites, {}, first, error)) << error;
  std::reverse(sprites.begin(), sprites.end());
  std::rotate(sprites.begin(), sprites.begin() + 7, sprites.end());
  ASSERT_TRUE(PackAtlas(sprites, {}, second, error)) << error;
  EXPECT_EQ(first.texture.width, second.texture.width);
  EXPECT_EQ(first.texture.height, second.texture.height);
  EXPECT_TRUE(first.texture.pixels == second.texture.pixels);
  EXPECT_EQ(AtlasXml("atlas", false, first.rects), AtlasXml("atlas", false, second.rects));
}

TEST(KcontentAtlas, SizeLimitsAndBadSprites) {
  PackedAtlas atlas;
  std::string error;
  // One picture exactly as large as the limit allows (with its margins) fits; a larger does not.
  AtlasOptions options;
  options.padding = 2;
  options.maxSize = 64;
  EXPECT_TRUE(PackAtlas({{"big", Picture(60, 60, 1)}}, options, atlas, error)) << error;
  EXPECT_EQ(atlas.texture.width, 64);
  EXPECT_FALSE(PackAtlas({{"big", Picture(61, 10, 1)}}, options, atlas, error));
  EXPECT_NE(error.find("do not fit"), std::string::npos) << error;
  // Four 32×32 cells fill a 64×64 texture; a fifth does not fit beside them.
  std::vector<AtlasSprite> four;
  for (int i = 0; i < 5; ++i) four.push_back({"q" + std::to_string(i), Picture(28, 28, i)});
  EXPECT_FALSE(PackAtlas(four, options, atlas, error));
  four.pop_back();
  EXPECT_TRUE(PackAtlas(four, options, atlas, error)) << error;

  EXPECT_FALSE(PackAtlas({}, {}, atlas, error));
  EXPECT_FALSE(PackAtlas({{"a", Picture(4, 4, 1)}, {"a", Picture(5, 5, 2)}}, {}, atlas, error));
  EXPECT_NE(error.find("'a'"), std::string::npos) << error;
  EXPECT_FALSE(PackAtlas({{"empty", RgbaImage()}}, {}, atlas, error));
}

TEST(KcontentAtlas, AtlasFileReadsBackWithEveryRectangle) {
  std::vector<AtlasRect> rects = {{"alpha", 2, 3, 40, 50}, {"b&<\"q\">", 50, 2, 7, 9}};
  const Parsed parsed = ReadAtlas(AtlasXml("atlas_ui", true, rects));
  EXPECT_EQ(parsed.name, "atlas_ui");
  EXPECT_TRUE(parsed.half);
  ASSERT_EQ(parsed.rects.size(), 2u);
  EXPECT_EQ(parsed.rects.at("alpha"), (std::vector<int>{2, 3, 40, 50}));
  EXPECT_EQ(parsed.rects.at("b&<\"q\">"), (std::vector<int>{50, 2, 7, 9}));
  EXPECT_FALSE(ReadAtlas(AtlasXml("x", false, rects)).half);
}

TEST(KcontentAtlasCommand, PacksFilesAndFoldersIntoTextureAndAtlasFile) {
  TempDir dir;
  const std::vector<AtlasSprite> sprites = Assorted(12);
  for (size_t i = 0; i < sprites.size(); ++i) {
    std::vector<uint8_t> png;
    std::string error;
    ASSERT_TRUE(EncodePng(sprites[i].image, false, png, error));
    // Half of them in a folder, the others named one by one.
    const std::string folder = i % 2 ? "folder/" : "loose/";
    testsupport::WriteBytes(dir / (folder + sprites[i].name + ".png"), png);
  }
  testsupport::WriteFile(dir / "folder/readme.txt", "not a picture, not taken");
  std::string loose;
  for (size_t i = 0; i < sprites.size(); i += 2) {
    loose += " " + Quote(dir / ("loose/" + sprites[i].name + ".png"));
  }
  std::string output;
  const std::string outputs =
      Quote(dir / "out/atlas_test.zif") + " " + Quote(dir / "out/atlas_test.xml");
  ASSERT_EQ(RunTool("atlas " + outputs + " " + Quote(dir / "folder") + loose, &output), 0)
      << output;

  const testsupport::Bytes xmlBytes = testsupport::ReadBytes(dir / "out/atlas_test.xml");
  const Parsed parsed = ReadAtlas(std::string(xmlBytes.begin(), xmlBytes.end()));
  EXPECT_EQ(parsed.name, "atlas_test");
  EXPECT_FALSE(parsed.half);
  EXPECT_EQ(parsed.rects.size(), sprites.size());
  for (const AtlasSprite& s : sprites) {
    ASSERT_TRUE(parsed.rects.count(s.name)) << s.name;
    EXPECT_EQ(parsed.rects.at(s.name)[2], s.image.width) << s.name;
    EXPECT_EQ(parsed.rects.at(s.name)[3], s.image.height) << s.name;
  }
  const testsupport::Bytes zif = testsupport::ReadBytes(dir / "out/atlas_test.zif");
  ASSERT_GT(zif.size(), 32u);
  EXPECT_TRUE(IsPowerOfTwo(int(testsupport::Get32(zif, 16))));

  // --half: the pictures at half size, rectangles in texture pixels, the file says so.
  ASSERT_EQ(RunTool("atlas " + Quote(dir / "out/atlas_half.zif") + " " +
                    Quote(dir / "out/atlas_half.xml") + " --half --name shared " +
                    Quote(dir / "folder") + loose),
            0);
  const testsupport::Bytes halfBytes = testsupport::ReadBytes(dir / "out/atlas_half.xml");
  const Parsed half = ReadAtlas(std::string(halfBytes.begin(), halfBytes.end()));
  EXPECT_EQ(half.name, "shared");
  EXPECT_TRUE(half.half);
  for (const AtlasSprite& s : sprites) {
    EXPECT_EQ(half.rects.at(s.name)[2], (s.image.width + 1) / 2) << s.name;
    EXPECT_EQ(half.rects.at(s.name)[3], (s.image.height + 1) / 2) << s.name;
  }

  // Rebuilt from the same files: the same bytes.
  ASSERT_EQ(RunTool("atlas " + Quote(dir / "out/again.zif") + " " + Quote(dir / "out/again.xml") +
                    loose + " " + Quote(dir / "folder") + " --name atlas_test"),
            0);
  EXPECT_EQ(testsupport::ReadBytes(dir / "out/again.zif"), zif);
  EXPECT_EQ(testsupport::ReadBytes(dir / "out/again.xml"), xmlBytes);
}

TEST(KcontentAtlasCommand, BadSourcesFailWithoutWritingAnything) {
  TempDir dir;
  std::vector<uint8_t> png;
  std::string error;
  ASSERT_TRUE(EncodePng(Picture(8, 8, 1), false, png, error));
  testsupport::WriteBytes(dir / "good.png", png);
  testsupport::WriteBytes(dir / "other/good.png", png);
  testsupport::WriteFile(dir / "broken.png", "\x89PNG\r\n\x1a\n but then nothing sensible");
  std::filesystem::create_directories(dir / "empty");

  const std::string out = Quote(dir / "a.zif") + " " + Quote(dir / "a.xml") + " ";
  struct Case {
    std::string sources;
    const char* says;
  };
  const Case cases[] = {
      {Quote(dir / "good.png") + " " + Quote(dir / "missing.png"), "missing.png"},
      {Quote(dir / "broken.png"), "broken.png"},
      {Quote(dir / "good.png") + " " + Quote(dir / "other/good.png"), "'good'"},
      {Quote(dir / "empty"), "no pictures"},
      {"--max-size 8 " + Quote(dir / "good.png"), "do not fit"},
  };
  for (const Case& c : cases) {
    std::string output;
    EXPECT_EQ(RunTool("atlas " + out + c.sources, &output), 1) << c.sources;
    EXPECT_NE(output.find(c.says), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(dir / "a.zif")) << c.sources;
    EXPECT_FALSE(std::filesystem::exists(dir / "a.xml")) << c.sources;
  }
  EXPECT_EQ(RunTool("atlas " + out), 2);
  EXPECT_EQ(RunTool("atlas " + Quote(dir / "a.jpg") + " " + Quote(dir / "a.xml") + " " +
                    Quote(dir / "good.png")),
            2);
  EXPECT_EQ(RunTool("atlas " + Quote(dir / "a.zif") + " " + Quote(dir / "a.txt") + " " +
                    Quote(dir / "good.png")),
            2);
  EXPECT_EQ(RunTool("atlas " + out + "--padding -1 " + Quote(dir / "good.png")), 2);
}
