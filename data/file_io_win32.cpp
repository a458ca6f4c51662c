#include "data/fatal.h"
#include "data/file_io_internal.h"

#include <windows.h>

#include <new>
#include <string>
#include <utility>

namespace sg8 {
namespace {

namespace fs = std::filesystem;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (valid()) CloseHandle(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    void reset(HANDLE handle)
    {
        if (valid()) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_;
};

// Each system call of the file layer goes through here, so that a test can fail
// any one of them; an injected fault is taken as a Windows error code.
template <typename Call>
bool guarded(IoStep step, Call call)
{
    if (const int fault = injectedFault(step)) {
        SetLastError(static_cast<DWORD>(fault));
        return false;
    }
    return call();
}

HANDLE openFile(IoStep step, const fs::path& path, DWORD access, DWORD share, DWORD disposition)
{
    HANDLE handle = INVALID_HANDLE_VALUE;
    guarded(step, [&] {
        handle = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        return handle != INVALID_HANDLE_VALUE;
    });
    return handle;
}

bool isInUse(DWORD code)
{
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION;
}

// The system's own text for an error code, in UTF-8, without its final stop.
std::string systemText(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide(text ? text : L"", length);
    LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' ' ||
                             wide.back() == L'.' || wide.back() == L'\x3002')) {
        wide.pop_back();
    }
    return pathToUtf8(fs::path(wide));
}

SystemReason systemReason(DWORD code)
{
    using Cause = SystemReason::Cause;
    const long number = static_cast<long>(code);
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return {Cause::NotFound, {}, number};
    case ERROR_ACCESS_DENIED: return {Cause::PermissionDenied, {}, number};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return {Cause::DiskFull, {}, number};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE: return {Cause::InUse, {}, number};
    case ERROR_WRITE_PROTECT: return {Cause::ReadOnlyDisk, {}, number};
    case ERROR_FILENAME_EXCED_RANGE: return {Cause::PathTooLong, {}, number};
    default: return {Cause::Other, systemText(code), number};
    }
}

// The error code when another program holds the file open without letting it be
// deleted (and so replaced), otherwise 0. Replacing such a file would fail with
// "access denied" at best; asking first names the real reason.
DWORD heldByAnother(const fs::path& path)
{
    HANDLE probe = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return 0;
    }
    const DWORD code = GetLastError();
    return isInUse(code) ? code : 0;
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!guarded(IoStep::Write, [&] { return WriteFile(file, bytes.data(), chunk, &written, nullptr) != 0; })) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

namespace {

// Opens the file and hands its size (0 when unknown) to `onSize`, then each piece
// read to `onPiece` until the end or until `onPiece` answers false.
template <typename OnSize, typename OnPiece>
Status readPieces(const fs::path& path, OnSize onSize, OnPiece onPiece)
{
    if (path.empty()) return readError(IoStep::OpenForReading, path, SystemReason::of(SystemReason::Cause::NoName));
    FileHandle file(openFile(IoStep::OpenForReading, path, GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING));
    if (!file.valid()) {
        const DWORD code = GetLastError();
        std::error_code ec;
        if (code == ERROR_ACCESS_DENIED && fs::is_directory(path, ec)) {
            return readError(IoStep::Read, path, SystemReason::of(SystemReason::Cause::IsFolder));
        }
        return readError(IoStep::OpenForReading, path, systemReason(code));
    }
    LARGE_INTEGER size{};
    onSize(GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 ? static_cast<std::size_t>(size.QuadPart) : 0);

    char buffer[1 << 16];
    for (;;) {
        DWORD n = 0;
        if (!guarded(IoStep::Read, [&] { return ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr) != 0; })) {
            return readError(IoStep::Read, path, systemReason(GetLastError()));
        }
        if (n == 0 || !onPiece(std::string_view(buffer, n))) break;
    }
    return Status();
}

}  // namespace

