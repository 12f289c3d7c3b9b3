#include "editor/EditorLint.h"

#include <utility>

EditorLint::EditorLint(std::string gameFolder, ContentLint::Options options)
    : lint_(std::move(gameFolder), options) {}

bool EditorLint::Update(const std::string& text, int episode, int level, float elapsedMs) {
  if (text != seen_) {
    seen_ = text;
    stillMs_ = 0;
  } else {
    stillMs_ += elapsedMs;
  }
  if (runs_ > 0 && (text == linted_ || stillMs_ < kSettleMs)) return false;
  Run(text, episode, level);
  return true;
}

void EditorLint::Run(const std::string& text, int episode, int level) {
  findings_ = lint_.CheckLevelText(text, episode, level);
  linted_ = text;
  ++runs_;
}

std::vector<EditorProblem> EditorLint::Problems() const {
  std::vector<EditorProblem> problems;
  for (const LevelFinding& f : findings_) problems.push_back({f.objectId, {}, f.text});
  return problems;
}
