// Damaged, hostile and unwritable per-user files: each is ignored or repaired, never a crash,
// and no good file is replaced because another one was bad.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <limits>
#include <memory>

#include "campaign/PlayerProfiles.h"
#include "campaign/ProfilesTestSupport.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "platform/PackedData.h"

namespace {

class DamagedSavesTest : public ProfilesFolderTest {
 protected:
  // A folder with two players (bob current), their progress, settings and records.
  void PlantGoodFolder() {
    Plant("Profiles", ProfilesPayload(1, {u"alice", u"bob", u"", u""}));
    Settings s;
    s.musicVolume = 40;
    s.language = 2;
    Plant("Settings", EncodeSettings(s));
    Progress alice, bob;
    alice.totalScore = 111;
    bob.totalScore = 222;
    bob.Record(2, 2).stars = 3;
    Plant("1\\Progress", EncodeProgress(alice));
    Plant("2\\Progress", EncodeProgress(bob));
    RecordTables records;
    records.total.Insert(u"bob", 900, 0, 5);
    Plant("HiScores", EncodeRecordTables(records));
  }
  std::unique_ptr<PlayerProfiles> Start() {
    auto p = std::make_unique<PlayerProfiles>();
    p->Load("en", u"user");
    return p;
  }
  // Packed bytes whose length trailer says `length`.
  static Bytes WithTrailer(Bytes packed, uint32_t length) {
    PutU32(packed, packed.size() - 4, length);
    return packed;
  }
};

// Drops write access to the data folder for the scope: root ignores folder permissions, so
// a root test runs as "nobody" meanwhile (the folder stays readable to everyone).
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& path) : path_(path) {
    chmod(path_.c_str(), 0555);
    if (geteuid() == 0) asNobody_ = seteuid(65534) == 0;
  }
  ~ReadOnlyFolder() {
    if (asNobody_ && seteuid(0) != 0) std::abort();
    chmod(path_.c_str(), 0755);
  }
  // Whether writes into the folder are refused now.
  bool Active() const { return faccessat(AT_FDCWD, path_.c_str(), W_OK, AT_EACCESS) != 0; }

 private:
  std::string path_;
  bool asNobody_ = false;
};

}  // namespace

TEST_F(DamagedSavesTest, ProgressOfAnyOtherSizeOrAnotherVersionIsIgnored) {
  PlantGoodFolder();
  Bytes progress = EncodeProgress(Progress());
  PutU32(progress, 16, 5000);
  Plant("2\\Progress", Bytes(progress.begin(), progress.end() - 1));  // 4255 bytes
  EXPECT_EQ(Start()->progress, Progress());
  progress.push_back(0);
  Plant("2\\Progress", progress);  // 4257 bytes
  EXPECT_EQ(Start()->progress, Progress());
  progress.pop_back();
  progress.pop_back();
  progress.push_back(0);
  PutU32(progress, 0, 1);  // version 1
  Plant("2\\Progress", progress);
  EXPECT_EQ(Start()->progress.totalScore, 0);
  PutU32(progress, 0, 0);
  Plant("2\\Progress", progress);
  EXPECT_EQ(Start()->progress.totalScore, 5000);
}

TEST_F(DamagedSavesTest, TruncatedFilesAndLyingLengthTrailersLoadAsNothing) {
  PlantGoodFolder();
  const Bytes packed = platform::PackData(EncodeSettings(Settings()), false);
  for (const Bytes& bad : {Bytes{1, 2, 3}, Bytes(), Bytes(packed.begin(), packed.end() - 3),
                           Bytes(packed.begin() + 5, packed.end()), WithTrailer(packed, 0xFFFFFFFF),
                           WithTrailer(packed, 21), WithTrailer(packed, 19)}) {
    PlantRaw("Settings", bad);
    PlantRaw("HiScores", bad);
    PlantRaw("2\\Progress", bad);
    auto p = Start();
    EXPECT_EQ(p->settings.musicVolume, 70);
    EXPECT_FALSE(p->RecordsReady());
    EXPECT_EQ(p->progress, Progress());
    EXPECT_EQ(p->CurrentName(), u"bob");  // the good player list was used
  }
}

