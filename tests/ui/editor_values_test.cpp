// What the editor stores: an untouched drop-down list keeps the record's value
// even where the list has no item for it, and a number that doesn't fit in 32
// bits is refused with the editor left open, not wrapped.

#include "data/fields.h"
#include "main_window_fixture.h"

#include <climits>

using namespace sg8;
using namespace sg8::testing;

namespace {

using EditorValuesTest = MainWindowFixture;

struct ListCase {
    const char* field;
    const char* list;
    std::int32_t value;
    const char* shown;  ///< what the list shows by the design's rule ("" for nothing picked)
    bool extraItem;     ///< whether "其他（value）" is added
};

const ListCase kListCases[] = {
    {"gender", "组合框_性别", 5, "女", true},
    {"gender", "组合框_性别", 0, "", true},
    {"gender", "组合框_性别", 2, "女", false},
    {"weaponType", "组合框_武器", 1, "", true},
    {"weaponType", "组合框_武器", 3, "", true},
    {"weaponType", "组合框_武器", 6, "", true},
    {"weaponType", "组合框_武器", 99, "", true},
    {"weaponType", "组合框_武器", 8, "长柄兵器", false},
    {"dialogueStyle", "组合框_对话", 12, "万能", true},
    {"dialogueStyle", "组合框_对话", INT_MIN, "", true},
    {"management", "组合框_管理", 7, "良", true},
    {"craft", "组合框_技工", INT_MAX, "良", true},
    {"farming", "组合框_务农", -1, "", true},
    {"advisorTrait", "组合框_辅臣特性", -3, "", true},
    {"advisorTrait", "组合框_辅臣特性", 4, "谋略", true},
};

CustomGeneral withValue(const char* field, std::int32_t value)
{
    CustomGeneral general = fullGeneral(2);
    general.intField(findField(field)->index) = value;
    return general;
}

TEST_F(EditorValuesTest, AnUntouchedListKeepsItsValueThroughConfirmAndSave)
{
    for (const ListCase& c : kListCases) {
        SCOPED_TRACE(std::string(c.field) + " = " + std::to_string(c.value));
        const std::filesystem::path path = load({withValue(c.field, c.value)});
        Window* editor = openEditor(0);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(driver::shownText(*editor, c.list), c.shown);
        const std::vector<std::string> items = driver::comboItems(*editor, c.list);
        if (c.extraItem) {
            EXPECT_EQ(items.back(), "其他（" + std::to_string(c.value) + "）");
        } else {
            EXPECT_EQ(items.back().find("其他"), std::string::npos);
        }
        retype(*editor, "编辑框_基础武力", "77");
        driver::click(*editor, "按钮_确认");
        ASSERT_TRUE(editorClosed());

        CustomGeneral expected = withValue(c.field, c.value);
        expected.baseStrength = 77;
        EXPECT_TRUE(model_.generals[0] == expected);
        setNextAnswer(MessageResult::No);  // no .bak
        driver::click(window(), "按钮2");
        const GeneralList saved = generalsIn(path);
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_TRUE(saved[0] == expected);
        EXPECT_FALSE(model_.unsavedEdits);
    }
}

TEST_F(EditorValuesTest, UnchangedConfirmOfValuesOutsideEveryListLeavesNothingUnsaved)
{
    CustomGeneral odd = fullGeneral(2);
    odd.gender = 5;
    odd.weaponType = 99;
    odd.dialogueStyle = 12;
    odd.management = 7;
    odd.farming = -2;
    odd.commerce = 3;
    odd.craft = INT_MIN;
    odd.advisorTrait = -3;
    load({odd});
    const std::string weaponCell = cell(0, 9);
    Window* editor = openEditor(0);
    ASSERT_NE(editor, nullptr);
    driver::click(*editor, "按钮_确认");
    ASSERT_TRUE(editorClosed());
    EXPECT_TRUE(model_.generals[0] == odd);
    EXPECT_FALSE(model_.unsavedEdits);
    EXPECT_EQ(cell(0, 9), weaponCell);
}

TEST_F(EditorValuesTest, PickingAnItemStoresItAndTheExtraItemStoresTheRecordsValue)
{
    load({withValue("gender", 5), withValue("weaponType", 99)});
    // 男 stores 1.
    Window* editor = openEditor(0);
    ASSERT_NE(editor, nullptr);
    driver::pickItem(*editor, "组合框_性别", 0);
    driver::click(*editor, "按钮_确认");
    ASSERT_TRUE(editorClosed());
    EXPECT_EQ(model_.generals[0].gender, 1);

    // A weapon picked and then the extra item again: the record's 99 stays.
    editor = openEditor(1);
    ASSERT_NE(editor, nullptr);
    driver::pickItem(*editor, "组合框_武器", 2);
    driver::pickItem(*editor, "组合框_武器", 5);
    EXPECT_EQ(driver::shownText(*editor, "组合框_武器"), "其他（99）");
    driver::click(*editor, "按钮_确认");
    ASSERT_TRUE(editorClosed());
    EXPECT_EQ(model_.generals[1].weaponType, 99);

    // A weapon picked: its code.
    editor = openEditor(1);
    ASSERT_NE(editor, nullptr);
    driver::pickItem(*editor, "组合框_武器", 2);
    driver::click(*editor, "按钮_确认");
    ASSERT_TRUE(editorClosed());
    EXPECT_EQ(model_.generals[1].weaponType, 5);
}

TEST_F(EditorValuesTest, ANumberThatDoesNotFitIsRefusedWithTheEditorLeftOpen)
{
    const struct {
        const char* box;
        const char* label;
        const char* typed;
    } refused[] = {
        {"编辑框_基础武力", "武力", "99999999999"},
        {"编辑框_基础武力", "武力", "2147483648"},
        {"编辑框_出生年", "出生年", "-2147483649"},
        {"编辑框_头像", "头像ID", "４２９４９６７２９７"},  // full-width digits, 2^32 + 1
        {"编辑框_特技2", "特技二", "99999999999abc"},
    };
    load({fullGeneral(2)});
    const CustomGeneral before = model_.generals[0];
    for (const auto& r : refused) {
        SCOPED_TRACE(r.typed);
        Window* editor = openEditor(0);
        ASSERT_NE(editor, nullptr);
        retype(*editor, "编辑框_寿命", "61");  // a good edit beside it is not stored either
        retype(*editor, r.box, r.typed);
        setNextAnswer(MessageResult::Ok);
        driver::click(*editor, "按钮_确认");
        const std::vector<ShownMessage> shown = takeShownMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].text.find(r.label), std::string::npos) << shown[0].text;
        EXPECT_NE(shown[0].text.find("-2147483648 到 2147483647"), std::string::npos) << shown[0].text;
        EXPECT_FALSE(shown[0].caption.ends_with("："));
        ASSERT_EQ(driver::findWindow("EditorWindow"), editor);
        EXPECT_EQ(editor->focusedControl(), r.box);
        EXPECT_TRUE(model_.generals[0] == before);
        EXPECT_FALSE(model_.unsavedEdits);
        driver::click(*editor, "按钮_取消");
        ASSERT_TRUE(editorClosed());
    }
}

TEST_F(EditorValuesTest, NumbersThatFitAreReadLeniently)
{
    const struct {
        const char* typed;
        std::int32_t stored;
    } accepted[] = {
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"１２", 12},
        {"12abc", 12},
        {"", 0},
        {"abc", 0},
        {" +7", 7},
    };
    load({fullGeneral(2)});
    for (const auto& a : accepted) {
        SCOPED_TRACE(a.typed);
        Window* editor = openEditor(0);
        ASSERT_NE(editor, nullptr);
        retype(*editor, "编辑框_基础武力", a.typed);
        driver::click(*editor, "按钮_确认");
        ASSERT_TRUE(editorClosed());
        EXPECT_EQ(model_.generals[0].baseStrength, a.stored);
    }
}

}  // namespace
