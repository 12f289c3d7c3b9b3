// The level screen's bonus panel, time bar and result: the game's own content on the
// recording device, level 1:1 entered, the panels and dialogs driven through the mode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/Application.h"
#include "base/DataFiles.h"
#include "campaign/ModeStage.h"
#include "data/Language.h"
#include "graphics/FontManager.h"
#include "graphics/RecordingDevice.h"
#include "gui/GUIButton.h"
#include "gui/GUIDialog.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/HudPanels.h"
#include "level_screen/LevelHiscores.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/ModeGame.h"
#include "progress/IntegerFormat.h"
#include "level_screen/TrophyDlg.h"
#include "level_screen/WinDlg.h"
#include "support/TempDir.h"

#include "ModeGameFixture.h"

namespace {

class LevelResultScreenTest : public ModeGameTest {
 protected:
  Difficulty StartDifficulty() const override { return Difficulty::Expert; }
  void SetUp() override {
    ModeGameTest::SetUp();
    if (HasFatalFailure()) return;
    Settle();
  }
  static GUIControl* In(GUIDialog* d, int id) { return d ? d->Children().Find(id) : nullptr; }
  static std::u16string TextOf(const GUIControl* c);
};

std::u16string LevelResultScreenTest::TextOf(const GUIControl* c) {
  if (const auto* b = dynamic_cast<const GUIButton*>(c)) return b->Label();
  const auto* t = dynamic_cast<const GUIText*>(c);
  return t ? t->Text() : u"<none>";
}

LevelResult Result(int stars, std::array<int, 4> parts) {
  LevelResult r;
  r.won = true;
  r.stars = stars;
  r.medal = std::max(stars - 1, 0);
  r.parts = parts;
  for (const int p : parts) r.score += p;
  r.elapsedMs = 100000;
  r.timeLeftMs = 160000;
  return r;
}

}  // namespace

TEST_F(LevelResultScreenTest, StarsInTheirColoursAndTheDevelopersScoreInRed) {
  Sprite* gold = app->sprites()->Get("star_gold");
  Sprite* silver = app->sprites()->Get("star_silver");
  Sprite* bronze = app->sprites()->Get("star_bronze");
  ASSERT_TRUE(gold && silver && bronze);
  const struct {
    int stars;
    Sprite* picture;
  } kCases[] = {{1, bronze}, {2, silver}, {3, gold}};
  for (const auto& c : kCases) {
    mode().winDialog->SetStars(c.stars);
    for (int k = 0; k < 3; ++k) {
      GUIControl* star = In(mode().winDialog, 1104 + k);
      ASSERT_NE(star, nullptr);
      EXPECT_EQ(star->visible, k < c.stars) << c.stars << " stars, star " << k;
      if (k < c.stars) {
        EXPECT_EQ(star->sprite, c.picture);
      }
    }
  }
  // Expert gold on 1:1: the developers' score (under 12000) beaten by the parts below; a bird
  // hunted.
  const Level& level = *mode().CurrentLevel();
  const int developers = level.Descriptors().DevRecord(1, 1);
  ASSERT_GT(developers, 0);
  ASSERT_LT(developers, 12000);
  mode().CurrentLevel()->birdsHunted = 1;
  mode().ShowSpeech(SpeechLine{1, 1, 4, 0, 0, 0, 0}, true);
  ASSERT_TRUE(mode().speechWidgets.BubbleShown());
  mode().LevelEvaluated(Result(3, {7000, 18000, 200, 5}));
  EXPECT_FALSE(mode().speechWidgets.BubbleShown()) << "the result takes the screen";
  GUIControl* total = In(mode().winDialog, 1120);
  EXPECT_EQ(TextOf(total), u"25205");
  EXPECT_EQ(total->colour, 0xFFFF0000u);
  EXPECT_TRUE(mode().winDialog->DevScoreBeaten());
  EXPECT_EQ(TextOf(In(mode().winDialog, 1121)), IntegerText(developers));
  EXPECT_TRUE(Shown(In(mode().winDialog, 1139)));
  mode().CurrentLevel()->birdsHunted = 0;
  mode().LevelEvaluated(Result(2, {4000, 300, 0, 0}));
  EXPECT_EQ(total->colour, 0xFF000000u);
  EXPECT_FALSE(Shown(In(mode().winDialog, 1139))) << "no birds, no bird row";
  EXPECT_EQ(TextOf(In(mode().winDialog, 1131)),
            IntegerText(level.timeNorm / 60) + u":" + IntegerText(level.timeNorm % 60, 2))
      << "the silver time of 1:1";
}

