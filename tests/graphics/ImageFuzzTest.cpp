// Damaged, truncated and lying image files: each gives no picture (a JPEG the library can
// still decode excepted), without reading past its end or allocating what its header claims.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include <jpeglib.h>

#include "AllocationProbe.h"
#include "ImageFiles.h"
#include "graphics/ImageDecoder.h"

namespace {

constexpr size_t kSmallAllocation = 1 << 20;

struct Sample {
  const char* what;
  ImageFileType type;
  std::vector<uint8_t> bytes;
};

std::vector<Sample> Samples() {
  const RgbaPicture picture = PatternPicture(37, 23, true);
  RgbaPicture few(9, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) few.Set(x, y, uint8_t(x * 20), uint8_t(y * 40), 0, uint8_t(x * 25));
  return {
      {"png rgba", ImageFileType::Png, EncodePng(picture, 4)},
      {"png grey 16", ImageFileType::Png, EncodePng(picture, 1, 16)},
      {"png palette", ImageFileType::Png, EncodePalettePng(few)},
      {"jpeg", ImageFileType::Jpg, EncodeJpeg(picture)},
      {"jpa", ImageFileType::Jpa, EncodeJpa(picture)},
      {"webp", ImageFileType::Webp, EncodeWebpLossless(picture)},
      {"tga 32", ImageFileType::Tga, EncodeTga(picture, 32)},
      {"tga 8", ImageFileType::Tga, EncodeTga(picture, 8)},
      {"zif", ImageFileType::Zif, EncodeZif(picture, 64, 32, false)},
  };
}

// Decodes a private copy of exactly the bytes given, so that the sanitizers see any read
// beyond them.
std::optional<DecodedImage> Decode(ImageFileType type, const uint8_t* data, size_t size) {
  const std::vector<uint8_t> copy(data, data + size);
  return DecodeImage(type, std::span<const uint8_t>(copy.data(), copy.size()), false);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
}
void PutBig32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (24 - 8 * i));
}

// Offset of the first two-byte JPEG marker FF code, or the size when there is none.
size_t JpegMarker(const std::vector<uint8_t>& bytes, uint8_t code) {
  for (size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == code) return i;
  return bytes.size();
}

TEST(ImageFuzzTest, EveryTruncatedFileGivesNothing) {
  for (const Sample& sample : Samples()) {
    SCOPED_TRACE(sample.what);
    const auto whole = Decode(sample.type, sample.bytes.data(), sample.bytes.size());
    ASSERT_TRUE(whole);
    // The JPEG library decodes a stream cut short once its headers are complete (the rows
    // it lacks come out grey, with a warning): such a cut gives the picture at its full
    // size; a cut before the start of the scan gives nothing, as for every other format.
    const size_t partialFrom = sample.type == ImageFileType::Jpg
                                   ? JpegMarker(sample.bytes, 0xDA) + 1
                                   : sample.bytes.size();
    const auto check = [&](size_t length) -> ::testing::AssertionResult {
      const auto image = Decode(sample.type, sample.bytes.data(), length);
      if (!image) return ::testing::AssertionSuccess();
      if (length < partialFrom) return ::testing::AssertionFailure() << "a picture";
      if (image->imageWidth != whole->imageWidth || image->imageHeight != whole->imageHeight)
        return ::testing::AssertionFailure() << image->imageWidth << "x" << image->imageHeight;
      return ::testing::AssertionSuccess();
    };
    const size_t step = std::max<size_t>(1, sample.bytes.size() / 400);
    for (size_t length = 0; length < sample.bytes.size(); length += step)
      ASSERT_TRUE(check(length)) << "length " << length;
    // The very last byte matters too.
    ASSERT_TRUE(check(sample.bytes.size() - 1));
  }
}

