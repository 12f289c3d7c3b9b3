// A lint run: the game folder mounted as the game mounts it and the checks run in their
// order. The checks themselves live in the Lint*.cpp files named in LintRun.h.
#include "content_check/ContentLint.h"

#include <cstdio>
#include <memory>
#include <string>

#include "data/Language.h"
#include "data/StringTable.h"
#include "content_check/LintRun.h"
#include "level/Level.h"

std::string LintRun::Format(const char* pattern, int value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

void LintRun::Mount() {
  fs_.Mount(lint_.folder_ + "/content");
  fs_.Mount(lint_.folder_ + "/music");
  MountLocale(fs_, "en", false, lint_.folder_ + "/");
  folderMedia_ = std::make_unique<FolderMedia>(fs_);
}

void LintRun::Record(const std::string& line, int object, const char* prefix) {
  if (levelFile_.empty() || !line.starts_with(levelFile_ + ": ")) return;
  lint_.findings_.push_back({object ? object : object_,
                             prefix + line.substr(levelFile_.size() + 2)});
}

void LintRun::Run() {
  Mount();
  CheckTableFiles();
  StringTable strings(fs_);
  if (!descriptors_.LoadGameDescriptors(fs_, strings, *folderMedia_)) {
    Problem("content", "the descriptor tables do not load (see the files named above)");
  }
  CheckDescriptors();
  CheckIndicators();
  CheckNames();
  CheckLevels();
  CheckLayouts();
  CheckCastle();
  CheckPuzzles();
}

void LintRun::RunLevel(const std::string& text, int episode, int number) {
  Mount();
  levelFile_ = Level::LevelFileName(episode, number);
  StringTable strings(fs_);
  if (!descriptors_.LoadGameDescriptors(fs_, strings, *folderMedia_)) {
    Problem(levelFile_, "the descriptor tables of the game folder do not load");
    return;
  }
  LevelFiles files = ListLevelFiles();
  files[{episode, number}] = levelFile_;
  CheckLevel(levelFile_, text, episode, number, files);
}

ContentLint::ContentLint(std::string gameFolder, Options options)
    : folder_(std::move(gameFolder)), options_(options) {}

size_t ContentLint::Run() {
  problems_.clear();
  warnings_.clear();
  notes_.clear();
  media_.clear();
  findings_.clear();
  LintRun(*this).Run();
  return problems_.size();
}

std::vector<LevelFinding> ContentLint::CheckLevelText(const std::string& levelText, int episode,
                                                      int level) {
  problems_.clear();
  warnings_.clear();
  notes_.clear();
  media_.clear();
  findings_.clear();
  LintRun(*this).RunLevel(levelText, episode, level);
  return findings_;
}
