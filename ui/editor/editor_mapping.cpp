#include "ui/editor/editor_mapping.h"

#include "data/fields.h"
#include "data/weapons.h"

#include <stdexcept>
#include <string>

namespace sg8 {

const std::array<EditorBinding, 32> kEditorBindings{{
    {"surname", "编辑框_姓", FieldControl::TextBox, "姓"},
    {"givenName", "编辑框_名", FieldControl::TextBox, "名"},
    {"courtesyName", "编辑框_字号", FieldControl::TextBox, "字号"},
    {"biography", "编辑框_列传", FieldControl::TextBox, "列传"},
    {"portraitId", "编辑框_头像", FieldControl::NumberBox, "头像ID"},
    {"illustrationCode", "编辑框_立绘", FieldControl::TextBox, "立绘代码"},
    {"modelCode", "编辑框_模型", FieldControl::TextBox, "模型代码"},
    {"modelHelmet", "编辑框_模型头盔", FieldControl::TextBox, "模型头盔"},
    {"modelLeftShoulder", "编辑框_模型肩膀左", FieldControl::TextBox, "模型左肩"},
    {"modelRightShoulder", "编辑框_模型肩膀右", FieldControl::TextBox, "模型右肩"},
    {"weaponType", "组合框_武器", FieldControl::WeaponList, "武器类型"},
    {"gender", "组合框_性别", FieldControl::ListFromOne, "性别"},
    {"voice", "编辑框_语音", FieldControl::TextBox, "语音"},
    {"dialogueStyle", "组合框_对话", FieldControl::ListFromOne, "对话风格"},
    {"relation", "编辑框_关系", FieldControl::NumberBox, "关系"},
    {"righteousness", "编辑框_义理", FieldControl::NumberBox, "义理"},
    {"birthYear", "编辑框_出生年", FieldControl::NumberBox, "出生年"},
    {"lifespan", "编辑框_寿命", FieldControl::NumberBox, "寿命"},
    {"baseStamina", "编辑框_基础体力", FieldControl::NumberBox, "体力"},
    {"baseStrength", "编辑框_基础武力", FieldControl::NumberBox, "武力"},
    {"baseIntelligence", "编辑框_基础智力", FieldControl::NumberBox, "智力"},
    {"battleSkill1", "编辑框_战技1", FieldControl::NumberBox, "战技一"},
    {"battleSkill2", "编辑框_战技2", FieldControl::NumberBox, "战技二"},
    {"battleSkill3", "编辑框_战技3", FieldControl::NumberBox, "战技三"},
    {"strategistSkill", "编辑框_军师技", FieldControl::NumberBox, "军师技"},
    {"specialSkill1", "编辑框_特技1", FieldControl::NumberBox, "特技一"},
    {"specialSkill2", "编辑框_特技2", FieldControl::NumberBox, "特技二"},
    {"management", "组合框_管理", FieldControl::ListFromZero, "管理"},
    {"farming", "组合框_务农", FieldControl::ListFromZero, "务农"},
    {"commerce", "组合框_经商", FieldControl::ListFromZero, "经商"},
    {"craft", "组合框_技工", FieldControl::ListFromZero, "技工"},
    {"advisorTrait", "组合框_辅臣特性", FieldControl::ListFromZero, "辅臣特性"},
}};

int fieldIndexOf(const EditorBinding& binding)
{
    const FieldInfo* field = findField(binding.field);
    if (!field) throw std::logic_error("no field named " + std::string(binding.field));
    return field->index;
}

std::int32_t weaponComboIndex(std::int32_t weaponType)
{
    std::int32_t index = 0;
    for (const WeaponCode& weapon : kWeaponCodes) {
        if (!weapon.offeredByEditor) continue;
        if (weapon.code == weaponType) return index;
        ++index;
    }
    return -1;
}

std::int64_t designedSelection(FieldControl how, std::int32_t value)
{
    switch (how) {
    case FieldControl::ListFromOne: return std::int64_t{value} - 1;
    case FieldControl::WeaponList: return weaponComboIndex(value);
    case FieldControl::ListFromZero: return value;
    case FieldControl::TextBox:
    case FieldControl::NumberBox: break;
    }
    return -1;
}

std::optional<int> itemForValue(FieldControl how, std::int32_t value, int itemCount)
{
    const std::int64_t index = designedSelection(how, value);
    if (how == FieldControl::WeaponList && index < 0) return std::nullopt;
    if (index < 0 || index >= itemCount) return std::nullopt;
    return static_cast<int>(index);
}

std::int32_t valueOfSelection(FieldControl how, int selection, std::int32_t itemNumber)
{
    switch (how) {
    case FieldControl::ListFromOne: return selection + 1;
    case FieldControl::WeaponList: return selection < 0 ? -1 : itemNumber;
    case FieldControl::ListFromZero:
    case FieldControl::TextBox:
    case FieldControl::NumberBox: break;
    }
    return selection;
}

std::string otherValueItem(std::int32_t value) { return "其他（" + std::to_string(value) + "）"; }

Text deathYearText(std::int32_t birthYear, std::int32_t lifespan)
{
    const double deathYear = static_cast<double>(birthYear) + static_cast<double>(lifespan);
    return concatTexts({doubleToText(deathYear), Text::fromUtf8("年死亡")});
}

}  // namespace sg8
