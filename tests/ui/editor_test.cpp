// The editor worked as a user works it: a double-click on a row opens it on that
// general, the boxes and lists show the record, typing is capped in bytes, 确认
// stores what the controls hold and redraws the row, 取消 and the close box store
// nothing.

#include "toolkit/application.h"
#include "ui_test_support.h"

#include <climits>
#include <stdexcept>

using namespace sg8;
using namespace sg8::testing;

namespace {

using IntMember = std::int32_t CustomGeneral::*;

class EditorTest : public MainWindowSuite {
protected:
    void SetUp() override
    {
        MainWindowSuite::SetUp();
        load({workedExampleGeneral(), generalWithEveryField(2), generalWithEveryField(3)});
    }

    void load(const GeneralList& generals)
    {
        path_ = fixture("generals.bytes", generals, 5);
        openFile(path_);
        ASSERT_EQ(driver::shownRowCount(mainWindow(), kList), static_cast<int>(generals.size()));
    }

    /// Clicks the row, double-clicks it, and returns the editor that opened.
    Window& openEditorOn(int row)
    {
        driver::clickRow(mainWindow(), kList, row);
        driver::doubleClickRow(mainWindow(), kList, row);
        if (!driver::waitUntil([] { return driver::findWindow("EditorWindow") != nullptr; })) {
            throw std::runtime_error("no editor opened on row " + std::to_string(row));
        }
        return *driver::findWindow("EditorWindow");
    }

    void confirm(Window& editor)
    {
        driver::click(editor, "按钮_确认");
        waitUntilClosed();
    }

    void cancel(Window& editor)
    {
        driver::click(editor, "按钮_取消");
        waitUntilClosed();
    }

    /// Waits until the editor is gone, its row redrawn.
    void waitUntilClosed() { ASSERT_TRUE(driver::waitUntil([] { return !driver::windowExists("EditorWindow"); })); }

    /// Selects what the box holds and types `text` over it (Delete when empty).
    static void retype(Window& editor, std::string_view box, std::string_view text)
    {
        driver::selectAllText(editor, box);
        if (text.empty()) {
            driver::pressKey(editor, box, "Delete");
        } else {
            driver::typeText(editor, box, text);
        }
    }

    std::string cell(int row, int column) { return driver::shownCell(mainWindow(), kList, row, column); }

