#include "data/FileSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>

#include "TestSupport.h"
#include "data/FileReader.h"

using namespace testsupport;

namespace {

std::string ReadText(FileSystem& fs, std::string_view name) {
  const FileData file = fs.Read(name);
  std::string text = AsText(file.data, file.size);
  fs.Release(file.data);
  return text;
}

class FileSystemTest : public ::testing::Test {
 protected:
  TempDir dir;
  FileSystem fs;
  std::string Content() const { return dir / "content"; }
};

TEST_F(FileSystemTest, MountsAFolderRecursivelyAndReadsFilesByBaseName) {
  WriteFile(dir / "content/gui/menu.xml", "<menu/>");
  WriteFile(dir / "content/levels/ep1/level_01_01.xml", "<level/>");
  fs.Mount(Content());
  EXPECT_EQ(ReadText(fs, "menu.xml"), "<menu/>");
  EXPECT_EQ(ReadText(fs, "level_01_01.xml"), "<level/>");
  const auto info = fs.Find("menu.xml");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->path, dir / "content/gui/menu.xml");
  EXPECT_EQ(info->key, "menu.xml");
  EXPECT_EQ(info->archive, 0);
}

TEST_F(FileSystemTest, SkipsNamesStartingWithADot) {
  WriteFile(dir / "content/.hidden.xml", "x");
  WriteFile(dir / "content/.svn/entries.xml", "x");
  WriteFile(dir / "content/a.xml", "a");
  fs.Mount(Content());
  EXPECT_FALSE(fs.Find(".hidden.xml"));
  EXPECT_FALSE(fs.Find("entries.xml"));
  EXPECT_TRUE(fs.Find("a.xml"));
  EXPECT_EQ(fs.EntryCount(), 1u);
}

TEST_F(FileSystemTest, SameBaseNameInTwoFoldersLeavesOnlyTheLaterOneReachable) {
  WriteFile(dir / "content/gui/a.xml", "gui");
  WriteFile(dir / "content/levels/a.xml", "levels");
  fs.Mount(Content());
  EXPECT_EQ(ReadText(fs, "a.xml"), "levels");
  EXPECT_EQ(fs.EntryCount(), 1u);
}

TEST_F(FileSystemTest, ArchiveEntryReplacesLooseFileOfTheSameMount) {
  WriteFile(dir / "content/x.png", "loose");
  ASSERT_TRUE(MakePak(dir / "content.pak", {{"images/x.png", "packed"}}));
  fs.Mount(Content());
  EXPECT_EQ(ReadText(fs, "x.png"), "packed");
  const auto info = fs.Find("x.png");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->archive, 1);
  EXPECT_EQ(info->path, "images/x.png");
}

TEST_F(FileSystemTest, LaterMountWinsAndEarlierFilesStayReachable) {
  WriteFile(dir / "locale/en/strings.xml", "en");
  WriteFile(dir / "locale/en/only_en.xml", "only en");
  WriteFile(dir / "locale/de/strings.xml", "de");
  fs.Mount(dir / "locale/en");
  fs.Mount(dir / "locale/de");
  EXPECT_EQ(ReadText(fs, "strings.xml"), "de");
  EXPECT_EQ(ReadText(fs, "only_en.xml"), "only en");
}

TEST_F(FileSystemTest, LaterArchiveMountWinsOverEarlierArchive) {
  ASSERT_TRUE(MakePak(dir / "locale/en.pak", {{"strings.xml", "en"}, {"fonts.xml", "f"}}));
  ASSERT_TRUE(MakePak(dir / "locale/ru.pak", {{"strings.xml", "ru"}}));
  fs.Mount(dir / "locale/en");
  fs.Mount(dir / "locale/ru");
  EXPECT_EQ(ReadText(fs, "strings.xml"), "ru");
  EXPECT_EQ(ReadText(fs, "fonts.xml"), "f");
  EXPECT_EQ(fs.Find("strings.xml")->archive, 2);
}

