#pragma once

// What the general list shows of a general, and the count of generals: the same
// texts in the main window and in `sg8gen list`.

#include "data/general.h"
#include "data/text.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace sg8 {

/// The headers of the general list's ten columns, left to right (UTF-8).
inline constexpr std::array<std::string_view, 10> kGeneralColumnHeaders{
    "ID", "武将", "字号", "性别", "寿命", "体力", "武力", "智力", "义理", "武器类型",
};

/// The list's name of a weapon code; a code outside 1 to 8 shows as the number itself.
Text weaponText(std::int32_t weaponType);

/// The ten cells of a general's row, in UTF-8, columns 0 to 9. Texts show their
/// exact characters, also those code page 936 can't hold.
std::array<std::string, 10> generalRowCells(const CustomGeneral& general);

/// " 总武将数：<n>个", with one leading blank.
Text countLabelText(std::int32_t count);

}  // namespace sg8
