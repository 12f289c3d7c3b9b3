#pragma once
// The particle library's exceptions. Each carries its message already formatted; callers
// catch Engine::CException to catch them all.
#include <cstdarg>
#include <exception>
#include <string>

namespace Engine {

class CException : public std::exception {
 public:
  explicit CException(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// printf-style formatting into a std::string.
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace Engine

namespace PyroParticles {

class CPyroException : public Engine::CException {
 public:
  using Engine::CException::CException;
};

namespace PyroGraphics {
class CPyroGraphicsException : public CPyroException {
 public:
  using CPyroException::CPyroException;
};
}  // namespace PyroGraphics

}  // namespace PyroParticles
