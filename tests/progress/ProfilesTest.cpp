// Loading, the player operations and the record tables.
#include <gtest/gtest.h>

#include <memory>

#include "progress/ProfilesTestSupport.h"
#include "data/FileSystem.h"
#include "progress/PlayerProfiles.h"

namespace {

class ProfilesTest : public ProfilesFolderTest {
 protected:
  std::unique_ptr<PlayerProfiles> Start(std::u16string_view user = u"alice",
                                        std::string_view language = "en") {
    auto p = std::make_unique<PlayerProfiles>();
    p->Load(language, user);
    return p;
  }
  int32_t StoredScore(int slot) {
    auto payload = Payload(player_files::SlotFile(slot, player_files::kProgress));
    return payload ? DecodeProgress(*payload).value().totalScore : -1;
  }
};

using Lines = std::vector<std::pair<std::u16string, int>>;

RecordTable Table(const Lines& lines) {
  RecordTable t;
  for (size_t i = 0; i < lines.size(); ++i) {
    t.entries[i].SetName(lines[i].first);
    t.entries[i].score = lines[i].second;
  }
  return t;
}

Lines Of(const RecordTable& t) {
  Lines out;
  for (const RecordEntry& e : t.entries) out.emplace_back(e.Name(), e.score);
  return out;
}

}  // namespace

TEST_F(ProfilesTest, FirstStartMakesOnePlayerWithDefaultsAndWritesTheFilesInTheirPlaces) {
  {
    auto p = Start(u"alice", "ru_RU");
    EXPECT_EQ(p->PlayerCount(), 1);
    EXPECT_EQ(p->CurrentSlot(), 0);
    EXPECT_EQ(p->CurrentName(), u"alice");
    EXPECT_EQ(p->progress, Progress());
    EXPECT_EQ(p->settings, (Settings{1, 70, 100, 3, 3}));  // language: the system's "ru"
    EXPECT_TRUE(Exists("Profiles.sav") && Exists("1/Progress.sav"));
    EXPECT_FALSE(p->RecordsReady());

    FileSystem fs;
    fs.Mount(std::string(KALODRUS_CONTENT_DIR) + "/tables");
    p->SeedRecords(fs, 1234567);
    EXPECT_TRUE(Exists("HiScores.sav"));
    EXPECT_EQ(p->records.total.entries[0].Name(), u"Wendrika");
    EXPECT_EQ(p->records.total.entries[0].date, 1234567);
    EXPECT_EQ(p->records.Level(5, 11), p->records.Level(1, 1));
    EXPECT_EQ(p->records.Level(8, 16).entries[0].seconds, 150);
  }
  // Destruction wrote the settings with the chosen language; the next start keeps both.
  EXPECT_EQ(DecodeSettings(*Payload("Settings"))->language, 3);
  auto again = Start(u"bob", "de");
  EXPECT_EQ(again->CurrentName(), u"alice");
  EXPECT_EQ(again->settings.language, 3);
  EXPECT_TRUE(again->RecordsReady());

  std::filesystem::remove_all(folder.Path());
  std::filesystem::create_directory(folder.Path());
  EXPECT_EQ(Start(u"", "pl")->CurrentName(), u"Player");
  EXPECT_EQ(DecodeSettings(*Payload("Settings"))->language, 4);
}

TEST_F(ProfilesTest, ComfortSettingsAreKeptAcrossStartsAndAnOldFileKeepsTheDefaults) {
  EXPECT_FALSE(Start(u"alice")->settings.HasComfort());
  ASSERT_TRUE(Payload("Settings"));
  EXPECT_EQ(Payload("Settings")->size(), Settings::kSize);
  {
    auto p = Start(u"alice");
    p->settings.SetComfort(Settings::kSteadyMarks, true);
    p->settings.textPercent = 150;
    EXPECT_TRUE(p->SaveSettings());
  }
  ASSERT_TRUE(Payload("Settings"));
  EXPECT_EQ(Payload("Settings")->size(), Settings::kComfortSize);
  auto again = Start(u"bob");
  EXPECT_TRUE(again->settings.Has(Settings::kSteadyMarks));
  EXPECT_FALSE(again->settings.Has(Settings::kNoShake));
  EXPECT_EQ(again->settings.textPercent, 150);
  EXPECT_EQ(again->settings.pointerPercent, 100);
}

