// One runner for the reader tables. A row is an input and what the reader
// must give for it: the whole record (compared with ==), or the whole text of
// its error. A failing row names itself by its name, or else by its input.
#pragma once

#include <gtest/gtest.h>

#include <concepts>
#include <expected>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace lyre::test_support {

// The whole text of the error a row expects. Explicit, and taking no braced
// list, so that a braced value in a row is always the record.
struct Fails {
  template <std::convertible_to<std::string> S>
  explicit Fails(S&& text) : text(std::forward<S>(text)) {}
  std::string text;
};

template <class In, class T>
struct Row {
  Row(In input, T record) : input(std::move(input)), expected(std::move(record)) {}
  Row(In input, Fails error) : input(std::move(input)), expected(std::move(error)) {}
  Row(std::string_view name, In input, T record) : Row(std::move(input), std::move(record)) {
    this->name = name;
  }
  Row(std::string_view name, In input, Fails error) : Row(std::move(input), std::move(error)) {
    this->name = name;
  }
  std::string_view name;
  In input;
  std::variant<T, Fails> expected;
};

// An error as the rows write it: a string as it is, anything else by text().
struct ErrorText {
  template <class E>
  std::string operator()(const E& error) const {
    if constexpr (std::convertible_to<const E&, std::string>) {
      return error;
    } else {
      return error.text();
    }
  }
};

// A reader that cannot fail still runs as one that can.
template <class R>
auto as_expected(R result) {
  if constexpr (requires { result.error(); }) {
    return result;
  } else {
    return std::expected<R, std::string>(std::move(result));
  }
}

template <class In, class T, class Read, class Show = ErrorText>
void expect_rows(const std::vector<Row<In, T>>& rows, Read read, Show show = {}) {
  for (const Row<In, T>& row : rows) {
    SCOPED_TRACE(row.name.empty() ? testing::PrintToString(row.input) : std::string(row.name));
    const auto got = as_expected(read(row.input));
    const T* record = std::get_if<T>(&row.expected);
    if (got.has_value() && record != nullptr) {
      EXPECT_EQ(*got, *record);
    } else if (got.has_value()) {
      ADD_FAILURE() << "read, where the error was: " << std::get<Fails>(row.expected).text;
    } else {
      EXPECT_EQ(show(got.error()), record ? "(a record)" : std::get<Fails>(row.expected).text);
    }
  }
}

// `result` with `f` applied to its value: std::expected::transform, which
// GCC 12 lacks.
template <class T, class E, class F>
auto transform(std::expected<T, E> result, F f) -> std::expected<std::invoke_result_t<F, T&>, E> {
  if (!result) return std::unexpected(std::move(result.error()));
  return f(*result);
}

// Applies `apply` to a copy of `before`: the state it leaves, or its error,
// after which the state must be as it was.
template <class S, class Apply>
auto apply_to(const S& before, Apply apply)
    -> std::expected<S, typename std::invoke_result_t<Apply, S&>::error_type> {
  S state = before;
  auto applied = apply(state);
  if (applied) return state;
  EXPECT_EQ(state, before) << "a refused line changed the state";
  return std::unexpected(std::move(applied.error()));
}

}  // namespace lyre::test_support
