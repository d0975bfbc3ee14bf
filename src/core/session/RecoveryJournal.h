#pragma once

#include "core/rom/LockedFile.h"
#include "core/session/JournalFormat.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarry::session {

// The recovery journal an editor keeps for an image with unsaved changes:
// append-only, locked while the editor lives, each step written at once (a
// killed process loses nothing written) and flushed to the disk at most once
// a second (a power cut loses at most the last second).
class RecoveryJournal {
public:
    static constexpr const char* kSuffix = "journal";
    static constexpr std::chrono::milliseconds kFlushInterval{1000};

    // Starts a journal in `folder`, named after the image's file name, with
    // the history as it stands. Nothing when no file could be made there.
    static std::optional<RecoveryJournal> start(const std::string& folder, const JournalHeader& header,
                                                const JournalHistory& history);

    const std::string& path() const { return file_.path(); }
    // Appends one step at once; false when the write failed (the journal
    // is then no use and the caller lets it go).
    bool record(JournalStep step, const EditEntry& entry);
    // True while something appended has not reached the disk.
    bool unflushed() const { return unflushed_; }
    bool flush();
    // The file goes (Save, discarding changes, a clean exit).
    void remove() { file_.remove(); }
    // The lock goes and the file stays, as a killed editor leaves it.
    void abandon() { file_.close(); }

private:
    explicit RecoveryJournal(rom::LockedFile file) : file_(std::move(file)) {}

    rom::LockedFile file_;
    std::uint32_t sequence_ = 0;
    bool unflushed_ = false;
    std::vector<std::uint8_t> buffer_; // kept between records: no allocation per step
};

// The journals in `folder`, by path, oldest name first.
std::vector<std::string> listJournals(const std::string& folder);

} // namespace quarry::session
