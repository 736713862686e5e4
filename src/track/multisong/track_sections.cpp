#include "lyre/track/multisong/track_sections.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "docformat/parallel.h"
#include "lyre/docformat/parse_error.h"

namespace lyre {

namespace {

// Calls f(list_of_this, list_of_other) for the nine fields in order.
template <class A, class B, class F>
void zip_lists(A&& a, B&& b, F&& f) {
  [&]<std::size_t... I>(std::index_sequence<I...>) { (f(std::get<I>(a), std::get<I>(b)), ...); }
  (std::make_index_sequence<TrackSections::kSections.size()>{});
}

// Below this many body lines a section is parsed on the calling thread alone:
// starting threads would cost more than they save.
constexpr std::size_t kLinesPerThread = 50'000;

// The section's entries parsed in runs of about equal line counts, one run
// per thread, then joined in file order. Without `errors` the first error in
// file order is the result, as a parse on one thread gives it.
template <class List>
std::expected<List, docformat::ParseError> parse_entries(
    docformat::SectionBlock& block, std::vector<docformat::ParseError>* errors) {
  std::size_t lines = 0;
  for (std::size_t index : block.instances) lines += block.nodes[index].lines.size();
  const std::size_t threads = std::min<std::size_t>(
      {docformat::usable_threads(), lines / kLinesPerThread, block.instances.size()});
  if (threads <= 1) return List::from_blocks(block, errors);

  // Run r starts at entry starts[r]; its end is the next run's start.
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 0, taken = 0; i < block.instances.size(); ++i) {
    if (taken >= lines * starts.size() / threads) starts.push_back(i);
    taken += block.nodes[block.instances[i]].lines.size();
  }
  starts.push_back(block.instances.size());
  // Each run fills its own slots of the one list, so no entry is moved twice.
  List list;
  list.entries.resize(block.instances.size());
  std::vector<std::vector<docformat::ParseError>> run_errors(starts.size() - 1);
  docformat::run_parts(run_errors.size(), [&](std::size_t r) {
    for (std::size_t i = starts[r]; i < starts[r + 1]; ++i) {
      std::optional<docformat::ParseError> error;
      list.entries[i] = List::parse_entry(block.nodes[block.instances[i]], error);
      if (!error) continue;
      run_errors[r].push_back(std::move(*error));
      if (!errors) return;  // only the first can be the result
    }
  });
  for (auto& found : run_errors) {
    if (!found.empty() && !errors) return std::unexpected(std::move(found.front()));
    if (errors) std::move(found.begin(), found.end(), std::back_inserter(*errors));
  }
  return list;
}

template <class List>
std::expected<void, docformat::ParseError> parse_into(List& list, docformat::SectionBlock& block,
                                                      std::vector<docformat::ParseError>* errors) {
  auto parsed = parse_entries<List>(block, errors);
  if (!parsed) return std::unexpected(std::move(parsed.error()));
  for (std::size_t i = 0; i < block.lines.size(); ++i) {
    list.preamble.push_back({std::string(block.lines[i]), block.line + i});
  }
  if (list.entries.empty()) {
    list.entries = std::move(parsed->entries);  // no second copy of a large section
  } else {
    list.entries.reserve(list.entries.size() + parsed->entries.size());
    for (auto& entry : parsed->entries) list.entries.push_back(std::move(entry));
  }
  return {};
}

}  // namespace

std::expected<bool, docformat::ParseError> TrackSections::try_parse_into(
    docformat::SectionBlock& block, std::vector<docformat::ParseError>* errors) {
  std::expected<bool, docformat::ParseError> result = false;
  for_each_list([&](auto& list, const Row& row) {
    if (row.heading != block.name) return;
    auto ok = parse_into(list, block, errors);
    if (ok) {
      result = true;
    } else {
      result = std::unexpected(std::move(ok.error()));
    }
  });
  return result;
}

void TrackSections::set_origin(const std::string& origin) {
  for_each_list([&](auto& list, const Row&) {
    for (auto& entry : list.entries) {
      if (!entry.origin) entry.origin = origin;
    }
  });
}

void TrackSections::merge_first_wins(TrackSections&& other) {
  zip_lists(lists(), other.lists(),
            [](auto& mine, auto& theirs) { mine.merge_first_wins(std::move(theirs)); });
}

void TrackSections::merge_first_wins(const TrackSections& other) {
  zip_lists(lists(), other.lists(),
            [](auto& mine, const auto& theirs) { mine.merge_first_wins(theirs); });
}

void TrackSections::qualify_collisions(TrackSections& imported, std::string_view alias) const {
  docformat::RenameMap map;
  zip_lists(lists(), imported.lists(),
            [&](const auto& mine, const auto& theirs) { mine.collisions(theirs, alias, map); });
  imported.for_each_list([&](auto& list, const Row&) { list.apply_renames(map); });
}

const Layer* resolve_layer(const TrackDocument& document, std::string_view name) {
  const auto* entry = document.sections.layers.find(name);
  return entry ? &entry->value : nullptr;
}

const Sound* resolve_sound(const TrackDocument& document, std::string_view name) {
  const auto* entry = document.sections.sounds.find(name);
  return entry ? &entry->value : nullptr;
}

}  // namespace lyre
