#include "core/world/Dragging.h"

#include "core/rom/GameLayout.h"

namespace quarry::world {

namespace {

// The distance between the grid cells of the two points, in cells.
int cellsBetween(int from, int to, int cell)
{
    return (to / cell) - (from / cell);
}

// The new position in cells, or -1 when the picture would not fit the map.
int placed(int position, int delta, int cell, int pictureSize, int mapSize)
{
    const int moved = position + delta;
    const int pixels = moved * cell;
    if (pixels < 0 || pictureSize + pixels - 2 > mapSize)
        return -1;
    return moved;
}

// No value, saying why when the caller asks.
std::nullopt_t refuse(std::string* refusal, const std::string& why)
{
    if (refusal)
        *refusal = why;
    return std::nullopt;
}

} // namespace

std::optional<ActorRecord> draggedActor(const ActorRecord& actor, const Drag& drag, std::string* refusal)
{
    constexpr int kCell = kActorCellPixels;
    if (drag.end.x < 0 || drag.end.y < 0 || drag.start.x < 0 || drag.start.y < 0)
        return refuse(refusal, "the pointer was let go outside the map");
    const int x = placed(actor.x, cellsBetween(drag.start.x, drag.end.x, kCell), kCell, drag.pictureWidth,
                         drag.mapWidth);
    const int y = placed(actor.y, cellsBetween(drag.start.y, drag.end.y, kCell), kCell, drag.pictureHeight,
                         drag.mapHeight);
    if (x < 0 || y < 0)
        return refuse(refusal, std::string(x < 0 ? "x" : "y") + " would put the picture outside the map");
    if (x >= layout::kListTerminator || y >= layout::kListTerminator)
        return refuse(refusal, std::string(x >= layout::kListTerminator ? "x" : "y")
                                   + " would be $FF: the list cannot hold it");
    ActorRecord moved = actor;
    moved.x = static_cast<std::uint8_t>(x);
    moved.y = static_cast<std::uint8_t>(y);
    return moved;
}

std::optional<StairRecord> draggedStair(const StairRecord& stair, const Drag& drag, std::string* refusal)
{
    constexpr int kCell = kStairCellPixels;
    constexpr int kLargest = 0x7F;
    if (drag.end.x < 0 || drag.end.y < 0 || drag.start.x < 0 || drag.start.y < 0)
        return refuse(refusal, "the pointer was let go outside the map");
    const int x = placed(stair.x, cellsBetween(drag.start.x, drag.end.x, kCell), kCell, drag.pictureWidth,
                         drag.mapWidth);
    const int y = placed(stair.y, cellsBetween(drag.start.y, drag.end.y, kCell), kCell, drag.pictureHeight,
                         drag.mapHeight);
    if (x < 0 || y < 0)
        return refuse(refusal, std::string(x < 0 ? "x" : "y") + " would put the picture outside the map");
    if (x > kLargest || y > kLargest)
        return refuse(refusal, std::string(x > kLargest ? "x" : "y") + " would pass $7F: the list cannot hold it");
    StairRecord moved = stair;
    moved.x = static_cast<std::uint8_t>(x);
    moved.y = static_cast<std::uint8_t>(y);
    if (!stairStorable(moved))
        return refuse(refusal, kStoredAsEnd);
    return moved;
}

StairRecord turnedStair(const StairRecord& stair)
{
    int v = (stair.leftRight & 1) * 2 + (stair.upDown & 1);
    v = (v + 1) & 3;
    StairRecord turned = stair;
    turned.leftRight = static_cast<std::uint8_t>(v / 2);
    turned.upDown = static_cast<std::uint8_t>(v & 1);
    return turned;
}

bool stairStorable(const StairRecord& stair)
{
    std::uint8_t byte0 = 0, byte1 = 0;
    encodeStair(stair, byte0, byte1);
    return byte0 != layout::kListTerminator && byte1 != layout::kListTerminator;
}

} // namespace quarry::world
