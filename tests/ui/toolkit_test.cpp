// The toolkit's controls on a small window of their own: the drop-down list's
// selection rules and item numbers, typing limits in bytes however text comes in,
// the list view's rows, selection and hint, the events a window promises, and the
// fatal error report, which ends a program of its own.

#include "data/file_io.h"
#include "tests/core/temp_folder.h"
#include "toolkit/application.h"
#include "toolkit/test_driver.h"
#include "toolkit/window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

using namespace sg8;
using namespace sg8::testing;

namespace {

const WindowDesign kDesign{
    "ToolkitWindow",
    "测试",
    300,
    200,
    {
        {ControlKind::EditBox, "limited", "", 0, 0, 80, 20, "", {}, {}, 3},
        {ControlKind::ComboBox, "numbered", "", 0, 30, 80, 20, "", {{"甲", 2}, {"乙", {}}, {"丙", -9}}},
        {ControlKind::ListView, "rows", "", 0, 60, 200, 100, "", {}, {{"A", 50}, {"B", 50}}, 0, "没有行"},
    },
};

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = std::make_unique<Window>(kDesign);
        window_->show();
        ASSERT_TRUE(driver::waitUntil([] { return driver::findWindow("ToolkitWindow") != nullptr; }));
    }

    std::unique_ptr<Window> window_;
};

TEST_F(ToolkitTest, ComboSelectionRules)
{
    const struct {
        const char* name;
        std::int64_t written;
        int read;
        const char* shown;
    } cases[] = {
        {"first", 0, 0, "甲"},
        {"last", 2, 2, "丙"},
        {"above the last", 3, 2, "丙"},
        {"far above", 5000000000LL, 2, "丙"},
        {"-1", -1, -1, ""},
        {"below -1", -7, -1, ""},
        {"far below", -5000000000LL, -1, ""},
    };
    ComboBox combo = window_->comboBox("numbered");
    EXPECT_EQ(combo.selection(), 0);  // the first item is picked at the start
    EXPECT_EQ(driver::shownText(*window_, "numbered"), "甲");
    for (const auto& rule : cases) {
        SCOPED_TRACE(rule.name);
        combo.setSelection(1);
        combo.setSelection(rule.written);
        EXPECT_EQ(combo.selection(), rule.read);
        EXPECT_EQ(driver::shownText(*window_, "numbered"), rule.shown);
    }
    // What the user picks is what the program reads.
    driver::pickItem(*window_, "numbered", 1);
    EXPECT_EQ(combo.selection(), 1);
}

TEST_F(ToolkitTest, ComboItemNumbers)
{
    ComboBox combo = window_->comboBox("numbered");
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemNumber(0), 2);
    EXPECT_EQ(combo.itemNumber(1), 0);  // an item without a number
    EXPECT_EQ(combo.itemNumber(2), -9);
    EXPECT_EQ(combo.itemNumber(3), -1);
    EXPECT_EQ(combo.itemNumber(-1), -1);
    EXPECT_EQ(combo.addItem("丁", 40), 3);
    EXPECT_EQ(combo.itemNumber(3), 40);
    EXPECT_EQ(driver::comboItems(*window_, "numbered"), (std::vector<std::string>{"甲", "乙", "丙", "丁"}));
}

TEST_F(ToolkitTest, TypingLimitHoldsForEveryInput)
{
    using Input = void (*)(Window&, std::string_view, std::string_view);
    const struct {
        const char* name;
        Input input;
    } inputs[] = {
        {"typed", driver::typeText},
        {"pasted", driver::pasteText},
        {"from an input method", driver::commitInputMethod},
    };
    const struct {
        const char* name;
        const char* before;
        int caret;  // -1: all of it selected
        const char* entered;
        const char* after;
    } cases[] = {
        {"cut to fit", "", 0, "张三李", "张"},
        {"ASCII cut", "a", 1, "bcdef", "abc"},
        {"Chinese does not fit in 1 byte", "ab", 1, "张", "ab"},
        {"fits exactly", "a", 0, "张", "张a"},
        {"outside the code page counts 1 byte", "ab", 2, "😀x", "ab😀"},
        {"no split surrogates", "张", 1, "😀😀", "张😀"},
        {"a selection counts as removed", "张a", -1, "李三", "李"},
        {"text set beyond the limit takes nothing more", "欧阳", 2, "x", "欧阳"},
    };
    EditBox box = window_->editBox("limited");
    for (const auto& way : inputs) {
        for (const auto& limit : cases) {
            SCOPED_TRACE(std::string(way.name) + ": " + limit.name);
            box.setText(limit.before);
            EXPECT_EQ(driver::shownText(*window_, "limited"), limit.before);  // the program's text is shown whole
            if (limit.caret < 0) {
                driver::selectAllText(*window_, "limited");
            } else {
                driver::placeCaret(*window_, "limited", limit.caret);
            }
            way.input(*window_, "limited", limit.entered);
            EXPECT_EQ(driver::shownText(*window_, "limited"), limit.after);
            EXPECT_EQ(box.text(), limit.after);
        }
    }
}

TEST_F(ToolkitTest, TextChangedFiresForTypedAndSetText)
{
    int changes = 0;
    window_->bind("limited", ControlEvent::TextChanged, [&changes] { ++changes; });
    window_->editBox("limited").setText("a");
    EXPECT_EQ(changes, 1);
    driver::placeCaret(*window_, "limited", 1);
    driver::typeText(*window_, "limited", "b");
    EXPECT_EQ(changes, 2);
    driver::pressKey(*window_, "limited", "Backspace");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(window_->editBox("limited").text(), "a");
}

