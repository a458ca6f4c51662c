#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"
#include "tests/core/file_builder.h"

#include <gtest/gtest.h>

namespace sg8::testing {
namespace {

std::string regularFile()
{
    // Every int 2: a value each of the editor's lists can show.
    return FileBuilder().intValue(1).intValue(2).general(11, 11, 2).general(12, 12, 2).intValue(0).bytes().bytes();
}

TEST(Check, VerdictsAndExitCodes)
{
    struct Case {
        const char* name;
        std::string file;
        int exitCode;
        std::vector<std::string> says;  // parts of standard output and standard error together
    };
    std::string irregular = regularFile();
    irregular[irregular.find("\x01\x01\x00\x00\x00v\xFF", 0)] = '\x02';  // the voice's kind byte
    const std::string regular = regularFile();
    const Case cases[] = {
        {"clean", regular, 0, {"武将数：2", "逐字节重现"}},
        {"older layout",
         FileBuilder().intValue(1).intValue(2).general(11, 11, 2, true).general(12, 12, 2, true).intValue(0).bytes().bytes(),
         1, {"武将数：2", "旧版格式", "第 1、2 名", "不能逐字节重现", "older.bytes 未通过检查"}},
        {"irregular", irregular, 1, {"武将数：2", "不规范", "不能逐字节重现"}},
        {"bytes before the first value", "xx" + regular, 1, {"2 个字节", "第一处差异在字节偏移 0"}},
        {"two ids that differ", FileBuilder().intValue(1).intValue(1).general(11, 12, 2).intValue(0).bytes().bytes(), 1,
         {"两个 ID 不一致"}},
        {"cut short", regular.substr(0, 300), 1, {"无法载入", "字节偏移"}},
        {"not a save file", "hello", 1, {"无法载入"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string name = std::string(c.name) == "older layout" ? "older.bytes" : "a.bytes";
        writeBytes(folder / name, c.file);
        const Outcome run = sg8gen(folder, {"check", name});
        EXPECT_EQ(run.exitCode, c.exitCode);
        for (const std::string& part : c.says) EXPECT_NE((run.out + run.err).find(part), std::string::npos) << run.out << run.err;
        EXPECT_EQ(fileBytes(folder / name), c.file);
        EXPECT_EQ(folder.names().size(), 1u);
    }
}

// A general whose every list shows its value, with one field changed at a time.
TEST(Check, WarnsOfValuesTheEditorsListsCantShowAndOfNegativeOrDuplicateIds)
{
    CustomGeneral shown;
    shown.id = 1;
    shown.gender = 1;
    shown.dialogueStyle = 9;
    shown.weaponType = 8;
    shown.advisorTrait = 3;
    shown.management = 2;

    const struct {
        const char* name;
        void (*edit)(CustomGeneral&);
        const char* says;  // the whole warning; nullptr: none
    } cases[] = {
        {"every value shown", [](CustomGeneral&) {}, nullptr},
        {"gender 0", [](CustomGeneral& g) { g.gender = 0; },
         "第 2 名武将（ID 1）的 gender 是 0，编辑器的列表中没有这个值（列表中的值：1 男、2 女）。"},
        {"gender 3", [](CustomGeneral& g) { g.gender = 3; }, "的 gender 是 3，"},
        {"dialogueStyle 10", [](CustomGeneral& g) { g.dialogueStyle = 10; },
         "的 dialogueStyle 是 10，编辑器的列表中没有这个值（列表中的值：1 懦弱、2 聪颖"},
        {"dialogueStyle 0", [](CustomGeneral& g) { g.dialogueStyle = 0; }, "的 dialogueStyle 是 0，"},
        {"weaponType 3", [](CustomGeneral& g) { g.weaponType = 3; },
         "的 weaponType 是 3，编辑器的列表中没有这个值（列表中的值：2 远攻法器、4 远射长弓、5 单手兵器、7 双手兵器、8 长柄兵器）。"},
        {"weaponType 1", [](CustomGeneral& g) { g.weaponType = 1; }, "的 weaponType 是 1，"},
        {"management 3", [](CustomGeneral& g) { g.management = 3; },
         "的 management 是 3，编辑器的列表中没有这个值（列表中的值：0 缺、1 平、2 良）。"},
        {"farming -1", [](CustomGeneral& g) { g.farming = -1; }, "的 farming 是 -1，"},
        {"commerce 7", [](CustomGeneral& g) { g.commerce = 7; }, "的 commerce 是 7，"},
        {"craft 3", [](CustomGeneral& g) { g.craft = 3; }, "的 craft 是 3，"},
        {"advisorTrait 4", [](CustomGeneral& g) { g.advisorTrait = 4; },
         "的 advisorTrait 是 4，编辑器的列表中没有这个值（列表中的值：0 无、1 内政、2 人事、3 谋略）。"},
        {"advisorTrait -3", [](CustomGeneral& g) { g.advisorTrait = -3; }, "的 advisorTrait 是 -3，"},
        {"a negative id", [](CustomGeneral& g) { g.id = -5; }, "第 2 名武将（ID -5）的 ID 是负数。"},
        {"an id twice", [](CustomGeneral& g) { g.id = 7; }, "ID 7 重复：2 名武将（第 2、3 名）共用这个 ID。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GeneralList generals{shown, shown, shown};
        generals[0].id = 0;
        generals[2].id = 7;
        c.edit(generals[1]);
        TempFolder folder;
        writeBytes(folder / "a.bytes", encodeSaveFile(generals, 0).bytes());
        const Outcome run = sg8gen(folder, {"check", "a.bytes"});
        if (!c.says) {
            EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
            EXPECT_EQ(run.out.find("警告"), std::string::npos) << run.out;
            continue;
        }
        EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
        EXPECT_NE(run.err.find("a.bytes 未通过检查：1 条警告"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace sg8::testing
