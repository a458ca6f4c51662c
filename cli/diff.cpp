#include "cli/commands.h"
#include "cli/console.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace sg8::cli {
namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0 when it is malformed.
std::size_t utf8SequenceAt(std::string_view bytes, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    }
    return length;
}

// A text in double quotes on one line: its exact bytes, with quotes, backslashes
// and control characters escaped and bytes that aren't UTF-8 as \xNN.
std::string quoted(std::string_view bytes)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size();) {
        const char c = bytes[i];
        const std::size_t length = utf8SequenceAt(bytes, i);
        char escape[8];
        if (length == 0) {
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
            out += escape;
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
            out += escape;
        } else {
            out.append(bytes.substr(i, length));
        }
        i += length;
    }
    return out + "\"";
}

std::string generalName(std::size_t place, const CustomGeneral& general)
{
    return "第 " + std::to_string(place + 1) + " 名武将（ID " + std::to_string(general.id) + "）";
}

// One line per field in which the two generals differ.
void compareGeneral(std::size_t place, const CustomGeneral& a, const CustomGeneral& b, std::string& out)
{
    for (const FieldInfo& field : kFields) {
        std::string from, to;
        if (field.kind == FieldKind::Int) {
            if (a.intField(field.index) == b.intField(field.index)) continue;
            from = std::to_string(a.intField(field.index));
            to = std::to_string(b.intField(field.index));
        } else {
            if (a.textField(field.index).utf8View() == b.textField(field.index).utf8View()) continue;
            from = quoted(a.textField(field.index).utf8View());
            to = quoted(b.textField(field.index).utf8View());
        }
        out += generalName(place, a) + "\t" + std::string(field.name) + "\t" + from + " → " + to + "\n";
    }
}

int runDiff(const std::string& fileA, const std::string& fileB)
{
    std::optional<LoadedFile> a = loadForCommand("diff", fileA);
    if (!a) return kExitUsage;
    std::optional<LoadedFile> b = loadForCommand("diff", fileB);
    if (!b) return kExitUsage;

    std::string out;
    const std::size_t common = std::min(a->generals.size(), b->generals.size());
    for (std::size_t i = 0; i < common; ++i) compareGeneral(i, a->generals[i], b->generals[i], out);
    for (std::size_t i = common; i < a->generals.size(); ++i) {
        out += generalName(i, a->generals[i]) + "\t只在 " + fileA + " 中\n";
    }
    for (std::size_t i = common; i < b->generals.size(); ++i) {
        out += generalName(i, b->generals[i]) + "\t只在 " + fileB + " 中\n";
    }
    if (a->trailerValue != b->trailerValue) {
        out += "结尾值\t" + std::to_string(a->trailerValue) + " → " + std::to_string(b->trailerValue) + "\n";
    }
    if (!writeStdout(out)) {
        reportError("diff", "写入标准输出失败。");
        return kExitUsage;
    }
    return out.empty() ? kExitOk : kExitFailed;
}

}  // namespace

void addDiffCommand(CLI::App& app, int& exitCode)
{
    CLI::App* command = app.add_subcommand(
        "diff",
        "比较两个存档中的武将与结尾值。武将按位置配对：A 的第 N 名与 B 的第 N 名相比（文件中的顺序就是武将的身份）。"
        "每个不同的字段输出一行，以制表符分隔：第 N 名武将（A 中的 ID）、字段名、旧值 → 新值（文本加引号）；"
        "只在一个文件中的武将各一行；结尾值不同时一行。相同时退出码为 0，不同时为 1，文件无法读取或用法错误时为 2");
    auto files = std::make_shared<std::pair<std::string, std::string>>();
    command->add_option("A", files->first, "旧的存档文件（.bytes）")->required();
    command->add_option("B", files->second, "新的存档文件（.bytes）")->required();
    command->callback([files, &exitCode] { exitCode = runDiff(files->first, files->second); });
}

}  // namespace sg8::cli
