// The editor driven as a user would: a double-click on the list opens it on the
// selected general, the controls show the record, typing is capped in bytes,
// confirm stores and redraws the row, cancel stores nothing.

#include "data/file_io.h"
#include "data/model.h"
#include "toolkit/application.h"
#include "toolkit/file_dialog.h"
#include "toolkit/message_box.h"
#include "ui/editor/editor_mapping.h"
#include "ui/main/main_window.h"
#include "ui_test_support.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <memory>

using namespace sg8;
using namespace sg8::testing;

class EditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {}
    void init();
    void cleanup();

    void hasEveryDesignedControl();
    void doubleClickEditsTheSelectedRowOnly();
    void fillShowsTheRecord();
    void cancelAndCloseBoxStoreNothing();
    void unchangedConfirmStoresAnEqualRecord();
    void valuesOutsideTheLists_data();
    void valuesOutsideTheLists();
    void numberBoxesReadLeadingDigits_data();
    void numberBoxesReadLeadingDigits();
    void editedSurnameRedrawsTheRow();
    void typingLimitsCountBytes();
    void longerTextFromTheFileIsKept();
    void biographyLimitIsThreeHundredBytes();
    void deathYearFollowsTheLifespanBox();
    void textsOutsideTheCodePageSurvive();
    void secondEditStartsFromTheFirst();

private:
    void load(const GeneralList& generals);
    QWidget* openEditorOn(int row);
    void confirm(QWidget* editor);
    void waitUntilClosed();
    QLineEdit* box(QWidget* editor, const char* name) { return control<QLineEdit>(editor, name); }
    QComboBox* list(QWidget* editor, const char* name) { return control<QComboBox>(editor, name); }
    QTableView* table() const { return control<QTableView>(main_, "超级列表框1"); }
    QString cell(int row, int column) const { return table()->model()->index(row, column).data().toString(); }

    std::unique_ptr<QTemporaryDir> dir_;
    Model model_;
    std::unique_ptr<MainWindow> mainWindow_;
    QWidget* main_ = nullptr;
    QString path_;
};

void EditorTest::init()
{
    takeShownMessages();
    dir_ = std::make_unique<QTemporaryDir>();
    initModel(model_);
    mainWindow_ = std::make_unique<MainWindow>(model_);
    mainWindow_->window().show();
    main_ = visibleWindow("MainWindow");
    load({workedExampleGeneral(), fullGeneral(2), fullGeneral(3)});
}

void EditorTest::cleanup()
{
    mainWindow_.reset();
    QTRY_VERIFY(!visibleWindow("EditorWindow"));
    for (const ShownMessage& message : takeShownMessages()) {
        QVERIFY2(message.answeredInAdvance, ("unexpected message box: " + message.text).c_str());
    }
    QCOMPARE(dropUnusedAnswers(), std::size_t{0});
    QCOMPARE(dropUnusedFileNames(), std::size_t{0});
}

void EditorTest::load(const GeneralList& generals)
{
    path_ = dir_->filePath("generals.bytes");
    writeBytes(path_, encoded(generals, 5));
    setNextFileName(path_.toStdString());
    QTest::mouseClick(control<QPushButton>(main_, "按钮1"), Qt::LeftButton);
    QTRY_VERIFY(!mainWindow_->loading());
    QCOMPARE(table()->model()->rowCount(), static_cast<int>(generals.size()));
}

QWidget* EditorTest::openEditorOn(int row)
{
    const QRect cellRect = table()->visualRect(table()->model()->index(row, 1));
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cellRect.center());
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, cellRect.center());
    QWidget* editor = visibleWindow("EditorWindow");
    return editor;
}

void EditorTest::confirm(QWidget* editor)
{
    QTest::mouseClick(control<QPushButton>(editor, "按钮_确认"), Qt::LeftButton);
    waitUntilClosed();
}

void EditorTest::waitUntilClosed()
{
    QTRY_VERIFY(!visibleWindow("EditorWindow"));
    QCoreApplication::processEvents();  // the row is redrawn right after the close
}

