#include "core/rom/GameLayout.h"

#include <gtest/gtest.h>

// Every fixed place of the game's layout, pinned by the number the game
// itself uses. The readers and the synthetic images are both built from the
// named constants, so a wrong constant would pass every other test: only a
// number written out here, independently, catches it.
namespace layout = quarry::layout;

TEST(LayoutPins, ImageBanksAndTheFixedTablesLieWhereTheGameKeepsThem)
{
    EXPECT_EQ(layout::kPrgBankSize, 0x4000u);
    EXPECT_EQ(layout::kPrgBankCount, 8u);
    EXPECT_EQ(layout::kFixedBankBase, 0x1C000u);
    EXPECT_EQ(layout::kChrBase, 0x20000u);
    EXPECT_EQ(layout::kChrBankSize, 0x1000u);
    EXPECT_EQ(layout::kMinimumBodySize, 0x40000u);
    EXPECT_EQ(layout::kMaximumFileSize, 16u + 512u + 255u * 16384u + 255u * 8192u);

    EXPECT_EQ(layout::kChrBankTable, 0x1CCE9u);
    EXPECT_EQ(layout::kObjectSetCount, 6);
    EXPECT_EQ(layout::kAreaTablePointers, 0x1F7ABu);
    EXPECT_EQ(layout::kPaletteTablePointers, 0x1F7C5u);
    EXPECT_EQ(layout::kPaletteTableEntrySize, 4u);
    EXPECT_EQ(layout::kObjectSetGraphicsRecords, 0x1F7D1u);
    EXPECT_EQ(layout::kObjectSetGraphicsRecordSize, 4u);
    EXPECT_EQ(layout::kSolidityPointerOffset, 2u);
    EXPECT_EQ(layout::kMapTablePointers, 0x1F7FBu);
    EXPECT_EQ(layout::kMapTableEntrySize, 4u);
    EXPECT_EQ(layout::kActorAreaTablePointers, 0x4192u);
    EXPECT_EQ(layout::kPaletteSetTable, 0x1C895u);
    EXPECT_EQ(layout::kPpuMaskByte, 0x1C0B0u);
}

TEST(LayoutPins, RecordsMapsAndListsHaveTheGamesSizes)
{
    EXPECT_EQ(layout::kAreaRecordDataPointer, 0u);
    EXPECT_EQ(layout::kAreaRecordLastSubmap, 2u);
    EXPECT_EQ(layout::kAreaRecordLeftExit, 3u);
    EXPECT_EQ(layout::kAreaRecordRightExit, 6u);
    EXPECT_EQ(layout::kAreaRecordSubmapPointers, 9u);
    EXPECT_EQ(layout::kSubmapMapInNextByteA, 0xFD);
    EXPECT_EQ(layout::kSubmapMapInNextByteB, 0xFE);
    EXPECT_EQ(layout::kExitToObjectSet, 0xFF);
    EXPECT_EQ(layout::kExitToObjectSetAlt, 0xFC);
    EXPECT_EQ(layout::kExitWithEntry, 0xFB);
    EXPECT_EQ(layout::kLeaveLeftEntry, 0xFF);
    EXPECT_EQ(layout::kLeaveRightEntry, 0x7F);

    EXPECT_EQ(layout::kMapHeaderSize, 2u);
    EXPECT_EQ(layout::kScreenColumns, 8);
    EXPECT_EQ(layout::kScreenRows, 7);
    EXPECT_EQ(layout::kScreenBytes, 56u);
    EXPECT_EQ(layout::kMetatilePixels, 32);
    EXPECT_EQ(layout::kScreenWidth, 256);
    EXPECT_EQ(layout::kScreenHeight, 224);
    EXPECT_EQ(layout::kMapCellLimit, 32768u);

    EXPECT_EQ(layout::kListScanBytes, 256u);
    EXPECT_EQ(layout::kListTerminator, 0xFF);
    EXPECT_EQ(layout::kActorRecordSize, 4u);
    EXPECT_EQ(layout::kStairRecordSize, 2u);
    EXPECT_EQ(layout::kMaxActors, 64u);
    EXPECT_EQ(layout::kMaxStairs, 128u);
}

TEST(LayoutPins, GraphicsTablesAndThePpuMaskBits)
{
    const std::size_t tables[6][3] = {
        {0x1041D, 0x1041E, 0x10461}, {0x10891, 0x10892, 0x108D4}, {0x10CF4, 0x10CF5, 0x10D3A},
        {0x1118A, 0x1118B, 0x111D0}, {0x11620, 0x11621, 0x1165F}, {0x11A3F, 0x11A40, 0x11A80},
    };
    for (int set = 0; set < 6; ++set) {
        SCOPED_TRACE(set);
        EXPECT_EQ(layout::kMetatileTables[set].limit, tables[set][0]);
        EXPECT_EQ(layout::kMetatileTables[set].attributes, tables[set][1]);
        EXPECT_EQ(layout::kMetatileTables[set].tiles, tables[set][2]);
    }
    EXPECT_EQ(layout::kMetatileTileBlockSize, 16u);
    EXPECT_EQ(layout::kBackgroundPaletteSetSize, 16u);
    EXPECT_EQ(layout::kSpritePaletteSetSize, 8u);
    EXPECT_EQ(layout::kPpuMaskGreyscaleBit, 0x01);
    EXPECT_EQ(layout::kPpuMaskShowBits, 0x1E);
    EXPECT_EQ(layout::kPpuMaskEmphasisBits, 0xE0);
    const std::uint8_t fixedSprites[8] = {0x0F, 0x0F, 0x16, 0x20, 0x0F, 0x27, 0x20, 0x16};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(layout::kFixedSpritePalette[i], fixedSprites[i]) << i;
}

TEST(LayoutPins, TextsActorsAndSprites)
{
    EXPECT_EQ(layout::kActorTextTable, 0x4871u);
    EXPECT_EQ(layout::kActorTextTableSize, 11);
    EXPECT_EQ(layout::kFerrymanItem, 0x46F3u);
    EXPECT_EQ(layout::kFerrymanText, 0x4709u);
    EXPECT_EQ(layout::kFerrymanAltText, 0x4703u);
    EXPECT_EQ(layout::kFerrymanAltArea, 7);

    EXPECT_EQ(layout::kTextCount, 121);
    EXPECT_EQ(layout::kTextPointerTable, 0xCB82u);
    EXPECT_EQ(layout::kTextBlockStart, 0xCC74u);
    EXPECT_EQ(layout::kTextBlockStartCpu, 0x8C74);
    EXPECT_EQ(layout::kTextBankEnd, 0x10000u);
    EXPECT_EQ(layout::kTextScanLimit, 256u);
    EXPECT_EQ(layout::kTextLineBreak, 0xFE);
    EXPECT_EQ(layout::kTextTerminator, 0xFF);
    EXPECT_EQ(layout::kTextSpaceCode, 0x00);

    EXPECT_EQ(layout::kAnimationTable, 0x1DDA2u);
    EXPECT_EQ(layout::kAnimationRecordSize, 3u);
    EXPECT_EQ(layout::kAnimationCount, 64);
    EXPECT_EQ(layout::kFramePointerTable, 0x2C30u);
    EXPECT_EQ(layout::kFrameCount, 256);
    EXPECT_EQ(layout::kFrameSharedLayoutBit, 0x80);
    EXPECT_EQ(layout::kFrameSpriteCountMask, 0x7F);
    EXPECT_EQ(layout::kSpriteReferenceX, 48);
    EXPECT_EQ(layout::kSpriteReferenceY, 63);
}
