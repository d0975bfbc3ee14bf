#pragma once

#include "core/session/Document.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticWorld.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace quarry::test {

// A whole synthetic image written to a file of its own and opened in a
// document, as the editor and the command-line tool open images.
struct OpenedWorld {
    TempDir dir;
    SyntheticWorld world;
    session::Document document;
    std::string path = dir.file("game.nes");

    // `prepare` may change the synthetic image before it is written.
    explicit OpenedWorld(const std::function<void(SyntheticWorld&)>& prepare = {})
    {
        if (prepare)
            prepare(world);
        world.writeFile(path);
        if (document.open(path) != rom::OpenResult::Loaded)
            throw std::runtime_error("the synthetic image did not open");
    }
};

// The first submap with at least `actors` actors and `stairs` stairs.
inline rom::AreaId busySubmap(const SyntheticWorld& world, std::size_t actors = 1, std::size_t stairs = 1)
{
    for (const rom::AreaId& id : world::catalogueSubmaps())
        if (world.game.submap(id).actors.size() >= actors && world.game.mapOf(id).stairs.size() >= stairs)
            return id;
    throw std::runtime_error("no submap with enough actors and stairs");
}

} // namespace quarry::test
