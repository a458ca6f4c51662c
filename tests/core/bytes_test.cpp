#include "data/text.h"

#include <gtest/gtest.h>

namespace sg8 {
namespace {

ByteString bytes(std::string_view s)
{
    return ByteString(std::string(s));
}

TEST(ReadIntAt, ReadsLittleEndianWithMissingBytesAsZero)
{
    const ByteString three{0x01, 0x02, 0x03};
    EXPECT_EQ(readIntAt(three, 2), 0x0302);
    EXPECT_EQ(readIntAt(three), 0x030201);
    EXPECT_EQ(readIntAt(three, 4), 0);
    EXPECT_EQ(readIntAt(three, 0), 0);
    EXPECT_EQ(readIntAt(three, -5), 0);
    EXPECT_EQ(readIntAt(ByteString{0xFF, 0xFF, 0xFF, 0xFF}), -1);
    EXPECT_EQ(readIntAt(ByteString{}), 0);
}

TEST(IntToBytes, IsFourBytesLeastSignificantFirst)
{
    EXPECT_EQ(intToBytes(1001), (ByteString{0xE9, 0x03, 0x00, 0x00}));
    EXPECT_EQ(intToBytes(-1), (ByteString{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(Slicing, ClampsCountsAndStarts)
{
    const ByteString abc = bytes("abc");
    struct Case {
        const char* name;
        ByteString result;
        const char* expected;
    } cases[] = {
        {"left negative", leftBytes(abc, -1), ""},
        {"left beyond", leftBytes(abc, 10), "abc"},
        {"left 2", leftBytes(abc, 2), "ab"},
        {"right negative", rightBytes(abc, -3), ""},
        {"right beyond", rightBytes(abc, 10), "abc"},
        {"right 2", rightBytes(abc, 2), "bc"},
        {"mid start 0", midBytes(abc, 0, 2), "ab"},
        {"mid start below 0", midBytes(abc, -7, 1), "a"},
        {"mid start beyond", midBytes(abc, 5, 2), ""},
        {"mid count beyond", midBytes(abc, 2, 9), "bc"},
        {"mid count negative", midBytes(abc, 2, -1), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result.bytes(), c.expected);
    }
}

TEST(FindLastBytes, FindsTheLastOccurrenceOrMinusOne)
{
    EXPECT_EQ(findLastBytes(bytes("xaxax"), bytes("x")), 5);
    EXPECT_EQ(findLastBytes(bytes("aaaa"), bytes("aa")), 3);  // overlapping occurrences count
    EXPECT_EQ(findLastBytes(bytes("ab"), bytes("abc")), -1);
    EXPECT_EQ(findLastBytes(bytes("ab"), bytes("")), -1);
    EXPECT_EQ(findLastBytes(bytes("ab"), bytes("c")), -1);
}

TEST(SplitBytes, KeepsEmptyMembersButNoEmptyLastOne)
{
    struct Case {
        const char* input;
        std::vector<std::string> expected;
    } cases[] = {
        {"A|B||C|", {"A", "B", "", "C"}},
        {"|A", {"", "A"}},
        {"A", {"A"}},
        {"", {}},
        {"||", {"", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        std::vector<std::string> members;
        for (const ByteString& piece : splitBytes(bytes(c.input), bytes("|"))) members.push_back(piece.bytes());
        EXPECT_EQ(members, c.expected);
    }
    EXPECT_EQ(splitBytes(bytes("a|b"), ByteString()).size(), 1u);
}

TEST(Concatenation, AbsentAndEmptyPartsAddNothing)
{
    EXPECT_TRUE(concatBytes({ByteString(), bytes("")}).empty());
    EXPECT_EQ(concatBytes({bytes("a"), ByteString(), bytes("b")}).bytes(), "ab");
    EXPECT_TRUE(concatTexts({Text(), Text("")}).empty());
    EXPECT_EQ(concatTexts({Text("x"), Text(), Text("y")}).bytes(), "xy");
    EXPECT_TRUE(bytesEqual(ByteString(), bytes("")));
    EXPECT_FALSE(bytesEqual(bytes("a"), bytes("ab")));
}

TEST(TextValue, EndsAtTheFirstZeroByte)
{
    const Text text(std::string_view("ab\0cd", 5));
    EXPECT_EQ(textLength(text), 2);
    EXPECT_EQ(textLength(Text()), 0);
}

}  // namespace
}  // namespace sg8
