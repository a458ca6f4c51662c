// The window suites' main: the toolkit's application, made once for every test,
// on whichever window system the toolkit was built for.

#include "toolkit/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as ctest does to find them) needs no window system.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();

    // Saves keep a backup history: the suites' go into the temporary folder that
    // history_sandbox.cpp names in SG8GEN_BACKUP_DIR before main, never the user's own.
    sg8::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
