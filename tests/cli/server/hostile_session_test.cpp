// The hostile inputs that are one text, opened and edited in `lyre server`
// over its standard streams: it answers, publishes diagnostics after every
// change, exits 0 after shutdown and exit, with its output within a constant
// times its input and its memory bounded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "checker/hostile_inputs_test_support.h"
#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"
#include "cli/server/session_support.h"

#ifndef LYRE_BIN
#error "LYRE_BIN must name the built program"
#endif

namespace lyre::server {
namespace {

using test_support::HostileCase;

constexpr int kTimeoutMs = 120000;

// Every message the server sends answers one it read, and each diagnostic
// quotes at most its own line, escaped in at most six bytes a byte, with a
// few hundred bytes of fixed text; a diagnostic needs a line of two bytes.
constexpr std::size_t kOutputFactor = 512;
constexpr std::size_t kOutputBase = 64 * 1024;

const std::string kDir = "/lyre-hostile-session";

// A JSON string of `text`'s bytes; bytes above 0x7F go as they are, so
// invalid UTF-8 reaches the server as a client might send it.
std::string json_string(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  out.reserve(text.size() + text.size() / 8 + 2);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string position(std::size_t line, std::size_t character) {
  return "{\"line\":" + std::to_string(line) + ",\"character\":" + std::to_string(character) + "}";
}

std::string change(const std::string& uri, int version, const std::string& content) {
  return notification("textDocument/didChange", "{\"textDocument\":{\"uri\":\"" + uri +
                                                    "\",\"version\":" + std::to_string(version) +
                                                    "},\"contentChanges\":[" + content + "]}");
}

std::string edit(std::size_t line, std::size_t from, std::size_t to, std::string_view text) {
  return "{\"range\":{\"start\":" + position(line, from) + ",\"end\":" + position(line, to) +
         "},\"text\":" + json_string(text) + "}";
}

// The session an editor holds: open the text, insert at its start, replace
// inside its middle line, append past the end of its first line, put the
// whole text back, then end.
std::string session(const std::string& uri, const std::string& text) {
  const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  return frames({
      request(1, "initialize", "{\"processId\":null,\"capabilities\":{}}"),
      notification("initialized", "{}"),
      notification("textDocument/didOpen", "{\"textDocument\":{\"uri\":\"" + uri +
                                               "\",\"languageId\":\"track\",\"version\":1,"
                                               "\"text\":" +
                                               json_string(text) + "}}"),
      change(uri, 2, edit(0, 0, 0, "# Songs\n")),
      change(uri, 3, edit(lines / 2, 1, 3, "ab\nc")),
      change(uri, 4, edit(0, 1000000000, 1000000000, " tail")),
      change(uri, 5, "{\"text\":" + json_string(text) + "}"),
      request(2, "shutdown", "null"),
      notification("exit", "null"),
  });
}

std::string uri_of(const std::string& path) { return "file://" + kDir + "/" + path; }

std::string error_at(int line, int start, int end, const std::string& code,
                     const std::string& message) {
  return "{\"code\":\"" + code + "\",\"message\":\"" + message +
         "\",\"range\":{\"end\":{\"character\":" + std::to_string(end) +
         ",\"line\":" + std::to_string(line) +
         "},\"start\":{\"character\":" + std::to_string(start) +
         ",\"line\":" + std::to_string(line) + "}},\"severity\":1,\"source\":\"lyre\"}";
}

// Five publications of nothing: the text and each edit of it are clean.
std::string clean(const std::string& path) {
  return test_support::repeat(published(uri_of(path), ""), 5);
}

// A text that is not UTF-8 is no JSON: opening it and replacing it fail,
// and the edits between find nothing open.
std::string refused(const std::string& path) {
  const std::string invalid =
      "{\"error\":{\"code\":-32700,\"message\":\"invalid "
      "JSON\"},\"id\":null,\"jsonrpc\":\"2.0\"}\n";
  const std::string not_open =
      "{\"jsonrpc\":\"2.0\",\"method\":\"window/logMessage\",\"params\":{\"message\":"
      "\"textDocument/didChange: " +
      uri_of(path) + " is not open\",\"type\":1}}\n";
  return invalid + not_open + not_open + not_open + invalid;
}

// A tuning whose step count fails: the inserted heading moves it a line
// down, the middle edit breaks its heading, the text put back restores it.
std::string bad_tuning(const std::string& path, const std::string& message, int end) {
  const std::string uri = uri_of(path);
  return published(uri, error_at(2, 6, end, "parse", message)) +
         published(uri, error_at(3, 6, end, "parse", message)) + published(uri, "") +
         published(uri, "") + published(uri, error_at(2, 6, end, "parse", message));
}

// The bodies between the answers to initialize and shutdown, for the cases
// small enough to state.
const std::map<std::string, std::string>& expectations() {
  static const std::map<std::string, std::string> table = [] {
    std::map<std::string, std::string> t;
    const std::string cycle = uri_of("cycle.track");
    const std::string harp = "unknown sound 'harp'";
    // The middle edit splits "# Layers", so the song's layer is unknown.
    t["layer_cycle"] = published(cycle, error_at(6, 0, 4, "unknown-sound", harp)) +
                       published(cycle, error_at(7, 0, 4, "unknown-sound", harp)) +
                       published(cycle, error_at(3, 7, 8, "unknown-layer", "unknown layer 'a'")) +
                       published(cycle, error_at(3, 7, 8, "unknown-layer", "unknown layer 'a'")) +
                       published(cycle, error_at(6, 0, 4, "unknown-sound", harp));
    t["tuning_at_limit"] = clean("a.track");
    t["tuning_over_limit"] =
        bad_tuning("b.track", "step count '65537' is too large (at most 65536)", 11);
    t["tuning_max_u64"] =
        bad_tuning("c.track", "step count '18446744073709551615' is too large (at most 65536)", 26);
    t["tuning_over_u64"] = bad_tuning("d.track", "invalid step count '18446744073709551616'", 26);
    // Under the inserted "# Songs" the prose line is misplaced, split in two
    // by the middle edit, until the text appended to that heading renames it.
    const std::string nul = uri_of("nul.track");
    const std::string prose = error_at(
        1, 0, 10, "header",
        "'prose\\u0000here' sits before the first block of '# Songs', where nothing reads it: "
        "move it into a '## <name>' block under '# Songs'");
    const std::string split =
        error_at(1, 0, 3, "header",
                 "'pab' sits before the first block of '# Songs', where nothing reads it: move it "
                 "into a '## <name>' block under '# Songs'") +
        "," +
        error_at(2, 0, 8, "header",
                 "'cse\\u0000here' sits before the first block of '# Songs', where nothing reads "
                 "it: move it into a '## <name>' block under '# Songs'");
    t["nul_bytes"] = published(nul, "") + published(nul, prose) + published(nul, split) +
                     published(nul, "") + published(nul, "");
    t["invalid_utf8_start"] = refused("start.track");
    t["surrogate_in_utf8"] = refused("middle.track");
    t["truncated_utf8_end"] = refused("end.track");
    t["cr_line_ends"] = clean("cr.track");
    t["crlf_line_ends"] = clean("crlf.track");
    const std::string marks = uri_of("deepmark.track");
    const auto subheader = [](int line) {
      return error_at(line, 0, 1000000, "parse", "subheader without an enclosing header");
    };
    t["million_marks"] = published(marks, subheader(0)) + published(marks, subheader(1)) +
                         published(marks, subheader(2)) + published(marks, subheader(2)) +
                         published(marks, subheader(0));
    return t;
  }();
  return table;
}

class LyreServer : public ::testing::TestWithParam<HostileCase> {};

TEST_P(LyreServer, AnswersPublishesAndExits) {
  const HostileCase& c = GetParam();
  test_support::TempTree tree;
  std::size_t input_bytes = 0;
  std::string uri;
  {
    // Dropped before the run, so the child's peak does not count it.
    const test_support::HostileInput input = c.make();
    const std::optional<std::string> text = test_support::single_text(input);
    if (!text) GTEST_SKIP() << "not one text";
    uri = uri_of(input.args.front());
    const std::string framed = session(uri, *text);
    input_bytes = framed.size();
    ASSERT_TRUE(tree.add(test_support::file("session.in", framed)));
  }
  const test_support::RunResult run = test_support::run_binary(LYRE_BIN, {"server"}, tree.root(),
                                                               kTimeoutMs, tree.at("session.in"));
  EXPECT_EQ(run.status, 0) << run.err.substr(0, 2000);
  EXPECT_EQ(run.err, "");
  EXPECT_LE(run.out.size(), kOutputFactor * input_bytes + kOutputBase);
  EXPECT_TRUE(test_support::within_memory_bound(run.peak_rss_bytes, input_bytes, run.out.size()))
      << run.peak_rss_bytes << " bytes at the peak for " << input_bytes << " of input";
  const std::string bodies = bodies_of(run.out);
  const std::string first = initialized(1, "utf-16");
  const std::string last = result(2, "null");
  ASSERT_TRUE(bodies.starts_with(first)) << bodies.substr(0, 300);
  ASSERT_TRUE(bodies.ends_with(last))
      << bodies.substr(bodies.size() - std::min<std::size_t>(bodies.size(), 300));
  const std::string middle =
      bodies.substr(first.size(), bodies.size() - first.size() - last.size());
  const auto expected = expectations().find(c.name);
  if (expected != expectations().end()) {
    EXPECT_EQ(middle, expected->second);
  } else {
    // Too large to state: one publication for the opening and each change,
    // nothing else.
    const std::string head =
        "{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/publishDiagnostics\",\"params\":{"
        "\"diagnostics\":[";
    const std::string tail = "],\"uri\":\"" + uri + "\"}}";
    std::size_t published = 0;
    for (std::size_t at = 0; at < middle.size(); ++published) {
      const std::size_t end = middle.find('\n', at);
      const std::string_view body = std::string_view(middle).substr(at, end - at);
      EXPECT_TRUE(body.starts_with(head) && body.ends_with(tail)) << body.substr(0, 300);
      at = end + 1;
    }
    EXPECT_EQ(published, 5u);
  }
}

INSTANTIATE_TEST_SUITE_P(Hostile, LyreServer, ::testing::ValuesIn(test_support::hostile_cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lyre::server