    std::filesystem::path path_;
};

TEST_F(EditorTest, ShowsItsCaptionAndEachBoxBesideItsLabel)
{
    Window& editor = openEditorOn(0);
    EXPECT_EQ(editor.caption(), "自创武将");
    EXPECT_EQ(driver::shownText(editor, "按钮_确认"), "确认");
    EXPECT_EQ(driver::shownText(editor, "按钮_取消"), "取消");

    // What each box holds is read off the label in front of it, on the same line.
    const struct {
        const char* label;
        const char* caption;
        const char* control;
    } labelled[] = {
        {"标签1", "姓", "编辑框_姓"},           {"标签2", "名", "编辑框_名"},
        {"标签3", "字号", "编辑框_字号"},       {"标签4", "列传", "编辑框_列传"},
        {"标签5", "性别", "组合框_性别"},       {"标签6", "对话风格", "组合框_对话"},
        {"标签7", "语音", "编辑框_语音"},       {"标签8", "头像ID", "编辑框_头像"},
        {"标签9", "立绘代码", "编辑框_立绘"},   {"标签10", "模型代码", "编辑框_模型"},
        {"标签31", "模型头盔", "编辑框_模型头盔"}, {"标签32", "模型左肩", "编辑框_模型肩膀左"},
        {"标签33", "模型右肩", "编辑框_模型肩膀右"}, {"标签11", "关系", "编辑框_关系"},
        {"标签12", "武器类型", "组合框_武器"},  {"标签13", "出生年", "编辑框_出生年"},
        {"标签14", "寿命", "编辑框_寿命"},      {"标签16", "体力", "编辑框_基础体力"},
        {"标签17", "武力", "编辑框_基础武力"},  {"标签18", "智力", "编辑框_基础智力"},
        {"标签19", "义理", "编辑框_义理"},      {"标签25", "管理", "组合框_管理"},
        {"标签26", "务农", "组合框_务农"},      {"标签27", "经商", "组合框_经商"},
        {"标签28", "技工", "组合框_技工"},      {"标签29", "辅臣特性", "组合框_辅臣特性"},
        {"标签20", "战技一", "编辑框_战技1"},   {"标签21", "战技二", "编辑框_战技2"},
        {"标签22", "战技三", "编辑框_战技3"},   {"标签30", "军师技", "编辑框_军师技"},
        {"标签23", "特技一", "编辑框_特技1"},   {"标签24", "特技二", "编辑框_特技2"},
    };
    const driver::Rect client = driver::clientArea(editor);
    const auto sameLine = [](const driver::Rect& a, const driver::Rect& b) {
        return a.top < b.top + b.height && b.top < a.top + a.height;
    };
    for (const auto& pair : labelled) {
        SCOPED_TRACE(pair.caption);
        EXPECT_EQ(driver::shownText(editor, pair.label), pair.caption);
        const driver::Rect label = driver::controlRect(editor, pair.label);
        const driver::Rect box = driver::controlRect(editor, pair.control);
        EXPECT_TRUE(liesWithin(label, client));
        EXPECT_TRUE(liesWithin(box, client));
        EXPECT_TRUE(sameLine(label, box));
        EXPECT_LT(label.left, box.left);
        // Nothing else starts between the label and its box on that line.
        for (const auto& other : labelled) {
            for (const std::string_view name : {other.label, other.control}) {
                if (name == pair.label || name == pair.control) continue;
                const driver::Rect between = driver::controlRect(editor, name);
                EXPECT_FALSE(sameLine(between, label) && between.left > label.left && between.left < box.left)
                    << name << " stands between " << pair.caption << " and its box";
            }
        }
    }
    // The death year follows the lifespan box; the buttons sit below the group, 确认 first.
    const driver::Rect lifespan = driver::controlRect(editor, "编辑框_寿命");
    const driver::Rect deathYear = driver::controlRect(editor, "标签15");
    EXPECT_TRUE(sameLine(lifespan, deathYear));
    EXPECT_GE(deathYear.left, lifespan.left + lifespan.width);
    const driver::Rect group = driver::controlRect(editor, "分组框1");
    const driver::Rect ok = driver::controlRect(editor, "按钮_确认");
    const driver::Rect cancelButton = driver::controlRect(editor, "按钮_取消");
    for (const driver::Rect& button : {ok, cancelButton}) {
        EXPECT_TRUE(liesWithin(button, client));
        EXPECT_GE(button.top, group.top + group.height);
    }
    EXPECT_LT(ok.left + ok.width, cancelButton.left);
    cancel(editor);
}

TEST_F(EditorTest, DoubleClickOpensTheClickedRowOnly)
{
    // Below the last row, with no row selected: nothing opens.
    driver::doubleClickRow(mainWindow(), kList, -1);
    processEvents();
    EXPECT_FALSE(driver::windowExists("EditorWindow"));

    Window& third = openEditorOn(2);
    EXPECT_EQ(driver::shownText(third, "分组框1"), "武将ID：3");
    cancel(third);

    Window& second = openEditorOn(1);
    EXPECT_EQ(driver::shownText(second, "分组框1"), "武将ID：2");
    // The main window takes no input meanwhile, and doesn't close.
    driver::click(mainWindow(), "按钮3");
    driver::doubleClickRow(mainWindow(), kList, 0);
    driver::closeWindow(mainWindow());
    processEvents();
    EXPECT_TRUE(takeShownMessages().empty());
    EXPECT_EQ(driver::findWindow("EditorWindow"), &second);
    EXPECT_EQ(driver::shownText(second, "分组框1"), "武将ID：2");
    EXPECT_NE(driver::findWindow("MainWindow"), nullptr);
    cancel(second);
}

TEST_F(EditorTest, FillShowsTheRecord)
{
    Window& editor = openEditorOn(1);
    const CustomGeneral g = generalWithEveryField(2);
    const struct {
        const char* control;
        std::string shown;
    } expected[] = {
        {"分组框1", "武将ID：2"},
        {"编辑框_姓", "张"},
        {"编辑框_名", "三"},
        {"编辑框_字号", "子义"},
        {"编辑框_列传", "生于乱世。\r\n以勇闻名。"},
        {"编辑框_头像", std::to_string(g.portraitId)},
        {"编辑框_立绘", "ill_01"},
        {"编辑框_模型", "m_zhang"},
        {"编辑框_模型头盔", "h1"},
        {"编辑框_模型肩膀左", "l1"},
        {"编辑框_模型肩膀右", "r1"},
        {"组合框_武器", "双手兵器"},
        {"组合框_性别", "女"},
        {"编辑框_语音", "v3"},
        {"组合框_对话", "冲动"},
        {"编辑框_关系", std::to_string(g.relation)},
        {"编辑框_义理", std::to_string(g.righteousness)},
        {"编辑框_出生年", std::to_string(g.birthYear)},
        {"编辑框_寿命", std::to_string(g.lifespan)},
        {"标签15", std::to_string(g.birthYear + g.lifespan) + "年死亡"},
        {"编辑框_基础体力", std::to_string(g.baseStamina)},
        {"编辑框_基础武力", std::to_string(g.baseStrength)},
        {"编辑框_基础智力", std::to_string(g.baseIntelligence)},
        {"编辑框_战技1", std::to_string(g.battleSkill1)},
        {"编辑框_战技2", std::to_string(g.battleSkill2)},
        {"编辑框_战技3", std::to_string(g.battleSkill3)},
        {"编辑框_军师技", std::to_string(g.strategistSkill)},
        {"编辑框_特技1", std::to_string(g.specialSkill1)},
        {"编辑框_特技2", std::to_string(g.specialSkill2)},
        {"组合框_管理", "平"},
        {"组合框_务农", "良"},
        {"组合框_经商", "缺"},
        {"组合框_技工", "平"},
        {"组合框_辅臣特性", "谋略"},
    };
    for (const auto& control : expected) {
        EXPECT_EQ(driver::shownText(editor, control.control), control.shown) << control.control;
    }
    cancel(editor);
}

TEST_F(EditorTest, ListsOfferTheirItemsAndStoreThePickedOne)
{
    Window& editor = openEditorOn(0);
    EXPECT_EQ(driver::comboItems(editor, "组合框_武器"),
              (std::vector<std::string>{"远攻法器", "远射长弓", "单手兵器", "双手兵器", "长柄兵器"}));
    EXPECT_EQ(driver::comboItems(editor, "组合框_性别"), (std::vector<std::string>{"男", "女"}));
    cancel(editor);

    const struct {
        const char* control;
        int item;
        const char* name;
        IntMember field;
        std::int32_t stored;
        int column = -1;  // the row's cell that shows the field, if any
    } picks[] = {
        {"组合框_武器", 0, "远攻法器", &CustomGeneral::weaponType, 2, 9},
        {"组合框_武器", 1, "远射长弓", &CustomGeneral::weaponType, 4, 9},
        {"组合框_武器", 2, "单手兵器", &CustomGeneral::weaponType, 5, 9},
        {"组合框_武器", 3, "双手兵器", &CustomGeneral::weaponType, 7, 9},
        {"组合框_武器", 4, "长柄兵器", &CustomGeneral::weaponType, 8, 9},
        {"组合框_性别", 0, "男", &CustomGeneral::gender, 1, 3},
        {"组合框_性别", 1, "女", &CustomGeneral::gender, 2, 3},
        {"组合框_对话", 0, "懦弱", &CustomGeneral::dialogueStyle, 1},
        {"组合框_对话", 8, "万能", &CustomGeneral::dialogueStyle, 9},
        {"组合框_管理", 0, "缺", &CustomGeneral::management, 0},
        {"组合框_务农", 2, "良", &CustomGeneral::farming, 2},
        {"组合框_经商", 1, "平", &CustomGeneral::commerce, 1},
        {"组合框_技工", 2, "良", &CustomGeneral::craft, 2},
        {"组合框_辅臣特性", 1, "内政", &CustomGeneral::advisorTrait, 1},
        {"组合框_辅臣特性", 2, "人事", &CustomGeneral::advisorTrait, 2},
    };
    for (const auto& pick : picks) {
        SCOPED_TRACE(std::string(pick.control) + " " + pick.name);
        Window& picking = openEditorOn(1);
        driver::pickItem(picking, pick.control, pick.item);
        EXPECT_EQ(driver::shownText(picking, pick.control), pick.name);
        confirm(picking);
        EXPECT_EQ(model_.generals[1].*pick.field, pick.stored);
        if (pick.column >= 0) {
            EXPECT_EQ(cell(1, pick.column), pick.name);
        }
    }
}

TEST_F(EditorTest, CancelAndCloseBoxStoreNothing)
{
    const GeneralList before = model_.generals;
    const std::vector<std::string> rowBefore = row(1);
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "取消");
        Window& editor = openEditorOn(1);
        retype(editor, "编辑框_姓", "李");
        driver::pickItem(editor, "组合框_武器", 0);
        retype(editor, "编辑框_基础武力", "1");
        if (closeBox) {
            driver::closeWindow(editor);
            waitUntilClosed();
        } else {
            cancel(editor);
        }
        EXPECT_TRUE(model_.generals == before);
        EXPECT_FALSE(model_.unsavedEdits);
        EXPECT_EQ(row(1), rowBefore);
    }
}

