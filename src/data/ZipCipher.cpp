#include "data/ZipCipher.h"

#include <zlib.h>

namespace {

uint32_t Crc32Step(uint32_t crc, uint8_t byte) {
  static const z_crc_t* const table = get_crc_table();
  return uint32_t(table[(crc ^ byte) & 0xFF]) ^ (crc >> 8);
}

}  // namespace

ZipCipher::ZipCipher(std::string_view password) {
  for (const char c : password) Update(uint8_t(c));
}

void ZipCipher::Update(uint8_t plain) {
  keys_[0] = Crc32Step(keys_[0], plain);
  keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
  keys_[2] = Crc32Step(keys_[2], uint8_t(keys_[1] >> 24));
}

uint8_t ZipCipher::StreamByte() const {
  const uint32_t t = (keys_[2] & 0xFFFF) | 2;
  return uint8_t(((t * (t ^ 1)) >> 8) & 0xFF);
}

uint8_t ZipCipher::Encrypt(uint8_t plain) {
  const uint8_t cipher = plain ^ StreamByte();
  Update(plain);
  return cipher;
}

uint8_t ZipCipher::Decrypt(uint8_t cipher) {
  const uint8_t plain = cipher ^ StreamByte();
  Update(plain);
  return plain;
}
