#pragma once
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "base/InputEvent.h"
#include "data/XmlElement.h"
#include "graphics/Shader.h"
#include "graphics/Sprite.h"
#include "graphics/Vertex.h"
#include "gui/ControlKind.h"
#include "gui/GUIChanger.h"

class ControlList;

// The orientation-free rectangle test: (x, y) is inside when its distance from the centre is
// at most half the width and half the height; edges count as inside, and which corner comes
// first does not matter. Nothing is inside a rectangle with a NaN coordinate.
bool RectContains(const Rect& rect, float x, float y);
// The centre of a rectangle.
inline float CentreX(const Rect& r) { return (r.x0 + r.x1) * 0.5f; }
inline float CentreY(const Rect& r) { return (r.y0 + r.y1) * 0.5f; }

// One element of a screen: a picture, text, button, dialog and so on. The base holds what
// every type shares and does what the types leave alone; each type overrides the behaviour it
// has (drawing always). Controls are owned by exactly one ControlList, changers by their
// control.
class GUIControl {
 public:
  GUIControl() = default;
  explicit GUIControl(ControlKind k) : kind(k) {}
  // Deletes the changers.
  virtual ~GUIControl();
  GUIControl(const GUIControl&) = delete;
  GUIControl& operator=(const GUIControl&) = delete;

  // The control the layout element names, built by the reader its type registered in the
  // installed GUI context's factory and placed relative to parent's rectangle (none: the
  // screen). None when its creation letters exclude it or no type reads that element.
  static std::unique_ptr<GUIControl> Create(XmlElement element, const GUIControl* parent);

  // --- What a type does, in the order of the control contract. The base behaviour is in
  // brackets.
  // Draws the control [nothing].
  virtual void Draw();
  // Advances by dt milliseconds [runs the changers, see below].
  virtual void Update(float dt);
  // Clears transient state when the screen is shown again: presses, hover marks, animation
  // frames [nothing].
  virtual void Reset();
  // The focus arrives or leaves [nothing].
  virtual void SetFocus(bool focused);
  // [adds dx to x0 and x1, dy to y0 and y1]
  virtual void Move(float dx, float dy);
  // The control was added to a list [snaps the first corner to whole units towards zero].
  virtual void OnAdded();
  // An input event; true when it produced a command for the screen [false].
  virtual bool OnInput(InputEvent event);
  // The pointer came over the control or left it [nothing].
  virtual void SetHover(bool hovered);
  // Whether the point (virtual coordinates) hits the control [inside rect, RectContains].
  virtual bool HitTest(float x, float y) const;
  // [copies the rectangle]
  virtual void SetRect(const Rect& r);
  // [rect = (x, y, x + w, y + h)]
  virtual void SetBounds(float x, float y, float w, float h);
  // [stores the sprite; a sprite also gives its texture rectangle]
  virtual void SetSprite(Sprite* s);

  // --- Properties only some types have. Changers and screens reach them through these; the
  // base has none of them and ignores the calls, except the font size, which it stores.
  virtual void SetText(std::u16string_view text);
  virtual void SetFontSize(float size);
  virtual float Angle() const;  // degrees, positive clockwise on screen [0]
  virtual void SetAngle(float degrees);
  virtual void SetProgressValue(float value);
  virtual void SetOverlayAlpha(int alpha);
  // Texture wrapping for scrolled pictures.
  virtual void SetTiling(bool on);
  // Shifts the texture rectangle by (du, dv); whenever u0 (v0) leaves [-1, 1] every u (v)
  // coordinate moves back by a whole turn [the base does exactly that on texRect].
  virtual void ScrollTexture(float du, float dv);
  // A tab dialog (kind 15) hands over the id of the child clicked since it was shown, once,
  // and forgets it [0].
  virtual int TakeResult();

  // --- Changers.
  // Appends a changer. When no attached changer is blocking, the new one is stepped once at
  // once with dt 0, so that its start value shows; behind a blocking one it waits its turn.
  GUIChanger* AddChanger(std::unique_ptr<GUIChanger> changer);
  // Deletes every changer (also from inside a changer's step: the walk then ends).
  void ClearChangers();
  const std::vector<std::unique_ptr<GUIChanger>>& Changers() const { return changers_; }
  bool HasChangers() const { return !changers_.empty(); }

  // rect becomes (x0, y0, x0 + sprite width, y0 - sprite height); nothing without a sprite.
  void FitToSprite();

  int Alpha() const { return int(colour >> 24); }
  // Writes the alpha byte of the colour (clamped to 0..255).
  void SetAlpha(int alpha);

  int id = 0;   // what a click on the control reports to its screen; 0 takes no pointer input
  int tag = 0;  // the screen's own number
  // A picture standing for a button: a click on it reports that button's id (while the button
  // is shown and active) and hovering it lights the button, so the picture takes its clicks.
  int clickFor = 0;
  // The screen's or dialog's main action: the keyboard's first mark, and what Enter clicks
  // while nothing is marked.
  bool isDefault = false;
  ControlKind kind = ControlKind::Bare;
  bool passive = false;  // skipped by pointer targeting and the focus
  bool visible = true;   // invisible controls are neither drawn nor hit
  bool active = true;    // buttons react only when active; the focus needs it
  Sprite* sprite = nullptr;
  const Shader* shader = nullptr;
  Rect rect;                 // virtual coordinates; each type fixes which corner comes first
  Rect baseRect;             // rect when the control was added to its list (not for dialogs)
  uint32_t colour = kWhite;  // ARGB; the top byte is the control's alpha
  float scale = 1.0f;
  TexRect texRect = kFullTexRect;
  ControlList* owner = nullptr;
  int fontId = 0;
  float fontSize = 0.0f;
  bool keyboard = false;   // receives character events
  bool animating = false;  // had changers at the start of the last update

 private:
  std::vector<std::unique_ptr<GUIChanger>> changers_;
  // Changers cleared while the walk of Update runs: deleted when it ends.
  std::vector<std::unique_ptr<GUIChanger>> retired_;
  bool walking_ = false;
};
