#include "data/backup_history.h"
#include "data/file_identity.h"
#include "data/file_io.h"
#include "data/load.h"
#include "data/save.h"
#include "data/save_format.h"
#include "tests/core/fixtures.h"
#include "tests/core/history_sandbox.h"
#include "tests/core/temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace sg8 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string contentsOf(const fs::path& path)
{
    return readWholeFile(path).bytes();
}

// Another program (the game) writing the file behind the save's back. Its time is
// set apart from the old one, as the game's later write would be.
void writtenByTheGame(const fs::path& path, const std::string& bytes)
{
    std::error_code ec;
    const fs::file_time_type before = fs::last_write_time(path, ec);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    if (!ec) fs::last_write_time(path, before + std::chrono::seconds(2), ec);
}

GeneralList generalsNumbered(std::int32_t seed, std::size_t count)
{
    GeneralList generals;
    for (std::size_t i = 0; i < count; ++i) generals.push_back(testing::distinctGeneral(seed + static_cast<std::int32_t>(i)));
    return generals;
}

std::vector<std::string> versionNames(const fs::path& saveFile)
{
    std::vector<std::string> names;
    for (const BackupVersion& version : listBackupVersions(saveFile)) names.push_back(pathToUtf8(version.path.filename()));
    return names;
}

// Every test keeps its histories in a folder of its own.
class BackupHistory : public ::testing::Test {
protected:
    TempFolder root;
    testing::BackupRootOverride useRoot{root.path()};
    TempFolder folder;
};

TEST_F(BackupHistory, EachSaveKeepsTheFileItReplacesAndRestoringBringsBackEach)
{
    const fs::path file = folder / "a.bytes";
    std::vector<std::string> written;
    for (std::size_t n = 1; n <= 4; ++n) {
        const GeneralList generals = generalsNumbered(static_cast<std::int32_t>(n * 10), n);
        if (n == 1) {
            ASSERT_TRUE(replaceFile(file, encodeSaveFile(generals, 0)));
        } else {
            const Result<SaveOutcome> saved = saveGeneralsTo(file, generals, 0, Backup::No);
            ASSERT_TRUE(saved) << saved.error().message;
            EXPECT_EQ(contentsOf(saved->keptVersion), written.back());
        }
        written.push_back(contentsOf(file));
    }

    // Three saves, three versions: the files the saves replaced, newest first.
    const std::vector<BackupVersion> versions = listBackupVersions(file);
    ASSERT_EQ(versions.size(), 3u);
    for (std::size_t i = 0; i < versions.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(contentsOf(versions[i].path), written[2 - i]);
        EXPECT_EQ(versions[i].generals, 3 - i);
        EXPECT_EQ(versions[i].size, written[2 - i].size());
        EXPECT_EQ(versions[i].path.parent_path(), historyFolderFor(file));
        ASSERT_EQ(versions[i].time.size(), 19u);  // "2026-12-11 15:30:12"
        EXPECT_EQ(versions[i].time[4], '-');
        EXPECT_EQ(versions[i].time[13], ':');
    }
    EXPECT_EQ(historyFolderFor(file).parent_path(), root.path());

    // Each restore brings back its version exactly and keeps the file it replaced.
    for (const BackupVersion& version : versions) {
        const std::string before = contentsOf(file);
        const Result<SaveOutcome> restored = restoreBackupVersion(file, version.path);
        ASSERT_TRUE(restored) << restored.error().message;
        EXPECT_EQ(contentsOf(file), contentsOf(version.path));
        EXPECT_EQ(contentsOf(listBackupVersions(file).front().path), before);
    }
    // So a restore is undone by restoring the newest version.
    const std::string beforeUndo = contentsOf(listBackupVersions(file).front().path);
    ASSERT_TRUE(restoreBackupVersion(file, listBackupVersions(file).front().path));
    EXPECT_EQ(contentsOf(file), beforeUndo);
}

TEST_F(BackupHistory, AVersionLikeTheNewestIsNotKeptTwice)
{
    const fs::path file = folder / "a.bytes";
    const ByteString bytes = encodeSaveFile(generalsNumbered(1, 2), 5);
    const Result<fs::path> first = keepBackupVersion(file, bytes);
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->empty());
    const Result<fs::path> second = keepBackupVersion(file, bytes);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->empty());
    EXPECT_EQ(listBackupVersions(file).size(), 1u);

    // Saving the same generals again finds the file like the newest version.
    ASSERT_TRUE(replaceFile(file, bytes));
    ASSERT_TRUE(saveGeneralsTo(file, generalsNumbered(1, 2), 5, Backup::No));
    EXPECT_EQ(listBackupVersions(file).size(), 1u);
}

TEST_F(BackupHistory, TheNewestFiftyAreKept)
{
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, encodeSaveFile({}, 0)));
    for (std::int32_t n = 1; n <= 53; ++n) {
        const Result<SaveOutcome> saved = saveGeneralsTo(file, {}, n, Backup::No);
        ASSERT_TRUE(saved) << saved.error().message;
    }
    const std::vector<BackupVersion> versions = listBackupVersions(file);
    ASSERT_EQ(versions.size(), kKeptVersions);
    // The file saved with trailing value n is kept by save n + 1: the newest is 52, the oldest 3.
    EXPECT_EQ(contentsOf(versions.front().path), encodeSaveFile({}, 52).bytes());
    EXPECT_EQ(contentsOf(versions.back().path), encodeSaveFile({}, 3).bytes());
}

