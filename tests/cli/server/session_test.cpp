// Whole sessions through run_server, as an editor would hold them, each
// compared with everything the server wrote.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/server/server.h"
#include "cli/server/session_support.h"
#include "lyre/version.h"

namespace lyre::server {
namespace {

struct Outcome {
  int status;
  std::string bodies;
};

Outcome serve(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  const int status = run_server(in, out);
  return Outcome{status, bodies_of(out.str())};
}

std::string request(int id, const std::string& method, const std::string& params) {
  return "{\"jsonrpc\":\"2.0\",\"id\":" + std::to_string(id) + ",\"method\":\"" + method +
         "\",\"params\":" + params + "}";
}

std::string notification(const std::string& method, const std::string& params) {
  return "{\"jsonrpc\":\"2.0\",\"method\":\"" + method + "\",\"params\":" + params + "}";
}

std::string result(int id, const std::string& value) {
  return "{\"id\":" + std::to_string(id) + ",\"jsonrpc\":\"2.0\",\"result\":" + value + "}\n";
}

std::string initialized(int id, const std::string& encoding) {
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

std::string published(const std::string& uri, const std::string& diagnostics) {
  return "{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/publishDiagnostics\",\"params\":{"
         "\"diagnostics\":[" +
         diagnostics + "],\"uri\":\"" + uri + "\"}}\n";
}

std::string diagnostic(int line, int start, int end, const std::string& code,
                       const std::string& message) {
  const std::string l = std::to_string(line);
  return "{\"code\":\"" + code + "\",\"message\":\"" + message + "\",\"range\":{\"end\":{" +
         "\"character\":" + std::to_string(end) + ",\"line\":" + l + "},\"start\":{" +
         "\"character\":" + std::to_string(start) + ",\"line\":" + l +
         "}},\"severity\":1,\"source\":\"lyre\"}";
}

// No file is read: every document the session touches is open.
const std::string dir = "/lyre-server-session";
const std::string a_uri = "file://" + dir + "/a.track";
const std::string b_uri = "file://" + dir + "/b.track";
// The duration on line 5 is a word; "ä" is two bytes and one unit, "😀" four
// bytes and two units.
const std::string broken =
    "# Sounds\\n\\n## kick\\nsine@0.5 1\\n@decay f\xC3\xA4st\xF0\x9F\x98\x80\\n";
const std::string problem = "invalid number for duration: 'f\xC3\xA4st\xF0\x9F\x98\x80'";

std::string open(const std::string& uri, const std::string& text) {
  return notification("textDocument/didOpen", "{\"textDocument\":{\"uri\":\"" + uri +
                                                  "\",\"languageId\":\"track\",\"version\":1,"
                                                  "\"text\":\"" +
                                                  text + "\"}}");
}

std::string change(const std::string& uri, int line, int start, int end, const std::string& text) {
  return notification("textDocument/didChange",
                      "{\"textDocument\":{\"uri\":\"" + uri +
                          "\",\"version\":2},\"contentChanges\":[{\"range\":{\"start\":{\"line\":" +
                          std::to_string(line) + ",\"character\":" + std::to_string(start) +
                          "},\"end\":{\"line\":" + std::to_string(line) + ",\"character\":" +
                          std::to_string(end) + "}},\"text\":\"" + text + "\"}]}");
}

std::string at(const std::string& method, int id, const std::string& uri) {
  return request(
      id, method,
      "{\"textDocument\":{\"uri\":\"" + uri + "\"},\"position\":{\"line\":4,\"character\":8}}");
}

TEST(SessionTest, Utf16FromProblemToFix) {
  const Outcome outcome = serve(frames({
      request(1, "initialize", "{\"processId\":null,\"capabilities\":{}}"),
      notification("initialized", "{}"),
      open(a_uri, broken),
      open(b_uri, "@import a.track\\n\\n# Songs\\n"),
      change(a_uri, 4, 7, 13, "0.3"),
      at("textDocument/definition", 2, a_uri),
      at("textDocument/hover", 3, a_uri),
      request(4, "textDocument/documentSymbol", "{\"textDocument\":{\"uri\":\"" + a_uri + "\"}}"),
      at("textDocument/completion", 5, a_uri),
      request(6, "textDocument/formatting", "{}"),
      "{\"jsonrpc\":",
      notification("textDocument/didClose", "{\"textDocument\":{\"uri\":\"" + b_uri + "\"}}"),
      request(7, "shutdown", "null"),
      notification("exit", "null"),
  }));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.bodies,
            initialized(1, "utf-16") + published(a_uri, diagnostic(4, 7, 13, "parse", problem)) +
                // A problem inside an import names its file and line.
                published(b_uri, diagnostic(0, 0, 0, "import", dir + "/a.track:5: " + problem)) +
                published(a_uri, "") + published(b_uri, "") + result(2, "[]") + result(3, "null") +
                result(4, "[]") + result(5, "[]") +
                "{\"error\":{\"code\":-32601,\"message\":\"unknown method "
                "'textDocument/formatting'\"},\"id\":6,\"jsonrpc\":\"2.0\"}\n"
                "{\"error\":{\"code\":-32700,\"message\":\"invalid JSON\"},\"id\":null,"
                "\"jsonrpc\":\"2.0\"}\n" +
                published(b_uri, "") + result(7, "null"));
}

TEST(SessionTest, Utf8CountsBytes) {
  const Outcome outcome = serve(frames({
      request(1, "initialize",
              "{\"capabilities\":{\"general\":{\"positionEncodings\":[\"utf-16\",\"utf-8\"]}}}"),
      open(a_uri, broken),
      change(a_uri, 4, 7, 16, "0.3"),
      request(2, "shutdown", "null"),
      notification("exit", "null"),
  }));
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.bodies, initialized(1, "utf-8") +
                                published(a_uri, diagnostic(4, 7, 16, "parse", problem)) +
                                published(a_uri, "") + result(2, "null"));
}

TEST(SessionTest, ImportsInACycleBetweenOpenDocuments) {
  const Outcome outcome = serve(frames({
      request(1, "initialize", "{}"),
      open(a_uri, ""),
      open(b_uri, "@import a.track\\n"),
      change(a_uri, 0, 0, 0, "@import b.track\\n"),
      change(b_uri, 1, 0, 0, "# Songs\\n"),
      notification("exit", "null"),
  }));
  EXPECT_EQ(outcome.status, 1);
  // Each change checks the other document once, however the imports loop.
  EXPECT_EQ(outcome.bodies, initialized(1, "utf-16") + published(a_uri, "") + published(b_uri, "") +
                                published(a_uri, "") + published(b_uri, "") + published(b_uri, "") +
                                published(a_uri, ""));
}

TEST(SessionTest, EndOfInputWithoutExit) {
  const Outcome outcome = serve(frames({request(1, "initialize", "{}")}));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.bodies, initialized(1, "utf-16"));
}

