#include "kfont/FontBaker.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "data/XmlDocument.h"

namespace kfont {
namespace {

// An 8-bit coverage mask.
struct Mask {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> a;
  Mask() = default;
  Mask(int w, int h) : width(w), height(h), a(size_t(w) * size_t(h), 0) {}
  uint8_t At(int x, int y) const {
    return x < 0 || y < 0 || x >= width || y >= height ? 0 : a[size_t(y) * width + x];
  }
  uint8_t& Ref(int x, int y) { return a[size_t(y) * width + x]; }
};

// Grows a mask by a disc of the given radius (the outline).
Mask Dilate(const Mask& in, int radius) {
  if (radius <= 0) return in;
  Mask out(in.width, in.height);
  const float r = float(radius) + 0.5f;
  for (int y = 0; y < in.height; ++y)
    for (int x = 0; x < in.width; ++x) {
      int best = 0;
      for (int dy = -radius; dy <= radius && best < 255; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
          if (float(dx * dx + dy * dy) > r * r) continue;
          best = std::max(best, int(in.At(x + dx, y + dy)));
        }
      out.Ref(x, y) = uint8_t(best);
    }
  return out;
}

Mask BoxBlur(const Mask& in, int radius) {
  if (radius <= 0) return in;
  Mask out(in.width, in.height);
  const int n = (2 * radius + 1) * (2 * radius + 1);
  for (int y = 0; y < in.height; ++y)
    for (int x = 0; x < in.width; ++x) {
      int sum = 0;
      for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) sum += in.At(x + dx, y + dy);
      out.Ref(x, y) = uint8_t(sum / n);
    }
  return out;
}

struct Rendered {
  uint32_t code = 0;
  Mask fill;     // the glyph, placed in its cell
  int left = 0;  // cell left relative to the pen, pixels
  int top = 0;   // cell top relative to the line top
  int advance = 0;
  std::vector<uint8_t> rgba;  // the finished cell
};

class Library {
 public:
  Library() { ok_ = FT_Init_FreeType(&lib_) == 0; }
  ~Library() {
    if (face_) FT_Done_Face(face_);
    if (ok_) FT_Done_FreeType(lib_);
  }
  bool Open(const std::string& path) {
    return ok_ && FT_New_Face(lib_, path.c_str(), 0, &face_) == 0;
  }
  FT_Face face() const { return face_; }

 private:
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
  bool ok_ = false;
};

std::vector<int> ParseInts(const std::string& text) {
  std::vector<int> out;
  std::stringstream ss(text);
  std::string item;
  while (std::getline(ss, item, ',')) out.push_back(std::atoi(item.c_str()));
  return out;
}

}  // namespace

std::vector<uint32_t> DefaultCodes() {
  std::vector<uint32_t> codes;
  for (uint32_t c = 0x20; c <= 0x7E; ++c) codes.push_back(c);
  for (uint32_t c = 0xA0; c <= 0x17F; ++c) codes.push_back(c);   // Latin-1, Latin Extended-A
  for (uint32_t c = 0x400; c <= 0x45F; ++c) codes.push_back(c);  // Cyrillic
  for (uint32_t c : {0x2013u, 0x2014u, 0x2018u, 0x2019u, 0x201Au, 0x201Cu, 0x201Du, 0x201Eu,
                     0x2022u, 0x2026u, 0x20ACu, 0x2116u, 0x2122u})
    codes.push_back(c);
  return codes;
}

bool ReadDescription(const std::string& text, const std::string& faceDir, BakeSettings& settings,
                     std::string& error) {
  BakeSettings out;  // every value not given takes its default, whatever settings held
  XmlDocument doc;
  if (!doc.Parse(text)) {
    error = "not an XML document";
    return false;
  }
  XmlElement e = doc.FirstChild(XmlElement(), "FontBake");
  if (!e) {
    error = "no FontBake element";
    return false;
  }
  out.name = e.Text("name");
  out.face = e.Text("face");
  if (out.name.empty() || out.face.empty()) {
    error = "FontBake needs name and face";
    return false;
  }
  if (out.face.find('/') == std::string::npos && !faceDir.empty())
    out.face = faceDir + "/" + out.face;
  out.size = e.Int("size", out.size);
  out.outline = e.Int("outline", out.outline);
  const std::vector<int> shadow = ParseInts(e.Text("shadow"));
  if (shadow.size() >= 2) {
    out.shadowX = shadow[0];
    out.shadowY = shadow[1];
  }
  out.shadowAlpha = e.Int("shadowAlpha", out.shadowAlpha);
  out.shadowBlur = e.Int("shadowBlur", out.shadowBlur);
  out.page = e.Int("page", out.page);
  out.gutter = e.Int("gutter", out.gutter);
  out.outlineColour = e.Hex("outlineColour", out.outlineColour) & 0xFFFFFF;
  if (out.size < 4 || out.size > 256 || out.outline < 0 || out.outline > 16 ||
      std::abs(out.shadowX) > 16 || std::abs(out.shadowY) > 16 || out.shadowBlur < 0 ||
      out.shadowBlur > 8 || out.page < 64 || out.page > 4096 || out.gutter < 0 || out.gutter > 8) {
    error = "a FontBake value is out of range";
    return false;
  }
  out.shadowAlpha = std::clamp(out.shadowAlpha, 0, 255);
  settings = std::move(out);
  return true;
}