TEST_F(FileSystemTest, KeysAreCaseSensitiveAndAMissFallsBackToALooseFile) {
  WriteFile(dir / "content/strings.xml", "mounted");
  WriteFile(dir / "Strings.xml", "loose in the working folder");
  ScopedChdir cd(dir.Path());
  fs.Mount("content");
  EXPECT_EQ(ReadText(fs, "strings.xml"), "mounted");
  EXPECT_EQ(ReadText(fs, "Strings.xml"), "loose in the working folder");
  EXPECT_EQ(fs.Find("Strings.xml")->path, "Strings.xml");
}

TEST_F(FileSystemTest, MissingFileIsNoneAndStaysRegisteredAsLooseEntry) {
  const FileData file = fs.Read("nothing_here.xml");
  EXPECT_FALSE(file);
  EXPECT_EQ(file.size, 0u);
  const auto info = fs.Find("nothing_here.xml");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->archive, 0);
  EXPECT_FALSE(fs.Read(""));
}

TEST_F(FileSystemTest, MissingFolderAndArchiveAreSkipped) {
  fs.Mount(dir / "nope");
  fs.Mount("");
  EXPECT_EQ(fs.EntryCount(), 0u);
  EXPECT_EQ(fs.OpenArchiveCount(), 0u);
}

// Linked folders are followed, but each folder is scanned once: two links back to their own
// folder used to double the scans at every level until the depth limit (about 2^32 scans).
TEST_F(FileSystemTest, LinkedFoldersAreScannedOncePerMount) {
  WriteFile(dir / "content/a.xml", "a");
  WriteFile(dir / "content/sub/c.xml", "c");
  WriteFile(dir / "shared/deep/b.xml", "b");
  namespace fsys = std::filesystem;
  fsys::create_directory_symlink(".", dir / "content/self1");
  fsys::create_directory_symlink(".", dir / "content/self2");
  fsys::create_directory_symlink("..", dir / "content/sub/up");
  fsys::create_directory_symlink("../shared", dir / "content/linked");
  fsys::create_directory_symlink("../shared", dir / "content/linked_again");

  const auto start = std::chrono::steady_clock::now();
  fs.Mount(Content());
  // Only a guard against the old hang, far above the few milliseconds this takes.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  EXPECT_EQ(fs.EntryCount(), 3u);
  EXPECT_EQ(ReadText(fs, "a.xml"), "a");
  EXPECT_EQ(ReadText(fs, "c.xml"), "c");
  // The other folder is reached through the first of its links, in name order.
  EXPECT_EQ(ReadText(fs, "b.xml"), "b");
  ASSERT_TRUE(fs.Find("b.xml"));
  EXPECT_EQ(fs.Find("b.xml")->path, dir / "content/linked/deep/b.xml");
  EXPECT_EQ(fs.Find("a.xml")->path, dir / "content/a.xml");

  // A second mount scans again: the visited folders belong to one mount.
  FileSystem other;
  other.Mount(dir / "shared");
  other.Mount(Content());
  EXPECT_EQ(other.Find("b.xml")->path, dir / "content/linked/deep/b.xml");
}

TEST_F(FileSystemTest, ListMatchesFragmentsAnywhereSortedByPath) {
  WriteFile(dir / "content/sounds/b.ogg", "b");
  WriteFile(dir / "content/sounds/vo/a.ogg", "a");
  WriteFile(dir / "content/music/sounds/x.ogg", "x");
  WriteFile(dir / "content/sounds/readme.txt", "r");
  WriteFile(dir / "content/misc/sounds_y.ogg", "y");
  ASSERT_TRUE(MakePak(dir / "content.pak", {{"sounds/z.ogg", "z"}}));
  fs.Mount(Content());
  const auto listing = fs.List("sounds/", ".ogg");
  std::vector<std::string> paths;
  for (const FileInfo& f : listing) paths.push_back(f.path);
  const std::vector<std::string> expected = {dir / "content/music/sounds/x.ogg",
                                             dir / "content/sounds/b.ogg",
                                             dir / "content/sounds/vo/a.ogg", "sounds/z.ogg"};
  std::vector<std::string> sorted = expected;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(paths, sorted);
  EXPECT_EQ(listing.front().key, sorted.front().substr(sorted.front().rfind('/') + 1));
}

