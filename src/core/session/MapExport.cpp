#include "core/session/MapExport.h"

#include "core/world/AreaCatalogue.h"

namespace quarry::session {

std::vector<MapExportJob> allMapExportJobs()
{
    std::vector<MapExportJob> jobs;
    for (const world::ObjectSetNode& set : world::areaCatalogue())
        for (const world::AreaNode& area : set.areas)
            for (const world::SubmapNode& submap : area.submaps)
                for (bool night : {false, true})
                    jobs.push_back({submap.id, night, submap.key + (night ? "-night.png" : "-day.png")});
    return jobs;
}

} // namespace quarry::session
