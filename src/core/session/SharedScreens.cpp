#include "core/session/SharedScreens.h"

#include "core/RomError.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/session/WhereUsed.h"
#include "core/world/AreaCatalogue.h"

#include <algorithm>

namespace quarry::session {

namespace {

constexpr std::size_t kScreen = layout::kScreenBytes;

} // namespace

ScreenSharing ScreenSharing::survey(const rom::RomImage& rom, std::uint16_t mapPointer, const rom::AreaMap& map)
{
    ScreenSharing sharing;
    const std::size_t positions = map.screenTable.size();
    for (std::size_t i = 0; i < positions; ++i) {
        try {
            sharing.places_.push_back(
                {rom::bodyIndexOf(map.screenTable[i], rom::DataKind::AreaData, "a screen"), true, static_cast<int>(i)});
        } catch (const RomError&) {
            // A position the map could not have been read with: it shows nothing.
        }
    }
    std::set<std::uint16_t> surveyed{mapPointer};
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        try {
            const std::uint16_t other = submapMapPointer(rom, id);
            if (!surveyed.insert(other).second)
                continue;
            const std::vector<std::uint16_t> screens = rom::decodeAreaMap(rom, other).screenTable;
            for (std::size_t i = 0; i < screens.size(); ++i)
                sharing.places_.push_back(
                    {rom::bodyIndexOf(screens[i], rom::DataKind::AreaData, "a screen"), false, static_cast<int>(i)});
        } catch (const RomError&) {
            // An unreadable map shows nothing anyone could change.
        }
    }
    std::sort(sharing.places_.begin(), sharing.places_.end(),
              [](const Place& a, const Place& b) { return a.start < b.start; });

    // Two screens overlap when their starts are less than 56 bytes apart.
    sharing.others_.assign(positions, 0);
    for (std::size_t i = 0; i < sharing.places_.size(); ++i) {
        const Place& place = sharing.places_[i];
        if (!place.thisMap)
            continue;
        int count = 0;
        for (std::size_t j = i; j-- > 0 && place.start - sharing.places_[j].start < kScreen;)
            ++count;
        for (std::size_t j = i + 1; j < sharing.places_.size() && sharing.places_[j].start - place.start < kScreen; ++j)
            ++count;
        sharing.others_[static_cast<std::size_t>(place.position)] = count;
    }
    return sharing;
}

int ScreenSharing::otherPlaces(int position) const
{
    if (position < 0 || position >= positions())
        return 0;
    return others_[static_cast<std::size_t>(position)];
}

ScreenSharing::Reach ScreenSharing::reachOf(const std::set<std::size_t>& bodyBytes, const std::set<int>& written) const
{
    Reach reach;
    for (const Place& place : places_) {
        const auto byte = bodyBytes.lower_bound(place.start);
        if (byte == bodyBytes.end() || *byte >= place.start + kScreen)
            continue;
        if (!place.thisMap)
            ++reach.elsewhere;
        else if (!written.contains(place.position))
            reach.positions.push_back(place.position);
    }
    std::sort(reach.positions.begin(), reach.positions.end());
    return reach;
}

std::string reachText(const ScreenSharing::Reach& reach)
{
    std::string text;
    if (!reach.positions.empty()) {
        text = reach.positions.size() == 1 ? "screen " : "screens ";
        for (std::size_t i = 0; i < reach.positions.size(); ++i)
            text += (i > 0 ? ", " : "") + std::to_string(reach.positions[i]);
        text += " of this map";
    }
    if (reach.elsewhere > 0) {
        if (!text.empty())
            text += " and ";
        text += std::to_string(reach.elsewhere) + (reach.elsewhere == 1 ? " place" : " places") + " in other maps";
    }
    return text.empty() ? text : "also changes " + text;
}

} // namespace quarry::session
