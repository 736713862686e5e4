#include "cli/inputs.h"

#include <algorithm>
#include <utility>

#include "checker/path_order.h"
#include "docformat/imports/imports.h"
#include "track/format/source/display_path.h"

namespace lyre::cli {

StdinText stdin_input(const std::optional<std::string>& name,
                      std::expected<std::string, std::string> text) {
  const std::string path = name.value_or("-");
  return StdinText{display_path(path), docformat::parent_path(path), std::move(text)};
}

std::string_view input_path(const Input& input) {
  if (const auto* file = std::get_if<CheckedFile>(&input)) return file->path;
  return std::get<StdinText>(input).shown;
}

std::expected<std::vector<Input>, std::string> collect_inputs(
    const std::vector<std::string>& paths, const std::optional<StdinText>& stdin_text) {
  std::vector<Input> inputs;
  std::vector<CheckedFile> files;
  for (const std::string& path : paths) {
    if (path == "-" && stdin_text) {
      inputs.emplace_back(*stdin_text);
    } else if (!is_directory(path)) {
      inputs.emplace_back(CheckedFile{path, false});
    } else if (auto walked = collect(path, files); !walked) {
      return std::unexpected("error: reading " + display_path(path) + ": " + walked.error());
    } else {
      for (CheckedFile& file : files) inputs.emplace_back(std::move(file));
      files.clear();
    }
  }
  std::stable_sort(inputs.begin(), inputs.end(), [](const Input& a, const Input& b) {
    return path_less(input_path(a), input_path(b));
  });
  return inputs;
}

}  // namespace lyre::cli
