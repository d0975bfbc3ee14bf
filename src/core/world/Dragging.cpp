#include "core/world/Dragging.h"

#include "core/rom/GameLayout.h"

#include <algorithm>

namespace quarry::world {

namespace {

// The distance between the grid cells of the two points, in cells.
int cellsBetween(int from, int to, int cell)
{
    return (to / cell) - (from / cell);
}

// The position in cells, or -1 when the picture would not fit the map.
int placed(int position, int cell, int pictureSize, int mapSize)
{
    const int pixels = position * cell;
    if (pixels < 0 || pictureSize + pixels - 2 > mapSize)
        return -1;
    return position;
}

// No value, saying why when the caller asks.
std::nullopt_t refuse(std::string* refusal, const std::string& why)
{
    if (refusal)
        *refusal = why;
    return std::nullopt;
}

// The checks every placement of an actor makes, on the cell it would take.
std::optional<ActorRecord> actorInCell(const ActorRecord& actor, int cellX, int cellY, const Drag& fit,
                                       std::string* refusal)
{
    constexpr int kCell = kActorCellPixels;
    const int x = placed(cellX, kCell, fit.pictureWidth, fit.mapWidth);
    const int y = placed(cellY, kCell, fit.pictureHeight, fit.mapHeight);
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

std::optional<StairRecord> stairInCell(const StairRecord& stair, int cellX, int cellY, const Drag& fit,
                                       std::string* refusal)
{
    constexpr int kCell = kStairCellPixels;
    constexpr int kLargest = 0x7F;
    const int x = placed(cellX, kCell, fit.pictureWidth, fit.mapWidth);
    const int y = placed(cellY, kCell, fit.pictureHeight, fit.mapHeight);
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

bool releasedOutside(const Drag& drag)
{
    return drag.end.x < 0 || drag.end.y < 0 || drag.start.x < 0 || drag.start.y < 0;
}

constexpr const char* kReleasedOutside = "the pointer was let go outside the map";

// A typed pixel far beyond any map stays far beyond it, without overflow.
int cellOf(int pixel, int cell)
{
    return snapDown(std::clamp(pixel, -0x100000, 0x100000), cell) / cell;
}

} // namespace

std::optional<ActorRecord> draggedActor(const ActorRecord& actor, const Drag& drag, std::string* refusal)
{
    constexpr int kCell = kActorCellPixels;
    if (releasedOutside(drag))
        return refuse(refusal, kReleasedOutside);
    return actorInCell(actor, actor.x + cellsBetween(drag.start.x, drag.end.x, kCell),
                       actor.y + cellsBetween(drag.start.y, drag.end.y, kCell), drag, refusal);
}

std::optional<StairRecord> draggedStair(const StairRecord& stair, const Drag& drag, std::string* refusal)
{
    constexpr int kCell = kStairCellPixels;
    if (releasedOutside(drag))
        return refuse(refusal, kReleasedOutside);
    return stairInCell(stair, stair.x + cellsBetween(drag.start.x, drag.end.x, kCell),
                       stair.y + cellsBetween(drag.start.y, drag.end.y, kCell), drag, refusal);
}

std::optional<ActorRecord> typedActor(const ActorRecord& actor, MapPoint foot, const Drag& fit, std::string* refusal)
{
    return actorInCell(actor, cellOf(foot.x, kActorCellPixels), cellOf(foot.y, kActorCellPixels), fit, refusal);
}

std::optional<StairRecord> typedStair(const StairRecord& stair, MapPoint corner, const Drag& fit,
                                      std::string* refusal)
{
    return stairInCell(stair, cellOf(corner.x, kStairCellPixels), cellOf(corner.y, kStairCellPixels), fit, refusal);
}

MapPoint actorFoot(const ActorRecord& actor)
{
    return {actor.x * kActorCellPixels, actor.y * kActorCellPixels};
}

MapPoint actorMarkerOrigin(const ActorRecord& actor, int pictureHeight)
{
    return {actor.x * kActorCellPixels, actor.y * kActorCellPixels - pictureHeight};
}

MapPoint stairMarkerOrigin(const StairRecord& stair)
{
    return {stair.x * kStairCellPixels, stair.y * kStairCellPixels};
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
