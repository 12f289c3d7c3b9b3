#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ksynth/Score.h"

namespace ksynth {

// Renders one note of an instrument: its oscillators (with glide, vibrato and phase
// modulation), the filter with its sweep, the envelope, and the pan, added into a stereo
// bus of interleaved frames.
class NoteVoice {
 public:
  NoteVoice(const Instrument& instrument, const NoteEvent& note, double secondsPerBeat, int rate,
            uint32_t noiseSeed);

  // Frames the note lasts, release included.
  size_t Frames() const { return frames_; }
  // Adds the note into bus (frames × 2 floats), starting at frame `start`; whatever would
  // fall past the end of the bus is left out. leftGain/rightGain place it in the stereo field.
  void Render(std::vector<float>& bus, size_t start, float leftGain, float rightGain);

 private:
  const Instrument& in_;
  NoteEvent note_;
  double hold_;
  int rate_;
  size_t frames_;
  uint32_t noise_;
};

}  // namespace ksynth