TEST_F(ToolkitTest, ListViewRowsSelectionAndHint)
{
    ListView rows = window_->listView("rows");
    EXPECT_EQ(driver::shownText(*window_, "rows"), "没有行");  // the hint, while there are no rows
    EXPECT_EQ(driver::shownHeaders(*window_, "rows"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(rows.selectedRow(), -1);
    EXPECT_EQ(rows.insertRow(), 0);
    EXPECT_EQ(rows.insertRow(), 1);
    rows.setCell(1, 1, "乙");
    rows.setCell(5, 0, "ignored");  // outside the rows: nothing happens
    EXPECT_EQ(driver::shownText(*window_, "rows"), "");
    EXPECT_EQ(driver::shownRowCount(*window_, "rows"), 2);
    EXPECT_EQ(driver::shownCell(*window_, "rows", 1, 1), "乙");
    EXPECT_EQ(driver::shownCell(*window_, "rows", 0, 0), "");
    EXPECT_EQ(rows.cell(1, 1), "乙");

    driver::clickRow(*window_, "rows", 1);
    EXPECT_EQ(rows.selectedRow(), 1);
    rows.selectRow(0);
    EXPECT_EQ(driver::shownSelectedRow(*window_, "rows"), 0);

    // A hundred thousand rows at once: only the rows in view are asked for.
    int asked = 0;
    rows.setRows(100000, [&asked](int row) {
        ++asked;
        return ListView::Row{std::to_string(row), "b"};
    });
    EXPECT_EQ(rows.rowCount(), 100000);
    EXPECT_EQ(rows.selectedRow(), -1);
    processEvents();
    EXPECT_LT(asked, 1000);
    EXPECT_EQ(driver::shownCell(*window_, "rows", 99999, 0), "99999");
    rows.setCell(99998, 1, "changed");
    EXPECT_EQ(driver::shownCell(*window_, "rows", 99998, 1), "changed");
    EXPECT_EQ(driver::shownCell(*window_, "rows", 99998, 0), "99998");
    driver::clickRow(*window_, "rows", 99990);
    EXPECT_EQ(rows.selectedRow(), 99990);

    rows.clear();
    EXPECT_EQ(driver::shownRowCount(*window_, "rows"), 0);
    EXPECT_EQ(rows.selectedRow(), -1);
    EXPECT_EQ(driver::shownText(*window_, "rows"), "没有行");
}

TEST_F(ToolkitTest, DropsReachOnlyAWindowThatTakesThem)
{
    TempFolder folder;
    const std::string path = pathToUtf8(folder / "存档.bytes");
    EXPECT_FALSE(driver::dropFiles(*window_, {path}));
    std::vector<std::string> dropped;
    window_->onFilesDropped([&dropped](std::vector<std::string> files) { dropped = std::move(files); });
    EXPECT_TRUE(driver::dropFiles(*window_, {path}));
    EXPECT_EQ(dropped, std::vector<std::string>{path});
}

TEST_F(ToolkitTest, CloseRequestCanKeepTheWindowOpen)
{
    bool allow = false;
    int asked = 0;
    window_->onCloseRequest([&] {
        ++asked;
        return allow;
    });
    driver::closeWindow(*window_);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window_->isVisible());
    allow = true;
    driver::closeWindow(*window_);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(ToolkitTest, ModalWindowMayDestroyItselfWhenClosed)
{
    auto modal = std::make_unique<Window>(WindowDesign{"ModalWindow", "模态", 200, 100, {}});
    bool closed = false;
    modal->showModal([&] {
        closed = true;
        modal.reset();
    });
    ASSERT_TRUE(driver::waitUntil([] { return driver::findWindow("ModalWindow") != nullptr; }));
    driver::closeWindow(*modal);
    ASSERT_TRUE(driver::waitUntil([&closed] { return closed; }));
    EXPECT_FALSE(driver::windowExists("ModalWindow"));
}

/// The folder of the running test program, where the probe is built too.
std::filesystem::path programFolder()
{
#ifdef _WIN32
    wchar_t name[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
    return std::filesystem::path(std::wstring(name, length)).parent_path();
#else
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
#endif
}

TEST(FatalReport, EndsTheProgramAtOnceWithMinusOne)
{
#ifdef _WIN32
    const std::filesystem::path probe = programFolder() / "fatal_report_probe.exe";
#else
    const std::filesystem::path probe = programFolder() / "fatal_report_probe";
#endif
    ASSERT_TRUE(std::filesystem::exists(probe)) << pathToUtf8(probe);
    TempFolder folder;
    const std::filesystem::path out = folder / "out.txt";
    const std::filesystem::path err = folder / "err.txt";
#ifdef _WIN32
    // cmd takes off the quotes around the whole line, leaving those around each path.
    const std::wstring command =
        L"\"\"" + probe.wstring() + L"\" > \"" + out.wstring() + L"\" 2> \"" + err.wstring() + L"\"\"";
    const int exitCode = _wsystem(command.c_str());
#else
    const std::string command = "'" + probe.string() + "' > '" + out.string() + "' 2> '" + err.string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << status;
    const int exitCode = static_cast<signed char>(WEXITSTATUS(status));
#endif
    EXPECT_EQ(exitCode, -1);
    // Standard error ends its lines as the system does.
    std::string report = readWholeFile(err).bytes();
    std::erase(report, '\r');
    EXPECT_NE(report.find("运行时出错!\n\n错误信息：分配 0 字节内存失败!\n"), std::string::npos) << report;
    EXPECT_EQ(readWholeFile(out).bytes().find("handler returned"), std::string::npos);
}

}  // namespace
