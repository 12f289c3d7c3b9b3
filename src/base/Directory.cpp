#include "base/Directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace base {

struct FindHandle {
  DIR* dir = nullptr;
  std::string folder;
  std::string namePrefix;
};

FindHandle* FindFirst(const std::string& prefix) {
  const size_t slash = prefix.rfind('/');
  auto* handle = new FindHandle;
  handle->folder = slash == std::string::npos ? "." : prefix.substr(0, slash);
  if (handle->folder.empty()) handle->folder.assign(1, '/');
  handle->namePrefix = slash == std::string::npos ? prefix : prefix.substr(slash + 1);
  handle->dir = opendir(handle->folder.c_str());
  if (!handle->dir) {
    delete handle;
    return nullptr;
  }
  return handle;
}

bool FindNext(FindHandle* handle, FindEntry& entry) {
  if (!handle) return false;
  while (const dirent* d = readdir(handle->dir)) {
    std::string name = d->d_name;
    if (name.compare(0, handle->namePrefix.size(), handle->namePrefix) != 0) continue;
    if (name.size() > 259) continue;
    bool folder = d->d_type == DT_DIR;
    if (d->d_type == DT_UNKNOWN || d->d_type == DT_LNK) {
      struct stat st {};
      folder = stat((handle->folder + "/" + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    entry.name = std::move(name);
    entry.isFolder = folder;
    return true;
  }
  return false;
}

void FindClose(FindHandle* handle) {
  if (!handle) return;
  closedir(handle->dir);
  delete handle;
}

bool MapFile(const std::string& path, FileView& view) {
  view = FileView{};
  // Non-blocking, so that a named pipe among the content cannot stall the game; only
  // regular files are mapped.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return false;
  }
  view.fd = fd;
  view.size = size_t(st.st_size);
  if (view.size == 0) {
    // An empty file maps to nothing but is still a valid, empty view.
    static const unsigned char empty = 0;
    view.base = &empty;
    return true;
  }
  void* base = mmap(nullptr, view.size, PROT_READ, MAP_PRIVATE, fd, 0);
  if (base == MAP_FAILED) {
    close(fd);
    view = FileView{};
    return false;
  }
  view.base = static_cast<const unsigned char*>(base);
  return true;
}

void UnmapFile(FileView& view) {
  if (view.base && view.size > 0) munmap(const_cast<unsigned char*>(view.base), view.size);
  if (view.fd >= 0) close(view.fd);
  view = FileView{};
}

}  // namespace base
