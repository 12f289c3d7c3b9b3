#include "data/FileReader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/Check.h"
#include "data/FileSystem.h"

FileReader::~FileReader() { Close(); }

FileReader::FileReader(FileReader&& other) noexcept
    : fs_(std::exchange(other.fs_, nullptr)),
      name_(std::move(other.name_)),
      pos_(std::exchange(other.pos_, 0)),
      size_(std::exchange(other.size_, 0)),
      data_(std::exchange(other.data_, nullptr)) {}

FileReader& FileReader::operator=(FileReader&& other) noexcept {
  if (this != &other) {
    Close();
    fs_ = std::exchange(other.fs_, nullptr);
    name_ = std::move(other.name_);
    pos_ = std::exchange(other.pos_, 0);
    size_ = std::exchange(other.size_, 0);
    data_ = std::exchange(other.data_, nullptr);
  }
  return *this;
}

bool FileReader::Open(FileSystem& fs, std::string_view name) {
  Close();
  const FileData file = fs.Read(name);
  fs_ = &fs;
  name_ = std::string(name);
  pos_ = 0;
  data_ = file.data;
  size_ = file ? int64_t(file.size) : 0;
  return data_ != nullptr;
}

size_t FileReader::Read(void* buffer, size_t count) {
  KALODRUS_EXPECT(buffer || count == 0, "FileReader::Read: no buffer to read into");
  if (!data_ || !buffer || pos_ >= size_) return 0;
  const size_t n = size_t(std::min<uint64_t>(count, uint64_t(size_ - pos_)));
  std::memcpy(buffer, data_ + pos_, n);
  pos_ += int64_t(n);
  return n;
}

int FileReader::Seek(int64_t offset, int whence) {
  int64_t base = 0;
  switch (whence) {
    case 0:
      base = 0;
      break;
    case 1:
      base = pos_;
      break;
    case 2:
      base = size_;
      break;
    default:
      return -1;
  }
  // base is within [0, size]; clamp without overflowing for extreme offsets.
  if (offset >= 0) {
    pos_ = offset >= size_ - base ? size_ : base + offset;
  } else {
    pos_ = offset <= -base ? 0 : base + offset;
  }
  return 0;
}

void FileReader::Close() {
  if (fs_ && data_) fs_->Release(data_);
  data_ = nullptr;
  size_ = 0;
  pos_ = 0;
}
