// The main window driven as a user would: open through the dialog, the rows and
// the label, refused and damaged files, save with and without a backup, and the
// commands refused while a load runs.

#include "data/file_io.h"
#include "data/load.h"
#include "data/model.h"
#include "toolkit/application.h"
#include "toolkit/file_dialog.h"
#include "toolkit/message_box.h"
#include "ui/main/about_text.h"
#include "ui/main/main_window.h"
#include "data/save_folder.h"
#include "ui_test_support.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <condition_variable>
#include <memory>
#include <mutex>

using namespace sg8;
using namespace sg8::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {}
    void init();
    void cleanup();

    void startsEmptyWithTheDesignedLayout();
    void openListsEveryGeneral();
    void cancelledOpenKeepsTheFile();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void warningsAreShownOnce();
    void commandsAreRefusedDuringALoad();
    void closingDuringALoadDropsItsResult();
    void saveAsksAboutTheBackup_data();
    void saveAsksAboutTheBackup();
    void saveWithoutAFileSaysSo();
    void failedSaveIsToldAndKeepsTheFile();
    void aboutShowsTheCredits();
    void closingAsksAboutUnsavedEdits();
    void openingAnotherFileAsksAboutUnsavedEdits_data();
    void openingAnotherFileAsksAboutUnsavedEdits();
    void droppedFileIsOpened();
    void dialogStartsInTheGamesSaveFolder();

private:
    QString fixture(const char* name, const GeneralList& generals, std::int32_t trailer = 0);
    void openFile(const QString& path);
    QStringList row(int r) const;
    QTableView* list() const { return control<QTableView>(window_, "超级列表框1"); }
    QString countLabel() const { return control<QLabel>(window_, "标签1")->text(); }

    std::unique_ptr<QTemporaryDir> dir_;
    QTemporaryDir& folder() { return *dir_; }
    Model model_;
    std::unique_ptr<MainWindow> main_;
    QWidget* window_ = nullptr;
};

QString MainWindowTest::fixture(const char* name, const GeneralList& generals, std::int32_t trailer)
{
    const QString path = folder().filePath(QString::fromUtf8(name));
    writeBytes(path, encoded(generals, trailer));
    return path;
}

void MainWindowTest::openFile(const QString& path)
{
    setNextFileName(path.toStdString());
    QTest::mouseClick(control<QPushButton>(window_, "按钮1"), Qt::LeftButton);
    QTRY_VERIFY(!main_->loading());
}

QStringList MainWindowTest::row(int r) const
{
    QStringList cells;
    for (int c = 0; c < list()->model()->columnCount(); ++c) cells << list()->model()->index(r, c).data().toString();
    return cells;
}

void MainWindowTest::init()
{
    takeShownMessages();
    dir_ = std::make_unique<QTemporaryDir>();
    initModel(model_);
    main_ = std::make_unique<MainWindow>(model_);
    main_->window().show();
    window_ = visibleWindow("MainWindow");
    QVERIFY(window_);
}

void MainWindowTest::cleanup()
{
    setFaultInjector({});
    main_.reset();
    window_ = nullptr;
    for (const ShownMessage& message : takeShownMessages()) {
        QVERIFY2(message.answeredInAdvance, ("unexpected message box: " + message.text).c_str());
    }
    QCOMPARE(dropUnusedAnswers(), std::size_t{0});
    QCOMPARE(dropUnusedFileNames(), std::size_t{0});
}

void MainWindowTest::startsEmptyWithTheDesignedLayout()
{
    QCOMPARE(window_->windowTitle(), QStringLiteral("Tarvo - Quelbrin - 测试版0.3  【Pellix】"));
    QCOMPARE(window_->size(), QSize(642 - 6, 483 - 25));  // the design's size less the frame
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);

    const struct {
        const char* name;
        QRect geometry;
        const char* text;
    } controls[] = {
        {"按钮1", {8, 8, 80, 32}, "打开"},
        {"按钮2", {96, 8, 80, 32}, "保存"},
        {"按钮3", {544, 8, 80, 32}, "关于"},
        {"标签1", {184, 16, 120, 24}, "总武将数：0个"},
        {"超级列表框1", {8, 48, 624, 400}, nullptr},
    };
    for (const auto& expected : controls) {
        QWidget* widget = control<QWidget>(window_, expected.name);
        QVERIFY2(widget, expected.name);
        QCOMPARE(widget->geometry(), expected.geometry);
        QVERIFY(widget->isEnabled());
        if (auto* button = qobject_cast<QPushButton*>(widget)) QCOMPARE(button->text(), QString::fromUtf8(expected.text));
        if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), QString::fromUtf8(expected.text));
    }

    QCOMPARE(list()->model()->rowCount(), 0);
    const QStringList headers{"ID", "武将", "字号", "性别", "寿命", "体力", "武力", "智力", "义理", "武器类型"};
    const int widths[] = {50, 80, 80, 50, 50, 50, 50, 50, 50, 100};
    for (int c = 0; c < headers.size(); ++c) {
        QCOMPARE(list()->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
        QCOMPARE(list()->horizontalHeader()->sectionSize(c), widths[c]);
    }
    QVERIFY(!list()->horizontalHeader()->sectionsClickable());
    QVERIFY(!list()->isSortingEnabled());
    QVERIFY(list()->showGrid());
    QCOMPARE(list()->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list()->selectionBehavior(), QAbstractItemView::SelectRows);
}