TEST_F(EditorTest, UnchangedConfirmStoresAnEqualRecord)
{
    const std::vector<std::string> rowBefore = row(1);
    confirm(openEditorOn(1));
    EXPECT_TRUE(model_.generals[1] == generalWithEveryField(2));  // the id and the opaque fields too
    EXPECT_EQ(row(1), rowBefore);
    confirm(openEditorOn(0));
    EXPECT_TRUE(model_.generals[0] == workedExampleGeneral());
    EXPECT_FALSE(model_.unsavedEdits);
}

// A list shows what its selection rule gives; confirmed untouched, it keeps the record's value.
TEST_F(EditorTest, ValuesOutsideTheListsShowByTheRuleAndSurviveAConfirm)
{
    const struct {
        const char* name;
        const char* control;
        IntMember field;
        std::int32_t value;
        const char* shown;  // empty: no item picked
    } cases[] = {
        {"gender 5", "组合框_性别", &CustomGeneral::gender, 5, "女"},
        {"gender 0", "组合框_性别", &CustomGeneral::gender, 0, ""},
        {"gender INT_MIN, no overflow", "组合框_性别", &CustomGeneral::gender, INT_MIN, ""},
        {"dialogue 10", "组合框_对话", &CustomGeneral::dialogueStyle, 10, "万能"},
        {"dialogue -3", "组合框_对话", &CustomGeneral::dialogueStyle, -3, ""},
        {"weapon 1", "组合框_武器", &CustomGeneral::weaponType, 1, ""},
        {"weapon 3", "组合框_武器", &CustomGeneral::weaponType, 3, ""},
        {"weapon 6", "组合框_武器", &CustomGeneral::weaponType, 6, ""},
        {"weapon 8", "组合框_武器", &CustomGeneral::weaponType, 8, "长柄兵器"},
        {"management 3", "组合框_管理", &CustomGeneral::management, 3, "良"},
        {"craft -7", "组合框_技工", &CustomGeneral::craft, -7, ""},
        {"farming INT_MAX", "组合框_务农", &CustomGeneral::farming, INT_MAX, "良"},
        {"advisor 4", "组合框_辅臣特性", &CustomGeneral::advisorTrait, 4, "谋略"},
        {"advisor 0", "组合框_辅臣特性", &CustomGeneral::advisorTrait, 0, "无"},
    };
    for (const auto& outside : cases) {
        SCOPED_TRACE(outside.name);
        CustomGeneral general = generalWithEveryField(40);
        general.*outside.field = outside.value;
        load({general});

        Window& editor = openEditorOn(0);
        EXPECT_EQ(driver::shownText(editor, outside.control), outside.shown);
        confirm(editor);

        EXPECT_TRUE(model_.generals[0] == general);
        EXPECT_FALSE(model_.unsavedEdits);
    }
}

