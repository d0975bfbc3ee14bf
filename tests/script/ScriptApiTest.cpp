// The API against the document operations it wraps: a call from a script
// must leave the same bytes, and be refused with the same message.
#include "ScriptFixture.h"

#include "core/gfx/Chr.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/session/LoadedArea.h"
#include "core/sprites/FrameSprites.h"
#include "core/world/AreaCatalogue.h"

#include <gtest/gtest.h>

#include <functional>

namespace quarry::test {
namespace {

using Direct = std::function<void(session::Document&)>;

struct Case {
    std::string call; // run after the submap was loaded
    Direct direct;    // the same edit made on the document
};

std::string loadCall(const rom::AreaId& id)
{
    return "quarry.load(" + std::to_string(id.objectSet) + ", " + std::to_string(id.area) + ", "
           + std::to_string(id.submap) + ")\n";
}

// The first demo submap with stairs, so every family has something to edit.
rom::AreaId submapWithStairs()
{
    const rom::RomImage demo = demo::buildDemoImage();
    for (const rom::AreaId& id : world::catalogueSubmaps())
        if (!session::readLoadedArea(demo, id, false).stairs.empty())
            return id;
    throw std::runtime_error("the demo has no stairs");
}

int frameWithSprites(const session::Document& document)
{
    for (int f = 0; f < layout::kFrameCount; ++f)
        if (sprites::readFrameSprites(document.rom(), f).sprites.size() >= 2)
            return f;
    throw std::runtime_error("the demo has no frame with two sprites");
}

void expectSameBytes(const rom::AreaId& id, const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        DemoDocument scripted, direct;
        direct.document.loadArea(id, false);
        c.direct(direct.document);
        const script::RunResult result = scripted.run(loadCall(id) + c.call);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_TRUE(result.changed);
        EXPECT_EQ(scripted.document.rom().body(), direct.document.rom().body());
        EXPECT_EQ(scripted.steps.size(), 1u);
    }
}

// The message the direct edit throws with.
std::string refusalOf(const rom::AreaId& id, const Direct& edit)
{
    DemoDocument direct;
    direct.document.loadArea(id, false);
    try {
        edit(direct.document);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(not refused)";
}

TEST(ScriptApi, EveryEditFamilyWritesWhatTheDocumentOperationWrites)
{
    const rom::AreaId id = submapWithStairs();
    const DemoDocument probe;
    const session::LoadedArea area = session::readLoadedArea(probe.document.rom(), id, false);
    const int frame = frameWithSprites(probe.document);
    const std::string f = std::to_string(frame);
    const std::size_t bank = (rom::bgChrBase(probe.document.rom(), id.objectSet) - layout::kChrBase) / 0x1000;
    const std::size_t tileAt = layout::kChrBase + bank * 0x1000 + 5 * 16;

    // The map tools.
    expectSameBytes(id, {
        {"quarry.set_cell(1, 2, 3)", [](session::Document& d) { d.paintCell(32, 64, 3); }},
        {"quarry.set_pointer(1, 0, quarry.pointer(0, 0))",
         [&](session::Document& d) { d.setScreenPointerAt(256, 0, area.map.screenTable[0]); }},
        {"quarry.stamp(2, 1, {{1, 2}, {3, 4}})",
         [](session::Document& d) { d.stampBlock({2, 1}, {2, 2, {1, 2, 3, 4}}, "Stamp"); }},
        {"quarry.fill(0, 0, 5)", [](session::Document& d) { d.fillCells({0, 0}, 5); }},
    });
    // Actors and stairs, positions in map pixels.
    const world::ActorRecord actor = area.actors[0];
    const world::StairRecord stair = area.stairs[0];
    expectSameBytes(id, {
        {"local a = quarry.actors()[1]; quarry.set_actor(0, {x = a.x + 16, y = a.y})",
         [&](session::Document& d) { d.moveActor(0, {actor.x * 16, actor.y * 16}, {actor.x * 16 + 16, actor.y * 16}, 16, 32); }},
        {"quarry.set_actor(0, {type = 9, control = 4})",
         [](session::Document& d) { d.setActorType(0, 9); d.setActorControl(0, 4); }},
        {"local s = quarry.stairs()[1]; quarry.set_stair(0, {x = s.x + 8, upDown = 1 - s.upDown})",
         [&](session::Document& d) {
             d.turnStair(0);
             if (stair.leftRight != d.area()->stairs[0].leftRight)
                 d.turnStair(0), d.turnStair(0);
             d.moveStair(0, {stair.x * 8, stair.y * 8}, {stair.x * 8 + 8, stair.y * 8}, 16, 16);
         }},
    });
    // The palette, mask, tile, metatile and solidity editors.
    expectSameBytes(id, {
        {"quarry.set_palette(1, 0x21)",
         [&](session::Document& d) {
             gfx::AreaPalette p = area.palette;
             p[1] = 0x21;
             d.writeAreaPalette(area.pointers.palettePointer, p);
         }},
        {"quarry.set_mask({greyscale = 1, emphasis = 0x40})",
         [](session::Document& d) { d.writePpuMask({1, 0x40}); }},
        {"local b = quarry.chr_banks(" + std::to_string(id.objectSet) + ")\n"
             "quarry.set_tile_pixel(b, 5, 3, 4, (quarry.tile_pixel(b, 5, 3, 4) + 1) % 4)",
         [&](session::Document& d) {
             gfx::TilePixels pixels = gfx::decodeTiles(d.rom(), tileAt, 1);
             pixels[4 * 8 + 3] = static_cast<std::uint8_t>((pixels[4 * 8 + 3] + 1) % 4);
             d.writeTiles(tileAt, pixels);
         }},
        {"quarry.set_metatile(3, {tiles = {[2] = 0x77}, attribute = 0x55})",
         [&](session::Document& d) {
             d.setMetatileTile(id.objectSet, 3, 1, 0x77);
             d.setMetatileAttribute(id.objectSet, 3, 0x55);
         }},
        {"quarry.set_thresholds(1, 2, 3)", [&](session::Document& d) { d.setSolidityThresholds(id.objectSet, {1, 2, 3}); }},
    });
    // Texts and sprite frames.
    expectSameBytes(id, {
        {"quarry.set_text(2, 'HELLO THERE')",
         [](session::Document& d) {
             text::Texts texts = d.decodeTexts();
             texts[2] = "HELLO THERE";
             d.commitTexts(texts);
         }},
        {"quarry.set_sprite(" + f + ", 1, {dx = 5, dy = -3})",
         [&](session::Document& d) { d.setFrameSprite(frame, 1, {-3, 5, {}, {}}); }},
        {"quarry.delete_sprite(" + f + ", 0)", [&](session::Document& d) { d.deleteFrameSprite(frame, 0); }},
    });

    // Refusals carry the document's own message, at the script's line.
    const std::vector<std::pair<std::string, Direct>> refusals = {
        {"quarry.stamp(0, 0, {{250}})", [](session::Document& d) { d.stampBlock({0, 0}, {1, 1, {250}}, "Stamp"); }},
        {"quarry.set_pointer(0, 0, 0x1234)", [](session::Document& d) { d.setScreenPointerAt(0, 0, 0x1234); }},
        {"quarry.set_text(0, string.rep('A', 9000))",
         [](session::Document& d) {
             text::Texts texts = d.decodeTexts();
             texts[0] = std::string(9000, 'A');
             d.commitTexts(texts);
         }},
        {"quarry.set_sprite(" + f + ", 60, {dx = 1})", [&](session::Document& d) { d.setFrameSprite(frame, 60, {{}, 1, {}, {}}); }},
        {"quarry.set_actor(0, {x = -16})",
         [&](session::Document& d) {
             std::string refusal;
             d.moveActor(0, {actor.x * 16, actor.y * 16}, {-16, actor.y * 16}, 16, 32, &refusal);
             throw std::runtime_error(refusal);
         }},
    };
    for (const auto& [call, edit] : refusals) {
        SCOPED_TRACE(call);
        DemoDocument scripted;
        const script::RunResult result = scripted.run(loadCall(id) + call);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, "test.lua:2: " + refusalOf(id, edit));
        EXPECT_TRUE(scripted.steps.empty());
    }
}

TEST(ScriptApi, ReadsShowWhatTheEditorShowsWithTheirNumbers)
{
    DemoDocument demo;
    const rom::AreaId id = submapWithStairs();
    const script::RunResult result = demo.run(loadCall(id) + R"(
        local w, h = quarry.map_size()
        print(w, h, quarry.cell(3, 2), quarry.limit(), quarry.pointer(0, 0))
        local a = quarry.actors()[2]
        print(a.n, a.x, a.y, a.type, a.control)
        local s = quarry.stairs()[1]
        print(s.n, s.x, s.y, s.upDown, s.leftRight)
        local list = quarry.submaps()
        print(#list, list[1].n, list[#list].n)
        print(quarry.texts()[3].n, quarry.doors()[1].set ~= nil)
        print(pcall(quarry.cell, w * 8, 0))
    )");
    ASSERT_TRUE(result.ok) << result.error;
    const session::LoadedArea& area = *demo.document.area();
    ASSERT_EQ(demo.printed.size(), 6u);
    const auto& actor = area.actors[1];
    const auto& stair = area.stairs[0];
    EXPECT_EQ(demo.printed[0], std::to_string(area.map.screensWide) + "\t" + std::to_string(area.map.screensHigh) + "\t"
                                   + std::to_string(area.map.mapGrid[area.map.cellIndex(0, 0, 2, 3)]) + "\t"
                                   + std::to_string(area.metatileLimit) + "\t" + std::to_string(area.map.screenTable[0]));
    EXPECT_EQ(demo.printed[1], "1\t" + std::to_string(actor.x * 16) + "\t" + std::to_string(actor.y * 16) + "\t"
                                   + std::to_string(actor.type) + "\t" + std::to_string(actor.control));
    EXPECT_EQ(demo.printed[2], "0\t" + std::to_string(stair.x * 8) + "\t" + std::to_string(stair.y * 8) + "\t"
                                   + std::to_string(stair.upDown) + "\t" + std::to_string(stair.leftRight));
    const std::size_t submaps = world::catalogueSubmaps().size();
    EXPECT_EQ(demo.printed[3], std::to_string(submaps) + "\t0\t" + std::to_string(submaps - 1));
    EXPECT_EQ(demo.printed[4], "2\ttrue");
    EXPECT_EQ(demo.printed[5].rfind("false\tcell (", 0), 0u) << demo.printed[5];
    EXPECT_NE(demo.printed[5].find("lies outside the map"), std::string::npos) << demo.printed[5];
}

} // namespace
} // namespace quarry::test
