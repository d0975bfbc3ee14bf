#pragma once

// The words of the actor, stair and door panels of the main window.
namespace quarry::ui::texts {

inline constexpr const char* kTipActorList = "Actor List";
inline constexpr const char* kObjectProperties = "Object Properties";
inline constexpr const char* kTipObjectType = "Object Type";
inline constexpr const char* kTipObjectX = "X Coordinate";
inline constexpr const char* kTipObjectY = "Y Coordinate";
inline constexpr const char* kTipObjectControl = "Control";
inline constexpr const char* kHealth = "Health";
inline constexpr const char* kTipEnemyHealth = "Enemy Health";
inline constexpr const char* kUnknownActorName = "UNKNOWN";
inline constexpr const char* kUnknownActor = "Error: unknown actor!";

// The headings and the inspector's field names.
inline constexpr const char* kActorsHeading = "Actors";
inline constexpr const char* kStairsHeading = "Stairs";
inline constexpr const char* kStairProperties = "Stair Properties";
inline constexpr const char* kFieldType = "Type";
inline constexpr const char* kTipTypeBox = "The type's number in hexadecimal; Return sets it";
inline constexpr const char* kFieldX = "X";
inline constexpr const char* kFieldY = "Y";
inline constexpr const char* kTipActorX = "Foot point, map pixels across (the status bar's Pixel); snaps to 16";
inline constexpr const char* kTipActorY = "Foot line, map pixels down (the status bar's Pixel); snaps to 16";
inline constexpr const char* kTipStairX = "Left edge, map pixels across (the status bar's Pixel); snaps to 8";
inline constexpr const char* kTipStairY = "Top edge, map pixels down (the status bar's Pixel); snaps to 8";
inline constexpr const char* kFieldParameter = "Parameter";
inline constexpr const char* kTipParameterBox = "The parameter byte in hexadecimal; Return sets it";
inline constexpr const char* kRecordBytes = "Record";
inline constexpr const char* kTipRecordBytes = "The actor's four bytes as the list stores them (x and y in 16-pixel units)";
inline constexpr const char* kFieldDirection = "Direction";
inline constexpr const char* kTipDirection = "Up/down and left/right flags (U|D L|R), as the stair list shows them";

inline constexpr const char* kTipStairList = "Stairset data  ->  #: [X] [Y] [U|D] [L|R]";

inline constexpr const char* kDoors = "Doors";
// Shown in a door's three labels when its exits lead round in a circle.
inline constexpr const char* kDoorLoops = "--";
inline constexpr const char* kTipDoorLoops = "These exits lead round in a circle and arrive nowhere";
inline constexpr const char* kDoorSet = "Set";
inline constexpr const char* kDoorArea = "Area";
inline constexpr const char* kDoorEntry = "Entry";
inline constexpr const char* kDoorLeft = "Left";
inline constexpr const char* kDoorRight = "Right";
inline constexpr const char* kGoTo = "Go To";
inline constexpr const char* kDoorNotListed = " (not in the area list)";

} // namespace quarry::ui::texts
