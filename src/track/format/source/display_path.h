// Paths are byte strings; report lines are text. Invalid bytes are shown as
// the replacement character so that every line written is valid UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace lyre {

// `bytes` with every maximal invalid UTF-8 subpart replaced by one U+FFFD;
// valid text comes back unchanged.
std::string display_path(std::string_view bytes);

}  // namespace lyre
