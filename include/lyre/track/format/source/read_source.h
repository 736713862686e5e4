// Reading an import source: a built-in `std:` library, a refused web
// address, or a file.
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "lyre/track/format/parse_error.h"

namespace lyre {

// The text of the source named by a resolved import path: a built-in
// library for "std:<name>", else the file at that path (regular files only).
// Web addresses are refused with an `ImportDownload` error; everything else
// that cannot be read is an `ImportRead` error.
std::expected<std::string, ParseError> read_source(std::string_view name);

}  // namespace lyre
