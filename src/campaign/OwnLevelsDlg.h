#pragma once
#include <string>
#include <vector>

#include "campaign/OwnLevelList.h"
#include "gui/GUIDialog.h"

class OwnLevelRecords;
class StringTable;

// The list of the player's own levels (layout "own_levels"), reached from the map: a row per
// level with its name, land and the player's best result on it (23), a line (24) saying why
// the selected level cannot be played, or how to make one when there is none, the pages back
// (25) and on (26), play (1) and close (3). Play and close close it; the map reads the
// selected level first.
class OwnLevelsDlg : public GUIDialog {
 public:
  static constexpr int kPlay = 1, kClose = 3, kList = 23, kNote = 24, kBack = 25, kOn = 26;

  explicit OwnLevelsDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "own_levels") {}

  // Shows the levels from the first page, the first one selected.
  void Fill(std::vector<OwnLevelEntry> levels, const OwnLevelRecords& records,
            const StringTable& strings);
  // A page back or on (direction -1 or 1), the first row of it selected.
  void Turn(int direction);
  // Brings the note and the play button up to date with the row selected.
  void Refresh();
  // The selected level, none without levels.
  const OwnLevelEntry* Selected() const;
  int Page() const { return page_; }
  int Pages() const;
  const std::vector<OwnLevelEntry>& Levels() const { return levels_; }

  void Update(float dt) override;

  // The text of a row: "name · land · result".
  static std::u16string RowText(const OwnLevelEntry& level, const OwnLevelRecords& records,
                                const StringTable& strings);

 private:
  int RowsPerPage() const;
  void ShowPage();

  std::vector<OwnLevelEntry> levels_;
  std::vector<std::u16string> rows_;
  const StringTable* strings_ = nullptr;
  int page_ = 0;
  int shownSelection_ = -1;
};