TEST_F(ProfilesTest, PlayersAreAddedSelectedAndDeletedWithTheirOwnProgress) {
  auto p = Start(u"alice");
  p->progress.totalScore = 100;
  ASSERT_TRUE(p->AddPlayer(u"bob"));  // alice's progress saved, bob starts from zero
  EXPECT_EQ(p->CurrentSlot(), 1);
  EXPECT_EQ(p->progress.totalScore, 0);
  EXPECT_EQ(StoredScore(0), 100);
  p->progress.totalScore = 200;
  ASSERT_TRUE(p->AddPlayer(u"carol"));
  ASSERT_TRUE(p->AddPlayer(u"dan"));
  EXPECT_FALSE(p->AddPlayer(u"eve"));  // a fifth player is refused
  EXPECT_EQ(p->PlayerCount(), 4);
  EXPECT_EQ(p->CurrentName(), u"dan");

  p->SelectPlayer(1);
  EXPECT_EQ(p->CurrentName(), u"bob");
  EXPECT_EQ(p->progress.totalScore, 200);
  p->SelectPlayer(4);  // ignored
  EXPECT_EQ(p->CurrentName(), u"bob");

  // Deleting the current player switches to the first remaining one and loads its progress.
  p->DeletePlayer(1);
  EXPECT_EQ(p->CurrentName(), u"alice");
  EXPECT_EQ(p->progress.totalScore, 100);
  EXPECT_EQ(p->PlayerName(1), u"carol");
  EXPECT_EQ(StoredScore(1), 200);  // bob's files stay until his slot is taken again
  ASSERT_TRUE(p->SaveGame("<level/>"));
  ASSERT_TRUE(p->AddPlayer(u"erin"));
  EXPECT_EQ(p->CurrentSlot(), 1);
  EXPECT_EQ(StoredScore(1), 0);
  p->SelectPlayer(0);
  EXPECT_EQ(p->LoadGame(), "<level/>");
  p->ResetProgress();
  EXPECT_FALSE(p->HasGame());
  EXPECT_EQ(StoredScore(0), 0);
}

TEST_F(ProfilesTest, DeletingTheLastPlayerWritesNoProgressAndTheNextStartMakesTheDefault) {
  {
    auto p = Start(u"alice");
    p->progress.totalScore = 55;
    ASSERT_TRUE(p->SaveProgress());
    p->DeletePlayer(0);
    EXPECT_EQ(p->PlayerCount(), 0);
    EXPECT_EQ(p->CurrentSlot(), 0);
    EXPECT_EQ(p->progress, Progress());
    EXPECT_FALSE(p->SaveGame("<level/>"));
    p->ResetProgress();
  }
  EXPECT_FALSE(Exists("0"));
  EXPECT_EQ(StoredScore(0), 55);  // left in place
  auto next = Start(u"zed");
  EXPECT_EQ(next->CurrentName(), u"zed");
  EXPECT_EQ(StoredScore(0), 0);
}

TEST(RecordTableTest, QualifyAndInsertKeepOneEntryPerNameBestFirst) {
  RecordTable t = Table({{u"a", 500}, {u"b", 400}, {u"c", 300}, {u"d", 200}, {u"e", 100}});
  EXPECT_TRUE(t.Qualifies(u"x", 100));  // equal to the fifth
  EXPECT_FALSE(t.Qualifies(u"x", 99));
  EXPECT_FALSE(t.Qualifies(u"b", 399));  // below its own entry
  EXPECT_TRUE(t.Qualifies(u"B", 150));   // names compare exactly: not b's entry

  t.Insert(u"x", 100, 61, 7);  // equal to the fifth: enters above it
  t.Insert(u"y", 99, 0, 0);    // below all five
  EXPECT_EQ(Of(t), (Lines{{u"a", 500}, {u"b", 400}, {u"c", 300}, {u"d", 200}, {u"x", 100}}));
  t.Insert(u"x", 450, 0, 0);
  t.Insert(u"x", 450, 0, 0);
  EXPECT_EQ(Of(t), (Lines{{u"a", 500}, {u"x", 450}, {u"b", 400}, {u"c", 300}, {u"d", 200}}));
  // A long name is kept to 23 units and still found as the same player.
  const std::u16string longName(30, u'n');
  t.Insert(longName, 600, 0, 0);
  t.Insert(longName, 700, 0, 0);
  EXPECT_EQ(Of(t)[0], (std::pair<std::u16string, int>{std::u16string(23, u'n'), 700}));
  EXPECT_EQ(Of(t)[1].first, u"a");
}
