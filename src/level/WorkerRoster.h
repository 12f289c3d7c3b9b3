#pragma once
#include "level/AnimDesc.h"
#include "level/Vec2.h"

class GameController;
class Level;
struct WorldObject;

// The level's workers: the roster of eight ordinary and eight special workers, which one
// takes a task, where a worker belongs, and how it faces and animates.
//
// Worker types: 0 ordinary, 1..8 special (roster positions 7 + type), 10 thieves (walking in
// the worker list after the sixteen, but never counted as the player's workers).
class WorkerRoster {
 public:
  static constexpr int kOrdinary = 8;
  static constexpr int kRosterSize = 16;
  static constexpr int kThief = 10;
  static constexpr int kCamp = 0;  // base list of the ordinary workers' camps
  static constexpr int kThiefEntry = 10;
  static constexpr int kExits = 12;

  explicit WorkerRoster(GameController& game) : game_(game) {}

  // Creates the sixteen workers of a fresh level (none without a camp).
  void Create();
  // activeWorkers within 0..8 and the roster.
  int Active() const;
  // The worker at roster position i, or null.
  WorldObject* At(int i) const;
  // The special worker of type 1..8, or null.
  WorldObject* Special(int type) const;
  // Worker type of a worker object (its subclass).
  static int TypeOf(const WorldObject& worker);

  WorldObject* FreeWorker(int type, const WorldObject* target) const;
  WorldObject* ReturningWorker(const WorldObject* target) const;
  // Chooses the worker's home and gives it the route from target back there, the target's
  // waypoint on top.
  void SendHome(WorldObject& worker, const WorldObject& target);
  // The first waypoint index of a base list, or -1.
  int BaseStart(int list) const;

  // Faces the worker along (dx, dy), keeping the phase of its frame.
  static void SetDirection(WorldObject& worker, float dx, float dy);
  // Plays worker animation `index` of the worker's type, in its current direction.
  void SetAnimation(WorldObject& worker, int index);
  // Whether the worker's type has an animation of that index.
  bool HasAnimation(const WorldObject& worker, int index) const;
  // Half the size of one frame of an animation: its w and h, else the sheet's size divided
  // by its columns and rows, else a square of `fallback` (no such texture).
  static Vec2 CellHalfSize(const Level& level, const AnimDesc& anim, float fallback);
  // The extra worker leaves when an active worker is free: the last active worker, swapped
  // with the last free one first when it is busy. False when all are busy.
  bool Shrink();

 private:
  WorldObject MakeWorker(int type) const;

  GameController& game_;
};
