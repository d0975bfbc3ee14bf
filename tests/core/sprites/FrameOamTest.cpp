#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/sprites/SpriteText.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticWorld.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quarry;
using namespace quarry::sprites;

namespace {

OamList oamOf(const std::vector<OamEntry>& entries)
{
    OamList list = hiddenOamList();
    for (std::size_t k = 0; k < entries.size() && k < kOamEntries; ++k) {
        list[4 * k] = entries[k].y;
        list[4 * k + 1] = entries[k].tile;
        list[4 * k + 2] = entries[k].attribute;
        list[4 * k + 3] = entries[k].x;
    }
    return list;
}

OamList build(const test::SyntheticRom& synthetic, std::uint32_t address)
{
    FrameBuilder builder;
    return builder.buildFrameOam(synthetic.image(), address);
}

// The list the game's routine makes of a synthetic frame at the reference position.
OamList expectedList(const test::SyntheticFrame& frame)
{
    std::vector<OamEntry> entries;
    for (const test::SyntheticSprite& sprite : frame.sprites)
        entries.push_back({static_cast<std::uint8_t>(sprite.dy + 63), sprite.tile, sprite.attribute,
                           static_cast<std::uint8_t>(sprite.dx + 48)});
    return oamOf(entries);
}

} // namespace

TEST(FrameOam, EmptyFrameHidesEveryEntry)
{
    test::SyntheticRom synthetic;
    synthetic.put(0x0100, {0x00, 0x05, 0x11, 0x01, 0x00});
    const OamList list = build(synthetic, 0x8100);
    for (std::size_t i = 0; i < list.size(); ++i)
        ASSERT_EQ(list[i], i % 4 == 0 ? 0xF8 : 0x00) << i;
    EXPECT_EQ(list, hiddenOamList());
}

TEST(FrameOam, PlainEntriesWithCarriedAttribute)
{
    test::SyntheticRom synthetic;
    // The second entry has no attribute byte, so the third starts right after its X.
    synthetic.put(0x0200, {0x03, 0xF0, 0x11, 0x01, 0xF8, 0xF1, 0x13, 0x00, 0x02, 0x15, 0xE2, 0x10});
    const OamList list = build(synthetic, 0x8200);
    EXPECT_EQ(list, oamOf({{0x37, 0x11, 0x01, 0x28}, {0x37, 0x13, 0x01, 0x30}, {0x40, 0x15, 0xE2, 0x40}}));
    EXPECT_TRUE(oamEntry(list, 3).hidden());
}

TEST(FrameOam, PositionsShiftArithmeticallyAndWrap)
{
    test::SyntheticRom synthetic;
    synthetic.put(0x0300, {0x04,
                           0x80, 0x01, 0x00, 0x00,  // -64: Y $FF, hidden like an unused entry
                           0x7E, 0x02, 0x00, 0xD0,  // +63: Y $7E; X $D0 + $30 wraps to 0
                           0xFE, 0x03, 0x00, 0xFF,  // -1: Y $3E; X $2F
                           0x82, 0x04, 0x00, 0x10}); // -63: Y 0
    const OamList list = build(synthetic, 0x8300);
    EXPECT_EQ(list, oamOf({{0xFF, 0x01, 0, 0x30}, {0x7E, 0x02, 0, 0x00}, {0x3E, 0x03, 0, 0x2F}, {0x00, 0x04, 0, 0x40}}));
    EXPECT_TRUE(oamEntry(list, 0).hidden());
}

TEST(FrameOam, SharedLayoutGivesPositionsAndFrameGivesTiles)
{
    test::SyntheticRom synthetic;
    // Layout at body $3100: its own tile bytes ($EE) must never show.
    synthetic.put(0x3100, {0x03, 0xF0, 0xEE, 0x42, 0x00, 0x11, 0xEE, 0x08, 0x02, 0xEE, 0x03, 0x10});
    // The layout address is a CPU address; only its low 14 bits count.
    synthetic.put(0x0400, {0x83, 0x00, 0xF1, 0x21, 0x23, 0x25});
    const OamList list = build(synthetic, 0x8400);
    EXPECT_EQ(list, oamOf({{0x37, 0x21, 0x42, 0x30}, {0x47, 0x23, 0x42, 0x38}, {0x40, 0x25, 0x03, 0x40}}));

    // A frame may use fewer sprites than its layout lists.
    synthetic.put(0x0400, {0x81, 0x00, 0xB1, 0x77});
    EXPECT_EQ(build(synthetic, 0x8400), oamOf({{0x37, 0x77, 0x42, 0x30}}));
}

