#include "cli/run_files.h"

#include "checker/in_order.h"

namespace lyre::cli {

std::vector<std::vector<Finding>> run_files(const std::vector<Input>& inputs, unsigned jobs) {
  std::vector<std::vector<Finding>> results;
  results.reserve(inputs.size());
  run_in_order<LibraryCache>(
      inputs.size(), jobs,
      [&](LibraryCache& libraries, std::size_t i) {
        if (const auto* file = std::get_if<CheckedFile>(&inputs[i])) {
          return check_one(*file, libraries);
        }
        return check_stdin(std::get<StdinText>(inputs[i]), libraries);
      },
      [&](std::vector<Finding> found) { results.push_back(std::move(found)); });
  return results;
}

}  // namespace lyre::cli
