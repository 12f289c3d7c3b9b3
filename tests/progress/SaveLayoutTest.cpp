// The byte layouts of the per-user files, against buffers built by hand from the offsets.
#include <gtest/gtest.h>

#include <bit>

#include "progress/ProfilesTestSupport.h"
#include "progress/PlayerFiles.h"
#include "progress/Progress.h"
#include "progress/RecordTables.h"
#include "progress/Settings.h"

TEST(SaveLayoutTest, SettingsAndProfilesAreLittleEndianFieldByField) {
  EXPECT_EQ(EncodeSettings(Settings()),
            (Bytes{1, 0, 0, 0, 70, 0, 0, 0, 100, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0}));
  Bytes b(20, 0);
  Put(b, 4, 25);
  Put(b, 12, 0x102);  // windowed, drawn cursor, a reserved bit kept
  Put(b, 16, 4);
  const auto s = DecodeSettings(b);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->musicVolume, 25);
  EXPECT_TRUE(!s->fullscreen() && s->drawnCursor());
  EXPECT_EQ(EncodeSettings(*s), b);

  PlayerList list;
  list.current = 2;
  list.names = {u"Ann", u"", u"\u0416o", u""};
  EXPECT_EQ(EncodePlayerList(list),
            (Bytes{2, 0, 3, 0, 'A', 0, 'n', 0, 'n', 0, 0, 0, 2, 0, 0x16, 0x04, 'o', 0, 0, 0}));
  EXPECT_EQ(player_files::SlotFile(3, "Game"), "4\\Game");
}

TEST(SaveLayoutTest, ProgressFieldsSitAtTheirOffsets) {
  Bytes b(4256, 0);
  Put(b, 4, 3);            // lastEpisode
  Put(b, 8, 7);            // lastLevel
  Put(b, 16, 0x01020304);  // totalScore
  Put(b, 20, Progress::kNewGameStarted | 1u << 13 | Progress::kNoTutorialSpeech);
  Put(b, 24, 1u << 21 | 1u);  // achievements 0 and 21
  // Episode 2, level 3: record (2 - 1) x 16 + (3 - 1) = 18.
  const size_t rec = 32 + 18 * 16;
  b[rec] = 2;
  b[rec + 1] = LevelRecord::kFinished | LevelRecord::kPuzzlePiece;
  Put(b, rec + 4, 7500);
  Put(b, rec + 8, 143);
  b[32 + 127 * 16] = 1;  // episode 8, level 16: the last record
  // Puzzle 3, slot 2.
  const size_t slot = 2080 + 2 * 256 + 16;
  Put(b, slot, std::bit_cast<uint32_t>(-12.5f));
  Put(b, slot + 4, std::bit_cast<uint32_t>(300.25f));
  b[slot + 8] = 3;
  b[slot + 9] = PuzzleSlot::kOnBoard;
  Put(b, 4132, 2);  // difficulty
  b[4255] = 0x5A;   // reserved to the end, kept

  const auto p = DecodeProgress(b);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->lastEpisode, 3);
  EXPECT_EQ(p->lastLevel, 7);
  EXPECT_EQ(p->totalScore, 0x01020304);
  EXPECT_TRUE(p->PuzzleCompleted(2) && !p->PuzzleCompleted(1));
  EXPECT_TRUE(p->HasAchievement(0) && p->HasAchievement(21) && !p->HasAchievement(20));
  const LevelRecord& r = p->Record(2, 3);
  EXPECT_EQ(r.stars, 2);
  EXPECT_EQ(r.flags, LevelRecord::kFinished | LevelRecord::kPuzzlePiece);
  EXPECT_EQ(r.bestScore, 7500);
  EXPECT_EQ(r.time, 143);
  EXPECT_EQ(p->Record(8, 16).stars, 1);
  const PuzzleSlot& s = p->puzzles[2][1];
  EXPECT_EQ(s.x, -12.5f);
  EXPECT_EQ(s.y, 300.25f);
  EXPECT_EQ(s.rotation, 3);
  EXPECT_EQ(s.flags, PuzzleSlot::kOnBoard);
  EXPECT_EQ(p->difficulty, Difficulty::Expert);
  EXPECT_EQ(EncodeProgress(*p), b);
}

TEST(SaveLayoutTest, RecordTablesSitAtTheirOffsetsWithTheOverallTableLast) {
  Bytes b(41280, 0);
  // Episode 3, level 5 is table 36; its second entry starts 64 bytes in.
  const size_t e = 36 * 320 + 64;
  Put(b, e, 9100);
  Put(b, e + 4, 222);
  Put(b, e + 8, int64_t(1700000000));
  Put(b, e + 16, u'K');
  Put(b, e + 18, u'\u00E4');
  Put(b, 128 * 320, 123456);
  const auto tables = DecodeRecordTables(b);
  ASSERT_TRUE(tables);
  const RecordEntry& entry = tables->Level(3, 5).entries[1];
  EXPECT_EQ(entry.score, 9100);
  EXPECT_EQ(entry.seconds, 222);
  EXPECT_EQ(entry.date, 1700000000);
  EXPECT_EQ(entry.Name(), u"K\u00E4");
  EXPECT_EQ(tables->total.entries[0].score, 123456);
  EXPECT_EQ(EncodeRecordTables(*tables), b);
}

TEST(SaveLayoutTest, ComfortSettingsFollowTheFiveFieldsOnlyWhenSet) {
  Settings s;
  s.SetComfort(Settings::kNoShake, true);
  s.SetComfort(Settings::kCalmMotion, true);
  s.comfort |= 0x80;  // a bit of a later version, kept
  s.textPercent = 125;
  s.pointerPercent = 200;
  const Bytes b = EncodeSettings(s);
  ASSERT_EQ(b.size(), Settings::kComfortSize);
  EXPECT_EQ(Bytes(b.begin(), b.begin() + 20), EncodeSettings(Settings()));
  EXPECT_EQ(Bytes(b.begin() + 20, b.end()),
            (Bytes{0x85, 0, 0, 0, 125, 0, 0, 0, 200, 0, 0, 0}));
  EXPECT_EQ(DecodeSettings(b), s);

  // Back at the defaults, the file is the short one older versions read.
  s.comfort = 0;
  s.textPercent = s.pointerPercent = 100;
  EXPECT_EQ(EncodeSettings(s).size(), Settings::kSize);

  // Sizes not offered are read as the nearest offered one, with a note.
  Bytes odd = b;
  Put(odd, 24, 130);
  Put(odd, 28, -7);
  SaveNotes notes;
  const auto read = DecodeSettings(odd, &notes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->textPercent, 125);
  EXPECT_EQ(read->pointerPercent, 100);
  EXPECT_EQ(notes.size(), 2u);
  Put(odd, 28, 2147483647);
  EXPECT_EQ(DecodeSettings(odd)->pointerPercent, 200);

  // Any other length is no settings at all.
  for (size_t size : {size_t(24), size_t(28), size_t(36)}) {
    EXPECT_FALSE(DecodeSettings(Bytes(size, 0))) << size;
  }
}
