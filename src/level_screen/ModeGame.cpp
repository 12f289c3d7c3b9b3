// The level screen's life cycle: the screen made once, a level started (from its file or the
// saved copy), the visit entered and left, the way out when the fade ends, the running level
// saved for continue and the HUD cleared with it.
#include "level_screen/ModeGame.h"

#include <algorithm>
#include <string>

#include "app/Application.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level/LevelBot.h"
#include "level/ObjectDesc.h"
#include "level/WorldObject.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/DiffSelGame.h"
#include "level_screen/LevelHiscores.h"
#include "level_screen/LooseDlg.h"
#include "level_screen/MainMenu.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/MiniGameHint.h"
#include "level_screen/ModeGameShared.h"
#include "level_screen/ObjectivePanel.h"
#include "app/SettingsDlg.h"
#include "level_screen/TrophyDlg.h"
#include "level_screen/WinDlg.h"

using mode_game::Format;
using mode_game::Visible;

ModeGame& TheModeGame() {
  static ModeGame mode;
  return mode;
}

ModeGame::ModeGame() {
  // In a level the keys belong to the level (its dialogs still take them).
  controls.navigable = overlayControls.navigable = worldControls.navigable = false;
  const auto forget = [this](const GUIControl& control) { DropReference(control); };
  controls.SetDeletionListener([this, forget](const GUIControl& control) {
    if (&control == infoText) infoText = nullptr;
    hud.Forget(control);
    forget(control);
  });
  overlayControls.SetDeletionListener([this, forget](const GUIControl& control) {
    speechWidgets.Forget(control);
    trophyNote.Forget(control);
    forget(control);
  });
  worldControls.SetDeletionListener([this](const GUIControl& control) {
    hud.Forget(control);
    DropReference(control);
  });
}

ModeGame::~ModeGame() = default;

bool ModeGame::Load() {
  if (!Mode::Load()) return true;
  BuildHud();
  return true;
}

bool ModeGame::StartLevel() {
  Application& app = App();
  ClearController();
  HideSpeech();
  if (!app.descriptors() || !app.gameSettings()) return false;
  services_ = std::make_unique<Services>();
  services_->dialogs.mode = this;
  level_ = std::make_unique<Level>(*app.descriptors(), app.gameServices(), &services_->dialogs);
  if (app.textures()) app.textures()->SetUnloadable(true);
  bool read = false;
  std::optional<std::string> saved;
  if (continueSaved && app.profiles()) saved = app.profiles()->LoadGame();
  continueSaved = false;
  if (trialText_) {
    read = level_->ReadLevel(*trialText_) && IsOrdinary(level_->mode);
  } else if (saved) {
    read = level_->ReadLevel(*saved) && IsOrdinary(level_->mode);
    if (read) {
      episode = level_->episode;
      levelNumber = level_->levelNumber;
    }
  } else if (app.files()) {
    read = level_->LoadLevelFile(*app.files(), episode, levelNumber);
  }
  if (app.textures()) app.textures()->SetUnloadable(false);
  if (!read) {
    level_.reset();
    services_.reset();
    return false;
  }
  game_ = std::make_unique<GameController>(*level_, *app.gameSettings(), *this,
                                           &services_->sounds, &services_->effects);
  game_->strings = app.strings();
  // The flyer turns and the birds come back at the edges of the screen the player sees.
  game_->hazards.halfScreen = Vec2{Gui().HalfWidth(), Gui().HalfHeight()};
  bot_ = std::make_unique<LevelBot>(*game_);
  if (app.renderer() && app.textures()) {
    drawer_ = std::make_unique<LevelDrawer>(*app.renderer(), *app.textures(), *app.gameSettings(),
                                            &services_->effects);
  }
  const bool restored = level_->state == LevelState::Saved;
  objectiveIds = restored && !level_->objectivePanel.empty() ? level_->objectivePanel
                                                             : ObjectivePanel::StartIds(*level_);
  // Trophies earned before are in the player's progress already; those whose dialogs did not
  // show yet (the level was restarted or left) wait for the player's next result. Another
  // player, or a progress begun anew, has none of them. A continued save adds the ones it
  // kept.
  const PlayerProfiles* profiles = app.profiles();
  const int player = profiles ? profiles->CurrentSlot() : -1;
  if (player != pendingPlayer) pendingTrophies.clear();
  pendingPlayer = player;
  std::erase_if(pendingTrophies,
                [&](int n) { return !profiles || !profiles->progress.HasAchievement(n); });
  for (const int n : level_->trophies) {
    if (std::find(pendingTrophies.begin(), pendingTrophies.end(), n) == pendingTrophies.end()) {
      pendingTrophies.push_back(n);
    }
  }
  trophyNote.Hide();
  result.reset();

  // Music and weather.
  PlayMusic(level_->music == 0 ? std::string("main_menu")
                               : Format("level_music_%02d", level_->music));
  static const struct {
    const char* name;
    Vec2 at;
    float speed;
  } kWeather[] = {{"rain", {100, 400}, 1.4f},
                  {"snow", {0, 400}, 1.3f},
                  {"sand", {-680, 0}, 1.0f},
                  {"leaves", {500, 0}, 1.0f}};
  if (level_->effect >= 1 && level_->effect <= 4) {
    const auto& w = kWeather[level_->effect - 1];
    weatherEffect_ = services_->effects.StartLooping(w.name, w.at, w.speed);
  }
  if (!restored) {
    level_->gameTime = 0;
    shownScore = targetScore = 0;
  }
  game_->Begin();
  // A continued level shows the bars of the work that was running when it was saved.
  for (const WorkTimers::Timer& t : game_->timers.All()) {
    if (const WorldObject* o = level_->FindObject(t.id)) {
      const float offset = o->desc ? float(o->desc->offs) : 0.0f;
      hud.AddWorkTimer(t.id, t.total, Vec2{o->position.x, o->position.y + offset}, t.elapsed);
    }
  }
  services_->effects.Sync(*level_, true);
  PrepareHud();
  SetupTimeBar();
  SetBonusMeter(0);
  RefreshObjective();
  SetScore(0);
  OpenLevelIntro();
  // The level's own line, or the line that was up when the level was saved.
  if (level_ && level_->dialog.text > 0) ShowSpeech(level_->dialog, false);
  return true;
}

