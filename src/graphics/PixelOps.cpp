#include "graphics/PixelOps.h"

#include <algorithm>
#include <cstring>

int BytesPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::RGBA8:
    case PixelFormat::BGRA8:
      return 4;
    case PixelFormat::RGB8:
    case PixelFormat::BGR8:
      return 3;
    case PixelFormat::ARGB4444:
    case PixelFormat::ARGB1555:
    case PixelFormat::RGB565:
      return 2;
  }
  return 4;
}

int MipLevelCount(int width, int height) {
  int levels = 1;
  int side = std::max(width, height);
  while (side > 1) {
    side /= 2;
    ++levels;
  }
  return levels;
}

namespace {

struct BitField {
  int shift;
  int bits;
};

// Bit fields of the 16-bit formats, lowest first.
int FieldsOf(PixelFormat format, BitField (&fields)[4]) {
  switch (format) {
    case PixelFormat::ARGB4444:
      fields[0] = {0, 4}, fields[1] = {4, 4}, fields[2] = {8, 4}, fields[3] = {12, 4};
      return 4;
    case PixelFormat::ARGB1555:
      fields[0] = {0, 5}, fields[1] = {5, 5}, fields[2] = {10, 5}, fields[3] = {15, 1};
      return 4;
    case PixelFormat::RGB565:
      fields[0] = {0, 5}, fields[1] = {5, 6}, fields[2] = {11, 5};
      return 3;
    default:
      return 0;
  }
}

uint16_t Load16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

}  // namespace

std::vector<uint8_t> HalveImage(const uint8_t* pixels, int width, int height, PixelFormat format) {
  const int bpp = BytesPerPixel(format);
  const int outW = std::max(1, width / 2);
  const int outH = std::max(1, height / 2);
  std::vector<uint8_t> out(size_t(outW) * outH * bpp);
  if (!pixels || width <= 0 || height <= 0) return out;

  BitField fields[4];
  const int fieldCount = FieldsOf(format, fields);
  for (int y = 0; y < outH; ++y) {
    const int y0 = std::min(2 * y, height - 1);
    const int y1 = std::min(2 * y + 1, height - 1);
    for (int x = 0; x < outW; ++x) {
      const int x0 = std::min(2 * x, width - 1);
      const int x1 = std::min(2 * x + 1, width - 1);
      const uint8_t* block[4] = {
          pixels + (size_t(y0) * width + x0) * bpp, pixels + (size_t(y0) * width + x1) * bpp,
          pixels + (size_t(y1) * width + x0) * bpp, pixels + (size_t(y1) * width + x1) * bpp};
      uint8_t* dst = out.data() + (size_t(y) * outW + x) * bpp;
      if (fieldCount == 0) {
        for (int c = 0; c < bpp; ++c)
          dst[c] = uint8_t((block[0][c] + block[1][c] + block[2][c] + block[3][c] + 2) / 4);
        continue;
      }
      const uint16_t p[4] = {Load16(block[0]), Load16(block[1]), Load16(block[2]),
                             Load16(block[3])};
      uint16_t result = 0;
      for (int f = 0; f < fieldCount; ++f) {
        const unsigned mask = (1u << fields[f].bits) - 1u;
        unsigned sum = 2;
        for (uint16_t v : p) sum += (v >> fields[f].shift) & mask;
        result = uint16_t(result | ((sum / 4) & mask) << fields[f].shift);
      }
      std::memcpy(dst, &result, 2);
    }
  }
  return out;
}
