// The error type of the sectioned document format. Every stage after reading
// reports one of these; the boxed error objects keep whatever a reader failed
// with and render it unchanged.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <variant>

namespace lyre::docformat {

// An owned error of any kind that renders itself with `text()`.
class ErrorObject {
 public:
  template <class E>
  explicit ErrorObject(E error) : impl_(std::make_shared<const Model<E>>(std::move(error))) {}

  std::string text() const { return impl_->text(); }

  // The boxed error when it is an E, else null.
  template <class E>
  const E* get() const {
    auto* model = dynamic_cast<const Model<E>*>(impl_.get());
    return model ? &model->value : nullptr;
  }

 private:
  struct Concept {
    virtual ~Concept() = default;
    virtual std::string text() const = 0;
  };
  template <class E>
  struct Model final : Concept {
    explicit Model(E e) : value(std::move(e)) {}
    std::string text() const override { return value.text(); }
    E value;
  };
  std::shared_ptr<const Concept> impl_;
};

class ParseError {
 public:
  struct SubheaderWithoutHeader {};
  struct LineOutsideSection {
    std::string text;
  };
  struct Source {
    ErrorObject error;
  };
  struct Line {
    ErrorObject error;
    std::size_t line;
  };
  struct InImport {
    std::string import;
    std::shared_ptr<const ParseError> error;
  };
  using Kind = std::variant<SubheaderWithoutHeader, LineOutsideSection, Source, Line, InImport>;

  ParseError(Kind kind) : kind_(std::move(kind)) {}

  template <class E>
  static ParseError source(E error) {
    return ParseError(Source{ErrorObject(std::move(error))});
  }
  template <class E>
  static ParseError at_line(std::size_t line, E error) {
    return ParseError(Line{ErrorObject(std::move(error)), line});
  }
  static ParseError in_import(std::string import, ParseError error);

  const Kind& kind() const { return kind_; }
  std::string text() const;

  // A `Line` error relative to a block whose first line is file line
  // `offset`, renumbered to the file line; every other variant unchanged.
  ParseError shifted(std::size_t offset) const;

 private:
  Kind kind_;
};

}  // namespace lyre::docformat
