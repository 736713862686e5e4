// `lyre server` through a session of edits: a document is opened, then the
// input is read as a sequence of incremental changes, each eight bytes of
// range (anywhere, past the ends of lines and of the text included) and its
// text up to the next NUL, with a request at the place of every fourth.
// The first byte picks the encoding the client offers.
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "server_session.h"

namespace {

using nlohmann::json;

constexpr std::string_view kUri = "file:///lyre-fuzz/song.track";
constexpr const char* kRequests[] = {"textDocument/hover", "textDocument/definition",
                                     "textDocument/completion", "textDocument/documentSymbol"};

std::string frame(const json& message) {
  // Broken UTF-8 in a text is replaced, as a client's JSON encoder would refuse it.
  const std::string body = message.dump(-1, ' ', false, json::error_handler_t::replace);
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::size_t number(const std::uint8_t* bytes) {
  return static_cast<std::size_t>(bytes[0]) | static_cast<std::size_t>(bytes[1]) << 8;
}

json position(const std::uint8_t* bytes) {
  return {{"line", number(bytes)}, {"character", number(bytes + 2)}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return -1;
  const bool utf8 = (data[0] & 1) != 0;
  json initialize = {{"jsonrpc", "2.0"}, {"id", 0}, {"method", "initialize"}};
  initialize["params"]["capabilities"]["general"]["positionEncodings"] =
      utf8 ? json::array({"utf-8", "utf-16"}) : json::array({"utf-16"});
  json open = {{"jsonrpc", "2.0"}, {"method", "textDocument/didOpen"}};
  open["params"]["textDocument"] = {
      {"uri", kUri},
      {"languageId", "track"},
      {"version", 1},
      {"text",
       "@import std:drums\n\n# Songs\n\n## intro\n@layer beat\n\n# Layers\n\n## beat\n"
       "kick 0 36 1\nsnare 1 38 1\n"}};
  json initialized = {{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", json::object()}};
  std::string stream = frame(initialize) + frame(initialized) + frame(open);

  std::size_t at = 1;
  for (int edit = 1; at + 8 <= size; ++edit) {
    const std::uint8_t* range = data + at;
    at += 8;
    const std::string_view rest(reinterpret_cast<const char*>(data) + at, size - at);
    const std::string_view text = rest.substr(0, rest.find('\0'));
    at += text.size() + 1;
    json change = {{"jsonrpc", "2.0"}, {"method", "textDocument/didChange"}};
    change["params"]["textDocument"] = {{"uri", kUri}, {"version", edit + 1}};
    change["params"]["contentChanges"] =
        json::array({{{"range", {{"start", position(range)}, {"end", position(range + 4)}}},
                      {"text", std::string(text)}}});
    stream += frame(change);
    if (edit % 4 == 0) {
      json request = {{"jsonrpc", "2.0"}, {"id", edit}, {"method", kRequests[(edit / 4) % 4]}};
      request["params"] = {{"textDocument", {{"uri", kUri}}}, {"position", position(range)}};
      stream += frame(request);
    }
  }
  stream += frame({{"jsonrpc", "2.0"}, {"id", -1}, {"method", "shutdown"}}) +
            frame({{"jsonrpc", "2.0"}, {"method", "exit"}});

  lyre::fuzz::run_server_on(stream);
  return 0;
}
