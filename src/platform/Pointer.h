#pragma once

namespace platform {

// Converts a raw pointer position (back-buffer pixels) to virtual screen coordinates: the back
// buffer covers the whole virtual screen, its centre is the origin, y grows upwards.
// Fullscreen scales each axis on its own; windowed uses the horizontal factor for both.
struct VirtualPoint {
  float x;
  float y;
};
VirtualPoint PointerToVirtual(float px, float py, float backBufferWidth, float backBufferHeight,
                              float virtualWidth, float virtualHeight, bool fullscreen);

}  // namespace platform
