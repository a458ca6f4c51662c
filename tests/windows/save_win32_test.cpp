#include "data/file_io.h"
#include "data/load.h"
#include "data/save.h"
#include "tests/core/fixtures.h"
#include "tests/core/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sg8 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr std::string_view kInUse = "文件正被占用——游戏是否正在运行？";

ByteString bytes(std::string_view s)
{
    return ByteString(std::string(s));
}

std::string contentsOf(const fs::path& path)
{
    return readWholeFile(path).bytes();
}

/// The names in a folder as the file system holds them (UTF-16), sorted.
std::vector<std::wstring> wideNames(const fs::path& folder)
{
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

/// A handle that another program (the game) holds on a file while it lives.
class HeldOpen {
public:
    HeldOpen(const fs::path& path, DWORD share)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    ~HeldOpen()
    {
        if (valid()) CloseHandle(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

/// Fails every operation of one step with a Windows error code while it lives.
class FailStep {
public:
    FailStep(IoStep step, DWORD code)
    {
        setFaultInjector([step, code](IoStep asked) { return asked == step ? static_cast<int>(code) : 0; });
    }
    FailStep(const FailStep&) = delete;
    FailStep& operator=(const FailStep&) = delete;
    ~FailStep() { setFaultInjector({}); }
};

TEST(WindowsSave, WritesIntoAFolderAndAFileWithChineseNames)
{
    TempFolder root;
    const fs::path folder = root.path() / pathFromUtf8("三国群英传8 存档");
    ASSERT_TRUE(fs::create_directory(folder));
    const fs::path file = folder / pathFromUtf8("自创武将.bytes");

    GeneralList generals{testing::distinctGeneral(1), testing::distinctGeneral(2)};
    const Result<SaveOutcome> first = saveGeneralsTo(file, generals, 7, Backup::Yes);
    ASSERT_TRUE(first) << first.error().message;
    EXPECT_TRUE(first->originalMissing);
    const std::string firstBytes = contentsOf(file);

    generals[1].id = 4242;
    const Result<SaveOutcome> second = saveGeneralsTo(file, generals, 7, Backup::Yes);
    ASSERT_TRUE(second) << second.error().message;
    EXPECT_TRUE(second->backupMade);

    // The names on disk are the characters themselves, not a code page's rendering of their bytes.
    EXPECT_EQ(wideNames(folder), (std::vector<std::wstring>{L"自创武将.bytes", L"自创武将.bytes.bak"}));
    EXPECT_EQ(contentsOf(folder / L"自创武将.bytes.bak"), firstBytes);
    const Result<LoadedFile> loaded = loadSaveFile(pathFromUtf8(pathToUtf8(file)));
    ASSERT_TRUE(loaded) << loaded.error().message;
    EXPECT_EQ(loaded->generals, generals);
}

TEST(WindowsSave, AFileHeldOpenByTheGameIsToldAndLeftIntact)
{
    struct Case {
        const char* name;
        DWORD share;     // what the other program lets others do with the file
        Backup backup;
        bool backupMade; // the backup reads the file, so it can be made when reading is shared
    } cases[] = {
        {"not shared at all, no backup", 0, Backup::No, false},
        {"not shared at all, with backup", 0, Backup::Yes, false},
        {"shared for reading only", FILE_SHARE_READ, Backup::No, false},
        {"shared for reading and writing but not deleting, with backup", FILE_SHARE_READ | FILE_SHARE_WRITE,
         Backup::Yes, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const fs::path file = folder.path() / pathFromUtf8("存档.bytes");
        ASSERT_TRUE(replaceFile(file, bytes("old")));
        Result<SaveOutcome> saved = SaveOutcome{};
        {
            HeldOpen game(file, c.share);
            ASSERT_TRUE(game.valid());
            saved = saveGeneralsTo(file, {testing::distinctGeneral(1)}, 7, c.backup);
        }
        ASSERT_FALSE(saved);
        EXPECT_NE(saved.error().message.find(kInUse), std::string::npos) << saved.error().message;
        EXPECT_EQ(contentsOf(file), "old");
        std::vector<std::wstring> expected{L"存档.bytes"};
        if (c.backupMade) expected.push_back(L"存档.bytes.bak");
        EXPECT_EQ(wideNames(folder.path()), expected);
    }
}

TEST(WindowsSave, ALockedBackupStopsTheSaveBeforeTheFileIsTouched)
{
    TempFolder folder;
    const fs::path file = folder.path() / pathFromUtf8("存档.bytes");
    ASSERT_TRUE(replaceFile(file, bytes("old")));
    ASSERT_TRUE(replaceFile(backupPathFor(file), bytes("older")));
    HeldOpen viewer(backupPathFor(file), 0);
    ASSERT_TRUE(viewer.valid());

    const Result<SaveOutcome> saved = saveGeneralsTo(file, {testing::distinctGeneral(1)}, 7, Backup::Yes);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().step, Step::Backup);
    EXPECT_NE(saved.error().message.find(kInUse), std::string::npos) << saved.error().message;
    EXPECT_EQ(contentsOf(file), "old");
    EXPECT_EQ(wideNames(folder.path()), (std::vector<std::wstring>{L"存档.bytes", L"存档.bytes.bak"}));
}

TEST(WindowsSave, AReadOnlyFileIsRefusedAndLeftIntact)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, bytes("old")));
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));

    const Result<SaveOutcome> saved = saveGeneralsTo(file, {testing::distinctGeneral(1)}, 7, Backup::No);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().step, IoStep::Rename);
    EXPECT_NE(saved.error().message.find("无法写入“a.bytes”：文件是只读的"), std::string::npos) << saved.error().message;
    EXPECT_EQ(contentsOf(file), "old");
    EXPECT_EQ(wideNames(folder.path()), std::vector<std::wstring>{L"a.bytes"});
}

