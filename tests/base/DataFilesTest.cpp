#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/resource.h>
#include <unistd.h>

#include "base/DataFiles.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace base;

namespace {

class DataFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { SetDataFolder(folder.Path()); }
  void TearDown() override { SetDataFolder(""); }

  static Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

  TempDir folder;
};

}  // namespace

TEST_F(DataFilesTest, StoredNamesBecomeSavFilesWithTheirFoldersCreated) {
  const std::string path = DataFilePath("1\\Progress");
  EXPECT_EQ(path, folder.Path() + "/1/Progress.sav");
  EXPECT_TRUE(fs::is_directory(folder.Path() + "/1"));
  EXPECT_EQ(DataFilePath("Settings"), folder.Path() + "/Settings.sav");
}

TEST_F(DataFilesTest, WriteReadExistsDelete) {
  EXPECT_FALSE(DataFileExists("Profiles"));
  EXPECT_FALSE(ReadDataFile("Profiles"));
  ASSERT_TRUE(WriteDataFile("Profiles", Text(std::string("abc\r\n\0z", 7))));
  EXPECT_TRUE(DataFileExists("Profiles"));
  EXPECT_EQ(*ReadDataFile("Profiles"), Text(std::string("abc\r\n\0z", 7)));
  ASSERT_TRUE(WriteDataFile("Profiles", Text("x")));  // replaces, never appends
  EXPECT_EQ(*ReadDataFile("Profiles"), Text("x"));
  EXPECT_TRUE(DeleteDataFile("Profiles"));
  EXPECT_FALSE(DataFileExists("Profiles"));
  EXPECT_FALSE(DeleteDataFile("Profiles"));
}

TEST_F(DataFilesTest, AFailedWriteAtAnyStepKeepsTheOldFileAndLeavesNoTemporary) {
  ASSERT_TRUE(WriteDataFile("2\\Game", Text("old content")));
  const std::string path = DataFilePath("2\\Game");
  for (WriteStep step : {WriteStep::Open, WriteStep::Write, WriteStep::Sync, WriteStep::Rename}) {
    EXPECT_FALSE(WriteFileAtomically(path, Text("new content that must not appear"), step));
    EXPECT_EQ(*ReadDataFile("2\\Game"), Text("old content"));
    EXPECT_FALSE(fs::exists(path + ".tmp"));
  }
}

TEST_F(DataFilesTest, AnUnwritableTargetReportsFalseAndKeepsTheOldFile) {
  ASSERT_TRUE(WriteDataFile("Settings", Text("old")));
  // A folder in the way of the temporary file makes the write fail even for root.
  fs::create_directory(DataFilePath("Settings") + ".tmp");
  EXPECT_FALSE(WriteDataFile("Settings", Text("new")));
  EXPECT_EQ(*ReadDataFile("Settings"), Text("old"));
}

TEST_F(DataFilesTest, WithoutADataFolderEveryOperationFails) {
  SetDataFolder("");
  EXPECT_FALSE(WriteDataFile("Settings", Text("x")));
  EXPECT_FALSE(ReadDataFile("Settings"));
  EXPECT_FALSE(DataFileExists("Settings"));
  EXPECT_FALSE(SaveDataPacked("Settings", Text("x"), false));
}

TEST_F(DataFilesTest, PackedFilesRoundTripAndDamagedFilesLoadAsNothing) {
  const Bytes settings(20, 7);
  ASSERT_TRUE(SaveDataPacked("Settings", settings, false));
  EXPECT_EQ(*LoadDataPacked("Settings", false, 20), settings);
  EXPECT_FALSE(LoadDataPacked("Settings", false, 19));  // not the size the caller expects

  std::ofstream(DataFilePath("Profiles"), std::ios::binary) << "xy";
  EXPECT_FALSE(LoadDataPacked("Profiles", false));
}

// The peak memory of this process, in megabytes.
long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

TEST_F(DataFilesTest, AFileLargerThanItsFormatCanBeIsRefusedByItsSizeUnread) {
  const Bytes settings(20, 7);
  ASSERT_TRUE(SaveDataPacked("HiScores", settings, false));
  // 1.5 GB made sparse by truncate: no disk is used, and reading it would take 1.5 GB.
  ASSERT_EQ(truncate(DataFilePath("HiScores").c_str(), 1536l << 20), 0);
  const long before = PeakMegabytes();
  EXPECT_FALSE(LoadDataPacked("HiScores", false, 41280));
  EXPECT_FALSE(ReadDataFile("HiScores"));
  EXPECT_LT(PeakMegabytes() - before, 64) << "the file was read";

  // The bound is the packed size a payload of that length can reach, no less.
  Bytes noise(41280);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 2654435761u >> 13);
  ASSERT_TRUE(SaveDataPacked("HiScores", noise, false));
  EXPECT_LE(fs::file_size(DataFilePath("HiScores")), PackedSizeBound(41280, false));
  EXPECT_EQ(*LoadDataPacked("HiScores", false, 41280), noise);
  const Bytes encoded = PackData(noise, true);
  EXPECT_LE(encoded.size(), PackedSizeBound(41280, true));
}

TEST_F(DataFilesTest, FilesKeptAsideNeverReplaceAnEarlierCopy) {
  ASSERT_TRUE(WriteDataFile("1\\Progress", Text("first")));
  EXPECT_TRUE(KeepDataFileAside("1\\Progress", "damaged"));
  EXPECT_FALSE(DataFileExists("1\\Progress"));
  ASSERT_TRUE(WriteDataFile("1\\Progress", Text("second")));
  EXPECT_TRUE(KeepDataFileAside("1\\Progress", "damaged"));
  EXPECT_FALSE(KeepDataFileAside("1\\Progress", "damaged")) << "nothing left to move";
  EXPECT_EQ(*ReadDataFile("1\\Progress.damaged"), Text("first"));
  EXPECT_EQ(*ReadDataFile("1\\Progress.damaged-2"), Text("second"));
  EXPECT_EQ(LastGoodName("1\\Progress"), "1\\Progress.last-good");
}

TEST(DataFolder, EnvironmentOverrideIsCreated) {
  TempDir base;
  const std::string wanted = base.Path() + "/a/b/data";
  setenv("KALODRUS3_DATA", wanted.c_str(), 1);
  EXPECT_EQ(ResolveDataFolder(), wanted);
  EXPECT_TRUE(fs::is_directory(wanted));
  unsetenv("KALODRUS3_DATA");

  setenv("XDG_DATA_HOME", base.Path().c_str(), 1);
  EXPECT_EQ(ResolveDataFolder(), base.Path() + "/Brask/Kalodrus3");
  unsetenv("XDG_DATA_HOME");
}

TEST(DataFolder, ARelativeDataFolderIsTakenFromTheWorkingDirectory) {
  // The game changes to its content folder after start-up: a relative folder must not follow.
  TempDir dir;
  const auto old = fs::current_path();
  fs::current_path(dir.Path());
  setenv("KALODRUS3_DATA", "saves/", 1);
  const std::string wanted = WantedDataFolder();
  const std::string made = ResolveDataFolder();
  unsetenv("KALODRUS3_DATA");
  fs::current_path(old);
  const std::string expected = fs::canonical(dir.Path()).string() + "/saves";
  EXPECT_EQ(wanted, expected);
  EXPECT_EQ(made, expected);
  EXPECT_TRUE(fs::is_directory(dir / "saves"));
  EXPECT_EQ(AbsolutePath("/abs/x.png"), "/abs/x.png");
  EXPECT_EQ(AbsolutePath(""), "");
}
