// Every message that is not a valid one gets the protocol's answer, exactly,
// and leaves the server running.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

#include "cli/server/server.h"
#include "cli/server/session_support.h"
#include "cli/server/verdict_analysis.h"

namespace lyre::server {
namespace {

enum class Stage { Fresh, Running, ShutDown };

struct ErrorCase {
  const char* name;
  Stage stage;
  std::string body;
  std::string answer;  // the bodies written, one a line
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

std::string error(const std::string& id, int code, const std::string& message) {
  return "{\"error\":{\"code\":" + std::to_string(code) + ",\"message\":\"" + message +
         "\"},\"id\":" + id + ",\"jsonrpc\":\"2.0\"}\n";
}

std::string log(const std::string& message) {
  return "{\"jsonrpc\":\"2.0\",\"method\":\"window/logMessage\",\"params\":{\"message\":\"" +
         message + "\",\"type\":1}}\n";
}

const std::string initialize = R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{}})";
const std::string shutdown = R"({"jsonrpc":"2.0","id":0,"method":"shutdown"})";

class ServerErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ServerErrorTest, Answers) {
  VerdictAnalysis analysis;
  std::ostringstream out;
  Server server(analysis, out);
  if (GetParam().stage != Stage::Fresh) server.handle(initialize);
  if (GetParam().stage == Stage::ShutDown) server.handle(shutdown);
  out.str("");
  EXPECT_EQ(server.handle(GetParam().body), std::nullopt);
  EXPECT_EQ(bodies_of(out.str()), GetParam().answer);
}

const std::string deep = std::string(600, '[') + std::string(600, ']');
const std::string deep_enough = std::string(512, '[') + std::string(512, ']');

