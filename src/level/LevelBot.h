#pragma once
#include <optional>
#include <unordered_map>

#include "level/Vec2.h"

class GameController;
struct WorldObject;

// A greedy player for headless runs and demonstrations. It acts only as a person at the
// level screen can: it moves the pointer to a point of the world and clicks there, through
// the controller's PickHovered, Hover and Click. Each decision it takes the reachable target
// that best serves the open goals (objectives, quest resources, the costs of objectives),
// queues affordable-later work ahead, and clicks a flying creature away first.
class LevelBot {
 public:
  explicit LevelBot(GameController& game) : game_(game) {}

  // The point to click now, or none (nothing worth doing, or the last decision was too
  // recent). Decisions are made at most every kThinkMs of game time.
  std::optional<Vec2> Decide(float frameTime);
  // Moves the pointer to a point and clicks it, as the screen would.
  static void ClickAt(GameController& game, Vec2 point);

  // After a click, whether it took: a refused target is left alone for kRestMs.
  void AfterClick();

  static constexpr float kThinkMs = 100;
  static constexpr float kRestMs = 5000;

 private:
  double Value(const WorldObject& waypoint, const WorldObject& target) const;
  std::optional<Vec2> Flyer() const;
  std::optional<Vec2> BestTarget();

  GameController& game_;
  float sinceThought_ = kThinkMs;
  float clock_ = 0;
  int lastTarget_ = 0;
  std::unordered_map<int, float> resting_;  // waypoint id -> clock until which it rests
};
