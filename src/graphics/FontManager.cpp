#include "graphics/FontManager.h"

#include "base/ContentLog.h"

#include <algorithm>
#include <cstdio>

#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "data/Utf8.h"
#include "data/XmlDocument.h"
#include "graphics/RenderDevice.h"
#include "graphics/Renderer.h"

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsIconCode(char16_t c) { return c >= 1 && c <= FontManager::kMaxIconCode; }

}  // namespace

FontManager::FontManager(FileSystem& files, Renderer& renderer, FontResources& resources,
                         StringTable* strings)
    : files_(files), renderer_(renderer), resources_(resources), strings_(strings) {
  if (strings_)
    strings_->SetPlaceholderHook([this](std::u16string& value) { ReplacePlaceholders(value); });
}

FontManager::~FontManager() {
  if (strings_) strings_->SetPlaceholderHook({});
}

// --- Loading

bool FontManager::Load() {
  LoadColours();
  current_ = nullptr;
  fonts_.clear();
  for (int i = 1; i <= kMaxFonts; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "font%d", i);
    if (auto font = LoadFont(name)) fonts_.push_back(std::move(font));
  }
  if (!fonts_.empty()) SelectFont(0);
  return true;
}

bool FontManager::Reload() {
  // Forget the fonts before their pages go, so nothing points at a freed texture.
  std::vector<std::string> pages;
  for (const auto& font : fonts_) pages.push_back(font->pageName);
  for (int i = 1; i <= kMaxFonts; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "font%d_0", i);
    pages.emplace_back(name);
  }
  std::sort(pages.begin(), pages.end());
  pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
  current_ = nullptr;
  fonts_.clear();
  for (const auto& page : pages) resources_.DeletePageTexture(page);
  return Load();
}

std::unique_ptr<Font> FontManager::LoadFont(const std::string& name) {
  // Fonts are numbered from 1 up to the first one missing: a missing one is no fault.
  if (!files_.Find(name + ".fnt")) return nullptr;
  XmlDocument doc(files_);
  if (!doc.Load(name + ".fnt")) return nullptr;
  auto font = std::make_unique<Font>();
  font->name = name;
  if (!font->Parse(doc)) {
    content_log::Unreadable(content_log::Kind::Font, name, "not a font description");
    return nullptr;
  }
  font->page = resources_.PageTexture(font->pageName);
  if (!font->page) {
    content_log::Unreadable(content_log::Kind::Font, name, "no page " + font->pageName);
    return nullptr;
  }
  return font;
}

