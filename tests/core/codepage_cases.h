#pragma once

// Conversion cases that every code page 936 converter must pass, on every platform.

#include <string_view>

namespace sg8::testing {

struct CodePageCase {
    const char* name;
    std::string_view gbk;   ///< code page 936 bytes
    std::string_view utf8;  ///< the same text in UTF-8
};

inline constexpr CodePageCase kRoundTripCases[] = {
    {"ASCII", "Cao Cao 1001", "Cao Cao 1001"},
    {"three Chinese characters", "\xB2\xDC\xB2\xD9\xC3\xCF", "曹操孟"},
    {"the surname of the worked example", "\xBC\xD7", "甲"},
    {"the euro sign at 0x80", "\x80", "€"},
    {"full-width digits", "\xA3\xB1\xA3\xB2", "１２"},
    {"ideographic space", "\xA1\xA1", "\u3000"},
    {"mixed", "a\xD5\xC5" "b", "a张b"},
    {"a GBK-only character outside GB2312", "\x81\x40", "丂"},
};

/// Characters code page 936 can't hold: each becomes "?".
inline constexpr CodePageCase kUnrepresentableCases[] = {
    {"Hangul syllable", "?", "한"},
    {"emoji beyond the BMP", "?", "😀"},
    {"Hangul between Chinese", "\xD5\xC5?\xC8\xFD", "张한三"},
};

}  // namespace sg8::testing
