#pragma once

class GameController;
struct WorldObject;

// Moves the workers along their routes, frame by frame: walking from waypoint to waypoint,
// arriving at work, going out and coming home, and the walk to the exits when a level ends.
class WorkerWalker {
 public:
  static constexpr int kExitDelayMs = 200;  // between ordinary workers leaving for the exit

  explicit WorkerWalker(GameController& game) : game_(game) {}

  // One frame of a worker with a route (all nine steps of a walk).
  void Walk(WorldObject& worker, float frameTime);
  // A worker leaves for a task.
  void WorkerOut(WorldObject& worker);
  // The end-of-level walk to the exits; true when it is done.
  bool ExitWalk();
  // Routes a worker from where it stands (the end of its route) to the first exit.
  bool RouteToExit(WorldObject& worker);
  // The walking speed in units per ms of a worker now.
  float Speed(const WorldObject& worker) const;

 private:
  void Arrive(WorldObject& worker, float frameTime);
  void ComeHome(WorldObject& worker);
  void WorkerReturn(WorldObject& worker);
  void StartExitWalk();
  void SetRoute(WorldObject& worker, int from, int delay);

  GameController& game_;
};