void FontManager::LoadColours() {
  XmlDocument doc(files_);
  if (!doc.Load("font_colors")) return;
  XmlElement root = doc.FirstChild(XmlElement(), "FontColors");
  for (XmlElement e = root.FirstChild("Color"); e; e = e.NextSibling("Color")) {
    const int id = e.Int("id", -1);
    if (id < 0 || id >= kColourCount) continue;
    const uint32_t r = uint32_t(e.Int("r", 0)) & 0xFF;
    const uint32_t g = uint32_t(e.Int("g", 0)) & 0xFF;
    const uint32_t b = uint32_t(e.Int("b", 0)) & 0xFF;
    colours_[size_t(id)] = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
}

// --- Selection

void FontManager::SelectFont(int index) {
  if (fonts_.empty()) return;
  if (index < 0 || size_t(index) >= fonts_.size()) index = 0;
  current_ = fonts_[size_t(index)].get();
}

const Font* FontManager::FontAt(size_t index) const {
  return index < fonts_.size() ? fonts_[index].get() : nullptr;
}

int FontManager::CurrentIndex() const {
  for (size_t i = 0; i < fonts_.size(); ++i)
    if (fonts_[i].get() == current_) return int(i);
  return -1;
}

// --- Drawing

void FontManager::BeginText() {
  vertexCount_ = 0;
  icons_.clear();
  vertices_ = nullptr;
  if (!current_) return;
  renderer_.BindTexture(current_->page, 0);
  vertices_ = renderer_.VertexArray();
}

void FontManager::DrawText(float x, float y, float size, std::string_view utf8, uint32_t colour) {
  DrawText(x, y, size, std::u16string_view(DecodeUtf8(utf8)), colour);
}

void FontManager::DrawText(float x, float y, float size, std::u16string_view text,
                           uint32_t colour) {
  if (text.empty() || !current_ || !vertices_) return;
  const Font& f = *current_;
  float sx = f.scaleW * size / f.lineHeight / 2.0f;
  float sy = f.scaleH * size / f.lineHeight / 2.0f;
  float pen = x;
  float top = y + size / 2.0f;
  uint32_t col = colour;
  const uint32_t alpha = colour & 0xFF000000u;

  for (size_t i = 0; i < text.size(); ++i) {
    if (vertexCount_ + 4 > kBatchVertices) break;
    char16_t c = text[i];
    const char16_t next = i + 1 < text.size() ? text[i + 1] : char16_t(0);
    if (EscapeAt(text, i)) {
      // An escaped caret or backslash is drawn as itself.
      c = next;
      ++i;
    } else if (IsIconCode(c)) {
      // Icons are pictures in their own colours: only the text's alpha reaches them, so a
      // symbol after dark ink does not turn into a silhouette.
      icons_.push_back({c, pen, top + 0.01f * size, size, (col & 0xFF000000u) | 0x00FFFFFFu});
      pen += size;
      continue;
    } else if (c == u'^' && IsDigit(next) && f.Find(u'^')) {
      col = (colours_[size_t(next - u'0')] & 0x00FFFFFFu) | alpha;
      ++i;
      continue;
    } else if (c == u'^' && next == u's') {
      sx += f.scaleW / f.lineHeight;
      sy += f.scaleH / f.lineHeight;
      pen -= 0.1f * size;
      top += 4.0f;
      ++i;
      continue;
    }
    const Glyph* g = f.Find(c);
    if (!g) continue;
    const float halfW = sx * g->w;
    const float halfH = sy * g->h;
    const float halfAdv = sx * g->adv;
    const float yo = 2.0f * sy * g->yoff;
    const float cx = pen + (halfAdv + halfW) / 2.0f;
    const float y0 = top - yo;
    const float y1 = top - yo - 2.0f * halfH;
    Vertex* v = vertices_ + vertexCount_;
    v[0] = {cx - halfW, y0, 1.0f, col, g->u, g->v};
    v[1] = {cx + halfW, y0, 1.0f, col, g->u + g->w, g->v};
    v[2] = {cx + halfW, y1, 1.0f, col, g->u + g->w, g->v + g->h};
    v[3] = {cx - halfW, y1, 1.0f, col, g->u, g->v + g->h};
    vertexCount_ += 4;
    pen += 2.0f * halfAdv;
  }
}

void FontManager::EndText() {
  if (vertexCount_ > 0) renderer_.DrawVertexArray(vertexCount_, vertexCount_ / 2 * 3);
  vertexCount_ = 0;
  vertices_ = nullptr;
  for (const PendingIcon& item : icons_) {
    const std::optional<FontIcon> icon = Icon(item.code);
    if (!icon || !icon->texture) continue;
    renderer_.BindTexture(icon->texture, 0);
    renderer_.AddQuad({item.x, item.y, item.x + item.size, item.y - item.size}, icon->rect,
                      item.colour);
  }
  icons_.clear();
}

// --- Measuring and line breaking

float FontManager::MeasureText(std::u16string_view text, float size, bool multiline) const {
  if (!current_) return 0.0f;
  const Font& f = *current_;
  const float start = f.scaleW * size / f.lineHeight;
  float s = start;
  float width = 0.0f;
  float widest = 0.0f;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (EscapeAt(text, i)) {
      if (const Glyph* g = f.Find(text[++i])) width += g->adv * s;
    } else if (IsIconCode(c)) {
      width += size;
    } else if (c == u'^' && i + 1 < text.size() && text[i + 1] != 0) {
      if (text[i + 1] == u's') s += f.scaleW / f.lineHeight;
      ++i;
    } else if (multiline && c == u'\\') {
      widest = std::max(widest, width);
      width = 0.0f;
      s = start;
    } else if (const Glyph* g = f.Find(c)) {
      width += g->adv * s;
    }
  }
  return std::max(widest, width);
}

float FontManager::TextHeight(std::u16string_view text, float size) const {
  if (!current_) return 0.0f;
  const Glyph* g = current_->Find(u'F');
  if (!g) return 0.0f;
  float n = 1.0f;
  for (size_t i = 0; i < text.size(); ++i) {
    if (EscapeAt(text, i)) {
      ++i;
    } else if (text[i] == u'\\') {
      n += 1.0f;
    }
  }
  const float cap = g->h * current_->scaleH * size / current_->lineHeight;
  return cap * (n + (n - 1.0f) / 2.0f);
}