TEST_F(EditorTest, NumberBoxesReadLeadingDigits)
{
    const struct {
        const char* typed;
        std::int32_t stored;
    } cases[] = {
        {"", 0},
        {"１２", 12},  // full-width digits
        {"12abc", 12},
        {"-45", -45},
        {"abc", 0},
    };
    for (const auto& number : cases) {
        SCOPED_TRACE(number.typed);
        Window& editor = openEditorOn(0);
        retype(editor, "编辑框_头像", number.typed);
        EXPECT_EQ(driver::shownText(editor, "编辑框_头像"), number.typed);
        confirm(editor);
        EXPECT_EQ(model_.generals[0].portraitId, number.stored);
    }
}

TEST_F(EditorTest, EditedSurnameRedrawsTheRow)
{
    Window& editor = openEditorOn(1);
    retype(editor, "编辑框_姓", "王");
    driver::pickItem(editor, "组合框_武器", 4);
    retype(editor, "编辑框_基础武力", "95");
    confirm(editor);

    EXPECT_EQ(cell(1, 1), "王三");
    EXPECT_EQ(cell(1, 6), "95");
    EXPECT_EQ(cell(1, 9), "长柄兵器");
    EXPECT_TRUE(model_.unsavedEdits);
    CustomGeneral expected = generalWithEveryField(2);
    expected.surname = utf8Text("王");
    expected.weaponType = 8;
    expected.baseStrength = 95;
    EXPECT_TRUE(model_.generals[1] == expected);  // id and the opaque fields as they were
    EXPECT_TRUE(model_.generals[0] == workedExampleGeneral());
    EXPECT_TRUE(model_.generals[2] == generalWithEveryField(3));
    EXPECT_EQ(cell(0, 1), "甲");
    EXPECT_EQ(cell(2, 1), "张三");

    // Saved without a backup: the file holds the edit.
    save(MessageResult::No);
    EXPECT_EQ(fileBytes(path_), encoded({workedExampleGeneral(), expected, generalWithEveryField(3)}, 5));
    EXPECT_FALSE(model_.unsavedEdits);
}

