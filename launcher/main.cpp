#include "launcher/launch_sequence.h"
#include "platform/startup.h"
#include "resources/bundle.h"

int main(int argc, char** argv) {
  return platform::RunProgram(argc, argv, [] {
    resources::ResourceRegistry registry;
    resources::RegisterBundle(registry);
    launcher::LaunchSequence(registry);
  });
}
