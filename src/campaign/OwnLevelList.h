#pragma once
#include <string>
#include <string_view>
#include <vector>

class GameDescriptors;

// A level of the player's own in the data folder's "levels" (as the level editor saves them,
// or dropped there by hand), with what the list of own levels shows of it.
struct OwnLevelEntry {
  std::string file;   // the file name, "my_level_01.xml"
  std::string path;   // the whole path
  std::string name;   // the level's own name in the language asked for, else the file name
                      // without ".xml", underscores as spaces
  int land = 0;       // 1..5 from the level's episode or its ground picture, 0 when unknown
  int episode = 0;    // the campaign position the level names (for its texts)
  int level = 0;
  bool playable = false;
  std::string problem;  // a string key saying why it cannot be played
};

// Every "*.xml" of `folder`, sorted by name, each checked as the level screen would start it:
// a file of at most kMaxLevelFile bytes that reads as a level, is no mini-game or map, has a
// camp for its workers and its medal times in order (gold, silver, reference). A file that
// fails stays in the list, not playable, with the reason. Names are in `language` (a code).
inline constexpr size_t kMaxLevelFile = 4u * 1024u * 1024u;
inline constexpr size_t kMaxOwnLevels = 500;
std::vector<OwnLevelEntry> ListOwnLevels(const std::string& folder,
                                         const GameDescriptors& descriptors,
                                         std::string_view language = "en");

// The text of an own level, read again when it is played; empty when it cannot be read.
std::string OwnLevelText(const OwnLevelEntry& entry);
