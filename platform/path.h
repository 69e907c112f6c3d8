// Path text helpers with Windows conventions: "\" and "/" separate folders, ":" a drive.
#pragma once

#include <string>
#include <string_view>

namespace platform {

inline bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

// Up to and including the last "/", "\" or ":"; empty when there is none.
std::string ExtractFilePath(std::string_view path);
// What follows the last "/", "\" or ":"; the whole text when there is none.
std::string ExtractFileName(std::string_view path);
// "\" appended unless the text already ends in "/" or "\"; an empty text becomes "\".
std::string IncludeTrailingPathDelimiter(std::string_view path);
// 1-based position of the first ":", 0 when there is none.
std::size_t PosOfColon(std::string_view text);
// The extension (from the last "." after the last separator or ":") replaced by `extension`,
// or `extension` appended when there is none.
std::string ChangeFileExt(std::string_view path, std::string_view extension);

}  // namespace platform
