#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kAppId = KALODRUS_APP_ID;

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs a shell command; its exit code, or -1 when it did not exit normally.
int Shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Width and height from a PNG's header; 0 × 0 when it is no PNG.
std::pair<int, int> PngSize(const std::string& path) {
  const std::string b = ReadText(path);
  if (b.size() < 24 || b.compare(1, 3, "PNG") != 0) return {0, 0};
  const auto be32 = [&b](size_t at) {
    return int(uint8_t(b[at])) << 24 | int(uint8_t(b[at + 1])) << 16 |
           int(uint8_t(b[at + 2])) << 8 | int(uint8_t(b[at + 3]));
  };
  return {be32(16), be32(20)};
}

// Every file below a folder with its size and modification time: what a run may not change.
std::map<std::string, std::pair<uintmax_t, int64_t>> Snapshot(const std::string& folder) {
  std::map<std::string, std::pair<uintmax_t, int64_t>> files;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    struct stat st {};
    if (lstat(e.path().c_str(), &st) != 0) continue;
    files[e.path().string()] = {e.is_regular_file() ? uintmax_t(st.st_size) : 0,
                                int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
  }
  return files;
}

struct GameRun {
  int exitCode = -1;
  std::string errors;  // what the game wrote to standard error
};

// Installs the game once into a temporary DESTDIR below the prefix /usr.
class InstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    stage_ = new TempDir;
    installLog_ = stage_->Path() + ".log";
    installCode_ =
        Shell("DESTDIR=" + Quote(stage_->Path()) + " " + KALODRUS_CMAKE_COMMAND + " --install " +
              Quote(KALODRUS_BUILD_DIR) + " --prefix /usr > " + Quote(installLog_) + " 2>&1");
  }
  static void TearDownTestSuite() {
    fs::remove(installLog_);
    delete stage_;
    stage_ = nullptr;
  }
  void SetUp() override { ASSERT_EQ(installCode_, 0) << ReadText(installLog_); }

  static std::string Usr() { return stage_->Path() + "/usr"; }

  // Runs the program of an installed tree headless for 60 frames from another folder, with
  // its per-user data in `data`.
  static GameRun Play(const std::string& usr, const std::string& data, const std::string& cwd) {
    const std::string errors = cwd + "/stderr.txt";
    GameRun run;
    run.exitCode =
        Shell("cd " + Quote(cwd) + " && KALODRUS3_DATA=" + Quote(data) +
              " SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null " + Quote(usr + "/bin/kalodrus3") +
              " /wn /4x3 --frames 60 --fixed-step 16 --screenshot shot.png 2> " + Quote(errors));
    run.errors = ReadText(errors);
    return run;
  }

  static TempDir* stage_;
  static std::string installLog_;
  static int installCode_;
};

TempDir* InstallTest::stage_ = nullptr;
std::string InstallTest::installLog_;
int InstallTest::installCode_ = -1;

}  // namespace

TEST_F(InstallTest, InstallsTheProgramPackedContentMenuEntryIconAndMetainfo) {
  const std::string share = Usr() + "/share";
  EXPECT_TRUE(fs::is_regular_file(Usr() + "/bin/kalodrus3"));
  for (const char* pak : {"content.pak", "music.pak", "content_hd.pak", "locale/en.pak",
                          "locale/de.pak", "locale/ru.pak", "locale/pl.pak"}) {
    EXPECT_TRUE(fs::is_regular_file(share + "/kalodrus3/" + pak)) << pak;
  }
  // Only archives: no loose content folder beside them.
  EXPECT_FALSE(fs::exists(share + "/kalodrus3/content"));
  EXPECT_FALSE(fs::exists(share + "/kalodrus3/music"));
  EXPECT_TRUE(fs::is_regular_file(share + "/icons/hicolor/scalable/apps/" + kAppId + ".svg"));
  for (const int size : {48, 64, 128, 256}) {
    const std::string n = std::to_string(size);
    const auto [w, h] =
        PngSize(share + "/icons/hicolor/" + n + "x" + n + "/apps/" + kAppId + ".png");
    EXPECT_EQ(w, size);
    EXPECT_EQ(h, size);
  }
  const std::string desktop = share + "/applications/" + kAppId + ".desktop";
  const std::string metainfo = share + "/metainfo/" + kAppId + ".metainfo.xml";
  EXPECT_EQ(Shell("desktop-file-validate " + Quote(desktop)), 0);
  EXPECT_EQ(Shell("appstreamcli validate --no-net " + Quote(metainfo) + " > /dev/null"), 0);
  // Every screenshot the metainfo names is installed beside the content.
  const std::string text = ReadText(metainfo);
  size_t shots = 0;
  for (size_t at = text.find("/screenshots/"); at != std::string::npos;
       at = text.find("/screenshots/", at + 1)) {
    const std::string name = text.substr(at + 13, text.find('<', at) - at - 13);
    EXPECT_GE(PngSize(share + "/kalodrus3/screenshots/" + name).first, 620) << name;
    ++shots;
  }
  EXPECT_GE(shots, 1u);
}

TEST_F(InstallTest, TheInstalledProgramRunsFromAnotherFolderAndNeverWritesIntoTheInstall) {
  TempDir cwd, data;
  const auto before = Snapshot(Usr());
  // A read-only installation (root ignores the rights; the snapshot catches writes anyway).
  Shell("chmod -R a-w " + Quote(Usr()));
  const GameRun run = Play(Usr(), data.Path(), cwd.Path());
  Shell("chmod -R u+w " + Quote(Usr()));
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_GT(PngSize(cwd / "shot.png").first, 0);
  EXPECT_TRUE(fs::is_regular_file(data / "Settings.sav"));
  EXPECT_EQ(Snapshot(Usr()), before);
}

TEST_F(InstallTest, DamagedArchivesStartWhatTheyCanOrSayWhyNot) {
  TempDir copy, cwd, data;
  fs::copy(Usr(), copy / "usr", fs::copy_options::recursive);
  const std::string content = copy / "usr/share/kalodrus3";
  // Music cut short: the game plays without it.
  fs::resize_file(content + "/music.pak", fs::file_size(content + "/music.pak") / 3);
  GameRun run = Play(copy / "usr", data.Path(), cwd.Path());
  EXPECT_EQ(run.exitCode, 0) << run.errors;

  // The English texts overwritten with noise: the game cannot load and says so.
  std::ofstream(content + "/locale/en.pak", std::ios::binary | std::ios::trunc)
      << std::string(4096, '\x5a');
  run = Play(copy / "usr", data.Path(), cwd.Path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errors.find("could not be loaded"), std::string::npos) << run.errors;

  // No content at all: it names the folders it looked in.
  fs::remove(content + "/content.pak");
  run = Play(copy / "usr", data.Path(), cwd.Path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errors.find("content was not found"), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find("share/kalodrus3"), std::string::npos) << run.errors;
}

TEST_F(InstallTest, ADataFolderBlockedByAFileIsReportedAndTheGameStillRuns) {
  TempDir cwd, base;
  const std::string blocker = base / "Kalodrus3";
  std::ofstream(blocker) << "not a folder";
  const GameRun run = Play(Usr(), blocker, cwd.Path());
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(run.errors.find("cannot create the data folder " + blocker), std::string::npos)
      << run.errors;
  EXPECT_EQ(ReadText(blocker), "not a folder");
}
