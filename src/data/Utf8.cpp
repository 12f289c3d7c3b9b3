#include "data/Utf8.h"

#include "base/Text.h"

std::u16string DecodeUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out += char16_t(lead);
      ++i;
      continue;
    }
    int extra = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0) {
      extra = 1, c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, c = lead & 0x07;
    } else if ((lead & 0xFC) == 0xF8) {
      extra = 4, c = lead & 0x03;
    } else if ((lead & 0xFE) == 0xFC) {
      extra = 5, c = lead & 0x01;
    } else {
      out += u'?';  // a continuation byte without a lead, or 0xFE / 0xFF
      ++i;
      continue;
    }
    size_t next = i + 1;
    int have = 0;
    while (have < extra && next < text.size() &&
           (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) {
      c = (c << 6) | (static_cast<unsigned char>(text[next]) & 0x3F);
      ++next;
      ++have;
    }
    i = next;
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000, 0x200000, 0x4000000};
    if (have < extra || extra > 3 || c < kMinimum[extra] || c > 0x10FFFF ||
        (c >= 0xD800 && c <= 0xDFFF)) {
      out += u'?';
      continue;
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += char16_t(0xD800 + (c >> 10));
      out += char16_t(0xDC00 + (c & 0x3FF));
    } else {
      out += char16_t(c);
    }
  }
  return out;
}

std::u16string WidenBytes(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char c : text) out += char16_t(static_cast<unsigned char>(c));
  return out;
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto put = [&out](char32_t c) { base::AppendUtf8(out, c); };
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      put(0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      out += '?';  // a lone surrogate
    } else {
      put(c);
    }
  }
  return out;
}
