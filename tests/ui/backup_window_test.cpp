// The backup history from the windows: 备份… lists the versions each save kept,
// 恢复 asks first and then brings one back and reloads it, 打开文件夹 shows the
// history's folder. And a save that finds the file rewritten by another program
// since it was loaded asks before overwriting it.

#include "data/backup_history.h"
#include "main_window_fixture.h"
#include "toolkit/shell.h"

using namespace sg8;
using namespace sg8::testing;

namespace {

class BackupWindowTest : public MainWindowFixture {
protected:
    /// Loads two generals and saves three times, each time with another 武力 for
    /// the first: the history then keeps the file as it was before each save.
    void saveThreeTimes()
    {
        path_ = load({fullGeneral(1), fullGeneral(2)});
        versions_.push_back(readWholeFile(path_));
        for (const char* strength : {"11", "22", "33"}) {
            Window* editor = openEditor(0);
            ASSERT_NE(editor, nullptr);
            retype(*editor, "编辑框_基础武力", strength);
            driver::click(*editor, "按钮_确认");
            ASSERT_TRUE(editorClosed());
            setNextAnswer(MessageResult::No);  // no .bak
            driver::click(window(), "按钮2");
            ASSERT_FALSE(model_.unsavedEdits);
            versions_.push_back(readWholeFile(path_));
        }
    }

    Window* openBackups()
    {
        driver::click(window(), "按钮_备份");
        driver::waitUntil([] { return driver::findWindow("BackupsWindow") != nullptr; }, 2000);
        return driver::findWindow("BackupsWindow");
    }

    bool backupsClosed()
    {
        return driver::waitUntil([this] { return !main_->busyWithModal() && !main_->loading(); });
    }

    std::filesystem::path path_;
    std::vector<ByteString> versions_;  ///< the file after the load and after each save
};

TEST_F(BackupWindowTest, ThreeSavesListThreeVersionsAndRestoreBringsOneBack)
{
    saveThreeTimes();
    Window* backups = openBackups();
    ASSERT_NE(backups, nullptr);
    ASSERT_EQ(driver::shownRowCount(*backups, "列表_版本"), 3);
    const std::vector<BackupVersion> listed = listBackupVersions(path_);
    ASSERT_EQ(listed.size(), 3u);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(driver::shownCell(*backups, "列表_版本", row, 0), listed[static_cast<std::size_t>(row)].time);
        EXPECT_EQ(driver::shownCell(*backups, "列表_版本", row, 1), "2 个");
        EXPECT_EQ(driver::shownCell(*backups, "列表_版本", row, 2),
                  std::to_string(listed[static_cast<std::size_t>(row)].size) + " 字节");
    }

    // The oldest is the file as loaded. 恢复 asks first; 否 writes nothing.
    driver::clickRow(*backups, "列表_版本", 2);
    setNextAnswer(MessageResult::No);
    driver::click(*backups, "按钮_恢复");
    EXPECT_EQ(readWholeFile(path_), versions_[3]);
    ASSERT_EQ(driver::findWindow("BackupsWindow"), backups);

    setNextAnswer(MessageResult::Yes);
    driver::click(*backups, "按钮_恢复");
    ASSERT_TRUE(backupsClosed());
    EXPECT_EQ(readWholeFile(path_), versions_[0]);
    EXPECT_TRUE(model_.generals == (GeneralList{fullGeneral(1), fullGeneral(2)}));
    EXPECT_EQ(cell(0, 6), std::to_string(fullGeneral(1).baseStrength));
    EXPECT_FALSE(model_.unsavedEdits);
    // The file the restore replaced is kept too, so the restore can be undone by another.
    EXPECT_EQ(listBackupVersions(path_).size(), 4u);
    EXPECT_EQ(readWholeFile(listBackupVersions(path_).front().path), versions_[3]);
}

