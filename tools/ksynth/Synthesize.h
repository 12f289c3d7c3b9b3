#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ksynth {

// A sound description (see ScoreParser.h) in, an Ogg Vorbis file out. False with a message
// when the description is not valid.
bool Synthesize(std::string_view description, std::vector<uint8_t>& ogg, std::string& error);

}  // namespace ksynth
