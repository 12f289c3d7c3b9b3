#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

// The ZIP format's traditional ("PKWARE") encryption. An encrypted entry's data starts with a
// 12-byte header whose last byte, once decrypted, is the top byte of the entry's CRC-32 (of
// its DOS time instead when the entry has a trailing data descriptor): a quick check of the
// password before the checksum of the whole content decides.
class ZipCipher {
 public:
  static constexpr size_t kHeaderSize = 12;

  explicit ZipCipher(std::string_view password);

  uint8_t Encrypt(uint8_t plain);
  uint8_t Decrypt(uint8_t cipher);
  void Decrypt(uint8_t* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) bytes[i] = Decrypt(bytes[i]);
  }

 private:
  void Update(uint8_t plain);
  uint8_t StreamByte() const;

  uint32_t keys_[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};
