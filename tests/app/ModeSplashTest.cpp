// The first screen end to end: real services, a small game folder made by the test, drawn
// headless through OpenGL.
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "HeadlessPlatform.h"
#include "app/Application.h"
#include "app/Clock.h"
#include "app/ModeSplash.h"
#include "app/PrecacheList.h"
#include "gui/ControlFactory.h"
#include "gui/LayoutElement.h"
#include "platform/Window.h"
#include "support/Picture.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

TEST(PrecacheList, LinesEndWithLfOrCrLfAndTheUnfinishedLastLineIsDropped) {
  EXPECT_EQ(ParsePrecacheList("a\r\nb.ogg\r\n\r\nc"), (std::vector<std::string>{"a", "b.ogg", ""}));
  EXPECT_EQ(ParsePrecacheList("a\nb.ogg\n\nc"), (std::vector<std::string>{"a", "b.ogg", ""}));
  EXPECT_EQ(ParsePrecacheList("only\n"), std::vector<std::string>{"only"});
  EXPECT_EQ(ParsePrecacheList("mixed\r\nends\n"), (std::vector<std::string>{"mixed", "ends"}));
  EXPECT_EQ(ParsePrecacheList(""), std::vector<std::string>{});
  EXPECT_EQ(ParsePrecacheList("x\ry\r\n"), std::vector<std::string>{"x\ry"});
}

namespace {

// Writes a one-colour RGBA PNG.
void WritePng(const std::string& path, int w, int h, uint32_t rgba) {
  std::vector<uint8_t> pixels(size_t(w) * h * 4);
  for (size_t i = 0; i < pixels.size(); i += 4) {
    pixels[i] = uint8_t(rgba >> 24);
    pixels[i + 1] = uint8_t(rgba >> 16);
    pixels[i + 2] = uint8_t(rgba >> 8);
    pixels[i + 3] = uint8_t(rgba);
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(w);
  image.height = png_uint_32(h);
  image.format = PNG_FORMAT_RGBA;
  ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr));
}

class ModeSplashTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static const bool ready = SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
    videoReady = ready;
  }

  void SetUp() override {
    ASSERT_TRUE(videoReady) << SDL_GetError();
    fs::create_directories(folder.Path() + "/content/atlases");
    fs::create_directories(folder.Path() + "/music");
    // The game data the content loading needs: the demo game's tables and object names.
    const char* game = std::getenv("KALODRUS_GAME_DIR");
    ASSERT_NE(game, nullptr);
    fs::copy(std::string(game) + "/content/tables", folder.Path() + "/content/tables");
    fs::create_directories(folder.Path() + "/locale/en");
    fs::copy_file(std::string(game) + "/locale/en/objects_names.xml",
                  folder.Path() + "/locale/en/objects_names.xml");
    oldDir = fs::current_path();
  }
  void TearDown() override {
    if (started) {
      window.Destroy();
      app->Shutdown();
    }
    app.reset();
    fs::current_path(oldDir);
  }

  // Starts the game over the folder as the entry point does.
  void Start() {
    fs::current_path(folder.Path());
    app = std::make_unique<Application>(platform);
    ASSERT_TRUE(app->Init());
    app->profiles()->settings.flags &= ~Settings::kFullscreen;
    app->renderer()->SetAspectMode(AspectMode::Screen4x3);
    ASSERT_TRUE(window.Create(1024, 768, false));
    ASSERT_TRUE(app->InitDevice());
    started = true;
    app->SetMode(&splash, false);
    app->ResetTimer();
  }

  void Frames(int n) {
    for (int i = 0; i < n; ++i) app->Frame();
  }
  // Runs frames until the condition holds. How many frames that takes depends on how fast
  // the loading thread gets through its work beside the frame loop (which runs unthrottled
  // here), so the guard against a hang is a generous time, not a frame count.
  void FramesUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done() && std::chrono::steady_clock::now() < deadline) app->Frame();
    ASSERT_TRUE(done());
  }

  // The colour at the screen centre of the next frame.
  uint32_t CentreColour() {
    const std::string shot = folder.Path() + "/shot.png";
    app->CaptureNextFrame(shot);
    app->Frame();
    Picture picture;
    EXPECT_TRUE(ReadPng(shot, picture));
    if (picture.rgba.empty()) return 0;
    return picture.Colour(picture.width / 2, picture.height / 2);
  }

  static inline bool videoReady = false;
  TempDir folder;
  fs::path oldDir;
  WindowedPlatform platform;
  platform::Window& window = platform.window;
  std::unique_ptr<Application> app;
  ModeSplash splash;
  Mode menu;  // modes outlive the Application's use of them
  bool started = false;
};

}  // namespace

