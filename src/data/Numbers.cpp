#include "data/Numbers.h"

#include <locale.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  return locale;
}

}  // namespace

int ParseInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;  // saturate; keeps the product in range
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return int(value);
}

float ParseFloat(std::string_view text) {
  // strtod needs a terminated string; content numbers are short.
  const std::string copy(text.substr(0, text.find('\0')));
  const double value =
      CLocale() ? strtod_l(copy.c_str(), nullptr, CLocale()) : std::strtod(copy.c_str(), nullptr);
  if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
  if (value > double(std::numeric_limits<float>::max())) {
    return std::numeric_limits<float>::infinity();
  }
  if (value < -double(std::numeric_limits<float>::max())) {
    return -std::numeric_limits<float>::infinity();
  }
  return float(value);
}

uint32_t ParseHex(std::string_view text) {
  uint32_t value = 0;
  for (const char c : text) {
    uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = uint32_t(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = uint32_t(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = uint32_t(c - 'A' + 10);
    } else {
      break;
    }
    value = (value << 4) | digit;
  }
  return value;
}

int FloatToInt(double value, int fallback) {
  if (std::isnan(value)) return fallback;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return int(value);
}
