#include "data/general_row.h"

#include "data/weapons.h"

namespace sg8 {

Text weaponText(std::int32_t weaponType)
{
    const std::optional<std::string_view> name = weaponName(weaponType);
    return name ? Text::fromUtf8(*name) : intToText(weaponType);
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
