#pragma once
#include <string>
#include <string_view>

namespace base {

// UTF-16 (the game's text) to UTF-8 (what the system takes); unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// Appends the UTF-8 bytes of one code point.
void AppendUtf8(std::string& out, char32_t c);
// UTF-8 from the system to UTF-16 code units; invalid bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace base