TEST_F(BackupWindowTest, OpenFolderShowsTheHistoryAndEscapeCloses)
{
    takeOpenedFolder();  // record the folder instead of showing it
    path_ = load({fullGeneral(1)});
    Window* backups = openBackups();
    ASSERT_NE(backups, nullptr);
    EXPECT_EQ(driver::shownRowCount(*backups, "列表_版本"), 0);
    EXPECT_FALSE(driver::shownText(*backups, "列表_版本").empty());  // says why the list is empty
    setNextAnswer(MessageResult::Ok);  // no history yet: nothing to show
    driver::click(*backups, "按钮_打开文件夹");
    EXPECT_FALSE(takeOpenedFolder().has_value());
    driver::pressKey(*backups, "列表_版本", "Escape");
    ASSERT_TRUE(backupsClosed());

    setNextAnswer(MessageResult::No);
    driver::click(window(), "按钮2");  // the history now holds the file as loaded
    backups = openBackups();
    ASSERT_NE(backups, nullptr);
    driver::click(*backups, "按钮_打开文件夹");
    EXPECT_EQ(takeOpenedFolder(), pathToUtf8(historyFolderFor(path_)));
    driver::click(*backups, "按钮_关闭");
    ASSERT_TRUE(backupsClosed());
}

class ChangedFileTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        path_ = load({fullGeneral(1)});
        Window* editor = openEditor(0);
        ASSERT_NE(editor, nullptr);
        retype(*editor, "编辑框_基础武力", "5");
        driver::click(*editor, "按钮_确认");
        ASSERT_TRUE(editorClosed());
        // Meanwhile the game writes the file: a general more.
        gameWrote_ = encodeSaveFile({fullGeneral(1), fullGeneral(7)}, 5);
        writeFile(path_, gameWrote_);
    }

    std::filesystem::path path_;
    ByteString gameWrote_;
};

TEST_F(ChangedFileTest, NoEscapeAndTheCloseBoxWriteNothing)
{
    const std::optional<MessageResult> answers[] = {MessageResult::No, std::nullopt /* Escape, close box */};
    for (const std::optional<MessageResult>& answer : answers) {
        if (answer) setNextAnswer(*answer);
        driver::click(window(), "按钮2");
        const std::vector<ShownMessage> shown = takeShownMessages();
        ASSERT_EQ(shown.size(), 1u);  // no backup question after it
        EXPECT_EQ(shown[0].caption, "文件已被修改");
        EXPECT_NE(shown[0].text.find("generals.bytes"), std::string::npos);
        EXPECT_NE(shown[0].text.find("游戏"), std::string::npos);
        EXPECT_NE(shown[0].text.find("备份历史"), std::string::npos);
        EXPECT_EQ(readWholeFile(path_), gameWrote_);
        EXPECT_TRUE(model_.unsavedEdits);
        EXPECT_TRUE(listBackupVersions(path_).empty());
    }
}

TEST_F(ChangedFileTest, YesSavesAndKeepsTheChangedFileInTheHistory)
{
    setNextAnswer(MessageResult::Yes);  // overwrite
    setNextAnswer(MessageResult::No);   // no .bak
    driver::click(window(), "按钮2");
    EXPECT_FALSE(model_.unsavedEdits);
    ASSERT_EQ(generalsIn(path_).size(), 1u);
    EXPECT_EQ(generalsIn(path_)[0].baseStrength, 5);
    const std::vector<BackupVersion> versions = listBackupVersions(path_);
    ASSERT_FALSE(versions.empty());
    EXPECT_EQ(readWholeFile(versions.front().path), gameWrote_);
    takeShownMessages();

    // The file is now what this save wrote: the next save asks the backup question alone.
    setNextAnswer(MessageResult::No);
    driver::click(window(), "按钮2");
    const std::vector<ShownMessage> shown = takeShownMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "备份提示");
}

TEST_F(ChangedFileTest, AFileThatIsNoSaveFileIsToldBeforeTheUnsavedEditsQuestion)
{
    const std::filesystem::path notes = folder_.path() / "notes.json";
    writeFile(notes, ByteString(std::string("{\"generals\": []}")));
    setNextAnswer(MessageResult::Ok);
    open(notes);
    const std::vector<ShownMessage> shown = takeShownMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("notes.json"), std::string::npos);
    EXPECT_EQ(model_.savePath, path_);
    EXPECT_TRUE(model_.unsavedEdits);
    EXPECT_EQ(model_.generals[0].baseStrength, 5);
}

}  // namespace