TEST(FrameOam, AttributeCarriesIntoTheNextFrame)
{
    test::SyntheticRom synthetic;
    synthetic.put(0x0500, {0x01, 0x00, 0x10, 0x82, 0x00});       // attribute $82
    synthetic.put(0x0600, {0x02, 0x01, 0x20, 0x00, 0x01, 0x30, 0x00}); // both carried
    synthetic.put(0x0700, {0x00});
    const rom::RomImage image = synthetic.image();

    FrameBuilder fresh;
    EXPECT_EQ(oamEntry(fresh.buildFrameOam(image, 0x8600), 0).attribute, 0x00) << "nothing built before";

    FrameBuilder builder;
    builder.buildFrameOam(image, 0x8500);
    EXPECT_EQ(builder.carriedAttribute(), 0x82);
    builder.buildFrameOam(image, 0x8700); // an empty frame carries nothing away
    const OamList list = builder.buildFrameOam(image, 0x8600);
    EXPECT_EQ(oamEntry(list, 0).attribute, 0x82);
    EXPECT_EQ(oamEntry(list, 1).attribute, 0x82);
}

TEST(FrameOam, LongFrameKeepsItsFirst64Sprites)
{
    test::SyntheticRom synthetic;
    std::vector<std::uint8_t> frame{70};
    for (int s = 0; s < 70; ++s)
        frame.insert(frame.end(), {0x00, static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(s == 69 ? 0x03 : 0x01),
                                   static_cast<std::uint8_t>(s)});
    frame.push_back(0xAA); // the byte after the frame: must stay unread
    synthetic.put(0x0800, frame);
    FrameBuilder builder;
    const OamList list = builder.buildFrameOam(synthetic.image(), 0x8800);
    for (int k = 0; k < kOamEntries; ++k)
        ASSERT_EQ(oamEntry(list, k), (OamEntry{0x3F, static_cast<std::uint8_t>(k), 0x01, static_cast<std::uint8_t>(k + 48)}));
    EXPECT_EQ(builder.carriedAttribute(), 0x03) << "the frame's last sprite, not the last one kept";
}

TEST(FrameOam, OnlyTheBank0PartOfAnAddressCounts)
{
    test::SyntheticRom synthetic;
    synthetic.put(0x0900, {0x01, 0x00, 0x09, 0x00, 0x00});
    const OamList expected = oamOf({{0x3F, 0x09, 0x00, 0x30}});
    for (std::uint32_t address : {0x0900u, 0x4900u, 0x8900u, 0xC900u, 0x1C900u})
        EXPECT_EQ(build(synthetic, address), expected) << address;
}

TEST(FrameOam, DataOutsideTheImageIsAnErrorNotACrash)
{
    // Bodies cut short at $1000: a frame, a layout and a frame's tiles run off the end.
    const auto cutImage = [](std::initializer_list<std::pair<std::size_t, std::vector<std::uint8_t>>> parts) {
        test::SyntheticRom synthetic;
        synthetic.resizeBody(0x1000);
        for (const auto& [index, bytes] : parts)
            synthetic.put(index, bytes);
        return synthetic.image();
    };
    const rom::RomImage plain = cutImage({{0x0FFC, {0x03, 0x00, 0x01, 0x00}}});
    const rom::RomImage layoutPast = cutImage({{0x0100, {0x84, 0xF0, 0x8F, 1, 2, 3, 4}}, {0x0FF0, {0x04}}});
    const rom::RomImage tilesPast = cutImage({{0x0100, {0x03}}, {0x0FFB, {0x83, 0x00, 0x81, 0x01, 0x02}}});

    FrameBuilder builder;
    builder.setCarriedAttribute(0x21);
    EXPECT_THROW(builder.buildFrameOam(plain, 0x8FFC), RomError);
    EXPECT_THROW(builder.buildFrameOam(layoutPast, 0x8100), RomError);
    EXPECT_THROW(builder.buildFrameOam(tilesPast, 0x8FFB), RomError);
    EXPECT_EQ(builder.carriedAttribute(), 0x21) << "a failed build carries nothing";
    try {
        builder.buildFrameOam(plain, 0xCFFC);
        ADD_FAILURE() << "no error";
    } catch (const RomError& error) {
        EXPECT_NE(std::string(error.what()).find("$CFFC"), std::string::npos) << error.what();
    }

    // A default image (one byte) has no tables at all.
    const rom::RomImage empty;
    EXPECT_THROW(getFramePointer(empty, 0), RomError);
    EXPECT_THROW(loadAnimation(empty, 0), RomError);
    EXPECT_THROW(builder.buildFrameOam(empty, 0x8001), RomError);
}

