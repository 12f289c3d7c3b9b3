#include "campaign/OwnLevelList.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "level/Level.h"

namespace {

namespace fs = std::filesystem;

// The whole number of an attribute of the level element; 0 when it is not there.
int RootNumber(const std::string& text, const std::string& name) {
  const size_t root = text.find("<level");
  if (root == std::string::npos) return 0;
  const size_t close = text.find('>', root);
  const size_t at = text.find(" " + name + "=\"", root);
  if (at == std::string::npos || at > close) return 0;
  return std::atoi(text.c_str() + at + name.size() + 3);
}

// The land of a ground picture "bg_eN_...", 0 for any other.
int LandOfGround(const std::string& texture) {
  if (texture.size() < 6 || texture.compare(0, 4, "bg_e") != 0 || texture[5] != '_') return 0;
  const int land = texture[4] - '0';
  return land >= 1 && land <= 5 ? land : 0;
}

std::string ReadSmallFile(const std::string& path) {
  std::error_code error;
  const auto size = fs::file_size(path, error);
  if (error || size > kMaxLevelFile) return {};
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Checks the entry's level as the level screen would start it.
void Check(OwnLevelEntry& entry, const std::string& text, const GameDescriptors& descriptors) {
  entry.episode = std::clamp(RootNumber(text, "episode"), 0, Level::kEpisodes);
  entry.level = std::clamp(RootNumber(text, "level"), 0, Level::kLevelsPerEpisode);
  entry.land = entry.episode;
  if (text.empty()) {
    entry.problem = "own_levels_unreadable";
    return;
  }
  Level level(descriptors);
  if (!level.ReadLevel(text)) {
    entry.problem = "own_levels_unreadable";
    return;
  }
  for (const auto& o : level.objects) {
    if (entry.land == 0 && o->cls == WorldObject::kScenery) entry.land = LandOfGround(o->texture);
  }
  if (!IsOrdinary(level.mode)) {
    entry.problem = "own_levels_not_ordinary";
  } else if (level.bases[0].empty()) {
    entry.problem = "own_levels_no_camp";
  } else if (level.timeHard > level.timeNorm || level.timeNorm > level.timeEasy ||
             level.timeHard <= 0) {
    entry.problem = "own_levels_times";
  } else {
    entry.playable = true;
  }
}

}  // namespace

std::vector<OwnLevelEntry> ListOwnLevels(const std::string& folder,
                                         const GameDescriptors& descriptors) {
  std::vector<OwnLevelEntry> entries;
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) return entries;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path& path = it->path();
    if (path.extension() != ".xml" || !it->is_regular_file(error)) continue;
    OwnLevelEntry entry;
    entry.file = path.filename().string();
    entry.path = path.string();
    entry.name = path.stem().string();
    std::replace(entry.name.begin(), entry.name.end(), '_', ' ');
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(),
            [](const OwnLevelEntry& a, const OwnLevelEntry& b) { return a.file < b.file; });
  if (entries.size() > kMaxOwnLevels) entries.resize(kMaxOwnLevels);
  for (OwnLevelEntry& entry : entries) Check(entry, ReadSmallFile(entry.path), descriptors);
  return entries;
}

std::string OwnLevelText(const OwnLevelEntry& entry) { return ReadSmallFile(entry.path); }
