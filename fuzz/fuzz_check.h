#pragma once

#include <cstdio>
#include <cstdlib>

namespace sg8::fuzz {

/// Stops the run when a promise is broken: libFuzzer keeps the input as a crash.
inline void require(bool holds, const char* promise)
{
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

}  // namespace sg8::fuzz
