// Rules for the names an archive stores for its entries.
#pragma once

#include <string_view>

namespace zip {

// True when a ".." segment (between "/", "\" or the ends of the name) would lead out of the
// folder the entry is extracted into. Windows drops trailing dots and spaces from names, so
// any segment of nothing but dots and spaces with two dots or more counts as one: ".. " and
// "..." could end up as "..".
bool HasParentSegment(std::string_view name);

}  // namespace zip
