// The application bundle the executable carries: a zip archive chosen at build time.
#pragma once

#include "resources/resource_registry.h"

namespace resources {

inline constexpr char kBundleResourceName[] = "korvantelprincipal";
inline constexpr char kBundleValueType[] = "ZIP";

// The bundle archive, byte for byte, as the executable's constant data.
Bytes BundleData();

// Registers the bundle as the resource "korvantelprincipal" of type "ZIP".
void RegisterBundle(ResourceRegistry& registry);

}  // namespace resources
