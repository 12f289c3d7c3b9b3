#pragma once
#include <string_view>

#include "level/MiniGameGrid.h"
#include "level/MiniGamePhase.h"
#include "level/Vec2.h"

class GameController;
class Level;
struct WorldObject;

// The rules of mini-game levels: a hero at its base, and the level's phases played one after
// another, each one of eight small games with a number of steps. The level is won when the
// last phase is done and lost when the hero's hits run out or the grid game fails.
//
// It lives inside the controller's tick (periodic step, win check, object update) and its
// click, so a mini-game plays the same on the level screen and headless.
class MiniGame {
 public:
  // Hero animations.
  static constexpr int kWalk = 0, kStandFetch = 1, kStand = 5, kStrike = 6;
  static constexpr int kEnemy = 12;  // subclass of enemies and eagles (class 9)
  static constexpr int kExitList = 12, kEagleTargetList = 3;
  static constexpr float kHoverMargin = 16;
  static constexpr float kHintFadeMs = 500;

  explicit MiniGame(GameController& game);
  MiniGame(const MiniGame&) = delete;
  MiniGame& operator=(const MiniGame&) = delete;

  // Level begin: the hero, the hit counter, the first phase.
  void Begin();
  // The hero, made at its base with animation `animation` when there is none; null when the
  // level has no hero base.
  WorldObject* CreateHero(int animation);
  WorldObject* Hero() const;
  // Sets up the front phase.
  void NextPhase();
  // A step of the front phase: success counts it, failure costs a hit. Kinds 5 and 6 then
  // wait for their next cue.
  void PhaseStep(bool success);
  // The periodic step of a frame of play (cues, the grid's piece, reachability).
  void Periodic(float frameTime);
  // The per-frame update of every object, then every worker.
  void Update(float frameTime);
  // What the pointer hovers at a world point (birds first).
  WorldObject* PickHovered(Vec2 point) const;
  // The click on the hovered object (after the controller's own first steps).
  void Click(WorldObject& p);
  // The first step of the win check: a finished front phase makes way for the next.
  void CheckPhaseDone();
  // Whether the level is won now (its phases are all done, or the cheat says so).
  bool WinCheck();

  // The hero takes a hit (the level is lost when none are left) / a step of the front phase
  // is done.
  void Hit();
  void GoalDone();
  // The objective line follows the front phase.
  void RefreshObjective();

  const MiniGamePhase* Front() const;
  MiniGamePhase* Front();
  int Kind() const;
  int HitsLeft() const { return hitsLeft_; }
  int PhasesLeft() const;
  // Whether the hero is out fetching or working (kinds 3 and 5).
  bool HeroBusy() const { return fetch_.stage != Fetch::Idle; }

  GameController& Controller() { return game_; }

  Level& level;
  MiniGameGrid grid;
  int cue = 0;       // kinds 5, 6: < 0 ms to the next cue, > 0 the current cue number
  int lastCue = -1;  // the cue before, -1 at the start of a phase

 private:
  struct Fetch {
    enum Stage { Idle, Out, Working, Home } stage = Idle;
    int waypoint = 0;  // id of the clicked waypoint
    int target = 0;    // id of the object worked on
    int kind = 0;      // the phase kind the work was given in
    float workLeft = 0;
  };

  GameController& game_;
  int heroId_ = 0;
  int hitsLeft_ = 0;
  Fetch fetch_;
  mutable Vec2 pointer_;  // where the pointer was last picked (the hero turns to it)

  void Feedback(std::string_view sound, std::string_view effect, Vec2 at);
  void Strike();
  void TurnHeroTo(Vec2 at);
  void FaceAngle(int angle);
  void SetHeroAnimation(int animation);
  int Delay(const WorldObject& w) const;
  int FirstDelay(const WorldObject& w) const;
  void Leave(WorldObject& o, const MiniGamePhase& phase);
  void FadeIn(WorldObject& o);
  int DrawCue(int speed);
  void GiveCue();
  bool PhaseConditionMet() const;
  int BaseNode(int list) const;

  void UpdateObject(WorldObject& o, float frameTime);
  void UpdateHero(WorldObject& hero, float frameTime);
  void UpdateAttackerExit(WorldObject& w, float frameTime);
  void UpdateTargetSpot(WorldObject& w, float frameTime);
  void UpdateEnemySpawn(WorldObject& w, float frameTime);
  void SendEnemy(WorldObject& w);
  void SendEagle(WorldObject& x);
  // Enemies and eagles: one frame along their route (factor scales the speed), with what
  // happens on reaching each waypoint and the end.
  void Walk(WorldObject& o, float frameTime, float factor, bool eagle);
  void EagleEvent(WorldObject& v, size_t entriesLeft);
  void ArmTargetTimer(WorldObject& w);

  void ClickWaypoint(WorldObject& p, WorldObject& l);
  void ClickFetch(WorldObject& p, WorldObject& t);
  void ClickCued(WorldObject& l);
  void ClickCreature(WorldObject& p);
  void FetchStep(WorldObject& hero, float frameTime);
  void WorkDone(WorldObject& hero);
  void HomeAgain(WorldObject& hero);
  bool WalkHero(WorldObject& hero, float frameTime);
  void PrepareEagles();
};
