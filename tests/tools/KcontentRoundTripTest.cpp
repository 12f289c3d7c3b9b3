// What kcontent writes, read back by the game: the image decoders, the texture manager with
// its wide-background repack and the sprite manager with standard and double-size atlases.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "data/FileSystem.h"
#include "data/TestSupport.h"
#include "graphics/ImageDecoder.h"
#include "graphics/RecordingDevice.h"
#include "graphics/Renderer.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureManager.h"
#include "kcontent/AtlasPacker.h"
#include "kcontent/ImageCommand.h"
#include "kcontent/RgbaImage.h"
#include "kcontent/TextureWriters.h"

using kcontent::ImageJob;
using kcontent::RgbaImage;
using kcontent::TextureKind;
using kcontent::ZifFormat;

namespace {

// Every pixel different and none fully transparent (those would take their neighbours'
// colours when written).
RgbaImage Pattern(int w, int h, bool opaque) {
  RgbaImage image(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = image.At(x, y);
      p[0] = uint8_t(x * 7 + y), p[1] = uint8_t(y * 5 + (x >> 3)), p[2] = uint8_t(x ^ (y * 3));
      p[3] = opaque ? 255 : uint8_t(1 + (x * 3 + y * 11) % 255);
    }
  }
  return image;
}

std::vector<uint8_t> Encode(const RgbaImage& image, const ImageJob& job) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(kcontent::EncodeTexture(image, job, bytes, error)) << error;
  return bytes;
}

ImageJob Job(TextureKind kind) {
  ImageJob job;
  job.kind = kind;
  return job;
}

// The decoded pixel (x, y) of a B, G, R, A texture, as R, G, B, A.
std::vector<int> Rgba(const DecodedImage& image, int x, int y) {
  const uint8_t* p = image.pixels.data() + (size_t(y) * size_t(image.width) + size_t(x)) * 4;
  return {p[2], p[1], p[0], p[3]};
}

std::vector<int> Rgba(const RgbaImage& image, int x, int y) {
  const uint8_t* p = image.At(x, y);
  return {p[0], p[1], p[2], p[3]};
}

// The renderer on a recording device, a file system over a temporary folder and the two
// managers, as the game sets them up.
class GameServices {
 public:
  GameServices() {
    auto owned = std::make_unique<RecordingDevice>();
    device = owned.get();
    device->nonPow2 = false;
    renderer = std::make_unique<Renderer>(std::move(owned));
    EXPECT_TRUE(renderer->Init(false, false));
    textures = std::make_unique<TextureManager>(files, *renderer);
    sprites = std::make_unique<SpriteManager>(files, *textures);
  }
  ~GameServices() {
    sprites.reset();
    textures.reset();
  }
  // The uploaded level 0 of a texture (B, G, R, A).
  const std::vector<uint8_t>& Uploaded(const Texture& texture) const {
    return device->textures.at(texture.deviceTexture).levels.at(0);
  }

  FileSystem files;
  RecordingDevice* device = nullptr;
  std::unique_ptr<Renderer> renderer;
  std::unique_ptr<TextureManager> textures;
  std::unique_ptr<SpriteManager> sprites;
};

}  // namespace

