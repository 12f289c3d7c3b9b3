#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace base {

using Bytes = std::vector<uint8_t>;

// Largest unpacked size accepted when the caller names no bound of its own.
inline constexpr uint32_t kMaxUnpackedSize = 16u * 1024u * 1024u;

// The largest packed form of a payload of at most maxLength bytes: zlib's worst case plus the
// length trailer, and with `encode` its Base64 text. A stored file larger than this cannot
// be a packed file of that payload, so it is refused by its size without being read.
uint64_t PackedSizeBound(uint32_t maxLength, bool encode);

// zlib stream of the bytes followed by their length as 32-bit little endian; with `encode`
// the whole result is Base64 (standard alphabet, "=" padding, a line feed after every 72
// characters and one at the end).
Bytes PackData(std::span<const uint8_t> data, bool encode);

// The inverse of PackData. Damaged input (too short, bad Base64, an inflate error, a length
// trailer that does not match what inflates, or one above maxLength) gives no data.
std::optional<Bytes> UnpackData(std::span<const uint8_t> packed, bool encode,
                                uint32_t maxLength = kMaxUnpackedSize);

// Base64 stages on their own, for the packed files and their tests.
Bytes EncodeBase64(std::span<const uint8_t> data);
std::optional<Bytes> DecodeBase64(std::span<const uint8_t> text);

}  // namespace base
