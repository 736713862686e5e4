// The server's position arithmetic on arbitrary bytes: lines ending in "\n",
// "\r\n" or "\r", multi-byte and broken UTF-8, UTF-16 counts, positions past
// the ends of lines and of the text, and range edits. The first byte picks
// the encoding; the next eight give a range; the rest is the text, and the
// replacement is its tail from the range's line number on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/server/position.h"
#include "cli/server/text_change.h"

namespace {

using namespace lyre::server;

void expect(bool holds) {
  if (!holds) std::abort();
}

std::size_t number(const std::uint8_t* bytes) {
  return static_cast<std::size_t>(bytes[0]) | static_cast<std::size_t>(bytes[1]) << 8;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return -1;
  const PositionEncoding encoding =
      (data[0] & 1) != 0 ? PositionEncoding::Utf8 : PositionEncoding::Utf16;
  const Range range{{number(data + 1), number(data + 3)}, {number(data + 5), number(data + 7)}};
  const std::string_view text(reinterpret_cast<const char*>(data) + 9, size - 9);

  // Every line the index gives is the one a scan gives; every column a count
  // leads to is within the line, and counting it back leads to it again.
  const LineIndex index(text);
  for (std::size_t n = 0; n < 64; ++n) {
    const LineSpan scanned = line_at(text, n);
    const LineSpan indexed = index.line(n);
    expect(scanned.number == indexed.number && scanned.start == indexed.start &&
           scanned.text == indexed.text);
    expect(scanned.start + scanned.text.size() <= text.size());
    for (std::size_t count = 0; count <= scanned.text.size() + 1; ++count) {
      const std::size_t column = byte_column(scanned.text, count, encoding);
      expect(column <= scanned.text.size());
      expect(byte_column(scanned.text, encoded_column(scanned.text, column, encoding), encoding) ==
             column);
    }
    expect(byte_column(scanned.text, SIZE_MAX, encoding) == scanned.text.size());
    if (scanned.number < n) break;  // past the last line
  }

  // A range edit splices exactly the bytes between its two clamped offsets.
  const std::size_t start = offset_of(text, range.start, encoding);
  const std::size_t end = offset_of(text, range.end, encoding);
  expect(start <= text.size() && end <= text.size());
  const std::string replacement(text.substr(std::min(text.size(), range.start.line)));
  std::string document(text);
  apply_change(document, TextChange{range, replacement}, encoding);
  const std::size_t from = start;
  const std::size_t to = std::max(start, end);
  expect(document ==
         std::string(text.substr(0, from)) + replacement + std::string(text.substr(to)));
  return 0;
}
