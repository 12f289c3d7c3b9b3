#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "base/GameKeys.h"

namespace {

// A clock the test moves by hand, a pointer that stays put, keys the test holds.
class FakePlatform : public AppPlatform {
 public:
  uint32_t NowMs() override { return now; }
  void SleepMs(uint32_t ms) override { slept += ms; }
  void PointerToVirtual(float& x, float& y) override {
    x = pointerX;
    y = pointerY;
  }
  void WarpPointer(float x, float y) override {
    pointerX = x;
    pointerY = y;
  }
  bool IsKeyHeld(int key) override { return key == heldKey; }
  bool IsSlateMode() override { return false; }
  void ShowMainWindow() override { shown = true; }
  bool IsWindowShown() override { return shown; }
  bool IsWindowHidden() override { return hidden; }
  int PacedRefreshRate() override { return refreshRate; }
  void SetWindowTitle(const std::u16string& t) override { title = t; }
  void SetSystemCursor(bool) override {}

  bool hidden = false;
  int refreshRate = 0;
  uint32_t now = 1000;
  uint32_t slept = 0;
  float pointerX = 0, pointerY = 0;
  int heldKey = -2;
  bool shown = false;
  std::u16string title;
};

// A mode that writes down every call it gets.
class FakeMode : public Mode {
 public:
  explicit FakeMode(std::string name, std::vector<std::string>& log)
      : name_(std::move(name)), log_(log) {}

  bool Load() override {
    log_.push_back(name_ + ".Load");
    return Mode::Load() && loadResult;
  }
  void Update() override { log_.push_back(name_ + ".Update"); }
  void Draw() override { log_.push_back(name_ + ".Draw"); }
  void Release() override { log_.push_back(name_ + ".Release"); }
  void OnFadeDone(Fade kind) override {
    log_.push_back(name_ + ".FadeDone" + std::to_string(int(kind)));
    if (kind == Fade::Out) App().SetMode(requested, false);
  }
  void Enter() override {
    log_.push_back(name_ + ".Enter");
    Mode::Enter();
  }
  void Leave() override { log_.push_back(name_ + ".Leave"); }
  bool OnActivate(bool wasActive) override {
    log_.push_back(name_ + ".Activate" + std::to_string(wasActive));
    return activateResult;
  }
  void Prepare() override { log_.push_back(name_ + ".Prepare"); }
  void Accept(const ModeRequest& request) override {
    log_.push_back(name_ + ".Accept" + std::to_string(int(request.mode)));
    accepted = request;
  }
  int OnInput(InputEvent e) override {
    log_.push_back(name_ + ".Input" + std::to_string(int(e.type)) + ":" + std::to_string(e.value));
    return 0;
  }
  void ShowInfoMessage(const std::u16string& text) override { info.push_back(text); }

  bool loadResult = true;
  bool activateResult = false;
  ModeRequest accepted;
  std::vector<std::u16string> info;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.Init());
    app.SetMode(&a, false);
    app.ResetTimer();
    log.clear();
  }
  void TearDown() override { app.Shutdown(); }

  // Runs frames of `step` milliseconds each.
  void Run(int frames, uint32_t step = 16) {
    for (int i = 0; i < frames; ++i) {
      platform.now += step;
      app.Frame();
    }
  }
  int Count(const std::string& entry) const {
    return int(std::count(log.begin(), log.end(), entry));
  }
  // Runs frames until the fade state becomes `state`, at most `limit` frames.
  void RunUntilFade(Fade state, int limit = 200) {
    for (int i = 0; i < limit && app.fadeState != state; ++i) Run(1);
  }

  // Runs frames until any switch has happened and no fade runs any more.
  void Settle(int limit = 400) {
    Run(1);
    for (int i = 0; i < limit && (app.pending || app.fadeState != Fade::None || app.fadeDone); ++i)
      Run(1);
  }

  FakePlatform platform;
  Application app{platform};
  std::vector<std::string> log;
  FakeMode a{"a", log}, b{"b", log}, c{"c", log};
};

}  // namespace

TEST_F(ApplicationTest, FirstSetModeEntersAtOnceAndLoadsOnce) {
  Application other(platform);
  std::vector<std::string> own;
  FakeMode m("m", own);
  other.SetMode(&m, false);
  EXPECT_EQ(other.current, &m);
  EXPECT_EQ(own, (std::vector<std::string>{"m.Enter", "m.Load"}));
  EXPECT_TRUE(m.loaded);
  EXPECT_EQ(other.fadeState, Fade::In);
  EXPECT_FLOAT_EQ(other.fadeLevel, 255);
  other.Shutdown();
}

