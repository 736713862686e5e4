// JSON-RPC 2.0 as the protocol uses it: telling requests, notifications and
// responses apart, and the texts of the messages the server sends.
#pragma once

#include <expected>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace lyre::server {

enum class ErrorCode {
  ParseError = -32700,
  InvalidRequest = -32600,
  MethodNotFound = -32601,
  InvalidParams = -32602,
  ServerNotInitialized = -32002,
};

struct RpcError {
  ErrorCode code;
  std::string message;
};

struct Incoming {
  enum class Kind { Request, Notification, Response };
  Kind kind = Kind::Notification;
  nlohmann::json id;  // an integer or a string for requests and responses
  std::string method;
  nlohmann::json params;  // null when absent, else an object or an array
};

// A message that is not a valid one, with the id to answer it under (null
// when the message had no usable id).
struct Rejected {
  nlohmann::json id;
  RpcError error;
};

std::expected<Incoming, Rejected> classify(nlohmann::json message);

std::string result_message(const nlohmann::json& id, nlohmann::json result);
std::string error_message(const nlohmann::json& id, const RpcError& error);
std::string notification_message(std::string_view method, nlohmann::json params);

}  // namespace lyre::server
