#pragma once
#include "gui/GUIDialog.h"

// The level's story message (layout "message_dlg"): title 1020, text 1021, picture 1022;
// continue is 1025.
class MessageDlg : public GUIDialog {
 public:
  explicit MessageDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "message_dlg") {}
};
