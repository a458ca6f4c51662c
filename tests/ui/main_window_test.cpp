// The main window worked as a user works it: open through the dialog, the rows and
// the count label, refused and damaged files, save with and without a backup, the
// questions about unsaved edits, drops, and the commands refused while a load runs.

#include "data/load.h"
#include "data/save_folder.h"
#include "toolkit/application.h"
#include "ui_test_support.h"

#include <cerrno>
#include <condition_variable>
#include <mutex>

using namespace sg8;
using namespace sg8::testing;

namespace {

class MainWindowTest : public MainWindowSuite {};

TEST_F(MainWindowTest, StartsEmptyWithItsCommandsAndHeaders)
{
    Window& window = mainWindow();
    EXPECT_EQ(window.caption(), "Tarvo - Quelbrin - 测试版0.3  【Pellix】");
    EXPECT_EQ(driver::shownText(window, "按钮1"), "打开");
    EXPECT_EQ(driver::shownText(window, "按钮2"), "保存");
    EXPECT_EQ(driver::shownText(window, "按钮3"), "关于");
    EXPECT_EQ(countLabel(), "总武将数：0个");  // no leading blank before the first load
    for (const char* control : {"按钮1", "按钮2", "按钮3", "超级列表框1"}) {
        EXPECT_TRUE(driver::isEnabled(window, control)) << control;
    }
    EXPECT_EQ(driver::shownRowCount(window, kList), 0);
    EXPECT_EQ(driver::shownSelectedRow(window, kList), -1);
    EXPECT_EQ(driver::shownHeaders(window, kList),
              (std::vector<std::string>{"ID", "武将", "字号", "性别", "寿命", "体力", "武力", "智力", "义理", "武器类型"}));

    // The commands in a row along the top, 关于 at the far end, the list below them;
    // all of it inside the window.
    const driver::Rect client = driver::clientArea(window);
    const driver::Rect open = driver::controlRect(window, "按钮1");
    const driver::Rect save = driver::controlRect(window, "按钮2");
    const driver::Rect count = driver::controlRect(window, "标签1");
    const driver::Rect about = driver::controlRect(window, "按钮3");
    const driver::Rect list = driver::controlRect(window, kList);
    for (const driver::Rect& control : {open, save, count, about, list}) EXPECT_TRUE(liesWithin(control, client));
    EXPECT_LE(open.left + open.width, save.left);
    EXPECT_LE(save.left + save.width, count.left);
    EXPECT_LE(count.left + count.width, about.left);
    for (const driver::Rect& top : {open, save, count, about}) EXPECT_LE(top.top + top.height, list.top);
    EXPECT_GT(list.width, client.width * 9 / 10);
}

TEST_F(MainWindowTest, OpenListsEveryGeneral)
{
    CustomGeneral second = generalWithEveryField(-1);
    second.surname = {};
    second.weaponType = 12;
    second.lifespan = 0;
    const std::filesystem::path path = fixture("two.bytes", {workedExampleGeneral(), second}, 77);
    openFile(path);

    EXPECT_EQ(countLabel(), " 总武将数：2个");
    ASSERT_EQ(driver::shownRowCount(mainWindow(), kList), 2);
    EXPECT_EQ(row(0), (std::vector<std::string>{"1001", "甲", "", "男", "60", "0", "0", "0", "0", "单手兵器"}));
    // No surname: the given name alone; a weapon code outside 1 to 8 shows the number.
    EXPECT_EQ(row(1), (std::vector<std::string>{"-1", "三", "子义", "女", "0", "119", "120", "121", "116", "12"}));
    EXPECT_EQ(model_.generals.size(), 2u);
    EXPECT_EQ(model_.trailerValue, 77);
    EXPECT_EQ(model_.savePath, path);
    EXPECT_FALSE(model_.unsavedEdits);

    const std::optional<ShownFileDialog> dialog = lastFileDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->title, "存档文件");
    EXPECT_EQ(dialog->filter, "存档文件(*.bytes)|*.bytes|所有文件|*.*");
    EXPECT_EQ(dialog->initialFolder, pathToUtf8(gameSaveFolder()));
    EXPECT_EQ(dialog->initialFileName, "");
    EXPECT_EQ(dialog->defaultExtension, "bytes");
    EXPECT_FALSE(dialog->save);
}

