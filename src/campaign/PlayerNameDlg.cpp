#include "campaign/PlayerNameDlg.h"

#include "gui/GUIInputLine.h"

void PlayerNameDlg::Show(float fadeMs) {
  GUIDialog::Show(fadeMs);
  if (auto* input = dynamic_cast<GUIInputLine*>(Children().Find(kInput))) input->text.clear();
  Children().SetFocus(kInput);
}

std::u16string PlayerNameDlg::Text() const {
  const auto* input = dynamic_cast<const GUIInputLine*>(Children().Find(kInput));
  return input ? input->text : std::u16string();
}

std::u16string PlayerNameDlg::Trim(std::u16string_view text) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  size_t begin = 0, end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return std::u16string(text.substr(begin, end - begin));
}
