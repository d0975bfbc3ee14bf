#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/sprites/FrameSprites.h"
#include "core/sprites/OamRenderer.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace quarry;
using namespace quarry::sprites;

namespace {

// Hand-made frames in a free part of bank 0:
//  10 plain: own 41, carried, own 82, carried      14 points at 10's data
//  11 plain: own 03, own 03, carried               15 shared, a layout of its own
//  12 shared (3 sprites) and 13 shared (2) on one layout
void handMadeFrames(test::SyntheticWorld& w)
{
    auto frame = [&](int number, std::size_t at) {
        w.rom.putWord(layout::kFramePointerTable + 2 * static_cast<std::size_t>(number),
                      static_cast<std::uint16_t>(0x8000 + at));
    };
    w.rom.put(0x3800, {0x04, 0xF0, 0x20, 0x41, 0x00, 0xF1, 0x22, 0x08, 0x00, 0x24, 0x82, 0x00, 0x09, 0x26, 0x08});
    w.rom.put(0x3810, {0x03, 0x00, 0x10, 0x03, 0x00, 0x02, 0x12, 0x03, 0x08, 0x05, 0x14, 0x10});
    w.rom.put(0x3840, {0x83, 0x80, 0xB8, 0x30, 0x32, 0x34}).put(0x3848, {0x82, 0x80, 0xB8, 0x40, 0x42});
    w.rom.put(0x3880, {0x03, 0xE0, 0xEE, 0x01, 0x00, 0xE1, 0xEE, 0x04, 0x00, 0xEE, 0x02, 0x10});
    w.rom.put(0x3850, {0x82, 0xA0, 0xB8, 0x50, 0x52}).put(0x38A0, {0x02, 0x02, 0xEE, 0x01, 0x05, 0x04, 0xEE, 0x02, 0x06});
    for (auto [number, at] : {std::pair{0x10, 0x3800}, {0x11, 0x3810}, {0x12, 0x3840}, {0x13, 0x3848},
                              {0x14, 0x3800}, {0x15, 0x3850}})
        frame(number, static_cast<std::size_t>(at));
}

struct Frames : test::OpenedWorld {
    std::vector<session::EditEntry> entries;
    Frames() : OpenedWorld(handMadeFrames)
    {
        document.setEditListener([this](session::EditEntry entry) { entries.push_back(std::move(entry)); });
    }
    std::vector<std::uint8_t> bytes(std::size_t at, std::size_t count) const
    {
        const auto& body = document.rom().body();
        return {body.begin() + static_cast<long>(at), body.begin() + static_cast<long>(at + count)};
    }
};

using Row = std::tuple<int, int, int, bool, int>; // dy, tile, attribute, own, dx
std::vector<Row> rows(const FrameSprites& frame)
{
    std::vector<Row> result;
    for (const StoredSprite& s : frame.sprites)
        result.emplace_back(s.dy, s.tile, s.attribute, s.ownAttribute, s.dx);
    return result;
}

} // namespace

TEST(FrameSprites, ReadsBothFormsCarriedAttributesAndWhoSharesTheBytes)
{
    Frames f;
    const rom::RomImage& rom = f.document.rom();
    const FrameSprites plain = readFrameSprites(rom, 0x10);
    EXPECT_EQ(plain.form, FrameForm::Plain);
    EXPECT_EQ(rows(plain), (std::vector<Row>{{-8, 0x20, 0x41, true, 0}, {-8, 0x22, 0x41, false, 8},
                                             {0, 0x24, 0x82, true, 0}, {4, 0x26, 0x82, false, 8}}));
    EXPECT_EQ(plain.sharedWith(), std::vector<int>{0x14});
    EXPECT_EQ(attributeGroup(plain, 3), (std::vector<int>{2, 3}));

    const FrameSprites shared = readFrameSprites(rom, 0x12);
    EXPECT_EQ(shared.form, FrameForm::Shared);
    EXPECT_EQ(shared.layout, 0xB880);
    EXPECT_EQ(rows(shared), (std::vector<Row>{{-16, 0x30, 0x01, true, 0}, {-16, 0x32, 0x01, false, 4},
                                              {0, 0x34, 0x02, true, 0x10}}));
    EXPECT_EQ(shared.sharedWith(), std::vector<int>{0x13});
    EXPECT_EQ(readFrameSprites(rom, test::kSyntheticEmptyFrame).form, FrameForm::Empty);

    // A first sprite carrying from the frame before shows 0 and owns no byte.
    const FrameSprites carryIn = readFrameSprites(rom, test::kSyntheticCarryInFrame);
    EXPECT_EQ(carryIn.sprites[0].attribute, 0);
    EXPECT_TRUE(attributeGroup(carryIn, 0).empty());
    EXPECT_EQ(readFrameSprites(rom, test::kSyntheticAliasFrame).sameData, std::vector<int>{test::kSyntheticExampleFrame});
}

