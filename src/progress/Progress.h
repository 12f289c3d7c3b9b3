#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "progress/SaveNotes.h"

// 0 relax (no timer, no stars, no score), 1 casual, 2 expert; stored as int32.
enum class Difficulty : int32_t { Relax = 0, Casual = 1, Expert = 2 };

// A player's best result on one level (16 bytes in "Progress").
struct LevelRecord {
  static constexpr size_t kSize = 16;
  enum Flags : uint8_t {
    kPuzzlePiece = 1 << 0,      // the level's puzzle piece was found
    kDeveloperBeaten = 1 << 1,  // the developers' score was beaten
    kFinished = 1 << 2,         // finished, won or lost
  };
  uint8_t stars = 0;  // best stars 0..3
  uint8_t flags = 0;
  std::array<uint8_t, 2> reserved{};
  int32_t bestScore = 0;
  int32_t time = 0;  // shortest finishing time in seconds; 0 = none yet
  int32_t reserved2 = 0;

  bool Played() const { return flags != 0 || stars != 0 || bestScore != 0 || time != 0; }
  bool operator==(const LevelRecord&) const = default;
};

// One piece's place on a puzzle board (16 bytes).
struct PuzzleSlot {
  static constexpr size_t kSize = 16;
  enum Flags : uint8_t { kOnBoard = 1 << 0 };
  float x = 0, y = 0;
  uint8_t rotation = 0;  // quarter turns 0..3
  uint8_t flags = 0;
  uint8_t reserved = 0;  // written as 0 when the piece is dealt
  std::array<uint8_t, 5> reserved2{};

  bool operator==(const PuzzleSlot&) const = default;
};

// The current player's campaign progress: the 4256-byte file "Progress" in the player's
// folder. The level screen, the map and the menu change its fields directly and then call
// PlayerProfiles::SaveProgress.
struct Progress {
  static constexpr size_t kSize = 4256;
  // Record slots: episodes 1..8, levels 1..16 (the campaign uses 1..5 and 1..11).
  static constexpr int kEpisodeSlots = 8;
  static constexpr int kLevelSlots = 16;
  static constexpr int kCampaignEpisodes = 5;
  static constexpr int kCampaignLevels = 11;
  static constexpr int kPuzzles = 8;
  static constexpr int kPuzzleSlots = 16;  // of which the first 10 are used
  static constexpr int kAchievements = 22;

  // Bits of `options`.
  static constexpr uint32_t kNewGameStarted = 1u << 0;
  static constexpr uint32_t kNewGameStartedToo = 1u << 8;  // set together with bit 0
  static constexpr int kFirstPuzzleBit = 12;               // bit 12 + p - 1: puzzle p completed
  static constexpr uint32_t kWonderExplained = 1u << 27;
  static constexpr uint32_t kCompletionShown = 1u << 28;
  static constexpr uint32_t kNoTutorialSpeech = 1u << 29;
  static constexpr uint32_t kSuperBonusShown = 1u << 30;

  int32_t version = 0;      // 0; a file holding anything else is not used
  int32_t lastEpisode = 0;  // of the last level played, from 0 (0..4)
  int32_t lastLevel = 0;    // from 0 (0..10)
  int32_t reserved12 = 0;
  int32_t totalScore = 0;  // sum of the best scores of all levels
  uint32_t options = 0;
  uint32_t achievements = 0;  // bit n: achievement n (0..21) earned
  int32_t reserved28 = 0;
  std::array<LevelRecord, kEpisodeSlots * kLevelSlots> levels{};
  std::array<std::array<PuzzleSlot, kPuzzleSlots>, kPuzzles> puzzles{};
  int32_t reserved4128 = 0;
  Difficulty difficulty = Difficulty::Relax;
  std::array<uint8_t, 120> reserved4136{};

  // The record of episode 1..8, level 1..16.
  LevelRecord& Record(int episode, int level);
  const LevelRecord& Record(int episode, int level) const;
  static bool HasRecord(int episode, int level) {
    return episode >= 1 && episode <= kEpisodeSlots && level >= 1 && level <= kLevelSlots;
  }
  // The board of puzzle 1..8.
  std::array<PuzzleSlot, kPuzzleSlots>& Puzzle(int p);

  bool PuzzleCompleted(int p) const;
  void SetPuzzleCompleted(int p);
  bool HasAchievement(int n) const { return n >= 0 && n < 32 && (achievements >> n & 1u) != 0; }

  bool operator==(const Progress&) const = default;
};

std::vector<uint8_t> EncodeProgress(const Progress& progress);
// The progress of a payload of exactly 4256 bytes whose version is 0 (anything else: none).
// Values the game would use as indexes are repaired: the last episode and level outside the
// campaign become 0, a difficulty outside 0..2 becomes casual, stars above 3 become 3,
// rotations are taken modulo 4 and board positions that are no finite numbers become 0.
std::optional<Progress> DecodeProgress(std::span<const uint8_t> payload,
                                       SaveNotes* notes = nullptr);
