#include "checker/arguments.h"

#include <string_view>

namespace lyre {

Arguments parse_arguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--refresh") {
      args.refresh = true;
    } else {
      args.paths.emplace_back(argv[i]);
    }
  }
  return args;
}

}  // namespace lyre
