// kcontent image: the bytes of the zif and jpa files, the wide-background packing, and what
// the command does with bad input.
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "data/TestSupport.h"
#include "kcontent/ImageCommand.h"
#include "kcontent/RgbaImage.h"
#include "kcontent/TextureWriters.h"

using namespace kcontent;
using testsupport::Bytes;
using testsupport::Get16;
using testsupport::Get32;
using testsupport::TempDir;

namespace {

int RunTool(const std::string& args, std::string* output = nullptr) {
  const std::string log = std::filesystem::temp_directory_path() /
                          ("kcontent-texture-test-" + std::to_string(getpid()) + ".log");
  const std::string command =
      std::string("'" KCONTENT_EXE "' ") + args + " >'" + log + "' 2>&1";
  const int status = std::system(command.c_str());
  if (output) {
    const Bytes text = testsupport::ReadBytes(log);
    output->assign(text.begin(), text.end());
  }
  std::filesystem::remove(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

RgbaImage Solid(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  RgbaImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = image.At(x, y);
      p[0] = r, p[1] = g, p[2] = b, p[3] = a;
    }
  }
  return image;
}

// A picture in which every pixel tells where it came from.
RgbaImage Coded(int w, int h) {
  RgbaImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = image.At(x, y);
      p[0] = uint8_t(x), p[1] = uint8_t(x >> 8 | y << 4), p[2] = uint8_t(y), p[3] = 255;
    }
  }
  return image;
}

Bytes Inflate(const uint8_t* data, size_t size, size_t expected) {
  Bytes out(expected + 16);
  uLongf length = uLongf(out.size());
  if (uncompress(out.data(), &length, data, uLong(size)) != Z_OK) return {};
  out.resize(length);
  return out;
}

struct ZifFile {
  uint32_t format = 0, flags = 0, imageW = 0, imageH = 0, texW = 0, texH = 0, rawSize = 0;
  Bytes pixels;
};

// Reads a zif the way the game's loader does, checking the sizes it relies on.
ZifFile ReadZif(const Bytes& file) {
  ZifFile z;
  EXPECT_GE(file.size(), kZifHeaderSize);
  if (file.size() < kZifHeaderSize) return z;
  z.format = Get16(file, 4);
  z.flags = file[6];
  z.imageW = Get32(file, 8);
  z.imageH = Get32(file, 12);
  z.texW = Get32(file, 16);
  z.texH = Get32(file, 20);
  z.rawSize = Get32(file, 24);
  EXPECT_EQ(Get32(file, 28), file.size() - kZifHeaderSize) << "compressed size field";
  z.pixels = Inflate(file.data() + kZifHeaderSize, file.size() - kZifHeaderSize, z.rawSize);
  EXPECT_EQ(z.pixels.size(), z.rawSize);
  return z;
}

void WritePicture(const std::string& path, const RgbaImage& image) {
  std::vector<uint8_t> png;
  std::string error;
  ASSERT_TRUE(EncodePng(image, false, png, error)) << error;
  testsupport::WriteBytes(path, png);
}

}  // namespace

TEST(KcontentZif, HeaderAndPaddedBgraPixels) {
  RgbaImage image(3, 2);
  for (int i = 0; i < 6; ++i) {
    uint8_t* p = image.pixels.data() + i * 4;
    p[0] = uint8_t(10 + i), p[1] = uint8_t(20 + i), p[2] = uint8_t(30 + i), p[3] = uint8_t(200 + i);
  }
  std::vector<uint8_t> file;
  std::string error;
  ImageJob job;  // zif, 8888, power-of-two texture
  ASSERT_TRUE(EncodeTexture(image, job, file, error)) << error;

  const ZifFile z = ReadZif(file);
  EXPECT_EQ(z.format, 0u);  // any code but 1..4 is 32-bit
  EXPECT_EQ(z.flags, 0u);
  EXPECT_EQ(file[7], 0);
  EXPECT_EQ(z.imageW, 3u);
  EXPECT_EQ(z.imageH, 2u);
  EXPECT_EQ(z.texW, 4u);
  EXPECT_EQ(z.texH, 2u);
  ASSERT_EQ(z.rawSize, 4u * 2u * 4u);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) {
      const uint8_t* p = &z.pixels[size_t(y * 4 + x) * 4];
      if (x == 3) {
        EXPECT_EQ(Bytes(p, p + 4), Bytes(4, 0)) << "padding at row " << y;
        continue;
      }
      const int i = y * 3 + x;
      EXPECT_EQ(Bytes(p, p + 4),
                (Bytes{uint8_t(30 + i), uint8_t(20 + i), uint8_t(10 + i), uint8_t(200 + i)}))
          << "pixel " << x << "," << y;
    }
  }

  job.padPowerOfTwo = false;
  ASSERT_TRUE(EncodeTexture(image, job, file, error));
  const ZifFile tight = ReadZif(file);
  EXPECT_EQ(tight.texW, 3u);
  EXPECT_EQ(tight.rawSize, 3u * 2u * 4u);
}

