// The pixel layout each texture file format decodes to: channel order, alpha, row order,
// padding, and the packed layout of wide backgrounds.
#include <gtest/gtest.h>

#include <cstring>

#include "ImageFiles.h"
#include "graphics/ImageDecoder.h"

namespace {

using Pixel = std::vector<int>;

// Every picture pixel of a decoded texture equals expected(x, y) within a tolerance, and
// every padding byte is zero.
template <class Expected>
::testing::AssertionResult PixelsAre(const DecodedImage& image, Expected expected,
                                     int tolerance = 0) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Pixel got = TexturePixel(image.pixels, image.width, x, y);
      const bool inside = x < image.imageWidth && y < image.imageHeight;
      const Pixel want = inside ? expected(x, y) : Pixel{0, 0, 0, 0};
      for (int c = 0; c < 4; ++c)
        if (std::abs(got[c] - want[c]) > (inside ? tolerance : 0))
          return ::testing::AssertionFailure()
                 << "pixel (" << x << ", " << y << ") is " << got[0] << "," << got[1] << ","
                 << got[2] << "," << got[3] << ", expected " << want[0] << "," << want[1] << ","
                 << want[2] << "," << want[3];
    }
  return ::testing::AssertionSuccess();
}

auto Exactly(const RgbaPicture& picture) {
  return [&picture](int x, int y) {
    const uint8_t* p = picture.At(x, y);
    return Pixel{p[0], p[1], p[2], p[3]};
  };
}

// A picture of 16 × 16 blocks of flat colour, which JPEG keeps nearly exactly away from the
// block edges.
RgbaPicture BlockPicture(int width, int height) {
  RgbaPicture picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int bx = x / 16, by = y / 16;
      picture.Set(x, y, uint8_t(bx * 40 % 256), uint8_t(by * 60 % 256),
                  uint8_t((bx + by) % 2 ? 200 : 30), uint8_t((bx * 16 + by * 8) % 256));
    }
  return picture;
}

// Pixels of a decoded block picture: close to the picture inside the blocks, whatever at
// their edges, zero in the padding.
::testing::AssertionResult BlocksAre(const DecodedImage& image, const RgbaPicture& picture,
                                     bool alphaPlane) {
  return PixelsAre(
      image,
      [&](int x, int y) -> Pixel {
        const Pixel got = TexturePixel(image.pixels, image.width, x, y);
        const uint8_t* p = picture.At(x, y);
        const Pixel want{p[0], p[1], p[2], alphaPlane ? p[3] : 255};
        const bool edge = x % 16 < 3 || x % 16 > 12 || y % 16 < 3 || y % 16 > 12;
        return edge ? Pixel{got[0], got[1], got[2], want[3]} : want;
      },
      6);
}

TEST(ImageDecoderTest, PngChannelLayoutsBecomeBgraWithAlpha) {
  const RgbaPicture picture = PatternPicture(13, 7, true);
  struct Case {
    int channels;
    int bitDepth;
  };
  for (const Case c : {Case{1, 8}, Case{2, 8}, Case{3, 8}, Case{4, 8}, Case{4, 16}, Case{1, 16}}) {
    SCOPED_TRACE(testing::Message() << c.channels << " channels, " << c.bitDepth << " bits");
    const auto image = DecodePng(EncodePng(picture, c.channels, c.bitDepth), false);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format, PixelFormat::BGRA8);
    EXPECT_TRUE(image->alpha);
    EXPECT_EQ(image->width, 13);
    EXPECT_EQ(image->height, 7);
    EXPECT_TRUE(PixelsAre(*image, [&](int x, int y) {
      const uint8_t* p = picture.At(x, y);
      const bool colour = c.channels >= 3;
      const bool alpha = c.channels == 2 || c.channels == 4;
      return Pixel{p[0], colour ? p[1] : p[0], colour ? p[2] : p[0], alpha ? p[3] : 255};
    }));
  }
  // Palette entries and their transparency come out as full colours with alpha.
  RgbaPicture few(6, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) few.Set(x, y, uint8_t(x * 40), uint8_t(y * 60), 9, uint8_t(x * 50));
  const auto palette = DecodePng(EncodePalettePng(few), false);
  ASSERT_TRUE(palette);
  EXPECT_TRUE(PixelsAre(*palette, Exactly(few)));
}

