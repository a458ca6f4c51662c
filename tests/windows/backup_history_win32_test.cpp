#include "data/backup_history.h"
#include "data/file_io.h"
#include "data/save.h"
#include "data/save_format.h"
#include "tests/core/fixtures.h"
#include "tests/core/history_sandbox.h"
#include "tests/core/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace sg8 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string contentsOf(const fs::path& path)
{
    return readWholeFile(path).bytes();
}

/// An environment variable as Windows holds it, put back when this ends.
class WideEnvironment {
public:
    WideEnvironment(const wchar_t* name, const fs::path& value) : name_(name)
    {
        const wchar_t* before = _wgetenv(name);
        if (before) before_ = before;
        _wputenv_s(name, value.c_str());
    }
    WideEnvironment(const WideEnvironment&) = delete;
    WideEnvironment& operator=(const WideEnvironment&) = delete;
    ~WideEnvironment() { _wputenv_s(name_.c_str(), before_.c_str()); }

private:
    std::wstring name_;
    std::wstring before_;
};

// A user whose name is Chinese: the history lands under their %LOCALAPPDATA%, in
// a folder named after a save file with a Chinese name.
TEST(WindowsBackupHistory, LivesInTheUsersLocalAppDataWhateverItsName)
{
    TempFolder root;
    const fs::path local = root.path() / pathFromUtf8("用户 张三") / L"AppData" / L"Local";
    fs::create_directories(local);
    testing::BackupRootOverride none{fs::path()};
    WideEnvironment localAppData(L"LOCALAPPDATA", local);
    EXPECT_EQ(backupRoot(), local / L"sg8gen" / L"backups");

    const fs::path folder = root.path() / pathFromUtf8("三国群英传8 存档");
    fs::create_directories(folder);
    const fs::path file = folder / pathFromUtf8("自创武将.bytes");
    const GeneralList first{testing::distinctGeneral(1)};
    const GeneralList second{testing::distinctGeneral(2)};
    ASSERT_TRUE(replaceFile(file, encodeSaveFile(first, 0)));
    ASSERT_TRUE(saveGeneralsTo(file, second, 0, Backup::No));

    const std::vector<BackupVersion> versions = listBackupVersions(file);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions.front().path.parent_path().parent_path(), local / L"sg8gen" / L"backups");
    EXPECT_EQ(versions.front().path.parent_path().filename().wstring().rfind(L"自创武将.bytes-", 0), 0u);
    EXPECT_EQ(versions.front().generals, 1u);
    EXPECT_EQ(contentsOf(versions.front().path), encodeSaveFile(first, 0).bytes());

    ASSERT_TRUE(restoreBackupVersion(file, versions.front().path));
    EXPECT_EQ(contentsOf(file), encodeSaveFile(first, 0).bytes());
}

TEST(WindowsBackupHistory, OneFileByNamesThatDifferInCaseHasOneHistory)
{
    TempFolder root;
    EXPECT_EQ(historyFolderFor(root.path() / L"Save" / L"A.bytes"), historyFolderFor(root.path() / L"save" / L"a.BYTES"));
    EXPECT_NE(historyFolderFor(root.path() / L"one" / L"a.bytes"), historyFolderFor(root.path() / L"two" / L"a.bytes"));
}

}  // namespace
}  // namespace sg8
