#include "base/ContentRoot.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#ifndef KALODRUS_DATA_RELATIVE
#define KALODRUS_DATA_RELATIVE ""
#endif
#ifndef KALODRUS_DATA_ABSOLUTE
#define KALODRUS_DATA_ABSOLUTE ""
#endif

namespace base {
namespace {

bool Exists(const std::string& path, bool folder) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  return folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode);
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string ProgramFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  const std::string path(buffer, size_t(n));
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool HoldsContent(const std::string& folder) {
  if (folder.empty()) return false;
  const std::string base = WithoutTrailingSlashes(folder) + "/content";
  return Exists(base, true) || Exists(base + ".pak", false);
}

std::vector<std::string> ContentCandidates(const std::string& programFolder,
                                           const std::string& relativeDataFolder,
                                           const std::string& absoluteDataFolder) {
  std::vector<std::string> candidates;
  const auto add = [&candidates](std::string folder) {
    if (folder.empty()) return;
    folder = WithoutTrailingSlashes(std::move(folder));
    for (const std::string& known : candidates) {
      if (known == folder) return;
    }
    candidates.push_back(std::move(folder));
  };
  add(programFolder);
  if (!programFolder.empty() && !relativeDataFolder.empty()) {
    add(relativeDataFolder.front() == '/' ? relativeDataFolder
                                          : programFolder + "/" + relativeDataFolder);
  }
  add(absoluteDataFolder);
  return candidates;
}

std::string FindContentRoot(const std::vector<std::string>& candidates) {
  for (const std::string& folder : candidates) {
    if (HoldsContent(folder)) return folder;
  }
  return {};
}

std::vector<std::string> InstalledContentCandidates() {
  return ContentCandidates(ProgramFolder(), KALODRUS_DATA_RELATIVE, KALODRUS_DATA_ABSOLUTE);
}

}  // namespace base
