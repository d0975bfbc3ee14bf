#pragma once

#include <cstdint>
#include <string>

namespace quarry::session {

struct LoadedArea;

// What the map info window shows for the loaded submap, each field as it
// appears in its box.
struct MapInfoText {
    std::string objectSet; // "$00"
    std::string area;
    std::string submap;
    std::string mapWidth; // "03", in screens
    std::string mapHeight;
    std::string mapData; // "$8A3C (0x008A4C)"
    std::string actorData;
    std::string stairData;
    std::string paletteData;
    std::string screens; // "$8123 $8180 ", every screen address followed by a space
};

// The address as "$8A3C (0x008A4C)": the CPU address, then the file offset
// the game reads it from with the switchable bank of `bank`. An address below
// $8000 names no place in the image and reads "$7FF0 (no file offset)".
std::string addressWithOffset(std::uint16_t address, int bank);

MapInfoText describeMapInfo(const LoadedArea& area);

} // namespace quarry::session
