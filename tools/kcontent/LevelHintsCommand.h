#pragma once
#include <string>
#include <vector>

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
