#pragma once

#include "core/rom/AreaDirectory.h"
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
// changes the others too. Other submaps that name this same map show every
// screen of it. Positions are numbered in table order, sy x W + sx.
class ScreenSharing {
public:
    ScreenSharing() = default;
    // Reads the screen tables of every map the catalogue's submaps name
    // (each map once; unreadable ones are left out) and compares them with
    // the map at `mapPointer`, the map of submap `self`.
    static ScreenSharing survey(const rom::RomImage& rom, const rom::AreaId& self, std::uint16_t mapPointer,
                                const rom::AreaMap& map);

    // How many other places show bytes of the screen at `position`: other
    // positions of this map, other submaps that show this map, and
    // positions of other maps; 0 for a screen of its own.
    int otherPlaces(int position) const;
    // Those places named for the user ("screen 3 of this map", a submap,
    // "screen 0 of" a submap of another map), in that order.
    std::vector<std::string> placesOf(int position) const;
    int positions() const { return static_cast<int>(others_.size()); }
    // The other submaps that show this map.
    const std::vector<rom::AreaId>& submapsShowing() const { return submaps_; }

    // Who else shows a write of these body bytes: the positions of this
    // map other than `written` (those written through), the other submaps
    // showing this map, and how many positions of other maps.
    struct Reach {
        std::vector<int> positions;
        int submaps = 0;
        int elsewhere = 0;
        bool empty() const { return positions.empty() && submaps == 0 && elsewhere == 0; }
    };
    Reach reachOf(const std::set<std::size_t>& bodyBytes, const std::set<int>& written) const;

private:
    struct Place {
        std::size_t start = 0; // body index of the 56 bytes
        bool thisMap = false;
        int position = 0;
        int owner = 0; // for other maps: the index of its name in owners_
    };
    // The places overlapping the place at `index` of places_.
    std::vector<std::size_t> overlapping(std::size_t index) const;

    std::vector<Place> places_; // sorted by start
    std::vector<int> others_;   // per position of this map
    std::vector<rom::AreaId> submaps_;
    std::vector<std::string> owners_; // a submap naming each other map
};

// A submap as the user reads it: "Church (object set 0, area 1, submap 2)".
std::string submapName(const rom::AreaId& id);

// "also changes screen 2 of this map, 4 other submaps showing this map and
// 2 places in other maps"; empty when the reach is empty.
std::string reachText(const ScreenSharing::Reach& reach);

} // namespace quarry::session
