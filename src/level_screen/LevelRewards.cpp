#include "level_screen/LevelRewards.h"

#include <algorithm>
#include <bit>

#include "campaign/Progress.h"
#include "campaign/RecordTables.h"

namespace {

constexpr int kCrown = 10, kPieces = 4, kDevBeaten = 7, kDevBeatenFive = 8;
constexpr int kCastles = 3, kLastCastle = 12, kGoldRush = 14;
constexpr int kStars3 = 21, kStars20 = 13, kStars40 = 11, kTrophyCheat = 0;
constexpr int kCampaignEpisodes = 4, kCampaignLevels = 10;

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
    const int seconds = std::max(r.elapsedMs, 0) / 1000;
    if (record.time == 0 || record.time > seconds) record.time = seconds;
  }
  progress_.lastEpisode = c.episode - 1;
  progress_.lastLevel = c.level - 1;
  if (r.pieceFound) record.flags |= LevelRecord::kPuzzlePiece;
  record.flags |= LevelRecord::kFinished;
  if (r.pieceFound && !progress_.HasAchievement(kPieces) &&
      CountFlag(progress_, LevelRecord::kPuzzlePiece) >= 5) {
    Award(kPieces);
  }
  if (tables) StoreRecordTables(r, c, *tables, out);
  CampaignAchievements(r, c);
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

void LevelRewards::CampaignAchievements(const LevelResult& r, const Context& c) {
  LevelRecord& record = progress_.Record(c.episode, c.level);
  if (c.devRecord < r.score) {
    record.flags |= LevelRecord::kDeveloperBeaten;
    Award(kDevBeaten);
    if (!progress_.HasAchievement(kDevBeatenFive) &&
        CountFlag(progress_, LevelRecord::kDeveloperBeaten) >= 5) {
      Award(kDevBeatenFive);
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
    if (n >= 3) Award(kStars3);
    if (n >= 20) Award(kStars20);
    if (n >= 40) Award(kStars40);
  }
}