TEST_F(MainWindowTest, FileAnnouncingNoGeneralsListsNone)
{
    openFile(fixture("empty.bytes", {}));
    EXPECT_EQ(countLabel(), " 总武将数：0个");
    EXPECT_EQ(driver::shownRowCount(mainWindow(), kList), 0);
}

TEST_F(MainWindowTest, ClickingARowSelectsItAlone)
{
    openFile(fixture("three.bytes", {generalWithEveryField(30), generalWithEveryField(10), generalWithEveryField(20)}));
    EXPECT_EQ(driver::shownSelectedRow(mainWindow(), kList), -1);
    driver::clickRow(mainWindow(), kList, 1);
    EXPECT_EQ(driver::shownSelectedRow(mainWindow(), kList), 1);
    driver::clickRow(mainWindow(), kList, 2);
    EXPECT_EQ(driver::shownSelectedRow(mainWindow(), kList), 2);
    // The rows show the file's order until the user sorts them.
    EXPECT_EQ(driver::shownCell(mainWindow(), kList, 0, 0), "30");
    EXPECT_EQ(driver::shownCell(mainWindow(), kList, 1, 0), "10");
    EXPECT_EQ(driver::shownCell(mainWindow(), kList, 2, 0), "20");
    EXPECT_TRUE(takeShownMessages().empty());
}

TEST_F(MainWindowTest, CancelledOpenKeepsTheFile)
{
    const std::filesystem::path path = fixture("one.bytes", {workedExampleGeneral()});
    openFile(path);
    setNextFileName(std::nullopt);
    driver::click(mainWindow(), "按钮1");
    EXPECT_FALSE(main_->loading());
    // The last chosen path is offered again; the list, label and path stay.
    EXPECT_EQ(lastFileDialog()->initialFileName, pathToUtf8(path));
    EXPECT_EQ(driver::shownRowCount(mainWindow(), kList), 1);
    EXPECT_EQ(countLabel(), " 总武将数：1个");
    EXPECT_EQ(model_.savePath, path);

    // A name the dialog would not accept (no such file) is a cancel too.
    setNextFileName(pathToUtf8(folder_ / "missing.bytes"));
    driver::click(mainWindow(), "按钮1");
    EXPECT_FALSE(main_->loading());
    EXPECT_EQ(model_.savePath, path);

    // A save after the cancels writes to the file that is open.
    CustomGeneral edited = model_.generals[0];
    edited.baseStrength = 88;
    ASSERT_TRUE(storeGeneral(model_, 0, edited));
    save(MessageResult::No);
    takeShownMessages();
    EXPECT_EQ(fileBytes(path), encoded({edited}));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "missing.bytes"));
}

