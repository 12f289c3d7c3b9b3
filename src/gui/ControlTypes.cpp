#include "gui/ControlTypes.h"

#include "gui/ControlFactory.h"
#include "gui/GUIAniPic.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIInputLine.h"
#include "gui/GUIListbox.h"
#include "gui/GUIParticles.h"
#include "gui/GUIPic.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIPuzzle.h"
#include "gui/GUIRotator.h"
#include "gui/GUIScissor.h"
#include "gui/GUISlider.h"
#include "gui/GUIText.h"
#include "gui/GUITilePic.h"

void RegisterControlTypes(ControlFactory& factory) {
  factory.Register("pic", GUIPic::Read);
  factory.Register("anipic", GUIAniPic::Read);
  factory.Register("tilepic", GUITilePic::Read);
  factory.Register("tilexpic", GUITileXPic::Read);
  factory.Register("tileypic", GUITileYPic::Read);
  factory.Register("text", GUIText::Read);
  factory.Register("hint", GUIHint::Read);
  factory.Register("button", GUIButton::Read);
  factory.Register("checkbox", GUICheckBox::Read);
  factory.Register("slider", GUISlider::Read);
  factory.Register("progress", GUIProgressBar::Read);
  factory.Register("round", GUIRoundProgress::Read);
  factory.Register("listbox", GUIListbox::Read);
  factory.Register("input", GUIInputLine::Read);
  factory.Register("scissor", GUIScissor::Read);
  factory.Register("rotator", GUIRotator::Read);
  factory.Register("particles", GUIParticles::Read);
  factory.Register("puzzle", GUIPuzzle::Read);
  factory.SetTextMaker([](const Rect& rect, int font, float size) {
    auto text = std::make_unique<GUIText>();
    text->rect = rect;
    text->fontId = font;
    text->fontSize = size;
    return text;
  });
}