TEST_F(ApplicationTest, FrameStepIsClampedAndScaled) {
  Run(1, 0);
  EXPECT_FLOAT_EQ(app.frameTime, 1);
  Run(1, 40);
  EXPECT_FLOAT_EQ(app.frameTime, 40);
  Run(1, 5000);
  EXPECT_FLOAT_EQ(app.frameTime, 100);
  app.timeScale = 2.5f;
  Run(1, 20);
  EXPECT_FLOAT_EQ(app.frameTime, 50);
  // The clock wraps around without a huge step.
  platform.now = 0xFFFFFFF0u;
  app.ResetTimer();
  app.timeScale = 1;
  Run(1, 32);
  EXPECT_FLOAT_EQ(app.frameTime, 32);
}

TEST_F(ApplicationTest, FramesPerSecondRefreshEveryHalfSecondOfRawTime) {
  app.timeScale = 3;  // the rate counts real time, not scaled time
  Run(24, 20);        // 480 ms
  EXPECT_FLOAT_EQ(app.fps, 0);
  Run(1, 20);  // 500 ms, 25 frames
  EXPECT_FLOAT_EQ(app.fps, 50);
  EXPECT_EQ(app.fpsFrames, 0u);
  EXPECT_EQ(app.fpsElapsed, 0u);
}

TEST_F(ApplicationTest, FadeInTakesAbout357MillisecondsAndIsReportedOnce) {
  RunUntilFade(Fade::None);
  EXPECT_EQ(Count("a.FadeDone1"), 1);
  // 255 * 1.4 = 357 ms at 16 ms per frame: 23 frames to reach zero, reported the frame after.
  EXPECT_EQ(Count("a.Update"), 24);
  Run(10);
  EXPECT_EQ(Count("a.FadeDone1"), 1);
}

TEST_F(ApplicationTest, ModeSwitchProtocol) {
  RunUntilFade(Fade::None);
  log.clear();
  a.RequestMode(&b);
  EXPECT_EQ(log, (std::vector<std::string>{"b.Prepare"}));
  EXPECT_EQ(app.fadeState, Fade::Out);
  // Input is dropped while the fade runs.
  app.OnInput({InputType::PointerMove, 0});
  EXPECT_EQ(Count("a.Input10:0"), 0);

  // The fade-out runs to 255; the frame after, the mode answers with SetMode: b is pending,
  // no update, the screen is cleared.
  while (app.pending == nullptr && Count("a.FadeDone2") == 0) Run(1);
  EXPECT_EQ(app.pending, &b);
  const int updatesBefore = Count("a.Update");
  Run(1);  // the switch: a leaves, b enters (and loads), b updates and draws
  EXPECT_EQ(app.current, &b);
  EXPECT_EQ(Count("a.Update"), updatesBefore);
  const std::vector<std::string> tail(log.end() - 5, log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"a.Leave", "b.Enter", "b.Load", "b.Update", "b.Draw"}));
  EXPECT_EQ(app.fadeState, Fade::In);
  EXPECT_EQ(app.modes, (std::vector<Mode*>{&a, &b}));

  // Coming back to a known mode does not load it again.
  RunUntilFade(Fade::None);
  b.RequestMode(&a);
  Settle();
  EXPECT_EQ(app.current, &a);
  EXPECT_EQ(Count("a.Load"), 0);
  EXPECT_EQ(app.modes.size(), 2u);
}

TEST_F(ApplicationTest, ALaterRequestDuringAFadeOutWinsAndRestartsTheFade) {
  RunUntilFade(Fade::None);
  a.RequestMode(&b);
  Run(5);
  EXPECT_GT(app.fadeLevel, 0);
  a.RequestMode(&c);
  EXPECT_FLOAT_EQ(app.fadeLevel, 0);
  EXPECT_EQ(a.requested, &c);
  RunUntilFade(Fade::In);
  EXPECT_EQ(app.current, &c);
  EXPECT_EQ(Count("b.Enter"), 0);
}

TEST_F(ApplicationTest, FadeDoneWithoutARequestedModeKeepsTheModeAndDropsTheFade) {
  RunUntilFade(Fade::None);
  a.RequestMode(nullptr);
  RunUntilFade(Fade::None);
  EXPECT_EQ(app.current, &a);
  EXPECT_EQ(app.pending, nullptr);
  EXPECT_EQ(Count("a.FadeDone2"), 1);
  const int draws = Count("a.Draw");
  Run(1);
  EXPECT_EQ(Count("a.Draw"), draws + 1);
  EXPECT_EQ(app.fadeState, Fade::None);
}

