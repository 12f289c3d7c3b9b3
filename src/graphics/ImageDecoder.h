#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "graphics/Texture.h"

// Decoders for the six texture file formats. Each turns a whole file held in memory into
// pixels laid out as the device texture wants them: rows top to bottom, the picture in the
// top-left corner of a texture that may be larger (padding), padding bytes zero.
//
// Every size read from a file is checked against the file length and against the limits
// below before anything is allocated; damaged, truncated or contradictory files give
// nothing, never part of a picture.

// Largest side, and largest pixel count, of a texture a file may ask for.
inline constexpr int kMaxImageSide = 8192;
inline constexpr int64_t kMaxImagePixels = int64_t(8192) * 4096;

struct DecodedImage {
  int imageWidth = 0;  // the picture
  int imageHeight = 0;
  int width = 0;  // the texture holding it (padded or repacked)
  int height = 0;
  PixelFormat format = PixelFormat::BGRA8;
  bool alpha = false;           // the pixels carry alpha (texture flag kTextureAlpha)
  bool packedWide = false;      // a wide background in the packed layout (kTexturePackedWide)
  std::vector<uint8_t> pixels;  // width × height × BytesPerPixel(format)
};

// The file extensions in the order a texture name is looked up.
enum class ImageFileType { Zif, Webp, Jpa, Jpg, Png, Tga };
inline constexpr ImageFileType kImageFileTypes[] = {ImageFileType::Zif, ImageFileType::Webp,
                                                    ImageFileType::Jpa, ImageFileType::Jpg,
                                                    ImageFileType::Png, ImageFileType::Tga};
std::string_view ExtensionOf(ImageFileType type);

// How decoders that pad size their textures. With powerOfTwo each side grows to the next
// power of two; otherwise the texture is the picture's size. Wide backgrounds (1280 × 768 and
// 2560 × 1536) are never padded: they are repacked.
int NextPowerOfTwo(int size);
bool IsWideBackgroundSize(int width, int height);

// Decodes a file of the given type and repacks a wide background. powerOfTwo: the device
// needs power-of-two textures, or mipmaps were asked for.
std::optional<DecodedImage> DecodeImage(ImageFileType type, std::span<const uint8_t> file,
                                        bool powerOfTwo);

// The single decoders (without the wide repack).
// zif: the game's own container; texture size, pixel format and the wide flag come from its
// header and are never padded.
std::optional<DecodedImage> DecodeZif(std::span<const uint8_t> file);
// WebP, JPEG and PNG give B, G, R, A pixels with the alpha flag set (opaque pictures have
// alpha 255); jpa is a JPEG with a separate zlib-compressed alpha plane.
std::optional<DecodedImage> DecodeWebp(std::span<const uint8_t> file, bool powerOfTwo);
std::optional<DecodedImage> DecodeJpa(std::span<const uint8_t> file, bool powerOfTwo);
std::optional<DecodedImage> DecodeJpeg(std::span<const uint8_t> file, bool powerOfTwo);
std::optional<DecodedImage> DecodePng(std::span<const uint8_t> file, bool powerOfTwo);
// Uncompressed TGA with 24-bit, 32-bit or 8-bit (alpha only, white) pixels; never padded.
std::optional<DecodedImage> DecodeTga(std::span<const uint8_t> file);

// Repacks a 1280·k × 768·k picture (k = 1 or 2) into a square texture of 1024·k per side:
// the centre columns go unchanged into the middle rows, the left and right strips are turned
// by a quarter and stored below and above them. Returns false, leaving the image as it is,
// for any other size.
bool RepackWideBackground(DecodedImage& image);

// --- shared by the decoders

// The texture for a picture of width × height: its padded size checked against the limits
// and its zeroed pixel buffer. False when the picture is empty or too large.
bool AllocateTexture(DecodedImage& image, int width, int height, bool powerOfTwo,
                     PixelFormat format);
// A picture whose pixel count is plausible for a compressed file of fileSize bytes, so that
// a tiny damaged file cannot make the decoder allocate a huge texture.
bool PlausiblePixelCount(int64_t pixels, size_t fileSize);
