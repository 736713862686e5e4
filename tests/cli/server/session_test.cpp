// Whole sessions through run_server, as an editor would hold them, each
// compared with everything the server wrote.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
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

std::string range(int start_line, int start, int end_line, int end) {
  return "{\"end\":{\"character\":" + std::to_string(end) +
         ",\"line\":" + std::to_string(end_line) +
         "},\"start\":{\"character\":" + std::to_string(start) +
         ",\"line\":" + std::to_string(start_line) + "}}";
}

// A document symbol; a section has `children`, an entry none.
std::string symbol(const std::string& name, const std::string& detail, int kind,
                   const std::string& whole, const std::string& selection,
                   const std::optional<std::string>& children = std::nullopt) {
  std::string out = "{";
  if (children) out += "\"children\":[" + *children + "],";
  out += "\"detail\":\"" + detail + "\",\"kind\":" + std::to_string(kind) + ",\"name\":\"" + name;
  return out + "\",\"range\":" + whole + ",\"selectionRange\":" + selection + "}";
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
                published(b_uri, diagnostic(0, 8, 15, "import", dir + "/a.track:5: " + problem)) +
                published(a_uri, "") + published(b_uri, "") + result(2, "[]") + result(3, "null") +
                result(4, std::string("[") +
                              symbol("Sounds", "1 entry", 3, range(0, 0, 4, 10), range(0, 2, 0, 8),
                                     symbol("kick", "1 harmonic", 12, range(2, 0, 4, 10),
                                            range(2, 3, 2, 7))) +
                              "]") +
                result(5, "[]") +
                "{\"error\":{\"code\":-32601,\"message\":\"unknown method "
                "'textDocument/formatting'\"},\"id\":6,\"jsonrpc\":\"2.0\"}\n"
                "{\"error\":{\"code\":-32700,\"message\":\"invalid JSON\"},\"id\":null,"
                "\"jsonrpc\":\"2.0\"}\n" +
                published(b_uri, "") + result(7, "null"));
}

std::string at_place(const std::string& method, int id, const std::string& uri, int line,
                     int character) {
  return request(id, method,
                 "{\"textDocument\":{\"uri\":\"" + uri + "\"},\"position\":{\"line\":" +
                     std::to_string(line) + ",\"character\":" + std::to_string(character) + "}}");
}

std::string hover(const std::string& markdown, const std::string& span) {
  return "{\"contents\":{\"kind\":\"markdown\",\"value\":\"" + markdown + "\"},\"range\":" + span +
         "}";
}

std::string directives(std::initializer_list<const char*> words) {
  std::string out;
  for (const char* word : words) {
    out += std::string(out.empty() ? "[" : ",") +
           "{\"detail\":\"directive\",\"kind\":14,\"label\":\"" + word + "\"}";
  }
  return out + "]";
}

// "è" is two bytes and one UTF-16 unit: every column after it differs.
const std::string navigated =
    "# Songs\\n## intro\\n@layer th\xC3\xA8me\\n@layer drums\\n\\n# Layers\\n## th\xC3\xA8me\\n"
    "bell 0 60 1\\n\\n# Sounds\\n## bell\\nsine 1\\n## pad\\n@decay fast\\n";

TEST(SessionTest, NavigationFromProblemToFixAndAcrossAnImport) {
  const Outcome outcome = serve(frames({
      request(1, "initialize", "{\"capabilities\":{}}"),
      notification("initialized", "{}"),
      open(a_uri, navigated),
      at_place("textDocument/definition", 2, a_uri, 2, 9),
      at_place("textDocument/hover", 3, a_uri, 7, 2),
      at_place("textDocument/hover", 4, a_uri, 2, 12),
      request(5, "textDocument/documentSymbol", "{\"textDocument\":{\"uri\":\"" + a_uri + "\"}}"),
      at_place("textDocument/completion", 6, a_uri, 3, 7),
      at_place("textDocument/completion", 7, a_uri, 13, 1),
      change(a_uri, 13, 7, 11, "0.3"),
      open(b_uri, "@import a.track\\n# Songs\\n## outro\\n@layer th\xC3\xA8me\\n"),
      at_place("textDocument/definition", 8, b_uri, 3, 12),
      at_place("textDocument/hover", 9, b_uri, 3, 7),
      at_place("textDocument/definition", 10, b_uri, 0, 3),
      request(11, "shutdown", "null"),
      notification("exit", "null"),
  }));
  EXPECT_EQ(outcome.status, 0);
  const std::string thème = "th\xC3\xA8me";
  const std::string layer_hover = "layer `" + thème + "`, ";
  const std::string drums = "unknown layer 'drums'";
  EXPECT_EQ(
      outcome.bodies,
      initialized(1, "utf-16") +
          published(a_uri, diagnostic(13, 7, 11, "parse", "invalid number for duration: 'fast'") +
                               "," + diagnostic(3, 7, 12, "unknown-layer", drums)) +
          result(2, "[{\"range\":" + range(6, 3, 6, 8) + ",\"uri\":\"" + a_uri + "\"}]") +
          result(3, hover("sound `bell`, line 11\\n\\n1 harmonic", range(7, 0, 7, 4))) +
          result(4, hover(layer_hover + "line 7\\n\\n1 note, 0 placements", range(2, 7, 2, 12))) +
          result(
              5,
              std::string("[") +
                  symbol("Songs", "1 entry", 3, range(0, 0, 4, 0), range(0, 2, 0, 7),
                         symbol("intro", "2 layers, tempo 120", 2, range(1, 0, 3, 12),
                                range(1, 3, 1, 8))) +
                  "," +
                  symbol("Layers", "1 entry", 3, range(5, 0, 8, 0), range(5, 2, 5, 8),
                         symbol(thème, "1 note, 0 placements", 5, range(6, 0, 7, 11),
                                range(6, 3, 6, 8))) +
                  "," +
                  // The failing sound is outlined without what it holds.
                  symbol(
                      "Sounds", "2 entries", 3, range(9, 0, 13, 11), range(9, 2, 9, 8),
                      symbol("bell", "1 harmonic", 12, range(10, 0, 11, 6), range(10, 3, 10, 7)) +
                          "," + symbol("pad", "", 12, range(12, 0, 13, 11), range(12, 3, 12, 6))) +
                  "]") +
          result(6, "[{\"detail\":\"line 7\",\"kind\":9,\"label\":\"" + thème + "\"}]") +
          result(7,
                 directives({"attack", "decay", "release", "sustain", "volume", "noise",
                             "distortion", "detune", "vol-jitter", "duty_sweep", "slide", "filter",
                             "vibrato", "tremolo", "arpeggio", "steps", "voice", "sample"})) +
          // The fix leaves the layer that nothing defines.
          published(a_uri, diagnostic(3, 7, 12, "unknown-layer", drums)) +
          // In the importing file, on the line that imports it.
          published(b_uri, diagnostic(0, 8, 15, "unknown-layer",
                                      "/lyre-server-session/a.track:4: " + drums)) +
          result(8, "[{\"range\":" + range(6, 3, 6, 8) + ",\"uri\":\"" + a_uri + "\"}]") +
          result(9, hover(layer_hover + "line 7 of a.track\\n\\n1 note, 0 placements",
                          range(3, 7, 3, 12))) +
          result(10, "[]") + result(11, "null"));
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
