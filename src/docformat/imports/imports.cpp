#include "docformat/imports/imports.h"

#include <climits>
#include <cstdlib>
#include <memory>

#include "docformat/whitespace.h"

namespace lyre::docformat {

std::vector<Import> parse_imports(const std::vector<std::string_view>& header) {
  std::vector<Import> imports;
  std::size_t number = 0;
  for (std::string_view line : header) {
    ++number;
    constexpr std::string_view prefix = "@import ";
    if (!line.starts_with(prefix)) continue;
    std::string_view rest = line.substr(prefix.size());
    std::vector<std::string_view> words;
    while (true) {
      rest = trim_start(rest);
      if (rest.empty()) break;
      FirstSplit split = split_at_whitespace(rest);
      words.push_back(split.head);
      if (!split.found) break;
      rest = rest.substr(split.head.size());
    }
    if (words.empty()) continue;
    Import import{std::string(words[0]), std::nullopt, false,
                  place_in_line(number, line, words[0])};
    for (std::size_t i = 1; i < words.size(); ++i) {
      if (words[i] == "as") {
        if (i + 1 < words.size()) {
          import.alias = std::string(words[++i]);
        } else {
          import.alias.reset();
        }
      } else if (words[i] == "refresh") {
        import.refresh = true;
      }
    }
    imports.push_back(std::move(import));
  }
  return imports;
}

bool is_url(std::string_view text) { return text.find("://") != std::string_view::npos; }

namespace {

bool is_valid_utf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    std::size_t len = b < 0x80         ? 1
                      : (b >> 5) == 6  ? 2
                      : (b >> 4) == 14 ? 3
                      : (b >> 3) == 30 ? 4
                                       : 0;
    if (len == 0 || i + len > text.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += len;
  }
  return true;
}

std::string join_path(std::string_view base, std::string_view target) {
  if (base.empty()) return std::string(target);
  if (!target.empty() && target[0] == '/') return std::string(target);
  std::string joined(base);
  if (joined.back() != '/') joined += '/';
  joined += target;
  return joined;
}

// Components as a path library sees them: repeated and trailing separators
// and inner "." components do not count.
std::string normalise_components(std::string_view path) {
  std::string out;
  if (path.starts_with('/')) out += '/';
  std::size_t pos = 0;
  bool first = true;
  while (pos <= path.size()) {
    std::size_t end = path.find('/', pos);
    if (end == std::string_view::npos) end = path.size();
    std::string_view part = path.substr(pos, end - pos);
    if (!part.empty() && !(part == "." && !first)) {
      if (!out.empty() && out.back() != '/') out += '/';
      out += part;
    }
    if (!part.empty()) first = false;
    pos = end + 1;
  }
  return out;
}

}  // namespace

std::string resolve_import_path(const std::optional<std::string>& base, std::string_view target) {
  const std::string_view before_slash = target.substr(0, target.find('/'));
  if (before_slash.find(':') != std::string_view::npos) return std::string(target);
  if ((!target.empty() && target[0] == '/') || !base) return std::string(target);
  if (is_valid_utf8(*base) && is_url(*base)) {
    std::string_view trimmed = *base;
    while (!trimmed.empty() && trimmed.back() == '/') trimmed.remove_suffix(1);
    std::string joined(trimmed);
    joined += '/';
    joined += target;
    return joined;
  }
  return join_path(*base, target);
}

std::optional<std::string> parent_path(std::string_view path) {
  std::string_view p = path;
  while (p.size() > 1 && p.back() == '/') p.remove_suffix(1);
  if (p.empty() || p == "/") return std::nullopt;
  const std::size_t slash = p.rfind('/');
  if (slash == std::string_view::npos) return std::string();
  std::string_view parent = p.substr(0, slash);
  while (parent.size() > 1 && parent.back() == '/') parent.remove_suffix(1);
  if (parent.empty()) return std::string("/");
  return std::string(parent);
}

std::string cache_key(const std::string& path) {
  if (is_url(path)) return path;
  if (path.find('\0') == std::string::npos) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                         &std::free);
    if (resolved) return std::string(resolved.get());
  }
  return normalise_components(path);
}

}  // namespace lyre::docformat
