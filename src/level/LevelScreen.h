#pragma once
#include <array>
#include <string>
#include <string_view>

#include "level/LevelResult.h"
#include "level/SpeechLine.h"
#include "level/Vec2.h"

struct WorldObject;

// What the simulation of a level tells the level screen: the marks, messages, work timers,
// flashes and arrows the player sees, and the achievements and puzzle piece the player's
// progress records. The simulation never depends on what the screen does with them; every
// operation defaults to doing nothing, so a run without a screen passes a plain LevelScreen.
class LevelScreen {
 public:
  virtual ~LevelScreen() = default;

  // A worker is about to reach the waypoint of its work / has reached it.
  virtual void WorkerApproaching(int /*waypointId*/) {}
  virtual void WorkerArrived(int /*waypointId*/) {}
  // A work timer of totalMs over an object (its bar), and its fading out.
  virtual void ShowWorkTimer(int /*objectId*/, int /*totalMs*/, Vec2 /*at*/) {}
  virtual void FadeWorkTimer(int /*objectId*/) {}
  // The mark over a clicked waypoint: accepted (a worker goes) or refused.
  virtual void ShowCommandMark(bool /*accepted*/, int /*objectId*/, Vec2 /*at*/) {}
  // A message (a string-table key, possibly followed by markup) at a point of the world.
  virtual void ShowMessage(std::string_view /*text*/, Vec2 /*at*/) {}
  // The resource counters changed (spent: by paying a cost).
  virtual void FlashResource(int /*index*/, bool /*spent*/) {}
  // The counter of a resource that is short flashes.
  virtual void FlashShortage(int /*index*/) {}
  // The hint arrow over an object; null takes it away.
  virtual void PointAtObject(const WorldObject* /*object*/) {}
  virtual void RefreshFreeWorkers() {}
  virtual void AddScorePopup(int /*points*/, Vec2 /*at*/) {}
  virtual void Shake(float /*amount*/) {}
  // An achievement (trophy number) was earned.
  virtual void Achievement(int /*number*/) {}
  // The puzzle piece of the level was collected.
  virtual void PuzzlePieceFound() {}
  // A pending level dialog tied to that object is no longer wanted.
  virtual void ClearPendingDialog(int /*objectId*/) {}
  // The screen holds the level (its pause flag); the tick then does nothing.
  virtual bool Paused() const { return false; }

  // The rest of what the level and its economy, hazards and end tell the screen.
  virtual void PrepareHud() {}
  virtual void BeginPlay() {}
  virtual void SetScore(int /*value*/) {}
  virtual void ShowIncome(std::string_view /*text*/, Vec2 /*at*/) {}
  // The information text of an object next to its rectangle (x0, y0, x1, y1); empty hides it.
  virtual void ShowObjectInfo(std::u16string_view /*text*/, const std::array<float, 4>& /*rect*/) {}
  virtual void FadeCommandMark(int /*objectId*/) {}
  // Remaining ms of the level's time bar and the bonus meter's value, for the level save.
  virtual int TimeBarRemaining() const { return 0; }
  virtual int BonusMeterValue() const { return 0; }
  // Appends the screen's own elements of a level save.
  virtual void WriteHudState(std::string& /*text*/) const {}
  virtual void ClearHud() {}
  virtual void KalodrusHit() {}
  // Mini-game levels: a step of the front phase was done (countAfter: the steps it has left
  // now); the hint dialog shows a picture, fading in over fadeMs, or hides.
  virtual void MiniGameGoalDone(int /*countAfter*/) {}
  virtual void ShowMiniGameHint(std::string_view /*picture*/, float /*fadeMs*/) {}
  virtual void HideMiniGameHint() {}
  virtual void ShowSpeech(const SpeechLine& /*line*/) {}
  virtual void ShowLevelMessage(const SpeechLine& /*line*/) {}
  virtual void RefreshObjective() {}
  virtual void SetBonusMeter(int /*value*/) {}
  virtual void SetupTimeBar() {}
  virtual void RefreshBonusButtons() {}
  virtual void ShowResult() {}

  // The level timer (the time bar): the difficulty it runs in (0 relax, 1 casual, 2 expert),
  // one frame of play (left out while the clock is frozen), its elapsed and remaining ms.
  virtual int Difficulty() const { return 1; }
  virtual void AdvanceLevelTimer(float /*frameTime*/) {}
  virtual int LevelTimerElapsed() const { return 0; }
  virtual int LevelTimerLeft() const { return 0; }
  // The level's music changes ("win_theme").
  virtual void PlayMusic(std::string_view /*name*/) {}
  // Progress toward a counted trophy not earned yet: the share reached (0..1), reported as
  // it grows (the obelisk's resources, the works under the work bonus).
  virtual void TrophyProgress(int /*number*/, float /*fraction*/) {}
  // The evaluation at the end of the level: medal, stars, score parts and what the player's
  // records take from it.
  virtual void LevelEvaluated(const LevelResult& /*result*/) {}
  // Whether the screen can open the result dialog now.
  virtual bool ResultReady() const { return true; }
  virtual void NextResultStep() {}
};
