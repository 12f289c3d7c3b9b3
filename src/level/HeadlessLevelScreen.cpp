#include "level/HeadlessLevelScreen.h"

#include <string>

#include "data/Utf8.h"
#include "level/WorldObject.h"

namespace {

std::string At(Vec2 at) {
  return " @" + std::to_string(int(at.x)) + "," + std::to_string(int(at.y));
}

}  // namespace

void HeadlessLevelScreen::KalodrusHit() { Add("hit"); }
void HeadlessLevelScreen::MiniGameGoalDone(int countAfter) {
  Add("goal " + std::to_string(countAfter));
}
void HeadlessLevelScreen::ShowMiniGameHint(std::string_view picture, float) {
  Add("mg_hint " + std::string(picture));
}
void HeadlessLevelScreen::HideMiniGameHint() { Add("mg_hint hide"); }
void HeadlessLevelScreen::WorkerApproaching(int id) { Add("approach " + std::to_string(id)); }
void HeadlessLevelScreen::WorkerArrived(int id) { Add("arrive " + std::to_string(id)); }
void HeadlessLevelScreen::ShowWorkTimer(int id, int totalMs, Vec2 at) {
  Add("timer " + std::to_string(id) + " " + std::to_string(totalMs) + At(at));
}
void HeadlessLevelScreen::FadeWorkTimer(int id) { Add("timer_fade " + std::to_string(id)); }
void HeadlessLevelScreen::ShowCommandMark(bool accepted, int id, Vec2 at) {
  Add(std::string(accepted ? "cmd_ok " : "cmd_no ") + std::to_string(id) + At(at));
}
void HeadlessLevelScreen::ShowMessage(std::string_view text, Vec2 at) {
  Add("message " + std::string(text) + At(at));
}
void HeadlessLevelScreen::FlashResource(int index, bool spent) {
  Add("resource " + std::to_string(index) + (spent ? " spent" : ""));
}
void HeadlessLevelScreen::FlashShortage(int index) { Add("shortage " + std::to_string(index)); }
void HeadlessLevelScreen::PointAtObject(const WorldObject* o) {
  Add("arrow " + (o ? std::to_string(o->id) : std::string("none")));
}
void HeadlessLevelScreen::RefreshFreeWorkers() {}
void HeadlessLevelScreen::AddScorePopup(int points, Vec2 at) {
  Add("points " + std::to_string(points) + At(at));
}
void HeadlessLevelScreen::Shake(float amount) { Add("shake " + std::to_string(amount)); }
void HeadlessLevelScreen::Achievement(int number) {
  achievements.push_back(number);
  Add("achievement " + std::to_string(number));
}
void HeadlessLevelScreen::PuzzlePieceFound() { Add("puzzle"); }
void HeadlessLevelScreen::ClearPendingDialog(int id) {
  Add("dialog_cleared " + std::to_string(id));
}

bool HeadlessLevelScreen::Saw(std::string_view prefix) const { return !Lines(prefix).empty(); }

std::vector<std::string> HeadlessLevelScreen::Lines(std::string_view prefix) const {
  std::vector<std::string> found;
  for (const std::string& line : log) {
    if (std::string_view(line).substr(0, prefix.size()) == prefix) found.push_back(line);
  }
  return found;
}

void HeadlessLevelScreen::ShowIncome(std::string_view text, Vec2 at) {
  std::string line = "income ";
  for (const char c : text) {
    // Resource symbols are control code units; written as their number.
    if (c > 0 && c < 10) {
      line += "#" + std::to_string(int(c));
    } else {
      line += c;
    }
  }
  Add(line + At(at));
}
void HeadlessLevelScreen::ShowObjectInfo(std::u16string_view text,
                                         const std::array<float, 4>& rect) {
  info = text;
  infoRect = rect;
  if (text.empty()) {
    Add("info hide");
    return;
  }
  std::u16string shown;
  for (const char16_t c : text) {
    if (c > 0 && c < 32) {
      shown += u'#' + DecodeUtf8(std::to_string(int(c)));
    } else {
      shown += c;
    }
  }
  Add("info " + EncodeUtf8(shown));
}
void HeadlessLevelScreen::PlayMusic(std::string_view name) { Add("music " + std::string(name)); }
void HeadlessLevelScreen::LevelEvaluated(const LevelResult& r) {
  result = r;
  Add("result won=" + std::to_string(r.won) + " medal=" + std::to_string(r.medal) +
      " stars=" + std::to_string(r.stars) + " score=" + std::to_string(r.score));
}
void HeadlessLevelScreen::ShowResult() {
  resultShown = true;
  Add("show_result");
}
void HeadlessLevelScreen::TrophyProgress(int number, float fraction) {
  Add("trophy_progress " + std::to_string(number) + " " + std::to_string(int(fraction * 100)));
}
