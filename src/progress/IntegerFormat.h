#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

// Fills a translated pattern with whole numbers. Translations are content, so the pattern is
// never handed to printf: only "%d" and "%i" take the next number (in order) and "%%" gives
// a percent sign; any other conversion, and one with no number left for it, stays as it
// stands.
std::u16string FormatIntegers(std::u16string_view pattern, std::initializer_list<int> values);

// The decimal digits of a number, zero-padded to width.
std::u16string IntegerText(int value, int width = 0);