TEST_F(MainWindowTest, RefusedFileChangesNothing)
{
    const std::string good = encoded({workedExampleGeneral(), generalWithEveryField(5)}, 3);
    std::string badHeader = good;
    badHeader[1] = 2;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"first value not 1", badHeader},
        {"truncated inside a general", good.substr(0, good.size() / 2)},
        {"empty file", ""},
        {"not a save file", "hello, world"},
    };
    for (const auto& refused : cases) {
        SCOPED_TRACE(refused.name);
        const std::filesystem::path goodPath = fixture("good.bytes", {workedExampleGeneral()}, 9);
        openFile(goodPath);
        const GeneralList before = model_.generals;

        const std::filesystem::path badPath = folder_ / "bad.bytes";
        writeBytes(badPath, refused.bytes);
        openFile(badPath);

        const std::vector<ShownMessage> shown = takeShownMessages();
        ASSERT_EQ(shown.size(), 1u);
        const Result<LoadedFile> loaded = loadSaveFile(badPath);
        ASSERT_FALSE(loaded);
        EXPECT_EQ(shown[0].text, loaded.error().message);
        EXPECT_EQ(shown[0].caption, "打开失败");

        EXPECT_TRUE(model_.generals == before);
        EXPECT_EQ(model_.trailerValue, 9);
        EXPECT_EQ(model_.savePath, goodPath);
        EXPECT_EQ(driver::shownRowCount(mainWindow(), kList), 1);
        EXPECT_EQ(driver::shownCell(mainWindow(), kList, 0, 0), "1001");
        EXPECT_EQ(countLabel(), " 总武将数：1个");
        EXPECT_TRUE(driver::isEnabled(mainWindow(), "按钮1"));
        EXPECT_EQ(fileBytes(badPath), refused.bytes);
        // The dialog offers the open file again, not the refused one.
        setNextFileName(std::nullopt);
        driver::click(mainWindow(), "按钮1");
        EXPECT_EQ(lastFileDialog()->initialFileName, pathToUtf8(goodPath));
    }
}

TEST_F(MainWindowTest, WarningsAreShownOnce)
{
    std::string bytes = encoded({workedExampleGeneral()});
    bytes[19] = 0x10;  // the second copy of the id no longer matches the first
    const std::filesystem::path path = folder_ / "ids.bytes";
    writeBytes(path, bytes);
    openFile(path);

    const Result<LoadedFile> loaded = loadSaveFile(path);
    ASSERT_TRUE(loaded);
    ASSERT_FALSE(loaded->warnings.empty());
    const std::vector<ShownMessage> shown = takeShownMessages();
    ASSERT_EQ(shown.size(), 1u);
    for (const std::string& warning : loaded->warnings) EXPECT_NE(shown[0].text.find(warning), std::string::npos);
    EXPECT_EQ(driver::shownRowCount(mainWindow(), kList), 1);
    EXPECT_EQ(countLabel(), " 总武将数：1个");
}

TEST_F(MainWindowTest, CommandsAreRefusedDuringALoad)
{
    const std::filesystem::path first = fixture("first.bytes", {workedExampleGeneral()});
    openFile(first);
    driver::clickRow(mainWindow(), kList, 0);

    // Hold the next load's worker at its first read until the test lets it go.
    std::mutex mutex;
    std::condition_variable changed;
    bool reached = false;
    bool released = false;
    setFaultInjector([&](IoStep step) {
        if (step != IoStep::OpenForReading || onWindowThread()) return 0;
        std::unique_lock lock(mutex);
        reached = true;
        changed.notify_all();
        changed.wait(lock, [&] { return released; });
        return 0;
    });
    const std::filesystem::path second =
        fixture("second.bytes", {generalWithEveryField(1), generalWithEveryField(2), generalWithEveryField(3)});
    setNextFileName(pathToUtf8(second));
    driver::click(mainWindow(), "按钮1");
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return reached; });
    }
    EXPECT_TRUE(main_->loading());
    EXPECT_FALSE(driver::isEnabled(mainWindow(), "按钮1"));
    EXPECT_FALSE(driver::isEnabled(mainWindow(), "按钮2"));
    EXPECT_FALSE(driver::isEnabled(mainWindow(), kList));

    // The handlers themselves refuse too: no dialog, no question, no editor.
    const std::optional<ShownFileDialog> dialogBefore = lastFileDialog();
    main_->openSaveFile();
    main_->saveSaveFile();
    main_->openEditor();
    EXPECT_FALSE(main_->loadFile(first));
    driver::dropFiles(mainWindow(), {pathToUtf8(first)});
    EXPECT_FALSE(driver::windowExists("EditorWindow"));
    EXPECT_EQ(lastFileDialog()->initialFileName, dialogBefore->initialFileName);
    EXPECT_TRUE(takeShownMessages().empty());
    EXPECT_EQ(driver::shownRowCount(mainWindow(), kList), 1);

    {
        std::lock_guard lock(mutex);
        released = true;
    }
    changed.notify_all();
    ASSERT_TRUE(driver::waitUntil([this] { return !main_->loading(); }));
    EXPECT_EQ(driver::shownRowCount(mainWindow(), kList), 3);
    EXPECT_EQ(countLabel(), " 总武将数：3个");
    EXPECT_EQ(model_.savePath, second);
    EXPECT_TRUE(driver::isEnabled(mainWindow(), "按钮1"));
    EXPECT_TRUE(driver::isEnabled(mainWindow(), "按钮2"));
    EXPECT_TRUE(driver::isEnabled(mainWindow(), kList));
}

