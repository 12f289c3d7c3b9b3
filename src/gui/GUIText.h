#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gui/GUIControl.h"
#include "gui/GUITilePic.h"

class FontManager;
class LayoutElement;

// Breaks text into lines for a font size and a width: at every backslash, and with wrap
// also where a line would grow wider than width (the font's rule). Without a font manager
// the text is only cut at backslashes. Only the first kMaxLaidOutText code units are laid
// out: a batch draws at most 512 glyphs anyway, and breaking costs more than linear time.
inline constexpr size_t kMaxLaidOutText = 4096;
void BreakLines(FontManager* fonts, int font, std::u16string_view text, float size, float width,
                bool wrap, std::vector<std::u16string>& lines);

// Lines of text in one font, size and colour, stacked about the vertical centre of the
// rectangle and aligned left (0), right (2) or centred (any other value).
class GUIText : public GUIControl {
 public:
  static constexpr uint32_t kDefaultColour = 0xFF323232u;

  GUIText() : GUIControl(ControlKind::Text) { colour = kDefaultColour; }
  explicit GUIText(ControlKind k) : GUIControl(k) { colour = kDefaultColour; }

  // "text": font, font_size, align, wrap, text (a string key); flags v (version), u (user
  // name), l (a named value), c (pulse).
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  void SetText(std::u16string_view text) override;
  void SetFontSize(float size) override;

  const std::u16string& Text() const { return text_; }
  const std::vector<std::u16string>& Lines() const { return lines_; }
  // The y of the first of n lines at size s about centre.
  static float FirstLineY(float centre, int n, float s);

  int align = 1;
  bool wrap = false;

 protected:
  // Reads what a text and a hint share (and places the control).
  static void ReadText(const LayoutElement& element, GUIText& text);
  void DrawLines() const;

  std::u16string text_;
  std::vector<std::u16string> lines_;
};

// A text over a nine-slice background that it owns, shown for a time with a fade in and out,
// or until hidden.
class GUIHint : public GUIText {
 public:
  GUIHint();

  // "hint": the text's attributes plus tile (background tile mode), time, spr (background).
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  void Update(float dt) override;
  void SetText(std::u16string_view text) override;
  void SetRect(const Rect& r) override;
  void SetBounds(float x, float y, float w, float h) override;
  void SetSprite(Sprite* s) override;

  // Shows text at (x, y, x + w, y + h) for time milliseconds (≤ 0: until hidden). pad > 0
  // narrows the text by pad/2 on each side; pad < 0 grows the rectangle by the text's size.
  // With a pad the hint is kept inside the screen.
  void Show(float x, float y, float w, float h, std::u16string_view text, float time, float pad);
  void Hide() { timeLeft = 0.0f; }

  GUITilePic& Background() { return *background_; }
  float timeLeft = 0.0f;  // milliseconds; -1 shown until hidden, 0 hidden

 private:
  std::unique_ptr<GUITilePic> background_;
};
