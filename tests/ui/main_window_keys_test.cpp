// The main window and the editor from the keyboard, undo and redo of confirmed
// edits, the caption that names the file and its unsaved mark, 另存为…, and a
// window that grows.

#include "main_window_fixture.h"
#include "ui/main/main_window_design.h"

using namespace sg8;
using namespace sg8::testing;

namespace {

class MainWindowKeysTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        generals_ = {fullGeneral(1), fullGeneral(2), fullGeneral(3)};
        // A given name the code page can't hold keeps its exact bytes through undo.
        generals_[1].givenName = utf8Text("鿰");
    }

    /// Opens the editor on `row` with Enter, sets 武力 and confirms with Enter.
    void editStrength(int row, std::string_view strength)
    {
        driver::clickRow(window(), "超级列表框1", row);
        driver::pressKey(window(), "超级列表框1", "Enter");
        Window* editor = driver::findWindow("EditorWindow");
        ASSERT_NE(editor, nullptr);
        retype(*editor, "编辑框_基础武力", strength);
        driver::pressKey(*editor, "编辑框_基础武力", "Enter");
        ASSERT_TRUE(editorClosed());
    }

    std::string caption() { return window().caption(); }

    GeneralList generals_;
};

const std::string kCaption(kMainWindowCaption);

TEST_F(MainWindowKeysTest, CaptionNamesTheFileAndMarksUnsavedEdits)
{
    EXPECT_EQ(caption(), kCaption);
    EXPECT_NE(driver::shownText(window(), "超级列表框1").find("打开"), std::string::npos);
    EXPECT_NE(driver::shownText(window(), "超级列表框1").find("拖到这里"), std::string::npos);

    load(generals_, "存档1.bytes");
    EXPECT_EQ(caption(), "存档1.bytes - " + kCaption);
    editStrength(0, "5");
    EXPECT_EQ(caption(), "存档1.bytes* - " + kCaption);
    setNextAnswer(MessageResult::No);
    driver::pressKey(window(), "超级列表框1", "Ctrl+S");
    EXPECT_EQ(caption(), "存档1.bytes - " + kCaption);
    EXPECT_EQ(generalsIn(folder_ / "存档1.bytes")[0].baseStrength, 5);
}

TEST_F(MainWindowKeysTest, UndoAndRedoBringWholeRecordsBackAndKnowTheSavedState)
{
    load(generals_);
    editStrength(1, "5");
    CustomGeneral edited = generals_[1];
    edited.baseStrength = 5;
    EXPECT_TRUE(model_.generals[1] == edited);

    driver::pressKey(window(), "超级列表框1", "Ctrl+Z");
    EXPECT_TRUE(model_.generals == generals_);
    EXPECT_EQ(model_.generals[1].givenName.utf8View(), "鿰");
    EXPECT_FALSE(model_.unsavedEdits);  // back to the file as loaded
    EXPECT_EQ(cell(1, 6), std::to_string(generals_[1].baseStrength));
    driver::pressKey(window(), "超级列表框1", "Ctrl+Z");  // nothing left to undo
    EXPECT_TRUE(model_.generals == generals_);

    driver::pressKey(window(), "超级列表框1", "Ctrl+Y");
    EXPECT_TRUE(model_.generals[1] == edited);
    EXPECT_TRUE(model_.unsavedEdits);
    EXPECT_EQ(cell(1, 6), "5");

    // Saved here: undoing leaves edits unsaved, redoing back to here leaves none.
    setNextAnswer(MessageResult::No);
    driver::click(window(), "按钮2");
    editStrength(2, "6");
    driver::pressKey(window(), "超级列表框1", "Ctrl+Z");
    EXPECT_FALSE(model_.unsavedEdits);
    driver::pressKey(window(), "超级列表框1", "Ctrl+Z");
    EXPECT_TRUE(model_.unsavedEdits);
    EXPECT_TRUE(model_.generals == generals_);
    driver::pressKey(window(), "超级列表框1", "Ctrl+Y");
    EXPECT_FALSE(model_.unsavedEdits);

    // A new edit after an undo drops what could be redone.
    editStrength(0, "7");
    driver::pressKey(window(), "超级列表框1", "Ctrl+Y");
    EXPECT_EQ(model_.generals[2].baseStrength, generals_[2].baseStrength);
}

TEST_F(MainWindowKeysTest, OpeningAnotherFileClearsTheHistory)
{
    load(generals_);
    editStrength(0, "5");
    setNextAnswer(MessageResult::No);  // don't save first
    load({fullGeneral(8)}, "other.bytes");
    driver::pressKey(window(), "超级列表框1", "Ctrl+Z");
    EXPECT_TRUE(model_.generals == GeneralList{fullGeneral(8)});
    EXPECT_FALSE(model_.unsavedEdits);
}

