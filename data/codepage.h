#pragma once

#include <string>
#include <string_view>

namespace sg8 {

/// The system's bridge between code page 936 and UTF-16. ICU provides it on
/// Linux, MultiByteToWideChar/WideCharToMultiByte on Windows.
class CodePageConverter {
public:
    virtual ~CodePageConverter() = default;
    /// Code page 936 bytes to UTF-16; a byte sequence that isn't GBK becomes U+FFFD.
    virtual std::u16string toUtf16(std::string_view gbk) const = 0;
    /// UTF-16 (no lone surrogates) to code page 936; a character it can't hold becomes "?".
    virtual std::string fromUtf16(std::u16string_view utf16) const = 0;
};

/// The converter of the platform the program was built for.
const CodePageConverter& codePage936();

}  // namespace sg8
