#include "level_screen/HudPanels.h"

#include <algorithm>
#include <cmath>

#include "graphics/Sprite.h"
#include "gui/ControlList.h"
#include "gui/GUIButton.h"
#include "gui/GUIChanger.h"
#include "gui/GUIProgressBar.h"
#include "level/BonusInfo.h"

namespace {

float Centre(float a, float b) { return (a + b) / 2; }

// Whole ms of a value that may not be a finite number.
int WholeMs(float v) { return std::isfinite(v) ? int(std::clamp(v, -2.0e9f, 2.0e9f)) : 0; }

}  // namespace

void HudPanels::Build(ControlList& controls, const std::array<const BonusInfo*, kBonuses>& bonuses,
                      const ButtonLook& look, Sprite* button, Sprite* bar,
                      const std::array<Sprite*, kBonuses>& icons) {
  for (int i = 0; i < kBonuses; ++i) {
    auto b = std::make_unique<GUIButton>();
    b->id = kFirstButtonId + i;
    b->SetSprite(button);
    b->SetBounds(0, 0, look.w, -look.h);
    b->overlay = icons[size_t(i)];
    if (look.iconW != 0 && look.iconH != 0) {
      b->overlayW = look.iconW, b->overlayH = look.iconH;
    } else if (b->overlay) {
      b->overlayW = b->overlay->width, b->overlayH = b->overlay->height;
    }
    b->offsetX = look.wide ? -4.0f : -5.0f;
    b->offsetY = look.wide ? 0.0f : 5.0f;
    b->visible = b->active = false;
    buttons_[size_t(i)] = static_cast<GUIButton*>(controls.Add(std::move(b)));
    const BonusInfo* info = bonuses[size_t(i)];
    // A negative duration counts as an instant bonus.
    durations_[size_t(i)] = info ? std::clamp(info->time, 0, 3600) : 0;
  }
  for (int i = 0; i < kBonuses; ++i) {
    auto p = std::make_unique<GUIProgressBar>();
    p->id = 0;
    p->SetSprite(bar);
    p->SetBounds(0, 0, look.barW, -look.barH);
    p->Start(10000, -1);
    p->visible = false;
    bars_[size_t(i)] = static_cast<GUIProgressBar*>(controls.Add(std::move(p)));
  }
}

std::vector<float> HudPanels::Spread(const std::vector<float>& wishes, float gap, float low,
                                     float high) {
  const size_t n = wishes.size();
  std::vector<float> out(n);
  if (n == 0) return out;
  gap = std::isfinite(gap) ? std::max(gap, 0.0f) : 0.0f;
  // With centre k at y_k + k × gap the gaps hold exactly when the y are in order; the y
  // nearest their wishes in order are the means of runs of neighbours (pooled from the
  // left while a run's mean falls below the one before it).
  struct Run {
    double sum;
    size_t count;
    double Mean() const { return sum / double(count); }
  };
  std::vector<Run> runs;
  for (size_t k = 0; k < n; ++k) {
    const float wish = std::isfinite(wishes[k]) ? wishes[k] : 0.0f;
    runs.push_back({double(wish) - double(k) * gap, 1});
    while (runs.size() > 1 && runs[runs.size() - 2].Mean() > runs.back().Mean()) {
      runs[runs.size() - 2].sum += runs.back().sum;
      runs[runs.size() - 2].count += runs.back().count;
      runs.pop_back();
    }
  }
  // Within [low, high]: the whole row slides in; without room for it, it starts at low.
  const double last = double(high) - double(n - 1) * gap;
  size_t k = 0;
  for (const Run& run : runs) {
    const double y = std::max(double(low), std::min(run.Mean(), last));
    for (size_t i = 0; i < run.count; ++i, ++k) out[k] = float(y + double(k) * gap);
  }
  return out;
}

