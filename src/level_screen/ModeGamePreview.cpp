// The level screen's review operations: the opening answered, a result sequence played from
// given values, a speech line looked up. The content viewer shows whole screens with them.
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level/WorldObject.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/ModeGame.h"

namespace {

bool Shown(const GUIControl* control) { return control && control->visible; }

}  // namespace

bool ModeGame::SkipOpening() {
  if (!game_) return false;
  if (Shown(briefingDialog)) {
    if (!briefingDialog->HasChangers()) OnCommand(1011);
    return false;
  }
  if (Shown(messageDialog)) {
    if (!messageDialog->HasChangers()) OnCommand(1025);
    return false;
  }
  if (Shown(startText)) BeginPlay();
  return !paused && !game_->Ended();
}

bool ModeGame::PreviewResult(const LevelResult& shown, const std::vector<int>& trophies) {
  if (!game_ || !level_) return false;
  LevelEvaluated(shown);
  pendingTrophies.assign(trophies.begin(), trophies.end());
  // The HUD is gone when the result comes, as after the end's fade.
  ClearHud();
  controls.SetAlphaAll(0);
  worldControls.SetAlphaAll(0);
  hudHidden = true;
  for (GUIControl* c : {startText, static_cast<GUIControl*>(objectHint)}) {
    if (c) c->visible = false;
  }
  ShowResult();
  return true;
}

std::optional<SpeechLine> ModeGame::LevelSpeech(int objectId) const {
  if (!level_) return std::nullopt;
  if (objectId == 0) {
    if (level_->dialog.text <= 0) return std::nullopt;
    return level_->dialog;
  }
  const WorldObject* object = level_->FindObject(objectId);
  if (!object || !object->dialog) return std::nullopt;
  return *object->dialog;
}
