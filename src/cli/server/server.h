// The language server: the lifecycle, the open documents and the requests,
// one message at a time, each answered before the next is read.
#pragma once

#include <istream>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/server/analysis.h"
#include "cli/server/documents.h"
#include "cli/server/framing.h"
#include "cli/server/jsonrpc.h"

namespace lyre::server {

class Server {
 public:
  Server(Analysis& analysis, std::ostream& out) : analysis_(analysis), out_(out) {}

  // Handles one message body; the process's exit status once `exit` came.
  std::optional<int> handle(std::string_view body);
  // Tells the client that a framed message was dropped.
  void report_dropped(FramingProblem problem);

 private:
  enum class State { Uninitialized, Running, ShutDown };

  std::optional<int> handle_notification(Incoming& message);
  void handle_request(const Incoming& message);
  std::expected<nlohmann::json, RpcError> initialize(const nlohmann::json& params);
  std::expected<nlohmann::json, RpcError> navigate(const std::string& method,
                                                   const nlohmann::json& params);

  void did_open(nlohmann::json& params);
  void did_change(nlohmann::json& params);
  void did_close(const nlohmann::json& params);
  // Publishes the diagnostics of `uri` and then of the open documents that
  // import it.
  void check_with_importers(const std::string& uri);
  void publish(const OpenDocument& document);

  void send(const std::string& message);
  void log(std::string_view message);
  OpenText open_text() const;

  Analysis& analysis_;
  std::ostream& out_;
  State state_ = State::Uninitialized;
  PositionEncoding encoding_ = PositionEncoding::Utf16;
  Documents documents_;
};

// Serves the protocol on `in` and `out` until `exit` or the end of input;
// returns the exit status: 0 after `shutdown` then `exit`, else 1.
int run_server(std::istream& in, std::ostream& out, Analysis& analysis);
// The same with the analysis the server ships with.
int run_server(std::istream& in, std::ostream& out);

}  // namespace lyre::server
