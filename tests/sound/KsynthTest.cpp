// The sound synthesiser: its description language, the renderer's loop folding and level,
// and that the same description always gives the same playable Ogg file.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "SoundTestSupport.h"
#include "ksynth/Renderer.h"
#include "ksynth/ScoreParser.h"
#include "ksynth/Synthesize.h"
#include "sound/OggDecoder.h"

using namespace soundtest;
using ksynth::NoteEvent;
using ksynth::Score;
using ksynth::ScoreParser;

namespace {

const char* const kTune = R"(# a small tune
channels 2
tempo 120
instrument lead
  osc saw 0.6 -7
  osc pulse 0.4 7 0 0.3
  env 0.01 0.2 0.5 0.3
  filter lowpass 1800 1.2
  sweep 2000 0.1
  vibrato 5 0.1
  pan -0.4
  echo 0.25 0.3 0.2
end
instrument bell
  fm 3.5 2 0.4
  env 0.001 0.8 0 0.5
end
pattern riff
  seq lead 0 0.5 C4 - . E4+G4@0.5 | A4
end
play riff 0
play riff 4 12
note bell 7 1000hz 1 0.8
)";

Score Parsed(const std::string& text) {
  Score score;
  std::string error;
  EXPECT_TRUE(ScoreParser().Parse(text, score, error)) << error;
  return score;
}

std::string ErrorOf(const std::string& text) {
  Score score;
  std::string error;
  EXPECT_FALSE(ScoreParser().Parse(text, score, error)) << text;
  return error;
}

}  // namespace

TEST(Ksynth, SequencesPatternsAndPitches) {
  const Score score = Parsed(kTune);
  ASSERT_EQ(score.notes.size(), 9u);
  const NoteEvent& held = score.notes[0];  // C4 held for two steps
  EXPECT_DOUBLE_EQ(held.beat, 0.0);
  EXPECT_DOUBLE_EQ(held.beats, 1.0);
  EXPECT_NEAR(held.frequency, 261.626, 1e-3);
  // After the rest, a chord at a lower velocity, then A4.
  EXPECT_DOUBLE_EQ(score.notes[1].beat, 1.5);
  EXPECT_DOUBLE_EQ(score.notes[2].beat, 1.5);
  EXPECT_FLOAT_EQ(score.notes[2].velocity, 0.5f);
  EXPECT_NEAR(score.notes[2].frequency, 391.995, 1e-3);
  EXPECT_DOUBLE_EQ(score.notes[3].beat, 2.0);
  EXPECT_DOUBLE_EQ(score.notes[3].frequency, 440.0);
  // The second play is four beats later and an octave up.
  EXPECT_DOUBLE_EQ(score.notes[7].beat, 6.0);
  EXPECT_DOUBLE_EQ(score.notes[7].frequency, 880.0);
  EXPECT_EQ(score.notes[8].instrument, 1);
  EXPECT_DOUBLE_EQ(score.notes[8].frequency, 1000.0);

  // "#" starts a comment only at the start of a word.
  const Score sharp4 = Parsed("instrument a # plain\nend\nnote a 0 F#4 1 # F sharp\n");
  ASSERT_EQ(sharp4.notes.size(), 1u);
  EXPECT_NEAR(sharp4.notes[0].frequency, 369.994, 1e-3);

  double hz = 0.0;
  ASSERT_TRUE(ScoreParser::ParsePitch("Bb2", hz));
  double sharp = 0.0;
  ASSERT_TRUE(ScoreParser::ParsePitch("A#2", sharp));
  EXPECT_DOUBLE_EQ(hz, sharp);
  EXPECT_NEAR(hz, 116.541, 1e-3);
  for (const char* bad : {"H4", "C", "C10", "c4", "0hz", "C#", "4"}) {
    EXPECT_FALSE(ScoreParser::ParsePitch(bad, hz)) << bad;
  }
}

