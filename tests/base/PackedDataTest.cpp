#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "base/PackedData.h"

using base::Bytes;
using base::PackData;
using base::UnpackData;

namespace {

Bytes Sample(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes data(n);
  for (auto& b : data) b = uint8_t(rng() % 7);  // compressible but not trivial
  return data;
}

void SetTrailer(Bytes& packed, uint32_t length) {
  for (int i = 0; i < 4; ++i) packed[packed.size() - 4 + i] = uint8_t(length >> (8 * i));
}

}  // namespace

TEST(PackedData, RoundTripsWithAndWithoutBase64) {
  for (size_t n : {size_t(0), size_t(1), size_t(20), size_t(4256), size_t(41280), size_t(200000)}) {
    const Bytes data = Sample(n, uint32_t(n));
    for (bool encode : {false, true}) {
      const auto back = UnpackData(PackData(data, encode), encode);
      ASSERT_TRUE(back.has_value()) << n << " encode=" << encode;
      EXPECT_EQ(*back, data);
    }
  }
}

TEST(PackedData, LayoutIsZlibStreamThenLittleEndianLength) {
  const Bytes data = Sample(4256, 1);
  const Bytes packed = PackData(data, false);
  ASSERT_GT(packed.size(), 4u);
  EXPECT_EQ(packed[packed.size() - 4], 4256 & 0xFF);
  EXPECT_EQ(packed[packed.size() - 3], 4256 >> 8);
  EXPECT_EQ(packed[packed.size() - 2], 0);
  EXPECT_EQ(packed[packed.size() - 1], 0);
  // The stream alone inflates with zlib's one-call interface.
  Bytes out(4256);
  uLongf outLen = uLongf(out.size());
  ASSERT_EQ(uncompress(out.data(), &outLen, packed.data(), uLong(packed.size() - 4)), Z_OK);
  EXPECT_EQ(out, data);
}

TEST(PackedData, Base64HasLineFeedEvery72CharactersAndAtTheEnd) {
  const Bytes text = PackData(Sample(3000, 2), true);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  size_t column = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_EQ(column, 72u) << "at " << i;
      column = 0;
    } else {
      ++column;
    }
  }
  EXPECT_LE(column, 72u);
}

TEST(PackedData, DamagedInputGivesNoData) {
  const Bytes good = PackData(Sample(4256, 3), false);

  EXPECT_FALSE(UnpackData(Bytes{}, false));
  EXPECT_FALSE(UnpackData(Bytes{1, 2, 3}, false));

  Bytes huge = good;
  SetTrailer(huge, 0xFFFFFFFFu);
  EXPECT_FALSE(UnpackData(huge, false));

  Bytes tooLong = good;
  SetTrailer(tooLong, 4257);
  EXPECT_FALSE(UnpackData(tooLong, false));

  Bytes tooShort = good;
  SetTrailer(tooShort, 4255);
  EXPECT_FALSE(UnpackData(tooShort, false));

  Bytes garbage = good;
  garbage[2] ^= 0xFF;
  garbage[3] ^= 0x55;
  EXPECT_FALSE(UnpackData(garbage, false));

  Bytes truncated(good.begin(), good.begin() + long(good.size() / 2));
  truncated.insert(truncated.end(), good.end() - 4, good.end());
  EXPECT_FALSE(UnpackData(truncated, false));

  // A caller's tighter bound rejects a well-formed file of another size.
  EXPECT_FALSE(UnpackData(good, false, 20));
  EXPECT_TRUE(UnpackData(good, false, 4256));
}

TEST(PackedData, BadBase64IsRejected) {
  const Bytes text = PackData(Sample(500, 4), true);
  Bytes bad = text;
  bad[5] = '*';
  EXPECT_FALSE(UnpackData(bad, true));
  Bytes cut(text.begin(), text.end() - 3);  // breaks the four-character groups
  EXPECT_FALSE(UnpackData(cut, true));
  Bytes spaced = text;
  spaced.insert(spaced.begin() + 10, ' ');
  EXPECT_FALSE(UnpackData(spaced, true));
}

TEST(PackedData, RandomMutationsNeverCrashAndNeverExceedTheBound) {
  std::mt19937 rng(1234);
  const Bytes base = PackData(Sample(4256, 5), false);
  const Bytes base64 = PackData(Sample(4256, 6), true);
  for (int round = 0; round < 3000; ++round) {
    const bool encode = round % 2 == 1;
    Bytes m = encode ? base64 : base;
    const int edits = 1 + int(rng() % 8);
    for (int e = 0; e < edits; ++e) {
      switch (rng() % 4) {
        case 0:
          m[rng() % m.size()] = uint8_t(rng());
          break;
        case 1:
          m.resize(rng() % (m.size() + 1));
          break;
        case 2:
          m.insert(m.begin() + long(rng() % (m.size() + 1)), uint8_t(rng()));
          break;
        default:
          if (!m.empty()) m.erase(m.begin() + long(rng() % m.size()));
          break;
      }
      if (m.empty()) break;
    }
    const auto out = UnpackData(m, encode, 4256);
    if (out) {
      EXPECT_LE(out->size(), 4256u);
    }
  }
}
