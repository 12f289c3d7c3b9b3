// The jigsaw piece control: made by the "puzzle" element as kind 21, hit only inside its
// outline as it is drawn (turned clockwise about its centre), never outside its rectangle.
#include <cmath>

#include "ControlTypesSupport.h"
#include "gui/GUIPuzzle.h"

namespace {

using PuzzlePieceTest = ControlTypesFixture;

// The square "sq" (90 × 90) with a notch cut into its right edge: concave, and every edge
// faces the mean of the points, which lies left of the notch's tip.
const std::vector<GuiPoint> kNotched = {{-45, -45}, {45, -45}, {45, -15}, {25, 0},
                                        {45, 15},   {45, 45},  {-45, 45}};

// Ray casting: whether p lies inside the polygon.
bool InsidePolygon(GuiPoint p, const std::vector<GuiPoint>& poly) {
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const GuiPoint a = poly[i], b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

// p turned clockwise (y up) by degrees about the origin.
GuiPoint Clockwise(GuiPoint p, float degrees) {
  const double r = double(degrees) * 3.14159265358979 / 180.0;
  return {float(p.x * std::cos(r) + p.y * std::sin(r)),
          float(-p.x * std::sin(r) + p.y * std::cos(r))};
}

}  // namespace

TEST_F(PuzzlePieceTest, TheElementMakesKind21WithTheSpriteRectangleAsOutline) {
  Load("<puzzle id='11' spr='sq' cx='200' cy='50'/><pic id='12' spr='sq' cx='0' cy='0'/>");
  auto* piece = At<GUIPuzzle>(0);
  ASSERT_NE(piece, nullptr);
  EXPECT_EQ(int(piece->kind), 21);
  EXPECT_EQ(ControlFactory::KindOfElement("puzzle"), ControlKind::Puzzle);
  EXPECT_EQ(At<GUIPuzzle>(1), nullptr) << "a plain picture stays a picture";
  ASSERT_EQ(piece->outline.size(), 4u);
  EXPECT_FLOAT_EQ(piece->outline[0].x, -45);
  EXPECT_FLOAT_EQ(piece->outline[2].y, 45);
  EXPECT_FLOAT_EQ(piece->centroid.x, 0);
  EXPECT_FLOAT_EQ(piece->centroid.y, 0);
  // The rectangle's edges count as inside; a unit beyond them does not.
  EXPECT_TRUE(piece->HitTest(200, 50));
  EXPECT_TRUE(piece->HitTest(245, 95));
  EXPECT_TRUE(piece->HitTest(155, 5));
  EXPECT_FALSE(piece->HitTest(246, 50));
  EXPECT_FALSE(piece->HitTest(200, 4));
  EXPECT_EQ(list.HitTest(230, 80), piece);
  // Drawn as a picture, turned with its angle.
  piece->angle = 90;
  Drawn(piece);
  EXPECT_EQ(device->CallsOf(Op::Transform).size(), 2u);
}

TEST_F(PuzzlePieceTest, ATurnedConcavePieceIsHitOnlyInsideItsOutlineAsDrawn) {
  Load("<puzzle id='11' spr='sq' cx='0' cy='0'/>");
  auto* piece = At<GUIPuzzle>(0);
  ASSERT_NE(piece, nullptr);
  piece->SetOutline(kNotched);
  EXPECT_NEAR(piece->centroid.x, 115.0f / 7, 1e-4);
  EXPECT_FLOAT_EQ(piece->centroid.y, 0);
  // Unturned: the notch is on the right.
  EXPECT_FALSE(piece->HitTest(35, 0));
  EXPECT_TRUE(piece->HitTest(35, 30));
  EXPECT_TRUE(piece->HitTest(-40, 0));
  // A quarter turn clockwise carries the notch to the bottom, and the top to the right.
  piece->angle = 90;
  EXPECT_FALSE(piece->HitTest(0, -35));
  EXPECT_TRUE(piece->HitTest(35, 0));
  EXPECT_TRUE(piece->HitTest(-30, -30));
  // Whole turns either way change nothing.
  for (const float same : {450.0f, -270.0f, 810.0f}) {
    piece->angle = same;
    EXPECT_FALSE(piece->HitTest(0, -35)) << same;
    EXPECT_TRUE(piece->HitTest(35, 0)) << same;
  }
  // Everywhere on a fine grid, for every quarter turn, the hit is the polygon's inside.
  for (const float angle : {0.0f, 90.0f, 180.0f, 270.0f, -90.0f}) {
    piece->angle = angle;
    int mismatches = 0, hits = 0;
    for (float y = -50.3f; y < 50; y += 1.7f) {
      for (float x = -50.3f; x < 50; x += 1.7f) {
        const GuiPoint unturned = Clockwise({x, y}, -angle);
        const bool expected = InsidePolygon(unturned, kNotched);
        const bool hit = piece->HitTest(x, y);
        hits += hit;
        mismatches += hit != expected;
      }
    }
    EXPECT_EQ(mismatches, 0) << angle;
    EXPECT_GT(hits, 2000) << angle;
  }
}

TEST_F(PuzzlePieceTest, TheRectangleBoundsTheOutlineAndAShortOutlineHitsNothing) {
  Load("<puzzle id='11' spr='sq' cx='100' cy='0'/>");
  auto* piece = At<GUIPuzzle>(0);
  ASSERT_NE(piece, nullptr);
  // An outline reaching beyond the rectangle: the part outside the rectangle is not hit.
  piece->SetOutline({{-80, -80}, {80, -80}, {80, 80}, {-80, 80}});
  EXPECT_TRUE(piece->HitTest(140, 40));
  EXPECT_FALSE(piece->HitTest(160, 0));
  piece->angle = 45;
  EXPECT_TRUE(piece->HitTest(100 + 60, 0)) << "inside the turned rectangle";
  EXPECT_FALSE(piece->HitTest(100 + 70, 0));
  // No points (or a line) make no triangles; the centroid of nothing is the centre.
  piece->angle = 0;
  piece->SetOutline({});
  EXPECT_FLOAT_EQ(piece->centroid.x, 0);
  EXPECT_FALSE(piece->HitTest(100, 0));
  // A flat outline holds only its own line.
  piece->SetOutline({{-40, 0}, {40, 0}});
  EXPECT_TRUE(piece->HitTest(120, 0));
  EXPECT_FALSE(piece->HitTest(120, 5));
  EXPECT_FALSE(piece->HitTest(141, 0)) << "beyond the line, inside the rectangle";
  // An angle that is no number counts as none.
  piece->UseRectangleOutline();
  piece->angle = std::nanf("");
  EXPECT_TRUE(piece->HitTest(140, 40));
}

TEST_F(PuzzlePieceTest, AResetDrawsThePieceAtItsQuarterTurns) {
  Load("<puzzle id='11' spr='sq' cx='0' cy='0'/><puzzle id='12' spr='sq' cx='200' cy='0'/>");
  auto* a = At<GUIPuzzle>(0);
  auto* b = At<GUIPuzzle>(1);
  ASSERT_TRUE(a && b);
  a->rotation = 3;
  a->angle = 0;
  b->rotation = 0;
  b->angle = 123;
  list.ResetAll();
  EXPECT_FLOAT_EQ(a->angle, 270);
  EXPECT_FLOAT_EQ(b->angle, 0);
  // Moving keeps the size: centred on a point, the rectangle's centre is that point.
  a->CentreOn({-300, 40});
  EXPECT_FLOAT_EQ(CentreX(a->rect), -300);
  EXPECT_FLOAT_EQ(CentreY(a->rect), 40);
  EXPECT_FLOAT_EQ(std::fabs(a->rect.x1 - a->rect.x0), 90);
  const Rect r = a->RectCentredOn({10, 20});
  EXPECT_FLOAT_EQ(CentreX(r), 10);
  EXPECT_FLOAT_EQ(CentreY(r), 20);
  EXPECT_FLOAT_EQ(CentreX(a->rect), -300) << "only asked, not moved";
}

TEST(PuzzleTriangle, EdgesCountAndAFlatTriangleIsItsSegment) {
  const GuiPoint a{0, 0}, b{10, 0}, c{0, 10};
  EXPECT_TRUE(InTriangle({2, 2}, a, b, c));
  EXPECT_TRUE(InTriangle({2, 2}, a, c, b)) << "either way round";
  EXPECT_TRUE(InTriangle({5, 0}, a, b, c));
  EXPECT_FALSE(InTriangle({6, 6}, a, b, c));
  EXPECT_TRUE(InTriangle({3, 0}, a, b, {6, 0}));
  EXPECT_FALSE(InTriangle({12, 0}, a, b, {6, 0})) << "beyond the segment";
}