TEST_F(LevelResultScreenTest, TrophiesComeOneByOneBeforeTheWinDialog) {
  mode().pendingTrophies.clear();
  mode().LevelEvaluated(Result(3, {7000, 1000, 0, 0}));
  // Three stars in a fresh progress: 7 is not beaten, but the evaluation queued nothing
  // else; three trophies earned on the way come in order.
  mode().pendingTrophies.assign({2, 19, 14});
  mode().ShowResult();
  ASSERT_TRUE(Shown(mode().trophyDialog));
  EXPECT_EQ(mode().trophyDialog->Shown(), 2);
  EXPECT_EQ(TextOf(In(mode().trophyDialog, 1042)), u"Nothing Stolen");
  EXPECT_EQ(In(mode().trophyDialog, 1044)->sprite, app->sprites()->Get("ach_03"));
  mode().OnCommand(1045);
  EXPECT_EQ(mode().trophyDialog->Shown(), 19);
  mode().OnCommand(1045);
  EXPECT_EQ(mode().trophyDialog->Shown(), 14);
  EXPECT_FALSE(Shown(mode().winDialog));
  mode().OnCommand(1045);
  EXPECT_FALSE(Shown(mode().trophyDialog));
  EXPECT_TRUE(Shown(mode().winDialog));
  Frames(200);  // the stars and bands settle at their full size
  EXPECT_FLOAT_EQ(In(mode().winDialog, 1106)->scale, 1.0f);
}

TEST_F(LevelResultScreenTest, TheRecordsOfAnUnplayedLevelShowTheDefaults) {
  const RecordTable& table = app->profiles()->records.Level(1, 1);
  mode().OnCommand(103);
  ASSERT_TRUE(Shown(mode().hiscoresDialog));
  for (int k = 0; k < 5; ++k) {
    const RecordEntry& e = table.entries[size_t(k)];
    EXPECT_EQ(TextOf(In(mode().hiscoresDialog, 1211 + k)), e.Name());
    const std::string score = std::to_string(e.score);
    EXPECT_EQ(TextOf(In(mode().hiscoresDialog, 1241 + k)),
              std::u16string(score.begin(), score.end()));
  }
  EXPECT_FALSE(table.entries[0].Name().empty()) << "the content's default records";
  // A date the calendar cannot take shows empty.
  RecordTable odd = table;
  odd.entries[0].date = INT64_MAX;
  mode().hiscoresDialog->Fill(odd);
  EXPECT_EQ(TextOf(In(mode().hiscoresDialog, 1231)), u"");
}