TEST_F(EditorTest, TypingLimitsCountBytes)
{
    Window& editor = openEditorOn(0);
    retype(editor, "编辑框_姓", "张三");
    EXPECT_EQ(driver::shownText(editor, "编辑框_姓"), "张");  // a second Chinese character needs 2 more bytes
    driver::typeText(editor, "编辑框_姓", "ab");
    EXPECT_EQ(driver::shownText(editor, "编辑框_姓"), "张a");

    retype(editor, "编辑框_字号", "ab子c");
    EXPECT_EQ(driver::shownText(editor, "编辑框_字号"), "ab子");

    // Boxes without a limit take anything.
    retype(editor, "编辑框_模型", "很长很长的模型代码");
    EXPECT_EQ(driver::shownText(editor, "编辑框_模型"), "很长很长的模型代码");
    confirm(editor);
    EXPECT_EQ(model_.generals[0].surname.utf8().bytes(), "张a");
    EXPECT_EQ(model_.generals[0].courtesyName.utf8().bytes(), "ab子");
    EXPECT_EQ(model_.generals[0].modelCode.utf8().bytes(), "很长很长的模型代码");
}

TEST_F(EditorTest, LongerTextFromTheFileIsKept)
{
    CustomGeneral general = workedExampleGeneral();
    general.surname = utf8Text("欧阳");      // 4 bytes, over the 3 the box lets a user type
    general.givenName = utf8Text("ABCDEF");  // 6 bytes
    load({general});
    Window& editor = openEditorOn(0);
    EXPECT_EQ(driver::shownText(editor, "编辑框_姓"), "欧阳");
    driver::placeCaret(editor, "编辑框_姓", 2);
    driver::typeText(editor, "编辑框_姓", "x");
    EXPECT_EQ(driver::shownText(editor, "编辑框_姓"), "欧阳");  // no typing past the limit

    driver::placeCaret(editor, "编辑框_名", 6);
    driver::pressKey(editor, "编辑框_名", "Backspace");  // still over the limit, but shorter: allowed
    EXPECT_EQ(driver::shownText(editor, "编辑框_名"), "ABCDE");
    confirm(editor);
    EXPECT_EQ(model_.generals[0].surname.utf8().bytes(), "欧阳");
    EXPECT_EQ(model_.generals[0].givenName.utf8().bytes(), "ABCDE");
}

TEST_F(EditorTest, BiographyLimitIsThreeHundredBytes)
{
    std::string line;
    for (int i = 0; i < 148; ++i) line += "一";  // 296 bytes
    Window& editor = openEditorOn(0);
    driver::placeCaret(editor, "编辑框_列传", 0);
    driver::typeText(editor, "编辑框_列传", line);
    driver::typeText(editor, "编辑框_列传", "\n");     // a line break, CR LF: 298
    driver::typeText(editor, "编辑框_列传", "传记a");  // 传 fits (300); 记 and a don't
    EXPECT_EQ(driver::shownText(editor, "编辑框_列传"), line + "\r\n传");
    confirm(editor);
    EXPECT_EQ(model_.generals[0].biography.utf8().bytes(), line + "\r\n传");
    EXPECT_EQ(model_.generals[0].biography.text().size(), 300u);
}