TEST(KcontentRoundTrip, ZifPixelsAsTheDecoderReadsThem) {
  const RgbaImage picture = Pattern(37, 21, false);
  {
    const auto decoded = DecodeZif(Encode(picture, Job(TextureKind::Zif)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->imageWidth, 37);
    EXPECT_EQ(decoded->imageHeight, 21);
    EXPECT_EQ(decoded->width, 64);
    EXPECT_EQ(decoded->height, 32);
    EXPECT_TRUE(decoded->alpha);
    EXPECT_FALSE(decoded->packedWide);
    for (int y : {0, 10, 20}) {
      for (int x : {0, 18, 36})
        EXPECT_EQ(Rgba(*decoded, x, y), Rgba(picture, x, y)) << x << "," << y;
    }
    EXPECT_EQ(Rgba(*decoded, 37, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Rgba(*decoded, 0, 21), (std::vector<int>{0, 0, 0, 0}));
  }
  // The 16-bit layouts: the decoder's pixel format and bytes per pixel agree with the header.
  struct Case {
    const char* name;
    PixelFormat format;
    bool alpha;
  };
  for (const Case& c :
       {Case{"4444", PixelFormat::ARGB4444, true}, Case{"1555", PixelFormat::ARGB1555, true},
        Case{"565", PixelFormat::RGB565, false}}) {
    ImageJob job = Job(TextureKind::Zif);
    ASSERT_TRUE(kcontent::ParseZifFormat(c.name, job.format));
    const auto decoded = DecodeZif(Encode(picture, job));
    ASSERT_TRUE(decoded) << c.name;
    EXPECT_EQ(decoded->format, c.format) << c.name;
    EXPECT_EQ(decoded->alpha, c.alpha) << c.name;
    ASSERT_EQ(decoded->pixels.size(), 64u * 32u * 2u) << c.name;
    // Pixel (5, 3) read back through the layout the device uploads.
    const uint8_t* p = decoded->pixels.data() + (3 * 64 + 5) * 2;
    const unsigned v = p[0] | unsigned(p[1]) << 8;
    const std::vector<int> src = Rgba(picture, 5, 3);
    if (c.format == PixelFormat::RGB565) {
      EXPECT_NEAR(int((v >> 11) * 255 / 31), src[0], 5);
      EXPECT_NEAR(int(((v >> 5) & 63) * 255 / 63), src[1], 3);
      EXPECT_NEAR(int((v & 31) * 255 / 31), src[2], 5);
    } else if (c.format == PixelFormat::ARGB4444) {
      EXPECT_NEAR(int((v >> 12) * 17), src[3], 9);
      EXPECT_NEAR(int(((v >> 8) & 15) * 17), src[0], 9);
    } else {
      EXPECT_EQ(int(v >> 15), src[3] >= 128 ? 1 : 0);
      EXPECT_NEAR(int(((v >> 10) & 31) * 255 / 31), src[0], 5);
    }
  }
}

TEST(KcontentRoundTrip, JpaAndJpgThroughTheDecoders) {
  const RgbaImage picture = Pattern(50, 30, false);
  const auto jpa = DecodeJpa(Encode(picture, Job(TextureKind::Jpa)), true);
  ASSERT_TRUE(jpa);
  EXPECT_EQ(jpa->imageWidth, 50);
  EXPECT_EQ(jpa->width, 64);
  EXPECT_EQ(jpa->height, 32);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x)
      ASSERT_EQ(Rgba(*jpa, x, y)[3], Rgba(picture, x, y)[3]) << x << "," << y;
  }
  EXPECT_EQ(Rgba(*jpa, 60, 31), (std::vector<int>{0, 0, 0, 0}));

  RgbaImage flat(48, 16);
  for (size_t i = 0; i < flat.pixels.size(); i += 4) {
    flat.pixels[i] = 90, flat.pixels[i + 1] = 160, flat.pixels[i + 2] = 220,
    flat.pixels[i + 3] = 255;
  }
  const auto jpg = DecodeJpeg(Encode(flat, Job(TextureKind::Jpg)), false);
  ASSERT_TRUE(jpg);
  EXPECT_EQ(jpg->width, 48);
  const std::vector<int> px = Rgba(*jpg, 20, 8);
  EXPECT_NEAR(px[0], 90, 3);
  EXPECT_NEAR(px[1], 160, 3);
  EXPECT_NEAR(px[2], 220, 3);
}

TEST(KcontentRoundTrip, PrePackedWideBackgroundEqualsTheGameRepack) {
  for (int k = 1; k <= 2; ++k) {
    const RgbaImage picture = Pattern(1280 * k, 768 * k, true);
    // The game repacks a plain wide picture itself ...
    auto repacked = DecodeImage(ImageFileType::Png, Encode(picture, Job(TextureKind::Png)), true);
    ASSERT_TRUE(repacked);
    EXPECT_TRUE(repacked->packedWide);
    // ... and must find the same texture in one that kcontent packed.
    ImageJob job = Job(TextureKind::Png);
    job.wide = true;
    auto packed = DecodeImage(ImageFileType::Png, Encode(picture, job), true);
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->width, 1024 * k);
    EXPECT_EQ(packed->height, 1024 * k);
    EXPECT_EQ(repacked->width, packed->width);
    EXPECT_TRUE(repacked->pixels == packed->pixels) << "k=" << k;

    job.kind = TextureKind::Zif;
    const auto zif = DecodeImage(ImageFileType::Zif, Encode(picture, job), false);
    ASSERT_TRUE(zif);
    EXPECT_TRUE(zif->packedWide);
    EXPECT_TRUE(zif->pixels == repacked->pixels) << "k=" << k;
  }
}

