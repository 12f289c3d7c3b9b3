// The virtual screen: aspect-mode choice, back-buffer sizes, the coordinate system, the
// scissor conversion, and the two whole-screen pictures (wide background, screen frame).
#include <cmath>

#include "RecordingRenderer.h"

namespace {

class ScreenTest : public RecordingRendererTest {};

TEST_F(ScreenTest, AspectModeFollowsTheDesktopProportions) {
  struct Case {
    ScreenSize desktop;
    int mode;
  };
  const Case cases[] = {
      {{1366, 768}, 3},   // r ≈ 0.562
      {{1920, 1200}, 4},  // r = 0.625
      {{1280, 1024}, 0},  // r = 0.8
      {{1440, 900}, 4},   // r = 0.625
      {{1280, 768}, 2},   // r = 0.6
      {{1920, 1080}, 3},  // r = 0.5625
      {{1152, 768}, 1},   // r ≈ 0.667
      {{1000, 700}, 1},   // r = 0.7 is not above 0.7
      // r = 0.58 exactly: as a single-precision value it equals the constant 0.58f, so it is
      // not below it (in double precision it would be, and pick mode 3).
      {{1450, 841}, 2},
      {{1000, 620}, 2},  // r = 0.62 is not above 0.62
      {{1000, 630}, 4},  // r = 0.63 is not above 0.63
  };
  for (const Case& c : cases) {
    device->desktop = c.desktop;
    renderer->SetAspectMode(AspectMode::Screen4x3);
    EXPECT_EQ(renderer->ChooseAspectMode(), AspectMode(c.mode))
        << c.desktop.width << "x" << c.desktop.height;
    EXPECT_EQ(renderer->AspectMode(), AspectMode(c.mode));
  }
  // An unknown desktop leaves the mode alone.
  device->desktop = {0, 0};
  renderer->SetAspectMode(AspectMode::Screen3x2);
  EXPECT_EQ(renderer->ChooseAspectMode(), AspectMode::Screen3x2);
}

TEST_F(ScreenTest, ModesFixTheVirtualSizeAndTheHalfHeights) {
  const float widths[] = {1024, 1080, 1280, 1280, 1280};
  const float heights[] = {768, 720, 768, 720, 800};
  const float clamped[] = {384, 360, 384, 360, 384};
  for (int mode = 0; mode < 5; ++mode) {
    renderer->SetAspectMode(AspectMode(mode));
    EXPECT_EQ(renderer->Width(), widths[mode]);
    EXPECT_EQ(renderer->Height(), heights[mode]);
    EXPECT_EQ(renderer->HalfWidth(), widths[mode] / 2);
    EXPECT_EQ(renderer->HalfHeight(), clamped[mode]);
    EXPECT_EQ(renderer->HalfHeight(true), heights[mode] / 2);
  }
  // Numbers from outside name a mode only within 0..4.
  EXPECT_EQ(AspectModeFromNumber(4), AspectMode::Screen16x10);
  EXPECT_FALSE(AspectModeFromNumber(5).has_value());
  EXPECT_FALSE(AspectModeFromNumber(-1).has_value());
}

TEST_F(ScreenTest, BackBufferSizeFitsTheDesktop) {
  // Fullscreen always takes the desktop.
  EXPECT_EQ(Renderer::BackBufferSizeFor(true, AspectMode::Screen16x10, {1366, 768}),
            (ScreenSize{1366, 768}));
  // 2 × 800 + 50 ≥ 1050, and 800 + 50 < 1050: the virtual size as it is.
  EXPECT_EQ(Renderer::BackBufferSizeFor(false, AspectMode::Screen16x10, {1680, 1050}),
            (ScreenSize{1280, 800}));
  // Too high for 768: 1024 wide, and 640 + 50 < 768 keeps it.
  EXPECT_EQ(Renderer::BackBufferSizeFor(false, AspectMode::Screen16x10, {1366, 768}),
            (ScreenSize{1024, 640}));
  // Still too high at 1024 wide: 800 wide (600 + 50 ≥ 600 is not checked again).
  EXPECT_EQ(Renderer::BackBufferSizeFor(false, AspectMode::Screen4x3, {800, 600}),
            (ScreenSize{800, 600}));
  EXPECT_EQ(Renderer::BackBufferSizeFor(false, AspectMode::Screen3x2, {1024, 700}),
            (ScreenSize{800, 533}));
  // Doubled when twice the height fits with 50 to spare.
  EXPECT_EQ(Renderer::BackBufferSizeFor(false, AspectMode::Screen4x3, {3840, 2160}),
            (ScreenSize{2048, 1536}));
  EXPECT_EQ(Renderer::BackBufferSizeFor(false, AspectMode::Screen16x9, {2560, 1490}),
            (ScreenSize{1280, 720}));
  EXPECT_EQ(Renderer::BackBufferSizeFor(false, AspectMode::Screen16x9, {2560, 1491}),
            (ScreenSize{2560, 1440}));
}

TEST_F(ScreenTest, TransformsMapTheVirtualScreenWithTheHalfPixelOffset) {
  Start(AspectMode::Screen16x9);
  renderer->BeginFrame();
  const auto transforms = device->CallsOf(Op::Transform);
  ASSERT_EQ(transforms.size(), 3u);
  EXPECT_EQ(transforms[0].a, int(TransformKind::View));
  EXPECT_EQ(transforms[1].a, int(TransformKind::Projection));
  EXPECT_EQ(transforms[2].a, int(TransformKind::World));
  const Matrix& view = transforms[0].matrix;
  EXPECT_FLOAT_EQ(view.m[3][0], -0.5f);
  EXPECT_FLOAT_EQ(view.m[3][1], 0.5f);
  EXPECT_FLOAT_EQ(view.m[3][2], 150.0f);
  EXPECT_FLOAT_EQ(view.m[0][0], 1.0f);

  // The corners of the virtual screen, less the offset, land on the clip-space corners.
  const Matrix wvp = transforms[2].matrix * view * transforms[1].matrix;
  const float corner[4] = {640.5f, -360.5f, 0, 1};
  float clip[4] = {};
  for (int j = 0; j < 4; ++j)
    for (int k = 0; k < 4; ++k) clip[j] += corner[k] * wvp.m[k][j];
  EXPECT_FLOAT_EQ(clip[0], 1.0f);
  EXPECT_FLOAT_EQ(clip[1], -1.0f);
  EXPECT_NEAR(clip[2], 149.0f / 299.0f, 1e-6);
  EXPECT_FLOAT_EQ(clip[3], 1.0f);
  EXPECT_EQ(device->Last(Op::BeginScene) != nullptr, true);
}

TEST_F(ScreenTest, ScissorIsScaledAndClippedToTheBackBuffer) {
  device->desktop = {1366, 768};
  Start(AspectMode::Screen16x10);  // 1024 × 640 back buffer for 1280 × 800: s = 0.8
  auto scissor = [&](int x, int y, int w, int h) {
    renderer->SetScissor(x, y, w, h);
    const auto* c = device->Last(Op::Scissor);
    return std::array<int, 4>{c->a, c->b, c->c, c->d};
  };
  EXPECT_EQ(scissor(100, 50, 200, 101), (std::array<int, 4>{80, 40, 240, 120}));
  // Partly outside on the right and bottom: clipped.
  EXPECT_EQ(scissor(1200, 700, 400, 400), (std::array<int, 4>{960, 560, 1024, 640}));
  // Entirely outside: empty.
  const auto outside = scissor(1500, 900, 10, 10);
  EXPECT_EQ(outside[0], outside[2]);
  EXPECT_EQ(outside[1], outside[3]);
  // Partly outside on the left and top: the right and bottom edges stay where they were.
  EXPECT_EQ(scissor(-100, -50, 200, 100), (std::array<int, 4>{0, 0, 80, 40}));
  EXPECT_EQ(scissor(-300, 0, 200, 100), (std::array<int, 4>{0, 0, 0, 80}));
  EXPECT_EQ(scissor(10, 10, -5, 20), (std::array<int, 4>{8, 8, 8, 24}));
}

TEST_F(ScreenTest, WideBackgroundShowsTheCentreOnlyOnNarrowMenus) {
  Start(AspectMode::Screen4x3);
  renderer->DrawWideBackground(0xFF808080, false);
  renderer->Flush();
  auto v = device->lastVertices;
  ASSERT_EQ(v.size(), 4u);
  EXPECT_FLOAT_EQ(v[0].x, -512);
  EXPECT_FLOAT_EQ(v[0].y, 384);
  EXPECT_FLOAT_EQ(v[2].x, 512);
  EXPECT_FLOAT_EQ(v[2].y, -384);
  EXPECT_FLOAT_EQ(v[0].v, 0.125f);
  EXPECT_FLOAT_EQ(v[2].v, 0.875f);
  EXPECT_EQ(v[0].colour, 0xFF808080u);

  // The level screen, and every other mode, get the side strips too.
  for (auto [mode, level] : {std::pair{0, true}, std::pair{3, false}}) {
    renderer->SetAspectMode(AspectMode(mode));
    renderer->DrawWideBackground(kWhite, level);
    renderer->Flush();
    v = device->lastVertices;
    ASSERT_EQ(v.size(), 12u);
    // Centre.
    EXPECT_FLOAT_EQ(v[0].x, -512);
    EXPECT_FLOAT_EQ(v[2].x, 512);
    // Right strip from the top rows, read rotated.
    EXPECT_FLOAT_EQ(v[4].x, 512);
    EXPECT_FLOAT_EQ(v[4].y, -384);
    EXPECT_FLOAT_EQ(v[6].x, 640);
    EXPECT_FLOAT_EQ(v[6].y, 384);
    EXPECT_FLOAT_EQ(v[5].u, 0.0f);
    EXPECT_FLOAT_EQ(v[5].v, 0.125f);
    EXPECT_FLOAT_EQ(v[7].u, 0.75f);
    // Left strip from the bottom rows.
    EXPECT_FLOAT_EQ(v[8].x, -640);
    EXPECT_FLOAT_EQ(v[10].x, -512);
    EXPECT_FLOAT_EQ(v[8].v, 0.875f);
    EXPECT_FLOAT_EQ(v[10].v, 1.0f);
  }
}

class ScreenFrameTest : public RecordingRendererTest {
 protected:
  void SetUp() override { Start(AspectMode::Screen16x10); }

