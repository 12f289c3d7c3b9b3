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
const std::string kVersion = KALODRUS_VERSION;

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

// The text of a gzip file, empty when gzip cannot read it.
std::string Gunzip(const std::string& path) {
  TempDir out;
  Shell("gzip -dc " + Quote(path) + " > " + Quote(out / "text") + " 2> /dev/null");
  return ReadText(out / "text");
}

// The value of the first "Key: value" line of a text that starts a line with key.
std::string Field(const std::string& text, const std::string& key, size_t from = 0) {
  for (size_t at = text.find(key + ": ", from); at != std::string::npos;
       at = text.find(key + ": ", at + 1)) {
    if (at != 0 && text[at - 1] != '\n') continue;
    const size_t start = at + key.size() + 2;
    return text.substr(start, text.find('\n', start) - start);
  }
  return {};
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
              " SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null " + Quote(usr + "/games/kalodrus3") +
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
  // Where Debian keeps its games: the program in games/, its data in share/games/.
  EXPECT_TRUE(fs::is_regular_file(Usr() + "/games/kalodrus3"));
  EXPECT_FALSE(fs::exists(Usr() + "/bin"));
  EXPECT_FALSE(fs::exists(share + "/kalodrus3"));
  for (const char* pak : {"content.pak", "music.pak", "content_hd.pak", "locale/en.pak",
                          "locale/de.pak", "locale/ru.pak", "locale/pl.pak"}) {
    EXPECT_TRUE(fs::is_regular_file(share + "/games/kalodrus3/" + pak)) << pak;
  }
  // Only archives: no loose content folder beside them.
  EXPECT_FALSE(fs::exists(share + "/games/kalodrus3/content"));
  EXPECT_FALSE(fs::exists(share + "/games/kalodrus3/music"));
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
  // The menu entry starts the installed program by its full path below the prefix.
  const std::string entry = ReadText(desktop);
  const size_t exec = entry.find("\nExec=");
  ASSERT_NE(exec, std::string::npos);
  EXPECT_EQ(entry.substr(exec + 6, entry.find('\n', exec + 1) - exec - 6), "/usr/games/kalodrus3");
  EXPECT_EQ(Shell("appstreamcli validate --no-net " + Quote(metainfo) + " > /dev/null"), 0);
  // Every screenshot the metainfo names is installed beside the content.
  const std::string text = ReadText(metainfo);
  size_t shots = 0;
  for (size_t at = text.find("/screenshots/"); at != std::string::npos;
       at = text.find("/screenshots/", at + 1)) {
    const std::string name = text.substr(at + 13, text.find('<', at) - at - 13);
    EXPECT_GE(PngSize(share + "/games/kalodrus3/screenshots/" + name).first, 620) << name;
    ++shots;
  }
  EXPECT_GE(shots, 1u);
}

// The manual page and the changelog compressed as Debian wants them (gzip -9n: best compression,
// no file name, no time stamp), the copyright in Debian's machine-readable format.
TEST_F(InstallTest, InstallsTheManualPageChangelogAndCopyright) {
  const std::string man = Usr() + "/share/man/man6/kalodrus3.6.gz";
  const std::string changelog = Usr() + "/share/doc/kalodrus3/changelog.gz";
  for (const std::string& gz : {man, changelog}) {
    const std::string b = ReadText(gz);
    ASSERT_GE(b.size(), 18u) << gz;
    EXPECT_EQ(b.substr(0, 3), std::string("\x1f\x8b\x08")) << gz;
    EXPECT_EQ(b[3] & 0x08, 0) << gz << ": holds a file name";
    EXPECT_EQ(b.substr(4, 4), std::string(4, '\0')) << gz << ": holds a time stamp";
    EXPECT_EQ(b[8], 2) << gz << ": not compressed with -9";
  }
  const std::string page = Gunzip(man);
  EXPECT_EQ(page.rfind(".TH KALODRUS3 6 ", 0), 0u) << page.substr(0, 80);
  EXPECT_NE(page.find("\\-\\-frames"), std::string::npos);
  EXPECT_EQ(Gunzip(changelog).rfind("kalodrus3 (" + kVersion + ") ", 0), 0u);

  // The licence of the game's own files is the one the metainfo names.
  const std::string copyright = ReadText(Usr() + "/share/doc/kalodrus3/copyright");
  EXPECT_EQ(Field(copyright, "Format"),
            "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/");
  const size_t own = copyright.find("\nFiles: *\n");
  ASSERT_NE(own, std::string::npos);
  const std::string metainfo = ReadText(Usr() + "/share/metainfo/" + kAppId + ".metainfo.xml");
  const size_t licence = metainfo.find("<project_license>");
  ASSERT_NE(licence, std::string::npos);
  EXPECT_EQ(Field(copyright, "License", own),
            metainfo.substr(licence + 17, metainfo.find('<', licence + 1) - licence - 17));
  // Every licence named has its text in a paragraph of its own.
  for (size_t at = copyright.find("\nLicense: "); at != std::string::npos;
       at = copyright.find("\nLicense: ", at + 1)) {
    const std::string name = Field(copyright, "License", at + 1);
    EXPECT_NE(copyright.find("\n\nLicense: " + name + "\n "), std::string::npos) << name;
  }
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
  const std::string content = copy / "usr/share/games/kalodrus3";
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
  EXPECT_NE(run.errors.find("share/games/kalodrus3"), std::string::npos) << run.errors;
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