TEST_F(DamagedSavesTest, OutOfRangeValuesAreRepairedOnLoad) {
  PlantGoodFolder();
  Bytes progress = EncodeProgress(Progress());
  PutU32(progress, 4, uint32_t(-5));  // lastEpisode
  PutU32(progress, 8, 11);            // lastLevel, one past the campaign's last
  PutU32(progress, 4132, 7);          // difficulty
  progress[32 + 17 * 16] = 9;         // stars of level 2-2
  const size_t slot = 2080 + 16;      // puzzle 1, slot 2
  PutU32(progress, slot, std::bit_cast<uint32_t>(std::numeric_limits<float>::quiet_NaN()));
  PutU32(progress, slot + 4, std::bit_cast<uint32_t>(std::numeric_limits<float>::infinity()));
  progress[slot + 8] = 6;
  Plant("2\\Progress", progress);
  Settings s;
  s.musicVolume = 250;
  s.effectsVolume = -3;
  s.language = -2;
  Plant("Settings", EncodeSettings(s));
  Plant("Profiles", ProfilesPayload(9, {u"alice", u"bob", u"", u""}));

  auto p = Start();
  EXPECT_EQ(p->CurrentSlot(), 0);  // slot 9 does not exist
  EXPECT_EQ(p->progress.totalScore, 111);
  p->SelectPlayer(1);
  EXPECT_EQ(p->progress.lastEpisode, 0);
  EXPECT_EQ(p->progress.lastLevel, 0);
  EXPECT_EQ(p->progress.difficulty, Difficulty::Casual);
  EXPECT_EQ(p->progress.Record(2, 2).stars, 3);
  EXPECT_EQ(p->progress.puzzles[0][1].x, 0.0f);
  EXPECT_EQ(p->progress.puzzles[0][1].y, 0.0f);
  EXPECT_EQ(p->progress.puzzles[0][1].rotation, 2);
  EXPECT_EQ(p->settings.musicVolume, 100);
  EXPECT_EQ(p->settings.effectsVolume, 0);
  EXPECT_EQ(p->settings.language, 1);  // automatic again, from the system
  s.language = 9;
  Plant("Settings", EncodeSettings(s));
  EXPECT_EQ(Start()->settings.language, 4);

  // The current slot naming a free slot moves to the first player.
  Plant("Profiles", ProfilesPayload(2, {u"", u"", u"", u"dora"}));
  EXPECT_EQ(Start()->CurrentName(), u"dora");
}

TEST_F(DamagedSavesTest, NamesWithoutTerminatorsAndHugeLengthsStayBounded) {
  PlantGoodFolder();
  // Record names filling all 24 units, and a date no calendar takes.
  Bytes tables = EncodeRecordTables(RecordTables());
  for (size_t u = 0; u < 24; ++u) PutU16(tables, 40960 + 16 + 2 * u, u'w');
  PutI64(tables, 40960 + 8, int64_t(1) << 62);
  Plant("HiScores", tables);
  auto p = Start();
  ASSERT_TRUE(p->RecordsReady());
  EXPECT_EQ(p->records.total.entries[0].Name(), std::u16string(23, u'w'));
  EXPECT_EQ(FormatRecordDate(p->records.total.entries[0].date), "");
  EXPECT_NE(FormatRecordDate(1700000000), "");

  // A name claiming 60,000 units the file does not hold ends the list there.
  Bytes profiles = ProfilesPayload(0, {u"alice"});
  profiles.insert(profiles.end(), {0x60, 0xEA, 'x', 0});  // 60000 units announced, one given
  Plant("Profiles", profiles);
  p = Start();
  EXPECT_EQ(p->PlayerCount(), 1);
  EXPECT_EQ(p->CurrentName(), u"alice");
  // One that does hold them is cut, and the names after it are still read.
  Plant("Profiles", ProfilesPayload(1, {u"alice", std::u16string(60000, u'q'), u"c"}));
  p = Start();
  EXPECT_EQ(p->CurrentName(), std::u16string(PlayerList::kMaxName, u'q'));
  EXPECT_EQ(p->PlayerName(2), u"c");
  // A zero unit ends a name; a name of zeros leaves its slot free.
  Plant("Profiles", ProfilesPayload(0, {std::u16string(u"ab\0cd", 5), std::u16string(3, u'\0')}));
  p = Start();
  EXPECT_EQ(p->CurrentName(), u"ab");
  EXPECT_EQ(p->PlayerCount(), 1);
}

TEST_F(DamagedSavesTest, ADamagedPlayerListRebuildsTheDefaultPlayerAndTouchesNothingElse) {
  PlantGoodFolder();
  const Bytes settings = Raw("Settings"), records = Raw("HiScores"), bobs = Raw("2\\Progress");
  for (const Bytes& bad : {Bytes{9, 9, 9, 9, 9}, platform::PackData(Bytes{1, 0, 0, 0}, false)}) {
    PlantRaw("Profiles", bad);
    {
      auto p = Start();
      EXPECT_EQ(p->PlayerCount(), 1);
      EXPECT_EQ(p->CurrentName(), u"user");
      EXPECT_EQ(p->settings.musicVolume, 40);
    }
    // Slot 1 is reset as the first start does; the other files keep their bytes.
    EXPECT_EQ(Raw("HiScores"), records);
    EXPECT_EQ(Raw("2\\Progress"), bobs);
    EXPECT_EQ(*Payload("Settings"), *platform::UnpackData(settings, false));
  }
}

