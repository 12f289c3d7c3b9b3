#pragma once
#include <cstdint>
#include <string>

// What the Application and the modes ask of the platform layer: the clock, the pointer, the
// window and the cursor. The game runs on the SDL implementation; tests use a fake.
class AppPlatform {
 public:
  virtual ~AppPlatform() = default;

  virtual uint32_t NowMs() = 0;
  virtual void SleepMs(uint32_t ms) = 0;

  // The last raw pointer position converted to virtual screen coordinates.
  virtual void PointerToVirtual(float& mouseX, float& mouseY) = 0;
  // Moves the system cursor to a client position (back-buffer pixels), stores it as the raw
  // pointer and raises a pointer move.
  virtual void WarpPointer(float x, float y) = 0;
  virtual bool IsKeyHeld(int gameKey) = 0;
  virtual bool IsSlateMode() = 0;

  virtual void ShowMainWindow() = 0;
  virtual bool IsWindowShown() = 0;
  virtual void SetWindowTitle(const std::u16string& title) = 0;
  // arrow true: the system's arrow cursor; false: hidden, while the game draws its own.
  virtual void SetSystemCursor(bool arrow) = 0;
};
