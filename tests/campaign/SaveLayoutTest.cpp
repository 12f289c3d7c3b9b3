// The byte layouts of the per-user files, against buffers built by hand from the offsets.
#include <gtest/gtest.h>

#include <bit>

#include "campaign/PlayerFiles.h"
#include "campaign/Progress.h"
#include "campaign/RecordTables.h"
#include "campaign/Settings.h"
#include "campaign/ProfilesTestSupport.h"

TEST(SaveLayoutTest, SettingsAreFiveLittleEndianIntsAndTheDefaultsAre1_70_100_3_0) {
  EXPECT_EQ(EncodeSettings(Settings()),
            (std::vector<uint8_t>{1, 0, 0, 0, 70, 0, 0, 0, 100, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0}));
  std::vector<uint8_t> b(20, 0);
  PutU32(b, 0, 0xAABBCCDD);
  PutU32(b, 4, 25);
  PutU32(b, 8, 90);
  PutU32(b, 12, 0x102);  // windowed, drawn cursor, a reserved bit kept
  PutU32(b, 16, 4);
  const auto s = DecodeSettings(b);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->reserved, int32_t(0xAABBCCDD));
  EXPECT_EQ(s->musicVolume, 25);
  EXPECT_EQ(s->effectsVolume, 90);
  EXPECT_FALSE(s->fullscreen());
  EXPECT_TRUE(s->drawnCursor());
  EXPECT_EQ(s->language, 4);
  EXPECT_EQ(EncodeSettings(*s), b);
  b.push_back(0);
  EXPECT_FALSE(DecodeSettings(b));
  b.resize(19);
  EXPECT_FALSE(DecodeSettings(b));
}

TEST(SaveLayoutTest, ProgressFieldsSitAtTheirOffsets) {
  std::vector<uint8_t> b(4256, 0);
  PutU32(b, 4, 3);           // lastEpisode
  PutU32(b, 8, 7);           // lastLevel
  PutU32(b, 12, 0x11);       // reserved, kept
  PutU32(b, 16, 0x01020304); // totalScore
  PutU32(b, 20, Progress::kNewGameStarted | Progress::kNewGameStartedToo | 1u << 13 |
                    Progress::kNoTutorialSpeech);
  PutU32(b, 24, 1u << 21 | 1u);  // achievements 0 and 21
  // Episode 2, level 3: record (2 - 1) x 16 + (3 - 1) = 18 at 32 + 18 x 16.
  const size_t rec = 32 + 18 * 16;
  b[rec] = 2;
  b[rec + 1] = LevelRecord::kFinished | LevelRecord::kPuzzlePiece;
  PutU32(b, rec + 4, 7500);
  PutU32(b, rec + 8, 143);
  // Episode 8, level 16 is the last record, ending where the puzzles begin.
  b[32 + 127 * 16] = 1;
  // Puzzle 3, slot 2 at 2080 + 2 x 256 + 16.
  const size_t slot = 2080 + 2 * 256 + 16;
  PutU32(b, slot, std::bit_cast<uint32_t>(-12.5f));
  PutU32(b, slot + 4, std::bit_cast<uint32_t>(300.25f));
  b[slot + 8] = 3;
  b[slot + 9] = PuzzleSlot::kOnBoard;
  PutU32(b, 4132, 2);  // difficulty
  b[4255] = 0x5A;      // the last reserved byte, kept

  const auto p = DecodeProgress(b);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->lastEpisode, 3);
  EXPECT_EQ(p->lastLevel, 7);
  EXPECT_EQ(p->totalScore, 0x01020304);
  EXPECT_TRUE(p->options & Progress::kNoTutorialSpeech);
  EXPECT_TRUE(p->PuzzleCompleted(2));
  EXPECT_FALSE(p->PuzzleCompleted(1));
  EXPECT_TRUE(p->HasAchievement(0));
  EXPECT_TRUE(p->HasAchievement(21));
  EXPECT_FALSE(p->HasAchievement(20));
  const LevelRecord& r = p->Record(2, 3);
  EXPECT_EQ(r.stars, 2);
  EXPECT_EQ(r.flags, LevelRecord::kFinished | LevelRecord::kPuzzlePiece);
  EXPECT_EQ(r.bestScore, 7500);
  EXPECT_EQ(r.time, 143);
  EXPECT_EQ(p->Record(8, 16).stars, 1);
  EXPECT_FALSE(p->Record(2, 4).Played());
  const PuzzleSlot& s = p->puzzles[2][1];
  EXPECT_EQ(s.x, -12.5f);
  EXPECT_EQ(s.y, 300.25f);
  EXPECT_EQ(s.rotation, 3);
  EXPECT_EQ(s.flags, PuzzleSlot::kOnBoard);
  EXPECT_EQ(p->difficulty, Difficulty::Expert);
  // Written back field by field, the very same bytes.
  EXPECT_EQ(EncodeProgress(*p), b);
  EXPECT_EQ(EncodeProgress(Progress()), std::vector<uint8_t>(4256, 0));
}

TEST(SaveLayoutTest, RecordTablesSitAtTheirOffsetsWithTheOverallTableLast) {
  std::vector<uint8_t> b(41280, 0);
  // Episode 3, level 5 is table 36; its second entry starts 64 bytes in.
  const size_t e = 36 * 320 + 64;
  PutU32(b, e, 9100);
  PutU32(b, e + 4, 222);
  PutI64(b, e + 8, 1700000000);
  PutU16(b, e + 16, u'K');
  PutU16(b, e + 18, u'\u00E4');
  // The overall table's first entry.
  const size_t t = 128 * 320;
  PutU32(b, t, 123456);
  PutU16(b, t + 16, u'Z');
  const auto tables = DecodeRecordTables(b);
  ASSERT_TRUE(tables);
  const RecordEntry& entry = tables->Level(3, 5).entries[1];
  EXPECT_EQ(entry.score, 9100);
  EXPECT_EQ(entry.seconds, 222);
  EXPECT_EQ(entry.date, 1700000000);
  EXPECT_EQ(entry.Name(), u"K\u00E4");
  EXPECT_EQ(tables->total.entries[0].score, 123456);
  EXPECT_EQ(tables->total.entries[0].Name(), u"Z");
  EXPECT_EQ(EncodeRecordTables(*tables), b);
  b.pop_back();
  EXPECT_FALSE(DecodeRecordTables(b));
}

TEST(SaveLayoutTest, ProfilesAreUint16ValuesAndSlotFilesUseTheSlotNumberFromOne) {
  PlayerList list;
  list.current = 2;
  list.names = {u"Ann", u"", u"\u0416o", u""};
  EXPECT_EQ(EncodePlayerList(list),
            (std::vector<uint8_t>{2, 0, 3, 0, 'A', 0, 'n', 0, 'n', 0, 0, 0, 2, 0, 0x16, 0x04, 'o',
                                  0, 0, 0}));
  EXPECT_EQ(DecodePlayerList(EncodePlayerList(list)), list);
  EXPECT_EQ(player_files::SlotFile(0, "Progress"), "1\\Progress");
  EXPECT_EQ(player_files::SlotFile(3, "Game"), "4\\Game");
}
