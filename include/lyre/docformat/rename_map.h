// Old entry name to new entry name, as an import `as <alias>` renames the
// entries that collide. Flat: one vector of pairs and an index of positions,
// so a large import costs no allocation per name beyond the names.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lyre/docformat/name_index.h"

namespace lyre::docformat {

class RenameMap {
 public:
  RenameMap() = default;
  RenameMap(std::initializer_list<std::pair<std::string, std::string>> pairs) {
    for (const auto& [from, to] : pairs) insert_or_assign(from, to);
  }

  // Maps `from` to `to`, replacing an earlier mapping of `from`.
  void insert_or_assign(std::string from, std::string to) {
    if (auto position = index_.find(from, key_at())) {
      pairs_[*position].second = std::move(to);
      return;
    }
    pairs_.emplace_back(std::move(from), std::move(to));
    index_.add(pairs_.size() - 1, key_at());
  }

  // What `from` is renamed to, or null.
  const std::string* find(std::string_view from) const {
    auto position = index_.find(from, key_at());
    return position ? &pairs_[*position].second : nullptr;
  }

  bool empty() const { return pairs_.empty(); }
  std::size_t size() const { return pairs_.size(); }

  // The same mappings, in any order.
  bool operator==(const RenameMap& other) const {
    if (size() != other.size()) return false;
    for (const auto& [from, to] : pairs_) {
      const std::string* theirs = other.find(from);
      if (theirs == nullptr || *theirs != to) return false;
    }
    return true;
  }

 private:
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  struct KeyAt {
    const Pairs* pairs;
    std::string_view operator()(std::size_t position) const { return (*pairs)[position].first; }
  };
  KeyAt key_at() const { return KeyAt{&pairs_}; }

  Pairs pairs_;
  NameIndex index_;
};

}  // namespace lyre::docformat
