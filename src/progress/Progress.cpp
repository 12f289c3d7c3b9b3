#include "progress/Progress.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/Check.h"
#include "progress/LittleEndian.h"

namespace {

size_t RecordIndex(int episode, int level) {
  KALODRUS_EXPECT(Progress::HasRecord(episode, level), "level record outside episodes 1-8, 1-16");
  episode = std::clamp(episode, 1, Progress::kEpisodeSlots);
  level = std::clamp(level, 1, Progress::kLevelSlots);
  return size_t((episode - 1) * Progress::kLevelSlots + (level - 1));
}

void WriteRecord(ByteWriter& w, const LevelRecord& r) {
  w.U8(r.stars);
  w.U8(r.flags);
  w.Raw(r.reserved);
  w.I32(r.bestScore);
  w.I32(r.time);
  w.I32(r.reserved2);
}

LevelRecord ReadRecord(ByteReader& r) {
  LevelRecord rec;
  rec.stars = r.U8();
  rec.flags = r.U8();
  r.Raw(rec.reserved);
  rec.bestScore = r.I32();
  rec.time = r.I32();
  rec.reserved2 = r.I32();
  return rec;
}

void WriteSlot(ByteWriter& w, const PuzzleSlot& s) {
  w.F32(s.x);
  w.F32(s.y);
  w.U8(s.rotation);
  w.U8(s.flags);
  w.U8(s.reserved);
  w.Raw(s.reserved2);
}

PuzzleSlot ReadSlot(ByteReader& r) {
  PuzzleSlot s;
  s.x = r.F32();
  s.y = r.F32();
  s.rotation = r.U8();
  s.flags = r.U8();
  s.reserved = r.U8();
  r.Raw(s.reserved2);
  return s;
}

std::string LevelName(size_t index) {
  return "level " + std::to_string(index / Progress::kLevelSlots + 1) + "-" +
         std::to_string(index % Progress::kLevelSlots + 1);
}

}  // namespace

LevelRecord& Progress::Record(int episode, int level) {
  return levels[RecordIndex(episode, level)];
}

const LevelRecord& Progress::Record(int episode, int level) const {
  return levels[RecordIndex(episode, level)];
}

std::array<PuzzleSlot, Progress::kPuzzleSlots>& Progress::Puzzle(int p) {
  KALODRUS_EXPECT(p >= 1 && p <= kPuzzles, "puzzle number outside 1-8");
  return puzzles[size_t(std::clamp(p, 1, kPuzzles) - 1)];
}

bool Progress::PuzzleCompleted(int p) const {
  return p >= 1 && p <= kPuzzles && (options >> (kFirstPuzzleBit + p - 1) & 1u) != 0;
}

void Progress::SetPuzzleCompleted(int p) {
  KALODRUS_EXPECT(p >= 1 && p <= kPuzzles, "puzzle number outside 1-8");
  if (p >= 1 && p <= kPuzzles) options |= 1u << (kFirstPuzzleBit + p - 1);
}

std::vector<uint8_t> EncodeProgress(const Progress& p) {
  std::vector<uint8_t> out;
  out.reserve(Progress::kSize);
  ByteWriter w(out);
  w.I32(p.version);
  w.I32(p.lastEpisode);
  w.I32(p.lastLevel);
  w.I32(p.reserved12);
  w.I32(p.totalScore);
  w.U32(p.options);
  w.U32(p.achievements);
  w.I32(p.reserved28);
  for (const LevelRecord& r : p.levels) WriteRecord(w, r);
  for (const auto& board : p.puzzles) {
    for (const PuzzleSlot& s : board) WriteSlot(w, s);
  }
  w.I32(p.reserved4128);
  w.I32(int32_t(p.difficulty));
  w.Raw(p.reserved4136);
  return out;
}

std::optional<Progress> DecodeProgress(std::span<const uint8_t> payload, SaveNotes* notes) {
  if (payload.size() != Progress::kSize) {
    Note(notes, "holds " + std::to_string(payload.size()) + " bytes, not " +
                    std::to_string(Progress::kSize));
    return std::nullopt;
  }
  ByteReader r(payload);
  Progress p;
  p.version = r.I32();
  if (p.version != 0) {
    Note(notes, "version " + std::to_string(p.version) + ", not 0");
    return std::nullopt;
  }
  p.lastEpisode = r.I32();
  p.lastLevel = r.I32();
  p.reserved12 = r.I32();
  p.totalScore = r.I32();
  p.options = r.U32();
  p.achievements = r.U32();
  p.reserved28 = r.I32();
  for (LevelRecord& rec : p.levels) rec = ReadRecord(r);
  for (auto& board : p.puzzles) {
    for (PuzzleSlot& s : board) s = ReadSlot(r);
  }
  p.reserved4128 = r.I32();
  const int32_t difficulty = r.I32();
  r.Raw(p.reserved4136);

  if (p.lastEpisode < 0 || p.lastEpisode >= Progress::kCampaignEpisodes) {
    Note(notes, "lastEpisode " + std::to_string(p.lastEpisode) + " read as 0");
    p.lastEpisode = 0;
  }
  if (p.lastLevel < 0 || p.lastLevel >= Progress::kCampaignLevels) {
    Note(notes, "lastLevel " + std::to_string(p.lastLevel) + " read as 0");
    p.lastLevel = 0;
  }
  if (difficulty < 0 || difficulty > 2) {
    Note(notes, "difficulty " + std::to_string(difficulty) + " read as 1");
    p.difficulty = Difficulty::Casual;
  } else {
    p.difficulty = Difficulty(difficulty);
  }
  for (size_t i = 0; i < p.levels.size(); ++i) {
    LevelRecord& rec = p.levels[i];
    if (rec.stars > 3) {
      Note(notes, LevelName(i) + ": " + std::to_string(rec.stars) + " stars read as 3");
      rec.stars = 3;
    }
  }
  for (size_t b = 0; b < p.puzzles.size(); ++b) {
    for (PuzzleSlot& s : p.puzzles[b]) {
      if (!std::isfinite(s.x) || !std::isfinite(s.y) || s.rotation > 3) {
        Note(notes, "puzzle " + std::to_string(b + 1) + ": a piece's place repaired");
      }
      if (!std::isfinite(s.x)) s.x = 0;
      if (!std::isfinite(s.y)) s.y = 0;
      s.rotation &= 3;
    }
  }
  return p;
}
