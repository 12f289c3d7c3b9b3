// The music streamer reads files on its own thread while the main thread mounts, reads and
// lists. Run under a thread sanitizer this must be clean; under any build every pointer
// handed out must stay valid and hold the right bytes until it is released.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "TestSupport.h"
#include "data/FileReader.h"
#include "data/FileSystem.h"

using namespace testsupport;

namespace {

TEST(FileSystemThreads, StreamerReadsWhileMainThreadRegistersAndRemounts) {
  TempDir dir;
  const std::string track(40000, 'm');
  ASSERT_TRUE(MakePak(dir / "music.pak", {{"main_menu.ogg", track}, {"level.ogg", track + "L"}}));
  ASSERT_TRUE(MakePak(dir / "locale/de.pak", {{"strings.xml", "<StringTable/>"}}));
  WriteFile(dir / "content/gui/menu.xml", "<menu/>");

  FileSystem fs;
  fs.Mount(dir / "content");
  fs.Mount(dir / "music");

  std::atomic<bool> stop{false};
  std::atomic<int> bad{0};
  std::thread streamer([&] {
    for (int i = 0; i < 400 && !stop; ++i) {
      FileReader reader;
      const char* name = i % 2 ? "main_menu.ogg" : "level.ogg";
      if (!reader.Open(fs, name)) {
        ++bad;
        continue;
      }
      std::string bytes(size_t(reader.Size()), '\0');
      reader.Seek(0, 0);
      if (reader.Read(bytes.data(), bytes.size()) != bytes.size()) ++bad;
      if (bytes.compare(0, track.size(), track) != 0) ++bad;
      if (!fs.Find(name)) ++bad;
    }
  });

  for (int i = 0; i < 300; ++i) {
    fs.Read("missing_" + std::to_string(i) + ".png");  // registers a new entry each time
    const FileData menu = fs.Read("menu.xml");
    if (AsText(menu.data, menu.size) != "<menu/>") ++bad;
    fs.Release(menu.data);
    if (i % 20 == 0) {
      fs.Mount(dir / "locale/de");
      fs.Mount(dir / "music");  // re-registers the tracks the streamer may hold
    }
    (void)fs.List("", ".ogg");
  }
  streamer.join();
  EXPECT_EQ(bad.load(), 0);
  EXPECT_GE(fs.EntryCount(), 300u);
}

}  // namespace
