// The results on the player's own levels: the best of each kept, stored per player in the
// slot's "OwnLevels", damaged lines skipped, and a new player in an old slot starting clean.
#include <gtest/gtest.h>

#include <string>

#include "ProfilesTestSupport.h"
#include "progress/OwnLevelRecords.h"
#include "progress/PlayerProfiles.h"

namespace {

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace

TEST(OwnLevelRecordsTest, TheBestOfEachResultIsKeptAndLossesOnlyCount) {
  OwnLevelRecords r;
  EXPECT_EQ(r.Find("a.xml"), nullptr);
  ASSERT_TRUE(r.Store("a.xml", false, 0, -1, 50, 700));
  EXPECT_FALSE(r.Find("a.xml")->won);
  EXPECT_EQ(r.Find("a.xml")->seconds, 0) << "a loss has no time";
  ASSERT_TRUE(r.Store("a.xml", true, 2, 1, 200, 5000));
  ASSERT_TRUE(r.Store("a.xml", true, 1, 0, 150, 4000));  // faster, fewer stars, lower score
  ASSERT_TRUE(r.Store("a.xml", false, 0, -1, 10, 9000));
  const OwnLevelRecord& a = *r.Find("a.xml");
  EXPECT_TRUE(a.won);
  EXPECT_EQ(a.stars, 2);
  EXPECT_EQ(a.medal, 1);
  EXPECT_EQ(a.seconds, 150);
  EXPECT_EQ(a.score, 9000);
  EXPECT_EQ(a.plays, 4);
  // Values are kept in their ranges; names that could not be written back are refused.
  ASSERT_TRUE(r.Store("b.xml", true, 9, 7, -5, -1));
  EXPECT_EQ(r.Find("b.xml")->stars, 3);
  EXPECT_EQ(r.Find("b.xml")->medal, 2);
  EXPECT_EQ(r.Find("b.xml")->seconds, 0);
  EXPECT_EQ(r.Find("b.xml")->score, 0);
  EXPECT_FALSE(r.Store("", true, 1, 0, 1, 1));
  EXPECT_FALSE(r.Store("tab\tname.xml", true, 1, 0, 1, 1));
  EXPECT_FALSE(r.Store(std::string(OwnLevelRecords::kMaxName + 1, 'x'), true, 1, 0, 1, 1));
  EXPECT_EQ(r.size(), 2u);

  const auto back = OwnLevelRecords::Decode(r.Encode());
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, r);
}

TEST(OwnLevelRecordsTest, DamagedLinesAreSkippedAndValuesKeptInRange) {
  const auto r = OwnLevelRecords::Decode(Text(
      "good.xml\t1\t3\t2\t95\t7000\t2\n"
      "short.xml\t1\t3\n"
      "long.xml\t1\t3\t2\t95\t7000\t2\t9\n"
      "letters.xml\t1\tx\t2\t95\t7000\t2\n"
      "\t1\t3\t2\t95\t7000\t2\n"
      "wild.xml\t1\t99\t-9\t99999999\t-4\t5\r\n"
      "lost.xml\t0\t3\t2\t95\t7000\t1\n"
      "\n\xff\xfe garbage"));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->size(), 2u) << "good and lost; wild's last field is \"5\\r\"";
  ASSERT_NE(r->Find("good.xml"), nullptr);
  EXPECT_EQ(r->Find("good.xml")->seconds, 95);
  ASSERT_NE(r->Find("lost.xml"), nullptr);
  EXPECT_EQ(r->Find("lost.xml")->stars, 0) << "an unwon level has no stars";
  const auto ranged = OwnLevelRecords::Decode(Text("w.xml\t1\t99\t-9\t99999999\t-4\t5\n"));
  ASSERT_TRUE(ranged && ranged->Find("w.xml"));
  EXPECT_EQ(ranged->Find("w.xml")->stars, 3);
  EXPECT_EQ(ranged->Find("w.xml")->medal, -1);
  EXPECT_EQ(ranged->Find("w.xml")->seconds, 24 * 3600);
  EXPECT_EQ(ranged->Find("w.xml")->score, 0);
}

class OwnLevelsProfilesTest : public ProfilesFolderTest {};

TEST_F(OwnLevelsProfilesTest, EachPlayerKeepsTheirOwnAndANewPlayerStartsClean) {
  {
    PlayerProfiles p;
    p.Load("en", u"alice");
    p.ownLevels.Store("river.xml", true, 3, 2, 80, 9000);
    ASSERT_TRUE(p.SaveOwnLevels());
    p.AddPlayer(u"bob");
    EXPECT_EQ(p.ownLevels.Find("river.xml"), nullptr) << "bob has none";
    p.ownLevels.Store("river.xml", false, 0, -1, 0, 100);
    ASSERT_TRUE(p.SaveOwnLevels());
    // The campaign's progress file is not what keeps them.
    EXPECT_EQ(p.progress.Record(1, 1).stars, 0);
  }
  EXPECT_TRUE(Exists("1/OwnLevels.sav"));
  EXPECT_TRUE(Exists("2/OwnLevels.sav"));
  PlayerProfiles p;
  p.Load("en", u"alice");
  ASSERT_EQ(p.CurrentName(), u"bob");
  ASSERT_NE(p.ownLevels.Find("river.xml"), nullptr);
  EXPECT_FALSE(p.ownLevels.Find("river.xml")->won);
  p.SelectPlayer(0);
  ASSERT_NE(p.ownLevels.Find("river.xml"), nullptr);
  EXPECT_EQ(p.ownLevels.Find("river.xml")->seconds, 80);
  // Alice leaves; a new player in her slot does not inherit her results.
  p.DeletePlayer(0);
  ASSERT_TRUE(p.AddPlayer(u"carol"));
  EXPECT_EQ(p.ownLevels.size(), 0u);
  EXPECT_FALSE(Exists("1/OwnLevels.sav"));
}

TEST_F(OwnLevelsProfilesTest, AnUnreadableFileIsSetAsideAndItsLastGoodCopyUsed) {
  {
    PlayerProfiles p;
    p.Load("en", u"alice");
    p.ownLevels.Store("river.xml", true, 1, 0, 300, 2000);
    ASSERT_TRUE(p.SaveOwnLevels());
  }
  PlantRaw("1\\OwnLevels", Text("not packed at all"));
  PlayerProfiles p;
  p.Load("en", u"alice");
  ASSERT_NE(p.ownLevels.Find("river.xml"), nullptr);
  EXPECT_EQ(p.ownLevels.Find("river.xml")->seconds, 300);
  EXPECT_TRUE(Exists("1/OwnLevels.damaged.sav"));
}
