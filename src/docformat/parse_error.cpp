#include "lyre/docformat/parse_error.h"

#include "docformat/text.h"

namespace lyre::docformat {

namespace {

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

}  // namespace

ParseError ParseError::in_import(std::string import, ParseError error) {
  return ParseError(
      InImport{std::move(import), std::make_shared<const ParseError>(std::move(error))});
}

std::string ParseError::text() const {
  return std::visit(
      Overloaded{
          [](const SubheaderWithoutHeader&) {
            return std::string("subheader without an enclosing header");
          },
          [](const LineOutsideSection& e) { return cat("line outside any section: ", e.text); },
          [](const Source& e) { return e.error.text(); },
          [](const Line& e) { return cat("line ", std::to_string(e.line), ": ", e.error.text()); },
          [](const InImport& e) { return cat("in import ", e.import, ": ", e.error->text()); },
      },
      kind_);
}

ParseError ParseError::shifted(std::size_t offset) const {
  if (const auto* line = std::get_if<Line>(&kind_)) {
    return ParseError(Line{line->error, offset + line->line - 1});
  }
  return *this;
}

}  // namespace lyre::docformat
