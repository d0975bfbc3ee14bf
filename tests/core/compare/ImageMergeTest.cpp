#include "core/RomError.h"
#include "core/compare/EditInput.h"
#include "core/compare/ImageDiff.h"
#include "core/compare/ImageMerge.h"
#include "core/gfx/AreaPalette.h"
#include "core/gfx/Metatiles.h"
#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "core/patch/PatchFile.h"
#include "core/rom/Addressing.h"
#include "core/rom/AreaMap.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameSprites.h"
#include "core/text/TextBlock.h"
#include "core/text/TextCodec.h"
#include "core/world/Actors.h"
#include "core/world/AreaCatalogue.h"
#include "core/world/Ferryman.h"
#include "core/world/Stairs.h"
#include "support/SyntheticSprites.h"
#include "support/SyntheticText.h"
#include "support/SyntheticWorld.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace quarry;
using compare::PartKind;
using compare::Side;

namespace {

using Edit = std::function<void(rom::RomImage&)>;

// The synthetic world with texts, and the submap every case edits.
struct Fixture {
    test::SyntheticWorld world;
    rom::RomImage original;
    rom::CharTable table = test::defaultTextTable();
    rom::AreaId id;
    rom::ResolvedArea where;
    compare::ImageMap map;

    // The first submap with actors, stairs and a map of two screens or more.
    Fixture()
    {
        // The last string lies a little past the others, so the block has
        // room to grow into.
        const std::size_t end = test::putSampleTexts(world.rom);
        std::vector<std::uint8_t> last = test::textBytes(test::sampleTexts()[120]);
        last.push_back(layout::kTextTerminator);
        test::putTextBytes(world.rom, end + 60, last);
        test::putTextPointer(world.rom, 120, static_cast<std::uint16_t>(0x8000 + end + 60 - 0xC000));
        original = world.rom.image();
        for (const rom::AreaId& each : world::catalogueSubmaps()) {
            id = each;
            where = rom::resolveArea(original, id, false);
            if (!world::readActorList(original, where.actorPointer).empty()
                && !world::readStairList(original, where.stairPointer).empty()
                && rom::decodeAreaMap(original, where.mapPointer).screensWide > 1)
                break;
        }
        map = compare::ImageMap::build(original);
    }

    rom::RomImage edited(const Edit& edit) const
    {
        rom::RomImage image = original;
        edit(image);
        return image;
    }
    compare::ImageMerge merge(const rom::RomImage& mine, const rom::RomImage& theirs) const
    {
        return compare::ImageMerge::plan(map, original, mine, theirs, table);
    }
    std::size_t screen(int position) const
    {
        return rom::bodyIndexOf(rom::decodeAreaMap(original, where.mapPointer).screenTable[static_cast<std::size_t>(position)],
                                rom::DataKind::AreaData, "screen");
    }
};

void flip(rom::RomImage& image, std::size_t index, std::uint8_t bits)
{
    image.write(index, static_cast<std::uint8_t>(image.read(index) ^ bits));
}

std::vector<std::string> conflictTexts(const compare::ImageMerge& merge)
{
    std::vector<std::string> texts;
    for (const compare::Conflict& conflict : merge.conflicts())
        texts.push_back(conflict.description);
    return texts;
}

} // namespace

