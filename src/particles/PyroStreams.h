#pragma once
// The streams the particle library reads and writes through.
//
// IPyroFileIO is what a host hands the library (the game reads file-system entries through
// it). Inside the library every stream is an Engine::CAbstractFile: CPyroFileIO wraps a
// host stream, CInFile reads a block of memory, CMemoryFile grows a block of memory,
// CStdioFile and CFile read and write files on disk.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace PyroParticles {

class IPyroFileIO {
 public:
  virtual ~IPyroFileIO() = default;
  // Copies up to size bytes; returns the number copied.
  virtual size_t Read(void* buffer, size_t size) = 0;
  // Returns the number written (0 for streams that cannot be written).
  virtual size_t Write(const void* buffer, size_t size) = 0;
  // whence 0 from the start, 1 from the current position, 2 from the end.
  virtual bool Seek(int64_t offset, int whence) = 0;
  virtual int64_t Tell() const = 0;
  virtual int64_t Size() const = 0;
};

// A host stream over bytes held in memory (effects built in memory, tools and tests).
class CBytesFileIO final : public IPyroFileIO {
 public:
  explicit CBytesFileIO(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  size_t Read(void* buffer, size_t size) override {
    const size_t n = size < bytes_.size() - pos_ ? size : bytes_.size() - pos_;
    for (size_t i = 0; i < n; ++i) static_cast<uint8_t*>(buffer)[i] = bytes_[pos_ + i];
    pos_ += n;
    return n;
  }
  size_t Write(const void*, size_t) override { return 0; }
  bool Seek(int64_t, int) override { return false; }
  int64_t Tell() const override { return int64_t(pos_); }
  int64_t Size() const override { return int64_t(bytes_.size()); }

 private:
  std::vector<uint8_t> bytes_;
  size_t pos_ = 0;
};

}  // namespace PyroParticles

namespace Engine {

class CAbstractFile {
 public:
  virtual ~CAbstractFile() = default;
  // Reads up to size bytes and returns the number read.
  virtual size_t ReadSome(void* buffer, size_t size) = 0;
  virtual size_t WriteSome(const void* buffer, size_t size) = 0;
  virtual int64_t Position() const = 0;
  virtual int64_t Length() const = 0;

  // Exactly size bytes or CException "Archive serialization error: Cannot read ...".
  virtual void Read(void* buffer, size_t size);
  // Exactly size bytes or CException "Archive serialization error: Cannot write ...".
  void Write(const void* buffer, size_t size);
  int64_t Remaining() const { return Length() - Position(); }
};

// Reads a block of memory it does not own. Asking for more than is left is an error of its
// own ("CInFile : Requested size is invalid").
class CInFile : public CAbstractFile {
 public:
  CInFile(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}
  size_t ReadSome(void* buffer, size_t size) override;
  size_t WriteSome(const void*, size_t) override { return 0; }
  int64_t Position() const override { return int64_t(pos_); }
  int64_t Length() const override { return int64_t(size_); }
  void Read(void* buffer, size_t size) override;

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// A growing block of memory to write into (and read back from the start).
class CMemoryFile : public CAbstractFile {
 public:
  size_t ReadSome(void* buffer, size_t size) override;
  size_t WriteSome(const void* buffer, size_t size) override;
  int64_t Position() const override { return int64_t(readPos_); }
  int64_t Length() const override { return int64_t(bytes_.size()); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
  size_t readPos_ = 0;
};

// A C stdio stream it owns.
class CStdioFile : public CAbstractFile {
 public:
  explicit CStdioFile(FILE* file);
  ~CStdioFile() override;
  CStdioFile(const CStdioFile&) = delete;
  CStdioFile& operator=(const CStdioFile&) = delete;
  size_t ReadSome(void* buffer, size_t size) override;
  size_t WriteSome(const void* buffer, size_t size) override;
  int64_t Position() const override;
  int64_t Length() const override { return length_; }

 private:
  FILE* file_;
  int64_t length_ = 0;
};

// A file on disk by path; Open fails with "CFile::Open(...) : Unable to open file '%s'".
class CFile : public CStdioFile {
 public:
  CFile(const std::string& path, bool forWriting);
  const std::string& Path() const { return path_; }

 private:
  static FILE* Open(const std::string& path, bool forWriting);
  std::string path_;
};

}  // namespace Engine

namespace PyroParticles {

// A host stream seen as one of the library's own.
class CPyroFileIO : public Engine::CAbstractFile {
 public:
  explicit CPyroFileIO(IPyroFileIO& io);
  size_t ReadSome(void* buffer, size_t size) override { return io_.Read(buffer, size); }
  size_t WriteSome(const void* buffer, size_t size) override { return io_.Write(buffer, size); }
  int64_t Position() const override { return io_.Tell(); }
  int64_t Length() const override { return length_; }

 private:
  IPyroFileIO& io_;
  int64_t length_;
};

}  // namespace PyroParticles
