// The level screen's input: events routed to the dialogs, then keys, presses and pointer
// moves for the level; Escape closes the open dialog or opens the menu; the cheat words and
// the in-game menu's test commands.
#include "level_screen/ModeGame.h"

#include <cctype>
#include <string>

#include "app/Application.h"
#include "base/GameKeys.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level/WorldObject.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/DiffSelGame.h"
#include "level_screen/LevelHiscores.h"
#include "level_screen/LooseDlg.h"
#include "level_screen/MainMenu.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/ModeGameShared.h"
#include "app/SettingsDlg.h"
#include "level_screen/TrophyDlg.h"
#include "level_screen/WinDlg.h"

using mode_game::Visible;

int ModeGame::OnInput(InputEvent event) {
  if (ResumeFromPause(event) || PauseKey(event)) return 0;
  // The cheat words, compared with the application's most recently typed letters.
  if (event.type == InputType::Character && App().cheats) CheatWord();
  // An open dialog takes every event under it and answers with its own id, which is no
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
  // Behind an open dialog only keys go on.
  if (event.type != InputType::KeyDown && (AnyModal() || !noDialog)) return 0;
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
      } else if (!KeyboardPlay(event.value)) {
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

bool ModeGame::PauseKey(InputEvent event) {
  if (event.type != InputType::KeyDown ||
      (event.value != kGameKeyP && event.value != kGameKeyPause)) {
    return false;
  }
  if (!game_ || game_->Ended() || !noDialog || AnyModal() || !pauseDialog) return false;
  ShowDialog(pauseDialog);
  return true;
}

bool ModeGame::ResumeFromPause(InputEvent event) {
  if (!Visible(pauseDialog)) return false;
  // Every event stops here; a key or a press goes on with the level.
  if (event.type == InputType::KeyDown || event.type == InputType::LeftDown ||
      event.type == InputType::RightDown) {
    CloseDialog(pauseDialog);
  }
  return true;
}

bool ModeGame::KeyboardPlay(int key) {
  // A character's bubble goes on to its next line.
  if (speechWidgets.BubbleShown() && (key == kGameKeyEnter || key == kGameKeySpace)) {
    OnCommand(SpeechWidgets::kContinue);
    return true;
  }
  if (!game_ || !level_ || !noDialog || AnyModal() || Visible(dimmer)) return false;
  int direction = 0;
  if (key == kGameKeyTab) direction = Gui().ShiftHeld() ? -1 : 1;
  if (key == kGameKeyDown || key == kGameKeyRight) direction = 1;
  if (key == kGameKeyUp || key == kGameKeyLeft) direction = -1;
  if (direction != 0) {
    if (!game_->Ended()) game_->UpdateHint(targets_.Step(*game_, direction));
    return true;
  }
  if (key == kGameKeyEnter || key == kGameKeySpace) {
    WorldObject* marked = game_->Ended() ? nullptr : targets_.Marked(*game_);
    if (marked) {
      Press(marked->position.x, marked->position.y);
    } else {
      // Nothing marked: the key starts the level or brings its result on, as a click would.
      BeginPlay();
      if (game_->Ended()) ContinueToResult();
    }
    return true;
  }
  const int bonus = key - (kGameKey0 + 1);
  if (bonus >= 0 && bonus < GameDescriptors::kBonusCount) {
    BonusCommand(bonus);
    return true;
  }
  return false;
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
    ContinueToResult();
    return;
  }
  // The click goes to what is under the pointer, as the pointer's hover found it.
  WorldObject* under = game_->PickHovered(Vec2{x, y});
  game_->Hover(under);
  game_->Click(under);
}

void ModeGame::ContinueToResult() {
  if (game_->endTimer < LevelEnd::kResultDelayMs) game_->endTimer = 1499;
  game_->continueRequested = true;
}

bool ModeGame::HandleEscape() {
  // A level on trial is left at once, as it is (an own level has its menu, as any level).
  if (trialText_ && ownLevel_.empty()) {
    EndTrial();
    return true;
  }
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
  if (speechWidgets.BubbleShown()) {
    OnCommand(SpeechWidgets::kSkip);
    return true;
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
