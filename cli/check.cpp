#include "cli/commands.h"
#include "cli/console.h"
#include "data/file_io.h"
#include "data/load.h"

#include <memory>
#include <string>

namespace sg8::cli {
namespace {

int runCheck(const std::string& file)
{
    Result<LoadedFile> loaded = loadSaveFile(pathFromUtf8(file));
    if (!loaded) {
        reportError("check", loaded.error().message + "。");
        return kExitFailed;
    }
    const LoadedFile& result = loaded.value();
    const RoundTripVerdict& verdict = result.verdict;

    std::string report = "武将数：" + std::to_string(result.generals.size()) + "\n";
    for (const std::string& warning : result.warnings) report += "警告：" + warning + "\n";
    if (verdict.byteExact) {
        report += "往返校验：不加修改地保存，将逐字节重现原文件。\n";
    } else {
        report += "往返校验：不加修改地保存，不能逐字节重现原文件：第一处差异在字节偏移 " +
                  std::to_string(verdict.firstDifference) + "（" + verdict.reason + "）。\n";
    }
    if (!writeStdout(report)) {
        reportError("check", "写入标准输出失败。");
        return kExitFailed;
    }
    if (result.warnings.empty() && verdict.byteExact) return kExitOk;

    std::string reasons = verdict.byteExact ? "" : verdict.reason;
    if (!result.warnings.empty()) {
        reasons += (reasons.empty() ? "" : "；") + std::to_string(result.warnings.size()) + " 条警告";
    }
    reportError("check", file + " 未通过检查：" + reasons + "。");
    return kExitFailed;
}

}  // namespace

void addCheckCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "check", "检查存档：武将数、每条警告和往返校验的结论；文件无警告且保存能逐字节重现时退出码为 0，否则为 1");
    auto file = std::make_shared<std::string>();
    command->add_option("FILE", *file, "存档文件（.bytes）")->required();
    command->callback([file, &exitCode] { exitCode = runCheck(*file); });
}

}  // namespace sg8::cli
