#pragma once

// What the window suites share: generals and files in a folder of the test's own,
// and the main window on a fresh model, worked through the test driver. Nothing
// here knows which window system runs the windows.

#include "data/file_io.h"
#include "data/general.h"
#include "data/model.h"
#include "data/save_format.h"
#include "data/text.h"
#include "tests/core/fixtures.h"
#include "tests/core/temp_folder.h"
#include "toolkit/file_dialog.h"
#include "toolkit/message_box.h"
#include "toolkit/test_driver.h"
#include "ui/main/main_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sg8::testing {

inline constexpr std::string_view kList = "超级列表框1";

inline GeneralText utf8Text(std::string_view utf8) { return GeneralText::fromUtf8(ByteString(std::string(utf8))); }

/// A general with every edited field set to something other than its default.
inline CustomGeneral generalWithEveryField(std::int32_t id)
{
    CustomGeneral g;
    for (const FieldInfo& field : kFields) {
        if (field.kind == FieldKind::Int) g.intField(field.index) = 100 + field.index;
    }
    g.id = id;
    g.surname = utf8Text("张");
    g.givenName = utf8Text("三");
    g.courtesyName = utf8Text("子义");
    g.biography = utf8Text("生于乱世。\r\n以勇闻名。");
    g.illustrationCode = utf8Text("ill_01");
    g.modelCode = utf8Text("m_zhang");
    g.modelHelmet = utf8Text("h1");
    g.modelLeftShoulder = utf8Text("l1");
    g.modelRightShoulder = utf8Text("r1");
    g.voice = utf8Text("v3");
    g.weaponType = 7;
    g.gender = 2;
    g.dialogueStyle = 4;
    g.management = 1;
    g.farming = 2;
    g.commerce = 0;
    g.craft = 1;
    g.advisorTrait = 3;
    return g;
}

inline std::string encoded(const GeneralList& generals, std::int32_t trailer = 0)
{
    return encodeSaveFile(generals, trailer).bytes();
}

inline std::string fileBytes(const std::filesystem::path& path) { return readWholeFile(path).bytes(); }

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    ASSERT_TRUE(writeWholeFile(path, {ByteString(bytes)})) << pathToUtf8(path);
}

/// The cells a row of a list view shows, columns 0 to 9.
inline std::vector<std::string> shownRow(Window& window, int row)
{
    std::vector<std::string> cells;
    for (int column = 0; column < 10; ++column) cells.push_back(driver::shownCell(window, kList, row, column));
    return cells;
}

/// Whether `inner` lies wholly inside `outer` (both in the same coordinates).
inline bool liesWithin(const driver::Rect& inner, const driver::Rect& outer)
{
    return inner.width > 0 && inner.height > 0 && inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width && inner.top + inner.height <= outer.top + outer.height;
}

/// The main window on a fresh model, shown; after each test no message box may
/// have come up unanswered and no prepared answer may be left over.
class MainWindowSuite : public ::testing::Test {
protected:
    void SetUp() override
    {
        takeShownMessages();
        initModel(model_);
        main_ = std::make_unique<MainWindow>(model_);
        main_->window().show();
        ASSERT_TRUE(driver::waitUntil([] { return driver::findWindow("MainWindow") != nullptr; }));
    }

    void TearDown() override
    {
        setFaultInjector({});
        main_.reset();
        EXPECT_TRUE(driver::waitUntil([] { return !driver::windowExists("EditorWindow"); }));
        for (const ShownMessage& message : takeShownMessages()) {
            EXPECT_TRUE(message.answeredInAdvance) << "unexpected message box: " << message.text;
        }
        EXPECT_EQ(dropUnusedAnswers(), 0u);
        EXPECT_EQ(dropUnusedFileNames(), 0u);
    }

    Window& mainWindow() { return main_->window(); }

    std::filesystem::path fixture(const std::string& name, const GeneralList& generals, std::int32_t trailer = 0)
    {
        const std::filesystem::path path = folder_ / name;
        writeBytes(path, encoded(generals, trailer));
        return path;
    }

    /// Opens the file through 打开 and its dialog, and waits for the load to end.
    void openFile(const std::filesystem::path& path)
    {
        setNextFileName(pathToUtf8(path));
        driver::click(mainWindow(), "按钮1");
        ASSERT_TRUE(driver::waitUntil([this] { return !main_->loading(); }));
    }

    /// Saves through 保存, answering the backup question.
    void save(MessageResult backupAnswer)
    {
        setNextAnswer(backupAnswer);
        driver::click(mainWindow(), "按钮2");
    }

    std::vector<std::string> row(int r) { return shownRow(mainWindow(), r); }
    std::string countLabel() { return driver::shownText(mainWindow(), "标签1"); }

    TempFolder folder_;
    Model model_;
    std::unique_ptr<MainWindow> main_;
};

}  // namespace sg8::testing
