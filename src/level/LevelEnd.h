#pragma once
#include <array>

#include "level/LevelResult.h"
#include "level/Vec2.h"

class GameController;

// The end of an ordinary level: the win check, the wait for the workers to come home or
// leave, the one evaluation (medal, stars, score, records, trophies), the result after a
// pause, and the darkening and fireworks over the world meanwhile.
class LevelEnd {
 public:
  static constexpr float kResultDelayMs = 1500, kLostResultDelayMs = 500;

  explicit LevelEnd(GameController& game) : game_(game) {}

  void Begin();
  // Ends the level when its objectives are met (or the cheat says so).
  void WinCheck();
  // Lets the next win check of play end the level as won with the medal given (0 bronze,
  // 1 silver, 2 gold), without waiting for its objectives or its workers: the test
  // commands of the in-game menu. A level held by a dialog ends once it runs again.
  void ForceWin(int medal);
  // One frame of the end sequence (nothing while the level is played).
  void EndStep(float frameTime);
  // The evaluation as the level stands now.
  LevelResult Evaluate() const;
  // The four score parts for a medal, the level timer's time left, the stock and birds.
  static std::array<int, 4> ScoreParts(int medal, int difficulty, int timeLeftMs, int timeNorm,
                                       int timeHard, int stock, int birds);
  // Alpha of the black over the world (0 while playing).
  int Darkness() const;
  // The fireworks of a won level: one more "firework" effect each second of application
  // time, at a random point of the screen given by its half size and camera offset.
  void TopEffects(float appFrameMs, float halfWidth, float halfHeight, Vec2 camera);

  bool evaluated = false;
  bool shown = false;
  bool lost = false;  // mini-game levels only
  bool cheatWin = false;
  int forcedMedal = -1;  // a medal the cheat commands chose
  LevelResult result;

 private:
  bool WorkersStillOut() const;
  void RaiseTrophies(const LevelResult& r);

  GameController& game_;
  float fireworkClock_ = 0;
};