TEST_F(DamagedSavesTest, ABadFileIsReplacedOnlyByItsOwnDefaults) {
  PlantGoodFolder();
  const Bytes profiles = *Payload("Profiles"), records = Raw("HiScores");
  const Bytes alices = Raw("1\\Progress"), bobs = *Payload("2\\Progress");
  PlantRaw("Settings", {0x78, 0x9C, 1, 2, 3, 4, 20, 0, 0, 0});
  {
    auto p = Start();
    EXPECT_EQ(p->settings, Settings{.language = 1});
  }
  EXPECT_EQ(*Payload("Profiles"), profiles);
  EXPECT_EQ(Raw("HiScores"), records);
  EXPECT_EQ(Raw("1\\Progress"), alices);
  EXPECT_EQ(*Payload("2\\Progress"), bobs);
  EXPECT_TRUE(DecodeSettings(*Payload("Settings")));
}

TEST_F(DamagedSavesTest, SavedLevelsThatAreDeepHugeOrMalformedNeverReachTheGame) {
  PlantGoodFolder();
  auto p = Start();
  const std::string good = "<level episode=\"1\" level=\"2\" state=\"2\"></level>";
  ASSERT_TRUE(p->SaveGame(good));
  // Too big to store: refused, and the saved level already there stays.
  EXPECT_FALSE(p->SaveGame(std::string(player_files::kMaxGame + 1, ' ')));
  EXPECT_EQ(p->LoadGame(), good);

  GameDescriptors descriptors;
  Level level(descriptors);
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<level>";
  for (const std::string& text : {deep, std::string("<level episode=\"1\" <<>"),
                                  std::string("\0\xFF\xFE<", 4), std::string()}) {
    ASSERT_TRUE(p->SaveGame(text));
    const auto loaded = p->LoadGame();
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(level.ReadLevel(*loaded));
  }
  // A saved level outside the campaign is refused by the reader.
  ASSERT_TRUE(p->SaveGame("<level episode=\"99\" level=\"1\" state=\"2\"></level>"));
  EXPECT_FALSE(level.ReadLevel(*p->LoadGame()));
  // A length trailer above the limit, or one that lies, is no saved level at all.
  Bytes packed = platform::PackData(Bytes(good.begin(), good.end()), false);
  PlantRaw("2\\Game", WithTrailer(packed, player_files::kMaxGame + 1));
  EXPECT_FALSE(p->HasGame());
  PlantRaw("2\\Game", WithTrailer(packed, uint32_t(good.size() + 1)));
  EXPECT_FALSE(p->LoadGame());
}

TEST_F(DamagedSavesTest, AReadOnlyFolderLoadsWhatItHoldsAndWritesNothing) {
  PlantGoodFolder();
  const Bytes profiles = Raw("Profiles"), bobs = Raw("2\\Progress");
  {
    ReadOnlyFolder readOnly(folder.Path());
    if (!readOnly.Active()) GTEST_SKIP() << "the folder stays writable here";
    {
      auto p = Start();
      EXPECT_EQ(p->CurrentName(), u"bob");
      EXPECT_EQ(p->progress.totalScore, 222);
      p->progress.totalScore = 1;
      EXPECT_FALSE(p->SaveProgress());
      EXPECT_FALSE(p->SaveSettings());
      EXPECT_FALSE(p->SaveGame("<level/>"));
      EXPECT_FALSE(p->AddPlayer(u"carol") && p->SaveProfiles());
      p->SelectPlayer(0);
      EXPECT_EQ(p->progress.totalScore, 111);
    }
    EXPECT_EQ(Raw("Profiles"), profiles);
    EXPECT_EQ(Raw("2\\Progress"), bobs);
    EXPECT_FALSE(Exists("3"));
  }
  // A first start in an empty read-only folder still has its player.
  TempDir empty;
  chmod(empty.Path().c_str(), 0755);
  platform::SetDataFolder(empty.Path());
  ReadOnlyFolder readOnly(empty.Path());
  auto p = Start();
  EXPECT_EQ(p->CurrentName(), u"user");
  EXPECT_FALSE(p->SaveProgress());
  EXPECT_TRUE(std::filesystem::is_empty(empty.Path()));
}
