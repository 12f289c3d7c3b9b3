// kview shows an effect: run the built viewer on a content folder holding one effect and
// look at the frame it writes.
#include <png.h>

#include <cstdlib>

#include "ParticleFixtures.h"

namespace {

// The RGBA pixels of a PNG file (empty when it cannot be read).
std::vector<uint8_t> ReadPng(const std::string& path, int& width, int& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  std::vector<uint8_t> rgba;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return rgba;
  image.format = PNG_FORMAT_RGBA;
  rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) rgba.clear();
  width = int(image.width);
  height = int(image.height);
  return rgba;
}

}  // namespace

TEST(KviewEffect, ShowsTheNamedEffectRunning) {
  EffectFolder dir;
  // A steady stream of large pure red particles.
  PyroParticles::FileDesc desc = SimpleEffect(true, 60.0f, 2.0f);
  PyroParticles::LayerDesc& l = desc.emitters[0].layers[0];
  l.size = PyroParticles::Curve(40.0f);
  l.green = l.blue = PyroParticles::Curve(0.0f);
  l.speedMin = l.speedMax = 30.0f;
  dir.Write("content/effects/redstream.pyro", PyroParticles::WritePyro(desc));

  const std::string shot = (dir.path() / "shot.png").string();
  const std::string command = "cd '" + dir.path().string() + "' && SDL_VIDEODRIVER=offscreen '" +
                              KVIEW_PATH + "' --frames 30 --fixed-step 20 --aspect 0 " +
                              "--screenshot '" + shot + "' effect:redstream";
  ASSERT_EQ(std::system(command.c_str()), 0);
  int w = 0, h = 0;
  const std::vector<uint8_t> frame = ReadPng(shot, w, h);
  ASSERT_FALSE(frame.empty());
  // Red where the effect is (the middle of the screen), the grey checkerboard elsewhere.
  auto pixel = [&](int x, int y) { return &frame[(size_t(y) * size_t(w) + size_t(x)) * 4]; };
  const uint8_t* centre = pixel(w / 2, h / 2);
  EXPECT_GT(centre[0], 200);
  EXPECT_LT(centre[1], 60);
  const uint8_t* corner = pixel(5, 5);
  EXPECT_EQ(corner[0], corner[1]);

  // An effect that is not there is an error.
  const std::string missing = "cd '" + dir.path().string() + "' && SDL_VIDEODRIVER=offscreen '" +
                              KVIEW_PATH + "' --frames 1 effect:nothing 2>/dev/null";
  EXPECT_NE(std::system(missing.c_str()), 0);
}
