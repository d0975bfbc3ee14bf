#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/text/TextBlock.h"
#include "core/text/TextCodec.h"
#include "support/SyntheticText.h"

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::text;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::size_t kTable = layout::kTextPointerTable;
constexpr std::size_t kStart = layout::kTextBlockStart;

std::uint16_t pointer(const rom::RomImage& image, int n)
{
    return image.readWord(kTable + 2 * static_cast<std::size_t>(n));
}

// The sample texts with a few bytes the table cannot show put in.
test::SyntheticRom sampleWithUndefinedCodes()
{
    test::SyntheticRom rom;
    std::vector<Bytes> strings;
    for (const std::string& text : test::sampleTexts())
        strings.push_back(test::textBytes(text));
    strings[3].insert(strings[3].begin() + 2, {0x20, 0x9A});
    strings[7].push_back(0xC0);
    strings[120] = {0x00, 0x7F, 0xFE, 0xFE};
    test::putTextBlock(rom, strings);
    return rom;
}

} // namespace

TEST(TextBlock, UntouchedTextsCommitByteForByte)
{
    const rom::CharTable table = test::defaultTextTable();
    const test::SyntheticRom rom = sampleWithUndefinedCodes();
    rom::RomImage image = rom.image();
    const Texts texts = decodeTexts(image, table);
    EXPECT_EQ(texts[3].substr(0, 10), "ST{20}{9A}");
    EXPECT_EQ(texts[120], " {7F}//");

    const TextBlock block = TextBlock::measure(image);
    EXPECT_EQ(block.capacity(), blockSize(texts, table)) << "the sample fills its block exactly";
    commitTexts(image, block, texts, table);
    EXPECT_EQ(image.body(), rom.body());
}

TEST(TextBlock, MeasuresTheEndAtLoad)
{
    test::SyntheticRom rom;
    const std::size_t end = test::putSampleTexts(rom);
    EXPECT_EQ(TextBlock::measure(rom.image()).end(), end);
    EXPECT_EQ(TextBlock::measure(rom.image()).capacity(), end - kStart);
    // The first string follows the pointer table; its first bytes are no
    // pointer, even when they would name a string further out.
    test::putTextBytes(rom, 0xDF00, {0x01, 0x02, 0xFF});
    rom.putWord(layout::kTextPointerTable + 2 * layout::kTextCount, 0x9F00);
    EXPECT_EQ(TextBlock::measure(rom.image()).end(), end);

    // A string placed further out extends the block to its terminator.
    test::putTextPointer(rom, 4, 0x9F00);
    EXPECT_EQ(TextBlock::measure(rom.image()).end(), 0xDF03u);

    // One without terminator counts 256 bytes, but never past bank 3.
    test::putTextBytes(rom, 0xE000, Bytes(0x200, 0x01));
    test::putTextPointer(rom, 5, 0xA000);
    EXPECT_EQ(TextBlock::measure(rom.image()).end(), 0xE100u);
    test::putTextBytes(rom, 0xFF80, Bytes(0x80, 0x01));
    test::putTextPointer(rom, 6, 0xBF80);
    EXPECT_EQ(TextBlock::measure(rom.image()).end(), layout::kTextBankEnd);

    // Strings lying before the block leave no room at all.
    test::SyntheticRom low;
    test::putTextBytes(low, 0xC000, {0x01, 0xFF});
    for (int n = 0; n < layout::kTextCount; ++n)
        test::putTextPointer(low, n, 0x8000);
    EXPECT_EQ(TextBlock::measure(low.image()).capacity(), 0u);

    EXPECT_EQ(TextBlock(0x1234).end(), kStart);
    EXPECT_EQ(TextBlock(0x20000).end(), layout::kTextBankEnd);
}

TEST(TextBlock, GrowingOneStringMovesTheLaterPointers)
{
    const rom::CharTable table = test::defaultTextTable();
    test::SyntheticRom rom;
    test::putSampleTexts(rom);
    rom::RomImage image = rom.image();
    const rom::RomImage before = image;
    Texts texts = decodeTexts(image, table);
    texts[10] = "HI";
    texts[11] += "X"; // grow by one character more than string 10 shrank
    const std::size_t shrunk = encodedSize(decodeText(before, 10, table), table) - 3;

    const TextBlock block(layout::kTextBankEnd);
    commitTexts(image, block, texts, table);
    for (int n = 0; n <= 10; ++n)
        EXPECT_EQ(pointer(image, n), pointer(before, n)) << n;
    EXPECT_EQ(pointer(image, 11), pointer(before, 11) - shrunk);
    for (int n = 12; n < layout::kTextCount; ++n)
        EXPECT_EQ(pointer(image, n), pointer(before, n) - shrunk + 1) << n;
    EXPECT_EQ(image.bytes(0xC000 + (pointer(image, 10) & 0x3FFF), 3)[1], 0x09);
    EXPECT_EQ(decodeTexts(image, table), texts);
    EXPECT_EQ(pointer(image, 0), layout::kTextBlockStartCpu);
}

