// The test driver on a small window of its own: what it types, pastes, picks and
// presses reaches the controls as the user's input does.

#include "toolkit/test_driver.h"
#include "toolkit/window.h"

#include <gtest/gtest.h>

#include <memory>

using namespace sg8;

namespace {

const WindowDesign kDesign{
    "DriverWindow",
    "驱动",
    300,
    200,
    {
        {ControlKind::EditBox, "limited", "", 0, 0, 80, 20, "", {}, {}, 3},
        {ControlKind::ComboBox, "numbered", "", 0, 30, 80, 20, "", {{"甲", 2}, {"乙", {}}, {"丙", -9}}},
        {ControlKind::Button, "go", "", 100, 0, 80, 30, "走"},
    },
};

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = std::make_unique<Window>(kDesign);
        window_->show();
        ASSERT_TRUE(driver::waitUntil([] { return driver::findWindow("DriverWindow") != nullptr; }));
    }

    std::unique_ptr<Window> window_;
};

TEST_F(DriverTest, TypingStopsAtTheByteLimit)
{
    driver::typeText(*window_, "limited", "张三");
    EXPECT_EQ(driver::shownText(*window_, "limited"), "张");
    EXPECT_EQ(window_->editBox("limited").text(), "张");
}

TEST_F(DriverTest, PickedItemAndClickReachTheHandlers)
{
    int clicks = 0;
    window_->bind("go", ControlEvent::Clicked, [&clicks] { ++clicks; });
    driver::pickItem(*window_, "numbered", 2);
    EXPECT_EQ(window_->comboBox("numbered").selection(), 2);
    EXPECT_EQ(driver::shownText(*window_, "numbered"), "丙");
    driver::click(*window_, "go");
    EXPECT_EQ(clicks, 1);
}

TEST_F(DriverTest, KeysGoToTheirBindings)
{
    int saved = 0;
    window_->bindKey("Ctrl+S", [&saved] { ++saved; return true; });
    driver::pressKey(*window_, "limited", "Ctrl+S");
    EXPECT_EQ(saved, 1);
}

}  // namespace