bool Bake(const BakeSettings& s, BakedFont& out, std::string& error) {
  Library lib;
  if (!lib.Open(s.face)) {
    error = "cannot open face " + s.face;
    return false;
  }
  FT_Face face = lib.face();
  if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(s.size)) != 0) {
    error = "cannot set size";
    return false;
  }
  const int ascender = int(std::ceil(double(face->size->metrics.ascender) / 64.0));
  const int descender = int(std::floor(double(face->size->metrics.descender) / 64.0));
  const int o = s.outline;
  const bool shadow = s.shadowX != 0 || s.shadowY != 0;
  const int blur = shadow ? s.shadowBlur : 0;
  // Room around the glyph for outline, shadow and blur.
  const int padL = o + std::max(0, -s.shadowX) + blur;
  const int padR = o + std::max(0, s.shadowX) + blur;
  const int padT = o + std::max(0, -s.shadowY) + blur;
  const int padB = o + std::max(0, s.shadowY) + blur;

  out = BakedFont{};
  out.lineHeight = ascender - descender + 2 * o;
  out.base = ascender + o;
  out.pageWidth = out.pageHeight = s.page;

  const std::vector<uint32_t> codes = s.codes.empty() ? DefaultCodes() : s.codes;
  std::vector<Rendered> cells;
  for (uint32_t code : codes) {
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0) {
      out.missing.push_back(code);
      continue;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
      out.missing.push_back(code);
      continue;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    const int bw = int(bm.width);
    const int bh = int(bm.rows);
    const int advance = int(std::lround(double(slot->advance.x) / 64.0));
    // The cell spans the pen's whole advance as well as the ink, so that the glyph sits at
    // its bearing when the cell is drawn at the pen (the game ignores x offsets).
    const int inkLeft = bh > 0 ? slot->bitmap_left : 0;
    const int cellLeft = std::min(0, inkLeft) - padL;
    const int cellRight = std::max(advance, inkLeft + bw) + padR;
    int cellTop = out.base - slot->bitmap_top - padT;
    int cellBottom = out.base - slot->bitmap_top + bh + padB;
    if (bh == 0) cellTop = cellBottom = 0;  // a space: nothing to draw
    Rendered r;
    r.code = code;
    r.left = cellLeft;
    r.top = cellTop;
    r.advance = advance + o;
    r.fill = Mask(cellRight - cellLeft, cellBottom - cellTop);
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
      for (int y = 0; y < bh && bh > 0; ++y)
        for (int x = 0; x < bw; ++x)
          r.fill.Ref(x + inkLeft - cellLeft, y + padT) = bm.buffer[y * bm.pitch + x];
    cells.push_back(std::move(r));
  }

  // Finish every cell: glyph over outline over shadow.
  const float oc[3] = {float((s.outlineColour >> 16) & 0xFF), float((s.outlineColour >> 8) & 0xFF),
                       float(s.outlineColour & 0xFF)};
  for (Rendered& r : cells) {
    const Mask& fill = r.fill;
    const Mask body = Dilate(fill, o);
    Mask drop(fill.width, fill.height);
    if (shadow) {
      for (int y = 0; y < fill.height; ++y)
        for (int x = 0; x < fill.width; ++x) drop.Ref(x, y) = body.At(x - s.shadowX, y - s.shadowY);
      drop = BoxBlur(drop, blur);
    }
    r.rgba.assign(size_t(fill.width) * fill.height * 4, 0);
    for (int y = 0; y < fill.height; ++y)
      for (int x = 0; x < fill.width; ++x) {
        const float af = fill.At(x, y) / 255.0f;
        const float ao = o > 0 ? body.At(x, y) / 255.0f : 0.0f;
        const float as = drop.At(x, y) / 255.0f * float(s.shadowAlpha) / 255.0f;
        // Dark layers first: outline over shadow, then the white glyph on top.
        const float aDark = ao + as * (1.0f - ao);
        const float a = af + aDark * (1.0f - af);
        uint8_t* p = &r.rgba[(size_t(y) * fill.width + x) * 4];
        if (a <= 0.0f) continue;
        for (int c = 0; c < 3; ++c) {
          const float premultiplied = 255.0f * af + oc[c] * aDark * (1.0f - af);
          p[c] = uint8_t(std::clamp(std::lround(premultiplied / a), 0L, 255L));
        }
        p[3] = uint8_t(std::clamp(std::lround(a * 255.0f), 0L, 255L));
      }
  }

  // Shelf packing, tallest first.
  std::vector<size_t> order(cells.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return cells[a].fill.height > cells[b].fill.height; });
  out.rgba.assign(size_t(s.page) * s.page * 4, 0);
  int penX = s.gutter, penY = s.gutter, shelf = 0;
  out.glyphs.resize(cells.size());
  for (size_t k : order) {
    const Rendered& r = cells[k];
    const int w = r.fill.width, h = r.fill.height;
    if (penX + w + s.gutter > s.page) {
      penX = s.gutter;
      penY += shelf + s.gutter;
      shelf = 0;
    }
    if (penX + w + s.gutter > s.page || penY + h + s.gutter > s.page) {
      error = "the glyphs do not fit on a " + std::to_string(s.page) + " pixel page";
      return false;
    }
    for (int y = 0; y < h; ++y)
      std::copy_n(&r.rgba[size_t(y) * w * 4], size_t(w) * 4,
                  &out.rgba[(size_t(penY + y) * s.page + penX) * 4]);
    BakedGlyph& g = out.glyphs[k];
    g.id = r.code;
    g.x = penX;
    g.y = penY;
    g.width = w;
    g.height = h;
    g.xoffset = r.left;
    g.yoffset = r.top;
    g.xadvance = r.advance;
    penX += w + s.gutter;
    shelf = std::max(shelf, h);
  }
  return true;
}

