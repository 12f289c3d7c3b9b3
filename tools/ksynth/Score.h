#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What a sound description says: output format, instruments and the notes they play. Times
// of notes are in beats; a beat lasts 60 / tempo seconds (one second at the default tempo).
namespace ksynth {

enum class Wave { kSine, kTriangle, kSquare, kSaw, kPulse, kNoise, kPluck };

enum class FilterType { kNone, kLowpass, kHighpass, kBandpass };

struct Oscillator {
  Wave wave = Wave::kSine;
  float level = 1.0f;
  float detuneCents = 0.0f;
  int octave = 0;
  float width = 0.5f;  // duty cycle of a pulse; brightness of a pluck
};

struct Instrument {
  std::string name;
  std::vector<Oscillator> oscillators;  // none means one sine
  // Envelope: seconds, seconds, level, seconds.
  float attack = 0.005f;
  float decay = 0.1f;
  float sustain = 0.7f;
  float release = 0.1f;
  FilterType filter = FilterType::kNone;
  float cutoff = 20000.0f;
  float resonance = 0.707f;  // the filter's Q
  float sweepHz = 0.0f;      // the cutoff starts this much higher and decays back
  float sweepTime = 0.1f;
  float pitchSemitones = 0.0f;  // the pitch starts this far off and glides to the note
  float pitchTime = 0.05f;
  float vibratoRate = 0.0f;
  float vibratoDepth = 0.0f;  // semitones
  float fmRatio = 0.0f;       // phase modulation by a sine at this multiple of the pitch
  float fmIndex = 0.0f;
  float fmDecay = 0.0f;  // seconds; 0 keeps the index constant
  float gain = 1.0f;
  float pan = 0.0f;       // -1 left .. 1 right
  float echoTime = 0.0f;  // seconds
  float echoFeedback = 0.0f;
  float echoMix = 0.0f;
};

struct NoteEvent {
  int instrument = 0;
  double beat = 0.0;
  double beats = 0.0;
  double frequency = 440.0;
  float velocity = 1.0f;
};

struct Score {
  int rate = 44100;
  int channels = 1;
  double tempo = 60.0;
  double lengthBeats = -1.0;  // negative: until the last note has died away
  bool loop = false;          // what sounds past the end is folded onto the start
  float gain = 0.9f;          // the peak level of the result
  float quality = 0.4f;       // Vorbis quality, -0.1 .. 1
  uint32_t seed = 1;          // of the noise
  std::vector<Instrument> instruments;
  std::vector<NoteEvent> notes;

  double SecondsPerBeat() const { return 60.0 / tempo; }
};

}  // namespace ksynth
