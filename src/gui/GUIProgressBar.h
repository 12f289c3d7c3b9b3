#pragma once
#include <memory>

#include "gui/GUIControl.h"

class LayoutElement;

// What a progress bar and a round progress share: a value running up to a total (direction
// > 0) or down from it, finished when it reaches the end; manual ones move only when told.
struct ProgressState {
  float total = 0.0f;
  float value = 0.0f;
  int direction = 1;
  bool done = false;
  bool manual = true;

  void Start(float newTotal, int newDirection);
  void Advance(float amount);
  // value / total within 0..1; 0 for a total of 0.
  float Fraction(float shown) const;
};

// A straight progress bar: the empty bar over the whole rectangle and the full bar over the
// filled part (the sprite holds both, one in each half), with an optional end cap and a
// displayed value that follows the value smoothly.
class GUIProgressBar : public GUIControl {
 public:
  GUIProgressBar() : GUIControl(ControlKind::ProgressBar) {}

  // "progress": smooth, fancy, flags v. Sprite-sized; a given h is negated; no parent.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  void Update(float dt) override;
  void SetProgressValue(float v) override;

  void Start(float total, int direction);
  void Advance(float amount) { state.Advance(amount); }
  float Displayed() const { return displayed; }

  ProgressState state;
  float displayed = 0.0f;
  bool vertical = false;
  int smoothing = 0;  // milliseconds per unit, 0 none
  float endCap = 0.0f;
};

// A round progress: a radial wipe that grows anticlockwise from the top centre, or with
// stepped set one of nine frames of a 3 × 3 sheet.
class GUIRoundProgress : public GUIControl {
 public:
  GUIRoundProgress() : GUIControl(ControlKind::RoundProgress) {}

  // "round": flags s (stepped). Sprite-sized (a third with s); a given h is negated.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  void Update(float dt) override;
  void SetProgressValue(float v) override;

  void Start(float total, int direction) { state.Start(total, direction); }
  void Advance(float amount) { state.Advance(amount); }
  // The frame the stepped form shows, 0..8.
  int StepFrame() const;
  // The ten vertices of the wipe at fraction r (positions in rect, texture in texRect), and
  // the triangles drawn; false when nothing is drawn.
  bool BuildWipe(float r, Vertex (&vertices)[10], uint16_t (&indices)[24], int& indexCount) const;

  ProgressState state;
  bool stepped = false;
};
