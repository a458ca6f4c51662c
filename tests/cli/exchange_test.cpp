#include "data/fields.h"
#include "data/load.h"
#include "data/save.h"
#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace sg8::testing {
namespace {

using Json = nlohmann::ordered_json;

// export → import gives back the file byte for byte, also with texts outside the
// code page, line breaks, quotes and commas, and ints at the ends of their range.
TEST(Exchange, ExportThenImportReproducesTheFile)
{
    struct Case {
        const char* name;
        std::vector<std::string> exportArguments;
        const char* exchangeFile;
        bool toStdout;
        bool intoCopyOfOriginal;  // CSV carries no trailing value: the target keeps its own
    };
    const Case cases[] = {
        {"json on standard output", {"export", "a.bytes"}, "a.json", true, false},
        {"json with -o", {"export", "a.bytes", "-o", "a.json"}, "a.json", false, false},
        {"csv with --format", {"export", "a.bytes", "--format", "csv", "-o", "a.csv"}, "a.csv", false, true},
        {"csv by the extension", {"export", "a.bytes", "-o", "a.csv"}, "a.csv", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string original = encodeSaveFile(exoticGenerals(), 77).bytes();
        writeBytes(folder / "a.bytes", original);

        const Outcome exported = sg8gen(folder, c.exportArguments);
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_EQ(exported.err, "");
        if (c.toStdout) writeBytes(folder / c.exchangeFile, exported.out);
        EXPECT_EQ(fileBytes(folder / "a.bytes"), original);

        if (c.intoCopyOfOriginal) writeBytes(folder / "b.bytes", original);
        const Outcome imported = sg8gen(folder, {"import", "b.bytes", "--from", c.exchangeFile});
        ASSERT_EQ(imported.exitCode, 0) << imported.err;
        EXPECT_EQ(fileBytes(folder / "b.bytes"), original);
    }
}

TEST(Exchange, JsonHoldsEveryFieldInOrderWithExactTexts)
{
    TempFolder folder;
    writeBytes(folder / "a.bytes", encodeSaveFile(exoticGenerals(), 77).bytes());
    const Outcome run = sg8gen(folder, {"export", "a.bytes"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"星😀\""), std::string::npos) << "non-ASCII must not be escaped";

    const Json root = Json::parse(run.out);
    ASSERT_EQ(root.size(), 2u);
    EXPECT_EQ(root.begin().key(), "trailerValue");
    EXPECT_EQ(root["trailerValue"], 77);
    ASSERT_EQ(root["generals"].size(), 3u);
    const Json& second = root["generals"][1];
    std::size_t position = 0;
    for (const auto& [key, value] : second.items()) {
        SCOPED_TRACE(key);
        ASSERT_LT(position, kFields.size());
        const FieldInfo& field = kFields[position++];
        EXPECT_EQ(key, field.name);
        EXPECT_EQ(value.is_number_integer(), field.kind == FieldKind::Int);
        EXPECT_EQ(value.is_string(), field.kind == FieldKind::Text);
    }
    EXPECT_EQ(position, kFields.size());
    EXPECT_EQ(second["baseStamina"], -2147483648LL);
    EXPECT_EQ(root["generals"][0]["biography"], "一行，\"引号\"\r\n二行\n三行,结束");
}

TEST(Exchange, CsvHasByteOrderMarkHeaderAndRfc4180Quoting)
{
    TempFolder folder;
    writeBytes(folder / "a.bytes", encodeSaveFile(exoticGenerals(), 77).bytes());
    const Outcome run = sg8gen(folder, {"export", "a.bytes", "--format", "csv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::string header = "\xEF\xBB\xBF";
    for (const FieldInfo& field : kFields) header += std::string(field.index ? "," : "") + std::string(field.name);
    ASSERT_TRUE(run.out.starts_with(header + "\r\n")) << run.out.substr(0, 200);
    EXPECT_TRUE(run.out.ends_with("\r\n"));
    EXPECT_NE(run.out.find(",\"一行，\"\"引号\"\"\r\n二行\n三行,结束\","), std::string::npos);
    EXPECT_NE(run.out.find(",\"a,b\","), std::string::npos);
    EXPECT_NE(run.out.find(",-2147483648,2147483647,"), std::string::npos);
}

TEST(Exchange, ImportCreatesAMissingFile)
{
    TempFolder folder;
    const GeneralList generals = exoticGenerals();
    writeBytes(folder / "a.bytes", encodeSaveFile(generals, 77).bytes());
    ASSERT_EQ(sg8gen(folder, {"export", "a.bytes", "-o", "a.json"}).exitCode, 0);
    ASSERT_EQ(sg8gen(folder, {"export", "a.bytes", "-o", "a.csv"}).exitCode, 0);

    EXPECT_EQ(sg8gen(folder, {"import", "new.bytes", "--from", "a.json", "--backup"}).exitCode, 0);
    EXPECT_EQ(fileBytes(folder / "new.bytes"), encodeSaveFile(generals, 77).bytes()) << "JSON gives the trailer";
    EXPECT_EQ(sg8gen(folder, {"import", "fromcsv.bytes", "--from", "a.csv"}).exitCode, 0);
    EXPECT_EQ(fileBytes(folder / "fromcsv.bytes"), encodeSaveFile(generals, 0).bytes()) << "CSV gives 0";
    EXPECT_FALSE(std::filesystem::exists(folder / "new.bytes.bak"));
}

TEST(Exchange, ImportBackupKeepsTheOldFile)
{
    TempFolder folder;
    const std::string old = encodeSaveFile(exoticGenerals(), 5).bytes();
    writeBytes(folder / "a.bytes", old);
    GeneralList one(1);
    one[0].id = 42;
    writeBytes(folder / "one.bytes", encodeSaveFile(one, 9).bytes());
    ASSERT_EQ(sg8gen(folder, {"export", "one.bytes", "-o", "one.json"}).exitCode, 0);

    const Outcome run = sg8gen(folder, {"import", "a.bytes", "--from", "one.json", "--backup"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(fileBytes(folder / "a.bytes"), encodeSaveFile(one, 9).bytes());
    EXPECT_EQ(fileBytes(folder / "a.bytes.bak"), old);
}

TEST(Exchange, TextThatIsNotUtf8IsExportedWithReplacementAndAWarning)
{
    TempFolder folder;
    GeneralList generals(2);
    generals[1].biography = utf8Text("好\xC3\x28坏");
    ASSERT_TRUE(generals[1].biography.hasExactUtf8());
    writeBytes(folder / "a.bytes", encodeSaveFile(generals, 0).bytes());

    const Outcome run = sg8gen(folder, {"export", "a.bytes"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("\"好\xEF\xBF\xBD(坏\""), std::string::npos);
    EXPECT_NE(run.err.find("第 2 名武将的 biography"), std::string::npos) << run.err;
}

TEST(Exchange, ExportFailuresExitOneAndWriteNothing)
{
    TempFolder folder;
    writeBytes(folder / "a.bytes", encodeSaveFile(exoticGenerals(), 0).bytes());
    writeBytes(folder / "junk.bytes", "not a save file");
    const auto before = snapshot(folder);

    const Outcome intoMissingFolder = sg8gen(folder, {"export", "a.bytes", "-o", "missing/a.json"});
    EXPECT_EQ(intoMissingFolder.exitCode, 1);
    EXPECT_NE(intoMissingFolder.err.find("missing/a.json"), std::string::npos) << intoMissingFolder.err;

    const Outcome refused = sg8gen(folder, {"export", "junk.bytes", "-o", "junk.json"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("junk.bytes"), std::string::npos) << refused.err;
    EXPECT_EQ(snapshot(folder), before);
}

}  // namespace
}  // namespace sg8::testing
