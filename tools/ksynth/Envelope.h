#pragma once
#include <cmath>

namespace ksynth {

// Attack, decay, sustain, release. The attack rises linearly; the decay and the release fall
// exponentially (the release also reaches zero exactly at its end). The note is held for
// `hold` seconds; the release starts from whatever level the note had then.
class Envelope {
 public:
  Envelope(double attack, double decay, double sustain, double release, double hold)
      : attack_(attack),
        decay_(decay),
        sustain_(sustain),
        release_(release),
        hold_(hold),
        releaseFrom_(Held(hold)) {}

  double At(double t) const {
    if (t < hold_) return Held(t);
    const double r = t - hold_;
    if (release_ <= 0.0 || r >= release_) return 0.0;
    return releaseFrom_ * std::exp(-3.0 * r / release_) * (1.0 - r / release_);
  }

  double Length() const { return hold_ + release_; }

 private:
  double Held(double t) const {
    if (t < attack_) return t / attack_;
    t -= attack_;
    if (decay_ <= 0.0) return sustain_;
    return sustain_ + (1.0 - sustain_) * std::exp(-3.0 * t / decay_);
  }

  double attack_, decay_, sustain_, release_, hold_;
  double releaseFrom_;
};

}  // namespace ksynth
