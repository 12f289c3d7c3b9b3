#pragma once
#include <vector>

// The running work timers of a level, one per object being worked on. A timer fills from 0
// to its total (ms) by the time it is advanced with; the remaining time is what the work
// reads. The level screen shows them as bars, but the simulation keeps them, so that a run
// without a screen works the same and a saved level continues them.
class WorkTimers {
 public:
  struct Timer {
    int id = 0;         // object id
    float elapsed = 0;  // ms
    float total = 0;    // ms
  };

  // Starts (or restarts) the timer of an object.
  void Start(int id, float totalMs, float elapsedMs = 0);
  // Advances every timer by ms; a full timer stays full until it is removed.
  void Advance(float ms);
  // The time left on an object's timer; 0 when it has none.
  float Remaining(int id) const;
  bool Has(int id) const { return Find(id) != nullptr; }
  void Remove(int id);
  void Clear() { timers_.clear(); }
  const std::vector<Timer>& All() const { return timers_; }

 private:
  const Timer* Find(int id) const;

  std::vector<Timer> timers_;
};
