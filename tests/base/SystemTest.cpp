#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/Directory.h"
#include "base/SingleInstance.h"
#include "base/System.h"
#include "base/Text.h"
#include "support/TempDir.h"

#include <fstream>
#include <set>

using namespace base;

TEST(System, LanguageOfLocaleNames) {
  EXPECT_EQ(LanguageOfLocale("de_DE.UTF-8"), "de");
  EXPECT_EQ(LanguageOfLocale("PL"), "pl");
  EXPECT_EQ(LanguageOfLocale("ru-RU"), "ru");
  EXPECT_EQ(LanguageOfLocale("C"), "");
  EXPECT_EQ(LanguageOfLocale("POSIX"), "");
  EXPECT_EQ(LanguageOfLocale(""), "");
}

TEST(System, VersionTextIsShortWithDots) {
  const std::string& v = VersionText();
  EXPECT_LE(v.size(), 7u);
  EXPECT_EQ(v.find(','), std::string::npos);
}

TEST(System, TextConversionAtTheSystemBoundary) {
  EXPECT_EQ(Utf8ToUtf16("Zaż\xC3\xB3\xC5\x82\xC4\x87 \xF0\x9F\x98\x80"),
            u"Zaż\u00F3\u0142\u0107 \U0001F600");
  EXPECT_EQ(Utf16ToUtf8(u"\u0416\U0001F600"), "\xD0\x96\xF0\x9F\x98\x80");
  // Broken sequences become replacement characters, one per bad byte, never reading past the end.
  EXPECT_EQ(Utf8ToUtf16("a\xE2\x82"), u"a\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(System, DirectoryEnumerationByPrefix) {
  TempDir folder;
  std::ofstream(folder.Path() + "/music_a.ogg") << "x";
  std::ofstream(folder.Path() + "/music_b.ogg") << "x";
  std::ofstream(folder.Path() + "/other.txt") << "x";
  std::filesystem::create_directory(folder.Path() + "/music_dir");

  FindHandle* h = FindFirst(folder.Path() + "/music");
  ASSERT_NE(h, nullptr);
  std::set<std::string> files, folders;
  FindEntry e;
  while (FindNext(h, e)) (e.isFolder ? folders : files).insert(e.name);
  FindClose(h);
  EXPECT_EQ(files, (std::set<std::string>{"music_a.ogg", "music_b.ogg"}));
  EXPECT_EQ(folders, (std::set<std::string>{"music_dir"}));
  EXPECT_EQ(FindFirst(folder.Path() + "/missing/x"), nullptr);
  EXPECT_FALSE(FindNext(nullptr, e));
}

TEST(System, MappedFilesShowTheWholeContent) {
  TempDir folder;
  std::ofstream(folder.Path() + "/f.bin", std::ios::binary) << "hello";
  std::ofstream(folder.Path() + "/empty.bin", std::ios::binary);
  FileView view;
  ASSERT_TRUE(MapFile(folder.Path() + "/f.bin", view));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(view.base), view.size), "hello");
  UnmapFile(view);
  EXPECT_EQ(view.base, nullptr);
  ASSERT_TRUE(MapFile(folder.Path() + "/empty.bin", view));
  EXPECT_EQ(view.size, 0u);
  UnmapFile(view);
  EXPECT_FALSE(MapFile(folder.Path() + "/none.bin", view));
  EXPECT_FALSE(MapFile(folder.Path(), view));  // a folder is not a file
  // A named pipe is refused at once instead of waiting for a writer.
  ASSERT_EQ(mkfifo((folder.Path() + "/pipe").c_str(), 0644), 0);
  EXPECT_FALSE(MapFile(folder.Path() + "/pipe", view));
}

TEST(System, SecondHolderOfTheInstanceLockIsRefused) {
  TempDir folder;
  SingleInstance first;
  ASSERT_TRUE(first.Acquire(folder.Path()));
  // flock locks belong to open files, so another process sees the lock as held.
  const pid_t child = fork();
  if (child == 0) {
    SingleInstance second;
    _exit(second.Acquire(folder.Path()) ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}
