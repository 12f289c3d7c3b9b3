// Loading, the player operations and the record tables.
#include <gtest/gtest.h>

#include <memory>

#include "campaign/PlayerProfiles.h"
#include "campaign/ProfilesTestSupport.h"
#include "data/FileSystem.h"

namespace {

class ProfilesTest : public ProfilesFolderTest {
 protected:
  // A profiles service loaded from the folder as the game would.
  std::unique_ptr<PlayerProfiles> Start(std::u16string_view user = u"alice",
                                        std::string_view language = "en") {
    auto p = std::make_unique<PlayerProfiles>();
    p->Load(language, user);
    return p;
  }
  std::optional<Progress> StoredProgress(int slot) {
    auto payload = Payload(player_files::SlotFile(slot, player_files::kProgress));
    if (!payload) return std::nullopt;
    return DecodeProgress(*payload);
  }
  std::optional<PlayerList> StoredList() {
    auto payload = Payload(player_files::kProfiles);
    if (!payload) return std::nullopt;
    return DecodePlayerList(*payload);
  }
};

RecordTable Table(std::initializer_list<std::pair<const char16_t*, int>> entries) {
  RecordTable t;
  size_t i = 0;
  for (const auto& [name, score] : entries) {
    t.entries[i].SetName(name);
    t.entries[i++].score = score;
  }
  return t;
}

std::vector<std::pair<std::u16string, int>> Lines(const RecordTable& t) {
  std::vector<std::pair<std::u16string, int>> out;
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
    EXPECT_EQ(p->settings.reserved, 1);
    EXPECT_EQ(p->settings.musicVolume, 70);
    EXPECT_EQ(p->settings.effectsVolume, 100);
    EXPECT_EQ(p->settings.flags, 3);
    EXPECT_EQ(p->settings.language, 3);  // automatic, from the system's "ru"
    EXPECT_TRUE(Exists("Profiles.sav"));
    EXPECT_TRUE(Exists("1/Progress.sav"));
    EXPECT_FALSE(p->RecordsReady());

    FileSystem fs;
    fs.Mount(std::string(KALODRUS_CONTENT_DIR) + "/tables");
    p->SeedRecords(fs, 1234567);
    ASSERT_TRUE(Exists("HiScores.sav"));
    EXPECT_EQ(p->records.total.entries[0].Name(), u"Wendrika");
    EXPECT_EQ(p->records.total.entries[0].date, 1234567);
    EXPECT_EQ(p->records.total.entries[4].seconds, 0);
    for (const RecordTable& t : p->records.levels) EXPECT_EQ(t, p->records.Level(1, 1));
    EXPECT_EQ(p->records.Level(5, 11).entries[0].Name(), u"Brannoc");
    EXPECT_EQ(p->records.Level(5, 11).entries[0].seconds, 150);
    EXPECT_GT(p->records.Level(1, 1).entries[3].score, p->records.Level(1, 1).entries[4].score);
  }
  // Destruction wrote the settings, with the language that was chosen.
  const auto settings = DecodeSettings(*Payload("Settings"));
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->language, 3);
  // The next start takes what is stored and seeds nothing.
  auto again = Start(u"bob");
  EXPECT_EQ(again->CurrentName(), u"alice");
  EXPECT_TRUE(again->RecordsReady());
  EXPECT_EQ(again->records.total.entries[1].Name(), u"Olbert");
}

TEST_F(ProfilesTest, WithoutAUserNameTheFirstPlayerIsCalledPlayer) {
  EXPECT_EQ(Start(u"", "de")->CurrentName(), u"Player");
  // The language chosen automatically is stored, and kept by the next start.
  EXPECT_EQ(DecodeSettings(*Payload("Settings"))->language, 2);
  EXPECT_EQ(Start(u"", "pl")->settings.language, 2);
  for (const auto& [system, language] : {std::pair{"pl_PL", 4}, {"C", 1}, {"", 1}, {"RU", 3}}) {
    std::filesystem::remove(platform::DataFilePath("Settings"));
    EXPECT_EQ(Start(u"", system)->settings.language, language) << system;
  }
}

