#pragma once
// The demo content's descriptor tables and level files, as the editor's tests read them.
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "level/DescriptorServices.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "support/TempDir.h"

namespace editortest {

inline std::string SourceDir() {
  const char* source = getenv("KALODRUS_SOURCE_DIR");
  return source ? source : ".";
}

// The authored game folder of the source tree.
inline std::string DemoGame() { return SourceDir() + "/content-src/game"; }

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

// The shipped level files, by path, in name order.
inline std::vector<std::string> ShippedLevels() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(DemoGame() + "/content/levels"))
    if (entry.path().extension() == ".xml") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

class NoPictures : public DescriptorServices {
 public:
  bool HasTexture(std::string_view) const override { return false; }
  bool IsMaskTexture(std::string_view) const override { return false; }
  void RegisterIcon(int, std::string_view) override {}
};

// The demo's descriptor tables, loaded once for every test.
inline const GameDescriptors& DemoDescriptors() {
  static const GameDescriptors* loaded = [] {
    static FileSystem fs;
    fs.Mount(DemoGame() + "/content");
    fs.Mount(DemoGame() + "/locale/en");
    static StringTable strings(fs);
    static NoPictures media;
    static GameDescriptors descriptors;
    descriptors.LoadGameDescriptors(fs, strings, media);
    return &descriptors;
  }();
  return *loaded;
}

// A shipped level of the first episode with sites, buildings and waypoints.
inline std::string Farmstead() { return ReadText(DemoGame() + "/content/levels/level_01_02.xml"); }

// The demo's game settings.
inline const GameSettings& DemoSettings() {
  static const GameSettings settings = [] {
    FileSystem fs;
    fs.Mount(DemoGame() + "/content");
    return GameSettings::LoadGameSettings(fs);
  }();
  return settings;
}

// The texts of every shipped level.
inline std::vector<std::string> ShippedTexts() {
  std::vector<std::string> texts;
  for (const std::string& file : ShippedLevels()) texts.push_back(ReadText(file));
  return texts;
}

}  // namespace editortest
