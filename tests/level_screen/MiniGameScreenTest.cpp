// The level screen playing the demo mini-game levels: the counters, the goal line, bar C,
// the hint dialog that leaves the level running, and the bot's win and a loss.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "ModeGameFixture.h"
#include "gui/GUIProgressBar.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level_screen/LooseDlg.h"
#include "level_screen/TrophyDlg.h"
#include "level_screen/WinDlg.h"
#include "level_screen/MiniGameHint.h"

namespace {

class MiniGameScreenTest : public ScreenAppTest {
 protected:
  static ModeGame& mode() { return TheModeGame(); }
  void Enter(int episode, int number) {
    CloseResults();
    app->profiles()->progress.difficulty = Difficulty::Casual;
    mode().touchInput = false;
    app->RegisterMode(ModeId::Map, TheModeStage());
    mode().episode = episode;
    mode().levelNumber = number;
    app->SetMode(&mode(), false);
    ASSERT_EQ(app->current, &mode());
    ASSERT_TRUE(mode().HasLevel());
    Frames(40, 20);
    for (int i = 0; i < 6; ++i) {
      if (Shown(mode().briefingDialog)) mode().OnCommand(1011);
      if (Shown(mode().messageDialog)) mode().OnCommand(1025);
      if (mode().speechWidgets.BubbleShown()) mode().OnCommand(10);
      Frames(1);
    }
    // The start prompt takes a click; the middle of the screen holds nothing to hit.
    if (Shown(mode().startText)) ClickAt(0, 0);
    Frames(1);
  }
  // Runs frames until done() or the limit.
  template <class Done>
  bool RunUntil(Done done, int limit) {
    for (int i = 0; i < limit && !done(); ++i) {
      // A story message may come up during play; it is read and closed.
      if (Shown(mode().messageDialog)) mode().OnCommand(1025);
      Frames(1, 20);
    }
    return done();
  }
  GameController& game() { return *mode().Controller(); }
  // The screen outlives the test: the bot stops and the result dialogs close, so that the
  // tests after this one meet the screen as a player leaves it.
  void TearDown() override {
    mode().SetBotPlaying(false);
    CloseResults();
    ScreenAppTest::TearDown();
  }
  static void CloseResults() {
    for (GUIDialog* d : std::initializer_list<GUIDialog*>{mode().winDialog, mode().winRelaxDialog,
                                                          mode().looseDialog, mode().trophyDialog}) {
      if (Shown(d)) d->Hide();
    }
  }
};

TEST_F(MiniGameScreenTest, WithoutInputTheGatesAreLostAndTheLoseDialogFollows) {
  Enter(8, 1);  // bandits at three gates
  ASSERT_TRUE(RunUntil([&] { return game().end.lost; }, 3000));
  EXPECT_EQ(mode().panels.TargetB(), 0);
  ASSERT_TRUE(RunUntil([&] { return Shown(mode().looseDialog); }, 1500));
  EXPECT_FALSE(mode().result->won);
}

TEST_F(MiniGameScreenTest, TheBonusLevelShowsItsCountersGoalAndBarCAndTheBotWinsIt) {
  Enter(1, 11);
  const Level& level = *mode().CurrentLevel();
  ASSERT_EQ(level.mode, LevelMode::MiniGame);
  auto* a = dynamic_cast<GUIProgressBar*>(mode().counterBars[0]);
  auto* b = dynamic_cast<GUIProgressBar*>(mode().counterBars[1]);
  auto* c = dynamic_cast<GUIProgressBar*>(mode().counterBars[2]);
  ASSERT_TRUE(a && b && c);
  EXPECT_TRUE(Shown(a) && Shown(b) && Shown(c));
  EXPECT_FLOAT_EQ(a->state.total, float(level.miniGame.phaseTotal) * 1000);
  EXPECT_FLOAT_EQ(b->state.total, float(level.miniGame.health) * 1000);
  // The goal line shows the front phase's text in the player's language, and bar C its steps.
  const std::u16string goal = app->strings()->Get("mg_goal_targets");
  ASSERT_NE(goal, u"mg_goal_targets");
  EXPECT_NE(mode().objectiveText.find(goal), std::u16string::npos);
  EXPECT_FLOAT_EQ(mode().counterTargetC, float(level.phases.front().remaining) * 1000);
  const int total = level.miniGame.phaseTotal;
  mode().SetBotPlaying(true);
  ASSERT_TRUE(RunUntil([&] { return level.phases.size() == 1; }, 3000));
  // The second phase: its own goal, bar C filled again, counter A lowered by the first.
  EXPECT_NE(mode().objectiveText.find(app->strings()->Get("mg_goal_pipes")), std::u16string::npos);
  EXPECT_EQ(mode().panels.TargetA(), total - 6);
  EXPECT_FLOAT_EQ(mode().counterTargetC, 6000);
  ASSERT_TRUE(RunUntil([&] { return mode().result.has_value(); }, 6000));
  EXPECT_TRUE(mode().result->won);
  EXPECT_FALSE(game().end.lost);
}

TEST_F(MiniGameScreenTest, TheHintDialogShowsTheWishWhileTheLevelRunsOn) {
  Enter(8, 6);  // fetch what the picture shows
  ASSERT_NE(mode().miniGameHint, nullptr);
  ASSERT_TRUE(RunUntil([&] { return Shown(mode().miniGameHint); }, 500));
  // The hint holds neither the level nor the pointer: no dialog is on top, and time runs.
  EXPECT_TRUE(mode().noDialog);
  const int before = mode().CurrentLevel()->gameTime;
  Frames(10, 20);
  EXPECT_GT(mode().CurrentLevel()->gameTime, before);
  // Its picture is the language's card for the wished thing, which says the wish in words.
  const GUIControl* picture = mode().miniGameHint->Children().Find(1);
  ASSERT_NE(picture, nullptr);
  ASSERT_NE(picture->sprite, nullptr);
  EXPECT_TRUE(picture->sprite->name.starts_with("mg_hint_")) << picture->sprite->name;
  // Sending the hero takes the hint away.
  mode().SetBotPlaying(true);
  ASSERT_TRUE(RunUntil([&] { return game().miniGame.HeroBusy(); }, 500));
  Frames(20, 20);
  EXPECT_FALSE(Shown(mode().miniGameHint));
  ASSERT_TRUE(RunUntil([&] { return mode().result.has_value(); }, 6000));
  EXPECT_TRUE(mode().result->won);
}

// Every language has a card for every thing the mini-games ask for; a thing without a card
// shows its own picture.
TEST(MiniGameHintCards, EachLanguageHasACardForEachThingAndOthersShowThemselves) {
  EXPECT_EQ(MiniGameHint::CardName("mg_lamp"), "mg_hint_lamp");
  EXPECT_EQ(MiniGameHint::CardName("lamp"), "mg_hint_lamp");
  const auto none = [](std::string_view) { return false; };
  const auto cards = [](std::string_view name) { return name == "mg_hint_jug"; };
  EXPECT_EQ(MiniGameHint::PictureFor("mg_jug", cards), "mg_hint_jug");
  EXPECT_EQ(MiniGameHint::PictureFor("mg_crate", cards), "mg_crate");
  EXPECT_EQ(MiniGameHint::PictureFor("mg_jug", none), "mg_jug");
  EXPECT_EQ(MiniGameHint::PictureFor("", cards), "");
  // The card fits its box unstretched, centred; a box with y downwards stays so.
  const Rect fitted = MiniGameHint::FitInto(Rect{-75, 70, 75, -70}, 120, 110);
  EXPECT_FLOAT_EQ(fitted.x1 - fitted.x0, 150.0f);  // the width limits it
  EXPECT_NEAR((fitted.x1 - fitted.x0) / (fitted.y0 - fitted.y1), 120.0f / 110.0f, 1e-4);
  EXPECT_FLOAT_EQ(fitted.x0 + fitted.x1, 0.0f);
  const Rect same = MiniGameHint::FitInto(Rect{0, 0, 10, 10}, 0, 5);
  EXPECT_FLOAT_EQ(same.x1, 10.0f);
  const char* game = std::getenv("KALODRUS_GAME_DIR");
  ASSERT_NE(game, nullptr);
  for (const char* lang : {"en", "de", "ru", "pl"}) {
    for (const char* thing : {"jug", "lamp", "scroll"}) {
      const std::filesystem::path card = std::filesystem::path(game) / "locale" / lang /
                                         "textures" / ("mg_hint_" + std::string(thing) + ".zif");
      EXPECT_TRUE(std::filesystem::exists(card)) << card;
    }
  }
}
}  // namespace