TEST(KcontentRoundTrip, CompositeSplashLoadsAsAPackedWideTexture) {
  testsupport::TempDir dir;
  ImageJob job = Job(TextureKind::Jpg);
  job.wide = true;
  testsupport::WriteBytes(dir / "content/pictures/_splash0_comp.jpg",
                          Encode(Pattern(1280, 768, true), job));
  GameServices game;
  game.files.Mount(dir / "content");
  Texture* splash = game.textures->Get("splash0");
  ASSERT_NE(splash, nullptr);
  EXPECT_EQ(splash->name, "splash0");
  EXPECT_TRUE(splash->Has(kTexturePackedWide));
  EXPECT_EQ(splash->width, 1024);
  EXPECT_EQ(splash->height, 1024);
}

TEST(KcontentRoundTrip, AtlasSpritesThroughTheSpriteManagerInBothResolutions) {
  // The same three pictures drawn at standard and at double size, packed like the build does.
  std::vector<kcontent::AtlasSprite> standard = {{"cursor", Pattern(40, 48, false)},
                                                 {"sign", Pattern(96, 96, false)},
                                                 {"band", Pattern(256, 16, true)}};
  std::vector<kcontent::AtlasSprite> doubled;
  for (const auto& s : standard)
    doubled.push_back({s.name, Pattern(s.image.width * 2, s.image.height * 2, false)});

  testsupport::TempDir dir;
  const auto write = [&](const std::string& folder,
                         const std::vector<kcontent::AtlasSprite>& sprites, int padding) {
    kcontent::PackedAtlas atlas;
    std::string error;
    kcontent::AtlasOptions options;
    options.padding = padding;
    ASSERT_TRUE(kcontent::PackAtlas(sprites, options, atlas, error)) << error;
    ImageJob job = Job(TextureKind::Zif);
    job.bleed = false;
    testsupport::WriteBytes(dir / (folder + "/atlases/atlas_ui.zif"), Encode(atlas.texture, job));
    testsupport::WriteFile(dir / (folder + "/atlases/atlas_ui.xml"),
                           kcontent::AtlasXml("atlas_ui", false, atlas.rects));
  };
  write("content", standard, 2);
  write("content_hd", doubled, 4);

  for (const bool hd : {false, true}) {
    GameServices game;
    game.files.Mount(dir / "content");
    if (hd) {
      game.files.Mount(dir / "content_hd");
      game.textures->SetQuality(TextureQuality::Double);
    }
    EXPECT_EQ(game.sprites->LoadAtlases(), 3);
    const auto& sources = hd ? doubled : standard;
    for (size_t i = 0; i < standard.size(); ++i) {
      const Sprite* sprite = game.sprites->Get(standard[i].name);
      ASSERT_NE(sprite, nullptr) << standard[i].name;
      // The logical size is the standard picture's in both resolutions.
      EXPECT_FLOAT_EQ(sprite->width, float(standard[i].image.width))
          << sprite->name << " hd=" << hd;
      EXPECT_FLOAT_EQ(sprite->height, float(standard[i].image.height)) << sprite->name;
      // The texture rectangle covers exactly the source picture in the uploaded texture.
      const std::vector<uint8_t>& pixels = game.Uploaded(*sprite->texture);
      const int tw = sprite->texture->width * (hd ? 2 : 1),
                th = sprite->texture->height * (hd ? 2 : 1);
      const int x0 = int(sprite->rect.u0 * float(tw) + 0.5f),
                y0 = int(sprite->rect.v0 * float(th) + 0.5f);
      const int x1 = int(sprite->rect.u1 * float(tw) + 0.5f),
                y1 = int(sprite->rect.v1 * float(th) + 0.5f);
      const RgbaImage& source = sources[i].image;
      ASSERT_EQ(x1 - x0, source.width) << sprite->name;
      ASSERT_EQ(y1 - y0, source.height) << sprite->name;
      bool same = true;
      for (int y = 0; y < source.height && same; ++y) {
        for (int x = 0; x < source.width && same; ++x) {
          const uint8_t* t = pixels.data() + (size_t(y0 + y) * size_t(tw) + size_t(x0 + x)) * 4;
          const uint8_t* s = source.At(x, y);
          same = t[0] == s[2] && t[1] == s[1] && t[2] == s[0] && t[3] == s[3];
          EXPECT_TRUE(same) << sprite->name << " pixel " << x << "," << y;
        }
      }
    }
  }
}
