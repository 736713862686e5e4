// The first position of each name in a list whose names live elsewhere: an
// open-addressing table of positions, so no name is copied into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace lyre::docformat {

class NameIndex {
 public:
  // `name_at(p)` gives the name at position p of the indexed list.
  template <class NameAt>
  std::optional<std::size_t> find(std::string_view name, const NameAt& name_at) const {
    if (slots_.empty()) return std::nullopt;
    const std::uint32_t hash = hash_of(name);
    for (std::size_t i = hash & mask(); slots_[i].position_plus_one != 0; i = (i + 1) & mask()) {
      const Slot& slot = slots_[i];
      if (slot.hash == hash && name_at(slot.position_plus_one - 1) == name) {
        return slot.position_plus_one - 1;
      }
    }
    return std::nullopt;
  }

  // Records `position` for its name unless an earlier position has the name.
  template <class NameAt>
  void add(std::size_t position, const NameAt& name_at) {
    if ((count_ + 1) * 2 > slots_.size()) grow();
    const std::string_view name = name_at(position);
    const std::uint32_t hash = hash_of(name);
    std::size_t i = hash & mask();
    for (; slots_[i].position_plus_one != 0; i = (i + 1) & mask()) {
      const Slot& slot = slots_[i];
      if (slot.hash == hash && name_at(slot.position_plus_one - 1) == name) return;
    }
    slots_[i] = Slot{static_cast<std::uint32_t>(position + 1), hash};
    ++count_;
  }

  void clear() {
    slots_.clear();
    count_ = 0;
  }

 private:
  struct Slot {
    std::uint32_t position_plus_one = 0;  // 0: empty
    std::uint32_t hash = 0;
  };

  static std::uint32_t hash_of(std::string_view name) {
    const std::size_t full = std::hash<std::string_view>{}(name);
    return static_cast<std::uint32_t>(full ^ (full >> 32));
  }
  std::size_t mask() const { return slots_.size() - 1; }

  void grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
    for (const Slot& slot : old) {
      if (slot.position_plus_one == 0) continue;
      std::size_t i = slot.hash & mask();
      while (slots_[i].position_plus_one != 0) i = (i + 1) & mask();
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;  // a power of two in size, at most half full
  std::size_t count_ = 0;
};

}  // namespace lyre::docformat
