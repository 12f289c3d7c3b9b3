#pragma once
#include "gui/GUIPic.h"

// An animated picture: the sprite is a sheet of frames_x columns and frames_y rows, played
// down each column first, with an optional pause between runs and a speed (negative plays
// backwards).
class GUIAniPic : public GUIPic {
 public:
  // "anipic": repeat, frames_x, frames_y, frame_time, frame_last, speed. No cx/cy, scale 1.
  static std::unique_ptr<GUIControl> Read(const LayoutElement& element);

  void Draw() override;
  void Update(float dt) override;
  void Reset() override;

  // Sets the sheet; counts below 1 count as 1, the frame time at least 1 ms, the last frame
  // within 1 .. columns × rows (0: all frames).
  void SetFrames(int columns, int rows, int frameTimeMs, int last = 0);
  // The texture rectangle of frame f.
  TexRect FrameRect(int f) const;
  int Frame() const { return frame_; }

  int framesX = 1, framesY = 1;
  int frameTime = 100;  // milliseconds
  int lastFrame = 1;
  int repeatPause = 0;  // milliseconds
  float speed = 1.0f;

 private:
  int frame_ = 0;
  int previousFrame_ = 0;
  float accumulator_ = 0.0f;
  float pause_ = 0.0f;
};
