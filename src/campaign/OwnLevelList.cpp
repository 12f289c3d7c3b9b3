#include "campaign/OwnLevelList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/XmlDocument.h"
#include "data/XmlElement.h"
#include "level/Level.h"

namespace {

namespace fs = std::filesystem;

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
void Check(OwnLevelEntry& entry, const std::string& text, const GameDescriptors& descriptors,
           std::string_view language) {
  // The campaign place the level element names (the reader keeps it only for saved levels).
  XmlDocument document;
  if (text.empty() || !document.Parse(text)) {
    entry.problem = "own_levels_unreadable";
    return;
  }
  const XmlElement root = document.FirstChild(XmlElement(), "level");
  entry.episode = std::clamp(root.Int("episode", 0), 0, Level::kEpisodes);
  entry.level = std::clamp(root.Int("level", 0), 0, Level::kLevelsPerEpisode);
  entry.land = entry.episode;
  Level level(descriptors);
  if (!level.ReadLevel(text)) {
    entry.problem = "own_levels_unreadable";
    return;
  }
  if (const LevelText* own = level.TextIn(language); own && !own->name.empty()) entry.name = own->name;
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
                                         const GameDescriptors& descriptors,
                                         std::string_view language) {
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
  for (OwnLevelEntry& entry : entries) Check(entry, ReadSmallFile(entry.path), descriptors, language);
  return entries;
}

std::string OwnLevelText(const OwnLevelEntry& entry) { return ReadSmallFile(entry.path); }
