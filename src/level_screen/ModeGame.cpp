#include "level_screen/ModeGame.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>

#include "app/Application.h"
#include "app/SettingsDlg.h"
#include "base/GameKeys.h"
#include "base/Random.h"
#include "data/Utf8.h"
#include "gui/ControlFactory.h"
#include "gui/GUIButton.h"
#include "gui/GUIChanger.h"
#include "gui/GUIPic.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIText.h"
#include "level/BonusInfo.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/Level.h"
#include "level/LevelBot.h"
#include "level/LevelEffects.h"
#include "level/LevelServices.h"
#include "level/LevelSounds.h"
#include "level/ObjectDesc.h"
#include "level/WorldObject.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/DiffSelGame.h"
#include "level_screen/LevelHiscores.h"
#include "level_screen/LevelRewards.h"
#include "level_screen/LooseDlg.h"
#include "level_screen/MainMenu.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/MiniGameHint.h"
#include "level_screen/ObjectivePanel.h"
#include "level_screen/TrophyDlg.h"
#include "level_screen/WinDlg.h"

namespace {

constexpr float kDialogFadeMs = 120;
constexpr float kResultFadeMs = 240;

std::string Format(const char* pattern, int value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::u16string Text(std::string_view ascii) {
  std::u16string out;
  for (const char c : ascii) out += char16_t(static_cast<unsigned char>(c));
  return out;
}

std::u16string Lookup(std::string_view key) {
  const StringTable* strings = App().strings();
  return strings ? strings->Get(key) : std::u16string();
}

// A string, or the fallback when the table has none.
std::u16string LookupOr(std::string_view key, std::u16string_view fallback) {
  std::u16string text = Lookup(key);
  return text.empty() || text == Text(key) ? std::u16string(fallback) : text;
}

// The sounds of the world, played through the application's sound system.
class ScreenSounds final : public LevelSounds {
 public:
  void Play(std::string_view name) override {
    if (SoundSystem* sound = App().sound()) sound->PlaySound(name);
  }
  int PlayLooped(std::string_view name) override {
    SoundSystem* sound = App().sound();
    return sound ? int(sound->PlaySound(name, true)) : 0;
  }
  void Stop(int handle) override {
    if (SoundSystem* sound = App().sound(); sound && handle != 0) {
      sound->StopSound(SoundSystem::Handle(handle));
    }
  }
};

bool Visible(const GUIControl* control) { return control && control->visible; }

// The lines world objects carry go to the screen when their trigger comes; each object
// gives its line up as it is shown.
class ScreenDialogs final : public LevelServices {
 public:
  void FireDialogs(Level& level, WorldObject& o, int trigger) override {
    if (!mode || !o.dialog || !o.Has(ObjectFlags::kDialog) || o.dialog->trigger != trigger) return;
    SpeechLine line = *o.dialog;
    // The controller raises the text of a quest object's line itself; objects that become
    // reachable come straight from the level.
    if (trigger == 0 && o.Has(ObjectFlags::kQuest)) line.text += level.questObjectsFound;
    o.dialog.reset();
    o.Set(ObjectFlags::kDialog, false);
    mode->ShowSpeech(line, false);
  }
  ModeGame* mode = nullptr;
};

}  // namespace

// What a running level needs beside the level itself: its sounds, particle effects and the
// way its lines reach the screen.
struct ModeGame::Services {
  ScreenSounds sounds;
  LevelEffects effects{App().particles()};
  ScreenDialogs dialogs;
};

ModeGame& TheModeGame() {
  static ModeGame mode;
  return mode;
}

ModeGame::ModeGame() {
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

// ---------------------------------------------------------------- build

bool ModeGame::Load() {
  if (!Mode::Load()) return true;
  BuildHud();
  return true;
}

void ModeGame::BuildHud() {
  // 1.
  controls.LoadLayout("game_gui", false);
  timeBar = dynamic_cast<GUIProgressBar*>(controls.Find(30));
  bonusMeter = dynamic_cast<GUIProgressBar*>(controls.Find(73));
  counterBars[0] = controls.Find(75);
  counterBars[1] = controls.Find(77);
  // 2. The gold mark sits on the time bar.
  if (timeBar) {
    auto mark = std::make_unique<GUIPic>();
    mark->id = kGoldMarkId;
    mark->SetSprite(Gui().SpriteNamed("level_time_divider"));
    mark->SetBounds(0, 0, Gui().Value("if_gm_prg_div_w", 32), -Gui().Value("if_gm_prg_div_h", 32));
    mark->visible = false;
    goldMark = controls.Add(std::move(mark));
  }
  BuildBonusPanel();
  // 3.
  for (const int id : {91, 92, 93}) {
    if (GUIControl* c = controls.Find(id)) c->visible = false;
  }
  for (int i = 0; i < 3; ++i) {
    resourceLabels[size_t(i)] = controls.Find(40 + i);
    shortageFlashes[size_t(i)] = controls.Find(110 + i);
  }
  // 4. The score: (70, -1) and 230 x 64 measured from the upper left corner, where the
  // layout paints its plate.
  auto score = std::make_unique<GUIText>();
  const float top = Gui().HalfHeight(), left = -Gui().HalfWidth();
  score->rect = Rect{left + 70, top + 1, left + 300, top - 63};
  score->fontId = 12;
  score->SetFontSize(Gui().Value("fs_game_score", 24));
  score->align = 1;
  score->colour = kWhite;
  scoreLabel = controls.Add(std::move(score));
  // The two clocks cheat mode shows: the level's game time and what is left on its bar.
  for (size_t i = 0; i < debugTimes_.size(); ++i) {
    auto clock = std::make_unique<GUIText>();
    clock->rect =
        Rect{left + 10, -top + 60 - 24.0f * float(i), left + 300, -top + 36 - 24.0f * float(i)};
    clock->SetFontSize(18);
    clock->align = 0;
    clock->colour = kWhite;
    clock->visible = false;
    debugTimes_[i] = controls.Add(std::move(clock));
  }
  // 5.
  BuildDialogs();
  // 6..12.
  MakeDimmerAndStartText();
  menuButton = controls.Find(16);
  overlayControls.LoadLayout("game_gui_ovr", false);
  counterBars[2] = overlayControls.Find(79);
  speechWidgets.Build(overlayControls, App().values(), Lookup("continue"), Lookup("skip"));
  trophyNote.Build(overlayControls, Gui().HalfWidth(), Gui().HalfHeight());

  HudItems::Parts parts;
  parts.world = &worldControls;
  parts.objectHint = objectHint;
  parts.scoreLabel = scoreLabel;
  parts.resourceLabels = resourceLabels;
  parts.shortageFlashes = shortageFlashes;
  for (int i = 0; i < 3; ++i) {
    parts.lostLabels[size_t(i)] = controls.Find(kFirstLostLabelId + i);
    parts.lostTags[size_t(i)] = controls.Find(kFirstLostTagId + i);
  }
  hud.Build(parts, App().values());
}

void ModeGame::BuildDialogs() {
  int id = kFirstDialogId;
  const auto add = [&](auto dialog) {
    auto* raw = dialog.get();
    controls.Add(std::move(dialog));
    return raw;
  };
  menuDialog = add(std::make_unique<MainMenu>(id++));
  settingsDialog = add(std::make_unique<SettingsDlg>(id++));
  briefingDialog = add(std::make_unique<BriefingDlg>(id++));
  winDialog = add(std::make_unique<WinDlg>(id++));
  winRelaxDialog = add(std::make_unique<WinDlgRelax>(id++));
  looseDialog = add(std::make_unique<LooseDlg>(id++));
  trophyDialog = add(std::make_unique<TrophyDlg>(id++));
  messageDialog = add(std::make_unique<MessageDlg>(id++));
  miniGameHint = add(std::make_unique<MiniGameHint>(id++));
  difficultyDialog = add(std::make_unique<DiffSelGame>(id++));
  hiscoresDialog = add(std::make_unique<LevelHiscores>(id));
}

void ModeGame::MakeDimmerAndStartText() {
  const GuiContext& gui = Gui();
  const float hw = gui.HalfWidth(), hh = gui.HalfHeight(true);
  auto dim = std::make_unique<GUIPic>();
  dim->SetSprite(Gui().SpriteNamed("black"));
  dim->rect = Rect{-hw, hh, hw, -hh};
  dim->colour = 0x7F000000u;
  dim->visible = false;
  dimmer = controls.Add(std::move(dim));

  auto hint = std::make_unique<GUIHint>();
  hint->Background().SetSprite(Gui().SpriteNamed("hintback"));
  hint->fontId = Gui().IntValue("ft_game_hint", 0);
  hint->SetFontSize(Gui().Value("fs_game_hint", 20));
  hint->colour = 0xFF282828u;
  hint->visible = false;
  objectHint = static_cast<GUIHint*>(controls.Add(std::move(hint)));

  auto arrow = std::make_unique<GUIPic>();
  arrow->id = 0;
  arrow->SetSprite(Gui().SpriteNamed("hintarrow"));
  arrow->FitToSprite();
  if (const float w = Gui().Value("if_gm_arrow_w", 0), h = Gui().Value("if_gm_arrow_h", 0); w > 0 && h > 0) {
    arrow->SetBounds(0, 0, w, -h);
  }
  arrow->visible = false;
  // With the speech widgets, so that it is drawn over the message it explains.
  hudArrow = overlayControls.Add(std::move(arrow));

  auto start = std::make_unique<GUIText>();
  const float y = Gui().Value("if_gm_countdown_y", -200);
  const float size = Gui().Value("fs_game_start", 32);
  start->rect = Rect{-hw, y + size, hw, y - size};
  start->fontId = Gui().IntValue("ft_game_start", 2);
  start->SetFontSize(size);
  start->align = 1;
  start->colour = kWhite;
  start->visible = false;
  startText = controls.Add(std::move(start));
}

void ModeGame::DropReference(const GUIControl& control) {
  for (GUIControl** slot :
       {reinterpret_cast<GUIControl**>(&timeBar), &goldMark,
        reinterpret_cast<GUIControl**>(&bonusMeter), &menuButton, &scoreLabel, &startText,
        &dimmer, reinterpret_cast<GUIControl**>(&objectHint), &hudArrow}) {
    if (*slot == &control) *slot = nullptr;
  }
  for (GUIControl*& c : debugTimes_) {
    if (c == &control) c = nullptr;
  }
  panels.Forget(control);
  for (auto* list : {&resourceLabels, &shortageFlashes, &counterBars}) {
    for (GUIControl*& c : *list) {
      if (c == &control) c = nullptr;
    }
  }
  const auto drop = [&](auto*& dialog) {
    if (static_cast<const GUIControl*>(dialog) == &control) dialog = nullptr;
  };
  drop(menuDialog), drop(settingsDialog), drop(briefingDialog), drop(winDialog);
  drop(winRelaxDialog), drop(looseDialog), drop(trophyDialog), drop(messageDialog);
  drop(miniGameHint), drop(difficultyDialog), drop(hiscoresDialog);
}

// ---------------------------------------------------------------- level start

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
  if (saved) {
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

void ModeGame::PrepareHud() {
  if (App().current != this) return;
  // 1.
  if (menuButton) menuButton->visible = true;
  ShowStartText(Lookup(touchInput ? "tap_to_start" : "click_to_start"));
  if (startText) startText->visible = false;
  // 2.
  toCastle = episodeDone = hudHidden = false;
  // 3.
  controls.SetAlphaAll(255);
  worldControls.SetAlphaAll(255);
  if (dimmer) dimmer->SetAlpha(127);
  // 4.
  for (GUIControl* flash : shortageFlashes) {
    if (!flash) continue;
    flash->ClearChangers();
    flash->SetAlpha(0);
    flash->visible = false;
  }
  // 5. The bonus panel shows in ordinary levels of mode 0 only.
  const LevelMode mode = level_ ? level_->mode : LevelMode::Ordinary;
  panels.Layout(mode == LevelMode::Ordinary, level_ ? level_->bonusCost : std::array<int, 6>{},
                level_ ? level_->bonusSpeed : 0, bonusMeter, controls.Find(72), Gui().HalfWidth(),
                Gui().HalfHeight());
  // The walking-speed obelisk earns a trophy when it stands while the speed bonus is offered.
  if (game_) game_->speedBonusOnPanel = panels.Button(0) && panels.Button(0)->visible;
  // 6.
  if (GUIControl* c = controls.Find(71)) c->visible = false;
  // 7. The counter bars belong to mini-games.
  for (const int id : {74, 75, 76, 77}) {
    if (GUIControl* c = controls.Find(id)) c->visible = mode == LevelMode::MiniGame;
  }
  for (const int id : {78, 79}) {
    if (GUIControl* c = overlayControls.Find(id)) c->visible = mode == LevelMode::MiniGame;
  }
  if (mode == LevelMode::MiniGame && level_) {
    panels.StartCounters(dynamic_cast<GUIProgressBar*>(counterBars[0]),
                         dynamic_cast<GUIProgressBar*>(counterBars[1]), level_->miniGame.phaseTotal,
                         level_->miniGame.health);
  }
  // 8.
  const bool ordinary = IsOrdinary(mode);
  if (GUIControl* c = controls.Find(35)) c->visible = ordinary;
  for (GUIControl* label : resourceLabels) {
    if (label) label->visible = ordinary;
  }
  const bool timed = Difficulty() != int(Difficulty::Relax);
  if (timeBar) timeBar->visible = timed;
  if (goldMark) goldMark->visible = false;
  if (GUIControl* c = controls.Find(34)) c->visible = timed;
  std::fill(std::begin(shownResources_), std::end(shownResources_), -1);
  hud.ShowLostResources({}, false);
  RefreshResourceLabels();
}

void ModeGame::ShowStartText(const std::u16string& text) {
  if (!startText) return;
  startText->SetText(text);
  startText->visible = true;
}

void ModeGame::BeginPlay() {
  if (!Visible(startText)) return;
  startText->visible = false;
  startText->ClearChangers();
  hud.PulseFreeWorkers(false);
  services_->sounds.Play(Format("start_game_%d", 1 + ScreenRand15() % 4));
  paused = false;
}

void ModeGame::ShowStartPrompt() {
  if (!startText) return;
  ShowStartText(Lookup(touchInput ? "tap_to_start" : "click_to_start"));
  const float size = Gui().Value("fs_game_start", 32);
  startText->ClearChangers();
  startText->AddChanger(std::make_unique<FontSizeInfChanger>(4.0f, size / 16.0f, size));
  hud.PulseFreeWorkers(true);
}

void ModeGame::SetScore(int value) {
  shownScore = targetScore = value;
  if (scoreLabel) {
    scoreLabel->SetText(Lookup("score") + u": " + Text(std::to_string(value)));
  }
}

int ModeGame::Difficulty() const {
  const PlayerProfiles* profiles = const_cast<Application&>(App()).profiles();
  return profiles ? std::clamp(int(profiles->progress.difficulty), 0, 2) : int(Difficulty::Casual);
}

int ModeGame::TimeBarRemaining() const { return LevelTimerLeft(); }

int ModeGame::LevelTimerLeft() const {
  if (!clockOnBar || !timeBar) return standingLeftMs;
  return int(std::clamp(double(timeBar->state.value), 0.0, 2.0e9));
}

int ModeGame::LevelTimerElapsed() const {
  const double left = clockOnBar && timeBar ? double(timeBar->state.value) : double(standingLeftMs);
  return int(std::clamp(double(clockTotalMs) - left + clockOverrunMs, 0.0, 2.0e9));
}

void ModeGame::AdvanceLevelTimer(float frameTime) {
  if (!clockOnBar || !timeBar || !std::isfinite(frameTime) || frameTime <= 0) return;
  const double rate = Difficulty() == int(Difficulty::Expert) ? 1.0 : 0.666;
  const double amount = double(frameTime) * rate;
  const double left = double(timeBar->state.value);
  if (amount > left) clockOverrunMs += amount - left;
  timeBar->Advance(float(amount));
}

void ModeGame::PlayMusic(std::string_view name) {
  if (SoundSystem* sound = App().sound()) sound->PlayMusic(name);
}

// ---------------------------------------------------------------- the mode's visit

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
  if (request.continueSaved) {
    continueSaved = true;
    return;
  }
  episode = request.episode;
  levelNumber = request.level;
  continueSaved = false;
}

void ModeGame::LeaveAtOnce() {
  if (Mode* map = App().ModeOf(ModeId::Map)) App().SetMode(map, false);
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
  if (!game_ || !level_ || !IsOrdinary(level_->mode) || game_->Ended()) return;
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
        static_cast<GUIDialog*>(hiscoresDialog)}) {
    if (d) d->Hide();
  }
  hud.Clear();
  panels.Clear();
  speechWidgets.HideAll();
  if (objectHint) objectHint->Hide();
  if (timeBar) timeBar->Start(0, 1);
  if (bonusMeter) bonusMeter->Start(0, 1);
}

