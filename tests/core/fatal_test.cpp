#include "data/fatal.h"

#include <gtest/gtest.h>

#include <new>

namespace sg8 {
namespace {

TEST(OutOfMemory, MessageGivesTheSizeInTheCodePage)
{
    EXPECT_EQ(outOfMemoryMessage(1024), Text::fromUtf8("分配 1024 字节内存失败!"));
}

struct Reported {
    Text message;
};

// Stands in for the window's report, which ends the process; here the hand-off is what counts.
[[noreturn]] void throwReport(const Text& message)
{
    throw Reported{message};
}

TEST(OutOfMemory, IsHandedToTheInstalledHandler)
{
    const FatalHandler previous = setFatalHandler(&throwReport);
    Text received;
    try {
        dieOnOutOfMemory([]() -> int { throw std::bad_alloc(); });
    } catch (const Reported& report) {
        received = report.message;
    }
    setFatalHandler(previous);
    EXPECT_EQ(received, outOfMemoryMessage(0));
}

TEST(OutOfMemory, WithoutAHandlerEndsTheProcessWithMinusOne)
{
    EXPECT_EXIT(reportOutOfMemory(64), ::testing::ExitedWithCode(255), "64");
}

}  // namespace
}  // namespace sg8
