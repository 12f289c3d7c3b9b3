#pragma once
#include <string>

// One animation sheet as the animation table describes it: the texture, the frame layout and
// timing, and the frame size. Worker animations, texture animations, birds and flying
// creatures all share these seven values.
struct AnimDesc {
  std::string name;  // texture name of the sheet; empty = no animation
  int l = 0;         // frames in the animation (per direction for walking sheets)
  int x = 0;         // columns of the sheet
  int y = 0;         // rows of the sheet
  int t = 0;         // milliseconds per frame
  float w = 0;       // frame size in screen units; 0 = sheet size / columns
  float h = 0;       // ... / rows

  bool Empty() const { return name.empty(); }
};

// A worker's animation (worker type 0..12, animation index 0..9).
using WorkerAnim = AnimDesc;
