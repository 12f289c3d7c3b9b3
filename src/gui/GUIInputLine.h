#pragma once
#include <string>

#include "gui/GUITilePic.h"

// A one-line text input over a nine-slice background: typed characters the font can draw
// are appended up to a maximum number of characters and as long as the text (with its caret)
// fits inside the control; backspace and delete take the last character away, Enter reports
// to the screen. A caret blinks after the text. The text is shown exactly as typed: markup
// characters are not obeyed.
//
// Text is UTF-16 and characters arrive one code unit at a time: a character outside the
// Basic Multilingual Plane comes as a high and then a low surrogate, and is taken or refused
// as one character.
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
  void SetText(std::u16string_view value) override {
    text = value;
    pendingHigh_ = 0;
  }

  // Characters (not code units) in the text: a surrogate pair counts once.
  int CharacterCount() const;
  // The text and caret as drawn, and the part of the control they must stay inside (the
  // rectangle less the background's side borders); width 0 without fonts.
  float ShownWidth(std::u16string_view value) const;
  float AvailableWidth() const;

  std::u16string text;
  int maxLength = 20;
  uint32_t textColour = kWhite;
  bool caretVisible = false;
  float caretTimer = 0.0f;

 private:
  // Whether the current font draws the character (a glyph of its own, not the "?" that
  // stands in for missing ones); any character without fonts.
  bool Drawable(std::u16string_view character) const;
  bool Accepts(std::u16string_view character) const;
  void EraseLast();

  char16_t pendingHigh_ = 0;  // the first half of a surrogate pair, waiting for the second
};
