#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exchange.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/numbers.h"
#include "data/save.h"

#include <algorithm>
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
    bool all = false;
    std::string ids;
    std::string indexes;
    CLI::Option* idOption = nullptr;
    CLI::Option* indexOption = nullptr;
    std::vector<std::string> assignments;
    bool backup = false;
};

struct Assignment {
    const FieldInfo* field;
    std::string value;          ///< as given, UTF-8
    std::int32_t number = 0;    ///< the value of an int field
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
        Assignment assignment{field, std::move(value)};
        if (field->kind == FieldKind::Int) {
            const Result<std::int32_t> number = parseWholeInt(assignment.value);
            if (!number) {
                reportError("set", "字段 " + name + " 的值 " + number.error().message + "。" + untouched);
                return kExitFailed;
            }
            assignment.number = number.value();
        }
        assignments.push_back(std::move(assignment));
    }
    return assignments;
}

/// One item of a --id or --index list: a number or an inclusive range "A-B".
struct Span {
    std::int64_t first = 0;
    std::int64_t last = 0;
    std::string text;
};

/// "9001,9003", "1-10,12", "-5--1": the spans of a list, or nothing when it isn't one.
std::optional<std::vector<Span>> parseSpans(const std::string& list)
{
    std::vector<Span> spans;
    std::size_t at = 0;
    auto number = [&](std::int64_t& out) {
        const std::size_t start = at;
        if (at < list.size() && list[at] == '-') ++at;
        const std::size_t digits = at;
        while (at < list.size() && list[at] >= '0' && list[at] <= '9') ++at;
        if (at == digits) return false;
        const Result<std::int32_t> value = parseWholeInt(std::string_view(list).substr(start, at - start));
        if (!value) return false;
        out = value.value();
        return true;
    };
    for (;;) {
        Span span;
        const std::size_t start = at;
        if (!number(span.first)) return std::nullopt;
        span.last = span.first;
        if (at < list.size() && list[at] == '-') {
            ++at;
            if (!number(span.last) || span.last < span.first) return std::nullopt;
        }
        span.text = list.substr(start, at - start);
        spans.push_back(std::move(span));
        if (at == list.size()) return spans;
        if (list[at] != ',') return std::nullopt;
        ++at;
    }
}

/// The 0-based places of the generals the command names, in file order, or nothing
/// after reporting why not.
std::optional<std::vector<std::size_t>> findGenerals(const SetOptions& options, const std::vector<Span>& spans,
                                                     const GeneralList& generals, const std::string& untouched)
{
    std::vector<bool> chosen(generals.size(), false);
    if (options.all) {
        chosen.assign(generals.size(), true);
    } else if (options.indexOption->count() > 0) {
        for (const Span& span : spans) {
            if (span.last > static_cast<std::int64_t>(generals.size())) {
                reportError("set", options.file + " 只有 " + std::to_string(generals.size()) + " 名武将，没有第 " +
                                       std::to_string(span.last) + " 名（--index " + span.text + "）。" + untouched);
                return std::nullopt;
            }
            for (std::int64_t i = span.first; i <= span.last; ++i) chosen[static_cast<std::size_t>(i - 1)] = true;
        }
    } else {
        for (const Span& span : spans) {
            std::vector<std::size_t> matches;
            for (std::size_t i = 0; i < generals.size(); ++i) {
                if (generals[i].id >= span.first && generals[i].id <= span.last) matches.push_back(i);
            }
            if (matches.empty()) {
                reportError("set", options.file + " 中没有 ID " + (span.first == span.last ? "为 " : "在 ") +
                                       span.text + (span.first == span.last ? "" : " 之间") + " 的武将。" + untouched);
                return std::nullopt;
            }
            // An id that several generals hold names none of them for sure.
            for (const std::size_t i : matches) {
                std::string places;
                int holders = 0;
                for (std::size_t j = 0; j < generals.size(); ++j) {
                    if (generals[j].id != generals[i].id) continue;
                    places += (places.empty() ? "" : "、") + std::to_string(j + 1);
                    ++holders;
                }
                if (holders > 1) {
                    reportError("set", options.file + " 中有 " + std::to_string(holders) + " 名武将的 ID 都是 " +
                                           std::to_string(generals[i].id) + "（第 " + places + " 名），请改用 --index。" +
                                           untouched);
                    return std::nullopt;
                }
                chosen[i] = true;
            }
        }
    }
    std::vector<std::size_t> places;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (chosen[i]) places.push_back(i);
    }
    return places;
}