TEST_F(LevelResultScreenTest, BonusButtonsFollowTheMeterAndItsBars) {
  HudPanels& p = mode().panels;
  // 1:1 offers two bonuses, 20 and 30 s of a meter of 100 s.
  ASSERT_TRUE(Shown(p.Button(0)) && Shown(p.Button(1)));
  EXPECT_FALSE(Shown(p.Button(2)));
  EXPECT_FALSE(p.Enabled(0));
  mode().OnCommand(71);  // a quarter of the meter
  EXPECT_EQ(p.MeterMs(), 25000);
  EXPECT_TRUE(p.Enabled(0));
  EXPECT_FALSE(p.Enabled(1));
  EXPECT_EQ(p.Button(0)->Alpha(), 255);
  EXPECT_EQ(p.Button(1)->Alpha(), 127);
  mode().pendingTrophies.clear();
  mode().OnCommand(81);  // not enabled: nothing
  EXPECT_FALSE(p.Running(1));
  mode().OnCommand(80);
  EXPECT_TRUE(p.Running(0));
  EXPECT_TRUE(mode().Controller()->speedBonus);
  EXPECT_EQ(mode().CurrentLevel()->bonusUsed, 1);
  EXPECT_EQ(p.MeterMs(), 5000);
  mode().OnCommand(71);
  mode().OnCommand(71);
  mode().OnCommand(81);  // a second bar: 15, once
  EXPECT_TRUE(mode().Controller()->workBonus);
  mode().OnCommand(71);
  mode().OnCommand(81);
  EXPECT_EQ(std::count(mode().pendingTrophies.begin(), mode().pendingTrophies.end(), 15), 1);
  // The bars drain while the level runs; bought again, bar 0 starts over and 17 is earned.
  app->OnInput({InputType::LeftDown, 0});  // starts the level
  app->OnInput({InputType::LeftUp, 0});
  Frames(60);
  EXPECT_GT(p.BarSpent(0), 500);
  EXPECT_LE(p.BarSpent(0), 1000);
  mode().OnCommand(71);
  mode().OnCommand(80);
  EXPECT_EQ(p.BarSpent(0), 0);
  EXPECT_EQ(mode().pendingTrophies.back(), 17);
  EXPECT_EQ(mode().Controller()->bonusesRunning, 2) << "the bonus was not started again";

  // A continue save keeps the two running bars, the meter and the pending trophies.
  const int meter = p.MeterMs();
  mode().SaveForContinue();
  mode().continueSaved = true;
  ASSERT_TRUE(mode().StartLevel());
  EXPECT_TRUE(p.Running(0) && p.Running(1));
  EXPECT_FALSE(p.Running(2));
  EXPECT_TRUE(mode().Controller()->speedBonus) << "restored through the bonus start";
  EXPECT_EQ(p.MeterMs(), meter);
  EXPECT_EQ(mode().pendingTrophies.back(), 17);
}

TEST_F(LevelResultScreenTest, AMeterOfNothingAndFreeBonusesShowNoButtons) {
  HudPanels& p = mode().panels;
  std::array<int, 6> costs{0, -3, 200, 4, 4, 4};
  p.Layout(true, costs, 100, mode().bonusMeter, nullptr, 640, 400);
  EXPECT_FALSE(Shown(p.Button(0))) << "cost 0";
  EXPECT_FALSE(Shown(p.Button(1))) << "a negative cost";
  EXPECT_FALSE(Shown(p.Button(2))) << "a cost above the meter";
  EXPECT_TRUE(Shown(p.Button(3)));
  p.Layout(true, {4, 4, 6, 6, 8, 10}, 0, mode().bonusMeter, nullptr, 640, 400);
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(Shown(p.Button(i)));
  EXPECT_FALSE(Shown(mode().bonusMeter));
  p.Layout(false, {4, 4, 6, 6, 8, 10}, 100, mode().bonusMeter, nullptr, 640, 400);
  EXPECT_FALSE(Shown(p.Button(0))) << "only ordinary levels of mode 0";
}

TEST_F(LevelResultScreenTest, TheGoldMarkGoesWhenTheGoldTimeHasPassed) {
  ASSERT_TRUE(Shown(mode().timeBar));
  ASSERT_TRUE(Shown(mode().goldMark));
  EXPECT_FLOAT_EQ(HudPanels::GoldFraction(120, 300), 120 * 0.98f / 300 + 0.01f);
  EXPECT_FLOAT_EQ(HudPanels::GoldFraction(120, 0), 0.01f);
  EXPECT_FLOAT_EQ(HudPanels::GoldFraction(400, 300), 1.0f);
  // The mark sits on the bar's height where the gold part of the silver time ends.
  const int gold = mode().CurrentLevel()->timeHard, silver = mode().CurrentLevel()->timeNorm;
  ASSERT_LT(gold, silver);
  const Rect bar = mode().timeBar->rect, mark = mode().goldMark->rect;
  const float f = HudPanels::GoldFraction(gold, silver);
  const float bottom = std::min(bar.y0, bar.y1), height = std::fabs(bar.y1 - bar.y0);
  // The content's offsets (-10, -8) centre the 16 units high mark on that height.
  EXPECT_NEAR((mark.y0 + mark.y1) / 2, bottom + (1 - f) * height, 0.5f);
  EXPECT_NEAR(mark.x0, std::min(bar.x0, bar.x1) - 10, 0.5f);
  // Expert: the bar runs at real time; the gold time after the start the mark goes.
  app->OnInput({InputType::LeftDown, 0});
  app->OnInput({InputType::LeftUp, 0});
  Frames(2);
  mode().AdvanceLevelTimer(float(gold - 1) * 1000 - float(mode().LevelTimerElapsed()));
  Frames(1);
  EXPECT_TRUE(Shown(mode().goldMark));
  Frames(70);
  EXPECT_FALSE(Shown(mode().goldMark));
  EXPECT_LT(mode().LevelTimerElapsed(), (gold + 1) * 1000);
}

