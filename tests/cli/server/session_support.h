// Framing for scripted sessions: what a client writes, and the bodies of
// what the server wrote back.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/server/framing.h"
#include "lyre/version.h"

namespace lyre::server {

inline std::string frame(std::string_view body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

inline std::string frames(const std::vector<std::string>& bodies) {
  std::string out;
  for (const std::string& body : bodies) out += frame(body);
  return out;
}

// The bodies written, one a line; a framing problem shows as "<bad frame>".
inline std::string bodies_of(const std::string& output) {
  std::istringstream in(output);
  MessageReader reader(in);
  std::string out;
  for (auto body = reader.next(); body || body.error() != FramingProblem::EndOfInput;
       body = reader.next()) {
    out += (body ? *body : std::string("<bad frame>")) + "\n";
  }
  return out;
}

// Message bodies as a client writes them, and the server's answers to them
// as bodies_of shows them.
inline std::string request(int id, const std::string& method, const std::string& params) {
  return "{\"jsonrpc\":\"2.0\",\"id\":" + std::to_string(id) + ",\"method\":\"" + method +
         "\",\"params\":" + params + "}";
}

inline std::string notification(const std::string& method, const std::string& params) {
  return "{\"jsonrpc\":\"2.0\",\"method\":\"" + method + "\",\"params\":" + params + "}";
}

inline std::string result(int id, const std::string& value) {
  return "{\"id\":" + std::to_string(id) + ",\"jsonrpc\":\"2.0\",\"result\":" + value + "}\n";
}

inline std::string initialized(int id, const std::string& encoding) {
  return result(id,
                "{\"capabilities\":{\"completionProvider\":{\"triggerCharacters\":[\"@\",\" \"]},"
                "\"definitionProvider\":true,\"documentSymbolProvider\":true,"
                "\"hoverProvider\":true,\"positionEncoding\":\"" +
                    encoding +
                    "\",\"textDocumentSync\":{\"change\":2,\"openClose\":true,"
                    "\"save\":{\"includeText\":false}}},\"serverInfo\":{\"name\":\"lyre\","
                    "\"version\":\"" +
                    std::string(kVersion) + "\"}}");
}

inline std::string published(const std::string& uri, const std::string& diagnostics) {
  return "{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/publishDiagnostics\",\"params\":{"
         "\"diagnostics\":[" +
         diagnostics + "],\"uri\":\"" + uri + "\"}}\n";
}

}  // namespace lyre::server
