#include "level/ObjectFlags.h"

uint32_t ObjectFlags::Parse(std::string_view letters) {
  uint32_t flags = 0;
  for (const char c : letters) {
    // Bytes above 127 are negative chars; take the byte value so every input maps to 0..31.
    const int code = static_cast<unsigned char>(c);
    const int base = code > 96 ? 97 : 39;
    const int bit = ((code - base) % 32 + 32) % 32;
    flags |= 1u << bit;
  }
  return flags;
}

std::string ObjectFlags::Format(uint32_t flags) {
  std::string letters;
  for (int bit = 0; bit < 32; ++bit) {
    if (flags & (1u << bit)) letters += char(bit < 26 ? 'a' + bit : 'A' + (bit - 26));
  }
  return letters;
}
