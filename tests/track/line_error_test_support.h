// How the reader tables write the errors of the track format, so that a row
// states the whole error without repeating what every row of a table shares.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <variant>

#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/parse_error.h"

namespace lyre::test_support {

// A line reader's error on line `line`, written as its message alone; an
// error of another kind or line shows whole, so its row fails.
inline auto message_on_line(std::size_t line) {
  return [line](const ParseError& error) {
    const auto* e = std::get_if<ParseError::Line>(&error.kind());
    return e != nullptr && e->line == line ? e->message : error.debug();
  };
}

// An entry's error that must name its file line: its text.
inline std::string file_line_error(const docformat::ParseError& error) {
  if (!std::holds_alternative<docformat::ParseError::Line>(error.kind())) {
    return "not a file line error: " + error.text();
  }
  return error.text();
}

// An entry's error shown by its body line alone: placing it in the file adds
// no file line.
inline std::string body_line_error(const docformat::ParseError& error) {
  EXPECT_EQ(error.located({}, 40).text(), error.text());
  return error.text();
}

}  // namespace lyre::test_support
