// The error type of the sectioned document format. Every stage after reading
// reports one of these, with the place in the file where it stands. What a
// reader failed with is kept as its message and the body line it names, and
// rendered as the reader would.
#pragma once

#include <concepts>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace lyre::docformat {

// Where an error stands: a line of its file and a byte span within that line.
struct Place {
  std::size_t line = 0;   // from 1; 0 where it is not known
  std::size_t begin = 0;  // bytes of the line, the end excluded
  std::size_t end = 0;
  bool operator==(const Place&) const = default;
};

// The place of `token` on file line `line`, whose text is `raw`: the token's
// bytes when it is a slice of `raw`, else the line's, trimmed.
Place place_in_line(std::size_t line, std::string_view raw, std::string_view token = {});

// What a reader failed with, as the document keeps it: the message, the line
// of the entry body that the message names (0: it names none), and the token
// it quotes. `token` is a slice of the line read, valid while the text lives:
// the section list turns it into the error's place, then drops it.
struct Cause {
  std::string message;
  std::size_t body_line = 0;
  std::string_view token{};

  // "line {body_line}: {message}", or the message alone.
  std::string text() const;
  bool operator==(const Cause& other) const {
    return message == other.message && body_line == other.body_line;
  }
};

// Turns a reader's error into a `Cause`; every error an entry type raises
// gives one.
template <class E>
concept HasCause = requires(const E& error) {
  { error.cause() } -> std::same_as<Cause>;
};

// How an entry type shows the line of its errors: the body line alone (a
// `Source` error), or the file line then the body line (a `Line` error).
enum class Numbering { BodyLine, FileLine };

class ParseError {
 public:
  struct SubheaderWithoutHeader {};
  struct LineOutsideSection {
    std::string text;
  };
  // A reader's error, shown as the reader gave it.
  struct Source {
    Cause cause;
  };
  // A reader's error, shown after the file line of the line that failed.
  struct Line {
    Cause cause;
    std::size_t line;
  };
  struct InImport {
    std::string import;
    std::shared_ptr<const ParseError> error;
  };
  using Kind = std::variant<SubheaderWithoutHeader, LineOutsideSection, Source, Line, InImport>;

  ParseError(Kind kind, Place place = {}) : kind_(std::move(kind)), place_(place) {}

  static ParseError source(Cause cause) { return ParseError(Source{std::move(cause)}); }
  static ParseError at_line(std::size_t line, Cause cause) {
    return ParseError(Line{std::move(cause), line});
  }
  template <HasCause E>
  static ParseError source(const E& error) {
    return source(error.cause());
  }
  template <HasCause E>
  static ParseError at_line(std::size_t line, const E& error) {
    return at_line(line, error.cause());
  }
  // An entry's error on body line `line`, numbered as the entry type shows it.
  static ParseError numbered(Numbering numbering, std::size_t line, Cause cause) {
    return numbering == Numbering::BodyLine ? source(std::move(cause))
                                            : at_line(line, std::move(cause));
  }
  static ParseError in_import(std::string import, ParseError error);

  const Kind& kind() const { return kind_; }
  // Where the error stands in the file it names: for an error inside an
  // import, in the imported file.
  const Place& place() const { return place_; }
  // The message without the line numbers that `text()` puts before it.
  std::string message() const;
  std::string text() const;

  // An entry's error, its line counted from 1 in the body `lines` whose first
  // line is file line `first`, renumbered to the file line (a `Line` error)
  // and placed at the token it quotes, or else at the line read, trimmed.
  ParseError located(std::span<const std::string_view> lines, std::size_t first) const;

 private:
  Kind kind_;
  Place place_;
};

}  // namespace lyre::docformat
