#pragma once

// The frame animation of a world object: a sheet of columns x rows frames played from the
// loop start to the frame count.
struct SpriteAnim {
  int columns = 1;
  int rows = 1;
  int frameTime = 0;   // milliseconds per frame; <= 0 never advances
  int loopStart = 0;   // first frame of the loop
  int frameCount = 0;  // one past the last frame; 0 = columns x rows
  int startFrame = 0;  // frame the animation starts (and restarts) on
  bool mirrored = false;
  int current = 0;
  int step = 0;       // 0 stopped, 1 playing
  float elapsed = 0;  // milliseconds spent in the current frame

  // The frame count with its default applied.
  int Frames() const { return frameCount > 0 ? frameCount : columns * rows; }
};
