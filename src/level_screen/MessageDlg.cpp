#include "level_screen/MessageDlg.h"

#include <cmath>

#include "data/StringTable.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteManager.h"
#include "gui/GuiContext.h"

void MessageDlg::SetText(std::u16string_view text, bool miniGame) {
  if (GUIControl* title = Children().Find(kTitle)) {
    const char* key = miniGame ? "minigame" : "new_feature";
    const StringTable* strings = Gui().strings;
    title->SetText(strings ? std::u16string(strings->Get(key))
                           : std::u16string(key, key + std::char_traits<char>::length(key)));
  }
  if (GUIControl* body = Children().Find(kText)) body->SetText(text);
}

void MessageDlg::SetPicture(std::string_view name) {
  GUIControl* picture = Children().Find(kPicture);
  if (!picture) return;
  if (!placed_) {
    home_ = picture->rect;
    placed_ = true;
  }
  SpriteManager* sprites = Gui().sprites;
  Sprite* art = sprites && !name.empty() ? sprites->Get(name) : nullptr;
  picture->SetSprite(art);
  picture->visible = art != nullptr;
  if (!art) return;
  const float w = art->width, h = art->height;
  const float cx = CentreX(home_), cy = CentreY(home_) + h / 4;
  picture->SetRect(Rect{cx - w / 2, cy + h / 2, cx + w / 2, cy - h / 2});
}
