#pragma once

// Game key codes carried by key events (types 1 and 2). -1 is a key the game does not know.
enum GameKey : int {
  kGameKeyNone = -1,
  kGameKeyUp = 0,
  kGameKeyDown = 1,
  kGameKeyLeft = 2,
  kGameKeyRight = 3,
  kGameKeyBackspace = 4,
  kGameKeyHome = 6,
  kGameKeyEnd = 7,
  kGameKeyPageDown = 8,
  kGameKeyPageUp = 9,
  kGameKeyEnter = 10,
  kGameKeyInsert = 11,
  kGameKeyDelete = 12,
  kGameKeyClear = 13,
  kGameKeyTab = 14,
  kGameKeySpace = 15,
  kGameKeyShift = 16,
  kGameKeyCtrl = 17,
  kGameKeyAlt = 18,
  kGameKeyEscape = 19,
  kGameKeyCapsLock = 20,
  kGameKeyHelp = 21,
  kGameKeyF1 = 22,  // F1..F12 = 22..33
  kGameKeyQ = 34,   // Q W E R T Y U I O P = 34..43
  kGameKeyA = 44,   // A S D F G H J K L = 44..52
  kGameKeyZ = 53,   // Z X C V B N M = 53..59
  kGameKey0 = 60,   // main row 0..9 = 60..69
  kGameKeyPeriod = 70,
  kGameKeyComma = 71,
  kGameKeySlash = 72,
  kGameKeyBackquote = 73,
  kGameKeyPad0 = 74,  // keypad 0..9 = 74..83
  kGameKeyPadMultiply = 84,
  kGameKeyPadPlus = 85,
  kGameKeyPadMinus = 86,
  kGameKeyPadDivide = 87,
  kGameKeyPadDecimal = 88,
  kGameKeyMinus = 89,
  kGameKeyEquals = 90,
  kGameKeyLeftBracket = 91,
  kGameKeyRightBracket = 92,
  kGameKeySemicolon = 93,
  kGameKeyQuote = 94,
  kGameKeyBackslash = 95,
  kGameKeyPause = 96,
  kGameKeyP = kGameKeyQ + 9,
};

// The control character a desktop keyboard types along with a key press (backspace 8, tab 9,
// Enter 13, Escape 27); 0 for keys that type none of their own.
inline int ControlCharacterOf(int gameKey) {
  switch (gameKey) {
    case kGameKeyBackspace:
      return 8;
    case kGameKeyTab:
      return 9;
    case kGameKeyEnter:
      return 13;
    case kGameKeyEscape:
      return 27;
    default:
      return 0;
  }
}