TEST_F(ModeSplashTest, TwoPicturesInOrderThenTheLoadingScreen) {
  WritePng(folder.Path() + "/content/splash0.png", 1280, 768, 0xC02020FF);  // red: shown last
  WritePng(folder.Path() + "/content/splash1.png", 1280, 768, 0x2020C0FF);  // blue: shown first
  WritePng(folder.Path() + "/content/loading_pattern.png", 64, 32, 0x20C020FF);
  Start();
  ASSERT_EQ(splash.splashes.size(), 2u);

  // The window is shown on the first update; the content loads on the second.
  app->Frame();
  EXPECT_TRUE(platform.shown);
  EXPECT_EQ(CentreColour(), 0x2020C0u);

  // About 1.2 s later the first picture fades out, then picture 0 fades in and the
  // loading screen starts with it.
  FramesUntil([&] { return app->fadeState == Fade::Out; });
  EXPECT_GE(splash.updates * 16, 1200);
  EXPECT_LE(splash.updates * 16, 1200 + 3 * 16);
  FramesUntil([&] { return splash.current == 1; });
  EXPECT_TRUE(splash.loadingShown);
  ASSERT_NE(splash.patternSprite, nullptr);
  FramesUntil([&] { return splash.precaching; });
  EXPECT_EQ(CentreColour(), 0xC02020u);

  // Nothing follows the loading here: the screen stays up once everything is loaded.
  FramesUntil([&] { return splash.precacheDone; });
  Frames(100);
  EXPECT_EQ(app->current, &splash);
  EXPECT_EQ(app->fadeState, Fade::None);
}

TEST_F(ModeSplashTest, AnEmptyListStillPlaysTheMusicAndFinishesAtOnce) {
  const char* game = std::getenv("KALODRUS_GAME_DIR");
  fs::copy_file(std::string(game) + "/music/main_menu.ogg", folder.Path() + "/music/main_menu.ogg");
  Start();
  EXPECT_TRUE(splash.splashes.empty());
  Frames(3);  // the third update starts the loading: no pictures, no fade
  EXPECT_TRUE(splash.precaching);
  EXPECT_TRUE(splash.precacheList.empty());
  Frames(1);
  EXPECT_TRUE(splash.precacheDone);
  if (app->sound()->HasAudio()) {
    const auto music = app->sound()->Music();
    EXPECT_TRUE(music.current == "main_menu" || music.pending == "main_menu");
  }
}

TEST_F(ModeSplashTest, ListedSpritesPreloadTheirTexturesOnTheWorker) {
  WritePng(folder.Path() + "/content/splash0.png", 1280, 768, 0x808080FF);
  WritePng(folder.Path() + "/content/atlases/sheet.png", 64, 64, 0xFFFFFFFF);
  std::ofstream(folder.Path() + "/content/atlases/sheet.xml")
      << "<Atlas name=\"sheet\"><Tex name=\"star\" rect=\"0,0,16,16\"/></Atlas>";
  WritePng(folder.Path() + "/content/lonely.png", 8, 8, 0xFFFFFFFF);
  WritePng(folder.Path() + "/content/unlisted.png", 8, 8, 0xFFFFFFFF);
  std::ofstream(folder.Path() + "/content/precache.txt", std::ios::binary)
      << "star\r\n\r\nmissing_entry\r\nlonely\r\nunlisted";
  Start();
  FramesUntil([&] { return splash.precacheDone; });
  EXPECT_EQ(splash.precacheList, (std::vector<std::string>{"star", "", "missing_entry", "lonely"}));
  TextureManager& textures = *app->textures();
  EXPECT_NE(textures.Find("sheet", false), nullptr);
  EXPECT_NE(textures.Find("lonely", false), nullptr);
  EXPECT_EQ(textures.Find("unlisted", false), nullptr);
}

