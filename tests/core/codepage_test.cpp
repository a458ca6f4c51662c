#include "data/codepage.h"
#include "data/text.h"
#include "tests/core/codepage_cases.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace sg8 {
namespace {

using testing::kRoundTripCases;
using testing::kUnrepresentableCases;

ByteString bytes(std::string_view s)
{
    return ByteString(std::string(s));
}

TEST(CodePage, RoundTripsEveryRepresentableText)
{
    for (const auto& c : kRoundTripCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textToUtf8(Text(c.gbk)).bytes(), c.utf8);
        EXPECT_EQ(utf8ToText(bytes(c.utf8)).bytes(), c.gbk);
    }
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    for (const auto& c : kUnrepresentableCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8ToText(bytes(c.utf8)).bytes(), c.gbk);
    }
}

TEST(CodePage, ChineseTakesTwoBytesInTheFileAndThreeInUtf8WithNoTerminator)
{
    const Text gbk = Text::fromUtf8("张三丰");
    EXPECT_EQ(gbk.bytes(), "\xD5\xC5\xC8\xFD\xB7\xE1");
    const ByteString utf8 = textToUtf8(gbk);
    EXPECT_EQ(utf8.size(), 9u);
    EXPECT_EQ(utf8.bytes(), "张三丰");
}

TEST(Utf8ToText, StopsAtTheFirstMalformedSequence)
{
    struct Case {
        const char* name;
        std::string_view utf8;
        std::string_view gbk;
    } cases[] = {
        // stray continuation bytes
        {"continuation byte in the middle", "ab\x80" "cd", "ab"},
        {"continuation byte first", "\xBF" "a", ""},
        // bytes that can never start a character
        {"0xFE", "a\xFE" "b", "a"},
        {"0xFF", "\xFF", ""},
        // forms cut short
        {"cut off by the end", "a\xE7\x94", "a"},
        {"non-continuation inside a form", "a\xE7" "b" "\xB2", "a"},
        // a zero character ends the text
        {"zero character", std::string_view("a\0b", 3), "a"},
        {"overlong zero ends it too", "a\xC0\x80" "b", "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8ToText(bytes(c.utf8)).bytes(), c.gbk);
    }
}

TEST(Utf8ToText, AcceptsOverlongAndLongForms)
{
    EXPECT_EQ(utf8ToText(bytes("\xC1\x81")).bytes(), "A");            // overlong 'A'
    EXPECT_EQ(utf8ToText(bytes("\xE0\x81\x81")).bytes(), "A");        // overlong, three bytes
    EXPECT_EQ(utf8ToText(bytes("\xF8\x88\x80\x80\x80" "a")).bytes(), "?a");      // 5-byte form
    EXPECT_EQ(utf8ToText(bytes("\xFC\x84\x80\x80\x80\x80" "a")).bytes(), "?a");  // 6-byte form
    EXPECT_EQ(utf8ToText(bytes("\xED\xA0\x80" "a")).bytes(), "?a");   // an encoded surrogate
}

TEST(CodePageConverter, IsUsableFromSeveralThreads)
{
    // Each thread converts on its own; the results must not mix.
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&failures] {
            for (int i = 0; i < 2000; ++i) {
                if (utf8ToText(bytes("张三丰")).bytes() != "\xD5\xC5\xC8\xFD\xB7\xE1") ++failures;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0);
}

}  // namespace
}  // namespace sg8
