#pragma once

#include "core/rom/RomImage.h"
#include "core/session/JournalFormat.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarry::session {

// The CRC-32 of an image's header and body, the journal's fingerprint of
// the file it was written against.
std::uint32_t imageChecksum(const rom::RomImage& image);
// True when `image` is the one the journal was written against.
bool journalFits(const JournalHeader& header, const rom::RomImage& image);

struct Recovery {
    JournalHistory history;         // the undo history after the last record applied
    std::vector<std::uint8_t> body; // the body after it
    std::size_t applied = 0;        // records applied
    std::size_t lost = 0;           // records that were damaged, cut or did not match the bytes
};

// Replays the journal over `image` (the file as it is now), in memory.
// Every byte written is one a record vouches for: each change must find the
// bytes it says were there, and an undo or redo must name the very step the
// history holds; the first record that does not fits stops the replay, and
// it and every later one count as lost. Refuses with RomError, changing
// nothing, a journal for other bytes than `image`.
Recovery replayJournal(const DecodedJournal& journal, const rom::RomImage& image);

} // namespace quarry::session
