#include <gtest/gtest.h>

#include "data/Numbers.h"
#include "data/Utf8.h"

namespace {

TEST(Utf8, ValidTextDecodesExactly) {
  EXPECT_EQ(DecodeUtf8("plain"), u"plain");
  EXPECT_EQ(DecodeUtf8("\xC3\xA9"), u"\u00E9");
  EXPECT_EQ(DecodeUtf8("\xE2\x82\xAC"), u"\u20AC");
  EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80"), u"\xD83D\xDE00");
  EXPECT_EQ(DecodeUtf8("\xF4\x8F\xBF\xBF"), u"\xDBFF\xDFFF");
  EXPECT_EQ(DecodeUtf8(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8, TruncatedSequenceGivesQuestionMarkAndKeepsFollowingCharacters) {
  EXPECT_EQ(DecodeUtf8("\xE2\x82"), u"?");
  EXPECT_EQ(DecodeUtf8("a\xC3"
                       "b"),
            u"a?b");
  EXPECT_EQ(DecodeUtf8("\xE2\x82"
                       "xyz"),
            u"?xyz");
  EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98"), u"?");
  EXPECT_EQ(DecodeUtf8("\xC3\xC3\xA9"), u"?\u00E9");
}

TEST(Utf8, InvalidCodePointsGiveQuestionMark) {
  EXPECT_EQ(DecodeUtf8("\xF8\x88\x80\x80\x80"), u"?");  // 5-byte form
  EXPECT_EQ(DecodeUtf8("\xFC\x84\x80\x80\x80\x80"
                       "z"),
            u"?z");                                      // 6-byte form
  EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), u"?");       // above U+10FFFF
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), u"?");           // a surrogate
  EXPECT_EQ(DecodeUtf8("\xC0\x80"), u"?");               // overlong zero
  EXPECT_EQ(DecodeUtf8("\xE0\x80\xAF"), u"?");           // overlong "/"
  EXPECT_EQ(DecodeUtf8("\x80x\xBF\xFE\xFF"), u"?x???");  // no lead byte
}

TEST(Utf8, WidenBytes) { EXPECT_EQ(WidenBytes("a\xFF"), std::u16string(u"a\u00FF")); }

TEST(Numbers, ParseIntLikeAtoiWithoutOverflow) {
  EXPECT_EQ(ParseInt("42"), 42);
  EXPECT_EQ(ParseInt("  -17abc"), -17);
  EXPECT_EQ(ParseInt("+8"), 8);
  EXPECT_EQ(ParseInt("3.9"), 3);
  EXPECT_EQ(ParseInt("1e20"), 1);
  EXPECT_EQ(ParseInt("abc"), 0);
  EXPECT_EQ(ParseInt(""), 0);
  EXPECT_EQ(ParseInt("-"), 0);
  EXPECT_EQ(ParseInt("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseInt("2147483648"), INT32_MAX);
  EXPECT_EQ(ParseInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInt("-99999999999999999999999"), INT32_MIN);
}

TEST(Numbers, ParseFloatLikeAtof) {
  EXPECT_FLOAT_EQ(ParseFloat("1.5"), 1.5f);
  EXPECT_FLOAT_EQ(ParseFloat(" -2e3x"), -2000.0f);
  EXPECT_FLOAT_EQ(ParseFloat(".25"), 0.25f);
  EXPECT_EQ(ParseFloat("x1"), 0.0f);
  EXPECT_EQ(ParseFloat("1e39"), std::numeric_limits<float>::infinity());
  EXPECT_EQ(ParseFloat("-1e300"), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(ParseFloat("1e-300"), 0.0f);
}

TEST(Numbers, ParseHexStopsAtTheFirstOtherCharacter) {
  EXPECT_EQ(ParseHex("FF00aa11"), 0xFF00AA11u);
  EXPECT_EQ(ParseHex("12g4"), 0x12u);
  EXPECT_EQ(ParseHex(" 12"), 0u);
  EXPECT_EQ(ParseHex("123456789"), 0x23456789u);
}

TEST(Numbers, FloatToIntTruncatesAndClamps) {
  EXPECT_EQ(FloatToInt(3.9, 0), 3);
  EXPECT_EQ(FloatToInt(-3.9, 0), -3);
  EXPECT_EQ(FloatToInt(1e20, 0), INT32_MAX);
  EXPECT_EQ(FloatToInt(-1e20, 0), INT32_MIN);
  EXPECT_EQ(FloatToInt(std::numeric_limits<double>::quiet_NaN(), 9), 9);
  EXPECT_EQ(FloatToInt(-std::numeric_limits<double>::infinity(), 9), INT32_MIN);
}

}  // namespace
