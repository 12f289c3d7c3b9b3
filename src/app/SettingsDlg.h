#pragma once
#include "gui/GUIDialog.h"

struct Settings;

// The settings (layout "settings_dlg"): the effects and music volume sliders (1030, 1031),
// the drawn cursor (1032), fullscreen (1033) and no tutorial speech (1034) check boxes, and
// OK (1035). The screens apply each change at once.
class SettingsDlg : public GUIDialog {
 public:
  static constexpr int kEffects = 1030, kMusic = 1031, kCursor = 1032, kFullscreen = 1033,
                       kNoTutorial = 1034, kOk = 1035;

  explicit SettingsDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "settings_dlg") {}

  // The controls show the settings: volumes 0..1 as 0..100 on the sliders, the flags on
  // the check boxes.
  void Fill(float effectsVolume, float musicVolume, const Settings& settings, bool noTutorial);
  // A slider's volume 0..1 (none: -1).
  float Volume(int sliderId);
  // Whether a check box is checked.
  bool Checked(int checkBoxId);
};
