#include "ksynth/NoteVoice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ksynth/Envelope.h"
#include "ksynth/SvFilter.h"

namespace ksynth {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// The cutoff of a sweeping filter is retuned every this many frames.
constexpr size_t kRetuneFrames = 8;

// A small deterministic generator, so the same description always gives the same noise.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {
    for (int i = 0; i < 4; ++i) Next();
  }
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // Uniform in [-1, 1).
  double Sample() { return double(Next()) / 2147483648.0 - 1.0; }

 private:
  uint32_t state_;
};

// The correction that takes the corner off a jump in a naive wave (fewer aliases).
double PolyBlep(double t, double dt) {
  if (dt <= 0.0) return 0.0;
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double Wrap(double phase) { return phase - std::floor(phase); }

double Shape(Wave wave, double t, double dt, double width, Noise& noise) {
  switch (wave) {
    case Wave::kSine:
      return std::sin(kTwoPi * t);
    case Wave::kTriangle:
      return 1.0 - 4.0 * std::fabs(t - 0.5);
    case Wave::kSaw:
      return 2.0 * t - 1.0 - PolyBlep(t, dt);
    case Wave::kSquare:
      width = 0.5;
      [[fallthrough]];
    case Wave::kPulse: {
      double v = t < width ? 1.0 : -1.0;
      v += PolyBlep(t, dt) - PolyBlep(Wrap(t + 1.0 - width), dt);
      return v - (2.0 * width - 1.0);  // no offset for uneven duty cycles
    }
    case Wave::kNoise:
      return noise.Sample();
    case Wave::kPluck:
      break;  // has its own state, see below
  }
  return 0.0;
}

// A plucked string: a delay line of one period filled with noise, averaged on every pass.
class Pluck {
 public:
  Pluck(double frequency, int rate, double brightness, Noise& noise) {
    const size_t period = size_t(std::clamp(std::lround(rate / frequency), 2l, long(rate)));
    line_.resize(period);
    double smooth = 0.0;
    for (double& v : line_) {
      smooth += brightness * (noise.Sample() - smooth);
      v = smooth;
    }
  }
  double Next() {
    const size_t next = pos_ + 1 == line_.size() ? 0 : pos_ + 1;
    const double out = line_[pos_];
    line_[pos_] = 0.498 * (out + line_[next]);
    pos_ = next;
    return out;
  }

 private:
  std::vector<double> line_;
  size_t pos_ = 0;
};

}  // namespace

NoteVoice::NoteVoice(const Instrument& instrument, const NoteEvent& note, double secondsPerBeat,
                     int rate, uint32_t noiseSeed)
    : in_(instrument),
      note_(note),
      hold_(note.beats * secondsPerBeat),
      rate_(rate),
      frames_(size_t(std::ceil((hold_ + instrument.release) * rate))),
      noise_(noiseSeed) {}

void NoteVoice::Render(std::vector<float>& bus, size_t start, float leftGain, float rightGain) {
  const size_t busFrames = bus.size() / 2;
  if (start >= busFrames) return;
  const size_t frames = std::min(frames_, busFrames - start);
  const Envelope envelope(in_.attack, in_.decay, in_.sustain, in_.release, hold_);
  Noise noise(noise_);

  std::vector<Oscillator> oscillators = in_.oscillators;
  if (oscillators.empty()) oscillators.push_back(Oscillator{});
  std::vector<double> ratio(oscillators.size());
  std::vector<double> phase(oscillators.size(), 0.0);
  std::vector<Pluck> plucks;
  std::vector<size_t> pluckOf(oscillators.size(), SIZE_MAX);
  for (size_t i = 0; i < oscillators.size(); ++i) {
    const Oscillator& o = oscillators[i];
    ratio[i] = std::pow(2.0, o.octave + o.detuneCents / 1200.0);
    if (o.wave == Wave::kPluck) {
      pluckOf[i] = plucks.size();
      plucks.emplace_back(note_.frequency * ratio[i], rate_, o.width, noise);
    }
  }

  SvFilter filter(in_.filter, rate_);
  const bool filtered = in_.filter != FilterType::kNone;
  if (filtered) filter.Tune(in_.cutoff, in_.resonance);
  const bool sweeping = filtered && in_.sweepHz != 0.0f;

  double fmPhase = 0.0;
  const double nyquist = 0.5 * rate_;
  const double level = note_.velocity * in_.gain;
  for (size_t f = 0; f < frames; ++f) {
    const double t = double(f) / rate_;
    double semitones = 0.0;
    if (in_.pitchSemitones != 0.0f) semitones += in_.pitchSemitones * std::exp(-t / in_.pitchTime);
    if (in_.vibratoDepth != 0.0f)
      semitones += in_.vibratoDepth * std::sin(kTwoPi * in_.vibratoRate * t);
    const double frequency =
        note_.frequency * (semitones != 0.0 ? std::exp2(semitones / 12.0) : 1.0);

    double modulation = 0.0;  // in cycles
    if (in_.fmIndex != 0.0f && in_.fmRatio != 0.0f) {
      double index = in_.fmIndex;
      if (in_.fmDecay > 0.0f) index *= std::exp(-t / in_.fmDecay);
      modulation = index * std::sin(kTwoPi * fmPhase) / kTwoPi;
      fmPhase = Wrap(fmPhase + frequency * in_.fmRatio / rate_);
    }

    double sample = 0.0;
    for (size_t i = 0; i < oscillators.size(); ++i) {
      const Oscillator& o = oscillators[i];
      if (o.wave == Wave::kPluck) {
        sample += o.level * plucks[pluckOf[i]].Next();
        continue;
      }
      const double hz = frequency * ratio[i];
      if (hz >= nyquist && o.wave != Wave::kNoise) continue;  // would only alias
      const double dt = hz / rate_;
      sample += o.level * Shape(o.wave, Wrap(phase[i] + modulation), dt, o.width, noise);
      phase[i] = Wrap(phase[i] + dt);
    }

    if (filtered) {
      if (sweeping && f % kRetuneFrames == 0) {
        filter.Tune(in_.cutoff + in_.sweepHz * std::exp(-t / in_.sweepTime), in_.resonance);
      }
      sample = filter.Process(sample);
    }
    const float out = float(sample * envelope.At(t) * level);
    bus[2 * (start + f)] += out * leftGain;
    bus[2 * (start + f) + 1] += out * rightGain;
  }
}

}  // namespace ksynth