TEST(ImageFuzzTest, MutatedFilesDecodeConsistentlyOrNotAtAll) {
  std::mt19937 random(20240611);
  for (const Sample& sample : Samples()) {
    SCOPED_TRACE(sample.what);
    for (int round = 0; round < 300; ++round) {
      std::vector<uint8_t> bytes = sample.bytes;
      const int changes = 1 + int(random() % 4);
      for (int i = 0; i < changes; ++i) {
        // Mostly the first bytes, where the headers are.
        const size_t limit = random() % 2 ? std::min<size_t>(bytes.size(), 64) : bytes.size();
        bytes[random() % limit] = uint8_t(random());
      }
      const auto image = Decode(sample.type, bytes.data(), bytes.size());
      if (!image) continue;
      ASSERT_GT(image->imageWidth, 0);
      ASSERT_LE(image->imageWidth, image->width);
      ASSERT_LE(image->imageHeight, image->height);
      ASSERT_LE(image->width, kMaxImageSide);
      ASSERT_EQ(image->pixels.size(),
                size_t(image->width) * image->height * BytesPerPixel(image->format));
    }
  }
}

TEST(ImageFuzzTest, ZifHeadersThatDisagreeWithTheirDataAreRefused) {
  const RgbaPicture picture = PatternPicture(8, 4, true);
  const std::vector<uint8_t> good = EncodeZif(picture, 8, 4, false);
  // The probe sees the decoder's own buffers.
  EXPECT_GE(LargestAllocationDuring([&] { ASSERT_TRUE(DecodeZif(good)); }), 8u * 4u * 4u);
  auto with = [&](size_t offset, uint32_t value) {
    std::vector<uint8_t> bytes = good;
    Put32(bytes, offset, value);
    return DecodeZif(bytes);
  };
  EXPECT_FALSE(with(8, 9));            // picture wider than its texture
  EXPECT_FALSE(with(12, 0));           // empty picture
  EXPECT_FALSE(with(16, 0xFFFFFFF8));  // negative texture width
  EXPECT_FALSE(with(20, 8));           // texture height no longer matches the data size
  EXPECT_FALSE(with(24, 8 * 4 * 4 + 4));
  EXPECT_FALSE(with(28, uint32_t(good.size())));  // compressed data past the end of the file
  EXPECT_FALSE(with(28, 0xFFFFFFF0));
  EXPECT_FALSE(with(28, 4));  // cut-off stream

  // Texture and data sizes agree with each other but not with the stream's content.
  std::vector<uint8_t> shortBody(8 * 4 * 4 - 4, 7);
  std::vector<uint8_t> lying = EncodeZifRaw(0, 8, 4, 8, 4, shortBody);
  Put32(lying, 24, 8 * 4 * 4);
  EXPECT_FALSE(DecodeZif(lying));

  // A header claiming the largest texture over a few bytes of data allocates nothing big.
  std::vector<uint8_t> huge = good;
  Put32(huge, 8, 8192), Put32(huge, 12, 4096), Put32(huge, 16, 8192), Put32(huge, 20, 4096);
  Put32(huge, 24, 8192u * 4096u * 4u);
  EXPECT_LT(LargestAllocationDuring([&] { EXPECT_FALSE(DecodeZif(huge)); }), kSmallAllocation);
}

TEST(ImageFuzzTest, JpaSizesMustFitTheFileAndThePicture) {
  const RgbaPicture picture = PatternPicture(16, 8, true);
  const std::vector<uint8_t> good = EncodeJpa(picture);
  ASSERT_TRUE(DecodeJpa(good, false));
  for (uint32_t jpegSize : {uint32_t(good.size()), 0xFFFFFFF4u, 0u}) {
    std::vector<uint8_t> bytes = good;
    Put32(bytes, 4, jpegSize);
    EXPECT_FALSE(DecodeJpa(bytes, false)) << jpegSize;
  }
  for (uint32_t alphaSize : {uint32_t(good.size()), 0xFFFFFFFFu, 3u}) {
    std::vector<uint8_t> bytes = good;
    Put32(bytes, 8, alphaSize);
    EXPECT_FALSE(DecodeJpa(bytes, false)) << alphaSize;
  }
  // An alpha plane of the wrong size: one byte short, one byte over.
  for (int extra : {-1, 1}) {
    const std::vector<uint8_t> jpeg = EncodeJpeg(picture);
    std::vector<uint8_t> alpha(size_t(16 * 8 + extra), 128);
    uLongf packedSize = compressBound(uLong(alpha.size()));
    std::vector<uint8_t> packed(packedSize);
    compress(packed.data(), &packedSize, alpha.data(), uLong(alpha.size()));
    std::vector<uint8_t> bytes(12 + jpeg.size() + packedSize);
    Put32(bytes, 4, uint32_t(jpeg.size()));
    Put32(bytes, 8, uint32_t(packedSize));
    std::memcpy(&bytes[12], jpeg.data(), jpeg.size());
    std::memcpy(&bytes[12 + jpeg.size()], packed.data(), packedSize);
    EXPECT_FALSE(DecodeJpa(bytes, false)) << extra;
  }
}

