#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One effect decoded off the main thread, waiting to become an OpenAL buffer: 16-bit signed
// PCM, interleaved when it has two channels.
struct DecodedSound {
  std::string name;
  std::vector<int16_t> pcm;
  int rate = 0;
  int channels = 0;

  size_t ByteSize() const { return pcm.size() * sizeof(int16_t); }
  bool Empty() const { return name.empty(); }
};
