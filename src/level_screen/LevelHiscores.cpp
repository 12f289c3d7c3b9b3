#include "level_screen/LevelHiscores.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "data/Utf8.h"
#include "graphics/FontManager.h"
#include "progress/RecordTables.h"

namespace {

void Put(ControlList& list, int id, std::u16string_view text) {
  if (GUIControl* c = list.Find(id)) c->SetText(text);
}

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

void LevelHiscores::Fill(const RecordTable& table) {
  Show(kFadeMs);
  ControlList& list = Children();
  for (int k = 0; k < int(RecordTable::kEntries); ++k) {
    const RecordEntry& e = table.entries[size_t(k)];
    const int seconds = std::max(e.seconds, 0);
    char clock[32];
    std::snprintf(clock, sizeof clock, "%d:%02d", seconds / 60, seconds % 60);
    Put(list, 1211 + k, FontManager::Literal(e.Name()));
    Put(list, 1221 + k, Ascii(clock));
    // An unconvertible date shows empty.
    Put(list, 1231 + k, DecodeUtf8(FormatRecordDate(e.date)));
    Put(list, 1241 + k, Ascii(std::to_string(e.score)));
  }
}
