#include "core/rom/FileAccess.h"

#include "core/RomError.h"
#include "core/rom/FileDetail.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <initializer_list>
#include <sys/stat.h>
#include <unistd.h>

namespace quarry::rom {

using namespace detail;

namespace {

bool failsAt(const SaveFault& fault, SaveStep step)
{
    return fault && fault(step);
}

// Reads up to `size` bytes from `offset`; fewer only at the end of the file.
bool readAll(int fd, std::uint8_t* data, std::size_t size, off_t offset, std::size_t& got)
{
    got = 0;
    while (got < size) {
        const ssize_t done = ::pread(fd, data + got, size - got, offset + static_cast<off_t>(got));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return false;
        if (done == 0)
            break;
        got += static_cast<std::size_t>(done);
    }
    return true;
}

using Chunks = std::initializer_list<std::span<const std::uint8_t>>;

bool writeChunks(int fd, Chunks chunks)
{
    off_t offset = 0;
    for (const auto& chunk : chunks) {
        if (!writeAll(fd, chunk.data(), chunk.size(), offset))
            return false;
        offset += static_cast<off_t>(chunk.size());
    }
    return true;
}

// True when the file holds the chunks from offset 0.
bool readsBackAs(int fd, Chunks chunks)
{
    off_t offset = 0;
    std::vector<std::uint8_t> buffer;
    for (const auto& chunk : chunks) {
        buffer.resize(chunk.size());
        std::size_t got = 0;
        if (!readAll(fd, buffer.data(), buffer.size(), offset, got) || got != chunk.size()
            || !std::equal(chunk.begin(), chunk.end(), buffer.begin()))
            return false;
        offset += static_cast<off_t>(chunk.size());
    }
    return true;
}

// The atomic way: a temporary beside the target, written, flushed, given the
// target's owner and permissions and renamed over it. Returns nothing when
// the temporary could not be made or could not take the target's owner, so
// the caller may write in place instead.
std::optional<SaveResult> replaceAtomically(const std::filesystem::path& target, const struct stat* old,
                                            Chunks chunks, std::span<const std::uint8_t> trailing,
                                            const SaveFault& fault)
{
    const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
    if (failsAt(fault, SaveStep::CreateTemporary))
        return noteFailure(EACCES), std::nullopt;
    TemporaryName temporary;
    Descriptor file(createTemporary(folder.string(), target.filename().string(), temporary));
    if (file.fd < 0)
        return std::nullopt;

    if (old) {
        struct stat made {};
        if (::fstat(file.fd, &made) != 0)
            return noteFailure(), SaveResult::WriteFailed;
        if ((made.st_uid != old->st_uid || made.st_gid != old->st_gid)
            && ::fchown(file.fd, old->st_uid, old->st_gid) != 0)
            return std::nullopt; // the rename would give the file to us
        // Its extended attributes (ACLs, security labels) go with it, or
        // the file is written in place, where they stay.
        Descriptor source(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (source.fd < 0 || !copyAttributes(source.fd, file.fd))
            return std::nullopt;
    }
    if (failsAt(fault, SaveStep::Write) || !writeChunks(file.fd, chunks))
        return noteFailure(), SaveResult::WriteFailed;
    off_t end = 0;
    for (const auto& chunk : chunks)
        end += static_cast<off_t>(chunk.size());
    if (!writeAll(file.fd, trailing.data(), trailing.size(), end))
        return SaveResult::WriteFailed;
    if (::fchmod(file.fd, old ? old->st_mode & 07777 : 0644) != 0)
        return noteFailure(), SaveResult::WriteFailed;
    // Flushed to the disk before it replaces a file, so a crash cannot leave
    // the name with neither the old nor the new bytes. A new name has no
    // old bytes to lose, and a batch of pictures goes far faster without.
    if (failsAt(fault, SaveStep::Flush) || (old && ::fsync(file.fd) != 0) || ::close(file.release()) != 0)
        return noteFailure(), SaveResult::WriteFailed;
    if (failsAt(fault, SaveStep::Rename) || !moveIntoPlace(temporary.path, target.string(), old != nullptr))
        return noteFailure(), SaveResult::WriteFailed;
    temporary.keep = true;
    return SaveResult::Written;
}

// The other way, for a file whose folder we may not write, that has other
// names, or whose owner a new file could not have: the bytes go into the
// file itself and are read back.
SaveResult writeInPlace(const std::filesystem::path& target, const struct stat& old, Chunks chunks,
                        bool keepTrailing, const SaveFault& fault)
{
    Descriptor file(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (file.fd < 0 || ::fstat(file.fd, &opened) != 0)
        return noteFailure(), SaveResult::WriteFailed;
    // Something else took the name since we looked.
    if (!S_ISREG(opened.st_mode) || opened.st_dev != old.st_dev || opened.st_ino != old.st_ino)
        return SaveResult::NotRegularFile;

    // From here on the file is being changed: a failure may leave it damaged.
    off_t size = 0;
    for (const auto& chunk : chunks)
        size += static_cast<off_t>(chunk.size());
    if (failsAt(fault, SaveStep::InPlaceWrite) || !writeChunks(file.fd, chunks))
        return noteFailure(), SaveResult::InPlaceFailed;
    if (!keepTrailing && opened.st_size > size && ::ftruncate(file.fd, size) != 0)
        return noteFailure(), SaveResult::InPlaceFailed;
    if (::fsync(file.fd) != 0)
        return noteFailure(), SaveResult::InPlaceFailed;
    // Read back through a descriptor of its own, from the file system's view.
    Descriptor check(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (failsAt(fault, SaveStep::ReadBack) || check.fd < 0 || !readsBackAs(check.fd, chunks))
        return SaveResult::InPlaceFailed;
    if (::close(file.release()) != 0)
        return SaveResult::InPlaceFailed;
    return SaveResult::Written;
}

} // namespace

FileContents readRegularFile(const std::string& path, std::size_t limit)
{
    FileContents contents;
    struct stat st {};
    // Looked at before opening: opening a device may already do something.
    if (::stat(path.c_str(), &st) != 0)
        return contents;
    if (!S_ISREG(st.st_mode)) {
        contents.status = ReadStatus::NotRegularFile;
        return contents;
    }
    // Non-blocking, so a pipe put there meanwhile cannot hold us.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd < 0)
        return contents;
    if (::fstat(file.fd, &st) != 0)
        return contents;
    if (!S_ISREG(st.st_mode)) {
        contents.status = ReadStatus::NotRegularFile;
        return contents;
    }
    if (static_cast<std::uintmax_t>(st.st_size) > limit) {
        contents.status = ReadStatus::TooLarge;
        return contents;
    }
    // Read to the end, but never past one byte more than the limit: a file
    // that grows while we read is still held to it.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t done = ::read(file.fd, buffer, sizeof buffer);
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return contents;
        if (done == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + done);
        if (bytes.size() > limit) {
            contents.status = ReadStatus::TooLarge;
            return contents;
        }
    }
    contents.status = ReadStatus::Read;
    contents.bytes = std::move(bytes);
    return contents;
}

SaveResult writeFile(const std::string& path, Chunks chunks, bool keepTrailing, const SaveFault& fault)
{
    namespace fs = std::filesystem;
    resetFailure();
    fs::path target(path);
    struct stat old {};
    bool exists = false;
    if (::lstat(path.c_str(), &old) == 0) {
        if (S_ISLNK(old.st_mode)) {
            // A link is written through to the file it names and stays a
            // link; a link that leads nowhere would make us create a file
            // wherever it points, so it is refused.
            std::error_code ec;
            target = fs::canonical(target, ec);
            if (ec || ::stat(target.c_str(), &old) != 0)
                return SaveResult::NotRegularFile;
        }
        exists = true;
    } else if (errno != ENOENT) {
        return noteFailure(), SaveResult::WriteFailed;
    }
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return SaveResult::NotRegularFile;
        // A file nobody may write stays as it is, even for a user whose
        // rights would let a write through.
        if ((old.st_mode & 0222) == 0)
            return noteFailure(EACCES), SaveResult::WriteFailed;
    }

    std::size_t newSize = 0;
    for (const auto& chunk : chunks)
        newSize += chunk.size();
    std::vector<std::uint8_t> trailing;
    if (exists && keepTrailing && static_cast<std::uintmax_t>(old.st_size) > newSize) {
        Descriptor in(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        trailing.resize(static_cast<std::size_t>(old.st_size) - newSize);
        std::size_t got = 0;
        if (in.fd < 0 || !readAll(in.fd, trailing.data(), trailing.size(), static_cast<off_t>(newSize), got))
            return noteFailure(), SaveResult::WriteFailed;
        trailing.resize(got);
    }

    // A rename would cut the file's other names off this content.
    if (!exists || old.st_nlink <= 1) {
        if (const std::optional<SaveResult> result
            = replaceAtomically(target, exists ? &old : nullptr, chunks, trailing, fault))
            return *result;
    }
    if (!exists)
        return SaveResult::WriteFailed;
    return writeInPlace(target, old, chunks, keepTrailing, fault);
}

SaveResult writeBatchFile(const std::string& path, std::span<const std::uint8_t> bytes)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        return SaveResult::Link;
    return writeFile(path, {bytes}, false);
}

SaveResult checkWritable(const std::string& path)
{
    resetFailure();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return noteFailure(), SaveResult::WriteFailed;
    if (!S_ISREG(st.st_mode))
        return SaveResult::NotRegularFile;
    if ((st.st_mode & 0222) == 0)
        return noteFailure(EACCES), SaveResult::WriteFailed;
    // Opened as the save opens it: that also finds a read-only disk or an
    // immutable file, which the permission bits do not show.
    Descriptor file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.fd < 0)
        return noteFailure(), SaveResult::WriteFailed;
    return SaveResult::Written;
}

int lastWriteError()
{
    return lastFailure();
}

std::string writeErrorText(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return "the disk is full";
    case EFBIG: return "the file size limit was reached";
    case EROFS: return "the disk is read-only";
    case EACCES:
    case EPERM: return "the file or its folder is read-only";
    case ENOENT:
    case ENOTDIR: return "the folder is gone";
    case ENAMETOOLONG: return "the name is too long";
    case EEXIST: return "every name it could take is taken";
    default: return error == 0 ? "the write failed" : std::strerror(error);
    }
}

