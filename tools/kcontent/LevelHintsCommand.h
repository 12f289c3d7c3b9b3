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

// What the level text commands ("hints", "speech") are asked: FILE [--lang en|de|ru|pl]
// [--game G], and the level file's text.
struct LevelTextRequest {
  std::string file, language = "en", gameFolder, text;
};
// Reads the request of `level COMMAND ...` and the level file. 0 when both are read; otherwise
// the usage (2) or the open error (1) has been printed and that exit code is returned.
int ReadLevelTextRequest(const std::vector<std::string>& args, const std::string& command,
                         LevelTextRequest& request);

// level hints FILE [--lang en|de|ru|pl] [--game G]: prints every hint as "ID: TEXT".
int RunLevelHints(const std::vector<std::string>& args);
