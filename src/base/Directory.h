#pragma once
#include <memory>
#include <string>

namespace base {

// Directory enumeration: FindFirst(prefix) lists the entries of the folder part of `prefix`
// whose names start with its last part (the "prefix*" pattern); "." and ".." are included
// as the system reports them. The first entry comes from the first FindNext.
struct FindHandle;
struct FindEntry {
  std::string name;  // at most 259 bytes
  bool isFolder = false;
};

FindHandle* FindFirst(const std::string& prefix);
bool FindNext(FindHandle* handle, FindEntry& entry);
void FindClose(FindHandle* handle);

// Read-only mapping of a whole file.
struct FileView {
  const unsigned char* base = nullptr;
  size_t size = 0;
  int fd = -1;
};
bool MapFile(const std::string& path, FileView& view);
void UnmapFile(FileView& view);

}  // namespace base
