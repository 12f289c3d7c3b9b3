#pragma once
#include <string>
#include <vector>

// What a decoder repaired while reading a per-user file ("lastEpisode 9 read as 0"), for the
// save inspector. The game passes none.
using SaveNotes = std::vector<std::string>;

inline void Note(SaveNotes* notes, std::string text) {
  if (notes) notes->push_back(std::move(text));
}
