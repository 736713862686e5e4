#include "cli/run_files.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace lyre::cli {

namespace {

std::vector<Finding> check_input(const Input& input, LibraryCache& libraries) {
  if (const auto* file = std::get_if<CheckedFile>(&input)) return check_one(*file, libraries);
  return check_stdin(std::get<StdinText>(input), libraries);
}

}  // namespace

std::vector<std::vector<Finding>> run_files(const std::vector<Input>& inputs, unsigned jobs) {
  std::vector<std::vector<Finding>> results(inputs.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    LibraryCache libraries;
    for (std::size_t i = next++; i < inputs.size(); i = next++) {
      results[i] = check_input(inputs[i], libraries);
    }
  };
  const std::size_t threads =
      std::clamp<std::size_t>(jobs, 1, std::max<std::size_t>(inputs.size(), 1));
  {
    // Each worker writes only the slots of the indices it took.
    std::vector<std::jthread> workers;
    for (std::size_t t = 1; t < threads; ++t) {
      // Without another thread the work is the same, only slower.
      try {
        workers.emplace_back(work);
      } catch (const std::system_error&) {
        break;
      }
    }
    work();
  }
  return results;
}

}  // namespace lyre::cli
