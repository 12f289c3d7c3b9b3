#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Field-by-field little-endian encoding of the per-user files: every value is written and read
// at its own offset, so the stored layout never depends on how the compiler lays out a struct.
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint16_t v) { Unsigned(v, 2); }
  void U32(uint32_t v) { Unsigned(v, 4); }
  void I32(int32_t v) { Unsigned(uint32_t(v), 4); }
  void I64(int64_t v) { Unsigned(uint64_t(v), 8); }
  void F32(float v) { U32(std::bit_cast<uint32_t>(v)); }
  void Raw(std::span<const uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

 private:
  void Unsigned(uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out_.push_back(uint8_t(v >> (8 * i)));
  }
  std::vector<uint8_t>& out_;
};

// Reads the same fields back. Reading past the end gives zeros and marks the reader as short,
// so a caller that checked the size first never sees it, and one that did not cannot overrun.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> in) : in_(in) {}

  uint8_t U8() { return uint8_t(Unsigned(1)); }
  uint16_t U16() { return uint16_t(Unsigned(2)); }
  uint32_t U32() { return uint32_t(Unsigned(4)); }
  int32_t I32() { return int32_t(uint32_t(Unsigned(4))); }
  int64_t I64() { return int64_t(Unsigned(8)); }
  float F32() { return std::bit_cast<float>(U32()); }
  void Raw(std::span<uint8_t> out) {
    for (uint8_t& b : out) b = U8();
  }

  size_t Offset() const { return at_; }
  size_t Left() const { return at_ < in_.size() ? in_.size() - at_ : 0; }
  bool Short() const { return short_; }

 private:
  uint64_t Unsigned(int bytes) {
    if (Left() < size_t(bytes)) {
      short_ = true;
      at_ = in_.size();
      return 0;
    }
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint64_t(in_[at_ + i]) << (8 * i);
    at_ += size_t(bytes);
    return v;
  }
  std::span<const uint8_t> in_;
  size_t at_ = 0;
  bool short_ = false;
};
