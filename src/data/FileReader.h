#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class FileSystem;

// A read/seek/tell cursor over one file's cached content (the sound decoder and the particle
// library read through it). Closing, or destroying the reader, releases the content.
class FileReader {
 public:
  FileReader() = default;
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;
  FileReader(FileReader&& other) noexcept;
  FileReader& operator=(FileReader&& other) noexcept;

  // Reads the file through the FileSystem, position 0. True when the file has content
  // (an empty file counts); a reader that was open is closed first.
  bool Open(FileSystem& fs, std::string_view name);
  // Copies min(count, size - position) bytes and advances; returns the number copied.
  size_t Read(void* buffer, size_t count);
  // whence 0 from the start, 1 from the current position, 2 from the end; the position is
  // clamped to [0, size]. Returns 0 (-1 only for an unknown whence).
  int Seek(int64_t offset, int whence);
  int64_t Tell() const { return pos_; }
  void Close();

  bool IsOpen() const { return data_ != nullptr; }
  const std::string& Name() const { return name_; }
  int64_t Size() const { return size_; }
  const uint8_t* Data() const { return data_; }

 private:
  FileSystem* fs_ = nullptr;
  std::string name_;
  int64_t pos_ = 0;
  int64_t size_ = 0;
  const uint8_t* data_ = nullptr;
};
