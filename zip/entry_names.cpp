#include "zip/entry_names.h"

#include <algorithm>

namespace zip {

namespace {

bool IsParentSegment(std::string_view segment) {
  return std::ranges::count(segment, '.') >= 2 &&
         segment.find_first_not_of(". ") == std::string_view::npos;
}

}  // namespace

bool HasParentSegment(std::string_view name) {
  while (true) {
    const std::size_t end = name.find_first_of("/\\");
    if (IsParentSegment(name.substr(0, end))) return true;
    if (end == std::string_view::npos) return false;
    name.remove_prefix(end + 1);
  }
}

}  // namespace zip
