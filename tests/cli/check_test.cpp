#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"
#include "tests/core/file_builder.h"

#include <gtest/gtest.h>

namespace sg8::testing {
namespace {

std::string regularFile()
{
    return FileBuilder().intValue(1).intValue(2).general(11, 11, 3).general(12, 12, 4).intValue(0).bytes().bytes();
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
         FileBuilder().intValue(1).intValue(2).general(11, 11, 3, true).general(12, 12, 4, true).intValue(0).bytes().bytes(),
         1, {"武将数：2", "旧版格式", "第 1、2 名", "不能逐字节重现", "older.bytes 未通过检查"}},
        {"irregular", irregular, 1, {"武将数：2", "不规范", "不能逐字节重现"}},
        {"bytes before the first value", "xx" + regular, 1, {"2 个字节", "第一处差异在字节偏移 0"}},
        {"two ids that differ", FileBuilder().intValue(1).intValue(1).general(11, 12).intValue(0).bytes().bytes(), 1,
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

}  // namespace
}  // namespace sg8::testing