void FontManager::LayoutLines(std::u16string_view text, std::vector<std::u16string>& lines,
                              float size, float width, bool wrap) const {
  lines.clear();
  if (!wrap) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (EscapeAt(text, i)) {
        ++i;
      } else if (text[i] == u'\\') {
        lines.emplace_back(text.substr(start, i - start));
        start = i + 1;
      }
    }
    lines.emplace_back(text.substr(start));
    return;
  }

  const size_t n = text.size();
  size_t start = 0;
  size_t last = 0;
  float remaining = MeasureText(text, size, false);
  bool eastAsian = false;
  size_t p = 0;
  while (p <= n) {
    if (p < n && text[p] > 0x2FFF) eastAsian = true;
    const bool atEnd = p == n;
    // An escaped caret or backslash is one character: no break inside it.
    const size_t step = !atEnd && EscapeAt(text, p) ? 2 : 1;
    const bool atBreak = !atEnd && step == 1 && text[p] == u'\\';
    if (!(atEnd || atBreak || eastAsian || text[p] == u' ')) {
      p += step;
      continue;
    }
    const float seg = remaining - MeasureText(text.substr(p), size, false);
    const bool overflow = seg > width;
    if (!overflow && !atBreak && !atEnd) {
      last = p;
      p += step;
      continue;
    }
    size_t end = overflow && last > start ? last : p;
    // The space or backslash the line ended at is dropped; a break between two East Asian
    // characters drops nothing.
    const bool skip = end < n && (text[end] == u' ' || (end == p && atBreak));
    size_t next = end + (skip && end < n ? 1 : 0);
    if (next <= start) {
      // Nothing would be consumed (a box narrower than one character in East Asian text):
      // take one character so the walk always moves on.
      end = start + (EscapeAt(text, start) ? 2 : 1);
      next = end;
    }
    lines.emplace_back(text.substr(start, end - start));
    if (end >= n) return;
    start = next;
    last = start;
    remaining = MeasureText(text.substr(start), size, false);
    // When the line ended at an earlier candidate, the position that overflowed is looked
    // at again for the new line; otherwise the walk continues after the line's end.
    if (end == p) p = next > p ? next : p + step;
    p = std::max(p, start);
  }
  // The loop returns on reaching the end; a text without candidates reaches it too.
}

// --- Colours

uint32_t FontManager::Colour(int index) const {
  return index >= 0 && index < kColourCount ? colours_[size_t(index)] : 0;
}

void FontManager::SetColour(int index, uint32_t argb) {
  if (index >= 0 && index < kColourCount) colours_[size_t(index)] = argb;
}

// --- Icons and placeholders

std::u16string FontManager::Placeholder(std::string_view name) {
  std::u16string text = u"%";
  for (char c : name) text += char16_t(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  text += u'%';
  return text;
}

std::u16string FontManager::Literal(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char16_t c : text) {
    if (c == u'^' || c == u'\\') {
      out += u'^';
      out += c;
    } else if (c > kMaxIconCode) {
      out += c;
    }
  }
  return out;
}

void FontManager::RegisterIcon(int code, std::string_view name) {
  if (code < 1 || code > kMaxIconCode) return;
  iconNames_[size_t(code)] = "icon_" + std::string(name);
  placeholders_[size_t(code)] = Placeholder(name);
}

void FontManager::ReplacePlaceholders(std::u16string& text) const {
  for (int code = 1; code <= kMaxIconCode; ++code) {
    const std::u16string& placeholder = placeholders_[size_t(code)];
    if (!placeholder.empty()) StringTable::ReplacePlaceholder(text, placeholder, char16_t(code));
  }
}

char16_t FontManager::IconCode(std::string_view name) const {
  return IconCodeOf(Placeholder(name));
}

char16_t FontManager::IconCodeOf(std::u16string_view placeholder) const {
  if (placeholder.empty()) return kNoIconCode;
  for (int code = 1; code <= kMaxIconCode; ++code)
    if (placeholders_[size_t(code)] == placeholder) return char16_t(code);
  return kNoIconCode;
}

std::optional<FontIcon> FontManager::Icon(int code) const {
  if (code < 1 || code > kMaxIconCode || iconNames_[size_t(code)].empty()) return std::nullopt;
  return resources_.Sprite(iconNames_[size_t(code)]);
}
