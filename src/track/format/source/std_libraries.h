// The built-in sound libraries, compiled into the program.
#pragma once

#include <optional>
#include <string_view>

namespace lyre {

// The text of a built-in library, by its full name ("std:drums"), or none.
std::optional<std::string_view> std_source(std::string_view name);

}  // namespace lyre
