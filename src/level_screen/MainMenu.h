#pragma once
#include "gui/GUIDialog.h"

// The in-game menu (layout "menu_dlg"): resume (1000), restart (1001), settings (1002),
// the briefing again (1003) and back to the map (1010); in cheat mode also the test
// commands (1080..1083), which are hidden otherwise.
class MainMenu : public GUIDialog {
 public:
  static constexpr int kFirstTestCommand = 1080, kLastTestCommand = 1083;

  explicit MainMenu(int dialogId);
  // The test commands follow the application's cheat mode: as the menu opens and while it
  // is open.
  void Show(float fadeMs) override;
  void Update(float dt) override;
  void ShowTestCommands(bool shown);
};
