#include "data/codepage.h"
#include "data/text.h"

#include <algorithm>

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

}  // namespace

ByteString textToUtf8(const Text& text)
{
    if (isAscii(text.view())) return ByteString(text.bytes());
    const std::u16string utf16 = codePage936().toUtf16(text.view());
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        }
        appendUtf8(out, c);
    }
    return ByteString(std::move(out));
}

Text utf8ToText(const ByteString& utf8)
{
    const std::string_view bytes = utf8.view();
    const std::string_view beforeZero = bytes.substr(0, bytes.find('\0'));
    if (isAscii(beforeZero)) return Text(beforeZero);

    // Decoding stops at the first malformed form; overlong forms keep the value they spell.
    std::u16string utf16;
    utf16.reserve(bytes.size());
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
        // Code page 936 holds characters of the Basic Multilingual Plane only.
        const bool representable = c < 0x10000 && (c < 0xD800 || c > 0xDFFF);
        utf16 += representable ? static_cast<char16_t>(c) : u'?';
    }
    return Text(codePage936().fromUtf16(utf16));
}

Text Text::fromUtf8(std::string_view utf8)
{
    return utf8ToText(ByteString(std::string(utf8)));
}

}  // namespace sg8
