#include "core/session/MapExport.h"

#include "core/RomError.h"
#include "core/session/LoadedArea.h"

#include "core/world/AreaCatalogue.h"

namespace quarry::session {

std::string mapExportFileName(const rom::AreaId& id, bool night)
{
    const world::SubmapNode* submap = world::findSubmap(id);
    const std::string stem = submap ? submap->key
                                    : "submap" + std::to_string(id.objectSet) + "-" + std::to_string(id.area) + "-"
                                          + std::to_string(id.submap);
    return stem + (night ? "-night.png" : "-day.png");
}

std::vector<MapExportJob> allMapExportJobs()
{
    std::vector<MapExportJob> jobs;
    for (const world::ObjectSetNode& set : world::areaCatalogue())
        for (const world::AreaNode& area : set.areas)
            for (const world::SubmapNode& submap : area.submaps)
                for (bool night : {false, true})
                    jobs.push_back({submap.id, night, mapExportFileName(submap.id, night)});
    return jobs;
}

gfx::Canvas exportedMapPicture(const LoadedArea& area)
{
    if (area.map.screensWide == 0 || area.map.screensHigh == 0)
        throw RomError("the map has no screens (" + std::to_string(area.map.screensWide) + " x "
                       + std::to_string(area.map.screensHigh) + "), so there is no picture of it");
    return area.mapPicture();
}

} // namespace quarry::session