TEST(ImageMap, AttributesBytesToTheEditorsParts)
{
    Fixture f;
    const auto kindAt = [&](std::size_t index) {
        const int owner = f.map.ownerOf(index);
        return owner < 0 ? PartKind::Other : f.map.parts()[static_cast<std::size_t>(owner)].kind;
    };
    const std::size_t screen = f.screen(0);
    EXPECT_EQ(kindAt(screen + 55), PartKind::Screen);
    const compare::Part* part = f.map.screenAt(screen);
    ASSERT_NE(part, nullptr);
    EXPECT_FALSE(part->shownAt.empty());
    EXPECT_EQ(kindAt(rom::bodyIndexOf(f.where.mapPointer, rom::DataKind::AreaData, "map") + 2), PartKind::MapHeader);
    EXPECT_EQ(kindAt(rom::bodyIndexOf(f.where.actorPointer, rom::DataKind::Actors, "actors")), PartKind::Actors);
    EXPECT_EQ(kindAt(rom::bodyIndexOf(f.where.stairPointer, rom::DataKind::AreaData, "stairs")), PartKind::Stairs);
    EXPECT_EQ(kindAt(layout::kPpuMaskByte), PartKind::PpuMask);
    EXPECT_EQ(kindAt(layout::kFerrymanItem), PartKind::Ferryman);
    EXPECT_EQ(kindAt(rom::bgChrBase(f.original, 0) + 17), PartKind::Tiles);
    EXPECT_EQ(kindAt(layout::kMetatileTables[0].tiles + 16), PartKind::Metatile);
    EXPECT_EQ(kindAt(layout::kTextBlockStart), PartKind::Text);
    EXPECT_EQ(kindAt(layout::kAnimationTable + 4), PartKind::Animation);
    EXPECT_EQ(kindAt(rom::cpuToBody(sprites::getFramePointer(f.original, 1), rom::DataKind::SpriteFrames)),
              PartKind::FrameTable);
    // A CHR bank no object set draws from, and bank 6, hold nothing the
    // editor edits.
    EXPECT_EQ(kindAt(layout::kChrBase + 20 * layout::kChrBankSize), PartKind::Other);
    EXPECT_EQ(kindAt(0x18123), PartKind::Other);
    EXPECT_EQ(compare::ImageMap::otherName(0x18123, 0x18125), "other bytes, bank 6 $8123-$8124");
    EXPECT_EQ(compare::ImageMap::otherName(0x1C010, 0x1C011), "other bytes, bank 7 $C010");
}

