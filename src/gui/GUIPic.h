#pragma once
#include <memory>

#include "gui/GUIControl.h"

class LayoutElement;
class Renderer;

// A picture: the control's sprite drawn over its rectangle, optionally additive, rotated
// clockwise about its centre (plus a pivot offset) and scaled about its centre. Packed wide
// textures fill the screen as wide backgrounds.
class GUIPic : public GUIControl {
 public:
  GUIPic() : GUIControl(ControlKind::Picture) {}
  explicit GUIPic(ControlKind k) : GUIControl(k) {}

  // "pic": add, angle, scale, cx, cy, inv; flags c (flicker), tca/tcx/tcy (texture scroll).
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  // With `clickFor`: a press and release over the picture is a click.
  bool OnInput(InputEvent event) override;
  void SetHover(bool hovered) override { hovered_ = hovered; }
  void Reset() override { angle = 0.0f; }
  float Angle() const override { return angle; }
  void SetAngle(float degrees) override { angle = degrees; }
  void SetTiling(bool on) override { tiling = on; }

  float angle = 0.0f;  // degrees, positive clockwise on screen
  bool additive = false;
  bool tiling = false;  // texture wrapping (set by a texture scroll)
  float pivotX = 0.0f, pivotY = 0.0f;

 protected:
  bool pressed_ = false, hovered_ = false;
  // Whether there is anything to draw: a sprite with a texture and a visible alpha.
  bool Drawable() const;
  // Binds the texture and shader and sets blending and wrapping; EndPicture undoes them.
  void BeginPicture(Renderer& renderer) const;
  void EndPicture(Renderer& renderer) const;
  // The effects layout flags add to pictures (flicker, texture scroll).
  static void ReadPictureChangers(const LayoutElement& element, GUIControl& control);
};