TEST_F(LevelResultScreenTest, CounterBarsDrainAtThreeTimesAndTheLastHitLoses) {
  auto* a = dynamic_cast<GUIProgressBar*>(mode().counterBars[0]);
  auto* b = dynamic_cast<GUIProgressBar*>(mode().counterBars[1]);
  ASSERT_TRUE(a && b);
  a->visible = b->visible = true;  // as in a special level
  HudPanels& p = mode().panels;
  p.StartCounters(a, b, 10, 3);
  mode().MiniGameGoalDone(2);
  mode().MiniGameGoalDone(-1);  // no goal left: the target stays
  EXPECT_EQ(p.TargetA(), 9);
  Frames(10, 16);
  EXPECT_NEAR(a->state.value, 10000 - 10 * 48, 0.5f);
  Frames(20, 16);
  EXPECT_NEAR(a->state.value, 9000, 0.5f) << "it stops at the target";
  mode().KalodrusHit();
  mode().KalodrusHit();
  EXPECT_FALSE(mode().Controller()->end.lost);
  mode().KalodrusHit();
  EXPECT_TRUE(mode().Controller()->end.lost);
  EXPECT_GE(mode().Controller()->endTimer, 0);
}

TEST_F(LevelResultScreenTest, ASpecialLevelStartsItsCountersAndShowsItsPhaseGoal) {
  Level& level = *mode().CurrentLevel();
  level.mode = LevelMode::MiniGame;
  level.miniGame.phaseTotal = 12;
  level.miniGame.health = 3;
  level.miniGame.goalLeft = 2;
  level.miniGame.goalText = "score";
  mode().PrepareHud();
  auto* a = dynamic_cast<GUIProgressBar*>(mode().counterBars[0]);
  auto* b = dynamic_cast<GUIProgressBar*>(mode().counterBars[1]);
  ASSERT_TRUE(a && b);
  EXPECT_TRUE(Shown(a) && Shown(b));
  EXPECT_FLOAT_EQ(a->state.total, 12000);
  EXPECT_FLOAT_EQ(b->state.value, 3000);
  EXPECT_EQ(mode().panels.TargetA(), 12);
  mode().RefreshObjective();
  const std::u16string goal = app->strings()->Get("score");
  const FontManager& fonts = *app->fonts();
  ASSERT_FALSE(goal.empty());
  EXPECT_EQ(mode().objectiveText, fonts.IconCodeOf(u"%INCM%") + goal);
  level.miniGame.goalLeft = 0;
  mode().RefreshObjective();
  EXPECT_EQ(mode().objectiveText, fonts.IconCodeOf(u"%COMP%") + goal);
  level.miniGame.goalText.clear();  // no goal active
  mode().RefreshObjective();
  EXPECT_TRUE(mode().objectiveText.empty());
}