TEST(ImageDecoderTest, PicturesArePaddedToPowersOfTwoOnlyWhenAsked) {
  const RgbaPicture picture = PatternPicture(300, 200, true);
  const auto padded = DecodePng(EncodePng(picture, 4), true);
  ASSERT_TRUE(padded);
  EXPECT_EQ(padded->imageWidth, 300);
  EXPECT_EQ(padded->imageHeight, 200);
  EXPECT_EQ(padded->width, 512);
  EXPECT_EQ(padded->height, 256);
  EXPECT_TRUE(PixelsAre(*padded, Exactly(picture)));  // zero to the right and below

  const auto exact = DecodeWebp(EncodeWebpLossless(picture), false);
  ASSERT_TRUE(exact);
  EXPECT_EQ(exact->width, 300);
  EXPECT_EQ(exact->height, 200);
  EXPECT_TRUE(PixelsAre(*exact, Exactly(picture)));
  const auto webpPadded = DecodeWebp(EncodeWebpLossless(picture), true);
  ASSERT_TRUE(webpPadded);
  EXPECT_EQ(webpPadded->width, 512);
  EXPECT_TRUE(PixelsAre(*webpPadded, Exactly(picture)));
}

TEST(ImageDecoderTest, JpegIsOpaqueAndJpaTakesItsAlphaPlane) {
  const RgbaPicture picture = BlockPicture(80, 48);
  const auto jpeg = DecodeJpeg(EncodeJpeg(picture, 100), true);
  ASSERT_TRUE(jpeg);
  EXPECT_TRUE(jpeg->alpha);
  EXPECT_EQ(jpeg->width, 128);
  EXPECT_EQ(jpeg->height, 64);
  EXPECT_TRUE(BlocksAre(*jpeg, picture, false));

  // The alpha plane is lossless.
  const auto jpa = DecodeJpa(EncodeJpa(picture, 100), true);
  ASSERT_TRUE(jpa);
  EXPECT_EQ(jpa->width, 128);
  EXPECT_TRUE(BlocksAre(*jpa, picture, true));

  const auto grey = DecodeJpeg(EncodeJpeg(picture, 100, true), false);
  ASSERT_TRUE(grey);
  const Pixel p = TexturePixel(grey->pixels, grey->width, 40, 24);
  EXPECT_EQ(p[0], p[1]);
  EXPECT_EQ(p[1], p[2]);
  EXPECT_NEAR(p[0], picture.At(40, 24)[0], 6);
}

TEST(ImageDecoderTest, TgaRowsAreTurnedUprightAndNeverPadded) {
  const RgbaPicture picture = PatternPicture(5, 3, true);
  const auto bgra = DecodeTga(EncodeTga(picture, 32));
  ASSERT_TRUE(bgra);
  EXPECT_EQ(bgra->width, 5);
  EXPECT_TRUE(bgra->alpha);
  EXPECT_TRUE(PixelsAre(*bgra, Exactly(picture)));
  const auto topDown = DecodeTga(EncodeTga(picture, 32, true));
  ASSERT_TRUE(topDown);
  EXPECT_TRUE(PixelsAre(*topDown, Exactly(picture)));
  const auto rgb = DecodeTga(EncodeTga(picture, 24));
  ASSERT_TRUE(rgb);
  EXPECT_TRUE(PixelsAre(*rgb, [&](int x, int y) {
    const uint8_t* p = picture.At(x, y);
    return Pixel{p[0], p[1], p[2], 255};
  }));
  const auto mask = DecodeTga(EncodeTga(picture, 8));
  ASSERT_TRUE(mask);
  EXPECT_TRUE(PixelsAre(*mask, [&](int x, int y) {
    return Pixel{255, 255, 255, picture.At(x, y)[3]};
  }));

  // The identification field is skipped.
  std::vector<uint8_t> withId = EncodeTga(picture, 32);
  withId[0] = 3;
  withId.insert(withId.begin() + 18, {'a', 'b', 'c'});
  const auto skipped = DecodeTga(withId);
  ASSERT_TRUE(skipped);
  EXPECT_TRUE(PixelsAre(*skipped, Exactly(picture)));
}