void HudPanels::Layout(bool ordinary, const std::array<int, kBonuses>& costs, int meterSeconds,
                       GUIProgressBar* meter, GUIControl* rail, float halfWidth, float halfHeight) {
  meter_ = meter;
  meterSeconds_ = std::max(meterSeconds, 0);
  running_ = {};
  enabled_ = {};
  fading_ = {};
  // The buttons that show, in the order of their costs along the meter.
  std::vector<int> shown;
  for (int i = 0; i < kBonuses; ++i) {
    // A cost that is negative or above the meter is no bonus the meter can pay.
    const int cost = costs[size_t(i)];
    costs_[size_t(i)] = cost;
    GUIButton* b = buttons_[size_t(i)];
    GUIProgressBar* bar = bars_[size_t(i)];
    if (bar) bar->visible = false, bar->ClearChangers();
    if (!b) continue;
    const bool visible =
        ordinary && meter && cost > 0 && meterSeconds_ > 0 && cost <= meterSeconds_;
    b->visible = visible;
    b->active = false;
    b->SetAlpha(127);
    if (visible) shown.push_back(i);
  }
  std::stable_sort(shown.begin(), shown.end(),
                   [&](int a, int b) { return costs_[size_t(a)] < costs_[size_t(b)]; });
  if (meter && !shown.empty()) {
    const Rect m = meter->rect;
    const float bottom = std::min(m.y0, m.y1), left = std::min(m.x0, m.x1);
    const float W = std::fabs(m.x1 - m.x0), H = std::fabs(m.y1 - m.y0);
    // Every button sits where the meter's fill reaches its cost, beside the vertical meter or
    // under the horizontal one; neighbours whose costs lie close together move apart along
    // the meter until they no longer cover each other, kept on the screen.
    std::vector<float> along;
    float w = 0, h = 0;
    for (const int i : shown) {
      const GUIButton* b = buttons_[size_t(i)];
      w = std::max(w, std::fabs(b->rect.x1 - b->rect.x0));
      h = std::max(h, std::fabs(b->rect.y1 - b->rect.y0));
      const float f = float(costs_[size_t(i)]) / float(meterSeconds_);
      along.push_back(meter->vertical ? bottom + f * H : left + f * W + 4);
    }
    const float size = meter->vertical ? h : w;
    const float half = meter->vertical ? halfHeight : halfWidth;
    along = Spread(along, size + kButtonGap, -half + size / 2, half - size / 2);
    for (size_t k = 0; k < shown.size(); ++k) {
      GUIButton* b = buttons_[size_t(shown[k])];
      const float bw = std::fabs(b->rect.x1 - b->rect.x0), bh = std::fabs(b->rect.y1 - b->rect.y0);
      float x0, top;
      if (meter->vertical) {
        x0 = Centre(m.x0, m.x1) + 6 - bw;
        top = along[k] + bh / 2;
      } else {
        x0 = along[k] - bw / 2;
        top = Centre(m.y0, m.y1) + 8;
      }
      b->SetRect(Rect{x0, top, x0 + bw, top - bh});
      if (GUIProgressBar* bar = bars_[size_t(shown[k])]) {
        const float barW = std::fabs(bar->rect.x1 - bar->rect.x0);
        const float barH = std::fabs(bar->rect.y1 - bar->rect.y0);
        const float cx = x0 + bw / 2 - 4, cy = top - bh / 2 - 0.4f * bh;
        bar->SetRect(Rect{cx - barW / 2, cy + barH / 2, cx + barW / 2, cy - barH / 2});
      }
    }
  }
  const bool any = !shown.empty();
  if (meter) meter->visible = ordinary && any;
  if (rail) rail->visible = ordinary && any;
}

void HudPanels::StartMeter(int restoredMs) {
  const float total = float(meterSeconds_) * 1000;
  meterMs_ = std::clamp(float(std::max(restoredMs, 0)), 0.0f, total);
  if (meter_) {
    meter_->Start(total, 1);
    meter_->SetProgressValue(meterMs_);
  }
}

int HudPanels::MeterMs() const { return WholeMs(meterMs_); }

void HudPanels::AdvanceMeter(float ms, Host& host) {
  if (!std::isfinite(ms)) return;
  meterMs_ = std::clamp(meterMs_ + ms, 0.0f, float(meterSeconds_) * 1000);
  if (meter_) meter_->SetProgressValue(meterMs_);
  RefreshButtons(host);
}