// One row per kind of part: an edit on each side, a field each. The merged
// image must hold both edits, exactly as applying one after the other does,
// and the same whichever side is "mine".
TEST(ImageMerge, DisjointEditsOfEveryPartKindCombine)
{
    Fixture f;
    const std::size_t tile = rom::bgChrBase(f.original, 0) + 5 * 16;
    const std::size_t animation = layout::kAnimationTable + 3 * 7;
    const auto actors = world::readActorList(f.original, f.where.actorPointer);
    const auto stairs = world::readStairList(f.original, f.where.stairPointer);
    ASSERT_FALSE(actors.empty());
    ASSERT_FALSE(stairs.empty());
    struct Case {
        const char* name;
        PartKind kind;
        std::string field; // a field the diff names for the first edit
        Edit mine;
        Edit theirs;
    };
    const std::vector<Case> cases = {
        {"map cells", PartKind::Screen, "cell (row 0, column 0)",
         [&](rom::RomImage& r) { flip(r, f.screen(0), 1); }, [&](rom::RomImage& r) { flip(r, f.screen(0) + 9, 2); }},
        {"screen pointers", PartKind::MapHeader, "screen pointer (0, 0)",
         [&](rom::RomImage& r) { rom::setScreenPointer(r, f.where.mapPointer, 0, 0, 0x9000); },
         [&](rom::RomImage& r) { rom::setScreenPointer(r, f.where.mapPointer, 1, 0, 0x9100); }},
        {"actors", PartKind::Actors, "actor 0 position",
         [&](rom::RomImage& r) { auto a = world::readActorList(r, f.where.actorPointer); a[0].x ^= 1; world::writeActorList(r, f.where.actorPointer, a); },
         [&](rom::RomImage& r) { auto a = world::readActorList(r, f.where.actorPointer); a[0].type ^= 4; world::writeActorList(r, f.where.actorPointer, a); }},
        {"stairs", PartKind::Stairs, "stair 0 direction",
         [&](rom::RomImage& r) { auto s = world::readStairList(r, f.where.stairPointer); s[0].upDown ^= 1; world::writeStairList(r, f.where.stairPointer, s); },
         [&](rom::RomImage& r) { auto s = world::readStairList(r, f.where.stairPointer); s[0].y ^= 2; world::writeStairList(r, f.where.stairPointer, s); }},
        {"palettes", PartKind::Palette, "entry 1",
         [&](rom::RomImage& r) { gfx::AreaPalette p{}; gfx::readAreaPalette(r, f.where.palettePointer, p); p[1] ^= 0x10; gfx::writeAreaPalette(r, f.where.palettePointer, p); },
         [&](rom::RomImage& r) { gfx::AreaPalette p{}; gfx::readAreaPalette(r, f.where.palettePointer, p); p[26] ^= 0x01; gfx::writeAreaPalette(r, f.where.palettePointer, p); }},
        {"tile pixels", PartKind::Tiles, "",
         [&](rom::RomImage& r) { flip(r, tile, 0x80); }, [&](rom::RomImage& r) { flip(r, tile + 15, 0x01); }},
        {"metatiles", PartKind::Metatile, "tile (1, 0)",
         [&](rom::RomImage& r) { gfx::setMetatileTile(r, 0, 3, 1, 0x77); },
         [&](rom::RomImage& r) { gfx::setMetatileAttribute(r, 0, 3, gfx::withQuadrantPalette(gfx::getMetatileAttribute(r, 0, 3), 3, 3, 2)); }},
        {"thresholds", PartKind::Thresholds, "threshold 0",
         [&](rom::RomImage& r) { auto t = rom::readSolidityThresholds(r, 1); t[0] ^= 8; rom::writeSolidityThresholds(r, 1, t); },
         [&](rom::RomImage& r) { auto t = rom::readSolidityThresholds(r, 1); t[2] ^= 8; rom::writeSolidityThresholds(r, 1, t); }},
        {"ferryman", PartKind::Ferryman, "item",
         [&](rom::RomImage& r) { auto s = world::readFerryman(r); s.item ^= 1; world::writeFerryman(r, s); },
         [&](rom::RomImage& r) { auto s = world::readFerryman(r); s.altText ^= 1; world::writeFerryman(r, s); }},
        {"animations", PartKind::Animation, "time - 1",
         [&](rom::RomImage& r) { flip(r, animation + 2, 1); }, [&](rom::RomImage& r) { flip(r, animation + 1, 1); }},
        {"frame sprites", PartKind::FrameTable, "frame 01 sprite 0 dx",
         [&](rom::RomImage& r) { sprites::setFrameSprite(r, 1, 0, {.dx = 9}); },
         [&](rom::RomImage& r) { sprites::setFrameSprite(r, 1, 1, {.tile = 0x42}); }},
        {"mask and other bytes", PartKind::PpuMask, "greyscale and emphasis",
         [&](rom::RomImage& r) { gfx::writePpuMask(r, {0, 0x80}); }, [&](rom::RomImage& r) { flip(r, 0x18123, 0x11); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const rom::RomImage mine = f.edited(c.mine);
        const rom::RomImage theirs = f.edited(c.theirs);
        rom::RomImage both = mine;
        c.theirs(both);

        const auto changes = compare::diffImages(f.map, f.original, mine, f.table);
        ASSERT_EQ(changes.size(), 1u);
        EXPECT_EQ(changes[0].kind, c.kind);
        if (!c.field.empty()) {
            ASSERT_FALSE(changes[0].changes.empty());
            EXPECT_EQ(changes[0].changes[0].field, c.field);
        }
        const auto merge = f.merge(mine, theirs);
        EXPECT_TRUE(merge.conflicts().empty()) << (merge.conflicts().empty() ? "" : merge.conflicts()[0].description);
        EXPECT_EQ(merge.result({}).body(), both.body());
        EXPECT_EQ(f.merge(theirs, mine).result({}).body(), both.body());
        // Both sides making the same edit is one edit.
        EXPECT_TRUE(f.merge(mine, mine).conflicts().empty());
        EXPECT_EQ(f.merge(mine, mine).result({}).body(), mine.body());
    }
}

TEST(ImageMerge, FieldsBothChangedDifferentlyAreConflictsSettledBySide)
{
    Fixture f;
    const std::size_t tile = rom::bgChrBase(f.original, 0) + 6 * 16;
    // Pixel (0, 0) of a tile: one side sets plane 0, the other plane 1.
    // Combined they would make colour 3, which neither chose.
    const rom::RomImage mine = f.edited([&](rom::RomImage& r) { flip(r, tile, 0x80); gfx::writePpuMask(r, {1, 0}); });
    const rom::RomImage theirs = f.edited([&](rom::RomImage& r) { flip(r, tile + 8, 0x80); gfx::writePpuMask(r, {0, 0x20}); });
    const auto merge = f.merge(mine, theirs);
    const auto texts = conflictTexts(merge);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "PPU mask: greyscale and emphasis: mine greyscale on, emphasis $00, theirs greyscale off, "
                        "emphasis $20");
    EXPECT_EQ(texts[1], "background tile $06, bank 0: pixel (0, 0): mine colour " + std::to_string(((f.original.read(tile) & 0x80) ? 0 : 1) | ((f.original.read(tile + 8) & 0x80) ? 2 : 0))
                            + ", theirs colour " + std::to_string(((f.original.read(tile) & 0x80) ? 1 : 0) | ((f.original.read(tile + 8) & 0x80) ? 0 : 2)));
    EXPECT_EQ(merge.result({}, Side::Mine).read(tile), mine.read(tile));
    EXPECT_EQ(merge.result({}, Side::Mine).read(tile + 8), mine.read(tile + 8));
    EXPECT_EQ(merge.result({Side::Theirs, Side::Mine}).read(layout::kPpuMaskByte), theirs.read(layout::kPpuMaskByte));
    EXPECT_EQ(merge.result({}, Side::Theirs).body(), theirs.body());
}

TEST(ImageMerge, TheMasksShowBitsComeOutSetWhenEitherSideWroteTheMask)
{
    // No field shows them; every write of the mask sets them, so one
    // side's write brings them along, whichever side made it.
    Fixture f;
    rom::RomImage dark = f.original;
    dark.write(layout::kPpuMaskByte, 0x00);
    rom::RomImage written = dark;
    gfx::writePpuMask(written, {1, 0});
    ASSERT_EQ(written.read(layout::kPpuMaskByte), layout::kPpuMaskShowBits | layout::kPpuMaskGreyscaleBit);
    using Sides = std::pair<const rom::RomImage*, const rom::RomImage*>;
    for (const auto& [a, b] : {Sides{&written, &dark}, Sides{&dark, &written}, Sides{&written, &written}}) {
        const auto merge = compare::ImageMerge::plan(f.map, dark, *a, *b, f.table);
        EXPECT_TRUE(merge.conflicts().empty());
        EXPECT_EQ(merge.result({}).read(layout::kPpuMaskByte), written.read(layout::kPpuMaskByte));
    }
}

TEST(ImageMerge, ScreenPointerMovedWhileTheOtherSidePaintedItsScreen)
{
    Fixture f;
    const rom::RomImage mine = f.edited([&](rom::RomImage& r) { rom::setScreenPointer(r, f.where.mapPointer, 0, 0, 0x9000); });
    const rom::RomImage theirs = f.edited([&](rom::RomImage& r) { flip(r, f.screen(0) + 20, 3); });
    const auto merge = f.merge(mine, theirs);
    ASSERT_EQ(merge.conflicts().size(), 1u);
    const std::string& text = merge.conflicts()[0].description;
    EXPECT_NE(text.find("screen pointer (0, 0) changed by mine while theirs changed screen"), std::string::npos) << text;
    EXPECT_EQ(merge.conflicts()[0].bits.size(), 2u + layout::kScreenBytes) << "the pointer and its screen";
    EXPECT_NE(text.find("shown at Towns"), std::string::npos) << text;
    EXPECT_EQ(merge.result({}, Side::Mine).body(), mine.body());
    EXPECT_EQ(merge.result({}, Side::Theirs).body(), theirs.body());
    // The same edits the other way round name the other side.
    EXPECT_NE(f.merge(theirs, mine).conflicts()[0].description.find("changed by theirs while mine"), std::string::npos);
}

TEST(ImageMerge, TextsMergePerStringAndArePackedUnderTheOriginalsCapacity)
{
    Fixture f;
    const text::TextBlock block = text::TextBlock::measure(f.original);
    const auto withText = [&](int n, const std::string& value) {
        return [&, n, value](rom::RomImage& r) {
            text::Texts texts = text::decodeTexts(r, f.table);
            texts[static_cast<std::size_t>(n)] = value;
            text::commitTexts(r, block, texts, f.table);
        };
    };
    // Different strings on each side: both kept, packed from the start.
    const std::string longer = text::decodeText(f.original, 3, f.table) + "ZZ";
    const rom::RomImage mine = f.edited(withText(3, longer));
    const rom::RomImage theirs = f.edited(withText(90, "X"));
    const auto merge = f.merge(mine, theirs);
    ASSERT_TRUE(merge.conflicts().empty());
    const rom::RomImage merged = merge.result({});
    text::Texts expected = text::decodeTexts(f.original, f.table);
    expected[3] = longer;
    expected[90] = "X";
    EXPECT_EQ(text::decodeTexts(merged, f.table), expected);
    EXPECT_EQ(text::textStart(merged, 0), layout::kTextBlockStart);
    const std::size_t used = text::blockSize(expected, f.table);
    for (std::size_t i = layout::kTextBlockStart + used; i < block.end(); ++i)
        ASSERT_EQ(merged.read(i), f.original.read(i)) << i;
    EXPECT_EQ(f.merge(theirs, mine).result({}).body(), merged.body());
    // Only one side changed texts: its block is taken as it is.
    EXPECT_EQ(f.merge(mine, f.original).result({}).body(), mine.body());

    // One string changed differently: a conflict per string.
    const auto clash = f.merge(mine, f.edited(withText(3, "SHORT")));
    ASSERT_EQ(conflictTexts(clash), std::vector<std::string>{"text $03: mine \"" + longer + "\", theirs \"SHORT\""});
    EXPECT_EQ(text::decodeText(clash.result({Side::Theirs}), 3, f.table), "SHORT");

    // Each side fills most of the free room: together they do not fit.
    const std::size_t room = block.capacity() - text::blockSize(text::decodeTexts(f.original, f.table), f.table);
    const std::string fillMine(room - 2, 'M'), fillTheirs(room - 2, 'T');
    const rom::RomImage big = f.edited(withText(10, text::decodeText(f.original, 10, f.table) + fillMine));
    const rom::RomImage other = f.edited(withText(20, text::decodeText(f.original, 20, f.table) + fillTheirs));
    const auto full = f.merge(big, other);
    ASSERT_EQ(full.conflicts().size(), 1u);
    EXPECT_TRUE(full.conflicts()[0].textsDoNotFit);
    EXPECT_NE(full.conflicts()[0].description.find("texts $0A, $14 do not fit together"), std::string::npos);
    EXPECT_EQ(full.result({}, Side::Mine).body(), big.body());
    EXPECT_EQ(full.result({}, Side::Theirs).body(), other.body());
}

TEST(ImageMerge, SpriteTablesMergeWholeOrPerSpriteOrConflict)
{
    Fixture f;
    const int frame = test::kSyntheticExampleFrame;
    const rom::RomImage deleted = f.edited([&](rom::RomImage& r) { sprites::deleteFrameSprite(r, frame, 1); });
    const rom::RomImage moved = f.edited([&](rom::RomImage& r) { sprites::setFrameSprite(r, frame, 0, {.dy = -3}); });
    // One side only: its table whole, sprite count and all.
    EXPECT_EQ(f.merge(deleted, f.original).result({}).body(), deleted.body());
    // Deleted on one side and moved on the other: one conflict naming the
    // frames that read the table.
    const auto merge = f.merge(deleted, moved);
    ASSERT_EQ(merge.conflicts().size(), 1u);
    EXPECT_NE(merge.conflicts()[0].description.find("frames 01, FF"), std::string::npos)
        << merge.conflicts()[0].description;
    EXPECT_EQ(merge.result({}, Side::Mine).body(), deleted.body());
    EXPECT_EQ(merge.result({}, Side::Theirs).body(), moved.body());
    // The deletion told by count in the diff.
    const auto changes = compare::diffImages(f.map, f.original, deleted, f.table);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].changes[0].field, "frame 01 sprites");
    EXPECT_EQ(changes[0].changes[0].before, "2");
    EXPECT_EQ(changes[0].changes[0].after, "1");
}