TEST(ImageDecoderTest, ZifHeadersGiveSizesFormatsAndTheWideFlag) {
  const RgbaPicture picture = PatternPicture(6, 3, true);
  // The body is stored as B, G, R, A in a texture of the header's size, which is kept.
  const auto image = DecodeZif(EncodeZif(picture, 8, 4, false));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->format, PixelFormat::RGBA8);
  EXPECT_EQ(image->imageWidth, 6);
  EXPECT_EQ(image->width, 8);
  EXPECT_EQ(image->height, 4);
  EXPECT_TRUE(image->alpha);
  EXPECT_FALSE(image->packedWide);
  EXPECT_TRUE(PixelsAre(*image, Exactly(picture)));

  EXPECT_TRUE(DecodeZif(EncodeZif(picture, 6, 3, true))->packedWide);

  struct Code {
    int code;
    PixelFormat format;
    bool alpha;
  };
  for (const Code c : {Code{1, PixelFormat::ARGB4444, true}, Code{2, PixelFormat::ARGB1555, true},
                       Code{3, PixelFormat::RGB565, false}, Code{4, PixelFormat::RGB8, false},
                       Code{7, PixelFormat::RGBA8, true}}) {
    const int bpp = BytesPerPixel(c.format);
    std::vector<uint8_t> body(size_t(4) * 2 * bpp);
    for (size_t i = 0; i < body.size(); ++i) body[i] = uint8_t(i * 13);
    const auto decoded = DecodeZif(EncodeZifRaw(c.code, 4, 2, 4, 2, body));
    ASSERT_TRUE(decoded) << c.code;
    EXPECT_EQ(decoded->format, c.format) << c.code;
    EXPECT_EQ(decoded->alpha, c.alpha) << c.code;
    EXPECT_EQ(decoded->pixels, body) << c.code;
  }
}

// Where picture pixel (x, y) of a 1280k × 768k picture lands in the packed square texture.
std::pair<int, int> PackedPosition(int x, int y, int k) {
  const int side = 1024 * k, strip = 128 * k, h = 768 * k;
  if (x < strip) return {h - 1 - y, h + strip + x};             // left strip, below
  if (x >= strip + side) return {h - 1 - y, x - strip - side};  // right strip, on top
  return {x - strip, strip + y};                                // centre
}

TEST(ImageDecoderTest, WideBackgroundsArePackedIntoASquare) {
  for (int k : {1, 2}) {
    SCOPED_TRACE(testing::Message() << "k = " << k);
    RgbaPicture picture(1280 * k, 768 * k);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
        picture.Set(x, y, uint8_t(x), uint8_t(x >> 8 | y << 4), uint8_t(y >> 4), 255);
    // Never padded, even where powers of two are required.
    const auto image = DecodeImage(ImageFileType::Png, EncodePng(picture, 3), true);
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->packedWide);
    EXPECT_EQ(image->width, 1024 * k);
    EXPECT_EQ(image->height, 1024 * k);
    EXPECT_EQ(image->imageWidth, 1024 * k);

    std::vector<uint8_t> expected(size_t(image->width) * image->height * 4, 0);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x) {
        const auto [tx, ty] = PackedPosition(x, y, k);
        const uint8_t* p = picture.At(x, y);
        uint8_t* d = &expected[(size_t(ty) * image->width + tx) * 4];
        d[0] = p[2], d[1] = p[1], d[2] = p[0], d[3] = 255;
      }
    EXPECT_TRUE(image->pixels == expected);
  }

  // Any other size is an ordinary picture.
  const auto hd720 =
      DecodeImage(ImageFileType::Zif, EncodeZif(RgbaPicture(1280, 720), 1280, 720, false), true);
  ASSERT_TRUE(hd720);
  EXPECT_FALSE(hd720->packedWide);
  EXPECT_EQ(hd720->width, 1280);
  const auto jpeg720 = DecodeImage(ImageFileType::Jpg, EncodeJpeg(BlockPicture(1280, 720)), true);
  ASSERT_TRUE(jpeg720);
  EXPECT_FALSE(jpeg720->packedWide);
  EXPECT_EQ(jpeg720->width, 2048);
  EXPECT_EQ(jpeg720->height, 1024);
}

}  // namespace
