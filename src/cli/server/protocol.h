// The protocol's JSON shapes for what the server reads from params and
// writes in results, converting places between the negotiated encoding and
// byte columns.
#pragma once

#include <expected>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/server/analysis.h"
#include "cli/server/position.h"
#include "cli/server/text_change.h"

namespace lyre::server {

// The member `key` of `object`; null when `object` is not an object or has
// no such member.
const nlohmann::json& field(const nlohmann::json& object, const std::string& key);
// The same, for taking values out; none instead of null.
nlohmann::json* find_field(nlohmann::json& object, const std::string& key);

// Each reader names the first field that is missing or of the wrong type.
std::expected<Position, std::string> read_position(const nlohmann::json& value);
std::expected<Range, std::string> read_range(const nlohmann::json& value);
// Moves the texts out of `value`: a change can be as large as a document.
std::expected<std::vector<TextChange>, std::string> take_changes(nlohmann::json& value);
// params.textDocument.uri
std::expected<std::string, std::string> read_document_uri(const nlohmann::json& params);
// A string member of an object; take_string moves it out.
std::expected<std::string, std::string> read_string(const nlohmann::json& object,
                                                    const std::string& key);
std::expected<std::string, std::string> take_string(nlohmann::json& object, const std::string& key);

// The byte column of `position` in its line of `lines`.
TextPlace place_of(const LineIndex& lines, Position position, PositionEncoding encoding);

nlohmann::json range_json(const LineIndex& lines, TextSpan span, PositionEncoding encoding);
nlohmann::json location_json(const std::string& uri, const LineIndex& lines, TextSpan span,
                             PositionEncoding encoding);
nlohmann::json diagnostic_json(const LineIndex& lines, const Diagnostic& diagnostic,
                               PositionEncoding encoding);
nlohmann::json hover_json(const LineIndex& lines, const HoverText& hover,
                          PositionEncoding encoding);
nlohmann::json outline_json(const LineIndex& lines, const std::vector<OutlineSection>& outline,
                            PositionEncoding encoding);
nlohmann::json completion_json(const std::vector<Completion>& completions);

}  // namespace lyre::server
