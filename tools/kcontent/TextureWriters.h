#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kcontent/RgbaImage.h"

namespace kcontent {

// Encoders for the game's own texture files.
//
// zif: a 32-byte little-endian header, then the zlib-compressed pixels of the whole texture
//   offset 0  4 bytes  "ZIF1" (the game does not read it)
//   offset 4  2 bytes  format code (ZifFormat)
//   offset 6  1 byte   bit 0: the texture is a packed wide background
//   offset 7  1 byte   0
//   offset 8  4 × 4    image width, image height, texture width, texture height
//   offset 24 4 bytes  size of the pixel data after decompression
//   offset 28 4 bytes  size of the compressed data
//   offset 32          zlib stream: texture width × texture height pixels, rows top to bottom
// The picture sits in the top-left corner of the texture; the rest is zero bytes.
//
// jpa: a JPEG file for the colour plus a separate zlib-compressed alpha plane
//   offset 0  4 bytes  "JPA1" (not read)
//   offset 4  4 bytes  size J of the JPEG file
//   offset 8  4 bytes  size A of the compressed alpha plane
//   offset 12 J bytes  the JPEG file
//   then      A bytes  zlib stream: one alpha byte per picture pixel, rows top to bottom

// zif format codes and the pixel layouts they store.
enum class ZifFormat : uint16_t {
  Bgra8888 = 0,  // 4 bytes: B, G, R, A (the device's own order)
  Argb4444 = 1,  // 16-bit little-endian: A in bits 12-15, R 8-11, G 4-7, B 0-3
  Argb1555 = 2,  // 16-bit: A in bit 15 (alpha ≥ 128), R 10-14, G 5-9, B 0-4
  Rgb565 = 3,    // 16-bit: R 11-15, G 5-10, B 0-4; no alpha
  Rgb888 = 4,    // 3 bytes: R, G, B; no alpha
};

constexpr size_t kZifHeaderSize = 32;
constexpr size_t kJpaHeaderSize = 12;

// Parses a format name: "8888", "4444", "1555", "565" or "888".
bool ParseZifFormat(std::string_view name, ZifFormat& format);
int ZifBytesPerPixel(ZifFormat format);

struct ZifOptions {
  ZifFormat format = ZifFormat::Bgra8888;
  int textureWidth = 0;  // 0: the image width
  int textureHeight = 0;
  bool packedWide = false;  // sets bit 0 of the flags byte
};

// The raw (uncompressed) texture data of a zif file.
std::vector<uint8_t> ZifPixelData(const RgbaImage& image, ZifFormat format, int textureWidth,
                                  int textureHeight);
// False when the texture is smaller than the picture.
bool EncodeZif(const RgbaImage& image, const ZifOptions& options, std::vector<uint8_t>& bytes,
               std::string& error);

// A baseline JPEG of the colour channels (alpha ignored), quality 1..100.
bool EncodeJpeg(const RgbaImage& image, int quality, std::vector<uint8_t>& bytes,
                std::string& error);
bool EncodeJpa(const RgbaImage& image, int quality, std::vector<uint8_t>& bytes,
               std::string& error);

// Deterministic zlib compression at the best level.
std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size);

}  // namespace kcontent