void EditorTest::hasEveryDesignedControl()
{
    QWidget* editor = openEditorOn(0);
    QVERIFY(editor);
    QCOMPARE(editor->windowTitle(), QStringLiteral("自创武将"));
    QCOMPARE(editor->size(), QSize(591 - 6, 379 - 25));
    QVERIFY(editor->isModal());
    QVERIFY(!(editor->windowFlags() & Qt::WindowMaximizeButtonHint));

    const struct {
        const char* name;
        const char* parent;
        QRect geometry;
    } placed[] = {
        {"分组框1", "EditorWindow", {8, 8, 568, 296}},
        {"编辑框_姓", "分组框1", {32, 16, 56, 20}},
        {"编辑框_列传", "分组框1", {312, 16, 248, 52}},
        {"编辑框_语音", "EditorWindow", {232, 56, 80, 20}},
        {"编辑框_模型头盔", "EditorWindow", {72, 112, 120, 20}},
        {"编辑框_军师技", "EditorWindow", {456, 240, 64, 20}},
        {"组合框_武器", "分组框1", {168, 136, 80, 20}},
        {"标签15", "分组框1", {464, 136, 80, 24}},
        {"按钮_确认", "EditorWindow", {176, 309, 80, 32}},
        {"按钮_取消", "EditorWindow", {328, 309, 80, 32}},
    };
    for (const auto& expected : placed) {
        QWidget* widget = control<QWidget>(editor, expected.name);
        QVERIFY2(widget, expected.name);
        QCOMPARE(widget->parentWidget()->objectName(), QString::fromUtf8(expected.parent));
        QCOMPARE(widget->geometry(), expected.geometry);
    }

    // Every label and edit box the design names is there.
    const char* labels[] = {"标签1", "标签2", "标签3", "标签4", "标签5", "标签6", "标签7", "标签8", "标签9",
                            "标签10", "标签11", "标签12", "标签13", "标签14", "标签15", "标签16", "标签17",
                            "标签18", "标签19", "标签20", "标签21", "标签22", "标签23", "标签24", "标签25",
                            "标签26", "标签27", "标签28", "标签29", "标签30", "标签31", "标签32", "标签33"};
    for (const char* name : labels) QVERIFY2(control<QLabel>(editor, name), name);
    for (const EditorBinding& binding : kEditorBindings) {
        QVERIFY2(control<QWidget>(editor, std::string(binding.control).c_str()), binding.control.data());
    }
    QCOMPARE(control<QLabel>(editor, "标签32")->text(), QStringLiteral("模型左肩"));

    QComboBox* weapons = list(editor, "组合框_武器");
    const QStringList names{"远攻法器", "远射长弓", "单手兵器", "双手兵器", "长柄兵器"};
    const int numbers[] = {2, 4, 5, 7, 8};
    QCOMPARE(weapons->count(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(weapons->itemText(i), names[i]);
        QCOMPARE(weapons->itemData(i).toInt(), numbers[i]);
        QCOMPARE(weaponComboIndex(numbers[i]), i);
    }
    QCOMPARE(list(editor, "组合框_对话")->count(), 9);
    QCOMPARE(list(editor, "组合框_对话")->itemText(8), QStringLiteral("万能"));
    QCOMPARE(list(editor, "组合框_辅臣特性")->itemText(3), QStringLiteral("谋略"));
    QVERIFY(!list(editor, "组合框_性别")->isEditable());
    QCOMPARE(box(editor, "编辑框_头像")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QTest::mouseClick(control<QPushButton>(editor, "按钮_取消"), Qt::LeftButton);
}

void EditorTest::doubleClickEditsTheSelectedRowOnly()
{
    // Below the last row, with no row selected: nothing opens.
    table()->clearSelection();
    const QPoint empty(20, table()->viewport()->height() - 10);
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, empty);
    QVERIFY(!visibleWindow("EditorWindow"));

    // With row 2 selected, the editor opens on record 3 wherever the click fell.
    table()->selectRow(2);
    QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, empty);
    QWidget* editor = visibleWindow("EditorWindow");
    QVERIFY(editor);
    QCOMPARE(control<QGroupBox>(editor, "分组框1")->title(), QStringLiteral("武将ID : 3"));
    QTest::mouseClick(control<QPushButton>(editor, "按钮_取消"), Qt::LeftButton);
    waitUntilClosed();

    editor = openEditorOn(1);
    QVERIFY(editor);
    QCOMPARE(control<QGroupBox>(editor, "分组框1")->title(), QStringLiteral("武将ID : 2"));
    // The main window takes no input meanwhile.
    QVERIFY(QApplication::activeModalWidget() == editor);
}

