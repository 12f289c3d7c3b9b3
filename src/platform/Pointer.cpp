#include "platform/Pointer.h"

namespace platform {

VirtualPoint PointerToVirtual(float px, float py, float bw, float bh, float w, float h,
                              bool fullscreen) {
  if (bw <= 0 || bh <= 0) return {0, 0};
  if (fullscreen) return {w / bw * px - w / 2, h / 2 - h / bh * py};
  const float s = w / bw;
  return {(px - bw / 2) * s, (bh / 2 - py) * s};
}

}  // namespace platform
