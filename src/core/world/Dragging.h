#pragma once

#include "core/world/Actors.h"
#include "core/world/Stairs.h"

#include <optional>
#include <string>

namespace quarry::world {

// A point in pixels of the whole map picture.
struct MapPoint {
    int x = 0;
    int y = 0;
};

// Actors move on a 16-pixel grid (one metatile column), stairs on an
// 8-pixel one.
inline constexpr int kActorCellPixels = 16;
inline constexpr int kStairCellPixels = 8;

// `value` snapped down to a multiple of `cell`, also left of or above the
// map (floor division), so a drag outline moves like the record will.
constexpr int snapDown(int value, int cell)
{
    return (value >= 0 ? value / cell : (value - cell + 1) / cell) * cell;
}

// What a drag on the map has to know besides the record: where the button
// went down and up, the size of the dragged picture and of the map picture.
struct Drag {
    MapPoint start;
    MapPoint end;
    int pictureWidth = 0;
    int pictureHeight = 0;
    int mapWidth = 0;
    int mapHeight = 0;
};

// Where a drag puts an actor: both points are snapped down to the 16-pixel
// grid before the distance is taken, so a drag moves by whole metatiles.
// No value when the drag is refused: a release at a negative position, a
// picture that would leave the map (its foot line counts, so an actor cannot
// stand within its picture height less 2 pixels of the bottom), or a position
// the list cannot hold (beyond $FE, since $FF ends the list at the next load).
// A refusal says why in `refusal` when given ("x would be $FF: the list
// cannot hold it").
std::optional<ActorRecord> draggedActor(const ActorRecord& actor, const Drag& drag, std::string* refusal = nullptr);

// The same for a stair, on the 8-pixel grid, with the picture's top-left
// corner at the stair's position. Positions beyond 127 and a position whose
// byte would encode as $FF are refused.
std::optional<StairRecord> draggedStair(const StairRecord& stair, const Drag& drag, std::string* refusal = nullptr);

// One step through the four directions: (upDown, leftRight) goes (0,0),
// (1,0), (0,1), (1,1) and back to (0,0).
StairRecord turnedStair(const StairRecord& stair);

// False when the stair would encode as $FF in either byte and so end the
// list at the next load.
bool stairStorable(const StairRecord& stair);
inline constexpr const char* kStoredAsEnd = "the stair would be stored as $FF, the list's end mark";

} // namespace quarry::world
