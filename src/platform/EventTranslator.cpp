#include "platform/EventTranslator.h"

#include <algorithm>

#include "base/GameKeys.h"
#include "base/Text.h"
#include "platform/GameKeyTable.h"

namespace platform {
namespace {

bool AltHeld(Uint16 mod) { return (mod & KMOD_ALT) != 0; }

}  // namespace

void EventTranslator::Warp(float x, float y) {
  pointer_.x = x;
  pointer_.y = y;
  host_.OnInput({InputType::PointerMove, 0});
}

void EventTranslator::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      host_.Quit();
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
      HandleKey(event.key, true);
      break;
    case SDL_KEYUP:
      HandleKey(event.key, false);
      break;
    case SDL_TEXTINPUT:
      HandleText(event.text);
      break;
    case SDL_MOUSEMOTION:
      if (event.motion.which == SDL_TOUCH_MOUSEID) break;
      WarpWindowPoint(float(event.motion.x), float(event.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.which == SDL_TOUCH_MOUSEID) break;
      HandleButton(event.button, event.type == SDL_MOUSEBUTTONDOWN);
      break;
    case SDL_MOUSEWHEEL:
      if (event.wheel.which == SDL_TOUCH_MOUSEID) break;
      HandleWheel(event.wheel);
      break;
    case SDL_FINGERDOWN:
    case SDL_FINGERUP:
    case SDL_FINGERMOTION:
      HandleFinger(event.tfinger);
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
      HandleControllerDevice(event.cdevice, event.type == SDL_CONTROLLERDEVICEADDED);
      break;
    case SDL_CONTROLLERAXISMOTION:
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) stick_.SetAxis(0, event.caxis.value);
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) stick_.SetAxis(1, event.caxis.value);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      HandleControllerButton(event.cbutton, event.type == SDL_CONTROLLERBUTTONDOWN);
      break;
    default:
      break;
  }
}

void EventTranslator::HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (host_.IsAppActive()) break;
      if (!host_.IsWindowMinimised()) {
        host_.SetAppActive(true);
        host_.RaiseWindow();
      }
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // The splash screen keeps running while another window has the focus.
      if (!host_.IsWindowVisible() || host_.IsSplashCurrent()) break;
      if (host_.IsFullscreen()) host_.MinimiseWindow();
      if (host_.IsAppActive()) host_.SetAppActive(false);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      host_.WindowSpoiled();
      break;
    case SDL_WINDOWEVENT_CLOSE:
      host_.Quit();
      break;
    case SDL_WINDOWEVENT_LEAVE:
      if (pointer_.buttonHeld) {
        host_.OnInput({InputType::LeftUp, 0});
        pointer_.buttonHeld = false;
      }
      break;
    default:
      break;
  }
}

void EventTranslator::HandleKey(const SDL_KeyboardEvent& event, bool down) {
  const bool numLock = (event.keysym.mod & KMOD_NUM) != 0;
  const int gameKey = GameKeyFromScancode(event.keysym.scancode, numLock);
  const bool alt = AltHeld(event.keysym.mod);
  if (down) {
    host_.OnInput({InputType::KeyDown, gameKey});
    if (alt && event.keysym.scancode == SDL_SCANCODE_F4) {
      host_.Quit();
    } else if (const int c = ControlCharacterOf(gameKey); c != 0 && !alt) {
      host_.OnInput({InputType::Character, c});
    }
    return;
  }
  // Releases of Alt, of F10 and of any key while Alt is held are system keys: no key-up.
  const bool systemKey = alt || gameKey == kGameKeyAlt || event.keysym.scancode == SDL_SCANCODE_F10;
  if (!systemKey) host_.OnInput({InputType::KeyUp, gameKey});
}

void EventTranslator::HandleText(const SDL_TextInputEvent& event) {
  for (char16_t unit : base::Utf8ToUtf16(event.text))
    host_.OnInput({InputType::Character, int(unit)});
}

void EventTranslator::WarpWindowPoint(float wx, float wy) {
  const base::VirtualPoint p = WindowPointToPixels(wx, wy, ratio_);
  Warp(p.x, p.y);
}

void EventTranslator::LeftDown(float x, float y) {
  Warp(x, y);
  host_.OnInput({InputType::LeftDown, 0});
  pointer_.buttonHeld = true;
}

