#include "cli/commands.h"
#include "cli/console.h"
#include "data/file_io.h"
#include "data/list_values.h"
#include "data/load.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sg8::cli {
namespace {

std::string generalName(std::size_t place, const CustomGeneral& general)
{
    return "第 " + std::to_string(place + 1) + " 名武将（ID " + std::to_string(general.id) + "）";
}

std::string listedValues(const FieldList& list)
{
    std::string values;
    for (const ListItem& item : list.items) {
        values += (values.empty() ? "" : "、") + std::to_string(item.value) + " " + std::string(item.text);
    }
    return values;
}

// Values that a list of the editor can't show, negative ids and ids that more
// than one general carries: the file loads, but the editor can't show it as it is.
// Each warning goes to `warn` as it is found: a large file may have a great many.
template <typename Warn>
void editorWarnings(const GeneralList& generals, Warn warn)
{
    for (std::size_t i = 0; i < generals.size(); ++i) {
        const CustomGeneral& general = generals[i];
        if (general.id < 0) warn(generalName(i, general) + "的 ID 是负数。");
        for (const FieldList& list : kFieldLists) {
            const std::int32_t value = general.intField(findField(list.field)->index);
            if (list.shows(value)) continue;
            warn(generalName(i, general) + "的 " + std::string(list.field) + " 是 " +
                               std::to_string(value) + "，编辑器的列表中没有这个值（列表中的值：" +
                               listedValues(list) + "）。");
        }
    }

    std::vector<std::pair<std::int32_t, std::size_t>> ids;
    ids.reserve(generals.size());
    for (std::size_t i = 0; i < generals.size(); ++i) ids.emplace_back(generals[i].id, i);
    std::sort(ids.begin(), ids.end());
    for (std::size_t first = 0; first < ids.size();) {
        std::size_t end = first + 1;
        while (end < ids.size() && ids[end].first == ids[first].first) ++end;
        if (end - first > 1) {
            std::string places;
            for (std::size_t k = first; k < end && k < first + 10; ++k) {
                places += (k == first ? "" : "、") + std::to_string(ids[k].second + 1);
            }
            if (end - first > 10) places += " 等";
            warn("ID " + std::to_string(ids[first].first) + " 重复：" + std::to_string(end - first) +
                               " 名武将（第 " + places + " 名）共用这个 ID。");
        }
        first = end;
    }
}

int runCheck(const std::string& file)
{
    Result<LoadedFile> loaded = loadSaveFile(pathFromUtf8(file));
    if (!loaded) {
        reportError("check", loaded.error().message + "。");
        return kExitFailed;
    }
    const LoadedFile& result = loaded.value();
    const RoundTripVerdict& verdict = result.verdict;

    // Written out a piece at a time, so that a file with a warning for every
    // general doesn't hold them all.
    std::string report = "武将数：" + std::to_string(result.generals.size()) + "\n";
    bool written = true;
    auto flushIfLarge = [&](std::size_t limit) {
        if (report.size() < limit) return;
        written = written && writeStdout(report);
        report.clear();
    };
    std::size_t warnings = 0;
    auto warn = [&](const std::string& warning) {
        ++warnings;
        report += "警告：" + warning + "\n";
        flushIfLarge(1 << 20);
    };
    for (const std::string& warning : result.warnings) warn(warning);
    editorWarnings(result.generals, warn);
    if (verdict.byteExact) {
        report += "往返校验：不加修改地保存，将逐字节重现原文件。\n";
    } else {
        report += "往返校验：不加修改地保存，不能逐字节重现原文件：第一处差异在字节偏移 " +
                  std::to_string(verdict.firstDifference) + "（" + verdict.reason + "）。\n";
    }
    flushIfLarge(0);
    if (!written) {
        reportError("check", "写入标准输出失败。");
        return kExitFailed;
    }
    if (warnings == 0 && verdict.byteExact) return kExitOk;

    std::string reasons = verdict.byteExact ? "" : verdict.reason;
    if (warnings > 0) {
        reasons += (reasons.empty() ? "" : "；") + std::to_string(warnings) + " 条警告";
    }
    reportError("check", file + " 未通过检查：" + reasons + "。");
    return kExitFailed;
}

}  // namespace

void addCheckCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "check",
        "检查存档：武将数、每条警告和往返校验的结论。除读取时的警告外，还警告编辑器的列表无法显示的值"
        "（性别、对话风格、武器类型、管理、务农、经商、技工、辅臣特性）、负数 ID 和重复的 ID，并指出是哪名武将的哪个字段。"
        "文件无警告且保存能逐字节重现时退出码为 0，否则为 1");
    auto file = std::make_shared<std::string>();
    command->add_option("FILE", *file, "存档文件（.bytes）")->required();
    command->callback([file, &exitCode] { exitCode = runCheck(*file); });
}

}  // namespace sg8::cli
