#include "resources/bundle.h"

// Bounds of the archive the assembler includes (bundle_data.S).
extern "C" const std::uint8_t korvantel_bundle_begin[];
extern "C" const std::uint8_t korvantel_bundle_end[];

namespace resources {

Bytes BundleData() { return Bytes(korvantel_bundle_begin, korvantel_bundle_end); }

void RegisterBundle(ResourceRegistry& registry) {
  registry.Add(kBundleResourceName, kBundleValueType, {BundleData()});
}

}  // namespace resources