TEST(ImageFuzzTest, TgaTypesDepthsAndSizesAreChecked) {
  const RgbaPicture picture = PatternPicture(4, 4, true);
  const std::vector<uint8_t> good = EncodeTga(picture, 32);
  ASSERT_TRUE(DecodeTga(good));
  std::vector<uint8_t> compressed = good;
  compressed[2] = 10;  // run-length encoded
  EXPECT_FALSE(DecodeTga(compressed));
  std::vector<uint8_t> sixteen = good;
  sixteen[16] = 16;
  EXPECT_FALSE(DecodeTga(sixteen));
  std::vector<uint8_t> longId = good;
  longId[0] = 255;  // identification field running past the end
  EXPECT_FALSE(DecodeTga(longId));
  // A header claiming 65535 × 65535 pixels over 64 bytes of data.
  std::vector<uint8_t> huge = good;
  huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
  EXPECT_LT(LargestAllocationDuring([&] { EXPECT_FALSE(DecodeTga(huge)); }), kSmallAllocation);
  huge[13] = huge[15] = 0x10;  // 4351 × 4351: within the limits, but not in the file
  EXPECT_LT(LargestAllocationDuring([&] { EXPECT_FALSE(DecodeTga(huge)); }), kSmallAllocation);
}

TEST(ImageFuzzTest, PngWithBadChecksumsOrHugeClaimsIsRefused) {
  const std::vector<uint8_t> good = EncodePng(PatternPicture(16, 16, true), 4);
  ASSERT_TRUE(DecodePng(good, false));
  // A byte of the IHDR chunk, then a byte of the image data, changed under its checksum.
  std::vector<uint8_t> header = good;
  header[20] ^= 1;
  EXPECT_FALSE(DecodePng(header, false));
  std::vector<uint8_t> data = good;
  data[data.size() - 20] ^= 0x55;
  EXPECT_FALSE(DecodePng(data, false));

  // IHDR with a valid checksum claiming 8192 × 4096 pixels over a few hundred bytes.
  std::vector<uint8_t> huge = good;
  PutBig32(huge, 16, 8192);
  PutBig32(huge, 20, 4096);
  PutBig32(huge, 29, uint32_t(crc32(0, huge.data() + 12, 17)));
  EXPECT_LT(LargestAllocationDuring([&] { EXPECT_FALSE(DecodePng(huge, false)); }),
            kSmallAllocation);
}

std::vector<uint8_t> CmykJpeg() {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = info.image_height = 8;
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(8 * 4, 100);
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

// Warnings the JPEG library gives while decoding bytes, counted by its standard error manager
// (nothing printed); -1 when it stops on an error instead.
struct JpegCheck {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

bool RunJpegCheck(jpeg_decompress_struct* info, JpegCheck* errors,
                  const std::vector<uint8_t>* bytes, std::vector<uint8_t>* row) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, bytes->data(), static_cast<unsigned long>(bytes->size()));
  jpeg_read_header(info, TRUE);
  jpeg_start_decompress(info);
  row->resize(size_t(info->output_width) * size_t(info->output_components));
  while (info->output_scanline < info->output_height) {
    JSAMPROW rows[1] = {row->data()};
    jpeg_read_scanlines(info, rows, 1);
  }
  jpeg_finish_decompress(info);
  return true;
}

int JpegWarnings(const std::vector<uint8_t>& bytes) {
  jpeg_decompress_struct info{};
  JpegCheck errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = [](j_common_ptr c) {
    std::longjmp(reinterpret_cast<JpegCheck*>(c->err)->jump, 1);
  };
  errors.base.output_message = [](j_common_ptr) {};
  std::vector<uint8_t> row;
  const bool ok = RunJpegCheck(&info, &errors, &bytes, &row);
  jpeg_destroy_decompress(&info);
  return ok ? int(errors.base.num_warnings) : -1;
}

