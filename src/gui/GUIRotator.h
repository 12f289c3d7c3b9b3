#pragma once
#include <memory>

#include "graphics/RenderDevice.h"
#include "gui/GUIControl.h"

class LayoutElement;

// A transform switch: everything drawn after it in its list turns about its first corner by
// its angle, which grows at a steady rate. A parent rotator's transform applies after its
// own, so rotators nest.
class GUIRotator : public GUIControl {
 public:
  // Parent chains longer than this (or cycles) stop here.
  static constexpr int kMaxDepth = 16;

  GUIRotator() : GUIControl(ControlKind::DrawingSwitch) {}

  // "rotator": parent, angle, angle_change. Sized by w and h.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  void Update(float dt) override;
  float Angle() const override { return angle; }
  void SetAngle(float degrees) override { angle = degrees; }

  // This rotator's transform followed by its parents'.
  Matrix Transform() const;
  // This rotator's own transform.
  Matrix OwnTransform() const;

  float angle = 0.0f;
  float angularSpeed = 0.0f;
  int parent = 0;
};
