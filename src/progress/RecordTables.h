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

class FileSystem;

// One line of a record table (64 bytes in "HiScores").
struct RecordEntry {
  static constexpr size_t kSize = 64;
  static constexpr size_t kNameUnits = 24;
  static constexpr size_t kMaxName = kNameUnits - 1;  // the last unit stays 0

  int32_t score = 0;
  int32_t seconds = 0;  // play time of the level; 0 in the overall table
  int64_t date = 0;     // seconds since 1970
  std::array<char16_t, kNameUnits> name{};

  // The name up to its first zero unit.
  std::u16string_view Name() const;
  // Stores name cut to 23 code units, the rest zero.
  void SetName(std::u16string_view text);

  bool operator==(const RecordEntry&) const = default;
};

// Five entries, best first.
struct RecordTable {
  static constexpr size_t kEntries = 5;
  static constexpr size_t kSize = kEntries * RecordEntry::kSize;
  std::array<RecordEntry, kEntries> entries{};

  // True when score reaches the entry of this name (compared unit by unit, the name cut to
  // the 23 units an entry keeps), or the fifth entry when the name has none.
  bool Qualifies(std::u16string_view name, int32_t score) const;
  // Removes the entry of this name, then puts the new one above the first entry whose score
  // it reaches, moving the rest down; the last falls out. Below all five: nothing.
  void Insert(std::u16string_view name, int32_t score, int32_t seconds, int64_t date);

  bool operator==(const RecordTable&) const = default;
};

// The file "HiScores": 128 level tables (episode e, level l at (e-1) x 16 + (l-1)) and the
// overall table, shared by every player.
struct RecordTables {
  static constexpr int kEpisodeSlots = 8;
  static constexpr int kLevelSlots = 16;
  static constexpr size_t kLevelTables = size_t(kEpisodeSlots * kLevelSlots);
  static constexpr size_t kSize = (kLevelTables + 1) * RecordTable::kSize;  // 41280

  std::array<RecordTable, kLevelTables> levels{};
  RecordTable total;

  // The table of episode 1..8, level 1..16.
  RecordTable& Level(int episode, int level);
  const RecordTable& Level(int episode, int level) const;

  // The defaults of a first start, from the content files "records_total" (the first five
  // records: score, name) and "records_level" (the first five: score, time, name, copied to
  // every level table), each with root Records and elements Record; every date is now. Each
  // table is ordered best first. False when either file is missing or has no Records root
  // (what could be read is kept).
  bool LoadDefaults(FileSystem& fs, int64_t now);

  bool operator==(const RecordTables&) const = default;
};

std::vector<uint8_t> EncodeRecordTables(const RecordTables& tables);
// The tables of a payload of exactly 41280 bytes (anything else: none); the 24th unit of
// every name is forced to 0.
std::optional<RecordTables> DecodeRecordTables(std::span<const uint8_t> payload,
                                               SaveNotes* notes = nullptr);

// A record date as the C library's "%x" shows it in the current locale; empty when the date
// is outside what the calendar functions take.
std::string FormatRecordDate(int64_t date);
