#pragma once

#include "core/gfx/AreaPalette.h"
#include "core/gfx/BackgroundRenderer.h"
#include "core/gfx/Canvas.h"
#include "core/gfx/Chr.h"
#include "core/gfx/NesColor.h"
#include "core/rom/AreaDirectory.h"
#include "core/rom/AreaMap.h"
#include "core/world/Actors.h"
#include "core/world/Connections.h"
#include "core/world/Stairs.h"

#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::session {

// Everything the editor shows for one submap, read from the image in one go.
struct LoadedArea {
    rom::AreaId id;
    bool night = false;
    rom::ResolvedArea pointers;
    rom::AreaMap map;
    std::vector<world::StairRecord> stairs;
    std::vector<world::ActorRecord> actors;
    gfx::AreaPalette palette{};
    gfx::PpuMaskSettings mask;
    rom::SolidityThresholds thresholds{};
    gfx::TilePixels backgroundTiles;
    std::uint8_t metatileLimit = 0;
    world::Doors doors;

    // The colours the chooser was last drawn with; every tile painting of
    // the area uses them until the chooser is drawn again.
    gfx::ColorTable colors{};
    gfx::Canvas chooser; // 256 x 288, the cache the map is composed from

    // The map picture, W x 256 by H x 224 pixels, is composed from the
    // chooser and the grid whenever a part of it is wanted, never stored:
    // the largest map's picture would be 134 MB and take far longer to
    // compose than a click may. Views ask for the part they show.
    int mapWidth() const { return map.screensWide * layout::kScreenWidth; }
    int mapHeight() const { return map.screensHigh * layout::kScreenHeight; }
    gfx::Canvas mapRegion(int x, int y, int w, int h) const;
    // The whole picture (for export).
    gfx::Canvas mapPicture() const { return mapRegion(0, 0, mapWidth(), mapHeight()); }
};

// Reads a submap in the order the game data is reached: map and stairs,
// palette and mask, actors, then tiles, thresholds, doors, and draws the
// chooser and the map. Throws RomError for any invalid address; nothing is
// changed then.
LoadedArea readLoadedArea(const rom::RomImage& rom, const rom::AreaId& id, bool night);

// Re-reads the tiles, thresholds and palette the graphics editors may have
// written, and redraws the chooser and the map picture.
void rereadGraphics(const rom::RomImage& rom, LoadedArea& area);

// Redraws the chooser with a fresh colour table from the mask settings; the
// map picture follows it.
void redrawPictures(const rom::RomImage& rom, LoadedArea& area);

} // namespace quarry::session
