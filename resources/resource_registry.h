// The process-wide list of named resources the executable carries.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/exception.h"

namespace resources {

// Raised for a resource name that is not registered.
class EResNotFound : public platform::Exception {
 public:
  explicit EResNotFound(const std::string& name)
      : Exception("EResNotFound", platform::Format("Resource \"%s\" not found", name.c_str())) {}
};

using Bytes = std::span<const std::uint8_t>;

class Resource {
 public:
  Resource(std::string name, std::string value_type, std::vector<Bytes> pieces);
  Resource(const Resource&) = delete;
  Resource& operator=(const Resource&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& ValueType() const { return value_type_; }
  Bytes Value() const { return value_; }

 private:
  std::string name_;
  std::string value_type_;
  std::vector<std::uint8_t> joined_;  // empty when the value is a single piece
  Bytes value_;
};

class ResourceRegistry {
 public:
  // Appends a record whose value is the pieces joined in order; an existing record of the
  // same name stays. A single piece is referred to, not copied, so it must outlive the
  // registry (the bundle's pieces are the executable's constant data). An empty list of
  // pieces registers nothing.
  void Add(std::string name, std::string value_type, std::vector<Bytes> pieces);

  // Names compare whole, ASCII letters without regard to case; nullptr when not registered.
  const Resource* Find(std::string_view name) const;

 private:
  std::vector<std::unique_ptr<Resource>> records_;
};

}  // namespace resources
