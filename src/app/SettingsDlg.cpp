#include "app/SettingsDlg.h"

#include <algorithm>
#include <string>

#include "app/Application.h"
#include "gui/GUICheckBox.h"
#include "gui/GUISlider.h"
#include "progress/Settings.h"

SettingsDlg::SettingsDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "settings_dlg") {
  firstComfortChild_ = Children().Size();
  LoadChildren(std::string("settings_comfort.xml"));
  ShowPage(1);
}

void SettingsDlg::Fill(float effectsVolume, float musicVolume, const Settings& settings,
                       bool noTutorial) {
  const auto slider = [&](int control, float volume) {
    if (auto* s = dynamic_cast<GUISlider*>(Children().Find(control))) {
      s->SetRange(0, 100);
      s->value = std::clamp(volume * 100.0f, 0.0f, 100.0f);
    }
  };
  const auto box = [&](int control, bool on) {
    if (auto* c = dynamic_cast<GUICheckBox*>(Children().Find(control))) c->SetChecked(on);
  };
  slider(kEffects, effectsVolume);
  slider(kMusic, musicVolume);
  box(kCursor, settings.drawnCursor());
  box(kFullscreen, settings.fullscreen());
  box(kNoTutorial, noTutorial);
  FillComfort(settings);
  ShowPage(1);
}

void SettingsDlg::FillComfort(const Settings& settings) {
  const auto box = [&](int control, bool on) {
    if (auto* c = dynamic_cast<GUICheckBox*>(Children().Find(control))) c->SetChecked(on);
  };
  box(kNoShake, settings.Has(Settings::kNoShake));
  box(kSteadyMarks, settings.Has(Settings::kSteadyMarks));
  box(kCalmMotion, settings.Has(Settings::kCalmMotion));
  const auto size = [&](int control, int percent) {
    if (GUIControl* c = Children().Find(control)) {
      const std::string text = std::to_string(percent) + " %";
      c->SetText(std::u16string(text.begin(), text.end()));
    }
  };
  size(kTextSize, settings.textPercent);
  size(kPointerSize, settings.pointerPercent);
}

void SettingsDlg::ShowPage(int page) {
  page_ = page == 2 ? 2 : 1;
  const ControlList& children = Children();
  for (size_t i = 0; i < children.Size(); ++i) {
    GUIControl* c = children.At(i);
    // The backdrop, the shadow and the frame belong to both pages.
    if (c == Backdrop() || c == Anchor() || c->id < 0) continue;
    c->visible = (i >= firstComfortChild_) == (page_ == 2);
  }
}

namespace {

// The offered size after the current one, round.
int NextOffered(int current, std::span<const int32_t> offered) {
  const auto at = std::find(offered.begin(), offered.end(), current);
  if (at == offered.end() || at + 1 == offered.end()) return offered.front();
  return *(at + 1);
}

}  // namespace

void SettingsDlg::ComfortCommand(int command) {
  Application& app = App();
  PlayerProfiles* profiles = app.profiles();
  ClearResult();
  if (!profiles) return;
  const Settings& s = profiles->settings;
  switch (command) {
    case kComfortPage:
      ShowPage(2);
      break;
    case kBack:
      ShowPage(1);
      break;
    case kNoShake:
      app.SetComfort(Settings::kNoShake, !s.Has(Settings::kNoShake));
      break;
    case kSteadyMarks:
      app.SetComfort(Settings::kSteadyMarks, !s.Has(Settings::kSteadyMarks));
      break;
    case kCalmMotion:
      app.SetComfort(Settings::kCalmMotion, !s.Has(Settings::kCalmMotion));
      break;
    case kTextSize:
      app.SetTextPercent(NextOffered(s.textPercent, Settings::kTextPercents));
      break;
    case kPointerSize:
      app.SetPointerPercent(NextOffered(s.pointerPercent, Settings::kPointerPercents));
      break;
    default:
      return;
  }
  FillComfort(profiles->settings);
}

float SettingsDlg::Volume(int sliderId) {
  const auto* s = dynamic_cast<GUISlider*>(Children().Find(sliderId));
  return s ? std::clamp(s->Fraction(), 0.0f, 1.0f) : -1.0f;
}

bool SettingsDlg::Checked(int checkBoxId) {
  const auto* c = dynamic_cast<GUICheckBox*>(Children().Find(checkBoxId));
  return c && c->checked;
}
