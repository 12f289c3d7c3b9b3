// The level screen with the game's own content on the recording device: the start prompt,
// pausing, the in-game menu, the score count, the camera shake, the continue save, leaving
// and restarting, and a long run of random input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "app/Application.h"
#include "app/SettingsDlg.h"
#include "base/DataFiles.h"
#include "base/GameKeys.h"
#include "base/Random.h"
#include "campaign/ModeStage.h"
#include "data/Language.h"
#include "graphics/RecordingDevice.h"
#include "gui/GUIDialog.h"
#include "gui/GUISlider.h"
#include "gui/GUIText.h"
#include "gui/GuiContext.h"
#include "kcontent/LevelPlayCommand.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level_screen/MainMenu.h"
#include "level_screen/ModeGame.h"
#include "support/TempDir.h"

#include "ModeGameFixture.h"

namespace {

// A point of level 1:1 whose waypoint leads to an obstacle a worker can clear at once.
constexpr float kObstacleX = -300, kObstacleY = -215;

}  // namespace

TEST_F(ModeGameTest, TheLevelWaitsForTheStartClickWhichAlsoClicksTheHoveredObject) {
  Settle();
  EXPECT_TRUE(Shown(mode().startText));
  EXPECT_TRUE(Shown(mode().menuButton));
  EXPECT_TRUE(mode().paused);
  const int before = mode().CurrentLevel()->gameTime;
  Frames(10);
  EXPECT_EQ(mode().CurrentLevel()->gameTime, before) << "the clock stands at the prompt";

  ClickAt(kObstacleX, kObstacleY);
  EXPECT_FALSE(Shown(mode().startText));
  EXPECT_EQ(mode().hud.CommandMarkCount(), 1u) << "the start click also clicked the obstacle";
  Frames(5);
  EXPECT_FALSE(mode().paused);
  EXPECT_GT(mode().CurrentLevel()->gameTime, before);
}

TEST_F(ModeGameTest, TheMarkOfAnAcceptedCommandGoesWhenItsWorkerArrives) {
  Settle();
  ClickAt(kObstacleX, kObstacleY);
  ASSERT_EQ(mode().hud.CommandMarkCount(), 1u);
  const WorldObject* log = mode().CurrentLevel()->FindObject(20);
  ASSERT_NE(log, nullptr);
  int frames = 0;
  for (; frames < 3000 && !log->Has(ObjectFlags::kBusy); ++frames) Frames(1);
  ASSERT_TRUE(log->Has(ObjectFlags::kBusy)) << "the worker never began";
  EXPECT_GT(frames, 10) << "the worker walked there";
  Frames(30);  // the mark's quarter-second fade
  EXPECT_EQ(mode().hud.CommandMarkCount(), 0u) << "nothing of the command stays over the log";
}

TEST_F(ModeGameTest, EscapeOpensAndClosesTheMenuAndNoDialogLagsAFrame) {
  Settle();
  ClickAt(400, 300);  // starts the level
  Frames(2);
  ASSERT_TRUE(mode().noDialog);
  Input(InputType::KeyDown, kGameKeyEscape);
  EXPECT_TRUE(Shown(mode().menuDialog));
  EXPECT_TRUE(mode().noDialog) << "the flag follows a frame later";
  Frames(1);
  EXPECT_FALSE(mode().noDialog);
  EXPECT_FALSE(mode().paused) << "derived from the flag of the frame before";
  Frames(1);
  EXPECT_TRUE(mode().paused);
  const int clock = mode().CurrentLevel()->gameTime;
  Frames(5);
  EXPECT_EQ(mode().CurrentLevel()->gameTime, clock);

  Frames(20);  // the menu's fade-in ends
  Input(InputType::KeyDown, kGameKeyEscape);
  EXPECT_FALSE(Shown(mode().menuDialog));
  Frames(2);
  EXPECT_TRUE(mode().noDialog);
  EXPECT_FALSE(mode().paused);
}

