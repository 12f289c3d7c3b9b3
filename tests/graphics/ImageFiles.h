#pragma once
// Writers of small test pictures in every texture file format, and a temporary content
// folder to put them in.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A picture as the tests describe it: 8-bit R, G, B, A per pixel, rows top to bottom.
struct RgbaPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;

  RgbaPicture() = default;
  RgbaPicture(int w, int h) : width(w), height(h), rgba(size_t(w) * h * 4) {}
  uint8_t* At(int x, int y) { return &rgba[(size_t(y) * width + x) * 4]; }
  const uint8_t* At(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
  void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);
};

// Every pixel a different colour derived from its position (a = 255 unless withAlpha).
RgbaPicture PatternPicture(int width, int height, bool withAlpha = false);

// PNG with the given channel layout: 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA (grey takes the
// red channel). bitDepth 8 or 16.
std::vector<uint8_t> EncodePng(const RgbaPicture& picture, int channels, int bitDepth = 8);
// Palette PNG (at most 256 distinct colours; alpha below 255 goes into a tRNS chunk).
std::vector<uint8_t> EncodePalettePng(const RgbaPicture& picture);
std::vector<uint8_t> EncodeJpeg(const RgbaPicture& picture, int quality = 95, bool grey = false);
std::vector<uint8_t> EncodeWebpLossless(const RgbaPicture& picture);
// jpa: the colour as a JPEG, the alpha plane zlib-compressed.
std::vector<uint8_t> EncodeJpa(const RgbaPicture& picture, int quality = 95);
// Uncompressed TGA: bits 8 (alpha only, type 3), 24 or 32; rows bottom-up unless topDown.
std::vector<uint8_t> EncodeTga(const RgbaPicture& picture, int bits, bool topDown = false);
// zif with a 32-bit B, G, R, A body (format code 0) padded into a texture of texW × texH.
std::vector<uint8_t> EncodeZif(const RgbaPicture& picture, int texW, int texH, bool packedWide);
// zif with a raw body as given (any format code), header sizes as given.
std::vector<uint8_t> EncodeZifRaw(int formatCode, int imageW, int imageH, int texW, int texH,
                                  const std::vector<uint8_t>& body, bool packedWide = false);

// A fresh folder below the system's temporary folder, removed again by the destructor.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes a file below the folder (creating its folders).
  void Write(const std::string& relative, const std::vector<uint8_t>& bytes) const;
  void Write(const std::string& relative, const std::string& text) const;

 private:
  std::filesystem::path path_;
};

// The pixel (x, y) of a decoded B, G, R, A texture of the given width, as R, G, B, A.
std::vector<int> TexturePixel(const std::vector<uint8_t>& bgra, int textureWidth, int x, int y);