// Distance of a decoded B, G, R pixel from an R, G, B colour, the largest channel difference.
int Distance(const DecodedImage& image, int x, int y, std::array<int, 3> rgb) {
  const uint8_t* p = image.pixels.data() + (size_t(y) * size_t(image.width) + size_t(x)) * 4;
  return std::max({std::abs(p[2] - rgb[0]), std::abs(p[1] - rgb[1]), std::abs(p[0] - rgb[2])});
}

TEST(ImageFuzzTest, JpegWarningsStillGiveThePicture) {
  RgbaPicture picture(256, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 256; ++x) picture.Set(x, y, 200, 40, 90);
  const std::vector<uint8_t> good = EncodeJpeg(picture);
  ASSERT_EQ(JpegWarnings(good), 0);
  const size_t scan = JpegMarker(good, 0xDA);
  const size_t end = JpegMarker(good, 0xD9);
  ASSERT_LT(scan + 20, end);

  // Cut in the middle of the scan ("premature end of JPEG file"): the top rows in colour,
  // the rows never sent grey, at the full size.
  const std::vector<uint8_t> cut(good.begin(), good.begin() + long(scan + (end - scan) / 2));
  ASSERT_GT(JpegWarnings(cut), 0);
  const auto partial = DecodeJpeg(cut, false);
  ASSERT_TRUE(partial);
  EXPECT_EQ(partial->imageWidth, 256);
  EXPECT_EQ(partial->imageHeight, 128);
  EXPECT_LE(Distance(*partial, 5, 2, {200, 40, 90}), 6);
  EXPECT_LE(Distance(*partial, 250, 125, {128, 128, 128}), 6);

  // Stray bytes before the start-of-scan marker: skipped with a warning, the picture whole.
  std::vector<uint8_t> junk = good;
  junk.insert(junk.begin() + long(scan), {0x12, 0x34, 0x56});
  ASSERT_GT(JpegWarnings(junk), 0);
  const auto skipped = DecodeJpeg(junk, true);
  ASSERT_TRUE(skipped);
  EXPECT_EQ(skipped->imageWidth, 256);
  EXPECT_EQ(skipped->imageHeight, 128);
  EXPECT_LE(Distance(*skipped, 250, 125, {200, 40, 90}), 6);

  // Errors still refuse: a cut inside the headers, and bytes that are no JPEG at all.
  const std::vector<uint8_t> header(good.begin(), good.begin() + long(scan));
  EXPECT_EQ(JpegWarnings(header), -1);
  EXPECT_FALSE(DecodeJpeg(header, false));
  std::vector<uint8_t> garbage(4000);
  std::mt19937 random(5);
  for (uint8_t& b : garbage) b = uint8_t(random());
  EXPECT_FALSE(DecodeJpeg(garbage, false));
  garbage[0] = 0xFF, garbage[1] = 0xD8;
  EXPECT_FALSE(DecodeJpeg(garbage, false));
}

TEST(ImageFuzzTest, JpegErrorsReturnInsteadOfEndingTheProgram) {
  // Four-channel colour cannot be turned into RGB: the library raises an error.
  EXPECT_FALSE(DecodeJpeg(CmykJpeg(), false));
  // Garbage after the start marker.
  std::vector<uint8_t> garbage = {0xFF, 0xD8, 0xFF, 0x00, 1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_FALSE(DecodeJpeg(garbage, false));
  // A frame header claiming 65000 × 65000 pixels.
  std::vector<uint8_t> huge = EncodeJpeg(PatternPicture(16, 16));
  for (size_t i = 2; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = huge[i + 7] = 0xFD;
      huge[i + 6] = huge[i + 8] = 0xE8;
      break;
    }
  EXPECT_LT(LargestAllocationDuring([&] { EXPECT_FALSE(DecodeJpeg(huge, false)); }),
            kSmallAllocation);
  // A damaged WebP stream.
  std::vector<uint8_t> webp = EncodeWebpLossless(PatternPicture(16, 16));
  for (size_t i = 30; i < webp.size(); ++i) webp[i] = uint8_t(i * 37);
  EXPECT_FALSE(DecodeWebp(webp, false));
}

}  // namespace
