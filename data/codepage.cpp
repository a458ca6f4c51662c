#include "data/codepage.h"
#include "data/text.h"

#include <algorithm>
#include <array>
#include <memory>

namespace sg8 {
namespace {

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<std::uint8_t>(c) < 0x80; });
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The number of bytes of the form that a lead byte starts, 0 for a byte that
// can't start a character.
int formLength(std::uint8_t lead)
{
    if (lead < 0x80) return 1;
    if (lead < 0xC0) return 0;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF8) return 4;
    if (lead < 0xFC) return 5;
    if (lead < 0xFE) return 6;
    return 0;
}

// Lookup tables made once from the platform's converter, so that converting a
// text costs a table look-up per character instead of a converter call.
class CodePageTables {
public:
    CodePageTables()
    {
        // Every character of the Basic Multilingual Plane but the surrogates, each
        // followed by a line feed, in one call: no code of the code page holds the
        // byte 0x0A, so the output splits back into one code per character.
        std::u16string all;
        all.reserve(0x20000);
        for (char32_t c = 0x80; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            all += static_cast<char16_t>(c);
            all += u'\n';
        }
        const std::string gbk = codePage936().fromUtf16(all);
        std::size_t at = 0;
        for (std::size_t k = 0; k < all.size() && at < gbk.size(); k += 2) {
            const std::size_t end = std::min(gbk.find('\n', at), gbk.size());
            const std::string_view code(gbk.data() + at, end - at);
            at = end + 1;
            // No bytes (a character the converter drops) or its "?" stand-in: no such character.
            if (code.empty() || code.size() > 2 || code == "?") continue;
            const auto value = static_cast<std::uint16_t>(
                code.size() == 1 ? static_cast<std::uint8_t>(code[0])
                                 : static_cast<std::uint8_t>(code[0]) << 8 | static_cast<std::uint8_t>(code[1]));
            toGbk_[all[k]] = value;
            if (value >= 0x80 && !fromGbk_[value]) fromGbk_[value] = all[k];
        }
    }

    /// The code page 936 code of a BMP character (one byte when below 0x100), 0 when none.
    std::uint16_t toGbk(char32_t c) const { return c < 0x10000 ? toGbk_[c] : 0; }
    /// The character of a code of 0x80 or more, 0 when the table has none.
    char16_t fromGbk(std::uint16_t code) const { return fromGbk_[code]; }

private:
    std::array<std::uint16_t, 0x10000> toGbk_{};
    std::array<char16_t, 0x10000> fromGbk_{};
};

const CodePageTables& tables()
{
    static const auto built = std::make_unique<CodePageTables>();
    return *built;
}

}  // namespace

ByteString textToUtf8(const Text& text)
{
    const std::string_view gbk = text.view();
    if (isAscii(gbk)) return ByteString(text.bytes());
    const CodePageTables& table = tables();
    std::string out;
    out.reserve(gbk.size() * 3 / 2 + 2);
    for (std::size_t i = 0; i < gbk.size();) {
        const auto lead = static_cast<std::uint8_t>(gbk[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const bool pair = lead >= 0x81 && lead <= 0xFE && i + 1 < gbk.size();
        const std::uint16_t code = pair ? static_cast<std::uint16_t>(lead << 8 | static_cast<std::uint8_t>(gbk[i + 1])) : lead;
        const std::size_t length = pair ? 2 : 1;
        if (const char16_t c = table.fromGbk(code)) {
            appendUtf8(out, c);
        } else {
            // Not a character of the table: the converter decides (usually U+FFFD).
            for (char16_t unit : codePage936().toUtf16(gbk.substr(i, length))) appendUtf8(out, unit);
        }
        i += length;
    }
    return ByteString(std::move(out));
}

Text utf8ToText(const ByteString& utf8)
{
    return utf8ToText(utf8.view());
}

Text utf8ToText(std::string_view bytes)
{
    const std::string_view beforeZero = bytes.substr(0, bytes.find('\0'));
    if (isAscii(beforeZero)) return Text(beforeZero);

    // Decoding stops at the first malformed form; overlong forms keep the value they spell.
    const CodePageTables& table = tables();
    std::string gbk;
    gbk.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        const int length = formLength(lead);
        if (length == 0 || i + static_cast<std::size_t>(length) > bytes.size()) break;
        char32_t c = length == 1 ? lead : (lead & (0x7F >> length));
        bool wellFormed = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(bytes[i + static_cast<std::size_t>(k)]);
            if (next < 0x80 || next > 0xBF) {
                wellFormed = false;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (!wellFormed || c == 0) break;
        i += static_cast<std::size_t>(length);
        if (c < 0x80) {
            gbk += static_cast<char>(c);
        } else if (const std::uint16_t code = table.toGbk(c)) {
            if (code > 0xFF) gbk += static_cast<char>(code >> 8);
            gbk += static_cast<char>(code & 0xFF);
        } else {
            gbk += '?';  // beyond the code page, the Basic Multilingual Plane included
        }
    }
    return Text(gbk);
}

Text Text::fromUtf8(std::string_view utf8)
{
    return utf8ToText(ByteString(std::string(utf8)));
}

}  // namespace sg8
