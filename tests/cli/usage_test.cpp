#include "data/save_format.h"
#include "tests/cli/sg8gen_process.h"

#include <gtest/gtest.h>

namespace sg8::testing {
namespace {

TEST(Usage, HelpAndVersionExitZero)
{
    TempFolder folder;
    const Outcome version = sg8gen(folder, {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "sg8gen " SG8_VERSION "\n");

    const Outcome help = sg8gen(folder, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"list", "export", "import", "set", "check"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    const Outcome exportHelp = sg8gen(folder, {"export", "--help"});
    EXPECT_EQ(exportHelp.exitCode, 0);
    EXPECT_NE(exportHelp.out.find("--format"), std::string::npos);
}

// Every usage error exits 2, says what is wrong and leaves the file alone.
TEST(Usage, ErrorsExitTwoAndWriteNothing)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* says;  // part of standard error
    };
    const Case cases[] = {
        {"no subcommand", {}, "subcommand"},
        {"unknown subcommand", {"frobnicate"}, "subcommand"},
        {"list without a file", {"list"}, "FILE"},
        {"unknown format", {"export", "a.bytes", "--format", "xml"}, "xml"},
        {"export over the save itself", {"export", "a.bytes", "-o", "a.bytes"}, "存档文件本身"},
        {"import without --from", {"import", "a.bytes"}, "--from"},
        {"set without --id or --index", {"set", "a.bytes", "lifespan=1"}, "--id"},
        {"set with both --id and --index", {"set", "a.bytes", "--id", "1", "--index", "1", "lifespan=1"}, "--id"},
        {"set with --index 0", {"set", "a.bytes", "--index", "0", "lifespan=1"}, "--index"},
        {"set with an id beyond 32 bits", {"set", "a.bytes", "--id", "4294967296", "lifespan=1"}, "--id"},
        {"set without an assignment", {"set", "a.bytes", "--index", "1"}, "FIELD=VALUE"},
        {"set with an unknown field", {"set", "a.bytes", "--index", "1", "nickname=x"}, "nickname"},
        {"set without =", {"set", "a.bytes", "--index", "1", "lifespan"}, "lifespan"},
#ifndef _WIN32  // a Windows command line is UTF-16: it can't carry bytes that aren't UTF-8
        {"set with a text that isn't UTF-8", {"set", "a.bytes", "--index", "1", "surname=\xB0\xA1"}, "UTF-8"},
#endif
    };
    TempFolder folder;
    GeneralList generals(1);
    generals[0].id = 1;
    writeBytes(folder / "a.bytes", encodeSaveFile(generals, 0).bytes());
    const auto before = snapshot(folder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome run = sg8gen(folder, c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(snapshot(folder), before);
    }
}

}  // namespace
}  // namespace sg8::testing
