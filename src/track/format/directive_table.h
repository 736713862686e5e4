// A family of directives read through one table: each row pairs the word
// that opens a directive with the reader of the rest of it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace lyre {

// `Reader` is a plain function pointer, so a table can be a constexpr
// std::array (a captureless lambda converts to one).
template <class Reader>
struct Directive {
  std::string_view word;
  Reader read;
};

// The reader of the row whose word is `word`, or null when no row has it.
template <class Reader, std::size_t N>
constexpr const Reader* find_directive(const std::array<Directive<Reader>, N>& table,
                                       std::string_view word) {
  for (const Directive<Reader>& row : table) {
    if (row.word == word) return &row.read;
  }
  return nullptr;
}

// True when no two rows share a word, so the order of the rows decides
// nothing: a word reaches exactly one reader or none.
template <class Reader, std::size_t N>
constexpr bool distinct_words(const std::array<Directive<Reader>, N>& table) {
  for (std::size_t i = 0; i < N; ++i) {
    for (std::size_t j = i + 1; j < N; ++j) {
      if (table[i].word == table[j].word) return false;
    }
  }
  return true;
}

}  // namespace lyre
