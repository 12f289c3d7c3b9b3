#pragma once

class GameController;
struct ObjectDesc;
struct WorldObject;

// The work a worker does at the object of its target waypoint: starting it, its progress
// and finishing transition, what completing it changes in the world (visibility, links,
// respawn, buildings and their effects, released workers, obelisks), and the way home.
class WorkSite {
 public:
  explicit WorkSite(GameController& game) : game_(game) {}

  // The count of works done under the work-speed bonus starts again (the bonus ended).
  void RestartBonusCount() { bonusWorkCount_ = 0; }

  // A worker on its final approach stands at waypoint p: the work starts, or goes on.
  void Step(WorldObject& worker, WorldObject& p, float frameTime);
  // A building's construction is complete: its effect on the level.
  void ApplyBuildingEffect(WorldObject& building);
  // Scoring and bookkeeping of completed work; true when the worker carries a result home.
  bool OnWorkDone(WorldObject& object);
  // An objective is met.
  void CompleteObjective(WorldObject& object);
  // A worker's sprite showed a new frame (work sounds played on a frame).
  void OnWorkerFrame(WorldObject& worker, int frame);

  // The work sound of the descriptor for a worker beginning its work: played once, looped
  // until StopWorkSound, or kept to be played on its animation frame.
  void StartWorkSound(WorldObject& worker, const ObjectDesc& desc);
  void StopWorkSound(WorldObject& worker);

 private:
  void Start(WorldObject& worker, WorldObject& p);
  void StartTimer(WorldObject& worker, WorldObject& o);
  void Progress(WorldObject& worker, WorldObject& p);
  void Finishing(WorldObject& o);
  void Complete(WorldObject& worker, WorldObject& p, WorldObject& o);
  void CompleteVisibility(WorldObject& o, bool transition, bool began, bool wasHidden);
  void Relink(WorldObject& p, WorldObject& o);
  void BuildingProgress(WorldObject& worker, WorldObject& p, WorldObject& o);
  void FinishBuilding(WorldObject& worker, WorldObject& p, WorldObject& o);
  void ApplyDifference(const ObjectDesc* before, const ObjectDesc& after, WorldObject& building);
  // The worker turns home from waypoint p.
  void TurnHome(WorldObject& worker, WorldObject& p);
  // The pose after work, or the walk home (carrying or not).
  bool Pose(WorldObject& worker, const WorldObject* o, bool carries, int queueType);
  void ReleaseWorker(WorldObject& worker, WorldObject& p, const ObjectDesc& desc);
  // The rules an obelisk-like building or obstacle changes for the rest of the level (speeds
  // raised by amount, hazards switched off).
  void ApplyRule(int type, long long amount);

  void Pulse(WorldObject* o, int desc);

  GameController& game_;
  int bonusWorkCount_ = 0;
};
