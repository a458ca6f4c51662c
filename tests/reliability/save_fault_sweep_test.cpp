// The save fault sweep: every I/O operation of a save is made to fail in turn,
// once and from then on, until the save completes. After each failure the file
// that was there is byte for byte as before (or, once the new file has been
// renamed into place, the new file is complete), the backup holds the old bytes or
// what it held before, the backup history lists the old file complete or not at
// all, no temporary file is left, and the error names the step.
#include "data/backup_history.h"
#include "data/file_io.h"
#include "data/save.h"
#include "data/save_format.h"
#include "sample_generals.h"
#include "scratch_folder.h"
#include "tests/core/history_sandbox.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sg8 {
namespace {

using testing::ScratchFolder;
using testing::sampleGenerals;

// The injector is global: it is removed whatever way a test ends.
struct InjectorGuard {
    ~InjectorGuard() { setFaultInjector({}); }
};

ByteString contentsOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return ByteString(std::string(std::istreambuf_iterator<char>(in), {}));
}

void writeBytes(const std::filesystem::path& path, const ByteString& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes.bytes();
}

struct Scenario {
    const char* name;
    bool originalExists;
    bool staleBackupExists;
    Backup backup;
};

constexpr Scenario kScenarios[] = {
    {"backup asked, file and an older backup there", true, true, Backup::Yes},
    {"backup asked, file there, no older backup", true, false, Backup::Yes},
    {"no backup, file there", true, false, Backup::No},
    {"no backup, older backup there stays untouched", true, true, Backup::No},
    {"backup asked, no file yet", false, false, Backup::Yes},
    {"no backup, no file yet", false, false, Backup::No},
};

// More than one read buffer, so that reading the old file and the read-back take several reads.
const GeneralList kOldGenerals = sampleGenerals(300, 1);
const GeneralList kNewGenerals = sampleGenerals(320, 2);
const ByteString kOldBytes = encodeSaveFile(kOldGenerals, 11);
const ByteString kNewBytes = encodeSaveFile(kNewGenerals, 22);
const ByteString kStaleBackup = encodeSaveFile(sampleGenerals(3, 3), 33);

class SaveFaultSweep : public ::testing::Test {
protected:
    static void TearDownTestSuite()
    {
        std::printf("save fault sweep: %d faults injected, %d saves failed as they should, %d originals lost, "
                    "%d partial versions in the history\n",
                    faultsInjected, failedSaves, originalsLost, partialVersions);
    }

    // A folder holding the scenario's files before the save.
    static void prepare(const ScratchFolder& folder, const Scenario& scenario)
    {
        if (scenario.originalExists) writeBytes(folder / "general.bytes", kOldBytes);
        if (scenario.staleBackupExists) writeBytes(folder / "general.bytes.bak", kStaleBackup);
    }

    // The operations of a save that nothing disturbs, in order.
    static std::vector<IoStep> stepsOfCleanSave(const Scenario& scenario)
    {
        ScratchFolder folder;
        ScratchFolder history;
        testing::BackupRootOverride useHistory{history.path()};
        prepare(folder, scenario);
        std::vector<IoStep> steps;
        InjectorGuard guard;
        setFaultInjector([&](IoStep step) {
            steps.push_back(step);
            return 0;
        });
        const Result<SaveOutcome> saved = saveGeneralsTo(folder / "general.bytes", kNewGenerals, 22, scenario.backup);
        EXPECT_TRUE(saved.ok()) << (saved.ok() ? "" : saved.error().message);
        EXPECT_EQ(contentsOf(folder / "general.bytes"), kNewBytes);
        return steps;
    }

    void sweep(const Scenario& scenario, bool persistent, int code)
    {
        const std::vector<IoStep> steps = stepsOfCleanSave(scenario);
        ASSERT_FALSE(steps.empty());
        // The save path changes hands at its own rename, the last one; the backup
        // at the rename before it, when there is a backup to make; the history's
        // version at the first, when there is a file to keep.
        std::vector<std::size_t> renames;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (steps[i] == IoStep::Rename) renames.push_back(i);
        }
        const bool backupMade = scenario.backup == Backup::Yes && scenario.originalExists;
        ASSERT_EQ(renames.size(), 1u + (backupMade ? 1 : 0) + (scenario.originalExists ? 1 : 0));
        const std::size_t targetRename = renames.back();
        constexpr std::size_t kNone = SIZE_MAX;
        const std::size_t backupRename = backupMade ? renames[renames.size() - 2] : kNone;
        const std::size_t historyRename = scenario.originalExists ? renames.front() : kNone;

