#pragma once

// The values that the editor's drop-down lists can show, per field: the one
// place that knows them, for the editor's lists and for `sg8gen check`.

#include "data/weapons.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace sg8 {

/// One item of a drop-down list: the value it stands for and its text (UTF-8).
struct ListItem {
    std::int32_t value;
    std::string_view text;
};

/// A field shown in a drop-down list, with the list's items in their order.
struct FieldList {
    std::string_view field;  ///< the field's name in the field table
    std::span<const ListItem> items;

    /// Whether one of the items stands for `value`.
    constexpr bool shows(std::int32_t value) const
    {
        for (const ListItem& item : items) {
            if (item.value == value) return true;
        }
        return false;
    }
};

inline constexpr std::array<ListItem, 2> kGenderItems{{{1, "男"}, {2, "女"}}};

inline constexpr std::array<ListItem, 9> kDialogueStyleItems{{
    {1, "懦弱"}, {2, "聪颖"}, {3, "大智"}, {4, "冲动"}, {5, "善战"},
    {6, "智取"}, {7, "武夫"}, {8, "豪杰"}, {9, "万能"},
}};

/// The weapon codes the editor offers, one of each name, in code order.
inline constexpr std::array<ListItem, 5> kWeaponTypeItems = [] {
    std::array<ListItem, 5> items{};
    std::size_t next = 0;
    for (const WeaponCode& weapon : kWeaponCodes) {
        if (weapon.offeredByEditor) items[next++] = {weapon.code, weapon.name};
    }
    return items;
}();

/// management, farming, commerce and craft.
inline constexpr std::array<ListItem, 3> kAbilityItems{{{0, "缺"}, {1, "平"}, {2, "良"}}};

inline constexpr std::array<ListItem, 4> kAdvisorTraitItems{{{0, "无"}, {1, "内政"}, {2, "人事"}, {3, "谋略"}}};

/// Every field the editor shows in a drop-down list, in field order.
inline constexpr std::array<FieldList, 8> kFieldLists{{
    {"weaponType", kWeaponTypeItems},
    {"gender", kGenderItems},
    {"dialogueStyle", kDialogueStyleItems},
    {"management", kAbilityItems},
    {"farming", kAbilityItems},
    {"commerce", kAbilityItems},
    {"craft", kAbilityItems},
    {"advisorTrait", kAdvisorTraitItems},
}};

/// The list of the field with this name; nothing for a field not shown in a list.
constexpr const FieldList* fieldList(std::string_view field)
{
    for (const FieldList& list : kFieldLists) {
        if (list.field == field) return &list;
    }
    return nullptr;
}

}  // namespace sg8
