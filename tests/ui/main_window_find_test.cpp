// Finding a general in a long list: the search box filters the rows as the user
// types, a header click sorts by its column, and a row found either way still
// edits its own general while the file keeps its order.

#include "main_window_fixture.h"

using namespace sg8;
using namespace sg8::testing;

namespace {

CustomGeneral named(std::int32_t id, const char* surname, const char* givenName, const char* courtesyName,
                    std::int32_t strength)
{
    CustomGeneral general = fullGeneral(id);
    general.surname = utf8Text(surname);
    general.givenName = utf8Text(givenName);
    general.courtesyName = utf8Text(courtesyName);
    general.baseStrength = strength;
    return general;
}

class MainWindowFindTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        // Neither the code points nor the GBK bytes of these names are in pinyin order.
        generals_ = {
            named(9001, "张", "飞", "翼德", 100),
            named(9002, "关", "羽", "云长", 20),
            named(9010, "赵", "云", "子龙", 1000),
            named(1901, "亓", "官", "文远", 3),
            named(500, "曹", "操", "孟德", 20),
        };
        load(generals_);
    }

    /// The ids of the rows shown, top to bottom.
    std::vector<std::string> shownIds()
    {
        std::vector<std::string> ids;
        for (int row = 0; row < driver::shownRowCount(window(), "超级列表框1"); ++row) ids.push_back(cell(row, 0));
        return ids;
    }

    void search(std::string_view text)
    {
        driver::selectAllText(window(), "搜索框");
        if (text.empty()) {
            driver::pressKey(window(), "搜索框", "Delete");
        } else {
            driver::typeText(window(), "搜索框", text);
        }
    }

    /// Presses Enter on the selected row, changes 武力 and confirms.
    void editSelectedStrength(std::string_view strength)
    {
        driver::pressKey(window(), "超级列表框1", "Enter");
        Window* editor = driver::findWindow("EditorWindow");
        ASSERT_NE(editor, nullptr);
        retype(*editor, "编辑框_基础武力", strength);
        driver::pressKey(*editor, "编辑框_基础武力", "Enter");
        ASSERT_TRUE(editorClosed());
    }

    GeneralList generals_;
};

TEST_F(MainWindowFindTest, TypingFiltersOnIdFullNameAndCourtesyName)
{
    const struct {
        const char* typed;
        std::vector<std::string> ids;
    } searches[] = {
        {"张", {"9001"}},
        {"张飞", {"9001"}},                        // surname and given name together
        {"子龙", {"9010"}},                        // courtesy name
        {"90", {"9001", "9002", "9010", "1901"}},  // ids, in the file's order
        {"飞翼", {}},                              // never across name and courtesy name
        {"德", {"9001", "500"}},
        {"", {"9001", "9002", "9010", "1901", "500"}},
    };
    for (const auto& s : searches) {
        SCOPED_TRACE(s.typed);
        search(s.typed);
        EXPECT_EQ(shownIds(), s.ids);
        const std::string count = driver::shownText(window(), "标签1");
        if (*s.typed) {
            EXPECT_EQ(count, " 总武将数：5个（显示 " + std::to_string(s.ids.size()) + " 个）");
        } else {
            EXPECT_EQ(count, " 总武将数：5个");
        }
    }
}

TEST_F(MainWindowFindTest, EscapeClearsAndDownGoesToTheFirstRowShown)
{
    driver::pressKey(window(), "", "Ctrl+F");
    EXPECT_EQ(window().focusedControl(), "搜索框");
    driver::typeText(window(), "搜索框", "云");
    EXPECT_EQ(shownIds(), (std::vector<std::string>{"9002", "9010"}));
    driver::pressKey(window(), "搜索框", "Escape");
    EXPECT_EQ(driver::shownText(window(), "搜索框"), "");
    EXPECT_EQ(shownIds().size(), 5u);

    driver::typeText(window(), "搜索框", "关");
    driver::pressKey(window(), "搜索框", "Down");
    EXPECT_EQ(window().focusedControl(), "超级列表框1");
    EXPECT_EQ(driver::shownSelectedRow(window(), "超级列表框1"), 0);
    // Enter there edits 关羽, the file's second general.
    editSelectedStrength("77");
    generals_[1].baseStrength = 77;
    EXPECT_TRUE(model_.generals == generals_);
    EXPECT_EQ(cell(0, 6), "77");
}

TEST_F(MainWindowFindTest, HeaderClicksSortUpDownAndBackToTheFilesOrder)
{
    const std::vector<std::string> fileOrder{"9001", "9002", "9010", "1901", "500"};
    const struct {
        int column;
        std::vector<std::string> ids;
    } clicks[] = {
        {6, {"1901", "9002", "500", "9001", "9010"}},  // 武力 as numbers; equal values in file order
        {6, {"9010", "9001", "9002", "500", "1901"}},  // reversed, equal values still in file order
        {6, fileOrder},
        {1, {"500", "9002", "1901", "9001", "9010"}},  // 曹 关 亓 张 赵: by pinyin
        {0, {"500", "1901", "9001", "9002", "9010"}},  // another column starts going up
        {0, {"9010", "9002", "9001", "1901", "500"}},
        {0, fileOrder},
    };
    for (const auto& c : clicks) {
        driver::clickHeader(window(), "超级列表框1", c.column);
        EXPECT_EQ(shownIds(), c.ids) << "column " << c.column;
    }
}

TEST_F(MainWindowFindTest, SortedAndFilteredRowsEditTheirOwnGeneral)
{
    driver::clickHeader(window(), "超级列表框1", 1);  // by name: 曹操 first
    driver::clickRow(window(), "超级列表框1", 0);
    editSelectedStrength("55");
    generals_[4].baseStrength = 55;
    EXPECT_TRUE(model_.generals == generals_);

    search("90");
    driver::clickRow(window(), "超级列表框1", 2);  // 关羽 亓官 张飞 赵云: 张飞 is third
    EXPECT_EQ(cell(2, 0), "9001");
    editSelectedStrength("66");
    generals_[0].baseStrength = 66;
    EXPECT_TRUE(model_.generals == generals_);

    // The file keeps its order.
    setNextAnswer(MessageResult::No);
    driver::pressKey(window(), "超级列表框1", "Ctrl+S");
    EXPECT_TRUE(generalsIn(folder_.path() / "generals.bytes") == generals_);
}

}  // namespace