void EditorTest::fillShowsTheRecord()
{
    QWidget* editor = openEditorOn(1);
    QVERIFY(editor);
    const CustomGeneral& g = model_.generals[1];
    QCOMPARE(control<QGroupBox>(editor, "分组框1")->title(), QStringLiteral("武将ID : 2"));
    QCOMPARE(box(editor, "编辑框_姓")->text(), QStringLiteral("张"));
    QCOMPARE(box(editor, "编辑框_名")->text(), QStringLiteral("三"));
    QCOMPARE(box(editor, "编辑框_字号")->text(), QStringLiteral("子义"));
    QCOMPARE(control<QPlainTextEdit>(editor, "编辑框_列传")->toPlainText(), QStringLiteral("生于乱世。\n以勇闻名。"));
    QCOMPARE(box(editor, "编辑框_模型肩膀右")->text(), QStringLiteral("r1"));
    QCOMPARE(box(editor, "编辑框_语音")->text(), QStringLiteral("v3"));
    QCOMPARE(box(editor, "编辑框_头像")->text(), QString::number(g.portraitId));
    QCOMPARE(box(editor, "编辑框_寿命")->text(), QString::number(g.lifespan));
    QCOMPARE(box(editor, "编辑框_特技2")->text(), QString::number(g.specialSkill2));
    QCOMPARE(list(editor, "组合框_武器")->currentText(), QStringLiteral("双手兵器"));
    QCOMPARE(list(editor, "组合框_性别")->currentText(), QStringLiteral("女"));
    QCOMPARE(list(editor, "组合框_对话")->currentText(), QStringLiteral("冲动"));
    QCOMPARE(list(editor, "组合框_务农")->currentText(), QStringLiteral("良"));
    QCOMPARE(list(editor, "组合框_经商")->currentText(), QStringLiteral("缺"));
    QCOMPARE(list(editor, "组合框_辅臣特性")->currentText(), QStringLiteral("谋略"));
    QCOMPARE(control<QLabel>(editor, "标签15")->text(),
             QString::number(g.birthYear + g.lifespan) + QStringLiteral("年死亡"));
}

void EditorTest::cancelAndCloseBoxStoreNothing()
{
    const GeneralList before = model_.generals;
    const QStringList rowBefore{cell(1, 0), cell(1, 1), cell(1, 9)};
    for (bool closeBox : {false, true}) {
        QWidget* editor = openEditorOn(1);
        QVERIFY(editor);
        box(editor, "编辑框_姓")->clear();
        typeText(box(editor, "编辑框_姓"), QStringLiteral("李"));
        list(editor, "组合框_武器")->setCurrentIndex(0);
        if (closeBox) {
            QVERIFY(editor->close());
        } else {
            QTest::mouseClick(control<QPushButton>(editor, "按钮_取消"), Qt::LeftButton);
        }
        waitUntilClosed();
        QVERIFY(model_.generals == before);
        QVERIFY(!model_.unsavedEdits);
        QCOMPARE((QStringList{cell(1, 0), cell(1, 1), cell(1, 9)}), rowBefore);
    }
}

void EditorTest::unchangedConfirmStoresAnEqualRecord()
{
    confirm(openEditorOn(1));
    QVERIFY(model_.generals[1] == fullGeneral(2));
    QVERIFY(!model_.unsavedEdits);
    confirm(openEditorOn(0));
    QVERIFY(model_.generals[0] == workedExampleGeneral());
    QVERIFY(!model_.unsavedEdits);
}

