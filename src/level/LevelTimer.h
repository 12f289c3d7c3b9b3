#pragma once

// The level's clock as its time bar shows it: it drains from the silver time, runs at real
// speed in expert difficulty and at two thirds of it otherwise, and stands in relax
// difficulty (where the bar is hidden). The medal and the time points of the score are read
// from it.
class LevelTimer {
 public:
  static constexpr int kRelax = 0, kCasual = 1, kExpert = 2;

  // Starts the bar at silverSeconds; a restored level continues with restoredLeftMs left
  // (0: not restored).
  void Setup(int silverSeconds, int restoredLeftMs, int difficulty);
  // One frame of play; the caller leaves it out while the clock is frozen.
  void Advance(float frameTime);
  // Milliseconds left on the bar and spent of it.
  int Left() const;
  int Elapsed() const;
  int Difficulty() const { return difficulty_; }
  bool Running() const { return running_; }

 private:
  double total_ = 0;
  double current_ = 0;  // remaining ms
  int difficulty_ = kCasual;
  bool running_ = false;
};