void HudPanels::RefreshButtons(Host& host) {
  const int seconds = MeterMs() / 1000;
  for (int i = 0; i < kBonuses; ++i) {
    GUIButton* b = buttons_[size_t(i)];
    if (!b || !b->visible) continue;
    const bool on = seconds >= costs_[size_t(i)];
    b->active = on;
    b->SetAlpha(on ? 255 : 127);
    if (on && !enabled_[size_t(i)]) {
      host.PanelEffect("bonus_avail", Centre(b->rect.x0, b->rect.x1),
                       Centre(b->rect.y0, b->rect.y1));
      host.PanelSound("bonus_avail");
    }
    enabled_[size_t(i)] = on;
  }
}

void HudPanels::Activate(int i, Host& host) {
  if (i < 0 || i >= kBonuses) return;
  GUIButton* b = buttons_[size_t(i)];
  if (!b || !b->visible || !enabled_[size_t(i)]) return;
  const int d = durations_[size_t(i)];
  if (d == 0) {
    host.StartBonus(i, false);
  } else if (GUIProgressBar* bar = bars_[size_t(i)]) {
    bar->Start(float(d) * 1000, -1);
    if (running_[size_t(i)]) {
      // Bought again while it runs: the bar starts over, the bonus goes on.
      bar->ClearChangers();
      bar->SetAlpha(255);
      fading_[size_t(i)] = false;
      host.PanelAchievement(kRestartedBarTrophy);
    } else {
      host.StartBonus(i, false);
      running_[size_t(i)] = true;
      bar->visible = true;
      bar->ClearChangers();
      bar->SetAlpha(0);
      bar->AddChanger(std::make_unique<AlphaChanger>(0.0f, 1.0f, ChangerTiming::Duration, 0.5f));
      const auto count = std::count(running_.begin(), running_.end(), true);
      if (!host.HasAchievement(kTwoBarsTrophy) && count > 1) host.PanelAchievement(kTwoBarsTrophy);
    }
  }
  host.PanelEffect("bonus_on", Centre(b->rect.x0, b->rect.x1), Centre(b->rect.y0, b->rect.y1));
  AdvanceMeter(-float(costs_[size_t(i)]) * 1000, host);
}

void HudPanels::StepBars(float frameTime, Host& host) {
  if (!std::isfinite(frameTime) || frameTime < 0) return;
  for (int i = 0; i < kBonuses; ++i) {
    GUIProgressBar* bar = bars_[size_t(i)];
    if (!running_[size_t(i)] || !bar) continue;
    bar->Advance(frameTime);
    if (bar->state.done) {
      bar->visible = false;
      bar->ClearChangers();
      running_[size_t(i)] = fading_[size_t(i)] = false;
      host.EndBonus(i);
      continue;
    }
    if (bar->state.value <= kBarFadeMs && !fading_[size_t(i)] && !bar->HasChangers()) {
      fading_[size_t(i)] = true;
      bar->AddChanger(std::make_unique<AlphaChanger>(1.0f, 0.0f, ChangerTiming::Duration, 0.5f));
      host.PanelSound("bonus_end");
      if (GUIButton* b = buttons_[size_t(i)]) {
        host.PanelEffect("bonus_off", Centre(b->rect.x0, b->rect.x1),
                         Centre(b->rect.y0, b->rect.y1));
      }
    }
  }
}

void HudPanels::RestoreBar(int i, int cur, int max, Host& host) {
  if (i < 0 || i >= kBonuses || running_[size_t(i)] || max <= 0) return;
  GUIProgressBar* bar = bars_[size_t(i)];
  if (!bar) return;
  cur = std::clamp(cur, 0, max);
  if (cur >= max) return;
  bar->Start(float(max), -1);
  bar->Advance(float(cur));
  bar->visible = true;
  bar->SetAlpha(255);
  running_[size_t(i)] = true;
  host.StartBonus(i, true);
}

int HudPanels::BarSpent(int i) const {
  const GUIProgressBar* bar = Bar(i);
  return bar ? WholeMs(bar->state.total - bar->state.value) : 0;
}

