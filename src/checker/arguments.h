// The command line: "--refresh" anywhere, every other argument a path.
#pragma once

#include <string>
#include <vector>

namespace lyre {

struct Arguments {
  bool refresh = false;
  std::vector<std::string> paths;
};

Arguments parse_arguments(int argc, char** argv);

inline constexpr const char* kUsage =
    "usage: lyrelint [--refresh] <path>...\n"
    "  parses and resolves each .track file (directories recurse); no audio device needed\n";

}  // namespace lyre
