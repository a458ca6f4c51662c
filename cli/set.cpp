#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exchange.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/save.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace sg8::cli {
namespace {

struct SetOptions {
    std::string file;
    std::int32_t id = 0;
    int index = 0;
    CLI::Option* idOption = nullptr;
    CLI::Option* indexOption = nullptr;
    std::vector<std::string> assignments;
    bool backup = false;
};

struct Assignment {
    const FieldInfo* field;
    std::string value;
};

/// The FIELD=VALUE arguments, or the exit code after reporting what is wrong.
std::variant<std::vector<Assignment>, int> parseAssignments(const SetOptions& options, const std::string& untouched)
{
    std::vector<Assignment> assignments;
    for (const std::string& argument : options.assignments) {
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos) {
            reportError("set", "\"" + argument + "\" 应写成 字段=值。" + untouched);
            return kExitUsage;
        }
        const std::string name = argument.substr(0, equals);
        const FieldInfo* field = findField(name);
        if (!field) {
            reportError("set", "没有名为 " + name + " 的字段（字段名见 sg8gen export 的输出）。" + untouched);
            return kExitUsage;
        }
        if (field->index == 0 || field->opaque) {
            reportError("set", "字段 " + name + " 不能修改：编辑器从不改动它。" + untouched);
            return kExitFailed;
        }
        std::string value = argument.substr(equals + 1);
        if (!isValidUtf8(value)) {
            reportError("set", "字段 " + name + " 的值不是 UTF-8 文本。" + untouched);
            return kExitUsage;
        }
        assignments.push_back({field, std::move(value)});
    }
    return assignments;
}

/// The 0-based place of the general that --id or --index names, or nothing after reporting why not.
std::optional<std::size_t> findGeneral(const SetOptions& options, const GeneralList& generals,
                                       const std::string& untouched)
{
    if (options.indexOption->count() > 0) {
        if (static_cast<std::size_t>(options.index) > generals.size()) {
            reportError("set", options.file + " 只有 " + std::to_string(generals.size()) + " 名武将，没有第 " +
                                   std::to_string(options.index) + " 名。" + untouched);
            return std::nullopt;
        }
        return static_cast<std::size_t>(options.index - 1);
    }
    std::vector<std::size_t> matches;
    for (std::size_t i = 0; i < generals.size(); ++i) {
        if (generals[i].id == options.id) matches.push_back(i);
    }
    if (matches.size() == 1) return matches.front();
    if (matches.empty()) {
        reportError("set", options.file + " 中没有 ID 为 " + std::to_string(options.id) + " 的武将。" + untouched);
    } else {
        std::string places;
        for (const std::size_t i : matches) places += (places.empty() ? "" : "、") + std::to_string(i + 1);
        reportError("set", options.file + " 中有 " + std::to_string(matches.size()) + " 名武将的 ID 都是 " +
                               std::to_string(options.id) + "（第 " + places + " 名），请改用 --index。" + untouched);
    }
    return std::nullopt;
}

int runSet(const SetOptions& options)
{
    const std::string untouched = "未写入任何文件，" + options.file + " 未改动。";
    std::variant<std::vector<Assignment>, int> parsed = parseAssignments(options, untouched);
    if (const int* exitCode = std::get_if<int>(&parsed)) return *exitCode;
    const std::vector<Assignment>& assignments = std::get<0>(parsed);

    std::optional<LoadedFile> loaded = loadForCommand("set", options.file, untouched);
    if (!loaded) return kExitFailed;
    std::optional<std::size_t> place = findGeneral(options, loaded->generals, untouched);
    if (!place) return kExitFailed;

    // Ints go through textToInt as the editor's boxes do; texts are kept as given.
    CustomGeneral& general = loaded->generals[*place];
    std::string changes;
    for (const Assignment& assignment : assignments) {
        const FieldInfo& field = *assignment.field;
        const ByteString value(assignment.value);
        if (field.kind == FieldKind::Int) {
            general.intField(field.index) = textToInt(utf8ToText(value));
            changes += "\n  " + std::string(field.name) + " = " + std::to_string(general.intField(field.index));
        } else {
            general.textField(field.index) = GeneralText::fromUtf8(value);
            changes += "\n  " + std::string(field.name) + " = " + assignment.value;
        }
    }

    const std::filesystem::path path = pathFromUtf8(options.file);
    Result<SaveOutcome> saved = saveGeneralsTo(path, loaded->generals, loaded->trailerValue,
                                               options.backup ? Backup::Yes : Backup::No);
    if (!saved) {
        reportError("set", "无法保存 " + options.file + "：" + saved.error().message);
        return kExitFailed;
    }
    std::string summary = "已修改 " + options.file + " 的第 " + std::to_string(*place + 1) + " 名武将（ID " +
                          std::to_string(general.id) + "）：" + changes + "\n";
    if (saved->backupMade) summary += "原文件已备份为 " + pathToUtf8(backupPathFor(path)) + "。\n";
    writeStdout(summary);
    return kExitOk;
}

}  // namespace

void addSetCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "set", "修改一名武将的字段并保存：整数字段按编辑器的规则读取数字（全角数字可用，\"12abc\" 为 12，没有数字为 0），"
               "文本字段按原样保存；id 与不公开的字段（opaque…）不能修改");
    auto options = std::make_shared<SetOptions>();
    command->add_option("FILE", options->file, "存档文件（.bytes）")->required();
    CLI::Option_group* target = command->add_option_group("武将", "要修改的武将（二选一）");
    options->idOption = target->add_option("--id", options->id, "ID 为此值的那一名武将");
    options->indexOption =
        target->add_option("--index", options->index, "文件中的第 N 名武将（从 1 开始）")->check(CLI::PositiveNumber);
    target->require_option(1);
    command->add_option("FIELD=VALUE", options->assignments, "要修改的字段与新值，可写多个")->required();
    command->add_flag("--backup", options->backup, "先把原文件备份为 FILE.bak");
    command->callback([options, &exitCode] { exitCode = runSet(*options); });
}

}  // namespace sg8::cli