TEST_F(ModeGameTest, DeactivatingOpensTheMenuAndAskedForADrawnFrame) {
  Settle();
  ClickAt(400, 300);
  Frames(2);
  EXPECT_TRUE(mode().OnActivate(true));
  EXPECT_TRUE(Shown(mode().menuDialog));
  EXPECT_TRUE(mode().paused);
  EXPECT_TRUE(app->profiles()->HasGame()) << "the level was saved for continue";
  Frames(1);
  EXPECT_FALSE(mode().OnActivate(true)) << "a dialog is open: nothing more to do";
  mode().OnCommand(1000);
  Frames(2);
  EXPECT_FALSE(mode().OnActivate(false)) << "coming back changes nothing";
  EXPECT_FALSE(Shown(mode().menuDialog));
}

TEST_F(ModeGameTest, ChangingToTouchHoldsTheLevelUntilTheNextPress) {
  Settle();
  ClickAt(400, 300);
  Frames(2);
  platform.touch = true;
  Frames(1);
  ASSERT_TRUE(Shown(mode().startText));
  const auto* text = dynamic_cast<const GUIText*>(mode().startText);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Lines().size(), 2u);
  Frames(2);
  EXPECT_TRUE(mode().paused);
  ClickAt(400, 300);
  Frames(2);
  EXPECT_FALSE(mode().paused);
}

TEST_F(ModeGameTest, TheRiverStandsBehindTheBriefingAndFlowsOnceTheLevelRuns) {
  mode().levelNumber = 3;
  ASSERT_TRUE(mode().StartLevel());
  Frames(2);
  ASSERT_TRUE(mode().paused);
  const WorldObject* river = nullptr;
  for (const auto& o : mode().CurrentLevel()->objects) {
    if (o->Has(ObjectFlags::kScroll) && !river) river = o.get();
  }
  ASSERT_NE(river, nullptr);
  const std::array<float, 4> still = river->uvRect;
  Frames(30);
  ASSERT_TRUE(mode().paused);
  EXPECT_EQ(river->uvRect, still);
  PassOpening();
  ClickAt(400, 300);
  Frames(10);
  EXPECT_FALSE(mode().paused);
  EXPECT_NE(river->uvRect, still);
}

TEST_F(ModeGameTest, AFlyerTurnsInsideTheFourThreeScreenAndIsHitWhereItIsDrawn) {
  ASSERT_EQ(Gui().HalfWidth(), 512.0f);
  Settle();
  ClickAt(400, 300);
  Frames(2);
  GameController& game = *mode().Controller();
  SeedRandom(3);
  game.hazards.SpawnFlyer();
  const WorldObject* flyer = mode().CurrentLevel()->flyer;
  ASSERT_NE(flyer, nullptr);
  // It flies to a side of the screen and turns there, in sight.
  float widest = 0;
  for (int i = 0; i < 5000 && widest < 512 - 70; ++i) {
    Frames(1);
    widest = std::max(widest, std::fabs(flyer->position.x));
  }
  EXPECT_EQ(widest, 512 - 70);
  // Away from the HUD at the top and the bottom, a click where it is drawn hits it.
  for (int i = 0; i < 5000 && std::fabs(flyer->position.y) > 150; ++i) Frames(1);
  const int clicks = game.hazards.FlyerClicksLeft();
  ClickAt(flyer->position.x, flyer->position.y);
  EXPECT_EQ(game.hazards.FlyerClicksLeft(), clicks - 1);
}

TEST_F(ModeGameTest, TheScoreCountsUpInStepsOfTheFrameTime) {
  Settle();
  mode().SetScore(0);
  mode().targetScore = 1000;
  Frames(1, 16);  // k = 11, step 1000 / 11 = 90
  EXPECT_EQ(mode().ShownScore(), 90);
  mode().SetScore(0);
  mode().targetScore = 1000;
  Frames(1, 100);  // k = 70, step 14
  EXPECT_EQ(mode().ShownScore(), 14);
  mode().SetScore(0);
  mode().targetScore = 1;
  Frames(1, 1);  // k and step both taken as 1
  EXPECT_EQ(mode().ShownScore(), 1);
}

