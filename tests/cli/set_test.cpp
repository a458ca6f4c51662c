#include "data/backup_history.h"
#include "data/load.h"
#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"

#include <gtest/gtest.h>

#include <optional>

namespace sg8::testing {
namespace {

GeneralList loadGenerals(const std::filesystem::path& path)
{
    Result<LoadedFile> loaded = loadSaveFile(path);
    EXPECT_TRUE(loaded) << (loaded ? "" : loaded.error().message);
    return loaded ? loaded->generals : GeneralList{};
}

// Int values are whole decimal numbers within 32 bits; full-width digits and
// blanks around them are allowed. Anything else is refused, naming the field and
// the value, and nothing is written.
TEST(Set, IntValuesAreWholeNumbersWithin32Bits)
{
    struct Case {
        const char* value;
        std::optional<std::int32_t> stored;  // nothing: refused
    };
    const Case cases[] = {
        {"６０", 60},
        {"　＋１２３", 123},  // ideographic space and full-width plus
        {"－７", -7},
        {" 12 ", 12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"12.9", std::nullopt},
        {"", std::nullopt},
        {"4294967297", std::nullopt},   // would wrap to 1
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        TempFolder folder;
        const GeneralList generals = exoticGenerals();
        writeBytes(folder / "a.bytes", encodeSaveFile(generals, 77).bytes());
        const auto before = snapshot(folder);

        const Outcome run = sg8gen(folder, {"set", "a.bytes", "--index", "2", std::string("lifespan=") + c.value});
        if (!c.stored) {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_NE(run.err.find("lifespan"), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(std::string(c.value) + (*c.value ? "" : "\"")), std::string::npos) << run.err;
            EXPECT_NE(run.err.find("未写入任何文件"), std::string::npos) << run.err;
            EXPECT_EQ(snapshot(folder), before);
            EXPECT_TRUE(listBackupVersions(folder / "a.bytes").empty());
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << run.err;
        GeneralList expected = generals;
        expected[1].lifespan = *c.stored;
        EXPECT_EQ(fileBytes(folder / "a.bytes"), encodeSaveFile(expected, 77).bytes());
        EXPECT_NE(run.out.find("lifespan = " + std::to_string(*c.stored)), std::string::npos) << run.out;
    }
}

// --all, and lists and ranges of --id and --index: every general named changes,
// the others stay, and the whole command is one save.
TEST(Set, ChangesEveryGeneralNamedInOneSave)
{
    GeneralList generals;
    for (std::int32_t i = 1; i <= 12; ++i) {
        CustomGeneral general;
        general.id = 9000 + i;
        general.lifespan = i;
        generals.push_back(general);
    }
    generals[11].id = -3;
    struct Case {
        const char* name;
        std::vector<std::string> target;
        std::vector<int> changed;  // 1-based
    } cases[] = {
        {"all", {"--all"}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"ids", {"--id", "9001,9003"}, {1, 3}},
        {"an id range and a negative id", {"--id", "9009-9011,-3"}, {9, 10, 11, 12}},
        {"indexes and ranges", {"--index", "1-3,12"}, {1, 2, 3, 12}},
        {"overlapping ranges", {"--index", "5-6,6,4-5"}, {4, 5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        writeBytes(folder / "a.bytes", encodeSaveFile(generals, 5).bytes());
        std::vector<std::string> arguments = {"set", "a.bytes"};
        arguments.insert(arguments.end(), c.target.begin(), c.target.end());
        arguments.insert(arguments.end(), {"lifespan=99", "voice=v"});
        const Outcome run = sg8gen(folder, arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;

        GeneralList expected = generals;
        for (const int n : c.changed) {
            expected[static_cast<std::size_t>(n - 1)].lifespan = 99;
            expected[static_cast<std::size_t>(n - 1)].voice = utf8Text("v");
        }
        EXPECT_EQ(loadGenerals(folder / "a.bytes"), expected);
        EXPECT_EQ(listBackupVersions(folder / "a.bytes").size(), 1u) << "one save";
        if (c.changed.size() > 1) {
            EXPECT_NE(run.out.find(std::to_string(c.changed.size()) + " 名武将"), std::string::npos) << run.out;
        }
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
        {"one index of a list beyond the last", {"set", "a.bytes", "--index", "1,2-7", "lifespan=1"}, "2-7"},
        {"one id of a list unknown", {"set", "a.bytes", "--id", "7001,4242", "lifespan=1"}, "4242"},
        {"an id range that no general falls in", {"set", "a.bytes", "--id", "100-200", "lifespan=1"}, "100-200"},
        {"an id range over an id two generals hold", {"set", "a.bytes", "--id", "7001-7003", "lifespan=1"}, "第 3、4 名"},
        {"an int value that doesn't fit", {"set", "a.bytes", "--all", "baseStrength=4294967297"}, "baseStrength"},
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
        EXPECT_TRUE(listBackupVersions(folder / "a.bytes").empty());
    }
}

TEST(Set, ListsThatArentListsAreUsageErrors)
{
    TempFolder folder;
    writeBytes(folder / "a.bytes", encodeSaveFile(exoticGenerals(), 77).bytes());
    const auto before = snapshot(folder);
    const std::vector<std::vector<std::string>> cases = {
        {"--index", "3-1"},       // a range backwards
        {"--index", "0-2"},       // there is no general 0
        {"--index", "1,,2"},
        {"--id", "7001;7003"},
        {"--id", "1-"},
        {"--all", "--index", "1"},  // more than one way of naming generals
    };
    for (const std::vector<std::string>& target : cases) {
        std::vector<std::string> arguments = {"set", "a.bytes"};
        arguments.insert(arguments.end(), target.begin(), target.end());
        arguments.push_back("lifespan=1");
        SCOPED_TRACE(target.back());
        const Outcome run = sg8gen(folder, arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(target.front()), std::string::npos) << run.err;
        EXPECT_EQ(snapshot(folder), before);
    }
}

}  // namespace
}  // namespace sg8::testing
