#include "data/fields.h"
#include "data/list_values.h"

#include <gtest/gtest.h>

namespace sg8 {
namespace {

// The values each list shows: those the editor's drop-down lists hold, and none beside.
TEST(ListValues, EachListShowsItsValuesAndNoOthers)
{
    const struct {
        const char* field;
        std::vector<std::int32_t> shown;
        std::vector<std::int32_t> notShown;
    } cases[] = {
        {"gender", {1, 2}, {0, 3, -1}},
        {"dialogueStyle", {1, 2, 3, 4, 5, 6, 7, 8, 9}, {0, 10, -1}},
        {"weaponType", {2, 4, 5, 7, 8}, {0, 1, 3, 6, 9, 99, -1}},
        {"management", {0, 1, 2}, {-1, 3}},
        {"farming", {0, 1, 2}, {-1, 3}},
        {"commerce", {0, 1, 2}, {-1, 3}},
        {"craft", {0, 1, 2}, {-1, 3}},
        {"advisorTrait", {0, 1, 2, 3}, {-1, 4}},
    };
    ASSERT_EQ(std::size(cases), kFieldLists.size());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const FieldList* list = fieldList(c.field);
        ASSERT_NE(list, nullptr);
        ASSERT_NE(findField(list->field), nullptr);
        std::vector<std::int32_t> values;
        for (const ListItem& item : list->items) values.push_back(item.value);
        EXPECT_EQ(values, c.shown);
        for (std::int32_t value : c.notShown) EXPECT_FALSE(list->shows(value)) << value;
    }
    EXPECT_EQ(fieldList("baseStrength"), nullptr);
    EXPECT_EQ(kWeaponTypeItems[3].text, "双手兵器");
}

}  // namespace
}  // namespace sg8
