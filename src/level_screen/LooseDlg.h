#pragma once
#include "gui/GUIDialog.h"

// The lost level's dialog (layout "loose_dlg"): play again (100) or back to the map (102).
class LooseDlg : public GUIDialog {
 public:
  explicit LooseDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "loose_dlg") {}
};
