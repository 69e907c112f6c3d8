// A new file beside a target that replaces the target in one step once it is complete, so
// that a failure part way never damages what the target held.
#pragma once

#include <string>

#include "platform/native.h"

namespace platform {

class TemporaryFile {
 public:
  // Creates a file under a free name in the target's folder, open for reading and writing
  // without sharing; not open when none could be created.
  TemporaryFile(std::string target, Encoding encoding);
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  // Removes the file unless it has replaced the target.
  ~TemporaryFile();

  bool IsOpen() const { return file_.IsOpen(); }
  NativeFile& File() { return file_; }
  const std::string& Path() const { return path_; }

  // False when the system reports that the data could not be kept.
  bool Close() { return file_.Close(); }
  // Closes the file and moves it over the target; false when that fails.
  bool ReplaceTarget();

 private:
  std::string target_;
  Encoding encoding_;
  std::string path_;
  NativeFile file_;
  bool replaced_ = false;
};

}  // namespace platform
