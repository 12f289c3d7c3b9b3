#pragma once
// Small pieces of arithmetic the control types share when they draw: sub-rectangles of a
// texture, rectangles scaled about their centre, and the rotation matrices of pictures.
#include "graphics/RenderDevice.h"
#include "graphics/Vertex.h"

class Renderer;

// The part of tex between the fractions (fx0, fy0) and (fx1, fy1) of its width and height.
TexRect SubTexRect(const TexRect& tex, float fx0, float fy0, float fx1, float fy1);
// rect scaled by scale about its centre, first corner at the top-left (mirroring is lost).
// scale 1 gives rect itself.
Rect ScaledRect(const Rect& rect, float scale);
// rect with its first corner at the top-left: x0 < x1, y0 > y1.
Rect UprightRect(const Rect& rect);
// An angle brought into (-360, 360) by whole turns; NaN and infinities give 0.
float NormalizedAngle(float degrees);
// The row-vector matrix that turns points clockwise on screen by degrees about (cx, cy).
Matrix ClockwiseAbout(float degrees, float cx, float cy);
// The row-vector matrix that moves by (dx, dy).
Matrix Translation(float dx, float dy);
// Sets the renderer's world transform to the identity.
void ResetWorldTransform(Renderer& renderer);
