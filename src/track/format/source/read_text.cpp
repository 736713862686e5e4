#include "track/format/source/read_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "docformat/text.h"
#include "track/format/source/utf8.h"

namespace lyre {

namespace {

std::unexpected<std::string> os_error(int code) {
  return std::unexpected(std::string(std::strerror(code)));
}

// Closes the descriptor on every return path.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

std::expected<void, std::string> check_regular(const struct stat& info) {
  if (S_ISDIR(info.st_mode)) return os_error(EISDIR);
  if (!S_ISREG(info.st_mode)) return std::unexpected(std::string("not a regular file"));
  return {};
}

// The room for the first read: a regular file's size plus one, which sees
// the end in one read, so that a large file is copied once, from the kernel.
std::size_t first_capacity(const struct stat* info) {
  if (info != nullptr && S_ISREG(info->st_mode) && info->st_size > 0) {
    return static_cast<std::size_t>(info->st_size) + 1;
  }
  return 65536;
}

// Reads straight into the text's own buffer, growing it when it fills.
std::expected<std::string, std::string> read_all(int fd, std::size_t capacity) {
  std::string data;
  std::size_t size = 0;
  int error = 0;
  while (error == 0) {
    if (size == data.size()) {
      const std::size_t grown = size == 0 ? capacity : size * 2;
      data.resize_and_overwrite(grown, [&](char*, std::size_t) { return grown; });
    }
    const ssize_t got = ::read(fd, data.data() + size, data.size() - size);
    if (got == 0) break;
    if (got < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    size += static_cast<std::size_t>(got);
  }
  if (error != 0) return os_error(error);
  data.resize(size);
  return data;
}

std::expected<void, std::string> check_utf8(std::string_view text) {
  const std::size_t bad = first_invalid_utf8(text);
  if (bad == std::string_view::npos) return {};
  const auto line =
      1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bad), '\n');
  return std::unexpected(cat("invalid UTF-8 on line ", std::to_string(line)));
}

}  // namespace

std::expected<std::string, std::string> read_text(const std::string& path, bool regular_only) {
  if (path.find('\0') != std::string::npos) return os_error(EINVAL);
  int flags = O_RDONLY | O_CLOEXEC;
  if (regular_only) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return os_error(errno);
    if (auto ok = check_regular(info); !ok) return std::unexpected(ok.error());
    // Should the path be swapped for a FIFO after the check, opening it
    // must still not block; the type is checked again on the descriptor.
    flags |= O_NONBLOCK;
  }
  Descriptor fd(::open(path.c_str(), flags));
  if (fd.get() < 0) return os_error(errno);
  // One look at the descriptor serves both the type check and the size.
  struct stat info;
  const bool described = ::fstat(fd.get(), &info) == 0;
  if (regular_only) {
    if (!described) return os_error(errno);
    if (auto ok = check_regular(info); !ok) return std::unexpected(ok.error());
  }
  auto text = read_all(fd.get(), first_capacity(described ? &info : nullptr));
  if (!text) return text;
  if (auto ok = check_utf8(*text); !ok) return std::unexpected(ok.error());
  constexpr std::string_view bom = "\xEF\xBB\xBF";
  if (std::string_view(*text).starts_with(bom)) text->erase(0, bom.size());
  return text;
}

}  // namespace lyre
