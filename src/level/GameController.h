#pragma once
#include <array>
#include <optional>
#include <string>

#include "level/Economy.h"
#include "level/Hazards.h"
#include "level/LevelEnd.h"
#include "level/LevelObjectUpdater.h"
#include "level/MiniGame.h"
#include "level/PathFinder.h"
#include "level/Vec2.h"
#include "level/WorkSite.h"
#include "level/WorkTimers.h"
#include "level/WorkerRoster.h"
#include "level/WorkerWalker.h"

class Level;
class LevelEffects;
class LevelScreen;
class LevelSounds;
class StringTable;
struct GameSettings;
struct WorldObject;

// The player's commands in an ordinary level and the frame of its simulation: what the
// pointer hovers, what a click does (checks, hints, the command queue, sending a worker),
// and the tick that walks the workers, runs their work and advances the world.
//
// Everything moves by the frame time given; nothing reads a clock, the renderer or an
// effect's state, and every random draw comes from Rand15, so a run replays exactly from
// its level and its input.
class GameController {
 public:
  // Readiness codes of the hovered waypoint.
  enum Readiness : int {
    kReady = 0,
    kUnreachable = 1,
    kNoResources = 2,
    kTypeMissing = 4,
    kNoWorker = 8,
    kQuestMissing = 16,
  };
  enum class ExitWalk { NotStarted, Running, Done };
  static constexpr int kQueueCapacity = 3;

  // effects and sounds may be null.
  GameController(Level& level, const GameSettings& settings, LevelScreen& screen,
                 LevelSounds* sounds = nullptr, LevelEffects* effects = nullptr);
  GameController(const GameController&) = delete;
  GameController& operator=(const GameController&) = delete;

  // Readies a level that has just been read (fresh or saved) for play: its objects, the
  // worker roster, the command queue and the running work timers.
  void Begin();
  // One frame of the running level: the animation step unless the level screen is paused,
  // then the tick unless something holds the level (an open dialog, a pending screen switch).
  void Frame(float frameTime, bool blocked = false);
  // The simulation's share of a frame (steps 1..7).
  void Tick(float frameTime);

  // The running level as the text of a saved level (its work timers included), or none when
  // it may not be saved.
  std::optional<std::string> Save();

  // The object under a point of the world that the pointer may hover, or null.
  WorldObject* PickHovered(Vec2 point) const;
  // The pointer rests on p (or on nothing): sets `hovered` when p may be clicked.
  void Hover(WorldObject* p);
  // The pointer rests on p (or on nothing): sets `hovered` as Hover does and shows p's
  // information text on the level screen, or hides it.
  void UpdateHint(WorldObject* p);
  // The hint of the object last given to UpdateHint is built again (after a completed work).
  void RefreshHint();
  // The press on the hovered object p.
  void Click(WorldObject* p);
  // The readiness code of `hovered`.
  int ComputeReadiness();
  // Tries the queued commands (and a pending click).
  void ServeQueue();
  // Sends a worker to `hovered`; false when none can go (readiness becomes kNoWorker).
  bool Dispatch();
  // Takes the costs from the stock when it covers every one of them.
  bool PayCost(const WorldObject& object);

  // Whether an ordinary active worker or a special worker is free.
  bool AnyWorkerFree() const;
  // Queue helpers (entries are waypoint ids).
  bool Queued(const WorldObject& waypoint) const;
  void Enqueue(WorldObject& waypoint);
  void Unqueue(WorldObject& waypoint);
  bool QueueHasWorkFor(int type);
  // Resolves a waypoint id of the hovered, pending or queued kind (null when it names none).
  WorldObject* Waypoint(int id) const;
  // The object an id of `hovered` names (mini-games: a worker too), or null.
  WorldObject* HoverTarget(int id) const;
  // The hovered waypoint (null when nothing, or something else, is hovered).
  WorldObject* Hovered() const { return Waypoint(hovered); }
  // The end of a level: workers walk twice as fast, timers run ten times as fast.
  bool Ended() const { return endTimer >= 0; }
  // The first three inline symbols stand for food, wood and gold in messages.
  char16_t ResourceSymbol(int index) const;
  void PlaySound(std::string_view name);
  void StartEffect(std::string_view name, Vec2 at);
  // Fires the dialog an object carries for that trigger, once.
  void FireDialog(WorldObject& object, int trigger);
  // A flyer is present and not yet driven off: clicks and queued commands wait.
  bool Scared() const;

