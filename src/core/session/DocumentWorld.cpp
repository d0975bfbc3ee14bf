// The actor, stair and ferryman edits of the document.
#include "core/session/Document.h"

#include "core/RomError.h"
#include "core/gfx/BackgroundRenderer.h"
#include "core/rom/Addressing.h"
#include "core/rom/Hex.h"
#include "core/world/AreaCommit.h"

#include <string>
#include <vector>

namespace quarry::session {

namespace {

template <typename List>
std::size_t checkedIndex(const List& list, int index, const char* what)
{
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        throw RomError(std::string("there is no ") + what + " number " + std::to_string(index)
                       + " in the loaded submap");
    return static_cast<std::size_t>(index);
}

// Writes the loaded submap with edited lists; only once the image took them
// do the lists of the loaded area change.
void commitLists(rom::RomImage& rom, LoadedArea& area, std::vector<world::StairRecord> stairs,
                 std::vector<world::ActorRecord> actors)
{
    world::commitArea(rom, world::AreaCommit{area.pointers, area.map, stairs, actors, area.mask});
    area.stairs = std::move(stairs);
    area.actors = std::move(actors);
}

std::string numberText(std::size_t index)
{
    return hexDigits(static_cast<std::uint32_t>(index), 2);
}

world::Drag dragOver(const LoadedArea& area, world::MapPoint start, world::MapPoint end, int pictureWidth,
                     int pictureHeight)
{
    return world::Drag{start,
                       end,
                       pictureWidth,
                       pictureHeight,
                       area.map.screensWide * layout::kScreenWidth,
                       area.map.screensHigh * layout::kScreenHeight};
}

} // namespace

bool Document::moveActor(int index, world::MapPoint start, world::MapPoint end, int pictureWidth,
                         int pictureHeight, std::string* refusal)
{
    LoadedArea& area = requireArea();
    const std::size_t i = checkedIndex(area.actors, index, "actor");
    return storeActor(i, world::draggedActor(area.actors[i], dragOver(area, start, end, pictureWidth, pictureHeight),
                                             refusal));
}

bool Document::placeActor(int index, world::MapPoint foot, int pictureWidth, int pictureHeight, std::string* refusal)
{
    LoadedArea& area = requireArea();
    const std::size_t i = checkedIndex(area.actors, index, "actor");
    return storeActor(
        i, world::typedActor(area.actors[i], foot, dragOver(area, {}, {}, pictureWidth, pictureHeight), refusal));
}

bool Document::storeActor(std::size_t i, const std::optional<world::ActorRecord>& moved)
{
    LoadedArea& area = requireArea();
    if (!moved || *moved == area.actors.at(i))
        return false;
    EditScope scope(*this, "Move actor " + numberText(i), kSubmapKinds);
    std::vector<world::ActorRecord> actors = area.actors;
    actors[i] = *moved;
    commitLists(rom_, area, area.stairs, std::move(actors));
    return true;
}

void Document::setActorType(int index, std::uint8_t type)
{
    LoadedArea& area = requireArea();
    const std::size_t i = checkedIndex(area.actors, index, "actor");
    EditScope scope(*this, "Set type of actor " + numberText(i), kSubmapKinds);
    std::vector<world::ActorRecord> actors = area.actors;
    actors[i].type = type;
    commitLists(rom_, area, area.stairs, std::move(actors));
}

void Document::setActorControl(int index, std::uint8_t control)
{
    LoadedArea& area = requireArea();
    const std::size_t i = checkedIndex(area.actors, index, "actor");
    if (area.actors[i].control == control)
        return;
    // Only the byte itself: the rest of the list, its end mark included,
    // stays as the image holds it.
    const std::size_t at = rom::cpuToBody(area.pointers.actorPointer, rom::DataKind::Actors) + 4 * i + 3;
    EditScope scope(*this, "Set parameter of actor " + numberText(i), kListsChanged);
    rom_.write(at, control);
    area.actors[i].control = control;
}

bool Document::moveStair(int index, world::MapPoint start, world::MapPoint end, int pictureWidth,
                         int pictureHeight, std::string* refusal)
{
    LoadedArea& area = requireArea();
    const std::size_t i = checkedIndex(area.stairs, index, "stair");
    return storeStair(i,
                      world::draggedStair(area.stairs[i], dragOver(area, start, end, pictureWidth, pictureHeight),
                                          refusal),
                      "Move stair ");
}

bool Document::placeStair(int index, world::MapPoint corner, int pictureWidth, int pictureHeight,
                          std::string* refusal)
{
    LoadedArea& area = requireArea();
    const std::size_t i = checkedIndex(area.stairs, index, "stair");
    return storeStair(
        i, world::typedStair(area.stairs[i], corner, dragOver(area, {}, {}, pictureWidth, pictureHeight), refusal),
        "Move stair ");
}

bool Document::turnStair(int index, std::string* refusal)
{
    LoadedArea& area = requireArea();
    const std::size_t i = checkedIndex(area.stairs, index, "stair");
    const world::StairRecord turned = world::turnedStair(area.stairs[i]);
    return setStairDirection(index, turned.upDown, turned.leftRight, refusal);
}

bool Document::setStairDirection(int index, std::uint8_t upDown, std::uint8_t leftRight, std::string* refusal)
{
    LoadedArea& area = requireArea();
    const std::size_t i = checkedIndex(area.stairs, index, "stair");
    world::StairRecord turned = area.stairs[i];
    turned.upDown = upDown & 1;
    turned.leftRight = leftRight & 1;
    if (!world::stairStorable(turned)) {
        if (refusal)
            *refusal = world::kStoredAsEnd;
        return false;
    }
    return storeStair(i, turned, "Turn stair ");
}

bool Document::storeStair(std::size_t i, const std::optional<world::StairRecord>& moved, const char* step)
{
    LoadedArea& area = requireArea();
    if (!moved || *moved == area.stairs.at(i))
        return false;
    EditScope scope(*this, step + numberText(i), kSubmapKinds);
    std::vector<world::StairRecord> stairs = area.stairs;
    stairs[i] = *moved;
    commitLists(rom_, area, std::move(stairs), area.actors);
    return true;
}

world::FerrymanSettings Document::ferryman() const
{
    return world::readFerryman(rom_);
}

void Document::setFerryman(const world::FerrymanSettings& settings)
{
    EditScope scope(*this, "Set ferryman", kSettingsChanged);
    world::writeFerryman(rom_, settings);
}

} // namespace quarry::session
