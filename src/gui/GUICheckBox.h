#pragma once
#include <memory>

#include "gui/GUIControl.h"

class LayoutElement;

// A check box: the sprite holds the unchecked (left half) and checked (right half) state
// side by side. A release over it toggles.
class GUICheckBox : public GUIControl {
 public:
  GUICheckBox() : GUIControl(ControlKind::CheckBox) {}

  // "checkbox": flags s (passive). Half the sprite wide, y0 at the bottom, only r steps back.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  // A press or hover mark does not outlive the screen; checked does.
  void Reset() override { pressed = hovered = false; }
  bool OnInput(InputEvent event) override;
  void SetHover(bool h) override { hovered = h; }
  void SetChecked(bool on) { checked = on; }

  bool pressed = false, hovered = false, checked = false;
};
