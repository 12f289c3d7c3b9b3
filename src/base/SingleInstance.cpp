#include "base/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace base {

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) close(fd_);
}

bool SingleInstance::Acquire(const std::string& folder) {
  if (folder.empty()) return true;
  const std::string path = folder + "/Kalodrus3";
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) return true;
  if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
  const bool held = errno == EWOULDBLOCK;
  close(fd_);
  fd_ = -1;
  return !held;
}

}  // namespace base
