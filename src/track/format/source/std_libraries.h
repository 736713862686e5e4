// The built-in sound libraries, compiled into the program.
#pragma once

#include <optional>
#include <string_view>

namespace lyre {

// The text of a built-in library, by its full name ("std:drums"), or none.
std::optional<std::string_view> std_source(std::string_view name);

// Whether `read_source` serves the name from the built-in libraries, whose
// texts are the same for the whole run.
bool is_builtin_source(std::string_view name);

}  // namespace lyre