std::string saveFailureText(SaveResult result, const std::string& path)
{
    const auto because = [] { return lastWriteError() == 0 ? std::string() : ": " + writeErrorText(lastWriteError()); };
    switch (result) {
    case SaveResult::Written:
        break;
    case SaveResult::NotRegularFile:
        return "cannot write " + path
               + ": it is not a regular file (a device, a pipe, a folder or a link to nowhere); nothing was written";
    case SaveResult::InPlaceFailed:
        return "writing " + path + " in place failed: the file may be damaged";
    case SaveResult::BackupFailed:
        return "cannot write a backup of " + path + because() + "; nothing was saved";
    case SaveResult::WriteFailed:
        return "cannot write " + path + because() + "; nothing was changed";
    case SaveResult::Link:
        return "skipped " + path + ": it is a link, and links in the folder are not followed";
    }
    return "cannot write " + path;
}

std::string readFailureText(ReadStatus status, const std::string& path, std::size_t limit)
{
    switch (status) {
    case ReadStatus::Read:
        break;
    case ReadStatus::NotRegularFile:
        return "cannot read " + path + ": it is not a regular file";
    case ReadStatus::TooLarge:
        return "cannot read " + path + ": it is larger than " + std::to_string(limit) + " bytes";
    case ReadStatus::Unreadable:
        return "cannot read " + path + " (missing or unreadable)";
    }
    return "cannot read " + path;
}

std::vector<std::uint8_t> readRegularFileOrThrow(const std::string& path, std::size_t limit)
{
    FileContents file = readRegularFile(path, limit);
    if (file.status != ReadStatus::Read)
        throw RomError(readFailureText(file.status, path, limit));
    return std::move(file.bytes);
}

} // namespace quarry::rom
