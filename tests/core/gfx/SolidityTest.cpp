#include "core/gfx/Solidity.h"

#include <gtest/gtest.h>

namespace quarry {
namespace {

using gfx::Solidity;

TEST(Solidity, ThresholdsAreTestedInTurnAsTheGameTestsThem)
{
    // In order: four ranges with their edges where the thresholds are.
    const rom::SolidityThresholds ordered{0x10, 0x20, 0x30};
    const std::pair<int, Solidity> edges[] = {{0x00, Solidity::NonSolid}, {0x0F, Solidity::NonSolid},
                                              {0x10, Solidity::Event},    {0x1F, Solidity::Event},
                                              {0x20, Solidity::Solid},    {0x2F, Solidity::Solid},
                                              {0x30, Solidity::Breakable}, {0xFF, Solidity::Breakable}};
    for (const auto& [metatile, range] : edges)
        EXPECT_EQ(gfx::solidityOf(static_cast<std::uint8_t>(metatile), ordered), range) << metatile;

    // Out of order: t0 above t1 swallows the event range; t2 below t1
    // leaves no plain solid range.
    const rom::SolidityThresholds mixed{0x30, 0x10, 0x08};
    EXPECT_EQ(gfx::solidityOf(0x20, mixed), Solidity::NonSolid);
    EXPECT_EQ(gfx::solidityOf(0x30, mixed), Solidity::Breakable);
    // All zero: everything is breakable.
    EXPECT_EQ(gfx::solidityOf(0, rom::SolidityThresholds{0, 0, 0}), Solidity::Breakable);

    EXPECT_STREQ(gfx::solidityName(Solidity::Event), "non-solid (event)");
    EXPECT_STREQ(gfx::solidityName(Solidity::Breakable), "solid (breakable)");
}

} // namespace
} // namespace quarry