TEST_F(MainWindowTest, ClosingDuringALoadDropsItsResult)
{
    const std::filesystem::path path = fixture("late.bytes", {workedExampleGeneral(), generalWithEveryField(2)});
    // Hold the load's worker at its first read until the window has closed: a
    // backend that handles events while it clicks would otherwise take the result in.
    std::mutex mutex;
    std::condition_variable changed;
    bool released = false;
    setFaultInjector([&](IoStep step) {
        if (step != IoStep::OpenForReading || onWindowThread()) return 0;
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return released; });
        return 0;
    });
    setNextFileName(pathToUtf8(path));
    driver::click(mainWindow(), "按钮1");
    ASSERT_TRUE(main_->loading());
    driver::closeWindow(mainWindow());
    EXPECT_EQ(driver::findWindow("MainWindow"), nullptr);
    {
        std::lock_guard lock(mutex);
        released = true;
    }
    changed.notify_all();
    main_.reset();  // waits for the worker; its result must reach nothing
    setFaultInjector({});
    processEvents();
    EXPECT_TRUE(model_.generals.empty());
    EXPECT_TRUE(model_.savePath.empty());
}

TEST_F(MainWindowTest, SaveAsksAboutTheBackup)
{
    for (const bool backup : {false, true}) {
        SCOPED_TRACE(backup ? "Yes, replacing an older backup" : "No");
        const std::filesystem::path path =
            fixture("save.bytes", {workedExampleGeneral(), generalWithEveryField(2)}, 42);
        const std::string original = fileBytes(path);
        const std::filesystem::path bakPath = folder_ / "save.bytes.bak";
        writeBytes(bakPath, "an older backup");
        openFile(path);

        CustomGeneral edited = model_.generals[1];
        edited.baseStrength = 99;
        ASSERT_TRUE(storeGeneral(model_, 1, edited));
        save(backup ? MessageResult::Yes : MessageResult::No);

        const std::vector<ShownMessage> shown = takeShownMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, "是否在原目录备份原存档文件？");
        EXPECT_EQ(shown[0].caption, "备份提示");
        EXPECT_EQ(shown[0].style, MessageStyle::YesNoCancel);
        EXPECT_EQ(shown[0].icon, MessageIcon::None);

        EXPECT_EQ(fileBytes(path), encoded({workedExampleGeneral(), edited}, 42));
        EXPECT_EQ(fileBytes(bakPath), backup ? original : "an older backup");
        EXPECT_FALSE(model_.unsavedEdits);
    }
}

TEST_F(MainWindowTest, SaveWithoutAFileSaysSo)
{
    driver::click(mainWindow(), "按钮2");
    const std::vector<ShownMessage> shown = takeShownMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "尚未打开存档文件，没有可保存的内容。");
    EXPECT_EQ(shown[0].style, MessageStyle::Ok);
    EXPECT_TRUE(folder_.names().empty());
}

