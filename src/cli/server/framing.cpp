#include "cli/server/framing.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace lyre::server {

namespace {

constexpr std::string_view kLengthHeader = "content-length";
constexpr std::size_t kBodyChunk = std::size_t{64} << 10;

bool equal_folded(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The count, or the problem with it; stops counting once above the limit.
std::expected<std::size_t, FramingProblem> parse_length(std::string_view value,
                                                        std::size_t max_bytes) {
  value = trim(value);
  if (value.empty()) return std::unexpected(FramingProblem::InvalidLength);
  std::size_t count = 0;
  for (const char c : value) {
    if (!std::isdigit(static_cast<unsigned char>(c))) {
      return std::unexpected(FramingProblem::InvalidLength);
    }
    count = count * 10 + static_cast<std::size_t>(c - '0');
    if (count > max_bytes) return std::unexpected(FramingProblem::TooLarge);
  }
  return count;
}

}  // namespace

std::string describe(FramingProblem problem, std::size_t max_bytes) {
  switch (problem) {
    case FramingProblem::EndOfInput:
      return "input ended inside a message";
    case FramingProblem::MissingLength:
      return "a header block without Content-Length";
    case FramingProblem::InvalidLength:
      return "a Content-Length that is not a count of bytes";
    case FramingProblem::TooLarge:
      return "a Content-Length above the limit of " + std::to_string(max_bytes) + " bytes";
    case FramingProblem::MalformedHeader:
      return "a header line without ':'";
    case FramingProblem::LongHeader:
      return "a header line longer than " + std::to_string(kMaxHeaderLineBytes) + " bytes";
  }
  return {};
}

MessageReader::MessageReader(std::istream& in, std::size_t max_bytes)
    : in_(*in.rdbuf()), max_bytes_(max_bytes) {}

bool MessageReader::read_line(std::string& line, bool& too_long) {
  using Traits = std::streambuf::traits_type;
  line.clear();
  too_long = false;
  for (;;) {
    const Traits::int_type c = in_.sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) return false;
    if (c == '\n') break;
    if (line.size() < kMaxHeaderLineBytes) {
      line += Traits::to_char_type(c);
    } else {
      too_long = true;
      return true;
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

bool MessageReader::skip_to_length_header() {
  using Traits = std::streambuf::traits_type;
  // The name's letters do not repeat its first one, so a mismatch can only
  // restart the match at the current byte.
  constexpr std::string_view name = "content-length:";
  std::size_t matched = 0;
  while (matched < name.size()) {
    const Traits::int_type c = in_.sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) return false;
    const auto folded = static_cast<char>(std::tolower(c));
    if (folded == name[matched]) {
      ++matched;
    } else {
      matched = folded == name[0] ? 1 : 0;
    }
  }
  return true;
}

std::expected<std::string, FramingProblem> MessageReader::next() {
  std::string line;
  bool too_long = false;
  bool seen_header = false;
  std::optional<std::size_t> length;
  if (resyncing_) {
    if (!skip_to_length_header()) return std::unexpected(FramingProblem::EndOfInput);
    resyncing_ = false;
    if (!read_line(line, too_long)) return std::unexpected(FramingProblem::EndOfInput);
    line.insert(0, "Content-Length:");
  } else if (!read_line(line, too_long)) {
    return std::unexpected(FramingProblem::EndOfInput);
  }
  auto drop = [this](FramingProblem problem) {
    resyncing_ = true;
    return std::unexpected(problem);
  };
  for (;;) {
    if (too_long) return drop(FramingProblem::LongHeader);
    // Blank lines before a block are tolerated; after one, a blank ends it.
    if (line.empty()) {
      if (seen_header) break;
    } else {
      seen_header = true;
      const std::size_t colon = line.find(':');
      if (colon == std::string::npos) return drop(FramingProblem::MalformedHeader);
      if (equal_folded(trim(std::string_view(line).substr(0, colon)), kLengthHeader)) {
        auto count = parse_length(std::string_view(line).substr(colon + 1), max_bytes_);
        if (!count) return drop(count.error());
        length = *count;
      }
    }
    if (!read_line(line, too_long)) return std::unexpected(FramingProblem::EndOfInput);
  }
  if (!length) return drop(FramingProblem::MissingLength);

  std::string body;
  body.reserve(std::min(*length, kBodyChunk));
  std::array<char, 4096> buffer{};
  while (body.size() < *length) {
    const std::size_t want = std::min(buffer.size(), *length - body.size());
    const std::streamsize got = in_.sgetn(buffer.data(), static_cast<std::streamsize>(want));
    if (got <= 0) return std::unexpected(FramingProblem::EndOfInput);
    body.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return body;
}

void write_message(std::ostream& out, std::string_view body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

}  // namespace lyre::server
