#pragma once
// A value or the error that kept it from being produced.
#include <string>
#include <utility>
#include <variant>

namespace platform {

struct Error {
  int code = 0;         // errno where the platform gave one, else 0
  std::string message;  // the text shown to the user
};

template <typename T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}
  Result(Error error) : state_(std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T &value() & { return std::get<0>(state_); }
  const T &value() const & { return std::get<0>(state_); }
  T &&value() && { return std::get<0>(std::move(state_)); }
  const Error &error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

template <>
class Result<void> {
 public:
  Result() = default;
  Result(Error error) : failed_(true), error_(std::move(error)) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const Error &error() const { return error_; }

 private:
  bool failed_ = false;
  Error error_;
};

}  // namespace platform
