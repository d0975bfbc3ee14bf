#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quarry::rom {

// A file one process writes and keeps locked while it lives (the recovery
// journals): created without ever following a link or replacing a file that
// exists, written by appending only, and locked with flock so a second
// process can tell it is in use. The lock goes with the process, so a killed
// writer leaves a journal anyone may take.
class LockedFile {
public:
    LockedFile() = default;
    ~LockedFile();
    LockedFile(LockedFile&& other) noexcept;
    LockedFile& operator=(LockedFile&& other) noexcept;
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // Writes `bytes` to a new file under a name of `folder` that begins
    // with `stem` and ends with `suffix` (STEM.SUFFIX, else STEM-2.SUFFIX,
    // STEM-3.SUFFIX, ...), flushed and locked before the name appears, so
    // nobody ever sees it half-written. Nothing when no file could be made.
    static std::optional<LockedFile> create(const std::string& folder, const std::string& stem,
                                            const std::string& suffix, std::span<const std::uint8_t> bytes);
    // Takes the lock of an existing regular file (never through a link);
    // nothing when it is missing, no regular file or locked by another.
    static std::optional<LockedFile> take(const std::string& path);

    const std::string& path() const { return path_; }
    bool isOpen() const { return fd_ >= 0; }

    // Appends all of `bytes` at the end; false when the write failed.
    bool append(std::span<const std::uint8_t> bytes);
    // Makes what was appended survive a power cut; false when it failed.
    bool flush();
    // Removes the file and lets the lock go.
    void remove();
    // Lets the lock go and leaves the file as it is.
    void close();

private:
    LockedFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

    int fd_ = -1;
    std::string path_;
};

} // namespace quarry::rom