void EventTranslator::HandleButton(const SDL_MouseButtonEvent& event, bool down) {
  if (down) pointer_.touch = false;
  const base::VirtualPoint p = WindowPointToPixels(float(event.x), float(event.y), ratio_);
  const float x = p.x;
  const float y = p.y;
  switch (event.button) {
    case SDL_BUTTON_LEFT:
      if (down && event.clicks == 2) {
        Warp(x, y);
        host_.OnInput({InputType::DoubleClick, 0});
      } else if (down) {
        LeftDown(x, y);
      } else {
        if (!pointer_.buttonHeld) LeftDown(x, y);
        Warp(x, y);
        host_.OnInput({InputType::LeftUp, 0});
        pointer_.buttonHeld = false;
      }
      break;
    case SDL_BUTTON_RIGHT:
      Warp(x, y);
      host_.OnInput({down ? InputType::RightDown : InputType::RightUp, 0});
      break;
    case SDL_BUTTON_MIDDLE:
      Warp(x, y);
      host_.OnInput({down ? InputType::MiddleDown : InputType::MiddleUp, 0});
      break;
    default:
      break;
  }
}

void EventTranslator::HandleWheel(const SDL_MouseWheelEvent& event) {
  int notches = event.y;
  if (event.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
  if (notches == 0) return;
  WarpWindowPoint(float(event.mouseX), float(event.mouseY));
  host_.OnInput({InputType::Wheel, notches * 120});
}

void EventTranslator::HandleFinger(const SDL_TouchFingerEvent& event) {
  float width = 0, height = 0;
  host_.ClientSize(width, height);
  const float x = event.x * width;
  const float y = event.y * height;
  host_.MoveSystemCursor(x, y);
  WarpWindowPoint(x, y);
  if (event.type == SDL_FINGERDOWN) {
    pointer_.touch = true;
    host_.OnInput({InputType::LeftDown, 0});
    pointer_.buttonHeld = true;
  } else if (event.type == SDL_FINGERUP) {
    host_.OnInput({InputType::LeftUp, 0});
    pointer_.buttonHeld = false;
  }
}

// ---------------------------------------------------------------- game controllers

void EventTranslator::HandleControllerDevice(const SDL_ControllerDeviceEvent& event,
                                             bool added) {
  if (added) {
    // An added device is named by its index; one that cannot be opened is left alone.
    if (SDL_GameController* c = SDL_GameControllerOpen(event.which)) controllers_.push_back(c);
    return;
  }
  // A removed one by its instance id.
  SDL_GameController* gone = SDL_GameControllerFromInstanceID(event.which);
  const auto at = std::find(controllers_.begin(), controllers_.end(), gone);
  if (gone && at != controllers_.end()) {
    SDL_GameControllerClose(gone);
    controllers_.erase(at);
  }
  stick_ = ControllerPointer();
}

void EventTranslator::Key(int gameKey, bool down) {
  host_.OnInput({down ? InputType::KeyDown : InputType::KeyUp, gameKey});
  if (down) {
    if (const int c = ControlCharacterOf(gameKey); c != 0) host_.OnInput({InputType::Character, c});
  }
}

void EventTranslator::HandleControllerButton(const SDL_ControllerButtonEvent& event, bool down) {
  switch (event.button) {
    case SDL_CONTROLLER_BUTTON_A:
      if (down) {
        pointer_.touch = false;
        LeftDown(pointer_.x, pointer_.y);
      } else if (pointer_.buttonHeld) {
        Warp(pointer_.x, pointer_.y);
        host_.OnInput({InputType::LeftUp, 0});
        pointer_.buttonHeld = false;
      }
      break;
    case SDL_CONTROLLER_BUTTON_B:
      Key(kGameKeyEscape, down);
      break;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      Key(kGameKeyTab, down);
      break;
    case SDL_CONTROLLER_BUTTON_START:
      Key(kGameKeyPause, down);
      break;
    default:
      break;
  }
}

void EventTranslator::StepController(float ms) {
  if (!stick_.Deflected()) return;
  float width = 0, height = 0;
  host_.ClientSize(width, height);
  const base::VirtualPoint size = WindowPointToPixels(width, height, ratio_);
  const ControllerPointer::Move move = stick_.Step(ms, size.y);
  if (move.dx == 0 && move.dy == 0) return;
  const float x = std::clamp(pointer_.x + move.dx, 0.0f, std::max(0.0f, size.x - 1));
  const float y = std::clamp(pointer_.y + move.dy, 0.0f, std::max(0.0f, size.y - 1));
  const base::VirtualPoint w = PixelsToWindowPoint(x, y, ratio_);
  host_.MoveSystemCursor(w.x, w.y);
  Warp(x, y);
}

}  // namespace platform
