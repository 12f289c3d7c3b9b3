#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The current player's results on the levels of their own (the level files of the data
// folder's "levels"), kept apart from the campaign's progress and record tables: per file
// name the best result, as stars, medal, time and score, and whether it was ever won.
struct OwnLevelRecord {
  bool won = false;
  int stars = 0;     // 0..3 of the best win
  int medal = -1;    // -1 none, 0 bronze, 1 silver, 2 gold
  int seconds = 0;   // the fastest win, in game seconds (0 before a win)
  int score = 0;     // the best score
  int plays = 0;     // results stored, won or lost
  bool operator==(const OwnLevelRecord&) const = default;
};

class OwnLevelRecords {
 public:
  // At most this many levels are remembered, with names of at most kMaxName bytes; a file
  // holding more is read up to these limits.
  static constexpr size_t kMaxLevels = 4096, kMaxName = 255;
  static constexpr uint32_t kMaxPayload = uint32_t(kMaxLevels * (kMaxName + 64));

  const OwnLevelRecord* Find(const std::string& file) const;
  // A result of the level in `file`: the best of each field is kept (a loss only counts as
  // a play and its score). False for a name that cannot be kept.
  bool Store(const std::string& file, bool won, int stars, int medal, int seconds, int score);
  size_t size() const { return records_.size(); }
  // Every level's record by file name.
  const std::map<std::string, OwnLevelRecord>& All() const { return records_; }

  // One line per level: name, then won, stars, medal, seconds, score and plays, separated by
  // tabs. Reading skips a line it cannot use, and keeps every value within its range.
  std::vector<uint8_t> Encode() const;
  static std::optional<OwnLevelRecords> Decode(std::span<const uint8_t> payload);

  bool operator==(const OwnLevelRecords&) const = default;

 private:
  static bool NameAllowed(const std::string& file);
  std::map<std::string, OwnLevelRecord> records_;
};
