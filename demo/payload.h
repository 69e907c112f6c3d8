// Deterministic stand-in content for the files a bundle carries.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace demo {

// Bytes that compress the way program files do: runs repeated from earlier in the file,
// mixed with fresh bytes. `repeated` (0 to 1) is the share of repeated bytes; the same
// seed always gives the same bytes.
std::vector<std::uint8_t> BinaryPayload(std::string_view seed, std::size_t size, double repeated);

// Text lines of words, for files meant to be read: catalogues, dictionary entries.
std::vector<std::uint8_t> TextPayload(std::string_view seed, std::size_t size);

}  // namespace demo
