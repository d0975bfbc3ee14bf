#include "core/RomError.h"
#include "core/gfx/AreaPalette.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "support/SyntheticGraphics.h"

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::gfx;

namespace {

// Palette records of our own: two areas at CPU $9F00 and $9F02 (bank 2)
// and one in the fixed bank at CPU $C900.
constexpr std::uint32_t kAreaA = 0x9F00;
constexpr std::uint32_t kAreaB = 0x9F02;
constexpr std::uint32_t kFixedBankArea = 0xC900;

class Palettes : public ::testing::Test {
protected:
    Palettes()
    {
        test::fillGraphics(synthetic);
        synthetic.put(0x9F00, {2, 5, 2, 6});
        synthetic.put(0x1C900, {15, 15});
    }

    static AreaPalette marked()
    {
        AreaPalette palette{};
        palette.fill(0xEE);
        return palette;
    }

    test::SyntheticRom synthetic;
};

} // namespace

TEST_F(Palettes, ReadFillsBackgroundAndSpriteSets)
{
    const rom::RomImage image = synthetic.image();
    AreaPalette palette = marked();
    readAreaPalette(image, kAreaA, palette);
    const auto background = test::syntheticPaletteSet(2);
    const auto sprite = test::syntheticPaletteSet(5);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(palette[i], background[i]) << i;
    for (std::size_t i = 16; i < 24; ++i)
        EXPECT_EQ(palette[i], 0xEE) << i;
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(palette[24 + i], sprite[i]) << i;

    setFixedSpriteEntries(palette);
    EXPECT_EQ(std::vector<std::uint8_t>(palette.begin() + 16, palette.begin() + 24),
              (std::vector<std::uint8_t>{0x0F, 0x0F, 0x16, 0x20, 0x0F, 0x27, 0x20, 0x16}));

    // A record in the fixed bank; set 15 holds $4D, kept as stored.
    readAreaPalette(image, kFixedBankArea, palette);
    EXPECT_EQ(palette[5], 0x4D);
    EXPECT_EQ(palette[29], 0x4D);
}

TEST_F(Palettes, AreasSharingASetSeeEachOthersWrites)
{
    rom::RomImage image = synthetic.image();
    AreaPalette a{};
    readAreaPalette(image, kAreaA, a);
    for (std::size_t i = 0; i < 32; ++i)
        a[i] = static_cast<std::uint8_t>(0x30 + i % 16);
    a[3] = 0x4D; // above $3F: written back as it is
    writeAreaPalette(image, kAreaA, a);

    AreaPalette b{};
    readAreaPalette(image, kAreaB, b);
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(b[i], a[i]) << i;
    const auto setSix = test::syntheticPaletteSet(6);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(b[24 + i], setSix[i]) << i; // B's own sprite set is untouched

    AreaPalette again{};
    readAreaPalette(image, kAreaA, again);
    EXPECT_EQ(std::vector<std::uint8_t>(again.begin() + 24, again.end()),
              std::vector<std::uint8_t>(a.begin() + 24, a.end()));

    // Entries 16-23 go nowhere: only the 16 + 8 set bytes changed.
    std::size_t changed = 0;
    for (std::size_t i = 0; i < image.size(); ++i)
        changed += image.body()[i] != synthetic.body()[i];
    EXPECT_LE(changed, 24u);
    EXPECT_EQ(image.read(test::kSyntheticPaletteSetBody + 2 * 0x20 + 3), 0x4D);
}

TEST_F(Palettes, InvalidAddressesThrowAndWriteNothing)
{
    // Record below $8000; background set valid but sprite set pointer low;
    // background set pointer low.
    synthetic.put(0x9F10, {1, 16, 17, 2});
    synthetic.putWord(layout::kPaletteSetTable + 2 * 16, 0x7FFF);
    synthetic.putWord(layout::kPaletteSetTable + 2 * 17, 0x0000);
    rom::RomImage image = synthetic.image();
    const rom::RomImage before = image;

    AreaPalette palette{};
    palette.fill(0x21);
    for (std::uint32_t pointer : {0x7FFFu, 0x0000u, 0x9F10u, 0x9F11u}) {
        EXPECT_THROW(writeAreaPalette(image, pointer, palette), RomError) << pointer;
        AreaPalette read = marked();
        EXPECT_THROW(readAreaPalette(image, pointer, read), RomError) << pointer;
        EXPECT_EQ(read, marked());
    }
    EXPECT_EQ(image.body(), before.body());

    try {
        readAreaPalette(image, 0x1234, palette);
        FAIL();
    } catch (const RomError& error) {
        EXPECT_NE(std::string(error.what()).find("$1234"), std::string::npos);
    }
}

TEST_F(Palettes, SetsRunningPastAShortImageWriteNothing)
{
    // The sprite set sits in the last bytes of an image cut short.
    synthetic.putWord(layout::kPaletteSetTable + 2 * 3, 0xFFFC);
    synthetic.put(0x9F20, {0, 3});
    synthetic.resizeBody(0x20000);
    rom::RomImage image = synthetic.image();
    const rom::RomImage before = image;
    AreaPalette palette{};
    EXPECT_THROW(writeAreaPalette(image, 0x9F20, palette), RomError);
    EXPECT_EQ(image.body(), before.body());
}

TEST(PpuMask, ReadsKeepOnlyGreyscaleAndEmphasis)
{
    test::SyntheticRom synthetic;
    rom::RomImage image = synthetic.image();

    image.write(layout::kPpuMaskByte, 0x00);
    EXPECT_EQ(readPpuMask(image), (PpuMaskSettings{0, 0}));
    writePpuMask(image, readPpuMask(image));
    EXPECT_EQ(image.read(layout::kPpuMaskByte), 0x1E);

    writePpuMask(image, PpuMaskSettings{1, 0xE0});
    EXPECT_EQ(image.read(layout::kPpuMaskByte), 0xFF);
    EXPECT_EQ(readPpuMask(image), (PpuMaskSettings{1, 0xE0}));
    EXPECT_EQ(readPpuMask(image).emphasisNumber(), 7);

    image.write(layout::kPpuMaskByte, 0x41);
    EXPECT_EQ(readPpuMask(image), (PpuMaskSettings{1, 0x40}));
    image.write(layout::kPpuMaskByte, 0xA0);
    EXPECT_EQ(readPpuMask(image), (PpuMaskSettings{0, 0xA0}));

    // Stray bits in the settings cannot reach the other fields of the byte.
    writePpuMask(image, PpuMaskSettings{2, 0x3F});
    EXPECT_EQ(image.read(layout::kPpuMaskByte), 0x3F);
    writePpuMask(image, PpuMaskSettings{0, 0x5F});
    EXPECT_EQ(image.read(layout::kPpuMaskByte), 0x5E);
}
