#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace sg8 {

/// A format or I/O problem, as a value. `message` is whole and in Chinese (UTF-8):
/// the windows show it and the CLI prints it. The other members let callers and
/// tests tell where the problem lies.
struct Error {
    std::string message;
    std::optional<std::int64_t> offset;  ///< byte offset in the file, for format errors
    std::optional<int> general;          ///< 1-based general number, where one is concerned
    std::string step;                    ///< the I/O step that failed, for I/O errors
};

/// A value or the error that kept it from being made.
template <typename T>
class Result {
public:
    Result(T value) : state_(std::move(value)) {}       // NOLINT: implicit by design
    Result(Error error) : state_(std::move(error)) {}   // NOLINT: implicit by design

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Error& error() const { return std::get<1>(state_); }
    /// The error, or nothing on success.
    std::optional<Error> status() const { return ok() ? std::nullopt : std::optional<Error>(error()); }

private:
    std::variant<T, Error> state_;
};

/// Success, or the error that stopped an operation.
using Status = std::optional<Error>;

}  // namespace sg8
