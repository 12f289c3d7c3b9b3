#pragma once
#include <cstdint>

// Holds the frame loop to the display's refresh rate. Where presenting a frame returns at once
// (no vertical sync, software drivers) the loop would otherwise draw as fast as the processor
// allows. Frames are due every 1000 / rate milliseconds: a frame that ends early sleeps until
// the next is due, one that ends late is followed at once, and a loop that has fallen more
// than a frame behind counts afresh from now instead of racing to catch up. Where presenting
// waits for the display, frames end on time by themselves and only the minimum sleep is
// added.
class FramePacer {
 public:
  static constexpr int kDefaultRate = 60;  // when the display does not say
  static constexpr uint32_t kMinSleepMs = 1;

  // Milliseconds to sleep after a frame that ended at `now` (milliseconds of a clock that
  // may wrap), for a display refreshing `rate` times a second (0 or less: unknown).
  uint32_t SleepAfterFrame(uint32_t now, int rate);

 private:
  bool started_ = false;
  uint32_t due_ = 0;    // when the next frame is due, whole milliseconds ...
  double dueFrac_ = 0;  // ... and the fraction of one
};
