#pragma once
#include <algorithm>
#include <cmath>

// The frame animation of a world object: a sheet of columns x rows frames played from the
// loop start to the frame count.
//
// Content may describe sheets that cannot play (no frame time, no columns, a loop start past
// the end); such a sheet simply does not advance, and every frame it reports or shows lies
// within 0..Frames() - 1.
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

  // Columns and rows below one count as one.
  int Columns() const { return std::max(columns, 1); }
  int Rows() const { return std::max(rows, 1); }
  // The frame count with its default applied (at least one frame).
  int Frames() const { return std::max(frameCount > 0 ? frameCount : Columns() * Rows(), 1); }
  // The loop start; one at or past the frame count counts as 0.
  int LoopStart() const { return loopStart >= 0 && loopStart < Frames() ? loopStart : 0; }
  int LastFrame() const { return Frames() - 1; }
  // A frame number brought into the animation's range.
  int Clamp(int frame) const { return std::clamp(frame, 0, LastFrame()); }
  // The start frame within range.
  int StartFrame() const { return Clamp(startFrame); }
  bool Playing() const { return step != 0; }
  bool CanAnimate() const { return frameTime > 0; }

  // Stops on a frame.
  void StopAt(int frame) {
    current = Clamp(frame);
    step = 0;
    elapsed = 0;
  }
  // Plays again from the start frame.
  void Restart() {
    current = StartFrame();
    step = 1;
    elapsed = 0;
  }

  // Advances by ms milliseconds: while more than a frame's time has passed, the next frame
  // is shown (wrapping to the loop start after the last one) and reported to onFrame(frame)
  // relative to the loop start. With holdOnLast the animation stops when it reaches its last
  // frame instead of wrapping. Returns true when it reached the last frame during this call.
  //
  // One call shows at most two runs through the sheet: time beyond that (a save with a huge
  // elapsed value, a long frame) is dropped rather than replayed frame by frame.
  template <class OnFrame>
  bool Advance(float ms, OnFrame&& onFrame, bool holdOnLast = false) {
    if (step == 0 || frameTime <= 0 || !(ms >= 0) || !std::isfinite(ms)) return false;
    current = Clamp(current);
    elapsed += ms;
    const float time = float(frameTime);
    const int frames = Frames();
    const int loop = LoopStart();
    int budget = 2 * frames + 2;
    bool reachedLast = false;
    while (elapsed > time) {
      if (budget-- <= 0) {
        elapsed = std::fmod(elapsed, time);
        break;
      }
      current += step;
      if (current >= frames) current = loop;
      if (current < 0) current = loop;
      elapsed -= time;
      onFrame(current - loop);
      if (current == frames - 1) {
        reachedLast = true;
        if (holdOnLast) {
          step = 0;
          elapsed = 0;
          break;
        }
      }
    }
    return reachedLast;
  }
  bool Advance(float ms) {
    return Advance(ms, [](int) {});
  }
};
