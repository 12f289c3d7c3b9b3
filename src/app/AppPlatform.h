#pragma once
#include <cstdint>
#include <memory>
#include <string>

class RenderDevice;

// What the Application and the modes ask of the platform layer: the clock, the pointer, the
// window, the cursor, the render device and the desktop's services. The game runs on the SDL
// implementation; tests use a fake.
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
  // Whether the last press came from a touch or pen contact rather than a mouse.
  virtual bool LastInputWasTouch() { return false; }

  virtual void ShowMainWindow() = 0;
  virtual bool IsWindowShown() = 0;
  // The window was shown and nothing of it can be seen now (minimised or hidden): the loop
  // then draws nothing.
  virtual bool IsWindowHidden() { return false; }
  // The refresh rate the frame loop is held to (the display's, 60 where it is unknown); 0
  // leaves the loop unpaced, with the plain 1 ms sleep per frame (fakes, fixed-step runs,
  // where reading the clock once more would change the run).
  virtual int PacedRefreshRate() { return 0; }
  virtual void SetWindowTitle(const std::u16string& title) = 0;
  // arrow true: the system's arrow cursor; false: hidden, while the game draws its own.
  virtual void SetSystemCursor(bool arrow) = 0;

  // The device the Renderer draws through; none runs the Application without graphics.
  virtual std::unique_ptr<RenderDevice> CreateRenderDevice() { return nullptr; }
  // Two-letter code of the user's preferred language.
  virtual std::string UserLanguage() { return "en"; }
  // The date of now in seconds since 1970 (record tables).
  virtual int64_t SecondsSince1970();
  // Opens a web address with the desktop's default handler (the address is one argument,
  // never a command line); false when nothing was opened.
  virtual bool OpenAddress(const std::string& address);
  // A message box with an OK button (standard error when there is no display).
  virtual void ShowErrorBox(const char* caption, const std::string& text);
};
