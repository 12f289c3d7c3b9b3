#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Mode.h"
#include "level/LevelDrawer.h"
#include "level/LevelResult.h"
#include "level/LevelScreen.h"
#include "level/TargetCycle.h"
#include "level_screen/HudItems.h"
#include "level_screen/HudPanels.h"
#include "level_screen/SpeechWidgets.h"
#include "level_screen/TrophyProgressNote.h"

class BriefingDlg;
class DiffSelGame;
class GameController;
class GUIDialog;
class GUIHint;
class GUIProgressBar;
class Level;
struct LevelText;
class LevelBot;
class LevelEffects;
class LevelHiscores;
class LevelSounds;
class LooseDlg;
class MainMenu;
class MessageDlg;
class MiniGameHint;
class SettingsDlg;
class TrophyDlg;
class WinDlg;
class WinDlgBase;
class WinDlgRelax;

// The screen on which a level is played: the world drawn through the camera, the heads-up
// display over it, the in-level dialogs and the items that float over the world. It is the
// level screen the simulation reports to, forwards the player's clicks and pointer moves to
// the controller, turns control commands into game actions, pauses and resumes the level,
// keeps a saved copy of the running level for the menu's continue, and leaves for the map
// when the level is over.
//
// Three control lists: `controls` (the HUD layout "game_gui", the dialogs, the score, the
// start prompt, the dimmer, the information window), `overlayControls` ("game_gui_ovr",
// drawn above the world and handled after `controls`) and `worldControls` (what floats over
// the world, drawn with the world's camera). Every control is made once, in Load.
class ModeGame : public Mode, public LevelScreen, private HudPanels::Host {
 public:
  // Ids the command table does not know, for the controls the screen makes (never 0: a
  // control with id 0 lets the pointer through).
  static constexpr int kFirstDialogId = 2001;
  static constexpr int kDialogCount = 12;
  static bool IsDialogId(int id) {
    return id >= kFirstDialogId && id < kFirstDialogId + kDialogCount;
  }
  static constexpr int kGoldMarkId = 21;
  // The layout's labels of the resources lost to the storage limit (under the stocks 40..42)
  // and the tags behind them.
  static constexpr int kFirstLostLabelId = 43;
  static constexpr int kFirstLostTagId = 113;

  ModeGame();
  ~ModeGame() override;

  // --- Mode
  bool Load() override;
  void Update() override;
  void Draw() override;
  void Release() override;
  void OnFadeDone(Fade kind) override;
  void Enter() override;
  void Leave() override;
  bool OnActivate(bool wasActive) override;
  int OnCommand(int id) override;
  int OnInput(InputEvent event) override;

  // --- LevelScreen: what the simulation tells the screen
  void ShowWorkTimer(int objectId, int totalMs, Vec2 at) override;
  void FadeWorkTimer(int objectId) override;
  void ShowCommandMark(bool accepted, int objectId, Vec2 at) override;
  void FadeCommandMark(int objectId) override;
  void WorkerArrived(int waypointId) override;
  void ShowMessage(std::string_view text, Vec2 at) override;
  void FlashResource(int index, bool spent) override;
  void FlashShortage(int index) override;
  void PointAtObject(const WorldObject* object) override;
  void RefreshFreeWorkers() override;
  void AddScorePopup(int points, Vec2 at) override;
  void ShowIncome(std::string_view text, Vec2 at) override;
  void ShowObjectInfo(std::u16string_view text, const std::array<float, 4>& rect) override;
  void Shake(float amount) override;
  void Achievement(int number) override;
  bool Paused() const override { return paused; }
  void PrepareHud() override;
  void BeginPlay() override;
  void SetScore(int value) override;
  int TimeBarRemaining() const override;
  int BonusMeterValue() const override { return panels.MeterMs(); }
  void SetupTimeBar() override;
  void SetBonusMeter(int value) override;
  void RefreshBonusButtons() override;
  void RefreshObjective() override;
  // The special levels' hits (sound, bar B; the level is lost when they run out) and goals.
  void KalodrusHit() override;
  // Bar C follows the front phase's steps left.
  void MiniGameGoalDone(int countAfter) override {
    panels.GoalDone(countAfter);
    counterTargetC = float(std::max(countAfter, 0)) * 1000;
  }
  // The mini-game hint dialog: the picture of the object a phase asks for. It holds neither
  // the level nor the pointer (layout "mg_hint" is a tab dialog without a backdrop).
  void ShowMiniGameHint(std::string_view picture, float fadeMs) override;
  void HideMiniGameHint() override;
  // Command 33: the pending objects of the objective entry under the pointer shine.
  void HighlightObjective();
  void WriteHudState(std::string& text) const override;
  void ClearHud() override;
  void ShowResult() override;
  void NextResultStep() override;
  int Difficulty() const override;
  void AdvanceLevelTimer(float frameTime) override;
  int LevelTimerElapsed() const override;
  int LevelTimerLeft() const override;
  void PlayMusic(std::string_view name) override;
  void LevelEvaluated(const LevelResult& result) override;
  // Shows how near a counted trophy the player came; nothing for one already earned.
  void TrophyProgress(int number, float fraction) override;
  bool ResultReady() const override { return hudHidden; }
  void ShowSpeech(const SpeechLine& line) override { ShowSpeech(line, false); }
  void ShowLevelMessage(const SpeechLine&) override { ShowLevelMessage(); }
  void ClearPendingDialog(int objectId) override;