TEST(KcontentZif, SixteenAndTwentyFourBitPixels) {
  struct Case {
    const char* format;
    uint16_t code;
    RgbaImage pixel;
    Bytes expected;
  };
  const Case cases[] = {
      {"4444", 1, Solid(1, 1, 255, 0, 0, 255), {0x00, 0xF0 | 0x0F}},
      {"4444", 1, Solid(1, 1, 0, 0, 255, 128), {0x0F, 0x80}},  // alpha 128 -> 8
      {"4444", 1, Solid(1, 1, 0, 136, 0, 0), {0x80, 0x00}},
      {"1555", 2, Solid(1, 1, 255, 0, 0, 255), {0x00, 0xFC}},
      {"1555", 2, Solid(1, 1, 0, 255, 0, 127), {0xE0, 0x03}},  // alpha below half -> 0
      {"1555", 2, Solid(1, 1, 0, 0, 255, 128), {0x1F, 0x80}},
      {"565", 3, Solid(1, 1, 255, 0, 0, 0), {0x00, 0xF8}},
      {"565", 3, Solid(1, 1, 0, 255, 0, 255), {0xE0, 0x07}},
      {"565", 3, Solid(1, 1, 6, 3, 6, 255), {0x21, 0x08}},  // rounded, not truncated
      {"888", 4, Solid(1, 1, 1, 2, 3, 4), {1, 2, 3}},
  };
  for (const Case& c : cases) {
    ImageJob job;
    ASSERT_TRUE(ParseZifFormat(c.format, job.format));
    job.bleed = false;
    std::vector<uint8_t> file;
    std::string error;
    ASSERT_TRUE(EncodeTexture(c.pixel, job, file, error)) << error;
    const ZifFile z = ReadZif(file);
    EXPECT_EQ(z.format, c.code) << c.format;
    EXPECT_EQ(z.pixels, c.expected)
        << c.format << " pixel " << int(c.pixel.pixels[0]) << "," << int(c.pixel.pixels[1]) << ","
        << int(c.pixel.pixels[2]) << "," << int(c.pixel.pixels[3]);
  }
  ZifFormat format;
  EXPECT_FALSE(ParseZifFormat("5551", format));
}

TEST(KcontentZif, WideBackgroundIsPackedAndMarked) {
  for (int k = 1; k <= 2; ++k) {
    const RgbaImage picture = Coded(1280 * k, 768 * k);
    ImageJob job;
    job.wide = true;
    std::vector<uint8_t> file;
    std::string error;
    ASSERT_TRUE(EncodeTexture(picture, job, file, error)) << error;
    const ZifFile z = ReadZif(file);
    const uint32_t side = 1024u * uint32_t(k), strip = 128u * uint32_t(k), hp = 768u * uint32_t(k);
    EXPECT_EQ(z.flags & 1u, 1u);
    EXPECT_EQ(z.imageW, side);
    EXPECT_EQ(z.imageH, side);
    EXPECT_EQ(z.texW, side);
    EXPECT_EQ(z.texH, side);
    ASSERT_EQ(z.pixels.size(), size_t(side) * side * 4);

    // Texture pixel (column c, row r) as B, G, R, A against picture pixel (x, y).
    const auto expect = [&](uint32_t c, uint32_t r, int x, int y) {
      const uint8_t* t = &z.pixels[(size_t(r) * side + c) * 4];
      const uint8_t* p = picture.At(x, y);
      EXPECT_TRUE(t[0] == p[2] && t[1] == p[1] && t[2] == p[0] && t[3] == p[3])
          << "k=" << k << " texture " << c << "," << r << " from picture " << x << "," << y;
    };
    for (uint32_t r : {0u, 1u, hp / 2, hp - 1}) {
      for (uint32_t c : {0u, 7u, side / 2, side - 1}) expect(c, strip + r, int(strip + c), int(r));
      for (uint32_t i : {0u, 5u, strip - 1}) {
        expect(hp - 1 - r, hp + strip + i, int(i), int(r));    // left strip
        expect(hp - 1 - r, i, int(strip + side + i), int(r));  // right strip
      }
    }
    // The corner beside the strips holds nothing.
    for (uint32_t r : {0u, strip - 1, hp + strip, side - 1}) {
      const uint8_t* t = &z.pixels[(size_t(r) * side + hp) * 4];
      EXPECT_EQ(Bytes(t, t + 4), Bytes(4, 0)) << "row " << r;
    }
  }

  ImageJob job;
  job.wide = true;
  std::vector<uint8_t> file;
  std::string error;
  EXPECT_FALSE(EncodeTexture(Coded(1280, 720), job, file, error));
  EXPECT_NE(error.find("1280x720"), std::string::npos) << error;
}

