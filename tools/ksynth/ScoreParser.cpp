#include "ksynth/ScoreParser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace ksynth {
namespace {

using Words = std::vector<std::string_view>;

std::string Show(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool ToNumber(std::string_view text, double& value) {
  if (text.empty()) return false;
  if (text.front() == '+') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// Reads words[index] as a number within [lo, hi]; a missing optional word keeps value.
bool Arg(const Words& words, size_t index, double lo, double hi, double& value, std::string& error,
         bool optional = false) {
  if (index >= words.size()) {
    if (optional) return true;
    error = "'" + std::string(words[0]) + "' needs more values";
    return false;
  }
  double v = 0.0;
  if (!ToNumber(words[index], v) || v < lo || v > hi) {
    error =
        "'" + std::string(words[index]) + "' is not a number from " + Show(lo) + " to " + Show(hi);
    return false;
  }
  value = v;
  return true;
}

bool ArgF(const Words& words, size_t index, double lo, double hi, float& value, std::string& error,
          bool optional = false) {
  double v = value;
  if (!Arg(words, index, lo, hi, v, error, optional)) return false;
  value = float(v);
  return true;
}

bool NoMoreThan(const Words& words, size_t count, std::string& error) {
  if (words.size() <= count) return true;
  error = "unexpected '" + std::string(words[count]) + "'";
  return false;
}

}  // namespace

bool ScoreParser::ParsePitch(std::string_view token, double& frequency) {
  if (token.size() > 2 && (token.ends_with("hz") || token.ends_with("Hz"))) {
    double hz = 0.0;
    if (!ToNumber(token.substr(0, token.size() - 2), hz) || hz < 1.0 || hz > 20000.0) return false;
    frequency = hz;
    return true;
  }
  if (token.empty()) return false;
  static constexpr int kSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  const char letter = token[0];
  if (letter < 'A' || letter > 'G') return false;
  int semitone = kSteps[letter - 'A'];
  size_t i = 1;
  if (i < token.size() && token[i] == '#') {
    ++semitone;
    ++i;
  } else if (i < token.size() && token[i] == 'b') {
    --semitone;
    ++i;
  }
  int octave = 0;
  const auto [end, ec] = std::from_chars(token.data() + i, token.data() + token.size(), octave);
  if (ec != std::errc() || end != token.data() + token.size() || i == token.size() || octave < -1 ||
      octave > 9) {
    return false;
  }
  const int midi = (octave + 1) * 12 + semitone;
  frequency = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
  return true;
}

int ScoreParser::FindInstrument(std::string_view name) const {
  for (size_t i = 0; i < score_->instruments.size(); ++i) {
    if (score_->instruments[i].name == name) return int(i);
  }
  return -1;
}

bool ScoreParser::AddNote(std::vector<NoteEvent>& target, const NoteEvent& note,
                          std::string& error) {
  if (score_->notes.size() + patternNotes_.size() >= kMaxNotes) {
    error = "too many notes";
    return false;
  }
  target.push_back(note);
  return true;
}

bool ScoreParser::Seq(const Words& words, std::vector<NoteEvent>& target, std::string& error) {
  if (words.size() < 4) {
    error = "'seq' needs an instrument, a beat, a step and notes";
    return false;
  }
  NoteEvent base;
  base.instrument = FindInstrument(words[1]);
  if (base.instrument < 0) {
    error = "unknown instrument '" + std::string(words[1]) + "'";
    return false;
  }
  double beat = 0.0;
  double step = 0.0;
  if (!Arg(words, 2, 0.0, 1e6, beat, error) || !Arg(words, 3, 1e-3, 1e4, step, error)) {
    return false;
  }
  std::vector<size_t> sounding;  // the notes the last pitch token started
  for (size_t w = 4; w < words.size(); ++w) {
    const std::string_view token = words[w];
    if (token == "|") continue;
    if (token == "-") {
      for (size_t index : sounding) target[index].beats += step;
    } else if (token == ".") {
      sounding.clear();
    } else {
      std::string_view pitches = token;
      float velocity = 1.0f;
      if (const size_t at = token.find('@'); at != std::string_view::npos) {
        double v = 0.0;
        if (!ToNumber(token.substr(at + 1), v) || v < 0.0 || v > 4.0) {
          error = "bad velocity in '" + std::string(token) + "'";
          return false;
        }
        velocity = float(v);
        pitches = token.substr(0, at);
      }
      sounding.clear();
      while (true) {
        const size_t plus = pitches.find('+');
        NoteEvent note = base;
        note.beat = beat;
        note.beats = step;
        note.velocity = velocity;
        if (!ParsePitch(pitches.substr(0, plus), note.frequency)) {
          error = "'" + std::string(token) + "' is not a pitch";
          return false;
        }
        if (!AddNote(target, note, error)) return false;
        sounding.push_back(target.size() - 1);
        if (plus == std::string_view::npos) break;
        pitches.remove_prefix(plus + 1);
      }
    }
    beat += step;
  }
  return true;
}

bool ScoreParser::InstrumentStatement(Words& words, Instrument& in, std::string& error) {
  const std::string_view kw = words[0];
  if (kw == "osc") {
    static const std::pair<std::string_view, Wave> kWaves[] = {
        {"sine", Wave::kSine},  {"triangle", Wave::kTriangle}, {"square", Wave::kSquare},
        {"saw", Wave::kSaw},    {"pulse", Wave::kPulse},       {"noise", Wave::kNoise},
        {"pluck", Wave::kPluck}};
    Oscillator osc;
    const auto it = std::find_if(std::begin(kWaves), std::end(kWaves), [&](const auto& w) {
      return words.size() > 1 && w.first == words[1];
    });
    if (it == std::end(kWaves)) {
      error = "'osc' needs a wave: sine triangle square saw pulse noise pluck";
      return false;
    }
    osc.wave = it->second;
    double octave = 0.0;
    if (!ArgF(words, 2, 0.0, 4.0, osc.level, error, true) ||
        !ArgF(words, 3, -1200.0, 1200.0, osc.detuneCents, error, true) ||
        !Arg(words, 4, -4.0, 4.0, octave, error, true) ||
        !ArgF(words, 5, 0.01, 0.99, osc.width, error, true) || !NoMoreThan(words, 6, error)) {
      return false;
    }
    osc.octave = int(std::lround(octave));
    if (in.oscillators.size() >= 16) {
      error = "too many oscillators";
      return false;
    }
    in.oscillators.push_back(osc);
    return true;
  }
  if (kw == "env") {
    return ArgF(words, 1, 0.0, 30.0, in.attack, error) &&
           ArgF(words, 2, 0.0, 30.0, in.decay, error) &&
           ArgF(words, 3, 0.0, 1.0, in.sustain, error) &&
           ArgF(words, 4, 0.0, 30.0, in.release, error) && NoMoreThan(words, 5, error);
  }
  if (kw == "filter") {
    if (words.size() < 2) {
      error = "'filter' needs a type";
      return false;
    }
    if (words[1] == "lowpass") {
      in.filter = FilterType::kLowpass;
    } else if (words[1] == "highpass") {
      in.filter = FilterType::kHighpass;
    } else if (words[1] == "bandpass") {
      in.filter = FilterType::kBandpass;
    } else {
      error = "'filter' type is lowpass, highpass or bandpass";
      return false;
    }
    return ArgF(words, 2, 10.0, 20000.0, in.cutoff, error) &&
           ArgF(words, 3, 0.1, 30.0, in.resonance, error, true) && NoMoreThan(words, 4, error);
  }
  if (kw == "sweep") {
    return ArgF(words, 1, -20000.0, 20000.0, in.sweepHz, error) &&
           ArgF(words, 2, 1e-3, 30.0, in.sweepTime, error) && NoMoreThan(words, 3, error);
  }
  if (kw == "pitch") {
    return ArgF(words, 1, -48.0, 48.0, in.pitchSemitones, error) &&
           ArgF(words, 2, 1e-3, 30.0, in.pitchTime, error) && NoMoreThan(words, 3, error);
  }
  if (kw == "vibrato") {
    return ArgF(words, 1, 0.0, 50.0, in.vibratoRate, error) &&
           ArgF(words, 2, 0.0, 12.0, in.vibratoDepth, error) && NoMoreThan(words, 3, error);
  }
  if (kw == "fm") {
    return ArgF(words, 1, 0.0, 32.0, in.fmRatio, error) &&
           ArgF(words, 2, 0.0, 50.0, in.fmIndex, error) &&
           ArgF(words, 3, 0.0, 30.0, in.fmDecay, error, true) && NoMoreThan(words, 4, error);
  }
  if (kw == "gain") return ArgF(words, 1, 0.0, 4.0, in.gain, error) && NoMoreThan(words, 2, error);
  if (kw == "pan") return ArgF(words, 1, -1.0, 1.0, in.pan, error) && NoMoreThan(words, 2, error);
  if (kw == "echo") {
    return ArgF(words, 1, 1e-3, 4.0, in.echoTime, error) &&
           ArgF(words, 2, 0.0, 0.95, in.echoFeedback, error) &&
           ArgF(words, 3, 0.0, 1.0, in.echoMix, error) && NoMoreThan(words, 4, error);
  }
  error = "unknown instrument setting '" + std::string(kw) + "'";
  return false;
}

bool ScoreParser::Statement(Words& words, std::string& error) {
  const std::string_view kw = words[0];
  Score& s = *score_;
  if (instrument_ >= 0) {
    if (kw == "end") {
      instrument_ = -1;
      return NoMoreThan(words, 1, error);
    }
    return InstrumentStatement(words, s.instruments[size_t(instrument_)], error);
  }
  std::vector<NoteEvent>& target = inPattern_ ? patternNotes_ : s.notes;
  if (kw == "note") {
    NoteEvent note;
    if (words.size() < 5) {
      error = "'note' needs an instrument, a beat, a pitch and a length";
      return false;
    }
    note.instrument = FindInstrument(words[1]);
    if (note.instrument < 0) {
      error = "unknown instrument '" + std::string(words[1]) + "'";
      return false;
    }
    if (!Arg(words, 2, 0.0, 1e6, note.beat, error)) return false;
    if (!ParsePitch(words[3], note.frequency)) {
      error = "'" + std::string(words[3]) + "' is not a pitch";
      return false;
    }
    return Arg(words, 4, 1e-4, 1e4, note.beats, error) &&
           ArgF(words, 5, 0.0, 4.0, note.velocity, error, true) && NoMoreThan(words, 6, error) &&
           AddNote(target, note, error);
  }
  if (kw == "seq") return Seq(words, target, error);
  if (kw == "play") {
    if (words.size() < 3) {
      error = "'play' needs a pattern and a beat";
      return false;
    }
    const auto it = patterns_.find(words[1]);
    if (it == patterns_.end()) {
      error = "unknown pattern '" + std::string(words[1]) + "'";
      return false;
    }
    double beat = 0.0;
    double semitones = 0.0;
    if (!Arg(words, 2, 0.0, 1e6, beat, error) ||
        !Arg(words, 3, -48.0, 48.0, semitones, error, true) || !NoMoreThan(words, 4, error)) {
      return false;
    }
    const double factor = std::pow(2.0, semitones / 12.0);
    for (NoteEvent note : it->second) {
      note.beat += beat;
      note.frequency *= factor;
      if (!AddNote(target, note, error)) return false;
    }
    return true;
  }
  if (inPattern_) {
    if (kw == "end") {
      patterns_[patternName_] = std::move(patternNotes_);
      patternNotes_.clear();
      inPattern_ = false;
      return NoMoreThan(words, 1, error);
    }
    error = "'" + std::string(kw) + "' cannot be used in a pattern";
    return false;
  }
  if (kw == "instrument" || kw == "pattern") {
    if (words.size() != 2) {
      error = "'" + std::string(kw) + "' needs one name";
      return false;
    }
    if (kw == "pattern") {
      if (patterns_.count(words[1])) {
        error = "pattern '" + std::string(words[1]) + "' is defined twice";
        return false;
      }
      inPattern_ = true;
      patternName_ = std::string(words[1]);
      return true;
    }
    if (FindInstrument(words[1]) >= 0) {
      error = "instrument '" + std::string(words[1]) + "' is defined twice";
      return false;
    }
    s.instruments.emplace_back().name = std::string(words[1]);
    instrument_ = int(s.instruments.size()) - 1;
    return true;
  }
  if (kw == "loop") {
    s.loop = true;
    return NoMoreThan(words, 1, error);
  }
  double v = 0.0;
  if (kw == "rate") {
    if (!Arg(words, 1, 8000.0, 96000.0, v, error)) return false;
    s.rate = int(v);
  } else if (kw == "channels") {
    if (!Arg(words, 1, 1.0, 2.0, v, error)) return false;
    s.channels = int(v);
  } else if (kw == "tempo") {
    if (!Arg(words, 1, 10.0, 400.0, s.tempo, error)) return false;
  } else if (kw == "length") {
    if (!Arg(words, 1, 1e-3, 1e5, s.lengthBeats, error)) return false;
  } else if (kw == "gain") {
    if (!ArgF(words, 1, 0.0, 1.0, s.gain, error)) return false;
  } else if (kw == "quality") {
    if (!ArgF(words, 1, -0.1, 1.0, s.quality, error)) return false;
  } else if (kw == "seed") {
    if (!Arg(words, 1, 0.0, 4294967295.0, v, error)) return false;
    s.seed = uint32_t(v);
  } else {
    error = "unknown statement '" + std::string(kw) + "'";
    return false;
  }
  return NoMoreThan(words, 2, error);
}

bool ScoreParser::Parse(std::string_view text, Score& score, std::string& error) {
  score = Score{};
  score_ = &score;
  patterns_.clear();
  instrument_ = -1;
  inPattern_ = false;
  patternNotes_.clear();
  size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    // A comment starts with a word beginning with "#" (F#4 is a pitch, not a comment).
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
        line = line.substr(0, i);
        break;
      }
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    Words words = SplitWords(line);
    if (words.empty()) continue;
    std::string message;
    if (!Statement(words, message)) {
      error = "line " + std::to_string(lineNumber) + ": " + message;
      return false;
    }
  }
  if (instrument_ >= 0 || inPattern_) {
    error = "the last instrument or pattern has no 'end'";
    return false;
  }
  if (score.notes.empty()) {
    error = "no notes";
    return false;
  }
  // The rendered length is bounded, whatever the beats and the tempo say.
  double seconds = score.lengthBeats * score.SecondsPerBeat();
  for (const NoteEvent& note : score.notes) {
    const Instrument& in = score.instruments[size_t(note.instrument)];
    seconds = std::max(seconds, (note.beat + note.beats) * score.SecondsPerBeat() + in.release);
  }
  if (seconds > kMaxSeconds) {
    error = "the sound would last " + std::to_string(int(seconds)) + " seconds";
    return false;
  }
  return true;
}

}  // namespace ksynth