// ---------------------------------------------------------------- the frame

GUIDialog* ModeGame::TopDialog() const {
  return dynamic_cast<GUIDialog*>(controls.TopDialog());
}

bool ModeGame::AnyModal() const {
  return controls.TopDialog() != nullptr || overlayControls.TopDialog() != nullptr;
}

void ModeGame::Update() {
  Application& app = App();
  const float ft = app.frameTime;
  const bool switchPending = requested != nullptr || app.pending != nullptr;
  // 1.
  Mode::Update();
  worldControls.UpdateAll(ft);
  overlayControls.UpdateAll(ft);
  if (!game_) return;
  // 2. The counter bars of the special levels.
  panels.StepCounters(ft, dynamic_cast<GUIProgressBar*>(counterBars[2]), counterTargetC);
  // 3.
  UpdatePaused(switchPending);
  // 4.
  if (!switchPending) game_->Frame(ft, true);
  // 5.
  noDialog = TopDialog() == nullptr;
  if (botPlaying && !switchPending) BotAnswers();
  if (botPlaying && noDialog && !switchPending) {
    if (Visible(startText)) {
      Press(0, 0);
    } else if (!paused) {
      if (const std::optional<Vec2> at = bot_->Decide(ft)) {
        HoverAt(at->x, at->y);
        Press(at->x, at->y);
        bot_->AfterClick();
      }
    }
  }
  // The bot answers the trophy dialogs of the result.
  if (botPlaying && !switchPending && trophyDialog && TopDialog() == trophyDialog &&
      !trophyDialog->HasChangers()) {
    OnCommand(1045);
  }
  if (noDialog) {
    // 6.1: the dimmer belongs to the speech bubble.
    if (dimmer) dimmer->visible = speechWidgets.BubbleShown();
    // 6.2.
    game_->Tick(ft);
    if (!game_) return;
    // 6.3.
    UpdateHudFade();
    // 6.4.
    if (!game_->Ended()) UpdateTooltips();
    // The speech message lets the player see through it while the pointer rests on it.
    const GuiPoint p = Gui().Pointer();
    messageDimmed = speechWidgets.MessageUnder(p.x, p.y);
    speechWidgets.SetMessageAlpha(messageDimmed ? 64 : 255);
  } else if (GUIDialog* dialog = TopDialog()) {
    // 7.
    DialogStep(*dialog);
    if (!game_) return;
  }
  // 8.
  if (Visible(objectHint) && !Visible(dimmer) && noDialog) controls.BringToTop(objectHint);
  // 9.
  CountScore(switchPending);
  if (Visible(debugTimes_[0]) && debugTimes_[1] && level_) {
    debugTimes_[0]->SetText(u"game " + Text(std::to_string(level_->gameTime)) + u" ms");
    debugTimes_[1]->SetText(u"timer " + Text(std::to_string(LevelTimerLeft())) + u" ms");
  }
  RefreshResourceLabels();
  RefreshQueueNumbers();
  // The start prompt waits behind a speech bubble: no click starts the level while the
  // bubble holds it, and the bubble would cover the prompt.
  if (startText && !game_->Ended()) startText->SetAlpha(speechWidgets.BubbleShown() ? 0 : 255);
  // 10.
  if (noDialog && !Visible(dimmer) && !game_->Ended() && !paused && !switchPending) PlayStep();
}