int ModeGame::Difficulty() const {
  const PlayerProfiles* profiles = const_cast<Application&>(App()).profiles();
  return profiles ? std::clamp(int(profiles->progress.difficulty), 0, 2) : int(Difficulty::Casual);
}

void ModeGame::PlayMusic(std::string_view name) {
  if (SoundSystem* sound = App().sound()) sound->PlayMusic(name);
}

void ModeGame::Enter() {
  requested = nullptr;
  Mode::Enter();
  overlayControls.ResetAll();
  worldControls.ResetAll();
  noDialog = true;
  paused = false;
  for (GUIControl* c : {static_cast<GUIControl*>(menuDialog), static_cast<GUIControl*>(winDialog),
                        static_cast<GUIControl*>(looseDialog)}) {
    if (auto* d = dynamic_cast<GUIDialog*>(c)) d->SetShown(false);
  }
  if (!StartLevel()) {
    // A level that cannot be started sends the player back to the map at once.
    if (PlayerProfiles* profiles = App().profiles()) profiles->SaveProgress();
    LeaveAtOnce();
  }
}

void ModeGame::Accept(const ModeRequest& request) {
  trialText_ = request.levelText;
  trialBack_ = request.levelText ? request.back : ModeId::None;
  ownLevel_ = request.levelText ? request.ownLevel : std::string();
  if (request.continueSaved) {
    continueSaved = true;
    return;
  }
  episode = request.episode;
  levelNumber = request.level;
  continueSaved = false;
}

void ModeGame::LeaveAtOnce() {
  if (trialText_) {
    ModeRequest back = ShowScreen(trialBack_);
    back.back = ModeId::Game;
    trialText_.reset();
    if (Mode* next = App().Accept(back)) App().SetMode(next, false);
    return;
  }
  if (Mode* map = App().ModeOf(ModeId::Map)) App().SetMode(map, false);
}

void ModeGame::EndTrial() {
  if (requested) return;
  ModeRequest back = ShowScreen(trialBack_);
  back.back = ModeId::Game;
  RequestMode(back);
}

void ModeGame::Leave() {
  if (!App().quit) {
    hud.Clear();
    panels.Clear();
    if (timeBar) timeBar->Start(0, 1);
    if (bonusMeter) bonusMeter->Start(0, 1);
  }
  paused = false;
}

