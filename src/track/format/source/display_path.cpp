#include "track/format/source/display_path.h"

#include "track/format/source/utf8.h"

namespace lyre {

std::string display_path(std::string_view bytes) {
  constexpr std::string_view replacement = "\xEF\xBF\xBD";
  std::size_t bad = first_invalid_utf8(bytes);
  if (bad == std::string_view::npos) return std::string(bytes);
  std::string out(bytes.substr(0, bad));
  std::size_t i = bad;
  while (i < bytes.size()) {
    const Utf8Step step = utf8_step(bytes, i);
    if (step.valid) {
      out.append(bytes.substr(i, step.length));
    } else {
      out.append(replacement);
    }
    i += step.length;
  }
  return out;
}

}  // namespace lyre