void ModeGame::UpdatePaused(bool switchPending) {
  Application& app = App();
  const bool now = app.fadeState != Fade::None || switchPending || app.deactivating ||
                   Visible(startText) || !noDialog || Visible(dimmer);
  if (now == paused) return;
  paused = now;
  if (SoundSystem* sound = app.sound(); sound && paused) sound->Update();
}

void ModeGame::UpdateHudFade() {
  if (!game_->Ended() || hudHidden) return;
  const int alpha = std::max(0, 255 - int(game_->endTimer));
  controls.SetAlphaAll(alpha);
  worldControls.SetAlphaAll(alpha);
  if (alpha == 0) {
    hudHidden = true;
    for (GUIControl* c : {startText, static_cast<GUIControl*>(objectHint)}) {
      if (c) c->visible = false;
    }
  }
}

void ModeGame::UpdateTooltips() {
  const GuiPoint p = Gui().Pointer();
  GUIControl* hovered = controls.HitTest(p.x, p.y);
  if (!hovered) hovered = overlayControls.HitTest(p.x, p.y);
  if (!hovered || hovered->id <= 0 || hovered->kind == ControlKind::Dialog) {
    lastTooltip_ = 0;
    return;
  }
  if (hovered->id == SpeechWidgets::kMessageId) return;
  ShowTooltip(*hovered);
}

