// Writes an archive shaped like the application's bundle: 21 entries at its root, among them
// the application "korvantel.exe", the nested run-time archive "Yap.zip" (a folder tree of
// 167 entries) and the flat dictionary archive "vevivur.zip" (296 files).
#pragma once

#include <cstddef>
#include <string>

namespace demo {

struct BundleScale {
  std::size_t library_size;       // each of the 13 libraries
  std::size_t state_size;         // the run time's saved state
  std::size_t runtime_file_size;  // largest file of the run-time archive
  std::size_t catalogue_size;     // each of the three message catalogues
};

// A couple of MB: quick to build and to install.
inline constexpr BundleScale kDemoScale = {60 * 1024, 300 * 1024, 24 * 1024, 8 * 1024};
// The size of the real application's bundle: about 28 MB raw and 12 MB compressed.
inline constexpr BundleScale kFullScale = {1440 * 1024, 6 * 1024 * 1024, 64 * 1024, 48 * 1024};

void WriteBundle(const std::string& application, const std::string& output,
                 const BundleScale& scale);

}  // namespace demo