INSTANTIATE_TEST_SUITE_P(
    Messages, ServerErrorTest,
    ::testing::Values(
        // Not JSON, or not a message.
        ErrorCase{"NotJson", Stage::Running, "{oops", error("null", -32700, "invalid JSON")},
        ErrorCase{"Empty", Stage::Running, "", error("null", -32700, "invalid JSON")},
        ErrorCase{"TrailingText", Stage::Running, "{} x", error("null", -32700, "invalid JSON")},
        ErrorCase{"InvalidUtf8", Stage::Running, "\"\xFF\"", error("null", -32700, "invalid JSON")},
        ErrorCase{"TooDeep", Stage::Running, deep,
                  error("null", -32700, "JSON nested deeper than 512 levels")},
        ErrorCase{"DeepButAllowed", Stage::Running, deep_enough,
                  error("null", -32600, "a message must be an object")},
        ErrorCase{"Batch", Stage::Running, "[{}]",
                  error("null", -32600, "a message must be an object")},
        ErrorCase{"Number", Stage::Running, "7",
                  error("null", -32600, "a message must be an object")},
        ErrorCase{"NoVersion", Stage::Running, R"({"id":4,"method":"shutdown"})",
                  error("4", -32600, "jsonrpc must be \\\"2.0\\\"")},
        ErrorCase{"WrongVersion", Stage::Running, R"({"jsonrpc":"1.0","id":"a","method":"x"})",
                  error("\"a\"", -32600, "jsonrpc must be \\\"2.0\\\"")},
        ErrorCase{"BoolId", Stage::Running, R"({"jsonrpc":"2.0","id":true,"method":"x"})",
                  error("null", -32600, "id must be an integer or a string")},
        ErrorCase{"FractionId", Stage::Running, R"({"jsonrpc":"2.0","id":1.5,"method":"x"})",
                  error("null", -32600, "id must be an integer or a string")},
        ErrorCase{"NullId", Stage::Running, R"({"jsonrpc":"2.0","id":null,"method":"x"})",
                  error("null", -32600, "id must be an integer or a string")},
        ErrorCase{"NumberMethod", Stage::Running, R"({"jsonrpc":"2.0","id":2,"method":5})",
                  error("2", -32600, "method must be a string")},
        ErrorCase{"NoMethod", Stage::Running, R"({"jsonrpc":"2.0","id":2})",
                  error("2", -32600, "a message needs a method")},
        ErrorCase{"ScalarParams", Stage::Running,
                  R"({"jsonrpc":"2.0","id":3,"method":"shutdown","params":"x"})",
                  error("3", -32602, "params must be an object or an array")},
        ErrorCase{"ResponseIsIgnored", Stage::Running, R"({"jsonrpc":"2.0","id":9,"result":null})",
                  ""},
        // Methods.
        ErrorCase{"UnknownRequest", Stage::Running, R"({"jsonrpc":"2.0","id":5,"method":"x/y"})",
                  error("5", -32601, "unknown method 'x/y'")},
        ErrorCase{"DollarRequest", Stage::Running, R"({"jsonrpc":"2.0","id":5,"method":"$/x"})",
                  error("5", -32601, "unknown method '$/x'")},
        ErrorCase{"UnknownNotification", Stage::Running, R"({"jsonrpc":"2.0","method":"x/y"})", ""},
        ErrorCase{"CancelNotification", Stage::Running,
                  R"({"jsonrpc":"2.0","method":"$/cancelRequest","params":{"id":1}})", ""},
        ErrorCase{
            "HoverWithoutPosition", Stage::Running,
            R"({"jsonrpc":"2.0","id":6,"method":"textDocument/hover","params":{"textDocument":{"uri":"file:///a.track"}}})",
            error("6", -32602, "textDocument/hover: position must be an object")},
        ErrorCase{
            "HoverWithNegativeLine", Stage::Running,
            R"({"jsonrpc":"2.0","id":6,"method":"textDocument/hover","params":{"textDocument":{"uri":"u"},"position":{"line":-1,"character":0}}})",
            error("6", -32602, "textDocument/hover: line must be a non-negative integer")},
        ErrorCase{"DefinitionWithoutDocument", Stage::Running,
                  R"({"jsonrpc":"2.0","id":6,"method":"textDocument/definition","params":{}})",
                  error("6", -32602, "textDocument/definition: textDocument must be an object")},
        ErrorCase{
            "HoverOnClosedDocument", Stage::Running,
            R"({"jsonrpc":"2.0","id":6,"method":"textDocument/hover","params":{"textDocument":{"uri":"u"},"position":{"line":0,"character":0}}})",
            "{\"id\":6,\"jsonrpc\":\"2.0\",\"result\":null}\n"},
        ErrorCase{
            "OpenWithoutText", Stage::Running,
            R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"u"}}})",
            log("textDocument/didOpen: text must be a string")},
        ErrorCase{
            "ChangeOfClosedDocument", Stage::Running,
            R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"u"},"contentChanges":[]}})",
            log("textDocument/didChange: u is not open")},
        ErrorCase{"InitializeWithArray", Stage::Fresh,
                  R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":[]})",
                  error("1", -32602, "initialize: params must be an object")},
        ErrorCase{"InitializeTwice", Stage::Running,
                  R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})",
                  error("1", -32600, "initialize was already received")},
        // The lifecycle.
        ErrorCase{"RequestBeforeInitialize", Stage::Fresh,
                  R"({"jsonrpc":"2.0","id":1,"method":"shutdown"})",
                  error("1", -32002, "the server is not initialized yet")},
        ErrorCase{"NotificationBeforeInitialize", Stage::Fresh,
                  R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{}})", ""},
        ErrorCase{"RequestAfterShutdown", Stage::ShutDown,
                  R"({"jsonrpc":"2.0","id":"s","method":"textDocument/hover"})",
                  error("\"s\"", -32600, "the server is shutting down")},
        ErrorCase{"ShutdownTwice", Stage::ShutDown, shutdown,
                  error("0", -32600, "the server is shutting down")}));

struct ExitCase {
  const char* name;
  Stage stage;
  int status;
};

void PrintTo(const ExitCase& c, std::ostream* os) { *os << c.name; }

class ServerExitTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ServerExitTest, Status) {
  VerdictAnalysis analysis;
  std::ostringstream out;
  Server server(analysis, out);
  if (GetParam().stage != Stage::Fresh) server.handle(initialize);
  if (GetParam().stage == Stage::ShutDown) server.handle(shutdown);
  EXPECT_EQ(server.handle(R"({"jsonrpc":"2.0","method":"exit"})"), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Stages, ServerExitTest,
                         ::testing::Values(ExitCase{"BeforeInitialize", Stage::Fresh, 1},
                                           ExitCase{"WithoutShutdown", Stage::Running, 1},
                                           ExitCase{"AfterShutdown", Stage::ShutDown, 0}));

}  // namespace
}  // namespace lyre::server
