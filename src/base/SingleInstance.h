#pragma once
#include <string>

namespace base {

// Holds an exclusive lock on a file named "Kalodrus3" in the data folder for the life of the
// process, so that a second copy of the game can tell that one is already running.
class SingleInstance {
 public:
  SingleInstance() = default;
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another process holds the lock. A folder without a usable lock file does not
  // stop the game: the check then passes.
  bool Acquire(const std::string& folder);

 private:
  int fd_ = -1;
};

}  // namespace base
