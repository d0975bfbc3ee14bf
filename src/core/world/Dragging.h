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

// The placement checks of a drag, for a position typed in map pixels: the
// actor's foot point (its picture's bottom-left corner) or the stair's
// top-left corner, snapped down to the grid as a drag snaps. The same
// refusals hold: a picture leaving the map, a position the list cannot hold.
// `fit` carries the picture and map sizes; its points are not used.
std::optional<ActorRecord> typedActor(const ActorRecord& actor, MapPoint foot, const Drag& fit,
                                      std::string* refusal = nullptr);
std::optional<StairRecord> typedStair(const StairRecord& stair, MapPoint corner, const Drag& fit,
                                      std::string* refusal = nullptr);

// Where the markers stand, in map pixels. An actor's picture stands on its
// foot line, its bottom-left corner at (x x 16, y x 16); a stair's picture
// has its top-left corner at (x x 8, y x 8).
MapPoint actorFoot(const ActorRecord& actor);
MapPoint actorMarkerOrigin(const ActorRecord& actor, int pictureHeight);
MapPoint stairMarkerOrigin(const StairRecord& stair);

// One step through the four directions: (upDown, leftRight) goes (0,0),
// (1,0), (0,1), (1,1) and back to (0,0).
StairRecord turnedStair(const StairRecord& stair);

// False when the stair would encode as $FF in either byte and so end the
// list at the next load.
bool stairStorable(const StairRecord& stair);
inline constexpr const char* kStoredAsEnd = "the stair would be stored as $FF, the list's end mark";

} // namespace quarry::world
