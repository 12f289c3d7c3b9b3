#include "gui/GUIPuzzle.h"

#include <cmath>
#include <numbers>

#include "gui/LayoutElement.h"

GUIPuzzle::~GUIPuzzle() = default;

std::unique_ptr<GUIControl> GUIPuzzle::Read(const LayoutElement& element) {
  auto piece = std::make_unique<GUIPuzzle>();
  element.ReadCommon(*piece);
  piece->additive = element.Bool("add", false);
  piece->angle = element.Float("angle", 0.0f);
  element.Place(*piece);
  ReadPictureChangers(element, *piece);
  piece->UseRectangleOutline();
  return piece;
}

void GUIPuzzle::Reset() { angle = float(rotation) * 90.0f; }

void GUIPuzzle::UseRectangleOutline() {
  float w = std::fabs(rect.x1 - rect.x0), h = std::fabs(rect.y1 - rect.y0);
  if (sprite && sprite->width > 0 && sprite->height > 0) {
    w = sprite->width;
    h = sprite->height;
  }
  SetOutline({{-w / 2, -h / 2}, {w / 2, -h / 2}, {w / 2, h / 2}, {-w / 2, h / 2}});
}

void GUIPuzzle::SetOutline(std::vector<GuiPoint> points) {
  outline = std::move(points);
  double sx = 0, sy = 0;
  for (const GuiPoint& p : outline) {
    sx += p.x;
    sy += p.y;
  }
  const double n = outline.empty() ? 1.0 : double(outline.size());
  centroid = {float(sx / n), float(sy / n)};
}

void GUIPuzzle::CentreOn(GuiPoint c) {
  const GuiPoint now = Centre();
  Move(c.x - now.x, c.y - now.y);
}

Rect GUIPuzzle::RectCentredOn(GuiPoint c) const {
  const GuiPoint now = Centre();
  const float dx = c.x - now.x, dy = c.y - now.y;
  return {rect.x0 + dx, rect.y0 + dy, rect.x1 + dx, rect.y1 + dy};
}

bool InTriangle(GuiPoint p, GuiPoint a, GuiPoint b, GuiPoint c) {
  const auto cross = [](GuiPoint o, GuiPoint u, GuiPoint v) {
    return double(u.x - o.x) * double(v.y - o.y) - double(u.y - o.y) * double(v.x - o.x);
  };
  // Outside the triangle's box is outside (this also keeps a flat triangle to its segment).
  if (p.x < std::fmin(a.x, std::fmin(b.x, c.x)) || p.x > std::fmax(a.x, std::fmax(b.x, c.x)) ||
      p.y < std::fmin(a.y, std::fmin(b.y, c.y)) || p.y > std::fmax(a.y, std::fmax(b.y, c.y))) {
    return false;
  }
  const double d1 = cross(a, b, p), d2 = cross(b, c, p), d3 = cross(c, a, p);
  const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
  const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
  return !(negative && positive);
}

bool GUIPuzzle::HitTest(float x, float y) const {
  const GuiPoint c = Centre();
  double dx = double(x) - c.x, dy = double(y) - c.y;
  // Whole turns away; an angle that is no number counts as none.
  double a = std::isfinite(angle) ? std::fmod(double(angle), 360.0) : 0.0;
  if (a != 0.0) {
    // The drawing turns clockwise; turning the point counter-clockwise undoes it.
    const double r = a * std::numbers::pi / 180.0;
    const double cs = std::cos(r), sn = std::sin(r);
    const double tx = dx * cs - dy * sn, ty = dx * sn + dy * cs;
    dx = tx;
    dy = ty;
  }
  if (!RectContains(rect, float(c.x + dx), float(c.y + dy))) return false;
  const GuiPoint d{float(dx), float(dy)};
  for (size_t k = 0; k < outline.size(); ++k) {
    const GuiPoint& v0 = outline[k];
    const GuiPoint& v1 = outline[(k + 1) % outline.size()];
    if (InTriangle(d, centroid, v0, v1)) return true;
  }
  return false;
}
