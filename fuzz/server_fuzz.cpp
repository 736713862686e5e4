// `lyre server` on arbitrary bytes as its input stream. The first byte says
// how the rest is read, so that mutations reach deep states quickly:
//   bit 0  the client offers utf-8 positions (else utf-16 is used)
//   bit 1  the rest is the raw stream, framing and all; else it is cut at
//          each NUL (which no JSON text holds) into bodies, each framed
//   bit 2  no session first: the stream starts before `initialize`
// The session is a valid initialize and initialized, then the didOpen of a
// small library and of a song file that imports it. Input is a string
// stream, so the server never waits; output is discarded; imports come from
// the open documents and the built-in libraries only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "server_session.h"

namespace {

std::string frame(std::string_view body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

std::string opened(std::string_view uri, std::string_view text) {
  return frame(R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":)"
               R"({"uri":")" +
               std::string(uri) + R"(","languageId":"track","version":1,"text":")" +
               std::string(text) + R"("}}})");
}

std::string session(bool utf8) {
  const std::string encodings = utf8 ? R"(["utf-8","utf-16"])" : R"(["utf-16"])";
  return frame(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"processId":null,)"
               R"("rootUri":"file:///lyre-fuzz","capabilities":{"general":{"positionEncodings":)" +
               encodings + "}}}}") +
         frame(R"({"jsonrpc":"2.0","method":"initialized","params":{}})") +
         opened("file:///lyre-fuzz/lib.track",
                R"(# Sounds\n\n## pad\nsine@0.5 1\n@decay 0.2\n\n# Layers\n\n## m\n)"
                R"(pad 0 60 1\npad 1 62 1\nkick 2 36 1\n)") +
         opened("file:///lyre-fuzz/song.track",
                R"(@import std:drums\n@import lib.track\n\n# Songs\n\n## intro\n@tempo 120\n)"
                R"(@layer m\n)");
}

// The bodies between NULs, each framed.
std::string framed(std::string_view rest) {
  std::string out;
  for (;;) {
    const std::size_t end = rest.find('\0');
    out += frame(rest.substr(0, end));
    if (end == std::string_view::npos) return out;
    rest.remove_prefix(end + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return -1;
  const unsigned mode = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string stream = (mode & 4) != 0 ? std::string() : session((mode & 1) != 0);
  stream += (mode & 2) != 0 ? std::string(rest) : framed(rest);

  lyre::fuzz::run_server_on(stream);
  return 0;
}
