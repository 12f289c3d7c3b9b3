#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "gui/GUIDialog.h"

class Level;
class StringTable;
struct Sprite;

// The level's briefing (layout "briefing_dlg"): the level's name (1014), its goals as rows of
// an icon and a text written into the panel 1012 from its top down, and the difficulty
// picture (1015); start is 1011, the difficulty choice 1015, the records 103.
class BriefingDlg : public GUIDialog {
 public:
  static constexpr int kRowPanel = 1012;
  static constexpr int kLevelName = 1014;
  static constexpr int kDifficulty = 1015;
  // Row controls carry this tag, so a refill finds and removes them whatever else changed.
  static constexpr int kRowTag = 0x6B62;
  static constexpr float kMaxIconHeight = 120;
  static constexpr float kMinColumn = 100;
  static constexpr float kMinRowHeight = 90;
  static constexpr float kTextGap = 32;
  // An icon is never wider than this, so a huge picture still leaves room for its text.
  static constexpr float kMaxIconWidth = 240;

  // One goal as the rows show it.
  struct Row {
    std::u16string text;
    Sprite* icon = nullptr;
    float iconW = 0, iconH = 0;  // the drawn size
    float offsetX = 0, offsetY = 0, extraHeight = 0;
  };

  explicit BriefingDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "briefing_dlg") {}

  void SetLevelName(std::u16string_view text);
  // Shows the dialog (240 ms) with the picture "diff_%s" of the difficulty (0..2; any other
  // value shows the casual one).
  void ShowDifficulty(int difficulty);
  // Rebuilds the goal rows from the level's resource goals and objective objects.
  void Fill(const Level& level, const StringTable* strings);

  // The rows of a level, in the order they are shown.
  static std::vector<Row> Goals(const Level& level, const StringTable* strings);
  // An icon of w x h as a row draws it: at most kMaxIconHeight high (scaled down), at most
  // kMaxIconWidth wide, never negative.
  static void FitIcon(float& w, float& h);
  // The height of a row: its icon, at least kMinRowHeight, plus the extra height.
  static float RowHeight(const Row& row);
  // The icon column: the widest icon, at least kMinColumn.
  static float ColumnWidth(const std::vector<Row>& rows);

  const std::vector<Row>& Rows() const { return rows_; }

 private:
  void RemoveRows();
  void LayOut();

  std::vector<Row> rows_;
};
