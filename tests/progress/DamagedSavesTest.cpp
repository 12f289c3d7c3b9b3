// Damaged, hostile and unwritable per-user files: each is ignored or repaired, never a crash,
// and no good file is replaced because another one was bad.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <filesystem>
#include <limits>
#include <memory>

#include "base/PackedData.h"
#include "progress/ProfilesTestSupport.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "progress/PlayerProfiles.h"

namespace {

class DamagedSavesTest : public ProfilesFolderTest {
 protected:
  // Two players (bob current) with their progress, settings and records.
  void SetUp() override {
    ProfilesFolderTest::SetUp();
    Plant("Profiles", ProfilesPayload(1, {u"alice", u"bob", u"", u""}));
    Settings s;
    s.musicVolume = 40;
    s.language = 2;
    Plant("Settings", EncodeSettings(s));
    Progress alice, bob;
    alice.totalScore = 111;
    bob.totalScore = 222;
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
  static Bytes WithTrailer(Bytes packed, uint32_t length) {
    Put(packed, packed.size() - 4, length);
    return packed;
  }
};

// Takes write access to a folder away for the scope. Root ignores folder permissions, so a
// root test runs as "nobody" meanwhile.
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
  bool Active() const { return faccessat(AT_FDCWD, path_.c_str(), W_OK, AT_EACCESS) != 0; }

 private:
  std::string path_;
  bool asNobody_ = false;
};

}  // namespace

TEST_F(DamagedSavesTest, WrongSizesTruncationsAndLyingTrailersLoadAsNothing) {
  Bytes progress = EncodeProgress(Progress());
  Put(progress, 16, 5000);
  const Bytes packed = base::PackData(EncodeSettings(Settings()), false);
  for (const Bytes& bad :
       {Bytes{1, 2, 3}, Bytes(packed.begin(), packed.end() - 3), WithTrailer(packed, 0xFFFFFFFF),
        WithTrailer(packed, 21), WithTrailer(packed, 19),
        base::PackData(Bytes(progress.begin(), progress.end() - 1), false),
        base::PackData(Bytes(41281, 0), false)}) {
    PlantRaw("Settings", bad);
    PlantRaw("HiScores", bad);
    PlantRaw("2\\Progress", bad);
    auto p = Start();
    EXPECT_EQ(p->settings.musicVolume, 70);
    EXPECT_FALSE(p->RecordsReady());
    EXPECT_EQ(p->progress, Progress());
    EXPECT_EQ(p->CurrentName(), u"bob");
  }
  Put(progress, 0, 1);  // version 1
  Plant("2\\Progress", progress);
  EXPECT_EQ(Start()->progress.totalScore, 0);
}

TEST_F(DamagedSavesTest, OutOfRangeValuesAreRepairedOnLoad) {
  Bytes progress = EncodeProgress(Progress());
  Put(progress, 4, -5);           // lastEpisode
  Put(progress, 8, 11);           // lastLevel, one past the campaign's last
  Put(progress, 4132, 7);         // difficulty
  progress[32 + 17 * 16] = 9;     // stars of level 2-2
  const size_t slot = 2080 + 16;  // puzzle 1, slot 2
  Put(progress, slot, std::bit_cast<uint32_t>(std::numeric_limits<float>::quiet_NaN()));
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
  p->SelectPlayer(1);
  EXPECT_EQ(p->progress.lastEpisode, 0);
  EXPECT_EQ(p->progress.lastLevel, 0);
  EXPECT_EQ(p->progress.difficulty, Difficulty::Casual);
  EXPECT_EQ(p->progress.Record(2, 2).stars, 3);
  EXPECT_EQ(p->progress.puzzles[0][1].x, 0.0f);
  EXPECT_EQ(p->progress.puzzles[0][1].rotation, 2);
  EXPECT_EQ(p->settings.musicVolume, 100);
  EXPECT_EQ(p->settings.effectsVolume, 0);
  EXPECT_EQ(p->settings.language, 1);  // automatic again
  s.language = 9;
  Plant("Settings", EncodeSettings(s));
  EXPECT_EQ(Start()->settings.language, 4);
  Plant("Profiles", ProfilesPayload(2, {u"", u"", u"", u"dora"}));  // current slot free
  EXPECT_EQ(Start()->CurrentName(), u"dora");
}

