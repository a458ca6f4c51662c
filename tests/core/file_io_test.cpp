#include "data/file_io.h"
#include "tests/core/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace sg8 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

ByteString bytes(std::string_view s)
{
    return ByteString(std::string(s));
}

std::string contentsOf(const fs::path& path)
{
    return readWholeFile(path).bytes();
}

/// Fails every operation of one step with `code` while it lives.
class FailStep {
public:
    FailStep(IoStep step, int code)
    {
        setFaultInjector([step, code](IoStep asked) { return asked == step ? code : 0; });
    }
    ~FailStep() { setFaultInjector({}); }
};

TEST(WholeFile, ReadsWritesAndMovesAsTheValueOperationsSay)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    EXPECT_TRUE(writeWholeFile(file, {bytes("ab"), ByteString(), bytes("c")}));
    EXPECT_EQ(contentsOf(file), "abc");
    EXPECT_TRUE(writeWholeFile(file, {ByteString()}));
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_FALSE(writeWholeFile(fs::path(), {bytes("x")}));

    EXPECT_TRUE(readWholeFile(folder / "missing").empty());
    EXPECT_TRUE(readWholeFile(folder.path()).empty());  // a folder reads as nothing
    EXPECT_TRUE(readWholeFile(fs::path()).empty());

    const fs::path target = folder / "b.bytes";
    ASSERT_TRUE(writeWholeFile(file, {bytes("new")}));
    ASSERT_TRUE(writeWholeFile(target, {bytes("old")}));
    EXPECT_TRUE(moveFile(file, target));
    EXPECT_EQ(contentsOf(target), "new");
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(moveFile(folder / "missing", target));
}

TEST(ReplaceFile, WritesANewFileAndReplacesAnOldOne)
{
    TempFolder folder;
    const fs::path file = folder / "存档.bytes";
    EXPECT_TRUE(replaceFile(file, bytes("first")));
    EXPECT_EQ(contentsOf(file), "first");
    EXPECT_TRUE(replaceFile(file, bytes("second")));
    EXPECT_EQ(contentsOf(file), "second");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"存档.bytes"});
}

#ifndef _WIN32  // permission bits, symbolic links and folder syncs are POSIX's
TEST(ReplaceFile, KeepsThePermissionBits)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, bytes("old")));
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(replaceFile(file, bytes("new")));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}
#endif

#ifndef _WIN32  // permission bits, symbolic links and folder syncs are POSIX's
TEST(ReplaceFile, RefusesAReadOnlyFileAndLeavesIt)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, bytes("old")));
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const Status failed = replaceFile(file, bytes("new"));
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().message, "无法写入“a.bytes”：文件是只读的，可在文件属性中取消“只读”（替换原文件时出错）");
    EXPECT_EQ(contentsOf(file), "old");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.bytes"});
}

TEST(ReplaceFile, KeepsASymbolicLinkAndReplacesTheFileItNames)
{
    TempFolder folder;
    fs::create_directory(folder / "real");
    const fs::path real = folder / "real" / "a.bytes";
    const fs::path link = folder / "link.bytes";
    ASSERT_TRUE(replaceFile(real, bytes("old")));
    fs::create_symlink("real/a.bytes", link);

    ASSERT_TRUE(replaceFile(link, bytes("new")));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contentsOf(real), "new");
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"link.bytes", "real"}));
}
#endif

TEST(ReplaceFile, AFailureAtAnyStepBeforeTheRenameLeavesTheTargetAndNoTemporaryFile)
{
    const IoStep steps[] = {IoStep::CreateTemporary, IoStep::Write, IoStep::Flush, IoStep::Close, IoStep::Rename};
    for (IoStep step : steps) {
        SCOPED_TRACE(stepName(step));
        TempFolder folder;
        const fs::path file = folder / "存档.bytes";
        ASSERT_TRUE(replaceFile(file, bytes("old")));
        Status failed;
        {
            FailStep fail(step, ENOSPC);
            failed = replaceFile(file, bytes("new bytes"));
        }
        ASSERT_FALSE(failed);
        EXPECT_EQ(failed.error().step, step);
        // The save file by its name and the step, never the temporary file's name.
        EXPECT_NE(failed.error().message.find("无法写入“存档.bytes”"), std::string::npos) << failed.error().message;
        EXPECT_NE(failed.error().message.find(stepName(step)), std::string::npos) << failed.error().message;
        EXPECT_EQ(failed.error().message.find(".tmp"), std::string::npos) << failed.error().message;
        EXPECT_EQ(contentsOf(file), "old");
        EXPECT_EQ(folder.names(), std::vector<std::string>{"存档.bytes"});
    }
}

#ifndef _WIN32  // errno values; tests/windows has the Windows error codes
TEST(ReplaceFile, SaysTheSystemsReasonInChineseForTheCommonCasesAndInItsOwnWordsOtherwise)
{
    const struct {
        int code;
        std::string says;
    } cases[] = {
        {ENOENT, "找不到该文件或它所在的文件夹"},
        {EACCES, "没有访问权限"},
        {EPERM, "没有访问权限"},
        {ENOSPC, "磁盘空间不足"},
        {EDQUOT, "磁盘空间不足"},
        {EBUSY, "文件正被占用——游戏是否正在运行？"},
        {EROFS, "所在的磁盘或分区是只读的"},
        {ENAMETOOLONG, "路径太长"},
        {EIO, std::string("系统报告：") + std::strerror(EIO)},
    };
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        FailStep fail(IoStep::CreateTemporary, c.code);
        const Status failed = replaceFile(file, bytes("new"));
        ASSERT_FALSE(failed);
        EXPECT_EQ(failed.error().message, "无法写入“a.bytes”：" + c.says + "（创建临时文件时出错）");
    }
    EXPECT_EQ(folder.names(), std::vector<std::string>{});
}
#endif

