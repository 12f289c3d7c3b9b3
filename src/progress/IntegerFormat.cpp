#include "progress/IntegerFormat.h"

#include <string>

std::u16string IntegerText(int value, int width) {
  const std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
  std::u16string out;
  if (value < 0) out += u'-';
  for (size_t n = digits.size(); n < size_t(width > 0 ? width : 0); ++n) out += u'0';
  for (const char c : digits) out += char16_t(c);
  return out;
}

std::u16string FormatIntegers(std::u16string_view pattern, std::initializer_list<int> values) {
  std::u16string out;
  const int* next = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    const char16_t after = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
    if (c == u'%' && after == u'%') {
      out += u'%';
      ++i;
    } else if (c == u'%' && (after == u'd' || after == u'i') && next != values.end()) {
      out += IntegerText(*next++);
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}
