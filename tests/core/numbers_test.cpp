#include "data/numbers.h"
#include "data/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace sg8 {
namespace {

TEST(TextToInt, ReadsTheLeadingIntegerAfterFullWidthFolding)
{
    struct Case {
        const char* name;
        std::string_view utf8;
        std::int32_t expected;
    } cases[] = {
        {"empty", "", 0},
        {"letters only", "abc", 0},
        {"fraction cut off", "12.7", 12},
        {"space, minus, digit, letter", " -5x", -5},
        {"full-width plus and digits after an ideographic space", "\u3000＋１２３", 123},
        {"full-width minus", "－４２", -42},
        {"Chinese character first", "甲12", 0},
        {"wraps modulo 2^32", "4294967297", 1},
        {"ten digits beyond int32", "2147483648", INT32_MIN},
        {"plus then minus", "+-3", 0},
        {"leading white space of every kind", "\t\n\v\f\r 7", 7},
        {"digits then text", "12abc", 12},
        {"full-width digits", "１２", 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textToInt(Text::fromUtf8(c.utf8)), c.expected);
    }
}

TEST(TextToInt, DropsALeadByteAtTheEndAndFoldsTheOtherFullWidthForms)
{
    EXPECT_EQ(textToInt(Text("5\xA3")), 5);
    EXPECT_EQ(textToInt(Text("\xA1\xAB" "1")), 0);        // "～" folds to "~": no digit
    EXPECT_EQ(textToInt(Text("\xA1\xA1\xA1\xA1-9")), -9);  // two ideographic spaces
}

// The strict reading of sg8gen set and import: a whole number within 32 bits or
// an error that quotes the value.
TEST(ParseWholeInt, TakesOnlyAWholeNumberThatFits)
{
    struct Case {
        const char* name;
        std::string_view utf8;
        std::optional<std::int32_t> expected;  // nothing: refused
        const char* says;                      // part of the refusal
    } cases[] = {
        {"plain", "42", 42, ""},
        {"signs", "-7", -7, ""},
        {"plus", "+7", 7, ""},
        {"full-width digits", "１２", 12, ""},
        {"full-width minus and blanks around", "\u3000－１２ ", -12, ""},
        {"spaces around", "  12\t", 12, ""},
        {"leading zeros", "0000000000012", 12, ""},
        {"largest", "2147483647", INT32_MAX, ""},
        {"smallest", "-2147483648", INT32_MIN, ""},
        // Not a number at all.
        {"letters", "abc", std::nullopt, "\"abc\" 不是整数"},
        {"digits then letters", "12abc", std::nullopt, "\"12abc\" 不是整数"},
        {"empty", "", std::nullopt, "不是整数"},
        {"blank", "  ", std::nullopt, "不是整数"},
        {"sign alone", "-", std::nullopt, "不是整数"},
        {"fraction", "12.0", std::nullopt, "不是整数"},
        {"two numbers", "1 2", std::nullopt, "不是整数"},
        {"a character outside the code page", "1😀", std::nullopt, "\"1😀\" 不是整数"},
        // A number that doesn't fit in 32 bits.
        {"one past the largest", "2147483648", std::nullopt, "2147483648 超出 32 位整数的范围"},
        {"2^32 + 1", "4294967297", std::nullopt, "4294967297 超出"},
        {"one below the smallest", "-2147483649", std::nullopt, "-2147483649 超出"},
        {"twenty digits", "99999999999999999999", std::nullopt, "超出"},
        {"full-width, too large", "９９９９９９９９９９９", std::nullopt, "９９９９９９９９９９９ 超出"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<std::int32_t> read = parseWholeInt(c.utf8);
        ASSERT_EQ(read.ok(), c.expected.has_value()) << (read ? "" : read.error().message);
        if (read) {
            EXPECT_EQ(read.value(), *c.expected);
        } else {
            EXPECT_NE(read.error().message.find(c.says), std::string::npos) << read.error().message;
        }
        // The code page text reads the same where it can hold the value.
        const Text text = Text::fromUtf8(c.utf8);
        if (textToUtf8(text).view() == c.utf8) {
            EXPECT_EQ(parseWholeInt(text).ok(), read.ok());
        }
    }
}

// The editor's number boxes: textToInt's lenient reading, but a number that
// doesn't fit is told instead of wrapped.
TEST(TextToIntIfFits, ReadsLikeTextToIntAndTellsWhatDoesNotFit)
{
    struct Case {
        const char* name;
        std::string_view utf8;
        std::optional<std::int32_t> expected;  // nothing: doesn't fit
    } cases[] = {
        {"empty", "", 0},
        {"letters only", "abc", 0},
        {"digits then text", "12abc", 12},
        {"full-width digits", "１２", 12},
        {"full-width minus", "－４２", -42},
        {"largest", "2147483647", INT32_MAX},
        {"smallest", "-2147483648", INT32_MIN},
        {"one past the largest", "2147483648", std::nullopt},
        {"one below the smallest", "-2147483649", std::nullopt},
        {"eleven digits", "99999999999", std::nullopt},
        {"too large, then text", "4294967297abc", std::nullopt},
        {"leading zeros", "000000000000001", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Text text = Text::fromUtf8(c.utf8);
        EXPECT_EQ(textToIntIfFits(text), c.expected);
        if (c.expected) {
            EXPECT_EQ(textToInt(text), *c.expected);
        }
    }
}

TEST(IntToText, WritesPlainSignedDecimal)
{
    EXPECT_EQ(intToText(INT32_MIN).bytes(), "-2147483648");
    EXPECT_EQ(intToText(0).bytes(), "0");
    EXPECT_EQ(intToText(1001).bytes(), "1001");
}

TEST(DoubleToText, WritesThirteenSignificantDigits)
{
    struct Case {
        double value;
        const char* expected;
    } cases[] = {
        {0.0, "0"},
        {240.0, "240"},
        {2147483648.0, "2147483648"},                    // the largest int32 plus 1
        {-4294967296.0, "-4294967296"},                  // the smallest sum of two int32
        {4294967294.0, "4294967294"},
        {-5.0, "-5"},
        {0.5, "0.5"},
        {1.0 / 3.0, "0.3333333333333"},
        {1e13, "1e+013"},
        {123456789012345.0, "1.234567890123e+014"},
        {0.0001, "0.0001"},
        {0.00001, "1e-005"},
        {9999999999999.5, "1e+013"},                     // rounding carries into the exponent
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(doubleToText(c.value).bytes(), c.expected);
    }
}

TEST(TruncateToInt, TruncatesTowardZeroAndKeepsTheLow32Bits)
{
    EXPECT_EQ(truncateToInt(2.9), 2);
    EXPECT_EQ(truncateToInt(-2.9), -2);
    EXPECT_EQ(truncateToInt(2147483648.0), INT32_MIN);
    EXPECT_EQ(truncateToInt(4294967297.0), 1);
    EXPECT_EQ(truncateToInt(1e300), -1);  // clamps to INT64_MAX, whose low 32 bits are all ones
}

}  // namespace
}  // namespace sg8