TEST_F(MainWindowKeysTest, EditorKeysConfirmCancelAndLeaveEnterToTheBiography)
{
    load(generals_);
    // F2 opens too; Escape cancels.
    driver::clickRow(window(), "超级列表框1", 0);
    driver::pressKey(window(), "超级列表框1", "F2");
    Window* editor = driver::findWindow("EditorWindow");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(driver::shownText(*editor, "分组框1"), "武将ID：1");
    retype(*editor, "编辑框_基础武力", "9");
    driver::pressKey(*editor, "编辑框_基础武力", "Escape");
    ASSERT_TRUE(editorClosed());
    EXPECT_TRUE(model_.generals == generals_);

    // Enter in 列传 starts a new line; Enter elsewhere confirms.
    driver::pressKey(window(), "超级列表框1", "Enter");
    editor = driver::findWindow("EditorWindow");
    ASSERT_NE(editor, nullptr);
    driver::selectAllText(*editor, "编辑框_列传");
    driver::typeText(*editor, "编辑框_列传", "一\n二");
    EXPECT_EQ(driver::findWindow("EditorWindow"), editor);
    driver::pressKey(*editor, "编辑框_姓", "Enter");
    ASSERT_TRUE(editorClosed());
    EXPECT_EQ(model_.generals[0].biography.utf8View(), "一\r\n二");
}

TEST_F(MainWindowKeysTest, OpenAndSaveFromTheKeyboard)
{
    const std::filesystem::path path = folder_.path() / "keys.bytes";
    writeFile(path, encodeSaveFile(generals_, 0));
    setNextFileName(pathToUtf8(path));
    driver::pressKey(window(), "超级列表框1", "Ctrl+O");
    ASSERT_TRUE(driver::waitUntil([this] { return !main_->loading() && model_.generals.size() == 3; }));
    editStrength(2, "42");
    setNextAnswer(MessageResult::No);
    driver::pressKey(window(), "超级列表框1", "Ctrl+S");
    EXPECT_EQ(generalsIn(path)[2].baseStrength, 42);
    EXPECT_FALSE(model_.unsavedEdits);
}

TEST_F(MainWindowKeysTest, TabFollowsReadingOrder)
{
    load(generals_);
    window().focus("按钮1");
    for (const char* next : {"按钮2", "按钮_另存为", "按钮_备份", "搜索框", "按钮3", "超级列表框1"}) {
        driver::pressKey(window(), "", "Tab");
        EXPECT_EQ(window().focusedControl(), next);
    }
    Window* editor = openEditor(0);
    ASSERT_NE(editor, nullptr);
    editor->focus("编辑框_姓");
    for (const char* next : {"编辑框_名", "编辑框_字号", "编辑框_列传", "组合框_性别", "组合框_对话", "编辑框_语音",
                             "编辑框_头像", "编辑框_立绘", "编辑框_模型", "编辑框_模型头盔", "编辑框_模型肩膀左"}) {
        driver::pressKey(*editor, "", "Tab");
        EXPECT_EQ(editor->focusedControl(), next);
    }
    driver::click(*editor, "按钮_取消");
    ASSERT_TRUE(editorClosed());
}

TEST_F(MainWindowKeysTest, SaveAsWritesAnotherFileWhichThenStaysOpen)
{
    const std::filesystem::path original = load(generals_);
    const ByteString originalBytes = readWholeFile(original);
    editStrength(0, "5");
    const std::filesystem::path copy = folder_ / "副本.bytes";
    setNextFileName(pathToUtf8(copy));
    driver::click(window(), "按钮_另存为");
    EXPECT_TRUE(generalsIn(copy) == model_.generals);
    EXPECT_EQ(readWholeFile(original), originalBytes);
    EXPECT_EQ(caption(), "副本.bytes - " + kCaption);
    EXPECT_FALSE(model_.unsavedEdits);
    ASSERT_TRUE(lastFileDialog().has_value());
    EXPECT_TRUE(lastFileDialog()->save);
}

TEST_F(MainWindowKeysTest, TheListGrowsWithTheWindowAndLabelsSitCentredOnTheirFields)
{
    const driver::Rect list = driver::controlRect(window(), "超级列表框1");
    const driver::Rect about = driver::controlRect(window(), "按钮3");
    driver::resizeWindow(window(), 860 + 300, 483 + 200);
    driver::waitUntil([&] { return driver::controlRect(window(), "超级列表框1").width == list.width + 300; }, 1000);
    const driver::Rect grown = driver::controlRect(window(), "超级列表框1");
    EXPECT_EQ(grown.width, list.width + 300);
    EXPECT_EQ(grown.height, list.height + 200);
    EXPECT_EQ(driver::controlRect(window(), "按钮3").left, about.left + 300);
    EXPECT_EQ(driver::controlRect(window(), "按钮1").left, 8);

    auto middle = [](const driver::Rect& r) { return r.top * 2 + r.height; };  // twice the centre
    EXPECT_EQ(middle(driver::controlRect(window(), "标签1")), middle(driver::controlRect(window(), "按钮1")));
    load(generals_);
    Window* editor = openEditor(0);
    ASSERT_NE(editor, nullptr);
    const std::pair<const char*, const char*> pairs[] = {
        {"标签1", "编辑框_姓"},   {"标签7", "编辑框_语音"},   {"标签31", "编辑框_模型头盔"},
        {"标签12", "组合框_武器"}, {"标签30", "编辑框_军师技"}, {"标签24", "编辑框_特技2"},
    };
    for (const auto& [label, field] : pairs) {
        // Within a pixel: a drop-down list's field is as tall as the system makes it.
        EXPECT_NEAR(middle(driver::controlRect(*editor, label)), middle(driver::controlRect(*editor, field)), 2) << label;
    }
    driver::click(*editor, "按钮_取消");
    ASSERT_TRUE(editorClosed());
}

}  // namespace
