#pragma once

#include "data/text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sg8 {

/// How a field is shown in its control and read back from it.
enum class FieldControl {
    TextBox,      ///< the text; an unchanged box keeps the field's exact text
    NumberBox,    ///< intToText / textToInt
    ListFromOne,  ///< selection = value − 1; stored as selection + 1 (0 when none)
    WeaponList,   ///< selection = weaponComboIndex; stored as the item number (−1 when none)
    ListFromZero, ///< selection = value; stored as the selection (−1 when none)
};

struct EditorBinding {
    std::string_view field;    ///< the field's name in the field table
    std::string_view control;  ///< the control's design name
    FieldControl how;
    std::string_view label;    ///< the caption of the control's label, naming the field to the user
};

/// The edited fields and their controls, in the order the editor fills them and
/// reads them back. The id shows in the group box's caption; the opaque fields
/// are neither shown nor touched.
extern const std::array<EditorBinding, 32> kEditorBindings;

/// The field table index of a binding's field.
int fieldIndexOf(const EditorBinding& binding);

/// The index in 组合框_武器 of the item numbered `weaponType`; −1 for none.
std::int32_t weaponComboIndex(std::int32_t weaponType);

/// The selection the design's rule gives a list for `value` (out of range is
/// clamped by the list itself: above the last item picks the last, below 0 none).
std::int64_t designedSelection(FieldControl how, std::int32_t value);

/// The item of a list of `itemCount` designed items that stands for `value`
/// exactly, or nothing when the list has no item for it.
std::optional<int> itemForValue(FieldControl how, std::int32_t value, int itemCount);

/// What a list stores for the picked item `selection` (−1: none picked), by the
/// design's rule; `itemNumber` is that item's number (the weapon list's code).
std::int32_t valueOfSelection(FieldControl how, int selection, std::int32_t itemNumber);

/// "其他（99）": the extra item that shows a value for which a list has no item.
std::string otherValueItem(std::int32_t value);

/// "<birthYear + lifespan>年死亡", the sum taken in double precision.
Text deathYearText(std::int32_t birthYear, std::int32_t lifespan);

}  // namespace sg8