std::string FntXml(const BakeSettings& s, const BakedFont& font, const std::string& pageFile) {
  std::ostringstream x;
  x << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    << "<!-- Baked by kfont from " << std::filesystem::path(s.face).filename().string() << " at "
    << s.size << " px. -->\n"
    << "<font>\n"
    << "  <info face=\"" << std::filesystem::path(s.face).stem().string() << "\" size=\"" << s.size
    << "\" outline=\"" << s.outline << "\"/>\n"
    << "  <common lineHeight=\"" << font.lineHeight << "\" base=\"" << font.base << "\" scaleW=\""
    << font.pageWidth << "\" scaleH=\"" << font.pageHeight << "\" advanceMod=\"1\" pages=\"1\"/>\n"
    << "  <pages>\n    <page id=\"0\" file=\"" << pageFile << "\"/>\n  </pages>\n"
    << "  <chars count=\"" << font.glyphs.size() << "\">\n";
  for (const BakedGlyph& g : font.glyphs)
    x << "    <char id=\"" << g.id << "\" x=\"" << g.x << "\" y=\"" << g.y << "\" width=\""
      << g.width << "\" height=\"" << g.height << "\" xoffset=\"" << g.xoffset << "\" yoffset=\""
      << g.yoffset << "\" xadvance=\"" << g.xadvance << "\" page=\"0\"/>\n";
  x << "  </chars>\n</font>\n";
  return x.str();
}

namespace {

// libpng reports errors by longjmp; nothing here lives across it but the arguments.
bool WriteRows(png_structp png, png_infop info, FILE* file, int width, int height,
               const uint8_t* rgba) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(rgba + size_t(y) * size_t(width) * 4));
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool WritePngFile(const std::string& path, int width, int height, const uint8_t* rgba) {
  const std::string temp = path + ".part";
  FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = png && info && WriteRows(png, info, file, width, height, rgba);
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  ok = std::fclose(file) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

bool BakeToFolder(const BakeSettings& settings, const std::string& outDir, std::string& error) {
  BakedFont font;
  if (!Bake(settings, font, error)) return false;
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  const std::string pageFile = settings.name + "_0.png";
  if (!WritePngFile(outDir + "/" + pageFile, font.pageWidth, font.pageHeight, font.rgba.data())) {
    error = "cannot write " + outDir + "/" + pageFile;
    return false;
  }
  const std::string fntPath = outDir + "/" + settings.name + ".fnt";
  std::ofstream fnt(fntPath + ".part", std::ios::binary | std::ios::trunc);
  fnt << FntXml(settings, font, pageFile);
  fnt.close();
  if (!fnt || std::rename((fntPath + ".part").c_str(), fntPath.c_str()) != 0) {
    error = "cannot write " + fntPath;
    return false;
  }
  return true;
}

}  // namespace kfont