  // --- The level screen's own operations
  // The time left on an object's work timer (ms), 0 when it has none.
  int WorkTimerRemaining(int objectId) const { return hud.WorkTimerRemaining(objectId); }
  // Starts the level of the campaign position (or the saved level when continuing): false
  // when it cannot be read.
  bool StartLevel();
  // Saves the running level for the menu's continue when it may be saved.
  void SaveForContinue();
  // The shown "%s: %d" score text.
  int ShownScore() const { return shownScore; }
  // Whether the level's simulation exists (a level was started and not cleared).
  bool HasLevel() const { return game_ != nullptr; }
  GameController* Controller() { return game_.get(); }
  Level* CurrentLevel() { return level_.get(); }
  // The bot plays through the screen's own input path (pointer moves and presses).
  void SetBotPlaying(bool on) { botPlaying = on; }
  // Shows a speech line (text 0 takes the shown one down and wakes its notify object).
  // Unless forced, lines play only on a level's first play and with the tutorial speech on.
  void ShowSpeech(const SpeechLine& line, bool forced);
  // Hides every speech widget and the speech arrow and forgets the line.
  void HideSpeech();
  // The level's story message before play, or the start prompt when it has none.
  void ShowLevelMessage();
  // Rebuilds the briefing's goal rows (with the objective panel).
  void FillBriefing();
  // The level's own text in the player's language (levels made in the editor), if it has any.
  const LevelText* OwnText() const;
  // The level's name as the briefing shows it.
  std::u16string LevelName() const;

  // Reviews (the content viewer). Answers the level's opening as a player would: the briefing,
  // the story message, then the start prompt; true once play runs.
  bool SkipOpening();
  // Plays the result sequence of an evaluation given from outside: it is stored as the
  // level's own would be, the HUD goes, then the trophies of `trophies` one dialog at a time
  // and the win or lose dialog. False without a running level.
  bool PreviewResult(const LevelResult& shown, const std::vector<int>& trophies);
  // The speech line of object `objectId` as the level file gives it (0: the level's own),
  // or none.
  std::optional<SpeechLine> LevelSpeech(int objectId) const;

  // The campaign position: episode from 1, level from 1 (0: none chosen).
  int episode = 1;
  int levelNumber = 1;
  // A switch to this screen names the level to play, or the saved level to continue.
  void Accept(const ModeRequest& request) override;
  // The next start loads the player's saved level instead of the level file.
  bool continueSaved = false;
  // Whether the level is played on trial (its text given by the request).
  bool OnTrial() const { return trialText_ != nullptr; }
  // The file name of the player's own level being played; empty for any other level.
  const std::string& OwnLevel() const { return ownLevel_; }