  std::vector<Vertex> Draw() {
    device->ClearLog();
    renderer->DrawScreenFrame();
    renderer->Flush();
    return device->Count(Op::DrawQuads) ? device->lastVertices : std::vector<Vertex>{};
  }
};

TEST_F(ScreenFrameTest, OnlyMode4HasAFrame) {
  for (int mode = 0; mode < 4; ++mode) {
    renderer->SetAspectMode(AspectMode(mode));
    EXPECT_TRUE(Draw().empty());
    EXPECT_TRUE(device->calls.empty());
  }
}

TEST_F(ScreenFrameTest, WithoutTheSpriteTwoPlainWhiteBandsOfThreeTiles) {
  Texture other;
  other.deviceTexture = 5;
  renderer->BindTexture(&other);
  const auto v = Draw();
  EXPECT_EQ(device->Last(Op::BindTexture)->b, 0);  // untextured
  ASSERT_EQ(v.size(), 3u * 2u * 4u);
  for (int i = 0; i < 3; ++i) {
    const Vertex* top = &v[size_t(i) * 8];
    const Vertex* bottom = top + 4;
    const float cx = float(i) * 800 - 640;
    EXPECT_FLOAT_EQ(top[0].x, cx - 400);
    EXPECT_FLOAT_EQ(top[2].x, cx + 400);
    EXPECT_FLOAT_EQ(top[0].y, 400);
    EXPECT_FLOAT_EQ(top[2].y, 384);
    EXPECT_FLOAT_EQ(bottom[0].y, -384);
    EXPECT_FLOAT_EQ(bottom[2].y, -400);
    EXPECT_EQ(top[0].colour, kWhite);
  }
}

TEST_F(ScreenFrameTest, TheSpriteIsLookedUpOnceAndTiled) {
  Texture frame;
  frame.deviceTexture = 11;
  int lookups = 0;
  renderer->SetScreenFrameLookup([&]() -> std::optional<ScreenFrameSprite> {
    ++lookups;
    return ScreenFrameSprite{&frame, {0, 0.5f, 1, 0.75f}, 512, 20};
  });
  auto v = Draw();
  v = Draw();
  EXPECT_EQ(lookups, 1);
  EXPECT_EQ(device->Count(Op::BindTexture), 0);        // still bound from the first frame
  const int count = int(std::ceil(1280.0 / 512)) + 1;  // 4
  ASSERT_EQ(v.size(), size_t(count) * 8);
  const Vertex* last = &v[size_t(count - 1) * 8];
  EXPECT_FLOAT_EQ(last[0].x, 3 * 512 - 640 - 256);
  EXPECT_FLOAT_EQ(last[2].y, 380);
  EXPECT_FLOAT_EQ(last[4].y, -380);
  EXPECT_FLOAT_EQ(last[0].v, 0.5f);
  EXPECT_FLOAT_EQ(last[2].v, 0.75f);
}

TEST_F(ScreenFrameTest, ASpriteWithoutWidthFallsBackToThePlainBand) {
  for (float width : {0.0f, -3.0f, NAN}) {
    Texture frame;
    renderer->SetScreenFrameLookup([&]() -> std::optional<ScreenFrameSprite> {
      return ScreenFrameSprite{&frame, kFullTexRect, width, 20};
    });
    const auto v = Draw();
    ASSERT_EQ(v.size(), 24u) << width;
    EXPECT_FLOAT_EQ(v[0].y - v[2].y, 16.0f);
  }
  renderer->SetScreenFrameLookup([] { return std::optional<ScreenFrameSprite>{}; });
  EXPECT_EQ(Draw().size(), 24u);
}

}  // namespace
