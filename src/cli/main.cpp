// lyre: checks .track files and reports every problem with its place
// (`lyre check`), or serves editors as a language server (`lyre server`).
#include <cstdio>
#include <iostream>
#include <variant>

#include "cli/check_command.h"
#include "cli/command_line.h"
#include "cli/server/server.h"

int main(int argc, char** argv) {
  using namespace lyre::cli;
  const auto parsed = parse_command_line(argc, argv);
  if (std::holds_alternative<ServerOptions>(parsed)) {
    std::ios::sync_with_stdio(false);
    return lyre::server::run_server(std::cin, std::cout);
  }
  const Outcome outcome = std::holds_alternative<Outcome>(parsed)
                              ? std::get<Outcome>(parsed)
                              : run_check(std::get<CheckOptions>(parsed));
  // Standard output goes first so the order holds when both streams share a file.
  std::fwrite(outcome.out.data(), 1, outcome.out.size(), stdout);
  std::fflush(stdout);
  std::fwrite(outcome.err.data(), 1, outcome.err.size(), stderr);
  return outcome.status;
}
