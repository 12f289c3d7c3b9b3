#pragma once
#include <string>
#include <vector>

// The information text of every hoverable waypoint of a level at its start, in one language.
struct LevelHint {
  int id = 0;                        // the waypoint
  std::string text;                  // UTF-8 markup; inline symbols written as %NAME%
  std::vector<std::string> missing;  // entries the text uses that the language lacks
};

// Begins the level (its text) with the content of gameFolder and builds the hints with the
// strings of language. strict: only that language's folder is mounted (no English beneath),
// so that missing entries show. False with error set when the content or level do not load.
bool CollectLevelHints(const std::string& gameFolder, const std::string& levelText,
                       const std::string& language, bool strict, std::vector<LevelHint>& hints,
                       std::string& error);
