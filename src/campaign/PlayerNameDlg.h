#pragma once
#include <string>
#include <string_view>

#include "gui/GUIDialog.h"

// A new player's name (layout "player_name"): the input line (25, Enter in it answers 25),
// OK (1) and cancel (2).
class PlayerNameDlg : public GUIDialog {
 public:
  static constexpr int kOk = 1, kCancel = 2, kInput = 25;

  explicit PlayerNameDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "player_name") {}

  // Shows the dialog with an empty input line that has the keyboard focus.
  void Show(float fadeMs) override;
  // The typed text as it stands.
  std::u16string Text() const;
  // The name without leading and trailing spaces, tabs, carriage returns and line feeds.
  static std::u16string Trim(std::u16string_view text);
};
