#include "data/codepage.h"

#include <windows.h>

namespace sg8 {
namespace {

constexpr UINT kCodePage = 936;

bool isSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// Decodes `gbk` with MultiByteToWideChar; false when it holds a sequence that
// isn't code page 936.
bool decodeStrictly(std::string_view gbk, std::u16string& out)
{
    const int size = static_cast<int>(gbk.size());
    out.resize(gbk.size());
    const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, gbk.data(), size,
                                      reinterpret_cast<wchar_t*>(out.data()), size);
    if (n <= 0) return false;
    out.resize(static_cast<std::size_t>(n));
    return true;
}

// The character of one code (one or two bytes), or 0 when the code has none: the
// system then gives its stand-in character, which no code of its own yields.
// (MB_ERR_INVALID_CHARS can't decide this alone: it also refuses 0xFF, which has
// a character, U+F8F5.)
char16_t decodeOne(std::string_view code)
{
    static const wchar_t standIn = [] {
        CPINFOEXW info{};
        return GetCPInfoExW(kCodePage, 0, &info) ? info.UnicodeDefaultChar : L'?';
    }();
    wchar_t c = 0;
    if (MultiByteToWideChar(kCodePage, 0, code.data(), static_cast<int>(code.size()), &c, 1) != 1) return 0;
    return c == standIn ? 0 : static_cast<char16_t>(c);
}

class Win32Converter final : public CodePageConverter {
public:
    std::u16string toUtf16(std::string_view gbk) const override
    {
        std::u16string out;
        if (gbk.empty() || decodeStrictly(gbk, out)) return out;

        // Code by code: a lead byte takes the next byte with it when the two form a
        // character; a byte that starts none becomes U+FFFD on its own and decoding
        // goes on at the next byte.
        out.clear();
        for (std::size_t i = 0; i < gbk.size();) {
            const auto byte = static_cast<BYTE>(gbk[i]);
            if (byte < 0x80) {
                out += static_cast<char16_t>(byte);
                ++i;
                continue;
            }
            const bool lead = IsDBCSLeadByteEx(kCodePage, byte) != 0;
            const char16_t c = !lead ? decodeOne(gbk.substr(i, 1)) : i + 1 < gbk.size() ? decodeOne(gbk.substr(i, 2)) : 0;
            out += c ? c : u'\uFFFD';
            i += c && lead ? 2 : 1;
        }
        return out;
    }

    std::string fromUtf16(std::u16string_view utf16) const override
    {
        if (utf16.empty()) return {};
        // A character beyond the Basic Multilingual Plane is one "?", like any other
        // character the code page can't hold.
        std::u16string units;
        units.reserve(utf16.size());
        for (std::size_t i = 0; i < utf16.size(); ++i) {
            const char16_t c = utf16[i];
            if (!isSurrogate(c)) {
                units += c;
                continue;
            }
            units += u'?';
            if (c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) ++i;
        }

        // No best fit: a character the code page lacks becomes "?", never a lookalike
        // ("À" must not turn into "A").
        const int size = static_cast<int>(units.size());
        std::string out(units.size() * 2, '\0');
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(units.data()),
                                          size, out.data(), static_cast<int>(out.size()), "?", &usedDefault);
        if (n <= 0) return {};
        out.resize(static_cast<std::size_t>(n));
        return out;
    }
};

}  // namespace

const CodePageConverter& codePage936()
{
    static const Win32Converter converter;
    return converter;
}

}  // namespace sg8
