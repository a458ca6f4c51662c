#pragma once

// The main window on a file of its own, worked through the test driver: the
// fixture the window tests share. Every message box a test meets must have been
// answered in advance, unless the test takes the boxes itself.

#include "data/file_io.h"
#include "data/general.h"
#include "data/load.h"
#include "data/model.h"
#include "data/save_format.h"
#include "tests/core/fixtures.h"
#include "tests/core/temp_folder.h"
#include "toolkit/file_dialog.h"
#include "toolkit/message_box.h"
#include "toolkit/test_driver.h"
#include "ui/main/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace sg8::testing {

inline GeneralText utf8Text(const char* utf8) { return GeneralText::fromUtf8(ByteString(std::string(utf8))); }

/// A general with every edited field set to something other than its default,
/// each value one its control can show.
inline CustomGeneral fullGeneral(std::int32_t id)
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

inline std::string utf8Name(const std::filesystem::path& path) { return pathToUtf8(path); }

class MainWindowFixture : public ::testing::Test {
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
        main_.reset();
        EXPECT_TRUE(driver::waitUntil([] { return driver::findWindow("EditorWindow") == nullptr; }));
        for (const ShownMessage& message : takeShownMessages()) {
            EXPECT_TRUE(message.answeredInAdvance) << "unexpected message box: " << message.caption << " "
                                                   << message.text;
            EXPECT_FALSE(message.caption.ends_with("：")) << message.caption;
        }
        EXPECT_EQ(dropUnusedAnswers(), 0u);
        EXPECT_EQ(dropUnusedFileNames(), 0u);
    }

    Window& window() { return main_->window(); }

    /// Writes the generals to `name` in the test's folder and opens it with 打开.
    std::filesystem::path load(const GeneralList& generals, const std::string& name = "generals.bytes")
    {
        const std::filesystem::path path = folder_ / name;
        writeFile(path, encodeSaveFile(generals, 5));
        open(path);
        return path;
    }

    void open(const std::filesystem::path& path)
    {
        setNextFileName(pathToUtf8(path));
        driver::click(window(), "按钮1");
        EXPECT_TRUE(driver::waitUntil([this] { return !main_->loading(); }));
    }

    static void writeFile(const std::filesystem::path& path, const ByteString& bytes)
    {
        ASSERT_TRUE(writeWholeFile(path, {bytes}));
    }

    /// The generals the file at `path` holds now.
    static GeneralList generalsIn(const std::filesystem::path& path)
    {
        Result<LoadedFile> loaded = loadSaveFile(readWholeFile(path));
        EXPECT_TRUE(loaded.ok());
        return loaded ? loaded->generals : GeneralList{};
    }

    /// Double-clicks row `row` and gives the editor that opened, or nullptr.
    Window* openEditor(int row)
    {
        driver::clickRow(window(), "超级列表框1", row);
        driver::doubleClickRow(window(), "超级列表框1", row);
        driver::waitUntil([] { return driver::findWindow("EditorWindow") != nullptr; }, 2000);
        return driver::findWindow("EditorWindow");
    }

    /// Waits for the editor to close and the row to be redrawn.
    bool editorClosed()
    {
        return driver::waitUntil([this] { return !main_->busyWithModal(); });
    }

    /// Replaces an edit box's text as the user does: select all, type.
    static void retype(Window& window, std::string_view box, std::string_view text)
    {
        driver::selectAllText(window, box);
        if (text.empty()) {
            driver::pressKey(window, box, "Delete");
        } else {
            driver::typeText(window, box, text);
        }
    }

    std::string cell(int row, int column) { return driver::shownCell(window(), "超级列表框1", row, column); }

    TempFolder folder_;
    Model model_;
    std::unique_ptr<MainWindow> main_;
};

}  // namespace sg8::testing
