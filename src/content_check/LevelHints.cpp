// The hints of a level at its start: the level begun with a game folder's content, and the
// information text of every hoverable waypoint built as the level screen builds it.
#include "content_check/LevelHints.h"

#include <cctype>

#include "content_check/GameContent.h"
#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "data/Utf8.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/HeadlessLevelScreen.h"
#include "level/Level.h"
#include "level/ObjectHint.h"
#include "level/WorldObject.h"

namespace {

// The text with its inline symbols written back as the placeholders a string file uses.
std::string Readable(const std::u16string& text, const std::vector<std::string>& symbols) {
  std::u16string out;
  for (const char16_t c : text) {
    if (c >= 1 && c <= symbols.size()) {
      std::string name = symbols[c - 1];
      for (char& ch : name) ch = char(std::toupper(static_cast<unsigned char>(ch)));
      out += u'%' + DecodeUtf8(name) + u'%';
    } else {
      out += c;
    }
  }
  return EncodeUtf8(out);
}

}  // namespace

bool CollectLevelHints(const std::string& gameFolder, const std::string& levelText,
                       const std::string& language, bool strict, std::vector<LevelHint>& hints,
                       std::string& error) {
  GameContent content;
  if (!content.Load(gameFolder, language, strict, error)) return false;
  FileSystem& fs = content.fs;
  StringTable& strings = content.strings;
  NoMedia& media = content.media;
  GameDescriptors& descriptors = content.descriptors;
  const GameSettings settings = GameSettings::LoadGameSettings(fs);
  Level level(descriptors, &media);
  if (!level.ReadLevel(levelText)) {
    error = "cannot be read: " + level.readError;
    return false;
  }
  HeadlessLevelScreen screen;
  screen.StartTimer(level.timeNorm);
  GameController game(level, settings, screen);
  game.strings = &strings;
  game.Begin();
  if (!IsOrdinary(level.mode)) return true;
  for (const auto& o : level.objects) {
    if (o->cls != WorldObject::kWaypoint || !o->link || o->Has(ObjectFlags::kDelete)) continue;
    LevelHint hint;
    ObjectHint builder(game, &strings);
    builder.ReportMissing(&hint.missing);
    const std::u16string text = builder.For(*o).text;
    if (text.empty()) continue;
    hint.id = o->id;
    hint.text = Readable(text, descriptors.Symbols());
    hints.push_back(std::move(hint));
  }
  return true;
}
