#include "level_screen/DiffSelGame.h"

#include "gui/GUIButton.h"

namespace {
constexpr float kShowMs = 240;
}

void DiffSelGame::Fill(int difficulty) {
  Show(kShowMs);
  for (int i = 0; i < 3; ++i) {
    auto* button = dynamic_cast<GUIButton*>(Children().Find(kFirst + i));
    if (!button) continue;
    // The mark is the button's selected state: it draws the pressed frame without arming a
    // press that a release elsewhere could fire.
    button->selected = i == difficulty;
  }
}