TEST_F(DamagedSavesTest, NamesWithoutTerminatorsAndHugeLengthsStayBounded) {
  Bytes tables = EncodeRecordTables(RecordTables());
  for (size_t u = 0; u < 24; ++u) Put(tables, 40960 + 16 + 2 * u, u'w');
  Put(tables, 40960 + 8, int64_t(1) << 62);  // a date no calendar takes
  Plant("HiScores", tables);
  auto p = Start();
  EXPECT_EQ(p->records.total.entries[0].Name(), std::u16string(23, u'w'));
  EXPECT_EQ(FormatRecordDate(p->records.total.entries[0].date), "");

  // A name claiming 60,000 units the file does not hold ends the list there.
  Bytes profiles = ProfilesPayload(0, {u"alice"});
  profiles.insert(profiles.end(), {0x60, 0xEA, 'x', 0});
  Plant("Profiles", profiles);
  EXPECT_EQ(Start()->PlayerCount(), 1);
  // One that does hold them is cut, and the names after it are still read; a zero unit
  // ends a name.
  Plant("Profiles",
        ProfilesPayload(1, {std::u16string(u"ab\0c", 4), std::u16string(60000, u'q'), u"c"}));
  p = Start();
  EXPECT_EQ(p->CurrentName(), std::u16string(PlayerList::kMaxName, u'q'));
  EXPECT_EQ(p->PlayerName(0), u"ab");
  EXPECT_EQ(p->PlayerName(2), u"c");
}

TEST_F(DamagedSavesTest, ABadFileIsReplacedOnlyByItsOwnDefaults) {
  const Bytes profiles = *Payload("Profiles"), settings = *Payload("Settings");
  const Bytes records = Raw("HiScores"), alices = Raw("1\\Progress"), bobs = Raw("2\\Progress");
  PlantRaw("Settings", {0x78, 0x9C, 1, 2, 3, 4, 20, 0, 0, 0});
  Start().reset();
  EXPECT_EQ(*Payload("Profiles"), profiles);
  EXPECT_EQ(Raw("HiScores"), records);
  EXPECT_EQ(Raw("1\\Progress"), alices);
  EXPECT_EQ(*Payload("2\\Progress"), *base::UnpackData(bobs, false));
  EXPECT_EQ(DecodeSettings(*Payload("Settings")), (Settings{.language = 1}));

  // A damaged player list without a last good copy makes the default player in slot 1, as a
  // first start does: the first slot's files are kept aside, the other players' files and
  // the settings stay as they were.
  Plant("Settings", settings);
  PlantRaw("Profiles", {9, 9, 9, 9, 9});
  std::filesystem::remove(base::DataFilePath(base::LastGoodName("Profiles")));
  Start().reset();
  EXPECT_EQ(DecodePlayerList(*Payload("Profiles"))->names[0], u"user");
  EXPECT_EQ(Raw("Profiles.damaged"), Bytes({9, 9, 9, 9, 9}));
  EXPECT_EQ(Raw("1\\Progress.unlisted"), alices);
  EXPECT_EQ(Raw("2\\Progress"), bobs);
  EXPECT_EQ(Raw("HiScores"), records);
  EXPECT_EQ(*Payload("Settings"), settings);
}

TEST_F(DamagedSavesTest, AFlippedBitInThePlayerListLosesNoPlayer) {
  Start().reset();  // every file now has its last good copy
  const Bytes good = Raw("Profiles");
  for (size_t bit : {size_t(3), good.size() * 4, good.size() * 8 - 30}) {
    Bytes flipped = good;
    flipped[bit / 8] ^= uint8_t(1u << (bit % 8));
    PlantRaw("Profiles", flipped);
    auto p = Start();
    ASSERT_EQ(p->PlayerCount(), 2) << bit;
    EXPECT_EQ(p->PlayerName(0), u"alice");
    EXPECT_EQ(p->CurrentName(), u"bob");
    EXPECT_EQ(p->progress.totalScore, 222);
    p.reset();
    EXPECT_EQ(Raw("Profiles"), good) << "put back from its last good copy";
    p = Start();
    p->SelectPlayer(0);
    EXPECT_EQ(p->progress.totalScore, 111);
    p->SelectPlayer(1);
  }
  // Each damaged file is kept, none overwriting another.
  EXPECT_TRUE(Exists("Profiles.damaged.sav"));
  EXPECT_TRUE(Exists("Profiles.damaged-3.sav"));

  // A damaged progress comes back from its copy as well; with the copy damaged too, the
  // player starts from zero and both files are kept.
  PlantRaw("2\\Progress", {1, 2, 3});
  EXPECT_EQ(Start()->progress.totalScore, 222);
  PlantRaw("2\\Progress", {1, 2, 3});
  PlantRaw(base::LastGoodName("2\\Progress"), {4, 5, 6});
  EXPECT_EQ(Start()->progress.totalScore, 0);
  EXPECT_EQ(Raw("2\\Progress.damaged-2"), Bytes({1, 2, 3}));
  EXPECT_EQ(Raw("2\\Progress.last-good.damaged"), Bytes({4, 5, 6}));
}

