#include "resources/resource_registry.h"

#include <algorithm>
#include <cstring>

namespace resources {

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

}  // namespace

Resource::Resource(std::string name, std::string value_type, std::vector<Bytes> pieces)
    : name_(std::move(name)), value_type_(std::move(value_type)) {
  std::ranges::transform(value_type_, value_type_.begin(), AsciiUpper);
  std::erase_if(pieces, [](Bytes piece) { return piece.empty(); });
  if (pieces.size() == 1) {
    value_ = pieces.front();
    return;
  }
  std::size_t length = 0;
  for (Bytes piece : pieces) length += piece.size();
  joined_.resize(length);
  std::size_t at = 0;
  for (Bytes piece : pieces) {
    std::memcpy(joined_.data() + at, piece.data(), piece.size());
    at += piece.size();
  }
  value_ = joined_;
}

void ResourceRegistry::Add(std::string name, std::string value_type, std::vector<Bytes> pieces) {
  if (pieces.empty()) return;
  records_.push_back(
      std::make_unique<Resource>(std::move(name), std::move(value_type), std::move(pieces)));
}

const Resource* ResourceRegistry::Find(std::string_view name) const {
  for (const auto& record : records_) {
    if (SameName(record->Name(), name)) return record.get();
  }
  return nullptr;
}

}  // namespace resources
