#include "ImageFiles.h"

#include <png.h>
#include <unistd.h>
#include <webp/encode.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>

#include <jpeglib.h>

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = uint8_t(v), out[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (8 * i));
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  std::vector<uint8_t> out(size);
  if (compress(out.data(), &size, raw.data(), uLong(raw.size())) != Z_OK)
    throw std::runtime_error("compress");
  out.resize(size);
  return out;
}

void PngWriteToVector(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void PngFlush(png_structp) {}

}  // namespace

void RgbaPicture::Set(int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  uint8_t* p = At(x, y);
  p[0] = r, p[1] = g, p[2] = b, p[3] = a;
}

RgbaPicture PatternPicture(int width, int height, bool withAlpha) {
  RgbaPicture picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.Set(x, y, uint8_t(x * 7 + y), uint8_t(y * 5 + 3), uint8_t(x ^ y),
                  withAlpha ? uint8_t(x * 3 + y * 11) : 255);
  return picture;
}

std::vector<uint8_t> EncodePng(const RgbaPicture& picture, int channels, int bitDepth) {
  static const int kTypes[5] = {0, PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA,
                                PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGBA};
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("png write");
  png_set_write_fn(png, &out, PngWriteToVector, PngFlush);
  png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), bitDepth,
               kTypes[channels], PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  if (bitDepth == 16) png_set_swap(png);  // rows below are little-endian 16-bit samples
  const int sampleBytes = bitDepth / 8;
  std::vector<uint8_t> row(size_t(picture.width) * channels * sampleBytes);
  static const int kChannelMap[5][4] = {{}, {0}, {0, 3}, {0, 1, 2}, {0, 1, 2, 3}};
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x)
      for (int c = 0; c < channels; ++c) {
        const uint8_t v = picture.At(x, y)[kChannelMap[channels][c]];
        uint8_t* d = &row[(size_t(x) * channels + c) * sampleBytes];
        if (sampleBytes == 1) {
          d[0] = v;
        } else {
          d[0] = v, d[1] = v;  // v * 257: strips back to v
        }
      }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> EncodePalettePng(const RgbaPicture& picture) {
  std::map<uint32_t, int> index;
  std::vector<png_color> palette;
  std::vector<png_byte> alpha;
  std::vector<uint8_t> indices;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* p = picture.At(x, y);
      const uint32_t key = uint32_t(p[0]) | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
      auto [it, inserted] = index.try_emplace(key, int(palette.size()));
      if (inserted) {
        palette.push_back({p[0], p[1], p[2]});
        alpha.push_back(p[3]);
      }
      indices.push_back(uint8_t(it->second));
    }
  if (palette.size() > 256) throw std::runtime_error("too many colours");
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("png write");
  png_set_write_fn(png, &out, PngWriteToVector, PngFlush);
  png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8,
               PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, palette.data(), int(palette.size()));
  png_set_tRNS(png, info, alpha.data(), int(alpha.size()), nullptr);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y) png_write_row(png, &indices[size_t(y) * picture.width]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> EncodeJpeg(const RgbaPicture& picture, int quality, bool grey) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(picture.width);
  info.image_height = JDIMENSION(picture.height);
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(size_t(picture.width) * 3);
  while (info.next_scanline < info.image_height) {
    const int y = int(info.next_scanline);
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* p = picture.At(x, y);
      if (grey) {
        row[size_t(x)] = p[0];
      } else {
        std::memcpy(&row[size_t(x) * 3], p, 3);
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

std::vector<uint8_t> EncodeWebpLossless(const RgbaPicture& picture) {
  // Lossless, and keeping the colour of fully transparent pixels.
  WebPConfig config;
  if (!WebPConfigInit(&config)) throw std::runtime_error("webp config");
  config.lossless = 1;
  config.exact = 1;
  WebPPicture pic;
  if (!WebPPictureInit(&pic)) throw std::runtime_error("webp picture");
  pic.use_argb = 1;
  pic.width = picture.width;
  pic.height = picture.height;
  WebPMemoryWriter writer;
  WebPMemoryWriterInit(&writer);
  pic.writer = WebPMemoryWrite;
  pic.custom_ptr = &writer;
  const bool ok = WebPPictureImportRGBA(&pic, picture.rgba.data(), picture.width * 4) &&
                  WebPEncode(&config, &pic);
  WebPPictureFree(&pic);
  std::vector<uint8_t> out(writer.mem, writer.mem + writer.size);
  WebPMemoryWriterClear(&writer);
  if (!ok) throw std::runtime_error("webp encode");
  return out;
}

std::vector<uint8_t> EncodeJpa(const RgbaPicture& picture, int quality) {
  const std::vector<uint8_t> jpeg = EncodeJpeg(picture, quality);
  std::vector<uint8_t> alpha(size_t(picture.width) * picture.height);
  for (size_t i = 0; i < alpha.size(); ++i) alpha[i] = picture.rgba[i * 4 + 3];
  const std::vector<uint8_t> packed = Deflate(alpha);
  std::vector<uint8_t> out(12 + jpeg.size() + packed.size());
  Put32(out, 4, uint32_t(jpeg.size()));
  Put32(out, 8, uint32_t(packed.size()));
  std::memcpy(&out[12], jpeg.data(), jpeg.size());
  std::memcpy(&out[12 + jpeg.size()], packed.data(), packed.size());
  return out;
}

std::vector<uint8_t> EncodeTga(const RgbaPicture& picture, int bits, bool topDown) {
  std::vector<uint8_t> out(18);
  out[2] = bits == 8 ? 3 : 2;
  Put16(out, 12, uint32_t(picture.width));
  Put16(out, 14, uint32_t(picture.height));
  out[16] = uint8_t(bits);
  out[17] = uint8_t((bits == 32 ? 8 : 0) | (topDown ? 0x20 : 0));
  for (int row = 0; row < picture.height; ++row) {
    const int y = topDown ? row : picture.height - 1 - row;
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* p = picture.At(x, y);
      if (bits == 8) {
        out.push_back(p[3]);
      } else {
        out.insert(out.end(), {p[2], p[1], p[0]});
        if (bits == 32) out.push_back(p[3]);
      }
    }
  }
  return out;
}

std::vector<uint8_t> EncodeZifRaw(int formatCode, int imageW, int imageH, int texW, int texH,
                                  const std::vector<uint8_t>& body, bool packedWide) {
  const std::vector<uint8_t> packed = Deflate(body);
  std::vector<uint8_t> out(32 + packed.size());
  std::memcpy(&out[32], packed.data(), packed.size());
  Put16(out, 4, uint32_t(formatCode));
  out[6] = packedWide ? 1 : 0;
  Put32(out, 8, uint32_t(imageW));
  Put32(out, 12, uint32_t(imageH));
  Put32(out, 16, uint32_t(texW));
  Put32(out, 20, uint32_t(texH));
  Put32(out, 24, uint32_t(body.size()));
  Put32(out, 28, uint32_t(packed.size()));
  return out;
}

std::vector<uint8_t> EncodeZif(const RgbaPicture& picture, int texW, int texH, bool packedWide) {
  std::vector<uint8_t> body(size_t(texW) * texH * 4, 0);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* p = picture.At(x, y);
      uint8_t* d = &body[(size_t(y) * texW + x) * 4];
      d[0] = p[2], d[1] = p[1], d[2] = p[0], d[3] = p[3];
    }
  return EncodeZifRaw(0, picture.width, picture.height, texW, texH, body, packedWide);
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ktexXXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& relative, const std::vector<uint8_t>& bytes) const {
  const auto file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void TempFolder::Write(const std::string& relative, const std::string& text) const {
  Write(relative, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<int> TexturePixel(const std::vector<uint8_t>& bgra, int textureWidth, int x, int y) {
  const uint8_t* p = &bgra[(size_t(y) * textureWidth + x) * 4];
  return {p[2], p[1], p[0], p[3]};
}
