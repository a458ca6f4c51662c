#pragma once

#include "data/text.h"

#include <array>
#include <cstdint>
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
};

/// The edited fields and their controls, in the order the editor fills them and
/// reads them back. The id shows in the group box's caption; the opaque fields
/// are neither shown nor touched.
extern const std::array<EditorBinding, 32> kEditorBindings;

/// The field table index of a binding's field.
int fieldIndexOf(const EditorBinding& binding);

/// The index in 组合框_武器 of the item numbered `weaponType`; −1 for none.
std::int32_t weaponComboIndex(std::int32_t weaponType);

/// "<birthYear + lifespan>年死亡", the sum taken in double precision.
Text deathYearText(std::int32_t birthYear, std::int32_t lifespan);

}  // namespace sg8
