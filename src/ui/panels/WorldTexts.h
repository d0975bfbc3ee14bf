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

inline constexpr const char* kTipStairList = "Stairset data  ->  #: [X] [Y] [U|D] [L|R]";

inline constexpr const char* kDoors = "Doors";
// Shown in a door's three labels when its exits lead round in a circle.
inline constexpr const char* kDoorLoops = "--";
inline constexpr const char* kTipDoorLoops = "These exits lead round in a circle and arrive nowhere";

} // namespace quarry::ui::texts