TEST_F(MainWindowTest, FailedSaveIsToldAndKeepsTheFile)
{
    const std::filesystem::path path = fixture("locked.bytes", {workedExampleGeneral()});
    const std::string original = fileBytes(path);
    openFile(path);
    CustomGeneral edited = model_.generals[0];
    edited.lifespan = 61;
    ASSERT_TRUE(storeGeneral(model_, 0, edited));

    setFaultInjector([](IoStep step) { return step == IoStep::Rename ? EACCES : 0; });
    save(MessageResult::No);
    setFaultInjector({});

    const std::vector<ShownMessage> shown = takeShownMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].caption, "保存失败");
    EXPECT_NE(shown[1].text.find(stepName(IoStep::Rename)), std::string::npos) << shown[1].text;
    EXPECT_EQ(fileBytes(path), original);
    EXPECT_TRUE(model_.unsavedEdits);
    EXPECT_EQ(folder_.names(), std::vector<std::string>{"locked.bytes"});
}

TEST_F(MainWindowTest, AboutShowsTheCredits)
{
    driver::click(mainWindow(), "按钮3");
    const std::vector<ShownMessage> shown = takeShownMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "版权");
    EXPECT_EQ(shown[0].style, MessageStyle::Ok);
    EXPECT_EQ(shown[0].icon, MessageIcon::None);
    // Seven lines joined by CR LF, none after the last: two empty, then five of credits.
    std::vector<std::string> lines;
    std::string text = shown[0].text;
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos; text.erase(0, at + 2)) {
        lines.push_back(text.substr(0, at));
    }
    lines.push_back(text);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_TRUE(lines[0].empty() && lines[1].empty());
    for (std::size_t i = 2; i < 7; ++i) {
        EXPECT_FALSE(lines[i].empty()) << "line " << i + 1;
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << "line " << i + 1;
    }
}

TEST_F(MainWindowTest, ClosingAsksAboutUnsavedEdits)
{
    const std::filesystem::path path = fixture("edits.bytes", {workedExampleGeneral()});
    const std::string original = fileBytes(path);
    openFile(path);
    // Without unsaved edits nothing is asked; storing an equal record leaves none.
    EXPECT_FALSE(storeGeneral(model_, 0, model_.generals[0]));
    CustomGeneral edited = model_.generals[0];
    edited.baseStamina = 50;
    ASSERT_TRUE(storeGeneral(model_, 0, edited));

    setNextAnswer(MessageResult::Cancel);
    driver::closeWindow(mainWindow());
    EXPECT_NE(driver::findWindow("MainWindow"), nullptr);
    const std::vector<ShownMessage> asked = takeShownMessages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "当前存档有未保存的修改，是否先保存？");
    EXPECT_EQ(asked[0].style, MessageStyle::YesNoCancel);

    setNextAnswer(MessageResult::No);
    driver::closeWindow(mainWindow());
    EXPECT_EQ(driver::findWindow("MainWindow"), nullptr);
    EXPECT_EQ(fileBytes(path), original);
}

TEST_F(MainWindowTest, ClosingWithoutEditsAsksNothing)
{
    openFile(fixture("clean.bytes", {workedExampleGeneral()}));
    driver::closeWindow(mainWindow());
    EXPECT_EQ(driver::findWindow("MainWindow"), nullptr);
    EXPECT_TRUE(takeShownMessages().empty());
}