TEST_F(ApplicationTest, AFailedLoadEndsTheProgramAfterTheFrame) {
  RunUntilFade(Fade::None);
  b.loadResult = false;
  a.RequestMode(&b);
  for (int i = 0; i < 200 && !app.quit; ++i) Run(1);
  EXPECT_TRUE(app.quit);
  EXPECT_FALSE(app.Frame());
}

TEST_F(ApplicationTest, TypedWordsToggleCheatsAndFps) {
  auto type = [&](const std::u16string& text) {
    for (char16_t ch : text) app.OnInput({InputType::Character, ch});
  };
  RunUntilFade(Fade::None);
  app.strings()->Set(u"cheats_on", u"Cheats on");
  app.strings()->Set(u"cheats_off", u"Cheats off");
  type(u"xyzCHEATS");
  EXPECT_TRUE(app.cheats);
  ASSERT_EQ(a.info.size(), 1u);
  EXPECT_EQ(a.info[0], u"Cheats on");
  type(u"cheats");
  EXPECT_FALSE(app.cheats);
  EXPECT_EQ(a.info.back(), u"Cheats off");
  type(u"cheat");
  EXPECT_FALSE(app.cheats);
  type(u"fps");
  EXPECT_TRUE(app.showFps);
  // Characters still reach the mode.
  EXPECT_EQ(Count("a.Input0:115"), 2);
  EXPECT_EQ(Count("a.Input0:83"), 1);
  // A mode switch forgets what was typed.
  type(u"chea");
  app.SetMode(&b, false);
  type(u"ts");
  EXPECT_FALSE(app.cheats);
}

TEST_F(ApplicationTest, AltEnterTogglesFullscreenAndStillReachesTheMode) {
  RunUntilFade(Fade::None);
  const bool before = app.profiles()->settings.fullscreen();
  app.OnInput({InputType::KeyDown, kGameKeyEnter});
  EXPECT_EQ(app.profiles()->settings.fullscreen(), before);
  platform.heldKey = kGameKeyAlt;
  app.OnInput({InputType::KeyDown, kGameKeyEnter});
  EXPECT_NE(app.profiles()->settings.fullscreen(), before);
  EXPECT_EQ(Count("a.Input1:10"), 2);
}

TEST_F(ApplicationTest, PointerIsConvertedBeforePointerEventsReachTheMode) {
  RunUntilFade(Fade::None);
  platform.pointerX = 12;
  platform.pointerY = -7;
  app.OnInput({InputType::KeyDown, 4});
  EXPECT_FLOAT_EQ(app.mouseX, 0);
  app.OnInput({InputType::LeftDown, 0});
  EXPECT_FLOAT_EQ(app.mouseX, 12);
  EXPECT_FLOAT_EQ(app.mouseY, -7);
}

TEST_F(ApplicationTest, AHiddenWindowIsNeitherDrawnNorAdvancedAndQuickFramesArePaced) {
  RunUntilFade(Fade::None);
  log.clear();
  platform.slept = 0;
  platform.hidden = true;
  Run(4, 1000);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(platform.slept, 200u);
  // Shown again: the first step is 1 ms, not the time it was hidden.
  platform.hidden = false;
  Run(1, 1000);
  EXPECT_EQ(log, (std::vector<std::string>{"a.Update", "a.Draw"}));
  EXPECT_FLOAT_EQ(app.frameTime, 1);

  // Unpaced, a frame sleeps 1 ms; paced at 50 Hz, quick frames sleep the rest of 20 ms.
  platform.slept = 0;
  Run(10, 2);
  EXPECT_EQ(platform.slept, 10u);
  platform.refreshRate = 50;
  for (int i = 0; i < 11; ++i) {
    platform.now += 2;
    platform.slept = 0;
    app.Frame();
    platform.now += platform.slept;
  }
  EXPECT_EQ(platform.slept, 18u);
}

