#include "core/session/EditHistory.h"

#include "core/rom/RomImage.h"

#include <algorithm>
#include <map>

namespace quarry::session {

int textMergeId(int textIndex)
{
    // Kept clear of kNoMerge and of any small id another kind may take.
    return 0x1000 + textIndex;
}

void EditEntry::record(std::size_t index, std::span<const std::uint8_t> before, std::span<const std::uint8_t> after)
{
    const std::size_t size = std::min(before.size(), after.size());
    std::size_t first = 0;
    while (first < size && before[first] == after[first])
        ++first;
    if (first == size)
        return;
    std::size_t last = size;
    while (last > first && before[last - 1] == after[last - 1])
        --last;
    ByteChange change;
    change.index = index + first;
    change.before.assign(before.begin() + static_cast<std::ptrdiff_t>(first),
                         before.begin() + static_cast<std::ptrdiff_t>(last));
    change.after.assign(after.begin() + static_cast<std::ptrdiff_t>(first),
                        after.begin() + static_cast<std::ptrdiff_t>(last));
    changes.push_back(std::move(change));
}

void EditEntry::absorb(const EditEntry& later)
{
    changes.insert(changes.end(), later.changes.begin(), later.changes.end());
    changed |= later.changed;
    if (!area)
        area = later.area;
}

bool EditEntry::fits(const rom::RomImage& rom) const
{
    return std::all_of(changes.begin(), changes.end(),
                       [&](const ByteChange& change) { return rom.contains(change.index, change.before.size()); });
}

bool EditEntry::undoneIn(const rom::RomImage& rom) const
{
    std::map<std::size_t, std::uint8_t> original;
    for (const ByteChange& change : changes)
        for (std::size_t i = 0; i < change.before.size(); ++i)
            original.emplace(change.index + i, change.before[i]); // the first write's byte stays
    return std::all_of(original.begin(), original.end(), [&](const auto& byte) {
        return rom.contains(byte.first) && rom.read(byte.first) == byte.second;
    });
}

void applyBefore(rom::RomImage& rom, const EditEntry& entry)
{
    for (auto it = entry.changes.rbegin(); it != entry.changes.rend(); ++it)
        rom.writeBytes(it->index, it->before);
}

void applyAfter(rom::RomImage& rom, const EditEntry& entry)
{
    for (const ByteChange& change : entry.changes)
        rom.writeBytes(change.index, change.after);
}

} // namespace quarry::session