TEST_F(DamagedSavesTest, AHugeRecordFileIsSetAsideUnreadAndItsLastGoodCopyUsed) {
  Start().reset();
  const std::string path = base::DataFilePath("HiScores");
  ASSERT_EQ(truncate(path.c_str(), 1536l << 20), 0);  // sparse: no disk is used
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const long before = usage.ru_maxrss;
  auto p = Start();
  getrusage(RUSAGE_SELF, &usage);
  EXPECT_LT(usage.ru_maxrss - before, 64l << 10) << "kilobytes: the file was read";
  ASSERT_TRUE(p->RecordsReady());
  EXPECT_EQ(p->records.total.entries[0].Name(), u"bob");
  EXPECT_EQ(std::filesystem::file_size(base::DataFilePath("HiScores.damaged")), 1536ul << 20);
}

TEST_F(DamagedSavesTest, ANewPlayerNeverTakesOverADeletedPlayersProgress) {
  auto p = Start();
  p->DeletePlayer(1);  // bob; his files stay in slot 2
  // Slot 2's progress cannot be replaced: a folder stands where its new file would be made.
  std::filesystem::create_directory(base::DataFilePath("2\\Progress") + ".tmp");
  ASSERT_TRUE(p->AddPlayer(u"carol"));
  EXPECT_EQ(p->CurrentSlot(), 2) << "the slot that could not be cleared is passed over";
  EXPECT_EQ(p->progress.totalScore, 0);
  p.reset();
  p = Start();
  EXPECT_EQ(p->CurrentName(), u"carol");
  EXPECT_EQ(p->progress.totalScore, 0);
  EXPECT_EQ(p->PlayerName(1), u"carol");
  EXPECT_EQ(p->names()[1], u"");
}

TEST_F(DamagedSavesTest, SavedLevelsThatAreDeepHugeOrMalformedNeverReachTheGame) {
  auto p = Start();
  const std::string good = "<level episode=\"1\" level=\"2\" state=\"2\"></level>";
  ASSERT_TRUE(p->SaveGame(good));
  EXPECT_FALSE(p->SaveGame(std::string(player_files::kMaxGame + 1, ' ')));  // too big
  EXPECT_EQ(p->LoadGame(), good);

  GameDescriptors descriptors;
  Level level(descriptors);
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<level>";
  for (const std::string& text :
       {deep, std::string("<level episode=\"1\" <<>"), std::string("\0\xFF<", 3),
        std::string("<level episode=\"99\" level=\"1\" state=\"2\"></level>")}) {
    ASSERT_TRUE(p->SaveGame(text));
    EXPECT_FALSE(level.ReadLevel(*p->LoadGame()));
  }
  // A saved level that cannot be unpacked is kept aside and its last good copy (the text
  // saved last) is used; with no copy there is no saved level.
  ASSERT_TRUE(p->SaveGame(good));
  const Bytes packed = base::PackData(Bytes(good.begin(), good.end()), false);
  PlantRaw("2\\Game", WithTrailer(packed, player_files::kMaxGame + 1));
  EXPECT_EQ(p->LoadGame(), good);
  EXPECT_TRUE(Exists("2/Game.damaged.sav"));
  std::filesystem::remove(base::DataFilePath(base::LastGoodName("2\\Game")));
  PlantRaw("2\\Game", WithTrailer(packed, player_files::kMaxGame + 1));
  EXPECT_FALSE(p->HasGame());
  PlantRaw("2\\Game", WithTrailer(packed, uint32_t(good.size() + 1)));
  EXPECT_FALSE(p->LoadGame());
  EXPECT_TRUE(Exists("2/Game.damaged-3.sav"));
}

TEST_F(DamagedSavesTest, AReadOnlyFolderLoadsWhatItHoldsAndWritesNothing) {
  const Bytes profiles = Raw("Profiles"), bobs = Raw("2\\Progress");
  {
    ReadOnlyFolder readOnly(folder.Path());
    if (!readOnly.Active()) GTEST_SKIP() << "the folder stays writable here";
    auto p = Start();
    EXPECT_EQ(p->progress.totalScore, 222);
    p->progress.totalScore = 1;
    EXPECT_FALSE(p->SaveProgress());
    EXPECT_TRUE(p->AddPlayer(u"carol"));  // in memory only
    p->SelectPlayer(0);
    EXPECT_EQ(p->progress.totalScore, 111);
    p.reset();
    EXPECT_EQ(Raw("Profiles"), profiles);
    EXPECT_EQ(Raw("2\\Progress"), bobs);
    EXPECT_FALSE(Exists("3"));
  }
  // A first start in an empty read-only folder still has its player.
  TempDir empty;
  chmod(empty.Path().c_str(), 0755);
  base::SetDataFolder(empty.Path());
  ReadOnlyFolder readOnly(empty.Path());
  EXPECT_EQ(Start()->CurrentName(), u"user");
  EXPECT_TRUE(std::filesystem::is_empty(empty.Path()));
}
