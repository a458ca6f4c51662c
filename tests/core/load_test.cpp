#include "data/cutting.h"
#include "data/load.h"
#include "tests/core/file_builder.h"
#include "tests/core/fixtures.h"
#include "tests/core/temp_folder.h"
#include "data/file_io.h"

#include <gtest/gtest.h>

namespace sg8 {
namespace {

using testing::FileBuilder;
using testing::hex;

LoadedFile loadOk(const ByteString& bytes)
{
    Result<LoadedFile> loaded = loadSaveFile(bytes);
    if (!loaded) ADD_FAILURE() << loaded.error().message;
    return loaded ? loaded.value() : LoadedFile{};
}

bool mentions(const std::vector<std::string>& warnings, std::string_view part)
{
    for (const std::string& w : warnings) {
        if (w.find(part) != std::string::npos) return true;
    }
    return false;
}

TEST(Load, ReadsTheWorkedExample)
{
    const LoadedFile file = loadOk(testing::workedExampleFile());
    ASSERT_EQ(file.generals.size(), 1u);
    EXPECT_EQ(file.generals[0], testing::workedExampleGeneral());
    EXPECT_EQ(file.trailerValue, 0);
    EXPECT_TRUE(file.warnings.empty());
    EXPECT_TRUE(file.verdict.byteExact);
    EXPECT_FALSE(file.readByCuttingRules);
}

TEST(Load, ReadsAFileWithNoGenerals)
{
    const LoadedFile file = loadOk(encodeSaveFile({}, 77));
    EXPECT_TRUE(file.generals.empty());
    EXPECT_EQ(file.trailerValue, 77);
    EXPECT_TRUE(file.verdict.byteExact);
}

// Values that the cutting rules misplace: the reader by kinds and lengths must read
// them, and the file must come back byte for byte.
TEST(Load, ReadsOutOfLimitValuesAndRoundTripsThem)
{
    struct Case {
        const char* name;
        void (*edit)(CustomGeneral&);
        std::int32_t trailer;
    } cases[] = {
        {"int holding FF 22 (8959)", [](CustomGeneral& g) { g.relation = 8959; }, 0},
        {"FF 22 in every int", [](CustomGeneral& g) { for (int i = 15; i < 40; ++i) g.intField(i) = 0x22FF22FF; }, 0},
        {"portraitId -1", [](CustomGeneral& g) { g.portraitId = -1; }, 0},
        {"dialogueStyle 255", [](CustomGeneral& g) { g.dialogueStyle = 255; }, 0},
        {"id with FF bytes", [](CustomGeneral& g) { g.id = -1; }, 0},
        {"text of exactly 255 UTF-8 bytes", [](CustomGeneral& g) { g.biography = Text(std::string(255, 'x')); }, 0},
        {"text holding FF 22 in its length (8959 bytes)",
         [](CustomGeneral& g) { g.biography = Text(std::string(8959, 'y')); }, 0},
        {"trailing value with an FF byte", [](CustomGeneral&) {}, 255},
        {"trailing value -1", [](CustomGeneral&) {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GeneralList generals = {testing::distinctGeneral(1), testing::distinctGeneral(2)};
        c.edit(generals[0]);
        const ByteString bytes = encodeSaveFile(generals, c.trailer);
        const LoadedFile file = loadOk(bytes);
        EXPECT_EQ(file.generals, generals);
        EXPECT_EQ(file.trailerValue, c.trailer);
        EXPECT_TRUE(file.verdict.byteExact) << file.verdict.reason;
        EXPECT_EQ(encodeSaveFile(file.generals, file.trailerValue), bytes);
    }
}

TEST(Load, KeepsTextsTheCodePageCantHoldByteForByte)
{
    for (const std::string& utf8 :
         {std::string("김"), std::string("😀 emoji"), std::string("ab\x80" "cd"), std::string("nul\0inside", 10)}) {
        SCOPED_TRACE(utf8);
        CustomGeneral g;
        g.id = 5;
        g.givenName = GeneralText::fromUtf8(ByteString(utf8));
        const ByteString file = encodeSaveFile({g}, 3);
        const LoadedFile loaded = loadOk(file);
        ASSERT_EQ(loaded.generals.size(), 1u);
        EXPECT_EQ(loaded.generals[0].givenName.utf8().bytes(), utf8);
        EXPECT_TRUE(loaded.verdict.byteExact);
        EXPECT_EQ(encodeSaveFile(loaded.generals, loaded.trailerValue), file);
    }
}

TEST(Load, ReadsTheOlderLayoutWithEmptyModelParts)
{
    const ByteString bytes = FileBuilder().intValue(1).intValue(2).general(7, 7, 0, true).general(8, 8).intValue(0).bytes();
    const LoadedFile file = loadOk(bytes);
    ASSERT_EQ(file.generals.size(), 2u);
    EXPECT_EQ(file.generals[0].modelCode.text().bytes(), "m1");
    EXPECT_TRUE(file.generals[0].modelHelmet.text().empty());
    EXPECT_TRUE(file.generals[0].modelRightShoulder.text().empty());
    EXPECT_EQ(file.generals[1].modelRightShoulder.text().bytes(), "m4");
    EXPECT_FALSE(file.readByCuttingRules);
    EXPECT_TRUE(mentions(file.warnings, "旧版格式"));
    EXPECT_FALSE(file.verdict.byteExact);
    EXPECT_NE(file.verdict.reason.find("旧版格式"), std::string::npos);
    EXPECT_EQ(encodeSaveFile(file.generals, file.trailerValue).size(), bytes.size() + 18);
}

TEST(Load, IgnoresLeadingBytesAndValuesBeforeTheTrailingValue)
{
    const ByteString bytes =
        FileBuilder().raw("junk").intValue(1).intValue(1).general(3, 3).intValue(11).textValue("x").intValue(42).bytes();
    const LoadedFile file = loadOk(bytes);
    ASSERT_EQ(file.generals.size(), 1u);
    EXPECT_EQ(file.trailerValue, 42);
    EXPECT_TRUE(mentions(file.warnings, "开头有 4 个字节"));
    EXPECT_TRUE(mentions(file.warnings, "2 个值被忽略"));
    EXPECT_FALSE(file.verdict.byteExact);
    EXPECT_EQ(file.verdict.firstDifference, 0);
}

TEST(Load, LoadsAGeneralWithMismatchedIdsInItsPlaceAndWarns)
{
    const ByteString bytes =
        FileBuilder().intValue(1).intValue(3).general(1, 1, 10).general(2, 99, 20).general(3, 3, 30).intValue(0).bytes();
    const LoadedFile file = loadOk(bytes);
    ASSERT_EQ(file.generals.size(), 3u);
    EXPECT_EQ(file.generals[1].id, 2);
    EXPECT_EQ(file.generals[1].lifespan, 20);
    EXPECT_EQ(file.generals[2].id, 3);
    EXPECT_TRUE(mentions(file.warnings, "第 2 名武将的两个 ID 不一致（2 与 99）"));
    EXPECT_FALSE(file.verdict.byteExact);
}

TEST(Load, ReadsAnIrregularFileByTheCuttingRules)
{
    // A text whose length field says 2 while 5 UTF-8 bytes follow: the last 2 are read.
    FileBuilder builder;
    builder.intValue(1).intValue(1).intValue(4).intValue(4).textValueClaiming(2, "abcde");
    for (int k = 0; k < 3; ++k) builder.textValue("");
    builder.intValue(0);
    for (int k = 0; k < 5; ++k) builder.textValue("");
    builder.intValue(5).intValue(1).intValue(2).textValue("");
    for (int k = 15; k <= 39; ++k) builder.intValue(k);
    builder.intValue(9);

    const LoadedFile file = loadOk(builder.bytes());
    ASSERT_EQ(file.generals.size(), 1u);
    EXPECT_TRUE(file.readByCuttingRules);
    EXPECT_EQ(file.generals[0].surname.text().bytes(), "de");
    EXPECT_EQ(file.generals[0].opaque39, 39);
    EXPECT_EQ(file.trailerValue, 9);
    EXPECT_TRUE(mentions(file.warnings, "不规范"));
    EXPECT_FALSE(file.verdict.byteExact);
}

TEST(Load, RefusesWhatItCantRead)
{
    const ByteString oneGeneral = encodeSaveFile({testing::distinctGeneral(1)}, 0);
    struct Case {
        const char* name;
        ByteString bytes;
        const char* says;
        std::optional<int> general;
    } cases[] = {
        {"empty file", ByteString(), "文件是空的", {}},
        {"no int at all", ByteString(std::string("hello")), "没有任何整数值", {}},
        {"first value 2", FileBuilder().intValue(2).intValue(0).intValue(0).bytes(), "不是 1", {}},
        {"only the header", FileBuilder().intValue(1).bytes(), "武将数", {}},
        {"negative count", FileBuilder().intValue(1).intValue(-1).intValue(0).bytes(), "负数", {}},
        {"huge count", FileBuilder().intValue(1).intValue(0x7FFFFFFF).intValue(0).bytes(), "最多只能容纳", {}},
        {"fewer values than the count needs",
         ByteString(std::string(oneGeneral.view().substr(0, 250))), "提前结束", 1},
        {"a text where an int belongs",
         FileBuilder().intValue(1).intValue(1).intValue(1).textValue("x").general(1, 1).intValue(0).bytes(), "应为整数值", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Result<LoadedFile> loaded = loadSaveFile(c.bytes);
        ASSERT_FALSE(loaded);
        EXPECT_NE(loaded.error().message.find(c.says), std::string::npos) << loaded.error().message;
        EXPECT_EQ(loaded.error().general, c.general) << loaded.error().message;
    }
}

TEST(Load, TruncationAtAnyByteNeverLoadsWrongData)
{
    const GeneralList generals = {testing::distinctGeneral(1), testing::distinctGeneral(2)};
    const ByteString whole = encodeSaveFile(generals, 5);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        Result<LoadedFile> loaded = loadSaveFile(ByteString(std::string(whole.view().substr(0, n))));
        if (loaded) {
            // Only a file cut inside its trailing value may still load, and says so.
            EXPECT_GE(n, whole.size() - 6) << n;
            EXPECT_EQ(loaded->generals, generals);
            EXPECT_FALSE(loaded->warnings.empty());
        }
    }
}

// A file's errors name it by its name, say what is wrong and that nothing was loaded.
TEST(Load, ReadsAFileFromDiskOrSaysWhyNot)
{
    Result<LoadedFile> missing = loadSaveFile(std::filesystem::path("/nonexistent/x.bytes"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().message,
              "无法读取“x.bytes”：找不到该文件或它所在的文件夹（打开文件时出错）。未载入任何武将");

    testing::TempFolder folder;
    std::string damaged = testing::workedExampleFile().bytes();
    damaged[6] = '\x01';  // the count's kind byte
    ASSERT_TRUE(replaceFile(folder / "坏.bytes", ByteString(damaged)));
    Result<LoadedFile> refused = loadSaveFile(folder / "坏.bytes");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message.rfind("无法载入“坏.bytes”：文件已损坏，或者不是自创武将存档。详情：", 0), 0u)
        << refused.error().message;
    EXPECT_NE(refused.error().message.find("字节偏移 6"), std::string::npos) << refused.error().message;
    EXPECT_EQ(refused.error().offset, 6);
    EXPECT_NE(refused.error().message.find("。未载入任何武将"), std::string::npos) << refused.error().message;
}

TEST(CuttingRules, CutTheWorkedExampleInto33Segments)
{
    const std::vector<ByteString> segments = collectSegments(testing::workedExampleFile(), 0x22, 0xFF);
    ASSERT_EQ(segments.size(), 33u);
    EXPECT_EQ(segments[0], hex("01 00 00 00"));
    EXPECT_EQ(segments[2], hex("E9 03 00 00"));
    EXPECT_EQ(segments[3], hex("E9 03 00 00 FF 01 03 00 00 00 E7 94 B2 FF 01 00 00 00 00 FF 01 00 00 00 00 FF "
                               "01 00 00 00 00"));
    EXPECT_EQ(segments[7], hex("02 00 00 00 FF 01 00 00 00 00"));
    EXPECT_TRUE(collectSegments(ByteString(), 0x22, 0xFF).empty());
}

TEST(CuttingRules, FindAndExtractCheckEveryIndex)
{
    const ByteString b(std::string("xa\"12\xFFz"));
    EXPECT_EQ(findBytesFrom(b, ByteString(std::string("\"")), -3), 3);
    EXPECT_EQ(findBytesFrom(b, ByteString(std::string("x")), 2), -1);
    EXPECT_EQ(findBytesFrom(b, ByteString(std::string("z")), 100), -1);
    EXPECT_EQ(findBytesFrom(ByteString(), ByteString(std::string("z")), 1), -1);
    EXPECT_EQ(extractBetween(b, ByteString(std::string("\"")), 0xFF, 1).bytes(), "12");
    EXPECT_TRUE(extractBetween(b, ByteString(std::string("q")), 0xFF, 1).empty());
    EXPECT_TRUE(extractBetween(b, ByteString(std::string("z")), 0xFF, 1).empty());
}

}  // namespace
}  // namespace sg8
