#include "data/save_format.h"
#include "tests/core/fixtures.h"

#include <gtest/gtest.h>

namespace sg8 {
namespace {

using testing::hex;

TEST(EncodeSaveFile, WritesTheWorkedExampleByteForByte)
{
    const ByteString file = encodeSaveFile({testing::workedExampleGeneral()}, 0);
    EXPECT_EQ(file.size(), 267u);
    EXPECT_EQ(file, testing::workedExampleFile());
}

TEST(EncodeSaveFile, WritesTheEmptyFileAndTheAllEmptyGeneral)
{
    EXPECT_EQ(encodeSaveFile({}, 0x01020304), hex("22 01 00 00 00 FF 22 00 00 00 00 FF 22 04 03 02 01 FF"));
    EXPECT_EQ(encodeSaveFile({CustomGeneral{}}, 0).size(), kEmptyFileSize + kEmptyGeneralSize);
}

TEST(EncodeSaveFile, WritesNegativeIntsInTwosComplementAndIdTwice)
{
    CustomGeneral g;
    g.id = -1;
    const ByteString file = encodeSaveFile({g}, 0);
    EXPECT_EQ(file.view().substr(12, 12), hex("22 FF FF FF FF FF 22 FF FF FF FF FF").view());
}

TEST(EncodeSaveFile, WritesTheUtf8LengthOfEachText)
{
    CustomGeneral g;
    g.biography = Text::fromUtf8("张三丰");
    const ByteString file = encodeSaveFile({g}, 0);
    // header, count, two ids, three empty texts, then the biography: 01, length 9, 9 bytes, FF
    const std::size_t at = 6 * 4 + 6 * 3;
    EXPECT_EQ(file.view().substr(at, 5), hex("01 09 00 00 00").view());
    EXPECT_EQ(file.view().substr(at + 5, 9), "张三丰");
    EXPECT_EQ(static_cast<std::uint8_t>(file.view()[at + 14]), 0xFF);
}

TEST(EncodeSaveFile, WritesExactBytesOfTextsTheCodePageCantHold)
{
    CustomGeneral g;
    g.surname = GeneralText::fromUtf8(ByteString(std::string("한")));
    EXPECT_EQ(g.surname.text().bytes(), "?");
    const ByteString file = encodeSaveFile({g}, 0);
    EXPECT_NE(file.view().find("한"), std::string_view::npos);
}

}  // namespace
}  // namespace sg8
