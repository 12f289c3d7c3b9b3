#pragma once
#include <cstdint>

// The one vertex layout of the game: position, ARGB colour (alpha in the top byte), one
// texture coordinate pair. 24 bytes, tightly packed; the render devices rely on the offsets.
struct Vertex {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  uint32_t colour = 0xFFFFFFFFu;
  float u = 0.0f;
  float v = 0.0f;
};
static_assert(sizeof(Vertex) == 24, "the vertex layout is 24 bytes");

// A rectangle in virtual screen units: corner 0 is (x0, y0), corner 2 is (x1, y1).
struct Rect {
  float x0 = 0.0f;
  float y0 = 0.0f;
  float x1 = 0.0f;
  float y1 = 0.0f;
};

// A rectangle in texture coordinates.
struct TexRect {
  float u0 = 0.0f;
  float v0 = 0.0f;
  float u1 = 1.0f;
  float v1 = 1.0f;
};

// A free quad corner (AddQuadCorners).
struct Corner {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

inline constexpr uint32_t kWhite = 0xFFFFFFFFu;
inline constexpr TexRect kFullTexRect{0.0f, 0.0f, 1.0f, 1.0f};
