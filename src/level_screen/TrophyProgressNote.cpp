#include "level_screen/TrophyProgressNote.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "data/Utf8.h"
#include "gui/ControlList.h"
#include "gui/GUIChanger.h"
#include "gui/GUIPic.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIText.h"
#include "gui/GUITilePic.h"
#include "gui/GuiContext.h"

namespace {

constexpr float kIcon = 64, kPad = 14;
constexpr uint32_t kInk = 0xFF282828u;

template <class T>
T* AddHidden(ControlList& list, std::unique_ptr<T> control) {
  control->visible = false;
  control->passive = true;  // the note never takes the pointer from what lies under it
  T* raw = control.get();
  list.Add(std::move(control));
  return raw;
}

std::unique_ptr<GUIText> Line(const Rect& r, float size, int align) {
  auto text = std::make_unique<GUIText>();
  text->rect = r;
  text->fontId = 1;
  text->SetFontSize(size);
  text->align = align;
  text->colour = kInk;
  return text;
}

}  // namespace

std::array<GUIControl*, 5> TrophyProgressNote::Parts() const {
  return {back_, icon_, name_, bar_, percent_};
}

void TrophyProgressNote::Build(ControlList& list, float halfWidth, float halfHeight) {
  *this = TrophyProgressNote{};
  const GuiContext& gui = Gui();
  // The lower left corner: x grows to the right, y up.
  const float x0 = -halfWidth + kMargin, y0 = -halfHeight + kMargin;
  const float x1 = x0 + kWidth, y1 = y0 + kHeight;

  auto back = std::make_unique<GUITilePic>();
  back->SetSprite(gui.SpriteNamed("hintback"));
  if (back->sprite) {
    back->tileMode = 1;
    back->tileWidth = back->sprite->width;
    back->tileHeight = back->sprite->height;
  }
  back->rect = Rect{x0, y1, x1, y0};
  back_ = AddHidden(list, std::move(back));

  auto icon = std::make_unique<GUIPic>();
  const float iconTop = y1 - (kHeight - kIcon) / 2;
  icon->rect = Rect{x0 + kPad, iconTop, x0 + kPad + kIcon, iconTop - kIcon};
  icon_ = AddHidden(list, std::move(icon));

  const float textX = x0 + kPad * 2 + kIcon;
  name_ = AddHidden(list, Line(Rect{textX, y1 - 10, x1 - kPad, y1 - 44}, 20, 0));

  auto bar = std::make_unique<GUIProgressBar>();
  bar->SetSprite(gui.SpriteNamed("hud_counter"));
  bar->rect = Rect{textX, y0 + 40, x1 - kPad - 64, y0 + 16};
  bar->Start(1, 1);
  bar_ = AddHidden(list, std::move(bar));

  percent_ = AddHidden(list, Line(Rect{x1 - kPad - 60, y0 + 44, x1 - kPad, y0 + 12}, 20, 2));
}

void TrophyProgressNote::Show(int trophy, float fraction, const std::u16string& name,
                              Sprite* picture) {
  trophy_ = trophy;
  fraction_ = std::isfinite(fraction) ? std::clamp(fraction, 0.0f, 1.0f) : 0.0f;
  if (icon_) icon_->SetSprite(picture);
  if (name_) name_->SetText(name);
  if (bar_) bar_->SetProgressValue(fraction_);
  if (percent_) {
    const int percent = int(std::floor(fraction_ * 100 + 0.5f));
    percent_->SetText(DecodeUtf8(std::to_string(percent) + "%"));
  }
  for (GUIControl* c : Parts()) {
    if (!c) continue;
    c->ClearChangers();
    // A trophy without a picture shows its name and bar only.
    c->visible = c != icon_ || picture != nullptr;
    if (!c->visible) continue;
    c->SetAlpha(255);
    // Full for three quarters of the time, then fading out, then hidden.
    auto fade = std::make_unique<AlphaChanger>(1.0f, 0.0f, ChangerTiming::Duration, kShowSeconds,
                                               Easing::Delayed);
    fade->blocking = true;
    c->AddChanger(std::move(fade));
    c->AddChanger(std::make_unique<VisibleChanger>());
  }
}

void TrophyProgressNote::Hide() {
  for (GUIControl* c : Parts()) {
    if (!c) continue;
    c->ClearChangers();
    c->visible = false;
  }
}

bool TrophyProgressNote::Shown() const { return name_ && name_->visible; }

void TrophyProgressNote::Forget(const GUIControl& control) {
  const auto drop = [&](auto*& part) {
    if (static_cast<const GUIControl*>(part) == &control) part = nullptr;
  };
  drop(back_), drop(icon_), drop(name_), drop(bar_), drop(percent_);
}
