// Damaged and hostile archives: the file system reads every entry either exactly as packed
// or as missing, never anything else, and never touches memory it does not own (the tests
// run under AddressSanitizer in CI).
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "TestSupport.h"
#include "data/FileSystem.h"

using namespace testsupport;

namespace {

const std::vector<PakFile>& SampleFiles() {
  static const std::vector<PakFile> files = [] {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "<String name=\"key_" + std::to_string(i) + "\"/>\n";
    std::string noise;
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) noise += char(rng());
    return std::vector<PakFile>{
        {"gui/strings.xml", text},
        {"noise.bin", noise},
        {"short.txt", "abc"},
        {"empty.txt", ""},
        {"plain.txt", text.substr(0, 500), {.encrypt = false}},
        {"plain_stored.bin", noise.substr(0, 100), {.encrypt = false, .compress = false}},
    };
  }();
  return files;
}

Bytes SampleArchive(const TempDir& dir) {
  EXPECT_TRUE(MakePak(dir / "sample.pak", SampleFiles()));
  return ReadBytes(dir / "sample.pak");
}

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// Mounts the archive bytes and checks that every entry reads back exactly or as missing.
// Returns how many entries read back intact.
int MountAndCheck(const TempDir& dir, const Bytes& archive, uint64_t maxEntry = 0) {
  WriteBytes(dir / "m.pak", archive);
  FileSystem fs;
  if (maxEntry) fs.SetMaxEntrySize(maxEntry);
  fs.Mount(dir / "m");
  int intact = 0;
  for (const PakFile& f : SampleFiles()) {
    const FileData file = fs.Read(BaseName(f.name));
    if (file) {
      EXPECT_EQ(AsText(file.data, file.size), f.content) << f.name;
      ++intact;
    }
    fs.Release(file.data);
  }
  // Whatever else the damaged directory named is read too.
  for (const FileInfo& info : fs.List("", "")) {
    const FileData file = fs.Read(info.key);
    if (file) {
      volatile uint8_t sum = 0;
      for (size_t i = 0; i < file.size + 2 && info.archive; ++i) sum = sum + file.data[i];
    }
    fs.Release(file.data);
  }
  return intact;
}

TEST(ArchiveFuzz, IntactArchiveReadsEveryEntry) {
  TempDir dir;
  EXPECT_EQ(MountAndCheck(dir, SampleArchive(dir)), int(SampleFiles().size()));
}

TEST(ArchiveFuzz, DeclaredSizeOfFourGigabytesIsRefused) {
  TempDir dir;
  Bytes zip = SampleArchive(dir);
  const ZipLayout layout = ParseZip(zip);
  for (const ZipRecord& r : layout.records) {
    Put32(zip, r.central + ZipRecord::kCentralSize, 0xFFFFFFFFu);
    Put32(zip, r.local + ZipRecord::kLocalSize, 0xFFFFFFFFu);
  }
  EXPECT_EQ(MountAndCheck(dir, zip), 0);
  for (const ZipRecord& r : layout.records) {
    Put32(zip, r.central + ZipRecord::kCentralSize, 0xFFFFFFFEu);
    Put32(zip, r.local + ZipRecord::kLocalSize, 0xFFFFFFFEu);
  }
  EXPECT_EQ(MountAndCheck(dir, zip), 0);
}

TEST(ArchiveFuzz, DeclaredSizeLargerThanTheContentGivesNone) {
  TempDir dir;
  Bytes zip = SampleArchive(dir);
  const ZipLayout layout = ParseZip(zip);
  for (const ZipRecord& r : layout.records) {
    const uint32_t size = Get32(zip, r.central + ZipRecord::kCentralSize);
    // Within every plausibility bound, but more than the stream holds.
    Put32(zip, r.central + ZipRecord::kCentralSize, size + 7);
    Put32(zip, r.local + ZipRecord::kLocalSize, size + 7);
  }
  EXPECT_EQ(MountAndCheck(dir, zip), 0);
}

TEST(ArchiveFuzz, DeclaredSizeSmallerThanTheContentGivesNone) {
  TempDir dir;
  Bytes zip = SampleArchive(dir);
  const ZipLayout layout = ParseZip(zip);
  int shrunk = 0;
  for (const ZipRecord& r : layout.records) {
    const uint32_t size = Get32(zip, r.central + ZipRecord::kCentralSize);
    if (size == 0) continue;
    Put32(zip, r.central + ZipRecord::kCentralSize, size - 1);
    Put32(zip, r.local + ZipRecord::kLocalSize, size - 1);
    ++shrunk;
  }
  EXPECT_EQ(MountAndCheck(dir, zip), int(SampleFiles().size()) - shrunk);
}

TEST(ArchiveFuzz, BadChecksumGivesNone) {
  TempDir dir;
  Bytes zip = SampleArchive(dir);
  const ZipLayout layout = ParseZip(zip);
  for (const ZipRecord& r : layout.records) {
    const uint32_t crc = Get32(zip, r.central + ZipRecord::kCentralCrc) ^ 0x00010000u;
    Put32(zip, r.central + ZipRecord::kCentralCrc, crc);
    Put32(zip, r.local + ZipRecord::kLocalCrc, crc);
  }
  EXPECT_EQ(MountAndCheck(dir, zip), 0);
}

