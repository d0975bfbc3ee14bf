// A short fuzz run of the one-submap targets on every build: pseudo-random
// inputs that damage the tables of a submap, load it, and run each writing
// operation, whose changes must stay inside the structure it names.
#include "SubmapTargets.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TEST(FuzzSubmap, DamagedSubmapsLoadOrFailCleanlyAndWritesStayInside)
{
    std::mt19937 random(1234);
    for (int run = 0; run < 160; ++run) {
        std::vector<std::uint8_t> input(4 + 4 * (run % 6));
        for (std::uint8_t& byte : input)
            byte = static_cast<std::uint8_t>(random());
        input[0] = static_cast<std::uint8_t>(run % 8); // every writing operation in turn
        SCOPED_TRACE(run);
        EXPECT_NO_THROW(quarry::fuzz::loadOneSubmap(input.data(), input.size()));
        EXPECT_NO_THROW(quarry::fuzz::writeAndCheck(input.data(), input.size()));
    }
}

} // namespace
