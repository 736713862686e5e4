#include "cli/server/protocol.h"

#include <utility>

namespace lyre::server {

namespace {

using nlohmann::json;

const json* member(const json& object, const std::string& key) {
  if (!object.is_object()) return nullptr;
  const auto found = object.find(key);
  return found == object.end() ? nullptr : &*found;
}

std::expected<std::size_t, std::string> read_count(const json& object, const std::string& key) {
  const json* value = member(object, key);
  if (!value || !value->is_number_unsigned()) {
    return std::unexpected(key + " must be a non-negative integer");
  }
  return value->get<std::size_t>();
}

json position_json(const LineIndex& lines, TextPlace place, PositionEncoding encoding) {
  const LineSpan line = lines.line(place.line);
  return {{"line", line.number}, {"character", encoded_column(line.text, place.column, encoding)}};
}

}  // namespace

const json& field(const json& object, const std::string& key) {
  static const json null;
  const json* value = member(object, key);
  return value ? *value : null;
}

json* find_field(json& object, const std::string& key) {
  if (!object.is_object()) return nullptr;
  const auto found = object.find(key);
  return found == object.end() ? nullptr : &*found;
}

std::expected<Position, std::string> read_position(const json& value) {
  if (!value.is_object()) return std::unexpected(std::string("position must be an object"));
  auto line = read_count(value, "line");
  if (!line) return std::unexpected(line.error());
  auto character = read_count(value, "character");
  if (!character) return std::unexpected(character.error());
  return Position{*line, *character};
}

std::expected<Range, std::string> read_range(const json& value) {
  const json* start = member(value, "start");
  const json* end = member(value, "end");
  if (!start || !end) return std::unexpected(std::string("range needs start and end"));
  auto first = read_position(*start);
  if (!first) return std::unexpected(first.error());
  auto last = read_position(*end);
  if (!last) return std::unexpected(last.error());
  return Range{*first, *last};
}

std::expected<std::vector<TextChange>, std::string> take_changes(json& value) {
  if (!value.is_array()) return std::unexpected(std::string("contentChanges must be an array"));
  std::vector<TextChange> changes;
  for (json& entry : value) {
    auto text = take_string(entry, "text");
    if (!text) return std::unexpected(text.error());
    TextChange change{std::nullopt, std::move(*text)};
    if (const json* range = member(entry, "range")) {
      auto read = read_range(*range);
      if (!read) return std::unexpected(read.error());
      change.range = *read;
    }
    changes.push_back(std::move(change));
  }
  return changes;
}

std::expected<std::string, std::string> read_document_uri(const json& params) {
  const json* document = member(params, "textDocument");
  if (!document) return std::unexpected(std::string("textDocument must be an object"));
  return read_string(*document, "uri");
}

std::expected<std::string, std::string> read_string(const json& object, const std::string& key) {
  const json* value = member(object, key);
  if (!value || !value->is_string()) return std::unexpected(key + " must be a string");
  return value->get<std::string>();
}

std::expected<std::string, std::string> take_string(json& object, const std::string& key) {
  json* value = find_field(object, key);
  if (!value || !value->is_string()) return std::unexpected(key + " must be a string");
  return std::move(value->get_ref<std::string&>());
}

TextPlace place_of(const LineIndex& lines, Position position, PositionEncoding encoding) {
  const LineSpan line = lines.line(position.line);
  if (line.number < position.line) return TextPlace{line.number, line.text.size()};
  return TextPlace{line.number, byte_column(line.text, position.character, encoding)};
}

json range_json(const LineIndex& lines, TextSpan span, PositionEncoding encoding) {
  return {{"start", position_json(lines, span.start, encoding)},
          {"end", position_json(lines, span.end, encoding)}};
}

json location_json(const std::string& uri, const LineIndex& lines, TextSpan span,
                   PositionEncoding encoding) {
  return {{"uri", uri}, {"range", range_json(lines, span, encoding)}};
}

json diagnostic_json(const LineIndex& lines, const Diagnostic& diagnostic,
                     PositionEncoding encoding) {
  return {{"range", range_json(lines, diagnostic.span, encoding)},
          {"severity", static_cast<int>(diagnostic.severity)},
          {"code", diagnostic.code},
          {"source", "lyre"},
          {"message", diagnostic.message}};
}

json hover_json(const LineIndex& lines, const HoverText& hover, PositionEncoding encoding) {
  json result = {{"contents", {{"kind", "markdown"}, {"value", hover.markdown}}}};
  if (hover.span) result["range"] = range_json(lines, *hover.span, encoding);
  return result;
}

json outline_json(const LineIndex& lines, const std::vector<OutlineSection>& outline,
                  PositionEncoding encoding) {
  auto symbol_json = [&](const Symbol& symbol) {
    return json{{"name", symbol.name},
                {"detail", symbol.detail},
                {"kind", static_cast<int>(symbol.kind)},
                {"range", range_json(lines, symbol.span, encoding)},
                {"selectionRange", range_json(lines, symbol.name_span, encoding)}};
  };
  json result = json::array();
  for (const OutlineSection& section : outline) {
    json entry = symbol_json(section.section);
    entry["children"] = json::array();
    for (const Symbol& symbol : section.entries) entry["children"].push_back(symbol_json(symbol));
    result.push_back(std::move(entry));
  }
  return result;
}

json completion_json(const std::vector<Completion>& completions) {
  json result = json::array();
  for (const Completion& completion : completions) {
    result.push_back({{"label", completion.label},
                      {"kind", static_cast<int>(completion.kind)},
                      {"detail", completion.detail}});
  }
  return result;
}

}  // namespace lyre::server
