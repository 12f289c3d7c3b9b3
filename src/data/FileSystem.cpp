#include "data/FileSystem.h"

#include <sys/stat.h>
#include <unzip.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>

#include "base/Check.h"
#include "data/ArchivePassword.h"
#include "data/ZipCipher.h"

namespace {

// Folders nested deeper than this are not scanned. Link loops are cut by visiting every folder
// once; this only bounds the path length of really deep trees.
constexpr int kMaxFolderDepth = 32;
// Central-directory entries beyond this count are ignored.
constexpr size_t kMaxArchiveEntries = 1u << 20;
// Archive entry names are read up to this many bytes.
constexpr size_t kMaxEntryName = 2047;
// Deflate cannot expand its input by more than about 1032 : 1.
constexpr uint64_t kMaxDeflateRatio = 1032;
// Output buffer growth and raw read size while an archive entry is read.
constexpr size_t kFirstBlock = 256 * 1024;
constexpr size_t kReadChunk = 64 * 1024;

std::string_view BaseName(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderPart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1);
}

}  // namespace

struct FileSystem::Archive {
  unzFile handle = nullptr;
  std::string path;
  uint64_t fileSize = 0;
  size_t refs = 0;  // entries whose content comes from this archive
};

FileSystem::FileSystem() = default;

FileSystem::~FileSystem() {
  for (Entry& entry : entries_) Drop(entry.content);
  for (auto& [data, content] : retired_) Drop(*content);
  for (auto& archive : archives_) {
    if (archive && archive->handle) unzClose(archive->handle);
  }
}

FileSystem::Entry* FileSystem::Lookup(std::string_view key) {
  const auto it = byKey_.find(std::string(key));
  return it == byKey_.end() ? nullptr : &entries_[it->second];
}

const FileSystem::Entry* FileSystem::Lookup(std::string_view key) const {
  const auto it = byKey_.find(std::string(key));
  return it == byKey_.end() ? nullptr : &entries_[it->second];
}

FileSystem::Entry& FileSystem::Register(std::string_view path, std::string_view key, int archive,
                                        uint64_t zipDirPos, uint64_t zipFileNum) {
  Entry* entry = Lookup(key);
  if (!entry) {
    entries_.emplace_back();
    entry = &entries_.back();
    entry->index = entries_.size() - 1;
    entry->key = std::string(key);
    byKey_.emplace(entry->key, entry->index);
  } else if (entry->content.data) {
    // Someone may still hold the old content: keep it alive until its Release.
    Retire(*entry);
  }
  const int previous = entry->archive;
  entry->path = std::string(path);
  entry->archive = archive;
  entry->zipDirPos = zipDirPos;
  entry->zipFileNum = zipFileNum;
  if (archive > 0) ++archives_[size_t(archive - 1)]->refs;
  if (previous > 0) Unreference(previous);
  return *entry;
}

void FileSystem::Unreference(int archive) {
  Archive& a = *archives_[size_t(archive - 1)];
  if (a.refs > 0 && --a.refs == 0 && a.handle) {
    unzClose(a.handle);
    a.handle = nullptr;
  }
}

void FileSystem::Retire(Entry& entry) {
  held_.erase(entry.content.data);
  auto content = std::make_unique<Content>(std::move(entry.content));
  entry.content = Content{};
  const uint8_t* data = content->data;
  retired_[data] = std::move(content);
}

void FileSystem::Drop(Content& content) {
  if (content.view.base || content.view.fd >= 0) base::UnmapFile(content.view);
  content.buffer.clear();
  content.buffer.shrink_to_fit();
  content.data = nullptr;
  content.size = 0;
}

void FileSystem::Mount(std::string_view name) {
  KALODRUS_EXPECT(!name.ends_with('/'), "Mount: name a folder or archive without a final /");
  if (name.empty()) return;
  std::lock_guard guard(lock_);
  const std::string stem(name);
  FolderIds visited;
  ScanFolder(stem + "/", 0, visited);
  MountArchive(stem + ".pak");
}

