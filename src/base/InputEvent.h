#pragma once

// The kinds of input the window produces, with the numbers the game has always used.
enum class InputType : int {
  Character = 0,    // value: the UTF-16 code unit typed
  KeyDown = 1,      // value: GameKey code (auto-repeat too), -1 for an unmapped key
  KeyUp = 2,        // value: GameKey code or -1
  LeftDown = 3,     // also a touch or pen contact
  DoubleClick = 4,  // left button
  LeftUp = 5,       // also a contact lifted, or the pointer leaving with the button held
  RightDown = 6,
  RightUp = 7,
  MiddleDown = 8,
  MiddleUp = 9,
  PointerMove = 10,
  Wheel = 11,  // value: signed delta in multiples of 120, positive away from the user
};

// One input event: its kind and the value that kind carries (0 for buttons and moves).
struct InputEvent {
  InputType type = InputType::PointerMove;
  int value = 0;

  // Buttons, moves and the wheel: the pointer position is current when they arrive.
  bool IsPointer() const { return type >= InputType::LeftDown; }
  bool operator==(const InputEvent&) const = default;
};
