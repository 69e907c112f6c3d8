// The failure model: every failure is an exception object that carries the name of
// its class, a formatted message and the code addresses recorded where it was raised.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace platform {

class Exception : public std::exception {
 public:
  Exception(std::string class_name, std::string message);

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& ClassName() const { return class_name_; }
  const std::string& Message() const { return message_; }
  // The code address of the failure; also the first entry of CallTrace().
  std::uintptr_t Address() const { return call_trace_.empty() ? 0 : call_trace_.front(); }
  const std::vector<std::uintptr_t>& CallTrace() const { return call_trace_; }

 private:
  std::string class_name_;
  std::string message_;
  std::vector<std::uintptr_t> call_trace_;
};

// printf-style formatting of the system's message templates ("Unable to open file "%s"").
// On Windows "printf" names the system C library's formats; the C++ library formats as GNU's.
#ifdef __MINGW32__
std::string Format(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
#else
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
#endif

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};

class EReadError : public EStreamError {
 public:
  explicit EReadError(std::string message) : EStreamError("EReadError", std::move(message)) {}
};

class EWriteError : public EStreamError {
 public:
  explicit EWriteError(std::string message) : EStreamError("EWriteError", std::move(message)) {}
};

class EFOpenError : public EStreamError {
 public:
  explicit EFOpenError(std::string message) : EStreamError("EFOpenError", std::move(message)) {}
};

class EFCreateError : public EStreamError {
 public:
  explicit EFCreateError(std::string message) : EStreamError("EFCreateError", std::move(message)) {}
};

class EInOutError : public Exception {
 public:
  explicit EInOutError(std::string message) : Exception("EInOutError", std::move(message)) {}
};

class EConvertError : public Exception {
 public:
  explicit EConvertError(std::string message) : Exception("EConvertError", std::move(message)) {}
};

class EProcess : public Exception {
 public:
  explicit EProcess(std::string message) : Exception("EProcess", std::move(message)) {}
};

// The platform's standard texts.
inline constexpr char kStreamReadError[] = "Stream read error";
inline constexpr char kStreamWriteError[] = "Stream write error";
inline constexpr char kUnableToOpenFile[] = "Unable to open file \"%s\"";
inline constexpr char kUnableToCreateFile[] = "Unable to create file \"%s\"";
inline constexpr char kCannotCreateEmptyDirectory[] = "Cannot create empty directory";

}  // namespace platform
