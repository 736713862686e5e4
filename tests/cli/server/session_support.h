// Framing for scripted sessions: what a client writes, and the bodies of
// what the server wrote back.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/server/framing.h"

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

}  // namespace lyre::server
