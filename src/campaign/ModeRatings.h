#pragma once
#include <string>

#include "app/Mode.h"

class GUIHint;
struct RecordTable;
struct RecordTables;

// The record tables: the five best results of one level (name, time, date, score) or of the
// whole campaign (no times). Arrows step through levels 1-11 of episodes 1-4, wrapping from
// 4:11 to 1:1 and back; two tabs switch between a level's table and the overall one. The map
// opens it at its selected level, or at the overall table when no level is selected.
class ModeRatings : public Mode {
 public:
  // Tooltip timing: the time a shown tooltip is held at, and the step it is aged by at once,
  // so that it stays at full alpha while hovered and fades out within 512 ms after.
  static constexpr float kTooltipHoldMs = 768;
  static constexpr float kTooltipStepMs = 256;

  ModeRatings();
  ~ModeRatings() override;

  void Update() override;
  void OnFadeDone(Fade kind) override;
  void Enter() override;
  void Leave() override;
  int OnCommand(int id) override;
  int OnInput(InputEvent event) override;
  // The level to open at ((0, 0): the overall table) and where "back" leads.
  void Accept(const ModeRequest& request) override;

  // Fills the screen from the current episode and level: the layout afresh, the title, the
  // table's five entries and which controls show or react.
  void Build();
  // The previous and next level of the arrows, wrapping within episodes 1-4.
  static void StepBack(int& episode, int& level);
  static void StepOn(int& episode, int& level);
  // The table the screen shows: the overall one for episode 0.
  static const RecordTable& TableOf(const RecordTables& tables, int episode, int level);

  ModeId back() const { return back_; }

  int episode = 0;
  int level = 0;
  GUIHint* tooltip = nullptr;

 private:
  void MakeTooltip();
  void UpdateTooltip();

  ModeId back_ = ModeId::None;
};

ModeRatings& TheModeRatings();
