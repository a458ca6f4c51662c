#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"

#include <gtest/gtest.h>

namespace sg8::testing {
namespace {

// Generals are paired by their place in the file; each differing field is a line.
TEST(Diff, OneLinePerDifferingFieldAndPerGeneralInOneFileOnly)
{
    TempFolder folder;
    const GeneralList before = exoticGenerals();
    GeneralList after = before;
    after[0].baseStrength = 95;
    after[0].givenName = utf8Text("星\"\t\\");
    after[1].opaque39 = 0;                      // fields no window shows differ too
    after[2].id = 7004;
    after.push_back({});
    after.back().id = 9001;
    writeBytes(folder / "旧.bytes", encodeSaveFile(before, 0).bytes());
    writeBytes(folder / "新.bytes", encodeSaveFile(after, 3).bytes());

    const Outcome run = sg8gen(folder, {"diff", "旧.bytes", "新.bytes"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out,
              "第 1 名武将（ID 7001）\tgivenName\t\"星😀\" → \"星\\\"\\t\\\\\"\n"
              "第 1 名武将（ID 7001）\tbaseStrength\t0 → 95\n"
              "第 2 名武将（ID -1）\topaque39\t123456 → 0\n"
              "第 3 名武将（ID 7003）\tid\t7003 → 7004\n"
              "第 4 名武将（ID 9001）\t只在 新.bytes 中\n"
              "结尾值\t0 → 3\n");
    EXPECT_EQ(run.err, "");

    const Outcome reversed = sg8gen(folder, {"diff", "新.bytes", "旧.bytes"});
    EXPECT_EQ(reversed.exitCode, 1);
    EXPECT_NE(reversed.out.find("第 4 名武将（ID 9001）\t只在 新.bytes 中\n"), std::string::npos) << reversed.out;
}

TEST(Diff, TextsAreQuotedOnOneLineWithTheirExactBytes)
{
    TempFolder folder;
    GeneralList a(1), b(1);
    a[0].biography = utf8Text("一行\r\n二行");
    b[0].biography = utf8Text("\xB0\xA1 bad UTF-8\x01");
    writeBytes(folder / "a.bytes", encodeSaveFile(a, 0).bytes());
    writeBytes(folder / "b.bytes", encodeSaveFile(b, 0).bytes());

    const Outcome run = sg8gen(folder, {"diff", "a.bytes", "b.bytes"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, "第 1 名武将（ID 0）\tbiography\t\"一行\\r\\n二行\" → \"\\xB0\\xA1 bad UTF-8\\x01\"\n");
}

TEST(Diff, SameGeneralsAndTrailingValueExitZeroWhateverTheBytes)
{
    TempFolder folder;
    const std::string bytes = encodeSaveFile(exoticGenerals(), 5).bytes();
    writeBytes(folder / "a.bytes", bytes);
    writeBytes(folder / "b.bytes", "xx" + bytes);  // bytes before the first value load as nothing
    const Outcome run = sg8gen(folder, {"diff", "a.bytes", "b.bytes"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("警告"), std::string::npos) << run.err;  // the second file's warning is still told
}

TEST(Diff, AFileThatCantBeReadOrAWrongCommandLineExitsTwo)
{
    TempFolder folder;
    writeBytes(folder / "a.bytes", encodeSaveFile({}, 0).bytes());
    writeBytes(folder / "b.json", "{}");
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        const char* says;
    } cases[] = {
        {"the second file missing", {"diff", "a.bytes", "missing.bytes"}, "“missing.bytes”"},
        {"the first file no save file", {"diff", "b.json", "a.bytes"}, "“b.json”"},
        {"one file only", {"diff", "a.bytes"}, "B"},
        {"three files", {"diff", "a.bytes", "a.bytes", "a.bytes"}, "a.bytes"},
    };
    const auto before = snapshot(folder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = sg8gen(folder, c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(snapshot(folder), before);
    }
}

}  // namespace
}  // namespace sg8::testing
