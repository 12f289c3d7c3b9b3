#pragma once
#include <cstdint>

// The millisecond clock and the sleep the frame loop uses. The game runs on the system
// clock; headless runs use a fixed step so that a run of N frames is reproducible.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t NowMs() = 0;
  virtual void SleepMs(uint32_t ms) = 0;
};

// Every reading advances by exactly `step` milliseconds; sleeping costs no time.
class FixedStepClock final : public Clock {
 public:
  explicit FixedStepClock(uint32_t step) : step_(step) {}
  uint32_t NowMs() override { return now_ += step_; }
  void SleepMs(uint32_t) override {}

 private:
  uint32_t step_;
  uint32_t now_ = 0;
};
