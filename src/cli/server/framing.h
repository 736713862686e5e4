// The base protocol's framing: a block of `Name: value` header lines, each
// ending in "\r\n", an empty line, then exactly Content-Length bytes of body.
#pragma once

#include <cstddef>
#include <expected>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace lyre::server {

// Big enough for a 50 MB document in one message, however it is escaped.
inline constexpr std::size_t kMaxMessageBytes = std::size_t{256} << 20;
inline constexpr std::size_t kMaxHeaderLineBytes = 8192;

enum class FramingProblem {
  EndOfInput,       ///< input ended, between messages or inside one
  MissingLength,    ///< a header block without Content-Length
  InvalidLength,    ///< a Content-Length that is not a decimal count
  TooLarge,         ///< a Content-Length above the limit
  MalformedHeader,  ///< a header line without ':'
  LongHeader,       ///< a header line above kMaxHeaderLineBytes
};

// What a dropped header block was, for the client's log.
std::string describe(FramingProblem problem, std::size_t max_bytes);

class MessageReader {
 public:
  explicit MessageReader(std::istream& in, std::size_t max_bytes = kMaxMessageBytes);

  // The next body. After any problem but the end of input, reading skips to
  // the next "Content-Length:" (the start of the next message) and resumes
  // there. A body grows only as its bytes arrive, never by the size claimed.
  std::expected<std::string, FramingProblem> next();

 private:
  // One header line without its terminator; false at the end of input.
  bool read_line(std::string& line, bool& too_long);
  // Skips to just past the next "Content-Length:"; false at the end of input.
  bool skip_to_length_header();

  std::streambuf& in_;
  std::size_t max_bytes_;
  bool resyncing_ = false;
};

// Writes one framed message and flushes it, so the client sees it at once.
void write_message(std::ostream& out, std::string_view body);

}  // namespace lyre::server
