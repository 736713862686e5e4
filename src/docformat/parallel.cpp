#include "docformat/parallel.h"

#include <algorithm>

#ifdef __linux__
#include <sched.h>
#endif

namespace lyre::docformat {

unsigned usable_threads() {
#ifdef __linux__
  // The processors this process is allowed (`taskset` narrows them), which
  // the count of the machine's processors would not show.
  cpu_set_t allowed;
  if (sched_getaffinity(0, sizeof(allowed), &allowed) == 0) {
    return static_cast<unsigned>(std::max(1, CPU_COUNT(&allowed)));
  }
#endif
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace lyre::docformat
