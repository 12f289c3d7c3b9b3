#include "base/Pointer.h"

namespace base {

VirtualPoint PointerToVirtual(float px, float py, float bw, float bh, float w, float h,
                              bool fullscreen) {
  if (bw <= 0 || bh <= 0) return {0, 0};
  if (fullscreen) return {w / bw * px - w / 2, h / 2 - h / bh * py};
  const float s = w / bw;
  return {(px - bw / 2) * s, (bh / 2 - py) * s};
}

PixelRatio RatioOf(float windowWidth, float windowHeight, float drawableWidth,
                   float drawableHeight) {
  if (windowWidth <= 0 || windowHeight <= 0 || drawableWidth <= 0 || drawableHeight <= 0) {
    return {};
  }
  return {drawableWidth / windowWidth, drawableHeight / windowHeight};
}

VirtualPoint WindowPointToPixels(float wx, float wy, PixelRatio ratio) {
  return {wx * ratio.x, wy * ratio.y};
}

VirtualPoint PixelsToWindowPoint(float px, float py, PixelRatio ratio) {
  return {ratio.x > 0 ? px / ratio.x : px, ratio.y > 0 ? py / ratio.y : py};
}

}  // namespace base
