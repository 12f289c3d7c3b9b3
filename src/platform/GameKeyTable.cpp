#include "platform/GameKeyTable.h"

#include <SDL.h>

#include <iterator>

#include "base/GameKeys.h"

namespace platform {
namespace {

struct KeyRow {
  SDL_Scancode scancode;
  int gameKey;
};

// Keys that mean the same with and without Num Lock.
constexpr KeyRow kKeys[] = {
    {SDL_SCANCODE_UP, kGameKeyUp},
    {SDL_SCANCODE_DOWN, kGameKeyDown},
    {SDL_SCANCODE_LEFT, kGameKeyLeft},
    {SDL_SCANCODE_RIGHT, kGameKeyRight},
    {SDL_SCANCODE_BACKSPACE, kGameKeyBackspace},
    {SDL_SCANCODE_HOME, kGameKeyHome},
    {SDL_SCANCODE_END, kGameKeyEnd},
    {SDL_SCANCODE_PAGEDOWN, kGameKeyPageDown},
    {SDL_SCANCODE_PAGEUP, kGameKeyPageUp},
    {SDL_SCANCODE_RETURN, kGameKeyEnter},
    {SDL_SCANCODE_KP_ENTER, kGameKeyEnter},
    {SDL_SCANCODE_RETURN2, kGameKeyEnter},
    {SDL_SCANCODE_INSERT, kGameKeyInsert},
    {SDL_SCANCODE_DELETE, kGameKeyDelete},
    {SDL_SCANCODE_CLEAR, kGameKeyClear},
    {SDL_SCANCODE_TAB, kGameKeyTab},
    {SDL_SCANCODE_SPACE, kGameKeySpace},
    {SDL_SCANCODE_LSHIFT, kGameKeyShift},
    {SDL_SCANCODE_RSHIFT, kGameKeyShift},
    {SDL_SCANCODE_LCTRL, kGameKeyCtrl},
    {SDL_SCANCODE_RCTRL, kGameKeyCtrl},
    {SDL_SCANCODE_LALT, kGameKeyAlt},
    {SDL_SCANCODE_RALT, kGameKeyAlt},
    {SDL_SCANCODE_ESCAPE, kGameKeyEscape},
    {SDL_SCANCODE_CAPSLOCK, kGameKeyCapsLock},
    {SDL_SCANCODE_HELP, kGameKeyHelp},
    {SDL_SCANCODE_F1, kGameKeyF1 + 0},
    {SDL_SCANCODE_F2, kGameKeyF1 + 1},
    {SDL_SCANCODE_F3, kGameKeyF1 + 2},
    {SDL_SCANCODE_F4, kGameKeyF1 + 3},
    {SDL_SCANCODE_F5, kGameKeyF1 + 4},
    {SDL_SCANCODE_F6, kGameKeyF1 + 5},
    {SDL_SCANCODE_F7, kGameKeyF1 + 6},
    {SDL_SCANCODE_F8, kGameKeyF1 + 7},
    {SDL_SCANCODE_F9, kGameKeyF1 + 8},
    {SDL_SCANCODE_F10, kGameKeyF1 + 9},
    {SDL_SCANCODE_F11, kGameKeyF1 + 10},
    {SDL_SCANCODE_F12, kGameKeyF1 + 11},
    {SDL_SCANCODE_Q, kGameKeyQ + 0},
    {SDL_SCANCODE_W, kGameKeyQ + 1},
    {SDL_SCANCODE_E, kGameKeyQ + 2},
    {SDL_SCANCODE_R, kGameKeyQ + 3},
    {SDL_SCANCODE_T, kGameKeyQ + 4},
    {SDL_SCANCODE_Y, kGameKeyQ + 5},
    {SDL_SCANCODE_U, kGameKeyQ + 6},
    {SDL_SCANCODE_I, kGameKeyQ + 7},
    {SDL_SCANCODE_O, kGameKeyQ + 8},
    {SDL_SCANCODE_P, kGameKeyQ + 9},
    {SDL_SCANCODE_A, kGameKeyA + 0},
    {SDL_SCANCODE_S, kGameKeyA + 1},
    {SDL_SCANCODE_D, kGameKeyA + 2},
    {SDL_SCANCODE_F, kGameKeyA + 3},
    {SDL_SCANCODE_G, kGameKeyA + 4},
    {SDL_SCANCODE_H, kGameKeyA + 5},
    {SDL_SCANCODE_J, kGameKeyA + 6},
    {SDL_SCANCODE_K, kGameKeyA + 7},
    {SDL_SCANCODE_L, kGameKeyA + 8},
    {SDL_SCANCODE_Z, kGameKeyZ + 0},
    {SDL_SCANCODE_X, kGameKeyZ + 1},
    {SDL_SCANCODE_C, kGameKeyZ + 2},
    {SDL_SCANCODE_V, kGameKeyZ + 3},
    {SDL_SCANCODE_B, kGameKeyZ + 4},
    {SDL_SCANCODE_N, kGameKeyZ + 5},
    {SDL_SCANCODE_M, kGameKeyZ + 6},
    {SDL_SCANCODE_0, kGameKey0 + 0},
    {SDL_SCANCODE_1, kGameKey0 + 1},
    {SDL_SCANCODE_2, kGameKey0 + 2},
    {SDL_SCANCODE_3, kGameKey0 + 3},
    {SDL_SCANCODE_4, kGameKey0 + 4},
    {SDL_SCANCODE_5, kGameKey0 + 5},
    {SDL_SCANCODE_6, kGameKey0 + 6},
    {SDL_SCANCODE_7, kGameKey0 + 7},
    {SDL_SCANCODE_8, kGameKey0 + 8},
    {SDL_SCANCODE_9, kGameKey0 + 9},
    {SDL_SCANCODE_KP_MULTIPLY, kGameKeyPadMultiply},
    {SDL_SCANCODE_KP_PLUS, kGameKeyPadPlus},
    {SDL_SCANCODE_KP_MINUS, kGameKeyPadMinus},
    {SDL_SCANCODE_KP_DIVIDE, kGameKeyPadDivide},
    {SDL_SCANCODE_MINUS, kGameKeyMinus},
    {SDL_SCANCODE_EQUALS, kGameKeyEquals},
    {SDL_SCANCODE_LEFTBRACKET, kGameKeyLeftBracket},
    {SDL_SCANCODE_RIGHTBRACKET, kGameKeyRightBracket},
    {SDL_SCANCODE_SEMICOLON, kGameKeySemicolon},
    {SDL_SCANCODE_APOSTROPHE, kGameKeyQuote},
    {SDL_SCANCODE_BACKSLASH, kGameKeyBackslash},
    {SDL_SCANCODE_PAUSE, kGameKeyPause},
    {SDL_SCANCODE_PERIOD, kGameKeyPeriod},
    {SDL_SCANCODE_COMMA, kGameKeyComma},
    {SDL_SCANCODE_SLASH, kGameKeySlash},
    {SDL_SCANCODE_GRAVE, kGameKeyBackquote},
};

// Keypad keys: the code with Num Lock on, and with it off.
struct PadRow {
  SDL_Scancode scancode;
  int withNumLock;
  int withoutNumLock;
};
constexpr PadRow kPad[] = {
    {SDL_SCANCODE_KP_0, kGameKeyPad0 + 0, kGameKeyInsert},
    {SDL_SCANCODE_KP_1, kGameKeyPad0 + 1, kGameKeyEnd},
    {SDL_SCANCODE_KP_2, kGameKeyPad0 + 2, kGameKeyDown},
    {SDL_SCANCODE_KP_3, kGameKeyPad0 + 3, kGameKeyPageDown},
    {SDL_SCANCODE_KP_4, kGameKeyPad0 + 4, kGameKeyLeft},
    {SDL_SCANCODE_KP_5, kGameKeyPad0 + 5, kGameKeyClear},
    {SDL_SCANCODE_KP_6, kGameKeyPad0 + 6, kGameKeyRight},
    {SDL_SCANCODE_KP_7, kGameKeyPad0 + 7, kGameKeyHome},
    {SDL_SCANCODE_KP_8, kGameKeyPad0 + 8, kGameKeyUp},
    {SDL_SCANCODE_KP_9, kGameKeyPad0 + 9, kGameKeyPageUp},
    {SDL_SCANCODE_KP_PERIOD, kGameKeyPadDecimal, kGameKeyDelete},
};

}  // namespace

int GameKeyFromScancode(SDL_Scancode scancode, bool numLock) {
  for (const KeyRow& row : kKeys) {
    if (row.scancode == scancode) return row.gameKey;
  }
  for (const PadRow& row : kPad) {
    if (row.scancode == scancode) return numLock ? row.withNumLock : row.withoutNumLock;
  }
  return kGameKeyNone;
}

bool IsKeyHeld(int gameKey) {
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  if (!state) return false;
  const bool numLock = (SDL_GetModState() & KMOD_NUM) != 0;
  for (int sc = 0; sc < count; ++sc) {
    if (state[sc] && GameKeyFromScancode(SDL_Scancode(sc), numLock) == gameKey) return true;
  }
  return false;
}

}  // namespace platform