TEST_F(BackupHistory, VersionsOfOneSecondTakeASuffixAndStayInTimeOrder)
{
    const fs::path file = folder / "a.bytes";
    const fs::path history = historyFolderFor(file);
    fs::create_directories(history);
    // Versions stamped later than now, as after the clock was set back: new ones count on after them.
    ASSERT_TRUE(replaceFile(history / "29991231-235959.bytes", encodeSaveFile({}, 1)));
    ASSERT_TRUE(replaceFile(history / "29991231-235959-9.bytes", encodeSaveFile({}, 9)));
    ASSERT_TRUE(replaceFile(history / "29991231-235958.bytes", encodeSaveFile({}, 0)));
    ASSERT_TRUE(replaceFile(history / "notes.txt", ByteString(std::string("not a version"))));

    const Result<fs::path> kept = keepBackupVersion(file, encodeSaveFile({}, 10));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->filename(), fs::path("29991231-235959-10.bytes"));
    EXPECT_EQ(versionNames(file), (std::vector<std::string>{"29991231-235959-10.bytes", "29991231-235959-9.bytes",
                                                            "29991231-235959.bytes", "29991231-235958.bytes"}));
    EXPECT_EQ(listBackupVersions(file).front().time, "2999-12-31 23:59:59");
}

TEST_F(BackupHistory, TwoFilesOfOneNameKeepApart)
{
    fs::create_directories(folder.path() / "one");
    fs::create_directories(folder.path() / "two");
    const fs::path one = folder.path() / "one" / "a.bytes";
    const fs::path two = folder.path() / "two" / "a.bytes";
    EXPECT_NE(historyFolderFor(one), historyFolderFor(two));
    EXPECT_EQ(historyFolderFor(one).filename().string().rfind("a.bytes-", 0), 0u);
    // The same file by another name is the same history.
    EXPECT_EQ(historyFolderFor(one), historyFolderFor(folder.path() / "two" / ".." / "one" / "a.bytes"));

    ASSERT_TRUE(keepBackupVersion(one, encodeSaveFile({}, 1)));
    ASSERT_TRUE(keepBackupVersion(two, encodeSaveFile({}, 2)));
    ASSERT_EQ(listBackupVersions(one).size(), 1u);
    ASSERT_EQ(listBackupVersions(two).size(), 1u);
    EXPECT_EQ(contentsOf(listBackupVersions(two).front().path), encodeSaveFile({}, 2).bytes());
}

TEST_F(BackupHistory, TheRootComesFromTheEnvironment)
{
#ifndef _WIN32
    TempFolder data;
    {
        const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
        const std::string dataHome = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
        testing::BackupRootOverride none{fs::path()};
        testing::setEnvironment("XDG_DATA_HOME", data.path());
        EXPECT_EQ(backupRoot(), data.path() / "sg8gen" / "backups");
        testing::setEnvironment("XDG_DATA_HOME", {});
        testing::setEnvironment("HOME", data.path());
        EXPECT_EQ(backupRoot(), data.path() / ".local" / "share" / "sg8gen" / "backups");
        testing::setEnvironment("HOME", home);
        testing::setEnvironment("XDG_DATA_HOME", dataHome);
    }
#endif
    EXPECT_EQ(backupRoot(), root.path());
    TempFolder chosen;
    testing::BackupRootOverride useChosen{chosen.path()};
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, encodeSaveFile({}, 1)));
    ASSERT_TRUE(saveGeneralsTo(file, {}, 2, Backup::No));
    const std::vector<BackupVersion> versions = listBackupVersions(file);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions.front().path.parent_path().parent_path(), chosen.path());
}

TEST_F(BackupHistory, ARestoreOfSomethingThatIsNoSaveFileWritesNothing)
{
    const fs::path file = folder / "a.bytes";
    const std::string original = encodeSaveFile(generalsNumbered(1, 1), 0).bytes();
    ASSERT_TRUE(replaceFile(file, ByteString(original)));
    ASSERT_TRUE(replaceFile(folder / "picture.png", ByteString(std::string("\x89PNG\r\n"))));
    for (const fs::path& version : {folder / "picture.png", folder / "missing.bytes"}) {
        SCOPED_TRACE(pathToUtf8(version));
        const Result<SaveOutcome> restored = restoreBackupVersion(file, version);
        ASSERT_FALSE(restored);
        EXPECT_NE(restored.error().message.find("未写入任何文件"), std::string::npos) << restored.error().message;
        EXPECT_EQ(contentsOf(file), original);
        EXPECT_TRUE(listBackupVersions(file).empty());
    }
}

