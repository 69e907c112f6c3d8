#include "zip/entry_names.h"

namespace zip {

bool HasParentSegment(std::string_view name) {
  while (true) {
    const std::size_t end = name.find_first_of("/\\");
    if (name.substr(0, end) == "..") return true;
    if (end == std::string_view::npos) return false;
    name.remove_prefix(end + 1);
  }
}

}  // namespace zip