  ControlList overlayControls;
  ControlList worldControls;
  HudItems hud;
  HudPanels panels;

  GUIProgressBar* timeBar = nullptr;
  GUIControl* goldMark = nullptr;
  GUIProgressBar* bonusMeter = nullptr;
  std::array<GUIControl*, 3> resourceLabels{};
  std::array<GUIControl*, 3> shortageFlashes{};
  GUIControl* menuButton = nullptr;
  GUIControl* scoreLabel = nullptr;
  GUIControl* startText = nullptr;
  GUIControl* dimmer = nullptr;
  GUIHint* objectHint = nullptr;
  GUIControl* hudArrow = nullptr;
  std::array<GUIControl*, 3> counterBars{};

  MainMenu* menuDialog = nullptr;
  SettingsDlg* settingsDialog = nullptr;
  BriefingDlg* briefingDialog = nullptr;
  WinDlg* winDialog = nullptr;
  WinDlgRelax* winRelaxDialog = nullptr;
  LooseDlg* looseDialog = nullptr;
  TrophyDlg* trophyDialog = nullptr;
  MessageDlg* messageDialog = nullptr;
  MiniGameHint* miniGameHint = nullptr;
  DiffSelGame* difficultyDialog = nullptr;
  LevelHiscores* hiscoresDialog = nullptr;
  // "Paused" over the dimmed, standing world (P or the pause key; any key or click goes on).
  GUIDialog* pauseDialog = nullptr;

  int shownScore = 0;
  int targetScore = 0;
  bool paused = false;
  bool noDialog = true;
  bool hudHidden = false;
  bool messageDimmed = false;
  bool touchInput = false;
  bool toCastle = false;
  bool episodeDone = false;
  bool botPlaying = false;
  std::deque<int> pendingTrophies;
  int pendingPlayer = -1;  // the player slot whose trophies wait in pendingTrophies
  std::vector<int> objectiveIds;
  std::u16string objectiveText;         // control 33's line
  std::vector<size_t> objectiveStarts;  // where its entries start
  int objectiveResourceEntries = 0;
  std::optional<LevelResult> result;
  int stars = 0;             // of the evaluated level, for the result dialogs
  float counterTargetC = 0;  // ms bar C of the special levels drains to
  size_t counterPhasesC = SIZE_MAX;  // phases left when bar C was last filled
  bool trophyCheat = false;  // the cheat word "trophy" queues trophy 0 at the evaluation
  SpeechWidgets speechWidgets;
  TrophyProgressNote trophyNote;  // in overlayControls
  SpeechLine speech;      // the line up now
  float speechDelay = 0;  // ms before a message line is taken down
  // The level's clock is the time bar (control 30) itself: it drains from the silver time, at
  // real speed in expert difficulty and at two thirds of it otherwise. Where the bar is hidden
  // (relax) the clock stands at standingLeftMs.
  bool clockOnBar = false;
  int clockTotalMs = 0;
  int standingLeftMs = 0;
  // Play after the bar ran out, so that a finish past the silver time never counts as one
  // within it.
  double clockOverrunMs = 0;
  float shakeTime = 0;  // seconds of screen shake left
  LevelCamera camera;

