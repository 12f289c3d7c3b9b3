#pragma once
#include <set>
#include <string>
#include <vector>

// lint GAMEFOLDER [--no-media]: loads a game folder's content through the game's own loaders
// and lists what a content author must fix. Exit code 0 only when nothing was found.
int RunLintCommand(const std::vector<std::string>& args);

// The checks behind the lint command, usable without the command line.
class ContentLint {
 public:
  struct Options {
    // Also check that the textures, sounds, effects and music the content names exist.
    bool media = true;
  };

  ContentLint(std::string gameFolder, Options options);
  // Runs every check; the number of problems found.
  size_t Run();
  // One line per problem: "<file>: <what is wrong>".
  const std::vector<std::string>& Problems() const { return problems_; }
  // What is allowed while the campaign grows but still worth knowing (a map marker of a level
  // that has no file yet); warnings do not count as problems.
  const std::vector<std::string>& Warnings() const { return warnings_; }
  // What an author reads to check a design (the tile kinds of each mini-game grid).
  const std::vector<std::string>& Notes() const { return notes_; }
  // Names of missing media by kind ("texture", "sound", "effect", "music"), when checked.
  const std::set<std::pair<std::string, std::string>>& MissingMedia() const { return media_; }

 private:
  friend class LintRun;
  std::string folder_;
  Options options_;
  std::vector<std::string> problems_;
  std::vector<std::string> warnings_;
  std::vector<std::string> notes_;
  std::set<std::pair<std::string, std::string>> media_;
};
