#pragma once
#include "support/TempDir.h"
// Temporary content folders, fake services and descriptor sets for the level tests.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "level/DescriptorServices.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/LevelServices.h"

namespace leveltest {

using ::TempDir;

// The authored game folder of the source tree (content-src/game mirrors the game folder).
inline std::string DemoGame() {
  const char* source = getenv("KALODRUS_SOURCE_DIR");
  return std::string(source ? source : ".") + "/content-src/game";
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, std::string_view text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), std::streamsize(text.size()));
}

// Texture lookups answered from a fixed set (with sizes where given); icons are recorded.
class FakeTextures : public DescriptorServices {
 public:
  std::set<std::string, std::less<>> textures;
  std::set<std::string, std::less<>> masks;
  std::map<std::string, std::pair<float, float>, std::less<>> sizes;
  std::vector<std::pair<int, std::string>> icons;

  bool TextureSize(std::string_view name, float& width, float& height) const override {
    const auto it = sizes.find(name);
    if (it == sizes.end()) return false;
    width = it->second.first;
    height = it->second.second;
    return true;
  }

  bool HasTexture(std::string_view name) const override {
    return textures.count(name) > 0 || masks.count(name) > 0;
  }
  bool IsMaskTexture(std::string_view name) const override { return masks.count(name) > 0; }
  void RegisterIcon(int code, std::string_view texture) override {
    icons.emplace_back(code, std::string(texture));
  }
};

// Records messages; reports a fixed set of found puzzle pieces.
class FakeLevelServices : public LevelServices {
 public:
  std::set<std::pair<int, int>> foundPieces;
  std::vector<std::string> messages;
  int miniGameLoads = 0;
  int heroType = -1;

  bool PuzzlePieceFound(int episode, int level) const override {
    return foundPieces.count({episode, level}) > 0;
  }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  void LoadMiniGame(Level& level) override {
    ++miniGameLoads;
    level.heroType = heroType;
  }
};

// A content folder with the descriptor files every load needs (each replaceable).
class ContentFolder {
 public:
  ContentFolder() {
    files_["objects_names.xml"] = "<StringTable/>";
    files_["objects_params.xml"] = "<DescTable/>";
    files_["anim_params.xml"] = "<DescTable/>";
    files_["sounds_table.xml"] = "<SoundsTable/>";
    files_["bonus_params.xml"] = "<BonusDesc/>";
  }
  // Sets (or, with an empty text, removes) a file.
  void Set(const std::string& name, std::string text) { files_[name] = std::move(text); }
  void Remove(const std::string& name) { files_.erase(name); }

  // Writes the files and loads them into descriptors; the result of the load.
  bool Load(GameDescriptors& descriptors, FakeTextures& textures) {
    for (const auto& [name, text] : files_) WriteFile(dir_.Path() + "/content/" + name, text);
    fs_ = std::make_unique<FileSystem>();
    fs_->Mount(dir_.Path() + "/content");
    strings_ = std::make_unique<StringTable>(*fs_);
    return descriptors.LoadGameDescriptors(*fs_, *strings_, textures);
  }
  FileSystem& Fs() { return *fs_; }
  StringTable& Strings() { return *strings_; }
  std::string Path() const { return dir_.Path() + "/content"; }

 private:
  TempDir dir_;
  std::map<std::string, std::string> files_;
  std::unique_ptr<FileSystem> fs_;
  std::unique_ptr<StringTable> strings_;
};

}  // namespace leveltest
