#include "level_screen/TrophyDlg.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/Application.h"

namespace {

std::string Key(const char* pattern, int n) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, n);
  return text;
}

}  // namespace

void TrophyDlg::Fill(int n) {
  shown_ = std::clamp(n, 0, 21);
  const int number = shown_ + 1;
  const StringTable* strings = App().strings();
  for (const auto& [control, pattern] :
       {std::pair{1042, "ach_%02d_name"}, std::pair{1043, "ach_%02d_earn"}}) {
    GUIControl* c = Children().Find(control);
    const std::string key = Key(pattern, number);
    if (c) c->SetText(strings ? strings->Get(key) : std::u16string(key.begin(), key.end()));
  }
  if (GUIControl* picture = Children().Find(1044); picture && App().sprites()) {
    if (Sprite* s = App().sprites()->Get(Key("ach_%02d", number))) picture->SetSprite(s);
  }
}