TEST(ImageMerge, RefusesImagesOfAnotherShapeAndPatchesForAnotherImage)
{
    Fixture f;
    test::SyntheticRom longer = f.world.rom;
    longer.resizeBody(f.original.size() + 16);
    EXPECT_THROW(f.merge(longer.image(), f.original), RomError);
    test::SyntheticRom header = f.world.rom;
    header.header()[6] ^= 0x10;
    try {
        f.merge(f.original, header.image());
        FAIL() << "another header was merged";
    } catch (const RomError& error) {
        EXPECT_NE(std::string(error.what()).find("different 16-byte headers"), std::string::npos);
    }

    // Patches: applied with the patch commands' refusals, named.
    const rom::RomImage edited = f.edited([](rom::RomImage& r) { flip(r, 0x18123, 1); });
    const auto file = patch::imageFileBytes(f.original);
    const auto ips = patch::makeIps(file, patch::imageFileBytes(edited));
    EXPECT_EQ(compare::patchedImage(f.original, ips, "hack.ips")->body(), edited.body());
    EXPECT_FALSE(compare::patchedImage(f.original, file, "image.nes"));
    auto otherSource = file;
    otherSource[100] ^= 1;
    const auto bps = patch::makeBps(otherSource, patch::imageFileBytes(edited));
    std::string expected;
    try {
        patch::applyPatchToImage(f.original, bps);
    } catch (const RomError& error) {
        expected = std::string("hack.bps: ") + error.what();
    }
    ASSERT_FALSE(expected.empty());
    try {
        compare::patchedImage(f.original, bps, "hack.bps");
        FAIL() << "a patch for another image was applied";
    } catch (const RomError& error) {
        EXPECT_EQ(error.what(), expected);
    }
    auto damaged = ips;
    damaged.resize(damaged.size() - 3); // no "EOF"
    EXPECT_THROW(compare::patchedImage(f.original, damaged, "hack.ips"), RomError);
}