void ModeGame::ShowTooltip(const GUIControl& control) {
  const int id = control.id;
  if (!objectHint || id == lastTooltip_) return;
  lastTooltip_ = id;
  const bool bonus = id >= HudPanels::kFirstButtonId && id <= HudPanels::kFirstButtonId + 6;
  std::u16string text;
  if (bonus) {
    // Six bonuses: a seventh id has no description and no tooltip. A description the
    // strings lack shows nothing rather than its key.
    const GameDescriptors* descriptors = App().descriptors();
    const BonusInfo* info =
        descriptors ? descriptors->Bonus(id - HudPanels::kFirstButtonId) : nullptr;
    const StringTable* strings = App().strings();
    if (info && strings && strings->Has(info->desc)) text = strings->Get(info->desc);
  } else {
    text = Lookup(Format("control%03d", id));
    if (text == Text(Format("control%03d", id))) text.clear();
  }
  if (text.empty()) return;
  if (bonus) {
    // A bonus explains itself at its button.
    ShowHintBeside(*objectHint, control.rect, text, 3000);
  } else {
    // Tooltips sit centred under the top edge, lowered by the control's own value.
    const float y = Gui().HalfHeight() - (Gui().Value(Format("if_gm_control%03d_y", id), 0) + 25);
    ShowHintAt(*objectHint, 0, y, text, 3000);
  }
  controls.BringToTop(objectHint);
}

void ModeGame::DialogStep(GUIDialog& dialog) {
  if (const int command = dialog.TakeResult(); command > 0) {
    OnCommand(command);
    return;
  }
  const GuiPoint p = Gui().Pointer();
  GUIControl* over = dialog.Children().HitTest(p.x, p.y);
  if (over && over->id > 0 && over->kind != ControlKind::Dialog) {
    ShowTooltip(*over);
  } else {
    lastTooltip_ = 0;
  }
}

void ModeGame::CountScore(bool switchPending) {
  if (switchPending || shownScore >= targetScore) return;
  const float ft = App().frameTime;
  unsigned k = ft == 0 ? 1u : unsigned(std::trunc(ft * 0.7f));
  if (k < 2) k = 1;
  unsigned step = unsigned(targetScore - shownScore) / k;
  if (step < 2) step = 1;
  shownScore += int(step);
  if (scoreLabel) {
    scoreLabel->SetText(Lookup("score") + u": " + Text(std::to_string(shownScore)));
  }
}

void ModeGame::RefreshResourceLabels() {
  if (!level_) return;
  for (size_t i = 0; i < 3; ++i) {
    if (!resourceLabels[i] || shownResources_[i] == level_->resources[i]) continue;
    shownResources_[i] = level_->resources[i];
    resourceLabels[i]->SetText(Text(std::to_string(level_->resources[i])));
  }
  // What the storage limit cut off, where the settings ask for it, under the stocks.
  const GameSettings* settings = App().gameSettings();
  const bool lostShown = settings && settings->showResLost && game_ && IsOrdinary(level_->mode);
  hud.ShowLostResources(game_ ? game_->economy.lost : std::array<int, 3>{}, lostShown);
}

void ModeGame::RefreshQueueNumbers() {
  std::vector<Vec2> tops;
  if (level_ && game_ && !game_->Ended()) {
    const std::optional<WorldObject>& marker = level_->indicators.queue;
    const float half = marker ? std::fabs(marker->size.y) : 0.0f;
    for (const int id : level_->commandQueue) {
      if (const WorldObject* waypoint = level_->FindObject(id)) {
        tops.push_back(Vec2{waypoint->position.x, waypoint->position.y + half});
      }
    }
  }
  hud.ShowQueueNumbers(tops);
}

bool ModeGame::PlayStep() {
  Application& app = App();
  const float ft = app.frameTime;
  // 10.1. Changing between mouse and touch holds the level until the next press.
  const bool touch = app.platform().LastInputWasTouch();
  if (touch != touchInput) {
    touchInput = touch;
    const std::u16string text =
        touch ? LookupOr("touch_input_detected", u"Touch input detected") + u"\\" +
                    Lookup("tap_to_start")
              : LookupOr("desktop_mode_detected", u"Desktop mode detected") + u"\\" +
                    Lookup("click_to_start");
    ShowStartText(text);
    paused = true;
    services_->sounds.Play("bonus_timer_stop");
    return false;
  }
  // 10.2 and 10.3: the time bar moves with the level's clock (AdvanceLevelTimer); 10.4 and
  // 10.6: the gold mark, the bonus meter and the bonus bars.
  PanelStep(ft);
  // 10.5: a message line stays for its delay.
  SpeechStep(ft);
  // 10.7.
  const float speed = level_->buildSpeed * (game_->workBonus ? 2.0f : 1.0f);
  targetScore += hud.Advance(ft, speed);
  return true;
}

// ---------------------------------------------------------------- drawing

void ModeGame::AdvanceShake(float frameTime) {
  if (shakeTime == 0) return;
  shakeTime = std::max(0.0f, shakeTime - frameTime * 0.001f);
  const float t = shakeTime;
  camera.offset = Vec2{std::sin(34 * t) * 8 * t, std::sin(27 * t) * 16 * t};
}

void ModeGame::DrawWorld() {
  Application& app = App();
  if (!game_ || !drawer_ || !app.renderer()) return;
  AdvanceShake(app.frameTime);
  LevelDrawOptions options;
  options.camera = camera;
  options.expert = Difficulty() == int(Difficulty::Expert);
  if (WorldObject* hovered = game_->Hovered()) {
    options.hoveredWaypoint = hovered;
    options.hovered = hovered->link;
  }
  for (int i = 0; i < 2; ++i) options.above.push_back(game_->hazards.Bird(i));
  if (app.CommonShader()) app.renderer()->SetShader(app.CommonShader());
  drawer_->Draw(*level_, options);
  // What floats over the world moves with it.
  const Vec2 shift = camera.offset;
  worldControls.MoveAll(shift.x, shift.y);
  worldControls.DrawAll();
  worldControls.MoveAll(-shift.x, -shift.y);
  if (const int dark = game_->end.Darkness(); dark > 0) {
    Renderer& r = *app.renderer();
    r.BindTexture(nullptr);
    r.AddQuad({-r.HalfWidth(), r.HalfHeight(true), r.HalfWidth(), -r.HalfHeight(true)},
              kFullTexRect, uint32_t(std::min(dark, 255)) << 24);
    r.Flush();
  }
}

void ModeGame::Draw() {
  Application& app = App();
  // 1.
  DrawWorld();
  const bool dialogOpen = TopDialog() != nullptr;
  // 2.
  if (dialogOpen) overlayControls.DrawAll();
  // 3.
  Mode::Draw();
  // 4.
  if (!dialogOpen || (game_ && game_->Ended())) {
    if (game_ && app.renderer()) {
      const Renderer& r = *app.renderer();
      game_->end.TopEffects(app.frameTime, r.HalfWidth(), r.HalfHeight(), camera.offset);
    }
    overlayControls.DrawAll();
  }
}

