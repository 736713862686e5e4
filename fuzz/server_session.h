// Runs `lyre server` on a whole input stream held in memory, its output
// discarded, so a target never waits and keeps nothing of a session but the
// built-in libraries, parsed once.
#pragma once

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "cli/server/server.h"
#include "cli/server/verdict_analysis.h"
#include "fuzz_input.h"

namespace lyre::fuzz {

// Takes every byte and keeps none, so the stream stays good throughout.
class Discard : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

inline void run_server_on(const std::string& stream) {
  std::istringstream in(stream);
  Discard discarded;
  std::ostream out(&discarded);
  static server::VerdictAnalysis analysis(read_std_only);
  server::run_server(in, out, analysis);
}

}  // namespace lyre::fuzz
