#pragma once
#include <cstdint>

namespace platform {

// A game controller's left stick driving the pointer: a dead zone in the middle, then a speed
// that grows with the square of the deflection (fine aim near the middle) and with how long
// the stick has been held out (acceleration across the screen).
class ControllerPointer {
 public:
  static constexpr int kDeadZone = 8000;            // of 32767
  static constexpr float kSlowSpeed = 0.45f;        // screen heights a second at full tilt
  static constexpr float kFastSpeed = 1.4f;         // the same after kRampMs held out
  static constexpr float kRampMs = 900.0f;

  // axis 0: left stick x (right positive), 1: left stick y (down positive); others ignored.
  void SetAxis(int axis, int16_t value);
  // How far the pointer moves in a frame of ms, in pixels of a screen `height` pixels high
  // (y down, as the window counts).
  struct Move {
    float dx = 0, dy = 0;
  };
  Move Step(float ms, float height);
  bool Deflected() const;

 private:
  float x_ = 0, y_ = 0;  // -1..1, past the dead zone
  float heldMs_ = 0;
};

}  // namespace platform
