#include "app/FramePacer.h"

#include <algorithm>
#include <cmath>

uint32_t FramePacer::SleepAfterFrame(uint32_t now, int rate) {
  const double period = 1000.0 / double(rate > 0 ? rate : kDefaultRate);
  // Signed distance to the due time, so that a wrapping clock keeps working.
  double ahead = double(int32_t(due_ - now)) + dueFrac_;
  if (!started_ || ahead < -period) {
    due_ = now;
    dueFrac_ = 0;
    ahead = 0;
    started_ = true;
  }
  dueFrac_ += period;
  const double whole = std::floor(dueFrac_);
  due_ += uint32_t(whole);
  dueFrac_ -= whole;
  // Rounded down: waking a little early costs a short frame, waking late a missed one.
  const uint32_t sleep = ahead > 0 ? uint32_t(ahead) : 0;
  return std::max(sleep, kMinSleepMs);
}
