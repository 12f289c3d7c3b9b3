#include "particles/PyroStreams.h"

#include <cstring>

#include "particles/PyroErrors.h"

namespace Engine {

std::string Format(const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, pattern, copy);
  va_end(copy);
  std::string text(length > 0 ? size_t(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, pattern, args);
  va_end(args);
  return text;
}

void CAbstractFile::Read(void* buffer, size_t size) {
  const size_t got = ReadSome(buffer, size);
  if (got != size)
    throw CException(Format("Archive serialization error: Cannot read %d bytes, %d readed",
                            int(size), int(got)));
}

void CAbstractFile::Write(const void* buffer, size_t size) {
  const size_t put = WriteSome(buffer, size);
  if (put != size)
    throw CException(Format("Archive serialization error: Cannot write %d bytes, %d writed",
                            int(size), int(put)));
}

size_t CInFile::ReadSome(void* buffer, size_t size) {
  const size_t n = std::min(size, size_ - pos_);
  if (n > 0) std::memcpy(buffer, data_ + pos_, n);
  pos_ += n;
  return n;
}

void CInFile::Read(void* buffer, size_t size) {
  if (size > size_ - pos_)
    throw CException(
        Format("CInFile : Requested size is invalid (%d < %d)", int(size_ - pos_), int(size)));
  ReadSome(buffer, size);
}

size_t CMemoryFile::ReadSome(void* buffer, size_t size) {
  const size_t n = std::min(size, bytes_.size() - readPos_);
  if (n > 0) std::memcpy(buffer, bytes_.data() + readPos_, n);
  readPos_ += n;
  return n;
}

size_t CMemoryFile::WriteSome(const void* buffer, size_t size) {
  const auto* p = static_cast<const uint8_t*>(buffer);
  bytes_.insert(bytes_.end(), p, p + size);
  return size;
}

CStdioFile::CStdioFile(FILE* file) : file_(file) {
  if (file_ && std::fseek(file_, 0, SEEK_END) == 0) {
    length_ = std::ftell(file_);
    std::fseek(file_, 0, SEEK_SET);
  }
}

CStdioFile::~CStdioFile() {
  if (file_) std::fclose(file_);
}

size_t CStdioFile::ReadSome(void* buffer, size_t size) {
  return file_ ? std::fread(buffer, 1, size, file_) : 0;
}

size_t CStdioFile::WriteSome(const void* buffer, size_t size) {
  if (!file_) return 0;
  const size_t put = std::fwrite(buffer, 1, size, file_);
  const int64_t end = Position();
  if (end > length_) length_ = end;
  return put;
}

int64_t CStdioFile::Position() const { return file_ ? std::ftell(file_) : 0; }

FILE* CFile::Open(const std::string& path, bool forWriting) {
  FILE* file = std::fopen(path.c_str(), forWriting ? "wb" : "rb");
  if (!file) throw CException(Format("CFile::Open(...) : Unable to open file '%s'", path.c_str()));
  return file;
}

CFile::CFile(const std::string& path, bool forWriting)
    : CStdioFile(Open(path, forWriting)), path_(path) {}

}  // namespace Engine

namespace PyroParticles {

CPyroFileIO::CPyroFileIO(IPyroFileIO& io) : io_(io), length_(io.Size()) {}

}  // namespace PyroParticles
