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
// threads, the calling one among them, each with its own `State`
// (default-constructed), and hands each result to `take`, one at a time and
// in index order, as soon as it and every earlier one are done. At most a
// fixed window of results waits to be taken, so memory does not grow with
// `count`.
template <class State, class Work, class Take>
void run_in_order(std::size_t count, unsigned threads, Work work, Take take) {
  using Result = std::invoke_result_t<Work&, State&, std::size_t>;
  const std::size_t started = std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(count, 1));
  const std::size_t window = 16 * started;
  std::mutex mutex;
  std::condition_variable room;                      // the window has room again
  std::vector<std::optional<Result>> ready(window);  // result i in slot i % window
  std::size_t next = 0;                              // the next index to hand out
  std::size_t taken = 0;                             // results taken so far
  bool taking = false;                               // a thread is handing results to `take`

  // Every thread works, and the one that finishes the result due next also
  // hands it on, with any later ones already done: no thread waits for
  // another to pass a result along.
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
      std::unique_lock lock(mutex);
      ready[i % window] = std::move(result);
      if (taking) continue;  // the thread taking results will reach this one
      taking = true;
      bool freed = false;
      while (ready[taken % window].has_value()) {
        Result due = std::move(*ready[taken % window]);
        ready[taken % window].reset();
        freed = freed || next == taken + window;
        ++taken;
        lock.unlock();
        take(std::move(due));
        lock.lock();
      }
      taking = false;
      if (freed) room.notify_all();
    }
  };

  std::vector<std::jthread> helpers;
  for (std::size_t t = 1; t < started; ++t) {
    try {
      helpers.emplace_back(worker);
    } catch (const std::system_error&) {
      break;  // fewer threads do the same work, only slower
    }
  }
  worker();
}

}  // namespace lyre
