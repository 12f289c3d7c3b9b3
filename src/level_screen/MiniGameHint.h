#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "gui/GUIDialog.h"

// The picture that explains a mini-game (layout "mg_hint", picture control 1).
class MiniGameHint : public GUIDialog {
 public:
  explicit MiniGameHint(int dialogId) : GUIDialog(dialogId, Rect{}, "mg_hint") {}

  // The language's card for a thing to fetch: "mg_hint_" and the thing's texture name
  // without its "mg_" (mg_jug: mg_hint_jug); the card carries the wish in words.
  static std::string CardName(std::string_view texture);
  // The picture the hint shows for a thing: its card when the language has one (as
  // hasPicture tells), else the thing's own texture.
  static std::string PictureFor(std::string_view texture,
                                const std::function<bool(std::string_view)>& hasPicture);

  // The picture of control 1, as large as the layout's box holds it without stretching,
  // centred in it; a name with no picture leaves it empty.
  void SetPicture(std::string_view name);
  // A picture of w x h scaled to fit inside box, centred (the box itself for no size).
  static Rect FitInto(const Rect& box, float w, float h);

 private:
  Rect box_;  // control 1 as the layout placed it
  bool boxTaken_ = false;
};
