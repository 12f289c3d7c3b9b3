#include "kcontent/LevelHintsCommand.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "data/FileSystem.h"
#include "kcontent/GameContent.h"
#include "data/Language.h"
#include "data/StringTable.h"
#include "data/Utf8.h"
#include "kcontent/LevelCheckCommand.h"
#include "kcontent/LevelPlayCommand.h"
#include "level/DescriptorServices.h"
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

int ReadLevelTextRequest(const std::vector<std::string>& args, const std::string& command,
                         LevelTextRequest& request) {
  bool ok = args.size() >= 2 && args[0] == command;
  if (ok) request.file = args[1];
  for (size_t i = 2; ok && i < args.size(); i += 2) {
    if (i + 1 >= args.size()) {
      ok = false;
    } else if (args[i] == "--lang") {
      request.language = args[i + 1];
      ok = request.language == "en" || request.language == "de" || request.language == "ru" ||
           request.language == "pl";
    } else if (args[i] == "--game") {
      request.gameFolder = args[i + 1];
    } else {
      ok = false;
    }
  }
  if (!ok) {
    std::fprintf(stderr, "usage: kcontent level %s FILE [--lang en|de|ru|pl] [--game G]\n",
                 command.c_str());
    return 2;
  }
  std::ifstream in(request.file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "kcontent level %s: cannot open %s\n", command.c_str(),
                 request.file.c_str());
    return 1;
  }
  request.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (request.gameFolder.empty()) request.gameFolder = GameFolderOf(request.file);
  return 0;
}

int RunLevelHints(const std::vector<std::string>& args) {
  LevelTextRequest request;
  if (const int status = ReadLevelTextRequest(args, "hints", request); status != 0) return status;
  std::vector<LevelHint> hints;
  std::string error;
  if (!CollectLevelHints(request.gameFolder, request.text, request.language, false, hints,
                         error)) {
    std::fprintf(stderr, "kcontent level hints: %s: %s\n", request.file.c_str(), error.c_str());
    return 1;
  }
  for (const LevelHint& h : hints) std::printf("%d: %s\n", h.id, h.text.c_str());
  return 0;
}
