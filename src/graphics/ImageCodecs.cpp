// The decoders built on the public image libraries: JPEG, PNG and WebP. The JPEG and PNG
// libraries report errors by jumping back to a setjmp point; each decode therefore runs in a
// function of its own that holds no object with a destructor, and everything it fills lives
// in its caller.
#include <png.h>
#include <webp/decode.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "graphics/ImageDecoder.h"

namespace {

// ---------------------------------------------------------------- JPEG

struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void JpegFail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Warnings are for streams the library decodes all the same (cut short: the missing rows come
// out grey; stray bytes before a marker: skipped). The picture is taken as decoded; only
// errors, which end in JpegFail, refuse it. Nothing is printed.
void JpegMessage(j_common_ptr info, int level) {
  if (level < 0) info->err->num_warnings++;
}

void JpegSilence(j_common_ptr) {}

bool RunJpeg(jpeg_decompress_struct* info, JpegErrors* errors, const uint8_t* data, size_t size,
             bool powerOfTwo, DecodedImage* image, std::vector<uint8_t>* row) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  if (!PlausiblePixelCount(int64_t(info->image_width) * info->image_height, size)) return false;
  info->out_color_space = JCS_RGB;
  if (!AllocateTexture(*image, int(std::min<JDIMENSION>(info->image_width, kMaxImageSide + 1)),
                       int(std::min<JDIMENSION>(info->image_height, kMaxImageSide + 1)), powerOfTwo,
                       PixelFormat::BGRA8))
    return false;
  jpeg_start_decompress(info);
  if (info->output_components != 3 || int(info->output_width) != image->imageWidth ||
      int(info->output_height) != image->imageHeight)
    return false;
  row->resize(size_t(info->output_width) * 3);
  const size_t stride = size_t(image->width) * 4;
  while (info->output_scanline < info->output_height) {
    const JDIMENSION y = info->output_scanline;
    JSAMPROW rows[1] = {row->data()};
    if (jpeg_read_scanlines(info, rows, 1) != 1) return false;
    const uint8_t* s = row->data();
    uint8_t* d = image->pixels.data() + size_t(y) * stride;
    for (JDIMENSION x = 0; x < info->output_width; ++x, s += 3, d += 4) {
      d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = 255;
    }
  }
  jpeg_finish_decompress(info);
  return true;
}

// ---------------------------------------------------------------- PNG

struct PngSource {
  const uint8_t* data;
  size_t size;
  size_t position;
};

void PngRead(png_structp png, png_bytep out, size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (length > source->size - source->position) png_error(png, "truncated");
  std::memcpy(out, source->data + source->position, length);
  source->position += length;
}

[[noreturn]] void PngFail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

bool RunPng(png_structp png, png_infop info, PngSource* source, bool powerOfTwo,
            DecodedImage* image, std::vector<png_bytep>* rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, PngRead);
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int colourType = png_get_color_type(png, info);
  if (!PlausiblePixelCount(int64_t(width) * height, source->size)) return false;

  // 16-bit samples to 8, sub-byte samples to bytes, palettes, low-bit grey and transparency
  // chunks to full samples and alpha; then grey to RGB, opaque alpha where there is none,
  // and B, G, R, A order.
  png_set_strip_16(png);
  png_set_packing(png);
  png_set_expand(png);
  if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  if (!(colourType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_channels(png, info) != 4 || png_get_rowbytes(png, info) != size_t(width) * 4)
    return false;

  if (!AllocateTexture(*image, int(width), int(height), powerOfTwo, PixelFormat::BGRA8))
    return false;
  rows->resize(height);
  const size_t stride = size_t(image->width) * 4;
  for (png_uint_32 y = 0; y < height; ++y) (*rows)[y] = image->pixels.data() + y * stride;
  png_read_image(png, rows->data());
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

std::optional<DecodedImage> DecodeJpeg(std::span<const uint8_t> file, bool powerOfTwo) {
  if (file.empty()) return std::nullopt;
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JpegFail;
  errors.base.emit_message = JpegMessage;
  errors.base.output_message = JpegSilence;
  DecodedImage image;
  std::vector<uint8_t> row;
  const bool ok = RunJpeg(&info, &errors, file.data(), file.size(), powerOfTwo, &image, &row);
  jpeg_destroy_decompress(&info);
  if (!ok) return std::nullopt;
  image.alpha = true;
  return image;
}

std::optional<DecodedImage> DecodePng(std::span<const uint8_t> file, bool powerOfTwo) {
  if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0) return std::nullopt;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFail, PngWarning);
  if (!png) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return std::nullopt;
  }
  PngSource source{file.data(), file.size(), 0};
  DecodedImage image;
  std::vector<png_bytep> rows;
  const bool ok = RunPng(png, info, &source, powerOfTwo, &image, &rows);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) return std::nullopt;
  image.alpha = true;
  return image;
}

std::optional<DecodedImage> DecodeWebp(std::span<const uint8_t> file, bool powerOfTwo) {
  if (file.empty()) return std::nullopt;
  WebPBitstreamFeatures features;
  if (WebPGetFeatures(file.data(), file.size(), &features) != VP8_STATUS_OK) return std::nullopt;
  if (features.has_animation) return std::nullopt;
  if (!PlausiblePixelCount(int64_t(features.width) * features.height, file.size()))
    return std::nullopt;
  DecodedImage image;
  if (!AllocateTexture(image, features.width, features.height, powerOfTwo, PixelFormat::BGRA8))
    return std::nullopt;
  // Rows land at the start of the texture's rows; the padding stays zero. Pictures without
  // alpha come out with alpha 255.
  if (!WebPDecodeBGRAInto(file.data(), file.size(), image.pixels.data(), image.pixels.size(),
                          image.width * 4))
    return std::nullopt;
  image.alpha = true;
  return image;
}
