#pragma once

#include "data/general.h"
#include "data/text.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace sg8 {

struct ListColumn {
    std::string_view header;  ///< UTF-8
    int width;                ///< pixels
};

/// The ten columns of the general list, left to right.
constexpr std::array<ListColumn, 10> kGeneralColumns = {{
    {"ID", 50}, {"武将", 80}, {"字号", 80}, {"性别", 50}, {"寿命", 50},
    {"体力", 50}, {"武力", 50}, {"智力", 50}, {"义理", 50}, {"武器类型", 100},
}};

/// The list's name of a weapon code; a code outside 1 to 8 shows as the number itself.
Text weaponText(std::int32_t weaponType);

/// The ten cells of a general's row, in UTF-8, columns 0 to 9. Texts show their
/// exact characters, also those code page 936 can't hold.
std::array<std::string, 10> generalRowCells(const CustomGeneral& general);

/// " 总武将数：<n>个", with one leading blank.
Text countLabelText(std::int32_t count);

}  // namespace sg8
