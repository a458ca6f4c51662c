#include "ui/main/general_row.h"

namespace sg8 {

Text weaponText(std::int32_t weaponType)
{
    static constexpr std::string_view names[8] = {"远攻法器", "远攻法器", "远射长弓", "远射长弓",
                                                  "单手兵器", "双手兵器", "双手兵器", "长柄兵器"};
    if (weaponType < 1 || weaponType > 8) return intToText(weaponType);
    return Text::fromUtf8(names[weaponType - 1]);
}

std::array<std::string, 10> generalRowCells(const CustomGeneral& general)
{
    auto number = [](std::int32_t value) { return intToText(value).bytes(); };
    auto utf8 = [](const Text& text) { return textToUtf8(text).bytes(); };
    return {
        number(general.id),
        general.surname.utf8().bytes() + general.givenName.utf8().bytes(),
        general.courtesyName.utf8().bytes(),
        general.gender == 1 ? "男" : "女",
        number(general.lifespan),
        number(general.baseStamina),
        number(general.baseStrength),
        number(general.baseIntelligence),
        number(general.righteousness),
        utf8(weaponText(general.weaponType)),
    };
}

Text countLabelText(std::int32_t count)
{
    return concatTexts({Text::fromUtf8(" 总武将数："), intToText(count), Text::fromUtf8("个")});
}

}  // namespace sg8
