#pragma once

#include "core/rom/AreaDirectory.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::session {

// One run of body bytes that a write changed: where, what was there, and
// what is there now. Only bytes that really changed are kept.
struct ByteChange {
    std::size_t index = 0;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
};

// Entries that carry this merge id are never merged with another.
inline constexpr int kNoMerge = -1;

// Consecutive commits of one string merge into one step: the id names the
// string, so typing a word is one entry however long it took.
int textMergeId(int textIndex);

// Everything one user action changed in the image, under a name the user
// reads in the undo history ("Paint metatile 1A", "Move actor 03").
struct EditEntry {
    std::string name;
    int mergeId = kNoMerge;
    std::vector<ByteChange> changes; // in the order they were written
    unsigned changed = 0;            // the ChangeKinds of the writes
    std::optional<rom::AreaId> area; // the submap a map or list change was made in

    bool empty() const { return changes.empty(); }

    // Records one write, keeping only the span from the first to the last
    // byte that differs. A write that changes nothing is not kept.
    void record(std::size_t index, std::span<const std::uint8_t> before, std::span<const std::uint8_t> after);
    // Appends a later entry's changes: undoing the result undoes both.
    void absorb(const EditEntry& later);
    // True when every change lies inside `rom`, so applying cannot stop
    // half-way.
    bool fits(const rom::RomImage& rom) const;
    // True when `rom` holds, at every byte the changes touched, what was
    // there before the first of them: later writes put everything back.
    bool undoneIn(const rom::RomImage& rom) const;
};

// Writes the old bytes back, last change first.
void applyBefore(rom::RomImage& rom, const EditEntry& entry);
// Writes the new bytes again, first change first.
void applyAfter(rom::RomImage& rom, const EditEntry& entry);

} // namespace quarry::session