void EditorTest::valuesOutsideTheLists_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("gender 5") << "gender" << 5 << "女" << 2;
    QTest::newRow("gender 0") << "gender" << 0 << "" << 0;
    QTest::newRow("gender INT_MIN, no overflow") << "gender" << INT_MIN << "" << 0;
    QTest::newRow("dialogue 10") << "dialogueStyle" << 10 << "万能" << 9;
    QTest::newRow("dialogue -3") << "dialogueStyle" << -3 << "" << 0;
    QTest::newRow("weapon 1") << "weaponType" << 1 << "" << -1;
    QTest::newRow("weapon 3") << "weaponType" << 3 << "" << -1;
    QTest::newRow("weapon 6") << "weaponType" << 6 << "" << -1;
    QTest::newRow("weapon 8") << "weaponType" << 8 << "长柄兵器" << 8;
    QTest::newRow("management 3") << "management" << 3 << "良" << 2;
    QTest::newRow("craft -7") << "craft" << -7 << "" << -1;
    QTest::newRow("farming INT_MAX") << "farming" << INT_MAX << "良" << 2;
    QTest::newRow("advisor 4") << "advisorTrait" << 4 << "谋略" << 3;
    QTest::newRow("advisor 0") << "advisorTrait" << 0 << "无" << 0;
}

void EditorTest::valuesOutsideTheLists()
{
    QFETCH(QString, field);
    QFETCH(int, value);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    const FieldInfo* info = findField(field.toStdString());
    QVERIFY(info);
    CustomGeneral general = fullGeneral(40);
    general.intField(info->index) = value;
    load({general});

    QWidget* editor = openEditorOn(0);
    QVERIFY(editor);
    const char* controlName = nullptr;
    for (const EditorBinding& binding : kEditorBindings) {
        if (binding.field == info->name) controlName = binding.control.data();
    }
    QComboBox* combo = list(editor, controlName);
    QCOMPARE(combo->currentText(), shown);
    QCOMPARE(combo->currentIndex() == -1, shown.isEmpty());
    confirm(editor);

    CustomGeneral expected = general;
    expected.intField(info->index) = stored;
    QVERIFY(model_.generals[0] == expected);
    QCOMPARE(model_.unsavedEdits, stored != value);
    if (field == QLatin1String("weaponType") && stored == -1) QCOMPARE(cell(0, 9), QStringLiteral("-1"));
}

void EditorTest::numberBoxesReadLeadingDigits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("full-width digits") << "１２" << 12;
    QTest::newRow("digits then letters") << "12abc" << 12;
    QTest::newRow("negative") << "-45" << -45;
    QTest::newRow("letters") << "abc" << 0;
}

void EditorTest::numberBoxesReadLeadingDigits()
{
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QWidget* editor = openEditorOn(0);
    QVERIFY(editor);
    box(editor, "编辑框_头像")->clear();
    typeText(box(editor, "编辑框_头像"), typed);
    confirm(editor);
    QCOMPARE(model_.generals[0].portraitId, stored);
}

void EditorTest::editedSurnameRedrawsTheRow()
{
    QWidget* editor = openEditorOn(1);
    QVERIFY(editor);
    box(editor, "编辑框_姓")->clear();
    typeText(box(editor, "编辑框_姓"), QStringLiteral("王"));
    list(editor, "组合框_武器")->setCurrentIndex(4);
    box(editor, "编辑框_基础武力")->setText(QString());
    typeText(box(editor, "编辑框_基础武力"), QStringLiteral("95"));
    confirm(editor);

    QCOMPARE(cell(1, 1), QStringLiteral("王三"));
    QCOMPARE(cell(1, 6), QStringLiteral("95"));
    QCOMPARE(cell(1, 9), QStringLiteral("长柄兵器"));
    QVERIFY(model_.unsavedEdits);
    CustomGeneral expected = fullGeneral(2);
    expected.surname = utf8Text("王");
    expected.weaponType = 8;
    expected.baseStrength = 95;
    QVERIFY(model_.generals[1] == expected);  // id and the opaque fields as they were
    QVERIFY(model_.generals[0] == workedExampleGeneral());
    QVERIFY(model_.generals[2] == fullGeneral(3));

    // Saved with No: the file holds the edit.
    setNextAnswer(MessageResult::No);
    QTest::mouseClick(control<QPushButton>(main_, "按钮2"), Qt::LeftButton);
    QCOMPARE(fileBytes(path_), encoded({workedExampleGeneral(), expected, fullGeneral(3)}, 5));
    QVERIFY(!model_.unsavedEdits);
}

