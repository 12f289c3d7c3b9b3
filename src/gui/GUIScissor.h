#pragma once
#include <memory>

#include "gui/GUIControl.h"

class LayoutElement;

// A clipping switch: when on, everything drawn after it in its list is clipped to its
// rectangle; when off, clipping ends.
class GUIScissor : public GUIControl {
 public:
  GUIScissor() : GUIControl(ControlKind::DrawingSwitch) {}

  // "scissor": on. Sized by w and h.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  // The scissor rectangle in virtual pixels from the top-left: x, y, width, height.
  void ScissorBox(int& x, int& y, int& w, int& h) const;

  bool on = false;
};

// Places the controls that have no sprite (scissor, rotator) by w and h with the common rule.
Rect PlaceSwitch(const LayoutElement& element);