TEST(KcontentJpa, JpegThenExactAlphaPlane) {
  RgbaImage image(40, 24);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 40; ++x) {
      uint8_t* p = image.At(x, y);
      p[0] = 200, p[1] = 120, p[2] = 40, p[3] = uint8_t(x * 6 + y);
    }
  }
  std::vector<uint8_t> file;
  std::string error;
  ImageJob job;
  job.kind = TextureKind::Jpa;
  ASSERT_TRUE(EncodeTexture(image, job, file, error)) << error;

  const Bytes bytes(file.begin(), file.end());
  const uint32_t j = Get32(bytes, 4), a = Get32(bytes, 8);
  ASSERT_EQ(size_t(kJpaHeaderSize) + j + a, bytes.size());
  EXPECT_EQ(bytes[12], 0xFF);  // the JPEG starts right after the header
  EXPECT_EQ(bytes[13], 0xD8);
  EXPECT_EQ(bytes[12 + j - 2], 0xFF);  // ... and ends where the alpha plane begins
  EXPECT_EQ(bytes[12 + j - 1], 0xD9);

  const Bytes alpha = Inflate(bytes.data() + 12 + j, a, 40 * 24);
  ASSERT_EQ(alpha.size(), 40u * 24u);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 40; ++x) EXPECT_EQ(alpha[size_t(y * 40 + x)], uint8_t(x * 6 + y));
  }
}

TEST(KcontentImageOps, HalvingWeighsColoursByAlphaAndRoundsSizesUp) {
  RgbaImage image(3, 3);
  uint8_t* red = image.At(0, 0);
  red[0] = 255, red[3] = 255;  // one opaque red pixel among transparent black ones
  uint8_t* corner = image.At(2, 2);
  corner[1] = 90, corner[3] = 60;
  const RgbaImage half = HalveImage(image);
  ASSERT_EQ(half.width, 2);
  ASSERT_EQ(half.height, 2);
  EXPECT_EQ(half.At(0, 0)[0], 255);  // not darkened by the transparent neighbours
  EXPECT_EQ(half.At(0, 0)[3], 64);   // 255 / 4, rounded
  EXPECT_EQ(half.At(1, 1)[1], 90);   // a 1×1 block at the odd edge
  EXPECT_EQ(half.At(1, 1)[3], 60);
  EXPECT_EQ(half.At(1, 0)[3], 0);
}

TEST(KcontentImageOps, BleedingColoursOnlyTheInvisiblePixels) {
  RgbaImage image(5, 1);
  uint8_t* green = image.At(0, 0);
  green[1] = 200, green[3] = 255;
  uint8_t* faint = image.At(4, 0);
  faint[2] = 100, faint[3] = 1;
  BleedTransparentColours(image, 1);
  EXPECT_EQ(image.At(1, 0)[1], 200);  // one ring per pass
  EXPECT_EQ(image.At(3, 0)[2], 100);
  EXPECT_EQ(image.At(2, 0)[1], 0);  // two pixels away: untouched after one pass
  for (int x = 1; x < 4; ++x) EXPECT_EQ(image.At(x, 0)[3], 0);
  BleedTransparentColours(image, 8);
  EXPECT_EQ(image.At(2, 0)[1], 100);  // average of both sides
  EXPECT_EQ(image.At(2, 0)[2], 50);
  EXPECT_EQ(image.At(0, 0)[1], 200);
  EXPECT_EQ(image.At(4, 0)[3], 1);
}

