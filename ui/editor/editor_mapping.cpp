#include "ui/editor/editor_mapping.h"

#include "data/fields.h"
#include "data/weapons.h"

#include <stdexcept>
#include <string>

namespace sg8 {

const std::array<EditorBinding, 32> kEditorBindings{{
    {"surname", "编辑框_姓", FieldControl::TextBox},
    {"givenName", "编辑框_名", FieldControl::TextBox},
    {"courtesyName", "编辑框_字号", FieldControl::TextBox},
    {"biography", "编辑框_列传", FieldControl::TextBox},
    {"portraitId", "编辑框_头像", FieldControl::NumberBox},
    {"illustrationCode", "编辑框_立绘", FieldControl::TextBox},
    {"modelCode", "编辑框_模型", FieldControl::TextBox},
    {"modelHelmet", "编辑框_模型头盔", FieldControl::TextBox},
    {"modelLeftShoulder", "编辑框_模型肩膀左", FieldControl::TextBox},
    {"modelRightShoulder", "编辑框_模型肩膀右", FieldControl::TextBox},
    {"weaponType", "组合框_武器", FieldControl::WeaponList},
    {"gender", "组合框_性别", FieldControl::ListFromOne},
    {"voice", "编辑框_语音", FieldControl::TextBox},
    {"dialogueStyle", "组合框_对话", FieldControl::ListFromOne},
    {"relation", "编辑框_关系", FieldControl::NumberBox},
    {"righteousness", "编辑框_义理", FieldControl::NumberBox},
    {"birthYear", "编辑框_出生年", FieldControl::NumberBox},
    {"lifespan", "编辑框_寿命", FieldControl::NumberBox},
    {"baseStamina", "编辑框_基础体力", FieldControl::NumberBox},
    {"baseStrength", "编辑框_基础武力", FieldControl::NumberBox},
    {"baseIntelligence", "编辑框_基础智力", FieldControl::NumberBox},
    {"battleSkill1", "编辑框_战技1", FieldControl::NumberBox},
    {"battleSkill2", "编辑框_战技2", FieldControl::NumberBox},
    {"battleSkill3", "编辑框_战技3", FieldControl::NumberBox},
    {"strategistSkill", "编辑框_军师技", FieldControl::NumberBox},
    {"specialSkill1", "编辑框_特技1", FieldControl::NumberBox},
    {"specialSkill2", "编辑框_特技2", FieldControl::NumberBox},
    {"management", "组合框_管理", FieldControl::ListFromZero},
    {"farming", "组合框_务农", FieldControl::ListFromZero},
    {"commerce", "组合框_经商", FieldControl::ListFromZero},
    {"craft", "组合框_技工", FieldControl::ListFromZero},
    {"advisorTrait", "组合框_辅臣特性", FieldControl::ListFromZero},
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

Text deathYearText(std::int32_t birthYear, std::int32_t lifespan)
{
    const double deathYear = static_cast<double>(birthYear) + static_cast<double>(lifespan);
    return concatTexts({doubleToText(deathYear), Text::fromUtf8("年死亡")});
}

}  // namespace sg8
