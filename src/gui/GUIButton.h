#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gui/GUIControl.h"

class LayoutElement;
class Renderer;

// A button: a sprite of state frames (normal, highlight, pressed, disabled), a glow that
// fades the highlight in while the pointer is over it, and either a label or an overlay
// picture. A release over the pressed button is a click.
class GUIButton : public GUIControl {
 public:
  static constexpr uint32_t kNormalTextColour = 0xFF282828u;
  static constexpr uint32_t kHighlightTextColour = 0xFF5F5F5Fu;

  GUIButton() : GUIControl(ControlKind::Button) {}

  // "button": font, font_size, wrap, text, frames, ovr, ovw, ovh, ovf, ovc, ovb, ofx, ofy,
  // ovrShader, fca, fci; flags o (frames stacked), s (passive), c (wander and pulse),
  // h (fires on press), l (fires when the pointer leaves while pressed); dlt, tim, ova, ovt.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  void Update(float dt) override;
  void Reset() override;
  bool OnInput(InputEvent event) override;
  void SetHover(bool h) override { hovered = h; }
  void SetText(std::u16string_view text) override;
  void SetOverlayAlpha(int alpha) override;
  void SetSelected(bool on) { selected = on; }

  // The frame the button shows in its current state.
  int StateFrame() const;
  // The texture rectangle of frame k of a sprite of frameCount frames (stacked: strips).
  static TexRect FrameRect(const TexRect& tex, int frameCount, bool stacked, int k);
  // How many columns and rows the frames take.
  static void Grid(int frameCount, bool stacked, int& columns, int& rows);

  const std::u16string& Label() const { return label_; }
  const std::vector<std::u16string>& Lines() const { return lines_; }

  bool wrap = false;
  bool pressed = false, hovered = false, selected = false;
  bool fireOnPress = false, fireOnLeave = false;
  bool stacked = false;  // frames are horizontal strips
  float glow = 0.0f;     // 0..255
  int frames = 4;

  Sprite* overlay = nullptr;
  float overlayW = 0.0f, overlayH = 0.0f;
  int overlayFrames = 1;
  uint32_t overlayColour = kWhite;
  int overlayBlend = 0;
  float offsetX = 0.0f, offsetY = 0.0f;
  const Shader* overlayShader = nullptr;
  uint32_t textColour = kNormalTextColour;
  uint32_t highlightColour = kHighlightTextColour;

 private:
  void DrawLabel() const;
  void DrawOverlay(Renderer& renderer) const;

  std::u16string label_;
  std::vector<std::u16string> lines_;
};

// Where a button lands: like a picture, except that its default size is a frame of its
// sprite with y0 at the bottom, r and t step back by the size before mirroring, and cx / cy
// (anchored as x and y) come last.
Rect PlaceButton(const LayoutElement& element, float frameW, float frameH);