TEST_F(MainWindowTest, OpeningAnotherFileAsksAboutUnsavedEdits)
{
    const struct {
        const char* name;
        MessageResult answer;
        bool opened;
        bool saved;
    } cases[] = {
        {"Cancel: stay", MessageResult::Cancel, false, false},
        {"No: open without saving", MessageResult::No, true, false},
        {"Yes: save, then open", MessageResult::Yes, true, true},
    };
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.name);
        const std::filesystem::path first = fixture("first.bytes", {workedExampleGeneral()});
        const std::string original = fileBytes(first);
        const std::filesystem::path second =
            fixture("second.bytes", {generalWithEveryField(1), generalWithEveryField(2)});
        openFile(first);
        CustomGeneral edited = model_.generals[0];
        edited.righteousness = 7;
        ASSERT_TRUE(storeGeneral(model_, 0, edited));

        setNextAnswer(expected.answer);
        if (expected.answer == MessageResult::Yes) setNextAnswer(MessageResult::No);  // the backup question
        openFile(second);

        const std::vector<ShownMessage> shown = takeShownMessages();
        ASSERT_EQ(shown.size(), expected.saved ? 2u : 1u);
        EXPECT_EQ(shown[0].text, "当前存档有未保存的修改，是否先保存？");
        EXPECT_EQ(shown[0].style, MessageStyle::YesNoCancel);
        EXPECT_EQ(driver::shownRowCount(mainWindow(), kList), expected.opened ? 2 : 1);
        EXPECT_EQ(model_.savePath, expected.opened ? second : first);
        EXPECT_EQ(fileBytes(first), expected.saved ? encoded({edited}) : original);
        EXPECT_EQ(model_.unsavedEdits, !expected.opened);
        // The file is chosen first, so that a file that is no save file is told before the question.
        EXPECT_EQ(dropUnusedFileNames(), 0u);
        model_.unsavedEdits = false;
    }
}

TEST_F(MainWindowTest, DroppedFileIsOpened)
{
    const std::filesystem::path path = fixture("dropped.bytes", {workedExampleGeneral(), generalWithEveryField(2)});
    ASSERT_TRUE(driver::dropFiles(mainWindow(), {pathToUtf8(path)}));
    ASSERT_TRUE(driver::waitUntil([this] { return !main_->loading(); }));
    EXPECT_EQ(driver::shownRowCount(mainWindow(), kList), 2);
    EXPECT_EQ(countLabel(), " 总武将数：2个");
    EXPECT_EQ(model_.savePath, path);
}

TEST_F(MainWindowTest, DropWithUnsavedEditsAsksFirst)
{
    const std::filesystem::path first = fixture("first.bytes", {workedExampleGeneral()});
    const std::filesystem::path dropped =
        fixture("dropped.bytes", {generalWithEveryField(1), generalWithEveryField(2)});
    openFile(first);
    CustomGeneral edited = model_.generals[0];
    edited.relation = 3;
    ASSERT_TRUE(storeGeneral(model_, 0, edited));

    setNextAnswer(MessageResult::Cancel);
    driver::dropFiles(mainWindow(), {pathToUtf8(dropped)});
    driver::waitUntil([this] { return !main_->loading(); });
    ASSERT_EQ(takeShownMessages().size(), 1u);
    EXPECT_EQ(model_.savePath, first);
    EXPECT_TRUE(model_.unsavedEdits);
}

TEST(GameSaveFolder, FoundInASteamLibraryElseTheHomeFolder)
{
    TempFolder folder;
#ifdef _WIN32
    // On Windows the game's folder lies in the user's profile.
    const std::filesystem::path profile = folder / "用户";
    std::filesystem::create_directories(profile);
    EXPECT_EQ(gameSaveFolderIn(profile), profile);
    std::filesystem::create_directories(profile / saveFolderInProfile());
    EXPECT_EQ(gameSaveFolderIn(profile), profile / saveFolderInProfile());
#else
    const std::filesystem::path home = folder / "home";
    std::filesystem::create_directories(home / ".steam" / "steam" / "steamapps");
    EXPECT_EQ(gameSaveFolderIn(home), home);  // no game installed: the home folder

    // The game in a second Steam library, listed by the first.
    const std::filesystem::path library = folder / "games";
    const std::filesystem::path saves = library / "steamapps" / "compatdata" / "1234560" / "pfx" / "drive_c" /
                                        "users" / "steamuser" / "AppData" / "LocalLow" / "UserJoy" / "SG8";
    std::filesystem::create_directories(saves);
    EXPECT_EQ(gameSaveFolderIn(home), home);
    writeBytes(home / ".steam" / "steam" / "steamapps" / "libraryfolders.vdf",
               "\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + pathToUtf8(library) + "\"\n\t}\n}\n");
    EXPECT_EQ(gameSaveFolderIn(home), saves);
#endif
}

}  // namespace
