#pragma once
#include <string>

struct SDL_Window;

namespace platform {

struct Size {
  int width = 0;
  int height = 0;
};

// Size of the primary display's desktop, read from the system; 0 × 0 when unknown.
Size DesktopSize();

// The one game window. It is created hidden, with an OpenGL surface, at the client size
// given (fullscreen: the desktop's size); the splash screen shows it. Placement follows the
// display mode: fullscreen covers the desktop without a frame, also where no window manager
// carries out fullscreen requests; windowed is a fixed-size captioned window centred on the
// desktop. A window manager may still grant another size: PixelSize tells what it has.
class Window {
 public:
  Window() = default;
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  bool Create(int clientWidth, int clientHeight, bool fullscreen);
  void Destroy();

  // Applies the style and position for the display mode; shows the window again when it
  // has been shown before. Leaving windowed mode remembers where the window was, and coming
  // back to it puts the window there again (centred the first time, or when the desktop no
  // longer holds it).
  void ApplyPlacement(bool fullscreen, int backBufferWidth, int backBufferHeight);

  void Show();  // shows and sets windowShown
  bool IsShown() const { return shown_; }
  void SetTitle(const std::u16string& title);
  void Minimise();
  void Raise();  // to the foreground with focus
  bool IsMinimised() const;
  bool IsVisible() const;
  // Refresh rate of the display the window is on, 0 when the system does not say.
  int RefreshRate() const;
  // Drawable size in pixels (the back buffer), as last reported by the system.
  Size PixelSize() const;

  SDL_Window* Handle() const { return window_; }

 private:
  void RememberWindowedPlace();

  SDL_Window* window_ = nullptr;
  bool shown_ = false;
  bool placeKnown_ = false;  // the last windowed position below is valid
  int placeX_ = 0, placeY_ = 0;
};

}  // namespace platform
