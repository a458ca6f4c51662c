#include "data/file_io.h"
#include "tests/core/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
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
    EXPECT_NE(failed.error().message.find("只读"), std::string::npos) << failed.error().message;
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
        const fs::path file = folder / "a.bytes";
        ASSERT_TRUE(replaceFile(file, bytes("old")));
        Status failed;
        {
            FailStep fail(step, ENOSPC);
            failed = replaceFile(file, bytes("new bytes"));
        }
        ASSERT_FALSE(failed);
        EXPECT_EQ(failed.error().step, step);
#ifndef _WIN32  // Windows words its reasons itself (tests/windows)
        EXPECT_NE(failed.error().message.find(std::strerror(ENOSPC)), std::string::npos) << failed.error().message;
#endif
        EXPECT_EQ(contentsOf(file), "old");
        EXPECT_EQ(folder.names(), std::vector<std::string>{"a.bytes"});
    }
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
        if (failed.error().message.find(std::strerror(EACCES)) == std::string::npos) ::_exit(14);
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

TEST(ReadFile, SaysWhyAFileCantBeRead)
{
    TempFolder folder;
    const Result<ByteString> missing = readFile(folder / "missing.bytes");
    ASSERT_FALSE(missing);
#ifndef _WIN32
    EXPECT_NE(missing.error().message.find(std::strerror(ENOENT)), std::string::npos);
#endif
    EXPECT_FALSE(readFile(folder.path()));
    FailStep fail(IoStep::Read, EIO);
    ASSERT_TRUE(replaceFile(folder / "a", bytes("x")));
    EXPECT_FALSE(readFile(folder / "a"));
}

}  // namespace
}  // namespace sg8
