// The frame overlays on the recording device: where the frame-rate line, the fade, the
// cursor and the loading sign land, and with which state.
#include <gtest/gtest.h>

#include "RecordingRenderer.h"
#include "TextTestSupport.h"
#include "graphics/FontManager.h"
#include "graphics/FrameOverlays.h"

namespace {

class OverlayTest : public RecordingRendererTest {
 protected:
  void SetUp() override { Start(AspectMode::Screen4x3); }
};

TEST_F(OverlayTest, FrameRateLineCountsTheFrameBeforeItself) {
  texttest::TempDir dir;
  dir.Write("font1.fnt", texttest::FontXml(texttest::GlyphsFor(u"0123456789 fpstridpq"), "p1.png"));
  dir.Write("font2.fnt", texttest::FontXml(texttest::GlyphsFor(u"0123456789 fpstridpq"), "p2.png"));
  FileSystem files;
  files.Mount(dir.Content());
  texttest::FakeResources resources;
  resources.pages = {"p1", "p2"};
  FontManager fonts(files, *renderer, resources);
  fonts.Load();
  fonts.SelectFont(1);

  renderer->BeginFrame();
  renderer->AddQuad({0, 0, 1, 1});
  renderer->AddQuad({0, 0, 1, 1});
  renderer->Flush();  // 4 triangles in 1 call so far
  device->ClearLog();
  DrawFrameRate(fonts, *renderer, 59.9f, 0xFFFFFFFF);
  const auto draws = device->CallsOf(Op::DrawQuads);
  ASSERT_EQ(draws.size(), 1u);  // both texts in one batch
  // "59 fps" (6 glyphs with the space) and "4 tri 1 dip" (11).
  EXPECT_EQ(draws[0].a, (6 + 11) * 4);
  const std::vector<Vertex>& v = device->lastVertices;
  // Glyphs 10 px wide at line height 20, drawn at 18: 9 units; top at 384 - 10 + 9.
  EXPECT_FLOAT_EQ(v[0].x, -75.0f);
  EXPECT_FLOAT_EQ(v[0].y, 383.0f);
  EXPECT_FLOAT_EQ(v[6 * 4].x, 25.0f);
  EXPECT_EQ(fonts.CurrentIndex(), 1);  // the caller's font is back
}

TEST_F(OverlayTest, FadeIsAnUntexturedBlackScreenThroughTheGivenShader) {
  const Shader noTex{"no_tex", 77};
  Texture bound;
  bound.deviceTexture = 5;
  renderer->BindTexture(&bound);
  device->ClearLog();
  DrawFade(*renderer, &noTex, 127.9f);
  renderer->Flush();
  const auto shaders = device->CallsOf(Op::SetShader);
  ASSERT_EQ(shaders.size(), 2u);
  EXPECT_EQ(shaders[0].a, 77);
  EXPECT_EQ(shaders[1].a, 0);
  ASSERT_NE(device->Last(Op::BindTexture), nullptr);
  EXPECT_EQ(device->Last(Op::BindTexture)->b, 0);
  const std::vector<Vertex>& v = device->lastVertices;
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].colour, 0x7F000000u);
  EXPECT_FLOAT_EQ(v[0].x, -512.0f);
  EXPECT_FLOAT_EQ(v[2].x, 512.0f);
  // Out-of-range levels are clamped rather than wrapped.
  DrawFade(*renderer, nullptr, 300.0f);
  renderer->Flush();
  EXPECT_EQ(device->lastVertices[0].colour, 0xFF000000u);
  DrawFade(*renderer, nullptr, -4.0f);
  renderer->Flush();
  EXPECT_EQ(device->lastVertices[0].colour, 0x00000000u);
}

TEST_F(OverlayTest, CursorHangsFromThePointerAndTheLoadingSignIsCentred) {
  Texture cursor;
  cursor.deviceTexture = 9;
  const TexRect rect{0.5f, 0.0f, 1.0f, 0.5f};
  DrawCursor(*renderer, &cursor, rect, 100.0f, 50.0f, 32.0f, 40.0f, kWhite);
  renderer->Flush();
  const std::vector<Vertex>& v = device->lastVertices;
  ASSERT_EQ(v.size(), 4u);
  // The picture's corner one unit left of and one below the pointer (screen rows go down).
  EXPECT_FLOAT_EQ(v[0].x, 99.0f);
  EXPECT_FLOAT_EQ(v[0].y, 49.0f);
  EXPECT_FLOAT_EQ(v[2].x, 132.0f);
  EXPECT_FLOAT_EQ(v[2].y, 10.0f);
  EXPECT_FLOAT_EQ(v[0].u, 0.5f);
  DrawLoadingSign(*renderer, &cursor, rect, 64.0f, 32.0f, 0x80FFFFFF);
  renderer->Flush();
  EXPECT_FLOAT_EQ(device->lastVertices[0].x, -32.0f);
  EXPECT_FLOAT_EQ(device->lastVertices[0].y, 16.0f);
  EXPECT_EQ(device->lastVertices[0].colour, 0x80FFFFFFu);
  // No picture: nothing drawn.
  device->ClearLog();
  DrawCursor(*renderer, nullptr, rect, 0, 0, 32, 32, kWhite);
  renderer->Flush();
  EXPECT_EQ(device->Count(Op::DrawQuads), 0);
}

}  // namespace
