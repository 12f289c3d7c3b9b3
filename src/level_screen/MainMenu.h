#pragma once
#include "gui/GUIDialog.h"

// The in-game menu (layout "menu_dlg"): resume (1000), restart (1001), settings (1002),
// the briefing again (1003) and back to the map (1010).
class MainMenu : public GUIDialog {
 public:
  explicit MainMenu(int dialogId) : GUIDialog(dialogId, Rect{}, "menu_dlg") {}
};
