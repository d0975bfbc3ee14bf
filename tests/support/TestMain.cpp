#include "support/IsolatedHome.h"

#include <gtest/gtest.h>

// The main of the test programs without a window: folders of their own
// first, then the tests.
int main(int argc, char** argv)
{
    const quarry::test::IsolatedHome home;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
