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
    // -1 is what a parent sees on Windows; POSIX keeps the low eight bits.
#ifdef _WIN32
    constexpr int kMinusOne = -1;
#else
    constexpr int kMinusOne = 255;
#endif
    EXPECT_EXIT(reportOutOfMemory(64), ::testing::ExitedWithCode(kMinusOne), "64");
}

}  // namespace
}  // namespace sg8
