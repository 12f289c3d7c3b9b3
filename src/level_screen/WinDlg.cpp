#include "level_screen/WinDlg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/Application.h"
#include "gui/GUIChanger.h"

namespace {

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string Number(int v) { return Ascii(std::to_string(v)); }

// Seconds as "%d:%02d"; negative values show as 0:00.
std::u16string Clock(int seconds) {
  seconds = std::max(seconds, 0);
  char text[32];
  std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
  return Ascii(text);
}

std::u16string Lookup(std::string_view key) {
  const StringTable* strings = App().strings();
  return strings ? strings->Get(key) : Ascii(std::string(key));
}

// Grows a control's scale, or its rectangle out of a collapsed one, along the elastic curve.
class ElasticChanger final : public GUIChanger {
 public:
  // Scale from 0 to 1.
  explicit ElasticChanger(float seconds)
      : GUIChanger(ChangerTiming::Duration, seconds, Easing::Linear) {}
  ElasticChanger(const Rect& from, const Rect& to, float seconds)
      : GUIChanger(ChangerTiming::Duration, seconds, Easing::Linear),
        rect_(true),
        from_(from),
        to_(to) {}

  bool Step(float dt, GUIControl& control) override {
    if (!active) return false;
    elapsed += std::isfinite(dt) ? std::max(dt, 0.0f) : 0.0f;
    const bool done = finishNow || !(duration > 0) || elapsed >= duration;
    const float f = done ? 1.0f : WinDlgBase::Elastic(elapsed / duration);
    if (rect_) {
      const auto lerp = [f](float a, float b) { return a + (b - a) * f; };
      control.SetRect({lerp(from_.x0, to_.x0), lerp(from_.y0, to_.y0), lerp(from_.x1, to_.x1),
                       lerp(from_.y1, to_.y1)});
    } else {
      control.scale = f;
    }
    return done;
  }

 private:
  bool rect_ = false;
  Rect from_, to_;
};

void SetVisible(ControlList& list, int id, bool on) {
  if (GUIControl* c = list.Find(id)) c->visible = on;
}

void Put(ControlList& list, int id, std::u16string_view text) {
  if (GUIControl* c = list.Find(id)) c->SetText(text);
}

}  // namespace

float WinDlgBase::Elastic(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return std::pow(2.0f, -12 * t * t) * std::sin(-14.137167f * (t * t + 1)) + 1;
}

void WinDlgBase::SetResult(const std::array<int, 4>& parts, const WinFacts& facts) {
  long long total = 0;
  for (const int p : parts) total += p;
  devBeaten_ = facts.devScore < total;
  const bool pieceLevel = facts.level >= 1 && facts.level <= 9;
  SetVisible(Children(), 1103, pieceLevel && !facts.pieceFound);
  SetVisible(Children(), 1153, facts.pieceFound);
}

void WinDlgBase::Unfold(float r01) {
  const float seconds = 1.5f + std::clamp(std::isfinite(r01) ? r01 : 0.0f, 0.0f, 1.0f) * 0.5f;
  for (int bandId = 1110; bandId <= 1115; ++bandId) {
    GUIControl* c = Children().Find(bandId);
    if (!c) continue;
    c->ClearChangers();
    // The full rectangles are taken once, relative to the dialog: a second showing starts
    // from them again.
    Rect& band = bands_[size_t(bandId - 1110)];
    if (!bandsTaken_) {
      band = Rect{c->rect.x0 - rect.x0, c->rect.y0 - rect.y0, c->rect.x1 - rect.x0,
                  c->rect.y1 - rect.y0};
    }
    const Rect to{band.x0 + rect.x0, band.y0 + rect.y0, band.x1 + rect.x0, band.y1 + rect.y0};
    const float cx = (to.x0 + to.x1) / 2;
    const bool downwards = bandId == 1112 || bandId == 1115;
    const Rect from = downwards ? Rect{to.x0, to.y0, to.x1, to.y0} : Rect{cx, to.y0, cx, to.y1};
    c->SetRect(from);
    c->AddChanger(std::make_unique<ElasticChanger>(from, to, seconds));
  }
  bandsTaken_ = true;
}

void WinDlgBase::Present(float r01) {
  Show(kFadeMs);
  Unfold(r01);
}

void WinDlg::SetStars(int stars) {
  static const char* const kNames[] = {"star_bronze", "star_silver", "star_gold"};
  stars = std::clamp(stars, 0, 3);
  Sprite* picture = stars > 0 ? Gui().SpriteNamed(kNames[stars - 1]) : nullptr;
  for (int k = 0; k < 3; ++k) {
    GUIControl* c = Children().Find(1104 + k);
    if (!c) continue;
    if (picture) c->SetSprite(picture);
    c->visible = k < stars;
  }
}

void WinDlg::SetResult(const std::array<int, 4>& parts, const WinFacts& facts) {
  WinDlgBase::SetResult(parts, facts);
  ControlList& list = Children();
  static const char* const kMedalNames[] = {"time_bronze", "time_silver", "time_gold"};
  const int medal = std::clamp(facts.medal, 0, 2);
  const int left = std::max(facts.timeLeftMs, 0) / 1000;
  Put(list, 1101, Lookup(facts.difficulty == 1 ? "diff_mode_casual" : "diff_mode_expert"));
  Put(list, 1130, Lookup(kMedalNames[medal]));
  Put(list, 1131, Clock(medal == 2 ? facts.goldSeconds : facts.silverSeconds));
  Put(list, 1132, Number(parts[0]));
  const int within = medal == 2   ? left + facts.goldSeconds - facts.silverSeconds
                     : medal == 1 ? left
                                  : 0;
  Put(list, 1134, Clock(within));
  Put(list, 1135, Number(parts[1]));
  Put(list, 1137, Number(facts.stock));
  Put(list, 1138, Number(parts[2]));
  const bool birds = facts.birds > 0;
  for (const int row : {1139, 1140, 1141}) SetVisible(list, row, birds);
  Put(list, 1140, Number(facts.birds));
  Put(list, 1141, Number(parts[3]));
  long long total = 0;
  for (const int p : parts) total += p;
  if (GUIControl* c = list.Find(1120)) {
    c->SetText(Ascii(std::to_string(total)));
    c->colour = devBeaten_ ? 0xFFFF0000u : 0xFF000000u;
  }
  Put(list, 1121, Number(facts.devScore));
  SetVisible(list, 1102, false);
}

void WinDlg::Present(float r01) {
  Show(kFadeMs);
  static constexpr float kStarSeconds[] = {0.75f, 1.0f, 1.1f};
  for (int k = 0; k < 3; ++k) {
    GUIControl* c = Children().Find(1104 + k);
    if (!c || !c->visible) continue;
    c->ClearChangers();
    c->scale = 0;
    c->AddChanger(std::make_unique<ElasticChanger>(kStarSeconds[k]));
  }
  Unfold(r01);
  if (GUIControl* badge = Children().Find(1102); badge && devBeaten_) {
    badge->visible = true;
    badge->ClearChangers();
    badge->scale = 0;
    badge->AddChanger(std::make_unique<ElasticChanger>(1.2f));
  }
}
