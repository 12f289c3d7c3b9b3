// The level screen's frame: the update that runs the level, its dialogs, the bot and the
// counted score, and the drawing of the world, the HUD and the overlay in their order.
#include "level_screen/ModeGame.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Application.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level/LevelBot.h"
#include "level/WorldObject.h"
#include "level_screen/ModeGameShared.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/TrophyDlg.h"

using mode_game::Text;
using mode_game::Lookup;
using mode_game::LookupOr;
using mode_game::Visible;

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
  // Every control list animates, with or without a level.
  Mode::Update();
  worldControls.UpdateAll(ft);
  overlayControls.UpdateAll(ft);
  if (!game_) return;
  // The counter bars of the special levels.
  panels.StepCounters(ft, dynamic_cast<GUIProgressBar*>(counterBars[2]), counterTargetC);
  UpdatePaused(switchPending);
  ApplyComfort();
  // The world animates; the level's tick comes below, only while no dialog is open.
  if (!switchPending && !Visible(pauseDialog)) game_->Frame(ft, true);
  // The bot answers the opening's lines and dialogs and plays through the screen's input.
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
    // The dimmer belongs to the speech bubble.
    if (dimmer) dimmer->visible = speechWidgets.BubbleShown();
    game_->Tick(ft);
    if (!game_) return;
    UpdateHudFade();
    if (!game_->Ended()) UpdateTooltips();
    // The speech message lets the player see through it while the pointer rests on it.
    const GuiPoint p = Gui().Pointer();
    messageDimmed = speechWidgets.MessageUnder(p.x, p.y);
    speechWidgets.SetMessageAlpha(messageDimmed ? 64 : 255);
  } else if (GUIDialog* dialog = TopDialog()) {
    // An open dialog's answer becomes a command; its controls show their tooltips.
    DialogStep(*dialog);
    if (!game_) return;
  }
  // The hint window stays above the HUD while nothing dims the screen.
  if (Visible(objectHint) && !Visible(dimmer) && noDialog) controls.BringToTop(objectHint);
  // The shown score counts up to its target; the cheat clocks, stocks and queue numbers
  // follow the level.
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
  // Play goes on only while nothing holds the level.
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

bool ModeGame::PlayStep() {
  Application& app = App();
  const float ft = app.frameTime;
  // Changing between mouse and touch holds the level until the next press.
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
  // The time bar moves with the level's clock (AdvanceLevelTimer); the gold mark, the bonus
  // meter and the bonus bars move here.
  PanelStep(ft);
  // A message line stays for its delay.
  SpeechStep(ft);
  // The floating items advance, the work timers at the level's building speed; the points of
  // the score popups that arrived are counted.
  const float speed = level_->buildSpeed * (game_->workBonus ? 2.0f : 1.0f);
  targetScore += hud.Advance(ft, speed);
  return true;
}

void ModeGame::ApplyComfort() {
  const PlayerProfiles* profiles = App().profiles();
  if (!level_ || !profiles) return;
  level_->steadyMarks = profiles->settings.Has(Settings::kSteadyMarks);
  level_->calmMotion = profiles->settings.Has(Settings::kCalmMotion);
  // Readable text: the hints, speech, messages and the briefing with the goals.
  const float text = profiles->settings.TextScale();
  hud.SetTextScale(text);
  speechWidgets.SetTextScale(text);
  for (GUIDialog* dialog : {static_cast<GUIDialog*>(messageDialog),
                            static_cast<GUIDialog*>(briefingDialog)}) {
    if (dialog) dialog->SetZoom(text);
  }
}

void ModeGame::AdvanceShake(float frameTime) {
  if (const PlayerProfiles* p = App().profiles(); p && p->settings.Has(Settings::kNoShake)) {
    shakeTime = 0;
    camera.offset = Vec2{};
    return;
  }
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
  // The world first, under everything.
  DrawWorld();
  const bool dialogOpen = TopDialog() != nullptr;
  // With a dialog open, the overlay goes under the dialogs.
  if (dialogOpen) overlayControls.DrawAll();
  // The HUD and the dialogs.
  Mode::Draw();
  // Without one (or once the level has ended), the end's effects and the overlay go on top.
  if (!dialogOpen || (game_ && game_->Ended())) {
    if (game_ && app.renderer()) {
      const Renderer& r = *app.renderer();
      game_->end.TopEffects(app.frameTime, r.HalfWidth(), r.HalfHeight(), camera.offset);
    }
    overlayControls.DrawAll();
  }
}
