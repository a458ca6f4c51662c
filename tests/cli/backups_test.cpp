#include "data/backup_history.h"
#include "data/file_io.h"
#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"

#include <gtest/gtest.h>

#include <sstream>

#ifdef __linux__
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>

extern char** environ;
#endif

namespace sg8::testing {
namespace {

const std::string kHeader = "时间\t武将数\t大小（字节）\t路径\n";

std::vector<std::vector<std::string>> tableRows(const std::string& out)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(out);
    std::string line;
    std::getline(lines, line);  // the header
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        std::string cell;
        while (std::getline(fields, cell, '\t')) cells.push_back(cell);
        if (!line.empty() && line.back() == '\t') cells.emplace_back();
        rows.push_back(cells);
    }
    return rows;
}

GeneralList generalsWithLifespans(std::size_t count)
{
    GeneralList generals(count);
    for (std::size_t i = 0; i < count; ++i) {
        generals[i].id = static_cast<std::int32_t>(100 + i);
        generals[i].lifespan = 1;
    }
    return generals;
}

// Three sets, three versions; backups lists them newest first and restore brings
// back each, keeping the file it replaces.
TEST(Backups, ListsEveryReplacedFileAndRestoreBringsEachBack)
{
    TempFolder folder;
    const std::filesystem::path file = folder / "a.bytes";
    const Outcome empty = sg8gen(folder, {"backups", "a.bytes"});
    EXPECT_EQ(empty.exitCode, 0) << empty.err;
    EXPECT_EQ(empty.out, kHeader);

    writeBytes(file, encodeSaveFile(generalsWithLifespans(2), 0).bytes());
    std::vector<std::string> contents = {fileBytes(file)};
    for (int value = 2; value <= 4; ++value) {
        const Outcome set = sg8gen(folder, {"set", "a.bytes", "--all", "lifespan=" + std::to_string(value)});
        ASSERT_EQ(set.exitCode, 0) << set.err;
        EXPECT_NE(set.out.find("备份历史"), std::string::npos) << set.out;
        contents.push_back(fileBytes(file));
    }

    const Outcome listed = sg8gen(folder, {"backups", "a.bytes"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    ASSERT_EQ(listed.out.rfind(kHeader, 0), 0u) << listed.out;
    const auto rows = tableRows(listed.out);
    ASSERT_EQ(rows.size(), 3u) << listed.out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(rows[i].size(), 4u);
        EXPECT_EQ(rows[i][0].size(), 19u) << rows[i][0];  // 2026-12-11 15:30:12
        EXPECT_EQ(rows[i][1], "2");
        EXPECT_EQ(rows[i][2], std::to_string(contents[2 - i].size()));
        EXPECT_EQ(fileBytes(pathFromUtf8(rows[i][3])), contents[2 - i]);
    }

    // restore without --from takes the newest version; each --from brings back its own.
    const Outcome newest = sg8gen(folder, {"restore", "a.bytes"});
    ASSERT_EQ(newest.exitCode, 0) << newest.err;
    EXPECT_EQ(fileBytes(file), contents[2]);
    for (const auto& row : rows) {
        const std::string before = fileBytes(file);
        const Outcome restored = sg8gen(folder, {"restore", "a.bytes", "--from", row[3]});
        ASSERT_EQ(restored.exitCode, 0) << restored.err;
        EXPECT_EQ(fileBytes(file), fileBytes(pathFromUtf8(row[3])));
        EXPECT_EQ(fileBytes(listBackupVersions(file).front().path), before) << "the replaced file was kept";
    }
}

TEST(Backups, ARestoreThatCantBeDoneExitsOneAndWritesNothing)
{
    TempFolder folder;
    const std::filesystem::path file = folder / "a.bytes";
    writeBytes(file, encodeSaveFile(generalsWithLifespans(1), 0).bytes());
    writeBytes(folder / "picture.png", "\x89PNG\r\n\x1a\n");
    writeBytes(folder / "short.bytes", encodeSaveFile(generalsWithLifespans(1), 0).bytes().substr(0, 40));
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* says;
    } cases[] = {
        {"no history yet", {"restore", "a.bytes"}, "没有备份历史"},
        {"a picture", {"restore", "a.bytes", "--from", "picture.png"}, "picture.png"},
        {"a cut-off save file", {"restore", "a.bytes", "--from", "short.bytes"}, "short.bytes"},
        {"a missing file", {"restore", "a.bytes", "--from", "gone.bytes"}, "gone.bytes"},
    };
    const auto before = snapshot(folder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = sg8gen(folder, c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("未写入任何文件"), std::string::npos) << run.err;
        EXPECT_EQ(snapshot(folder), before);
        EXPECT_TRUE(listBackupVersions(file).empty());
    }
}

