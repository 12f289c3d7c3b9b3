#pragma once
#include <sys/types.h>

#include <chrono>
#include <initializer_list>
#include <string>

#include "support/Picture.h"

// A private X display for tests that look at the game's window as a person would: an Xvfb
// server with no window manager, and the few requests a test makes of it. The X headers stay
// in XDisplay.cpp (their macros clash with the test framework's names).

class XvfbServer {
 public:
  XvfbServer() = default;
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // The Xvfb program found on the search path; empty when it is not installed.
  static std::string Program();
  // Starts a server with one screen of the size given and waits until it takes clients.
  bool Start(int width, int height, std::string& error);
  // ":N" once started.
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

struct WindowGeometry {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowGeometry&) const = default;
};
std::string ToString(const WindowGeometry& g);

class XScreen {
 public:
  explicit XScreen(const std::string& display);
  ~XScreen();
  XScreen(const XScreen&) = delete;
  XScreen& operator=(const XScreen&) = delete;

  bool IsOpen() const { return display_ != nullptr; }
  // The topmost top-level window that is shown on the screen; 0 when there is none.
  unsigned long ShownWindow();
  // Where the window is on the screen and its inside size; false when it is gone.
  bool Geometry(unsigned long window, WindowGeometry& out);
  // What the screen shows inside the window, as RGBA.
  bool Grab(unsigned long window, Picture& out);
  // Moves and resizes the window as a window manager would.
  void MoveResize(unsigned long window, const WindowGeometry& to);
  void MovePointer(int x, int y);
  // Presses the keys (X key names such as "Alt_L", "Return") in order, holds them for the
  // time given (a program sees them held only while it reads its events) and releases them
  // in reverse order, through the server's test extension, as typed on a keyboard.
  bool Type(std::initializer_list<const char*> keys, std::chrono::milliseconds hold);

 private:
  void* display_ = nullptr;  // Display*
};
