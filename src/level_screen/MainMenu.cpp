#include "level_screen/MainMenu.h"

#include "app/Application.h"

MainMenu::MainMenu(int dialogId) : GUIDialog(dialogId, Rect{}, "menu_dlg") {
  ShowTestCommands(false);
}

void MainMenu::Show(float fadeMs) {
  ShowTestCommands(App().cheats);
  GUIDialog::Show(fadeMs);
}

void MainMenu::Update(float dt) {
  ShowTestCommands(App().cheats);
  GUIDialog::Update(dt);
}

void MainMenu::ShowTestCommands(bool shown) {
  for (int command = kFirstTestCommand; command <= kLastTestCommand; ++command) {
    if (GUIControl* button = Children().Find(command)) button->visible = shown;
  }
}
