#include "data/fields.h"
#include "data/general.h"
#include "data/model.h"
#include "tests/core/fixtures.h"

#include <gtest/gtest.h>

namespace sg8 {
namespace {

TEST(FieldTable, HoldsThirtyIntsAndTenTextsInFileOrder)
{
    int texts = 0;
    int opaque = 0;
    for (int i = 0; i < kFieldCount; ++i) {
        EXPECT_EQ(kFields[static_cast<std::size_t>(i)].index, i);
        texts += kFields[static_cast<std::size_t>(i)].kind == FieldKind::Text;
        opaque += kFields[static_cast<std::size_t>(i)].opaque;
    }
    EXPECT_EQ(texts, 10);
    EXPECT_EQ(opaque, 7);
    EXPECT_EQ(findField("givenName")->index, 2);
    EXPECT_EQ(findField("voice")->kind, FieldKind::Text);
    EXPECT_TRUE(findField("opaque37")->opaque);
    EXPECT_EQ(findField("nope"), nullptr);
}

TEST(CustomGeneral, FieldsByIndexAreTheNamedMembers)
{
    CustomGeneral g = testing::distinctGeneral(3);
    EXPECT_EQ(g.intField(0), g.id);
    EXPECT_EQ(&g.intField(39), &g.opaque39);
    EXPECT_EQ(&g.textField(14), &g.voice);
    EXPECT_EQ(g.baseStrength, 320);
}

TEST(CustomGeneral, FreshRecordIsZeroAndEmpty)
{
    const CustomGeneral fresh;
    const CustomGeneral copy = fresh;
    for (const FieldInfo& field : kFields) {
        if (field.kind == FieldKind::Int) {
            EXPECT_EQ(copy.intField(field.index), 0) << field.name;
        } else {
            EXPECT_TRUE(copy.textField(field.index).text().empty()) << field.name;
        }
    }
    EXPECT_EQ(GeneralText(Text()), GeneralText(Text("")));
}

TEST(GeneralText, KeepsExactUtf8OnlyWhenTheCodePageCantCarryIt)
{
    struct Case {
        const char* name;
        std::string utf8;
        bool exact;
    } cases[] = {
        {"ASCII", "abc", false},
        {"Chinese", "张三", false},
        {"Hangul", "한", true},
        {"emoji", "a😀", true},
        {"stray continuation byte", "ab\x80" "c", true},
        {"overlong form", "\xC1\x81", true},
        {"zero byte", std::string("a\0b", 3), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GeneralText text = GeneralText::fromUtf8(ByteString(c.utf8));
        EXPECT_EQ(text.hasExactUtf8(), c.exact);
        EXPECT_EQ(text.utf8().bytes(), c.utf8);
    }
}

TEST(Model, PuttingARecordIntoItsOwnPlaceIsSafe)
{
    Model model;
    initModel(model);
    model.generals = {testing::distinctGeneral(1), testing::distinctGeneral(2)};
    putGeneral(model.generals[1], model.generals[1]);
    EXPECT_EQ(model.generals[1], testing::distinctGeneral(2));
    EXPECT_EQ(model.generals[0], testing::distinctGeneral(1));

    CustomGeneral working;
    putGeneral(working, model.generals[0]);
    EXPECT_EQ(working, model.generals[0]);
}

TEST(Model, StoringAnEqualRecordLeavesNothingUnsaved)
{
    Model model;
    model.generals = {testing::distinctGeneral(1), testing::distinctGeneral(2)};
    EXPECT_FALSE(storeGeneral(model, 0, testing::distinctGeneral(1)));
    EXPECT_FALSE(model.unsavedEdits);

    CustomGeneral edited = testing::distinctGeneral(1);
    edited.surname = Text::fromUtf8("张");
    EXPECT_TRUE(storeGeneral(model, 0, edited));
    EXPECT_TRUE(model.unsavedEdits);
    EXPECT_EQ(model.generals[0].surname.text(), Text::fromUtf8("张"));
    EXPECT_EQ(model.generals[1], testing::distinctGeneral(2));
}

TEST(Model, ResetAndInstallReplaceTheGeneralsWhole)
{
    Model model;
    model.generals = {testing::distinctGeneral(1)};
    resetGeneralList(model, 0);
    EXPECT_TRUE(model.generals.empty());
    resetGeneralList(model, 3);
    EXPECT_EQ(model.generals.size(), 3u);
    EXPECT_EQ(model.generals[2], CustomGeneral{});

    model.unsavedEdits = true;
    installFile(model, {testing::distinctGeneral(5)}, 9, "/tmp/x.bytes");
    EXPECT_EQ(model.generals.size(), 1u);
    EXPECT_EQ(model.trailerValue, 9);
    EXPECT_EQ(model.savePath, "/tmp/x.bytes");
    EXPECT_FALSE(model.unsavedEdits);
}

}  // namespace
}  // namespace sg8
