#include "base/PackedData.h"

#include <zlib.h>

extern "C" {
#include <b64/cdecode.h>
#include <b64/cencode.h>
}

namespace base {
namespace {

bool IsBase64Char(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '/';
}

// Accepts only the encoder's own alphabet: data characters, then at most two "=" at the end
// of the data, with line breaks anywhere.
bool IsWellFormedBase64(std::span<const uint8_t> text) {
  size_t data = 0, padding = 0;
  for (uint8_t c : text) {
    if (c == '\n' || c == '\r') continue;
    if (c == '=') {
      ++padding;
    } else if (IsBase64Char(c) && padding == 0) {
      ++data;
    } else {
      return false;
    }
  }
  return padding <= 2 && (data + padding) % 4 == 0;
}

uint32_t ReadLength(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

uint64_t PackedSizeBound(uint32_t maxLength, bool encode) {
  const uint64_t packed = uint64_t(compressBound(uLong(maxLength))) + 4;
  if (!encode) return packed;
  const uint64_t chars = (packed + 2) / 3 * 4;
  return chars + chars / 72 + 1;
}

Bytes EncodeBase64(std::span<const uint8_t> data) {
  // Four characters per three bytes, a line feed per 72 characters, and the closing ones.
  Bytes out(data.size() / 3 * 4 + data.size() / 54 + 16);
  base64_encodestate state;
  base64_init_encodestate(&state);
  char* dst = reinterpret_cast<char*>(out.data());
  int written = 0;
  // Encode in slices so that the int lengths of the C interface never overflow.
  constexpr size_t kSlice = 1u << 20;
  for (size_t at = 0; at < data.size(); at += kSlice) {
    const size_t n = std::min(kSlice, data.size() - at);
    written += base64_encode_block(reinterpret_cast<const char*>(data.data() + at), int(n),
                                   dst + written, &state);
  }
  written += base64_encode_blockend(dst + written, &state);
  out.resize(size_t(written));
  return out;
}

std::optional<Bytes> DecodeBase64(std::span<const uint8_t> text) {
  if (!IsWellFormedBase64(text)) return std::nullopt;
  Bytes out(text.size() / 4 * 3 + 3);
  base64_decodestate state;
  base64_init_decodestate(&state);
  int written = 0;
  constexpr size_t kSlice = 1u << 20;
  for (size_t at = 0; at < text.size(); at += kSlice) {
    const size_t n = std::min(kSlice, text.size() - at);
    written += base64_decode_block(reinterpret_cast<const char*>(text.data() + at), int(n),
                                   reinterpret_cast<char*>(out.data()) + written, &state);
  }
  out.resize(size_t(written));
  return out;
}

Bytes PackData(std::span<const uint8_t> data, bool encode) {
  uLongf compressedSize = compressBound(uLong(data.size()));
  Bytes out(compressedSize + 4);
  if (compress(out.data(), &compressedSize, data.data(), uLong(data.size())) != Z_OK) return {};
  const uint32_t length = uint32_t(data.size());
  out.resize(compressedSize + 4);
  for (int i = 0; i < 4; ++i) out[compressedSize + i] = uint8_t(length >> (8 * i));
  return encode ? EncodeBase64(out) : out;
}

std::optional<Bytes> UnpackData(std::span<const uint8_t> packed, bool encode, uint32_t maxLength) {
  Bytes decoded;
  if (encode) {
    auto text = DecodeBase64(packed);
    if (!text) return std::nullopt;
    decoded = std::move(*text);
    packed = decoded;
  }
  if (packed.size() < 4) return std::nullopt;
  const uint32_t length = ReadLength(packed.data() + packed.size() - 4);
  if (length > maxLength) return std::nullopt;

  // Inflate into exactly the stored length, plus one spare byte to notice a stream that
  // holds more than the trailer claims.
  Bytes out(size_t(length) + 1);
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return std::nullopt;
  zs.next_in = const_cast<Bytef*>(packed.data());
  zs.avail_in = uInt(packed.size() - 4);
  zs.next_out = out.data();
  zs.avail_out = uInt(out.size());
  const int rc = inflate(&zs, Z_FINISH);
  const size_t produced = zs.total_out;
  inflateEnd(&zs);
  if (rc != Z_STREAM_END || produced != length) return std::nullopt;
  out.resize(length);
  return out;
}

}  // namespace base