TEST(FrameOam, GarbageInBank0NeverBreaksTheBuilder)
{
    test::SyntheticRom synthetic;
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < layout::kPrgBankSize; ++i) {
        state = state * 1103515245u + 12345u;
        synthetic.body()[i] = static_cast<std::uint8_t>(state >> 16);
    }
    const rom::RomImage image = synthetic.image();
    FrameBuilder builder;
    for (int f = 0; f < 256; ++f) {
        const OamList list = builder.buildFrameOam(image, getFramePointer(image, f));
        EXPECT_EQ(list.size(), 256u);
    }
    for (int a = 0; a < 64; ++a) {
        const Animation animation = loadAnimation(image, a);
        EXPECT_EQ(animation.framePointers.size(), static_cast<std::size_t>(animation.frames) + 1);
    }
}

TEST(FrameOam, EveryFrameOfTheSyntheticGameBuildsAsWritten)
{
    const test::SyntheticWorld world;
    const rom::RomImage image = world.rom.image();
    for (int f = 0; f < 256; ++f) {
        SCOPED_TRACE(f);
        const test::SyntheticFrame& frame = world.sprites.frames[static_cast<std::size_t>(f)];
        if (f == test::kSyntheticCarryInFrame)
            continue;
        FrameBuilder builder;
        ASSERT_EQ(getFramePointer(image, f), frame.pointer);
        EXPECT_EQ(builder.buildFrameOam(image, frame.pointer), expectedList(frame));
    }
    FrameBuilder builder;
    builder.buildFrameOam(image, getFramePointer(image, test::kSyntheticCarryInFrame - 1));
    EXPECT_EQ(builder.buildFrameOam(image, getFramePointer(image, test::kSyntheticCarryInFrame)),
              expectedList(world.sprites.frames[test::kSyntheticCarryInFrame]));
}

TEST(SpriteText, ListIsSixteenLinesOfHex)
{
    const OamList list = oamOf({{0x37, 0x11, 0x01, 0x28}, {0x37, 0x13, 0x01, 0x30}, {}, {}, {0x00, 0xAB, 0xCD, 0xEF}});
    std::string expected = "3711012837130130F8000000F8000000\r\n00ABCDEFF8000000F8000000F8000000";
    for (int line = 2; line < 16; ++line)
        expected += "\r\nF8000000F8000000F8000000F8000000";
    EXPECT_EQ(oamText(list), expected);
    EXPECT_EQ(oamText(list).size(), 512u + 15 * 2);
}

TEST(SpriteText, FrameNumbersReadAsHex)
{
    EXPECT_EQ(parseFrameNumber("1A"), 26);
    EXPECT_EQ(parseFrameNumber(" 1a "), 26);
    EXPECT_EQ(parseFrameNumber("ef"), 0xEF);
    EXPECT_EQ(parseFrameNumber("FF"), 255);
    EXPECT_EQ(parseFrameNumber(""), 0);
    EXPECT_EQ(parseFrameNumber("2G5"), 2);
    EXPECT_EQ(parseFrameNumber("100"), std::nullopt);
    EXPECT_EQ(parseFrameNumber("FFFFFFFFFFFFFFFFFFFFFFFF"), std::nullopt);
}
