#pragma once
#include <memory>
#include <vector>

#include "gui/GUIPic.h"

class GUIPuzzle;
class LayoutElement;

// A neighbour a puzzle piece fits against: its piece number (1–10), where its centre lies
// from this piece's centre in the finished picture, and its control once the board is built.
struct PuzzleLink {
  int number = 0;
  GuiPoint offset;
  GUIPuzzle* neighbour = nullptr;
};

// One piece of a jigsaw puzzle: a picture (drawn as a GUIPic, turned clockwise by its angle)
// that a pointer hits only inside its outline. Pieces with the same non-zero group are joined
// and move and turn as one.
class GUIPuzzle : public GUIPic {
 public:
  GUIPuzzle() : GUIPic(ControlKind::Puzzle) {}
  ~GUIPuzzle() override;

  // A piece from a picture element ("pic" attributes: add, angle, scale, cx, cy, inv and the
  // picture flags); its outline is the sprite's rectangle until the screen gives it one.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  // The point lies inside the outline as the piece is drawn: the point is turned back by the
  // angle about the rectangle's centre, must lie in the rectangle (edges inside) and then in
  // one of the triangles from the centroid to each outline edge.
  bool HitTest(float x, float y) const override;
  // The angle follows the quarter turns (a reset never leaves a turned piece drawn straight).
  void Reset() override;

  // The outline becomes the rectangle of the sprite (or of the control without a sprite),
  // centred on the origin, and the centroid its mean.
  void UseRectangleOutline();
  // Replaces the outline; the centroid becomes the mean of its points (the origin for none).
  void SetOutline(std::vector<GuiPoint> points);
  GuiPoint Centre() const { return {CentreX(rect), CentreY(rect)}; }
  // Centres the rectangle on c, keeping its size.
  void CentreOn(GuiPoint c);
  // The rectangle of this size centred on c.
  Rect RectCentredOn(GuiPoint c) const;

  int rotation = 0;  // quarter turns clockwise, 0–3
  int group = 0;     // 0 alone; pieces with the same non-zero value are joined
  GuiPoint centroid;
  GuiPoint home;                  // the centre in the finished picture
  std::vector<GuiPoint> outline;  // relative to the centre, unturned, y up, in order
  std::vector<PuzzleLink> links;
};

// Whether p lies in the triangle (a, b, c), edges included, whichever way round it turns.
bool InTriangle(GuiPoint p, GuiPoint a, GuiPoint b, GuiPoint c);