TEST_F(ModeGameTest, AShakeMovesTheViewBySinesOfItsTimeAndComesToRest) {
  Settle();
  mode().Shake(0.5f);
  Frames(1, 100);
  const float t = 0.4f;
  EXPECT_NEAR(mode().camera.offset.x, std::sin(34 * t) * 8 * t, 1e-3);
  EXPECT_NEAR(mode().camera.offset.y, std::sin(27 * t) * 16 * t, 1e-3);
  Frames(10, 100);
  EXPECT_EQ(mode().shakeTime, 0.0f);
  EXPECT_NEAR(mode().camera.offset.x, 0.0f, 1e-6);
}

TEST_F(ModeGameTest, WithoutShakeTheViewStandsStillAndTheLevelTakesTheCalmSettings) {
  Settle();
  app->SetComfort(Settings::kNoShake, true);
  app->SetComfort(Settings::kSteadyMarks, true);
  mode().Shake(0.5f);
  for (int i = 0; i < 5; ++i) {
    Frames(1, 50);
    EXPECT_EQ(mode().camera.offset, Vec2{}) << i;
  }
  ASSERT_NE(mode().CurrentLevel(), nullptr);
  EXPECT_TRUE(mode().CurrentLevel()->steadyMarks);
  EXPECT_FALSE(mode().CurrentLevel()->calmMotion);
  app->SetComfort(Settings::kNoShake, false);
  app->SetComfort(Settings::kSteadyMarks, false);
  app->SetComfort(Settings::kCalmMotion, true);
  Frames(1, 20);
  EXPECT_FALSE(mode().CurrentLevel()->steadyMarks);
  EXPECT_TRUE(mode().CurrentLevel()->calmMotion);
  mode().Shake(0.5f);
  Frames(1, 100);
  EXPECT_NE(mode().camera.offset, Vec2{});
}

TEST_F(ModeGameTest, PauseHoldsTheClockAndTheWorldUntilAnyKeyOrClick) {
  Settle();
  ClickAt(kObstacleX, kObstacleY);  // a worker sets off
  Frames(20, 20);
  const Level& level = *mode().CurrentLevel();
  ASSERT_GT(level.gameTime, 0);
  Input(InputType::KeyDown, kGameKeyP);
  ASSERT_TRUE(Shown(mode().pauseDialog));
  const auto time = level.gameTime;
  const float clock = level.animationClock;
  std::vector<Vec2> workers;
  for (const auto& w : level.workers) workers.push_back(w->position);
  Frames(100, 20);
  EXPECT_EQ(level.gameTime, time);
  EXPECT_EQ(level.animationClock, clock);
  for (size_t i = 0; i < workers.size(); ++i) EXPECT_EQ(level.workers[i]->position, workers[i]);
  // A click anywhere goes on and is not taken by the world.
  ClickAt(kObstacleX, kObstacleY);
  EXPECT_FALSE(Shown(mode().pauseDialog));
  Frames(10, 20);
  EXPECT_GT(level.gameTime, time);
  // The pause key pauses too, and any key goes on.
  Input(InputType::KeyDown, kGameKeyPause);
  EXPECT_TRUE(Shown(mode().pauseDialog));
  Input(InputType::KeyDown, kGameKeySpace);
  EXPECT_FALSE(Shown(mode().pauseDialog));
  // Not over the in-game menu.
  Input(InputType::KeyDown, kGameKeyEscape);
  ASSERT_TRUE(Shown(mode().menuDialog));
  Input(InputType::KeyDown, kGameKeyP);
  EXPECT_FALSE(Shown(mode().pauseDialog));
}