TEST(ArchiveFuzz, TruncatedEntryDataGivesNone) {
  TempDir dir;
  Bytes zip = SampleArchive(dir);
  const ZipLayout layout = ParseZip(zip);
  // Cut the last 50 bytes of the first entry's data out of the file and make every header
  // agree with the shorter entry, so that only the content itself is damaged.
  const ZipRecord& first = layout.records[0];
  const size_t dataStart =
      first.local + 30 + Get16(zip, first.local + 26) + Get16(zip, first.local + 28);
  const uint32_t packed = Get32(zip, first.central + ZipRecord::kCentralPacked);
  ASSERT_GT(packed, 100u);
  constexpr uint32_t kCut = 50;
  zip.erase(zip.begin() + std::ptrdiff_t(dataStart + packed - kCut),
            zip.begin() + std::ptrdiff_t(dataStart + packed));
  Put32(zip, first.local + ZipRecord::kLocalPacked, packed - kCut);
  Put32(zip, first.central - kCut + ZipRecord::kCentralPacked, packed - kCut);
  for (size_t i = 1; i < layout.records.size(); ++i) {
    Put32(zip, layout.records[i].central - kCut + ZipRecord::kCentralLocal,
          uint32_t(layout.records[i].local - kCut));
  }
  const size_t end = layout.endRecord - kCut;
  Put32(zip, end + ZipLayout::kEndDirOffset, Get32(zip, end + ZipLayout::kEndDirOffset) - kCut);

  WriteBytes(dir / "cut.pak", zip);
  FileSystem fs;
  fs.Mount(dir / "cut");
  EXPECT_FALSE(fs.Read("strings.xml"));
  const FileData rest = fs.Read("noise.bin");
  ASSERT_TRUE(rest);
  EXPECT_EQ(AsText(rest.data, rest.size), SampleFiles()[1].content);
  EXPECT_EQ(MountAndCheck(dir, zip), int(SampleFiles().size()) - 1);
}

TEST(ArchiveFuzz, EveryTruncationOfTheFile) {
  TempDir dir;
  const Bytes zip = SampleArchive(dir);
  for (size_t length = 0; length < zip.size(); ++length) {
    MountAndCheck(dir, Bytes(zip.begin(), zip.begin() + std::ptrdiff_t(length)));
  }
}

TEST(ArchiveFuzz, RandomByteFlips) {
  TempDir dir;
  const Bytes zip = SampleArchive(dir);
  std::mt19937 rng(20240611);
  for (int round = 0; round < 1500; ++round) {
    Bytes damaged = zip;
    const int flips = 1 + int(rng() % 4);
    for (int i = 0; i < flips; ++i) damaged[rng() % damaged.size()] ^= uint8_t(1u << (rng() % 8));
    MountAndCheck(dir, damaged);
  }
}

TEST(ArchiveFuzz, CentralDirectoryLyingAboutSizesOffsetsAndNames) {
  TempDir dir;
  const Bytes zip = SampleArchive(dir);
  const ZipLayout layout = ParseZip(zip);
  ASSERT_EQ(layout.records.size(), SampleFiles().size());
  std::mt19937 rng(99);
  const uint32_t interesting[] = {0,
                                  1,
                                  11,
                                  12,
                                  13,
                                  0x7FFFFFFF,
                                  0x80000000u,
                                  0xFFFFFFFFu,
                                  0xFFFFFFFEu,
                                  uint32_t(zip.size()),
                                  uint32_t(zip.size() + 1)};
  const auto value = [&] {
    return rng() % 2 ? interesting[rng() % std::size(interesting)] : uint32_t(rng());
  };
  for (int round = 0; round < 800; ++round) {
    Bytes damaged = zip;
    const ZipRecord& r = layout.records[rng() % layout.records.size()];
    switch (rng() % 7) {
      case 0:
        Put32(damaged, r.central + ZipRecord::kCentralSize, value());
        break;
      case 1:
        Put32(damaged, r.central + ZipRecord::kCentralPacked, value());
        break;
      case 2:
        Put32(damaged, r.central + ZipRecord::kCentralLocal, value());
        break;
      case 3:
        Put16(damaged, r.central + ZipRecord::kCentralNameLength, value() & 0xFFFF);
        break;
      case 4:
        Put16(damaged, r.central + ZipRecord::kCentralMethod, value() & 0xFFFF);
        break;
      case 5: {  // both headers agree on a lie
        const uint32_t size = value();
        const uint32_t packed = value();
        Put32(damaged, r.central + ZipRecord::kCentralSize, size);
        Put32(damaged, r.local + ZipRecord::kLocalSize, size);
        Put32(damaged, r.central + ZipRecord::kCentralPacked, packed);
        Put32(damaged, r.local + ZipRecord::kLocalPacked, packed);
        break;
      }
      default: {  // the end record
        const size_t end = layout.endRecord;
        switch (rng() % 3) {
          case 0:
            Put16(damaged, end + ZipLayout::kEndCount, value() & 0xFFFF);
            break;
          case 1:
            Put32(damaged, end + ZipLayout::kEndDirSize, value());
            break;
          default:
            Put32(damaged, end + ZipLayout::kEndDirOffset, value());
            break;
        }
      }
    }
    MountAndCheck(dir, damaged);
  }
}

TEST(ArchiveFuzz, RandomBytesAndTinyFiles) {
  TempDir dir;
  std::mt19937 rng(5);
  for (int round = 0; round < 300; ++round) {
    Bytes junk(rng() % 200);
    for (auto& b : junk) b = uint8_t(rng());
    // An end record on junk makes the reader look further.
    if (junk.size() >= 22 && rng() % 2) Put32(junk, junk.size() - 22, 0x06054b50);
    MountAndCheck(dir, junk);
  }
}

}  // namespace
