// The launcher's whole run: install, bring the user's files in, run the application, carry
// the files back, and remove the installation, also after a failure.
#pragma once

#include "resources/resource_registry.h"

namespace launcher {

void LaunchSequence(const resources::ResourceRegistry& registry);

}  // namespace launcher
