#include "base/DataFiles.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace base {
namespace {

std::string dataFolder;  // platform state: filled once at start-up

// Creates every folder of `path` that is missing; true when the whole path is a folder.
bool MakeFolders(const std::string& path) {
  if (path.empty()) return false;
  for (size_t at = 1; at <= path.size(); ++at) {
    if (at == path.size() || path[at] == '/') {
      const std::string part = path.substr(0, at);
      if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
  }
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string HomeFolder() {
  if (const char* home = getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

bool WriteAll(int fd, std::span<const uint8_t> data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    fsync(fd);  // best effort: some file systems refuse to sync folders
    close(fd);
  }
}

}  // namespace

std::string WantedDataFolder() {
  std::string folder;
  if (const char* over = getenv("KALODRUS3_DATA"); over && *over) {
    folder = over;
  } else {
    const char* xdg = getenv("XDG_DATA_HOME");
    std::string base = xdg && *xdg ? std::string(xdg) : HomeFolder() + "/.local/share";
    if (base == "/.local/share") return {};
    folder = base + "/Brask/Kalodrus3";
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return AbsolutePath(folder);
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  std::string cwd(4096, '\0');
  if (!getcwd(cwd.data(), cwd.size())) return path;
  cwd.resize(strlen(cwd.c_str()));
  return cwd == "/" ? "/" + path : cwd + "/" + path;
}

std::string ResolveDataFolder() {
  const std::string folder = WantedDataFolder();
  return MakeFolders(folder) ? folder : std::string();
}

void SetDataFolder(std::string folder) { dataFolder = std::move(folder); }
const std::string& DataFolder() { return dataFolder; }

std::string DataFilePath(std::string_view name) {
  std::string rel(name);
  for (char& c : rel) {
    if (c == '\\') c = '/';
  }
  std::string path = dataFolder + "/" + rel + ".sav";
  if (const size_t slash = rel.rfind('/'); slash != std::string::npos && !dataFolder.empty()) {
    MakeFolders(dataFolder + "/" + rel.substr(0, slash));
  }
  return path;
}

bool DataFileExists(std::string_view name) {
  if (dataFolder.empty()) return false;
  struct stat st {};
  return stat(DataFilePath(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<Bytes> ReadDataFile(std::string_view name, uint64_t maxSize) {
  if (dataFolder.empty()) return std::nullopt;
  const int fd = open(DataFilePath(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || uint64_t(st.st_size) > maxSize) {
    close(fd);
    return std::nullopt;
  }
  Bytes data(size_t(st.st_size));
  size_t done = 0;
  bool failed = false;
  while (done < data.size()) {
    const ssize_t n = read(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed = n < 0;
      break;
    }
    done += size_t(n);
  }
  close(fd);
  if (failed) return std::nullopt;
  data.resize(done);  // a file that shrank while it was read
  return data;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> data, WriteStep failAt) {
  const std::string temp = path + ".tmp";
  const int fd =
      failAt == WriteStep::Open ? -1 : open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  bool ok = failAt != WriteStep::Write && WriteAll(fd, data);
  ok = ok && failAt != WriteStep::Sync && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && failAt != WriteStep::Rename && rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  SyncFolderOf(path);
  return true;
}

bool WriteDataFile(std::string_view name, std::span<const uint8_t> data) {
  if (dataFolder.empty()) return false;
  return WriteFileAtomically(DataFilePath(name), data);
}

bool DeleteDataFile(std::string_view name) {
  if (dataFolder.empty()) return false;
  return unlink(DataFilePath(name).c_str()) == 0;
}

bool KeepDataFileAside(std::string_view name, std::string_view label) {
  if (dataFolder.empty() || !DataFileExists(name)) return false;
  const std::string from = DataFilePath(name);
  for (int n = 1; n <= 999; ++n) {
    std::string aside = std::string(name) + "." + std::string(label);
    if (n > 1) aside += "-" + std::to_string(n);
    const std::string to = DataFilePath(aside);
    // A hard link never replaces an existing name, so an older copy is never lost.
    if (link(from.c_str(), to.c_str()) == 0) {
      unlink(from.c_str());
      SyncFolderOf(from);
      return true;
    }
    if (errno == EEXIST) continue;
    // Where hard links are not supported, a checked rename does the same.
    struct stat st {};
    if (lstat(to.c_str(), &st) == 0) continue;
    if (rename(from.c_str(), to.c_str()) == 0) {
      SyncFolderOf(from);
      return true;
    }
    return false;
  }
  return false;
}

std::string LastGoodName(std::string_view name) { return std::string(name) + ".last-good"; }

bool SaveDataPacked(std::string_view name, std::span<const uint8_t> data, bool encode) {
  const Bytes packed = PackData(data, encode);
  return !packed.empty() && WriteDataFile(name, packed);
}

std::optional<Bytes> LoadDataPacked(std::string_view name, bool encode, uint32_t maxLength) {
  auto raw = ReadDataFile(name, PackedSizeBound(maxLength, encode));
  if (!raw) return std::nullopt;
  return UnpackData(*raw, encode, maxLength);
}

}  // namespace base
