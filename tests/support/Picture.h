#pragma once
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

// A PNG file read back as RGBA pixels, to check what a frame showed.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;

  const uint8_t* At(int x, int y) const {
    return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
  }
  // 0xRRGGBB of a pixel.
  uint32_t Colour(int x, int y) const {
    const uint8_t* p = At(x, y);
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  }
};

// False when the file cannot be read as PNG.
inline bool ReadPng(const std::string& path, Picture& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  out.width = int(image.width);
  out.height = int(image.height);
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0;
}
