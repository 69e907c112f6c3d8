#include "demo/payload.h"

#include <algorithm>
#include <array>
#include <string>

namespace demo {

namespace {

// SplitMix64: small, fast and the same on every host.
class Random {
 public:
  explicit Random(std::string_view seed) {
    for (char c : seed) state_ = (state_ ^ static_cast<std::uint8_t>(c)) * 0x100000001B3ULL;
  }
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(Next() % bound); }
  double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }

 private:
  std::uint64_t state_ = 0xCBF29CE484222325ULL;
};

}  // namespace

std::vector<std::uint8_t> BinaryPayload(std::string_view seed, std::size_t size, double repeated) {
  constexpr std::size_t kWindow = 32 * 1024;
  Random random(seed);
  std::vector<std::uint8_t> data;
  data.reserve(size);
  while (data.size() < size) {
    const std::size_t run = 8 + random.Below(56);
    if (data.size() > run && random.Unit() < repeated) {
      const std::size_t reach = std::min(data.size() - run, kWindow);
      const std::size_t from = data.size() - run - random.Below(reach + 1);
      for (std::size_t i = 0; i < run && data.size() < size; ++i) data.push_back(data[from + i]);
    } else {
      for (std::size_t i = 0; i < run && data.size() < size; ++i) {
        data.push_back(static_cast<std::uint8_t>(random.Next()));
      }
    }
  }
  return data;
}

std::vector<std::uint8_t> TextPayload(std::string_view seed, std::size_t size) {
  static constexpr std::array<std::string_view, 16> kWords = {
      "paraula", "traduccio", "diccionari", "entrada", "verb",   "nom",      "adjectiu", "forma",
      "lema",    "categoria", "genere",     "nombre",  "plural", "singular", "regla",    "arrel"};
  Random random(seed);
  std::string text;
  text.reserve(size + 16);
  while (text.size() < size) {
    const std::size_t words = 3 + random.Below(6);
    for (std::size_t i = 0; i < words; ++i) {
      text += kWords[random.Below(kWords.size())];
      text += i + 1 < words ? ' ' : '\n';
    }
  }
  text.resize(size);
  return {text.begin(), text.end()};
}

}  // namespace demo
