#pragma once
#include <string_view>

#include "gui/GUIDialog.h"

// The picture that explains a mini-game (layout "mg_hint", picture control 1).
class MiniGameHint : public GUIDialog {
 public:
  explicit MiniGameHint(int dialogId) : GUIDialog(dialogId, Rect{}, "mg_hint") {}

  // The picture of control 1; a name with no picture leaves it empty.
  void SetPicture(std::string_view name);
};
