#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ksynth {

// Encodes PCM as an Ogg Vorbis stream. The same input always gives the same bytes: the
// stream's serial number is fixed and no time or version text is written.
class VorbisWriter {
 public:
  static constexpr uint32_t kDefaultSerial = 0x4B53594Eu;

  // interleaved holds frames × channels samples in [-1, 1]. False when the encoder refuses
  // the format.
  static bool Encode(const std::vector<float>& interleaved, int channels, int rate, float quality,
                     std::vector<uint8_t>& out, uint32_t serial = kDefaultSerial);
};

}  // namespace ksynth
