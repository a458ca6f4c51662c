#include "toolkit/backend.h"
#include "toolkit/win32/win32_text.h"

#include <shellapi.h>

namespace sg8::backend {

bool showFolder(std::string_view utf8Path)
{
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", win32::wide(utf8Path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return started > 32;
}

}  // namespace sg8::backend
