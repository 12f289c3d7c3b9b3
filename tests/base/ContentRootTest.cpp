#include "base/ContentRoot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/TempDir.h"

using namespace base;
namespace fs = std::filesystem;

namespace {

void Touch(const std::string& path) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path) << "x";
}

}  // namespace

TEST(ContentRoot, AFolderHoldsContentThroughAContentFolderOrArchiveOnly) {
  TempDir dir;
  Touch(dir / "music.pak");
  Touch(dir / "content");  // a file named like the folder is not content
  EXPECT_FALSE(HoldsContent(dir.Path()));
  EXPECT_FALSE(HoldsContent(""));
  Touch(dir / "content.pak");
  EXPECT_TRUE(HoldsContent(dir.Path() + "/"));
  fs::remove(dir / "content.pak");
  fs::remove(dir / "content");
  fs::create_directory(dir / "content");
  EXPECT_TRUE(HoldsContent(dir.Path()));
}

TEST(ContentRoot, CandidatesAreTheProgramFolderThenTheRelativeThenTheAbsoluteDataFolder) {
  EXPECT_EQ(ContentCandidates("/opt/p/bin", "../share/kalodrus3", "/usr/share/kalodrus3/"),
            (std::vector<std::string>{"/opt/p/bin", "/opt/p/bin/../share/kalodrus3",
                                      "/usr/share/kalodrus3"}));
  // An absolute relative part stands for itself, duplicates and unknowns are left out.
  EXPECT_EQ(ContentCandidates("/usr/bin", "/usr/share/k", "/usr/share/k"),
            (std::vector<std::string>{"/usr/bin", "/usr/share/k"}));
  EXPECT_EQ(ContentCandidates("", "../share/k", "/usr/share/k"),
            (std::vector<std::string>{"/usr/share/k"}));
}

TEST(ContentRoot, TheGameFolderBesideTheProgramWinsOverTheInstalledContent) {
  TempDir dir;
  const std::string bin = dir / "usr/bin";
  const std::string data = dir / "usr/share/kalodrus3";
  fs::create_directories(bin);
  Touch(data + "/content.pak");
  const auto candidates = ContentCandidates(bin, "../share/kalodrus3", "/nonexistent/k3");
  EXPECT_EQ(FindContentRoot(candidates), bin + "/../share/kalodrus3");
  fs::create_directory(bin + "/content");
  EXPECT_EQ(FindContentRoot(candidates), bin);
  EXPECT_EQ(FindContentRoot({"/nonexistent/a", "/nonexistent/b"}), "");
}

TEST(ContentRoot, TheProgramFolderIsTheFolderOfThisExecutable) {
  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(fs::exists(fs::path(folder) / "platform_tests"));
}
