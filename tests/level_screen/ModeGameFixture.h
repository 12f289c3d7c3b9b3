#pragma once
// The level screen on the recording device with the game folder's content, a fresh data
// folder and level 1:1 entered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "base/DataFiles.h"
#include "campaign/ModeStage.h"
#include "data/Language.h"
#include "graphics/RecordingDevice.h"
#include "gui/GUIDialog.h"
#include "level_screen/BriefingDlg.h"
#include "level_screen/MessageDlg.h"
#include "level_screen/ModeGame.h"
#include "main/ModeTable.h"
#include "support/PointerPlatform.h"
#include "support/TempDir.h"

class ScreenPlatform : public PointerPlatform {
 public:
  bool LastInputWasTouch() override { return touch; }
  bool OpenAddress(const std::string& address) override {
    opened.push_back(address);
    return true;
  }
  std::unique_ptr<RenderDevice> CreateRenderDevice() override {
    return std::make_unique<RecordingDevice>();
  }

  std::vector<std::string> opened;  // the addresses given to the desktop
  bool touch = false;
};

// The application with the game folder's content on the recording device and a fresh data
// folder.
class ScreenAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* game = std::getenv("KALODRUS_GAME_DIR");
    ASSERT_NE(game, nullptr);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(game);
    base::SetDataFolder(data.Path());
    app = std::make_unique<Application>(platform);
    ASSERT_TRUE(app->Init());
    if (const std::optional<AspectMode> aspect = Aspect()) app->renderer()->SetAspectMode(*aspect);
    ASSERT_TRUE(app->InitDevice());
    MountLocale(*app->files(), "en", false);
    ASSERT_TRUE(app->InitContent());
  }
  void TearDown() override {
    if (app) app->Shutdown();
    app.reset();
    base::SetDataFolder("");
    if (!old_.empty()) std::filesystem::current_path(old_);
  }

  // The screen size the test asks for; none: the renderer's own choice.
  virtual std::optional<AspectMode> Aspect() const { return std::nullopt; }

  void Frames(int n, uint32_t ms = 16) {
    for (int i = 0; i < n; ++i) {
      platform.now += ms;
      app->Frame();
    }
  }
  void Input(InputType type, int value = 0) { app->OnInput({type, value}); }
  void ClickAt(float x, float y) {
    platform.pointerX = x;
    platform.pointerY = y;
    Input(InputType::PointerMove);
    Input(InputType::LeftDown);
    Input(InputType::LeftUp);
  }
  static bool Shown(const GUIControl* c) { return c && c->visible; }

  TempDir data;
  ScreenPlatform platform;
  std::unique_ptr<Application> app;

 private:
  std::filesystem::path old_;
};

// That application with level 1:1 entered in the difficulty StartDifficulty gives.
class ModeGameTest : public ScreenAppTest {
 protected:
  virtual Difficulty StartDifficulty() const { return Difficulty::Casual; }
  void SetUp() override {
    ScreenAppTest::SetUp();
    if (HasFatalFailure()) return;
    app->profiles()->progress.difficulty = StartDifficulty();
    mode().touchInput = false;
    app->RegisterMode(ModeId::Map, TheModeStage());
    mode().episode = 1;
    mode().levelNumber = 1;
    app->SetMode(&mode(), false);
    ASSERT_EQ(app->current, &mode());
    ASSERT_TRUE(mode().HasLevel());
  }

  static ModeGame& mode() { return TheModeGame(); }
  // Waits out the fade-in and answers the level's opening (briefing, story message, the
  // speech bubble), so that the level may run.
  void Settle() {
    Frames(40, 20);
    PassOpening();
  }
  void PassOpening() {
    for (int i = 0; i < 4; ++i) {
      if (Shown(mode().briefingDialog)) mode().OnCommand(1011);
      if (Shown(mode().messageDialog)) mode().OnCommand(1025);
      if (mode().speechWidgets.BubbleShown()) mode().OnCommand(10);
      Frames(1);
    }
  }
};

// The episode map over the application: the level screen comes back to it, and every marker
// is opened by progress alone.
class MapScreenTest : public ScreenAppTest {
 protected:
  void SetUp() override {
    ScreenAppTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterGameModes(*app);
    map().unlockAll = false;
  }

  static ModeStage& map() { return TheModeStage(); }
  Progress& progress() { return app->profiles()->progress; }
  // Shows the map: entered again when it is up already, switched to otherwise.
  void Enter() {
    if (app->current == &map()) {
      map().Enter();
    } else {
      app->SetMode(&map(), false);
      if (app->current != &map()) Frames(1);
    }
    ASSERT_EQ(app->current, &map());
  }
};
