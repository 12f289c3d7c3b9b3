#include "level/WorkTimers.h"

#include <algorithm>
#include <cmath>

void WorkTimers::Start(int id, float totalMs, float elapsedMs) {
  Remove(id);
  const float total = std::isfinite(totalMs) ? std::max(totalMs, 0.0f) : 0.0f;
  const float elapsed = std::isfinite(elapsedMs) ? std::clamp(elapsedMs, 0.0f, total) : 0.0f;
  timers_.push_back(Timer{id, elapsed, total});
}

void WorkTimers::Advance(float ms) {
  if (!(ms > 0) || !std::isfinite(ms)) return;
  for (Timer& t : timers_) t.elapsed = std::min(t.elapsed + ms, t.total);
}

float WorkTimers::Remaining(int id) const {
  const Timer* t = Find(id);
  return t ? t->total - t->elapsed : 0.0f;
}

void WorkTimers::Remove(int id) {
  timers_.erase(
      std::remove_if(timers_.begin(), timers_.end(), [id](const Timer& t) { return t.id == id; }),
      timers_.end());
}

const WorkTimers::Timer* WorkTimers::Find(int id) const {
  for (const Timer& t : timers_) {
    if (t.id == id) return &t;
  }
  return nullptr;
}
