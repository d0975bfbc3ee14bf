#include "core/session/LoadedArea.h"

#include "core/gfx/Metatiles.h"
#include "core/rom/RomImage.h"

namespace quarry::session {

LoadedArea readLoadedArea(const rom::RomImage& rom, const rom::AreaId& id, bool night)
{
    LoadedArea area;
    area.id = id;
    area.night = night;
    area.pointers = rom::resolveArea(rom, id, night);
    rom::checkResolvedArea(rom, id, night, area.pointers);
    area.map = rom::decodeAreaMap(rom, area.pointers.mapPointer);
    area.stairs = world::readStairList(rom, area.pointers.stairPointer);
    gfx::setFixedSpriteEntries(area.palette);
    gfx::readAreaPalette(rom, area.pointers.palettePointer, area.palette);
    area.mask = gfx::readPpuMask(rom);
    area.actors = world::readActorList(rom, area.pointers.actorPointer);
    area.backgroundTiles = gfx::loadBackgroundTiles(rom, id.objectSet);
    area.thresholds = rom::readSolidityThresholds(rom, id.objectSet);
    area.metatileLimit = gfx::getMetatileLimit(rom, id.objectSet);
    area.doors = world::readDoors(rom, id);
    redrawPictures(rom, area);
    return area;
}

void rereadGraphics(const rom::RomImage& rom, LoadedArea& area)
{
    LoadedArea updated = area;
    updated.backgroundTiles = gfx::loadBackgroundTiles(rom, area.id.objectSet);
    updated.thresholds = rom::readSolidityThresholds(rom, area.id.objectSet);
    gfx::readAreaPalette(rom, area.pointers.palettePointer, updated.palette);
    updated.mask = gfx::readPpuMask(rom);
    updated.metatileLimit = gfx::getMetatileLimit(rom, area.id.objectSet);
    redrawPictures(rom, updated);
    area = std::move(updated);
}

void redrawPictures(const rom::RomImage& rom, LoadedArea& area)
{
    area.colors = gfx::nesColorTable(area.mask);
    area.chooser = gfx::drawMetatilePicker(rom, area.id.objectSet, area.backgroundTiles, area.palette, area.colors);
}

gfx::Canvas LoadedArea::mapRegion(int x, int y, int w, int h) const
{
    return gfx::renderMapRegion(map.mapGrid, map.screensWide, map.screensHigh, chooser, x, y, w, h);
}

} // namespace quarry::session