void MainWindowTest::openListsEveryGeneral()
{
    CustomGeneral second = fullGeneral(-1);
    second.surname = {};
    second.weaponType = 12;
    const QString path = fixture("two.bytes", {workedExampleGeneral(), second}, 77);
    openFile(path);

    QCOMPARE(countLabel(), QStringLiteral(" 总武将数：2个"));
    QCOMPARE(list()->model()->rowCount(), 2);
    QCOMPARE(row(0), (QStringList{"1001", "甲", "", "男", "60", "0", "0", "0", "0", "单手兵器"}));
    // No surname: the given name alone; a weapon code outside 1 to 8 shows the number.
    QCOMPARE(row(1), (QStringList{"-1", "三", "子义", "女", "118", "119", "120", "121", "116", "12"}));
    QCOMPARE(model_.generals.size(), std::size_t{2});
    QCOMPARE(model_.trailerValue, 77);
    QCOMPARE(QString::fromStdString(pathToUtf8(model_.savePath)), path);
    QVERIFY(!model_.unsavedEdits);

    const std::optional<ShownFileDialog> dialog = lastFileDialog();
    QVERIFY(dialog);
    QCOMPARE(QString::fromStdString(dialog->title), QStringLiteral("存档文件"));
    QCOMPARE(QString::fromStdString(dialog->filter), QStringLiteral("存档文件(*.bytes)|*.bytes|所有文件|*.*"));
    QCOMPARE(dialog->initialFolder, pathToUtf8(gameSaveFolder()));
    QCOMPARE(dialog->initialFileName, std::string());
    QCOMPARE(QString::fromStdString(dialog->defaultExtension), QStringLiteral("bytes"));
}

void MainWindowTest::cancelledOpenKeepsTheFile()
{
    const QString path = fixture("one.bytes", {workedExampleGeneral()});
    openFile(path);
    setNextFileName(std::nullopt);
    QTest::mouseClick(control<QPushButton>(window_, "按钮1"), Qt::LeftButton);
    QVERIFY(!main_->loading());
    // The last chosen path is offered again; the list, label and path stay.
    QCOMPARE(QString::fromStdString(lastFileDialog()->initialFileName), path);
    QCOMPARE(list()->model()->rowCount(), 1);
    QCOMPARE(countLabel(), QStringLiteral(" 总武将数：1个"));
    QCOMPARE(QString::fromStdString(pathToUtf8(model_.savePath)), path);

    // A name the dialog would not accept (no such file) is a cancel too.
    setNextFileName(folder().filePath("missing.bytes").toStdString());
    QTest::mouseClick(control<QPushButton>(window_, "按钮1"), Qt::LeftButton);
    QVERIFY(!main_->loading());
    QCOMPARE(QString::fromStdString(pathToUtf8(model_.savePath)), path);
}

void MainWindowTest::refusedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = encoded({workedExampleGeneral(), fullGeneral(5)}, 3);
    QByteArray badHeader = good;
    badHeader[1] = 2;
    QTest::newRow("first value not 1") << badHeader;
    QTest::newRow("truncated inside a general") << good.left(good.size() / 2);
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("not a save file") << QByteArray("hello, world");
}

