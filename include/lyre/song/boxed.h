// A record part that is kept on the heap only once it has been set, so that
// records whose part stays at its default cost one pointer for it.
#pragma once

#include <memory>
#include <utility>

namespace lyre {

// A value of `T` with value semantics: copies are deep, and comparison is
// by value, an unset box being equal to a default `T`.
template <class T>
class Boxed {
 public:
  Boxed() = default;
  Boxed(T value) : value_(std::make_unique<T>(std::move(value))) {}
  Boxed(const Boxed& other) : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}
  Boxed(Boxed&&) noexcept = default;
  Boxed& operator=(const Boxed& other) {
    if (this != &other) value_ = other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
    return *this;
  }
  Boxed& operator=(Boxed&&) noexcept = default;

  // The value; a shared default `T` while the box is unset.
  const T& get() const { return value_ ? *value_ : kDefault; }
  // The value to change, made from a default `T` on first use.
  T& edit() {
    if (!value_) value_ = std::make_unique<T>();
    return *value_;
  }
  bool is_set() const { return value_ != nullptr; }
  // Stores `value`, or leaves the box unset when it is the default.
  void assign(T value) {
    if (value == kDefault) {
      value_.reset();
    } else {
      edit() = std::move(value);
    }
  }

  bool operator==(const Boxed& other) const { return get() == other.get(); }

 private:
  static inline const T kDefault{};
  std::unique_ptr<T> value_;
};

}  // namespace lyre
