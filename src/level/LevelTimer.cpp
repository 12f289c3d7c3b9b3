#include "level/LevelTimer.h"

#include <algorithm>
#include <cmath>

void LevelTimer::Setup(int silverSeconds, int restoredLeftMs, int difficulty) {
  difficulty_ = std::clamp(difficulty, kRelax, kExpert);
  total_ = std::max(0.0, double(silverSeconds) * 1000.0);
  current_ = total_;
  if (restoredLeftMs > 0) current_ = std::min(total_, double(restoredLeftMs));
  running_ = difficulty_ != kRelax;
}

void LevelTimer::Advance(float frameTime) {
  if (!running_ || !std::isfinite(frameTime) || frameTime <= 0) return;
  const double rate = difficulty_ == kExpert ? 1.0 : 0.666;
  // The bar stops at its end (time left 0), but the elapsed time goes on counting, so that a
  // finish past the silver time is never taken for one within it (equal medal times).
  current_ -= double(frameTime) * rate;
}

int LevelTimer::Left() const { return int(std::clamp(current_, 0.0, 2.0e9)); }

int LevelTimer::Elapsed() const { return int(std::clamp(total_ - current_, 0.0, 2.0e9)); }
