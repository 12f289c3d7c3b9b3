// The level screen's heads-up display: the controls built from the layouts, what the HUD shows
// when a level begins, the start prompt and the score, the tooltips and hint windows, and what
// floats over the world as the simulation reports it.
#include "level_screen/ModeGame.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/Application.h"
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
#include "level/WorldObject.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/DiffSelGame.h"
#include "level_screen/LevelHiscores.h"
#include "level_screen/LooseDlg.h"
#include "level_screen/MainMenu.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/MiniGameHint.h"
#include "level_screen/ModeGameShared.h"
#include "app/SettingsDlg.h"
#include "level_screen/TrophyDlg.h"
#include "level_screen/WinDlg.h"
#include "base/Random.h"

using mode_game::Format;
using mode_game::Text;
using mode_game::Lookup;
using mode_game::Visible;

void ModeGame::BuildHud() {
  // The HUD layout and the bars it holds.
  controls.LoadLayout("game_gui", false);
  timeBar = dynamic_cast<GUIProgressBar*>(controls.Find(30));
  bonusMeter = dynamic_cast<GUIProgressBar*>(controls.Find(73));
  counterBars[0] = controls.Find(75);
  counterBars[1] = controls.Find(77);
  // The gold mark sits on the time bar.
  if (timeBar) {
    auto mark = std::make_unique<GUIPic>();
    mark->id = kGoldMarkId;
    mark->SetSprite(Gui().SpriteNamed("level_time_divider"));
    mark->SetBounds(0, 0, Gui().Value("if_gm_prg_div_w", 32), -Gui().Value("if_gm_prg_div_h", 32));
    mark->visible = false;
    goldMark = controls.Add(std::move(mark));
  }
  BuildBonusPanel();
  // The layout's spare pieces stay hidden; the stock labels and their shortage flashes.
  for (const int id : {91, 92, 93}) {
    if (GUIControl* c = controls.Find(id)) c->visible = false;
  }
  for (int i = 0; i < 3; ++i) {
    resourceLabels[size_t(i)] = controls.Find(40 + i);
    shortageFlashes[size_t(i)] = controls.Find(110 + i);
  }
  // The score: (70, -1) and 230 x 64 measured from the upper left corner, where the
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
  BuildDialogs();
  // The dimmer, hint window, speech arrow and start prompt, the overlay layout with the speech
  // widgets and the trophy note, and the items that float over the world.
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
  hiscoresDialog = add(std::make_unique<LevelHiscores>(id++));
  pauseDialog = add(std::make_unique<GUIDialog>(id, Rect{}, "pause_dlg"));
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
  drop(miniGameHint), drop(difficultyDialog), drop(hiscoresDialog), drop(pauseDialog);
}

void ModeGame::PrepareHud() {
  if (App().current != this) return;
  // The menu button shows; the start prompt gets its text but waits.
  if (menuButton) menuButton->visible = true;
  ShowStartText(Lookup(touchInput ? "tap_to_start" : "click_to_start"));
  if (startText) startText->visible = false;
  // Nothing of the last result is left.
  toCastle = episodeDone = hudHidden = false;
  // Every control is opaque again (the end faded them out).
  controls.SetAlphaAll(255);
  worldControls.SetAlphaAll(255);
  if (dimmer) dimmer->SetAlpha(127);
  // No shortage flash is left over.
  for (GUIControl* flash : shortageFlashes) {
    if (!flash) continue;
    flash->ClearChangers();
    flash->SetAlpha(0);
    flash->visible = false;
  }
  // The bonus panel shows in ordinary levels of mode 0 only.
  const LevelMode mode = level_ ? level_->mode : LevelMode::Ordinary;
  panels.Layout(mode == LevelMode::Ordinary, level_ ? level_->bonusCost : std::array<int, 6>{},
                level_ ? level_->bonusSpeed : 0, bonusMeter, controls.Find(72), Gui().HalfWidth(),
                Gui().HalfHeight());
  // The walking-speed obelisk earns a trophy when it stands while the speed bonus is offered.
  if (game_) game_->speedBonusOnPanel = panels.Button(0) && panels.Button(0)->visible;
  // The button that fills the bonus meter stays hidden.
  if (GUIControl* c = controls.Find(71)) c->visible = false;
  // The counter bars belong to mini-games.
  for (const int id : {74, 75, 76, 77}) {
    if (GUIControl* c = controls.Find(id)) c->visible = mode == LevelMode::MiniGame;
  }
  for (const int id : {78, 79}) {
    if (GUIControl* c = overlayControls.Find(id)) c->visible = mode == LevelMode::MiniGame;
  }
  if (mode == LevelMode::MiniGame && level_) {
    counterPhasesC = SIZE_MAX;
    panels.StartCounters(dynamic_cast<GUIProgressBar*>(counterBars[0]),
                         dynamic_cast<GUIProgressBar*>(counterBars[1]), level_->miniGame.phaseTotal,
                         level_->miniGame.health);
  }
  // Stocks show in ordinary levels; the time bar and its rail in timed difficulties.
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
