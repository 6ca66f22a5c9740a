#pragma once
// Results are values: an operation that can fail returns Result<T> (or Status for no value),
// carrying either the value or a reason. Nothing here throws across module borders.
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace varnel {

// Why something failed: a short English message for logs and the command-line tool, plus an
// optional language key (e.g. "Str102") that the window turns into its own message text.
struct Error {
    std::string message;
    std::string languageKey;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::move(value)) {}
    Result(Error error) : v_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(v_); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(v_); }
    const T& value() const& { return std::get<T>(v_); }
    T&& value() && { return std::get<T>(std::move(v_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Error& error() const { return std::get<Error>(v_); }

private:
    std::variant<T, Error> v_;
};

class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : error_(std::move(error)) {}
    static Status success() { return {}; }

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *error_; }

private:
    std::optional<Error> error_;
};

inline Error makeError(std::string message, std::string languageKey = {}) {
    return Error{std::move(message), std::move(languageKey)};
}

}  // namespace varnel
