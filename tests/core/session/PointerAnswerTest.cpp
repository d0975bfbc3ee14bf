#include "core/RomError.h"
#include "core/session/PointerAnswer.h"

#include <gtest/gtest.h>

using quarry::RomError;
using quarry::session::parsePointerAnswer;

TEST(PointerAnswer, HexDecimalAndLenientForms)
{
    EXPECT_EQ(parsePointerAnswer("$9ABC"), 0x9ABC);
    EXPECT_EQ(parsePointerAnswer("$9abc"), 0x9ABC);
    EXPECT_EQ(parsePointerAnswer("40000"), 40000 & 0xFFFF);
    EXPECT_EQ(parsePointerAnswer("$1ABCD"), 0xABCD);
    EXPECT_EQ(parsePointerAnswer("$12G4"), 0x12);  // hex stops at the first non-digit
    EXPECT_EQ(parsePointerAnswer("$"), 0);
    EXPECT_EQ(parsePointerAnswer("&H9000"), 0x9000);
    EXPECT_EQ(parsePointerAnswer("  36864xyz"), 0x9000);
    EXPECT_EQ(parsePointerAnswer("hello"), 0);
    EXPECT_EQ(parsePointerAnswer("-1"), 0); // not $FFFF, which would read past the image's code
    EXPECT_EQ(parsePointerAnswer(""), std::nullopt);
}

TEST(PointerAnswer, NumbersBeyond32BitsAreRefused)
{
    EXPECT_EQ(parsePointerAnswer("4294967295"), 0xFFFF);
    EXPECT_THROW(parsePointerAnswer("4294967296"), RomError);
    EXPECT_EQ(parsePointerAnswer("$FFFFFFFF"), 0xFFFF);
    EXPECT_THROW(parsePointerAnswer("$100000000"), RomError);
    EXPECT_THROW(parsePointerAnswer("99999999999999999999999"), RomError);
}