// Edits scattered over the whole body, in every kind of part at once: a
// merge with the original or with itself gives the edit back, and the two
// orders give the same image once conflicts go the same way.
TEST(ImageMerge, ScatteredEditsKeepTheMergesInvariants)
{
    Fixture f;
    for (const std::size_t step : {std::size_t{97}, std::size_t{1013}}) {
        SCOPED_TRACE(step);
        const auto scattered = [&](std::size_t first) {
            std::vector<std::uint8_t> body = f.original.body();
            for (std::size_t i = first; i < body.size(); i += step)
                body[i] ^= static_cast<std::uint8_t>(1 + i % 7);
            return rom::RomImage(f.original.header(), std::move(body));
        };
        const rom::RomImage a = scattered(0);
        const rom::RomImage b = scattered(step / 2);
        EXPECT_EQ(f.merge(a, f.original).result({}).body(), a.body());
        EXPECT_EQ(f.merge(f.original, a).result({}).body(), a.body());
        const auto same = f.merge(a, a);
        EXPECT_TRUE(same.conflicts().empty());
        EXPECT_EQ(same.result({}).body(), a.body());
        const auto ab = f.merge(a, b);
        const auto ba = f.merge(b, a);
        ASSERT_EQ(ab.conflicts().size(), ba.conflicts().size());
        EXPECT_EQ(ab.result({}, Side::Mine).body(), ba.result({}, Side::Theirs).body());
        EXPECT_EQ(ab.result({}, Side::Theirs).body(), ba.result({}, Side::Mine).body());
    }
}