void MainWindowTest::refusedFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    const QString goodPath = fixture("good.bytes", {workedExampleGeneral()}, 9);
    openFile(goodPath);
    const GeneralList before = model_.generals;

    const QString badPath = folder().filePath("bad.bytes");
    writeBytes(badPath, bytes);
    openFile(badPath);

    const std::vector<ShownMessage> shown = takeShownMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    const Result<LoadedFile> refused = loadSaveFile(pathFromUtf8(badPath.toStdString()));
    QVERIFY(!refused);
    QCOMPARE(shown[0].text, refused.error().message);
    QCOMPARE(QString::fromStdString(shown[0].caption), QStringLiteral("打开失败："));

    QVERIFY(model_.generals == before);
    QCOMPARE(model_.trailerValue, 9);
    QCOMPARE(QString::fromStdString(pathToUtf8(model_.savePath)), goodPath);
    QCOMPARE(list()->model()->rowCount(), 1);
    QCOMPARE(row(0).first(), QStringLiteral("1001"));
    QCOMPARE(countLabel(), QStringLiteral(" 总武将数：1个"));
    QVERIFY(control<QPushButton>(window_, "按钮1")->isEnabled());
    QCOMPARE(fileBytes(badPath), bytes);
    setNextFileName(std::nullopt);
    QTest::mouseClick(control<QPushButton>(window_, "按钮1"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(lastFileDialog()->initialFileName), goodPath);
}

void MainWindowTest::warningsAreShownOnce()
{
    QByteArray bytes = encoded({workedExampleGeneral()});
    bytes[19] = 0x10;  // the second copy of the id no longer matches the first
    const QString path = folder().filePath("ids.bytes");
    writeBytes(path, bytes);
    openFile(path);

    const Result<LoadedFile> loaded = loadSaveFile(pathFromUtf8(path.toStdString()));
    QVERIFY(loaded && !loaded->warnings.empty());
    const std::vector<ShownMessage> shown = takeShownMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    for (const std::string& warning : loaded->warnings) QVERIFY(shown[0].text.find(warning) != std::string::npos);
    QCOMPARE(list()->model()->rowCount(), 1);
    QCOMPARE(countLabel(), QStringLiteral(" 总武将数：1个"));
}

void MainWindowTest::commandsAreRefusedDuringALoad()
{
    const QString first = fixture("first.bytes", {workedExampleGeneral()});
    openFile(first);
    list()->selectRow(0);

    // Hold the next load at its first read until the test lets it go.
    std::mutex mutex;
    std::condition_variable changed;
    bool reached = false;
    bool released = false;
    setFaultInjector([&](IoStep step) {
        if (step != IoStep::OpenForReading) return 0;
        std::unique_lock lock(mutex);
        reached = true;
        changed.notify_all();
        changed.wait(lock, [&] { return released; });
        return 0;
    });
    const QString second = fixture("second.bytes", {fullGeneral(1), fullGeneral(2), fullGeneral(3)});
    setNextFileName(second.toStdString());
    QTest::mouseClick(control<QPushButton>(window_, "按钮1"), Qt::LeftButton);
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return reached; });
    }
    QVERIFY(main_->loading());
    QVERIFY(!control<QPushButton>(window_, "按钮1")->isEnabled());
    QVERIFY(!control<QPushButton>(window_, "按钮2")->isEnabled());
    QVERIFY(!list()->isEnabled());

    // The handlers themselves refuse too: no dialog, no question, no editor.
    const std::optional<ShownFileDialog> dialogBefore = lastFileDialog();
    main_->openSaveFile();
    main_->saveSaveFile();
    main_->openEditor();
    QVERIFY(!main_->loadFile(pathFromUtf8(first.toStdString())));
    QVERIFY(!visibleWindow("EditorWindow"));
    QCOMPARE(lastFileDialog()->initialFileName, dialogBefore->initialFileName);
    QVERIFY(takeShownMessages().empty());
    QCOMPARE(list()->model()->rowCount(), 1);

    {
        std::lock_guard lock(mutex);
        released = true;
    }
    changed.notify_all();
    QTRY_VERIFY(!main_->loading());
    QCOMPARE(list()->model()->rowCount(), 3);
    QCOMPARE(countLabel(), QStringLiteral(" 总武将数：3个"));
    QVERIFY(control<QPushButton>(window_, "按钮2")->isEnabled());
    QVERIFY(list()->isEnabled());
}

void MainWindowTest::closingDuringALoadDropsItsResult()
{
    const QString path = fixture("late.bytes", {workedExampleGeneral(), fullGeneral(2)});
    setNextFileName(path.toStdString());
    QTest::mouseClick(control<QPushButton>(window_, "按钮1"), Qt::LeftButton);
    QVERIFY(main_->loading());
    QVERIFY(window_->close());
    main_.reset();  // waits for the worker; its result must reach nothing
    QCoreApplication::processEvents();
    QVERIFY(model_.generals.empty());
    QVERIFY(model_.savePath.empty());
}

