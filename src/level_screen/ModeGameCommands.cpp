// The level screen's commands: the buttons of the HUD and of every in-level dialog, the
// in-game menu (continue, restart, settings, briefing, back to the map) and the settings
// dialog's switches.
#include "level_screen/ModeGame.h"

#include "app/Application.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/DiffSelGame.h"
#include "level_screen/LevelHiscores.h"
#include "level_screen/LooseDlg.h"
#include "level_screen/MainMenu.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/ModeGameShared.h"
#include "app/SettingsDlg.h"
#include "level_screen/WinDlg.h"

using mode_game::kDialogFadeMs;
using mode_game::Visible;

void ModeGame::PlayButtonClick() {
  if (SoundSystem* sound = App().sound()) sound->PlaySound("button_click");
}

void ModeGame::ShowDialog(GUIDialog* dialog) {
  if (!dialog) return;
  dialog->Show(kDialogFadeMs);
  controls.BringToTop(dialog);
}

void ModeGame::CloseDialog(GUIDialog* dialog) {
  if (dialog) dialog->Hide();
}

void ModeGame::OpenMenu() {
  SaveForContinue();
  ShowDialog(menuDialog);
}

void ModeGame::RestartLevel() {
  CloseDialog(menuDialog);
  if (PlayerProfiles* profiles = App().profiles()) profiles->SaveProgress();
  App().StartFade(Fade::In);
  if (!StartLevel()) LeaveAtOnce();
}

void ModeGame::StopForMap() {
  if (trialText_) {
    EndTrial();
  } else {
    RequestMode(ShowScreen(ModeId::Map));
  }
  if (game_) game_->exitWalk = GameController::ExitWalk::Done;
}

void ModeGame::ShowBriefingAgain() {
  if (level_ && IsOrdinary(level_->mode)) {
    FillBriefing();
    if (briefingDialog) briefingDialog->ShowDifficulty(Difficulty());
    if (briefingDialog) controls.BringToTop(briefingDialog);
  } else {
    ShowLevelMessage();
  }
}

void ModeGame::SettingsCommand(int id) {
  Application& app = App();
  SettingsDlg& dialog = *settingsDialog;
  dialog.ClearResult();
  switch (id) {
    case SettingsDlg::kEffects:
    case SettingsDlg::kMusic:
      if (SoundSystem* sound = app.sound()) {
        const float v = dialog.Volume(id);
        if (v >= 0 && id == SettingsDlg::kEffects) sound->SetEffectsVolume(v);
        if (v >= 0 && id == SettingsDlg::kMusic) sound->SetMusicVolume(v);
      }
      break;
    case SettingsDlg::kCursor:
      if (app.profiles()) app.SetDrawnCursor(!app.profiles()->settings.drawnCursor());
      break;
    case SettingsDlg::kFullscreen:
      if (app.profiles()) app.SetFullscreen(!app.profiles()->settings.fullscreen());
      break;
    case SettingsDlg::kNoTutorial:
      if (app.profiles()) app.profiles()->progress.options ^= Progress::kNoTutorialSpeech;
      break;
    default:
      break;
  }
}

