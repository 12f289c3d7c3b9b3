#include "platform/Window.h"

#include <SDL.h>

#include "base/Text.h"

namespace platform {

Size DesktopSize() {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
  return {mode.w, mode.h};
}

namespace {

// Where the primary display's desktop lies; empty when unknown.
SDL_Rect DesktopBounds() {
  SDL_Rect bounds{};
  if (SDL_GetDisplayBounds(0, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) return {};
  return bounds;
}

}  // namespace

Window::~Window() { Destroy(); }

bool Window::Create(int clientWidth, int clientHeight, bool fullscreen) {
  Destroy();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
  if (fullscreen) {
    // Fullscreen starts as a frameless window over the desktop (see ApplyPlacement).
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
    if (const SDL_Rect desktop = DesktopBounds(); desktop.w > 0) {
      x = desktop.x;
      y = desktop.y;
      clientWidth = desktop.w;
      clientHeight = desktop.h;
    }
  }
  window_ = SDL_CreateWindow("Kalodrus3", x, y, clientWidth, clientHeight, flags);
  return window_ != nullptr;
}

void Window::Destroy() {
  if (window_) SDL_DestroyWindow(window_);
  window_ = nullptr;
  shown_ = false;
}

void Window::ApplyPlacement(bool fullscreen, int backBufferWidth, int backBufferHeight) {
  if (!window_) return;
  if (fullscreen) {
    RememberWindowedPlace();
    // Asking for fullscreen is not enough: with no window manager to carry the request out,
    // the X window keeps its windowed size while SDL reports the desktop size, and frames
    // drawn for that size show cut off. So the window is first made a frameless window
    // covering the desktop by itself; a window manager that honours the request keeps it
    // there, and one that grants another size tells us so through the drawable size.
    const SDL_Rect desktop = DesktopBounds();
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0 && desktop.w > 0) {
      SDL_SetWindowBordered(window_, SDL_FALSE);
      SDL_SetWindowSize(window_, desktop.w, desktop.h);
      SDL_SetWindowPosition(window_, desktop.x, desktop.y);
    }
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowResizable(window_, SDL_FALSE);
    SDL_SetWindowSize(window_, backBufferWidth, backBufferHeight);
    const SDL_Rect desktop = DesktopBounds();
    const SDL_Rect wanted{placeX_, placeY_, backBufferWidth, backBufferHeight};
    const bool fits = placeKnown_ && desktop.w > 0 && SDL_HasIntersection(&desktop, &wanted);
    if (fits) {
      SDL_SetWindowPosition(window_, placeX_, placeY_);
    } else {
      SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
  }
  if (shown_) SDL_ShowWindow(window_);
}

void Window::RememberWindowedPlace() {
  if (!shown_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0) return;
  SDL_GetWindowPosition(window_, &placeX_, &placeY_);
  placeKnown_ = true;
}

void Window::Show() {
  if (!window_) return;
  SDL_ShowWindow(window_);
  shown_ = true;
}

void Window::SetTitle(const std::u16string& title) {
  if (window_) SDL_SetWindowTitle(window_, base::Utf16ToUtf8(title).c_str());
}

void Window::Minimise() {
  if (window_) SDL_MinimizeWindow(window_);
}

void Window::Raise() {
  if (window_) SDL_RaiseWindow(window_);
}

bool Window::IsMinimised() const {
  return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
}

bool Window::IsVisible() const {
  return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0;
}

int Window::RefreshRate() const {
  if (!window_) return 0;
  SDL_DisplayMode mode{};
  if (SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate > 0) {
    return mode.refresh_rate;
  }
  const int display = SDL_GetWindowDisplayIndex(window_);
  if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) return mode.refresh_rate;
  return 0;
}

Size Window::PixelSize() const {
  Size s;
  if (window_) SDL_GL_GetDrawableSize(window_, &s.width, &s.height);
  return s;
}

}  // namespace platform
