// The level screen's result sequence: the evaluation stored with its rewards, the result
// dialogs filled, then the trophy dialogs one by one before the win or lose dialog, and the
// level's record table.
#include "level_screen/ModeGame.h"

#include <algorithm>
#include <ctime>
#include <string>

#include "app/Application.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level_screen/LevelHiscores.h"
#include "level_screen/LevelRewards.h"
#include "level_screen/LooseDlg.h"
#include "level_screen/ModeGameShared.h"
#include "level_screen/TrophyDlg.h"
#include "level_screen/WinDlg.h"
#include "base/Random.h"

using mode_game::kDialogFadeMs;
using mode_game::kResultFadeMs;
using mode_game::Format;
using mode_game::Lookup;

void ModeGame::LevelEvaluated(const LevelResult& evaluated) {
  result = evaluated;
  // A trial earns nothing: no record, trophy or progress; an own level only its own record.
  if (trialText_ && ownLevel_.empty()) return;
  Application& app = App();
  PlayerProfiles* profiles = app.profiles();
  if (profiles && level_ && !ownLevel_.empty()) {
    const int seconds = level_->gameTime / 1000;
    profiles->ownLevels.Store(ownLevel_, evaluated.won, evaluated.stars, evaluated.medal, seconds,
                              evaluated.score);
    profiles->SaveOwnLevels();
  } else if (profiles && level_) {
    LevelRewards::Context context;
    context.episode = episode;
    context.level = levelNumber;
    context.difficulty = Difficulty();
    context.playerName = profiles->CurrentName();
    context.now = int64_t(std::time(nullptr));
    context.devRecord = level_->Descriptors().DevRecord(episode, levelNumber);
    context.trophyCheat = trophyCheat;
    trophyCheat = false;
    LevelRewards rewards(profiles->progress, pendingTrophies);
    const LevelRewards::Outcome outcome = rewards.Store(evaluated, context, &profiles->records);
    episodeDone = episodeDone || outcome.episodeDone;
    toCastle = toCastle || outcome.toCastle;
    profiles->SaveProgress();
    if (outcome.recordsChanged) profiles->SaveRecords();
    // Of the counted trophies the level brought nearer, the one closest to being earned.
    const auto nearest =
        std::max_element(outcome.progress.begin(), outcome.progress.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    if (nearest != outcome.progress.end()) TrophyProgress(nearest->first, nearest->second);
  }
  FillResultDialogs(evaluated);
  // The level's floating items and any speech go; the result takes the screen.
  hud.Clear();
  HideSpeech();
}

void ModeGame::FillResultDialogs(const LevelResult& evaluated) {
  if (!level_) return;
  stars = evaluated.stars;
  WinFacts facts;
  facts.medal = evaluated.medal;
  facts.difficulty = Difficulty();
  facts.goldSeconds = level_->timeHard;
  facts.silverSeconds = level_->timeNorm;
  facts.timeLeftMs = evaluated.timeLeftMs;
  facts.stock = level_->resources[0] + level_->resources[1] + level_->resources[2];
  facts.birds = level_->birdsHunted;
  facts.devScore = ownLevel_.empty() ? level_->Descriptors().DevRecord(episode, levelNumber) : 0;
  facts.level = levelNumber;
  const PlayerProfiles* profiles = App().profiles();
  facts.pieceFound =
      ownLevel_.empty() &&
      (evaluated.pieceFound ||
       (profiles && Progress::HasRecord(episode, levelNumber) &&
        (profiles->progress.Record(episode, levelNumber).flags & LevelRecord::kPuzzlePiece) != 0));
  for (WinDlgBase* dialog :
       {static_cast<WinDlgBase*>(winDialog), static_cast<WinDlgBase*>(winRelaxDialog)}) {
    if (!dialog) continue;
    dialog->SetStars(evaluated.stars);
    dialog->SetResult(evaluated.parts, facts);
    // An own level has no record table of the campaign's to show.
    if (GUIControl* tables = dialog->Children().Find(103)) tables->active = ownLevel_.empty();
  }
}

WinDlgBase* ModeGame::ResultWinDialog() const {
  return Difficulty() == int(Difficulty::Relax) ? static_cast<WinDlgBase*>(winRelaxDialog)
                                                : static_cast<WinDlgBase*>(winDialog);
}

void ModeGame::ShowResult() {
  if (trialText_ && ownLevel_.empty()) return EndTrial();
  if (WinDlgBase* dialog = ResultWinDialog()) controls.BringToTop(dialog);
  NextResultStep();
}

void ModeGame::NextResultStep() {
  // The trophies first, one dialog each.
  if (!pendingTrophies.empty() && trophyDialog) {
    if (services_) services_->effects.Start("trophy_dlg", Vec2{0, 0});
    trophyDialog->Show(kDialogFadeMs);
    controls.BringToTop(trophyDialog);
    trophyDialog->Fill(pendingTrophies.front());
    pendingTrophies.pop_front();
    PlaySound("trophy_got");
    return;
  }
  pendingTrophies.clear();
  // Then the stars' sound, and the lose dialog or the win dialog.
  if (stars > 0) PlaySound(Format("star_%d", std::min(stars, 3)));
  CloseDialog(trophyDialog);
  if (result && !result->won) {
    if (looseDialog) {
      looseDialog->Show(kResultFadeMs);
      controls.BringToTop(looseDialog);
    }
    return;
  }
  WinDlgBase* dialog = ResultWinDialog();
  if (!dialog) return;
  if (services_) services_->effects.Start("stars", Vec2{0, 0});
  dialog->Present(float(ScreenRand15()) / 32767.0f);
  controls.BringToTop(dialog);
}

void ModeGame::TrophyProgress(int number, float fraction) {
  if (number < 0 || number >= Progress::kAchievements || HasAchievement(number)) return;
  const std::string key = Format("ach_%02d", number + 1);
  trophyNote.Show(number, fraction, Lookup(key + "_name"), Gui().SpriteNamed(key));
}

void ModeGame::Achievement(int number) {
  PlayerProfiles* profiles = App().profiles();
  if (!profiles || trialText_) return;
  LevelRewards rewards(profiles->progress, pendingTrophies);
  if (rewards.Award(number)) profiles->SaveProgress();
}

void ModeGame::ShowHiscores() {
  const PlayerProfiles* profiles = App().profiles();
  if (!hiscoresDialog || !profiles) return;
  // A position outside the record slots shows the first table rather than reading past them.
  const bool valid = Progress::HasRecord(episode, levelNumber);
  hiscoresDialog->Fill(profiles->records.Level(valid ? episode : 1, valid ? levelNumber : 1));
  controls.BringToTop(hiscoresDialog);
}
