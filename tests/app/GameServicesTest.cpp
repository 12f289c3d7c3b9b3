// What the descriptors and levels ask of the game's graphics services.
#include <gtest/gtest.h>

#include "app/GameServices.h"
#include "data/FileSystem.h"
#include "graphics/RecordingDevice.h"
#include "graphics/Renderer.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureManager.h"

namespace {

// A level mask is a wide picture, whatever its name; an ordinary picture named "_mask" is
// none, and neither is a name nothing answers to.
TEST(GameServicesTest, MasksAreWidePictures) {
  Renderer renderer(std::make_unique<RecordingDevice>());
  ASSERT_TRUE(renderer.Init(false, false));
  FileSystem files;
  TextureManager textures(files, renderer);
  SpriteManager sprites(files, textures);
  const uint8_t pixels[16 * 16 * 4] = {};
  textures.CreateFromPixels("canopy", 16, 16, PixelFormat::RGBA8,
                            kTextureAlpha | kTexturePackedWide, pixels);
  textures.CreateFromPixels("rock_mask", 16, 16, PixelFormat::RGBA8, kTextureAlpha, pixels);
  GameServices services(&sprites, nullptr, &textures);
  EXPECT_TRUE(services.IsMaskTexture("canopy"));
  EXPECT_FALSE(services.IsMaskTexture("rock_mask"));
  EXPECT_FALSE(services.IsMaskTexture("absent"));
  EXPECT_FALSE(services.IsMaskTexture(""));
  EXPECT_TRUE(services.HasTexture("rock_mask"));
  // Without a texture manager nothing is a mask.
  EXPECT_FALSE(GameServices(&sprites, nullptr).IsMaskTexture("canopy"));
}

}  // namespace