TEST(Ksynth, ErrorsNameTheLine) {
  EXPECT_EQ(ErrorOf("tempo 120\nwobble 3\n"), "line 2: unknown statement 'wobble'");
  EXPECT_EQ(ErrorOf("note piano 0 C4 1\n").rfind("line 1: unknown instrument", 0), 0u);
  EXPECT_EQ(ErrorOf("instrument a\nend\nnote a 0 X4 1\n"), "line 3: 'X4' is not a pitch");
  EXPECT_EQ(ErrorOf("instrument a\n  env 0.1 0.1\nend\n").rfind("line 2:", 0), 0u);
  EXPECT_EQ(ErrorOf("channels 3\n").rfind("line 1:", 0), 0u);
  EXPECT_EQ(ErrorOf("instrument a\n  osc sine\n"), "the last instrument or pattern has no 'end'");
  EXPECT_EQ(ErrorOf("instrument a\nend\n"), "no notes");
  EXPECT_EQ(ErrorOf("instrument a\nend\nplay nothing 0\n"), "line 3: unknown pattern 'nothing'");
  // Lengths are bounded whatever the tempo says.
  EXPECT_EQ(ErrorOf("tempo 10\ninstrument a\nend\nnote a 0 C4 200\n").rfind("the sound would", 0),
            0u);
  // Patterns that multiply each other hit the note limit instead of the memory.
  std::string bomb = "instrument a\nend\npattern p0\nnote a 0 C4 1\nend\n";
  for (int i = 1; i < 8; ++i) {
    bomb += "pattern p" + std::to_string(i) + "\n";
    for (int k = 0; k < 10; ++k) bomb += "play p" + std::to_string(i - 1) + " 0\n";
    bomb += "end\n";
  }
  EXPECT_NE(ErrorOf(bomb).find("too many notes"), std::string::npos);
}

TEST(Ksynth, LoopFoldsTheTailOntoTheStartAndTheLevelIsTheGain) {
  const std::string base =
      "rate 8000\ngain 0.5\ninstrument a\n  env 0.001 0 1 0.01\nend\n"
      "length 1\nnote a 0.75 200hz 0.5\n";
  const Score plain = Parsed(base);
  const Score looped = Parsed(base + "loop\n");
  const std::vector<float> once = ksynth::Renderer().Render(plain);
  const std::vector<float> loop = ksynth::Renderer().Render(looped);
  ASSERT_EQ(once.size(), 8000u);
  ASSERT_EQ(loop.size(), 8000u);
  auto peak = [](const std::vector<float>& v, size_t from, size_t to) {
    float m = 0.0f;
    for (size_t i = from; i < to; ++i) m = std::max(m, std::fabs(v[i]));
    return m;
  };
  EXPECT_FLOAT_EQ(peak(once, 0, once.size()), 0.5f);
  EXPECT_EQ(peak(once, 0, 5900), 0.0f) << "nothing before the note";
  EXPECT_GT(peak(loop, 100, 1900), 0.3f) << "the part past the end sounds at the start";
  EXPECT_EQ(peak(loop, 2100, 5900), 0.0f);
}

TEST(Ksynth, SameDescriptionGivesTheSamePlayableFile) {
  std::vector<uint8_t> first, second;
  std::string error;
  ASSERT_TRUE(ksynth::Synthesize(kTune, first, error)) << error;
  ASSERT_TRUE(ksynth::Synthesize(kTune, second, error)) << error;
  EXPECT_EQ(first, second);

  ContentFolder content;
  content.Add("sounds/tune.ogg", first);
  OggDecoder decoder;
  ASSERT_TRUE(decoder.Open(content.files, "tune.ogg"));
  EXPECT_EQ(decoder.Channels(), 2);
  EXPECT_EQ(decoder.Rate(), 44100);
  EXPECT_EQ(size_t(decoder.TotalSamples()), ksynth::Renderer::LengthFrames(Parsed(kTune)));
}

TEST(Ksynth, MutatedDescriptionsParseOrFailWithAMessage) {
  std::mt19937 random(99);
  const std::string alphabet = " \n#-.|+@0123456789abcdefghijklmnopqrstuvwxyzABCG";
  for (int round = 0; round < 400; ++round) {
    std::string text = kTune;
    for (int i = 0; i < 4; ++i) {
      text[random() % text.size()] = alphabet[random() % alphabet.size()];
    }
    Score score;
    std::string error;
    if (ScoreParser().Parse(text, score, error)) {
      EXPECT_LE(double(ksynth::Renderer::LengthFrames(score)),
                ScoreParser::kMaxSeconds * score.rate + 1);
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}
