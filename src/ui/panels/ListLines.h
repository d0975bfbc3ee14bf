#pragma once

#include "core/world/Stairs.h"

#include <QString>

#include <cstdint>

namespace quarry::ui {

// "07: [2A] Actor 2A": the actor's index in decimal, its type in hex, the
// type's name.
QString actorListLine(int index, std::uint8_t type, const QString& name);

// "12: 1F 05 1 0": index, x, y, up/down, left/right. The list is first built
// with decimal indexes; a line rewritten after an edit carries its index in
// hex, as the game's tools always showed it.
enum class IndexStyle { Decimal, Hex };
QString stairListLine(int index, const world::StairRecord& stair, IndexStyle style);

} // namespace quarry::ui
