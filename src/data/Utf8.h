#pragma once
#include <string>
#include <string_view>

// UTF-8 content text to the game's UTF-16. Valid UTF-8 decodes exactly; a code point above
// U+FFFF becomes a surrogate pair. Everything else becomes one "?" per faulty sequence and
// the decoder goes on at the next byte that could start a character:
// - a byte that is neither ASCII nor a lead byte (a stray continuation byte, 0xFE, 0xFF);
// - a sequence cut short by the end of the text or by a byte that is no continuation byte
//   (that byte is not swallowed);
// - code points above U+10FFFF, UTF-16 surrogates encoded in UTF-8 and overlong forms.
// The 5- and 6-byte lead bytes of old UTF-8 are recognised, and always give "?".
std::u16string DecodeUtf8(std::string_view text);

// Byte-by-byte widening (each byte becomes the code unit of the same value).
std::u16string WidenBytes(std::string_view text);

// The game's UTF-16 as UTF-8; a lone surrogate becomes "?".
std::string EncodeUtf8(std::u16string_view text);

// The halves of a UTF-16 surrogate pair (a character outside the Basic Multilingual Plane).
constexpr bool IsHighSurrogate(int c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(int c) { return c >= 0xDC00 && c <= 0xDFFF; }
