#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"

#include <gtest/gtest.h>

namespace sg8::testing {
namespace {

TEST(List, PrintsTheHeaderAndOneRowPerGeneralAsTheWindowShowsThem)
{
    TempFolder folder;
    GeneralList generals = exoticGenerals();
    generals.push_back({});
    generals.back().givenName = utf8Text("制\t表");  // a tab would split the cell
    generals.back().weaponType = 7;
    generals.back().gender = 1;
    writeBytes(folder / "a.bytes", encodeSaveFile(generals, 0).bytes());

    const Outcome run = sg8gen(folder, {"list", "a.bytes"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "ID\t武将\t字号\t性别\t寿命\t体力\t武力\t智力\t义理\t武器类型\n"
              "7001\t李星😀\t𠀀한\t男\t60\t0\t0\t0\t0\t远攻法器\n"
              "-1\t无姓\t\t女\t0\t-2147483648\t2147483647\t0\t0\t9\n"
              "7003\t王五\t\t女\t0\t0\t0\t0\t-5\t0\n"
              "0\t制 表\t\t男\t0\t0\t0\t0\t0\t双手兵器\n");
    EXPECT_EQ(run.err, "");
}

TEST(List, RefusedFileExitsOneAndSaysWhere)
{
    TempFolder folder;
    writeBytes(folder / "bad.bytes", std::string("\x22\x02\x00\x00\x00\xFF", 6));
    const Outcome run = sg8gen(folder, {"list", "bad.bytes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("不是 1"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("字节偏移 0"), std::string::npos) << run.err;

    const Outcome missing = sg8gen(folder, {"list", "missing.bytes"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("missing.bytes"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace sg8::testing