TEST_F(ProfilesTest, PlayersAreAddedSelectedAndDeletedWithTheirOwnProgress) {
  auto p = Start(u"alice");
  p->progress.totalScore = 100;
  ASSERT_TRUE(p->AddPlayer(u"bob"));  // saves alice's progress, bob starts from zero
  EXPECT_EQ(p->CurrentName(), u"bob");
  EXPECT_EQ(p->CurrentSlot(), 1);
  EXPECT_EQ(p->progress.totalScore, 0);
  EXPECT_EQ(StoredProgress(0)->totalScore, 100);
  EXPECT_EQ(StoredList()->names[1], u"bob");
  p->progress.totalScore = 200;
  ASSERT_TRUE(p->AddPlayer(u"carol"));
  ASSERT_TRUE(p->AddPlayer(u"dan"));
  EXPECT_EQ(p->PlayerCount(), 4);
  // A fifth player is refused and nothing changes.
  EXPECT_FALSE(p->AddPlayer(u"eve"));
  EXPECT_EQ(p->PlayerCount(), 4);
  EXPECT_EQ(p->CurrentName(), u"dan");
  EXPECT_FALSE(p->AddPlayer(u""));

  p->SelectPlayer(1);
  EXPECT_EQ(p->CurrentName(), u"bob");
  EXPECT_EQ(p->progress.totalScore, 200);
  EXPECT_EQ(StoredList()->current, 1);
  p->SelectPlayer(4);  // no fifth player: ignored
  p->SelectPlayer(-1);
  EXPECT_EQ(p->CurrentName(), u"bob");

  // Deleting the current player switches to the first remaining one and loads its progress.
  p->DeletePlayer(1);
  EXPECT_EQ(p->CurrentName(), u"alice");
  EXPECT_EQ(p->progress.totalScore, 100);
  EXPECT_EQ(p->PlayerName(1), u"carol");
  EXPECT_EQ(p->PlayerName(3), u"");
  EXPECT_EQ(StoredList()->names[1], u"");
  // Bob's files stay until his slot is taken again, and are then replaced.
  EXPECT_EQ(StoredProgress(1)->totalScore, 200);
  p->DeletePlayer(2);  // dan, not current
  EXPECT_EQ(p->CurrentName(), u"alice");
  ASSERT_TRUE(p->SaveGame("<level/>"));
  ASSERT_TRUE(p->AddPlayer(u"erin"));
  EXPECT_EQ(p->CurrentSlot(), 1);
  EXPECT_EQ(StoredProgress(1)->totalScore, 0);
  p->SelectPlayer(0);
  EXPECT_TRUE(p->HasGame());  // alice's saved level was hers alone
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
    EXPECT_FALSE(p->SaveProgress());
    EXPECT_FALSE(p->SaveGame("<level/>"));
    EXPECT_FALSE(p->HasGame());
    p->ResetProgress();
    p->SelectPlayer(0);
  }
  EXPECT_FALSE(Exists("0"));
  EXPECT_FALSE(Exists("1/Game.sav"));
  EXPECT_EQ(StoredProgress(0)->totalScore, 55);  // left in place, not overwritten
  auto next = Start(u"zed");
  EXPECT_EQ(next->PlayerCount(), 1);
  EXPECT_EQ(next->CurrentName(), u"zed");
  EXPECT_EQ(StoredProgress(0)->totalScore, 0);
}

TEST_F(ProfilesTest, ResetProgressZeroesSavesAndDeletesTheSavedLevel) {
  auto p = Start();
  p->progress.Record(1, 1).stars = 3;
  ASSERT_TRUE(p->SaveGame("<level episode=\"1\"/>"));
  EXPECT_EQ(p->LoadGame(), "<level episode=\"1\"/>");
  p->ResetProgress();
  EXPECT_EQ(p->progress, Progress());
  EXPECT_FALSE(p->HasGame());
  EXPECT_FALSE(Exists("1/Game.sav"));
  EXPECT_EQ(StoredProgress(0), Progress());
  p->DeleteGame();  // nothing left to delete
}

TEST_F(ProfilesTest, DestructionWritesPlayersSettingsAndProgress) {
  {
    auto p = Start();
    p->settings.musicVolume = 12;
    p->progress.lastLevel = 4;
  }
  EXPECT_EQ(DecodeSettings(*Payload("Settings"))->musicVolume, 12);
  EXPECT_EQ(StoredProgress(0)->lastLevel, 4);
  // A service that never loaded writes nothing.
  std::filesystem::remove_all(folder.Path() + "/1");
  { PlayerProfiles unused; }
  EXPECT_FALSE(Exists("1/Progress.sav"));
}

TEST(RecordTableTest, QualifiesComparesWithTheNamesOwnEntryOrTheFifth) {
  const RecordTable t = Table({{u"a", 500}, {u"b", 400}, {u"c", 300}, {u"d", 200}, {u"e", 100}});
  EXPECT_TRUE(t.Qualifies(u"x", 100));  // equal to the fifth
  EXPECT_FALSE(t.Qualifies(u"x", 99));
  EXPECT_FALSE(t.Qualifies(u"b", 399));  // below its own entry
  EXPECT_TRUE(t.Qualifies(u"b", 400));
  EXPECT_TRUE(t.Qualifies(u"e", 100));
  EXPECT_TRUE(t.Qualifies(u"B", 150));  // names compare exactly: not b's entry
}

TEST(RecordTableTest, InsertKeepsOneEntryPerNameAndLetsTheLastFallOut) {
  RecordTable t = Table({{u"a", 500}, {u"b", 400}, {u"c", 300}, {u"d", 200}, {u"e", 100}});
  t.Insert(u"x", 100, 61, 7);  // equal to the fifth: enters above it
  EXPECT_EQ(Lines(t), (std::vector<std::pair<std::u16string, int>>{
                          {u"a", 500}, {u"b", 400}, {u"c", 300}, {u"d", 200}, {u"x", 100}}));
  EXPECT_EQ(t.entries[4].seconds, 61);
  EXPECT_EQ(t.entries[4].date, 7);
  t.Insert(u"y", 99, 0, 0);  // below all five
  EXPECT_EQ(t.entries[4].Name(), u"x");
  // The same name again: its old entry goes, the new one lands where its score belongs.
  t.Insert(u"x", 450, 0, 0);
  t.Insert(u"x", 450, 0, 0);
  EXPECT_EQ(Lines(t), (std::vector<std::pair<std::u16string, int>>{
                          {u"a", 500}, {u"x", 450}, {u"b", 400}, {u"c", 300}, {u"d", 200}}));
  // A long name is kept to 23 units and still found as the same player.
  const std::u16string longName(30, u'n');
  t.Insert(longName, 600, 0, 0);
  t.Insert(longName, 700, 0, 0);
  EXPECT_EQ(t.entries[0].Name(), std::u16string(23, u'n'));
  EXPECT_EQ(t.entries[1].Name(), u"a");
  EXPECT_EQ(t.entries[0].name[23], 0);
}