TEST_F(ModeSplashTest, LeavingHandsOverToTheNextScreenAndFreesThePictures) {
  WritePng(folder.Path() + "/content/splash0.png", 1280, 768, 0x808080FF);
  splash.next = &menu;
  Start();
  FramesUntil([&] { return app->current == &menu; });
  EXPECT_TRUE(splash.splashes.empty());
  EXPECT_TRUE(app->textures()->Unloadable());
  EXPECT_EQ(app->textures()->Find("splash0", false), nullptr);
}

TEST_F(ModeSplashTest, TheRunnerOfTheLoadingLayoutCrossesTheScreen) {
  // A stand-in picture type for the layout, registered for this test only.
  const ControlFactory saved = ControlFactory::Game();
  ControlFactory::Game().Register("pic", [](const LayoutElement& e) {
    auto c = std::make_unique<GUIControl>(ControlKind::Picture);
    e.ReadCommon(*c);
    e.Place(*c);
    return c;
  });
  WritePng(folder.Path() + "/content/splash0.png", 1280, 768, 0x808080FF);
  std::ofstream(folder.Path() + "/content/splash_gui.xml")
      << "<controls><pic id='10' w='40' h='-30'/><pic id='11' x='5' y='6' w='1' h='1'/>"
      << "</controls>";
  splash.next = &menu;
  Start();
  FramesUntil([&] { return splash.precaching; });
  ASSERT_EQ(splash.controls.Size(), 2u);
  const GUIControl* runner = splash.controls.Find(ModeSplash::kRunnerId);
  ASSERT_NE(runner, nullptr);
  for (int i = 0; i < 5; ++i) {
    app->Frame();
    const float t = splash.timer;
    EXPECT_NEAR(CentreX(runner->rect), 0.15f * t - (512 + 250), 1e-2);
    EXPECT_NEAR(CentreY(runner->rect), 18 * std::sin(0.0055f * t) - 110, 1e-2);
    EXPECT_NEAR(runner->rect.x1 - runner->rect.x0, 40, 1e-3);
  }
  EXPECT_FLOAT_EQ(splash.controls.Find(11)->rect.x0, 5);  // only the runner moves
  FramesUntil([&] { return app->current == &menu; });
  EXPECT_TRUE(splash.controls.Empty());
  ControlFactory::Game() = saved;
}

TEST_F(ModeSplashTest, TheWorkerHandOverHoldsOverManyEntries) {
  WritePng(folder.Path() + "/content/splash0.png", 1280, 768, 0x808080FF);
  std::ofstream list(folder.Path() + "/content/precache.txt", std::ios::binary);
  for (int i = 0; i < 40; ++i) {
    const std::string name = "tex" + std::to_string(i);
    WritePng(folder.Path() + "/content/" + name + ".png", 16 + i, 8, 0xFF00FFFF);
    list << name << "\r\n";
  }
  list.close();
  Start();
  FramesUntil([&] { return splash.precacheDone; });
  // Every entry went through the worker and was uploaded on the main thread, one per frame
  // at most (a start and a collection each).
  EXPECT_EQ(splash.precacheIndex, 40u);
  for (int i = 0; i < 40; ++i) {
    const Texture* t = app->textures()->Find("tex" + std::to_string(i), false);
    ASSERT_NE(t, nullptr) << i;
    EXPECT_EQ(t->imageWidth, 16 + i);
  }
  EXPECT_GE(splash.updates, 2 + 2 * 40);
}
