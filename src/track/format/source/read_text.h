// Reading a file whole as UTF-8 text, with the operating system's error text.
#pragma once

#include <expected>
#include <string>

namespace lyre {

// The file's text without one leading U+FEFF. The error is the operating
// system's text (strerror), "not a regular file", or "invalid UTF-8 on line
// N" (N counted from 1 at each '\n', the line of the first invalid byte).
// With `regular_only` (files found by a directory walk) the path is checked
// before it is opened, so a FIFO or device is never opened and nothing
// blocks; a directory fails with the text of EISDIR. Without it, anything
// that can be opened and read is read once to its end (pipes, /dev/stdin).
std::expected<std::string, std::string> read_text(const std::string& path, bool regular_only);

}  // namespace lyre
