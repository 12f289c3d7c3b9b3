#pragma once
#include <string>
#include <vector>

#include "content_check/ContentLint.h"
#include "editor/EditorDocument.h"

// The content lint's findings for the level being edited: what `kcontent lint` would say of
// it if it stood in the game folder as a level file. One run reads the folder's tables and
// plays the level's start in every language for its hints and speech: about 30 ms on the
// largest shipped level, media checked. So it does not run on every edit but once the
// text has stood still for kSettleMs (a drag or a run of undos is one change), and never twice
// for the same text; the findings of the last run stay listed until then.
class EditorLint {
 public:
  static constexpr float kSettleMs = 400;

  // gameFolder: the folder holding content/, music/ and locale/.
  explicit EditorLint(std::string gameFolder, ContentLint::Options options = {});

  // Called every frame with the level text as it stands, its campaign position and the
  // milliseconds since the last call. True when the lint ran (the findings may have changed).
  // The first text is checked at once.
  bool Update(const std::string& text, int episode, int level, float elapsedMs);
  // Checks the text now.
  void Run(const std::string& text, int episode, int level);

  // The findings as the problems panel lists them: the object named and the lint's own text as
  // the detail, with no string key (see ModeEditor::Explain).
  std::vector<EditorProblem> Problems() const;
  const std::vector<LevelFinding>& Findings() const { return findings_; }
  // How often the lint has run.
  int Runs() const { return runs_; }

 private:
  ContentLint lint_;
  std::vector<LevelFinding> findings_;
  std::string linted_;  // the text last checked
  std::string seen_;    // the text of the last call
  float stillMs_ = 0;   // how long seen_ has stood unchanged
  int runs_ = 0;
};
