// The zip library's exception class and its messages.
#pragma once

#include <string>

#include "platform/exception.h"

namespace zip {

class EZipError : public platform::Exception {
 public:
  explicit EZipError(std::string message) : Exception("EZipError", std::move(message)) {}
};

// A message of the library: a printf-style template and the key of its translatable text.
struct ZipMessage {
  const char* key;
  const char* text;
};

inline constexpr ZipMessage serrfilechange{
    "myzipper2.serrfilechange", "Changing output file name is not allowed while (un)zipping"};
// Argument: the archive path.
inline constexpr ZipMessage serrcorruptzip{"myzipper2.serrcorruptzip", "Corrupt ZIP file %s"};
// Argument: the compression method.
inline constexpr ZipMessage serrunsupportedcompressionformat{
    "myzipper2.serrunsupportedcompressionformat", "Unsupported compression format %d"};
// Argument: the entry's index, from 0.
inline constexpr ZipMessage serrmissingfilename{"myzipper2.serrmissingfilename",
                                                "Missing filename in entry %d"};
// Argument: the entry's index, from 0.
inline constexpr ZipMessage serrmissingarchivename{"myzipper2.serrmissingarchivename",
                                                   "Missing archive filename in streamed entry %d"};
// Argument: the disk file name.
inline constexpr ZipMessage serrfiledoesnotexist{"myzipper2.serrfiledoesnotexist",
                                                 "File \"%s\" does not exist."};
// Arguments: the stored name, the archive path.
inline constexpr ZipMessage serrcorruptentry{"myzipper2.serrcorruptentry",
                                             "Corrupt entry \"%s\" in ZIP file %s"};
// Arguments: the stored name, the archive path.
inline constexpr ZipMessage serrunsafename{"myzipper2.serrunsafename",
                                           "Unsafe entry name \"%s\" in ZIP file %s"};
// Argument: the archive name of the entry. Sizes are signed 32-bit: 2 GiB or more is refused.
inline constexpr ZipMessage serrentrytoolarge{"myzipper2.serrentrytoolarge",
                                              "Entry \"%s\" is too large for a ZIP file"};
// Argument: the number of entries; the end record counts at most 65,535.
inline constexpr ZipMessage serrtoomanyentries{"myzipper2.serrtoomanyentries",
                                               "Too many entries for a ZIP file: %d"};
// Argument: the archive path. Offsets are signed 32-bit: the archive must stay below 2 GiB.
inline constexpr ZipMessage serrarchivetoolarge{"myzipper2.serrarchivetoolarge",
                                                "ZIP file %s would be too large"};

}  // namespace zip