TEST_F(FileSystemTest, ReadingTwiceGivesTheSamePointerAndOneReleaseFreesIt) {
  WriteFile(dir / "content/a.xml", "loose");
  ASSERT_TRUE(MakePak(dir / "content.pak", {{"b.xml", "packed"}}));
  fs.Mount(Content());
  for (const char* name : {"a.xml", "b.xml"}) {
    const FileData first = fs.Read(name);
    const FileData second = fs.Read(name);
    ASSERT_TRUE(first);
    EXPECT_EQ(first.data, second.data);
    fs.Release(first.data);
    fs.Release(second.data);  // already released: ignored
    EXPECT_FALSE(ReadText(fs, name).empty());
  }
  int local = 0;
  fs.Release(&local);
  fs.Release(nullptr);
}

TEST_F(FileSystemTest, ArchiveContentIsFollowedByTwoZeroBytes) {
  ASSERT_TRUE(MakePak(dir / "content.pak", {{"a.txt", "abc"}, {"e.txt", ""}}));
  fs.Mount(Content());
  const FileData a = fs.Read("a.txt");
  ASSERT_TRUE(a);
  ASSERT_EQ(a.size, 3u);
  EXPECT_EQ(a.data[3], 0);
  EXPECT_EQ(a.data[4], 0);
  const FileData e = fs.Read("e.txt");
  ASSERT_TRUE(e);
  EXPECT_EQ(e.size, 0u);
  fs.Release(a.data);
  fs.Release(e.data);
}

TEST_F(FileSystemTest, EmptyLooseFilesHaveDistinctPointers) {
  WriteFile(dir / "content/e1.txt", "");
  WriteFile(dir / "content/e2.txt", "");
  fs.Mount(Content());
  const FileData a = fs.Read("e1.txt");
  const FileData b = fs.Read("e2.txt");
  ASSERT_TRUE(a);
  ASSERT_TRUE(b);
  EXPECT_NE(a.data, b.data);
  fs.Release(a.data);
  EXPECT_EQ(fs.Read("e2.txt").data, b.data);  // still cached
  fs.Release(b.data);
}

TEST_F(FileSystemTest, EncryptedPlainStoredAndDeflatedEntriesAllOpen) {
  const std::string big(5000, 'q');
  ASSERT_TRUE(MakePak(dir / "content.pak",
                      {{"enc_deflated.txt", big},
                       {"enc_stored.txt", "short"},
                       {"plain_deflated.txt", big + "p", {.encrypt = false}},
                       {"plain_stored.txt", "plain", {.encrypt = false, .compress = false}},
                       {"folder/", ""}}));
  fs.Mount(Content());
  EXPECT_EQ(ReadText(fs, "enc_deflated.txt"), big);
  EXPECT_EQ(ReadText(fs, "enc_stored.txt"), "short");
  EXPECT_EQ(ReadText(fs, "plain_deflated.txt"), big + "p");
  EXPECT_EQ(ReadText(fs, "plain_stored.txt"), "plain");
  EXPECT_EQ(fs.EntryCount(), 4u);  // the folder entry is skipped
}

// An archive written by another ZIP program (stored entry, encrypted under the game's
// password, with a trailing data descriptor, so the password check uses the entry's time).
TEST_F(FileSystemTest, ReadsEncryptedArchivesOfOtherZipWriters) {
  static const char kArchive[] =
      "\x50\x4b\x03\x04\x0a\x00\x09\x00\x00\x00\x83\x18\x22\x50\xd2\x57\x3d\xf9\x28\x00\x00\x00\x1c"
      "\x00"
      "\x00\x00\x06\x00\x00\x00\x68\x69\x2e\x74\x78\x74\x99\x1e\x19\x0c\xd8\x2a\xe1\x39\xc1\x11\x24"
      "\x87"
      "\x17\xad\x09\xb4\xd2\xae\x21\x68\x52\x9a\xeb\xcd\x82\x6f\xc1\xdb\x5c\xfa\x0b\xf0\x79\xfd\x04"
      "\xf7"
      "\x20\xed\x4d\x8e\x50\x4b\x07\x08\xd2\x57\x3d\xf9\x28\x00\x00\x00\x1c\x00\x00\x00\x50\x4b\x01"
      "\x02"
      "\x1e\x03\x0a\x00\x09\x00\x00\x00\x83\x18\x22\x50\xd2\x57\x3d\xf9\x28\x00\x00\x00\x1c\x00\x00"
      "\x00"
      "\x06\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\xa4\x81\x00\x00\x00\x00\x68\x69\x2e\x74\x78"
      "\x74"
      "\x50\x4b\x05\x06\x00\x00\x00\x00\x01\x00\x01\x00\x34\x00\x00\x00\x5c\x00\x00\x00\x00\x00";
  WriteFile(dir / "content.pak", std::string_view(kArchive, sizeof kArchive - 1));
  fs.Mount(Content());
  EXPECT_EQ(ReadText(fs, "hi.txt"), "hello from another zip tool\n");
}

