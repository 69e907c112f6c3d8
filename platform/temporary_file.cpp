#include "platform/temporary_file.h"

namespace platform {

namespace {
// Names already taken beside the target, by earlier runs that were killed, are skipped.
constexpr int kNameAttempts = 100;
}  // namespace

TemporaryFile::TemporaryFile(std::string target, Encoding encoding)
    : target_(std::move(target)), encoding_(encoding) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string path = target_ + ".~" + std::to_string(attempt) + ".tmp";
    file_ = NativeFile::Open(path, encoding_, FileAccess::kCreateNew, FileShare::kExclusive);
    if (file_.IsOpen()) {
      path_ = std::move(path);
      return;
    }
    // Only a taken name is worth another try; a missing or closed folder refuses them all.
    if (!QueryFile(path, encoding_)) return;
  }
}

TemporaryFile::~TemporaryFile() {
  if (path_.empty() || replaced_) return;
  file_.Close();
  DeleteFileEntry(path_, encoding_);
}

bool TemporaryFile::ReplaceTarget() {
  if (path_.empty() || !file_.Close()) return false;
  replaced_ = ReplaceFileAtomically(path_, target_, encoding_);
  return replaced_;
}

}  // namespace platform
