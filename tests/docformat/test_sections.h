// A small entry type and section record for testing the generic document
// layer without any track concept.
#pragma once

#include <expected>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/document.h"
#include "lyre/docformat/section_list.h"

namespace lyre::docformat::testing {

// Each body line names another item it refers to; the line "bad" fails.
struct Item {
  std::vector<std::string> refs;

  static std::expected<Item, ParseError> parse(std::span<const std::string_view> lines,
                                               std::size_t = 1) {
    Item item;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i] == "bad")
        return std::unexpected(ParseError::at_line(i + 1, Cause{"bad item line"}));
      if (!lines[i].empty()) item.refs.emplace_back(lines[i]);
    }
    return item;
  }
  void rename_references(const RenameMap& map) {
    for (std::string& ref : refs) rename(ref, map);
  }
};

struct Items {
  SectionList<Item> items;
  SectionList<Item> others;

  std::expected<bool, ParseError> try_parse_into(SectionBlock& block,
                                                 std::vector<ParseError>* errors = nullptr) {
    SectionList<Item>* list = block.name == "Items"    ? &items
                              : block.name == "Others" ? &others
                                                       : nullptr;
    if (!list) return false;
    auto parsed = SectionList<Item>::from_blocks(block, errors);
    if (!parsed) return std::unexpected(parsed.error());
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
      list->preamble.push_back({std::string(block.lines[i]), block.line + i});
    }
    for (auto& entry : parsed->entries) list->entries.push_back(std::move(entry));
    return true;
  }
  void set_origin(const std::string& origin) {
    for (auto* list : {&items, &others}) {
      for (auto& entry : list->entries) {
        if (!entry.origin) entry.origin = origin;
      }
    }
  }
  void merge_first_wins(Items&& other) {
    items.merge_first_wins(std::move(other.items));
    others.merge_first_wins(std::move(other.others));
  }
  // Lets the import loader merge kept sources straight from the cache.
  void merge_first_wins(const Items& other) {
    items.merge_first_wins(other.items);
    others.merge_first_wins(other.others);
  }
  void qualify_collisions(Items& imported, std::string_view alias) const {
    RenameMap map;
    items.collisions(imported.items, alias, map);
    others.collisions(imported.others, alias, map);
    imported.items.apply_renames(map);
    imported.others.apply_renames(map);
  }
};

inline std::vector<std::string> names(const SectionList<Item>& list) {
  std::vector<std::string> out;
  for (const auto& entry : list.entries) out.push_back(entry.name);
  return out;
}

}  // namespace lyre::docformat::testing
