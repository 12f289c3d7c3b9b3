#include "kcontent/PakWriter.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "data/ArchivePassword.h"
#include "data/FileSystem.h"
#include "data/ZipCipher.h"

namespace fs = std::filesystem;

namespace {

// 1980-01-01 00:00, the earliest time a ZIP entry can carry.
constexpr uLong kFixedDosDate = (1u + 32u * 1u) << 16;
constexpr size_t kMaxName = 2047;
constexpr int kMaxFolderDepth = 32;

uint64_t SplitMix(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

bool Deflate(std::span<const uint8_t> in, std::vector<uint8_t>& out) {
  z_stream stream{};
  if (deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  out.resize(deflateBound(&stream, uLong(in.size())) + 16);
  stream.next_in = const_cast<Bytef*>(in.data());
  stream.avail_in = uInt(in.size());
  stream.next_out = out.data();
  stream.avail_out = uInt(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return result == Z_STREAM_END;
}

bool ReadWholeFile(const fs::path& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool Collect(const fs::path& folder, const std::string& prefix, int depth,
             std::vector<std::string>& names, std::string& error) {
  if (depth > kMaxFolderDepth) {
    error = "folders nested too deeply below " + folder.string();
    return false;
  }
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    if (it->is_directory(ec)) {
      if (!Collect(it->path(), prefix + name + "/", depth + 1, names, error)) return false;
    } else if (it->is_regular_file(ec)) {
      names.push_back(prefix + name);
    }
  }
  if (ec) {
    error = "cannot list " + folder.string() + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace

PakWriter::~PakWriter() {
  if (zip_) zipClose(static_cast<zipFile>(zip_), nullptr);
}

bool PakWriter::Open(const std::string& path) {
  if (zip_) Close();
  failed_ = false;
  error_.clear();
  zip_ = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (!zip_) {
    error_ = "cannot create " + path;
    failed_ = true;
    return false;
  }
  return true;
}

bool PakWriter::Add(std::string_view name, std::span<const uint8_t> bytes, EntryOptions options) {
  if (!zip_ || failed_) return false;
  if (name.empty() || name.size() > kMaxName || name.find('\0') != std::string_view::npos) {
    error_ = "bad entry name";
    failed_ = true;
    return false;
  }
  if (bytes.size() > FileSystem::kDefaultMaxEntrySize) {
    error_ = std::string(name) + " is larger than the game reads from an archive";
    failed_ = true;
    return false;
  }
  const uLong crc = crc32(crc32(0, nullptr, 0), bytes.data(), uInt(bytes.size()));

  std::vector<uint8_t> payload;
  int method = 0;
  if (options.compress && !bytes.empty() && Deflate(bytes, payload) &&
      payload.size() < bytes.size()) {
    method = Z_DEFLATED;
  } else {
    payload.assign(bytes.begin(), bytes.end());
  }

  std::vector<uint8_t> stored;
  if (options.encrypt) {
    // The header's first ten bytes only need to differ between entries; they come from the
    // entry's own name and checksum so that the output is reproducible. The last two bytes
    // are the high half of the CRC, as readers check.
    uint64_t seed = crc;
    for (const char c : name) seed = seed * 1099511628211ull + uint8_t(c);
    uint8_t header[ZipCipher::kHeaderSize];
    for (size_t i = 0; i < 10; ++i) header[i] = uint8_t(SplitMix(seed) >> 24);
    header[10] = uint8_t(crc >> 16);
    header[11] = uint8_t(crc >> 24);
    ZipCipher cipher(options.password ? options.password : kArchivePassword);
    stored.reserve(ZipCipher::kHeaderSize + payload.size());
    for (const uint8_t b : header) stored.push_back(cipher.Encrypt(b));
    for (const uint8_t b : payload) stored.push_back(cipher.Encrypt(b));
  } else {
    stored = std::move(payload);
  }

  zip_fileinfo info{};
  info.dosDate = kFixedDosDate;
  const std::string entryName(name);
  auto* zf = static_cast<zipFile>(zip_);
  // Raw mode: the bytes are already compressed and encrypted; the flag marks encryption.
  int err = zipOpenNewFileInZip4(zf, entryName.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                 method, Z_DEFAULT_COMPRESSION, 1, -MAX_WBITS, 8,
                                 Z_DEFAULT_STRATEGY, nullptr, 0, 0, options.encrypt ? 1 : 0);
  if (err == ZIP_OK && !stored.empty()) {
    err = zipWriteInFileInZip(zf, stored.data(), unsigned(stored.size()));
  }
  if (err == ZIP_OK) err = zipCloseFileInZipRaw64(zf, bytes.size(), crc);
  if (err != ZIP_OK) {
    error_ = "cannot write " + entryName;
    failed_ = true;
    return false;
  }
  return true;
}

bool PakWriter::Close() {
  if (!zip_) return !failed_;
  const int err = zipClose(static_cast<zipFile>(zip_), nullptr);
  zip_ = nullptr;
  if (err != ZIP_OK && !failed_) {
    error_ = "cannot finish the archive";
    failed_ = true;
  }
  return !failed_;
}

bool PakWriter::PackFolder(const std::string& folder, const std::string& out, std::string& error) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    error = folder + " is not a folder";
    return false;
  }
  std::vector<std::string> names;
  if (!Collect(folder, "", 0, names, error)) return false;
  std::sort(names.begin(), names.end());

  const fs::path parent = fs::path(out).parent_path();
  if (!parent.empty() && !fs::is_directory(parent, ec)) {
    fs::create_directories(parent, ec);
    if (ec) {
      error = "cannot create the folder " + parent.string() + ": " + ec.message();
      return false;
    }
  }
  const std::string temp = out + ".tmp";
  PakWriter writer;
  bool ok = writer.Open(temp);
  std::vector<uint8_t> bytes;
  for (const std::string& name : names) {
    if (!ok) break;
    if (!ReadWholeFile(fs::path(folder) / name, bytes)) {
      writer.error_ = "cannot read " + (fs::path(folder) / name).string();
      writer.failed_ = true;
      ok = false;
      break;
    }
    ok = writer.Add(name, bytes, {});
  }
  ok = writer.Close() && ok;
  if (ok) {
    fs::rename(temp, out, ec);
    if (ec) {
      writer.error_ = "cannot rename to " + out + ": " + ec.message();
      ok = false;
    }
  }
  if (!ok) {
    error = writer.Error();
    fs::remove(temp, ec);
  }
  return ok;
}
