#pragma once

// Shared by the platform parts of the file layer; not for use outside data/.

#include "data/file_io.h"

#include <string>

namespace sg8 {

/// The system error code a test wants this operation to fail with, or 0.
int injectedFault(IoStep step);

/// Why a system call failed, as a platform layer tells it: the common causes by
/// kind, anything else in the system's own words.
struct SystemReason {
    enum class Cause {
        Other,
        NoName,
        NotFound,
        PermissionDenied,
        DiskFull,
        InUse,
        ReadOnlyFile,
        ReadOnlyDisk,
        PathTooLong,
        IsFolder,
    };
    Cause cause = Cause::Other;
    std::string systemText;  ///< the system's own words, for Cause::Other
    long code = 0;           ///< errno or the Windows error code

    static SystemReason of(Cause cause) { return SystemReason{cause, {}, 0}; }
};

// The file layer's messages, built here for every platform. Each names the file
// the caller named (never a temporary beside it) by its name alone.

/// "无法读取“NAME”：<reason>（<step>时出错）"
Error readError(IoStep step, const std::filesystem::path& path, const SystemReason& reason);

/// "无法写入“NAME”：<reason>（<step>时出错）"; the caller says what was left as it was.
Error writeError(IoStep step, const std::filesystem::path& target, const SystemReason& reason);

/// The new file is in place but its folder could not be synced to disk.
Error notDurableError(const std::filesystem::path& target, const SystemReason& reason);

/// Replacing failed after the old file was gone: the new bytes are only in the temporary file.
Error keptTemporaryError(const std::filesystem::path& target, const std::filesystem::path& temporary,
                         const SystemReason& reason);

/// ".NAME.<16 hex digits>.tmp": the temporary file that replacing `target` writes beside it.
std::filesystem::path temporaryNameFor(const std::filesystem::path& target);

/// Removes the temporary files of `target` that a killed save left beside it more
/// than an hour ago. Another file's temporaries and anything else are left alone;
/// a file that can't be removed is left too.
void removeStaleTemporaries(const std::filesystem::path& target);

}  // namespace sg8