 private:
  struct Services;
  void BuildHud();
  void BuildDialogs();
  void MakeDimmerAndStartText();
  void DropReference(const GUIControl& control);
  // The frame's steps.
  void UpdatePaused(bool switchPending);
  void UpdateHudFade();
  void UpdateTooltips();
  void ShowTooltip(const GUIControl& control);
  void DialogStep(GUIDialog& dialog);
  void CountScore(bool switchPending);
  bool PlayStep();
  void RefreshResourceLabels();
  // The numbers over the markers of the queued commands.
  void RefreshQueueNumbers();
  // Input.
  // A press at a point of the screen: the start of play, then the controller's click.
  void Press(float x, float y);
  void HoverAt(float x, float y);
  bool HandleEscape();
  // Back to the screen a trial came from, told that it comes back from the game.
  void EndTrial();
  std::shared_ptr<const std::string> trialText_;
  ModeId trialBack_ = ModeId::None;
  std::string ownLevel_;  // the file of the player's own level played, if one is
  // Commands.
  void ShowDialog(GUIDialog* dialog);
  // The pause: only over a running level; true when the event was the pause's.
  bool PauseKey(InputEvent event);
  // Keyboard play in the level: Tab (and the arrows) mark the next thing to do, the hint
  // following the mark; Enter or Space send a worker to it (or start the level, or go on to
  // its result); 1 to 6 press the bonus buttons. False for keys it leaves to others.
  bool KeyboardPlay(int key);
  // A click or key while the level has ended brings its result on sooner.
  void ContinueToResult();
  bool ResumeFromPause(InputEvent event);
  void CloseDialog(GUIDialog* dialog);
  void OpenMenu();
  void RestartLevel();
  // Goes straight back to the map (a level that cannot be started).
  void LeaveAtOnce();
  // Asks for the map and stops the level's simulation.
  void StopForMap();
  // The hint window centred at (x, y), kept inside the screen, for ms milliseconds.
  void ShowHintAt(GUIHint& hint, float x, float y, std::u16string_view text, float ms);
  // The hint window next to a control's rectangle, on the side towards the screen's middle.
  void ShowHintBeside(GUIHint& hint, const Rect& at, std::u16string_view text, float ms);
  void ShowStartPrompt();
  void ShowBriefingAgain();
  void SettingsCommand(int id);
  // The world through the camera.
  void DrawWorld();
  void AdvanceShake(float frameTime);
  // The player's calmer-screen settings handed to the level (steady marks, still textures).
  void ApplyComfort();
  // Ends the level's simulation and lets go of the level.
  void ClearController();
  GUIDialog* TopDialog() const;
  bool AnyModal() const;
  void PlayButtonClick();
  void ShowStartText(const std::u16string& text);
  // The result: the dialogs filled from the evaluation, the win dialog of the difficulty,
  // the level's record table, the cheat words typed last.
  void FillResultDialogs(const LevelResult& evaluated);
  WinDlgBase* ResultWinDialog() const;
  void ShowHiscores();
  // The in-game menu's test commands (1080..1083, shown in cheat mode only): a win with a
  // medal, or 20 of each resource as the cheat word "res" gives.
  void TestCommand(int id);
  void AddTestResources();
  bool CheatWord();
  // The objective line's entry starts measured in control 33's font.
  std::vector<float> ObjectiveEntryWidths() const;
  void PlaySound(std::string_view name);
  // The bonus panel: its controls, the bonuses it starts and ends, what it shows and plays.
  void BuildBonusPanel();
  void BonusCommand(int index);
  void PanelStep(float frameTime);
  void StoreBonusState();
  void StartBonus(int i, bool restoring) override;
  void EndBonus(int i) override;
  void PanelEffect(std::string_view name, float x, float y) override;
  void PanelSound(std::string_view name) override { PlaySound(name); }
  void PanelAchievement(int n) override { Achievement(n); }
  bool HasAchievement(int n) const override;

  // Speech.
  bool SpeechMuted() const;
  void OpenLevelIntro();
  void WakeObject(int id);
  void AimSpeechArrow(int target);
  // Where the HUD shows something a message must not cover.
  std::vector<Rect> HudRects() const;
  void SpeechStep(float frameTime);
  void SpeechCommand(int id);
  void BotAnswers();

  std::unique_ptr<Services> services_;
  std::deque<int> wakeQueue_;  // objects told "continue", woken one after another
  bool waking_ = false;
  std::unique_ptr<Level> level_;
  std::unique_ptr<GameController> game_;
  std::unique_ptr<LevelBot> bot_;
  TargetCycle targets_;  // the keyboard's mark in the level
  std::unique_ptr<LevelDrawer> drawer_;
  int weatherEffect_ = 0;
  float lastScoreFrame_ = 0;
  int shownResources_[3] = {-1, -1, -1};
  std::u16string typedCheat_;
  int lastTooltip_ = 0;                      // the control whose tooltip shows
  std::array<GUIControl*, 2> debugTimes_{};  // game time and time bar, shown by "time"
};

ModeGame& TheModeGame();
