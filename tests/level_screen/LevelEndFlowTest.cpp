// The end of a level on the level screen, as a player meets it: the records across
// difficulties, trophies that outlive a restart or a leave, the note on counted trophies, the
// in-game menu's test commands, and where the end of an episode leads.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "base/GameKeys.h"
#include "campaign/ModeCastle.h"
#include "campaign/ModeComics.h"
#include "campaign/ModeStage.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level_screen/MainMenu.h"
#include "level_screen/ModeGame.h"
#include "level_screen/TrophyDlg.h"
#include "main/ModeTable.h"

#include "ModeGameFixture.h"

namespace {

class LevelEndFlowTest : public ModeGameTest {
 protected:
  Difficulty StartDifficulty() const override { return Difficulty::Expert; }
  void SetUp() override {
    ModeGameTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterGameModes(*app);
    Settle();
  }
  void TearDown() override {
    // The screens are single instances: the next test finds the castle untold again.
    TheModeCastle().Accept(ModeRequest{});
    ModeGameTest::TearDown();
  }
  Progress& progress() { return app->profiles()->progress; }
  // Plays (the start click, then ms of the level's time) and ends the level with a test
  // command; waits for the evaluation.
  void WinWith(int command, int playMs) {
    ClickAt(0, 0);
    Frames(playMs / 20, 20);
    mode().OnCommand(16);
    mode().OnCommand(command);
    for (int i = 0; i < 400 && !mode().result; ++i) Frames(1);
    ASSERT_TRUE(mode().result.has_value());
  }
  // Restarts the level in the difficulty given (the difficulty dialog's commands).
  void RestartIn(Difficulty d) {
    mode().OnCommand(1051 + int(d));
    Frames(40, 20);
    PassOpening();
  }
  static std::u16string TextOf(const GUIText* t) { return t ? t->Text() : u"<none>"; }
};

TEST_F(LevelEndFlowTest, AnExpertTimeSurvivesARelaxWin) {
  WinWith(1082, 3000);
  const LevelRecord expert = progress().Record(1, 1);
  ASSERT_GT(expert.time, 0);
  EXPECT_EQ(expert.stars, 3);
  const RecordTables tables = app->profiles()->records;
  RestartIn(Difficulty::Relax);
  WinWith(1080, 6000);
  EXPECT_EQ(progress().Record(1, 1).time, expert.time) << "the relax clock stood still";
  EXPECT_EQ(progress().Record(1, 1).stars, 3);
  EXPECT_TRUE(app->profiles()->records == tables) << "no table entry from relax";
}

TEST_F(LevelEndFlowTest, TrophiesEarnedInPlayOutliveARestartAndALeave) {
  ClickAt(0, 0);
  mode().Achievement(18);
  EXPECT_TRUE(progress().HasAchievement(18));
  mode().OnCommand(1001);
  Frames(40, 20);
  PassOpening();
  EXPECT_EQ(mode().pendingTrophies, std::deque<int>{18});
  // Left for the map and started again: still waiting, and earned.
  mode().OnCommand(1010);
  Frames(40, 20);
  ASSERT_EQ(app->current, &TheModeStage());
  mode().episode = 1;
  mode().levelNumber = 1;
  app->SetMode(&mode(), false);
  Settle();
  EXPECT_EQ(mode().pendingTrophies, std::deque<int>{18});
  EXPECT_TRUE(progress().HasAchievement(18));
  WinWith(1081, 1000);
  for (int i = 0; i < 200 && !Shown(mode().trophyDialog); ++i) Frames(1);
  ASSERT_TRUE(Shown(mode().trophyDialog));
  EXPECT_EQ(mode().trophyDialog->Shown(), 18);
}

TEST_F(LevelEndFlowTest, TheNoteShowsACountedTrophysShareAndGoes) {
  mode().TrophyProgress(1, 0.5f);
  ASSERT_TRUE(mode().trophyNote.Shown());
  EXPECT_EQ(TextOf(mode().trophyNote.Name()), u"Busy Hands");
  EXPECT_EQ(TextOf(mode().trophyNote.Percent()), u"50%");
  Frames(2);
  EXPECT_FLOAT_EQ(mode().trophyNote.Bar()->Displayed(), 0.5f);
  // It stays for three seconds, then fades and goes.
  Frames(100, 20);
  EXPECT_TRUE(mode().trophyNote.Shown());
  Frames(150, 20);
  EXPECT_FALSE(mode().trophyNote.Shown());
  // An earned trophy reports nothing.
  progress().achievements |= 1u << 1;
  mode().TrophyProgress(1, 0.75f);
  EXPECT_FALSE(mode().trophyNote.Shown());
  // The level's end shows the counted trophy it brought nearest: a third piece of five.
  progress().Record(2, 1).flags |= LevelRecord::kPuzzlePiece;
  progress().Record(2, 2).flags |= LevelRecord::kPuzzlePiece;
  LevelResult r;
  r.won = true;
  r.pieceFound = true;
  r.stars = 1;
  mode().LevelEvaluated(r);
  EXPECT_TRUE(mode().trophyNote.Shown());
  EXPECT_EQ(mode().trophyNote.Trophy(), 4);
  EXPECT_EQ(TextOf(mode().trophyNote.Percent()), u"60%");
}

TEST_F(LevelEndFlowTest, TheMenuTestCommandsEndTheLevelOrAddResources) {
  mode().OnCommand(16);
  for (int id = 1080; id <= 1083; ++id) {
    EXPECT_FALSE(Shown(mode().menuDialog->Children().Find(id))) << "not without cheat mode";
  }
  mode().OnCommand(1000);
  app->cheats = true;
  mode().OnCommand(16);
  for (int id = 1080; id <= 1083; ++id) {
    EXPECT_TRUE(Shown(mode().menuDialog->Children().Find(id))) << id;
  }
  const int food = mode().CurrentLevel()->resources[0];
  mode().OnCommand(1083);
  EXPECT_EQ(mode().CurrentLevel()->resources[0], food + 20);
  EXPECT_FALSE(Shown(mode().menuDialog));
  EXPECT_FALSE(mode().Controller()->Ended());
  // Silver, though the level's goals are far and gold was in reach.
  WinWith(1081, 200);
  EXPECT_EQ(mode().result->medal, 1);
  EXPECT_EQ(mode().result->stars, 2);
  EXPECT_EQ(progress().Record(1, 1).stars, 2);
}

TEST_F(LevelEndFlowTest, AnEpisodeEndsThroughTheCastleAndItsComicToTheMap) {
  mode().episode = 2;
  mode().levelNumber = 10;
  LevelResult r;
  r.won = true;
  r.stars = 3;
  r.medal = 2;
  mode().LevelEvaluated(r);
  ASSERT_TRUE(mode().episodeDone);
  ASSERT_TRUE(mode().toCastle);
  mode().OnCommand(102);
  Frames(60, 20);  // the fade out and the castle's fade in
  ASSERT_EQ(app->current, &TheModeCastle());
  EXPECT_EQ(mode().episode, 3);
  EXPECT_EQ(mode().levelNumber, 1);
  // What follows the castle is the comic after episode 2.
  ASSERT_NE(TheModeCastle().then(), nullptr);
  EXPECT_EQ(TheModeCastle().then()->mode, ModeId::Comics);
  EXPECT_EQ(TheModeCastle().then()->number, 3);
  Input(InputType::KeyDown, kGameKeyEscape);  // the castle is left by Escape
  Frames(30, 20);
  EXPECT_EQ(TheModeComics().comicNumber, 3);
  // The comic plays to its end (under a minute) and goes on to the map.
  for (int i = 0; i < 3500 && app->current != &TheModeStage(); ++i) Frames(1, 20);
  EXPECT_EQ(app->current, &TheModeStage()) << "the comic goes on to the map";
}

TEST_F(LevelEndFlowTest, WithoutNewStarsTheEpisodeEndsInItsComicAndNewStarsLeadToTheCastle) {
  // Level 10 finished before with three stars: 101 still ends the episode, in its comic.
  progress().Record(1, 10).stars = 3;
  progress().Record(1, 10).flags |= LevelRecord::kFinished;
  mode().levelNumber = 10;
  LevelResult r;
  r.won = true;
  r.stars = 3;
  mode().LevelEvaluated(r);
  EXPECT_FALSE(mode().toCastle);
  mode().OnCommand(101);
  for (int i = 0; i < 60 && app->current == &mode(); ++i) Frames(1, 20);
  EXPECT_EQ(app->current, &TheModeComics());
  EXPECT_EQ(TheModeComics().comicNumber, 2);
  // Skipped, the comic goes on to the map at once.
  for (int i = 0; i < 60 && app->fadeState != Fade::None; ++i) Frames(1, 20);
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  for (int i = 0; i < 60 && app->current != &TheModeStage(); ++i) Frames(1, 20);
  ASSERT_EQ(app->current, &TheModeStage());

  // The first three stars of level 4 lead to the castle from "next level" too.
  mode().episode = 1;
  mode().levelNumber = 4;
  app->SetMode(&mode(), false);
  Settle();
  mode().LevelEvaluated(r);
  ASSERT_TRUE(mode().toCastle);
  mode().OnCommand(101);
  for (int i = 0; i < 60 && app->current == &mode(); ++i) Frames(1, 20);
  EXPECT_EQ(app->current, &TheModeCastle());
}

}  // namespace