TEST(KcontentImageOps, PngOfAnyColourTypeAndDamagedPngs) {
  // 2×1 grey + alpha picture written through libpng's own encoder.
  const uint8_t greyAlpha[] = {50, 255, 200, 100};
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = 2;
  png.height = 1;
  png.format = PNG_FORMAT_GA;
  png_alloc_size_t size = 0;
  ASSERT_TRUE(png_image_write_get_memory_size(png, size, 0, greyAlpha, 0, nullptr));
  std::vector<uint8_t> encoded(size);
  ASSERT_TRUE(png_image_write_to_memory(&png, encoded.data(), &size, 0, greyAlpha, 0, nullptr));
  encoded.resize(size);

  RgbaImage image;
  std::string error;
  ASSERT_TRUE(DecodePng(encoded, image, error)) << error;
  ASSERT_EQ(image.width, 2);
  EXPECT_EQ(image.pixels, (std::vector<uint8_t>{50, 50, 50, 255, 200, 200, 200, 100}));

  for (const size_t keep : {size_t(0), size_t(8), size_t(30), encoded.size() / 2}) {
    const std::vector<uint8_t> cut(encoded.begin(), encoded.begin() + long(keep));
    EXPECT_FALSE(DecodePng(cut, image, error)) << keep << " bytes";
    EXPECT_FALSE(error.empty());
  }
  std::vector<uint8_t> flipped = encoded;
  flipped[flipped.size() / 2 + 8] ^= 0x5A;  // inside the compressed data
  EXPECT_FALSE(DecodePng(flipped, image, error));
}

TEST(KcontentImageCommand, WritesEachKindAndRejectsBadInput) {
  TempDir dir;
  WritePicture(dir / "source.png", Coded(20, 10));
  std::string output;
  for (const char* out : {"pic.zif", "pic.jpa", "pic.jpg", "pic.png"}) {
    EXPECT_EQ(RunTool("image " + Quote(dir / "source.png") + " " + Quote(dir / out), &output), 0)
        << output;
    EXPECT_TRUE(std::filesystem::exists(dir / out)) << out;
  }
  // The png copy is opaque RGB and decodes to the same pixels.
  RgbaImage copy;
  std::string error;
  ASSERT_TRUE(LoadPng(dir / "pic.png", copy, error));
  EXPECT_EQ(copy.pixels, Coded(20, 10).pixels);
  // Same input, same bytes.
  ASSERT_EQ(RunTool("image " + Quote(dir / "source.png") + " " + Quote(dir / "again.zif")), 0);
  EXPECT_EQ(testsupport::ReadBytes(dir / "pic.zif"), testsupport::ReadBytes(dir / "again.zif"));

  // A missing source, a damaged one and a truncated one: exit 1, a message, no output.
  testsupport::WriteFile(dir / "text.png", "this is no picture");
  Bytes cut = testsupport::ReadBytes(dir / "pic.png");
  cut.resize(cut.size() / 2);
  testsupport::WriteBytes(dir / "cut.png", cut);
  for (const char* bad : {"missing.png", "text.png", "cut.png"}) {
    EXPECT_EQ(RunTool("image " + Quote(dir / bad) + " " + Quote(dir / "out.zif"), &output), 1)
        << bad;
    EXPECT_NE(output.find(bad), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.zif")) << bad;
  }
  // Wrong use: exit 2.
  const std::string src = Quote(dir / "source.png");
  EXPECT_EQ(RunTool("image " + src), 2);
  EXPECT_EQ(RunTool("image " + src + " " + Quote(dir / "out.bmp")), 2);
  EXPECT_EQ(RunTool("image " + src + " " + Quote(dir / "out.zif") + " --format 123"), 2);
  EXPECT_EQ(RunTool("image " + src + " " + Quote(dir / "out.jpa") + " --quality 0"), 2);
  EXPECT_EQ(RunTool("image " + src + " " + Quote(dir / "out.zif") + " --frobnicate"), 2);
  // A picture of the wrong size for a wide background: exit 1.
  EXPECT_EQ(RunTool("image " + src + " " + Quote(dir / "out.jpg") + " --wide", &output), 1);
  EXPECT_NE(output.find("1280x768"), std::string::npos) << output;
  EXPECT_FALSE(std::filesystem::exists(dir / "out.jpg"));
}