void ModeGame::Release() {
  if (App().current == this) SaveForContinue();
  ClearController();
  hud.Clear();
  if (timeBar) timeBar->Start(0, 1);
  if (bonusMeter) bonusMeter->Start(0, 1);
  worldControls.Clear();
  overlayControls.Clear();
  Mode::Release();
  loaded = false;
}

bool ModeGame::OnActivate(bool wasActive) {
  // Only going inactive does anything: the menu opens and is drawn before drawing stops.
  if (!wasActive || !noDialog) return false;
  if (!Visible(menuDialog)) {
    SaveForContinue();
    if (menuDialog) {
      menuDialog->SetShown(true);
      controls.BringToTop(menuDialog);
    }
  }
  paused = true;
  return true;
}

void ModeGame::OnFadeDone(Fade kind) {
  if (kind != Fade::Out) return;
  paused = false;
  // The end of an episode leads through its closing comic (number episode + 1) to the map,
  // and first through the castle when the level won its first three stars; any other way out
  // of such a level goes to the castle too. Any screen that is not there is skipped.
  Application& app = App();
  if (trialText_) {
    // A trial goes back where it came from; the switch was asked for with its request.
    trialText_.reset();
    ClearController();
    if (requested) app.SetMode(requested, false);
    return;
  }
  const bool castle = toCastle && app.ModeOf(ModeId::Castle);
  ModeRequest target = ShowScreen(ModeId::Map);
  ClearController();
  if (levelNumber == 11 || episodeDone) {
    const int comic = episode + 1;
    episode += 1;
    levelNumber = 1;
    if (app.ModeOf(ModeId::Comics)) target = ShowComic(comic, target);
    if (castle) target = ShowCastle(ModeId::Map, target);
  } else if (castle) {
    target = ShowCastle(ModeId::Map);
  }
  if (app.textures()) app.textures()->EvictUnloadable();
  if (Mode* next = app.Accept(target)) app.SetMode(next, true);
}

void ModeGame::ClearController() {
  if (services_ && weatherEffect_ != 0) services_->effects.StopLooping(weatherEffect_);
  weatherEffect_ = 0;
  hud.Clear();
  if (objectHint) objectHint->Hide();
  bot_.reset();
  game_.reset();
  drawer_.reset();
  if (services_) services_->effects.Clear();
  level_.reset();
  services_.reset();
}

void ModeGame::SaveForContinue() {
  if (!game_ || !level_ || !IsOrdinary(level_->mode) || game_->Ended() || trialText_) return;
  if (level_->workers.empty()) return;
  level_->levelTime = LevelTimerLeft();
  StoreBonusState();
  level_->trophies.assign(pendingTrophies.begin(), pendingTrophies.end());
  level_->objectivePanel = objectiveIds;
  const std::optional<std::string> text = game_->Save();
  if (text && App().profiles()) App().profiles()->SaveGame(*text);
}

void ModeGame::WriteHudState(std::string& text) const {
  hud.WriteWorkTimers(text);
  for (const int n : pendingTrophies) text += "<trophy id=\"" + std::to_string(n) + "\"/>\n";
  for (const int id : objectiveIds) text += "<objective id=\"" + std::to_string(id) + "\"/>\n";
}

void ModeGame::ClearHud() {
  for (GUIDialog* d :
       {static_cast<GUIDialog*>(menuDialog), static_cast<GUIDialog*>(settingsDialog),
        static_cast<GUIDialog*>(briefingDialog), static_cast<GUIDialog*>(winDialog),
        static_cast<GUIDialog*>(winRelaxDialog), static_cast<GUIDialog*>(looseDialog),
        static_cast<GUIDialog*>(trophyDialog), static_cast<GUIDialog*>(messageDialog),
        static_cast<GUIDialog*>(miniGameHint), static_cast<GUIDialog*>(difficultyDialog),
        static_cast<GUIDialog*>(hiscoresDialog), pauseDialog}) {
    if (d) d->Hide();
  }
  hud.Clear();
  panels.Clear();
  speechWidgets.HideAll();
  if (objectHint) objectHint->Hide();
  if (timeBar) timeBar->Start(0, 1);
  if (bonusMeter) bonusMeter->Start(0, 1);
}

void ModeGame::PlaySound(std::string_view name) {
  if (SoundSystem* sound = App().sound()) sound->PlaySound(name);
}
