#pragma once
#include <string>
#include <vector>

#include "kcontent/RgbaImage.h"
#include "kcontent/TextureWriters.h"

namespace kcontent {

// image IN.png OUT.{zif,jpa,jpg,png} [options]: converts one PNG into a texture file the game
// reads. The output kind follows the extension of OUT:
//   zif  lossless (or 16-bit) pixels with zlib, padded to a power-of-two texture
//   jpa  JPEG colour plus a zlib alpha plane (pictures with soft alpha, smaller than zif)
//   jpg  JPEG, for opaque pictures (alpha is dropped)
//   png  a clean PNG (RGB when the picture is opaque)
// Options:
//   --format 8888|4444|1555|565|888   zif pixel format (default 8888)
//   --quality N                        JPEG quality for jpa and jpg (default 90)
//   --pad pow2|none                    zif texture size (default pow2)
//   --half                             halve the picture first
//   --wide                             pack a 1280×768 (or 2560×1536) picture into the
//                                      square wide-background layout; a zif is marked so
//   --no-bleed                         keep the colour of fully transparent pixels
int RunImageCommand(const std::vector<std::string>& args);

enum class TextureKind { Zif, Jpa, Jpg, Png };

struct ImageJob {
  TextureKind kind = TextureKind::Zif;
  ZifFormat format = ZifFormat::Bgra8888;
  int quality = 90;
  bool padPowerOfTwo = true;
  bool half = false;
  bool wide = false;
  bool bleed = true;
};

// The output kind of a file name by its extension; false for any other.
bool TextureKindOf(const std::string& path, TextureKind& kind);

// Converts a decoded picture into the bytes of the output file.
bool EncodeTexture(RgbaImage image, const ImageJob& job, std::vector<uint8_t>& bytes,
                   std::string& error);

}  // namespace kcontent
