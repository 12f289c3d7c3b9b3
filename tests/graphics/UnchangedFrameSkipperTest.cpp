#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "graphics/RecordingDevice.h"
#include "graphics/Renderer.h"
#include "graphics/UnchangedFrameSkipper.h"

using Op = RecordingDevice::Op;

namespace {

// A Renderer drawing through the skipper onto a recording device.
class UnchangedFrameSkipperTest : public ::testing::Test {
 protected:
  UnchangedFrameSkipperTest() {
    auto recording = std::make_unique<RecordingDevice>();
    device = recording.get();
    auto skipping = std::make_unique<UnchangedFrameSkipper>(std::move(recording));
    skipper = skipping.get();
    renderer = std::make_unique<Renderer>(std::move(skipping));
    EXPECT_TRUE(renderer->Init(false, false));
    Frame(0);  // start-up's calls with the first picture
    Frame(0);  // the picture alone
    device->ClearLog();
  }

  // One frame: a clear and a quad at x.
  void Frame(float x) {
    renderer->BeginFrame();
    renderer->Clear(0xFF102030u);
    renderer->AddQuad({x, 0, x + 10, 10});
    renderer->EndFrame();
    renderer->Present();
  }

  RecordingDevice* device = nullptr;
  UnchangedFrameSkipper* skipper = nullptr;
  std::unique_ptr<Renderer> renderer;
};

TEST_F(UnchangedFrameSkipperTest, AFrameLikeTheOneShownNeverReachesTheDevice) {
  Frame(0);
  Frame(0);
  EXPECT_EQ(device->Count(Op::Present), 0);
  EXPECT_EQ(device->Count(Op::DrawQuads), 0);
  EXPECT_EQ(skipper->skipped(), 2);

  // One quad moved: the whole frame is played and shown, then stands again.
  Frame(5);
  EXPECT_EQ(device->Count(Op::Present), 1);
  EXPECT_EQ(device->Count(Op::Clear), 1);
  ASSERT_EQ(device->Count(Op::DrawQuads), 1);
  EXPECT_FLOAT_EQ(device->lastVertices[0].x, 5.0f);
  Frame(5);
  EXPECT_EQ(device->Count(Op::Present), 1);
  // Back to the earlier picture: it is not the one on screen, so it is drawn.
  Frame(0);
  EXPECT_EQ(device->Count(Op::Present), 2);
}

TEST_F(UnchangedFrameSkipperTest, ASpoiledWindowOrANewResourceShowsTheNextFrame) {
  skipper->Invalidate();
  Frame(0);
  EXPECT_EQ(device->Count(Op::Present), 1);
  Frame(0);
  EXPECT_EQ(device->Count(Op::Present), 1);

  // A texture made between frames may take the handle a drawn one had: draw afresh.
  const uint8_t pixel[4] = {1, 2, 3, 4};
  const TextureLevel level{1, 1, pixel};
  const DeviceTextureHandle texture =
      skipper->CreateTexture({1, 1, PixelFormat::BGRA8, true, false, 1}, {&level, 1});
  Frame(0);
  EXPECT_EQ(device->Count(Op::Present), 2);

  // Released in the middle of a frame: the draws kept so far reach the device first.
  device->ClearLog();
  renderer->BeginFrame();
  renderer->AddQuad({0, 0, 10, 10});
  renderer->Flush();
  skipper->ReleaseTexture(texture);
  renderer->EndFrame();
  renderer->Present();
  const auto draw = std::find_if(device->calls.begin(), device->calls.end(),
                                 [](const auto& c) { return c.op == Op::DrawQuads; });
  const auto release = std::find_if(device->calls.begin(), device->calls.end(),
                                    [](const auto& c) { return c.op == Op::ReleaseTexture; });
  ASSERT_NE(draw, device->calls.end());
  ASSERT_NE(release, device->calls.end());
  EXPECT_LT(draw - device->calls.begin(), release - device->calls.begin());
  EXPECT_EQ(device->Count(Op::Present), 1);
}

TEST_F(UnchangedFrameSkipperTest, AScreenshotOfAStandingFrameReadsItsPicture) {
  Frame(0);  // left out: the device holds the earlier frame's picture only on screen
  device->ClearLog();
  renderer->BeginFrame();
  renderer->Clear(0xFF102030u);
  renderer->AddQuad({0, 0, 10, 10});
  renderer->EndFrame();
  std::vector<uint8_t> rgba;
  int width = 0, height = 0;
  skipper->ReadBackBuffer(rgba, width, height);
  // The frame was drawn on the device before its back buffer was read, and is then shown.
  ASSERT_GE(device->calls.size(), 3u);
  EXPECT_EQ(device->calls.back().op, Op::ReadBack);
  EXPECT_EQ(device->Count(Op::DrawQuads), 1);
  EXPECT_EQ(device->Count(Op::Clear), 1);
  renderer->Present();
  EXPECT_EQ(device->Count(Op::Present), 1);
}

}  // namespace

namespace {

TEST_F(UnchangedFrameSkipperTest, KeptDrawsReachTheDeviceWithTheirValuesAfterOddSizedCalls) {
  // A one-byte switch before each draw leaves the kept vertices at odd offsets.
  const Vertex quad[4] = {{1, 2, 0, 0xFF0000FFu, 0, 0},
                          {3, 2, 0, 0xFF00FF00u, 1, 0},
                          {3, 4, 0, 0xFFFF0000u, 1, 1},
                          {1, 4, 0, 0x80FFFFFFu, 0, 1}};
  const uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
  skipper->BeginScene();
  skipper->SetFilter(true);
  skipper->DrawIndexed(quad, 4, indices, 6);
  skipper->SetAddressU(false);
  skipper->DrawQuads(quad, 4, 6);
  EXPECT_EQ(device->Count(Op::DrawIndexed), 0) << "kept until the frame is presented";
  skipper->EndScene();
  skipper->Present();
  ASSERT_EQ(device->Count(Op::DrawIndexed), 1);
  ASSERT_EQ(device->Count(Op::DrawQuads), 1);
  ASSERT_EQ(device->lastVertices.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(device->lastVertices[size_t(i)].x, quad[i].x);
    EXPECT_FLOAT_EQ(device->lastVertices[size_t(i)].y, quad[i].y);
    EXPECT_EQ(device->lastVertices[size_t(i)].colour, quad[i].colour);
  }
  EXPECT_EQ(device->lastIndices, std::vector<uint16_t>(indices, indices + 6));
}

}  // namespace