TEST(TextBlock, CapacityBoundary)
{
    const rom::CharTable table = test::defaultTextTable();
    test::SyntheticRom rom;
    test::putSampleTexts(rom);
    rom::RomImage image = rom.image();
    const TextBlock block = TextBlock::measure(image);
    Texts texts = decodeTexts(image, table);

    // One byte over: refused, nothing written, the shortfall named.
    texts[0] += "!";
    TextUsage usage = block.usage(texts, table);
    EXPECT_FALSE(usage.fits());
    EXPECT_EQ(usage.bytesOver(), 1u);
    EXPECT_EQ(usage.freeBytes(), 0u);
    std::size_t writes = 0;
    image.setWriteObserver([&](std::size_t, auto, auto) { ++writes; });
    try {
        commitTexts(image, block, texts, table);
        FAIL() << "a commit one byte over was accepted";
    } catch (const TextBlockFull& full) {
        EXPECT_EQ(full.usage().bytesOver(), 1u);
        EXPECT_NE(std::string(full.what()).find("1 byte over"), std::string::npos) << full.what();
    }
    EXPECT_EQ(writes, 0u);
    EXPECT_EQ(image.body(), rom.body());

    // Exactly full: accepted.
    texts[1].pop_back();
    usage = block.usage(texts, table);
    EXPECT_TRUE(usage.fits());
    EXPECT_EQ(usage.freeBytes(), 0u);
    commitTexts(image, block, texts, table);
    EXPECT_EQ(decodeTexts(image, table), texts);
    EXPECT_EQ(image.read(block.end() - 1), layout::kTextTerminator);
    EXPECT_EQ(image.read(block.end()), rom.body()[block.end()]);

    // Shrinking frees room, and the freed bytes are counted.
    texts[2].clear();
    usage = block.usage(texts, table);
    EXPECT_EQ(usage.freeBytes(), test::sampleTexts()[2].size());
    EXPECT_EQ(usage.used + usage.freeBytes(), block.capacity());
}

TEST(TextBlock, CommitsWriteOnlyThePointerTableAndTheBlock)
{
    const rom::CharTable table = test::defaultTextTable();
    test::SyntheticRom rom;
    test::putSampleTexts(rom);
    rom.fill(0xC000, kTable - 0xC000, 0xAA).fill(0xF000, 0x1000, 0xBB);
    rom::RomImage image = rom.image();
    Texts texts = decodeTexts(image, table);
    texts[50] = "MUCH LONGER THAN IT WAS BEFORE, WITH ROOM TO SPARE.";
    const TextBlock block(0xF000);
    const std::size_t used = block.usage(texts, table).used;
    commitTexts(image, block, texts, table);
    for (std::size_t i = 0; i < image.size(); ++i) {
        const bool inTable = i >= kTable && i < kTable + 2 * layout::kTextCount;
        const bool inBlock = i >= kStart && i < kStart + used;
        if (!inTable && !inBlock) {
            ASSERT_EQ(image.read(i), rom.body()[i]) << "body index " << i;
        }
    }
}

TEST(TextBlock, SharedStringsDecodeAliveAndAreLaidOutApart)
{
    const rom::CharTable table = test::defaultTextTable();
    test::SyntheticRom rom;
    std::vector<Bytes> strings;
    for (const std::string& text : test::sampleTexts())
        strings.push_back(test::textBytes(text));
    strings[1].clear();
    strings[2].clear();
    test::putTextBlock(rom, strings);
    // String 1 shares string 0's bytes; string 2 is the tail of string 3.
    test::putTextPointer(rom, 1, layout::kTextBlockStartCpu);
    const std::uint16_t three = rom.image().readWord(kTable + 6);
    test::putTextPointer(rom, 2, static_cast<std::uint16_t>(three + 2));
    rom::RomImage image = rom.image();
    Texts texts = decodeTexts(image, table);
    EXPECT_EQ(texts[1], texts[0]);
    EXPECT_EQ(texts[2], texts[3].substr(2));

    // Laid out apart the strings need more room than they had shared.
    const TextBlock measured = TextBlock::measure(image);
    EXPECT_FALSE(measured.usage(texts, table).fits());
    EXPECT_THROW(commitTexts(image, measured, texts, table), TextBlockFull);
    EXPECT_EQ(image.body(), rom.body());

    commitTexts(image, TextBlock(layout::kTextBankEnd), texts, table);
    EXPECT_NE(pointer(image, 1), pointer(image, 0));
    EXPECT_EQ(decodeTexts(image, table), texts);
}

TEST(TextBlock, BlocksOutsideTheImageWriteNothing)
{
    const rom::CharTable table = test::defaultTextTable();
    test::SyntheticRom rom;
    rom.resizeBody(kStart + 0x40);
    rom::RomImage image = rom.image();
    EXPECT_THROW(commitTexts(image, TextBlock(0xD000), Texts{}, table), RomError);
    EXPECT_EQ(image.body(), rom.body());
}

TEST(TextBlock, StringsLongerThanTheGameReadsAreRefused)
{
    const rom::CharTable table = test::defaultTextTable();
    test::SyntheticRom rom;
    test::putSampleTexts(rom);
    rom::RomImage image = rom.image();
    Texts texts = decodeTexts(image, table);
    const TextBlock roomy(layout::kTextBankEnd);

    // 256 bytes still read back whole (the reader stops at 256 without a
    // terminator); 257 would come back cut short.
    texts[5] = std::string(256, 'A');
    commitTexts(image, roomy, texts, table);
    EXPECT_EQ(decodeTexts(image, table)[5], texts[5]);

    const auto before = image.body();
    texts[5] = std::string(257, 'A');
    EXPECT_THROW(commitTexts(image, roomy, texts, table), RomError);
    EXPECT_EQ(image.body(), before);
}