TEST_F(LevelResultScreenTest, AFinishedBarEndsItsBonusAfterFadingOut) {
  HudPanels& p = mode().panels;
  mode().OnCommand(71);
  mode().OnCommand(80);  // walking faster for 20 s
  app->OnInput({InputType::LeftDown, 0});
  app->OnInput({InputType::LeftUp, 0});
  Frames(2);
  // Close to the end of the bar: the fade starts once, then the bonus ends.
  p.Bar(0)->state.value = 600;
  Frames(10, 16);
  EXPECT_TRUE(p.Bar(0)->HasChangers()) << "fading out";
  EXPECT_TRUE(mode().Controller()->speedBonus);
  Frames(30, 16);
  EXPECT_FALSE(p.Running(0));
  EXPECT_FALSE(Shown(p.Bar(0)));
  EXPECT_FALSE(mode().Controller()->speedBonus);
}

TEST_F(LevelResultScreenTest, ARestoredTimeBarKeepsItsRestAndCasualRunsAtTwoThirds) {
  app->profiles()->progress.difficulty = Difficulty::Casual;
  // 12 s left of a 300 s bar.
  Level& level = *mode().CurrentLevel();
  level.timeNorm = 300;
  level.levelTime = 12000;
  level.state = LevelState::Saved;
  mode().SetupTimeBar();
  EXPECT_FLOAT_EQ(mode().timeBar->state.total, 300000);
  EXPECT_FLOAT_EQ(mode().timeBar->state.value, 12000);
  EXPECT_FALSE(Shown(mode().goldMark)) << "288 s spent: the gold time is long past";
  app->OnInput({InputType::LeftDown, 0});
  app->OnInput({InputType::LeftUp, 0});
  Frames(2);
  const int before = mode().LevelTimerLeft();
  Frames(100, 16);
  EXPECT_NEAR(before - mode().LevelTimerLeft(), 1600 * 0.666, 2);
  EXPECT_NEAR(mode().timeBar->state.value, mode().LevelTimerLeft(), 1);
  EXPECT_NEAR(mode().LevelTimerElapsed(), 300000 - mode().LevelTimerLeft(), 1);
}

TEST_F(LevelResultScreenTest, TheClockCountsPastAnEmptyBarAndStandsWhereTheBarIsHidden) {
  Level& level = *mode().CurrentLevel();
  level.timeNorm = 2;  // a 2 s bar, expert
  mode().SetupTimeBar();
  mode().AdvanceLevelTimer(3000);
  EXPECT_EQ(mode().LevelTimerLeft(), 0);
  EXPECT_TRUE(mode().timeBar->state.done);
  EXPECT_EQ(mode().LevelTimerElapsed(), 3000) << "a finish past the silver time stays past it";
  // Relax hides the bar: the clock stands at the whole silver time.
  app->profiles()->progress.difficulty = Difficulty::Relax;
  mode().PrepareHud();
  mode().SetupTimeBar();
  EXPECT_FALSE(Shown(mode().timeBar));
  mode().AdvanceLevelTimer(1500);
  EXPECT_EQ(mode().LevelTimerLeft(), 2000);
  EXPECT_EQ(mode().LevelTimerElapsed(), 0);
}

TEST_F(LevelResultScreenTest, CheatWordsInCheatModeOnly) {
  const auto type = [this](std::string_view word) {
    for (const char c : word) app->OnInput({InputType::Character, c});
  };
  type("win");
  EXPECT_FALSE(mode().Controller()->end.cheatWin) << "not in cheat mode";
  app->cheats = true;
  type("xxwin");
  EXPECT_TRUE(mode().Controller()->end.cheatWin);
  const auto* info = dynamic_cast<const GUIText*>(mode().infoText);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Text(), u"Cheat win");
  const int food = mode().CurrentLevel()->resources[0];
  type("res");
  EXPECT_EQ(mode().CurrentLevel()->resources[0], food + 20);
  type("loose");
  EXPECT_FALSE(mode().Controller()->end.lost) << "ordinary levels cannot be lost";
  type("trophy");
  EXPECT_TRUE(mode().trophyCheat);
  mode().pendingTrophies.clear();
  mode().LevelEvaluated(Result(1, {1000, 0, 0, 0}));
  EXPECT_EQ(mode().pendingTrophies.back(), 0) << "queued";
  EXPECT_FALSE(app->profiles()->progress.HasAchievement(0)) << "but not earned";
  EXPECT_FALSE(mode().trophyCheat);
}
