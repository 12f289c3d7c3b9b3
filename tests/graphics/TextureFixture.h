#pragma once
// A texture manager over a temporary content folder, uploading to a recording device.
#include <memory>
#include <string>

#include "ImageFiles.h"
#include "RecordingRenderer.h"
#include "data/FileSystem.h"
#include "graphics/TextureManager.h"

class TextureFixture : public RecordingRendererTest {
 protected:
  void SetUp() override {
    Start();
    textures = std::make_unique<TextureManager>(files, *renderer);
  }

  // Files are written below "content/"; Mount registers what has been written so far.
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    folder.Write("content/" + name, bytes);
  }
  void Mount() { files.Mount((folder.path() / "content").string()); }

  static RgbaPicture Solid(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    RgbaPicture picture(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) picture.Set(x, y, r, g, b, a);
    return picture;
  }

  // What the device holds for a texture's current device object.
  const RecordingDevice::RecordedTexture& Uploaded(const Texture& texture) const {
    return device->textures.at(texture.deviceTexture);
  }
  // The first uploaded pixel, as R, G, B, A.
  std::vector<int> FirstPixel(const Texture& texture) const {
    return TexturePixel(Uploaded(texture).levels.at(0), 1, 0, 0);
  }

  TempFolder folder;
  FileSystem files;
  std::unique_ptr<TextureManager> textures;
};
