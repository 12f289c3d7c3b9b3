#include "kcontent/LevelCheckCommand.h"
#include "kcontent/LevelFitCommand.h"
#include "kcontent/LevelHintsCommand.h"
#include "kcontent/LevelPlayCommand.h"
#include "kcontent/LevelSpeechCommand.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>

#include "data/FileSystem.h"
#include "data/Language.h"
#include "data/StringTable.h"
#include "data/XmlDocument.h"
#include "kcontent/GameContent.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/LevelDiff.h"

bool ParseLevelFileName(const std::string& path, int& episode, int& level) {
  const size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string::npos
                                    ? std::string_view(path)
                                    : std::string_view(path).substr(slash + 1);
  // "level_" two digits "_" two digits ".xml"
  const auto digit = [&](size_t i) { return name[i] >= '0' && name[i] <= '9'; };
  if (name.size() != 15 || !name.starts_with("level_") || name[8] != '_' ||
      !name.ends_with(".xml") || !digit(6) || !digit(7) || !digit(9) || !digit(10)) {
    return false;
  }
  episode = (name[6] - '0') * 10 + (name[7] - '0');
  level = (name[9] - '0') * 10 + (name[10] - '0');
  return true;
}

std::vector<std::string> CheckLevelRoundTrip(const std::string& text, int episode, int level,
                                             const GameDescriptors& descriptors,
                                             DescriptorServices* textures) {
  Level first(descriptors, textures);
  first.episode = episode;
  first.levelNumber = level;
  if (!first.ReadLevel(text)) return {"the level cannot be read: " + first.readError};
  const std::string written = first.WriteLevel();
  Level second(descriptors, textures);
  second.episode = first.episode;
  second.levelNumber = first.levelNumber;
  if (!second.ReadLevel(written)) {
    return {"the written level cannot be read back: " + second.readError};
  }
  std::vector<std::string> lines = LevelDiff::Compare(first, second);
  for (std::string& line : lines) line = "lost on saving: " + line;
  return lines;
}

int RunLevelCommand(const std::vector<std::string>& args) {
  if (!args.empty() && args[0] == "play") return RunLevelPlay(args);
  if (!args.empty() && args[0] == "hints") return RunLevelHints(args);
  if (!args.empty() && args[0] == "speech") return RunLevelSpeech(args);
  if (!args.empty() && args[0] == "fit") return RunLevelFit(args);
  const auto usage = [] {
    std::fprintf(stderr, "usage: kcontent level check FILE [--game GAMEFOLDER]\n");
    return 2;
  };
  if (args.size() != 2 && args.size() != 4) return usage();
  if (args[0] != "check") return usage();
  std::string gameFolder;
  if (args.size() == 4) {
    if (args[2] != "--game") return usage();
    gameFolder = args[3];
  }
  const std::string& path = args[1];
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "kcontent level check: cannot open %s\n", path.c_str());
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  NoMedia textures;
  GameDescriptors descriptors;
  if (!gameFolder.empty()) {
    FileSystem fs;
    fs.Mount(gameFolder + "/content");
    MountLocale(fs, "en", false, gameFolder + "/");
    StringTable strings(fs);
    if (!descriptors.LoadGameDescriptors(fs, strings, textures)) {
      std::fprintf(stderr, "kcontent level check: the descriptor tables of %s do not load\n",
                   gameFolder.c_str());
      return 1;
    }
  }

  // The campaign position: from the file name, else from the file itself.
  int episode = 0, level = 0;
  if (!ParseLevelFileName(path, episode, level)) {
    XmlDocument doc;
    doc.Parse(text);
    const XmlElement root = doc.FirstChild(XmlElement(), "level");
    episode = root.Int("episode", 0);
    level = root.Int("level", 0);
  }
  const std::vector<std::string> problems =
      CheckLevelRoundTrip(text, episode, level, descriptors, &textures);
  for (const std::string& p : problems) std::printf("%s: %s\n", path.c_str(), p.c_str());
  if (problems.empty()) std::printf("%s: nothing lost\n", path.c_str());
  return problems.empty() ? 0 : 1;
}
