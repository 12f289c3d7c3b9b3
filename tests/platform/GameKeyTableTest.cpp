#include <gtest/gtest.h>

#include <set>

#include "base/GameKeys.h"
#include "platform/GameKeyTable.h"

#include <SDL_keyboard.h>

using platform::GameKeyFromScancode;

TEST(GameKeyTable, NamedKeysAndRows) {
  struct Row {
    SDL_Scancode sc;
    int key;
  } rows[] = {
      {SDL_SCANCODE_UP, 0},
      {SDL_SCANCODE_DOWN, 1},
      {SDL_SCANCODE_LEFT, 2},
      {SDL_SCANCODE_RIGHT, 3},
      {SDL_SCANCODE_BACKSPACE, 4},
      {SDL_SCANCODE_HOME, 6},
      {SDL_SCANCODE_END, 7},
      {SDL_SCANCODE_PAGEDOWN, 8},
      {SDL_SCANCODE_PAGEUP, 9},
      {SDL_SCANCODE_RETURN, 10},
      {SDL_SCANCODE_KP_ENTER, 10},
      {SDL_SCANCODE_INSERT, 11},
      {SDL_SCANCODE_DELETE, 12},
      {SDL_SCANCODE_TAB, 14},
      {SDL_SCANCODE_SPACE, 15},
      {SDL_SCANCODE_RSHIFT, 16},
      {SDL_SCANCODE_LCTRL, 17},
      {SDL_SCANCODE_RALT, 18},
      {SDL_SCANCODE_ESCAPE, 19},
      {SDL_SCANCODE_CAPSLOCK, 20},
      {SDL_SCANCODE_HELP, 21},
      {SDL_SCANCODE_F1, 22},
      {SDL_SCANCODE_F12, 33},
      {SDL_SCANCODE_Q, 34},
      {SDL_SCANCODE_P, 43},
      {SDL_SCANCODE_A, 44},
      {SDL_SCANCODE_L, 52},
      {SDL_SCANCODE_Z, 53},
      {SDL_SCANCODE_M, 59},
      {SDL_SCANCODE_0, 60},
      {SDL_SCANCODE_9, 69},
      {SDL_SCANCODE_PERIOD, 70},
      {SDL_SCANCODE_COMMA, 71},
      {SDL_SCANCODE_SLASH, 72},
      {SDL_SCANCODE_GRAVE, 73},
      {SDL_SCANCODE_KP_MULTIPLY, 84},
      {SDL_SCANCODE_KP_PLUS, 85},
      {SDL_SCANCODE_KP_MINUS, 86},
      {SDL_SCANCODE_KP_DIVIDE, 87},
      {SDL_SCANCODE_MINUS, 89},
      {SDL_SCANCODE_EQUALS, 90},
      {SDL_SCANCODE_LEFTBRACKET, 91},
      {SDL_SCANCODE_RIGHTBRACKET, 92},
      {SDL_SCANCODE_SEMICOLON, 93},
      {SDL_SCANCODE_APOSTROPHE, 94},
      {SDL_SCANCODE_BACKSLASH, 95},
      {SDL_SCANCODE_PAUSE, 96},
      {SDL_SCANCODE_P, 43},
  };
  for (const Row& r : rows)
    EXPECT_EQ(GameKeyFromScancode(r.sc, true), r.key) << SDL_GetScancodeName(r.sc);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_F13, true), -1);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_PRINTSCREEN, true), -1);
}

TEST(GameKeyTable, KeypadFollowsNumLock) {
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_KP_0, true), 74);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_KP_9, true), 83);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_KP_PERIOD, true), 88);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_KP_5, false), kGameKeyClear);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_KP_8, false), kGameKeyUp);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_KP_0, false), kGameKeyInsert);
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_KP_PERIOD, false), kGameKeyDelete);
  // The keypad operators do not depend on Num Lock.
  EXPECT_EQ(GameKeyFromScancode(SDL_SCANCODE_KP_PLUS, false), 85);
}

TEST(GameKeyTable, EveryCodeExceptFiveIsReachableAndNothingElse) {
  std::set<int> codes;
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    for (bool numLock : {false, true}) {
      const int key = GameKeyFromScancode(SDL_Scancode(sc), numLock);
      if (key != -1) codes.insert(key);
    }
  }
  EXPECT_EQ(codes.size(), 96u);
  EXPECT_EQ(codes.count(5), 0u);
  EXPECT_EQ(*codes.begin(), 0);
  EXPECT_EQ(*codes.rbegin(), int(kGameKeyPause));
}