TEST_F(ModeGameTest, TheSettingsComfortPageWorksInTheLevel) {
  Frames(40, 20);  // the opening's briefing is up
  Input(InputType::KeyDown, kGameKeyEscape);
  Frames(20, 20);
  Input(InputType::KeyDown, kGameKeyEscape);
  Frames(20, 20);
  Input(InputType::KeyDown, kGameKeyEscape);
  Frames(20, 20);
  mode().OnCommand(1002);  // the in-game menu's settings
  ASSERT_TRUE(Shown(mode().settingsDialog));
  Frames(30, 20);
  SettingsDlg& settings = *mode().settingsDialog;
  const auto click = [&](int id) {
    GUIControl* c = settings.Children().Find(id);
    ASSERT_TRUE(c && c->visible) << id;
    ClickAt(CentreX(c->rect), CentreY(c->rect));
    Frames(1);
  };
  click(SettingsDlg::kComfortPage);
  EXPECT_EQ(settings.Page(), 2);
  click(SettingsDlg::kSteadyMarks);
  EXPECT_TRUE(app->profiles()->settings.Has(Settings::kSteadyMarks));
  Frames(1);
  EXPECT_TRUE(mode().CurrentLevel()->steadyMarks);
  click(SettingsDlg::kBack);
  click(SettingsDlg::kOk);
  EXPECT_FALSE(Shown(&settings));
}

TEST_F(ModeGameTest, TheContinueSaveCarriesARunningWorkTimer) {
  Settle();
  ClickAt(kObstacleX, kObstacleY);
  GameController* game = mode().Controller();
  for (int i = 0; i < 600 && game->timers.All().empty(); ++i) Frames(1, 20);
  ASSERT_FALSE(game->timers.All().empty()) << "no work started within 12 s";
  Frames(10, 20);  // the work runs a little
  const WorkTimers::Timer running = game->timers.All().front();
  std::string hud;
  mode().WriteHudState(hud);
  EXPECT_NE(hud.find("<obstacle id=\"" + std::to_string(running.id) + "\" cur=\""),
            std::string::npos)
      << hud;

  mode().SaveForContinue();
  ASSERT_TRUE(app->profiles()->HasGame());
  mode().continueSaved = true;
  ASSERT_TRUE(mode().StartLevel());
  const auto& timers = mode().Controller()->timers.All();
  ASSERT_FALSE(timers.empty());
  EXPECT_EQ(timers.front().id, running.id);
  EXPECT_EQ(int(timers.front().elapsed), int(running.elapsed));
  EXPECT_EQ(mode().CurrentLevel()->state, LevelState::Saved);
  EXPECT_EQ(mode().WorkTimerRemaining(running.id), int(running.total - running.elapsed))
      << "the continued level shows the bar where it stood";
}

TEST_F(ModeGameTest, NoSaveForALevelThatHasEnded) {
  Settle();
  ClickAt(400, 300);
  Frames(2);
  mode().Controller()->endTimer = 0;
  mode().SaveForContinue();
  EXPECT_FALSE(app->profiles()->HasGame());
}

TEST_F(ModeGameTest, LeavingAfterLevelElevenEndsTheEpisode) {
  Settle();
  mode().levelNumber = 11;
  mode().OnFadeDone(Fade::Out);
  EXPECT_EQ(mode().episode, 2);
  EXPECT_EQ(mode().levelNumber, 1);
  EXPECT_FALSE(mode().HasLevel());
  EXPECT_EQ(app->pending, &TheModeStage());
}

TEST_F(ModeGameTest, RestartsKeepTheControlsAsTheyWere) {
  Settle();
  const size_t hud = mode().controls.Size(), overlay = mode().overlayControls.Size();
  ClickAt(kObstacleX, kObstacleY);
  Frames(50);
  const size_t world = mode().worldControls.Size();
  for (int i = 0; i < 100; ++i) {
    mode().OnCommand(1001);
    Frames(1);
  }
  EXPECT_EQ(mode().controls.Size(), hud);
  EXPECT_EQ(mode().overlayControls.Size(), overlay);
  EXPECT_LE(mode().worldControls.Size(), world);
  PassOpening();
  EXPECT_TRUE(Shown(mode().startText));
}

