#include "graphics/ImageDecoder.h"

#include <zlib.h>

#include <cstring>

namespace {

uint16_t Read16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Read32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool SizeWithinLimits(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

// The most zlib can expand its input: deflate never does better than about 1032 to 1.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint64_t kDeflateSlack = 1024;

bool PlausibleInflatedSize(uint64_t inflated, uint64_t compressed) {
  return inflated <= compressed * kMaxDeflateRatio + kDeflateSlack;
}

// zlib-decompresses exactly out.size() bytes; anything else is a damaged stream.
bool InflateExactly(std::span<const uint8_t> compressed, std::vector<uint8_t>& out) {
  if (!PlausibleInflatedSize(out.size(), compressed.size())) return false;
  uLongf length = uLongf(out.size());
  const int result = uncompress(out.data(), &length, compressed.data(), uLong(compressed.size()));
  return result == Z_OK && length == out.size();
}

// zif: the game's own container (little-endian).
constexpr size_t kZifHeaderSize = 32;

struct ZifFormat {
  PixelFormat format;
  bool alpha;
};

ZifFormat ZifFormatOf(uint16_t code) {
  switch (code) {
    case 1:
      return {PixelFormat::ARGB4444, true};
    case 2:
      return {PixelFormat::ARGB1555, true};
    case 3:
      return {PixelFormat::RGB565, false};
    case 4:
      return {PixelFormat::RGB8, false};
    default:
      return {PixelFormat::RGBA8, true};
  }
}

// TGA image types read: uncompressed true-colour and uncompressed greyscale.
constexpr uint8_t kTgaTrueColour = 2;
constexpr uint8_t kTgaGrey = 3;
constexpr uint8_t kTgaTopDown = 0x20;  // descriptor bit: the first stored row is the top one

}  // namespace

std::string_view ExtensionOf(ImageFileType type) {
  switch (type) {
    case ImageFileType::Zif:
      return "zif";
    case ImageFileType::Webp:
      return "webp";
    case ImageFileType::Jpa:
      return "jpa";
    case ImageFileType::Jpg:
      return "jpg";
    case ImageFileType::Png:
      return "png";
    case ImageFileType::Tga:
      return "tga";
  }
  return "";
}

int NextPowerOfTwo(int size) {
  int p = 1;
  while (p < size && p < (1 << 30)) p <<= 1;
  return p;
}

bool IsWideBackgroundSize(int width, int height) {
  return (width == 1280 && height == 768) || (width == 2560 && height == 1536);
}

bool PlausiblePixelCount(int64_t pixels, size_t fileSize) {
  // Small pictures are always fine; beyond that, no image codec here packs more than a few
  // thousand pixels into one byte of a genuine file.
  constexpr int64_t kAlwaysFine = int64_t(2048) * 2048;
  constexpr int64_t kPixelsPerByte = 8192;
  return pixels <= kAlwaysFine || pixels <= int64_t(fileSize) * kPixelsPerByte;
}

bool AllocateTexture(DecodedImage& image, int width, int height, bool powerOfTwo,
                     PixelFormat format) {
  if (!SizeWithinLimits(width, height)) return false;
  int texWidth = width;
  int texHeight = height;
  if (powerOfTwo && !IsWideBackgroundSize(width, height)) {
    texWidth = NextPowerOfTwo(width);
    texHeight = NextPowerOfTwo(height);
  }
  if (!SizeWithinLimits(texWidth, texHeight)) return false;
  image.imageWidth = width;
  image.imageHeight = height;
  image.width = texWidth;
  image.height = texHeight;
  image.format = format;
  image.pixels.assign(size_t(texWidth) * size_t(texHeight) * size_t(BytesPerPixel(format)), 0);
  return true;
}

std::optional<DecodedImage> DecodeImage(ImageFileType type, std::span<const uint8_t> file,
                                        bool powerOfTwo) {
  std::optional<DecodedImage> image;
  switch (type) {
    case ImageFileType::Zif:
      image = DecodeZif(file);
      break;
    case ImageFileType::Webp:
      image = DecodeWebp(file, powerOfTwo);
      break;
    case ImageFileType::Jpa:
      image = DecodeJpa(file, powerOfTwo);
      break;
    case ImageFileType::Jpg:
      image = DecodeJpeg(file, powerOfTwo);
      break;
    case ImageFileType::Png:
      image = DecodePng(file, powerOfTwo);
      break;
    case ImageFileType::Tga:
      image = DecodeTga(file);
      break;
  }
  if (image) RepackWideBackground(*image);
  return image;
}

std::optional<DecodedImage> DecodeZif(std::span<const uint8_t> file) {
  if (file.size() < kZifHeaderSize) return std::nullopt;
  const uint8_t* h = file.data();
  const ZifFormat zif = ZifFormatOf(Read16(h + 4));
  const int64_t imageWidth = int32_t(Read32(h + 8));
  const int64_t imageHeight = int32_t(Read32(h + 12));
  const int64_t width = int32_t(Read32(h + 16));
  const int64_t height = int32_t(Read32(h + 20));
  const uint64_t rawSize = Read32(h + 24);
  const uint64_t packedSize = Read32(h + 28);

  // The header must describe exactly the data that follows it.
  if (!SizeWithinLimits(width, height) || imageWidth <= 0 || imageHeight <= 0 ||
      imageWidth > width || imageHeight > height)
    return std::nullopt;
  if (uint64_t(width * height * BytesPerPixel(zif.format)) != rawSize) return std::nullopt;
  if (packedSize > file.size() - kZifHeaderSize) return std::nullopt;

  DecodedImage image;
  image.imageWidth = int(imageWidth);
  image.imageHeight = int(imageHeight);
  image.width = int(width);
  image.height = int(height);
  image.format = zif.format;
  image.alpha = zif.alpha;
  image.packedWide = (h[6] & 1) != 0;
  if (!PlausibleInflatedSize(rawSize, packedSize)) return std::nullopt;
  image.pixels.resize(size_t(rawSize));
  if (!InflateExactly(file.subspan(kZifHeaderSize, size_t(packedSize)), image.pixels))
    return std::nullopt;
  return image;
}

std::optional<DecodedImage> DecodeJpa(std::span<const uint8_t> file, bool powerOfTwo) {
  constexpr size_t kHeader = 12;
  if (file.size() < kHeader) return std::nullopt;
  const uint64_t jpegSize = Read32(file.data() + 4);
  const uint64_t alphaSize = Read32(file.data() + 8);
  if (jpegSize > file.size() - kHeader || alphaSize > file.size() - kHeader - jpegSize)
    return std::nullopt;

  std::optional<DecodedImage> image =
      DecodeJpeg(file.subspan(kHeader, size_t(jpegSize)), powerOfTwo);
  if (!image) return std::nullopt;
  // One alpha byte per picture pixel, rows top to bottom: exactly that many, no more, no less.
  std::vector<uint8_t> alpha(size_t(image->imageWidth) * size_t(image->imageHeight));
  if (!InflateExactly(file.subspan(kHeader + size_t(jpegSize), size_t(alphaSize)), alpha))
    return std::nullopt;
  const size_t stride = size_t(image->width) * 4;
  for (int y = 0; y < image->imageHeight; ++y) {
    uint8_t* row = image->pixels.data() + size_t(y) * stride;
    const uint8_t* a = alpha.data() + size_t(y) * size_t(image->imageWidth);
    for (int x = 0; x < image->imageWidth; ++x) row[4 * x + 3] = a[x];
  }
  return image;
}

std::optional<DecodedImage> DecodeTga(std::span<const uint8_t> file) {
  constexpr size_t kHeader = 18;
  if (file.size() < kHeader) return std::nullopt;
  const uint8_t* h = file.data();
  const uint8_t type = h[2];
  const int width = Read16(h + 12);
  const int height = Read16(h + 14);
  const int bits = h[16];
  if (type != kTgaTrueColour && type != kTgaGrey) return std::nullopt;
  if (bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  if (!SizeWithinLimits(width, height)) return std::nullopt;

  // The identification field and any colour map come before the pixels.
  const uint64_t mapBytes = h[1] ? uint64_t(Read16(h + 5)) * ((h[7] + 7u) / 8u) : 0;
  const uint64_t offset = kHeader + h[0] + mapBytes;
  const uint64_t bytes = uint64_t(width) * uint64_t(height) * uint64_t(bits / 8);
  if (offset > file.size() || bytes > file.size() - offset) return std::nullopt;

  DecodedImage image;
  if (!AllocateTexture(image, width, height, false, PixelFormat::BGRA8)) return std::nullopt;
  image.alpha = true;
  const bool topDown = (h[17] & kTgaTopDown) != 0;
  const size_t pixelBytes = size_t(bits / 8);
  const uint8_t* src = file.data() + offset;
  for (int row = 0; row < height; ++row) {
    // Stored rows run bottom to top unless the descriptor says otherwise.
    const int y = topDown ? row : height - 1 - row;
    const uint8_t* s = src + size_t(row) * size_t(width) * pixelBytes;
    uint8_t* d = image.pixels.data() + size_t(y) * size_t(width) * 4;
    for (int x = 0; x < width; ++x, s += pixelBytes, d += 4) {
      if (bits == 32) {
        std::memcpy(d, s, 4);
      } else if (bits == 24) {
        d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
      } else {
        d[0] = d[1] = d[2] = 255, d[3] = s[0];
      }
    }
  }
  return image;
}

bool RepackWideBackground(DecodedImage& image) {
  if (!IsWideBackgroundSize(image.imageWidth, image.imageHeight)) return false;
  if (image.width < image.imageWidth || image.height < image.imageHeight) return false;
  const int k = image.imageWidth / 1280;
  const int side = 1024 * k;  // the square texture
  const int strip = 128 * k;  // width of each side strip
  const int pictureH = 768 * k;
  const size_t bpp = size_t(BytesPerPixel(image.format));
  const size_t srcStride = size_t(image.width) * bpp;
  if (image.pixels.size() < srcStride * size_t(image.height)) return false;

  std::vector<uint8_t> out(size_t(side) * size_t(side) * bpp, 0);
  auto at = [&](int row, int column) { return out.data() + (size_t(row) * side + column) * bpp; };
  for (int r = 0; r < pictureH; ++r) {
    const uint8_t* src = image.pixels.data() + size_t(r) * srcStride;
    // The centre keeps its orientation, moved down by one strip width.
    std::memcpy(at(strip + r, 0), src + size_t(strip) * bpp, size_t(side) * bpp);
    // The strips are turned: picture row r becomes texture column pictureH - 1 - r.
    const int column = pictureH - 1 - r;
    for (int i = 0; i < strip; ++i) {
      std::memcpy(at(pictureH + strip + i, column), src + size_t(i) * bpp, bpp);
      std::memcpy(at(i, column), src + size_t(strip + side + i) * bpp, bpp);
    }
  }
  image.pixels = std::move(out);
  image.imageWidth = image.imageHeight = side;
  image.width = image.height = side;
  image.packedWide = true;
  return true;
}
