// Where a name that refers to an entry was written, kept beside the name in
// the records so that a finding about it can point at it. Eight bytes: a
// note carries one for its sound.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace lyre::docformat {

struct NamePlace {
  std::uint32_t line = 0;  // file line from 1; 0: not written in a file
  std::uint32_t begin : 24 = 0;
  std::uint32_t length : 8 = 0;  // bytes, at most 255: a longer name's span ends there

  std::size_t end() const { return std::size_t{begin} + length; }

  // `length` bytes from byte `begin` of file line `line`; spans past what
  // the fields hold are cut short, never wrapped.
  static NamePlace span(std::size_t line, std::size_t begin, std::size_t length) {
    NamePlace place;
    place.line = static_cast<std::uint32_t>(std::min<std::size_t>(line, UINT32_MAX));
    place.begin = static_cast<std::uint32_t>(std::min<std::size_t>(begin, 0xFFFFFF));
    place.length = static_cast<std::uint32_t>(std::min<std::size_t>(length, 0xFF));
    return place;
  }

  // The place of `token`, a slice of `raw`, which is file line `line`; a
  // token that is not a slice of it stands at its start.
  static NamePlace of(std::string_view token, std::string_view raw, std::size_t line) {
    const std::less_equal<const char*> at_most;
    const bool inside =
        at_most(raw.data(), token.data()) && at_most(token.data(), raw.data() + raw.size());
    return span(line, inside ? static_cast<std::size_t>(token.data() - raw.data()) : 0,
                token.size());
  }

  // Where a name was written is not part of what a record means: two
  // records that differ only there are the same music.
  bool operator==(const NamePlace&) const { return true; }
};

// The places of a list of names, in its order; like one place, not part of
// the record's value.
struct NamePlaces : std::vector<NamePlace> {
  bool operator==(const NamePlaces&) const { return true; }
};

// A line being read, for placing the names on it: its text as the file has
// it and its file line.
struct LineAt {
  std::string_view raw;
  std::size_t line = 0;
  NamePlace of(std::string_view token) const { return NamePlace::of(token, raw, line); }
};

}  // namespace lyre::docformat
