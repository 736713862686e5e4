#include "cli/server/server.h"

#include <algorithm>
#include <array>
#include <utility>

#include "cli/server/bounded_json.h"
#include "cli/server/protocol.h"
#include "cli/server/uri.h"
#include "cli/server/verdict_analysis.h"
#include "lyre/track/format/source/read_source.h"
#include "lyre/version.h"

namespace lyre::server {

namespace {

using nlohmann::json;

constexpr std::array<std::string_view, 4> kNavigation = {
    "textDocument/definition", "textDocument/hover", "textDocument/documentSymbol",
    "textDocument/completion"};

std::unexpected<RpcError> invalid_params(std::string message) {
  return std::unexpected(RpcError{ErrorCode::InvalidParams, std::move(message)});
}

bool offers_utf8(const json& params) {
  const json& offered = field(field(field(params, "capabilities"), "general"), "positionEncodings");
  return offered.is_array() && std::find(offered.begin(), offered.end(), "utf-8") != offered.end();
}

}  // namespace

std::optional<int> Server::handle(std::string_view body) {
  auto value = parse_bounded(body);
  if (!value) {
    send(error_message(nullptr, RpcError{ErrorCode::ParseError, value.error()}));
    return std::nullopt;
  }
  auto message = classify(std::move(*value));
  if (!message) {
    send(error_message(message.error().id, message.error().error));
    return std::nullopt;
  }
  switch (message->kind) {
    case Incoming::Kind::Request:
      handle_request(*message);
      return std::nullopt;
    case Incoming::Kind::Notification:
      return handle_notification(*message);
    case Incoming::Kind::Response:
      return std::nullopt;  // the server sends no requests of its own
  }
  return std::nullopt;
}

void Server::report_dropped(FramingProblem problem) {
  log("dropped a message: " + describe(problem, kMaxMessageBytes));
}

void Server::handle_request(const Incoming& message) {
  auto answer = [&]() -> std::expected<json, RpcError> {
    if (message.method == "initialize") {
      if (state_ != State::Uninitialized) {
        return std::unexpected(
            RpcError{ErrorCode::InvalidRequest, "initialize was already received"});
      }
      return initialize(message.params);
    }
    if (state_ == State::Uninitialized) {
      return std::unexpected(
          RpcError{ErrorCode::ServerNotInitialized, "the server is not initialized yet"});
    }
    if (state_ == State::ShutDown) {
      return std::unexpected(RpcError{ErrorCode::InvalidRequest, "the server is shutting down"});
    }
    if (message.method == "shutdown") {
      state_ = State::ShutDown;
      return json(nullptr);
    }
    if (std::find(kNavigation.begin(), kNavigation.end(), message.method) != kNavigation.end()) {
      return navigate(message.method, message.params);
    }
    return std::unexpected(
        RpcError{ErrorCode::MethodNotFound, "unknown method '" + message.method + "'"});
  }();
  send(answer ? result_message(message.id, std::move(*answer))
              : error_message(message.id, answer.error()));
}

std::optional<int> Server::handle_notification(Incoming& message) {
  if (message.method == "exit") return state_ == State::ShutDown ? 0 : 1;
  // Before `initialize` and after `shutdown` notifications are dropped;
  // unknown ones, `$/` ones among them, are ignored.
  if (state_ != State::Running) return std::nullopt;
  if (message.method == "textDocument/didOpen") did_open(message.params);
  if (message.method == "textDocument/didChange") did_change(message.params);
  if (message.method == "textDocument/didClose") did_close(message.params);
  return std::nullopt;
}

std::expected<json, RpcError> Server::initialize(const json& params) {
  if (!params.is_object()) return invalid_params("initialize: params must be an object");
  encoding_ = offers_utf8(params) ? PositionEncoding::Utf8 : PositionEncoding::Utf16;
  state_ = State::Running;
  const json capabilities = {
      {"positionEncoding", encoding_ == PositionEncoding::Utf8 ? "utf-8" : "utf-16"},
      {"textDocumentSync",
       {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
      {"definitionProvider", true},
      {"hoverProvider", true},
      {"documentSymbolProvider", true},
      {"completionProvider", {{"triggerCharacters", {"@", " "}}}}};
  return json{{"capabilities", capabilities},
              {"serverInfo", {{"name", "lyre"}, {"version", std::string(kVersion)}}}};
}

std::expected<json, RpcError> Server::navigate(const std::string& method, const json& params) {
  auto uri = read_document_uri(params);
  if (!uri) return invalid_params(method + ": " + uri.error());
  const bool at_place = method != "textDocument/documentSymbol";
  const auto position = at_place ? read_position(field(params, "position")) : Position{};
  if (!position) return invalid_params(method + ": " + position.error());
  const OpenDocument* document = documents_.find(*uri);
  if (!document) return json(nullptr);
  const DocumentView view{document->uri, document->path, document->text};
  const LineIndex lines(document->text);
  if (!at_place) return outline_json(lines, analysis_.outline(view), encoding_);
  const TextPlace place = place_of(lines, *position, encoding_);
  if (method == "textDocument/hover") {
    auto hover = analysis_.hover(view, place, open_text());
    return hover ? hover_json(lines, *hover, encoding_) : json(nullptr);
  }
  if (method == "textDocument/completion") {
    return completion_json(analysis_.completion(view, place, open_text()));
  }
  json locations = json::array();
  for (const Target& target : analysis_.definition(view, place, open_text())) {
    // Columns in the target file are converted against its own text.
    if (const OpenDocument* open = documents_.find_by_path(target.path)) {
      locations.push_back(location_json(open->uri, LineIndex(open->text), target.span, encoding_));
    } else if (auto text = read_source(target.path)) {
      locations.push_back(
          location_json(uri_of_path(target.path), LineIndex(*text), target.span, encoding_));
    }
  }
  return locations;
}

void Server::did_open(json& params) {
  auto uri = read_document_uri(params);
  json* document = find_field(params, "textDocument");
  auto text = document ? take_string(*document, "text")
                       : std::unexpected(std::string("textDocument must be an object"));
  if (!uri || !text) {
    log("textDocument/didOpen: " + (uri ? text.error() : uri.error()));
    return;
  }
  if (!documents_.open(*uri, std::move(*text))) {
    log("textDocument/didOpen: " + *uri + " not opened: the open documents would pass " +
        std::to_string(kMaxOpenBytes) + " bytes");
    return;
  }
  check_with_importers(*uri);
}

void Server::did_change(json& params) {
  auto uri = read_document_uri(params);
  if (!uri) return log("textDocument/didChange: " + uri.error());
  OpenDocument* document = documents_.find(*uri);
  if (!document) return log("textDocument/didChange: " + *uri + " is not open");
  json* contents = find_field(params, "contentChanges");
  auto changes = contents ? take_changes(*contents)
                          : std::unexpected(std::string("contentChanges must be an array"));
  if (!changes) return log("textDocument/didChange: " + changes.error());
  if (!documents_.change(*document, *changes, encoding_)) {
    return log("textDocument/didChange: " + *uri + " not changed: the open documents would pass " +
               std::to_string(kMaxOpenBytes) + " bytes");
  }
  check_with_importers(*uri);
}

void Server::did_close(const json& params) {
  auto uri = read_document_uri(params);
  if (!uri) return log("textDocument/didClose: " + uri.error());
  if (!documents_.find(*uri)) return;
  const std::vector<std::string> importers = documents_.importers_of(*uri);
  documents_.close(*uri);
  send(notification_message("textDocument/publishDiagnostics",
                            {{"uri", *uri}, {"diagnostics", json::array()}}));
  for (const std::string& importer : importers) publish(*documents_.find(importer));
}

void Server::check_with_importers(const std::string& uri) {
  publish(*documents_.find(uri));
  for (const std::string& importer : documents_.importers_of(uri)) {
    publish(*documents_.find(importer));
  }
}

void Server::publish(const OpenDocument& document) {
  const DocumentView view{document.uri, document.path, document.text};
  const std::vector<Diagnostic> found = analysis_.diagnostics(view, open_text());
  json diagnostics = json::array();
  if (!found.empty()) {
    const LineIndex lines(document.text);
    for (const Diagnostic& diagnostic : found) {
      diagnostics.push_back(diagnostic_json(lines, diagnostic, encoding_));
    }
  }
  send(notification_message("textDocument/publishDiagnostics",
                            {{"uri", document.uri}, {"diagnostics", std::move(diagnostics)}}));
}

void Server::send(const std::string& message) { write_message(out_, message); }

void Server::log(std::string_view message) {
  // Type 1: an error, shown in the client's log.
  send(notification_message("window/logMessage", {{"type", 1}, {"message", message}}));
}

OpenText Server::open_text() const {
  return [this](std::string_view path) -> std::optional<std::string_view> {
    const OpenDocument* document = documents_.find_by_path(path);
    if (!document) return std::nullopt;
    return document->text;
  };
}

int run_server(std::istream& in, std::ostream& out, Analysis& analysis) {
  MessageReader reader(in);
  Server server(analysis, out);
  for (;;) {
    auto body = reader.next();
    if (!body) {
      if (body.error() == FramingProblem::EndOfInput) return 1;
      server.report_dropped(body.error());
      continue;
    }
    if (auto status = server.handle(*body)) return *status;
  }
}

int run_server(std::istream& in, std::ostream& out) {
  VerdictAnalysis analysis;
  return run_server(in, out, analysis);
}

}  // namespace lyre::server
