#include "core/session/JournalReplay.h"

#include "core/RomError.h"
#include "core/patch/Crc32.h"

#include <algorithm>

namespace quarry::session {

namespace {

bool holds(const rom::RomImage& image, std::size_t index, const std::vector<std::uint8_t>& bytes)
{
    return image.contains(index, bytes.size()) &&
           std::equal(bytes.begin(), bytes.end(), image.body().begin() + static_cast<std::ptrdiff_t>(index));
}

// Applies the entry's changes in order (forward) or its old bytes in reverse
// order, each only where the image holds what the change says it replaced;
// on the first that does not, puts back what was applied and returns false.
bool applyVouched(rom::RomImage& image, const EditEntry& entry, bool forward)
{
    const std::size_t count = entry.changes.size();
    auto at = [&](std::size_t n) -> const ByteChange& { return entry.changes[forward ? n : count - 1 - n]; };
    for (std::size_t n = 0; n < count; ++n) {
        const ByteChange& change = at(n);
        if (!holds(image, change.index, forward ? change.before : change.after)) {
            while (n-- > 0)
                image.writeBytes(at(n).index, forward ? at(n).before : at(n).after);
            return false;
        }
        image.writeBytes(change.index, forward ? change.after : change.before);
    }
    return true;
}

// The history's state from the file's: every step between them again.
bool reachIndex(rom::RomImage& image, const JournalHistory& history)
{
    const std::size_t clean = *history.clean;
    for (std::size_t n = clean; n < history.index; ++n)
        if (!applyVouched(image, history.steps[n], true))
            return false;
    for (std::size_t n = clean; n > history.index; --n)
        if (!applyVouched(image, history.steps[n - 1], false))
            return false;
    return true;
}

// Steps past the position go when a new one comes, and with them the
// file's state if it lay there.
void dropRedoable(JournalHistory& history)
{
    history.steps.resize(history.index);
    if (history.clean && *history.clean > history.index)
        history.clean.reset();
}

bool replayRecord(rom::RomImage& image, JournalHistory& history, const JournalRecord& record)
{
    switch (record.step) {
    case JournalStep::Do:
    case JournalStep::Merge: {
        const bool merge = record.step == JournalStep::Merge;
        if (merge && history.index == 0)
            return false;
        if (!applyVouched(image, record.entry, true))
            return false;
        dropRedoable(history);
        if (!merge) {
            history.steps.push_back(record.entry);
            ++history.index;
            return true;
        }
        history.steps.back().absorb(record.entry);
        if (history.clean == history.index) // the file's state is now inside a step
            history.clean.reset();
        return true;
    }
    case JournalStep::Undo:
        if (history.index == 0 || !sameEntry(history.steps[history.index - 1], record.entry) ||
            !applyVouched(image, record.entry, false))
            return false;
        --history.index;
        return true;
    case JournalStep::Redo:
        if (history.index >= history.steps.size() || !sameEntry(history.steps[history.index], record.entry) ||
            !applyVouched(image, record.entry, true))
            return false;
        ++history.index;
        return true;
    }
    return false;
}

} // namespace

std::uint32_t imageChecksum(const rom::RomImage& image)
{
    std::vector<std::uint8_t> file(image.header().begin(), image.header().end());
    file.insert(file.end(), image.body().begin(), image.body().end());
    return patch::crc32(file);
}

bool journalFits(const JournalHeader& header, const rom::RomImage& image)
{
    return header.imageSize == image.header().size() + image.body().size() && header.imageCrc == imageChecksum(image);
}

Recovery replayJournal(const DecodedJournal& journal, const rom::RomImage& image)
{
    if (!journalFits(journal.header, image))
        throw RomError("the file has changed since the recovery journal was written; it is not applied to other bytes");
    const JournalHistory& start = journal.history;
    if (!start.clean || *start.clean > start.steps.size() || start.index > start.steps.size())
        throw RomError("the recovery journal does not say which of its steps the file holds");
    rom::RomImage work(image.header(), image.body());
    if (!reachIndex(work, start))
        throw RomError("the recovery journal's history does not match the file");

    Recovery recovery;
    recovery.history = start;
    for (const JournalRecord& record : journal.records) {
        if (!replayRecord(work, recovery.history, record))
            break;
        ++recovery.applied;
    }
    recovery.lost = journal.records.size() - recovery.applied + journal.lost;
    recovery.body = work.body();
    return recovery;
}

} // namespace quarry::session