void FileSystem::ScanFolder(const std::string& prefix, int depth, FolderIds& visited) {
  if (depth > kMaxFolderDepth) return;
  // The folder itself, links followed: two links to one folder, or a link back up the tree,
  // would otherwise make every scan below them repeat (doubling per link and level).
  struct stat st {};
  if (stat(prefix.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
  if (!visited.emplace(uint64_t(st.st_dev), uint64_t(st.st_ino)).second) return;
  base::FindHandle* handle = base::FindFirst(prefix);
  if (!handle) return;
  std::vector<base::FindEntry> items;
  base::FindEntry item;
  while (base::FindNext(handle, item)) {
    if (!item.name.empty() && item.name[0] != '.') items.push_back(item);
  }
  base::FindClose(handle);
  // The system's enumeration order is arbitrary here; byte order keeps runs reproducible.
  std::sort(items.begin(), items.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  for (const auto& it : items) {
    if (it.isFolder) {
      ScanFolder(prefix + it.name + "/", depth + 1, visited);
    } else {
      Register(prefix + it.name, it.name);
    }
  }
}

void FileSystem::MountArchive(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  unzFile handle = unzOpen64(path.c_str());
  if (!handle) return;
  auto archive = std::make_unique<Archive>();
  archive->handle = handle;
  archive->path = path;
  archive->fileSize = uint64_t(st.st_size);
  archives_.push_back(std::move(archive));
  const int number = int(archives_.size());

  // One extra reference for the duration of the scan, so that the handle stays open even if
  // a later entry of this archive replaces an earlier one of the same base name.
  ++archives_.back()->refs;
  size_t count = 0;
  for (int r = unzGoToFirstFile(handle); r == UNZ_OK && count < kMaxArchiveEntries;
       r = unzGoToNextFile(handle), ++count) {
    char name[kMaxEntryName + 1] = {};
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(handle, &info, name, kMaxEntryName, nullptr, 0, nullptr, 0) !=
        UNZ_OK) {
      break;
    }
    const size_t length = strnlen(name, std::min<size_t>(info.size_filename, kMaxEntryName));
    const std::string_view entryName(name, length);
    if (entryName.empty() || entryName.back() == '/') continue;
    unz64_file_pos pos{};
    if (unzGetFilePos64(handle, &pos) != UNZ_OK) continue;
    Register(entryName, BaseName(entryName), number, pos.pos_in_zip_directory, pos.num_of_file);
  }
  Unreference(number);
}

FileData FileSystem::Handed(const Entry& entry) const {
  return FileData{entry.content.data, entry.content.data ? entry.content.size : 0};
}

void FileSystem::Load(Entry& entry) {
  Content& content = entry.content;
  bool ok = false;
  if (entry.archive > 0) {
    ok = LoadFromArchive(entry);
  } else if (base::MapFile(entry.path, content.view)) {
    if (content.view.size == 0) {
      // An empty file gets a buffer of its own so that its pointer is unique.
      base::UnmapFile(content.view);
      content.buffer.assign(2, 0);
      content.data = content.buffer.data();
      content.size = 0;
    } else {
      content.data = content.view.base;
      content.size = content.view.size;
    }
    ok = true;
  }
  if (!ok) {
    Drop(content);
    return;
  }
  held_[content.data] = entry.index;
}

namespace {

// Reads one archive entry that the archive library has opened in raw mode: decrypts it when
// it is encrypted, inflates it when it is deflated, and accepts it only when it gives exactly
// the declared number of bytes with the declared CRC-32.
class EntryDecoder {
 public:
  EntryDecoder(const unz_file_info64& info, size_t size) : info_(info), size_(size) {}
  ~EntryDecoder() {
    if (inflating_) inflateEnd(&stream_);
  }
  EntryDecoder(const EntryDecoder&) = delete;
  EntryDecoder& operator=(const EntryDecoder&) = delete;

  // False when the entry is damaged, the password is wrong or the sizes lie.
  bool Run(unzFile handle, std::vector<uint8_t>& out) {
    if ((info_.flag & 1) != 0) {
      cipher_.emplace(kArchivePassword);
      if (!CheckHeader(handle)) return false;
    }
    if (info_.compression_method == Z_DEFLATED) {
      if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK) return false;
      inflating_ = true;
    }
    // The output follows the bytes actually produced, so a size field that lies costs no more
    // memory than the real content.
    out_.resize(std::min(size_, kFirstBlock));
    std::vector<uint8_t> chunk(kReadChunk);
    while (!ended_) {
      const int n = unzReadCurrentFile(handle, chunk.data(), unsigned(chunk.size()));
      if (n < 0) return false;
      if (n == 0) break;
      if (cipher_) cipher_->Decrypt(chunk.data(), size_t(n));
      if (!Consume(chunk.data(), size_t(n))) return false;
    }
    if (got_ != size_) return false;
    if (inflating_ && !ended_ && !FinishInflate()) return false;
    const uLong crc = crc32(crc32(0, nullptr, 0), out_.data(), uInt(got_));
    if (crc != info_.crc) return false;
    out_.resize(size_ + 2, 0);  // two zero bytes after the content
    out = std::move(out_);
    return true;
  }

 private:
  bool ReadRaw(unzFile handle, uint8_t* into, size_t count) {
    while (count > 0) {
      const int n = unzReadCurrentFile(handle, into, unsigned(count));
      if (n <= 0) return false;
      into += n;
      count -= size_t(n);
    }
    return true;
  }

  bool CheckHeader(unzFile handle) {
    uint8_t header[ZipCipher::kHeaderSize];
    if (!ReadRaw(handle, header, sizeof header)) return false;
    cipher_->Decrypt(header, sizeof header);
    const uint8_t check =
        (info_.flag & 8) != 0 ? uint8_t(info_.dosDate >> 8) : uint8_t(info_.crc >> 24);
    return header[ZipCipher::kHeaderSize - 1] == check;
  }

  bool Grow() {
    if (out_.size() >= size_) return false;
    out_.resize(std::min(size_, std::max(out_.size() * 2, kFirstBlock)));
    return true;
  }

  bool Consume(const uint8_t* bytes, size_t count) {
    if (!inflating_) {
      if (count > size_ - got_) return false;  // more data than declared
      while (out_.size() - got_ < count) Grow();
      std::memcpy(out_.data() + got_, bytes, count);
      got_ += count;
      return true;
    }
    stream_.next_in = const_cast<Bytef*>(bytes);
    stream_.avail_in = uInt(count);
    while (stream_.avail_in > 0 && !ended_) {
      if (got_ == out_.size()) Grow();  // not beyond the declared size
      const uInt inputBefore = stream_.avail_in;
      const size_t outputBefore = got_;
      if (!InflateStep()) return false;
      // No progress with the output full: the stream holds more than declared.
      if (!ended_ && stream_.avail_in == inputBefore && got_ == outputBefore) return false;
    }
    return true;
  }

  bool InflateStep() {
    stream_.next_out = out_.empty() ? &spare_ : out_.data() + got_;
    stream_.avail_out = uInt(out_.size() - got_);
    const uInt before = stream_.avail_out;
    const int result = inflate(&stream_, Z_NO_FLUSH);
    got_ += before - stream_.avail_out;
    if (result == Z_STREAM_END) {
      ended_ = true;
      return true;
    }
    return result == Z_OK || (result == Z_BUF_ERROR && stream_.avail_out == 0);
  }

  // Raw deflate may need one more call without input to flush its last bytes; it must not
  // produce anything beyond the declared size.
  bool FinishInflate() {
    uint8_t extra = 0;
    stream_.next_in = nullptr;
    stream_.avail_in = 0;
    stream_.next_out = &extra;
    stream_.avail_out = 1;
    const int result = inflate(&stream_, Z_FINISH);
    return stream_.avail_out == 1 && (result == Z_STREAM_END || result == Z_BUF_ERROR);
  }

  const unz_file_info64& info_;
  const size_t size_;
  std::optional<ZipCipher> cipher_;
  z_stream stream_{};
  bool inflating_ = false;
  bool ended_ = false;
  std::vector<uint8_t> out_;
  size_t got_ = 0;
  uint8_t spare_ = 0;  // output pointer for an empty entry (zlib wants a valid one)
};

}  // namespace

bool FileSystem::LoadFromArchive(Entry& entry) {
  const Archive& archive = *archives_[size_t(entry.archive - 1)];
  unzFile handle = archive.handle;
  if (!handle) return false;
  unz64_file_pos pos{entry.zipDirPos, entry.zipFileNum};
  if (unzGoToFilePos64(handle, &pos) != UNZ_OK) return false;
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(handle, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return false;
  }

  // Sizes come from the archive and are checked before anything is allocated.
  const bool encrypted = (info.flag & 1) != 0;
  const uint64_t size = info.uncompressed_size;
  const uint64_t packed = info.compressed_size;
  if (size > maxEntrySize_ || packed > archive.fileSize) return false;
  if (encrypted && packed < ZipCipher::kHeaderSize) return false;
  const uint64_t payload = encrypted ? packed - ZipCipher::kHeaderSize : packed;
  if (info.compression_method == 0) {
    if (size != payload) return false;
  } else if (info.compression_method == Z_DEFLATED) {
    if (size > payload * kMaxDeflateRatio + 1024) return false;
  } else {
    return false;
  }

  // The entry is opened raw (as stored in the archive): decryption, inflation and the
  // checksum are done here, since the system's archive library may be built without
  // decryption.
  int method = 0;
  int level = 0;
  if (unzOpenCurrentFile2(handle, &method, &level, 1) != UNZ_OK) {
    unzCloseCurrentFile(handle);
    return false;
  }
  std::vector<uint8_t> buffer;
  bool ok = false;
  try {
    EntryDecoder decoder(info, size_t(size));
    ok = decoder.Run(handle, buffer);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (unzCloseCurrentFile(handle) != UNZ_OK) ok = false;
  if (!ok) return false;

  entry.content.buffer = std::move(buffer);
  entry.content.data = entry.content.buffer.data();
  entry.content.size = size_t(size);
  return true;
}

FileData FileSystem::Read(std::string_view name) {
  if (name.empty()) return {};
  std::lock_guard guard(lock_);
  Entry* entry = Lookup(name);
  if (!entry) {
    const std::string_view base = BaseName(name);
    if (base.size() != name.size()) {
      // A path with a folder part never replaces the entry of its base name: it gets an entry
      // keyed by the whole path instead (or reuses the loose entry registered for it).
      Entry* existing = Lookup(base);
      if (existing && existing->archive == 0 && existing->path == name) {
        entry = existing;
      } else if (existing) {
        entry = &Register(name, name);
      }
    }
    if (!entry) entry = &Register(name, base);
  }
  if (!entry->content.data) Load(*entry);
  return Handed(*entry);
}

void FileSystem::Release(const void* data) {
  if (!data) return;
  std::lock_guard guard(lock_);
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (const auto it = held_.find(bytes); it != held_.end()) {
    Entry& entry = entries_[it->second];
    held_.erase(it);
    Drop(entry.content);
    return;
  }
  if (const auto it = retired_.find(bytes); it != retired_.end()) {
    Drop(*it->second);
    retired_.erase(it);
  }
}

FileData FileSystem::Reload(std::string_view name) {
  std::lock_guard guard(lock_);
  Entry* entry = Lookup(name);
  if (!entry) return {};
  if (entry->content.data) {
    held_.erase(entry->content.data);
    Drop(entry->content);
  }
  Load(*entry);
  return Handed(*entry);
}

std::optional<FileInfo> FileSystem::Find(std::string_view name) const {
  std::lock_guard guard(lock_);
  const Entry* entry = Lookup(name);
  if (!entry) return std::nullopt;
  return FileInfo{entry->path, entry->key, entry->archive};
}

std::vector<FileInfo> FileSystem::List(std::string_view dirFragment,
                                       std::string_view nameFragment) const {
  std::vector<FileInfo> listing;
  {
    std::lock_guard guard(lock_);
    for (const Entry& entry : entries_) {
      if (FolderPart(entry.path).find(dirFragment) == std::string_view::npos) continue;
      if (entry.path.find(nameFragment) == std::string::npos) continue;
      listing.push_back(FileInfo{entry.path, entry.key, entry.archive});
    }
  }
  std::sort(listing.begin(), listing.end(),
            [](const FileInfo& a, const FileInfo& b) { return a.path < b.path; });
  return listing;
}

size_t FileSystem::EntryCount() const {
  std::lock_guard guard(lock_);
  return entries_.size();
}

size_t FileSystem::OpenArchiveCount() const {
  std::lock_guard guard(lock_);
  return size_t(std::count_if(archives_.begin(), archives_.end(),
                              [](const auto& a) { return a && a->handle; }));
}

void FileSystem::SetMaxEntrySize(uint64_t bytes) {
  std::lock_guard guard(lock_);
  maxEntrySize_ = bytes;
}
