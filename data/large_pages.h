#pragma once

#include <cstddef>

namespace sg8 {

/// Asks the system to back a large, freshly allocated buffer with large pages
/// before it is first written: a 100,000-general file touches some hundred
/// megabytes, and faulting them in 4 KiB at a time costs more than the parsing.
/// A hint only; where the system has no such thing it does nothing.
void preferLargePages(void* data, std::size_t size);

}  // namespace sg8
