#include "campaign/BannerDlg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "data/StringTable.h"
#include "gui/GUIChanger.h"
#include "gui/GuiContext.h"

namespace {

float Width(const Rect& r) { return std::fabs(r.x1 - r.x0); }

}  // namespace

BannerDlg::BannerDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "promo_banner") {
  // It waits with its left edge on the right edge of the screen, whatever the layout says
  // about x; the layout's y is kept.
  GUIDialog::Move(Gui().HalfWidth() - std::min(rect.x0, rect.x1), 0.0f);
  home_.push_back(rect);
  for (size_t i = 0; i < Children().Size(); ++i) home_.push_back(Children().At(i)->rect);
  visible = false;
  active = false;
  ShowPicture();
}

void BannerDlg::SlideIn() {
  SlideOut();
  visible = active = true;
  slidIn_ = true;
  const float w = Width(home_.front());
  const auto slide = [&](GUIControl& control, const Rect& from) {
    const Rect to{from.x0 - w, from.y0, from.x1 - w, from.y1};
    control.AddChanger(std::make_unique<RectChanger>(from, to, ChangerTiming::Duration,
                                                     kSlideSeconds, Easing::Linear));
  };
  slide(*this, home_[0]);
  for (size_t i = 0; i < Children().Size() && i + 1 < home_.size(); ++i) {
    slide(*Children().At(i), home_[i + 1]);
  }
}

void BannerDlg::SlideOut() {
  slidIn_ = false;
  ClearChangers();
  if (!home_.empty()) rect = home_[0];
  for (size_t i = 0; i < Children().Size() && i + 1 < home_.size(); ++i) {
    GUIControl* child = Children().At(i);
    child->ClearChangers();
    child->SetRect(home_[i + 1]);
  }
  visible = active = false;
}

void BannerDlg::Update(float dt) {
  GUIDialog::Update(dt);
  if (!visible || !std::isfinite(dt) || dt <= 0.0f) return;
  timer_ += dt;
  if (timer_ < kPictureMs) return;
  timer_ = std::fmod(timer_, kPictureMs);
  picture_ = (picture_ + 1) % kPictures;
  ShowPicture();
}

bool BannerDlg::OnInput(InputEvent event) {
  // A click on the banner follows its link; it holds no answer of its own.
  return visible && event.type == InputType::LeftUp;
}

void BannerDlg::ShowPicture() {
  char name[32];
  std::snprintf(name, sizeof name, "banner_pic_%d", picture_);
  if (GUIControl* picture = Children().Find(kPicture)) {
    if (Sprite* s = Gui().SpriteNamed(name)) picture->SetSprite(s);
  }
}

bool BannerDlg::IsWebAddress(std::string_view address) {
  const bool web = address.starts_with("http://") || address.starts_with("https://");
  if (!web) return false;
  for (const char c : address) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
  }
  return true;
}

std::string BannerDlg::LinkAddress(const StringTable& strings) {
  std::string narrow;
  for (const char16_t c : strings.Get("banner_url")) {
    // An address is plain ASCII; anything else makes it no address.
    if (c >= 0x80) return {};
    narrow += char(c);
  }
  return IsWebAddress(narrow) ? narrow : std::string();
}