Result<ByteString> readFile(const fs::path& path)
{
    std::string contents;
    const Status read = readPieces(
        path,
        [&](std::size_t size) {
            if (size == 0) return;
            try {
                contents.reserve(size);
            } catch (const std::bad_alloc&) {
                reportOutOfMemory(size);
            }
        },
        [&](std::string_view piece) {
            contents.append(piece);
            return true;
        });
    if (!read) return read.error();
    return ByteString(std::move(contents));
}

Status readFileInPieces(const fs::path& path, const std::function<bool(std::string_view)>& onPiece)
{
    return readPieces(path, [](std::size_t) {}, onPiece);
}

bool writeWholeFile(const fs::path& path, std::initializer_list<ByteString> parts)
{
    if (path.empty()) return false;
    FileHandle file(openFile(IoStep::CreateTemporary, path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS));
    if (!file.valid()) return false;
    for (const ByteString& part : parts) {
        if (!writeAll(file.get(), part.view())) return false;
    }
    return CloseHandle(file.release()) != 0;
}

bool moveFile(const fs::path& from, const fs::path& to)
{
    if (from.empty() || to.empty()) return false;
    if (guarded(IoStep::Rename, [&] {
            return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        })) {
        return true;
    }
    Result<ByteString> contents = readFile(from);
    if (!contents || !writeWholeFile(to, {contents.value()})) return false;
    DeleteFileW(from.c_str());
    return true;
}

Status replaceFile(const fs::path& target, const ByteString& bytes)
{
    if (target.empty()) {
        return writeError(IoStep::CreateTemporary, target, SystemReason::of(SystemReason::Cause::NoName));
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return writeError(IoStep::CreateTemporary, target, SystemReason::of(SystemReason::Cause::IsFolder));
    }
    // Windows won't replace a read-only file; it is refused before anything is written.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return writeError(IoStep::Rename, target, SystemReason::of(SystemReason::Cause::ReadOnlyFile));
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(L".");

    fs::path temporary;
    FileHandle file;
    for (int attempt = 0; attempt < 100 && !file.valid(); ++attempt) {
        temporary = folder / temporaryNameFor(target);
        file.reset(openFile(IoStep::CreateTemporary, temporary, GENERIC_WRITE, 0, CREATE_NEW));
        if (!file.valid() && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (!file.valid()) return writeError(IoStep::CreateTemporary, target, systemReason(GetLastError()));

    // The temporary file can only be deleted once no handle is open on it.
    auto fail = [&](IoStep step, DWORD code) {
        file.reset(INVALID_HANDLE_VALUE);
        DeleteFileW(temporary.c_str());
        return writeError(step, target, systemReason(code));
    };
    if (!writeAll(file.get(), bytes.view())) return fail(IoStep::Write, GetLastError());
    if (!guarded(IoStep::Flush, [&] { return FlushFileBuffers(file.get()) != 0; })) {
        return fail(IoStep::Flush, GetLastError());
    }
    // The handle is gone whatever CloseHandle answers, so it is never retried.
    if (!CloseHandle(file.release()) || !guarded(IoStep::Close, [] { return true; })) {
        return fail(IoStep::Close, GetLastError());
    }

    // ReplaceFileW keeps the old file's attributes and security; it fails when there
    // is no old file, and MoveFileExW then puts the new one in place.
    const bool replaced = guarded(IoStep::Rename, [&] {
        if (const DWORD held = heldByAnother(target)) {
            SetLastError(held);
            return false;
        }
        return ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                            nullptr) ||
               MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    });
    if (!replaced) {
        const DWORD code = GetLastError();
        // ReplaceFileW can fail after the old file is gone; the new bytes are then
        // only in the temporary file, which is kept and named.
        if (attributes != INVALID_FILE_ATTRIBUTES && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
            GetFileAttributesW(temporary.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return keptTemporaryError(target, temporary, systemReason(code));
        }
        return fail(IoStep::Rename, code);
    }
    removeStaleTemporaries(target);
    return Status();
}

}  // namespace sg8
