#include "cli/commands.h"
#include "cli/console.h"
#include "data/backup_history.h"
#include "data/file_io.h"

#include <memory>
#include <string>

namespace sg8::cli {
namespace {

struct RestoreOptions {
    std::string file;
    std::string from;
};

int runRestore(const RestoreOptions& options)
{
    const std::string untouched = "未写入任何文件，" + options.file + " 未改动。";
    const std::filesystem::path target = pathFromUtf8(options.file);

    // What the file is now: the restore refuses to replace anything else.
    const Result<FileIdentity> current = readFileIdentity(target);
    if (!current) {
        reportError("restore", "无法读取 " + options.file + "：" + current.error().message + "。" + untouched);
        return kExitFailed;
    }
    std::filesystem::path version = pathFromUtf8(options.from);
    if (options.from.empty()) {
        const std::vector<BackupVersion> versions = listBackupVersions(target);
        if (versions.empty()) {
            reportError("restore", options.file + " 没有备份历史（见 sg8gen backups）。" + untouched);
            return kExitFailed;
        }
        version = versions.front().path;
    }

    const Result<SaveOutcome> restored = restoreBackupVersion(target, version, current.value());
    if (!restored) {
        reportError("restore", "无法恢复 " + options.file + "：" + restored.error().message);
        return kExitFailed;
    }
    std::string summary = "已用 " + pathToUtf8(version) + " 恢复 " + options.file + "。\n";
    if (!restored->keptVersion.empty()) {
        summary += "被替换的文件已存入备份历史：" + pathToUtf8(restored->keptVersion) + "（可再用 restore 换回）。\n";
    }
    writeStdout(summary);
    return kExitOk;
}

}  // namespace

void addRestoreCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "restore", "用备份历史中最新的一份（或 --from 指定的文件）替换存档；被替换的文件先存入备份历史，"
                   "所以恢复也可以再恢复回去");
    auto options = std::make_shared<RestoreOptions>();
    command->add_option("FILE", options->file, "存档文件（.bytes）")->required();
    command->add_option("--from", options->from, "要恢复的那一份（sg8gen backups 列出的路径，或任何存档文件）");
    command->callback([options, &exitCode] { exitCode = runRestore(*options); });
}

}  // namespace sg8::cli
