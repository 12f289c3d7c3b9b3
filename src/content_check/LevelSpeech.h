#pragma once
#include <string>
#include <vector>

#include "level/SpeechLine.h"

// One speech line of a level's script: the level's own (owner 0) or a world object's.
struct ScriptLine {
  int owner = 0;
  SpeechLine line;
  std::string text;        // UTF-8, empty when the language has no "dialog_%04d" entry
  std::string key;         // "dialog_%04d"
  std::string speaker;     // the picture name, empty when the table has none
  std::vector<int> chain;  // the objects woken one after another from this line
};

// The speech script of a level, read with the content of gameFolder and the strings of
// language (strict: only that language's folder is mounted). False with error set when the
// content or level do not load.
bool CollectLevelSpeech(const std::string& gameFolder, const std::string& levelText,
                        const std::string& language, bool strict, std::vector<ScriptLine>& lines,
                        std::string& error);

// The script's faults: a notify or target that names nothing
// (hudIds: the ids of the HUD layouts), a line nothing can wake. Texts are not checked here.
// owners, when given, gets the owner of the line of each problem, in step with them.
std::vector<std::string> SpeechProblems(const std::vector<ScriptLine>& lines,
                                        const std::vector<int>& objectIds,
                                        const std::vector<int>& hudIds,
                                        std::vector<int>* owners = nullptr);
