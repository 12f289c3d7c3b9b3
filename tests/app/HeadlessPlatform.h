#pragma once
#include <memory>
#include <string>

#include "app/AppPlatform.h"
#include "app/Clock.h"
#include "graphics/GLRenderDevice.h"
#include "platform/Window.h"

// The platform of a headless test run: a fixed 16 ms step, no pointer, no keys; it writes
// down whether the window was shown and what it was called.
class HeadlessPlatform : public AppPlatform {
 public:
  uint32_t NowMs() override { return clock.NowMs(); }
  void SleepMs(uint32_t) override {}
  void PointerToVirtual(float&, float&) override {}
  void WarpPointer(float, float) override {}
  bool IsKeyHeld(int) override { return false; }
  bool IsSlateMode() override { return false; }
  void ShowMainWindow() override { shown = true; }
  bool IsWindowShown() override { return shown; }
  void SetWindowTitle(const std::u16string& t) override { title = t; }
  void SetSystemCursor(bool) override {}

  FixedStepClock clock{16};
  bool shown = false;
  std::u16string title;
};

// A headless platform whose render device draws into a real (offscreen) window.
class WindowedPlatform : public HeadlessPlatform {
 public:
  std::unique_ptr<RenderDevice> CreateRenderDevice() override {
    return std::make_unique<GLRenderDevice>(window);
  }

  platform::Window window;
};
