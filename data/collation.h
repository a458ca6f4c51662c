#pragma once

#include <string>
#include <string_view>

namespace sg8 {

/// The sort key of a UTF-8 text in Chinese order: Chinese characters by their
/// pinyin, digits and Latin letters before them, as a zh-CN reader expects.
/// Comparing two keys byte by byte orders their texts; equal texts give equal
/// keys. ICU's Chinese collation on Linux, the system's zh-CN sorting
/// (LCMapStringEx) on Windows. Made once per text, the keys sort long lists fast.
std::string chineseSortKey(std::string_view utf8);

}  // namespace sg8
