#include "kcontent/LevelCheckCommand.h"
#include "kcontent/LevelFitCommand.h"
#include "kcontent/LevelHintsCommand.h"
#include "kcontent/LevelPlayCommand.h"
#include "kcontent/LevelSpeechCommand.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "data/FileSystem.h"
#include "data/Language.h"
#include "data/StringTable.h"
#include "data/XmlDocument.h"
#include "content_check/GameContent.h"
#include "content_check/LevelRoundTrip.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"

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
