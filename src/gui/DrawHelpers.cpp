#include "gui/DrawHelpers.h"

#include <cmath>

#include "graphics/Renderer.h"

TexRect SubTexRect(const TexRect& tex, float fx0, float fy0, float fx1, float fy1) {
  const float du = tex.u1 - tex.u0;
  const float dv = tex.v1 - tex.v0;
  return {tex.u0 + du * fx0, tex.v0 + dv * fy0, tex.u0 + du * fx1, tex.v0 + dv * fy1};
}

Rect ScaledRect(const Rect& rect, float scale) {
  if (scale == 1.0f) return rect;
  const float cx = (rect.x0 + rect.x1) * 0.5f;
  const float cy = (rect.y0 + rect.y1) * 0.5f;
  const float hw = std::fabs(rect.x1 - rect.x0) * scale * 0.5f;
  const float hh = std::fabs(rect.y1 - rect.y0) * scale * 0.5f;
  return {cx - hw, cy + hh, cx + hw, cy - hh};
}

Rect UprightRect(const Rect& rect) {
  return {std::fmin(rect.x0, rect.x1), std::fmax(rect.y0, rect.y1), std::fmax(rect.x0, rect.x1),
          std::fmin(rect.y0, rect.y1)};
}

float NormalizedAngle(float degrees) {
  if (!std::isfinite(degrees)) return 0.0f;
  return std::fmod(degrees, 360.0f);
}

Matrix Translation(float dx, float dy) {
  Matrix m = Matrix::Identity();
  m.m[3][0] = dx;
  m.m[3][1] = dy;
  return m;
}

Matrix ClockwiseAbout(float degrees, float cx, float cy) {
  // Turning clockwise on a y-up screen is turning by -degrees in the usual sense.
  const float r = -degrees * 3.14159265f / 180.0f;
  const float c = std::cos(r), s = std::sin(r);
  Matrix rotation = Matrix::Identity();
  rotation.m[0][0] = c;
  rotation.m[0][1] = s;
  rotation.m[1][0] = -s;
  rotation.m[1][1] = c;
  return Translation(-cx, -cy) * rotation * Translation(cx, cy);
}

void ResetWorldTransform(Renderer& renderer) {
  renderer.SetTransform(TransformKind::World, Matrix::Identity());
}