void EditorTest::typingLimitsCountBytes()
{
    QWidget* editor = openEditorOn(0);
    QVERIFY(editor);
    QLineEdit* surname = box(editor, "编辑框_姓");
    surname->clear();
    typeText(surname, QStringLiteral("张三"));
    QCOMPARE(surname->text(), QStringLiteral("张"));  // a second Chinese character needs 2 more bytes
    typeText(surname, QStringLiteral("ab"));
    QCOMPARE(surname->text(), QStringLiteral("张a"));

    QLineEdit* courtesy = box(editor, "编辑框_字号");
    courtesy->clear();
    typeText(courtesy, QStringLiteral("ab子c"));
    QCOMPARE(courtesy->text(), QStringLiteral("ab子"));

    // Boxes without a limit take anything.
    QLineEdit* model = box(editor, "编辑框_模型");
    model->clear();
    typeText(model, QStringLiteral("很长很长的模型代码"));
    QCOMPARE(model->text(), QStringLiteral("很长很长的模型代码"));
    confirm(editor);
    QCOMPARE(QString::fromStdString(model_.generals[0].surname.utf8().bytes()), QStringLiteral("张a"));
    QCOMPARE(QString::fromStdString(model_.generals[0].courtesyName.utf8().bytes()), QStringLiteral("ab子"));
}

void EditorTest::longerTextFromTheFileIsKept()
{
    CustomGeneral general = workedExampleGeneral();
    general.surname = utf8Text("欧阳");      // 4 bytes, over the 3 the box lets a user type
    general.givenName = utf8Text("ABCDEF");  // 6 bytes
    load({general});
    QWidget* editor = openEditorOn(0);
    QVERIFY(editor);
    QLineEdit* surname = box(editor, "编辑框_姓");
    QCOMPARE(surname->text(), QStringLiteral("欧阳"));
    surname->end(false);
    typeText(surname, QStringLiteral("x"));
    QCOMPARE(surname->text(), QStringLiteral("欧阳"));  // no typing past the limit

    QLineEdit* given = box(editor, "编辑框_名");
    given->end(false);
    QTest::keyClick(given, Qt::Key_Backspace);  // still over the limit, but shorter: allowed
    QCOMPARE(given->text(), QStringLiteral("ABCDE"));
    confirm(editor);
    QCOMPARE(QString::fromStdString(model_.generals[0].surname.utf8().bytes()), QStringLiteral("欧阳"));
    QCOMPARE(QString::fromStdString(model_.generals[0].givenName.utf8().bytes()), QStringLiteral("ABCDE"));
}

void EditorTest::biographyLimitIsThreeHundredBytes()
{
    QWidget* editor = openEditorOn(0);
    QVERIFY(editor);
    auto* biography = control<QPlainTextEdit>(editor, "编辑框_列传");
    biography->setFocus();
    typeText(biography, QString(148, QChar(0x4E00)));  // 296 bytes
    QTest::keyClick(biography, Qt::Key_Return);         // a line break, CR LF: 298
    typeText(biography, QStringLiteral("传记"));         // one more fits: 300
    QCOMPARE(biography->toPlainText(), QString(148, QChar(0x4E00)) + QStringLiteral("\n传"));
    typeText(biography, QStringLiteral("a"));
    QCOMPARE(biography->toPlainText().size(), 150);
    confirm(editor);
    const std::string stored = model_.generals[0].biography.utf8().bytes();
    QCOMPARE(QString::fromStdString(stored), QString(148, QChar(0x4E00)) + QStringLiteral("\r\n传"));
    QCOMPARE(model_.generals[0].biography.text().size(), std::size_t{300});
}

