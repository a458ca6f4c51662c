#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace sg8 {

/// The step of an operation that failed. The file layer's own steps come first:
/// they are also the places where a test can make the file layer fail.
enum class Step {
    None,             ///< not an I/O problem (a format error, a refused value)
    OpenForReading,
    Read,
    CreateTemporary,
    Write,
    Flush,
    Close,
    Rename,
    SyncFolder,
    Backup,           ///< copying the old file to <file>.bak
    Check,            ///< the encoded bytes did not load back before writing
    ReadBack,         ///< the written file did not read back as written
    History,          ///< keeping the old file in its backup history
    FileChanged,      ///< the file on disk is no longer the one the save expected
};

/// Each step's name in Chinese, as messages show it.
constexpr const char* stepName(Step step)
{
    switch (step) {
    case Step::None: return "";
    case Step::OpenForReading: return "打开文件";
    case Step::Read: return "读取文件";
    case Step::CreateTemporary: return "创建临时文件";
    case Step::Write: return "写入临时文件";
    case Step::Flush: return "写入磁盘";
    case Step::Close: return "关闭临时文件";
    case Step::Rename: return "替换原文件";
    case Step::SyncFolder: return "同步文件夹";
    case Step::Backup: return "备份";
    case Step::Check: return "保存前校验";
    case Step::ReadBack: return "读回校验";
    case Step::History: return "存入备份历史";
    case Step::FileChanged: return "文件已被修改";
    }
    return "文件操作";
}

/// A format or I/O problem, as a value. `message` is whole and in Chinese (UTF-8):
/// the windows show it and the CLI prints it. The other members let callers and
/// tests tell where the problem lies.
struct Error {
    std::string message;
    std::optional<std::int64_t> offset;  ///< byte offset in the file, for format errors
    std::optional<int> general;          ///< 1-based general number, where one is concerned
    Step step = Step::None;              ///< the step that failed, for I/O errors
};

/// Success, or the error that stopped an operation. Reads as success:
/// `if (Status saved = replaceFile(...))` enters on success.
class [[nodiscard]] Status {
public:
    Status() = default;                                    ///< success
    Status(Error error) : error_(std::move(error)) {}      // NOLINT: implicit by design

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    /// The error; only for a failed status.
    const Error& error() const& { return *error_; }
    Error&& error() && { return std::move(*error_); }

private:
    std::optional<Error> error_;
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
    /// Success, or the error; the value is dropped.
    Status status() const { return ok() ? Status() : Status(error()); }

private:
    std::variant<T, Error> state_;
};

}  // namespace sg8
