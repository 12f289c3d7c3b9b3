#pragma once
#include <cstdint>
#include <string_view>

// Text-to-number conversions of the content readers, with the C library's lenient meaning
// (leading blanks, an optional sign, then as many characters as form a number; no number
// gives 0) but without its undefined behaviour: results out of range are clamped.

// Like atoi: the int is clamped to the int32 range.
int ParseInt(std::string_view text);
// Like atof in the "C" locale (decimals, exponents, "inf", "nan", hexadecimal floats);
// a value beyond the float range becomes an infinity.
float ParseFloat(std::string_view text);
// Hexadecimal digits 0-9, a-f, A-F accumulated until the first other character (no blanks,
// sign or prefix are skipped); more than eight digits keep the last eight.
uint32_t ParseHex(std::string_view text);
// Truncation toward zero, clamped to the int32 range; NaN gives the fallback.
int FloatToInt(double value, int fallback);
