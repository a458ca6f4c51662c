#pragma once

// Shared by the platform parts of the file layer; not for use outside data/.

#include "data/file_io.h"

namespace sg8 {

/// The system error code a test wants this operation to fail with, or 0.
int injectedFault(IoStep step);

// The file layer's messages, built here for every platform. `path` is always the
// file the caller named (the save file, never the temporary beside it).

/// "<step>失败：<path>：<reason>"
Error ioError(IoStep step, const std::filesystem::path& path, const std::string& reason);

/// The new file is in place but its folder could not be synced to disk.
Error notDurableError(const std::filesystem::path& target, const std::string& reason);

/// Replacing failed after the old file was gone: the new bytes are only in the temporary file.
Error keptTemporaryError(const std::filesystem::path& target, const std::filesystem::path& temporary,
                         const std::string& reason);

}  // namespace sg8
