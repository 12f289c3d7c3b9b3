#pragma once
#include <SDL_scancode.h>

namespace platform {

// The game key of a physical key. Keypad keys depend on Num Lock as on a PC keyboard: with
// it off they are the navigation keys (keypad 5 is Clear).
int GameKeyFromScancode(SDL_Scancode scancode, bool numLock);

// Whether a key with that game key code is down now; false for a code not in the table.
bool IsKeyHeld(int gameKey);

}  // namespace platform
