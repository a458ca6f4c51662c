#include "data/codepage.h"

#include <unicode/ucnv.h>

#include <memory>
#include <stdexcept>

namespace sg8 {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterHandle = std::unique_ptr<UConverter, ConverterCloser>;

// An ICU converter keeps state between calls, so each thread gets its own.
UConverter* threadConverter()
{
    thread_local ConverterHandle converter = [] {
        UErrorCode status = U_ZERO_ERROR;
        ConverterHandle opened(ucnv_open("windows-936", &status));
        if (U_FAILURE(status) || !opened) throw std::runtime_error("ICU has no converter for code page 936");
        ucnv_setSubstChars(opened.get(), "?", 1, &status);
        return opened;
    }();
    return converter.get();
}

class IcuConverter final : public CodePageConverter {
public:
    std::u16string toUtf16(std::string_view gbk) const override
    {
        if (gbk.empty()) return {};
        UConverter* converter = threadConverter();
        ucnv_reset(converter);
        std::u16string out(gbk.size() + 1, u'\0');
        UErrorCode status = U_ZERO_ERROR;
        const int32_t n = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                        static_cast<int32_t>(out.size()), gbk.data(),
                                        static_cast<int32_t>(gbk.size()), &status);
        if (U_FAILURE(status)) return {};
        out.resize(static_cast<std::size_t>(n));
        return out;
    }

    std::string fromUtf16(std::u16string_view utf16) const override
    {
        if (utf16.empty()) return {};
        UConverter* converter = threadConverter();
        ucnv_reset(converter);
        std::string out(utf16.size() * 2 + 1, '\0');
        UErrorCode status = U_ZERO_ERROR;
        const int32_t n = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                          reinterpret_cast<const UChar*>(utf16.data()),
                                          static_cast<int32_t>(utf16.size()), &status);
        if (U_FAILURE(status)) return {};
        out.resize(static_cast<std::size_t>(n));
        return out;
    }
};

}  // namespace

const CodePageConverter& codePage936()
{
    static const IcuConverter converter;
    return converter;
}

}  // namespace sg8
