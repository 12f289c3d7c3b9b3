#include "campaign/LangSelDlg.h"

#include "data/Language.h"
#include "gui/GUIButton.h"

void LangSelDlg::Fill(int language) {
  for (int n = 1; n <= kLanguageCount; ++n) {
    if (auto* button = dynamic_cast<GUIButton*>(Children().Find(kFirst + n - 1))) {
      button->SetSelected(n == language);
    }
  }
}

int LangSelDlg::LanguageOf(int result) {
  const int n = result - kFirst + 1;
  return n >= 1 && n <= kLanguageCount ? n : 0;
}
