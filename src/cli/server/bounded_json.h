// Parsing a message body into JSON with its nesting bounded, so no later
// walk over the value (copy, comparison, dump) recurses deeper than that.
#pragma once

#include <cstddef>
#include <expected>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace lyre::server {

inline constexpr std::size_t kMaxJsonDepth = 512;

// The value, or why it was refused: not JSON, or nested deeper than
// `max_depth` arrays and objects.
std::expected<nlohmann::json, std::string> parse_bounded(std::string_view text,
                                                         std::size_t max_depth = kMaxJsonDepth);

// Compact text of `value`; invalid UTF-8 in its strings becomes U+FFFD
// instead of an exception.
std::string dump(const nlohmann::json& value);

}  // namespace lyre::server
