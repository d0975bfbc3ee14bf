#include "core/session/SharedScreens.h"

#include "core/RomError.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/session/WhereUsed.h"
#include "core/world/AreaCatalogue.h"

#include <algorithm>
#include <map>

namespace quarry::session {

namespace {

constexpr std::size_t kScreen = layout::kScreenBytes;

std::size_t screenStart(std::uint16_t pointer)
{
    return rom::bodyIndexOf(pointer, rom::DataKind::AreaData, "a screen");
}

std::string joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

} // namespace

ScreenSharing ScreenSharing::survey(const rom::RomImage& rom, const rom::AreaId& self, std::uint16_t mapPointer,
                                    const rom::AreaMap& map)
{
    ScreenSharing sharing;
    const std::size_t positions = map.screenTable.size();
    for (std::size_t i = 0; i < positions; ++i) {
        try {
            sharing.places_.push_back({screenStart(map.screenTable[i]), true, static_cast<int>(i), 0});
        } catch (const RomError&) {
            // A position the map could not have been read with: it shows nothing.
        }
    }
    std::map<std::uint16_t, int> surveyed; // other maps, each once
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        try {
            const std::uint16_t other = submapMapPointer(rom, id);
            if (other == mapPointer) {
                if (!(id == self))
                    sharing.submaps_.push_back(id);
                continue;
            }
            if (surveyed.contains(other))
                continue;
            const int owner = static_cast<int>(sharing.owners_.size());
            surveyed.emplace(other, owner);
            sharing.owners_.push_back(submapName(id));
            const std::vector<std::uint16_t> screens = rom::decodeAreaMap(rom, other).screenTable;
            for (std::size_t i = 0; i < screens.size(); ++i)
                sharing.places_.push_back({screenStart(screens[i]), false, static_cast<int>(i), owner});
        } catch (const RomError&) {
            // An unreadable map shows nothing anyone could change.
        }
    }
    std::sort(sharing.places_.begin(), sharing.places_.end(),
              [](const Place& a, const Place& b) { return a.start < b.start; });

    sharing.others_.assign(positions, 0);
    for (std::size_t i = 0; i < sharing.places_.size(); ++i)
        if (sharing.places_[i].thisMap)
            sharing.others_[static_cast<std::size_t>(sharing.places_[i].position)] =
                static_cast<int>(sharing.overlapping(i).size());
    return sharing;
}

std::vector<std::size_t> ScreenSharing::overlapping(std::size_t index) const
{
    // Two screens overlap when their starts are less than 56 bytes apart.
    const std::size_t start = places_[index].start;
    std::vector<std::size_t> found;
    for (std::size_t j = index; j-- > 0 && start - places_[j].start < kScreen;)
        found.push_back(j);
    for (std::size_t j = index + 1; j < places_.size() && places_[j].start - start < kScreen; ++j)
        found.push_back(j);
    return found;
}

int ScreenSharing::otherPlaces(int position) const
{
    if (position < 0 || position >= positions())
        return 0;
    return others_[static_cast<std::size_t>(position)] + static_cast<int>(submaps_.size());
}

std::vector<std::string> ScreenSharing::placesOf(int position) const
{
    std::vector<std::string> sameMap;
    std::vector<std::string> otherMaps;
    for (std::size_t i = 0; i < places_.size(); ++i) {
        if (!places_[i].thisMap || places_[i].position != position)
            continue;
        for (std::size_t j : overlapping(i)) {
            const Place& place = places_[j];
            const std::string screen = "screen " + std::to_string(place.position);
            if (place.thisMap)
                sameMap.push_back(screen + " of this map");
            else
                otherMaps.push_back(screen + " of " + owners_[static_cast<std::size_t>(place.owner)]);
        }
    }
    std::sort(sameMap.begin(), sameMap.end());
    std::vector<std::string> names = sameMap;
    for (const rom::AreaId& id : submaps_)
        names.push_back(submapName(id));
    names.insert(names.end(), otherMaps.begin(), otherMaps.end());
    return names;
}

ScreenSharing::Reach ScreenSharing::reachOf(const std::set<std::size_t>& bodyBytes, const std::set<int>& written) const
{
    Reach reach;
    bool thisMapWritten = false;
    for (const Place& place : places_) {
        const auto byte = bodyBytes.lower_bound(place.start);
        if (byte == bodyBytes.end() || *byte >= place.start + kScreen)
            continue;
        if (!place.thisMap)
            ++reach.elsewhere;
        else if (!written.contains(place.position))
            reach.positions.push_back(place.position);
        thisMapWritten = thisMapWritten || place.thisMap;
    }
    if (thisMapWritten || !written.empty())
        reach.submaps = static_cast<int>(submaps_.size());
    std::sort(reach.positions.begin(), reach.positions.end());
    return reach;
}

std::string submapName(const rom::AreaId& id)
{
    const world::SubmapNode* node = world::findSubmap(id);
    return (node ? node->caption + " " : std::string()) + "(object set " + std::to_string(id.objectSet) + ", area "
           + std::to_string(id.area) + ", submap " + std::to_string(id.submap) + ")";
}

std::string reachText(const ScreenSharing::Reach& reach)
{
    std::vector<std::string> parts;
    if (!reach.positions.empty()) {
        std::string text = reach.positions.size() == 1 ? "screen " : "screens ";
        for (std::size_t i = 0; i < reach.positions.size(); ++i)
            text += (i > 0 ? ", " : "") + std::to_string(reach.positions[i]);
        parts.push_back(text + " of this map");
    }
    if (reach.submaps > 0)
        parts.push_back(std::to_string(reach.submaps) + (reach.submaps == 1 ? " other submap" : " other submaps")
                        + " showing this map");
    if (reach.elsewhere > 0)
        parts.push_back(std::to_string(reach.elsewhere) + (reach.elsewhere == 1 ? " place" : " places")
                        + " in other maps");
    return parts.empty() ? std::string() : "also changes " + joined(parts);
}

} // namespace quarry::session
