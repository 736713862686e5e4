// The rule catalogue: every kind of finding, by the id reports name it with.
#pragma once

#include <span>
#include <string_view>

#include "cli/finding.h"

namespace lyre::cli {

struct Rule {
  std::string_view id;
  // The rule's usual severity. An error rule cannot be ignored; a rule may
  // still report at the other severity where its check goes beyond what
  // lyrelint fails a file for.
  Severity severity;
  std::string_view description;
};

// In report order: the error rules, then the warning rules.
std::span<const Rule> rules();

// The rule with that id, or null.
const Rule* find_rule(std::string_view id);

}  // namespace lyre::cli
