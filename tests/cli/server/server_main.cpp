// Serves the protocol on standard input and output, as `lyre server` will.
#include <iostream>

#include "cli/server/server.h"

int main() {
  std::ios::sync_with_stdio(false);
  return lyre::server::run_server(std::cin, std::cout);
}
