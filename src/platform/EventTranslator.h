#pragma once
#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <vector>

#include "base/InputEvent.h"
#include "base/Pointer.h"
#include "platform/ControllerPointer.h"

namespace platform {

// What the window procedure acts on: the Application's input and activation, and the window.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual void OnInput(InputEvent event) = 0;
  virtual bool IsAppActive() = 0;
  virtual void SetAppActive(bool active) = 0;
  virtual void Quit() = 0;
  virtual bool IsSplashCurrent() = 0;
  virtual bool IsFullscreen() = 0;
  virtual bool IsWindowVisible() = 0;
  virtual bool IsWindowMinimised() = 0;
  virtual void MinimiseWindow() = 0;
  virtual void RaiseWindow() = 0;
  // Client size in window units (touch positions arrive as fractions of it).
  virtual void ClientSize(float& width, float& height) = 0;
  // Moves the system cursor to a client position (touch and pen contacts carry it along).
  virtual void MoveSystemCursor(float x, float y) = 0;
  // The window's picture was lost or must be drawn afresh (uncovered, resized, shown again).
  virtual void WindowSpoiled() = 0;
};

// The raw pointer the window procedure keeps: the last position in client pixels and
// whether the left button (or a contact) is down.
struct PointerState {
  bool touch = false;  // the last press came from a touch or pen contact
  float x = 0;
  float y = 0;
  bool buttonHeld = false;
};

// Turns SDL events into the game's input events, in the order and with the synthetic
// events a desktop window procedure produces: every button and wheel event is preceded by
// a pointer move at its position; a release without a press first sends the press; a
// release after the pointer left the window arrives as the leave; keys released while Alt
// is held (and Alt itself) give no key-up.
//
// A game controller plays as mouse and keys: its left stick moves the pointer (StepController
// once a frame), A is the left button, B Escape, the shoulders Tab, Start the pause key.
class EventTranslator {
 public:
  explicit EventTranslator(WindowHost& host) : host_(host) {}

  void Handle(const SDL_Event& event);

  const PointerState& pointer() const { return pointer_; }
  // Stores a position as the raw pointer and raises a pointer move (event 10).
  void Warp(float x, float y);
  // The same for a position in window points (as the system reports the pointer).
  void WarpWindowPoint(float wx, float wy);
  // Pointer positions in window points become back-buffer pixels through this ratio
  // (high-DPI windows).
  void SetPixelRatio(base::PixelRatio ratio) { ratio_ = ratio; }
  base::PixelRatio pixelRatio() const { return ratio_; }
  // Moves the pointer by the controller's stick for a frame of ms; nothing while it rests.
  void StepController(float ms);

 private:
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleKey(const SDL_KeyboardEvent& event, bool down);
  void HandleText(const SDL_TextInputEvent& event);
  void HandleButton(const SDL_MouseButtonEvent& event, bool down);
  void HandleWheel(const SDL_MouseWheelEvent& event);
  void HandleFinger(const SDL_TouchFingerEvent& event);
  void LeftDown(float x, float y);
  void HandleControllerDevice(const SDL_ControllerDeviceEvent& event, bool added);
  void HandleControllerButton(const SDL_ControllerButtonEvent& event, bool down);
  // A key as the keyboard gives it (with the control character it types).
  void Key(int gameKey, bool down);

  WindowHost& host_;
  PointerState pointer_;
  base::PixelRatio ratio_;
  ControllerPointer stick_;
  // The controllers opened as they were plugged in (SDL_Quit closes those still open).
  std::vector<SDL_GameController*> controllers_;
};

}  // namespace platform
