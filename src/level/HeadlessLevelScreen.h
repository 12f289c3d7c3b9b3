#pragma once
#include <optional>
#include <string>
#include <vector>

#include "level/LevelScreen.h"
#include "level/LevelTimer.h"

// The level screen of a run without a window (tests, tools): it writes every call as a line
// of text, so that a run can be inspected and compared, and may be paused.
class HeadlessLevelScreen : public LevelScreen {
 public:
  void WorkerApproaching(int waypointId) override;
  void WorkerArrived(int waypointId) override;
  void ShowWorkTimer(int objectId, int totalMs, Vec2 at) override;
  void FadeWorkTimer(int objectId) override;
  void ShowCommandMark(bool accepted, int objectId, Vec2 at) override;
  void ShowMessage(std::string_view text, Vec2 at) override;
  void FlashResource(int index, bool spent) override;
  void FlashShortage(int index) override;
  void PointAtObject(const WorldObject* object) override;
  void RefreshFreeWorkers() override;
  void RefreshObjective() override { ++objectiveRefreshes; }
  // Logged as "hit", "goal N" (steps left), "mg_hint PICTURE" and "mg_hint hide".
  void KalodrusHit() override;
  void MiniGameGoalDone(int countAfter) override;
  void ShowMiniGameHint(std::string_view picture, float fadeMs) override;
  void HideMiniGameHint() override;
  void AddScorePopup(int points, Vec2 at) override;
  void Shake(float amount) override;
  void Achievement(int number) override;
  void PuzzlePieceFound() override;
  void ClearPendingDialog(int objectId) override;
  bool Paused() const override { return paused; }
  void ShowIncome(std::string_view text, Vec2 at) override;
  // Logged as "info " and the text (inline symbols as #N), or "info hide".
  void ShowObjectInfo(std::u16string_view text, const std::array<float, 4>& rect) override;
  void PlayMusic(std::string_view name) override;
  void LevelEvaluated(const LevelResult& result) override;
  void ShowResult() override;
  void TrophyProgress(int number, float fraction) override;

  // The level timer runs here as on the level screen; Start sets it up for a level.
  void StartTimer(int silverSeconds, int restoredLeftMs = 0) {
    timer.Setup(silverSeconds, restoredLeftMs, difficulty);
  }
  int Difficulty() const override { return difficulty; }
  void AdvanceLevelTimer(float frameTime) override { timer.Advance(frameTime); }
  int LevelTimerElapsed() const override { return timer.Elapsed(); }
  int LevelTimerLeft() const override { return timer.Left(); }

  // Whether some line starts with prefix.
  bool Saw(std::string_view prefix) const;
  // The lines that start with prefix.
  std::vector<std::string> Lines(std::string_view prefix) const;

  std::vector<std::string> log;
  std::vector<int> achievements;
  bool paused = false;
  int difficulty = LevelTimer::kCasual;
  LevelTimer timer;
  std::optional<LevelResult> result;  // set by the evaluation
  bool resultShown = false;
  int objectiveRefreshes = 0;  // how often the objective line was told to follow the level
  std::u16string info;  // the information text shown last (empty: hidden)
  std::array<float, 4> infoRect{};

 private:
  void Add(std::string line) { log.push_back(std::move(line)); }
};
