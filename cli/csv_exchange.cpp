#include "cli/csv_exchange.h"

#include "data/numbers.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sg8::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

Error plainError(std::string message)
{
    Error error;
    error.message = std::move(message);
    return error;
}

void appendCell(std::string& line, std::string_view cell)
{
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += cell;
        return;
    }
    line += '"';
    for (const char c : cell) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

struct Record {
    std::vector<std::string> cells;
    int line = 0;  ///< 1-based line on which the record starts
};

/// Splits CSV text into records (RFC 4180, also accepting bare LF line ends).
Result<std::vector<Record>> parseRecords(std::string_view text)
{
    std::vector<Record> records;
    Record record;
    std::string cell;
    int line = 1;
    bool cellQuoted = false;
    record.line = line;
    auto endRecord = [&] {
        record.cells.push_back(std::move(cell));
        cell.clear();
        const bool blank = record.cells.size() == 1 && record.cells[0].empty() && !cellQuoted;
        if (!blank) records.push_back(std::move(record));
        record = Record{};
        record.line = line;
        cellQuoted = false;
    };

    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '"' && cell.empty() && !cellQuoted) {
            cellQuoted = true;
            const int quoteLine = line;
            for (++at;; ++at) {
                if (at >= text.size()) {
                    return plainError("第 " + std::to_string(quoteLine) + " 行的引号没有结束");
                }
                if (text[at] == '"') {
                    if (at + 1 < text.size() && text[at + 1] == '"') {
                        cell += '"';
                        ++at;
                        continue;
                    }
                    ++at;
                    break;
                }
                if (text[at] == '\n') ++line;
                cell += text[at];
            }
            if (at < text.size() && text[at] != ',' && text[at] != '\r' && text[at] != '\n') {
                return plainError("第 " + std::to_string(line) + " 行：引号结束后应为逗号或行尾");
            }
            continue;
        }
        if (c == '"') return plainError("第 " + std::to_string(line) + " 行：未加引号的字段中有引号");
        if (c == ',') {
            record.cells.push_back(std::move(cell));
            cell.clear();
            cellQuoted = false;
            ++at;
        } else if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            at += 2;
            ++line;
            endRecord();
        } else if (c == '\n') {
            ++at;
            ++line;
            endRecord();
        } else {
            cell += c;
            ++at;
        }
    }
    if (!cell.empty() || cellQuoted || !record.cells.empty()) endRecord();
    return records;
}

/// A decimal int32: an optional sign and digits, blanks around them allowed;
/// read by the same strict rule as sg8gen set's values.
Result<std::int32_t> parseInt(std::string_view cell)
{
    return parseWholeInt(cell);
}

}  // namespace

ExchangeText writeCsv(const GeneralList& generals)
{
    ExchangeText out;
    out.bytes = kByteOrderMark;
    for (const FieldInfo& field : kFields) {
        if (field.index > 0) out.bytes += ',';
        out.bytes += field.name;
    }
    out.bytes += "\r\n";
    int number = 0;
    for (const CustomGeneral& general : generals) {
        ++number;
        for (const FieldInfo& field : kFields) {
            if (field.index > 0) out.bytes += ',';
            if (field.kind == FieldKind::Int) {
                out.bytes += std::to_string(general.intField(field.index));
            } else {
                appendCell(out.bytes, exchangeText(general, field, number, out.warnings));
            }
        }
        out.bytes += "\r\n";
    }
    return out;
}

Result<ExchangeFile> readCsv(std::string_view bytes)
{
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    Result<std::vector<Record>> parsed = parseRecords(bytes);
    if (!parsed) return parsed.error();
    const std::vector<Record>& records = parsed.value();
    if (records.empty()) return plainError("没有表头行");

    // Column of each field, by the header line.
    const std::vector<std::string>& header = records.front().cells;
    std::array<std::size_t, kFieldCount> columnOf{};
    std::array<bool, kFieldCount> seen{};
    for (std::size_t column = 0; column < header.size(); ++column) {
        const FieldInfo* field = findField(header[column]);
        if (!field) return plainError("表头第 " + std::to_string(column + 1) + " 列 \"" + header[column] + "\" 不是字段名");
        const auto index = static_cast<std::size_t>(field->index);
        if (seen[index]) return plainError("表头中 " + header[column] + " 出现了两次");
        seen[index] = true;
        columnOf[index] = column;
    }
    for (const FieldInfo& field : kFields) {
        if (!seen[static_cast<std::size_t>(field.index)]) return plainError("表头缺少字段 " + std::string(field.name));
    }

    ExchangeFile file;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const Record& record = records[r];
        const int number = static_cast<int>(r);
        if (record.cells.size() != header.size()) {
            Error error = plainError("第 " + std::to_string(number) + " 名武将（第 " + std::to_string(record.line) +
                                     " 行）有 " + std::to_string(record.cells.size()) + " 个字段，表头有 " +
                                     std::to_string(header.size()) + " 个");
            error.general = number;
            return error;
        }
        CustomGeneral general;
        for (const FieldInfo& field : kFields) {
            const std::string& cell = record.cells[columnOf[static_cast<std::size_t>(field.index)]];
            if (field.kind == FieldKind::Int) {
                Result<std::int32_t> value = parseInt(cell);
                if (!value) return fieldError(number, field.name, value.error().message);
                general.intField(field.index) = value.value();
            } else {
                std::optional<GeneralText> text = importedText(cell);
                if (!text) return fieldError(number, field.name, "不是 UTF-8 文本（CSV 须以 UTF-8 编码保存）");
                general.textField(field.index) = std::move(*text);
            }
        }
        file.generals.push_back(std::move(general));
    }
    return file;
}

}  // namespace sg8::cli
