// The Application drawing through the real OpenGL device, headless: what the player sees of
// a mode and of the fade over it.
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <vector>

#include "HeadlessPlatform.h"
#include "app/Application.h"
#include "app/Clock.h"
#include "data/Language.h"
#include "gui/GuiContext.h"
#include "platform/Window.h"
#include "support/Picture.h"
#include "support/TempDir.h"

#include <filesystem>

namespace {

// Covers the screen in one colour.
class FlatMode : public Mode {
 public:
  void Draw() override {
    Renderer& r = *App().renderer();
    r.BindTexture(nullptr, 0);
    r.AddQuad({-r.HalfWidth(), r.HalfHeight(true), r.HalfWidth(), -r.HalfHeight(true)},
              {0, 0, 1, 1}, colour);
    Mode::Draw();
  }
  void OnFadeDone(Fade kind) override {
    if (kind == Fade::Out) App().SetMode(requested, false);
  }
  uint32_t colour = 0xFFFFFFFF;
};

class AppFrameTest : public ::testing::Test {
 protected:
  // Video and the GL library stay loaded until the process ends (the software driver leaves
  // blocks behind when unloaded, which the leak checker could not attribute).
  static void SetUpTestSuite() {
    static const bool ready = SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_GL_LoadLibrary(nullptr) == 0;
    videoReady = ready;
  }

  void SetUp() override {
    ASSERT_TRUE(videoReady) << SDL_GetError();
    ASSERT_TRUE(app.Init());
    app.profiles()->settings.flags &= ~Settings::kFullscreen;
    app.renderer()->SetAspectMode(AspectMode::Screen4x3);
    ASSERT_TRUE(window.Create(1024, 768, false));
    ASSERT_TRUE(app.InitDevice());
  }
  void TearDown() override {
    window.Destroy();
    app.Shutdown();
  }

  Picture Capture() {
    app.CaptureNextFrame(folder.Path() + "/frame.png");
    app.Frame();
    Picture p;
    EXPECT_TRUE(app.captured);
    EXPECT_TRUE(ReadPng(folder.Path() + "/frame.png", p));
    return p;
  }

  static inline bool videoReady = false;
  WindowedPlatform platform;
  platform::Window& window = platform.window;
  Application app{platform};
  FlatMode mode, other;  // modes outlive the Application's use of them
  TempDir folder;
};

}  // namespace

TEST_F(AppFrameTest, AModeFadesInFromBlack) {
  mode.colour = 0xFFFFFFFF;
  app.SetMode(&mode, false);
  app.ResetTimer();
  // Frame k draws the fade at 255 - k * 16 / 1.4.
  for (int i = 0; i < 9; ++i) app.Frame();
  Picture p = Capture();
  ASSERT_GT(p.width, 0);
  const int alpha = int(255.0f - 10 * 16 / 1.4f);
  const int expected = 255 - (255 * alpha + 127) / 255;
  const uint8_t* centre = p.At(p.width / 2, p.height / 2);
  EXPECT_NEAR(centre[0], expected, 3);
  EXPECT_NEAR(centre[1], expected, 3);
  EXPECT_NEAR(centre[2], expected, 3);
  // The fade covers the whole screen, corners included.
  EXPECT_NEAR(p.At(0, 0)[0], expected, 3);
  EXPECT_NEAR(p.At(p.width - 1, p.height - 1)[0], expected, 3);

  for (int i = 0; i < 30; ++i) app.Frame();
  p = Capture();
  EXPECT_EQ(p.At(p.width / 2, p.height / 2)[0], 255);
}

namespace {

// Runs body with the whole game loaded (the demo content, a 1024 × 768 window, English) in the
// game folder, over a black screen of its own.
void WithLoadedGame(
    const std::function<void(Application&, WindowedPlatform&, FlatMode&, TempDir&)>& body) {
  const char* game = std::getenv("KALODRUS_GAME_DIR");
  ASSERT_NE(game, nullptr);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  SDL_GL_LoadLibrary(nullptr);
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(game);
  TempDir folder;
  WindowedPlatform platform;
  platform::Window& window = platform.window;
  FlatMode mode;
  {
    Application app(platform);
    ASSERT_TRUE(app.Init());
    app.profiles()->settings.flags &= ~Settings::kFullscreen;
    app.renderer()->SetAspectMode(AspectMode::Screen4x3);
    ASSERT_TRUE(window.Create(1024, 768, false));
    ASSERT_TRUE(app.InitDevice());
    MountLocale(*app.files(), "en", false);
    ASSERT_TRUE(app.InitContent());
    mode.colour = 0xFF000000;
    body(app, platform, mode, folder);
    window.Destroy();
    app.Shutdown();
  }
  std::filesystem::current_path(old);
}

}  // namespace