TEST_F(FileSystemTest, WrongPasswordGivesNone) {
  ASSERT_TRUE(MakePak(dir / "content.pak",
                      {{"a.txt", std::string(3000, 'a'), {.password = "not the game's password"}},
                       {"b.txt", "bb", {.compress = false, .password = "wrong"}},
                       {"c.txt", "good"}}));
  fs.Mount(Content());
  EXPECT_FALSE(fs.Read("a.txt"));
  EXPECT_FALSE(fs.Read("b.txt"));
  EXPECT_EQ(ReadText(fs, "c.txt"), "good");
}

TEST_F(FileSystemTest, EntriesAboveTheSizeLimitAreRefused) {
  ASSERT_TRUE(MakePak(dir / "content.pak",
                      {{"small.txt", std::string(50, 's')}, {"large.txt", std::string(200, 'l')}}));
  fs.SetMaxEntrySize(100);
  fs.Mount(Content());
  EXPECT_EQ(ReadText(fs, "small.txt").size(), 50u);
  EXPECT_FALSE(fs.Read("large.txt"));
}

TEST_F(FileSystemTest, FileReaderReadsSeeksAndTells) {
  WriteFile(dir / "content/data.bin", "0123456789");
  fs.Mount(Content());
  FileReader reader;
  ASSERT_TRUE(reader.Open(fs, "data.bin"));
  EXPECT_EQ(reader.Name(), "data.bin");
  char buf[16] = {};
  EXPECT_EQ(reader.Read(buf, 4), 4u);
  EXPECT_EQ(std::string(buf, 4), "0123");
  EXPECT_EQ(reader.Tell(), 4);
  EXPECT_EQ(reader.Seek(3, 1), 0);
  EXPECT_EQ(reader.Tell(), 7);
  EXPECT_EQ(reader.Read(buf, 16), 3u);
  EXPECT_EQ(std::string(buf, 3), "789");
  EXPECT_EQ(reader.Read(buf, 16), 0u);
  EXPECT_EQ(reader.Seek(0, 2), 0);
  EXPECT_EQ(reader.Tell(), 10);
  EXPECT_EQ(reader.Seek(-4, 2), 0);
  EXPECT_EQ(reader.Tell(), 6);
  EXPECT_EQ(reader.Seek(100, 0), 0);
  EXPECT_EQ(reader.Tell(), 10);
  EXPECT_EQ(reader.Seek(-100, 1), 0);
  EXPECT_EQ(reader.Tell(), 0);
  EXPECT_EQ(reader.Seek(INT64_MAX, 1), 0);
  EXPECT_EQ(reader.Tell(), 10);
  EXPECT_EQ(reader.Seek(INT64_MIN, 2), 0);
  EXPECT_EQ(reader.Tell(), 0);
  EXPECT_EQ(reader.Seek(0, 7), -1);
  reader.Close();
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_EQ(reader.Read(buf, 4), 0u);
}

TEST_F(FileSystemTest, FileReaderOnMissingFileReadsNothing) {
  FileReader reader;
  EXPECT_FALSE(reader.Open(fs, "missing.ogg"));
  char buf[4];
  EXPECT_EQ(reader.Read(buf, 4), 0u);
  EXPECT_EQ(reader.Seek(0, 2), 0);
  EXPECT_EQ(reader.Tell(), 0);
}

TEST_F(FileSystemTest, FileReaderReleasesOnCloseAndMove) {
  ASSERT_TRUE(MakePak(dir / "content.pak", {{"m.ogg", "music"}}));
  fs.Mount(Content());
  FileReader a;
  ASSERT_TRUE(a.Open(fs, "m.ogg"));
  FileReader b = std::move(a);
  EXPECT_FALSE(a.IsOpen());
  ASSERT_TRUE(b.IsOpen());
  char buf[8] = {};
  EXPECT_EQ(b.Read(buf, 8), 5u);
  EXPECT_EQ(std::string(buf, 5), "music");
}

