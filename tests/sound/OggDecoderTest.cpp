// Decoding Ogg Vorbis over the FileSystem, and what the decoder does with damaged or hostile
// files: refuse them or decode within the size the header allowed, never past it.
#include <gtest/gtest.h>
#include <ogg/ogg.h>

#include <random>

#include "SoundTestSupport.h"
#include "sound/OggDecoder.h"

using namespace soundtest;

namespace {

bool AnySound(const std::vector<int16_t>& pcm, size_t from, size_t to) {
  for (size_t i = from; i < to && i < pcm.size(); ++i) {
    if (std::abs(pcm[i]) > 1000) return true;
  }
  return false;
}

// An Ogg stream whose first packet belongs to some other codec.
Bytes ForeignOgg() {
  ogg_stream_state stream;
  ogg_stream_init(&stream, 7);
  unsigned char head[19] = {'O', 'p', 'u', 's', 'H', 'e', 'a', 'd', 1, 2};
  ogg_packet packet{};
  packet.packet = head;
  packet.bytes = sizeof head;
  packet.b_o_s = 1;
  ogg_stream_packetin(&stream, &packet);
  Bytes out;
  ogg_page page;
  while (ogg_stream_flush(&stream, &page)) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
  }
  ogg_stream_clear(&stream);
  return out;
}

// Decodes name the way effects are decoded; the claimed size when it succeeds.
struct Decoded {
  bool ok = false;
  int64_t claimed = 0;
  std::vector<int16_t> pcm;
};

Decoded DecodeEffect(FileSystem& files, const std::string& name) {
  Decoded d;
  OggDecoder decoder;
  if (!decoder.Open(files, name)) return d;
  d.ok = decoder.DecodeAll(d.pcm, 64u << 20);
  // Only a length that was accepted is small enough to multiply.
  if (d.ok) d.claimed = decoder.TotalSamples() * decoder.Channels();
  return d;
}

}  // namespace

TEST(OggDecoder, DecodesMonoAndStereoToTheLengthOfTheStream) {
  ContentFolder content;
  content.Add("sounds/mono.ogg", Tone(440, 0.25, 1, 22050));
  content.Add("sounds/stereo.ogg", Tone(660, 0.5, 2, 44100));
  OggDecoder decoder;
  ASSERT_TRUE(decoder.Open(content.files, "mono.ogg"));
  EXPECT_EQ(decoder.Channels(), 1);
  EXPECT_EQ(decoder.Rate(), 22050);
  std::vector<int16_t> pcm;
  ASSERT_TRUE(decoder.DecodeAll(pcm, 64u << 20));
  EXPECT_EQ(pcm.size(), size_t(22050 / 4));
  EXPECT_TRUE(AnySound(pcm, 0, pcm.size()));

  ASSERT_TRUE(decoder.Open(content.files, "stereo.ogg"));
  EXPECT_EQ(decoder.Channels(), 2);
  ASSERT_TRUE(decoder.DecodeAll(pcm, 64u << 20));
  EXPECT_EQ(pcm.size(), size_t(44100 / 2 * 2));
  // Going back to the start gives the same first samples again.
  std::vector<int16_t> again(256);
  ASSERT_TRUE(decoder.Rewind());
  ASSERT_EQ(decoder.Read(again.data(), 512), 512);
  EXPECT_TRUE(std::equal(again.begin(), again.end(), pcm.begin()));
}

TEST(OggDecoder, RefusesWhatCannotBePlayed) {
  ContentFolder content;
  content.Add("sounds/empty.ogg", {});
  content.Add("sounds/text.ogg", Bytes{'n', 'o', 't', ' ', 'o', 'g', 'g'});
  content.Add("sounds/foreign.ogg", ForeignOgg());
  std::vector<float> quad(4 * 4410, 0.25f);
  Bytes fourChannels;
  ASSERT_TRUE(ksynth::VorbisWriter::Encode(quad, 4, 44100, 0.3f, fourChannels));
  content.Add("sounds/quad.ogg", fourChannels);

  OggDecoder decoder;
  for (const char* name : {"empty.ogg", "text.ogg", "foreign.ogg", "quad.ogg", "missing.ogg"}) {
    EXPECT_FALSE(decoder.Open(content.files, name)) << name;
    EXPECT_FALSE(decoder.IsOpen());
    std::vector<int16_t> pcm;
    EXPECT_FALSE(decoder.DecodeAll(pcm, 64u << 20));
  }
}