// The common causes in Chinese, anything else in the system's own words; the save
// file by its name, never the temporary file's.
TEST(WindowsFileLayer, AFailureAtAnyStepSaysWhyAndLeavesNoTemporaryFile)
{
    struct Case {
        IoStep step;
        DWORD code;
        const char* says;  // the reason in Chinese; nullptr: the system's own words
    } cases[] = {
        {IoStep::CreateTemporary, ERROR_ACCESS_DENIED, "没有访问权限"},
        {IoStep::CreateTemporary, ERROR_PATH_NOT_FOUND, "找不到该文件或它所在的文件夹"},
        {IoStep::CreateTemporary, ERROR_FILENAME_EXCED_RANGE, "路径太长"},
        {IoStep::CreateTemporary, ERROR_WRITE_PROTECT, "所在的磁盘或分区是只读的"},
        {IoStep::Write, ERROR_DISK_FULL, "磁盘空间不足"},
        {IoStep::Flush, ERROR_WRITE_FAULT, nullptr},
        {IoStep::Close, ERROR_HANDLE_DISK_FULL, "磁盘空间不足"},
        {IoStep::Rename, ERROR_SHARING_VIOLATION, "文件正被占用——游戏是否正在运行？"},
        {IoStep::Rename, ERROR_LOCK_VIOLATION, "文件正被占用——游戏是否正在运行？"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(stepName(c.step)) + " " + std::to_string(c.code));
        TempFolder folder;
        const fs::path file = folder.path() / pathFromUtf8("存档.bytes");
        ASSERT_TRUE(replaceFile(file, bytes("old")));
        Status failed;
        {
            FailStep fail(c.step, c.code);
            failed = replaceFile(file, bytes("new"));
        }
        ASSERT_FALSE(failed);
        EXPECT_EQ(failed.error().step, c.step);
        const std::string& message = failed.error().message;
        const std::string doing = "（" + std::string(stepName(c.step)) + "时出错）";
        if (c.says) {
            EXPECT_EQ(message, "无法写入“存档.bytes”：" + std::string(c.says) + doing);
        } else {
            EXPECT_EQ(message.rfind("无法写入“存档.bytes”：系统报告：", 0), 0u) << message;
            EXPECT_EQ(message.find("系统错误代码"), std::string::npos) << message;
        }
        EXPECT_EQ(contentsOf(file), "old");
        EXPECT_EQ(wideNames(folder.path()), std::vector<std::wstring>{L"存档.bytes"});
    }
}

TEST(WindowsFileLayer, ReadingAFileHeldWithoutSharingIsTold)
{
    TempFolder folder;
    const fs::path file = folder.path() / pathFromUtf8("存档.bytes");
    ASSERT_TRUE(replaceFile(file, bytes("old")));
    HeldOpen game(file, 0);
    ASSERT_TRUE(game.valid());
    const Result<ByteString> read = readFile(file);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().step, IoStep::OpenForReading);
    EXPECT_NE(read.error().message.find(kInUse), std::string::npos) << read.error().message;
    EXPECT_NE(read.error().message.find("存档.bytes"), std::string::npos) << read.error().message;
}

}  // namespace
}  // namespace sg8