TEST(FrameSprites, EditsWriteOnlyTheBytesHoldingTheValuesAndUndoRestoresThem)
{
    struct Case {
        const char* name;
        std::function<void(session::Document&)> edit;
        std::size_t at;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {"dy of a carried sprite keeps its carry bit", [](auto& d) { d.setFrameSprite(0x10, 1, {.dy = -63}); }, 0x3805, {0x83}},
        {"tile, attribute and dx of an own entry", [](auto& d) { d.setFrameSprite(0x10, 2, {.dx = 255, .tile = 7, .attribute = 0xC3}); }, 0x3809, {0x07, 0xC3, 0xFF}},
        {"shared tile goes to the frame", [](auto& d) { d.setFrameSprite(0x12, 1, {.tile = 0x99}); }, 0x3844, {0x99}},
        {"shared dx goes to the layout", [](auto& d) { d.setFrameSprite(0x12, 1, {.dx = 0x77}); }, 0x3887, {0x77}},
        {"the shared attribute is its owner's", [](auto& d) { EXPECT_EQ(d.setSharedSpriteAttribute(0x10, 1, 0x60), (std::vector<int>{0, 1})); }, 0x3803, {0x60}},
        {"plain removal moves later entries up", [](auto& d) { d.deleteFrameSprite(0x10, 1); }, 0x3800, {0x03, 0xF0, 0x20, 0x41, 0x00, 0x00, 0x24, 0x82, 0x00, 0x09, 0x26, 0x08, 0x09, 0x26, 0x08}},
        {"a carried successor keeps an equal attribute", [](auto& d) { d.deleteFrameSprite(0x11, 1); }, 0x3810, {0x02, 0x00, 0x10, 0x03, 0x00, 0x05, 0x14, 0x10, 0x08, 0x05, 0x14, 0x10}},
        {"the last shared sprite only lowers the count", [](auto& d) { d.deleteFrameSprite(0x12, 2); }, 0x3840, {0x82, 0x80, 0xB8, 0x30, 0x32, 0x34}},
        {"an unshared layout and the tiles move up", [](auto& d) { d.deleteFrameSprite(0x15, 0); }, 0x3850, {0x81, 0xA0, 0xB8, 0x52, 0x52}},
        {"... and its layout entries too", [](auto& d) { d.deleteFrameSprite(0x15, 0); }, 0x38A1, {0x04, 0xEE, 0x02, 0x06, 0x04, 0xEE, 0x02, 0x06}},
    };
    for (const Case& c : cases) {
        Frames f;
        const std::vector<std::uint8_t> before = f.document.rom().body();
        c.edit(f.document);
        EXPECT_EQ(f.bytes(c.at, c.expected.size()), c.expected) << c.name;
        ASSERT_EQ(f.entries.size(), 1u) << c.name;
        f.document.undo(f.entries.back());
        EXPECT_EQ(f.document.rom().body(), before) << c.name;
    }
}

