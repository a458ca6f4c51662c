#include "cli/commands.h"
#include "cli/console.h"
#include "cli/csv_exchange.h"
#include "cli/json_exchange.h"
#include "data/file_io.h"
#include "data/save.h"

#include <filesystem>
#include <memory>
#include <string>

namespace sg8::cli {
namespace {

struct ImportOptions {
    std::string file;
    std::string from;
    bool backup = false;
};

int runImport(const ImportOptions& options)
{
    const std::string untouched = "未写入任何文件，" + options.file + " 未改动。";
    Result<ByteString> input = readFile(pathFromUtf8(options.from));
    if (!input) {
        reportError("import", "无法读取 " + options.from + "：" + input.error().message + "。" + untouched);
        return kExitFailed;
    }
    Result<ExchangeFile> imported =
        hasCsvExtension(options.from) ? readCsv(input->view()) : readJson(input->view());
    if (!imported) {
        reportError("import", options.from + "：" + imported.error().message + "。" + untouched);
        return kExitFailed;
    }

    // An existing target must be a save file: a mistyped name must not overwrite
    // some other file. A CSV file carries no trailing value, so the target's is kept.
    const std::filesystem::path target = pathFromUtf8(options.file);
    std::int32_t trailerValue = imported->trailerValue.value_or(0);
    // The save then refuses a file that changed (or appeared) since it was looked at here.
    std::optional<FileIdentity> expected = FileIdentity{};
    std::error_code ec;
    if (std::filesystem::exists(target, ec)) {
        std::optional<LoadedFile> existing = loadForCommand("import", options.file, untouched);
        if (!existing) return kExitFailed;
        if (!imported->trailerValue) trailerValue = existing->trailerValue;
        expected = existing->identity;
    }

    Result<SaveOutcome> saved = saveGeneralsTo(target, imported->generals, trailerValue,
                                               options.backup ? Backup::Yes : Backup::No, expected);
    if (!saved) {
        reportError("import", saved.error().message);
        return kExitFailed;
    }
    std::string summary = "已将 " + std::to_string(imported->generals.size()) + " 名武将写入 " + options.file;
    if (saved->backupMade) summary += "，原文件已备份为 " + pathToUtf8(backupPathFor(target));
    if (!saved->keptVersion.empty()) summary += "，原文件已存入备份历史：" + pathToUtf8(saved->keptVersion);
    writeStdout(summary + "。\n");
    return kExitOk;
}

}  // namespace

void addImportCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "import", "用 JSON 或 CSV 文件中的武将替换存档中的全部武将（存档不存在时新建）");
    auto options = std::make_shared<ImportOptions>();
    command->add_option("FILE", options->file, "存档文件（.bytes）")->required();
    command->add_option("--from", options->from, "JSON 文件（export 的格式），或以 .csv 结尾的 CSV 文件")->required();
    command->add_flag("--backup", options->backup, "先把原文件备份为 FILE.bak");
    command->callback([options, &exitCode] { exitCode = runImport(*options); });
}

}  // namespace sg8::cli