TEST_F(EditorTest, DeathYearFollowsTheLifespanBox)
{
    Window& editor = openEditorOn(0);  // born 180, lifespan 60
    const auto deathYear = [&editor] { return driver::shownText(editor, "标签15"); };
    EXPECT_EQ(deathYear(), "240年死亡");

    retype(editor, "编辑框_出生年", "2147483647");
    EXPECT_EQ(deathYear(), "240年死亡");  // the birth year box alone changes nothing
    retype(editor, "编辑框_寿命", "");
    EXPECT_EQ(deathYear(), "2147483647年死亡");
    driver::typeText(editor, "编辑框_寿命", "1");
    EXPECT_EQ(deathYear(), "2147483648年死亡");  // no overflow
    retype(editor, "编辑框_寿命", "abc");
    EXPECT_EQ(deathYear(), "2147483647年死亡");
    // Birth year cleared first, then the lifespan: 0; the other order keeps the birth year.
    retype(editor, "编辑框_出生年", "");
    retype(editor, "编辑框_寿命", "");
    EXPECT_EQ(deathYear(), "0年死亡");
    retype(editor, "编辑框_出生年", "-10");
    retype(editor, "编辑框_寿命", "5");
    EXPECT_EQ(deathYear(), "-5年死亡");
    confirm(editor);
    EXPECT_EQ(model_.generals[0].birthYear, -10);
    EXPECT_EQ(model_.generals[0].lifespan, 5);
}

TEST_F(EditorTest, TextsOutsideTheCodePageSurvive)
{
    CustomGeneral general = workedExampleGeneral();
    general.surname = utf8Text("𠀀");  // outside code page 936
    general.voice = utf8Text("v😀");
    general.courtesyName = utf8Text("\xE5\xAD");  // not UTF-8 at all: a character cut short
    load({general});
    ASSERT_TRUE(model_.generals[0].surname.hasExactUtf8());

    Window& editor = openEditorOn(0);
    EXPECT_EQ(driver::shownText(editor, "编辑框_姓"), "𠀀");
    EXPECT_EQ(driver::shownText(editor, "编辑框_语音"), "v😀");
    EXPECT_EQ(cell(0, 1), "𠀀");
    // Edit another box; the untouched ones keep their exact bytes.
    retype(editor, "编辑框_名", "乙");
    // A character outside the code page typed by the user is kept exactly too.
    retype(editor, "编辑框_模型", "m🐉");
    confirm(editor);

    const CustomGeneral& stored = model_.generals[0];
    EXPECT_TRUE(stored.surname == general.surname);
    EXPECT_TRUE(stored.voice == general.voice);
    EXPECT_EQ(stored.courtesyName.utf8().bytes(), "\xE5\xAD");
    EXPECT_EQ(stored.modelCode.utf8().bytes(), "m🐉");
    EXPECT_EQ(cell(0, 1), "𠀀乙");

    save(MessageResult::No);
    const std::string saved = fileBytes(path_);
    for (const char* text : {"𠀀", "v😀", "m🐉"}) EXPECT_NE(saved.find(text), std::string::npos) << text;
}

TEST_F(EditorTest, SecondEditStartsFromTheFirst)
{
    const std::vector<std::string> middleRow = row(1);
    Window& first = openEditorOn(2);
    retype(first, "编辑框_关系", "77");
    confirm(first);
    Window& second = openEditorOn(2);
    EXPECT_EQ(driver::shownText(second, "编辑框_关系"), "77");
    EXPECT_EQ(model_.generals[2].relation, 77);
    cancel(second);
    EXPECT_EQ(model_.generals[2].relation, 77);

    // An edit of another row leaves the first edit and every other record as they were.
    Window& other = openEditorOn(0);
    retype(other, "编辑框_义理", "9");
    confirm(other);
    EXPECT_EQ(model_.generals[0].righteousness, 9);
    EXPECT_EQ(model_.generals[2].relation, 77);
    EXPECT_TRUE(model_.generals[1] == generalWithEveryField(2));
    EXPECT_EQ(cell(0, 8), "9");
    EXPECT_EQ(row(1), middleRow);
}

}  // namespace
