#include "platform/ControllerPointer.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// The deflection beyond the dead zone, -1..1.
float Deflection(int16_t value) {
  const float v = float(value);
  const float magnitude = std::fabs(v) - float(ControllerPointer::kDeadZone);
  if (magnitude <= 0) return 0;
  const float range = 32767.0f - float(ControllerPointer::kDeadZone);
  return std::copysign(std::min(1.0f, magnitude / range), v);
}

}  // namespace

void ControllerPointer::SetAxis(int axis, int16_t value) {
  if (axis == 0) x_ = Deflection(value);
  if (axis == 1) y_ = Deflection(value);
  if (!Deflected()) heldMs_ = 0;
}

bool ControllerPointer::Deflected() const { return x_ != 0 || y_ != 0; }

ControllerPointer::Move ControllerPointer::Step(float ms, float height) {
  if (!Deflected() || !(ms > 0) || !std::isfinite(ms) || !(height > 0)) return {};
  ms = std::min(ms, 250.0f);  // a stalled frame does not fling the pointer away
  heldMs_ = std::min(heldMs_ + ms, kRampMs);
  const float speed = kSlowSpeed + (kFastSpeed - kSlowSpeed) * (heldMs_ / kRampMs);
  const float tilt = std::min(1.0f, std::hypot(x_, y_));
  const float scale = speed * height * ms / 1000.0f * tilt;  // tilt² along the direction
  return Move{x_ * scale, y_ * scale};
}

}  // namespace platform
