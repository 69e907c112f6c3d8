// The launcher meets two encodings: the current folder and the file operations speak UTF-8,
// the temporary folder, the existence test, the process start and the zip library speak the
// system code page. These convert between them where a path crosses over.
#pragma once

#include <string>

namespace launcher {

// Raises EConvertError when the code page cannot represent the path: a file looked for under
// a mangled name would silently be missed.
std::string ToSystemCodePage(const std::string& utf8);
std::string ToUtf8(const std::string& system_code_page);

}  // namespace launcher
