#include "lyre/docformat/parse_error.h"

#include <functional>

#include "docformat/text.h"
#include "docformat/whitespace.h"

namespace lyre::docformat {

namespace {

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

}  // namespace

Place place_in_line(std::size_t line, std::string_view raw, std::string_view token) {
  const std::less_equal<const char*> not_after;
  const bool inside = !token.empty() && not_after(raw.data(), token.data()) &&
                      not_after(token.data() + token.size(), raw.data() + raw.size());
  const std::string_view at = inside ? token : trim(raw);
  const auto begin = static_cast<std::size_t>(at.data() - raw.data());
  return Place{line, begin, begin + at.size()};
}

std::string Cause::text() const {
  if (body_line == 0) return message;
  return cat("line ", std::to_string(body_line), ": ", message);
}

ParseError ParseError::in_import(std::string import, ParseError error) {
  const Place place = error.place();
  return ParseError(
      InImport{std::move(import), std::make_shared<const ParseError>(std::move(error))}, place);
}

std::string ParseError::message() const {
  if (const auto* e = std::get_if<Source>(&kind_)) return e->cause.message;
  if (const auto* e = std::get_if<Line>(&kind_)) return e->cause.message;
  if (const auto* e = std::get_if<LineOutsideSection>(&kind_)) return e->text;
  if (const auto* e = std::get_if<InImport>(&kind_)) return e->error->message();
  return text();
}

std::string ParseError::text() const {
  return std::visit(
      Overloaded{
          [](const SubheaderWithoutHeader&) {
            return std::string("subheader without an enclosing header");
          },
          [](const LineOutsideSection& e) { return cat("line outside any section: ", e.text); },
          [](const Source& e) { return e.cause.text(); },
          [](const Line& e) { return cat("line ", std::to_string(e.line), ": ", e.cause.text()); },
          [](const InImport& e) { return cat("in import ", e.import, ": ", e.error->text()); },
      },
      kind_);
}

ParseError ParseError::located(std::span<const std::string_view> lines, std::size_t first) const {
  ParseError out = *this;
  std::size_t body = 0;
  Cause* cause = nullptr;
  if (auto* line = std::get_if<Line>(&out.kind_)) {
    body = line->line;
    line->line = first + body - 1;
    cause = &line->cause;
  } else if (auto* source = std::get_if<Source>(&out.kind_)) {
    body = source->cause.body_line;
    cause = &source->cause;
  }
  if (cause == nullptr) return out;
  if (body == 0 || body > lines.size()) {
    // Nothing names a line of the body: the entry's heading stands for it.
    out.place_ = Place{first > 1 ? first - 1 : 1, 0, 0};
  } else {
    out.place_ = place_in_line(first + body - 1, lines[body - 1], cause->token);
  }
  cause->token = {};
  return out;
}

}  // namespace lyre::docformat
