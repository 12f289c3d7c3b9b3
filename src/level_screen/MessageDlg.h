#pragma once
#include <string_view>

#include "gui/GUIDialog.h"

// The level's story message (layout "message_dlg"): title 1020, text 1021, picture 1022;
// continue is 1025.
class MessageDlg : public GUIDialog {
 public:
  static constexpr int kTitle = 1020;
  static constexpr int kText = 1021;
  static constexpr int kPicture = 1022;

  explicit MessageDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "message_dlg") {}

  // The title is "minigame" for a mini-game level, else "new_feature".
  void SetText(std::u16string_view text, bool miniGame);
  // The picture at its natural size, centred where the layout put 1022 and raised by a
  // quarter of its height; a missing picture hides it.
  void SetPicture(std::string_view name);

 private:
  bool placed_ = false;
  Rect home_;  // 1022 as the layout placed it
};
