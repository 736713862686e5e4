// What the command writes and the status it exits with, built before anything
// is printed.
#pragma once

#include <string>

namespace lyre::cli {

inline constexpr int kStatusClean = 0;     // no error (warnings only without --strict)
inline constexpr int kStatusProblems = 1;  // an error, or a warning with --strict
inline constexpr int kStatusUsage = 2;     // a bad command line or an unreadable directory

struct Outcome {
  std::string out;  // standard output, written first
  std::string err;  // standard error
  int status = kStatusClean;
  bool operator==(const Outcome&) const = default;
};

}  // namespace lyre::cli
