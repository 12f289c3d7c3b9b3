#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kcontent {

// A picture as the content tools handle it: 8-bit R, G, B, A with straight (not premultiplied)
// alpha, rows top to bottom, no padding between rows.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width × height × 4 bytes

  RgbaImage() = default;
  RgbaImage(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h) * 4, 0) {}

  bool Empty() const { return width <= 0 || height <= 0; }
  uint8_t* At(int x, int y) { return pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 4; }
  const uint8_t* At(int x, int y) const {
    return pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;
  }
  // True when some pixel is not fully opaque.
  bool HasTransparency() const;
};

// Reading and writing whole files. WriteFileAtomically writes beside the target and renames
// the result over it, creating missing folders, so a failed run never leaves half a file.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         std::string& error);

// PNG of any colour type and depth (palette, grey, 16-bit, with or without transparency)
// expanded to RGBA. A damaged or truncated file gives false and the reason.
bool DecodePng(std::span<const uint8_t> bytes, RgbaImage& image, std::string& error);
bool LoadPng(const std::string& path, RgbaImage& image, std::string& error);
// Encodes as an 8-bit RGBA PNG, or RGB when opaque is true (alpha dropped). No time stamps or
// other chunks that would make two runs differ.
bool EncodePng(const RgbaImage& image, bool opaque, std::vector<uint8_t>& bytes,
               std::string& error);

// The smallest power of two that is at least n (n ≥ 1).
int NextPowerOfTwo(int n);

// The picture at half size, each side rounded up: every output pixel averages the 2×2 block
// above it (a 1-pixel block at an odd edge), colours weighted by their alpha so that
// transparent neighbours do not darken the edges.
RgbaImage HalveImage(const RgbaImage& image);

// Gives fully transparent pixels the colour of their nearest visible neighbours, spreading
// outwards by one pixel per pass, so that filtering across an edge never blends toward the
// black of empty pixels. Alpha is untouched; the picture looks the same when blended.
void BleedTransparentColours(RgbaImage& image, int passes);

// The picture in the top-left corner of a width × height canvas of zero bytes.
RgbaImage PadImage(const RgbaImage& image, int width, int height);

// Wide backgrounds: a (1280·k) × (768·k) picture (k = 1 or 2) stored in a square texture of
// 1024·k per side. The centre 1024·k columns fill the rows 128·k .. 896·k − 1; the left and
// right 128·k-pixel strips are turned by a quarter turn into the bottom and top 128·k rows.
// WideScale gives k, or 0 for any other size.
int WideScale(int width, int height);
RgbaImage PackWide(const RgbaImage& picture);

}  // namespace kcontent
