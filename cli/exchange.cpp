#include "cli/exchange.h"

#include <cctype>
#include <limits>

namespace sg8::cli {
namespace {

// Length of the well-formed UTF-8 sequence at `at`, or 0 when it is malformed.
std::size_t sequenceLength(std::string_view bytes, std::size_t at)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
    const unsigned lead = byte(at);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
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

}  // namespace

bool hasCsvExtension(std::string_view name)
{
    if (name.size() < 4) return false;
    std::string suffix(name.substr(name.size() - 4));
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix == ".csv";
}

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = sequenceLength(bytes, at);
        if (length == 0) return false;
        at += length;
    }
    return true;
}

std::string exchangeText(const CustomGeneral& general, const FieldInfo& field, int number,
                         std::vector<std::string>& warnings)
{
    const std::string exact = general.textField(field.index).utf8().bytes();
    if (isValidUtf8(exact)) return exact;
    std::string replaced;
    for (std::size_t at = 0; at < exact.size();) {
        const std::size_t length = sequenceLength(exact, at);
        replaced += length == 0 ? std::string_view("\xEF\xBF\xBD") : std::string_view(exact).substr(at, length);
        at += length == 0 ? 1 : length;
    }
    warnings.push_back("第 " + std::to_string(number) + " 名武将的 " + std::string(field.name) +
                       " 含有不是 UTF-8 的字节，已写为 U+FFFD；导回后这段文本将与原文件不同。");
    return replaced;
}

std::optional<GeneralText> importedText(std::string_view utf8)
{
    if (!isValidUtf8(utf8)) return std::nullopt;
    return GeneralText::fromUtf8(ByteString(std::string(utf8)));
}

Error fieldError(int number, std::string_view field, std::string_view problem)
{
    Error error;
    error.general = number;
    error.message = "第 " + std::to_string(number) + " 名武将的 " + std::string(field) + "：" + std::string(problem);
    return error;
}

std::optional<std::string> int32Problem(std::int64_t value)
{
    if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return std::to_string(value) + " 超出 32 位整数的范围（-2147483648 到 2147483647）";
}

}  // namespace sg8::cli