  // The economy, the end and the hazards, where the frame and the clicks reach them.
  void DeliverIncome(WorldObject& worker) { economy.DeliverIncome(worker); }
  void CheckWin() { end.WinCheck(); }
  void EndStep(float frameTime) { end.EndStep(frameTime); }
  void SpawnHazards(float frameTime) { hazards.Update(frameTime); }
  void HitFlyer(WorldObject& flyer) { hazards.HitFlyer(flyer); }
  void ClickBird(WorldObject& bird) { hazards.HitBird(bird); }
  // A bonus of the bonus meter starts / runs out (ids 0..5; others do nothing). restoring:
  // the bonus ran when the level was saved and starts again silently.
  void BonusStart(int id, bool restoring = false);
  void BonusEnd(int id);

  Level& level;
  const GameSettings& settings;
  LevelScreen& screen;
  LevelSounds* sounds;
  LevelEffects* effects;
  const StringTable* strings = nullptr;  // the words of information texts (none: empty)
  LevelObjectUpdater updater;
  PathFinder paths;
  WorkTimers timers;
  WorkerRoster roster;
  WorkerWalker walker;
  WorkSite work;
  Economy economy;
  LevelEnd end;
  Hazards hazards;
  MiniGame miniGame;  // the rules of mini-game levels

  float endTimer = -1;  // -1 while played, >= 0 once the level has ended
  int hovered = 0;      // id of the waypoint (or piece, fillable, flyer) hovered, 0 none
  int readiness = kNoWorker;
  int pendingClick = 0;        // waypoint id clicked again when a worker gets home
  std::array<int, 9> homes{};  // home building ids: ordinary workers (0), special types
  ExitWalk exitWalk = ExitWalk::NotStarted;
  bool speedBonus = false;         // walking faster (bonus)
  bool speedBonusOnPanel = false;  // the speed bonus is one of the level's bonuses
  bool workBonus = false;          // work timers twice as fast (bonus)
  int incomeBonus = 0;             // added to every yielded resource (bonus)
  int bonusesRunning = 0;          // running bonuses with a duration
  bool extraWorkerAdded = false;   // the extra-worker bonus did add a worker
  bool timeFrozen = false;         // the level clock stands (bonus)
  bool extraWorkerEnded = false;   // the extra worker is to leave the roster
  bool continueRequested = false;  // a click after the level ended
  float shake = 0;

 private:
  // A worker chosen for a target, with its route; redirected when it was walking home.
  struct Sending {
    WorldObject* worker = nullptr;
    PathFinder::Path path;
    bool redirected = false;
  };
  std::optional<Sending> ChooseWorker(WorldObject& p, WorldObject& o);
  void Send(Sending& sending, WorldObject& o);
  void ClickWaypoint(WorldObject& p, WorldObject& d);
  // What a refused click shows: a message, an object to point at, whether it may be queued,
  // or whether it waits for the worker about to be home.
  struct Refusal {
    std::string message;
    WorldObject* hint = nullptr;
    bool mayQueue = false;
    bool pending = false;
  };
  Refusal RefusalFor(WorldObject& p, WorldObject& d, bool room);
  void Refuse(WorldObject& p, WorldObject& d);
  std::string ShortageMessage(WorldObject*& source);
  WorldObject* ResourceSource(int resource);
  WorldObject* LodgeFor(int type) const;
  bool WorkerAboutHome() const;
  void RestoreTimers();
  void FindHomes();
  void SetWorkerMarkers(bool on);
  void FireReadyDialogs();
  int hintObject_ = 0;  // id of the object last given to UpdateHint
};
