#pragma once
#include <cstdint>
#include <string>

#include "app/AppPlatform.h"

// A platform whose clock and pointer the test sets: the time stands at `now` and the pointer
// at (pointerX, pointerY) in virtual units; no keys are held and the window is always shown.
class PointerPlatform : public AppPlatform {
 public:
  uint32_t NowMs() override { return now; }
  void SleepMs(uint32_t) override {}
  void PointerToVirtual(float& x, float& y) override {
    x = pointerX;
    y = pointerY;
  }
  void WarpPointer(float, float) override {}
  bool IsKeyHeld(int) override { return false; }
  bool IsSlateMode() override { return false; }
  void ShowMainWindow() override {}
  bool IsWindowShown() override { return true; }
  void SetWindowTitle(const std::u16string&) override {}
  void SetSystemCursor(bool) override {}

  uint32_t now = 1000;
  float pointerX = 0, pointerY = 0;
};
