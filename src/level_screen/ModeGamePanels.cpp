// The level screen's panels: the level clock on the time bar with its gold mark, the bonus
// meter with its buttons and bars, the hits of the special levels, and the objective line
// with its highlight.
#include "level_screen/ModeGame.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/Application.h"
#include "graphics/TextureManager.h"
#include "gui/GUIProgressBar.h"
#include "level/BonusInfo.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/WorldObject.h"
#include "level_screen/MiniGameHint.h"
#include "level_screen/ModeGameShared.h"
#include "level_screen/ObjectivePanel.h"

using mode_game::Format;
using mode_game::Lookup;
using mode_game::Visible;

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

void ModeGame::ShowMiniGameHint(std::string_view picture, float fadeMs) {
  if (!miniGameHint) return;
  TextureManager* textures = App().textures();
  miniGameHint->SetPicture(MiniGameHint::PictureFor(picture, [textures](std::string_view name) {
    return textures && textures->HasImageFile(name);
  }));
  miniGameHint->Show(fadeMs);
}

void ModeGame::HideMiniGameHint() {
  if (miniGameHint && miniGameHint->visible) miniGameHint->Hide();
}

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
  if (level_->mode == LevelMode::MiniGame) {
    // Bar C: the steps of the front phase, filled again as each phase begins.
    const int left = std::max(level_->miniGame.goalLeft, 0);
    auto* barC = dynamic_cast<GUIProgressBar*>(counterBars[2]);
    if (barC && level_->phases.size() != counterPhasesC) {
      counterPhasesC = level_->phases.size();
      barC->Start(float(left) * 1000, -1);
    }
    counterTargetC = float(left) * 1000;
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