TEST_F(ModeGameTest, TheSettingsApplyVolumesAtOnceAndStoreWholePercent) {
  Settle();
  mode().OnCommand(1002);
  ASSERT_TRUE(Shown(mode().settingsDialog));
  auto* slider = dynamic_cast<GUISlider*>(mode().settingsDialog->Children().Find(1031));
  if (!slider) GTEST_SKIP() << "the settings layout has no music slider";
  slider->value = 43.7f;
  mode().OnCommand(1031);
  EXPECT_NEAR(app->sound()->MusicVolume(), 0.437f, 1e-3);
  mode().OnCommand(1035);
  EXPECT_FALSE(Shown(mode().settingsDialog));
  EXPECT_EQ(app->profiles()->settings.musicVolume, 43);
}

TEST_F(ModeGameTest, ALevelThatCannotBeReadGoesBackToTheMapAtOnce) {
  Settle();
  mode().episode = 9;
  mode().levelNumber = 1;
  mode().Enter();
  EXPECT_FALSE(mode().HasLevel());
  EXPECT_EQ(app->pending, &TheModeStage());
  Frames(2);
  EXPECT_EQ(app->current, &TheModeStage()) << "the map stays: it starts no level by itself";
  EXPECT_TRUE(TheModeStage().HasMapLevel());
}

TEST_F(ModeGameTest, TenThousandFramesOfRandomInputNeitherCrashNorLoseTheLevel) {
  Settle();
  const size_t hud = mode().controls.Size();
  std::mt19937 random(7);
  const InputType kinds[] = {InputType::LeftDown, InputType::LeftUp,      InputType::PointerMove,
                             InputType::KeyDown,  InputType::DoubleClick, InputType::Character};
  for (int frame = 0; frame < 10000; ++frame) {
    platform.pointerX = float(int(random() % 1024) - 512);
    platform.pointerY = float(int(random() % 768) - 384);
    const InputType type = kinds[random() % std::size(kinds)];
    const int value = type == InputType::KeyDown
                          ? (random() % 4 == 0 ? int(kGameKeyEscape) : int(random() % 96))
                          : int('a' + random() % 26);
    if (random() % 3 == 0) app->OnInput({type, value});
    if (random() % 500 == 0) mode().OnActivate(true);
    if (random() % 700 == 0) platform.touch = !platform.touch;
    platform.now += random() % 2 ? 1 : 100;
    app->Frame();
    if (app->current != &mode() || app->pending) break;  // left for the map
  }
  EXPECT_EQ(mode().controls.Size(), hud);
  if (app->current == &mode() && !app->pending) {
    EXPECT_TRUE(mode().HasLevel());
  }
}

