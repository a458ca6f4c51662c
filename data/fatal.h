#pragma once

#include "data/text.h"

#include <cstddef>

namespace sg8 {

/// How the program ends when memory runs out. The core only raises the condition;
/// the program installs a handler at start that shows the fatal error report and
/// ends the process with exit code -1. The handler must not return.
using FatalHandler = void (*)(const Text& message);

/// Installs `handler` and returns the one it replaces. Without one installed the
/// message goes to standard error and the process exits with -1.
FatalHandler setFatalHandler(FatalHandler handler);

/// "分配 %d 字节内存失败!" with the size asked for (0 when it isn't known).
Text outOfMemoryMessage(std::size_t bytesAsked);

/// Hands the out-of-memory report to the installed handler. Never returns.
[[noreturn]] void reportOutOfMemory(std::size_t bytesAsked);

/// Runs `work`; a std::bad_alloc escaping it ends the program through the report.
template <typename Work>
decltype(auto) dieOnOutOfMemory(Work&& work)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        reportOutOfMemory(0);
    }
}

}  // namespace sg8
