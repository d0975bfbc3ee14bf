#include "core/rom/LockedFile.h"

#include <cerrno>
#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarry::rom {

namespace {

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

LockedFile::~LockedFile()
{
    close();
}

LockedFile::LockedFile(LockedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_))
{
}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

std::optional<LockedFile> LockedFile::create(const std::string& folder, const std::string& stem,
                                             const std::string& suffix, std::span<const std::uint8_t> bytes)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string temporary = folder + "/." + stem + "." + std::to_string(::getpid()) + ".tmp";
    ::unlink(temporary.c_str()); // a leftover of a killed process of the same number
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return std::nullopt;
    LockedFile file(fd, temporary);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !writeAll(fd, bytes) || ::fdatasync(fd) != 0) {
        file.remove();
        return std::nullopt;
    }
    // link() never replaces a name that exists: a journal another editor
    // left behind stays as it was.
    for (int n = 1; n < 1000; ++n) {
        const std::string name = folder + "/" + stem + (n == 1 ? "" : "-" + std::to_string(n)) + "." + suffix;
        if (::link(temporary.c_str(), name.c_str()) == 0) {
            ::unlink(temporary.c_str());
            file.path_ = name;
            return file;
        }
        if (errno != EEXIST)
            break;
    }
    file.remove();
    return std::nullopt;
}

std::optional<LockedFile> LockedFile::take(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    LockedFile file(fd, path);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return std::nullopt;
    // Its writer may have removed it between our open and our lock.
    struct stat named {};
    if (::lstat(path.c_str(), &named) != 0 || named.st_ino != info.st_ino || named.st_dev != info.st_dev)
        return std::nullopt;
    return file;
}

bool LockedFile::append(std::span<const std::uint8_t> bytes)
{
    return fd_ >= 0 && writeAll(fd_, bytes);
}

bool LockedFile::flush()
{
    return fd_ >= 0 && ::fdatasync(fd_) == 0;
}

void LockedFile::remove()
{
    if (fd_ >= 0)
        ::unlink(path_.c_str()); // while still locked, so nobody takes it half-removed
    close();
}

void LockedFile::close()
{
    if (fd_ >= 0)
        ::close(fd_); // the lock goes with the descriptor
    fd_ = -1;
}

} // namespace quarry::rom
