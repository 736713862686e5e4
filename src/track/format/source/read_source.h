// Reading an import source: a built-in `std:` library, a refused web
// address, or a file.
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "track/format/parse_error.h"

namespace lyre {

std::expected<std::string, ParseError> read_source(std::string_view name);

// Whether `read_source` serves the name from the built-in libraries, whose
// texts are the same for the whole run.
bool is_builtin_source(std::string_view name);

}  // namespace lyre
