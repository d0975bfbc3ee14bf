#include "core/rom/FileDetail.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/xattr.h>
#include <vector>

namespace quarry::rom::detail {

namespace {

thread_local int failure = 0;

} // namespace

bool noteFailure()
{
    noteFailure(errno);
    return false;
}

void noteFailure(int error)
{
    if (failure == 0)
        failure = error;
}

void resetFailure()
{
    failure = 0;
}

int lastFailure()
{
    return failure;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size, off_t offset)
{
    while (size > 0) {
        const ssize_t done = ::pwrite(fd, data, size, offset);
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return noteFailure();
        if (done == 0) {
            noteFailure(ENOSPC);
            return false;
        }
        data += done;
        size -= static_cast<std::size_t>(done);
        offset += done;
    }
    return true;
}

std::string nameWithin(const std::string& folder, const std::string& name, std::size_t suffix)
{
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t most = limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
    if (name.size() + suffix <= most)
        return name;
    std::size_t keep = most > suffix ? most - suffix : 0;
    // Not in the middle of a UTF-8 character.
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    return name.substr(0, keep);
}

int createTemporary(const std::string& folder, const std::string& name, TemporaryName& temporary)
{
    // ".NAME.XXXXXX": the dot hides it, the six letters make it unique.
    std::string path = folder + "/." + nameWithin(folder, name, 8) + ".XXXXXX";
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        return noteFailure(), -1;
    temporary.path = std::move(path);
    return fd;
}

bool moveIntoPlace(const std::string& temporary, const std::string& target, bool replace)
{
    if (replace)
        return std::rename(temporary.c_str(), target.c_str()) == 0 || noteFailure();
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return noteFailure();
    // A file system without that rename: a hard link refuses a taken name too.
    if (::link(temporary.c_str(), target.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return true;
    }
    return noteFailure();
}

bool copyAttributes(int from, int to)
{
    const ssize_t listSize = ::flistxattr(from, nullptr, 0);
    if (listSize < 0)
        return errno == ENOTSUP; // a file system without them has none to lose
    std::vector<char> names(static_cast<std::size_t>(listSize) + 1, '\0');
    if (::flistxattr(from, names.data(), names.size()) != listSize)
        return false;
    std::vector<char> value;
    for (std::size_t at = 0; at < static_cast<std::size_t>(listSize);) {
        const char* name = names.data() + at;
        at += std::char_traits<char>::length(name) + 1;
        const ssize_t size = ::fgetxattr(from, name, nullptr, 0);
        if (size < 0)
            return false;
        value.resize(static_cast<std::size_t>(size) + 1);
        const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
        if (got < 0 || ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0) != 0)
            return false;
    }
    return true;
}

} // namespace quarry::rom::detail
