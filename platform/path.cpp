#include "platform/path.h"

namespace platform {

namespace {

// Index just after the last "/", "\" or ":"; 0 when there is none.
std::size_t NameStart(std::string_view path) {
  const std::size_t last = path.find_last_of("\\/:");
  return last == std::string_view::npos ? 0 : last + 1;
}

}  // namespace

std::string ExtractFilePath(std::string_view path) {
  return std::string(path.substr(0, NameStart(path)));
}

std::string ExtractFileName(std::string_view path) {
  return std::string(path.substr(NameStart(path)));
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string result(path);
  if (result.empty() || !IsPathDelimiter(result.back())) result += '\\';
  return result;
}

std::size_t PosOfColon(std::string_view text) {
  const std::size_t at = text.find(':');
  return at == std::string_view::npos ? 0 : at + 1;
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
  const std::size_t dot = path.rfind('.');
  const std::size_t keep =
      (dot != std::string_view::npos && dot >= NameStart(path)) ? dot : path.size();
  std::string result(path.substr(0, keep));
  result += extension;
  return result;
}

}  // namespace platform
