#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace kfont {

// How one bitmap font is baked from a TrueType face.
struct BakeSettings {
  std::string name;  // output stem: NAME.fnt and NAME_0.png
  std::string face;  // path of the TrueType file
  int size = 32;     // pixel size asked of the face
  int outline = 0;   // dark outline width in pixels (0: none)
  int shadowX = 0;   // drop shadow offset in pixels, y down (0, 0: none)
  int shadowY = 0;
  int shadowAlpha = 150;                // opacity of the shadow, 0..255
  int shadowBlur = 1;                   // box blur radius of the shadow
  int page = 512;                       // page width and height in pixels
  int gutter = 2;                       // empty pixels between glyphs (mipmaps bleed into them)
  uint32_t outlineColour = 0x00201810;  // RGB of the outline and shadow
  std::vector<uint32_t> codes;          // characters to bake; empty: DefaultCodes()
};

// The character set every demo language needs: ASCII, Latin-1, Latin Extended-A (German and
// Polish letters among them), Cyrillic, and common typographic punctuation.
std::vector<uint32_t> DefaultCodes();

// Reads a bake description (root FontBake with the attributes name, face, size, outline,
// shadow = "x,y", shadowAlpha, shadowBlur, page, gutter, outlineColour = hex RGB); face is
// looked up in faceDir unless it is a path. Values left out take their defaults. False,
// with out unchanged and a message, on error.
bool ReadDescription(const std::string& text, const std::string& faceDir, BakeSettings& out,
                     std::string& error);

struct BakedGlyph {
  uint32_t id = 0;
  int x = 0, y = 0, width = 0, height = 0;
  int xoffset = 0, yoffset = 0, xadvance = 0;
};

struct BakedFont {
  int lineHeight = 0;
  int base = 0;
  int pageWidth = 0;
  int pageHeight = 0;
  std::vector<BakedGlyph> glyphs;
  std::vector<uint8_t> rgba;      // page pixels, rows top to bottom
  std::vector<uint32_t> missing;  // requested characters the face does not have
};

// Renders, outlines and packs the glyphs. False with a message when the face cannot be read
// or the glyphs do not fit on the page.
bool Bake(const BakeSettings& settings, BakedFont& out, std::string& error);

// The ".fnt" XML text describing a baked font whose page file is pageFile.
std::string FntXml(const BakeSettings& settings, const BakedFont& font,
                   const std::string& pageFile);

bool WritePngFile(const std::string& path, int width, int height, const uint8_t* rgba);

// Bakes and writes outDir/NAME.fnt and outDir/NAME_0.png.
bool BakeToFolder(const BakeSettings& settings, const std::string& outDir, std::string& error);

}  // namespace kfont