int ModeGame::OnCommand(int id) {
  Application& app = App();
  PlayerProfiles* profiles = app.profiles();
  switch (id) {
    case SpeechWidgets::kContinue:
    case SpeechWidgets::kSkip:
      SpeechCommand(id);
      break;
    case 16:
      if (!Visible(menuDialog)) {
        PlayButtonClick();
        OpenMenu();
      }
      break;
    case 17:
      PlayButtonClick();
      ShowBriefingAgain();
      break;
    case 100:
      CloseDialog(winDialog), CloseDialog(winRelaxDialog), CloseDialog(looseDialog);
      return OnCommand(1001);
    case 101:
      PlayButtonClick();
      CloseDialog(winDialog), CloseDialog(winRelaxDialog), CloseDialog(looseDialog);
      CloseDialog(menuDialog);
      if (profiles && !trialText_) {
        if (Progress::HasRecord(episode, levelNumber)) {
          profiles->progress.Record(episode, levelNumber).flags |= LevelRecord::kFinished;
        }
        profiles->progress.lastEpisode = episode - 1;
        profiles->progress.lastLevel = levelNumber - 1;
        profiles->SaveProgress();
      }
      levelNumber += 1;
      if (levelNumber == 11) episodeDone = true;
      StopForMap();
      break;
    case 102:
      PlayButtonClick();
      CloseDialog(winDialog), CloseDialog(winRelaxDialog), CloseDialog(looseDialog);
      StopForMap();
      levelNumber = 0;
      break;
    case 103:
      if (winDialog) winDialog->ClearResult();
      if (briefingDialog) briefingDialog->ClearResult();
      PlayButtonClick();
      ShowHiscores();
      break;
    case 1000:
      PlayButtonClick();
      CloseDialog(menuDialog);
      break;
    case 1001:
      if (menuDialog && menuDialog->HasChangers()) break;
      PlayButtonClick();
      RestartLevel();
      break;
    case 1002:
      PlayButtonClick();
      CloseDialog(menuDialog);
      if (settingsDialog && profiles) {
        const SoundSystem* sound = app.sound();
        settingsDialog->Fill(sound ? sound->EffectsVolume() : profiles->settings.effectsVolume / 100.0f,
                             sound ? sound->MusicVolume() : profiles->settings.musicVolume / 100.0f,
                             profiles->settings,
                             (profiles->progress.options & Progress::kNoTutorialSpeech) != 0);
        ShowDialog(settingsDialog);
      }
      break;
    case 1003:
      PlayButtonClick();
      CloseDialog(menuDialog);
      ShowBriefingAgain();
      break;
    case 1010:
      PlayButtonClick();
      CloseDialog(menuDialog);
      StopForMap();
      if (profiles && !trialText_) {
        profiles->progress.lastEpisode = episode - 1;
        profiles->progress.lastLevel = levelNumber - 1;
      }
      levelNumber = 0;
      break;
    case 1011:
      PlayButtonClick();
      CloseDialog(briefingDialog);
      ShowLevelMessage();
      break;
    case 1015:
      PlayButtonClick();
      if (briefingDialog) briefingDialog->ClearResult();
      if (difficultyDialog) {
        difficultyDialog->Fill(Difficulty());
        controls.BringToTop(difficultyDialog);
      }
      break;
    case 1025:
      PlayButtonClick();
      CloseDialog(messageDialog);
      ShowStartPrompt();
      break;
    case SettingsDlg::kEffects:
    case SettingsDlg::kMusic:
    case SettingsDlg::kCursor:
    case SettingsDlg::kFullscreen:
    case SettingsDlg::kNoTutorial:
      if (settingsDialog) SettingsCommand(id);
      break;
    case SettingsDlg::kComfortPage:
    case SettingsDlg::kNoShake:
    case SettingsDlg::kSteadyMarks:
    case SettingsDlg::kCalmMotion:
    case SettingsDlg::kTextSize:
    case SettingsDlg::kPointerSize:
    case SettingsDlg::kBack:
      PlayButtonClick();
      if (settingsDialog) settingsDialog->ComfortCommand(id);
      break;
    case SettingsDlg::kOk:
      PlayButtonClick();
      CloseDialog(settingsDialog);
      if (const SoundSystem* sound = app.sound()) {
        app.StoreVolumes(sound->MusicVolume(), sound->EffectsVolume());
      }
      if (profiles) profiles->SaveProgress();
      break;
    case 1045:
      NextResultStep();
      break;
    case 33:
      HighlightObjective();
      break;
    case 71:
      panels.AdvanceMeter(float(panels.MeterSeconds()) * 250, *this);
      break;
    case 80:
    case 81:
    case 82:
    case 83:
    case 84:
    case 85:
      BonusCommand(id - 80);
      break;
    case 1051:
    case 1052:
    case 1053:
      PlayButtonClick();
      CloseDialog(difficultyDialog);
      if (profiles) profiles->progress.difficulty = ::Difficulty(id - 1051);
      return OnCommand(1001);
    case 1059:
      PlayButtonClick();
      CloseDialog(difficultyDialog);
      break;
    case 1103:
    case 1153:
      if (winDialog) winDialog->ClearResult();
      if (winRelaxDialog) winRelaxDialog->ClearResult();
      break;
    case 1201:
      PlayButtonClick();
      CloseDialog(hiscoresDialog);
      break;
    case 1080:
    case 1081:
    case 1082:
    case 1083:
      TestCommand(id);
      break;
    default:
      break;
  }
  return id;
}
