// The line readers (`track/format/`): one line of an entry body to a record
// or a line error, and the import sources (`source/`), the only code here
// that reads files. They know no entry body, no track record, no command.
//
// The line error of the track format, shared by every line reader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "lyre/docformat/parse_error.h"

namespace lyre {

class ParseError {
 public:
  struct Line {
    std::size_t line;
    std::string message;
    // The token the message quotes, a slice of the line read; empty when it
    // quotes none on that line. Only the entry's reader uses it, to place the
    // error, so equal errors may differ in it.
    std::string_view token{};
    bool operator==(const Line& other) const {
      return line == other.line && message == other.message;
    }
  };
  struct Document {
    std::string message;
    bool operator==(const Document&) const = default;
  };
  struct ImportRead {
    std::string path;
    std::string error;  // the operating system's (or the library table's) error text
    bool operator==(const ImportRead&) const = default;
  };
  struct ImportDownload {
    std::string url;
    std::string message;
    bool operator==(const ImportDownload&) const = default;
  };
  using Kind = std::variant<Line, Document, ImportRead, ImportDownload>;

  ParseError(Kind kind) : kind_(std::move(kind)) {}
  static ParseError line(std::size_t line, std::string message, std::string_view token = {}) {
    return ParseError(Line{line, std::move(message), token});
  }

  const Kind& kind() const { return kind_; }
  std::string text() const;
  std::string debug() const;
  // What the document keeps of it.
  docformat::Cause cause() const;
  bool operator==(const ParseError&) const = default;

 private:
  Kind kind_;
};

}  // namespace lyre
