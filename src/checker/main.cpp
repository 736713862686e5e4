// lyrelint: checks .track files and reports one verdict line per file.
#include <cstdio>
#include <string>
#include <vector>

#include "checker/arguments.h"
#include "checker/check_file.h"
#include "checker/collect.h"
#include "checker/in_order.h"
#include "checker/path_order.h"
#include "track/format/source/display_path.h"

namespace {

void write(std::FILE* stream, const std::string& line) {
  // Standard output goes first so the order holds when both streams share a file.
  if (stream == stderr) std::fflush(stdout);
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
}

}  // namespace

int main(int argc, char** argv) {
  const lyre::Arguments args = lyre::parse_arguments(argc, argv);
  if (args.paths.empty()) {
    std::fflush(stdout);
    std::fputs(lyre::kUsage, stderr);
    return 1;
  }

  std::vector<lyre::CheckedFile> files;
  for (const std::string& path : args.paths) {
    if (!lyre::is_directory(path)) {
      files.push_back({path, false});
      continue;
    }
    if (auto walked = lyre::collect(path, files); !walked) {
      write(stderr, "error: reading " + lyre::display_path(path) + ": " + walked.error());
      return 1;
    }
  }
  lyre::sort_paths(files);

  std::size_t passed = 0;
  lyre::run_in_order<lyre::LibraryCache>(
      files.size(), lyre::usable_threads(),
      [&](lyre::LibraryCache& libraries, std::size_t i) {
        return lyre::check_file(files[i], args.refresh, libraries);
      },
      [&](const lyre::Verdict& verdict) {
        if (verdict.ok) ++passed;
        write(stdout, verdict.line);
      });

  const std::size_t total = files.size();
  if (passed == total) {
    write(stdout, "all " + std::to_string(total) + " tracks ok");
    return 0;
  }
  write(stderr, std::to_string(total - passed) + " of " + std::to_string(total) + " tracks failed");
  return 1;
}
