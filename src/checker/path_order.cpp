#include "checker/path_order.h"

#include <algorithm>

namespace lyre {

namespace {

// Steps through the non-empty components of a path.
class Components {
 public:
  explicit Components(std::string_view path) : rest_(path) {}

  // The next component, or an empty view when none is left.
  std::string_view next() {
    const std::size_t start = rest_.find_first_not_of('/');
    if (start == std::string_view::npos) {
      rest_ = {};
      return {};
    }
    rest_.remove_prefix(start);
    const std::size_t end = std::min(rest_.find('/'), rest_.size());
    const std::string_view component = rest_.substr(0, end);
    rest_.remove_prefix(end);
    return component;
  }

 private:
  std::string_view rest_;
};

}  // namespace

bool path_less(std::string_view a, std::string_view b) {
  const bool a_rooted = a.starts_with('/');
  const bool b_rooted = b.starts_with('/');
  if (a_rooted != b_rooted) return a_rooted;
  // The bytes both share up to their last '/' before the first difference
  // hold the same components; sorted paths share long prefixes, so the
  // comparison starts after them.
  const auto differ = static_cast<std::size_t>(
      std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
  if (const std::size_t slash = a.substr(0, differ).rfind('/'); slash != std::string_view::npos) {
    a.remove_prefix(slash + 1);
    b.remove_prefix(slash + 1);
  }
  Components left(a);
  Components right(b);
  for (;;) {
    const std::string_view x = left.next();
    const std::string_view y = right.next();
    if (x.empty() || y.empty()) return x.empty() && !y.empty();
    // char_traits<char> compares as unsigned bytes.
    const int order = x.compare(y);
    if (order != 0) return order < 0;
  }
}

void sort_paths(std::vector<CheckedFile>& files) {
  std::stable_sort(files.begin(), files.end(), [](const CheckedFile& a, const CheckedFile& b) {
    return path_less(a.path, b.path);
  });
}

}  // namespace lyre
