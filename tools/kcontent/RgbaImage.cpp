#include "kcontent/RgbaImage.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace kcontent {

bool RgbaImage::HasTransparency() const {
  for (size_t i = 3; i < pixels.size(); i += 4) {
    if (pixels[i] != 255) return true;
  }
  return false;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open '" + path + "': " + std::strerror(errno);
    return false;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0) {
    error = "cannot read '" + path + "'";
    return false;
  }
  bytes.resize(size_t(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    error = "cannot read '" + path + "'";
    return false;
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path target(path);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = "cannot create '" + temporary + "': " + std::strerror(errno);
      return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.flush();
    if (!out) {
      error = "cannot write '" + temporary + "'";
      out.close();
      fs::remove(temporary, ec);
      return false;
    }
  }
  fs::rename(temporary, target, ec);
  if (ec) {
    error = "cannot rename '" + temporary + "' to '" + path + "': " + ec.message();
    fs::remove(temporary, ec);
    return false;
  }
  return true;
}

bool DecodePng(std::span<const uint8_t> bytes, RgbaImage& image, std::string& error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
    error = std::string("not a readable PNG (") + png.message + ")";
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  if (png.width == 0 || png.height == 0 || png.width > 16384 || png.height > 16384) {
    error = "PNG size " + std::to_string(png.width) + "x" + std::to_string(png.height) +
            " is out of range";
    png_image_free(&png);
    return false;
  }
  RgbaImage decoded(int(png.width), int(png.height));
  if (!png_image_finish_read(&png, nullptr, decoded.pixels.data(), 0, nullptr)) {
    error = std::string("damaged PNG (") + png.message + ")";
    png_image_free(&png);
    return false;
  }
  png_image_free(&png);
  image = std::move(decoded);
  return true;
}

bool LoadPng(const std::string& path, RgbaImage& image, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, error)) return false;
  if (!DecodePng(bytes, image, error)) {
    error = "'" + path + "': " + error;
    return false;
  }
  return true;
}

bool EncodePng(const RgbaImage& image, bool opaque, std::vector<uint8_t>& bytes,
               std::string& error) {
  if (image.Empty()) {
    error = "empty picture";
    return false;
  }
  std::vector<uint8_t> rgb;
  const uint8_t* source = image.pixels.data();
  if (opaque) {
    rgb.resize(size_t(image.width) * size_t(image.height) * 3);
    for (size_t i = 0, n = size_t(image.width) * size_t(image.height); i < n; ++i) {
      std::memcpy(&rgb[i * 3], &image.pixels[i * 4], 3);
    }
    source = rgb.data();
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(image.width);
  png.height = png_uint_32(image.height);
  png.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
  const png_int_32 stride = png_int_32(image.width) * (opaque ? 3 : 4);
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(png, size, 0, source, stride, nullptr)) {
    error = std::string("PNG encoding failed (") + png.message + ")";
    png_image_free(&png);
    return false;
  }
  bytes.resize(size);
  const bool ok = png_image_write_to_memory(&png, bytes.data(), &size, 0, source, stride, nullptr);
  if (!ok) error = std::string("PNG encoding failed (") + png.message + ")";
  png_image_free(&png);
  bytes.resize(ok ? size : 0);
  return ok;
}

int NextPowerOfTwo(int n) {
  int p = 1;
  while (p < n) p *= 2;
  return p;
}

RgbaImage HalveImage(const RgbaImage& image) {
  RgbaImage half((image.width + 1) / 2, (image.height + 1) / 2);
  for (int y = 0; y < half.height; ++y) {
    for (int x = 0; x < half.width; ++x) {
      unsigned weighted[3] = {0, 0, 0}, plain[3] = {0, 0, 0}, alpha = 0, count = 0;
      for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
          const int sx = 2 * x + dx, sy = 2 * y + dy;
          if (sx >= image.width || sy >= image.height) continue;
          const uint8_t* p = image.At(sx, sy);
          for (int c = 0; c < 3; ++c) {
            weighted[c] += unsigned(p[c]) * p[3];
            plain[c] += p[c];
          }
          alpha += p[3];
          ++count;
        }
      }
      uint8_t* out = half.At(x, y);
      for (int c = 0; c < 3; ++c) {
        out[c] = alpha > 0 ? uint8_t((weighted[c] + alpha / 2) / alpha)
                           : uint8_t((plain[c] + count / 2) / count);
      }
      out[3] = uint8_t((alpha + count / 2) / count);
    }
  }
  return half;
}

void BleedTransparentColours(RgbaImage& image, int passes) {
  const int w = image.width, h = image.height;
  if (w <= 0 || h <= 0) return;
  // known: 1 where the colour is settled (visible pixels, then each finished ring).
  std::vector<uint8_t> known(size_t(w) * size_t(h));
  for (size_t i = 0; i < known.size(); ++i) known[i] = image.pixels[i * 4 + 3] != 0;
  std::vector<uint8_t> next = known;
  for (int pass = 0; pass < passes; ++pass) {
    bool changed = false;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const size_t i = size_t(y) * size_t(w) + size_t(x);
        if (known[i]) continue;
        unsigned sum[3] = {0, 0, 0}, count = 0;
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
            const size_t j = size_t(ny) * size_t(w) + size_t(nx);
            if (!known[j]) continue;
            for (int c = 0; c < 3; ++c) sum[c] += image.pixels[j * 4 + c];
            ++count;
          }
        }
        if (count == 0) continue;
        for (int c = 0; c < 3; ++c) image.pixels[i * 4 + c] = uint8_t((sum[c] + count / 2) / count);
        next[i] = 1;
        changed = true;
      }
    }
    if (!changed) break;
    known = next;
  }
}

RgbaImage PadImage(const RgbaImage& image, int width, int height) {
  RgbaImage padded(width, height);
  const int rows = std::min(image.height, height), columns = std::min(image.width, width);
  for (int y = 0; y < rows; ++y) {
    std::memcpy(padded.At(0, y), image.At(0, y), size_t(columns) * 4);
  }
  return padded;
}

int WideScale(int width, int height) {
  for (int k = 1; k <= 2; ++k) {
    if (width == 1280 * k && height == 768 * k) return k;
  }
  return 0;
}

RgbaImage PackWide(const RgbaImage& picture) {
  const int k = WideScale(picture.width, picture.height);
  if (k == 0) return {};
  const int side = 1024 * k, strip = 128 * k, pictureHeight = 768 * k;
  RgbaImage packed(side, side);
  for (int r = 0; r < pictureHeight; ++r) {
    std::memcpy(packed.At(0, strip + r), picture.At(strip, r), size_t(side) * 4);
    for (int i = 0; i < strip; ++i) {
      std::memcpy(packed.At(pictureHeight - 1 - r, pictureHeight + strip + i), picture.At(i, r), 4);
      std::memcpy(packed.At(pictureHeight - 1 - r, i), picture.At(strip + side + i, r), 4);
    }
  }
  return packed;
}

}  // namespace kcontent
