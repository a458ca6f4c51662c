#include "data/fatal.h"
#include "data/file_io_internal.h"
#include "data/large_pages.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace sg8 {
namespace {

namespace fs = std::filesystem;

// Each system call of the file layer goes through here, so that a test can fail
// any one of them.
template <typename Call>
auto guarded(IoStep step, Call call) -> decltype(call())
{
    if (const int fault = injectedFault(step)) {
        errno = fault;
        return -1;
    }
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

SystemReason systemReason(int code)
{
    using Cause = SystemReason::Cause;
    switch (code) {
    case ENOENT:
    case ENOTDIR: return {Cause::NotFound, {}, code};
    case EACCES:
    case EPERM: return {Cause::PermissionDenied, {}, code};
    case ENOSPC:
    case EDQUOT: return {Cause::DiskFull, {}, code};
    case ETXTBSY:
    case EBUSY: return {Cause::InUse, {}, code};
    case EROFS: return {Cause::ReadOnlyDisk, {}, code};
    case ENAMETOOLONG: return {Cause::PathTooLong, {}, code};
    case EISDIR: return {Cause::IsFolder, {}, code};
    default: return {Cause::Other, std::strerror(code), code};
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    void reset(int fd)
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// The file that writing to `target` really changes: a symbolic link is followed
// so that the link stays and the file it names is replaced.
fs::path resolveTarget(const fs::path& target)
{
    fs::path resolved = target;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(resolved, ec); ++hops) {
        const fs::path next = fs::read_symlink(resolved, ec);
        if (ec) break;
        resolved = next.is_absolute() ? next : resolved.parent_path() / next;
    }
    return resolved;
}

}  // namespace

namespace {

// Opens the file and hands its size (0 when unknown) to `onSize`, then each piece
// read to `onPiece` until the end or until `onPiece` answers false.
template <typename OnSize, typename OnPiece>
Status readPieces(const fs::path& path, OnSize onSize, OnPiece onPiece)
{
    if (path.empty()) return readError(IoStep::OpenForReading, path, SystemReason::of(SystemReason::Cause::NoName));
    FileDescriptor fd(guarded(IoStep::OpenForReading, [&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }));
    if (fd.get() < 0) return readError(IoStep::OpenForReading, path, systemReason(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return readError(IoStep::Read, path, systemReason(errno));
    if (S_ISDIR(info.st_mode)) return readError(IoStep::Read, path, systemReason(EISDIR));
    onSize(S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0);

    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = guarded(IoStep::Read, [&] { return ::read(fd.get(), buffer, sizeof buffer); });
        if (n < 0) return readError(IoStep::Read, path, systemReason(errno));
        if (n == 0 || !onPiece(std::string_view(buffer, static_cast<std::size_t>(n)))) break;
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
                preferLargePages(contents.data(), size);
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

namespace {

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = guarded(IoStep::Write, [&] { return ::write(fd, bytes.data(), bytes.size()); });
        if (n < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool writeWholeFile(const fs::path& path, std::initializer_list<ByteString> parts)
{
    if (path.empty()) return false;
    FileDescriptor fd(guarded(IoStep::CreateTemporary, [&] {
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    }));
    if (fd.get() < 0) return false;
    for (const ByteString& part : parts) {
        if (!writeAll(fd.get(), part.view())) return false;
    }
    return ::close(fd.release()) == 0;
}

bool moveFile(const fs::path& from, const fs::path& to)
{
    if (from.empty() || to.empty()) return false;
    if (guarded(IoStep::Rename, [&] { return ::rename(from.c_str(), to.c_str()); }) == 0) return true;
    Result<ByteString> contents = readFile(from);
    if (!contents || !writeWholeFile(to, {contents.value()})) return false;
    ::unlink(from.c_str());
    return true;
}

Status replaceFile(const fs::path& requested, const ByteString& bytes)
{
    if (requested.empty()) {
        return writeError(IoStep::CreateTemporary, requested, SystemReason::of(SystemReason::Cause::NoName));
    }
    const fs::path target = resolveTarget(requested);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    // The new file gets the old one's permission bits; a new file gets the usual ones.
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode)) return writeError(IoStep::CreateTemporary, requested, systemReason(EISDIR));
    // A file its user made read-only is not replaced behind their back (nor is it on Windows).
    if (existed && ((old.st_mode & 0222) == 0 || (::access(target.c_str(), W_OK) != 0 && errno == EACCES))) {
        return writeError(IoStep::Rename, requested, SystemReason::of(SystemReason::Cause::ReadOnlyFile));
    }

    fs::path temporary;
    FileDescriptor fd;
    for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
        temporary = folder / temporaryNameFor(target);
        fd.reset(guarded(IoStep::CreateTemporary, [&] {
            return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        }));
        if (fd.get() < 0 && errno != EEXIST) break;
    }
    if (fd.get() < 0) return writeError(IoStep::CreateTemporary, requested, systemReason(errno));

    auto fail = [&](IoStep step, int code) {
        ::unlink(temporary.c_str());
        return writeError(step, requested, systemReason(code));
    };
    if (!writeAll(fd.get(), bytes.view())) return fail(IoStep::Write, errno);
    if (existed) {
        ::fchmod(fd.get(), old.st_mode & 07777);
        // Keeping the owner works only for root; others keep their own.
        [[maybe_unused]] const int ignored = ::fchown(fd.get(), old.st_uid, old.st_gid);
    }
    if (guarded(IoStep::Flush, [&] { return ::fsync(fd.get()); }) != 0) return fail(IoStep::Flush, errno);
    // close is never retried: the descriptor is gone whatever it answers.
    int closed = ::close(fd.release());
    if (closed == 0 && (errno = injectedFault(IoStep::Close)) != 0) closed = -1;
    if (closed != 0) return fail(IoStep::Close, errno);
    if (guarded(IoStep::Rename, [&] { return ::rename(temporary.c_str(), target.c_str()); }) != 0) {
        return fail(IoStep::Rename, errno);
    }

    // The new file is in place; syncing the folder makes the rename itself durable.
    FileDescriptor dir(
        guarded(IoStep::SyncFolder, [&] { return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
    if (dir.get() < 0 || guarded(IoStep::SyncFolder, [&] { return ::fsync(dir.get()); }) != 0) {
        return notDurableError(requested, systemReason(errno));
    }
    removeStaleTemporaries(target);
    return Status();
}

}  // namespace sg8
