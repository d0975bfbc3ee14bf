#pragma once

#include "core/gfx/Canvas.h"
#include "core/rom/AreaDirectory.h"

#include <string>
#include <vector>

namespace quarry::session {

// One picture of "export all maps": a catalogue submap, day or night, and
// the file name it is written under ("town000100-night.png").
struct MapExportJob {
    rom::AreaId id;
    bool night = false;
    std::string fileName;
};

// The name a submap's picture is written under: its tree key, then "-day"
// or "-night" ("town000100-night.png").
std::string mapExportFileName(const rom::AreaId& id, bool night);

// Every submap of the catalogue in tree order, each day then night.
std::vector<MapExportJob> allMapExportJobs();

struct LoadedArea;
// The whole map as a picture to write. A map of no screens (width or height
// 0) has none: RomError says so, rather than leaving it to the file writer.
gfx::Canvas exportedMapPicture(const LoadedArea& area);

} // namespace quarry::session
