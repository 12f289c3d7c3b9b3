#pragma once
#include <memory>

#include "gui/GUIControl.h"

class LayoutElement;

// A slider: a track with end caps and a square thumb, from one sprite (track in the top
// 30/64 of its height, thumb below). Dragging sets the value; press, every drag step and
// the release are reported to the screen.
class GUISlider : public GUIControl {
 public:
  GUISlider() : GUIControl(ControlKind::Slider) {}

  // "slider": flags v (vertical). Sprite width × 30/64 of its height, y0 at the bottom.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  // A drag does not outlive the screen; the value does.
  void Reset() override { dragging = false; }
  bool OnInput(InputEvent event) override;

  void SetRange(float minimum, float maximum) {
    min = minimum;
    max = maximum;
  }
  float Value() const { return value; }
  // The value's place between minimum and maximum, 0..1 (0 for an empty range).
  float Fraction() const;
  // Sets the value from a pointer position.
  void DragTo(float x, float y);

  float min = 0.0f, max = 100.0f, value = 50.0f;
  bool dragging = false;
  bool vertical = false;
};
