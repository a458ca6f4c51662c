#include "cli/commands.h"
#include "cli/console.h"
#include "data/general_row.h"

#include <memory>
#include <string>

namespace sg8::cli {
namespace {

// A tab or line break inside a cell would break the one-line-per-general table.
std::string tableCell(std::string cell)
{
    for (char& c : cell) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return cell;
}

int runList(const std::string& file)
{
    std::optional<LoadedFile> loaded = loadForCommand("list", file);
    if (!loaded) return kExitFailed;

    std::string table;
    for (const std::string_view header : kGeneralColumnHeaders) {
        if (!table.empty()) table += '\t';
        table += header;
    }
    table += '\n';
    for (const CustomGeneral& general : loaded->generals) {
        const std::array<std::string, 10> cells = generalRowCells(general);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) table += '\t';
            table += tableCell(cells[i]);
        }
        table += '\n';
    }
    if (!writeStdout(table)) {
        reportError("list", "写入标准输出失败。");
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

void addListCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "list", "列出存档中的武将：表头一行，之后每名武将一行，各列以制表符分隔，与主窗口的列表相同");
    auto file = std::make_shared<std::string>();
    command->add_option("FILE", *file, "存档文件（.bytes）")->required();
    command->callback([file, &exitCode] { exitCode = runList(*file); });
}

}  // namespace sg8::cli