#ifdef __linux__
// Whether an inotify queue holds an event of this kind; it is emptied.
bool drainHolds(int watch, std::uint32_t kind)
{
    bool seen = false;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            seen = seen || (event->mask & kind) != 0;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return seen;
}

// The game writes its file while sg8gen works on it. The test watches the file;
// the moment sg8gen has read it, the test stops sg8gen, writes the file as the
// game would and lets sg8gen go on: its save must refuse, leaving the game's file.
// Should sg8gen have opened the file again before it stopped, the try is repeated.
TEST(Backups, AFileChangedBetweenLoadAndWriteIsRefused)
{
    // Large enough that sg8gen takes a while between reading the file and saving.
    GeneralList generals = generalsWithLifespans(20000);
    const std::string loaded = encodeSaveFile(generals, 0).bytes();
    generals[0].lifespan = 2;
    const std::string byTheGame = encodeSaveFile(generals, 0).bytes();
    generals[0].lifespan = 5;
    const std::string older = encodeSaveFile(generals, 0).bytes();
    const std::vector<std::vector<std::string>> commands = {
        {"set", "a.bytes", "--index", "1", "lifespan=3"},
        {"import", "a.bytes", "--from", "in.csv"},
        {"restore", "a.bytes", "--from", "older.bytes"},
    };
    for (const std::vector<std::string>& command : commands) {
        SCOPED_TRACE(command.front());
        bool tried = false;
        for (int attempt = 0; attempt < 5 && !tried; ++attempt) {
            TempFolder folder;
            const std::filesystem::path file = folder / "a.bytes";
            writeBytes(file, loaded);
            writeBytes(folder / "older.bytes", older);
            writeBytes(folder / "in.csv", sg8gen(folder, {"export", "older.bytes", "--format", "csv"}).out);

            const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
            ASSERT_GE(watch, 0);
            ASSERT_GE(inotify_add_watch(watch, file.c_str(), IN_OPEN | IN_CLOSE_NOWRITE), 0);

            std::vector<std::string> argv = {SG8GEN_PATH};
            argv.insert(argv.end(), command.begin(), command.end());
            std::vector<char*> pointers;
            for (std::string& argument : argv) pointers.push_back(argument.data());
            pointers.push_back(nullptr);
            const std::string err = folder.path().string() + ".err";
            const pid_t child = fork();
            if (child == 0) {
                const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
                if (errFd < 0 || ::dup2(errFd, 2) < 0 || ::chdir(folder.path().c_str()) != 0) _exit(127);
                ::execve(pointers[0], pointers.data(), environ);
                _exit(127);
            }
            ASSERT_GT(child, 0);
            // Until sg8gen has read the file once.
            for (bool closed = false; !closed;) {
                pollfd ready{watch, POLLIN, 0};
                ASSERT_EQ(poll(&ready, 1, 30000), 1) << "sg8gen never read the file";
                closed = drainHolds(watch, IN_CLOSE_NOWRITE);
            }
            ::kill(child, SIGSTOP);
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, WUNTRACED), child);
            const bool openedAgain = drainHolds(watch, IN_OPEN);
            if (!openedAgain) {
                std::ofstream(file, std::ios::binary | std::ios::trunc) << byTheGame;
                std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(2));
            }
            ::kill(child, SIGCONT);
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ::close(watch);
            const std::string message = fileBytes(err);
            std::filesystem::remove(err);
            if (openedAgain) continue;

            tried = true;
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
            EXPECT_NE(message.find("文件已被修改"), std::string::npos) << message;
            EXPECT_TRUE(fileBytes(file) == byTheGame) << "the game's file was replaced";
            EXPECT_FALSE(std::filesystem::exists(folder / "a.bytes.bak"));
        }
        EXPECT_TRUE(tried) << "sg8gen never stopped between its load and its save";
    }
}
#endif

}  // namespace
}  // namespace sg8::testing
