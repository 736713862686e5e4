#include "cli/server/jsonrpc.h"

#include <utility>

#include "cli/server/bounded_json.h"

namespace lyre::server {

namespace {

Rejected invalid(nlohmann::json id, std::string message) {
  return Rejected{std::move(id), RpcError{ErrorCode::InvalidRequest, std::move(message)}};
}

}  // namespace

std::expected<Incoming, Rejected> classify(nlohmann::json message) {
  if (!message.is_object()) return std::unexpected(invalid(nullptr, "a message must be an object"));
  Incoming incoming;
  const auto id = message.find("id");
  const bool has_id = id != message.end();
  if (has_id) {
    if (!id->is_number_integer() && !id->is_string()) {
      return std::unexpected(invalid(nullptr, "id must be an integer or a string"));
    }
    incoming.id = *id;
  }
  const auto version = message.find("jsonrpc");
  if (version == message.end() || *version != "2.0") {
    return std::unexpected(invalid(incoming.id, "jsonrpc must be \"2.0\""));
  }
  const auto method = message.find("method");
  if (method == message.end()) {
    if (has_id && (message.contains("result") || message.contains("error"))) {
      incoming.kind = Incoming::Kind::Response;
      return incoming;
    }
    return std::unexpected(invalid(incoming.id, "a message needs a method"));
  }
  if (!method->is_string()) return std::unexpected(invalid(incoming.id, "method must be a string"));
  incoming.method = method->get<std::string>();
  incoming.kind = has_id ? Incoming::Kind::Request : Incoming::Kind::Notification;
  // Some clients write `"params": null` for methods without params.
  if (const auto params = message.find("params"); params != message.end() && !params->is_null()) {
    if (!params->is_object() && !params->is_array()) {
      return std::unexpected(Rejected{
          incoming.id, RpcError{ErrorCode::InvalidParams, "params must be an object or an array"}});
    }
    incoming.params = std::move(*params);
  }
  return incoming;
}

std::string result_message(const nlohmann::json& id, nlohmann::json result) {
  return dump({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

std::string error_message(const nlohmann::json& id, const RpcError& error) {
  return dump({{"jsonrpc", "2.0"},
               {"id", id},
               {"error", {{"code", static_cast<int>(error.code)}, {"message", error.message}}}});
}

std::string notification_message(std::string_view method, nlohmann::json params) {
  return dump({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
}

}  // namespace lyre::server
