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

class Win32Converter final : public CodePageConverter {
public:
    std::u16string toUtf16(std::string_view gbk) const override
    {
        std::u16string out;
        if (gbk.empty() || decodeStrictly(gbk, out)) return out;

        // Character by character: a lead byte takes the next byte with it when the
        // two form a character; a byte that starts none becomes U+FFFD on its own
        // and decoding goes on at the next byte.
        out.clear();
        std::u16string one;
        for (std::size_t i = 0; i < gbk.size();) {
            const auto byte = static_cast<BYTE>(gbk[i]);
            if (IsDBCSLeadByteEx(kCodePage, byte) && i + 1 < gbk.size() && decodeStrictly(gbk.substr(i, 2), one)) {
                out += one;
                i += 2;
            } else {
                out += (!IsDBCSLeadByteEx(kCodePage, byte) && decodeStrictly(gbk.substr(i, 1), one)) ? one : u"\uFFFD";
                i += 1;
            }
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
