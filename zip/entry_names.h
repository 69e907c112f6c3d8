// Rules for the names an archive stores for its entries.
#pragma once

#include <string_view>

namespace zip {

// True when a ".." segment (between "/", "\" or the ends of the name) would lead out of the
// folder the entry is extracted into.
bool HasParentSegment(std::string_view name);

}  // namespace zip
