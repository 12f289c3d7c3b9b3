#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/Font.h"
#include "graphics/Texture.h"
#include "graphics/Vertex.h"

class FileSystem;
class Renderer;
class StringTable;

// What an inline icon draws: a rectangle of a texture.
struct FontIcon {
  Texture* texture = nullptr;
  TexRect rect;
};

// The textures and sprites fonts need, supplied by the texture and sprite managers (see
// TextureFontResources.h for the adapter the game uses).
class FontResources {
 public:
  virtual ~FontResources() = default;
  // The page texture of that name, loaded with mipmaps; none when it cannot be loaded.
  virtual Texture* PageTexture(const std::string& name) = 0;
  // Frees the texture of that name if it is loaded (language change: pages come back from
  // the new locale folders).
  virtual void DeletePageTexture(const std::string& name) = 0;
  // The sprite of that name, none when it does not exist.
  virtual std::optional<FontIcon> Sprite(const std::string& name) = 0;
};

// Draws, measures and breaks text with up to nine bitmap fonts ("font1" … "font9"), ten
// text colours ("font_colors") and up to 31 inline icons.
//
// Markup inside a UTF-16 text:
//   ^0 … ^9   the following text in colour 0 … 9 of "font_colors" (the caller's alpha kept)
//   ^s        the rest of the line larger
//   1 … 31    (code units) the icon registered under that code, one line height square, in
//             its own colours with the text's alpha
//   \         line break (LayoutLines, TextHeight and multiline measuring)
//   ^^        a caret and ^\ a backslash, drawn and measured as that one character
//             (Literal writes any text so that it shows exactly as it is)
//
// Drawing: SelectFont, BeginText, DrawText …, EndText. Glyphs go straight into the
// renderer's shared vertex array (at most 2048 vertices per batch; more text is cut off) and
// are drawn with one call at EndText, followed by the icons.
class FontManager {
 public:
  static constexpr int kMaxFonts = 9;
  static constexpr int kColourCount = 10;
  static constexpr int kMaxIconCode = 31;
  static constexpr char16_t kNoIconCode = u' ';

  // Installs the placeholder hook into strings, so every string loaded after icons are
  // registered gets its placeholders replaced; the destructor removes it again.
  FontManager(FileSystem& files, Renderer& renderer, FontResources& resources,
              StringTable* strings = nullptr);
  ~FontManager();
  FontManager(const FontManager&) = delete;
  FontManager& operator=(const FontManager&) = delete;

  // Reads "font_colors" (only the ids present change), then drops every font and loads
  // "font1" … "font9"; a font that fails is left out, so later fonts move up. Selects
  // font 0 when there is one. Always true.
  bool Load();
  // Language change: frees the page textures (so they are read again from the new locale
  // folders) and loads everything again.
  bool Reload();

  // Index 0 is the first font loaded; an index outside the loaded fonts selects font 0.
  void SelectFont(int index);
  const Font* CurrentFont() const { return current_; }
  size_t FontCount() const { return fonts_.size(); }
  const Font* FontAt(size_t index) const;
  // Which index the current font has (-1 for none).
  int CurrentIndex() const;

  void BeginText();
  // One line: x is its left edge, y its vertical centre, size its height in virtual units.
  void DrawText(float x, float y, float size, std::u16string_view text, uint32_t colour);
  // The same for a UTF-8 text (frame-rate overlay, tools).
  void DrawText(float x, float y, float size, std::string_view utf8, uint32_t colour);
  void EndText();
  // Vertices written since BeginText.
  int PendingVertices() const { return vertexCount_; }

  float MeasureText(std::u16string_view text, float size, bool multiline) const;
  // Whether the current font has a glyph of its own for c (no "?" standing in); false
  // without a font.
  bool HasGlyph(char16_t c) const { return current_ && current_->Has(c); }
  float TextHeight(std::u16string_view text, float size) const;
  void LayoutLines(std::u16string_view text, std::vector<std::u16string>& lines, float size,
                   float width, bool wrap) const;

  // Colour table (ARGB).
  uint32_t Colour(int index) const;
  void SetColour(int index, uint32_t argb);

  // Icons and placeholders. Codes outside 1..31 are not registered.
  void RegisterIcon(int code, std::string_view name);
  void ReplacePlaceholders(std::u16string& text) const;
  char16_t IconCode(std::string_view name) const;
  char16_t IconCodeOf(std::u16string_view placeholder) const;
  std::optional<FontIcon> Icon(int code) const;

  // The placeholder made from a symbol name: "%" + name in upper case + "%".
  static std::u16string Placeholder(std::string_view name);
  // text written so that it shows as it is, markup characters included: carets and
  // backslashes escaped, control characters (icon codes) left out. For what players type,
  // such as their names.
  static std::u16string Literal(std::u16string_view text);
  // Whether text[i] starts an escaped caret or backslash ("^^", "^\").
  static bool EscapeAt(std::u16string_view text, size_t i) {
    return text[i] == u'^' && i + 1 < text.size() && (text[i + 1] == u'^' || text[i + 1] == u'\\');
  }

 private:
  struct PendingIcon {
    int code;
    float x;
    float y;
    float size;
    uint32_t colour;
  };

  std::unique_ptr<Font> LoadFont(const std::string& name);
  void LoadColours();

  FileSystem& files_;
  Renderer& renderer_;
  FontResources& resources_;
  StringTable* strings_;

  std::vector<std::unique_ptr<Font>> fonts_;
  const Font* current_ = nullptr;
  std::array<uint32_t, kColourCount> colours_{};
  std::array<std::string, kMaxIconCode + 1> iconNames_;  // sprite names, empty: none
  std::array<std::u16string, kMaxIconCode + 1> placeholders_;

  Vertex* vertices_ = nullptr;  // the shared array while a batch is open
  int vertexCount_ = 0;
  std::vector<PendingIcon> icons_;
};
