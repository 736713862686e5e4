// The language server on a large document: the time from a change to its
// diagnostics, and the memory it holds after many edits. Each message is
// framed, read back by the server's reader and handled, as its loop does,
// in this process.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/server/framing.h"
#include "cli/server/server.h"
#include "cli/server/verdict_analysis.h"
#include "generated_track.h"

namespace {

using lyre::bench::GeneratedTrack;
using nlohmann::json;

constexpr std::size_t kDocumentBytes = 1'000'000;
constexpr std::uint32_t kSeed = 20240601;
constexpr std::string_view kUri = "file:///bench/score.track";

// An initialized server with one document open.
class Session {
 public:
  explicit Session(const std::string& text) : server_(analysis_, out_) {
    send(json{{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
    send(json{{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", json::object()}});
    opened_ =
        send(json{{"jsonrpc", "2.0"},
                  {"method", "textDocument/didOpen"},
                  {"params",
                   {{"textDocument",
                     {{"uri", kUri}, {"languageId", "track"}, {"version", 1}, {"text", text}}}}}});
  }

  const std::string& opened() const { return opened_; }

  // What the server wrote in answer to the change.
  std::string change(const lyre::server::TextChange& change) {
    const auto& range = *change.range;
    const json change_json = {
        {"range",
         {{"start", {{"line", range.start.line}, {"character", range.start.character}}},
          {"end", {{"line", range.end.line}, {"character", range.end.character}}}}},
        {"text", change.text}};
    return send(json{{"jsonrpc", "2.0"},
                     {"method", "textDocument/didChange"},
                     {"params",
                      {{"textDocument", {{"uri", kUri}, {"version", ++version_}}},
                       {"contentChanges", json::array({change_json})}}}});
  }

 private:
  std::string send(const json& message) {
    std::stringstream wire;
    lyre::server::write_message(wire, message.dump());
    lyre::server::MessageReader reader(wire);
    auto body = reader.next();
    if (!body) return "<bad frame>";
    out_.str("");
    server_.handle(*body);
    return out_.str();
  }

  lyre::server::VerdictAnalysis analysis_;
  std::ostringstream out_;
  lyre::server::Server server_;
  std::string opened_;
  int version_ = 1;
};

// The track stays valid under every edit, so each answer is an empty list.
bool clean(std::string_view answer) {
  return answer.find("\"method\":\"textDocument/publishDiagnostics\"") != std::string_view::npos &&
         answer.find("\"diagnostics\":[]") != std::string_view::npos;
}

// A line of /proc/self/status such as "VmRSS:  1234 kB", in MB.
std::optional<double> status_megabytes(std::string_view name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(name) && line.size() > name.size() && line[name.size()] == ':') {
      return std::stod(line.substr(name.size() + 1)) * 1024 / 1e6;
    }
  }
  return std::nullopt;
}

void BM_ChangeToDiagnostics(benchmark::State& state) {
  GeneratedTrack track(kDocumentBytes, kSeed);
  const std::string text = track.text();
  Session session(text);
  if (!clean(session.opened())) return state.SkipWithError(session.opened().c_str());
  const std::vector<std::size_t> notes = track.note_lines();
  unsigned edits = 0;
  for (auto _ : state) {
    // A stride through the note lines touches the whole document.
    const std::size_t line = notes[(edits * 7919) % notes.size()];
    const std::string answer = session.change(track.set_pitch(line, edits++));
    if (!clean(answer)) return state.SkipWithError(answer.c_str());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.counters["document_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ChangeToDiagnostics)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MemoryAfterEdits(benchmark::State& state) {
  constexpr int kEdits = 10'000;
  for (auto _ : state) {
    GeneratedTrack track(static_cast<std::size_t>(state.range(0)), kSeed);
    Session session(track.text());
    if (!clean(session.opened())) return state.SkipWithError(session.opened().c_str());
    // Restarts the peak from here, so that it leaves out what ran before in
    // this process; a kernel that refuses keeps the process's peak.
    std::ofstream("/proc/self/clear_refs") << "5";
    const auto before = status_megabytes("VmRSS");
    for (int i = 0; i < kEdits; ++i) {
      const std::string answer = session.change(track.random_edit());
      if (!clean(answer)) return state.SkipWithError(answer.c_str());
    }
    const auto after = status_megabytes("VmRSS");
    const auto peak = status_megabytes("VmHWM");
    if (!before || !after || !peak) return state.SkipWithError("no memory figures in /proc");
    state.counters["rss_before_MB"] = *before;
    state.counters["rss_after_MB"] = *after;
    state.counters["peak_MB"] = *peak;
    state.counters["document_MB"] = static_cast<double>(track.text().size()) / 1e6;
  }
}
// Once, whatever repetitions are asked for: the edits take minutes.
BENCHMARK(BM_MemoryAfterEdits)
    ->Arg(kDocumentBytes)
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
