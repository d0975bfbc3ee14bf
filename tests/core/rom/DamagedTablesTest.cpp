// The map and palette tables are read at the body index their word gives,
// and a door's destination is checked for every pointer the game loads.
#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/session/LoadedArea.h"
#include "core/world/Connections.h"
#include "support/SyntheticWorld.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quarry {
namespace {

using test::SyntheticGame;
using test::SyntheticRom;

// Moves the table that `pointerAt` names to `newIndex` (bytes copied) or,
// with `copy` false, only points it there.
void pointTableAt(SyntheticRom& rom, std::size_t pointerAt, std::uint16_t newIndex, std::size_t size, bool copy)
{
    const std::size_t old = rom.body()[pointerAt] | (rom.body()[pointerAt + 1] << 8);
    if (copy)
        std::copy_n(rom.body().begin() + static_cast<std::ptrdiff_t>(old), size,
                    rom.body().begin() + newIndex);
    else
        rom.fill(newIndex, size, 0);
    rom.putWord(pointerAt, newIndex);
}

std::string loadProblem(const SyntheticRom& rom, const rom::AreaId& id)
{
    try {
        session::readLoadedArea(rom.image(), id, false);
    } catch (const RomError& error) {
        return error.what();
    }
    return {};
}

TEST(DamagedTables, MapAndPaletteTablesAreReadAtTheirWordAsABodyIndex)
{
    const rom::AreaId id{2, 3, 1};
    const struct {
        const char* table;
        std::size_t pointerAt;
        std::size_t size;
    } tables[] = {
        {"map table", layout::kMapTablePointers + 2 * 2, 4 * 256},
        {"palette table", layout::kPaletteTablePointers + 2 * 2, 4 * 24},
    };
    for (const auto& t : tables) {
        SCOPED_TRACE(t.table);
        test::SyntheticWorld world;
        SyntheticRom& rom = world.rom;
        const session::LoadedArea expected = session::readLoadedArea(rom.image(), id, false);

        // Below $8000 the word is no game address, yet a body index all the same.
        pointTableAt(rom, t.pointerAt, 0x3810, t.size, true);
        EXPECT_EQ(loadProblem(rom, id), "");
        EXPECT_EQ(session::readLoadedArea(rom.image(), id, false).mapPicture(), expected.mapPicture());

        // At $FFFF the entries hold no usable pointer: the load stops and
        // says which table led there.
        pointTableAt(rom, t.pointerAt, 0xFFFF, t.size, false);
        EXPECT_NE(loadProblem(rom, id).find(t.table), std::string::npos) << loadProblem(rom, id);
    }
}

TEST(DamagedTables, ADoorLeadsOnlyWhereMapAndStairsCanBeRead)
{
    SyntheticRom rom;
    SyntheticGame game{rom};
    game.setExit(2, 4, true, {0xFA, 0, 7});
    const int mapNumber = game.submap({2, 7, 0}).mapNumber;
    const std::size_t entry = game.mapTableEntry(2, mapNumber);
    EXPECT_NO_THROW(world::followExit(rom.image(), 2, 4, 0x7F));

    for (std::size_t pointer : {entry, entry + 2}) {
        SyntheticRom broken = rom;
        broken.putWord(pointer, 0x5000);
        try {
            world::followExit(broken.image(), 2, 4, 0x7F);
            ADD_FAILURE() << "the door was followed";
        } catch (const RomError& error) {
            EXPECT_NE(std::string(error.what()).find(pointer == entry ? "map data" : "stair list"), std::string::npos)
                << error.what();
        }
    }
}

} // namespace
} // namespace quarry
