#pragma once

// Pieces FileAccess.cpp and FileBackup.cpp share; not for other callers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <unistd.h>

namespace quarry::rom::detail {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int release()
    {
        const int f = fd;
        fd = -1;
        return f;
    }
};

// Removes a temporary file when it goes out of scope, unless kept.
struct TemporaryName {
    std::string path;
    bool keep = false;
    ~TemporaryName()
    {
        if (!keep && !path.empty())
            ::unlink(path.c_str());
    }
};

// Remembers errno as the cause of the failure being reported (the first
// one noted since resetFailure), and returns false for chaining.
bool noteFailure();
void noteFailure(int error);
void resetFailure();
int lastFailure();

bool writeAll(int fd, const std::uint8_t* data, std::size_t size, off_t offset);

// Creates a new temporary file in `folder`, named after `name` but cut so
// the name stays within the file system's limit, and returns its
// descriptor (or -1) with its path in `temporary`.
int createTemporary(const std::string& folder, const std::string& name, TemporaryName& temporary);

// `name` cut (at the end, on a character boundary) so that it and `suffix`
// fit the limit for one name in `folder`.
std::string nameWithin(const std::string& folder, const std::string& name, std::size_t suffix);

// Gives a new name to a complete temporary. With `replace` an existing file
// is replaced; otherwise nothing at the target, not even a link, is.
bool moveIntoPlace(const std::string& temporary, const std::string& target, bool replace);

// Copies the extended attributes (ACLs and security labels among them) of
// the file open as `from` to `to`. False when one of them cannot be copied.
bool copyAttributes(int from, int to);

} // namespace quarry::rom::detail