        for (std::size_t k = 0; k < steps.size(); ++k) {
            SCOPED_TRACE("failing operation " + std::to_string(k + 1) + " of " + std::to_string(steps.size()) +
                         ": " + stepName(steps[k]));
            ScratchFolder folder;
            ScratchFolder history;
            testing::BackupRootOverride useHistory{history.path()};
            prepare(folder, scenario);
            std::size_t calls = 0;
            InjectorGuard guard;
            setFaultInjector([&](IoStep) {
                const std::size_t call = calls++;
                return (persistent ? call >= k : call == k) ? code : 0;
            });
            const Result<SaveOutcome> saved = saveGeneralsTo(folder / "general.bytes", kNewGenerals, 22, scenario.backup);
            setFaultInjector({});
            ++faultsInjected;

            ASSERT_FALSE(saved.ok()) << "every operation of a save matters";
            ++failedSaves;
            EXPECT_NE(saved.error().step, Step::None);
            EXPECT_NE(saved.error().message.find(stepName(steps[k])), std::string::npos)
                << "the error names the step: " << saved.error().message;

            // The save path: the old bytes (or still nothing) until its rename, the new bytes after.
            const bool replaced = k > targetRename;
            std::set<std::string> expected;
            if (scenario.originalExists || replaced) expected.insert("general.bytes");
            if (scenario.staleBackupExists || (backupMade && k > backupRename)) expected.insert("general.bytes.bak");
            const std::vector<std::string> names = folder.names();
            EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected) << "no temporary file is left";

            if (replaced) {
                EXPECT_EQ(contentsOf(folder / "general.bytes"), kNewBytes);
            } else if (scenario.originalExists) {
                const bool intact = contentsOf(folder / "general.bytes") == kOldBytes;
                EXPECT_TRUE(intact) << "the original is byte for byte as it was";
                if (!intact) ++originalsLost;
            }
            if (backupMade && k > backupRename) {
                EXPECT_EQ(contentsOf(folder / "general.bytes.bak"), kOldBytes);
            } else if (scenario.staleBackupExists) {
                EXPECT_EQ(contentsOf(folder / "general.bytes.bak"), kStaleBackup);
            }

            // The history: the old file, whole, once its rename is done; before it nothing.
            const std::vector<BackupVersion> versions = listBackupVersions(folder / "general.bytes");
            const bool versionKept = historyRename != kNone && k > historyRename;
            ASSERT_EQ(versions.size(), versionKept ? 1u : 0u) << "no partial version is listed";
            if (versionKept) {
                EXPECT_EQ(contentsOf(versions.front().path), kOldBytes);
                if (contentsOf(versions.front().path) != kOldBytes) ++partialVersions;
            }
            const std::filesystem::path historyFolder = historyFolderFor(folder / "general.bytes");
            std::size_t historyFiles = 0;
            std::error_code ec;
            for (std::filesystem::directory_iterator it(historyFolder, ec), end; !ec && it != end; it.increment(ec)) {
                ++historyFiles;
            }
            EXPECT_EQ(historyFiles, versions.size()) << "no temporary file is left in the history";

            // Nothing the failure left stands in the way of the next save.
            const Result<SaveOutcome> again = saveGeneralsTo(folder / "general.bytes", kNewGenerals, 22, scenario.backup);
            ASSERT_TRUE(again.ok()) << again.error().message;
            EXPECT_EQ(contentsOf(folder / "general.bytes"), kNewBytes);
        }
    }

    static inline int faultsInjected = 0;
    static inline int failedSaves = 0;
    static inline int originalsLost = 0;
    static inline int partialVersions = 0;
};

TEST_F(SaveFaultSweep, EachOperationFailingOnce)
{
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        sweep(scenario, false, EIO);
    }
}

TEST_F(SaveFaultSweep, EachOperationFailingFromThenOn)
{
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        sweep(scenario, true, ENOSPC);
    }
}

// The sweep is only as good as the seam: a save with a backup must pass through
// every kind of operation the file layer has.
TEST_F(SaveFaultSweep, SeamSeesEveryKindOfOperation)
{
    const std::vector<IoStep> steps = stepsOfCleanSave(kScenarios[0]);
    const std::set<IoStep> seen(steps.begin(), steps.end());
    std::vector<IoStep> kinds = {IoStep::OpenForReading, IoStep::Read,  IoStep::CreateTemporary, IoStep::Write,
                                 IoStep::Flush,          IoStep::Close, IoStep::Rename};
#ifndef _WIN32
    kinds.push_back(IoStep::SyncFolder);  // Windows has no folder to sync: the rename is written through
#endif
    for (IoStep step : kinds) EXPECT_TRUE(seen.count(step)) << stepName(step);
}

}  // namespace
}  // namespace sg8
