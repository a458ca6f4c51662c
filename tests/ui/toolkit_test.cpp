// The toolkit's controls on a small window of their own: the drop-down list's
// selection rules and item numbers, typing limits in bytes however text comes
// in, the list view's rows and selection, and the fatal error report.

#include "toolkit/application.h"
#include "toolkit/window.h"
#include "ui_test_support.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace sg8;
using namespace sg8::testing;

namespace {

const WindowDesign kDesign{
    "TestWindow",
    "测试",
    300,
    200,
    {
        {ControlKind::EditBox, "limited", "", 0, 0, 80, 20, "", {}, {}, 3},
        {ControlKind::ComboBox, "numbered", "", 0, 30, 80, 20, "", {{"甲", 2}, {"乙", {}}, {"丙", -9}}},
        {ControlKind::ListView, "rows", "", 0, 60, 200, 100, "", {}, {{"A", 50}, {"B", 50}}},
    },
};

}  // namespace

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        window_ = std::make_unique<Window>(kDesign);
        window_->show();
    }
    void cleanup() { window_.reset(); }

    void comboSelectionRules_data();
    void comboSelectionRules();
    void comboItemNumbers();
    void typingLimitHoldsForEveryInput_data();
    void typingLimitHoldsForEveryInput();
    void listViewRowsAndSelection();
    void fatalReportEndsTheProgram();

private:
    std::unique_ptr<Window> window_;
};

void ToolkitTest::comboSelectionRules_data()
{
    QTest::addColumn<qlonglong>("written");
    QTest::addColumn<int>("read");
    QTest::newRow("first") << 0LL << 0;
    QTest::newRow("last") << 2LL << 2;
    QTest::newRow("above the last") << 3LL << 2;
    QTest::newRow("far above") << 5000000000LL << 2;
    QTest::newRow("-1") << -1LL << -1;
    QTest::newRow("below -1") << -7LL << -1;
    QTest::newRow("far below") << -5000000000LL << -1;
}

void ToolkitTest::comboSelectionRules()
{
    QFETCH(qlonglong, written);
    QFETCH(int, read);
    ComboBox combo = window_->comboBox("numbered");
    QCOMPARE(combo.selection(), 0);  // the first item is picked at the start
    combo.setSelection(written);
    QCOMPARE(combo.selection(), read);
}

void ToolkitTest::comboItemNumbers()
{
    ComboBox combo = window_->comboBox("numbered");
    QCOMPARE(combo.itemNumber(0), 2);
    QCOMPARE(combo.itemNumber(1), 0);  // an item without a number
    QCOMPARE(combo.itemNumber(2), -9);
    QCOMPARE(combo.itemNumber(3), -1);
    QCOMPARE(combo.itemNumber(-1), -1);
}

void ToolkitTest::typingLimitHoldsForEveryInput_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    QTest::newRow("paste cut to fit") << "" << 0 << "张三李" << "张";
    QTest::newRow("paste of ASCII cut") << "a" << 1 << "bcdef" << "abc";
    QTest::newRow("Chinese does not fit in 1 byte") << "ab" << 1 << "张" << "ab";
    QTest::newRow("fits exactly") << "a" << 0 << "张" << "张a";
    QTest::newRow("outside the code page counts 1 byte") << "ab" << 2 << "😀x" << "ab😀";
    QTest::newRow("no split surrogates") << "张" << 1 << "😀😀" << "张😀";
}

void ToolkitTest::typingLimitHoldsForEveryInput()
{
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    EditBox box = window_->editBox("limited");
    box.setText(before.toStdString());
    auto* edit = control<QLineEdit>(visibleWindow("TestWindow"), "limited");
    QVERIFY(edit);
    edit->setFocus();
    edit->setCursorPosition(cursor);
    QGuiApplication::clipboard()->setText(pasted);
    edit->paste();
    QCOMPARE(edit->text(), after);
    QCOMPARE(QString::fromStdString(box.text()), after);
}

void ToolkitTest::listViewRowsAndSelection()
{
    ListView rows = window_->listView("rows");
    QCOMPARE(rows.selectedRow(), -1);
    QCOMPARE(rows.insertRow(), 0);
    QCOMPARE(rows.insertRow(), 1);
    rows.setCell(1, 1, "乙");
    rows.setCell(5, 0, "ignored");  // outside the rows: nothing happens
    QCOMPARE(rows.cell(1, 1), std::string("乙"));
    QCOMPARE(rows.cell(0, 0), std::string());
    rows.selectRow(1);
    QCOMPARE(rows.selectedRow(), 1);
    int asked = 0;
    rows.setRows(100000, [&asked](int row) {
        ++asked;
        return ListView::Row{std::to_string(row), "b"};
    });
    QCOMPARE(rows.rowCount(), 100000);
    QCOMPARE(rows.selectedRow(), -1);
    QVERIFY(asked < 1000);  // only the rows in view were asked for
    QCOMPARE(rows.cell(99999, 0), std::string("99999"));
    rows.setCell(99998, 1, "changed");
    QCOMPARE(rows.cell(99998, 1), std::string("changed"));
    QCOMPARE(rows.cell(99998, 0), std::string("99998"));
    rows.clear();
    QCOMPARE(rows.rowCount(), 0);
}

void ToolkitTest::fatalReportEndsTheProgram()
{
    QProcess probe;
    probe.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/fatal_report_probe"));
    probe.start();
    QVERIFY(probe.waitForFinished(60000));
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 255);  // -1
    const QString report = QString::fromUtf8(probe.readAllStandardError());
    QVERIFY2(report.contains(QStringLiteral("运行时出错!\r\n\r\n错误信息：分配 0 字节内存失败!\r\n")), qPrintable(report));
    QVERIFY(!QString::fromUtf8(probe.readAllStandardOutput()).contains(QStringLiteral("handler returned")));
}

QTEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
