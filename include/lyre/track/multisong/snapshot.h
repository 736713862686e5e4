// A named set of parameter values that songs switch to as a whole.
#pragma once

#include <cstddef>
#include <expected>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "lyre/docformat/section.h"

namespace lyre {

struct Snapshot {
  std::map<std::string, float, std::less<>> values{};  // parameter name to value

  // One `<param> <value>` pair per line; a later value replaces an earlier
  // one. Errors name the line within the body only.
  static std::expected<Snapshot, docformat::ParseError> parse(
      std::span<const std::string_view> lines, std::size_t first_line = 1);

  // A snapshot refers to no other entry.
  void rename_references(const docformat::RenameMap&) {}

  bool operator==(const Snapshot&) const = default;
};

}  // namespace lyre
