#include "level_screen/MiniGameHint.h"

#include "graphics/SpriteManager.h"
#include "gui/GuiContext.h"

void MiniGameHint::SetPicture(std::string_view name) {
  GUIControl* picture = Children().Find(1);
  if (!picture) return;
  SpriteManager* sprites = Gui().sprites;
  const Rect r = picture->rect;
  picture->SetSprite(sprites && !name.empty() ? sprites->Get(name) : nullptr);
  picture->SetRect(r);
}