TEST(SessionTest, BadFramesAreReportedAndSkipped) {
  const Outcome outcome =
      serve("Content-Length: x\r\n\r\n{}" + frame(request(1, "initialize", "{}")) +
            "Content-Type: y\r\n\r\n" + frame(notification("exit", "{}")));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.bodies,
            "{\"jsonrpc\":\"2.0\",\"method\":\"window/logMessage\",\"params\":{\"message\":"
            "\"dropped a message: a Content-Length that is not a count of bytes\",\"type\":1}}\n" +
                initialized(1, "utf-16") +
                "{\"jsonrpc\":\"2.0\",\"method\":\"window/logMessage\",\"params\":{\"message\":"
                "\"dropped a message: a header block without Content-Length\",\"type\":1}}\n");
}

// The stand-in program over real standard input and output.
TEST(SessionTest, ProgramOverStandardStreams) {
  const auto dir = std::filesystem::temp_directory_path() / "lyre_server_session_test";
  std::filesystem::create_directories(dir);
  const auto input = dir / "in";
  const auto output = dir / "out";
  std::ofstream(input, std::ios::binary)
      << frames({request(1, "initialize", "{}"), request(2, "shutdown", "null"),
                 notification("exit", "null")});
  const std::string command =
      std::string(LYRE_BIN) + " server < " + input.string() + " > " + output.string();
  const int status = std::system(command.c_str());
  std::ifstream written(output, std::ios::binary);
  const std::string bodies((std::istreambuf_iterator<char>(written)), {});
  std::filesystem::remove_all(dir);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(bodies_of(bodies), initialized(1, "utf-16") + result(2, "null"));
}

}  // namespace
}  // namespace lyre::server
