// The questions before a save: the backup question can be cancelled, by its
// button, by Escape or by its close box, and then nothing is written and the
// edits stay unsaved; the same inside the flows that save before closing and
// before opening another file.

#include "main_window_fixture.h"

using namespace sg8;
using namespace sg8::testing;

namespace {

class SaveQuestionsTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        path_ = load({fullGeneral(1), fullGeneral(2)});
        original_ = readWholeFile(path_);
        Window* editor = openEditor(1);
        ASSERT_NE(editor, nullptr);
        retype(*editor, "编辑框_基础武力", "5");
        driver::click(*editor, "按钮_确认");
        ASSERT_TRUE(editorClosed());
        ASSERT_TRUE(model_.unsavedEdits);
    }

    /// The file is as it was loaded, no .bak was made and the edit is still unsaved.
    void expectNothingWritten()
    {
        EXPECT_EQ(readWholeFile(path_), original_);
        EXPECT_FALSE(std::filesystem::exists(folder_.path() / "generals.bytes.bak"));
        EXPECT_TRUE(model_.unsavedEdits);
        EXPECT_EQ(model_.generals[1].baseStrength, 5);
    }

    /// The captions of the boxes shown since the last look.
    static std::vector<std::string> captionsShown()
    {
        std::vector<std::string> captions;
        for (const ShownMessage& message : takeShownMessages()) captions.push_back(message.caption);
        return captions;
    }

    std::filesystem::path path_;
    ByteString original_;
};

TEST_F(SaveQuestionsTest, CancelOrEscapeOnTheBackupQuestionWritesNothing)
{
    const std::optional<MessageResult> answers[] = {MessageResult::Cancel, std::nullopt /* Escape, close box */};
    for (const std::optional<MessageResult>& answer : answers) {
        SCOPED_TRACE(answer ? "取消" : "Escape");
        if (answer) setNextAnswer(*answer);
        driver::click(window(), "按钮2");
        const std::vector<ShownMessage> shown = takeShownMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, "是否在原目录备份原存档文件？");
        EXPECT_EQ(shown[0].style, MessageStyle::YesNoCancel);
        expectNothingWritten();
    }
}

TEST_F(SaveQuestionsTest, CancellingTheBackupQuestionWhileClosingKeepsTheWindowOpen)
{
    setNextAnswer(MessageResult::Yes);  // save first
    driver::closeWindow(window());      // the backup question then closed with Escape
    EXPECT_EQ(captionsShown().size(), 2u);
    EXPECT_TRUE(window().isVisible());
    expectNothingWritten();
}

TEST_F(SaveQuestionsTest, CancellingTheBackupQuestionBeforeOpeningKeepsTheOpenFile)
{
    const std::filesystem::path other = folder_.path() / "other.bytes";
    writeFile(other, encodeSaveFile({fullGeneral(9)}, 0));
    setNextAnswer(MessageResult::Yes);     // save first
    setNextAnswer(MessageResult::Cancel);  // no, not now
    open(other);
    EXPECT_EQ(captionsShown().size(), 2u);
    EXPECT_EQ(model_.savePath, path_);
    EXPECT_EQ(model_.generals.size(), 2u);
    EXPECT_EQ(cell(1, 6), "5");
    expectNothingWritten();
}

}  // namespace
