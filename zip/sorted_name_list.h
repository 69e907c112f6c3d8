// A list of names kept in order without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zip {

// Names compare without regard to ASCII case, both for the order and for lookup; a name the
// list already holds in any case is not added again.
class SortedNameList {
 public:
  void Add(std::string name);
  // The index of `name`, compared without regard to case; -1 when the list does not hold it.
  int IndexOf(std::string_view name) const;

  int Count() const { return static_cast<int>(names_.size()); }
  bool Empty() const { return names_.empty(); }
  // `index` from 0 below Count().
  const std::string& At(int index) const { return names_.at(static_cast<std::size_t>(index)); }
  void Clear() { names_.clear(); }

 private:
  std::vector<std::string> names_;
};

}  // namespace zip
