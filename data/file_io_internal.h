#pragma once

// Shared by the platform parts of the file layer; not for use outside data/.

#include "data/file_io.h"

namespace sg8 {

/// The system error code a test wants this operation to fail with, or 0.
int injectedFault(IoStep step);

/// "<step>失败：<path>：<reason>"
Error ioError(IoStep step, const std::filesystem::path& path, const std::string& reason);

}  // namespace sg8
