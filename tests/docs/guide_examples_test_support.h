// Reads the examples of a Markdown guide. An example is one or more
// ```track <file name> blocks followed by a ```console block: its first line
// is the command ("$ lyrelint <args>" or "$ lyre <args>"), its last two are
// "$ echo $?" and the exit status, and everything between is the whole output
// (standard output, then standard error).
#pragma once

#include <algorithm>
#include <charconv>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace lyre::test_support {

struct GuideFile {
  std::string name;
  std::string content;
};

struct GuideExample {
  std::size_t line = 0;  // of the console block's opening fence
  std::vector<GuideFile> files;
  std::string program;  // "lyrelint" or "lyre"
  std::vector<std::string> args;
  std::string output;
  int status = -1;
};

struct GuideExamples {
  std::vector<GuideExample> examples;
  std::vector<std::string> problems;  // "line N: ...", one for each malformed block
};

// The lines of a text, without their line feeds.
inline std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The words of a line, split at spaces.
inline std::vector<std::string> split_words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(' ', start), text.size());
    words.emplace_back(text.substr(start, end - start));
    at = end;
  }
  return words;
}

// Lines [from, to), each ended by a line feed.
inline std::string joined(const std::vector<std::string_view>& lines, std::size_t from,
                          std::size_t to) {
  std::string text;
  for (std::size_t i = from; i < to; ++i) {
    text += lines[i];
    text += '\n';
  }
  return text;
}

namespace guide_detail {

inline std::string at_line(std::size_t line, std::string_view what) {
  return "line " + std::to_string(line) + ": " + std::string(what);
}

// Fills `example` from the body of a console block, or says what is wrong.
inline std::string read_console(const std::vector<std::string_view>& body, GuideExample& example) {
  constexpr std::string_view programs[] = {"lyrelint", "lyre"};
  const auto* program =
      body.size() < 3 ? std::end(programs)
                      : std::find_if(std::begin(programs), std::end(programs), [&](auto name) {
                          return body.front().starts_with("$ " + std::string(name) + " ");
                        });
  if (program == std::end(programs)) {
    return "console block must start with '$ lyrelint <args>' or '$ lyre <args>' and end with "
           "'$ echo $?' and the status";
  }
  example.program = std::string(*program);
  example.args = split_words(body.front().substr(program->size() + 3));
  if (example.args.empty()) return "console block names no argument";
  const std::string_view status = body.back();
  if (body[body.size() - 2] != "$ echo $?") return "console block must end with '$ echo $?'";
  const auto [end, error] =
      std::from_chars(status.data(), status.data() + status.size(), example.status);
  if (error != std::errc() || end != status.data() + status.size()) {
    return "console block must end with the exit status";
  }
  example.output = joined(body, 1, body.size() - 2);
  return "";
}

}  // namespace guide_detail

inline GuideExamples read_guide_examples(std::string_view markdown) {
  using namespace guide_detail;
  const std::vector<std::string_view> lines = split_lines(markdown);
  GuideExamples guide;
  std::vector<GuideFile> pending;
  std::size_t pending_line = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].starts_with("```")) continue;
    const std::size_t open = i;
    const std::vector<std::string> info = split_words(lines[open].substr(3));
    std::size_t close = open + 1;
    while (close < lines.size() && lines[close] != "```") ++close;
    if (close == lines.size()) {
      guide.problems.push_back(at_line(open + 1, "code block is not closed"));
      break;
    }
    i = close;
    const std::vector<std::string_view> body(lines.begin() + static_cast<std::ptrdiff_t>(open + 1),
                                             lines.begin() + static_cast<std::ptrdiff_t>(close));
    if (!info.empty() && info.front() == "track") {
      if (info.size() != 2) {
        guide.problems.push_back(at_line(open + 1, "track block needs one file name"));
        continue;
      }
      if (pending.empty()) pending_line = open + 1;
      pending.push_back({info[1], joined(body, 0, body.size())});
    } else if (!info.empty() && info.front() == "console") {
      GuideExample example;
      example.line = open + 1;
      if (const std::string problem = read_console(body, example); !problem.empty()) {
        guide.problems.push_back(at_line(open + 1, problem));
      } else if (pending.empty()) {
        guide.problems.push_back(at_line(open + 1, "console block has no track block before it"));
      } else {
        example.files = std::move(pending);
        guide.examples.push_back(std::move(example));
      }
      pending.clear();
    }
  }
  if (!pending.empty()) {
    guide.problems.push_back(at_line(pending_line, "track block has no console block after it"));
  }
  return guide;
}

}  // namespace lyre::test_support