TEST_F(ApplicationTest, DeactivationWithAnExtraFrameAndReactivation) {
  RunUntilFade(Fade::None);
  log.clear();
  a.activateResult = true;
  app.SetActive(false);
  EXPECT_EQ(log, (std::vector<std::string>{"a.Activate1", "a.Update", "a.Draw"}));
  EXPECT_FALSE(app.active);
  EXPECT_FALSE(app.deactivating);

  // Inactive frames only sleep.
  log.clear();
  platform.slept = 0;
  Run(3, 1000);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(platform.slept, 150u);

  // After reactivation the first step is 1 ms, not the time spent inactive.
  a.activateResult = false;
  app.SetActive(true);
  EXPECT_EQ(log, (std::vector<std::string>{"a.Activate0"}));
  app.Frame();
  EXPECT_FLOAT_EQ(app.frameTime, 1);
}

TEST_F(ApplicationTest, DeactivationWithoutExtraFrameDrawsNothing) {
  RunUntilFade(Fade::None);
  log.clear();
  app.SetActive(false);
  EXPECT_EQ(log, (std::vector<std::string>{"a.Activate1"}));
  // Activation changes are ignored once the program is quitting.
  app.quit = true;
  app.SetActive(true);
  EXPECT_FALSE(app.active);
}

TEST_F(ApplicationTest, TimeScaleKeysNeedCheats) {
  app.ApplyTimeScaleKey(kGameKeyPadPlus);
  EXPECT_FLOAT_EQ(app.timeScale, 1);
  app.cheats = true;
  app.ApplyTimeScaleKey(kGameKeyPadPlus);
  EXPECT_FLOAT_EQ(app.timeScale, 1.5f);
  app.ApplyTimeScaleKey(kGameKeyPadMinus);
  app.ApplyTimeScaleKey(kGameKeyPadMinus);
  EXPECT_NEAR(app.timeScale, 0.9f, 1e-6);
  for (int i = 0; i < 10; ++i) app.ApplyTimeScaleKey(kGameKeyPadMinus);
  EXPECT_NEAR(app.timeScale, 0.5f, 1e-6);  // never below: only steps above 0.5 subtract
  app.ApplyTimeScaleKey(kGameKeyPadPlus);
  EXPECT_NEAR(app.timeScale, 0.6f, 1e-6);
  app.ApplyTimeScaleKey(kGameKeyPadMultiply);
  EXPECT_FLOAT_EQ(app.timeScale, 1);
}

TEST_F(ApplicationTest, ShutdownLeavesTheCurrentModeAndReleasesEveryModeInOrder) {
  RunUntilFade(Fade::None);
  a.RequestMode(&b);
  Settle();
  ASSERT_EQ(app.current, &b);
  log.clear();
  app.Shutdown();
  EXPECT_TRUE(app.quit);
  EXPECT_EQ(log, (std::vector<std::string>{"b.Leave", "a.Release", "b.Release"}));
  EXPECT_FALSE(app.Frame());
}

TEST_F(ApplicationTest, NoCurrentModeEndsTheLoop) {
  Application empty(platform);
  EXPECT_FALSE(empty.Frame());
}

TEST_F(ApplicationTest, ContentLoadingWithoutTheGameDataEndsTheProgram) {
  // No content folder here: the descriptor tables are missing.
  EXPECT_FALSE(app.InitContent());
  EXPECT_TRUE(app.quit);
  EXPECT_FALSE(app.Frame());
}

TEST_F(ApplicationTest, ScreensReachEachOtherByIdWithWhatTheNextOneNeeds) {
  RunUntilFade(Fade::None);
  app.RegisterMode(ModeId::Comics, b);
  EXPECT_EQ(app.ModeOf(ModeId::Comics), &b);
  EXPECT_EQ(app.ModeOf(ModeId::Castle), nullptr);
  log.clear();

  // The request reaches the named screen before it is prepared, and the switch proceeds.
  a.RequestMode(ShowComic(4, PlayLevel(2, 7)));
  EXPECT_EQ(log, (std::vector<std::string>{"b.Accept" + std::to_string(int(ModeId::Comics)),
                                           "b.Prepare"}));
  EXPECT_EQ(a.requested, &b);
  EXPECT_EQ(b.accepted.number, 4);
  ASSERT_NE(b.accepted.then, nullptr);
  EXPECT_EQ(b.accepted.then->mode, ModeId::Game);
  EXPECT_EQ(b.accepted.then->episode, 2);
  EXPECT_EQ(b.accepted.then->level, 7);
  Settle();
  EXPECT_EQ(app.current, &b);

  // A screen nobody registered is no screen: the request asks for no switch.
  b.RequestMode(ShowCastle(ModeId::Map));
  EXPECT_EQ(b.requested, nullptr);
}