TEST(FrameSprites, RefusalsLeaveTheImageByteIdentical)
{
    const std::function<void(session::Document&)> refused[] = {
        [](auto& d) { d.setFrameSprite(0x10, 0, {.dy = 64}); },
        [](auto& d) { d.setFrameSprite(0x10, 0, {.dy = -65}); },
        [](auto& d) { d.setFrameSprite(0x10, 0, {.dx = 256}); },
        [](auto& d) { d.setFrameSprite(0x10, 0, {.dx = 3, .tile = -1}); },
        [](auto& d) { d.setFrameSprite(0x10, 1, {.dy = 2, .attribute = 1}); }, // carried: no byte of its own
        [](auto& d) { d.setFrameSprite(0x10, 4, {.dy = 0}); },                  // beyond the count
        [](auto& d) { d.setFrameSprite(test::kSyntheticEmptyFrame, 0, {.dy = 0}); },
        [](auto& d) { d.setSharedSpriteAttribute(test::kSyntheticCarryInFrame, 0, 1); },
        [](auto& d) { d.deleteFrameSprite(0x10, 0); }, // the carrying successor would take the frame before's
        [](auto& d) { d.deleteFrameSprite(0x10, 2); }, // ... or sprite 1's 41
        [](auto& d) { d.deleteFrameSprite(0x12, 1); }, // frame 13 reads the layout entries that would move
        [](auto& d) { d.deleteFrameSprite(0x10, -1); },
    };
    Frames f;
    const std::vector<std::uint8_t> before = f.document.rom().body();
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_THROW(refused[i](f.document), RomError) << i;
        EXPECT_EQ(f.document.rom().body(), before) << i;
    }
    EXPECT_TRUE(f.entries.empty());
}

TEST(FrameSprites, AsInGameFlipsSpritesLeavesColourZeroAndKeepsEntryZeroOnTop)
{
    // Tile 1 (upper half of tile 0): colour 1 in its top-left pixel, 2 elsewhere on row 0.
    std::vector<std::uint8_t> tiles(256 * 64, 0);
    tiles[64] = 1;
    for (std::size_t x = 1; x < 8; ++x)
        tiles[64 + x] = 2;
    std::vector<std::uint8_t> palette(32, 0);
    palette[17] = 1, palette[18] = 2;
    gfx::ColorTable colors{};
    colors[1] = 0x0000FF, colors[2] = 0x00FF00;
    const SpriteArt art{tiles, palette, colors};
    auto drawn = [&](std::vector<OamEntry> entries) {
        OamList list = hiddenOamList();
        for (std::size_t k = 0; k < entries.size(); ++k) {
            const OamEntry& e = entries[k];
            std::copy_n(std::array{e.y, e.tile, e.attribute, e.x}.begin(), 4, list.begin() + static_cast<long>(4 * k));
        }
        gfx::Canvas canvas(16, 24);
        const std::vector<bool> covered = drawOamPlaced(list, art, canvas, {}, true);
        return std::pair{canvas, covered};
    };
    auto [plain, plainCovered] = drawn({{8, 0, 0, 0}});
    EXPECT_EQ(plain.pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(plain.pixel(7, 0), 0x00FF00u);
    EXPECT_FALSE(plainCovered[1 * 16]); // colour 0 stays transparent
    auto [mirrored, m] = drawn({{8, 0, 0x40, 0}});
    EXPECT_EQ(mirrored.pixel(7, 0), 0x0000FFu);
    auto [upsideDown, u] = drawn({{8, 0, 0x80, 0}});
    EXPECT_EQ(upsideDown.pixel(0, 15), 0x0000FFu);
    EXPECT_FALSE(u[0]);
    // Entry 0 covers entry 1 where it has colour; its colour 0 lets entry 1 through.
    auto [stacked, s] = drawn({{8, 0, 0, 0}, {8, 0, 0x40, 0}});
    EXPECT_EQ(stacked.pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(stacked.pixel(7, 0), 0x00FF00u);
    auto [through, t] = drawn({{8, 0, 0, 0}, {8, 0, 0x80, 0}});
    EXPECT_EQ(through.pixel(1, 15), 0x00FF00u);
}
