#include "graphics/PngWriter.h"

#include <png.h>

#include <cstdio>

bool WritePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels) {
  if (path.empty() || !pixels || width <= 0 || height <= 0 || (channels != 3 && channels != 4))
    return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;

  const std::string temporary = path + ".tmp";
  const bool written =
      png_image_write_to_file(&image, temporary.c_str(), 0, pixels, width * channels, nullptr) != 0;
  png_image_free(&image);
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
