// The level screen's speech and messages: the briefing and story message before play, the
// speech lines as bubbles and corner messages with their arrow, and the chain of objects the
// lines wake.
#include "level_screen/ModeGame.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "app/Application.h"
#include "base/Text.h"
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/WorldObject.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/ModeGameShared.h"

using mode_game::kDialogFadeMs;
using mode_game::Format;
using mode_game::Text;
using mode_game::Lookup;
using mode_game::LookupOr;
using mode_game::Visible;

bool ModeGame::SpeechMuted() const {
  PlayerProfiles* profiles = const_cast<Application&>(App()).profiles();
  if (!profiles) return false;
  if ((profiles->progress.options & Progress::kNoTutorialSpeech) != 0) return true;
  // Lines play only on the first play of a level.
  return Progress::HasRecord(episode, levelNumber) &&
         (profiles->progress.Record(episode, levelNumber).flags & LevelRecord::kFinished) != 0;
}

const LevelText* ModeGame::OwnText() const {
  return level_ ? level_->TextIn(App().LanguageCode()) : nullptr;
}

std::u16string ModeGame::LevelName() const {
  if (const LevelText* own = OwnText(); own && !own->name.empty())
    return base::Utf8ToUtf16(own->name);
  const std::string key = Format("level_name_%02d", episode) + Format("_%02d", levelNumber);
  if (ownLevel_.empty()) return Lookup(key);
  // An own level without a name of its own: the campaign's name of the level it copies,
  // else its file's name.
  std::string file = std::filesystem::path(ownLevel_).stem().string();
  std::replace(file.begin(), file.end(), '_', ' ');
  return LookupOr(key, base::Utf8ToUtf16(file));
}

void ModeGame::OpenLevelIntro() {
  if (level_ && IsOrdinary(level_->mode) && briefingDialog) {
    briefingDialog->SetLevelName(LevelName());
    FillBriefing();
    briefingDialog->ShowDifficulty(Difficulty());
    controls.BringToTop(briefingDialog);
  } else {
    ShowLevelMessage();
  }
}

void ModeGame::FillBriefing() {
  if (!briefingDialog || !level_) return;
  briefingDialog->Fill(*level_, App().strings());
  // An own level has no record table of the campaign's to show.
  if (GUIControl* tables = briefingDialog->Children().Find(103)) tables->active = ownLevel_.empty();
}

void ModeGame::ShowLevelMessage() {
  // A level that carries its own texts shows its own message, once per play.
  if (const LevelText* own = OwnText()) {
    if (own->message.empty() || !messageDialog) {
      ShowStartPrompt();
      return;
    }
    controls.BringToTop(messageDialog);
    messageDialog->SetText(base::Utf8ToUtf16(own->message), false);
    messageDialog->SetPicture("");
    messageDialog->Show(kDialogFadeMs);
    return;
  }
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
  if (!forced && SpeechMuted()) return;
  // The line up is the level's pending dialog: a save keeps it for continue.
  speech = line;
  if (level_) level_->dialog = line.text > 0 ? line : SpeechLine{};
  if (hudArrow) hudArrow->visible = false;
  // A bubble or an empty line takes the corner message down; an empty line only wakes the
  // object it notifies.
  if (line.kind >= 4 || line.text == 0) speechWidgets.HideMessage();
  if (line.text == 0) {
    speechDelay = 0;
    WakeObject(line.notify);
    return;
  }
  // The line's sound, words and speaker.
  if (SoundSystem* sound = App().sound()) sound->PlaySound("message_show");
  const std::u16string text = Lookup(Format("dialog_%04d", line.text));
  const GameDescriptors* descriptors = App().descriptors();
  const std::string* speaker = descriptors ? descriptors->DialogPictureName(line.speaker) : nullptr;
  if (line.kind >= 4) {
    // A bubble dims the screen behind it and shows the speaker's figure.
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
    // A message shows the speaker's head and stays for its delay, kept within an hour. A kind
    // below 0 shows as the top left message.
    speechDelay = float(std::clamp(line.delay, 0, 3600)) * 1000.0f;
    speechWidgets.ShowMessage(std::max(line.kind, 0), text,
                              speaker ? Gui().SpriteNamed(*speaker + "_head") : nullptr,
                              HudRects());
  }
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
