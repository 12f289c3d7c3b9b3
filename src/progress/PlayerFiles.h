#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "progress/SaveNotes.h"

// The per-user files. Each holds a payload packed as a zlib stream followed by the payload's
// length (platform/PackedData.h); "Settings", "Profiles" and "HiScores" lie in the data
// folder, "Progress", "Game" and "OwnLevels" in the folder of the player's slot ("1" to "4").
namespace player_files {

inline constexpr const char* kSettings = "Settings";
inline constexpr const char* kProfiles = "Profiles";
inline constexpr const char* kRecords = "HiScores";
inline constexpr const char* kProgress = "Progress";
inline constexpr const char* kGame = "Game";
// The results on the player's own levels (progress/OwnLevelRecords.h).
inline constexpr const char* kOwnLevels = "OwnLevels";

// Largest payloads taken from "Profiles" (the most its format can hold: the slot and four
// names of 65535 units, each with its length) and "Game"; the fixed-size files take exactly
// their size. A file whose packed form exceeds what such a payload packs to is refused by its
// size before it is read.
inline constexpr uint32_t kMaxProfiles = 2u + 4u * (2u + 2u * 65535u);
inline constexpr uint32_t kMaxGame = 16u * 1024u * 1024u;

// The stored name of a file in slot 0..3: "1\Progress" for slot 0.
std::string SlotFile(int slot, std::string_view file);

}  // namespace player_files

// The content of "Profiles": the current slot, then each of the four slots' name (length
// and UTF-16 code units, all uint16).
struct PlayerList {
  static constexpr int kSlots = 4;
  // Names are kept to this many code units; a longer one in the file is cut.
  static constexpr size_t kMaxName = 64;

  int current = 0;
  std::array<std::u16string, kSlots> names;

  bool operator==(const PlayerList&) const = default;
};

std::vector<uint8_t> EncodePlayerList(const PlayerList& list);
// A payload of more than 4 bytes gives the current slot as stored and the names it holds:
// a name whose units run past the end ends the list there, a name is cut at its first zero
// unit and to kMaxName units. A shorter payload gives none.
std::optional<PlayerList> DecodePlayerList(std::span<const uint8_t> payload,
                                           SaveNotes* notes = nullptr);
