#pragma once
#include "gui/GUIDialog.h"

// The choice of language (layout "lang_sel_dlg"): one button per language, 101 + the
// language number minus one (101 English, 102 German, 103 Russian, 104 Polish), and cancel
// (6), which Escape also answers.
class LangSelDlg : public GUIDialog {
 public:
  static constexpr int kFirst = 101, kCancel = 6;

  explicit LangSelDlg(int dialogId) : GUIDialog(dialogId, Rect{}, "lang_sel_dlg") {}

  // Marks the button of the current language as pressed.
  void Fill(int language);
  // The language number 1..4 a result chooses, 0 for any other result.
  static int LanguageOf(int result);
};