// Typing "fps" shows the frame rate in the game's own font at the top of the screen.
TEST(AppOverlayTest, TheFrameRateLineDrawsInTheGameFont) {
  WithLoadedGame([](Application& app, WindowedPlatform& platform, FlatMode& mode,
                    TempDir& folder) {
    ASSERT_GT(app.fonts()->FontCount(), 0);
    // The game data is loaded with it: the window is named, symbols are registered as icons.
    EXPECT_EQ(platform.title, u"Kalodrus 3");
    EXPECT_FALSE(app.descriptors()->Symbols().empty());
    EXPECT_EQ(app.fonts()->IconCode("food"), char16_t(1));
    // The device stage loaded the effects and the atlases.
    EXPECT_TRUE(app.particles()->HasEffect("collect00"));
    EXPECT_NE(app.sprites()->Get("cursor"), nullptr);
    app.cursorVisible = false;
    app.SetMode(&mode, false);
    for (char16_t c : std::u16string(u"fps")) app.OnInput({InputType::Character, c});
    EXPECT_TRUE(app.showFps);
    for (int i = 0; i < 40; ++i) app.Frame();
    app.CaptureNextFrame(folder.Path() + "/fps.png");
    app.Frame();
    Picture p;
    ASSERT_TRUE(ReadPng(folder.Path() + "/fps.png", p));
    if (const char* keep = std::getenv("KALODRUS_KEEP_FRAMES")) {
      std::filesystem::copy_file(folder.Path() + "/fps.png", std::string(keep) + "/fps.png",
                                 std::filesystem::copy_options::overwrite_existing);
    }
    // Text pixels in the band where the line is drawn, none far below it.
    auto lit = [&](int y0, int y1) {
      int n = 0;
      for (int y = y0; y < y1; ++y) {
        for (int x = 0; x < p.width; ++x) n += p.At(x, y)[0] > 128;
      }
      return n;
    };
    const int band = p.height * 30 / 768;
    EXPECT_GT(lit(0, band), 20);
    EXPECT_EQ(lit(p.height / 3, p.height * 2 / 3), 0);
  });
}

TEST_F(AppFrameTest, APendingSwitchShowsBlack) {
  mode.colour = 0xFF20C040;
  app.SetMode(&mode, false);
  for (int i = 0; i < 40; ++i) app.Frame();
  Picture p = Capture();
  EXPECT_NEAR(p.At(10, 10)[1], 0xC0, 2);
  mode.RequestMode(&other);
  for (int i = 0; i < 100 && !app.fadeDone; ++i) app.Frame();
  ASSERT_TRUE(app.fadeDone);
  // The frame that reports the finished fade-out makes the switch pending: it shows black,
  // not the old mode.
  p = Capture();
  EXPECT_EQ(app.pending, &other);
  EXPECT_EQ(p.At(10, 10)[0], 0);
  EXPECT_EQ(p.At(10, 10)[1], 0);
}

// The drawn pointer grows with the pointer size setting: at 200 % it covers four times the
// pixels it covers at 100 %, its tip staying at the pointer. Calm motion thins the particles.
TEST(AppOverlayTest, ThePointerSizeScalesTheDrawnPointerAndCalmMotionThinsParticles) {
  WithLoadedGame([](Application& app, WindowedPlatform&, FlatMode& mode, TempDir& folder) {
    app.profiles()->settings.flags |= Settings::kDrawnCursor;
    app.cursorVisible = true;
    app.SetMode(&mode, false);
    app.mouseX = 0;
    app.mouseY = 0;
    const auto lit = [&](int percent) {
      app.SetPointerPercent(percent);
      for (int i = 0; i < 40; ++i) app.Frame();
      app.CaptureNextFrame(folder.Path() + "/pointer.png");
      app.Frame();
      Picture p;
      EXPECT_TRUE(ReadPng(folder.Path() + "/pointer.png", p));
      int n = 0, right = 0, bottom = 0;
      for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
          const uint8_t* c = p.At(x, y);
          if (c[0] + c[1] + c[2] < 60) continue;
          ++n;
          right = std::max(right, x);
          bottom = std::max(bottom, y);
        }
      }
      return std::array<int, 3>{n, right - p.width / 2, bottom - p.height / 2};
    };
    const std::array<int, 3> normal = lit(100), double_ = lit(200);
    ASSERT_GT(normal[0], 50) << "the pointer is drawn";
    EXPECT_NEAR(double(double_[0]) / normal[0], 4.0, 0.6);
    EXPECT_NEAR(double(double_[1]) / normal[1], 2.0, 0.25) << "it grows away from its tip";
    EXPECT_NEAR(double(double_[2]) / normal[2], 2.0, 0.25);
    EXPECT_EQ(lit(190)[0], double_[0]) << "190 % is taken as the nearest offered, 200 %";

    EXPECT_EQ(app.particles()->Density(), 1.0f);
    app.SetComfort(Settings::kCalmMotion, true);
    EXPECT_EQ(app.particles()->Density(), Application::kCalmParticleDensity);
    EXPECT_TRUE(Gui().calmMotion);
    app.SetComfort(Settings::kCalmMotion, false);
    EXPECT_EQ(app.particles()->Density(), 1.0f);
  });
}
