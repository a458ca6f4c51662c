#include "data/file_io.h"
#include "data/load.h"
#include "data/save.h"
#include "tests/core/file_builder.h"
#include "tests/core/fixtures.h"
#include "tests/core/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace sg8 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string contentsOf(const fs::path& path)
{
    return readWholeFile(path).bytes();
}

Model modelAt(const fs::path& path, GeneralList generals)
{
    Model model;
    installFile(model, std::move(generals), 7, path);
    return model;
}

TEST(Save, RefusesWhenNoFileIsOpenAndWritesNothing)
{
    TempFolder folder;
    Model model;
    model.generals = {testing::distinctGeneral(1)};
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    const Result<SaveOutcome> saved = saveSaveFile(model, Backup::Yes);
    fs::current_path(before);
    ASSERT_FALSE(saved);
    EXPECT_NE(saved.error().message.find("没有打开"), std::string::npos);
    EXPECT_TRUE(folder.names().empty());
}

TEST(Save, NoReplacesTheFileAndMakesNoBackup)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, ByteString(std::string("old"))));
    Model model = modelAt(file, {testing::distinctGeneral(1)});
    const Result<SaveOutcome> saved = saveSaveFile(model, Backup::No);
    ASSERT_TRUE(saved) << saved.error().message;
    EXPECT_FALSE(saved->backupMade);
    EXPECT_EQ(contentsOf(file), encodeSaveFile(model.generals, 7).bytes());
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.bytes"});
}

TEST(Save, YesKeepsTheOldFileAsBakAndReplacesAnOlderBak)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, ByteString(std::string("old"))));
    ASSERT_TRUE(replaceFile(folder / "a.bytes.bak", ByteString(std::string("older"))));
    Model model = modelAt(file, {testing::distinctGeneral(1)});
    const Result<SaveOutcome> saved = saveSaveFile(model, Backup::Yes);
    ASSERT_TRUE(saved) << saved.error().message;
    EXPECT_TRUE(saved->backupMade);
    EXPECT_EQ(contentsOf(folder / "a.bytes.bak"), "old");
    EXPECT_EQ(contentsOf(file), encodeSaveFile(model.generals, 7).bytes());

    // A second save backs up what the first one wrote.
    ASSERT_TRUE(saveSaveFile(model, Backup::Yes));
    EXPECT_EQ(contentsOf(folder / "a.bytes.bak"), contentsOf(file));
}

TEST(Save, YesWithTheOriginalGoneSavesAndSaysThereWasNothingToBackUp)
{
    TempFolder folder;
    Model model = modelAt(folder / "gone.bytes", {});
    const Result<SaveOutcome> saved = saveSaveFile(model, Backup::Yes);
    ASSERT_TRUE(saved) << saved.error().message;
    EXPECT_TRUE(saved->originalMissing);
    EXPECT_FALSE(saved->backupMade);
    EXPECT_EQ(contentsOf(folder / "gone.bytes").size(), kEmptyFileSize);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"gone.bytes"});
}

TEST(Save, AnUneditedLoadAndSaveReproducesTheFile)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    GeneralList generals = {testing::distinctGeneral(1), testing::workedExampleGeneral()};
    generals[0].biography = GeneralText::fromUtf8(ByteString(std::string("한국 😀")));
    generals[0].portraitId = -1;
    const ByteString original = encodeSaveFile(generals, 255);
    ASSERT_TRUE(replaceFile(file, original));

    Result<LoadedFile> loaded = loadSaveFile(file);
    ASSERT_TRUE(loaded);
    Model model;
    installFile(model, loaded->generals, loaded->trailerValue, file);
    ASSERT_TRUE(saveSaveFile(model, Backup::No));
    EXPECT_EQ(contentsOf(file), original.bytes());
}

TEST(Save, AFailureAtAnyStepLeavesTheOriginalAndNoTemporaryFile)
{
    const IoStep steps[] = {IoStep::OpenForReading, IoStep::Read, IoStep::CreateTemporary, IoStep::Write,
                            IoStep::Flush, IoStep::Close, IoStep::Rename};
    for (Backup backup : {Backup::No, Backup::Yes}) {
        for (IoStep step : steps) {
            SCOPED_TRACE(std::string(stepName(step)) + (backup == Backup::Yes ? " with backup" : ""));
            TempFolder folder;
            const fs::path file = folder / "a.bytes";
            ASSERT_TRUE(replaceFile(file, ByteString(std::string("old"))));
            setFaultInjector([step](IoStep asked) { return asked == step ? EIO : 0; });
            Model model = modelAt(file, {testing::distinctGeneral(1)});
            const Result<SaveOutcome> saved = saveSaveFile(model, backup);
            setFaultInjector({});
            ASSERT_FALSE(saved);
            EXPECT_FALSE(saved.error().message.empty());
            EXPECT_EQ(contentsOf(file), "old");
            for (const std::string& name : folder.names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
        }
    }
}

TEST(Save, RefusesBytesThatWouldNotLoadBackTheSame)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, ByteString(std::string("old"))));
    CustomGeneral broken;
    broken.surname = Text("\x81");  // a lone lead byte: no character of the code page
    Model model = modelAt(file, {broken});
    const Result<SaveOutcome> saved = saveSaveFile(model, Backup::Yes);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().step, Step::Check);
    EXPECT_EQ(contentsOf(file), "old");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.bytes"});
}

TEST(Save, TheBackupPathKeepsTheWholeName)
{
    EXPECT_EQ(backupPathFor("/x/y.bytes"), fs::path("/x/y.bytes.bak"));
}

}  // namespace
}  // namespace sg8
