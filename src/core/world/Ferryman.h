#pragma once

#include <cstdint>
#include <optional>

namespace quarry::rom {
class RomImage;
}

namespace quarry::world {

// The ferryman's three game-wide settings.
struct FerrymanSettings {
    std::uint8_t item = 0;    // index into the parts list
    std::uint8_t text = 0;    // text number
    std::uint8_t altText = 0; // text number in area 7 on odd submaps

    friend bool operator==(const FerrymanSettings&, const FerrymanSettings&) = default;
};

FerrymanSettings readFerryman(const rom::RomImage& rom);
void writeFerryman(rom::RomImage& rom, const FerrymanSettings& settings);

// What the parameter byte of an actor means, by the control kind of its type.
enum class ControlKind : int {
    None = 0,
    Text = 1,       // a text number
    TextTable = 2,  // an index into the 11-entry actor text table
    Health = 3,     // enemy health
    Ferryman = 4,   // unused; the ferryman's text is shown
};

ControlKind controlKindOf(int value);

// The largest parameter a kind can name: the last text number (120), the
// last entry of the actor text table (10), any byte for the others.
int largestControl(ControlKind kind);

// The text number an actor's property frame shows, or no value when the kind
// shows no text or names an entry past the table.
std::optional<int> actorTextNumber(const rom::RomImage& rom, ControlKind kind, std::uint8_t control, int area,
                                   int submap);

} // namespace quarry::world