TEST(OggDecoder, NeverDecodesPastTheLengthTheHeaderClaims) {
  const Bytes good = Tone(440, 3.0, 2);
  const std::vector<OggPage> pages = OggPages(good);
  ASSERT_GE(pages.size(), 4u);  // headers and several audio pages
  ContentFolder content;

  // The last granule understates the length: decoding stops when the buffer is full.
  Bytes shorter = good;
  SetGranule(shorter, pages.back(), 1000);
  content.Add("sounds/short.ogg", shorter);
  Decoded d = DecodeEffect(content.files, "short.ogg");
  ASSERT_TRUE(d.ok);
  EXPECT_LT(d.claimed, 3 * 44100 * 2);
  EXPECT_EQ(int64_t(d.pcm.size()), d.claimed);

  // Absurd lengths are refused before anything is allocated.
  for (int64_t granule : {int64_t(1) << 40, int64_t(1) << 62}) {
    Bytes huge = good;
    SetGranule(huge, pages.back(), granule);
    content.Add("sounds/huge.ogg", huge);
    d = DecodeEffect(content.files, "huge.ogg");
    EXPECT_FALSE(d.ok) << granule;
    EXPECT_TRUE(d.pcm.empty());
  }
}

TEST(OggDecoder, ChainedLinkInAnotherFormatEndsTheDecoding) {
  Bytes chain = Tone(440, 0.2, 1);
  const Bytes stereo = Tone(440, 0.2, 2);
  chain.insert(chain.end(), stereo.begin(), stereo.end());
  // The second link needs its own serial number to be a valid chain.
  for (const OggPage& page : OggPages(chain)) {
    if (page.offset < chain.size() - stereo.size()) continue;
    chain[page.offset + 14] ^= 0x55;
    FixPageChecksum(chain, page);
  }
  ContentFolder content;
  content.Add("sounds/chain.ogg", chain);
  const Decoded d = DecodeEffect(content.files, "chain.ogg");
  ASSERT_TRUE(d.ok);
  const size_t firstLink = size_t(0.2 * 44100);
  ASSERT_GT(d.pcm.size(), firstLink);
  EXPECT_TRUE(AnySound(d.pcm, 0, firstLink));
  // The stereo link was not mixed in as if it were mono: that part stays silent.
  EXPECT_FALSE(AnySound(d.pcm, firstLink + 64, d.pcm.size()));
}

TEST(OggDecoder, TruncatedAndMutatedFilesDecodeWithinTheirClaimedSize) {
  const Bytes good = Tone(523, 0.3, 2);
  ContentFolder content;
  std::mt19937 random(20240611);
  for (int round = 0; round < 160; ++round) {
    Bytes bad = good;
    if (round % 4 == 0) {
      bad.resize(std::uniform_int_distribution<size_t>(0, good.size() - 1)(random));
    } else {
      const int flips = std::uniform_int_distribution<int>(1, 24)(random);
      for (int i = 0; i < flips; ++i) {
        bad[std::uniform_int_distribution<size_t>(0, bad.size() - 1)(random)] = uint8_t(random());
      }
      // Half of the mutants get valid checksums, so the damage reaches the decoder.
      if (round % 2) {
        for (const OggPage& page : OggPages(bad)) FixPageChecksum(bad, page);
      }
    }
    content.Add("sounds/fuzz.ogg", bad);
    const Decoded d = DecodeEffect(content.files, "fuzz.ogg");
    if (d.ok) {
      EXPECT_EQ(int64_t(d.pcm.size()), d.claimed) << "round " << round;
    }
  }
}