void MainWindowTest::saveAsksAboutTheBackup_data()
{
    QTest::addColumn<bool>("backup");
    QTest::newRow("No") << false;
    QTest::newRow("Yes, replacing an older backup") << true;
}

void MainWindowTest::saveAsksAboutTheBackup()
{
    QFETCH(bool, backup);
    const QString path = fixture("save.bytes", {workedExampleGeneral(), fullGeneral(2)}, 42);
    const QByteArray original = fileBytes(path);
    const QString bakPath = path + ".bak";
    writeBytes(bakPath, "an older backup");
    openFile(path);

    CustomGeneral edited = model_.generals[1];
    edited.baseStrength = 99;
    QVERIFY(storeGeneral(model_, 1, edited));
    setNextAnswer(backup ? MessageResult::Yes : MessageResult::No);
    QTest::mouseClick(control<QPushButton>(window_, "按钮2"), Qt::LeftButton);

    const std::vector<ShownMessage> shown = takeShownMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(shown[0].text), QStringLiteral("是否在原目录备份原存档文件？"));
    QCOMPARE(QString::fromStdString(shown[0].caption), QStringLiteral("备份提示："));
    QCOMPARE(shown[0].style, MessageStyle::YesNo);
    QCOMPARE(shown[0].icon, MessageIcon::None);

    QCOMPARE(fileBytes(path), encoded(model_.generals, 42));
    QVERIFY(fileBytes(path) != original);
    QCOMPARE(fileBytes(bakPath), backup ? original : QByteArray("an older backup"));
    QVERIFY(!model_.unsavedEdits);
}

void MainWindowTest::saveWithoutAFileSaysSo()
{
    QTest::mouseClick(control<QPushButton>(window_, "按钮2"), Qt::LeftButton);
    const std::vector<ShownMessage> shown = takeShownMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(shown[0].text), QStringLiteral("尚未打开存档文件，没有可保存的内容。"));
    QCOMPARE(shown[0].style, MessageStyle::Ok);
    QVERIFY(QDir(folder().path()).entryList(QDir::Files).isEmpty());
}

void MainWindowTest::failedSaveIsToldAndKeepsTheFile()
{
    const QString path = fixture("locked.bytes", {workedExampleGeneral()});
    const QByteArray original = fileBytes(path);
    openFile(path);
    CustomGeneral edited = model_.generals[0];
    edited.lifespan = 61;
    QVERIFY(storeGeneral(model_, 0, edited));

    setFaultInjector([](IoStep step) { return step == IoStep::Rename ? EACCES : 0; });
    setNextAnswer(MessageResult::No);
    QTest::mouseClick(control<QPushButton>(window_, "按钮2"), Qt::LeftButton);
    setFaultInjector({});

    const std::vector<ShownMessage> shown = takeShownMessages();
    QCOMPARE(shown.size(), std::size_t{2});
    QCOMPARE(QString::fromStdString(shown[1].caption), QStringLiteral("保存失败："));
    QVERIFY(!shown[1].text.empty());
    QCOMPARE(fileBytes(path), original);
    QVERIFY(model_.unsavedEdits);
    QCOMPARE(QDir(folder().path()).entryList(QDir::Files), QStringList{"locked.bytes"});
}

void MainWindowTest::aboutShowsTheCredits()
{
    QTest::mouseClick(control<QPushButton>(window_, "按钮3"), Qt::LeftButton);
    const std::vector<ShownMessage> shown = takeShownMessages();
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(shown[0].caption), QStringLiteral("版权"));
    QCOMPARE(shown[0].style, MessageStyle::Ok);
    QCOMPARE(shown[0].icon, MessageIcon::None);
    const QStringList lines = QString::fromStdString(shown[0].text).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 7);
    QVERIFY(lines[0].isEmpty() && lines[1].isEmpty());
    for (int i = 2; i < 7; ++i) QVERIFY(!lines[i].isEmpty());
    QVERIFY(!QString::fromStdString(shown[0].text).endsWith(QStringLiteral("\r\n")));
}

