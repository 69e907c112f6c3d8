// make_bundle demo|full APPLICATION OUTPUT: writes a bundle-shaped archive around APPLICATION.
#include <cstdio>
#include <cstring>

#include "demo/bundle_layout.h"
#include "platform/exception.h"

int main(int argc, char** argv) {
  if (argc != 4 || (std::strcmp(argv[1], "demo") != 0 && std::strcmp(argv[1], "full") != 0)) {
    std::fprintf(stderr, "usage: make_bundle demo|full APPLICATION OUTPUT\n");
    return 2;
  }
  try {
    const bool full = std::strcmp(argv[1], "full") == 0;
    demo::WriteBundle(argv[2], argv[3], full ? demo::kFullScale : demo::kDemoScale);
  } catch (const platform::Exception& e) {
    std::fprintf(stderr, "make_bundle: %s: %s\n", e.ClassName().c_str(), e.what());
    return 1;
  }
  return 0;
}
