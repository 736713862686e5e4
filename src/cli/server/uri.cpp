#include "cli/server/uri.h"

#include <algorithm>
#include <cctype>

namespace lyre::server {

namespace {

constexpr std::string_view kHex = "0123456789ABCDEF";

int hex_value(char c) {
  const auto upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::size_t at = kHex.find(upper);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

bool starts_with_folded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

// A '%' not followed by two hex digits stays as written.
std::string percent_decode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = hex_value(text[i + 1]);
      const int low = hex_value(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

bool unreserved(unsigned char c) {
  return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

std::optional<std::string> path_of_uri(std::string_view uri) {
  constexpr std::string_view scheme = "file://";
  if (!starts_with_folded(uri, scheme)) return std::nullopt;
  std::string_view rest = uri.substr(scheme.size());
  rest = rest.substr(0, rest.find_first_of("?#"));
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view authority = rest.substr(0, slash);
  const bool local =
      authority.empty() || (authority.size() == 9 && starts_with_folded(authority, "localhost"));
  if (!local) return std::nullopt;
  std::string path = percent_decode(rest.substr(slash));
  if (path.find('\0') != std::string::npos) return std::nullopt;
  return path;
}

std::string uri_of_path(std::string_view path) {
  std::string out = "file://";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (unreserved(byte)) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

}  // namespace lyre::server
