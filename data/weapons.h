#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sg8 {

/// A weapon code of the game and its name. The editor offers one code of each
/// name; the others name the same weapons and only come from files.
struct WeaponCode {
    std::int32_t code;
    std::string_view name;  ///< UTF-8
    bool offeredByEditor;
};

/// The weapon codes 1 to 8, in order.
inline constexpr std::array<WeaponCode, 8> kWeaponCodes{{
    {1, "远攻法器", false},
    {2, "远攻法器", true},
    {3, "远射长弓", false},
    {4, "远射长弓", true},
    {5, "单手兵器", true},
    {6, "双手兵器", false},
    {7, "双手兵器", true},
    {8, "长柄兵器", true},
}};

/// The name of a weapon code; nothing for a code outside 1 to 8.
inline std::optional<std::string_view> weaponName(std::int32_t code)
{
    for (const WeaponCode& weapon : kWeaponCodes) {
        if (weapon.code == code) return weapon.name;
    }
    return std::nullopt;
}

}  // namespace sg8