TEST(ReplaceFile, RemovesOnlyThisFilesTemporariesLeftMoreThanAnHourAgo)
{
    TempFolder folder;
    const fs::path file = folder / "存档.bytes";
    const auto hoursAgo = [](int hours) { return fs::file_time_type::clock::now() - std::chrono::hours(hours); };
    const struct {
        const char* name;
        fs::file_time_type written;
        bool removed;
    } files[] = {
        {".存档.bytes.0123456789abcdef.tmp", hoursAgo(2), true},      // a killed save's
        {".存档.bytes.fedcba9876543210.tmp", hoursAgo(0), false},     // perhaps a save running now
        {".其他.bytes.0123456789abcdef.tmp", hoursAgo(2), false},     // another file's
        {".存档.bytes.0123456789abcdeg.tmp", hoursAgo(2), false},     // not a name the saver makes
        {".存档.bytes.0123.tmp", hoursAgo(2), false},
        {"存档.bytes.0123456789abcdef.tmp", hoursAgo(2), false},
        {".存档.bytes.0123456789abcdef.tmp.bak", hoursAgo(2), false},
    };
    for (const auto& f : files) {
        ASSERT_TRUE(writeWholeFile(folder / f.name, {bytes("left over")}));
        fs::last_write_time(folder / f.name, f.written);
    }
    ASSERT_TRUE(replaceFile(file, bytes("new")));

    std::vector<std::string> expected{"存档.bytes"};
    for (const auto& f : files) {
        if (!f.removed) expected.push_back(f.name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.names(), expected);
    EXPECT_EQ(contentsOf(file), "new");
}

#ifndef _WIN32  // permission bits, symbolic links and folder syncs are POSIX's
TEST(ReplaceFile, AFailedFolderSyncIsToldButTheNewFileIsInPlace)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, bytes("old")));
    FailStep fail(IoStep::SyncFolder, EIO);
    const Status failed = replaceFile(file, bytes("new"));
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().step, IoStep::SyncFolder);
    EXPECT_EQ(failed.error().message.rfind("“a.bytes”已写入，但系统未能确认它已完全写入磁盘：", 0), 0u)
        << failed.error().message;
    EXPECT_EQ(contentsOf(file), "new");
}
#endif

TEST(ReplaceFile, RefusesAFolderAsTheTarget)
{
    TempFolder folder;
    fs::create_directory(folder / "dir.bytes");
    EXPECT_FALSE(replaceFile(folder / "dir.bytes", bytes("x")));
    EXPECT_TRUE(fs::is_directory(folder / "dir.bytes"));
}

#ifndef _WIN32
// Root ignores permission bits, so the check runs in a child that drops to an
// unprivileged user; it first makes sure that a plain write there really fails.
// The child works in the folder by relative names, so that the folders above it
// need no permission for that user (and keep their modes).
TEST(ReplaceFile, AFolderThatIsNotWritableLeavesTheTargetAndSaysWhy)
{
    TempFolder folder;
    const fs::path file = folder / "a.bytes";
    ASSERT_TRUE(replaceFile(file, bytes("old")));
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::chdir(folder.path().c_str()) != 0) ::_exit(9);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(10);
        if (writeWholeFile("probe", {bytes("x")})) ::_exit(11);  // the folder is writable after all
        const Status failed = replaceFile("a.bytes", bytes("new"));
        if (failed) ::_exit(12);
        if (failed.error().step != IoStep::CreateTemporary) ::_exit(13);
        if (failed.error().message.find("没有访问权限") == std::string::npos) ::_exit(14);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(contentsOf(file), "old");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.bytes"});
}
#endif

TEST(FileHolds, ComparesAFileWithBytesPieceByPiece)
{
    TempFolder folder;
    std::string big(200000, 'x');  // several pieces of reading
    big.back() = 'y';
    ASSERT_TRUE(writeWholeFile(folder / "big", {ByteString(big)}));
    ASSERT_TRUE(writeWholeFile(folder / "empty", {ByteString()}));
    std::string differsInTheLastByte = big;
    differsInTheLastByte.back() = 'x';
    const struct {
        const char* file;
        std::string bytes;
        bool holds;
    } cases[] = {
        {"big", big, true},
        {"big", big.substr(0, big.size() - 1), false},  // the file is longer
        {"big", big + "z", false},                      // the file is shorter
        {"big", differsInTheLastByte, false},
        {"empty", "", true},
        {"empty", "x", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.bytes.size()));
        const Result<bool> holds = fileHolds(folder / c.file, c.bytes);
        ASSERT_TRUE(holds) << holds.error().message;
        EXPECT_EQ(holds.value(), c.holds);
    }
    EXPECT_FALSE(fileHolds(folder / "missing", ""));
}

TEST(ReadFile, SaysWhyAFileCantBeRead)
{
    TempFolder folder;
    const Result<ByteString> missing = readFile(folder / "missing.bytes");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().message, "无法读取“missing.bytes”：找不到该文件或它所在的文件夹（打开文件时出错）");
    fs::create_directory(folder / "文件夹.bytes");
    const Result<ByteString> isFolder = readFile(folder / "文件夹.bytes");
    ASSERT_FALSE(isFolder);
    EXPECT_NE(isFolder.error().message.find("无法读取“文件夹.bytes”：这是文件夹，不是文件"), std::string::npos)
        << isFolder.error().message;
    FailStep fail(IoStep::Read, EIO);
    ASSERT_TRUE(replaceFile(folder / "a", bytes("x")));
    EXPECT_FALSE(readFile(folder / "a"));
}

}  // namespace
}  // namespace sg8
