#pragma once
#include <set>
#include <string>
#include <utility>
#include <vector>

// What the lint finds wrong with one level: the object it names (0: the level as a whole) and
// the problem as the whole-folder run words it after the file name ("object 12: no waypoint
// leads to it"). Warnings are findings too, their text starting with "warning: ".
struct LevelFinding {
  int objectId = 0;
  std::string text;
  bool operator==(const LevelFinding&) const = default;
};

// The checks of a game folder's content: what `kcontent lint` runs.
class ContentLint {
 public:
  struct Options {
    // Also check that the textures, sounds, effects and music the content names exist.
    bool media = true;
  };

  ContentLint(std::string gameFolder, Options options);
  // Runs every check; the number of problems found.
  size_t Run();
  // Checks one level's text as if it stood in the game folder as the level of that episode
  // and number: with the folder's tables, strings and media (as the options say), its other
  // levels (for the map's markers) and every language. Its findings, in the order the whole
  // run lists them; Problems() and Warnings() hold them as lines (with what is wrong with the
  // folder itself, such as a string file lacking a hint entry, which is no finding).
  std::vector<LevelFinding> CheckLevelText(const std::string& levelText, int episode, int level);
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
  std::vector<LevelFinding> findings_;
};
