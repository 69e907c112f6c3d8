#include "zip/sorted_name_list.h"

#include <algorithm>

namespace zip {

namespace {

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(FoldCase(x)) < static_cast<unsigned char>(FoldCase(y));
  });
}

}  // namespace

void SortedNameList::Add(std::string name) {
  const auto at = std::lower_bound(names_.begin(), names_.end(), name, LessIgnoringCase);
  if (at != names_.end() && !LessIgnoringCase(name, *at)) return;
  names_.insert(at, std::move(name));
}

int SortedNameList::IndexOf(std::string_view name) const {
  const auto at = std::lower_bound(names_.begin(), names_.end(), name,
                                   [](const std::string& held, std::string_view wanted) {
                                     return LessIgnoringCase(held, wanted);
                                   });
  if (at == names_.end() || LessIgnoringCase(name, *at)) return -1;
  return static_cast<int>(at - names_.begin());
}

}  // namespace zip
