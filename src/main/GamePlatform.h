#pragma once
#include <memory>
#include <string>

#include "app/AppPlatform.h"
#include "app/Clock.h"
#include "platform/EventTranslator.h"

class Application;
class UnchangedFrameSkipper;

namespace platform {

class Window;

// The system clock the game runs on outside headless runs.
class SystemClock final : public Clock {
 public:
  uint32_t NowMs() override;
  void SleepMs(uint32_t ms) override;
};

// The SDL side of the game: the platform services the Application uses and the window
// procedure's view of the Application. The game and the content viewer both run their
// Application on it.
class GamePlatform final : public AppPlatform, public WindowHost {
 public:
  GamePlatform(Clock& clock, Window& window);

  void Attach(Application* app) { app_ = app; }
  EventTranslator& translator() { return translator_; }

  // AppPlatform
  uint32_t NowMs() override { return clock_.NowMs(); }
  void SleepMs(uint32_t ms) override { clock_.SleepMs(ms); }
  void PointerToVirtual(float& mouseX, float& mouseY) override;
  void WarpPointer(float x, float y) override;
  bool IsKeyHeld(int gameKey) override;
  bool IsSlateMode() override { return false; }
  bool LastInputWasTouch() override { return translator_.pointer().touch; }
  // Scripted input (headless runs) puts the pointer at a point of the virtual screen, where it
  // stays whatever the system pointer does.
  void SetScriptedPointer(float x, float y);
  void ShowMainWindow() override;
  bool IsWindowShown() override;
  bool IsWindowHidden() override;
  int PacedRefreshRate() override;
  // Holds the frame loop to the display's refresh rate (off by default: runs on a fixed
  // step must read the clock exactly once a frame).
  void SetFramePacing(bool on) { paced_ = on; }
  void SetWindowTitle(const std::u16string& title) override;
  std::unique_ptr<RenderDevice> CreateRenderDevice() override;
  std::string UserLanguage() override;
  bool OpenAddress(const std::string& address) override;
  void ShowErrorBox(const char* caption, const std::string& text) override;
  void SetSystemCursor(bool arrow) override;

  // WindowHost
  void OnInput(InputEvent event) override;
  bool IsAppActive() override;
  void SetAppActive(bool active) override;
  void Quit() override;
  bool IsSplashCurrent() override;
  bool IsFullscreen() override;
  bool IsWindowVisible() override;
  bool IsWindowMinimised() override;
  void MinimiseWindow() override;
  void RaiseWindow() override;
  void ClientSize(float& width, float& height) override;
  void MoveSystemCursor(float x, float y) override;
  void WindowSpoiled() override;

  // The player closed the window (rather than the game ending itself).
  bool ClosedByPlayer() const { return closedByPlayer_; }
  // Window points to back-buffer pixels, for high-DPI windows.
  void UpdatePixelRatio();
  // Hands every waiting system event to the translator, then updates the pixel scale.
  void PollEvents();

 private:
  Clock& clock_;
  Window& window_;
  EventTranslator translator_;
  Application* app_ = nullptr;
  UnchangedFrameSkipper* frames_ = nullptr;  // the device made for the Application, if any
  bool closedByPlayer_ = false;
  bool scripted_ = false;
  bool paced_ = false;
  float scriptedX_ = 0, scriptedY_ = 0;
};

}  // namespace platform