// ---------------------------------------------------------------- input

int ModeGame::OnInput(InputEvent event) {
  // The cheat words, compared with the application's most recently typed letters.
  if (event.type == InputType::Character && App().cheats) CheatWord();
  // 1. An open dialog takes every event under it and answers with its own id, which is no
  // command: keys still go on to the Escape handling below.
  for (ControlList* list : {&controls, &overlayControls}) {
    const int id = list->OnInput(event);
    if (id <= 0) continue;
    if (!IsDialogId(id)) {
      OnCommand(id);
      return id;
    }
    if (event.type != InputType::KeyDown) return 0;
    break;
  }
  // 2.
  if (event.type != InputType::KeyDown && (AnyModal() || !noDialog)) return 0;
  // 3.
  const GuiPoint p = Gui().Pointer();
  switch (event.type) {
    case InputType::Character:
      if (App().cheats) {
        typedCheat_ += char16_t(event.value < 128 ? std::tolower(event.value) : 0);
        if (typedCheat_.size() > 8) typedCheat_.erase(0, typedCheat_.size() - 8);
        if (typedCheat_.ends_with(u"time")) {
          for (GUIControl* t : debugTimes_) {
            if (t) t->visible = !t->visible;
          }
        }
      }
      break;
    case InputType::KeyDown:
      if (event.value == kGameKeyEscape) {
        HandleEscape();
      } else {
        App().ApplyTimeScaleKey(event.value);
      }
      break;
    case InputType::LeftDown:
    case InputType::DoubleClick:
      // Behind the speech bubble's dimmer the level takes no clicks.
      if (noDialog && !Visible(dimmer)) {
        HoverAt(p.x, p.y);
        Press(p.x, p.y);
      }
      break;
    case InputType::PointerMove:
      HoverAt(p.x, p.y);
      break;
    default:
      break;
  }
  return 0;
}

void ModeGame::HoverAt(float x, float y) {
  if (!game_ || Visible(dimmer)) return;
  game_->UpdateHint(game_->PickHovered(Vec2{x, y}));
}

void ModeGame::Press(float x, float y) {
  if (!game_) return;
  BeginPlay();
  // The controller's click: nothing while the level is held without the start prompt; a
  // click while the result waits brings it on.
  if (paused && !Visible(startText)) return;
  if (game_->Ended()) {
    if (game_->endTimer < LevelEnd::kResultDelayMs) game_->endTimer = 1499;
    game_->continueRequested = true;
    return;
  }
  // The click goes to what is under the pointer, as the pointer's hover found it.
  WorldObject* under = game_->PickHovered(Vec2{x, y});
  game_->Hover(under);
  game_->Click(under);
}

