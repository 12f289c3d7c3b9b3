#include "TextItem.h"

#include <cstdlib>
#include <vector>

#include "data/Utf8.h"
#include "data/XmlDocument.h"
#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "graphics/TextureFontResources.h"

namespace {

class TextItem final : public ViewItem {
 public:
  // font: an index, or -1 to find the font named fontName.
  TextItem(ViewServices& services, int font, const std::string& fontName, float size,
           std::u16string text)
      : resources_(services.textures, services.sprites),
        fonts_(services.files, services.renderer, resources_),
        font_(font),
        size_(size),
        text_(std::move(text)) {
    fonts_.Load();
    RegisterSymbols(services.files);
    fonts_.ReplacePlaceholders(text_);
    for (size_t i = 0; font_ < 0 && i < fonts_.FontCount(); ++i)
      if (fonts_.FontAt(i)->name == fontName) font_ = int(i);
    fonts_.SelectFont(font_);
    fonts_.LayoutLines(text_, lines_, size_, 0.0f, false);
    for (const auto& line : lines_)
      width_ = std::max(width_, fonts_.MeasureText(line, size_, false));
  }

  bool HasFont() const { return font_ >= 0 && fonts_.FontCount() > size_t(font_); }
  float Width() const override { return width_; }
  float Height() const override { return size_ * float(lines_.size()); }

  void Draw(float x, float y, float scale) override {
    const float size = size_ * scale;
    const float left = x - Width() * scale * 0.5f;
    float centre = y + Height() * scale * 0.5f - size * 0.5f;
    fonts_.SelectFont(font_);
    fonts_.BeginText();
    for (const auto& line : lines_) {
      fonts_.DrawText(left, centre, size, line, kWhite);
      centre -= size;
    }
    fonts_.EndText();
  }

 private:
  // The inline symbols of the content ("%FOOD%" and the like), numbered as the game does.
  void RegisterSymbols(FileSystem& files) {
    XmlDocument doc(files);
    if (!doc.Load("symbols")) return;
    const XmlElement root = doc.FirstChild(XmlElement(), "SymbolTable");
    int code = 0;
    for (XmlElement e = root ? root.FirstChild("Symbol") : XmlElement(); e && code < 31;
         e = e.NextSibling("Symbol")) {
      fonts_.RegisterIcon(++code, e.Text("name"));
    }
  }

  TextureFontResources resources_;
  FontManager fonts_;
  int font_;
  float size_;
  std::u16string text_;
  std::vector<std::u16string> lines_;
  float width_ = 0.0f;
};

}  // namespace

std::unique_ptr<ViewItem> MakeTextItem(ViewServices& services, std::string_view argument,
                                       std::string& error) {
  const size_t colon = argument.find(':');
  if (colon == std::string_view::npos) {
    error = "text needs FONT:TEXT";
    return nullptr;
  }
  std::string font(argument.substr(0, colon));
  float size = 40.0f;
  if (const size_t at = font.find('@'); at != std::string::npos) {
    size = float(std::atof(font.c_str() + at + 1));
    font.resize(at);
  }
  if (!(size > 0.0f && size < 1000.0f)) {
    error = "bad text size in " + std::string(argument.substr(0, colon));
    return nullptr;
  }
  // A name ("font3") is looked up among the fonts loaded; an index counts only those.
  const bool byName = font.rfind("font", 0) == 0;
  const int index = byName ? -1 : std::atoi(font.c_str());
  auto item = std::make_unique<TextItem>(services, index, font, size,
                                         DecodeUtf8(argument.substr(colon + 1)));
  if (!item->HasFont()) {
    error = "no font " + font;
    return nullptr;
  }
  return item;
}