int runSet(const SetOptions& options)
{
    const std::string untouched = "未写入任何文件，" + options.file + " 未改动。";
    std::variant<std::vector<Assignment>, int> parsed = parseAssignments(options, untouched);
    if (const int* exitCode = std::get_if<int>(&parsed)) return *exitCode;
    const std::vector<Assignment>& assignments = std::get<0>(parsed);

    // The lists of --id and --index are checked before the file is touched.
    std::vector<Span> spans;
    if (!options.all) {
        const bool byIndex = options.indexOption->count() > 0;
        const std::optional<std::vector<Span>> parsedSpans = parseSpans(byIndex ? options.indexes : options.ids);
        const bool valid = parsedSpans && std::all_of(parsedSpans->begin(), parsedSpans->end(), [&](const Span& span) {
                               return !byIndex || span.first >= 1;
                           });
        if (!valid) {
            reportError("set", byIndex ? "--index " + options.indexes +
                                             " 应为从 1 开始的序号，以逗号分隔，可写范围（如 1-10,12）。" + untouched
                                       : "--id " + options.ids +
                                             " 应为 32 位整数的武将 ID，以逗号分隔，可写范围（如 9001,9003 或 9001-9010）。" +
                                             untouched);
            return kExitUsage;
        }
        spans = *parsedSpans;
    }

    std::optional<LoadedFile> loaded = loadForCommand("set", options.file, untouched);
    if (!loaded) return kExitFailed;
    const std::optional<std::vector<std::size_t>> places = findGenerals(options, spans, loaded->generals, untouched);
    if (!places) return kExitFailed;
    if (places->empty()) {
        writeStdout(options.file + " 中没有武将，未写入任何文件。\n");
        return kExitOk;
    }

    std::string changes;
    for (const Assignment& assignment : assignments) {
        const FieldInfo& field = *assignment.field;
        changes += "\n  " + std::string(field.name) + " = " +
                   (field.kind == FieldKind::Int ? std::to_string(assignment.number) : assignment.value);
        for (const std::size_t place : *places) {
            CustomGeneral& general = loaded->generals[place];
            if (field.kind == FieldKind::Int) {
                general.intField(field.index) = assignment.number;
            } else {
                general.textField(field.index) = GeneralText::fromUtf8(ByteString(assignment.value));
            }
        }
    }

    // One save for the whole command; it refuses a file that changed since it was loaded above.
    const std::filesystem::path path = pathFromUtf8(options.file);
    Result<SaveOutcome> saved = saveGeneralsTo(path, loaded->generals, loaded->trailerValue,
                                               options.backup ? Backup::Yes : Backup::No, loaded->identity);
    if (!saved) {
        reportError("set", saved.error().message);
        return kExitFailed;
    }
    const CustomGeneral& first = loaded->generals[places->front()];
    std::string summary = places->size() == 1
                              ? "已修改 " + options.file + " 的第 " + std::to_string(places->front() + 1) +
                                    " 名武将（ID " + std::to_string(first.id) + "）：" + changes + "\n"
                              : "已修改 " + options.file + " 的 " + std::to_string(places->size()) + " 名武将：" +
                                    changes + "\n";
    if (saved->backupMade) summary += "原文件已备份为 " + pathToUtf8(backupPathFor(path)) + "。\n";
    if (!saved->keptVersion.empty()) summary += "原文件已存入备份历史：" + pathToUtf8(saved->keptVersion) + "。\n";
    writeStdout(summary);
    return kExitOk;
}

}  // namespace

void addSetCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "set", "修改武将的字段并一次保存：整数字段须是 -2147483648 到 2147483647 之间的整数（全角数字可用），"
               "文本字段按原样保存；id 与不公开的字段（opaque…）不能修改。原文件先存入备份历史（见 sg8gen backups）；"
               "载入之后若文件被其他程序改动过，则不保存");
    auto options = std::make_shared<SetOptions>();
    command->add_option("FILE", options->file, "存档文件（.bytes）")->required();
    CLI::Option_group* target = command->add_option_group("武将", "要修改的武将（三选一）");
    target->add_flag("--all", options->all, "全部武将");
    options->idOption =
        target->add_option("--id", options->ids, "ID 为这些值的武将：以逗号分隔，可写范围（9001,9003 或 9001-9010）");
    options->indexOption = target->add_option(
        "--index", options->indexes, "文件中的第 N 名武将（从 1 开始）：以逗号分隔，可写范围（1-10,12）");
    target->require_option(1);
    command->add_option("FIELD=VALUE", options->assignments, "要修改的字段与新值，可写多个")->required();
    command->add_flag("--backup", options->backup, "先把原文件备份为 FILE.bak");
    command->callback([options, &exitCode] { exitCode = runSet(*options); });
}

}  // namespace sg8::cli
