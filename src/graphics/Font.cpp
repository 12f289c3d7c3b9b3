#include "graphics/Font.h"

#include <algorithm>
#include <cmath>

#include "data/XmlDocument.h"

namespace {

float PositiveOr(float value, float fallback) {
  return std::isfinite(value) && value > 0.0f ? value : fallback;
}

}  // namespace

bool Font::Parse(const XmlDocument& doc) {
  XmlElement root = doc.FirstChild(XmlElement(), "font");
  if (!root) return false;
  XmlElement pageElement = root.FirstChild("pages").FirstChild("page");
  const std::string file = pageElement.Text("file");
  if (file.empty()) return false;
  const size_t dot = file.rfind('.');
  pageName = dot == std::string::npos ? file : file.substr(0, dot);
  if (pageName.empty()) return false;

  XmlElement common = root.FirstChild("common");
  if (!common) return false;
  lineHeight = PositiveOr(common.Float("lineHeight", kDefaultLineHeight), kDefaultLineHeight);
  advanceMod = common.Float("advanceMod", kDefaultAdvanceMod);
  if (!std::isfinite(advanceMod)) advanceMod = kDefaultAdvanceMod;
  scaleW = PositiveOr(common.Float("scaleW", kDefaultScale), kDefaultScale);
  scaleH = PositiveOr(common.Float("scaleH", kDefaultScale), kDefaultScale);

  XmlElement chars = root.FirstChild("chars");
  const int count = std::min(chars.Int("count", 0), kMaxGlyphs);
  if (count <= 0) return false;

  glyphs.assign(size_t(count), Glyph{});
  int largest = -1;
  XmlElement e = chars.FirstChild("char");
  for (int i = 0; i < count && e; ++i, e = e.NextSibling("char")) {
    Glyph& g = glyphs[size_t(i)];
    g.id = e.Int("id", 0);
    g.u = float(e.Int("x", 0)) / scaleW;
    g.v = float(e.Int("y", 0)) / scaleH;
    g.w = float(e.Int("width", 0)) / scaleW;
    g.h = float(e.Int("height", 0)) / scaleH;
    g.xoff = float(e.Int("xoffset", 0)) / scaleW;
    g.yoff = float(e.Int("yoffset", 0)) / scaleH;
    g.adv = float(e.Int("xadvance", 0)) / scaleW * advanceMod;
    if (g.id >= 0 && g.id <= kMaxCode) largest = std::max(largest, g.id);
  }

  lookup.assign(size_t(std::max(count, largest + 1)), kNoGlyph);
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const int id = glyphs[i].id;
    if (id < 0 || id > kMaxCode) continue;
    lookup[size_t(id)] = uint16_t(i);
  }
  return true;
}

const Glyph* Font::Find(char16_t c) const {
  if (c < lookup.size() && lookup[c] != kNoGlyph) return &glyphs[lookup[c]];
  if (lookup.size() >= size_t(kFallbackTableSize) && lookup[u'?'] != kNoGlyph)
    return &glyphs[lookup[u'?']];
  return nullptr;
}
