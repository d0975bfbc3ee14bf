// Backups of opened images, and the process setting that lets a file size
// limit fail a write instead of ending the program.
#include "core/rom/FileAccess.h"
#include "core/rom/FileDetail.h"

#include <csignal>
#include <ctime>
#include <filesystem>
#include <pthread.h>
#include <sys/stat.h>

namespace quarry::rom {

using namespace detail;

namespace {

// The backup's name for this attempt: PATH.bak, then stamped names, the
// file's own name cut so the whole stays within the folder's limit.
std::string backupName(const std::filesystem::path& folder, const std::string& name, const char* stamp, int attempt)
{
    std::string suffix = ".bak";
    if (attempt == 1)
        suffix = std::string(".") + stamp + ".bak";
    else if (attempt > 1)
        suffix = std::string(".") + stamp + "-" + std::to_string(attempt) + ".bak";
    return (folder / (nameWithin(folder.string(), name, suffix.size()) + suffix)).string();
}

} // namespace

std::optional<std::string> writeBackup(const std::string& path, std::span<const std::uint8_t> bytes)
{
    resetFailure();
    struct stat original {};
    const mode_t mode = ::stat(path.c_str(), &original) == 0 ? (original.st_mode & 0666) : 0644;
    const std::filesystem::path file(path);
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    const std::string name = file.filename().string();

    char stamp[32] = {};
    const std::time_t now = std::time(nullptr);
    struct tm local {};
    if (::localtime_r(&now, &local))
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);

    // Complete under a temporary name first, so a backup cut short (a full
    // disk, a size limit) never stands under the backup's name.
    TemporaryName temporary;
    Descriptor out(createTemporary(folder.string(), name + ".bak", temporary));
    if (out.fd < 0)
        return std::nullopt;
    if (!writeAll(out.fd, bytes.data(), bytes.size(), 0) || ::fchmod(out.fd, mode) != 0 || ::fsync(out.fd) != 0
        || ::close(out.release()) != 0)
        return noteFailure(), std::nullopt;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string backup = backupName(folder, name, stamp, attempt);
        // Never over a taken name, a link included.
        if (moveIntoPlace(temporary.path, backup, false)) {
            temporary.keep = true;
            return backup;
        }
        if (errno != EEXIST)
            return std::nullopt;
        resetFailure();
    }
    noteFailure(EEXIST);
    return std::nullopt;
}

void restoreChildSignals()
{
    std::signal(SIGXFSZ, SIG_DFL);
}

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
    ::pthread_atfork(nullptr, nullptr, restoreChildSignals);
}

} // namespace quarry::rom
