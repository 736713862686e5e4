// Independent parts of one job run on threads of their own.
#pragma once

#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace lyre::docformat {

// The threads this process may run on: the processors it is allowed, at least 1.
unsigned usable_threads();

// Calls `part(p)` for every p below `parts`, each on a thread of its own,
// the first on the calling thread; returns when all are done. A part whose
// thread cannot be started runs on the calling thread.
template <class Part>
void run_parts(std::size_t parts, const Part& part) {
  std::vector<std::size_t> left;
  {
    std::vector<std::jthread> threads;
    for (std::size_t p = 1; p < parts; ++p) {
      try {
        threads.emplace_back([&part, p] { part(p); });
      } catch (const std::system_error&) {
        left.push_back(p);
      }
    }
    if (parts > 0) part(0);
    for (std::size_t p : left) part(p);
  }
}

}  // namespace lyre::docformat
