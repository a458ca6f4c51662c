#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <functional>

namespace sg8::testing {
namespace {

using Json = nlohmann::ordered_json;

struct Refusal {
    const char* name;
    const char* inputName;
    std::function<std::string(const Json& exportedJson, const std::string& exportedCsv)> input;
    std::vector<std::string> says;  // each is part of standard error
};

std::string withJson(const Json& json, const std::function<void(Json&)>& change)
{
    Json copy = json;
    change(copy);
    return copy.dump(2, ' ', false);
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// An import that can't take every general whole writes nothing, not even the backup,
// exits 1 and names the general and the field.
TEST(ImportRefusal, WritesNothingAndNamesTheGeneralAndField)
{
    const std::vector<Refusal> refusals = {
        {"missing key", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x["generals"][1].erase("lifespan"); }); },
         {"第 2 名武将的 lifespan", "缺少"}},
        {"unknown key", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x["generals"][0]["nickname"] = "x"; }); },
         {"第 1 名武将的 nickname", "未知"}},
        {"key given twice", "in.json", [](const Json& j, auto&) { return replaced(j.dump(), "\"lifespan\":60,", "\"lifespan\":60,\"lifespan\":61,"); },
         {"第 1 名武将的 lifespan", "两次"}},
        {"int above 32 bits", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x["generals"][1]["baseStrength"] = 2147483648LL; }); },
         {"第 2 名武将的 baseStrength", "2147483648", "超出"}},
        {"int below 32 bits", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x["generals"][2]["opaque39"] = -2147483649LL; }); },
         {"第 3 名武将的 opaque39", "超出"}},
        {"int beyond 64 bits", "in.json", [](const Json& j, auto&) { return replaced(j.dump(), "\"lifespan\":60", "\"lifespan\":18446744073709551616"); },
         {"第 1 名武将的 lifespan"}},
        {"int as a string", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x["generals"][0]["gender"] = "1"; }); },
         {"第 1 名武将的 gender", "整数"}},
        {"int with a fraction", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x["generals"][0]["gender"] = 1.5; }); },
         {"第 1 名武将的 gender", "整数"}},
        {"text as a number", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x["generals"][2]["surname"] = 3; }); },
         {"第 3 名武将的 surname", "字符串"}},
        {"general not an object", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x["generals"][1] = 5; }); },
         {"第 2 名武将"}},
        {"no trailerValue", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x.erase("trailerValue"); }); },
         {"trailerValue"}},
        {"trailerValue beyond 32 bits", "in.json", [](const Json& j, auto&) { return withJson(j, [](Json& x) { x["trailerValue"] = 1LL << 40; }); },
         {"trailerValue", "超出"}},
        {"broken JSON", "in.json", [](const Json& j, auto&) { return j.dump().substr(0, 100); },
         {"JSON", "字节偏移"}},
        {"CSV without a column", "in.csv", [](auto&, const std::string& csv) { return replaced(csv, ",lifespan,", ",lifespam,"); },
         {"lifespam"}},
        {"CSV int above 32 bits", "in.csv", [](auto&, const std::string& csv) { return replaced(csv, ",2147483647,", ",2147483648,"); },
         {"第 2 名武将的 baseStrength", "超出"}},
        {"CSV int that isn't a number", "in.csv", [](auto&, const std::string& csv) { return replaced(csv, ",-2147483648,", ",12abc,"); },
         {"第 2 名武将的 baseStamina", "12abc"}},
        {"CSV row with a field too few", "in.csv", [](auto&, const std::string& csv) { return replaced(csv, ",-2147483648,", ","); },
         {"第 2 名武将", "39"}},
        {"CSV text in GBK", "in.csv", [](auto&, const std::string& csv) { return replaced(csv, "王", "\xCD\xF5"); },
         {"第 3 名武将的 surname", "UTF-8"}},
        {"CSV quote not closed", "in.csv", [](auto&, const std::string& csv) { return csv + "\"7004"; },
         {"引号"}},
    };

    TempFolder source;
    const std::string original = encodeSaveFile(exoticGenerals(), 77).bytes();
    writeBytes(source / "a.bytes", original);
    const Json exportedJson = Json::parse(sg8gen(source, {"export", "a.bytes"}).out);
    const std::string exportedCsv = sg8gen(source, {"export", "a.bytes", "--format", "csv"}).out;

    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        TempFolder folder;
        writeBytes(folder / "a.bytes", original);
        writeBytes(folder / refusal.inputName, refusal.input(exportedJson, exportedCsv));
        const auto before = snapshot(folder);

        const Outcome run = sg8gen(folder, {"import", "a.bytes", "--from", refusal.inputName, "--backup"});
        EXPECT_EQ(run.exitCode, 1);
        for (const std::string& part : refusal.says) EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("a.bytes 未改动"), std::string::npos) << run.err;
        EXPECT_EQ(snapshot(folder), before);
    }
}

TEST(ImportRefusal, TargetOrInputThatCantBeUsedWritesNothing)
{
    TempFolder folder;
    GeneralList one(1);
    writeBytes(folder / "one.bytes", encodeSaveFile(one, 0).bytes());
    ASSERT_EQ(sg8gen(folder, {"export", "one.bytes", "-o", "one.json"}).exitCode, 0);
    writeBytes(folder / "notes.txt", "my notes, not a save file");
    const auto before = snapshot(folder);

    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* says;
    };
    const Case cases[] = {
        {"target is not a save file", {"import", "notes.txt", "--from", "one.json", "--backup"}, "notes.txt"},
        {"input is missing", {"import", "one.bytes", "--from", "missing.json"}, "missing.json"},
        {"target folder is missing", {"import", "missing/new.bytes", "--from", "one.json"}, "“new.bytes”：找不到该文件或它所在的文件夹"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = sg8gen(folder, c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(snapshot(folder), before);
    }
}

}  // namespace
}  // namespace sg8::testing