bool ModeGame::HandleEscape() {
  const struct {
    GUIDialog* dialog;
    int command;
  } kClosing[] = {{difficultyDialog, 1059}, {hiscoresDialog, 1201}, {settingsDialog, 1035},
                  {briefingDialog, 1011},   {trophyDialog, 1045},   {winDialog, 102},
                  {winRelaxDialog, 102},    {looseDialog, 102},     {messageDialog, 1025}};
  for (const auto& c : kClosing) {
    if (Visible(c.dialog)) {
      OnCommand(c.command);
      return true;
    }
  }
  if (noDialog) {
    PlayButtonClick();
    OpenMenu();
    return true;
  }
  if (Visible(menuDialog)) {
    PlayButtonClick();
    CloseDialog(menuDialog);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- speech

bool ModeGame::SpeechMuted() const {
  PlayerProfiles* profiles = const_cast<Application&>(App()).profiles();
  if (!profiles) return false;
  if ((profiles->progress.options & Progress::kNoTutorialSpeech) != 0) return true;
  // Lines play only on the first play of a level.
  return Progress::HasRecord(episode, levelNumber) &&
         (profiles->progress.Record(episode, levelNumber).flags & LevelRecord::kFinished) != 0;
}

void ModeGame::OpenLevelIntro() {
  if (level_ && IsOrdinary(level_->mode) && briefingDialog) {
    briefingDialog->SetLevelName(
        Lookup(Format("level_name_%02d", episode) + Format("_%02d", levelNumber)));
    FillBriefing();
    briefingDialog->ShowDifficulty(Difficulty());
    controls.BringToTop(briefingDialog);
  } else {
    ShowLevelMessage();
  }
}

void ModeGame::FillBriefing() {
  if (briefingDialog && level_) briefingDialog->Fill(*level_, App().strings());
}

void ModeGame::ShowLevelMessage() {
  const std::string key = Format("level_message_%02d", episode) + Format("_%02d", levelNumber);
  const StringTable* strings = App().strings();
  PlayerProfiles* profiles = App().profiles();
  const bool finished =
      profiles && Progress::HasRecord(episode, levelNumber) &&
      (profiles->progress.Record(episode, levelNumber).flags & LevelRecord::kFinished) != 0;
  if (!strings || !strings->Has(Text(key)) || finished || !messageDialog) {
    ShowStartPrompt();
    return;
  }
  controls.BringToTop(messageDialog);
  messageDialog->SetText(strings->Get(key), level_ && level_->mode == LevelMode::MiniGame);
  messageDialog->SetPicture(Format("msg_%02d", episode) + Format("_%02d", levelNumber));
  messageDialog->Show(kDialogFadeMs);
}

void ModeGame::ShowSpeech(const SpeechLine& line, bool forced) {
  // 1.
  if (!forced && SpeechMuted()) return;
  // 2. The line up is the level's pending dialog: a save keeps it for continue.
  speech = line;
  if (level_) level_->dialog = line.text > 0 ? line : SpeechLine{};
  if (hudArrow) hudArrow->visible = false;
  // 3.
  if (line.kind >= 4 || line.text == 0) speechWidgets.HideMessage();
  if (line.text == 0) {
    speechDelay = 0;
    WakeObject(line.notify);
    return;
  }
  // 4.
  if (SoundSystem* sound = App().sound()) sound->PlaySound("message_show");
  const std::u16string text = Lookup(Format("dialog_%04d", line.text));
  const GameDescriptors* descriptors = App().descriptors();
  const std::string* speaker = descriptors ? descriptors->DialogPictureName(line.speaker) : nullptr;
  if (line.kind >= 4) {
    // 5.
    if (objectHint) objectHint->Hide();
    if (dimmer) {
      // Over the whole screen as it is now (the screen may have changed since the build).
      const float hw = Gui().HalfWidth(), hh = Gui().HalfHeight(true);
      dimmer->rect = Rect{-hw, hh, hw, -hh};
      controls.BringToTop(dimmer);
      dimmer->visible = true;
    }
    speechWidgets.ShowBubble(line.kind, text, speaker ? Gui().SpriteNamed(*speaker + "_figure") : nullptr,
                             Gui().HalfHeight());
  } else {
    // 6. A kind below 0 shows as the top left message. Delays are kept within an hour.
    speechDelay = float(std::clamp(line.delay, 0, 3600)) * 1000.0f;
    speechWidgets.ShowMessage(std::max(line.kind, 0), text,
                              speaker ? Gui().SpriteNamed(*speaker + "_head") : nullptr,
                              HudRects());
  }
  // 7.
  AimSpeechArrow(line.target);
}

std::vector<Rect> ModeGame::HudRects() const {
  // The layout's own controls (they carry ids), the score written over its plate and the
  // bonus buttons; not the dialogs, the hint window or the prompts.
  std::vector<Rect> rects;
  for (size_t i = 0; i < controls.Size(); ++i) {
    const GUIControl* c = controls.At(i);
    if (!c || !c->visible || c->kind == ControlKind::Dialog || c->kind == ControlKind::Hint)
      continue;
    if (c->id > 0 && !IsDialogId(c->id)) rects.push_back(c->rect);
  }
  if (Visible(scoreLabel)) rects.push_back(scoreLabel->rect);
  return rects;
}

void ModeGame::AimSpeechArrow(int target) {
  if (target == 0 || !hudArrow) return;
  ArrowAim aim;
  if (target < 0) {
    if (target == std::numeric_limits<int>::min()) return;
    GUIControl* control = controls.Find(-target);
    if (!control) control = overlayControls.Find(-target);
    if (!control) return;
    aim = SpeechWidgets::AimAtControl(CentreX(control->rect), CentreY(control->rect));
  } else {
    const WorldObject* object = level_ ? level_->FindObject(target) : nullptr;
    if (!object) return;
    aim = ArrowAim{object->position.x, object->position.y, 1, 1};
  }
  speechWidgets.PointArrow(*hudArrow, aim);
  overlayControls.BringToTop(hudArrow);
}

void ModeGame::HideSpeech() {
  speechWidgets.HideAll();
  if (hudArrow) {
    hudArrow->visible = false;
    hudArrow->ClearChangers();
  }
  speech = SpeechLine{};
  speechDelay = 0;
}

void ModeGame::WakeObject(int id) {
  if (id == 0) return;
  wakeQueue_.push_back(id);
  // Lines that wake further objects queue them: a chain of any length, or a cycle, runs as
  // a loop here, and every object gives its line up once shown, so the chain ends.
  if (waking_) return;
  waking_ = true;
  while (!wakeQueue_.empty()) {
    const int next = wakeQueue_.front();
    wakeQueue_.pop_front();
    if (!game_ || !level_) continue;
    if (WorldObject* object = level_->FindObject(next)) game_->FireDialog(*object, 4);
  }
  waking_ = false;
}

void ModeGame::SpeechStep(float frameTime) {
  if (speechDelay <= 0) return;
  speechDelay -= frameTime;
  if (speechDelay > 0) return;
  speechDelay = 0;
  SpeechLine done = speech;
  done.text = 0;
  ShowSpeech(done, true);
}

void ModeGame::SpeechCommand(int id) {
  if (id == SpeechWidgets::kContinue && speech.notify != 0 && level_ &&
      level_->FindObject(speech.notify)) {
    WakeObject(speech.notify);
    // The object answers with its next line. A bubble replaces this one; a message that
    // answers a bubble takes the bubble down (it would hold the level paused behind it).
    if (speech.kind >= 4 || speech.text == 0 || !speechWidgets.BubbleShown()) return;
    speechWidgets.HideBubble();
    if (dimmer) dimmer->visible = false;
    return;
  }
  // Skip, or a continue that wakes nobody.
  speechWidgets.HideBubble();
  if (hudArrow) hudArrow->visible = false;
  PlayButtonClick();
  if (dimmer) dimmer->visible = false;
  if (level_ && speech.kind >= 4) level_->dialog = SpeechLine{};
}

void ModeGame::ClearPendingDialog(int objectId) {
  if (!level_ || objectId == 0 || level_->dialog.target != objectId) return;
  level_->dialog = SpeechLine{};
  if (speech.target == objectId && hudArrow) hudArrow->visible = false;
}

void ModeGame::BotAnswers() {
  // The bot reads no story: it answers every line and dialog of the level's opening.
  if (speechWidgets.BubbleShown()) OnCommand(SpeechWidgets::kSkip);
  if (Visible(briefingDialog) && !briefingDialog->HasChangers()) OnCommand(1011);
  if (Visible(messageDialog) && !messageDialog->HasChangers()) OnCommand(1025);
}

// ---------------------------------------------------------------- commands

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
  RequestMode(ShowScreen(ModeId::Map));
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
      if (profiles) {
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
      if (profiles) {
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

// ---------------------------------------------------------------- the result

void ModeGame::LevelEvaluated(const LevelResult& evaluated) {
  result = evaluated;
  Application& app = App();
  PlayerProfiles* profiles = app.profiles();
  if (profiles && level_) {
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
  facts.devScore = level_->Descriptors().DevRecord(episode, levelNumber);
  facts.level = levelNumber;
  const PlayerProfiles* profiles = App().profiles();
  facts.pieceFound =
      evaluated.pieceFound ||
      (profiles && Progress::HasRecord(episode, levelNumber) &&
       (profiles->progress.Record(episode, levelNumber).flags & LevelRecord::kPuzzlePiece) != 0);
  for (WinDlgBase* dialog :
       {static_cast<WinDlgBase*>(winDialog), static_cast<WinDlgBase*>(winRelaxDialog)}) {
    if (!dialog) continue;
    dialog->SetStars(evaluated.stars);
    dialog->SetResult(evaluated.parts, facts);
  }
}

WinDlgBase* ModeGame::ResultWinDialog() const {
  return Difficulty() == int(Difficulty::Relax) ? static_cast<WinDlgBase*>(winRelaxDialog)
                                                : static_cast<WinDlgBase*>(winDialog);
}

void ModeGame::ShowResult() {
  if (WinDlgBase* dialog = ResultWinDialog()) controls.BringToTop(dialog);
  NextResultStep();
}

void ModeGame::NextResultStep() {
  // 1. The trophies first, one dialog each.
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
  // 2.
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

void ModeGame::AddTestResources() {
  for (int i = 0; i < 3; ++i) level_->resources[size_t(i)] += 20;
  for (int i = 0; i < 3; ++i) FlashResource(i, false);
}

void ModeGame::TestCommand(int id) {
  PlayButtonClick();
  CloseDialog(menuDialog);
  if (!game_ || !level_) return;
  if (id == 1083) {
    AddTestResources();
    return;
  }
  BeginPlay();
  game_->end.ForceWin(id - 1080);
}

void ModeGame::Achievement(int number) {
  PlayerProfiles* profiles = App().profiles();
  if (!profiles) return;
  LevelRewards rewards(profiles->progress, pendingTrophies);
  if (rewards.Award(number)) profiles->SaveProgress();
}

void ModeGame::PlaySound(std::string_view name) {
  if (SoundSystem* sound = App().sound()) sound->PlaySound(name);
}

void ModeGame::ShowHiscores() {
  const PlayerProfiles* profiles = App().profiles();
  if (!hiscoresDialog || !profiles) return;
  // A position outside the record slots shows the first table rather than reading past them.
  const bool valid = Progress::HasRecord(episode, levelNumber);
  hiscoresDialog->Fill(profiles->records.Level(valid ? episode : 1, valid ? levelNumber : 1));
  controls.BringToTop(hiscoresDialog);
}

bool ModeGame::CheatWord() {
  if (!game_ || !level_) return false;
  // The application keeps the last letters typed, the newest first.
  const auto typed = [](std::string_view word) {
    const auto& last = App().typed;
    if (word.size() > last.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
      if (last[i] != uint8_t(word[word.size() - 1 - i])) return false;
    }
    return true;
  };
  std::u16string message;
  if (typed("res")) {
    AddTestResources();
    message = u"Resource added";
  } else if (typed("win")) {
    game_->end.cheatWin = true;
    message = u"Cheat win";
  } else if (typed("loose")) {
    if (level_->mode != LevelMode::MiniGame) return false;
    game_->end.lost = true;
    if (game_->endTimer < 0) game_->endTimer = 0;
    message = u"Cheat loose";
  } else if (typed("trophy")) {
    trophyCheat = true;
    message = u"Cheat trophy";
  } else {
    return false;
  }
  App().typed.fill(0);
  ShowInfoMessage(message);
  return true;
}

// ---------------------------------------------------------------- bonus panel and time bar

void ModeGame::BuildBonusPanel() {
  const GameDescriptors* descriptors = App().descriptors();
  const bool wide = Gui().Aspect() != AspectMode::Screen4x3;
  Sprite* button = Gui().SpriteNamed(wide ? "btn_bonus" : "btn_bonus_v");
  Sprite* bar = Gui().SpriteNamed("progress");
  HudPanels::ButtonLook look;
  look.wide = wide;
  const std::string c = wide ? "w" : "s";
  look.w = Gui().Value("if_gm_bonus_btn_w_" + c, button ? button->width / 2 : 64);
  look.h = Gui().Value("if_gm_bonus_btn_h_" + c, button ? button->height / 2 : 64);
  look.iconW = Gui().Value("if_gm_bonus_ovr_w", 0);
  look.iconH = Gui().Value("if_gm_bonus_ovr_h", 0);
  look.barW = Gui().Value("if_gm_progress_w", bar ? bar->width : 64);
  look.barH = std::fabs(Gui().Value("if_gm_progress_h", bar ? bar->height / 2 : 12));
  std::array<const BonusInfo*, HudPanels::kBonuses> infos{};
  std::array<Sprite*, HudPanels::kBonuses> icons{};
  for (int i = 0; i < HudPanels::kBonuses; ++i) {
    infos[size_t(i)] = descriptors ? descriptors->Bonus(i) : nullptr;
    // A bonus without a picture shows the bare button.
    if (infos[size_t(i)]) icons[size_t(i)] = Gui().SpriteNamed(infos[size_t(i)]->pic);
  }
  panels.Build(controls, infos, look, button, bar, icons);
}

void ModeGame::SetupTimeBar() {
  clockOnBar = false;
  clockOverrunMs = 0;
  if (!level_) return;
  clockTotalMs = std::clamp(level_->timeNorm, 0, 1000000) * 1000;
  // A restored level continues with the time it had left.
  const bool restored = level_->state == LevelState::Saved && level_->levelTime > 0;
  standingLeftMs = restored ? std::min(level_->levelTime, clockTotalMs) : clockTotalMs;
  if (!timeBar || !timeBar->visible) return;
  clockOnBar = true;
  timeBar->Start(float(clockTotalMs), -1);
  timeBar->Advance(float(clockTotalMs - standingLeftMs));
  panels.SetupGoldMark(goldMark, timeBar, level_->timeHard, level_->timeNorm, LevelTimerElapsed(),
                       Gui().Value("if_gm_prg_offs_x", 0), Gui().Value("if_gm_prg_offs_y", 0));
}

void ModeGame::SetBonusMeter(int) {
  if (!level_) return;
  const bool restored = level_->state == LevelState::Saved;
  panels.StartMeter(restored ? level_->bonusTime : 0);
  if (restored) {
    for (const LevelData::SavedTimer& t : level_->savedTimers) {
      if (t.kind == LevelData::SavedTimer::kBonus) panels.RestoreBar(t.id, t.cur, t.max, *this);
    }
  }
  RefreshBonusButtons();
}

void ModeGame::RefreshBonusButtons() { panels.RefreshButtons(*this); }

void ModeGame::BonusCommand(int index) {
  if (!level_ || !panels.Enabled(index)) return;
  level_->bonusUsed += 1;
  panels.Activate(index, *this);
}

void ModeGame::PanelStep(float frameTime) {
  panels.AdvanceMeter(frameTime, *this);
  if (Visible(timeBar)) panels.StepGoldMark(LevelTimerElapsed(), *this);
  panels.StepBars(frameTime, *this);
}

void ModeGame::StoreBonusState() {
  using Timer = LevelData::SavedTimer;
  level_->bonusTime = panels.MeterMs();
  auto& saved = level_->savedTimers;
  saved.erase(std::remove_if(saved.begin(), saved.end(),
                             [](const Timer& t) { return t.kind == Timer::kBonus; }),
              saved.end());
  for (int i = 0; i < HudPanels::kBonuses; ++i) {
    if (panels.Running(i))
      saved.push_back(Timer{Timer::kBonus, i, panels.BarSpent(i), panels.BarTotal(i)});
  }
}

void ModeGame::StartBonus(int i, bool restoring) {
  if (game_) game_->BonusStart(i, restoring);
}

void ModeGame::EndBonus(int i) {
  if (game_) game_->BonusEnd(i);
}

void ModeGame::PanelEffect(std::string_view name, float x, float y) {
  if (services_) services_->effects.Start(name, Vec2{x, y});
}

bool ModeGame::HasAchievement(int n) const {
  const PlayerProfiles* profiles = const_cast<Application&>(App()).profiles();
  return profiles && profiles->progress.HasAchievement(n);
}

void ModeGame::KalodrusHit() {
  PlaySound("kalodrus_hit");
  if (!panels.Hit() || !game_) return;
  game_->end.lost = true;
  if (game_->endTimer < 0) game_->endTimer = 0;
}

// ---------------------------------------------------------------- objective panel

void ModeGame::RefreshObjective() {
  // The briefing's goal rows change with the objective line.
  FillBriefing();
  GUIControl* line = controls.Find(33);
  if (!line || !level_) return;
  objectiveText.clear();
  objectiveStarts.clear();
  objectiveResourceEntries = 0;
  if (IsOrdinary(level_->mode)) {
    const FontManager* fonts = App().fonts();
    const char16_t open = fonts ? fonts->IconCodeOf(u"%INCM%") : u' ';
    const char16_t ticked = fonts ? fonts->IconCodeOf(u"%COMP%") : u' ';
    std::array<std::u16string, 3> names;
    for (int i = 0; i < 3; ++i) names[size_t(i)] = Lookup(Format("res_col%d", i));
    const ObjectivePanel::Line built =
        ObjectivePanel::Build(level_->questRes, level_->questResCollect, names,
                              ObjectivePanel::Kinds(*level_, objectiveIds), open, ticked);
    objectiveText = built.text;
    objectiveStarts = built.starts;
    objectiveResourceEntries = built.resourceEntries;
  } else if (level_->mode == LevelMode::MiniGame && !level_->miniGame.goalText.empty()) {
    // The front phase's goal, ticked once its count is used up.
    const FontManager* fonts = App().fonts();
    const char16_t open = fonts ? fonts->IconCodeOf(u"%INCM%") : u' ';
    const char16_t ticked = fonts ? fonts->IconCodeOf(u"%COMP%") : u' ';
    objectiveText = (level_->miniGame.goalLeft > 0 ? open : ticked) +
                    std::u16string(Lookup(level_->miniGame.goalText));
    objectiveStarts = {0};
  }
  line->SetText(objectiveText);
  // Both controls grow or shrink about their common centre.
  FontManager* fonts = App().fonts();
  float width = 0;
  if (fonts) {
    fonts->SelectFont(line->fontId);
    width = fonts->MeasureText(objectiveText, line->fontSize, false);
  }
  const float cx = (line->rect.x0 + line->rect.x1) / 2;
  const auto resize = [cx](GUIControl& c, float w) {
    c.SetRect(Rect{cx - w / 2, c.rect.y0, cx + w / 2, c.rect.y1});
  };
  resize(*line, width + 64);
  if (GUIControl* scroll = controls.Find(32)) resize(*scroll, width + Gui().Value("if_gm_obj_add", 32));
}

std::vector<float> ModeGame::ObjectiveEntryWidths() const {
  std::vector<float> widths;
  const GUIControl* line = controls.Find(33);
  FontManager* fonts = const_cast<Application&>(App()).fonts();
  if (!line || !fonts) return widths;
  fonts->SelectFont(line->fontId);
  for (const size_t start : objectiveStarts) {
    widths.push_back(fonts->MeasureText(std::u16string_view(objectiveText).substr(0, start),
                                        line->fontSize, false));
  }
  return widths;
}

void ModeGame::HighlightObjective() {
  GUIControl* line = controls.Find(33);
  if (!line || !level_ || !IsOrdinary(level_->mode) || !services_) return;
  const float x = Gui().Pointer().x - std::min(line->rect.x0, line->rect.x1) - 32;
  const int entry = ObjectivePanel::EntryAt(ObjectiveEntryWidths(), x);
  const int kindIndex = entry - objectiveResourceEntries;
  if (entry < 0 || kindIndex < 0) return;  // resource entries do nothing
  const std::vector<ObjectivePanel::Kind> kinds = ObjectivePanel::Kinds(*level_, objectiveIds);
  if (kindIndex >= int(kinds.size())) return;
  for (const int id : kinds[size_t(kindIndex)].pendingIds) {
    if (const WorldObject* o = level_->FindObject(id)) {
      services_->effects.Start("objective_highlight", o->position);
    }
  }
}

// ---------------------------------------------------------------- what floats over the world

void ModeGame::ShowWorkTimer(int objectId, int totalMs, Vec2 at) {
  hud.AddWorkTimer(objectId, float(totalMs), at);
}
void ModeGame::FadeWorkTimer(int objectId) { hud.FadeWorkTimer(objectId); }
void ModeGame::ShowCommandMark(bool accepted, int objectId, Vec2 at) {
  hud.ShowCommandMark(accepted, objectId, at);
}
void ModeGame::FadeCommandMark(int objectId) { hud.FadeCommandMark(objectId); }
// The mark over a clicked waypoint has done its job once a worker stands there.
void ModeGame::WorkerArrived(int waypointId) { hud.FadeCommandMark(waypointId); }
void ModeGame::FlashResource(int index, bool spent) {
  RefreshResourceLabels();
  hud.FlashResource(index, spent);
}
void ModeGame::FlashShortage(int index) { hud.FlashShortage(index); }
void ModeGame::PointAtObject(const WorldObject* object) { hud.PointAtObject(object); }
void ModeGame::AddScorePopup(int points, Vec2 at) { hud.AddScorePopup(points, at); }
void ModeGame::ShowIncome(std::string_view text, Vec2 at) { hud.ShowIncome(Text(text), at); }
void ModeGame::Shake(float amount) { shakeTime = std::max(shakeTime, amount); }

void ModeGame::RefreshFreeWorkers() {
  if (!game_ || !level_) return;
  const AspectMode aspect = Gui().Aspect();
  hud.RefreshFreeWorkers(*game_, int(level_->mode), !game_->Ended(),
                         aspect != AspectMode::Screen4x3, Gui().HalfHeight());
}

void ModeGame::ShowObjectInfo(std::u16string_view text, const std::array<float, 4>& rect) {
  hud.ShowObjectInfo(text, rect, camera.zoom + 1);
  if (!text.empty() && objectHint) controls.BringToTop(objectHint);
}

void ModeGame::ShowMessage(std::string_view text, Vec2 at) {
  // A message is a string key, possibly followed by markup: the words come from the table.
  if (!objectHint) return;
  const size_t end = text.find_first_of(" \\<%");
  const std::string key(text.substr(0, end));
  std::u16string words = Lookup(key);
  if (end != std::string_view::npos) words += Text(text.substr(end));
  ShowHintAt(*objectHint, at.x, at.y + 60, words, 3000);
  controls.BringToTop(objectHint);
}

void ModeGame::ShowHintBeside(GUIHint& hint, const Rect& at, std::u16string_view text, float ms) {
  // Sized to its text first, then beside the control on the side towards the screen's
  // middle: left or right of a control near a side edge, above or below one near the top or
  // the bottom edge.
  ShowHintAt(hint, 0, 0, text, ms);
  const float w = std::fabs(hint.rect.x1 - hint.rect.x0),
              h = std::fabs(hint.rect.y1 - hint.rect.y0);
  const float cx = CentreX(at), cy = CentreY(at);
  const float cw = std::fabs(at.x1 - at.x0), ch = std::fabs(at.y1 - at.y0);
  const float toSide = Gui().HalfWidth() - std::fabs(cx),
              toEnd = Gui().HalfHeight() - std::fabs(cy);
  constexpr float kGap = 8;
  float x = cx, y = cy;
  if (toSide < toEnd) {
    x = cx - std::copysign((cw + w) / 2 + kGap, cx);
  } else {
    y = cy - std::copysign((ch + h) / 2 + kGap, cy);
  }
  ShowHintAt(hint, x, y, text, ms);
}

void ModeGame::ShowHintAt(GUIHint& hint, float x, float y, std::u16string_view text, float ms) {
  hint.visible = true;
  hint.Show(x, y, 30, 25, text, ms, -1);
  const Rect r = hint.rect;
  const float w = std::fabs(r.x1 - r.x0), h = std::fabs(r.y1 - r.y0);
  const float hw = Gui().HalfWidth() - 10, hh = Gui().HalfHeight() - 10;
  const float cx = std::clamp(x, -hw + w / 2, std::max(-hw + w / 2, hw - w / 2));
  const float cy = std::clamp(y, -hh + h / 2, std::max(-hh + h / 2, hh - h / 2));
  hint.SetRect(Rect{cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2});
}
