// Checking many files on several threads while their results come out in the
// order of the files, as a run on one thread gives them.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

#include "docformat/parallel.h"

namespace lyre {

using docformat::usable_threads;

// Calls `work(state, i)` for every i below `count` on up to `threads`
// threads, each with its own `State` (default-constructed), and hands each
// result to `take` on the calling thread in index order, as soon as it and
// every earlier one are done. At most a fixed window of results waits to be
// taken, so memory does not grow with `count`. With one thread, or none
// that could be started, the calling thread does the work itself.
template <class State, class Work, class Take>
void run_in_order(std::size_t count, unsigned threads, Work work, Take take) {
  using Result = std::invoke_result_t<Work&, State&, std::size_t>;
  const std::size_t started = std::min<std::size_t>(threads, count);
  const std::size_t window = 16 * std::max<std::size_t>(started, 1);
  std::mutex mutex;
  // Each side is woken only when it can go on: the caller when the result it
  // waits for is in, a worker when the window has room again.
  std::condition_variable result_in;
  std::condition_variable room;
  std::vector<std::optional<Result>> ready(window);  // result i in slot i % window
  std::size_t next = 0;                              // the next index to hand out
  std::size_t taken = 0;                             // results taken so far

  auto worker = [&] {
    State state;
    for (;;) {
      std::size_t i = 0;
      {
        std::unique_lock lock(mutex);
        room.wait(lock, [&] { return next == count || next < taken + window; });
        if (next == count) return;
        i = next++;
      }
      Result result = work(state, i);
      bool awaited = false;
      {
        std::lock_guard lock(mutex);
        ready[i % window] = std::move(result);
        awaited = i == taken;
      }
      if (awaited) result_in.notify_one();
    }
  };

  std::vector<std::jthread> workers;
  for (std::size_t t = 0; started > 1 && t < started; ++t) {
    try {
      workers.emplace_back(worker);
    } catch (const std::system_error&) {
      break;  // fewer threads do the same work, only slower
    }
  }
  if (workers.empty()) {
    State state;
    for (std::size_t i = 0; i < count; ++i) take(work(state, i));
    return;
  }
  while (taken < count) {
    std::optional<Result> result;
    bool was_full = false;
    {
      std::unique_lock lock(mutex);
      result_in.wait(lock, [&] { return ready[taken % window].has_value(); });
      result = std::move(ready[taken % window]);
      ready[taken % window].reset();
      was_full = next == taken + window;
      ++taken;
    }
    if (was_full) room.notify_all();
    take(std::move(*result));
  }
}

}  // namespace lyre
