#include "data/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

// The Win32 converter must answer exactly as the ICU converter of the Linux build
// does; every expected value here is what ICU gives for the same input.

namespace sg8 {
namespace {

TEST(Win32CodePage, DecodesEveryByteSequenceAsIcuDoes)
{
    struct Case {
        const char* name;
        std::string_view gbk;
        std::u16string_view utf16;
    } cases[] = {
        {"the euro sign at 0x80", "\x80", u"\u20AC"},
        {"0xFF, a private-use character", "\xFF", u"\uF8F5"},
        {"the user-defined area", "\xAA\xA1", u"\uE000"},
        {"a code with no character of its own", "\xA2\xA0", u"\uE585"},
        // sequences that are no character: each bad byte is one U+FFFD
        {"lead byte before a space", "\x81 ", u"\uFFFD "},
        {"lead byte at the end", "a\x81", u"a\uFFFD"},
        {"lead byte before 0xFF", "\x81\xFF", u"\uFFFD\uF8F5"},
        {"a four-byte GB18030 form", "\x81\x30\x81\x30", u"\uFFFD" "0" u"\uFFFD" "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(codePage936().toUtf16(c.gbk), c.utf16);
    }
}

TEST(Win32CodePage, EncodesWithoutBestFitLookalikes)
{
    struct Case {
        const char* name;
        std::u16string_view utf16;
        std::string_view gbk;
    } cases[] = {
        // Windows would pick a lookalike for each of these without WC_NO_BEST_FIT_CHARS
        {"A with grave accent, not A", u"\u00C0", "?"},
        {"yen sign, not the full-width yen", u"\u00A5", "?"},
        {"tilde operator, not the wave dash", u"\u223C", "?"},
        {"no-break space", u"\u00A0", "?"},
        // characters beyond the code page
        {"Hangul between Chinese", u"\u5F20\uAC00\u4E09", "\xD5\xC5?\xC8\xFD"},
        {"an emoji is one ? for its two UTF-16 units", u"a\U0001F600b", "a?b"},
        // codes that go back where they came from
        {"the euro sign", u"\u20AC", "\x80"},
        {"the user-defined area", u"\uE000", "\xAA\xA1"},
        {"0xFF", u"\uF8F5", "\xFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(codePage936().fromUtf16(c.utf16), c.gbk);
    }
}

}  // namespace
}  // namespace sg8
