#pragma once
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <string_view>

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kalodrus-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // The path of rel below the folder.
  std::string operator/(std::string_view rel) const { return path_ + "/" + std::string(rel); }

 private:
  std::string path_;
};
