#pragma once
#include "support/TempDir.h"
// Temporary folders, files and archive surgery for the data tests.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kcontent/PakWriter.h"

namespace testsupport {

using Bytes = std::vector<uint8_t>;

using ::TempDir;

// Runs the enclosing scope in another working folder.
class ScopedChdir {
 public:
  explicit ScopedChdir(const std::string& to) : from_(std::filesystem::current_path()) {
    std::filesystem::current_path(to);
  }
  ~ScopedChdir() {
    std::error_code ec;
    std::filesystem::current_path(from_, ec);
  }

 private:
  std::filesystem::path from_;
};

inline void WriteFile(const std::string& path, std::string_view text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(text.data(), std::streamsize(text.size()));
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct PakFile {
  std::string name;
  std::string content;
  PakWriter::EntryOptions options{};
};

// Writes an archive with the given entries in the given order.
inline bool MakePak(const std::string& path, const std::vector<PakFile>& files) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  PakWriter writer;
  if (!writer.Open(path)) return false;
  for (const PakFile& f : files) {
    if (!writer.Add(f.name, std::string_view(f.content), f.options)) return false;
  }
  return writer.Close();
}

inline std::string AsText(const uint8_t* data, size_t size) {
  return data ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
}

// Little-endian fields of the ZIP structures.
inline uint32_t Get16(const Bytes& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}
inline uint32_t Get32(const Bytes& b, size_t at) { return Get16(b, at) | Get16(b, at + 2) << 16; }
inline void Put16(Bytes& b, size_t at, uint32_t v) {
  b[at] = uint8_t(v);
  b[at + 1] = uint8_t(v >> 8);
}
inline void Put32(Bytes& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// Offsets of the fields of one central-directory record and of its local header.
struct ZipRecord {
  size_t central = 0;  // start of the central-directory record
  size_t local = 0;    // start of the local header (as the record says)
  std::string name;
  // Field offsets inside the record / local header.
  static constexpr size_t kCentralMethod = 10, kCentralCrc = 16, kCentralPacked = 20,
                          kCentralSize = 24, kCentralNameLength = 28, kCentralLocal = 42;
  static constexpr size_t kLocalCrc = 14, kLocalPacked = 18, kLocalSize = 22;
};

struct ZipLayout {
  size_t endRecord = 0;  // start of the end-of-central-directory record
  std::vector<ZipRecord> records;
  static constexpr size_t kEndCount = 10, kEndDirSize = 12, kEndDirOffset = 16;
};

inline ZipLayout ParseZip(const Bytes& zip) {
  ZipLayout layout;
  for (size_t i = zip.size() >= 22 ? zip.size() - 22 : 0; i + 22 <= zip.size(); --i) {
    if (Get32(zip, i) == 0x06054b50) {
      layout.endRecord = i;
      break;
    }
    if (i == 0) break;
  }
  size_t at = Get32(zip, layout.endRecord + ZipLayout::kEndDirOffset);
  const size_t count = Get16(zip, layout.endRecord + ZipLayout::kEndCount);
  for (size_t n = 0; n < count && at + 46 <= zip.size() && Get32(zip, at) == 0x02014b50; ++n) {
    ZipRecord r;
    r.central = at;
    r.local = Get32(zip, at + ZipRecord::kCentralLocal);
    const size_t nameLength = Get16(zip, at + 28);
    r.name.assign(reinterpret_cast<const char*>(zip.data() + at + 46), nameLength);
    layout.records.push_back(r);
    at += 46 + nameLength + Get16(zip, at + 30) + Get16(zip, at + 32);
  }
  return layout;
}

}  // namespace testsupport
