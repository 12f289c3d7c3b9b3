#include "kcontent/TextureWriters.h"

#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace kcontent {

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = uint8_t(v);
  out[at + 1] = uint8_t(v >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}

// An 8-bit channel reduced to bits bits, rounded to the nearest level.
uint32_t Reduce(uint8_t v, int bits) {
  const uint32_t top = (1u << bits) - 1;
  return (uint32_t(v) * top + 127) / 255;
}

void StorePixel(const uint8_t* rgba, ZifFormat format, uint8_t* out) {
  const uint8_t r = rgba[0], g = rgba[1], b = rgba[2], a = rgba[3];
  uint32_t v = 0;
  switch (format) {
    case ZifFormat::Bgra8888:
      out[0] = b;
      out[1] = g;
      out[2] = r;
      out[3] = a;
      return;
    case ZifFormat::Rgb888:
      out[0] = r;
      out[1] = g;
      out[2] = b;
      return;
    case ZifFormat::Argb4444:
      v = Reduce(a, 4) << 12 | Reduce(r, 4) << 8 | Reduce(g, 4) << 4 | Reduce(b, 4);
      break;
    case ZifFormat::Argb1555:
      v = (a >= 128 ? 1u : 0u) << 15 | Reduce(r, 5) << 10 | Reduce(g, 5) << 5 | Reduce(b, 5);
      break;
    case ZifFormat::Rgb565:
      v = Reduce(r, 5) << 11 | Reduce(g, 6) << 5 | Reduce(b, 5);
      break;
  }
  out[0] = uint8_t(v);
  out[1] = uint8_t(v >> 8);
}

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
  auto* error = reinterpret_cast<JpegError*>(info->err);
  (*info->err->format_message)(info, error->message);
  std::longjmp(error->jump, 1);
}

}  // namespace

bool ParseZifFormat(std::string_view name, ZifFormat& format) {
  struct Name {
    std::string_view text;
    ZifFormat format;
  };
  constexpr Name kNames[] = {{"8888", ZifFormat::Bgra8888},
                             {"4444", ZifFormat::Argb4444},
                             {"1555", ZifFormat::Argb1555},
                             {"565", ZifFormat::Rgb565},
                             {"888", ZifFormat::Rgb888}};
  for (const Name& n : kNames) {
    if (n.text == name) {
      format = n.format;
      return true;
    }
  }
  return false;
}

int ZifBytesPerPixel(ZifFormat format) {
  switch (format) {
    case ZifFormat::Bgra8888:
      return 4;
    case ZifFormat::Rgb888:
      return 3;
    default:
      return 2;
  }
}

std::vector<uint8_t> ZifPixelData(const RgbaImage& image, ZifFormat format, int textureWidth,
                                  int textureHeight) {
  const size_t bpp = size_t(ZifBytesPerPixel(format));
  std::vector<uint8_t> data(size_t(textureWidth) * size_t(textureHeight) * bpp, 0);
  for (int y = 0; y < image.height && y < textureHeight; ++y) {
    uint8_t* row = data.data() + size_t(y) * size_t(textureWidth) * bpp;
    for (int x = 0; x < image.width && x < textureWidth; ++x) {
      StorePixel(image.At(x, y), format, row + size_t(x) * bpp);
    }
  }
  return data;
}

std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size) {
  uLongf packedSize = compressBound(uLong(size));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, data, uLong(size), Z_BEST_COMPRESSION) != Z_OK) {
    return {};
  }
  packed.resize(packedSize);
  return packed;
}

bool EncodeZif(const RgbaImage& image, const ZifOptions& options, std::vector<uint8_t>& bytes,
               std::string& error) {
  const int tw = options.textureWidth > 0 ? options.textureWidth : image.width;
  const int th = options.textureHeight > 0 ? options.textureHeight : image.height;
  if (image.Empty()) {
    error = "empty picture";
    return false;
  }
  if (tw < image.width || th < image.height) {
    error =
        "texture " + std::to_string(tw) + "x" + std::to_string(th) + " is smaller than the picture";
    return false;
  }
  const std::vector<uint8_t> raw = ZifPixelData(image, options.format, tw, th);
  const std::vector<uint8_t> packed = ZlibCompress(raw.data(), raw.size());
  if (packed.empty()) {
    error = "compression failed";
    return false;
  }
  bytes.assign(kZifHeaderSize, 0);
  std::memcpy(bytes.data(), "ZIF1", 4);
  Put16(bytes, 4, uint16_t(options.format));
  bytes[6] = options.packedWide ? 1 : 0;
  Put32(bytes, 8, uint32_t(image.width));
  Put32(bytes, 12, uint32_t(image.height));
  Put32(bytes, 16, uint32_t(tw));
  Put32(bytes, 20, uint32_t(th));
  Put32(bytes, 24, uint32_t(raw.size()));
  Put32(bytes, 28, uint32_t(packed.size()));
  bytes.insert(bytes.end(), packed.begin(), packed.end());
  return true;
}

bool EncodeJpeg(const RgbaImage& image, int quality, std::vector<uint8_t>& bytes,
                std::string& error) {
  if (image.Empty()) {
    error = "empty picture";
    return false;
  }
  if (quality < 1 || quality > 100) {
    error = "JPEG quality must be 1..100";
    return false;
  }
  std::vector<uint8_t> rgb(size_t(image.width) * size_t(image.height) * 3);
  for (size_t i = 0, n = size_t(image.width) * size_t(image.height); i < n; ++i) {
    std::memcpy(&rgb[i * 3], &image.pixels[i * 4], 3);
  }

  jpeg_compress_struct info{};
  JpegError jerr{};
  info.err = jpeg_std_error(&jerr.manager);
  jerr.manager.error_exit = OnJpegError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(jerr.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    error = std::string("JPEG encoding failed: ") + jerr.message;
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(image.width);
  info.image_height = JDIMENSION(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  info.optimize_coding = TRUE;
  info.dct_method = JDCT_ISLOW;
  jpeg_start_compress(&info, TRUE);
  const size_t stride = size_t(image.width) * 3;
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = rgb.data() + size_t(info.next_scanline) * stride;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  bytes.assign(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return true;
}

bool EncodeJpa(const RgbaImage& image, int quality, std::vector<uint8_t>& bytes,
               std::string& error) {
  std::vector<uint8_t> jpeg;
  if (!EncodeJpeg(image, quality, jpeg, error)) return false;
  std::vector<uint8_t> alpha(size_t(image.width) * size_t(image.height));
  for (size_t i = 0; i < alpha.size(); ++i) alpha[i] = image.pixels[i * 4 + 3];
  const std::vector<uint8_t> packed = ZlibCompress(alpha.data(), alpha.size());
  if (packed.empty()) {
    error = "compression failed";
    return false;
  }
  bytes.assign(kJpaHeaderSize, 0);
  std::memcpy(bytes.data(), "JPA1", 4);
  Put32(bytes, 4, uint32_t(jpeg.size()));
  Put32(bytes, 8, uint32_t(packed.size()));
  bytes.insert(bytes.end(), jpeg.begin(), jpeg.end());
  bytes.insert(bytes.end(), packed.begin(), packed.end());
  return true;
}

}  // namespace kcontent
