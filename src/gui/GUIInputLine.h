#pragma once
#include <string>

#include "gui/GUITilePic.h"

// A one-line text input over a nine-slice background: typed characters the font can draw
// are appended up to a maximum length, backspace and delete take the last one away, Enter
// reports to the screen. A caret blinks after the text.
class GUIInputLine : public GUITilePic {
 public:
  static constexpr float kBlinkMs = 500.0f;

  GUIInputLine() {
    kind = ControlKind::InputLine;
    keyboard = true;
  }

  // "input": font (1), font_size, font_col, max, and the tile picture's.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  void Update(float dt) override;
  bool OnInput(InputEvent event) override;
  void SetText(std::u16string_view value) override { text = value; }

  std::u16string text;
  int maxLength = 20;
  uint32_t textColour = kWhite;
  bool caretVisible = false;
  float caretTimer = 0.0f;

 private:
  // Whether the current font draws c (a glyph of some width); any character without fonts.
  bool Drawable(char16_t c) const;
};
