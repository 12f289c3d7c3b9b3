#pragma once
#include <cmath>
#include <numbers>

#include "ksynth/Score.h"

namespace ksynth {

// A state-variable filter in trapezoidal form: stable at every cutoff and Q, and cheap to
// retune while a sweep runs.
class SvFilter {
 public:
  SvFilter(FilterType type, double rate) : type_(type), rate_(rate) {}

  void Tune(double cutoff, double q) {
    cutoff = std::fmin(std::fmax(cutoff, 20.0), 0.45 * rate_);
    const double g = std::tan(std::numbers::pi * cutoff / rate_);
    k_ = 1.0 / q;
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
  }

  double Process(double v0) {
    const double v3 = v0 - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    switch (type_) {
      case FilterType::kLowpass:
        return v2;
      case FilterType::kHighpass:
        return v0 - k_ * v1 - v2;
      case FilterType::kBandpass:
        return v1;
      case FilterType::kNone:
        break;
    }
    return v0;
  }

 private:
  FilterType type_;
  double rate_;
  double k_ = 1.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
  double ic1_ = 0.0, ic2_ = 0.0;
};

}  // namespace ksynth
