#include "core/rom/DataFolder.h"

#include <filesystem>
#include <system_error>

namespace quarry::rom {

std::vector<std::string> dataFolderCandidates(const std::string& programFolder)
{
    const std::filesystem::path program(programFolder);
    return {
        (program / "dat").string(),
        (program / ".." / "share" / "quarry" / "dat").lexically_normal().string(),
        "/usr/share/quarry/dat",
    };
}

std::string findDataFolder(const std::string& programFolder)
{
    const std::vector<std::string> candidates = dataFolderCandidates(programFolder);
    for (const std::string& folder : candidates) {
        std::error_code error;
        if (std::filesystem::is_directory(folder, error))
            return folder;
    }
    return candidates.front();
}

} // namespace quarry::rom
