// Typed section lists: the named entries of one entry type, found by name,
// merged so that the first definition of a name wins.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lyre/docformat/name_index.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/docformat/section.h"
#include "lyre/docformat/section_block.h"

namespace lyre::docformat {

// A line before a section's first entry, kept so the document can say it is
// read by nothing; `line` is its file line.
struct PreambleLine {
  std::string text;
  std::size_t line = 0;
  bool operator==(const PreambleLine&) const = default;
};

template <class T>
struct Named {
  std::string name;
  T value;
  std::optional<std::string> origin;  // the import path for merged-in entries
  std::size_t heading = 0;            // file line of the `##` heading in its origin
  std::size_t name_column = 0;        // where the name starts on that line, in bytes
  std::size_t line = 0;               // file line of the first body line
};

template <Section T>
class SectionList {
 public:
  std::vector<PreambleLine> preamble;
  std::vector<Named<T>> entries;

  // Parses the entries of a section. Each entry's body lines are released as
  // soon as it is parsed: nothing reads them again, and for a large section
  // they would otherwise stay beside the records built from them. With
  // `errors`, an entry that fails is recorded there and still defined, with
  // default values, so that the names it has do not turn into more errors.
  static std::expected<SectionList, ParseError> from_blocks(
      SectionBlock& block, std::vector<ParseError>* errors = nullptr) {
    SectionList list;
    list.entries.reserve(block.instances.size());
    for (std::size_t index : block.instances) {
      std::optional<ParseError> error;
      list.entries.push_back(parse_entry(block.nodes[index], error));
      if (!error) continue;
      if (!errors) return std::unexpected(std::move(*error));
      errors->push_back(std::move(*error));
    }
    return list;
  }

  // One entry of a block, its body lines released. An entry that fails sets
  // `error` and comes back with default values.
  static Named<T> parse_entry(Instance& instance, std::optional<ParseError>& error) {
    auto value = T::parse(instance.lines, instance.line);
    if (!value) {
      error = value.error().located(instance.lines, instance.line);
      value = T{};
    }
    if constexpr (requires { value->take_entry_name(instance.name); }) {
      value->take_entry_name(instance.name);
    }
    Named<T> entry{std::string(instance.name), std::move(*value),    std::nullopt,
                   instance.heading,           instance.name_column, instance.line};
    std::vector<std::string_view>().swap(instance.lines);
    return entry;
  }

  // The first entry with exactly this name, or null.
  const Named<T>* find(std::string_view name) const {
    index_up_to_date();
    auto position = index_.find(name, name_at());
    return position ? &entries[*position] : nullptr;
  }

  void apply_renames(const RenameMap& map) {
    if (map.empty()) return;
    for (Named<T>& entry : entries) {
      rename(entry.name, map);
      entry.value.rename_references(map);
    }
    index_.clear();
    indexed_ = 0;
  }

  void merge_first_wins(SectionList&& incoming) {
    for (PreambleLine& line : incoming.preamble) preamble.push_back(std::move(line));
    for (Named<T>& entry : incoming.entries) {
      if (find(entry.name)) continue;
      entries.push_back(std::move(entry));
    }
  }

  // The same merge from a list that is kept as it is: only the entries that
  // win are copied.
  void merge_first_wins(const SectionList& incoming) {
    preamble.insert(preamble.end(), incoming.preamble.begin(), incoming.preamble.end());
    for (const Named<T>& entry : incoming.entries) {
      if (find(entry.name)) continue;
      entries.push_back(entry);
    }
  }

  // Maps every incoming name that an existing entry already has to
  // "{alias}::{name}".
  void collisions(const SectionList& incoming, std::string_view alias, RenameMap& map) const {
    for (const Named<T>& entry : incoming.entries) {
      if (find(entry.name)) {
        map.insert_or_assign(entry.name, std::string(alias) + "::" + entry.name);
      }
    }
  }

 private:
  auto name_at() const {
    return [this](std::size_t position) -> std::string_view { return entries[position].name; };
  }
  // Extends the index lazily over the entries appended since the last look-up.
  void index_up_to_date() const {
    for (; indexed_ < entries.size(); ++indexed_) index_.add(indexed_, name_at());
  }
  mutable NameIndex index_;
  mutable std::size_t indexed_ = 0;
};

}  // namespace lyre::docformat
