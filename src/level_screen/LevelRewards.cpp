#include "level_screen/LevelRewards.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "progress/Progress.h"
#include "progress/RecordTables.h"

namespace {

constexpr int kCrown = 10, kPieces = 4, kDevBeaten = 7, kDevBeatenFive = 8;
constexpr int kCastles = 3, kLastCastle = 12, kGoldRush = 14;
constexpr int kStars3 = 21, kStars20 = 13, kStars40 = 11, kTrophyCheat = 0;
constexpr int kCampaignEpisodes = 4, kCampaignLevels = 10;
constexpr int kPiecesNeeded = 5, kDevBeatenNeeded = 5, kRelax = 0;

}  // namespace

bool LevelRewards::Award(int n) {
  if (n < 0 || n >= Progress::kAchievements || progress_.HasAchievement(n)) return false;
  pending_.push_back(n);
  progress_.achievements |= 1u << n;
  const uint32_t earned = progress_.achievements & ((1u << Progress::kAchievements) - 1);
  if (std::popcount(earned) >= 21 && !progress_.HasAchievement(kCrown)) {
    pending_.push_back(kCrown);
    progress_.achievements |= 1u << kCrown;
  }
  return true;
}

int LevelRewards::CountFlag(const Progress& progress, uint8_t flag) {
  int n = 0;
  for (int e = 1; e <= kCampaignEpisodes; ++e) {
    for (int l = 1; l <= kCampaignLevels; ++l) n += (progress.Record(e, l).flags & flag) != 0;
  }
  return n;
}

int LevelRewards::CountThreeStars(const Progress& progress) {
  int n = 0;
  for (int e = 1; e <= kCampaignEpisodes; ++e) {
    for (int l = 1; l <= kCampaignLevels; ++l) n += progress.Record(e, l).stars >= 3;
  }
  return n;
}

LevelRewards::Outcome LevelRewards::Store(const LevelResult& r, const Context& c,
                                          RecordTables* tables) {
  Outcome out;
  // A position outside the record slots (a damaged save) stores nothing of the level.
  if (!Progress::HasRecord(c.episode, c.level)) return out;
  LevelRecord& record = progress_.Record(c.episode, c.level);
  const LevelRecord before = record;
  const int stars = std::clamp(r.stars, 0, 3);
  if ((before.flags & LevelRecord::kFinished) == 0 && c.level == 10) out.episodeDone = true;
  if (r.won) {
    if (before.stars < 3 && stars == 3) out.toCastle = true;
    record.stars = uint8_t(std::max<int>(before.stars, stars));
    if (r.score > before.bestScore) {
      progress_.totalScore += r.score - std::max(before.bestScore, 0);
      record.bestScore = r.score;
    }
    // The relax clock stands still: its finish says nothing about time and never replaces
    // a time won in another difficulty. A time of 0 means "none", so a finish within the
    // first second is not kept either.
    const int seconds = std::max(r.elapsedMs, 0) / 1000;
    const bool timed = c.difficulty != kRelax && seconds > 0;
    if (timed && (record.time == 0 || record.time > seconds)) record.time = seconds;
  }
  progress_.lastEpisode = c.episode - 1;
  progress_.lastLevel = c.level - 1;
  if (r.pieceFound) record.flags |= LevelRecord::kPuzzlePiece;
  record.flags |= LevelRecord::kFinished;
  if (r.pieceFound && !progress_.HasAchievement(kPieces)) {
    const int pieces = CountFlag(progress_, LevelRecord::kPuzzlePiece);
    if (pieces >= kPiecesNeeded) {
      Award(kPieces);
    } else {
      out.progress.push_back({kPieces, float(pieces) / kPiecesNeeded});
    }
  }
  // Relax play has no score and no clock: the record tables take nothing from it.
  if (tables && c.difficulty != kRelax) StoreRecordTables(r, c, *tables, out);
  CampaignAchievements(r, c, out);
  if (c.trophyCheat) pending_.push_back(kTrophyCheat);
  return out;
}

void LevelRewards::StoreRecordTables(const LevelResult& r, const Context& c, RecordTables& tables,
                                     Outcome& out) {
  RecordTable& level = tables.Level(c.episode, c.level);
  if (level.Qualifies(c.playerName, r.score)) {
    level.Insert(c.playerName, r.score, std::max(r.gameSeconds, 0), c.now);
    out.recordsChanged = true;
  }
  if (tables.total.Qualifies(c.playerName, progress_.totalScore)) {
    tables.total.Insert(c.playerName, progress_.totalScore, 0, c.now);
    out.recordsChanged = true;
  }
}

void LevelRewards::CampaignAchievements(const LevelResult& r, const Context& c, Outcome& out) {
  LevelRecord& record = progress_.Record(c.episode, c.level);
  if (c.devRecord < r.score) {
    record.flags |= LevelRecord::kDeveloperBeaten;
    Award(kDevBeaten);
    if (!progress_.HasAchievement(kDevBeatenFive)) {
      const int beaten = CountFlag(progress_, LevelRecord::kDeveloperBeaten);
      if (beaten >= kDevBeatenNeeded) {
        Award(kDevBeatenFive);
      } else {
        out.progress.push_back({kDevBeatenFive, float(beaten) / kDevBeatenNeeded});
      }
    }
  }
  if (c.level == 11 && r.stars == 3) {
    if (c.episode == 5) {
      Award(kLastCastle);
    } else if (!progress_.HasAchievement(kCastles)) {
      bool all = true;
      for (int e = 1; e <= kCampaignEpisodes; ++e) all = all && progress_.Record(e, 11).stars >= 3;
      if (all) Award(kCastles);
    }
  }
  if (r.collected2 >= 100) Award(kGoldRush);
  const bool allStarTrophies = progress_.HasAchievement(kStars3) &&
                               progress_.HasAchievement(kStars20) &&
                               progress_.HasAchievement(kStars40);
  if (record.stars >= 3 && !allStarTrophies) {
    const int n = CountThreeStars(progress_);
    // The star trophies by the number of levels they need; the first of them still out of
    // reach reports how far the player got.
    constexpr std::pair<int, int> kStarTrophies[] = {{kStars3, 3}, {kStars20, 20}, {kStars40, 40}};
    bool reported = false;
    for (const auto& [trophy, needed] : kStarTrophies) {
      if (n >= needed) {
        Award(trophy);
      } else if (!reported && !progress_.HasAchievement(trophy)) {
        out.progress.push_back({trophy, float(n) / float(needed)});
        reported = true;
      }
    }
  }
}
