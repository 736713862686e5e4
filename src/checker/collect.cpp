#include "checker/collect.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <utility>

namespace lyre {

namespace {

using FileId = std::pair<dev_t, ino_t>;

struct Entry {
  std::string name;
  bool regular = false;  // the directory listing says so: no need to look again
};

// One directory on the walk path. Its names are read when it is opened, so
// that only one directory handle is open at a time however deep the walk
// goes; a read error is kept and reported once the names read before it
// have been walked, where reading on would have met it.
struct Frame {
  std::string path;
  FileId id;
  std::vector<Entry> entries;
  std::size_t next = 0;
  int read_error = 0;
};

std::unexpected<std::string> os_error(int code) {
  return std::unexpected(std::string(std::strerror(code)));
}

std::expected<Frame, std::string> open_directory(std::string path) {
  DIR* dir = ::opendir(path.c_str());
  if (dir == nullptr) return os_error(errno);
  Frame frame{std::move(path), {}, {}, 0, 0};
  struct stat info;
  if (::fstat(::dirfd(dir), &info) != 0) {
    const int code = errno;
    ::closedir(dir);
    return os_error(code);
  }
  frame.id = {info.st_dev, info.st_ino};
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      frame.read_error = errno;
      break;
    }
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    frame.entries.push_back(Entry{std::string(name), entry->d_type == DT_REG});
  }
  ::closedir(dir);
  return frame;
}

std::string join(const std::string& dir, std::string_view name) {
  std::string path = dir;
  if (!path.ends_with('/')) path += '/';
  path += name;
  return path;
}

}  // namespace

bool is_directory(const std::string& path) {
  if (path.find('\0') != std::string::npos) return false;
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool has_track_extension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return false;
  return name.substr(dot + 1) == "track";
}

std::expected<void, std::string> collect(const std::string& dir, std::vector<CheckedFile>& files) {
  auto root = open_directory(dir);
  if (!root) return std::unexpected(root.error());
  std::vector<Frame> stack;
  std::set<FileId> on_path;
  on_path.insert(root->id);
  stack.push_back(std::move(*root));
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next == top.entries.size()) {
      if (top.read_error != 0) return os_error(top.read_error);
      on_path.erase(top.id);
      stack.pop_back();
      continue;
    }
    const Entry& entry = top.entries[top.next++];
    std::string path = join(top.path, entry.name);
    // Only an entry the listing does not call a regular file can be a
    // directory (or a link to one): the others need no stat.
    struct stat info;
    if (!entry.regular && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      if (on_path.contains({info.st_dev, info.st_ino})) continue;
      auto child = open_directory(std::move(path));
      if (!child) return std::unexpected(child.error());
      on_path.insert(child->id);
      stack.push_back(std::move(*child));
      continue;
    }
    if (has_track_extension(entry.name)) files.push_back({std::move(path), true});
  }
  return {};
}

}  // namespace lyre
