#include "data/file_io.h"
#include "data/load.h"
#include "data/save_file_sniff.h"
#include "tests/core/fixtures.h"
#include "tests/core/temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>

namespace sg8 {
namespace {

using testing::hex;

// The first bytes decide; a file told apart as no save file must be one the loader refuses.
TEST(SaveFileSniff, TellsASaveFileByItsFirstBytesAsTheLoaderWould)
{
    const std::string example = testing::workedExampleFile().bytes();
    const struct {
        const char* name;
        std::string bytes;
        bool saveFile;
        bool loads;
    } cases[] = {
        {"the worked example", example, true, true},
        {"no generals", encodeSaveFile({}, 5).bytes(), true, true},
        {"junk before the first value", "junk" + example, true, true},
        {"a header only the cutting rules read", hex("22 01 FF 22 00 00 00 00 FF 22 07 00 00 00 FF").bytes(), true, true},
        {"a header and nothing after it", hex("22 01 00 00 00 FF").bytes(), true, false},
        {"empty", "", false, false},
        {"a JSON export", R"({"trailerValue": 0, "generals": [{"id": 1001}]})", false, false},
        {"a picture", hex("89 50 4E 47 0D 0A 1A 0A 00 00 00 0D 49 48 44 52 00 00 01 00").bytes(), false, false},
        {"a quote and no seam", "say \"hi\" \xFF", false, false},
        {"a header of 2", hex("22 02 00 00 00 FF 22 00 00 00 00 FF 22 00 00 00 00 FF").bytes(), false, false},
        {"a header of 257 by the cutting rules", hex("22 01 01 FF 22 00 00 00 00 FF 22 00 00 00 00 FF").bytes(), false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(startsLikeSaveFile(c.bytes), c.saveFile);
        EXPECT_EQ(loadSaveFile(ByteString(c.bytes)).ok(), c.loads);
    }
}

TEST(SaveFileSniff, NamesTheFileThatIsNoSaveFileOrCantBeRead)
{
    testing::TempFolder folder;
    ASSERT_TRUE(writeWholeFile(folder / "武将.json", {ByteString(std::string(R"({"generals": []})"))}));
    ASSERT_TRUE(writeWholeFile(folder / "空.bytes", {ByteString()}));
    ASSERT_TRUE(writeWholeFile(folder / "存档.bytes", {testing::workedExampleFile()}));

    EXPECT_TRUE(looksLikeSaveFile(folder / "存档.bytes"));
    const struct {
        const char* name;
        const char* says;
    } refusals[] = {
        {"武将.json", "“武将.json”不是自创武将存档文件（.bytes），未载入任何武将"},
        {"空.bytes", "“空.bytes”是空文件，不是自创武将存档文件（.bytes），未载入任何武将"},
        {"无.bytes", "无法读取“无.bytes”：找不到该文件或它所在的文件夹（打开文件时出错）。未载入任何武将"},
    };
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.name);
        const Status sniffed = looksLikeSaveFile(folder / c.name);
        ASSERT_FALSE(sniffed);
        EXPECT_EQ(sniffed.error().message, c.says);
    }
}

TEST(SaveFileSniff, ReadsNoFurtherThanItNeeds)
{
    testing::TempFolder folder;
    std::string big = testing::workedExampleFile().bytes();
    big.append(8u << 20, '\x22');
    ASSERT_TRUE(writeWholeFile(folder / "big.bytes", {ByteString(big)}));

    std::atomic<int> reads{0};
    setFaultInjector([&](IoStep step) {
        if (step == IoStep::Read) ++reads;
        return 0;
    });
    const Status sniffed = looksLikeSaveFile(folder / "big.bytes");
    setFaultInjector({});
    EXPECT_TRUE(sniffed);
    EXPECT_EQ(reads.load(), 1);
}

}  // namespace
}  // namespace sg8
