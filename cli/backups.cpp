#include "cli/commands.h"
#include "cli/console.h"
#include "data/backup_history.h"
#include "data/file_io.h"

#include <memory>
#include <string>

namespace sg8::cli {
namespace {

int runBackups(const std::string& file)
{
    std::string table = "时间\t武将数\t大小（字节）\t路径\n";
    for (const BackupVersion& version : listBackupVersions(pathFromUtf8(file))) {
        table += version.time + "\t" + (version.generals ? std::to_string(*version.generals) : std::string()) + "\t" +
                 std::to_string(version.size) + "\t" + pathToUtf8(version.path) + "\n";
    }
    if (!writeStdout(table)) {
        reportError("backups", "写入标准输出失败。");
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

void addBackupsCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "backups", "列出存档的备份历史（每次保存前原文件都会存入其中，最多保留最近 50 份）：表头一行，之后每份一行，"
                   "最新的在前，各列以制表符分隔：时间、武将数（无法载入时留空）、大小（字节）、路径");
    auto file = std::make_shared<std::string>();
    command->add_option("FILE", *file, "存档文件（.bytes）")->required();
    command->callback([file, &exitCode] { exitCode = runBackups(*file); });
}

}  // namespace sg8::cli
