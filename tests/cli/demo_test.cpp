#include "data/load.h"
#include "tests/cli/sg8gen_process.h"

#include <gtest/gtest.h>

#include <set>

namespace sg8::testing {
namespace {

const std::filesystem::path kExamples = std::filesystem::absolute(SG8_EXAMPLES_DIR);

// examples/demo.bytes is what `sg8gen import` makes of examples/demo.json, and
// exporting it gives demo.json back.
TEST(Demo, JsonAndBytesAgree)
{
    TempFolder folder;
    std::filesystem::copy_file(kExamples / "demo.json", folder / "demo.json");
    const Outcome imported = sg8gen(folder, {"import", "demo.bytes", "--from", "demo.json"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(fileBytes(folder / "demo.bytes"), fileBytes(kExamples / "demo.bytes"));

    const Outcome exported = sg8gen(folder, {"export", (kExamples / "demo.bytes").string()});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, fileBytes(kExamples / "demo.json"));

    const Outcome checked = sg8gen(folder, {"check", (kExamples / "demo.bytes").string()});
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
}

TEST(Demo, ExercisesTheList)
{
    Result<LoadedFile> demo = loadSaveFile(kExamples / "demo.bytes");
    ASSERT_TRUE(demo) << demo.error().message;
    std::set<std::int32_t> genders, weapons;
    bool emptyCourtesyName = false;
    for (const CustomGeneral& general : demo->generals) {
        genders.insert(general.gender);
        weapons.insert(general.weaponType);
        emptyCourtesyName = emptyCourtesyName || general.courtesyName.text().empty();
    }
    EXPECT_GE(demo->generals.size(), 10u);
    EXPECT_EQ(genders, (std::set<std::int32_t>{1, 2}));
    EXPECT_EQ(weapons, (std::set<std::int32_t>{2, 4, 5, 7, 8}));
    EXPECT_TRUE(emptyCourtesyName);
}

}  // namespace
}  // namespace sg8::testing
