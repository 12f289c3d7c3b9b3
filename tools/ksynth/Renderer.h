#pragma once
#include <cstddef>
#include <vector>

#include "ksynth/Score.h"

namespace ksynth {

// Turns a score into PCM: every instrument's notes are mixed on a bus of their own, which
// gets the instrument's echo, and the buses are summed. A looping score folds everything
// that sounds past its end back onto its start, so the last sample joins the first without a
// seam. The result is scaled so that its peak is the score's gain.
class Renderer {
 public:
  // Interleaved samples, score.channels per frame.
  std::vector<float> Render(const Score& score) const;

  // The length of the result in frames.
  static size_t LengthFrames(const Score& score);

 private:
  // Seconds after the last note until the instrument's echo has died away.
  static double EchoTail(const Instrument& instrument);
  static double SoundingEnd(const Score& score);
};

}  // namespace ksynth
