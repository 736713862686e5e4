#include "cli/server/bounded_json.h"

namespace lyre::server {

std::expected<nlohmann::json, std::string> parse_bounded(std::string_view text,
                                                         std::size_t max_depth) {
  using nlohmann::json;
  bool too_deep = false;
  // The parser itself keeps its nesting on a heap stack; the callback drops
  // anything deeper than allowed before it is built.
  auto bound = [&](int depth, json::parse_event_t event, json&) {
    const bool opens =
        event == json::parse_event_t::object_start || event == json::parse_event_t::array_start;
    if (opens && static_cast<std::size_t>(depth) >= max_depth) too_deep = true;
    return !too_deep;
  };
  json value = json::parse(text, bound, /*allow_exceptions=*/false);
  if (too_deep) {
    return std::unexpected("JSON nested deeper than " + std::to_string(max_depth) + " levels");
  }
  if (value.is_discarded()) return std::unexpected(std::string("invalid JSON"));
  return value;
}

std::string dump(const nlohmann::json& value) {
  return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace lyre::server
