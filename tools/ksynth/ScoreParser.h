#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ksynth/Score.h"

// Reads a sound description. One statement per line; a word starting with "#" starts a
// comment.
//
//   rate 44100            sample rate, 8000..96000
//   channels 2            1 or 2
//   tempo 96              beats per minute (default 60: a beat is a second)
//   length 64             total length in beats (default: until the last note has faded)
//   loop                  fold what sounds past the end onto the start (seamless loops)
//   gain 0.8              peak level of the result, 0..1
//   quality 0.4           Vorbis quality, -0.1..1
//   seed 7                seed of the noise
//
//   instrument NAME       ... end
//     osc WAVE [LEVEL] [CENTS] [OCTAVE] [WIDTH]
//                         WAVE: sine triangle square saw pulse noise pluck
//     env A D S R         attack, decay, release in seconds; sustain level 0..1
//     filter TYPE HZ [Q]  TYPE: lowpass highpass bandpass
//     sweep HZ SECONDS    the cutoff starts HZ higher and decays back
//     pitch SEMIS SECONDS the pitch starts SEMIS off and glides to the note
//     vibrato HZ SEMIS
//     fm RATIO INDEX [DECAY]
//     gain G   pan P      P from -1 (left) to 1 (right)
//     echo SECONDS FEEDBACK MIX
//
//   note INSTR BEAT PITCH BEATS [VELOCITY]
//   seq INSTR BEAT STEP TOKEN...
//                         a token is a pitch, a chord (C4+E4+G4), "-" (hold the previous
//                         one a step longer), "." (rest) or "|" (ignored); a pitch may end
//                         in @VELOCITY
//   pattern NAME          ... end (note, seq and play, beats counted from the pattern start)
//   play NAME BEAT [SEMITONES]
//
// A pitch is a note name with octave (C4, F#3, Bb2; A4 is 440 Hz) or a frequency (440hz).
namespace ksynth {

class ScoreParser {
 public:
  static constexpr size_t kMaxNotes = 200000;
  static constexpr double kMaxSeconds = 600.0;

  // False with a message naming the line when the text is not a valid description.
  bool Parse(std::string_view text, Score& score, std::string& error);

  // The frequency of a pitch token; false when it is not one.
  static bool ParsePitch(std::string_view token, double& frequency);

 private:
  bool Statement(std::vector<std::string_view>& words, std::string& error);
  bool InstrumentStatement(std::vector<std::string_view>& words, Instrument& instrument,
                           std::string& error);
  bool AddNote(std::vector<NoteEvent>& target, const NoteEvent& note, std::string& error);
  bool Seq(const std::vector<std::string_view>& words, std::vector<NoteEvent>& target,
           std::string& error);
  int FindInstrument(std::string_view name) const;

  Score* score_ = nullptr;
  std::map<std::string, std::vector<NoteEvent>, std::less<>> patterns_;
  // Open blocks: an instrument or a pattern being defined.
  int instrument_ = -1;  // index in score_->instruments
  bool inPattern_ = false;
  std::string patternName_;
  std::vector<NoteEvent> patternNotes_;
};

}  // namespace ksynth
