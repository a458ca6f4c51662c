#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace sg8 {

enum class FieldKind { Int, Text };

/// The 40 fields of a custom general, in the order the file stores them. This is
/// the one list of the fields: the record, the file format, the editor, the CLI
/// and the JSON/CSV exchange all read it. X(index, name, kind).
#define SG8_GENERAL_FIELDS(X)        \
    X(0, id, Int)                    \
    X(1, surname, Text)              \
    X(2, givenName, Text)            \
    X(3, courtesyName, Text)         \
    X(4, biography, Text)            \
    X(5, portraitId, Int)            \
    X(6, illustrationCode, Text)     \
    X(7, modelCode, Text)            \
    X(8, modelHelmet, Text)          \
    X(9, modelLeftShoulder, Text)    \
    X(10, modelRightShoulder, Text)  \
    X(11, weaponType, Int)           \
    X(12, gender, Int)               \
    X(13, dialogueStyle, Int)        \
    X(14, voice, Text)               \
    X(15, relation, Int)             \
    X(16, righteousness, Int)        \
    X(17, birthYear, Int)            \
    X(18, lifespan, Int)             \
    X(19, baseStamina, Int)          \
    X(20, baseStrength, Int)         \
    X(21, baseIntelligence, Int)     \
    X(22, opaque22, Int)             \
    X(23, battleSkill1, Int)         \
    X(24, opaque24, Int)             \
    X(25, battleSkill2, Int)         \
    X(26, battleSkill3, Int)         \
    X(27, strategistSkill, Int)      \
    X(28, opaque28, Int)             \
    X(29, opaque29, Int)             \
    X(30, specialSkill1, Int)        \
    X(31, specialSkill2, Int)        \
    X(32, management, Int)           \
    X(33, farming, Int)              \
    X(34, commerce, Int)             \
    X(35, craft, Int)                \
    X(36, advisorTrait, Int)         \
    X(37, opaque37, Int)             \
    X(38, opaque38, Int)             \
    X(39, opaque39, Int)

struct FieldInfo {
    int index;
    std::string_view name;
    FieldKind kind;
    /// Not shown and never edited: the editor and the CLI pass it through unchanged.
    bool opaque;
};

constexpr int kFieldCount = 40;

constexpr std::array<FieldInfo, kFieldCount> kFields = {{
#define SG8_FIELD_INFO(index, name, kind) \
    {index, #name, FieldKind::kind, std::string_view(#name).starts_with("opaque")},
    SG8_GENERAL_FIELDS(SG8_FIELD_INFO)
#undef SG8_FIELD_INFO
}};

/// The field with this name, or nullptr.
const FieldInfo* findField(std::string_view name);

}  // namespace sg8
