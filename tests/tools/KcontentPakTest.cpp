// kcontent pak: what it writes is what the game's file system reads back.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "data/FileSystem.h"
#include "data/TestSupport.h"

using namespace testsupport;

namespace {

int RunTool(const std::string& args) {
  const std::string command = std::string("'" KCONTENT_EXE "' ") + args + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Quote(const std::string& s) { return "'" + s + "'"; }

void MakeSourceFolder(const TempDir& dir) {
  WriteFile(dir / "src/gui/menu.xml", "<menu/>");
  WriteFile(dir / "src/levels/ep1/level_01_01.xml", std::string(20000, 'L'));
  WriteFile(dir / "src/empty.txt", "");
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += char((i * 7919) & 0xFF);
  WriteFile(dir / "src/sounds/click.ogg", binary);
  WriteFile(dir / "src/.gitkeep", "");
  WriteFile(dir / "src/.svn/entries", "x");
}

TEST(KcontentPak, ArchiveReadsBackThroughTheFileSystem) {
  TempDir dir;
  MakeSourceFolder(dir);
  ASSERT_EQ(RunTool("pak " + Quote(dir / "src") + " " + Quote(dir / "game/content.pak")), 0);

  FileSystem fs;
  fs.Mount(dir / "game/content");
  EXPECT_EQ(fs.EntryCount(), 4u);
  const auto check = [&](const char* key, const std::string& path, const std::string& bytes) {
    const auto info = fs.Find(key);
    ASSERT_TRUE(info) << key;
    EXPECT_EQ(info->path, path);
    EXPECT_EQ(info->archive, 1);
    const FileData file = fs.Read(key);
    ASSERT_TRUE(file) << key;
    EXPECT_EQ(AsText(file.data, file.size), bytes) << key;
    fs.Release(file.data);
  };
  check("menu.xml", "gui/menu.xml", "<menu/>");
  check("level_01_01.xml", "levels/ep1/level_01_01.xml", std::string(20000, 'L'));
  check("empty.txt", "empty.txt", "");
  check("click.ogg", "sounds/click.ogg",
        AsText(ReadBytes(dir / "src/sounds/click.ogg").data(),
               ReadBytes(dir / "src/sounds/click.ogg").size()));
  EXPECT_FALSE(fs.Find(".gitkeep"));
  EXPECT_FALSE(fs.Find("entries"));
  EXPECT_FALSE(std::filesystem::exists(dir / "game/content.pak.tmp"));
}

TEST(KcontentPak, OutputIsSortedEncryptedAndReproducible) {
  TempDir dir;
  MakeSourceFolder(dir);
  ASSERT_EQ(RunTool("pak " + Quote(dir / "src") + " " + Quote(dir / "a.pak")), 0);
  // Other timestamps, same bytes.
  std::filesystem::last_write_time(
      dir / "src/gui/menu.xml",
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(1000));
  ASSERT_EQ(RunTool("pak " + Quote(dir / "src") + " " + Quote(dir / "b.pak")), 0);
  const Bytes a = ReadBytes(dir / "a.pak");
  EXPECT_EQ(a, ReadBytes(dir / "b.pak"));

  const ZipLayout layout = ParseZip(a);
  std::vector<std::string> names;
  for (const ZipRecord& r : layout.records) {
    names.push_back(r.name);
    EXPECT_EQ(Get16(a, r.central + 8) & 1, 1u) << r.name;        // encrypted
    EXPECT_EQ(Get32(a, r.central + 12), 0x00210000u) << r.name;  // 1980-01-01 00:00
  }
  EXPECT_EQ(names, (std::vector<std::string>{"empty.txt", "gui/menu.xml",
                                             "levels/ep1/level_01_01.xml", "sounds/click.ogg"}));
}

TEST(KcontentPak, EmptyFolderGivesAnEmptyArchive) {
  TempDir dir;
  std::filesystem::create_directories(dir / "empty");
  ASSERT_EQ(RunTool("pak " + Quote(dir / "empty") + " " + Quote(dir / "e.pak")), 0);
  FileSystem fs;
  fs.Mount(dir / "e");
  EXPECT_EQ(fs.EntryCount(), 0u);
}

TEST(KcontentPak, FailuresLeaveNoOutput) {
  TempDir dir;
  EXPECT_EQ(RunTool("pak " + Quote(dir / "missing") + " " + Quote(dir / "x.pak")), 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.pak"));
  MakeSourceFolder(dir);
  WriteFile(dir / "file.txt", "in the way");
  EXPECT_EQ(RunTool("pak " + Quote(dir / "src") + " " + Quote(dir / "file.txt/x.pak")), 1);
  std::filesystem::create_directories(dir / "folder.pak");
  EXPECT_EQ(RunTool("pak " + Quote(dir / "src") + " " + Quote(dir / "folder.pak")), 1);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.pak"));
  EXPECT_FALSE(std::filesystem::exists(dir / "folder.pak.tmp"));
  EXPECT_EQ(RunTool("pak " + Quote(dir / "src")), 2);
  EXPECT_EQ(RunTool("frobnicate"), 2);
  EXPECT_EQ(RunTool(""), 2);
  EXPECT_EQ(RunTool("help"), 0);

  // A failed run keeps the archive that was there.
  WriteFile(dir / "keep.pak", "old");
  std::string error;
  EXPECT_FALSE(PakWriter::PackFolder(dir / "missing", dir / "keep.pak", error));
  EXPECT_FALSE(error.empty());
  const Bytes kept = ReadBytes(dir / "keep.pak");
  EXPECT_EQ(AsText(kept.data(), kept.size()), "old");
}

}  // namespace
