#pragma once
#include "gui/GUIDialog.h"

struct Settings;

// The settings (layout "settings_dlg"): the effects and music volume sliders (1030, 1031),
// the drawn cursor (1032), fullscreen (1033) and no tutorial speech (1034) check boxes, and
// OK (1035). The screens apply each change at once.
//
// Its second page, comfort (layout "settings_comfort", reached by 1060 and left by 1066), is
// handled here: no shake (1061), steady marks (1062) and calm motion (1063) check boxes and
// the pointer size button (1065), stepping through the offered sizes.
class SettingsDlg : public GUIDialog {
 public:
  static constexpr int kEffects = 1030, kMusic = 1031, kCursor = 1032, kFullscreen = 1033,
                       kNoTutorial = 1034, kOk = 1035;
  static constexpr int kComfortPage = 1060, kNoShake = 1061, kSteadyMarks = 1062,
                       kCalmMotion = 1063, kTextSize = 1064, kPointerSize = 1065,
                       kBack = 1066;

  explicit SettingsDlg(int dialogId);

  // The controls show the settings: volumes 0..1 as 0..100 on the sliders, the flags on
  // the check boxes, the sizes on their buttons; the first page is shown.
  void Fill(float effectsVolume, float musicVolume, const Settings& settings, bool noTutorial);
  // A slider's volume 0..1 (none: -1).
  float Volume(int sliderId);
  // Whether a check box is checked.
  bool Checked(int checkBoxId);

  static bool IsComfortCommand(int id) { return id >= kComfortPage && id <= kBack; }
  // Turns the page or changes a comfort setting through the application (stored and
  // applied at once), and shows the new state.
  void ComfortCommand(int command);
  // 1: the sound and display settings; 2: comfort.
  void ShowPage(int page);
  int Page() const { return page_; }

 private:
  void FillComfort(const Settings& settings);
  size_t firstComfortChild_ = 0;
  int page_ = 1;
};
