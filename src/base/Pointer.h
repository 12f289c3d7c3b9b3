#pragma once

namespace base {

// Converts a raw pointer position (back-buffer pixels) to virtual screen coordinates: the back
// buffer covers the whole virtual screen, its centre is the origin, y grows upwards.
// Fullscreen scales each axis on its own; windowed uses the horizontal factor for both.
struct VirtualPoint {
  float x;
  float y;
};
VirtualPoint PointerToVirtual(float px, float py, float backBufferWidth, float backBufferHeight,
                              float virtualWidth, float virtualHeight, bool fullscreen);

// How many back-buffer pixels one window point covers on each axis. The system reports the
// pointer in window points; on a high-DPI screen the drawable has more pixels than the window
// has points (2 × 2 on a "2×" screen). 1 × 1 where either size is unknown.
struct PixelRatio {
  float x = 1.0f;
  float y = 1.0f;
};
PixelRatio RatioOf(float windowWidth, float windowHeight, float drawableWidth,
                   float drawableHeight);

// A pointer position in window points, as back-buffer pixels.
VirtualPoint WindowPointToPixels(float wx, float wy, PixelRatio ratio);
// A back-buffer pixel as a window point (to place the system cursor).
VirtualPoint PixelsToWindowPoint(float px, float py, PixelRatio ratio);

}  // namespace base