// The game rewrites its file while it runs: a save that expects the file it
// loaded refuses anything else, also when the change comes during the save.
TEST_F(BackupHistory, AFileChangedSinceItWasLoadedIsNotReplaced)
{
    const fs::path file = folder / "a.bytes";
    const std::string loaded = encodeSaveFile(generalsNumbered(1, 2), 0).bytes();
    const std::string byTheGame = encodeSaveFile(generalsNumbered(5, 2), 0).bytes();  // the same size
    ASSERT_EQ(loaded.size(), byTheGame.size());
    const GeneralList edited = generalsNumbered(9, 3);

    struct Case {
        const char* name;
        IoStep changeAt;  // the game writes when the save reaches this step; Read: before the save
        Backup backup;
    } cases[] = {
        {"before the save", IoStep::Read, Backup::No},
        {"after the history copy, before the replace", IoStep::Rename, Backup::No},
        {"after the .bak, before the replace", IoStep::Rename, Backup::Yes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(replaceFile(file, ByteString(loaded)));
        fs::remove(backupPathFor(file));
        Model model;
        Result<LoadedFile> load = loadSaveFile(file);
        ASSERT_TRUE(load && load->identity);
        installFile(model, edited, 0, file, load->identity);
        EXPECT_FALSE(fileChangedSince(file, *model.fileIdentity));

        int renames = 0;
        const int renameBeforeReplace = c.backup == Backup::Yes ? 2 : 1;  // the history's, then the .bak's
        if (c.changeAt == IoStep::Read) {
            writtenByTheGame(file, byTheGame);
        } else {
            setFaultInjector([&](IoStep step) {
                if (step == IoStep::Rename && ++renames == renameBeforeReplace) writtenByTheGame(file, byTheGame);
                return 0;
            });
        }
        const std::size_t versionsBefore = listBackupVersions(file).size();
        const Result<SaveOutcome> saved = saveSaveFile(model, c.backup);
        setFaultInjector({});
        ASSERT_FALSE(saved);
        EXPECT_TRUE(isFileChangedError(saved.error())) << saved.error().message;
        EXPECT_NE(saved.error().message.find("a.bytes"), std::string::npos) << saved.error().message;
        EXPECT_EQ(contentsOf(file), byTheGame);
        EXPECT_TRUE(fileChangedSince(file, *model.fileIdentity));
        if (c.changeAt == IoStep::Read) {
            EXPECT_EQ(listBackupVersions(file).size(), versionsBefore);
        }

        // Told and agreed, the save goes ahead and the game's file goes into the history.
        const Result<SaveOutcome> agreed = saveSaveFile(model, c.backup, IfChanged::Overwrite);
        ASSERT_TRUE(agreed) << agreed.error().message;
        EXPECT_EQ(contentsOf(file), encodeSaveFile(edited, 0).bytes());
        EXPECT_EQ(contentsOf(listBackupVersions(file).front().path), byTheGame);
        EXPECT_FALSE(fileChangedSince(file, *model.fileIdentity));
        // The model now knows the file it wrote: the next save needs no question.
        ASSERT_TRUE(saveSaveFile(model, Backup::No));
    }
}

TEST_F(BackupHistory, AFileThatAppearedSinceIsNotReplacedEither)
{
    const fs::path file = folder / "new.bytes";
    const std::optional<FileIdentity> nothingThere = FileIdentity{};
    ASSERT_TRUE(replaceFile(file, encodeSaveFile({}, 1)));
    const Result<SaveOutcome> saved = saveGeneralsTo(file, {}, 2, Backup::No, nothingThere);
    ASSERT_FALSE(saved);
    EXPECT_TRUE(isFileChangedError(saved.error()));
    EXPECT_EQ(contentsOf(file), encodeSaveFile({}, 1).bytes());
}

TEST(FileIdentity, ToldApartByContentsNotByTimeAlone)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, ByteString(std::string("abcdef"))));
    const Result<FileIdentity> identity = readFileIdentity(file);
    ASSERT_TRUE(identity);
    EXPECT_TRUE(identity->exists);
    EXPECT_EQ(identity->size, 6u);
    EXPECT_FALSE(fileChangedSince(file, identity.value()));

    struct Case {
        const char* name;
        const char* bytes;  // nullptr: the file is removed
        bool changed;
    } cases[] = {
        {"only its time changed", "abcdef", false},
        {"same size, other bytes", "abcdeX", true},
        {"other size", "abc", true},
        {"removed", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(replaceFile(file, ByteString(std::string("abcdef"))));
        if (c.bytes) {
            writtenByTheGame(file, c.bytes);
        } else {
            fs::remove(file);
        }
        EXPECT_EQ(fileChangedSince(file, identity.value()), c.changed);
    }
    const FileIdentity absent{};
    EXPECT_FALSE(fileChangedSince(folder / "missing.bytes", absent));
    EXPECT_TRUE(fileChangedSince(folder.path(), absent));  // a folder stands there now
    const Result<FileIdentity> missing = readFileIdentity(folder / "missing.bytes");
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->exists);
    EXPECT_NE(hashBytes("abcdef"), hashBytes("abcdeg"));
    EXPECT_NE(hashBytes(std::string(9, '\0')), hashBytes(std::string(8, '\0')));
}

}  // namespace
}  // namespace sg8
