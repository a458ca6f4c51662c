#include "data/collation.h"

#include <windows.h>

#include <vector>

namespace sg8 {

std::string chineseSortKey(std::string_view utf8)
{
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (wide <= 0) return std::string(utf8);
    std::vector<wchar_t> text(static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), wide);
    // zh-CN sorts by pinyin by default; the key is a byte string (LCMAP_SORTKEY).
    const int needed = LCMapStringEx(L"zh-CN", LCMAP_SORTKEY, text.data(), wide, nullptr, 0, nullptr, nullptr, 0);
    if (needed <= 0) return std::string(utf8);
    std::string key(static_cast<std::size_t>(needed), '\0');
    LCMapStringEx(L"zh-CN", LCMAP_SORTKEY, text.data(), wide, reinterpret_cast<LPWSTR>(key.data()), needed, nullptr,
                  nullptr, 0);
    while (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}

}  // namespace sg8