TEST_F(FileSystemTest, ReloadLoadsAgainAndUnknownKeyIsNone) {
  WriteFile(dir / "content/a.txt", "first");
  fs.Mount(Content());
  EXPECT_EQ(ReadText(fs, "a.txt"), "first");
  const FileData held = fs.Read("a.txt");
  WriteFile(dir / "content/a.txt", "second!");
  const FileData again = fs.Reload("a.txt");
  EXPECT_EQ(AsText(again.data, again.size), "second!");
  fs.Release(again.data);
  (void)held;  // freed by the reload
  EXPECT_FALSE(fs.Reload("unknown.txt"));
}

TEST_F(FileSystemTest, PathWithFolderPartDoesNotClobberTheKeyOfItsBaseName) {
  ASSERT_TRUE(MakePak(dir / "content.pak", {{"strings.xml", "from the archive"}}));
  WriteFile(dir / "foo/strings.xml", "loose");
  fs.Mount(Content());
  const FileData packed = fs.Read("strings.xml");
  EXPECT_EQ(ReadText(fs, dir / "foo/strings.xml"), "loose");
  EXPECT_EQ(ReadText(fs, dir / "foo/strings.xml"), "loose");
  const FileData again = fs.Read("strings.xml");
  EXPECT_EQ(again.data, packed.data);  // still cached, not dropped
  EXPECT_EQ(AsText(again.data, again.size), "from the archive");
  EXPECT_EQ(fs.Find("strings.xml")->archive, 1);
  fs.Release(packed.data);
}

TEST_F(FileSystemTest, PathWithFolderPartAndUnknownBaseNameRegistersTheBaseName) {
  WriteFile(dir / "foo/level.txt", "lvl");
  EXPECT_EQ(ReadText(fs, dir / "foo/level.txt"), "lvl");
  EXPECT_EQ(ReadText(fs, "level.txt"), "lvl");
  EXPECT_EQ(ReadText(fs, dir / "foo/level.txt"), "lvl");
  EXPECT_EQ(fs.EntryCount(), 1u);
}

TEST_F(FileSystemTest, RemountKeepsContentStillHeldAliveUntilReleased) {
  WriteFile(dir / "old/a.txt", "old content");
  ASSERT_TRUE(MakePak(dir / "new.pak", {{"a.txt", "new content"}}));
  fs.Mount(dir / "old");
  const FileData held = fs.Read("a.txt");
  fs.Mount(dir / "new");
  EXPECT_EQ(AsText(held.data, held.size), "old content");
  const FileData fresh = fs.Read("a.txt");
  EXPECT_NE(fresh.data, held.data);
  EXPECT_EQ(AsText(fresh.data, fresh.size), "new content");
  fs.Release(held.data);
  fs.Release(fresh.data);
}

TEST_F(FileSystemTest, ArchivesNoLongerReferencedAreClosed) {
  ASSERT_TRUE(MakePak(dir / "locale/de.pak", {{"strings.xml", "de"}, {"story.xml", "s"}}));
  for (int i = 0; i < 50; ++i) fs.Mount(dir / "locale/de");
  EXPECT_EQ(fs.OpenArchiveCount(), 1u);
  EXPECT_EQ(ReadText(fs, "story.xml"), "s");
  // An archive whose every entry repeats one base name stays open while it serves it.
  ASSERT_TRUE(MakePak(dir / "dup.pak", {{"a/x.txt", "1"}, {"b/x.txt", "2"}}));
  fs.Mount(dir / "dup");
  EXPECT_EQ(ReadText(fs, "x.txt"), "2");
}

TEST_F(FileSystemTest, EmptyArchiveRegistersNothing) {
  ASSERT_TRUE(MakePak(dir / "content.pak", {}));
  fs.Mount(Content());
  EXPECT_EQ(fs.EntryCount(), 0u);
  EXPECT_EQ(fs.OpenArchiveCount(), 0u);
}

}  // namespace
