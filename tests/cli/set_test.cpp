#include "data/load.h"
#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"

#include <gtest/gtest.h>

namespace sg8::testing {
namespace {

GeneralList loadGenerals(const std::filesystem::path& path)
{
    Result<LoadedFile> loaded = loadSaveFile(path);
    EXPECT_TRUE(loaded) << (loaded ? "" : loaded.error().message);
    return loaded ? loaded->generals : GeneralList{};
}

// Int values go through the editor's number rule: full-width forms fold, the
// leading number counts, no digit gives 0.
TEST(Set, IntFieldsReadTheValueAsTheEditorsBoxesDo)
{
    struct Case {
        const char* value;
        std::int32_t stored;
    };
    const Case cases[] = {
        {"６０", 60},
        {"　＋１２３", 123},  // ideographic space and full-width plus
        {"－７", -7},
        {"12abc", 12},
        {"12.9", 12},
        {"abc", 0},
        {"", 0},
        {"4294967297", 1},  // wraps as the editor's boxes do
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        TempFolder folder;
        const GeneralList generals = exoticGenerals();
        writeBytes(folder / "a.bytes", encodeSaveFile(generals, 77).bytes());

        const Outcome run = sg8gen(folder, {"set", "a.bytes", "--index", "2", std::string("lifespan=") + c.value});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        GeneralList expected = generals;
        expected[1].lifespan = c.stored;
        EXPECT_EQ(fileBytes(folder / "a.bytes"), encodeSaveFile(expected, 77).bytes());
        EXPECT_NE(run.out.find("lifespan = " + std::to_string(c.stored)), std::string::npos) << run.out;
    }
}

TEST(Set, ById_SeveralFields_TextsExact_Backup)
{
    TempFolder folder;
    const GeneralList generals = exoticGenerals();
    const std::string old = encodeSaveFile(generals, 77).bytes();
    writeBytes(folder / "a.bytes", old);

    const Outcome run = sg8gen(folder, {"set", "a.bytes", "--id", "7003", "courtesyName=孟德😀", "baseStrength=９９",
                                    "biography=", "--backup"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    GeneralList expected = generals;
    expected[2].courtesyName = utf8Text("孟德😀");
    expected[2].baseStrength = 99;
    EXPECT_EQ(loadGenerals(folder / "a.bytes"), expected);
    EXPECT_EQ(fileBytes(folder / "a.bytes"), encodeSaveFile(expected, 77).bytes());
    EXPECT_EQ(fileBytes(folder / "a.bytes.bak"), old);

    // A negative id is an id, not an option.
    const Outcome negative = sg8gen(folder, {"set", "a.bytes", "--id", "-1", "voice=v2"});
    ASSERT_EQ(negative.exitCode, 0) << negative.err;
    EXPECT_EQ(loadGenerals(folder / "a.bytes")[1].voice.utf8().bytes(), "v2");
}

// A refused edit exits 1, says why and writes nothing.
TEST(Set, RefusalsExitOneAndWriteNothing)
{
    GeneralList generals = exoticGenerals();
    generals.push_back(generals[2]);  // a second general with id 7003
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* says;
    };
    const Case cases[] = {
        {"id", {"set", "a.bytes", "--index", "1", "id=5", "--backup"}, "id"},
        {"an opaque field", {"set", "a.bytes", "--index", "1", "lifespan=1", "opaque22=1"}, "opaque22"},
        {"no general with the id", {"set", "a.bytes", "--id", "4242", "lifespan=1"}, "4242"},
        {"two generals with the id", {"set", "a.bytes", "--id", "7003", "lifespan=1"}, "第 3、4 名"},
        {"index beyond the last general", {"set", "a.bytes", "--index", "5", "lifespan=1", "--backup"}, "第 5 名"},
        {"file that isn't a save", {"set", "notes.txt", "--index", "1", "lifespan=1"}, "notes.txt"},
        {"missing file", {"set", "missing.bytes", "--index", "1", "lifespan=1"}, "missing.bytes"},
    };
    TempFolder folder;
    writeBytes(folder / "a.bytes", encodeSaveFile(generals, 77).bytes());
    writeBytes(folder / "notes.txt", "not a save file");
    const auto before = snapshot(folder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = sg8gen(folder, c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("未写入任何文件"), std::string::npos) << run.err;
        EXPECT_EQ(snapshot(folder), before);
    }
}

}  // namespace
}  // namespace sg8::testing
