// Finding the files to check: the depth-first walk of a directory.
#pragma once

#include <expected>
#include <string>
#include <string_view>
#include <vector>

namespace lyre {

struct CheckedFile {
  std::string path;
  // Found by walking a directory rather than named on the command line;
  // such a file is checked only when it is a regular file.
  bool found_by_walk;
  bool operator==(const CheckedFile&) const = default;
};

// Whether `path` names a directory, following symbolic links.
bool is_directory(const std::string& path);

// Whether an entry name has the extension "track": the text after its last
// '.', where a name whose only '.' is its first byte has no extension.
// Case-sensitive.
bool has_track_extension(std::string_view name);

// Appends every *.track path below `dir`, depth first, each directory's
// entries in the order the system lists them. Symbolic links are followed;
// a directory already open on the current walk path (a link cycle) is
// skipped. The first directory that cannot be opened or read ends the walk
// with the system's error text; paths found before it stay appended.
std::expected<void, std::string> collect(const std::string& dir, std::vector<CheckedFile>& files);

}  // namespace lyre
