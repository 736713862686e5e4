// The seam between the protocol and what the server knows about `.track`
// documents. The server owns the texts and the encodings; an analysis sees
// plain text, places in it with byte columns, and answers with the same.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lyre::server {

// A place in a text: line from 0 and column in bytes of that line.
struct TextPlace {
  std::size_t line = 0;
  std::size_t column = 0;
  bool operator==(const TextPlace&) const = default;
};

struct TextSpan {
  TextPlace start;
  TextPlace end;
  bool operator==(const TextSpan&) const = default;
};

// One open document as an analysis sees it.
struct DocumentView {
  std::string_view uri;
  std::optional<std::string_view> path;  // none for a URI with no file behind it
  std::string_view text;
};

// The text of an open document by its path, to be read in place of the file.
using OpenText = std::function<std::optional<std::string_view>(std::string_view path)>;

// Values as the protocol numbers them.
enum class Severity { Error = 1, Warning = 2, Information = 3, Hint = 4 };
enum class SymbolKind { Module = 2, Namespace = 3, Class = 5, Function = 12, Variable = 13 };
enum class CompletionKind {
  Text = 1,
  Function = 3,
  Variable = 6,
  Module = 9,
  Keyword = 14,
  File = 17
};

struct Diagnostic {
  TextSpan span;
  Severity severity = Severity::Error;
  std::string code;  // the rule
  std::string message;
};

// Where a name is defined: a file and a span in it.
struct Target {
  std::string path;
  TextSpan span;
};

struct HoverText {
  std::string markdown;
  std::optional<TextSpan> span;  // the name hovered
};

struct Symbol {
  std::string name;
  std::string detail;
  SymbolKind kind = SymbolKind::Variable;
  TextSpan span;       // the whole entry
  TextSpan name_span;  // its heading's name
};

// A section and its entries: the outline is two levels deep by nature.
struct OutlineSection {
  Symbol section;
  std::vector<Symbol> entries;
};

struct Completion {
  std::string label;
  CompletionKind kind = CompletionKind::Text;
  std::string detail;
};

class Analysis {
 public:
  virtual ~Analysis() = default;

  virtual std::vector<Diagnostic> diagnostics(const DocumentView& document,
                                              const OpenText& open) = 0;
  virtual std::vector<Target> definition(const DocumentView& document, TextPlace place,
                                         const OpenText& open) = 0;
  virtual std::optional<HoverText> hover(const DocumentView& document, TextPlace place,
                                         const OpenText& open) = 0;
  virtual std::vector<OutlineSection> outline(const DocumentView& document) = 0;
  virtual std::vector<Completion> completion(const DocumentView& document, TextPlace place,
                                             const OpenText& open) = 0;
};

}  // namespace lyre::server
