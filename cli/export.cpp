#include "cli/commands.h"
#include "cli/console.h"
#include "cli/csv_exchange.h"
#include "cli/json_exchange.h"
#include "data/file_io.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace sg8::cli {
namespace {

struct ExportOptions {
    std::string file;
    std::string out;
    std::string format;  ///< "json", "csv", or empty: by the extension of `out`, JSON otherwise
};

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(pathFromUtf8(a), pathFromUtf8(b), ec) && !ec;
}

int runExport(const ExportOptions& options)
{
    if (!options.out.empty() && sameFile(options.file, options.out)) {
        reportError("export", "输出文件就是存档文件本身：未写入任何文件。");
        return kExitUsage;
    }
    std::optional<LoadedFile> loaded = loadForCommand("export", options.file);
    if (!loaded) return kExitFailed;

    const bool csv = options.format.empty() ? hasCsvExtension(options.out) : options.format == "csv";
    const ExchangeText text = csv ? writeCsv(loaded->generals) : writeJson(loaded->generals, loaded->trailerValue);
    reportWarnings("export", text.warnings);

    if (options.out.empty()) {
        if (!writeStdout(text.bytes)) {
            reportError("export", "写入标准输出失败。");
            return kExitFailed;
        }
        return kExitOk;
    }
    if (Status written = replaceFile(pathFromUtf8(options.out), ByteString(text.bytes)); !written) {
        reportError("export", written.error().message + "。" + options.out + " 未改动。");
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

void addExportCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "export", "导出存档中的全部武将：JSON（默认）或带 BOM 的 UTF-8 CSV，写到标准输出或 -o 指定的文件");
    auto options = std::make_shared<ExportOptions>();
    command->add_option("FILE", options->file, "存档文件（.bytes）")->required();
    command->add_option("-o,--output", options->out, "输出文件（默认写到标准输出）");
    command->add_option("--format", options->format, "json 或 csv（默认 json；输出文件以 .csv 结尾时为 csv）")
        ->check(CLI::IsMember({"json", "csv"}));
    command->callback([options, &exitCode] { exitCode = runExport(*options); });
}

}  // namespace sg8::cli