TEST(ImageDiff, TellsEachChangeInTheEditorsWords)
{
    Fixture f;
    const std::size_t tile = rom::sprChrBase(f.original, 0) + 3 * 16;
    const rom::RomImage edited = f.edited([&](rom::RomImage& r) {
        auto actors = world::readActorList(r, f.where.actorPointer);
        actors[0].x = 3;
        actors[0].y = 4;
        world::writeActorList(r, f.where.actorPointer, actors);
        const std::uint8_t attribute = gfx::getMetatileAttribute(r, 2, 5);
        gfx::setMetatileAttribute(r, 2, 5, gfx::withQuadrantPalette(attribute, 0, 3, (gfx::quadrantPalette(0, 3, attribute) + 1) & 3));
        flip(r, tile + 2, 0xFF); // a whole row: 8 pixels
        flip(r, 0x18200, 1);
        flip(r, 0x18203, 1);
        gfx::writePpuMask(r, {0, 0x80});
    });
    const auto changes = compare::diffImages(f.map, f.original, edited, f.table);
    std::map<PartKind, const compare::PartChange*> byKind;
    for (const compare::PartChange& change : changes)
        byKind[change.kind] = &change;
    ASSERT_EQ(byKind.size(), 5u);

    const compare::PartChange& actors = *byKind[PartKind::Actors];
    EXPECT_EQ(actors.name, "actors of " + compare::placeName(f.id));
    ASSERT_FALSE(actors.changes.empty());
    EXPECT_EQ(actors.changes[0].field, "actor 0 position");
    EXPECT_EQ(actors.changes[0].after, "($03, $04)");
    const compare::PartChange& metatile = *byKind[PartKind::Metatile];
    EXPECT_EQ(metatile.name, "metatile $05 of object set 2");
    ASSERT_EQ(metatile.changes.size(), 1u);
    EXPECT_EQ(metatile.changes[0].field, "bottom-left palette");
    const int palette = (gfx::quadrantPalette(0, 3, gfx::getMetatileAttribute(f.original, 2, 5)) + 1) & 3;
    EXPECT_EQ(metatile.changes[0].after, "palette " + std::to_string(palette));
    const compare::PartChange& pixels = *byKind[PartKind::Tiles];
    EXPECT_EQ(pixels.name, "sprite tile $03, bank " + std::to_string((rom::sprChrBase(f.original, 0) - layout::kChrBase) / 0x1000));
    EXPECT_EQ(pixels.summary, "8 pixels");
    const compare::PartChange& mask = *byKind[PartKind::PpuMask];
    EXPECT_EQ(mask.changes[0].after, "greyscale off, emphasis $80");
    // Other bytes close together are one range, with the bank's addresses.
    const compare::PartChange& other = *byKind[PartKind::Other];
    EXPECT_EQ(other.name, "other bytes, bank 6 $8200-$8203");
    EXPECT_EQ(other.summary, "2 bytes");
    EXPECT_EQ(other.changes[0].before.size(), std::string("00 00 00 00").size());
}
