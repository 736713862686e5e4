#include "cli/formats.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "cli/rules.h"
#include "lyre/version.h"

namespace lyre::cli {

namespace {

// Keys keep the order they are written in.
using Json = nlohmann::ordered_json;

constexpr const char* kSarifSchema =
    "https://docs.oasis-open.org/sarif/sarif/v2.1.0/os/schemas/sarif-schema-2.1.0.json";

// Texts are valid UTF-8 already; a stray byte must still not stop the report.
std::string dump(const Json& json) {
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string render_text(const std::vector<Finding>& findings) {
  std::string out;
  for (const Finding& f : findings) {
    out += f.path + ":" + std::to_string(f.line) + ":" + std::to_string(f.column) + ": " +
           std::string(severity_word(f.severity)) + ": " + f.message + " [" + f.rule + "]\n";
  }
  return out;
}

// A tree of values costs many times the text it renders, so a report's
// findings are rendered one at a time into an array opened at `indent`
// spaces, as dump(2) would write it; strings hold no raw line breaks.
template <class ToJson>
std::string array_text(const std::vector<Finding>& findings, std::size_t indent, ToJson to_json) {
  if (findings.empty()) return "[]";
  const std::string inner(indent + 2, ' ');
  std::string out = "[";
  for (const Finding& f : findings) {
    out += out.size() == 1 ? "\n" : ",\n";
    out += inner;
    for (const char c : to_json(f).dump(2, ' ', false, Json::error_handler_t::replace)) {
      out += c;
      if (c == '\n') out += inner;
    }
  }
  out += '\n';
  out.append(indent, ' ');
  out += ']';
  return out;
}

Json json_finding(const Finding& f) {
  return {{"path", f.path},
          {"line", f.line},
          {"column", f.column},
          {"end_line", f.end_line},
          {"end_column", f.end_column},
          {"severity", severity_word(f.severity)},
          {"rule", f.rule},
          {"message", f.message}};
}

std::string render_json(const std::vector<Finding>& findings) {
  return array_text(findings, 0, json_finding) + "\n";
}

Json sarif_result(const Finding& f) {
  const Json region = {{"startLine", f.line},
                       {"startColumn", f.column},
                       {"endLine", f.end_line},
                       {"endColumn", f.end_column}};
  const Json location = {
      {"physicalLocation", {{"artifactLocation", {{"uri", f.path}}}, {"region", region}}}};
  return {{"ruleId", f.rule},
          {"level", severity_word(f.severity)},
          {"message", {{"text", f.message}}},
          {"locations", Json::array({location})}};
}

std::string render_sarif(const std::vector<Finding>& findings) {
  Json catalogue = Json::array();
  for (const Rule& rule : rules()) {
    catalogue.push_back({{"id", rule.id},
                         {"shortDescription", {{"text", rule.description}}},
                         {"defaultConfiguration", {{"level", severity_word(rule.severity)}}}});
  }
  // The results go in where this stands, at its indentation.
  constexpr std::string_view kPlaceholder = "<results>";
  const std::string results = std::string("\"") + std::string(kPlaceholder) + "\"";
  const Json driver = {{"name", "lyre"}, {"version", kVersion}, {"rules", catalogue}};
  const Json run = {{"tool", {{"driver", driver}}}, {"results", kPlaceholder}};
  std::string out =
      dump({{"$schema", kSarifSchema}, {"version", "2.1.0"}, {"runs", Json::array({run})}});
  const std::size_t at = out.find(results);
  const std::size_t line = out.rfind('\n', at) + 1;
  const std::size_t indent = out.find_first_not_of(' ', line) - line;
  return out.replace(at, results.size(), array_text(findings, indent, sarif_result));
}

// Workflow commands end at a line break and read '%' as an escape.
std::string escape_data(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '%':
        out += "%25";
        break;
      case '\r':
        out += "%0D";
        break;
      case '\n':
        out += "%0A";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Properties are also split at ',' and ':'.
std::string escape_property(std::string_view text) {
  std::string out;
  for (const char c : escape_data(text)) {
    switch (c) {
      case ':':
        out += "%3A";
        break;
      case ',':
        out += "%2C";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string render_github(const std::vector<Finding>& findings) {
  std::string out;
  for (const Finding& f : findings) {
    out += "::" + std::string(severity_word(f.severity)) + " file=" + escape_property(f.path) +
           ",line=" + std::to_string(f.line) + ",col=" + std::to_string(f.column) +
           ",endLine=" + std::to_string(f.end_line) + ",endColumn=" + std::to_string(f.end_column) +
           ",title=" + escape_property(f.rule) + "::" + escape_data(f.message) + "\n";
  }
  return out;
}

}  // namespace

std::string render(Format format, const std::vector<Finding>& findings) {
  switch (format) {
    case Format::Text:
      return render_text(findings);
    case Format::Json:
      return render_json(findings);
    case Format::Sarif:
      return render_sarif(findings);
    case Format::Github:
      return render_github(findings);
  }
  return {};
}

}  // namespace lyre::cli
