#include "ksynth/Renderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ksynth/NoteVoice.h"

namespace ksynth {

double Renderer::EchoTail(const Instrument& in) {
  if (in.echoMix <= 0.0f || in.echoTime <= 0.0f) return 0.0;
  if (in.echoFeedback <= 0.0f) return in.echoTime;
  // Until the repeats are 60 dB down, but never longer than a few seconds.
  const double repeats = std::log(0.001) / std::log(double(in.echoFeedback));
  return std::min(in.echoTime * (repeats + 1.0), 8.0);
}

double Renderer::SoundingEnd(const Score& score) {
  double end = 0.0;
  for (const NoteEvent& note : score.notes) {
    const Instrument& in = score.instruments[size_t(note.instrument)];
    end = std::max(end,
                   (note.beat + note.beats) * score.SecondsPerBeat() + in.release + EchoTail(in));
  }
  return end;
}

size_t Renderer::LengthFrames(const Score& score) {
  const double seconds =
      score.lengthBeats >= 0.0 ? score.lengthBeats * score.SecondsPerBeat() : SoundingEnd(score);
  return std::max<size_t>(1, size_t(std::ceil(seconds * score.rate)));
}

std::vector<float> Renderer::Render(const Score& score) const {
  const size_t frames = LengthFrames(score);
  // A looping score renders its tail too, to fold it over; otherwise the end cuts.
  const size_t rendered =
      score.loop ? std::max(frames, size_t(std::ceil(SoundingEnd(score) * score.rate)) + 1)
                 : frames;
  std::vector<float> master(rendered * 2, 0.0f);
  std::vector<float> bus;

  for (size_t i = 0; i < score.instruments.size(); ++i) {
    const Instrument& in = score.instruments[i];
    bus.assign(rendered * 2, 0.0f);
    bool used = false;
    float left = 1.0f;
    float right = 1.0f;
    if (score.channels == 2) {
      const double angle = (in.pan + 1.0) * std::numbers::pi / 4.0;
      left = float(std::cos(angle) * std::numbers::sqrt2);
      right = float(std::sin(angle) * std::numbers::sqrt2);
    }
    for (size_t n = 0; n < score.notes.size(); ++n) {
      const NoteEvent& note = score.notes[n];
      if (note.instrument != int(i)) continue;
      used = true;
      const uint32_t seed = (score.seed * 2654435761u) ^ (uint32_t(n + 1) * 0x9E3779B9u);
      NoteVoice voice(in, note, score.SecondsPerBeat(), score.rate, seed);
      voice.Render(bus, size_t(std::llround(note.beat * score.SecondsPerBeat() * score.rate)), left,
                   right);
    }
    if (!used) continue;
    if (in.echoMix > 0.0f && in.echoTime > 0.0f) {
      // A ping-pong echo: each repeat comes from the other side.
      const size_t delay = std::max<size_t>(1, size_t(std::lround(in.echoTime * score.rate)));
      std::vector<float> wet(bus.size(), 0.0f);
      for (size_t f = delay; f < rendered; ++f) {
        const size_t from = 2 * (f - delay);
        wet[2 * f] = bus[from + 1] + in.echoFeedback * wet[from + 1];
        wet[2 * f + 1] = bus[from] + in.echoFeedback * wet[from];
      }
      for (size_t k = 0; k < bus.size(); ++k) bus[k] += in.echoMix * wet[k];
    }
    for (size_t k = 0; k < bus.size(); ++k) master[k] += bus[k];
  }

  if (score.loop) {
    for (size_t f = frames; f < rendered; ++f) {
      master[2 * (f % frames)] += master[2 * f];
      master[2 * (f % frames) + 1] += master[2 * f + 1];
    }
  }

  std::vector<float> out(frames * size_t(score.channels));
  for (size_t f = 0; f < frames; ++f) {
    if (score.channels == 2) {
      out[2 * f] = master[2 * f];
      out[2 * f + 1] = master[2 * f + 1];
    } else {
      out[f] = 0.5f * (master[2 * f] + master[2 * f + 1]);
    }
  }
  float peak = 0.0f;
  for (float v : out) peak = std::max(peak, std::fabs(v));
  if (peak > 0.0f) {
    const float scale = score.gain / peak;
    for (float& v : out) v *= scale;
  }
  return out;
}

}  // namespace ksynth