int HudPanels::BarTotal(int i) const {
  const GUIProgressBar* bar = Bar(i);
  return bar ? WholeMs(bar->state.total) : 0;
}

void HudPanels::Clear() {
  running_ = {};
  enabled_ = {};
  fading_ = {};
  meterMs_ = 0;
  for (GUIProgressBar* bar : bars_) {
    if (bar) bar->visible = false, bar->ClearChangers();
  }
}

void HudPanels::Forget(const GUIControl& control) {
  for (auto& b : buttons_) {
    if (b == &control) b = nullptr;
  }
  for (auto& b : bars_) {
    if (b == &control) b = nullptr;
  }
  if (meter_ == &control) meter_ = nullptr;
  for (auto& c : counters_) {
    if (c == &control) c = nullptr;
  }
  if (goldMark_ == &control) goldMark_ = nullptr;
}

void HudPanels::StartCounters(GUIProgressBar* a, GUIProgressBar* b, int counterA, int counterB) {
  counters_ = {a, b};
  targetA_ = std::clamp(counterA, 0, 1000000);
  targetB_ = std::clamp(counterB, 0, 1000000);
  if (a) a->Start(float(targetA_) * 1000, -1);
  if (b) b->Start(float(targetB_) * 1000, -1);
}

void HudPanels::StepCounters(float frameTime, GUIProgressBar* c, float targetC) {
  if (!std::isfinite(frameTime) || frameTime <= 0) return;
  const auto drain = [frameTime](GUIProgressBar* bar, float target) {
    if (!bar || !bar->visible || !std::isfinite(target)) return;
    const float d = bar->state.value - target;
    if (d > 0) bar->Advance(std::min(d, 3 * frameTime));
  };
  drain(counters_[0], float(targetA_) * 1000);
  drain(counters_[1], float(targetB_) * 1000);
  drain(c, targetC);
}

void HudPanels::GoalDone(int countAfter) {
  if (countAfter >= 0) targetA_ = std::max(targetA_ - 1, 0);
}

bool HudPanels::Hit() {
  targetB_ = std::max(targetB_ - 1, 0);
  return targetB_ <= 0;
}

float HudPanels::GoldFraction(int goldSeconds, int silverSeconds) {
  // Without a silver time the mark sits at the end of the bar.
  if (silverSeconds <= 0) return 0.01f;
  const float f = float(goldSeconds) * 0.98f / float(silverSeconds) + 0.01f;
  return std::isfinite(f) ? std::clamp(f, 0.0f, 1.0f) : 0.01f;
}

void HudPanels::SetupGoldMark(GUIControl* mark, const GUIProgressBar* timeBar, int goldSeconds,
                              int silverSeconds, int elapsedMs, float offsetX, float offsetY) {
  goldMark_ = mark;
  goldMs_ = std::max(goldSeconds, 0) * 1000;
  if (!mark) return;
  if (!timeBar || !timeBar->visible) {
    mark->visible = false;
    return;
  }
  const float f = GoldFraction(goldSeconds, silverSeconds);
  const Rect b = timeBar->rect;
  const float bottom = std::min(b.y0, b.y1), height = std::fabs(b.y1 - b.y0);
  const float w = std::fabs(mark->rect.x1 - mark->rect.x0);
  const float h = std::fabs(mark->rect.y1 - mark->rect.y0);
  // The mark's origin (its upper left corner) goes to the height where the gold time runs
  // out, moved by the content's offsets: the bar drains downwards, so the gold part is its
  // top fraction f.
  const float x = std::min(b.x0, b.x1) + offsetX;
  const float y = bottom + (1 - f) * height - offsetY;
  mark->SetRect(Rect{x, y, x + w, y - h});
  mark->visible = elapsedMs < goldMs_;
}

bool HudPanels::StepGoldMark(int elapsedMs, Host& host) {
  if (!goldMark_ || !goldMark_->visible || elapsedMs < goldMs_) return false;
  goldMark_->visible = false;
  const Rect r = goldMark_->rect;
  host.PanelEffect("golden_time", Centre(r.x0, r.x1), Centre(r.y0, r.y1));
  host.PanelSound("thief_out");
  return true;
}
