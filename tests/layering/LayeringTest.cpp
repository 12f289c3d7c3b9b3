// The folders under src/ are layers: a folder includes only folders on its own line of the
// order below or above it, never one below, and never the siblings it is kept apart from.
// Every `#include "folder/..."` of every source and header is checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The line of each folder in the order, top line first.
const std::map<std::string, int> kLayer = {
    {"base", 1},         {"platform", 2}, {"data", 2},  {"graphics", 3}, {"sound", 3},
    {"particles", 4},    {"gui", 5},      {"level", 5}, {"progress", 5}, {"app", 6},
    {"level_screen", 7}, {"campaign", 7}, {"main", 8},
    {"editor", 7},       {"content_check", 6},
};

// Folders on one line that must not include each other: the simulation knows no controls,
// one screen never reaches into another's insides, and the content checks read a game folder
// as the tools do, without the running application.
const std::set<std::pair<std::string, std::string>> kApart = {
    {"level", "gui"},
    {"content_check", "app"},
    {"level_screen", "campaign"},
    {"campaign", "level_screen"},
    {"editor", "level_screen"},
    {"editor", "campaign"},
    {"level_screen", "editor"},
    {"campaign", "editor"},
};

// "folder/" of an include line of the form #include "folder/File.h", or empty.
std::string IncludedFolder(const std::string& line) {
  size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line.compare(at, 8, "#include") != 0) return {};
  const size_t open = line.find('"', at);
  if (open == std::string::npos) return {};
  const size_t slash = line.find('/', open);
  const size_t close = line.find('"', open + 1);
  if (slash == std::string::npos || close == std::string::npos || slash > close) return {};
  return line.substr(open + 1, slash - open - 1);
}

// One message per include that breaks the order: "file:line: what".
std::vector<std::string> LayerViolations(const fs::path& src) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const fs::path& path = entry.path();
    if (!entry.is_regular_file() || (path.extension() != ".h" && path.extension() != ".cpp"))
      continue;
    const fs::path relative = fs::relative(path, src);
    const std::string folder = relative.begin()->string();
    const std::string where = "src/" + relative.generic_string();
    if (relative.has_parent_path() && !kLayer.count(folder)) {
      found.push_back(where + ": folder '" + folder + "' has no place in the layer order");
      continue;
    }
    std::ifstream in(path);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string included = IncludedFolder(line);
      if (included.empty() || included == folder || !kLayer.count(included)) continue;
      const std::string at = where + ":" + std::to_string(number) + ": ";
      if (!relative.has_parent_path()) continue;
      if (kLayer.at(included) > kLayer.at(folder)) {
        found.push_back(at + folder + " includes " + included + ", a layer below it");
      } else if (kApart.count({folder, included})) {
        found.push_back(at + folder + " includes its sibling " + included);
      }
    }
  }
  return found;
}

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

TEST(LayeringTest, EveryIncludeUnderSrcPointsUpTheLayers) {
  const char* source = std::getenv("KALODRUS_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const fs::path src = fs::path(source) / "src";
  ASSERT_TRUE(fs::is_directory(src / "base"));
  const std::vector<std::string> found = LayerViolations(src);
  for (const std::string& message : found) ADD_FAILURE() << message;
  EXPECT_TRUE(found.empty());
}

TEST(LayeringTest, UpwardSiblingAndUnknownIncludesAreNamedWithFileAndLine) {
  TempDir dir;
  const fs::path src = fs::path(dir.Path()) / "src";
  Write(src / "gui/Button.cpp",
        "#include \"gui/Button.h\"\n#include \"base/Check.h\"\n#include \"app/Mode.h\"\n");
  Write(src / "level/Worker.cpp", "#include <vector>\n  #include \"gui/GUIPic.h\"\n");
  Write(src / "campaign/ModeMap.h", "#include \"level_screen/ModeGame.h\" // no\n");
  Write(src / "main/Main.cpp", "#include \"campaign/ModeMap.h\"\n#include \"app/Mode.h\"\n");
  Write(src / "scratch/Note.h", "#include \"base/Check.h\"\n");
  std::vector<std::string> found = LayerViolations(src);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{
                       "src/campaign/ModeMap.h:1: campaign includes its sibling level_screen",
                       "src/gui/Button.cpp:3: gui includes app, a layer below it",
                       "src/level/Worker.cpp:2: level includes its sibling gui",
                       "src/scratch/Note.h: folder 'scratch' has no place in the layer order",
                   }));
}

}  // namespace