void EditorTest::deathYearFollowsTheLifespanBox()
{
    QWidget* editor = openEditorOn(0);  // born 180, lifespan 60
    QVERIFY(editor);
    auto* label = control<QLabel>(editor, "标签15");
    QCOMPARE(label->text(), QStringLiteral("240年死亡"));

    QLineEdit* born = box(editor, "编辑框_出生年");
    QLineEdit* lifespan = box(editor, "编辑框_寿命");
    born->clear();
    typeText(born, QStringLiteral("2147483647"));
    QCOMPARE(label->text(), QStringLiteral("240年死亡"));  // the birth year box alone changes nothing
    lifespan->clear();
    QCOMPARE(label->text(), QStringLiteral("2147483647年死亡"));
    typeText(lifespan, QStringLiteral("1"));
    QCOMPARE(label->text(), QStringLiteral("2147483648年死亡"));
    lifespan->clear();
    typeText(lifespan, QStringLiteral("abc"));
    QCOMPARE(label->text(), QStringLiteral("2147483647年死亡"));
    born->clear();
    lifespan->clear();
    QCOMPARE(label->text(), QStringLiteral("0年死亡"));
    typeText(born, QStringLiteral("-10"));
    typeText(lifespan, QStringLiteral("5"));
    QCOMPARE(label->text(), QStringLiteral("-5年死亡"));
    confirm(editor);
    QCOMPARE(model_.generals[0].birthYear, -10);
    QCOMPARE(model_.generals[0].lifespan, 5);
}

void EditorTest::textsOutsideTheCodePageSurvive()
{
    CustomGeneral general = workedExampleGeneral();
    general.surname = utf8Text("𠀀");     // outside code page 936
    general.voice = utf8Text("v😀");
    load({general});
    QVERIFY(model_.generals[0].surname.hasExactUtf8());

    QWidget* editor = openEditorOn(0);
    QVERIFY(editor);
    QCOMPARE(box(editor, "编辑框_姓")->text(), QStringLiteral("𠀀"));
    QCOMPARE(box(editor, "编辑框_语音")->text(), QStringLiteral("v😀"));
    QCOMPARE(cell(0, 1), QStringLiteral("𠀀"));
    // Edit another box; the untouched ones keep their exact bytes.
    box(editor, "编辑框_名")->clear();
    typeText(box(editor, "编辑框_名"), QStringLiteral("乙"));
    // A character outside the code page typed by the user is kept exactly too.
    box(editor, "编辑框_模型")->clear();
    typeText(box(editor, "编辑框_模型"), QStringLiteral("m🐉"));
    confirm(editor);

    const CustomGeneral& stored = model_.generals[0];
    QVERIFY(stored.surname == general.surname);
    QVERIFY(stored.voice == general.voice);
    QCOMPARE(QString::fromStdString(stored.modelCode.utf8().bytes()), QStringLiteral("m🐉"));
    QCOMPARE(cell(0, 1), QStringLiteral("𠀀乙"));

    setNextAnswer(MessageResult::No);
    QTest::mouseClick(control<QPushButton>(main_, "按钮2"), Qt::LeftButton);
    const QByteArray saved = fileBytes(path_);
    QVERIFY(saved.contains(QStringLiteral("𠀀").toUtf8()));
    QVERIFY(saved.contains(QStringLiteral("v😀").toUtf8()));
    QVERIFY(saved.contains(QStringLiteral("m🐉").toUtf8()));
}

void EditorTest::secondEditStartsFromTheFirst()
{
    QWidget* editor = openEditorOn(2);
    box(editor, "编辑框_关系")->clear();
    typeText(box(editor, "编辑框_关系"), QStringLiteral("77"));
    confirm(editor);
    editor = openEditorOn(2);
    QCOMPARE(box(editor, "编辑框_关系")->text(), QStringLiteral("77"));
    QCOMPARE(model_.generals[2].relation, 77);
    QTest::mouseClick(control<QPushButton>(editor, "按钮_取消"), Qt::LeftButton);
    QTRY_VERIFY(!visibleWindow("EditorWindow"));
    QCOMPARE(model_.generals[2].relation, 77);
    QVERIFY(model_.generals[1] == fullGeneral(2));
}

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
