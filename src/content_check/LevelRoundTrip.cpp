// A level's round trip through its file format, and the campaign position of a level file's
// name.
#include "content_check/LevelRoundTrip.h"

#include <string_view>

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
