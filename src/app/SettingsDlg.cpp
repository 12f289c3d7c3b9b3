#include "app/SettingsDlg.h"

#include <algorithm>

#include "gui/GUICheckBox.h"
#include "gui/GUISlider.h"
#include "progress/Settings.h"

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
}

float SettingsDlg::Volume(int sliderId) {
  const auto* s = dynamic_cast<GUISlider*>(Children().Find(sliderId));
  return s ? std::clamp(s->Fraction(), 0.0f, 1.0f) : -1.0f;
}

bool SettingsDlg::Checked(int checkBoxId) {
  const auto* c = dynamic_cast<GUICheckBox*>(Children().Find(checkBoxId));
  return c && c->checked;
}
