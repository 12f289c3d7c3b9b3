#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/Directory.h"

// The whole content of one file as the FileSystem hands it out. `data` is null when the file
// is missing or unreadable (size is then 0); an empty file has a valid pointer and size 0.
struct FileData {
  const uint8_t* data = nullptr;
  size_t size = 0;

  explicit operator bool() const { return data != nullptr; }
  std::span<const uint8_t> Bytes() const { return {data, size}; }
  std::string_view Text() const { return {reinterpret_cast<const char*>(data), size}; }
};

// What a lookup or a listing tells about one registered file.
struct FileInfo {
  std::string path;  // as registered: "content/gui/menu.xml", or the entry name in an archive
  std::string key;   // the base name of path: the lookup key
  int archive = 0;   // 0 for a loose file, else the 1-based number of its archive
};

// One flat namespace over content folders and ".pak" ZIP archives: a file is known by its
// base name (the part of its path after the last "/"), and later mounts replace earlier files
// of the same base name. Content is read whole into memory (archive entries) or mapped (loose
// files) and stays cached until released.
//
// Every operation takes one lock, so the music streamer may read files while the main thread
// mounts, reads and lists. Entries live in a node-stable container and are never removed.
class FileSystem {
 public:
  // Archive entries larger than this are refused (read as missing).
  static constexpr uint64_t kDefaultMaxEntrySize = 512ull * 1024 * 1024;

  FileSystem();
  ~FileSystem();
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;

  // Registers every file below the folder name + "/" (recursively, skipping names that start
  // with "."), then every file entry of the archive name + ".pak". Either may be missing.
  void Mount(std::string_view name);

  // The whole content of the file whose key equals name, cached until Release. A name that
  // matches no key is taken as a loose file path relative to the working directory.
  FileData Read(std::string_view name);
  // Frees or unmaps the content handed out as `data`; ignored for null or unknown pointers.
  void Release(const void* data);
  // For a known key: drops any cached content and loads it again. None for an unknown key.
  FileData Reload(std::string_view name);
  // Lookup by key without loading.
  std::optional<FileInfo> Find(std::string_view name) const;
  // The files whose folder part (path up to and including its last "/") contains
  // dirFragment and whose path contains nameFragment, sorted by path in byte order.
  std::vector<FileInfo> List(std::string_view dirFragment, std::string_view nameFragment) const;

  // Number of registered entries and of archive handles still open (for tests and tools).
  size_t EntryCount() const;
  size_t OpenArchiveCount() const;

  // Upper bound for one archive entry's uncompressed size (tests lower it).
  void SetMaxEntrySize(uint64_t bytes);

 private:
  struct Content {
    base::FileView view;            // a loose file's mapping
    std::vector<uint8_t> buffer;    // an archive entry's bytes (size + 2, zero padded)
    const uint8_t* data = nullptr;  // what was handed out
    size_t size = 0;
  };
  struct Entry {
    size_t index = 0;  // position in entries_
    std::string path;
    std::string key;
    int archive = 0;
    uint64_t zipDirPos = 0;   // the archive library's saved position of the entry:
    uint64_t zipFileNum = 0;  // central-directory offset and file number
    Content content;
  };
  struct Archive;

  Entry* Lookup(std::string_view key);
  const Entry* Lookup(std::string_view key) const;
  Entry& Register(std::string_view path, std::string_view key, int archive = 0,
                  uint64_t zipDirPos = 0, uint64_t zipFileNum = 0);
  // Folders already scanned in one mount, by device and inode: a folder reached twice
  // through links (or a link back to a parent) is scanned only the first time.
  using FolderIds = std::set<std::pair<uint64_t, uint64_t>>;
  void ScanFolder(const std::string& prefix, int depth, FolderIds& visited);
  void MountArchive(const std::string& path);
  void Load(Entry& entry);
  bool LoadFromArchive(Entry& entry);
  void Drop(Content& content);
  void Retire(Entry& entry);
  void Unreference(int archive);
  FileData Handed(const Entry& entry) const;

  mutable std::mutex lock_;
  std::deque<Entry> entries_;
  std::unordered_map<std::string, size_t> byKey_;
  std::unordered_map<const uint8_t*, size_t> held_;  // handed-out pointer -> entry index
  std::unordered_map<const uint8_t*, std::unique_ptr<Content>> retired_;
  std::vector<std::unique_ptr<Archive>> archives_;
  uint64_t maxEntrySize_ = kDefaultMaxEntrySize;
};