void MainWindowTest::closingAsksAboutUnsavedEdits()
{
    const QString path = fixture("edits.bytes", {workedExampleGeneral()});
    const QByteArray original = fileBytes(path);
    openFile(path);
    // Without unsaved edits nothing is asked; storing an equal record leaves none.
    QVERIFY(!storeGeneral(model_, 0, model_.generals[0]));
    CustomGeneral edited = model_.generals[0];
    edited.baseStamina = 50;
    QVERIFY(storeGeneral(model_, 0, edited));

    setNextAnswer(MessageResult::Cancel);
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible());
    const std::vector<ShownMessage> asked = takeShownMessages();
    QCOMPARE(asked.size(), std::size_t{1});
    QCOMPARE(asked[0].style, MessageStyle::YesNoCancel);

    setNextAnswer(MessageResult::No);
    QVERIFY(window_->close());
    QCOMPARE(fileBytes(path), original);
}

void MainWindowTest::openingAnotherFileAsksAboutUnsavedEdits_data()
{
    QTest::addColumn<MessageResult>("answer");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Cancel: stay") << MessageResult::Cancel << false << false;
    QTest::newRow("No: open without saving") << MessageResult::No << true << false;
    QTest::newRow("Yes: save, then open") << MessageResult::Yes << true << true;
}

void MainWindowTest::openingAnotherFileAsksAboutUnsavedEdits()
{
    QFETCH(MessageResult, answer);
    QFETCH(bool, opened);
    QFETCH(bool, saved);
    const QString first = fixture("first.bytes", {workedExampleGeneral()});
    const QByteArray original = fileBytes(first);
    const QString second = fixture("second.bytes", {fullGeneral(1), fullGeneral(2)});
    openFile(first);
    CustomGeneral edited = model_.generals[0];
    edited.righteousness = 7;
    QVERIFY(storeGeneral(model_, 0, edited));

    setNextAnswer(answer);
    if (answer == MessageResult::Yes) setNextAnswer(MessageResult::No);  // the backup question
    openFile(second);

    const std::vector<ShownMessage> shown = takeShownMessages();
    QCOMPARE(shown.size(), saved ? std::size_t{2} : std::size_t{1});
    QCOMPARE(QString::fromStdString(shown[0].text), QStringLiteral("当前存档有未保存的修改，是否先保存？"));
    QCOMPARE(shown[0].style, MessageStyle::YesNoCancel);
    QCOMPARE(list()->model()->rowCount(), opened ? 2 : 1);
    QCOMPARE(QString::fromStdString(pathToUtf8(model_.savePath)), opened ? second : first);
    QCOMPARE(fileBytes(first), saved ? encoded({edited}) : original);
    QCOMPARE(model_.unsavedEdits, !opened);
    QCOMPARE(dropUnusedFileNames(), opened ? std::size_t{0} : std::size_t{1});  // Cancel: no dialog at all
}

void MainWindowTest::droppedFileIsOpened()
{
    const QString path = fixture("dropped.bytes", {workedExampleGeneral(), fullGeneral(2)});
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window_, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window_, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_VERIFY(!main_->loading());
    QCOMPARE(list()->model()->rowCount(), 2);
    QCOMPARE(QString::fromStdString(pathToUtf8(model_.savePath)), path);
}

void MainWindowTest::dialogStartsInTheGamesSaveFolder()
{
#ifdef _WIN32
    QSKIP("the Proton prefix is looked for on Linux only");
#else
    const std::filesystem::path home = pathFromUtf8(folder().filePath("home").toStdString());
    std::filesystem::create_directories(home / ".steam" / "steam" / "steamapps");
    QCOMPARE(gameSaveFolderIn(home), home);  // no game installed: the home folder

    // The game in a second Steam library, listed by the first.
    const std::filesystem::path library = pathFromUtf8(folder().filePath("games").toStdString());
    const std::filesystem::path saves = library / "steamapps" / "compatdata" / "1234560" / "pfx" / "drive_c" /
                                        "users" / "steamuser" / "AppData" / "LocalLow" / "UserJoy" / "SG8";
    std::filesystem::create_directories(saves);
    QCOMPARE(gameSaveFolderIn(home), home);
    writeBytes(QString::fromStdString(pathToUtf8(home / ".steam" / "steam" / "steamapps" / "libraryfolders.vdf")),
               QByteArray("\"libraryfolders\"\n{\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"") +
                   QByteArray::fromStdString(pathToUtf8(library)) + "\"\n\t}\n}\n");
    QCOMPARE(gameSaveFolderIn(home), saves);
#endif
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
