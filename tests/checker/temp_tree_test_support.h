// A scratch directory for tests that touch the file system, removed with
// everything in it when the test ends.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace lyre::test_support {

// One thing to create inside the tree; paths are relative to its root and
// parent directories are made as needed.
struct TreeItem {
  enum class Kind { File, Dir, Symlink, Fifo };
  Kind kind;
  std::string path;
  std::string data;  // the content of a file, the target of a link
};

inline TreeItem file(std::string path, std::string content) {
  return {TreeItem::Kind::File, std::move(path), std::move(content)};
}
inline TreeItem dir(std::string path) { return {TreeItem::Kind::Dir, std::move(path), {}}; }
inline TreeItem symlink(std::string path, std::string target) {
  return {TreeItem::Kind::Symlink, std::move(path), std::move(target)};
}
inline TreeItem fifo(std::string path) { return {TreeItem::Kind::Fifo, std::move(path), {}}; }

class TempTree {
 public:
  TempTree() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/lyre_test_XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) root_ = pattern;
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;
  ~TempTree() {
    if (root_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // Empty when the directory could not be made.
  const std::string& root() const { return root_; }
  std::string at(const std::string& relative) const { return root_ + "/" + relative; }

  // False (and the tree partly built) when an item cannot be created.
  bool add(const TreeItem& item) const {
    const std::filesystem::path path = at(item.path);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) return false;
    switch (item.kind) {
      case TreeItem::Kind::File: {
        std::ofstream out(path, std::ios::binary);
        out.write(item.data.data(), static_cast<std::streamsize>(item.data.size()));
        return static_cast<bool>(out);
      }
      case TreeItem::Kind::Dir:
        std::filesystem::create_directories(path, error);
        return !error;
      case TreeItem::Kind::Symlink:
        return ::symlink(item.data.c_str(), path.c_str()) == 0;
      case TreeItem::Kind::Fifo:
        return ::mkfifo(path.c_str(), 0600) == 0;
    }
    return false;
  }

  bool add_all(const std::vector<TreeItem>& items) const {
    for (const TreeItem& item : items) {
      if (!add(item)) return false;
    }
    return true;
  }

 private:
  std::string root_;
};

// One end-to-end run of a command: the files of the tree it runs in, its
// arguments, and its whole standard output, standard error and status.
struct CommandCase {
  const char* name;
  std::vector<TreeItem> files;
  std::vector<std::string> args;
  std::string out;
  std::string err;
  int status;
};

inline void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

}  // namespace lyre::test_support
