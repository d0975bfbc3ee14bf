#pragma once

#include "core/rom/AreaMap.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::session {

// Where else the screens of one map show. A screen position shows the 56
// bytes its pointer names; positions of this map or of other maps whose 56
// bytes overlap those show (part of) the same cells, so a paint into one
// changes the others too. Positions are numbered in table order,
// sy x W + sx.
class ScreenSharing {
public:
    ScreenSharing() = default;
    // Reads the screen tables of every map the catalogue's submaps name
    // (each map once; unreadable ones are left out) and compares them with
    // the map at `mapPointer`.
    static ScreenSharing survey(const rom::RomImage& rom, std::uint16_t mapPointer, const rom::AreaMap& map);

    // How many other places (positions of this map and of other maps) show
    // bytes of the screen at `position`; 0 for a screen of its own.
    int otherPlaces(int position) const;
    int positions() const { return static_cast<int>(others_.size()); }

    // Who else shows a write of these body bytes: the positions of this
    // map other than `written` (those written through), and how many
    // positions of other maps.
    struct Reach {
        std::vector<int> positions;
        int elsewhere = 0;
        bool empty() const { return positions.empty() && elsewhere == 0; }
    };
    Reach reachOf(const std::set<std::size_t>& bodyBytes, const std::set<int>& written) const;

private:
    struct Place {
        std::size_t start = 0; // body index of the 56 bytes
        bool thisMap = false;
        int position = 0;
    };
    std::vector<Place> places_; // sorted by start
    std::vector<int> others_;   // per position of this map
};

// "also changes screen 2 of this map and 2 places in other maps"; empty
// when the reach is empty.
std::string reachText(const ScreenSharing::Reach& reach);

} // namespace quarry::session
