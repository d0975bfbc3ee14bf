#pragma once

#include "core/session/EditHistory.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quarry::session {

// The bytes of a recovery journal. It starts with the image it belongs to
// (its path and a checksum of the file as last opened or saved) and the
// undo history as it stood then; every do, undo and redo after that is one
// record of its own, with a sequence number and a checksum, so a reader
// knows where a cut or damaged journal stops being true.

enum class JournalStep : std::uint8_t {
    Do = 1,    // a new step (the steps that could be redone are dropped)
    Merge = 2, // a new edit folded into the last step (typing in one string)
    Undo = 3,
    Redo = 4,
};

struct JournalHeader {
    std::string imagePath;
    std::uint64_t imageSize = 0; // header and body
    std::uint32_t imageCrc = 0;  // CRC-32 of header and body
    std::int64_t startedAt = 0;  // seconds since 1970
};

// An undo history: its steps, the position (steps before it are done) and
// the position whose state the file holds, if any still does.
struct JournalHistory {
    std::vector<EditEntry> steps;
    std::size_t index = 0;
    std::optional<std::size_t> clean;
};

struct JournalRecord {
    JournalStep step = JournalStep::Do;
    EditEntry entry;
};

struct DecodedJournal {
    JournalHeader header;
    JournalHistory history;
    std::vector<JournalRecord> records; // every complete record before any damage
    std::size_t lost = 0;               // records at or after the damage (at least 1 when there is any)
};

std::vector<std::uint8_t> encodeJournalStart(const JournalHeader& header, const JournalHistory& history);
// Appends one record to `out` (cleared first).
void encodeJournalRecord(std::vector<std::uint8_t>& out, std::uint32_t sequence, JournalStep step,
                         const EditEntry& entry);

// Reads a journal. A start that does not check out is refused with
// RomError; records are read up to the first that does not check out.
DecodedJournal decodeJournal(std::span<const std::uint8_t> bytes);

// Two entries that change the same bytes the same way under the same name.
bool sameEntry(const EditEntry& a, const EditEntry& b);

} // namespace quarry::session