TEST_F(ModeGameTest, RecordedClicksEndInTheSameLevelAsTheHeadlessRunner) {
  const char* source = std::getenv("KALODRUS_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::string clicksFile =
      std::string(source) + "/tests/tools/level_golden/level_01_01.clicks";
  const std::string written = data.Path() + "/headless.xml";
  LevelPlayStats stats;
  ASSERT_EQ(PlayLevel({"play", "content/levels/level_01_01.xml", "--replay", clicksFile, "--seed",
                       "1", "--write", written},
                      &stats, true),
            0);
  std::ifstream in(written);
  const std::string headless((std::istreambuf_iterator<char>(in)), {});
  ASSERT_FALSE(headless.empty());

  struct Click {
    long long tick;
    float x, y;
  };
  std::vector<Click> clicks;
  std::ifstream recorded(clicksFile);
  for (Click c{}; recorded >> c.tick >> c.x >> c.y;) clicks.push_back(c);
  ASSERT_FALSE(clicks.empty());

  // The same level, seed and clicks through the screen: the opening and the prompt are
  // dismissed first, then
  // every recorded click arrives before the frame of its tick, each frame 10 ms long.
  SeedRandom(1);
  ASSERT_TRUE(mode().StartLevel());
  app->fadeState = Fade::None;
  app->ResetTimer();
  mode().OnCommand(1011);  // the briefing, the story and the tutorial's bubble
  mode().OnCommand(1025);
  mode().OnCommand(10);
  mode().BeginPlay();
  size_t next = 0;
  for (long long tick = 0; tick < stats.frames; ++tick) {
    for (; next < clicks.size() && clicks[next].tick == tick; ++next) {
      ClickAt(clicks[next].x, clicks[next].y);
    }
    platform.now += 10;
    app->Frame();
    ASSERT_TRUE(mode().HasLevel());
  }
  // The screen showed the level's own line and it was answered; the headless runner has no
  // screen, so its level still carries the line as pending.
  std::string expected = headless;
  const std::string pending = "dialog=\"1,1,4,0,2,0,0\" ";
  const size_t at = expected.find(pending);
  ASSERT_NE(at, std::string::npos);
  expected.erase(at, pending.size());
  EXPECT_EQ(mode().CurrentLevel()->WriteLevel(), expected);
}

TEST_F(ModeGameTest, ClosingTheWindowMidLevelSavesItBeforeTheServicesGo) {
  Settle();
  ClickAt(kObstacleX, kObstacleY);
  Frames(30);
  ASSERT_FALSE(app->profiles()->HasGame());
  app->Shutdown();
  EXPECT_FALSE(mode().HasLevel());
  PlayerProfiles again;
  again.Load("en", u"Player");
  EXPECT_TRUE(again.HasGame());
}

TEST_F(ModeGameTest, TypingTimeInCheatModeShowsTheClocks) {
  Settle();
  ClickAt(400, 300);
  const auto typeWord = [&](std::u16string_view word) {
    for (const char16_t c : word) Input(InputType::Character, int(c));
  };
  typeWord(u"time");
  Frames(1);
  size_t shown = 0;
  for (size_t i = 0; i < mode().controls.Size(); ++i) {
    const auto* text = dynamic_cast<const GUIText*>(mode().controls.At(i));
    if (text && text->visible && text->Text().starts_with(u"game ")) ++shown;
  }
  EXPECT_EQ(shown, 0u) << "not without cheat mode";
  app->cheats = true;
  typeWord(u"time");
  Frames(1);
  for (size_t i = 0; i < mode().controls.Size(); ++i) {
    const auto* text = dynamic_cast<const GUIText*>(mode().controls.At(i));
    if (text && text->visible && text->Text().starts_with(u"game ")) ++shown;
  }
  EXPECT_EQ(shown, 1u);
}

TEST_F(ModeGameTest, ASaveWithDamagedWorkTimersContinuesQuietly) {
  Settle();
  ClickAt(kObstacleX, kObstacleY);
  Frames(20);
  std::optional<std::string> text = mode().Controller()->Save();
  ASSERT_TRUE(text);
  // Timers naming no object, negative, huge and crossed values, then a valid one for id 20.
  const std::string damaged =
      "<obstacle id=\"9999\" cur=\"5\" max=\"10\"/>\n<obstacle id=\"20\" cur=\"-50\" "
      "max=\"-7\"/>\n<obstacle id=\"21\" cur=\"900000000\" max=\"2000000000\"/>\n"
      "<obstacle id=\"22\" cur=\"800\" max=\"100\"/>\n";
  text->insert(text->rfind("</level>"), damaged);
  ASSERT_TRUE(app->profiles()->SaveGame(*text));
  mode().continueSaved = true;
  ASSERT_TRUE(mode().StartLevel());
  for (const WorkTimers::Timer& t : mode().Controller()->timers.All()) {
    EXPECT_NE(t.id, 9999);
    EXPECT_GE(t.elapsed, 0.0f);
    EXPECT_LE(t.elapsed, t.total);
    EXPECT_GE(mode().WorkTimerRemaining(t.id), 0);
  }
  std::string hud;
  mode().WriteHudState(hud);
  EXPECT_EQ(hud.find("id=\"9999\""), std::string::npos);
  ClickAt(400, 300);
  Frames(100, 100);
  EXPECT_TRUE(mode().HasLevel());
}
