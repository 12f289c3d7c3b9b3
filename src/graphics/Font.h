#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Texture.h"

class XmlDocument;

// One character of a bitmap font. Every value is normalised by the page size: multiplying by
// Font::scaleW (x values) or Font::scaleH (y values) gives texture pixels.
struct Glyph {
  float u = 0.0f;  // top left in the page
  float v = 0.0f;
  float w = 0.0f;  // size
  float h = 0.0f;
  float xoff = 0.0f;  // kept for completeness; drawing does not use it
  float yoff = 0.0f;
  float adv = 0.0f;  // advance, already multiplied by advanceMod
  int id = 0;        // character code
};

// A bitmap font read from its ".fnt" XML description, with one page texture.
struct Font {
  static constexpr uint16_t kNoGlyph = 0xFFFF;
  static constexpr int kMaxGlyphs = 65534;       // more would collide with kNoGlyph
  static constexpr int kMaxCode = 65535;         // UTF-16 code units only
  static constexpr int kFallbackTableSize = 64;  // smaller tables give no "?" replacement

  static constexpr float kDefaultLineHeight = 64.0f;
  static constexpr float kDefaultAdvanceMod = 0.975f;
  static constexpr float kDefaultScale = 1024.0f;

  std::string name;
  std::vector<Glyph> glyphs;
  float lineHeight = kDefaultLineHeight;
  float advanceMod = kDefaultAdvanceMod;
  float scaleW = kDefaultScale;
  float scaleH = kDefaultScale;
  std::vector<uint16_t> lookup;  // character code -> glyph index, kNoGlyph for none
  std::string pageName;          // the page texture's name (file name without extension)
  Texture* page = nullptr;

  // Reads the glyphs and metrics of a parsed ".fnt" document; pageName is set from the first
  // page. False when the document lacks `font`, a page file, `common` or a glyph count.
  // Glyphs with codes outside 0..65535 are ignored, the count is capped at kMaxGlyphs, and
  // non-positive or non-finite sizes fall back to the defaults.
  bool Parse(const XmlDocument& doc);

  // The glyph of code c; otherwise, for tables of at least 64 entries, the glyph of "?";
  // otherwise none.
  const Glyph* Find(char16_t c) const;
  // Whether c has a glyph of its own (not the "?" that stands in for it).
  bool Has(char16_t c) const { return c < lookup.size() && lookup[c] != kNoGlyph; }
};
