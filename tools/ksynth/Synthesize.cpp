#include "ksynth/Synthesize.h"

#include "ksynth/Renderer.h"
#include "ksynth/ScoreParser.h"
#include "ksynth/VorbisWriter.h"

namespace ksynth {

bool Synthesize(std::string_view description, std::vector<uint8_t>& ogg, std::string& error) {
  Score score;
  ScoreParser parser;
  if (!parser.Parse(description, score, error)) return false;
  const std::vector<float> pcm = Renderer().Render(score);
  if (!VorbisWriter::Encode(pcm, score.channels, score.rate, score.quality, ogg)) {
    error = "the encoder refused the format";
    return false;
  }
  return true;
}

}  // namespace ksynth
