#include "data/text.h"

#include <gtest/gtest.h>

#include <climits>

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
