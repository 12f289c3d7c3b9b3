// Device textures: halving oversize images, mip chains down to 1×1, and the per-format
// averaging behind both.
#include <cstring>

#include "RecordingRenderer.h"
#include "graphics/PixelOps.h"

namespace {

std::vector<uint8_t> Words16(std::initializer_list<uint16_t> words) {
  std::vector<uint8_t> bytes(words.size() * 2);
  std::memcpy(bytes.data(), words.begin(), bytes.size());
  return bytes;
}

uint16_t Word16(const std::vector<uint8_t>& bytes, size_t index) {
  uint16_t w;
  std::memcpy(&w, bytes.data() + index * 2, 2);
  return w;
}

TEST(PixelOpsTest, HalvingAveragesEachChannelOfA2x2Block) {
  // 4 × 2 BGRA: the left block averages to 100/50/0/255 (rounded), the right one to 3/0/0/1.
  const std::vector<uint8_t> image = {
      100, 0, 0, 255, 100, 100, 0, 255, 0, 0, 0, 0, 2, 0, 0, 0,
      100, 0, 0, 255, 100, 100, 0, 255, 4, 0, 0, 2, 6, 0, 0, 2,
  };
  const auto half = HalveImage(image.data(), 4, 2, PixelFormat::BGRA8);
  EXPECT_EQ(half, (std::vector<uint8_t>{100, 50, 0, 255, 3, 0, 0, 1}));

  // 3-byte pixels, and a side of 1 averages along the other side only.
  const std::vector<uint8_t> column = {10, 20, 30, 30, 40, 50};
  EXPECT_EQ(HalveImage(column.data(), 1, 2, PixelFormat::RGB8), (std::vector<uint8_t>{20, 30, 40}));
}

TEST(PixelOpsTest, SixteenBitPixelsAreAveragedPerField) {
  // 5-6-5: red 31 and 0, green 63 and 0 average to 16 and 32 (rounded), blue stays 0.
  const auto rgb565 = Words16({0xF800, 0x07E0, 0xF800, 0x07E0});
  EXPECT_EQ(Word16(HalveImage(rgb565.data(), 2, 2, PixelFormat::RGB565), 0),
            uint16_t(16 << 11 | 32 << 5));
  // 1-5-5-5: two of four pixels opaque round to opaque; one of four to transparent.
  const auto half = Words16({0x8000, 0x8000, 0x0000, 0x0000});
  EXPECT_EQ(Word16(HalveImage(half.data(), 2, 2, PixelFormat::ARGB1555), 0), 0x8000);
  const auto quarter = Words16({0x8000, 0x0000, 0x0000, 0x0000});
  EXPECT_EQ(Word16(HalveImage(quarter.data(), 2, 2, PixelFormat::ARGB1555), 0), 0x0000);
  // 4-4-4-4: every nibble on its own, no carries between fields.
  const auto nibbles = Words16({0xF0F0, 0xF0F0, 0x0F0F, 0x0F0F});
  EXPECT_EQ(Word16(HalveImage(nibbles.data(), 2, 2, PixelFormat::ARGB4444), 0), 0x8888);
}

TEST(PixelOpsTest, MipChainsReachOnePixel) {
  EXPECT_EQ(MipLevelCount(1, 1), 1);
  EXPECT_EQ(MipLevelCount(1024, 2), 11);
  EXPECT_EQ(MipLevelCount(300, 200), 9);
}

class DeviceTextureTest : public RecordingRendererTest {
 protected:
  void SetUp() override { Start(); }

  const RecordingDevice::RecordedTexture& Recorded(const Texture& t) {
    return device->textures.at(t.deviceTexture);
  }
};

TEST_F(DeviceTextureTest, EveryMipLevelIsFilledDownTo1x1) {
  // 1024 × 2 with alternating rows of red and blue: each level below is their average.
  Texture t;
  t.width = 1024;
  t.height = 2;
  t.flags = kTextureMipmaps | kTextureAlpha;
  std::vector<uint8_t> pixels(1024 * 2 * 4);
  for (size_t i = 0; i < 1024; ++i) {
    const uint8_t red[4] = {0, 0, 200, 255}, blue[4] = {200, 0, 0, 255};
    std::memcpy(&pixels[i * 4], red, 4);
    std::memcpy(&pixels[(1024 + i) * 4], blue, 4);
  }
  renderer->CreateDeviceTexture(t, pixels.data());
  ASSERT_NE(t.deviceTexture, 0u);
  const auto& rec = Recorded(t);
  EXPECT_EQ(rec.desc.levels, 11);
  ASSERT_EQ(rec.levels.size(), 11u);
  for (int i = 1; i < 11; ++i) {
    const auto& level = rec.levels[size_t(i)];
    ASSERT_EQ(level.size(), size_t(std::max(1, 1024 >> i)) * 4) << "level " << i;
    EXPECT_EQ(level[0], 100) << "level " << i;
    EXPECT_EQ(level[2], 100) << "level " << i;
    EXPECT_EQ(level[level.size() - 1], 255) << "level " << i;
  }
}

TEST_F(DeviceTextureTest, OversizeImagesAreHalvedUntilTheyFit) {
  device->maxTextureWidth = 64;
  device->maxTextureHeight = 64;
  Texture t;
  t.width = 256;
  t.height = 128;
  t.imageWidth = 200;
  t.imageHeight = 100;
  std::vector<uint8_t> pixels(256 * 128 * 4);
  for (size_t y = 0; y < 128; ++y)
    for (size_t x = 0; x < 256; ++x) pixels[(y * 256 + x) * 4] = uint8_t(x);  // ramp in blue
  renderer->CreateDeviceTexture(t, pixels.data());
  EXPECT_EQ(t.width, 64);
  EXPECT_EQ(t.height, 32);
  EXPECT_EQ(t.imageWidth, 50);
  EXPECT_EQ(t.imageHeight, 25);
  const auto& rec = Recorded(t);
  ASSERT_EQ(rec.levels.size(), 1u);
  ASSERT_EQ(rec.levels[0].size(), 64u * 32u * 4u);
  // Pixel 10 of the quarter-size image covers source columns 40..43.
  EXPECT_EQ(rec.levels[0][10 * 4], 42);  // (40+41+42+43)/4 rounded through two halvings
}

TEST_F(DeviceTextureTest, RenderTargetsAreEmptyAndRecreationReleasesTheOldObject) {
  Texture t;
  t.width = 64;
  t.height = 32;
  t.flags = kTextureRenderTarget;
  renderer->CreateDeviceTexture(t, nullptr);
  const DeviceTextureHandle first = t.deviceTexture;
  ASSERT_NE(first, 0u);
  EXPECT_TRUE(Recorded(t).desc.renderTarget);
  EXPECT_TRUE(Recorded(t).levels.empty());
  EXPECT_EQ(Recorded(t).desc.levels, 1);

  renderer->CreateDeviceTexture(t, nullptr);
  EXPECT_NE(t.deviceTexture, first);
  EXPECT_TRUE(device->textures.at(first).released);
}

TEST_F(DeviceTextureTest, ATextureWithoutDeviceObjectBindsNothing) {
  Texture t;
  t.width = 0;  // an empty size is never created
  t.height = 4;
  renderer->CreateDeviceTexture(t, nullptr);
  EXPECT_EQ(t.deviceTexture, 0u);
  EXPECT_EQ(device->Count(Op::CreateTexture), 0);
  renderer->BindTexture(&t);
  EXPECT_EQ(device->Last(Op::BindTexture)->b, 0);
}

}  // namespace
