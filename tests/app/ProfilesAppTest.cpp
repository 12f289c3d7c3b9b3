// The Application and the player profiles: loaded first from the data folder, settings
// written the moment they change, the record tables seeded with the game data, everything
// written once more at shutdown.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/Application.h"
#include "base/DataFiles.h"
#include "base/GameKeys.h"
#include "data/Language.h"
#include "support/TempDir.h"

namespace {

class ProfilesPlatform : public AppPlatform {
 public:
  uint32_t NowMs() override { return 1000; }
  void SleepMs(uint32_t) override {}
  void PointerToVirtual(float&, float&) override {}
  void WarpPointer(float, float) override {}
  bool IsKeyHeld(int key) override { return key == heldKey; }
  bool IsSlateMode() override { return false; }
  void ShowMainWindow() override {}
  bool IsWindowShown() override { return false; }
  void SetWindowTitle(const std::u16string&) override {}
  void SetSystemCursor(bool arrow) override { systemArrow = arrow; }
  std::string UserLanguage() override { return "de"; }
  int64_t SecondsSince1970() override { return 1600000000; }

  int heldKey = -2;
  bool systemArrow = false;
};

class ApplicationProfilesTest : public ::testing::Test {
 protected:
  void SetUp() override { base::SetDataFolder(folder.Path()); }
  void TearDown() override { base::SetDataFolder(""); }

  std::optional<Settings> StoredSettings() {
    auto payload = base::LoadDataPacked("Settings", false);
    return payload ? DecodeSettings(*payload) : std::nullopt;
  }

  TempDir folder;
  ProfilesPlatform platform;
};

}  // namespace

TEST_F(ApplicationProfilesTest, ProfilesLoadFirstAndSettingsChangesAreWrittenAtOnce) {
  Settings stored;
  stored.musicVolume = 30;
  ASSERT_TRUE(base::SaveDataPacked("Settings", EncodeSettings(stored), false));
  Application app(platform);
  ASSERT_TRUE(app.Init());
  EXPECT_EQ(app.profiles()->PlayerCount(), 1);
  EXPECT_NEAR(app.sound()->MusicVolume(), 0.3f, 1e-6f);  // the sound took the stored volume
  // The automatic language is resolved from the system's, as the splash screen resolves it.
  EXPECT_EQ(app.profiles()->settings.language, 2);
  EXPECT_EQ(LanguageFromSetting(app.profiles()->settings.language, platform.UserLanguage()), 2);

  const bool fullscreen = app.profiles()->settings.fullscreen();
  platform.heldKey = kGameKeyAlt;
  app.OnInput({InputType::KeyDown, kGameKeyEnter});
  EXPECT_NE(StoredSettings()->fullscreen(), fullscreen);
  app.StoreVolumes(0.7f, 0.29f);
  EXPECT_EQ(StoredSettings()->musicVolume, 70);
  EXPECT_EQ(StoredSettings()->effectsVolume, 29);
  EXPECT_NEAR(app.sound()->EffectsVolume(), 0.29f, 1e-6f);
  app.SetDrawnCursor(false);
  EXPECT_FALSE(StoredSettings()->drawnCursor());
  EXPECT_TRUE(platform.systemArrow);

  // What the other screens change in the progress reaches the file at shutdown at the latest.
  app.profiles()->progress.totalScore = 4321;
  app.Shutdown();
  auto progress = base::LoadDataPacked("1\\Progress", false);
  ASSERT_TRUE(progress);
  EXPECT_EQ(DecodeProgress(*progress)->totalScore, 4321);
}

TEST_F(ApplicationProfilesTest, TheGameDataLoadSeedsTheRecordTablesOnAFirstStart) {
  const char* game = std::getenv("KALODRUS_GAME_DIR");
  ASSERT_NE(game, nullptr);
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(game);
  {
    Application app(platform);
    ASSERT_TRUE(app.Init());
    EXPECT_FALSE(app.profiles()->RecordsReady());
    MountLocale(*app.files(), "en", false);
    ASSERT_TRUE(app.InitContent());
    ASSERT_TRUE(app.profiles()->RecordsReady());
    const RecordEntry& best = app.profiles()->records.Level(2, 7).entries[0];
    EXPECT_GT(best.score, 0);
    EXPECT_EQ(best.date, 1600000000);
    EXPECT_TRUE(base::DataFileExists("HiScores"));
    app.Shutdown();
  }
  std::filesystem::current_path(old);
}
