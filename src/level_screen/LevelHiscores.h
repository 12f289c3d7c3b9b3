#pragma once
#include "gui/GUIDialog.h"

struct RecordTable;

// The level's record table (layout "level_hiscores"): five rows of name (1211..), time
// (1221..), date (1231..) and score (1241..); 1201 closes it.
class LevelHiscores : public GUIDialog {
 public:
  static constexpr float kFadeMs = 240;
  explicit LevelHiscores(int dialogId) : GUIDialog(dialogId, Rect{}, "level_hiscores") {}
  // Writes the five entries of the table and shows the dialog.
  void Fill(const RecordTable& table);
};
